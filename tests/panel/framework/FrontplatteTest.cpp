// The front-panel window: frame and tool-button tables, pages, keys, its
// project-file block, its settings files, printing and page activation.
#include "panel/framework/Frontplatte.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/FrontplatteGlobals.h"
#include "panel/framework/HintBox.h"
#include "panel/framework/PanelClasses.h"
#include "panel/framework/PanelGlobals.h"
#include "panel/framework/PreviewDlg.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "support/StateElement.h"
#include "support/StreamBytes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QScrollBar>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

class FrontplatteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        SetProgramFolder(Program());
        ResetGlobals();
        RegisterPanelClasses();
        RegisterClass(TStateElement::StaticClass());
        Panel = std::make_unique<TFrontplatte>();
        Panel->ResetToNewProject();
        PanelWindow = Panel.get();
    }
    void TearDown() override
    {
        Panel.reset();
        SetProgramFolder("");
        ResetGlobals();
    }
    AnsiString Program() const { return folder_.path().toStdString() + "/"; }
    QString Path(const QString& name) const { return folder_.filePath(name); }
    TStateElement* AddState(const char* name, Integer page)
    {
        auto* element = static_cast<TStateElement*>(Panel->Root->AddElement("TStateElement"));
        element->SetElementName(name);
        element->SetFrontplattenNR(page);
        return element;
    }
    TFP_Element* AddLabel(Integer page)
    {
        TFP_Element* element = Panel->Root->AddElement("TBeschriftung");
        element->SetFrontplattenNR(page);
        return element;
    }
    std::vector<Integer> Pages() const
    {
        std::vector<Integer> pages;
        for (const TFP_Element* e : Panel->Root->Elements)
            pages.push_back(e->FrontplattenNR());
        return pages;
    }
    TBytes BlockBytes()
    {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            Panel->WriteToStream(stream, writer);
            writer.FlushBuffer();
        }
        return stream.Bytes();
    }
    // A fresh window that reads the bytes.
    std::unique_ptr<TFrontplatte> ReadBlock(const TBytes& bytes, Byte version)
    {
        auto panel = std::make_unique<TFrontplatte>();
        TMemoryStream stream(bytes);
        TReader reader(stream);
        panel->ReadFromStream(stream, reader, version);
        return panel;
    }

    QTemporaryDir folder_;
    std::unique_ptr<TFrontplatte> Panel;
};

// ---- Frame and tools

TEST(FrontplatteBorderTest, BorderStyleTableForEveryCombination)
{
    using B = TPanelBorder;
    // Index bits: 1 FullScreen, 2 ToolTitel, 4 Skalierbar, 8 RunMode, 16 RunOnly.
    for (int bits = 0; bits < 32; ++bits) {
        const TPanelBorderOptions o{bool(bits & 1), bool(bits & 2), bool(bits & 4), bool(bits & 8), bool(bits & 16)};
        const bool operated = o.RunMode || o.RunOnly;
        B expected = B::Single;
        if (o.FullScreen && operated)
            expected = B::None;
        else if (o.ToolTitel && !o.Skalierbar && operated)
            expected = B::ToolWindow;
        else if (o.ToolTitel)
            expected = B::SizeToolWin;
        else if (!operated || (o.RunMode && o.Skalierbar))
            expected = B::Sizeable;
        SCOPED_TRACE(bits);
        EXPECT_EQ(ComputeBorderStyle(o), expected);
        EXPECT_EQ(BorderHasMinMax(o), (o.Skalierbar && !o.FullScreen) || !operated);
    }
    // Run-only and sizeable without run mode: single, not sizeable.
    EXPECT_EQ(ComputeBorderStyle({false, false, true, false, true}), B::Single);
}

TEST_F(FrontplatteTest, ToolButtonsFollowTheOptionsInRunModeAndAllShowInEditMode)
{
    const struct {
        const char* Name;
        bool TFrontplatte::*Option;
        bool EditVisible;
    } buttons[] = {
        {"OpenBtn", &TFrontplatte::ShowOpenBtn, false},   {"SaveBtn", &TFrontplatte::ShowSaveBtn, false},
        {"HintBtn", &TFrontplatte::ShowHintBtn, false},   {"DlgBtn", &TFrontplatte::ShowDlgBtn, true},
        {"HelpBtn", &TFrontplatte::ShowHelpBtn, true},    {"HWBtn", &TFrontplatte::ShowHWBtn, true},
        {"PrintBtn", &TFrontplatte::ShowPrintBtn, true},  {"CopyBtn", &TFrontplatte::ShowCopyBtn, true},
        {"InternalBtn", &TFrontplatte::ShowInternalBtn, true},
    };
    for (bool on : {false, true})
        for (bool run : {false, true}) {
            for (const auto& b : buttons)
                (*Panel).*(b.Option) = on;
            Panel->SetRunMode(run);
            for (const auto& b : buttons) {
                SCOPED_TRACE(std::string(b.Name) + (on ? " on" : " off") + (run ? " run" : " edit"));
                EXPECT_EQ(Panel->ToolButtonVisible(Panel->findChild<QToolButton*>(b.Name)), on ? run || b.EditVisible : !run && b.EditVisible);
            }
            EXPECT_EQ(Panel->Statusbar->isHidden(), run);
            EXPECT_EQ(Panel->Root->isEditing, !run);
        }
}

TEST_F(FrontplatteTest, TheGridButtonFitsItsCaptionInEveryLanguage)
{
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        TFrontplatte panel;
        const auto* grid = panel.findChild<QToolButton*>("SB_Raster");
        ASSERT_NE(grid, nullptr);
        EXPECT_GE(grid->width(), grid->fontMetrics().horizontalAdvance(grid->text()) + 8) << grid->text().toStdString();
    }
    LanguageIndex = 0;
}

TEST_F(FrontplatteTest, FullScreenInRunModeIsBorderlessAndEditModeReturnsToTheNormalBounds)
{
    Panel->AutoSaveOption = false;
    Panel->FullScreen = true;
    Panel->SetWindowBounds(QRect(50, 60, 300, 200));
    Panel->RememberNormalBounds();
    Panel->SetRunMode(true);
    EXPECT_EQ(Panel->Border(), TPanelBorder::None);
    EXPECT_EQ(Panel->WindowStateValue(), 2);
    Panel->SetRunMode(false);
    EXPECT_EQ(Panel->Border(), TPanelBorder::Sizeable);
    EXPECT_EQ(Panel->WindowStateValue(), 0);
    EXPECT_EQ(Panel->WindowBounds(), QRect(50, 60, 300, 200));
    EXPECT_TRUE(PanelRepaintPending);
}

// ---- Pages

TEST_F(FrontplatteTest, NewProjectHasOnePageWithoutTabStrip)
{
    EXPECT_EQ(Panel->PageNames(), QStringList{"Frontplatte 1"});
    EXPECT_TRUE(Panel->TabControl1->isHidden());
    EXPECT_EQ(Panel->WindowCaption(), "Frontplatte");
    EXPECT_EQ(Panel->Root->ElementName(), "Frontplatte");
    EXPECT_TRUE(Panel->AutoSave());
    Panel->NeueFrontplatte1Click();
    EXPECT_EQ(Panel->PageNames(), QStringList({"Frontplatte 1", "Frontplatte 2"}));
    EXPECT_FALSE(Panel->TabControl1->isHidden());
    EXPECT_EQ(Panel->AktiveFrontplatte(), 1);
    Panel->Lschen1Click();
    EXPECT_EQ(Panel->PageCount(), 1);
    EXPECT_TRUE(Panel->TabControl1->isHidden());
}

TEST_F(FrontplatteTest, DeleteMoveAndCheckPagesRenumberTheElements)
{
    for (int i = 0; i < 3; ++i)
        Panel->NeueFrontplatte1Click();   // four pages
    AddLabel(0);
    AddLabel(2);
    AddLabel(3);
    // A middle page: the index stays, later pages move down.
    Panel->TabControl1->setCurrentIndex(1);
    Panel->Lschen1Click();
    EXPECT_EQ(Pages(), (std::vector<Integer>{0, 1, 2}));
    EXPECT_EQ(Panel->AktiveFrontplatte(), 1);
    // A page with elements stays, with the message.
    {
        TModalHook hook({TModalAnswer::Button(IDOK)});
        Panel->Lschen1Click();
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, "Es können nur leere Frontplatten gelöscht werden!"_ansi);
        EXPECT_EQ(hook.Requests()[0].Caption, "Frontplatte löschen"_ansi);
    }
    EXPECT_EQ(Panel->PageCount(), 3);
    // Page 2 to the left swaps the elements and the tab names.
    Panel->TabControl1->setTabText(0, "A");
    Panel->TabControl1->setTabText(1, "B");
    Panel->MovePage(-1);
    EXPECT_EQ(Pages(), (std::vector<Integer>{1, 0, 2}));
    EXPECT_EQ(Panel->PageNames().mid(0, 2), QStringList({"B", "A"}));
    EXPECT_EQ(Panel->AktiveFrontplatte(), 0);
    Panel->MovePage(-1);   // nothing left of the first
    EXPECT_EQ(Pages(), (std::vector<Integer>{1, 0, 2}));
    // The last of several, once empty, selects the one before.
    Panel->Root->RemoveElement(Panel->Root->Elements[2]);
    Panel->TabControl1->setCurrentIndex(2);
    Panel->Lschen1Click();
    EXPECT_EQ(Panel->PageCount(), 2);
    EXPECT_EQ(Panel->AktiveFrontplatte(), 1);
    // An element on page 5 brings its tabs.
    AddLabel(4);
    Panel->CheckeFrontplattenNummern();
    EXPECT_EQ(Panel->PageCount(), 5);
    EXPECT_EQ(Panel->AktiveFrontplatte(), 4);
}

TEST_F(FrontplatteTest, PageActivationSelectsAPageAndIgnoresPagesOutOfRange)
{
    Panel->NeueFrontplatte1Click();
    Panel->TabControl1->setCurrentIndex(0);
    for (Integer lParam : {0, 3, 4095})
        Panel->wm_FPActivate(lParam);
    EXPECT_EQ(Panel->AktiveFrontplatte(), 0);
    // 4098: page 2, printed at once without the preview.
    const QString pdf = Path("direct.pdf");
    PanelPrinterSetup = [pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    TFormHook noPreview({});
    Panel->wm_FPActivate(4098);
    PanelPrinterSetup = nullptr;
    EXPECT_EQ(Panel->AktiveFrontplatte(), 1);
    EXPECT_TRUE(noPreview.Shown().empty());
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(FrontplatteTest, AMacroPanelShownAndBackReturnsToItsPlace)
{
    auto* nested = static_cast<TDesign*>(Panel->Root->AddElement("TDesign"));
    nested->OwnerDesign = Panel->Root.get();
    nested->SetElementName("Makro 1: Filter");
    nested->setGeometry(150, 150, 120, 70);
    Panel->NeueFrontplatte1Click();
    Panel->ShowPanel(nested);
    EXPECT_EQ(Panel->ShownDesign(), nested);
    EXPECT_EQ(nested->parentWidget(), Panel->ScrollBox);
    EXPECT_EQ(Panel->WindowCaption(), "MAKRO 1: FILTER");
    EXPECT_TRUE(Panel->TabControl1->isHidden());
    EXPECT_TRUE(Panel->NewToolPanel->isHidden());   // no project tools on a macro's panel
    EXPECT_EQ(Panel->AktiveFrontplatte(), 0);   // the macro panel's page
    Panel->ShowPanel(Panel->Root.get());
    EXPECT_EQ(nested->parentWidget(), Panel->Root.get());
    EXPECT_EQ(nested->geometry(), QRect(150, 150, 120, 70));
    EXPECT_EQ(Panel->WindowCaption(), "Frontplatte");
    EXPECT_FALSE(Panel->TabControl1->isHidden());
    EXPECT_FALSE(Panel->NewToolPanel->isHidden());
}

// The status bar's buttons never lie over each other, in any language and
// however narrow the window is (the grid button ran under the grid sizes).
TEST_F(FrontplatteTest, StatusBarButtonsDoNotOverlapInANarrowWindow)
{
    for (Integer language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        LanguageIndex = language;
        TFrontplatte panel;
        panel.ResetToNewProject();
        panel.show();
        panel.SetWindowBounds(QRect(10, 10, 300, 300));
        QApplication::processEvents();
        const QList<QToolButton*> buttons =
            panel.Statusbar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_GT(buttons.size(), 10);
        EXPECT_GE(panel.SB_Raster->width(), panel.SB_Raster->sizeHint().width());
        for (int i = 0; i < buttons.size(); ++i)
            for (int j = i + 1; j < buttons.size(); ++j)
                EXPECT_FALSE(buttons[i]->geometry().intersects(buttons[j]->geometry()))
                    << buttons[i]->objectName().toStdString() << " over " << buttons[j]->objectName().toStdString();
    }
    LanguageIndex = 0;
}

TEST_F(FrontplatteTest, HintBoxShowsNearTheCursorAndHidesForNoText)
{
    Panel->show();
    const AnsiString text = "Schalter S1";
    Panel->ShowHintText(&text);
    EXPECT_TRUE(Panel->HintBox->isVisible());
    EXPECT_EQ(Panel->HintBox->Text, text);
    EXPECT_LE(Panel->HintBox->geometry().right(), Panel->width() - 10);
    const AnsiString empty;
    Panel->ShowHintText(&empty);
    EXPECT_FALSE(Panel->HintBox->isVisible());
    Panel->ShowHintText(&text);
    Panel->ShowHintText(nullptr);
    EXPECT_FALSE(Panel->HintBox->isVisible());
}

// ---- Keys

TEST_F(FrontplatteTest, KeysInEditAndRunMode)
{
    int stops = 0, starts = 0, hardware = 0;
    Panel->OnStopKey = [&] { ++stops; };
    Panel->OnStartKey = [&] { ++starts; };
    Panel->OnHardwareDialog = [&] { ++hardware; };
    THotkey receiver;
    receiver.Key = 'A';
    int received = 0;
    receiver.OnPress = [&](THotkey*) { ++received; };
    HotkeyReceivers.push_back(&receiver);
    Panel->ShowHWBtn = true;
    Panel->ShowHintBtn = true;

    // Edit mode: Escape and F9 only; hotkeys do not pass.
    for (Word key : {Word(27), Word(120), Word(117), Word('A')})
        Panel->FormKeyDown(key, 0);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(hardware, 0);
    EXPECT_EQ(received, 0);

    Panel->SetRunMode(true);
    Panel->ShowHints = true;
    Panel->HintBtn->setChecked(true);
    for (Word key : {Word(27), Word(120), Word(117), Word('A'), Word(119)})
        Panel->FormKeyDown(key, 0);
    Panel->FormKeyUp('A', 0);
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(hardware, 1);
    EXPECT_EQ(received, 1);
    // F8 switched the hints and the button together.
    EXPECT_FALSE(Panel->ShowHints);
    EXPECT_FALSE(Panel->HintBtn->isChecked());
    // With the button hidden F8 leaves the hints.
    Panel->ShowHintBtn = false;
    Panel->SetRunMode(true);
    Panel->FormKeyDown(119, 0);
    EXPECT_FALSE(Panel->ShowHints);
}

// A key the focus widget leaves travels up to the window; the window acts on
// it once, wherever the focus is. F9 runs the circuit inside its own key
// event until Escape stops it: acted on again, it started the run anew.
TEST_F(FrontplatteTest, EachKeyActsOnceWhereverTheFocusIs)
{
    Panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Panel.get()));
    QWidget child(Panel->Root.get());
    child.setFocusPolicy(Qt::StrongFocus);
    child.show();
    for (QWidget* focus : {static_cast<QWidget*>(&child), static_cast<QWidget*>(nullptr)}) {
        SCOPED_TRACE(focus ? "child has the focus" : "no focus");
        if (focus) {
            Panel->activateWindow();
            focus->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), focus);
        } else if (QApplication::focusWidget()) {
            QApplication::focusWidget()->clearFocus();
        }
        QWidget* target = focus ? focus : Panel.get();
        int stops = 0, starts = 0;
        Panel->OnStopKey = [&] { ++stops; };
        Panel->OnStartKey = [&] {
            ++starts;
            QTest::keyClick(target, Qt::Key_Escape);   // the operator stops the run
        };
        QTest::keyClick(target, Qt::Key_F9);
        EXPECT_EQ(starts, 1);
        EXPECT_EQ(stops, 1);
    }
}

TEST_F(FrontplatteTest, ArrowsMoveTheSelectionByTheGridOrOnePixelWithCtrl)
{
    Panel->show();
    TFP_Element* label = AddLabel(0);
    label->move(40, 40);
    Panel->FormKeyDown(39, 0);   // nothing selected: nothing moves
    EXPECT_EQ(label->pos(), QPoint(40, 40));
    GridSize = 8;
    // The frame of a selected element holds it; deselected it lies in the panel again.
    Panel->Root->SelectElement(0);
    Panel->FormKeyDown(39, 0);
    Panel->FormKeyDown(40, ssCtrl);
    Panel->Root->DeselectIndex(-1);
    EXPECT_EQ(label->geometry().topLeft(), QPoint(48, 41));
    EXPECT_EQ(GridSize, 8);
}

TEST_F(FrontplatteTest, ClosingInRunModeStopsTheRunAndKeepsTheWindow)
{
    int stops = 0;
    Panel->OnStopKey = [&] { ++stops; };
    Panel->show();
    Panel->SetRunMode(true);
    EXPECT_FALSE(Panel->close());
    EXPECT_EQ(stops, 1);
    Panel->SetRunMode(false);
    EXPECT_TRUE(Panel->close());
}

// ---- The project-file block

TEST_F(FrontplatteTest, BlockOfANewProjectByteForByte)
{
    TStreamBytes b;
    b.Raw({100, 0, 100, 0, 0x9F, 1, 0x35, 1});
    b.Raw({11, 'F', 'r', 'o', 'n', 't', 'p', 'l', 'a', 't', 't', 'e'});
    b.Bytes.resize(b.Bytes.size() + 39, 0);
    b.Int(1).Str("Frontplatte 1").Int(0);
    b.Bool(true).Bool(true).Bool(true).Bool(false).Bool(false).Bool(false).Bool(true);
    b.Str("").Bool(true).Bool(false).Bool(true).Bool(true).Str("").Bool(false);
    b.Raw({0xEC, 0xE9, 0xD8, 0x00});
    b.Bool(false).Int(0).Int(0).Int(0).Int(0).Int(100);
    b.Raw({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
    b.Str("").Bool(false).Bool(true).Bool(false).Int(-1).Int(0).Int(0).Int(0);
    b.Str("").Int(0).Int(5).Int(0).Bool(false);
    EXPECT_EQ(BlockBytes(), b.Bytes);
}

TEST_F(FrontplatteTest, BlockRoundTripKeepsEveryItem)
{
    Panel->Title = "Ein Titel, der länger ist als fünfzig Zeichen, wird gekürzt"_ansi;
    Panel->SetWindowBounds(QRect(-1200, -30, 500, 350));
    Panel->TabControl1->setTabText(0, "Bedienung");
    Panel->TabControl1->addTab("Service");
    Panel->TabControl1->setCurrentIndex(1);
    Panel->ShowHelpBtn = Panel->ToolTitel = Panel->Skalierbar = Panel->ShowHintBtn = Panel->ShowHWBtn = true;
    Panel->ShowInternalBtn = true;
    Panel->AutoSaveOption = false;
    Panel->HelpFile = "hilfe.pdf";
    Panel->ShowHints = false;
    PanelDefaultColor = 0x123456;
    Panel->PrintOffset = {3, 4};
    Panel->PreviewOffset = {5, 6};
    Panel->PrintZoom = 150;
    Panel->PrintScale = PrintScaleOfZoom(150);
    Panel->PrintHeadline = "Kopf";
    Panel->PrintMono = true;
    Panel->PrintCentered = false;
    Panel->PrinterIndex = 2;
    Panel->PrintOrientation = 1;
    Panel->PrintComment = {"eins", "zwei"};
    Panel->ToolbarMode = 2;
    WebServerPath = "/opt/web/server";
    Panel->SetWebMode(1);
    WebRefreshSeconds = 12;
    Panel->FullScreen = true;
    const TBytes bytes = BlockBytes();

    PanelDefaultColor = NewPanelColor;
    WebServerPath.clear();
    WebRefreshSeconds = 5;
    auto read = ReadBlock(bytes, 46);
    EXPECT_EQ(read->Title, "Ein Titel, der länger ist als fünfzig Zeichen, wir"_ansi);
    EXPECT_EQ(read->WindowBounds(), QRect(-1200, -30, 500, 350));
    EXPECT_EQ(read->PageNames(), QStringList({"Bedienung", "Service"}));
    EXPECT_EQ(read->AktiveFrontplatte(), 1);
    EXPECT_EQ(PanelDefaultColor, 0x123456u);
    EXPECT_EQ(WebServerPath, "/opt/web/server");
    EXPECT_EQ(WebRefreshSeconds, 12);
    EXPECT_EQ(read->WebMode(), 1);
    EXPECT_TRUE(read->FullScreen);
    EXPECT_EQ(read->PrintComment, (std::vector<AnsiString>{"eins", "zwei"}));
    EXPECT_EQ(read->ToolbarMode, 2);
    EXPECT_FALSE(read->HintBtn->isChecked());
    // Written again, the same bytes.
    Panel = std::move(read);
    EXPECT_EQ(BlockBytes(), bytes);
}

TEST_F(FrontplatteTest, OlderBlocksTakeTheDefaultsOfTheMissingItems)
{
    Panel->SetWebMode(2);
    Panel->ToolbarMode = 1;
    Panel->FullScreen = true;
    WebRefreshSeconds = 30;
    const TBytes full = BlockBytes();
    // Version 2: bounds and title only.
    const TBytes old(full.begin(), full.begin() + 8 + 51);
    auto two = ReadBlock(old, 2);
    EXPECT_EQ(two->PageNames(), QStringList{"Frontplatte 1"});
    EXPECT_FALSE(two->ShowDlgBtn);
    EXPECT_FALSE(two->ShowOpenBtn);
    EXPECT_TRUE(two->Skalierbar);
    EXPECT_TRUE(two->AutoSave());
    EXPECT_TRUE(two->ShowHints);
    EXPECT_FALSE(two->ShowPrintBtn);
    EXPECT_FALSE(two->FullScreen);
    EXPECT_EQ(two->ToolbarMode, 0);

    // Version 42: without the web items (web mode 0, refresh 5, no add-on) and the window state.
    TStreamBytes tail;
    tail.Str("").Int(2).Int(30).Int(0).Bool(true);
    const TBytes v42(full.begin(), full.end() - static_cast<long>(tail.Bytes.size()));
    auto fortyTwo = ReadBlock(v42, 42);
    EXPECT_EQ(fortyTwo->WebMode(), 0);
    EXPECT_EQ(WebRefreshSeconds, 5);
    EXPECT_EQ(WebServerPath, "");
    EXPECT_FALSE(fortyTwo->FullScreen);
    EXPECT_EQ(fortyTwo->ToolbarMode, 1);
}

TEST_F(FrontplatteTest, DamagedWindowSizesAreLimitedLikeElementSizes)
{
    // Width and height words of a version 2 block (bounds and title only).
    const struct {
        int Width, Height;
        QSize Kept;
    } cases[] = {
        {1024, 768, {1024, 768}},
        {0x7FFF, 0x7FFF, {MaxElementExtent, MaxElementExtent}},
        {0, -5, {1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Width);
        TStreamBytes b;
        b.Raw({10, 0, 20, 0, c.Width & 0xFF, (c.Width >> 8) & 0xFF, c.Height & 0xFF, (c.Height >> 8) & 0xFF});
        b.Raw({3, 'A', 'l', 't'});
        b.Bytes.resize(b.Bytes.size() + 47, 0);
        auto panel = ReadBlock(b.Bytes, 2);
        EXPECT_EQ(panel->NormalBounds, QRect(QPoint(10, 20), c.Kept));
        EXPECT_LE(panel->width(), MaxElementExtent);
        EXPECT_LE(panel->height(), MaxElementExtent);
    }
}

TEST_F(FrontplatteTest, DamagedBlockIsRefusedAndLeavesTheGlobals)
{
    Panel->SetWebMode(2);
    TBytes bytes = BlockBytes();
    bytes.resize(bytes.size() - 5);
    PanelDefaultColor = 0xABCDEF;
    WebRefreshSeconds = 7;
    EXPECT_THROW(ReadBlock(bytes, 46), EReadError);
    EXPECT_EQ(PanelDefaultColor, 0xABCDEFu);
    EXPECT_EQ(WebRefreshSeconds, 7);
}

// ---- Settings files

TEST_F(FrontplatteTest, RunStateFileNames)
{
    EXPECT_EQ(PanelRunStateFileName("/daten/anlage.prj"), "/daten/ANLAGE_Default.set");
    EXPECT_EQ(PanelRunStateFileName(""), Program() + "UNSAVED_Default.set");
    EXPECT_EQ(PanelRunStateFileName(Program() + "comp.mod"), Program() + "COMP_Default.set");
}

TEST_F(FrontplatteTest, RunStateBringsWindowAndElementsBack)
{
    const AnsiString project = Program() + "Anlage.prj";
    TStateElement* s1 = AddState("S1", 0);
    s1->Status = 3;
    Panel->ShowHelpBtn = true;
    Panel->ToolbarMode = 2;
    Panel->SetWindowBounds(QRect(20, 30, 450, 320));
    Panel->SaveDefaultSettings(project);
    TIniFile ini(Program() + "ANLAGE_Default.set");
    EXPECT_EQ(ini.ReadSections(), (std::vector<AnsiString>{"Zentrika", "MainModul.Frontplatte.S1"}));
    EXPECT_EQ(ini.ReadSection("Zentrika"),
              (std::vector<AnsiString>{"InternalBtn", "OpenBtn", "SaveBtn", "HelpBtn", "ToolTitel", "ToolbarMode",
                                       "Skalierbar", "AutoSave", "HelpFile", "ShowHint", "HintBtn", "PrintBtn",
                                       "CopyBtn", "IconFile", "HWBtn", "Color", "FullScreen", "Window state", "Left",
                                       "Top", "Width", "Height"}));
    s1->Status = 0;
    Panel->ShowHelpBtn = false;
    Panel->ToolbarMode = 0;
    Panel->SetWindowBounds(QRect(0, 0, 100, 100));
    Panel->LoadDefaultSettings(project);
    EXPECT_EQ(s1->Status, 3);
    EXPECT_TRUE(Panel->ShowHelpBtn);
    EXPECT_EQ(Panel->ToolbarMode, 2);
    EXPECT_EQ(Panel->WindowBounds(), QRect(20, 30, 450, 320));
}

// A project run for the first time has no run-state file: its panel stays
// where and as it was (the table's defaults put it at 10, 10 without tools,
// over the main window's start and stop buttons).
TEST_F(FrontplatteTest, MissingRunStateFileKeepsTheWindowAsItIs)
{
    TStateElement* s1 = AddState("S1", 0);
    s1->Status = 4;
    Panel->ShowPrintBtn = true;
    Panel->ToolbarMode = 0;
    Panel->ShowHints = true;
    Panel->AutoSaveOption = true;
    Panel->SetWindowBounds(QRect(300, 200, 450, 320));
    Panel->LoadDefaultSettings(Program() + "Neu.prj");
    EXPECT_TRUE(Panel->ShowPrintBtn);
    EXPECT_EQ(Panel->ToolbarMode, 0);
    EXPECT_TRUE(Panel->ShowHints);
    EXPECT_TRUE(Panel->AutoSave());
    EXPECT_EQ(Panel->WindowBounds(), QRect(300, 200, 450, 320));
    EXPECT_EQ(s1->Status, 0);   // the element's own default for a missing key
}

// Whatever a run does to the window (a settings file read at the start,
// F8, moving it), edit mode comes back to the window as it was before.
TEST_F(FrontplatteTest, AfterARunTheWindowIsAsBeforeIt)
{
    Panel->ToolbarMode = 0;
    Panel->ShowHints = true;
    Panel->ShowHelpBtn = false;
    Panel->ShowHintBtn = true;
    Panel->SetWindowBounds(QRect(300, 200, 450, 320));
    TIniFile file(Program() + "Satz.EST");
    file.WriteString("Zentrika", "Project", "X");
    file.WriteInteger("Zentrika", "ToolbarMode", 2);
    file.WriteBool("Zentrika", "HelpBtn", true);
    file.WriteInteger("Zentrika", "Left", 5);
    Panel->SetRunMode(true);
    Panel->ReadWindowSettings(file);
    Panel->FormKeyDown(119, 0);   // F8: hints off
    EXPECT_EQ(Panel->ToolbarMode, 2);
    EXPECT_TRUE(Panel->ShowHelpBtn);
    EXPECT_FALSE(Panel->ShowHints);
    EXPECT_EQ(Panel->WindowBounds().x(), 5);
    Panel->SetRunMode(false);
    EXPECT_EQ(Panel->ToolbarMode, 0);
    EXPECT_FALSE(Panel->ShowHelpBtn);
    EXPECT_TRUE(Panel->ShowHints);
    EXPECT_EQ(Panel->WindowBounds(), QRect(300, 200, 450, 320));
    EXPECT_TRUE(Panel->Statusbar->isVisibleTo(Panel.get()));
}

TEST_F(FrontplatteTest, SavingASettingsFileReplacesAllItsSections)
{
    QFile old(Path("Satz.EST"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[MainModul.Frontplatte.Alt]\r\nStatus=1\r\n");
    old.close();
    CurrentProjectFile = Program() + "anlage.prj";
    AddState("S1", 0)->Status = 2;
    Panel->SetRunMode(true);
    // The file exists: the dialog asks before it replaces it.
    TModalHook hook({TModalAnswer::File(Program() + "Satz.EST"), TModalAnswer::Button(IDYES)});
    Panel->SaveBtnClick();
    ASSERT_EQ(hook.Requests().size(), 2u);
    EXPECT_EQ(hook.Requests()[1].Kind, TModalKind::MessageBox);
    EXPECT_EQ(hook.Requests()[0].File.FileName, "ANLAGE.EST");
    TIniFile ini(Program() + "Satz.EST");
    EXPECT_EQ(ini.ReadSections(), (std::vector<AnsiString>{"Zentrika", "MainModul.Frontplatte.S1"}));
    EXPECT_EQ(ini.ReadString("Zentrika", "Project", ""), "ANLAGE");
}

TEST_F(FrontplatteTest, LoadingASettingsFileChecksItAndAsksOnAMismatch)
{
    TStateElement* s1 = AddState("S1", 0);
    auto write = [&](const char* name, const char* text) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    // No "Project" key, or no INI text: refused, nothing changes.
    write("Leer.EST", "\x01\x02 kein Text\n[Zentrika]\nShowHint=1\n");
    s1->Status = 5;
    {
        TModalHook hook({TModalAnswer::Button(IDOK)});
        Panel->LoadSettingsFile(Program() + "Leer.EST");
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, "Diese Datei enthält keine gültigen Einstellungen!"_ansi);
        EXPECT_EQ(hook.Requests()[0].Flags, MB_OK | MB_ICONWARNING);
    }
    EXPECT_EQ(s1->Status, 5);

    // A matching file loads without a question.
    write("Gut.EST", "[Zentrika]\nProject=X\nFullScreen=1\n[MainModul.Frontplatte.S1]\nStatus=7\n");
    {
        TModalHook hook(std::vector<TModalAnswer>{});
        Panel->LoadSettingsFile(Program() + "Gut.EST");
        EXPECT_TRUE(hook.Requests().empty());
    }
    EXPECT_EQ(s1->Status, 7);
    EXPECT_TRUE(Panel->FullScreen);

    // An element the project lacks: No loads nothing; Yes loads and asks to verify.
    write("Fremd.EST", "[Zentrika]\nProject=X\n[MainModul.Frontplatte.S1]\nStatus=9\n[MainModul.Frontplatte.S2]\n"
                       "Status=1\n");
    {
        TModalHook hook({TModalAnswer::Button(IDNO)});
        Panel->LoadSettingsFile(Program() + "Fremd.EST");
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Caption, "Warnung");
        EXPECT_EQ(hook.Requests()[0].Flags, MB_YESNO | MB_ICONWARNING);
    }
    EXPECT_EQ(s1->Status, 7);
    {
        TModalHook hook({TModalAnswer::Button(IDYES), TModalAnswer::Button(IDOK)});
        Panel->LoadSettingsFile(Program() + "Fremd.EST");
        ASSERT_EQ(hook.Requests().size(), 2u);
        EXPECT_EQ(hook.Requests()[1].Caption, "Hinweis");
    }
    EXPECT_EQ(s1->Status, 9);
}

TEST_F(FrontplatteTest, TheSettingsListLoaderKeepsTheWindowGeometry)
{
    QFile file(Path("Voll.EST"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Zentrika]\nProject=X\nFullScreen=1\nLeft=1\nTop=2\nWidth=300\nHeight=200\n");
    file.close();
    // The list element works while the panel is operated.
    Panel->SetWindowBounds(QRect(40, 50, 410, 300));
    Panel->SetRunMode(true);
    KeepWindowGeometry = true;
    SettingsLoader(Program() + "Voll.EST");
    KeepWindowGeometry = false;
    EXPECT_FALSE(Panel->FullScreen);
    EXPECT_EQ(Panel->WindowBounds(), QRect(40, 50, 410, 300));
    SettingsLoader(Program() + "Voll.EST");
    EXPECT_TRUE(Panel->FullScreen);
}

// ---- Property dialog

TEST_F(FrontplatteTest, PropertyDialogRenamesTitleAndTabAndStoresTheWindowDefaultsOnOk)
{
    CurrentProjectFile = Program() + "Anlage.prj";
    const AnsiString runState = Program() + "ANLAGE_Default.set";
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        AnsiString caption;
        TFormHook hook({[&](TModalForm& form) {
            caption = form.Caption();
            const auto edits = form.findChildren<TEditPropEditor*>();
            ASSERT_GE(edits.size(), 2);
            edits[0]->Edit->setText("Pumpe");      // "Titel"
            edits[1]->Edit->setText("Bedienung");  // "Name": the page's tab
            const auto combos = form.findChildren<TComboPropEditor*>();
            ASSERT_EQ(combos.size(), 2);
            combos[0]->Combo->setCurrentIndex(2);   // tool bar closed
            auto& dlg = dynamic_cast<TDefault_Dlg&>(form);
            (ok ? dlg.OKBtn : dlg.CancelBtn)->click();
        }});
        Panel->SetupBtnClick();
        EXPECT_EQ(caption, "Frontplatte");
        EXPECT_EQ(Panel->WindowCaption(), ok ? "Pumpe" : "Frontplatte");
        EXPECT_EQ(Panel->PageNames(), QStringList{ok ? "Bedienung" : "Frontplatte 1"});
        EXPECT_EQ(Panel->ToolbarMode, ok ? 2 : 0);
        EXPECT_EQ(FileExists(runState), ok);
    }
    // The root keeps its name (the settings sections) until the project is read again.
    EXPECT_EQ(Panel->Root->ElementName(), "Frontplatte");
    EXPECT_EQ(TIniFile(runState).ReadInteger("Zentrika", "ToolbarMode", -1), 2);
}

// ---- Copy, print

TEST_F(FrontplatteTest, CopyPutsThePanelPictureOnTheClipboard)
{
    QApplication::clipboard()->clear();
    Panel->CopyBtnClick();
    const QImage image = QApplication::clipboard()->image();
    EXPECT_EQ(image.size(), Panel->size());
    EXPECT_EQ(Panel->NewToolPanel->height(), 2);
}

TEST_F(FrontplatteTest, PrintScaleOfTheZoom)
{
    const struct {
        Integer Zoom;
        double Scale;
    } cases[] = {{100, 1.0}, {0, 10.0}, {200, 0.1}, {150, 0.316227766}};
    for (const auto& c : cases)
        EXPECT_NEAR(PrintScaleOfZoom(c.Zoom), c.Scale, 1e-6) << c.Zoom;
}

TEST_F(FrontplatteTest, PrintGoesThroughThePreviewToAPdfWithThePictureAtItsPlace)
{
    if (QProcess::execute("pdftoppm", {"-v"}) < 0)
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    // A black panel picture on a white page.
    Panel->Root->SetColor(0x000000);
    Panel->Root->SetHintergrundFarbe(0x000000);
    Panel->Root->ColorFollowsPanel = false;
    Panel->Root->BackgroundFollowsPanel = false;
    Panel->SetWindowBounds(QRect(0, 0, 400, 300));
    Panel->PrintCentered = false;
    Panel->PrintOffset = {50, 100};
    const QString pdf = Path("panel.pdf");
    PanelPrinterSetup = [pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    };
    // The preview keeps the headline and the zoom; "Drucken" prints.
    TFormHook hook({[](TModalForm& form) {
        auto& preview = static_cast<TPreviewDlg&>(form);
        preview.HeadlineEdit->setText("Anlage");
        preview.ZoomScroller->setValue(100);
        preview.CB_Mitte->setChecked(false);
        preview.PrintButton->click();
    }});
    Panel->PrintBtnClick();
    PanelPrinterSetup = nullptr;
    ASSERT_EQ(hook.Shown().size(), 1u);
    EXPECT_EQ(Panel->PrintHeadline, "Anlage");
    ASSERT_TRUE(QFile::exists(pdf));
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "20", "-png", "-singlefile", pdf, Path("page")}), 0);
    const QImage page(Path("page.png"));
    ASSERT_FALSE(page.isNull());
    // The picture fills the page width at scale 1 (the window is 400 wide):
    // s = page width / 400; it starts at (50 s, 100 s).
    const double s = page.width() / 400.0;
    auto dark = [&](double x, double y) { return qGray(page.pixel(int(x * s), int(y * s))) < 64; };
    EXPECT_FALSE(dark(20, 80));    // left of and above the picture
    EXPECT_TRUE(dark(60, 120));    // inside, near its top left
    EXPECT_TRUE(dark(200, 200));
}

} // namespace
