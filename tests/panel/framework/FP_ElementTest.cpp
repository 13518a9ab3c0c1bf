// The element base: creation by class name, the placement cascade, frame and
// background, fake transparency, the record with its version gates and
// hotkeys, names and run-time state, number texts and the look dialog.
#include "PanelRig.h"

#include "dialogs/DLG_Frame.h"
#include "dialogs/ModalForm.h"
#include "panel/framework/FP_Decorations.h"
#include "platform/Colors.h"
#include "platform/Paths.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

class ElementTest : public PanelTest {};

constexpr int PanelColor = 14215660;   // 0xD8E9EC

} // namespace

TEST_F(ElementTest, ElementsAreMadeByClassNameAndCascadeOverAFiveByFiveGrid)
{
    ResetPanelGlobals();   // the container's own creation took a cascade place
    std::vector<QPoint> places;
    for (int i = 0; i < 27; ++i) {
        TFP_Element* element = Root->AddElement(i % 2 ? "ttestelement" : "TTESTELEMENT");
        ASSERT_NE(dynamic_cast<TTestElement*>(element), nullptr);
        places.push_back(element->pos());
    }
    EXPECT_EQ(places[0], QPoint(32, 32));
    EXPECT_EQ(places[1], QPoint(64, 32));
    EXPECT_EQ(places[4], QPoint(160, 32));
    EXPECT_EQ(places[5], QPoint(32, 64));
    EXPECT_EQ(places[24], QPoint(160, 160));
    EXPECT_EQ(places[25], QPoint(32, 32));   // the 26th starts again
    EXPECT_EQ(places[26], QPoint(64, 32));
}

TEST_F(ElementTest, FrameAndBackgroundFollowTheFrameWidthAndThePanelColour)
{
    auto* element = Add<TTestElement>("TTestElement", 10, 10, 40, 30);
    element->BorderWidth = 2;
    element->BevelOuter = bvRaised;
    element->BevelInner = bvLowered;
    element->BevelWidth = 1;
    element->ColorFollowsPanel = false;
    element->SetHintergrundFarbe(0x0000FF);
    element->SetColor(0x00FF00);   // after the background, so the frame colour stays
    EXPECT_EQ(element->FrameWidth(), 4);
    QImage image = Grab(*element);
    EXPECT_EQ(image.pixelColor(0, 15), ColorToQColor(clBtnHighlight));   // outer bevel, raised
    EXPECT_EQ(image.pixelColor(39, 15), ColorToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(1, 15), QColor(0, 255, 0));                // border in the frame colour
    EXPECT_EQ(image.pixelColor(3, 15), ColorToQColor(clBtnShadow));       // inner bevel, lowered
    EXPECT_EQ(image.pixelColor(4, 15), QColor(255, 0, 0));                // background from w on
    EXPECT_EQ(image.pixelColor(35, 25), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(36, 15), ColorToQColor(clBtnHighlight));

    // A space counts in the frame width as well.
    element->BevelInner = bvSpace;
    EXPECT_EQ(element->FrameWidth(), 4);

    // Following the panel: a new panel colour is painted and becomes the stored one.
    element->BevelInner = element->BevelOuter = bvNone;
    element->BorderWidth = 0;
    element->ColorFollowsPanel = true;
    element->BackgroundFollowsPanel = true;
    PanelDefaultColor = 0x123456;
    image = Grab(*element);
    EXPECT_EQ(image.pixelColor(20, 15), ColorToQColor(0x123456));
    EXPECT_EQ(element->HintergrundFarbe, 0x123456u);
    EXPECT_EQ(element->Color(), 0x123456u);
}

TEST_F(ElementTest, TransparentElementsShowWhatLiesBeneathUnlessParked)
{
    Show();
    auto* shape = Add<TFlaeche>("TFlaeche", 0, 0, 200, 100);
    shape->theShape.PenWidth = 0;
    shape->theShape.BrushColor = 0xFF0000;   // blue
    auto* element = Add<TTestElement>("TTestElement", 20, 20, 40, 20);
    element->SetHintergrundFarbe(0x0000FF);
    element->SetBisteTransparent(true);
    Root->RefreshTransparency(nullptr);
    EXPECT_TRUE(element->isVisible());
    const QImage image = Grab(*element);
    EXPECT_EQ(image.pixelColor(20, 10), QColor(0, 0, 255));   // the shape, not the element's red

    // Parked on the hidden panel of another page it paints itself.
    element->SetFrontplattenNR(1);
    Root->SetAktiveFrontplatte(0);
    ASSERT_NE(element->parentWidget(), Root);
    EXPECT_EQ(Grab(*element).pixelColor(20, 10), QColor(255, 0, 0));
}

TEST_F(ElementTest, TheRecordIsWrittenAsTheTableLaysItOut)
{
    auto* element = Add<TTestElement>("TTestElement", 5, 6, 40, 20);
    element->SetZOrder(2);
    element->SetFrontplattenNR(2);
    element->Hotkeys[1]->Key = 'A';
    element->Hotkeys[1]->Shift = 1 | 4;   // Shift and Ctrl
    element->Hotkeys[1]->ActionIndex = 2;
    element->HtmlFoot = {"<hr>"};
    TStreamBytes b;
    b.Int(2).Bool(false).Int(-9998).Raw({40, 0, 20, 0}).Str("Test").Bool(false);
    b.Int(0).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(false);
    b.Int(0).Bool(false).Bool(false).Bool(false).Int(0);   // three hotkeys, no count
    b.Int('A').Bool(true).Bool(true).Bool(false).Int(2);
    b.Int(0).Bool(false).Bool(false).Bool(false).Int(0);
    b.Int(0).Bool(true).Bool(true).Int(0).Int(1).Str("<hr>");
    EXPECT_EQ(Record(*element), b.Bytes);

    // Read into a fresh element it writes the same bytes.
    auto* copy = Add<TTestElement>("TTestElement", 5, 6, 1, 1);
    Read(*copy, b.Bytes, 46);
    EXPECT_EQ(copy->FrontplattenNR(), 2);
    EXPECT_EQ(copy->size(), QSize(40, 20));
    EXPECT_EQ(copy->Hotkeys[1]->Shift, 5);
    EXPECT_EQ(Record(*copy), b.Bytes);
}

TEST_F(ElementTest, OlderRecordsStopAtTheirVersionGates)
{
    const struct {
        Byte Version;
        bool OldPage;        // a page of 0 or more, without size words
        bool Hint;           // the page, hint and run-time flag are read
        bool Look;           // frame, colours and hotkeys
        bool Web;            // the web settings
    } cases[] = {
        {2, false, false, false, false},
        {3, true, true, false, false},
        {39, false, true, false, false},
        {40, false, true, true, false},
        {42, false, true, true, false},
        {43, false, true, true, true},
        {255, false, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Version));
        TStreamBytes b;
        b.Int(7).Bool(true);
        if (c.Hint) {
            if (c.OldPage)
                b.Int(3);
            else
                b.Int(-9997).Raw({0x2C, 0x01, 50, 0});
            b.Str("Lampe").Bool(true);
        }
        if (c.Look) {
            b.Int(2).Int(3).Int(1).Int(2).Int(255).Int(65280).Bool(false).Bool(true);
            for (int i = 0; i < 3; ++i)
                b.Int(65 + i).Bool(false).Bool(false).Bool(true).Int(1);
        }
        if (c.Web)
            b.Int(12).Bool(false).Bool(false).Int(1).Str("<p>").Int(0);
        b.Int(99);   // what follows the record is not read
        auto* element = Add<TTestElement>("TTestElement", 1, 2, 40, 20);
        TMemoryStream stream(b.Bytes);
        {
            TReader reader(stream);
            element->ReadData(stream, reader, c.Version);
            EXPECT_EQ(reader.ReadInteger(), 99);
        }
        EXPECT_EQ(element->ZOrder(), 7);
        EXPECT_TRUE(element->GetBisteTransparent());
        EXPECT_EQ(element->FrontplattenNR(), c.Hint ? 3 : 0);
        EXPECT_EQ(element->size(), c.Hint && !c.OldPage ? QSize(300, 50) : QSize(40, 20));
        EXPECT_EQ(element->pos(), QPoint(1, 2));
        EXPECT_EQ(element->Hint(), c.Hint ? "Lampe" : "Test");
        EXPECT_EQ(element->RuntimeAdjustable, c.Hint);
        EXPECT_EQ(element->BorderWidth, c.Look ? 2 : 0);
        EXPECT_EQ(element->BevelOuter, c.Look ? bvRaised : bvNone);
        EXPECT_EQ(element->HintergrundFarbe, c.Look ? 255u : TColor(PanelColor));
        EXPECT_EQ(element->ColorFollowsPanel, !c.Look);
        EXPECT_EQ(element->Hotkeys[2]->Key, c.Look ? 67 : 0);
        EXPECT_EQ(element->Hotkeys[2]->Shift, c.Look ? 2 : 0);   // Alt
        EXPECT_EQ(element->WebSortOrder, c.Web ? 12 : c.Look ? 7 : 0);
        EXPECT_EQ(element->Publish, !c.Web);
        EXPECT_EQ(element->HtmlHead, c.Web ? std::vector<AnsiString>{"<p>"} : std::vector<AnsiString>{});
        Root->RemoveElement(element);
    }
}

TEST_F(ElementTest, DamagedSizeWordsAndLineCountsAreLimited)
{
    auto* element = Add<TTestElement>("TTestElement", 0, 0, 40, 20);
    // A size of 32767 x -5 and a head count far beyond the stream.
    TStreamBytes b;
    b.Int(1).Bool(false).Int(-10000).Raw({0xFF, 0x7F, 0xFB, 0xFF}).Str("").Bool(false);
    b.Int(0).Int(1).Int(0).Int(0).Int(0).Int(0).Bool(true).Bool(false);
    for (int i = 0; i < 3; ++i)
        b.Int(0).Bool(false).Bool(false).Bool(false).Int(0);
    b.Int(0).Bool(true).Bool(true).Int(0x7FFFFFFF).Str("a");
    TMemoryStream stream(b.Bytes);
    TReader reader(stream);
    EXPECT_THROW(element->ReadData(stream, reader, 46), EReadError);
    EXPECT_EQ(element->size(), QSize(MaxElementExtent, 0));
}

TEST_F(ElementTest, DamagedFrameWidthsAreLimitedInElementsAndContainers)
{
    // Border and bevel widths as a record brings them, and as they are kept.
    const struct {
        Integer Border, Bevel;
        Integer KeptBorder, KeptBevel;
    } cases[] = {
        {20, 20, 20, 20},
        {0x7FFFFFFF, 0x7FFFFFFF, MaxElementExtent, MaxElementExtent},
        {-1, -0x7FFFFFFF - 1, 0, 0},
        {MaxElementExtent + 1, 3, MaxElementExtent, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Border);
        TStreamBytes b;
        b.Int(1).Bool(false).Int(-10000).Raw({40, 0, 20, 0}).Str("").Bool(false);
        b.Int(c.Border).Int(c.Bevel).Int(bvLowered).Int(bvRaised).Int(0).Int(0).Bool(true).Bool(false);
        for (int i = 0; i < 3; ++i)
            b.Int(0).Bool(false).Bool(false).Bool(false).Int(0);
        auto* element = Add<TTestElement>("TTestElement", 0, 0, 40, 20);
        Read(*element, b.Bytes, 42);
        EXPECT_EQ(element->BorderWidth, c.KeptBorder);
        EXPECT_EQ(element->BevelWidth, c.KeptBevel);
        EXPECT_EQ(element->FrameWidth(), c.KeptBorder + 2 * c.KeptBevel);
        Root->RemoveElement(element);

        // The container's own block: no decorations, then its frame.
        TStreamBytes block;
        block.Int(0).Int(c.Border).Int(c.Bevel).Int(bvLowered).Int(bvRaised).Int(0).Int(0).Bool(true).Bool(false);
        TMemoryStream stream(block.Bytes);
        TReader reader(stream);
        Root->ReadFromStream(stream, reader, 42);
        EXPECT_EQ(Root->BorderWidth, c.KeptBorder);
        EXPECT_EQ(Root->BevelWidth, c.KeptBevel);
    }
}

TEST_F(ElementTest, FullNamesAndRunTimeStateFollowTheContainers)
{
    Root->SetElementName("PANEL");
    auto* led = Add<TTestElement>("TTestElement", 0, 0, 16, 16);
    led->SetElementName("LED3");
    EXPECT_TRUE(led->MatchFullName("MainModul.PANEL", "MainModul.PANEL.LED3"));
    EXPECT_EQ(led->FullName, "MainModul.PANEL.LED3");
    EXPECT_FALSE(led->MatchFullName("MainModul.PANEL", "MainModul.PANEL.led3"));
    EXPECT_FALSE(led->MatchFullName("MainModul.PANEL", "mainmodul.panel.LED3"));

    // A macro panel and, inside it, one without a name.
    auto* macro = dynamic_cast<TDesign*>(Root->AddElement("TDesign"));
    macro->SetElementName("Makro: Filter");
    auto* inner = dynamic_cast<TTestElement*>(macro->AddElement("TTestElement"));
    inner->SetElementName("LED1");
    auto* unnamed = dynamic_cast<TDesign*>(macro->AddElement("TDesign"));
    auto* deep = dynamic_cast<TTestElement*>(unnamed->AddElement("TTestElement"));
    deep->SetElementName("LED2");
    led->Value = 3;
    inner->Value = 4;
    deep->Value = 5;

    QTemporaryDir folder;
    TIniFile ini(folder.filePath("_Default.set").toStdString());
    Root->SaveState(ini, "MainModul");
    EXPECT_EQ(ini.ReadInteger("MainModul.PANEL.LED3", "Value", 0), 3);
    EXPECT_EQ(ini.ReadInteger("MainModul.PANEL.Makro: Filter.LED1", "Value", 0), 4);
    EXPECT_EQ(ini.ReadInteger("MainModul.PANEL.Makro: Filter.LED2", "Value", 0), 5);
    EXPECT_TRUE(Root->MatchFullName("MainModul", "MainModul.PANEL.Makro: Filter.LED2"));
    EXPECT_EQ(deep->FullName, "MainModul.PANEL.Makro: Filter.LED2");
    EXPECT_FALSE(Root->MatchFullName("MainModul", "MainModul.PANEL.LED9"));

    led->Value = inner->Value = deep->Value = 0;
    EXPECT_TRUE(Root->LoadState(ini, "MainModul", true));
    EXPECT_EQ(led->Value, 0);   // only checked
    ini.EraseSection("MainModul.PANEL.Makro: Filter.LED1");
    // Every element is still asked, and loads what it finds.
    EXPECT_FALSE(Root->LoadState(ini, "MainModul", false));
    EXPECT_EQ(led->Value, 3);
    EXPECT_EQ(inner->Value, 0);
    EXPECT_EQ(deep->Value, 5);
}

TEST_F(ElementTest, HotkeysReachEveryElementTopmostFirst)
{
    std::vector<int> pressed;
    for (int i = 0; i < 2; ++i) {
        auto* element = dynamic_cast<TTestElement*>(Root->AddElement("TTestElement"));
        element->Hotkeys[0]->Key = 'K';
        element->Hotkeys[0]->Shift = 4;
        element->Hotkeys[0]->OnPress = [&pressed, i](THotkey*) { pressed.push_back(i); };
        element->Hotkeys[0]->OnRelease = [&pressed, i](THotkey*) { pressed.push_back(10 + i); };
    }
    Root->HotkeyDown('K', 1);   // other modifiers: nothing
    EXPECT_TRUE(pressed.empty());
    Root->HotkeyDown('K', 4);
    Root->HotkeyUp('K', 0);
    EXPECT_EQ(pressed, (std::vector<int>{1, 0, 11, 10}));
}

TEST_F(ElementTest, NumberTexts)
{
    const struct {
        long double Value;
        const char* Text;
    } cases[] = {
        {0, "0"},
        {1e8L, "1E0008"},
        {1.5e-5L, "1.5E-0005"},
        {-2.5L, "-2.5"},
        {12345678, "12345678"},
        {123456789, "1.2345679E0008"},
        {99999999.6L, "1E0008"},   // eight digits round up into the next decade
        {0.0001L, "0.0001"},
        {0.00009999L, "9.999E-0005"},
        {1.0L / 3, "0.33333333"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFP_Element::FloatToText(c.Value), c.Text) << double(c.Value);

    const struct {
        const char* Text;
        long double Value;
    } back[] = {{"1,5", 1.5L}, {"", 0}, {"   -2e3", -2000}, {"+.25", 0.25L}, {"abc", 0}, {"1E0008", 1e8L}};
    for (const auto& c : back)
        EXPECT_EQ(TFP_Element::TextToFloat(c.Text), c.Value) << c.Text;
}

TEST_F(ElementTest, TheLookDialogAppliesItsChoicesOnOkOnly)
{
    auto* element = Add<TTestElement>("TTestElement", 0, 0, 40, 20);
    element->SetElementName("LED1");
    element->BevelInner = bvSpace;   // no item in the dialog
    TPanelDlg& dlg = PanelDlg();
    const AnsiString caption = dlg.Caption();
    AnsiString shownCaption;
    Integer shownInner = -1;
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& d = dynamic_cast<TPanelDlg&>(form);
            shownCaption = d.Caption();
            shownInner = d.cb_Inner->currentIndex();
            d.cb_Transparent->setChecked(true);
            d.cb_Inner->setCurrentIndex(1);
            d.cb_Outer->setCurrentIndex(2);
            d.se_Border->SetValue(3);
            d.se_Bevel->SetValue(2);
            d.rb_Individuell->setChecked(true);
            d.ColorShape->SetBrushColor(0x00FF00);
            d.rb_BK_Individuell->setChecked(true);
            d.BK_Shape->SetBrushColor(0x0000FF);
            d.OKBtn->click();
        }});
        element->EditPanelLook();
    }
    EXPECT_EQ(shownCaption, caption + " - Test LED1");
    EXPECT_EQ(shownInner, 2);
    EXPECT_EQ(dlg.Caption(), caption);
    EXPECT_TRUE(element->GetBisteTransparent());
    EXPECT_EQ(element->BevelInner, bvLowered);
    EXPECT_EQ(element->BevelOuter, bvRaised);
    EXPECT_EQ(element->BorderWidth, 3);
    EXPECT_EQ(element->BevelWidth, 2);
    EXPECT_FALSE(element->ColorFollowsPanel);
    EXPECT_FALSE(element->BackgroundFollowsPanel);
    EXPECT_EQ(element->HintergrundFarbe, 0x0000FFu);
    EXPECT_EQ(element->Color(), 0x00FF00u);   // the frame colour wins

    {
        TFormHook hook({[&](TModalForm& form) {
            auto& d = dynamic_cast<TPanelDlg&>(form);
            d.se_Border->SetValue(9);
            d.CancelBtn->click();
        }});
        element->EditPanelLook();
    }
    EXPECT_EQ(element->BorderWidth, 3);
}

TEST_F(ElementTest, CanPublishAsksTheClassWithoutChangingTheElement)
{
    auto* element = Add<TTestElement>("TTestElement", 0, 0, 40, 20);
    auto* label = Add<TBeschriftung>("TBeschriftung", 0, 0, 40, 20);
    auto* picture = Add<TLogo>("TLogo", 0, 0, 40, 20);
    element->Publish = false;
    picture->Publish = false;
    EXPECT_TRUE(element->CanPublish());
    EXPECT_FALSE(element->Publish);
    EXPECT_TRUE(picture->CanPublish());
    EXPECT_FALSE(label->CanPublish());
}
