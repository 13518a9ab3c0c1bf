// The container: its element list, stacking order, pages, nested panels,
// hit test, content bounds, alignment, the design block and its version
// gates, duplicating and the properties copied to every selected element.
#include "PanelRig.h"

#include "engine/AnsiLiteral.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/Sizer.h"
#include "platform/ClassRegistry.h"
#include "platform/Dialogs.h"

#include <QTabBar>

namespace {

class DesignTest : public PanelTest {
protected:
    std::vector<Integer> ZOrders() const
    {
        std::vector<Integer> z;
        for (const TFP_Element* e : Root->Elements)
            z.push_back(e->ZOrder());
        return z;
    }
    std::vector<TFP_Element*> Three()
    {
        return {Add<TTestElement>("TTestElement", 10, 10, 40, 20), Add<TTestElement>("TTestElement", 60, 10, 40, 20),
                Add<TTestElement>("TTestElement", 110, 10, 40, 20)};
    }
};

constexpr int PanelColor = 14215660;

} // namespace

TEST_F(DesignTest, ElementsAreAddedByClassNameAndRemoved)
{
    Root->SetAktiveFrontplatte(2);
    TFP_Element* a = Root->AddElement("TTestElement");
    TFP_Element* b = Root->AddElement("tbeschriftung");
    EXPECT_EQ(Root->Elements.size(), 2u);
    EXPECT_EQ(Root->IndexOfElement(b), 1);
    EXPECT_EQ(b->ZOrder(), 2);
    EXPECT_EQ(b->FrontplattenNR(), 2);
    EXPECT_EQ(b->parentWidget(), Root);
    EXPECT_TRUE(b->userEdit);
    EXPECT_FALSE(b->isEnabled());   // edited panels take the mouse themselves
    EXPECT_TRUE(TDesign::IsDecoration(b));
    EXPECT_FALSE(TDesign::IsDecoration(a));

    // Unknown names and classes that are no elements are refused and listed nowhere.
    EXPECT_THROW(Root->AddElement("TGibtEsNicht"), EClassNotFound);
    EXPECT_THROW(Root->AddElement("TFP_Element"), EClassNotFound);
    EXPECT_EQ(Root->Elements.size(), 2u);

    Root->SelectElement(0);
    ASSERT_TRUE(Root->IsSelected(a));
    IFP_Element* const removed = a;
    Root->RemoveElement(a);
    EXPECT_TRUE(Root->Selection.empty());
    EXPECT_EQ(Root->Elements.size(), 1u);
    // The freed element asked for by its pointer, of either type, is not
    // found (the element's own pointer is never converted to the interface,
    // a virtual base, which would read the freed object).
    EXPECT_EQ(Root->IndexOfElement(a), -1);
    EXPECT_FALSE(Root->IsSelected(a));
    Root->RemoveElement(a);   // no longer listed: nothing happens
    Root->DeselectElement(a);
    EXPECT_EQ(Root->IndexOfElement(removed), -1);
    EXPECT_EQ(Root->IndexOfElement(b), 0);

    // The operator's view of the panel shows what is left.
    Show();
    QApplication::processEvents();
    EXPECT_TRUE(b->isVisible());
}

TEST_F(DesignTest, StackingOrder)
{
    auto e = Three();
    auto* d = Add<TTestElement>("TTestElement", 160, 10, 40, 20);
    e.push_back(d);
    e[0]->SetZOrder(9);
    e[1]->SetZOrder(2);
    Root->SortByZOrder();
    EXPECT_EQ(Root->Elements, (std::vector<TFP_Element*>{e[1], e[2], d, e[0]}));
    Root->RenumberZOrder();
    EXPECT_EQ(ZOrders(), (std::vector<Integer>{1, 2, 3, 4}));

    // Selected elements keep their relative order at the top or the bottom.
    Root->SelectElement(Root->IndexOfElement(e[2]));
    Root->SelectElement(Root->IndexOfElement(e[1]));
    Root->BringSelectionToFront();
    EXPECT_EQ(Root->Elements, (std::vector<TFP_Element*>{d, e[0], e[1], e[2]}));
    EXPECT_EQ(ZOrders(), (std::vector<Integer>{1, 2, 3, 4}));
    Root->DeselectIndex(-1);
    Root->SelectElement(Root->IndexOfElement(e[0]));
    Root->SelectElement(Root->IndexOfElement(e[2]));
    Root->SendSelectionToBack();
    EXPECT_EQ(Root->Elements, (std::vector<TFP_Element*>{e[0], e[2], d, e[1]}));
    Root->DeselectIndex(-1);
    // The widgets are stacked as listed: the last one is on top.
    const QObjectList children = Root->children();
    EXPECT_LT(children.indexOf(e[0]), children.indexOf(e[1]));
    EXPECT_LT(children.indexOf(d), children.indexOf(e[1]));
}

TEST_F(DesignTest, PagesParkTheElementsOfOtherPages)
{
    QTabBar tabs;
    tabs.addTab("Frontplatte 1");
    tabs.addTab("Frontplatte 2");
    Root->PageTabs = &tabs;
    LanguageIndex = 1;
    EXPECT_EQ(Root->GetPanelCaption(), "Front panel 3");
    LanguageIndex = 2;
    EXPECT_EQ(Root->GetPanelCaption(), "Panneau de contrôle 3"_ansi);
    LanguageIndex = 0;
    EXPECT_EQ(Root->GetPanelCaption(), "Frontplatte 3");

    auto e = Three();
    Root->SelectElement(1);
    Root->SelectElement(2);
    Root->MoveSelectionToPanel(2);
    EXPECT_TRUE(Root->Selection.empty());
    EXPECT_EQ(e[1]->FrontplattenNR(), 2);
    EXPECT_EQ(e[2]->FrontplattenNR(), 2);
    Root->SetAktiveFrontplatte(0);
    EXPECT_EQ(e[0]->parentWidget(), Root);
    EXPECT_EQ(e[1]->parentWidget(), Root->ParkingPanel());
    EXPECT_EQ(Root->HitTest(QPoint(70, 15)), -1);   // parked elements are not hit
    Root->SelectElement(1);
    EXPECT_TRUE(Root->Selection.empty());            // nor selected
    Root->SetAktiveFrontplatte(2);
    EXPECT_EQ(e[0]->parentWidget(), Root->ParkingPanel());
    EXPECT_EQ(e[1]->parentWidget(), Root);
    EXPECT_EQ(e[1]->pos(), QPoint(60, 10));
    EXPECT_EQ(Root->HitTest(QPoint(70, 15)), 1);
}

TEST_F(DesignTest, NestedPanelsShowOnlyWhenSomethingBesidesPanelsLiesInThem)
{
    auto* outer = dynamic_cast<TDesign*>(Root->AddElement("TDesign"));
    auto* inner = dynamic_cast<TDesign*>(outer->AddElement("TDesign"));
    Show();
    EXPECT_TRUE(Root->HasOnlySubPanels());
    Root->SetisVisible(true);
    EXPECT_FALSE(outer->Shown);
    EXPECT_FALSE(outer->isVisible());
    inner->AddElement("TTestElement");
    Root->SetisVisible(true);
    EXPECT_TRUE(outer->Shown);
    EXPECT_TRUE(inner->Shown);
    EXPECT_TRUE(inner->isVisible());
    Root->SetisVisible(false);
    EXPECT_FALSE(inner->Shown);

    // Pages reach into nested panels: their children share the panel's page.
    outer->SetFrontplattenNR(3);
    EXPECT_EQ(inner->FrontplattenNR(), 3);
    EXPECT_EQ(inner->Elements[0]->FrontplattenNR(), 3);
    Root->SetAktiveFrontplatte(1);
    EXPECT_EQ(inner->AktiveFrontplatte, 1);
    EXPECT_EQ(inner->Elements[0]->parentWidget(), inner);   // only the top panel parks
}

TEST_F(DesignTest, HitTestGoesTopDownWithEdgesAndFrames)
{
    auto* below = Add<TTestElement>("TTestElement", 10, 10, 40, 20);
    auto* above = Add<TTestElement>("TTestElement", 30, 20, 40, 20);
    const struct {
        QPoint Point;
        Integer Hit;
    } cases[] = {
        {{10, 10}, 0}, {{10, 30}, 0}, {{29, 30}, 0},   // edges included
        {{30, 20}, 1}, {{50, 30}, 1}, {{70, 40}, 1},   // the upper one where both lie
        {{9, 10}, -1}, {{71, 40}, -1}, {{60, 15}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Root->HitTest(c.Point), c.Hit) << c.Point.x() << "," << c.Point.y();
    Root->SelectElement(0);   // a selected element is hit on its frame
    EXPECT_EQ(Root->HitTest(QPoint(5, 5)), 0);
    EXPECT_EQ(Root->HitTest(QPoint(35, 25)), 1);
    EXPECT_EQ(Root->Elements, (std::vector<TFP_Element*>{below, above}));
}

TEST_F(DesignTest, ContentBoundsAreTheUnionOfTheElements)
{
    EXPECT_EQ(Root->GetContentBounds(), TRect{});
    Add<TTestElement>("TTestElement", 10, 20, 40, 20);
    Add<TTestElement>("TTestElement", 100, 5, 30, 60);
    Root->SelectElement(1);
    const TRect r = Root->GetContentBounds();
    EXPECT_TRUE(Root->Selection.empty());
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 5);
    EXPECT_EQ(r.Right, 130);
    EXPECT_EQ(r.Bottom, 65);
}

TEST_F(DesignTest, AlignmentSnapsOneElementToTheGridAndSeveralToTheLastSelected)
{
    const struct {
        Integer Kind;
        QRect Before;
        QPoint After;
    } single[] = {
        {0, {37, 50, 20, 10}, {32, 50}},
        {0, {40, 50, 20, 10}, {32, 50}},   // 2.5 rounds to 2
        {0, {56, 50, 20, 10}, {64, 50}},   // 3.5 rounds to 4
        {1, {37, 50, 20, 10}, {44, 50}},   // right edge 57 -> 64
        {2, {10, 41, 20, 10}, {10, 48}},
        {3, {10, 41, 20, 10}, {10, 38}},   // bottom 51 -> 48
        {4, {37, 50, 21, 10}, {38, 50}},   // centre 47.5 -> 48, minus round(10.5) = 10
        {5, {10, 20, 20, 7}, {10, 12}},    // centre 23.5 -> 16, minus round(3.5) = 4
    };
    GridSize = 16;
    for (const auto& c : single) {
        SCOPED_TRACE(c.Kind);
        auto* e = Add<TTestElement>("TTestElement", c.Before.x(), c.Before.y(), c.Before.width(), c.Before.height());
        Root->SelectElement(Root->IndexOfElement(e));
        Root->AlignSelection(c.Kind);
        ASSERT_TRUE(Root->IsSelected(e));   // selected again
        EXPECT_EQ(e->parentWidget()->pos() + QPoint(6, 6), c.After);
        Root->RemoveElement(e);
    }
    // Without a grid a single element stays.
    GridSize = 1;
    auto* e = Add<TTestElement>("TTestElement", 37, 50, 20, 10);
    Root->SelectElement(0);
    Root->AlignSelection(0);
    Root->DeselectIndex(-1);
    EXPECT_EQ(e->pos(), QPoint(37, 50));
    Root->RemoveElement(e);

    const struct {
        Integer Kind;
        std::vector<QPoint> After;
    } several[] = {
        {0, {{100, 10}, {100, 50}, {100, 90}}},
        {1, {{120, 10}, {130, 50}, {100, 90}}},   // right edges at 140
        {2, {{10, 90}, {50, 90}, {100, 90}}},
        {3, {{10, 100}, {50, 90}, {100, 90}}},
        {4, {{110, 10}, {115, 50}, {100, 90}}},
        {5, {{10, 95}, {50, 90}, {100, 90}}},
    };
    for (const auto& c : several) {
        SCOPED_TRACE(c.Kind);
        std::vector<TFP_Element*> e3 = {Add<TTestElement>("TTestElement", 10, 10, 20, 10),
                                        Add<TTestElement>("TTestElement", 50, 50, 10, 20),
                                        Add<TTestElement>("TTestElement", 100, 90, 40, 20)};
        for (TFP_Element* x : e3)
            Root->SelectElement(Root->IndexOfElement(x));
        Root->AlignSelection(c.Kind);
        EXPECT_TRUE(Root->Selection.empty());
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(e3[i]->pos(), c.After[i]) << i;
        for (TFP_Element* x : e3)
            Root->RemoveElement(x);
    }
}

TEST_F(DesignTest, TheDesignBlockKeepsDecorationsAndTheContainersLook)
{
    // An empty panel: 0, then the container's settings.
    TStreamBytes empty;
    empty.Int(0).Int(0).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(true);
    empty.Int(0).Bool(false).Bool(true).Int(0).Int(0);
    EXPECT_EQ(Block(*Root), empty.Bytes);

    // Component elements are not part of it; decorations are, in list order.
    Add<TTestElement>("TTestElement", 1, 1, 10, 10);
    auto* frame = Add<TRahmen>("TRahmen", 20, 30, 100, 50);
    frame->Bevel.Shape = bsFrame;
    frame->SetZOrder(2);
    Root->SelectElement(1);   // written in container coordinates all the same
    Root->BorderWidth = 2;
    Root->OnProperties = [] {};   // the root panel publishes
    TStreamBytes b;
    b.Int(1).Str("TRahmen").Int(20).Int(30);
    b.Int(2).Bool(false).Int(-10000).Raw({100, 0, 50, 0}).Str("").Bool(false);
    b.Int(0).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(true);
    b.Int(0).Bool(false).Bool(true).Int(0).Int(0);
    b.Raw({100, 0, 50, 0, 1, 0});
    b.Int(2).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(true);
    b.Int(0).Bool(true).Bool(true).Int(0).Int(0);
    EXPECT_EQ(Block(*Root), b.Bytes);
    EXPECT_EQ(frame->pos(), QPoint(6, 6));   // back in its frame
}

TEST_F(DesignTest, OlderDesignBlocksStopAtTheirVersionGates)
{
    const struct {
        Byte Version;
        bool Look;
        bool Web;
    } cases[] = {{39, false, false}, {42, true, false}, {46, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Version));
        TStreamBytes b;
        b.Int(1).Str("TSkale").Int(40).Int(50);
        b.Int(5).Bool(false).Int(-10000).Raw({100, 0, 20, 0}).Str("").Bool(false);
        if (c.Look) {
            b.Int(0).Int(1).Int(0).Int(0).Int(0).Int(0).Bool(true).Bool(false);
            if (c.Web)
                b.Int(0).Bool(false).Bool(false).Int(0).Int(0);
        }
        b.Raw({10, 0, 1, 0, 5, 0, 2, 100, 0, 20, 0});
        if (c.Look)
            b.Int(255);
        if (c.Look) {
            b.Int(4).Int(2).Int(1).Int(2).Int(0x00FF00).Int(0xFF0000).Bool(false).Bool(false);
            if (c.Web)
                b.Int(7).Bool(true).Bool(false).Int(1).Str("<h1>").Int(0);
        }
        b.Int(99);
        TDesign design;
        design.SetZOrder(3);
        TMemoryStream stream(b.Bytes);
        {
            TReader reader(stream);
            design.ReadFromStream(stream, reader, c.Version);
            EXPECT_EQ(reader.ReadInteger(), 99);
        }
        ASSERT_EQ(design.Elements.size(), 1u);
        auto* scale = dynamic_cast<TSkale*>(design.Elements[0]);
        ASSERT_NE(scale, nullptr);
        EXPECT_EQ(scale->pos(), QPoint(40, 50));
        EXPECT_EQ(scale->SKTeile, 10);
        EXPECT_EQ(scale->LineColor, c.Look ? 255u : 0u);
        EXPECT_EQ(design.BorderWidth, c.Look ? 4 : 0);
        EXPECT_EQ(design.HintergrundFarbe, c.Look ? 0x00FF00u : TColor(PanelColor));
        EXPECT_EQ(design.Color(), c.Look ? 0xFF0000u : TColor(PanelColor));
        EXPECT_EQ(design.BackgroundFollowsPanel, !c.Look);
        EXPECT_EQ(design.WebSortOrder, c.Web ? 7 : c.Look ? 3 : 0);
        EXPECT_EQ(design.HtmlHead, c.Web ? std::vector<AnsiString>{"<h1>"} : std::vector<AnsiString>{});
    }
}

TEST_F(DesignTest, ADesignBlockWithAnUnknownClassOrAnElementThatIsNoDecorationIsRefused)
{
    for (const char* className : {"TUnbekannt", "TDesign", "TTestElement"}) {
        SCOPED_TRACE(className);
        TStreamBytes b;
        b.Int(1).Str(className).Int(40).Int(50).Int(1).Bool(false);
        TMemoryStream stream(b.Bytes);
        TReader reader(stream);
        EXPECT_THROW(Root->ReadFromStream(stream, reader, 2), EReadError);
        EXPECT_TRUE(Root->Elements.empty());
    }
    // Letter case does not matter, as for the class registry.
    TStreamBytes b;
    b.Int(1).Str("trahmen").Int(40).Int(50).Int(1).Bool(false).Raw({10, 0, 10, 0, 0, 0});
    TMemoryStream stream(b.Bytes);
    TReader reader(stream);
    Root->ReadFromStream(stream, reader, 2);
    ASSERT_EQ(Root->Elements.size(), 1u);
    EXPECT_NE(dynamic_cast<TRahmen*>(Root->Elements[0]), nullptr);
}

TEST_F(DesignTest, ElementsReadFromMemoryLandOnThePageShown)
{
    auto* e = Add<TTestElement>("TTestElement", 10, 10, 40, 20);
    e->SetFrontplattenNR(1);
    TMemoryStream stream;
    {
        TWriter writer(stream);
        Root->WriteElement(e, stream, writer);
    }
    auto* copy = Add<TTestElement>("TTestElement", 0, 0, 1, 1);
    Root->SetNewElementPage(3);
    stream.SetPosition(0);
    {
        TReader reader(stream);
        Root->ReadElement(copy, stream, reader, 255);
    }
    EXPECT_EQ(copy->FrontplattenNR(), 3);
    EXPECT_EQ(copy->geometry(), QRect(10, 10, 40, 20));
    EXPECT_EQ(copy->parentWidget(), Root->ParkingPanel());   // page 3 is not shown
}

// A damaged record's position stays within reach of the panel, so sums of
// positions and sizes (a macro panel around its elements) cannot overflow.
TEST_F(DesignTest, DamagedElementPositionsAreLimited)
{
    const struct {
        Integer Left, Top;
        QPoint Kept;
    } cases[] = {
        {10, -20, {10, -20}},
        {0x7FFFFFFF, -0x7FFFFFFF - 1, {MaxElementPosition, -MaxElementPosition}},
        {MaxElementPosition + 1, -MaxElementPosition, {MaxElementPosition, -MaxElementPosition}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Left);
        TStreamBytes b;
        b.Int(c.Left).Int(c.Top).Int(1).Bool(false);   // position, then an old element record
        auto* element = Add<TTestElement>("TTestElement", 0, 0, 40, 20);
        TMemoryStream stream(b.Bytes);
        TReader reader(stream);
        Root->ReadElement(element, stream, reader, 2);
        EXPECT_EQ(element->pos(), c.Kept);
        Root->RemoveElement(element);
    }
}

TEST_F(DesignTest, DuplicatesGoOnTopUnselectedFourPixelsFurther)
{
    auto* text = Add<TBeschriftung>("TBeschriftung", 10, 20, 80, 20);
    text->Text = "Druck";
    auto* frame = Add<TRahmen>("TRahmen", 50, 60, 100, 40);
    auto* other = Add<TTestElement>("TTestElement", 200, 10, 40, 20);
    Root->SelectElement(0);
    Root->SelectElement(1);
    Root->DuplicateSelection();
    EXPECT_TRUE(Root->Selection.empty());
    ASSERT_EQ(Root->Elements.size(), 5u);
    // Each copy is made while the rest of the selection is brought to the front.
    auto* textCopy = dynamic_cast<TBeschriftung*>(Root->Elements[2]);
    auto* frameCopy = dynamic_cast<TRahmen*>(Root->Elements[4]);
    EXPECT_EQ(Root->Elements, (std::vector<TFP_Element*>{text, other, textCopy, frame, frameCopy}));
    ASSERT_NE(textCopy, nullptr);
    ASSERT_NE(frameCopy, nullptr);
    EXPECT_EQ(textCopy->Text, "Druck");
    EXPECT_EQ(textCopy->geometry(), QRect(14, 24, 80, 20));
    EXPECT_EQ(frameCopy->geometry(), QRect(54, 64, 100, 40));
    EXPECT_EQ(ZOrders(), (std::vector<Integer>{1, 2, 3, 4, 5}));

    Root->SelectElement(2);
    Root->SelectElement(4);
    Root->DeleteSelection();
    EXPECT_EQ(Root->Elements, (std::vector<TFP_Element*>{text, other, frame}));
}

TEST_F(DesignTest, PropertiesGoToEverySelectedElementOnYes)
{
    std::vector<TFP_Element*> e = Three();
    auto* first = static_cast<TTestElement*>(e[0]);
    first->BorderWidth = 4;
    first->Ratio = 3.0L;   // the first one's ratio is applied before its dialog
    for (TFP_Element* x : e)
        Root->SelectElement(Root->IndexOfElement(x));
    {
        TModalHook hook({TModalAnswer::Button(IDYES)});
        Root->PopupProperties();
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, "Sämtliche Eigenschaften für gewählte Objekte übernehmen?"_ansi);
        EXPECT_EQ(hook.Requests()[0].Caption, "Eigenschaften");
    }
    EXPECT_EQ(first->DialogCount, 1);
    EXPECT_EQ(first->width(), 44);   // 3 x the inner 12, plus the frame
    EXPECT_EQ(e[1]->BorderWidth, 4);
    EXPECT_EQ(e[1]->width(), 44);
    EXPECT_EQ(e[2]->BorderWidth, 4);
    EXPECT_EQ(e[2]->pos(), QPoint(110, 10));   // the record does not hold the position
    EXPECT_TRUE(Root->Selection.empty());

    // Cancelled: nothing is asked or copied.
    first->BorderWidth = 1;
    first->DialogResult = 2;
    Root->SelectElement(0);
    Root->SelectElement(1);
    {
        TModalHook hook(std::vector<TModalAnswer>{});
        Root->PopupProperties();
        EXPECT_TRUE(hook.Requests().empty());
    }
    EXPECT_EQ(e[1]->BorderWidth, 4);

    // Without a selection the panel's own dialog is asked for.
    int panelDialogs = 0;
    Root->OnProperties = [&] { ++panelDialogs; };
    Root->PopupProperties();
    EXPECT_EQ(panelDialogs, 1);
}

TEST_F(DesignTest, RecursionOrders)
{
    // State, names and hotkeys go to the children topmost first; reset in list order.
    struct TOrdered : TTestElement {
        std::vector<int>* Log = nullptr;
        int Id = 0;
        void ResetToDefault() override { Log->push_back(Id); }
        void HotkeyDown(Word, Byte) override { Log->push_back(10 + Id); }
        bool MatchFullName(const AnsiString& p, const AnsiString& s) override
        {
            Log->push_back(20 + Id);
            return TFP_Element::MatchFullName(p, s);
        }
    };
    std::vector<int> log;
    for (int i = 0; i < 3; ++i) {
        auto* element = new TOrdered;
        element->Log = &log;
        element->Id = i;
        element->setParent(Root);
        Root->Elements.push_back(element);
    }
    Root->ResetToDefault();
    Root->HotkeyDown('A', 0);
    Root->MatchFullName("MainModul", "x");
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2, 12, 11, 10, 22, 21, 20}));
}

TEST(FileTitleUpperTest, NameWithoutFolderAndLastExtension)
{
    EXPECT_EQ(FileTitleUpper("/home/a/Pump.station.prj"), "PUMP.STATION");
    EXPECT_EQ(FileTitleUpper("C:\\Projekte\\anlage.PRJ"), "ANLAGE");
    EXPECT_EQ(FileTitleUpper("ohne"), "OHNE");
}
