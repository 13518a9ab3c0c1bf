// The main window's commands as the user reaches them: enabling from the
// board, its selection and the clipboard; command keys; modes; grid; tabs;
// the hardware settings file.
#include "ShellFixture.h"

#include "engine/GrundBT.h"
#include "support/TestComponents.h"
#include "engine/Platine.h"
#include "engine/Segment.h"
#include "platform/Dialogs.h"
#include "shell/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QHelpEvent>
#include <QMenuBar>
#include <QToolTip>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QWheelEvent>
#include <QTest>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// A component with pins whose type name runs over two lines.
class TTwoLineComponent : public TBTTestGate {
public:
    AnsiString GetTypeName() const override { return "Und-\rGatter"; }
};

} // namespace

class MainMenuTest : public TShellFixture {
protected:
    TForm1& Shown()
    {
        TForm1& form = Create();
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }
    static TMainMenu& Menu(TForm1& form) { return *form.findChild<TMainMenu*>(); }
    static QAction* Action(TForm1& form, const char* name) { return form.findChild<QAction*>(name); }
    static TSegment* AddWire(TForm1& form, Integer y)
    {
        return form.CurrentBoard->AddWire(TPoint{100, y}, TPoint{300, y});
    }
    // The menus' states as they are when a menu opens.
    static void OpenMenu(TForm1& form, const char* menu) { emit form.findChild<QMenu*>(menu)->aboutToShow(); }
    static void Key(TForm1& form, bool press, int key, bool repeat = false)
    {
        QTest::simulateEvent(form.PlatineScrollbox, press, key, Qt::ControlModifier, QString(), repeat);
    }
    // A further board as a macro's tab would hold it. No macro owns it, so
    // the fixture deletes it while its form still lives.
    void AddBoard(TForm1& form)
    {
        TPlatine* board = form.CreateBoard();
        form.OpenBoards.push_back(board);
        board->ParentBoard = form.MainBoard;
        form.TabSet->addTab(QStringLiteral("MCR1"));
        addedBoards_.push_back(board);
    }
    void TearDown() override
    {
        if (form_) {
            for (TPlatine* board : addedBoards_) {
                std::erase(form_->OpenBoards, board);
                if (form_->CurrentBoard == board)
                    form_->CurrentBoard = form_->MainBoard;
                form_->DeleteBoard(board);
            }
        }
        addedBoards_.clear();
        TShellFixture::TearDown();
    }

private:
    std::vector<TPlatine*> addedBoards_;
};

TEST_F(MainMenuTest, CommandsAreEnabledFromTheBoardTheSelectionAndTheClipboard)
{
    enum TSetup { Empty, Objects, Selected, Copied };
    const struct {
        const char* Action;
        bool Enabled[4];
    } cases[] = {
        {"Ausschneiden1", {false, false, true, true}},
        {"Kopieren1", {false, false, true, true}},
        {"Duplizieren1", {false, false, true, true}},
        {"Lschen1", {false, false, true, true}},
        {"Nachvornesetzen1", {false, false, true, true}},
        {"Nachhintensetzen1", {false, false, true, true}},
        {"Einfgen1", {false, false, false, true}},
        {"Allesauswhlen1", {false, true, true, true}},
        {"Aufrumen1", {false, true, true, true}},
        {"ToolButton6", {false, false, true, true}},
        {"ToolButton8", {false, false, false, true}},
        {"tb_ZoomObjects", {false, true, true, true}},
        {"tb_ZoomMarked", {false, false, true, true}},
        {"Einfgen", {false, false, false, true}},
        {"Tauschen", {false, false, false, false}},   // a wire is no component
        {"Speichern1", {true, true, true, true}},
        {"ToolButton3", {true, true, true, true}},
        {"naechstes1", {false, false, false, false}},
        {"DateiNeuBtn", {true, true, true, true}},
        {"Hardware2", {true, true, true, true}},
        {"Drucken1", {false, true, true, true}},
        {"ToolButton4", {false, true, true, true}},
        {"Stueckliste", {true, true, true, true}},
        {"ToolButton17", {true, true, true, true}},
        {"Anwendung1", {true, true, true, true}},
        {"tb_Config", {true, true, true, true}},
        {"Info1", {true, true, true, true}},
    };
    for (TSetup setup : {Empty, Objects, Selected, Copied}) {
        SCOPED_TRACE(setup);
        TForm1& form = Create();
        if (setup != Empty)
            AddWire(form, 100);
        if (setup >= Selected)
            form.CurrentBoard->SelectAll(true);
        if (setup == Copied)
            form.CurrentBoard->CopySelection();
        OpenMenu(form, "Bearbeiten1");
        for (const auto& c : cases) {
            SCOPED_TRACE(c.Action);
            ASSERT_NE(Action(form, c.Action), nullptr);
            EXPECT_EQ(Action(form, c.Action)->isEnabled(), c.Enabled[setup]);
        }
    }
}

TEST_F(MainMenuTest, AnotherTabMarksTheProjectModifiedAndDisablesSaving)
{
    TForm1& form = Create();
    AddBoard(form);
    ProjectModified = false;
    Menu(form).Commands.NextBoard();
    EXPECT_EQ(form.CurrentBoard, form.OpenBoards[1]);
    EXPECT_TRUE(ProjectModified);
    OpenMenu(form, "Datei1");
    EXPECT_FALSE(Action(form, "Speichern1")->isEnabled());
    EXPECT_FALSE(Action(form, "Speichernals1")->isEnabled());
    EXPECT_FALSE(Action(form, "ToolButton3")->isEnabled());
    EXPECT_TRUE(Action(form, "naechstes1")->isEnabled());
    EXPECT_EQ(form.TabSet->currentIndex(), 1);
    Menu(form).Commands.NextBoard();   // after the last, the first
    EXPECT_EQ(form.CurrentBoard, form.MainBoard);
    EXPECT_EQ(form.TabSet->currentIndex(), 0);
    OpenMenu(form, "Datei1");
    EXPECT_TRUE(Action(form, "Speichern1")->isEnabled());

    // A click on a tab shows its board.
    ProjectModified = false;
    form.TabSet->setCurrentIndex(1);
    EXPECT_EQ(form.CurrentBoard, form.OpenBoards[1]);
    EXPECT_EQ(form.Panel4->currentWidget(), dynamic_cast<QWidget*>(form.OpenBoards[1]->View));
    EXPECT_TRUE(ProjectModified);
}

TEST_F(MainMenuTest, HeldCtrlKeyRunsItsCommandOncePerPress)
{
    TForm1& form = Shown();
    AddBoard(form);
    AddBoard(form);
    auto shownIndex = [&form] {
        return std::find(form.OpenBoards.begin(), form.OpenBoards.end(), form.CurrentBoard) - form.OpenBoards.begin();
    };
    Key(form, true, Qt::Key_Tab);
    EXPECT_EQ(shownIndex(), 1);
    // Held: the keyboard repeats the press, with and without a repeat mark.
    Key(form, true, Qt::Key_Tab, true);
    Key(form, false, Qt::Key_Tab, true);
    Key(form, true, Qt::Key_Tab, true);
    Key(form, true, Qt::Key_Tab);
    EXPECT_EQ(shownIndex(), 1);
    Key(form, false, Qt::Key_Tab);
    Key(form, true, Qt::Key_Tab);
    EXPECT_EQ(shownIndex(), 2);
    // Another key with Ctrl frees the latch too.
    Key(form, true, Qt::Key_Q);
    Key(form, true, Qt::Key_Tab);
    EXPECT_EQ(shownIndex(), 0);
}

TEST_F(MainMenuTest, CtrlKeysCopyAndPasteTheSelection)
{
    TForm1& form = Shown();
    AddWire(form, 100);
    Key(form, true, Qt::Key_V);   // nothing to paste yet
    Key(form, false, Qt::Key_V);
    EXPECT_EQ(form.CurrentBoard->Mode, TBoardMode::Select);
    Key(form, true, Qt::Key_A);
    Key(form, false, Qt::Key_A);
    EXPECT_TRUE(form.CurrentBoard->AnySelected());
    Key(form, true, Qt::Key_C);
    Key(form, false, Qt::Key_C);
    EXPECT_TRUE(form.CurrentBoard->ClipboardFilled());
    Key(form, true, Qt::Key_V);
    EXPECT_EQ(form.CurrentBoard->Objects.size(), 2u);
    EXPECT_EQ(form.CurrentBoard->Mode, TBoardMode::Placing);   // the copy hangs at the cursor
}

TEST_F(MainMenuTest, ModeButtonsSetEveryBoardAndFollowTheShownBoard)
{
    TForm1& form = Create();
    AddBoard(form);
    auto* line = form.findChild<QToolButton*>("LineBtn");
    auto* zoom = form.findChild<QToolButton*>("ZoomBtn");
    auto* standard = form.findChild<QToolButton*>("StandardBtn");
    line->click();
    for (TPlatine* board : form.OpenBoards) {
        EXPECT_EQ(board->Mode, TBoardMode::Wire);
        EXPECT_EQ(board->PreviousMode, TBoardMode::Wire);
    }
    form.CurrentBoard->Mode = TBoardMode::Zoom;
    Menu(form).BoardModeChange();
    EXPECT_TRUE(zoom->isChecked());
    form.CurrentBoard->Mode = TBoardMode::Placing;   // placing changes no button
    Menu(form).BoardModeChange();
    EXPECT_TRUE(zoom->isChecked());
    standard->click();
    EXPECT_EQ(form.OpenBoards[1]->Mode, TBoardMode::Select);
}

TEST_F(MainMenuTest, GridToggleShowsOnMenuAndButton)
{
    TForm1& form = Create();
    Action(form, "SB_Raster")->trigger();
    EXPECT_TRUE(form.MainBoard->GridVisible);
    OpenMenu(form, "Option");
    EXPECT_TRUE(Action(form, "Raster")->isChecked());
    EXPECT_TRUE(Action(form, "SB_Raster")->isChecked());
    Action(form, "Raster")->trigger();
    EXPECT_FALSE(form.MainBoard->GridVisible);
    EXPECT_FALSE(Action(form, "SB_Raster")->isChecked());
}

TEST_F(MainMenuTest, TidyUpSelectsTheLooseWiresOnly)
{
    TForm1& form = Create();
    TSegment* loose = AddWire(form, 100);
    TSegment* zeroLength = form.CurrentBoard->AddWire(TPoint{500, 500}, TPoint{500, 500});
    ASSERT_NE(zeroLength, nullptr);
    OpenMenu(form, "Bearbeiten1");
    Action(form, "Aufrumen1")->trigger();
    EXPECT_TRUE(loose->Selected);
    EXPECT_EQ(form.CurrentBoard->Objects.size(), 1u);   // the zero-length piece is gone
}

TEST_F(MainMenuTest, HardwareSettingsGoThroughATemporaryFileThatIsDeletedEitherWay)
{
    struct TCase {
        bool Ok;
        bool Throws;
    };
    for (const TCase c : {TCase{true, false}, TCase{false, false}, TCase{true, true}}) {
        SCOPED_TRACE(c.Ok * 2 + c.Throws);
        TForm1& form = Create();
        const AnsiString file = TMainCommands::HardwareIniFileName();
        // A stale file of an earlier run is not handed to the dialog.
        { QFile stale(QtFileName(file)); ASSERT_TRUE(stale.open(QIODevice::WriteOnly)); stale.write("[Alt]\r\nX=1\r\n"); }
        // Without hardware components nothing is written, so no file may be there.
        bool sawFile = false;
        std::string content = "?";
        Menu(form).Commands.HardwareDialog = [&](const AnsiString& name) {
            sawFile = name == file;
            QFile f(QtFileName(name));
            content = f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "?";
            if (c.Throws)
                throw std::runtime_error("dialog failed");
            return c.Ok;
        };
        TModalHook hook({TModalAnswer::Button(IDOK)});
        Menu(form).UpdateCommandStates();
        ASSERT_TRUE(Action(form, "Hardware2")->isEnabled());
        Action(form, "Hardware2")->trigger();
        EXPECT_TRUE(sawFile);
        EXPECT_EQ(content.find("[Alt]"), std::string::npos);
        EXPECT_FALSE(QFile::exists(QtFileName(file)));
        EXPECT_EQ(hook.Requests().size(), c.Throws ? 1u : 0u);   // the failure is reported
    }
}

TEST_F(MainMenuTest, ContextMenuNamesTheSelectedComponentOnOneLine)
{
    const struct {
        Integer Language;
        const char* Caption;
    } cases[] = {{0, "Hilfe zu ´Und- Gatter´"}, {1, "Help for ´Und- Gatter´"}, {2, "Aide pour ´Und- Gatter´"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        TForm1& form = Create();
        LanguageIndex = c.Language;
        auto* component = CreateBauteil<TTwoLineComponent>();
        form.CurrentBoard->InsertObject(component);
        // Selected as a click selects it: with its pin stubs.
        form.CurrentBoard->SelectObject(component, true);
        Menu(form).BoardPopupRequest();
        QAction* help = Action(form, "Hilfe2");
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->text(), QString::fromUtf8(c.Caption));
        EXPECT_TRUE(Action(form, "Ausschneiden2")->isEnabled());
        Menu(form).BauteilMenu->close();
        // A wire alone brings no help item.
        form.CurrentBoard->SelectAll(false);
        AddWire(form, 400)->Selected = true;
        Menu(form).BoardPopupRequest();
        EXPECT_FALSE(help->isVisible());
        Menu(form).BauteilMenu->close();
    }
}

TEST_F(MainMenuTest, LibraryButtonHidesAndShowsThePanel)
{
    TForm1& form = Shown();
    auto* button = form.findChild<QToolButton*>("CloseBibo");
    button->click();
    EXPECT_EQ(button->text(), QStringLiteral(">>>"));
    button->click();
    EXPECT_EQ(button->text(), QStringLiteral("<<<"));
}

TEST_F(MainMenuTest, ToolBarHoldsItsPicturesInOrder)
{
    TForm1& form = Create();
    const QList<QAction*> actions = form.ToolBar1->actions();
    QStringList names;
    for (QAction* action : actions)
        if (!action->objectName().isEmpty()) {
            names << action->objectName();
            EXPECT_FALSE(action->icon().pixmap(20, 20).isNull()) << action->objectName().toStdString();
        }
    EXPECT_EQ(names.first(), QStringLiteral("ToolButton1"));
    EXPECT_EQ(names.last(), QStringLiteral("tb_Compile"));
    EXPECT_EQ(names.indexOf("SB_Raster"), names.indexOf("ToolButton15") + 1);
    EXPECT_EQ(ToolbarPictures().size(), 21u);
}

TEST_F(MainMenuTest, BoardsPaintWithTheWindowPalette)
{
    TForm1& form = Create();
    AddWire(form, 100);
    ASSERT_NE(form.MainBoard->BoardPalette, nullptr);
    EXPECT_EQ(form.MainBoard->BoardPalette->Entries,
              (std::vector<TColor>{0xF8F0E6, 0xF6FFFF, 0xE6E6E6, 0xFADCDC}));
    EXPECT_EQ(form.MainBoard->Objects[0]->Palette, form.MainBoard->BoardPalette);
    // Few colours: all white.
    EXPECT_EQ(CreateBoardPalette(7).Entries, (std::vector<TColor>(4, 0xFFFFFF)));
    EXPECT_EQ(CreateBoardPalette(8).Entries, form.MainBoard->BoardPalette->Entries);
}

TEST_F(MainMenuTest, WheelOverTheLibraryScrollsItsPaletteByATenth)
{
    TForm1& form = Shown();
    auto* box = form.findChild<QScrollArea*>("SB_Bibliothek");
    ASSERT_NE(box, nullptr);
    QScrollBar* bar = box->verticalScrollBar();
    bar->setRange(0, 1000);
    bar->setValue(500);
    auto turn = [box](int delta) {
        QWheelEvent wheel(QPointF(10, 10), box->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box->viewport(), &wheel);
    };
    turn(120);    // away from the user: up
    EXPECT_EQ(bar->value(), 400);
    turn(-120);
    turn(-120);
    EXPECT_EQ(bar->value(), 600);
}

TEST_F(MainMenuTest, HintsMenuItemSwitchesTheWindowsHintsOff)
{
    TForm1& form = Create();
    QWidget* button = form.findChild<QWidget*>("HintBtn");
    auto ask = [button] {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        return QApplication::sendEvent(button, &help);   // true: the hint was shown or swallowed
    };
    QAction* hints = Action(form, "Hinweistexte");
    ASSERT_TRUE(hints->isChecked());
    hints->trigger();
    EXPECT_FALSE(hints->isChecked());
    EXPECT_TRUE(ask());
    EXPECT_FALSE(QToolTip::isVisible());
    hints->trigger();
    ask();
    EXPECT_TRUE(QToolTip::isVisible());
    QToolTip::hideText();
}
