// The mouse over the scroll box around the board: zooming by rectangle and
// by right click where the board does not reach or while it runs, the value
// of the wire under the mouse, the component hint box and windows brought
// back onto the screen.
#include "ShellFixture.h"

#include "components/digital/BT_Gatter.h"
#include "engine/Bauteil.h"
#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "engine/Segment.h"
#include "panel/framework/HintBox.h"
#include "platform/Messages.h"
#include "shell/BoardMouse.h"
#include "project/ProjectFile.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <functional>

class BoardMouseTest : public TShellFixture {
protected:
    TForm1& Shown()
    {
        TForm1& form = Create();
        form.resize(1400, 900);
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return form;
    }
    static TPlatineView& View(TForm1& form) { return static_cast<TPlatineView&>(*form.CurrentBoard->View); }
    static QWidget* Box(TForm1& form) { return View(form).viewport(); }
    // Where a board point is in the scroll box.
    static QPoint At(TForm1& form, TPoint boardPoint)
    {
        const TPoint p = form.CurrentBoard->BoardToParent(boardPoint);
        return {p.X, p.Y};
    }
    static void Move(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, buttons, modifiers);
        QApplication::sendEvent(widget, &event);
    }
    TBauteilPin pin_;
};

TEST_F(BoardMouseTest, ClicksAroundTheBoardOrOnARunningBoardZoom)
{
    TForm1& form = Shown();
    TPlatine& board = *form.CurrentBoard;
    QWidget* box = Box(form);
    auto zoom = [&](double value) {
        board.SetZoom(value);
        board.View->BoardChanged();
    };

    // Beside a small board a right click zooms out and a click zooms in.
    board.BoardWidth = 5000;
    zoom(0.7);
    ASSERT_GT(box->width(), board.Width + 20) << "the scroll box must reach past the board";
    const QPoint beside(board.Width + 10, 40);
    QTest::mouseClick(box, Qt::RightButton, Qt::NoModifier, beside);
    EXPECT_NEAR(board.Zoom, 0.5, 1e-9);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, beside);
    EXPECT_NEAR(board.Zoom, 0.7, 1e-9);
    EXPECT_FALSE(board.Selector);

    // A click on the board itself belongs to the board while it is edited.
    board.BoardWidth = 20000;
    board.ScrollX = board.ScrollY = 2000;
    zoom(1.0);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    EXPECT_DOUBLE_EQ(board.Zoom, 1.0);

    // While it runs, a click anywhere zooms in one step, a right click
    // zooms out and brings the point to the centre, and a dragged rectangle
    // fills the scroll box.
    form.LockEditor(true);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_NEAR(board.Zoom, 1.4, 1e-9);
    EXPECT_FALSE(board.Selector);

    const TPoint clicked = board.DeviceToBoard(TPoint{300 + board.ScrollX, 200 + board.ScrollY});
    QTest::mouseClick(box, Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_NEAR(board.Zoom, 1.0, 1e-9);
    // The centre of the scroll box's outer size, as every zoom takes it.
    const QPoint centre(View(form).width() / 2, View(form).height() / 2);
    EXPECT_LE((At(form, clicked) - centre).manhattanLength(), 4);

    const QPoint corner(100 + box->width() / 4, 100 + box->height() / 4);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    ASSERT_TRUE(board.Selector);
    Move(box, corner, Qt::NoModifier, Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, corner);
    EXPECT_FALSE(board.Selector);
    EXPECT_NEAR(board.Zoom, 4.0, 0.2);
}

TEST_F(BoardMouseTest, ValueOfTheWireUnderTheMouseWhileRunning)
{
    TForm1& form = Shown();
    TPlatine& board = *form.CurrentBoard;
    TSegment* wire = board.AddWire(TPoint{200, 400}, TPoint{1200, 400});
    wire->Driver = &pin_;
    TSegment* undriven = board.AddWire(TPoint{200, 800}, TPoint{1200, 800});
    QWidget* box = Box(form);
    THintBox& hint = *form.BoardMouse->PinHintBox;
    form.LockEditor(true);

    const struct {
        const char* Name;
        Extended Value;
        const char* Text;
        const char* Shown;
    } pins[] = {
        {"Q", 5.0L, "", "Q = 5"},
        {"Y", 0.25L, "", "Y = 0.25"},
        {"$OUT", 0.0L, "Hallo", "$OUT = Hallo"},
    };
    for (const auto& c : pins) {
        SCOPED_TRACE(c.Shown);
        pin_.Name = c.Name;
        pin_.SetValue(c.Value);
        pin_.Text = c.Text;
        const QPoint at = At(form, TPoint{700, 400});
        Move(box, at);
        EXPECT_EQ(form.BoardMouse->HoveredPin(), &pin_);
        form.UCLHiTimer1Timer();   // not running: the tick leaves the box alone
        form.BoardMouse->ShowHoveredPin();
        EXPECT_TRUE(hint.isVisible());
        EXPECT_EQ(hint.Text, c.Shown);
        EXPECT_EQ(hint.pos(), box->mapTo(&form, at) + QPoint(22, -6));
    }

    // A wire nobody drives, and no wire at all, show nothing.
    for (const TPoint p : {TPoint{700, 800}, TPoint{700, 600}}) {
        Move(box, At(form, p));
        EXPECT_EQ(form.BoardMouse->HoveredPin(), nullptr);
        form.BoardMouse->ShowHoveredPin();
        EXPECT_FALSE(hint.isVisible());
    }

    // A wire deleted under a resting mouse leaves nothing to read.
    Move(box, At(form, TPoint{700, 400}));
    ASSERT_EQ(form.BoardMouse->HoveredPin(), &pin_);
    board.SelectAll(false);
    board.SelectObject(wire, true);
    board.DeleteSelected();
    EXPECT_EQ(form.BoardMouse->HoveredPin(), nullptr);
    form.BoardMouse->ShowHoveredPin();
    EXPECT_FALSE(hint.isVisible());
    (void)undriven;

    // The box goes with the end of the run.
    Move(box, At(form, TPoint{700, 800}));
    form.LockEditor(false);
    EXPECT_FALSE(hint.isVisible());
}

TEST_F(BoardMouseTest, ComponentHintSitsAboveTheCursorInsideTheWindow)
{
    TForm1& form = Shown();
    QWidget* box = Box(form);
    THintBox& hint = *form.BoardMouse->PinHintBox;
    const HWND window = form.CurrentBoard->MainWindowHandle;
    ASSERT_NE(window, 0u);

    Move(box, QPoint(100, 200));
    const QPoint cursor = box->mapTo(&form, QPoint(100, 200));
    const std::string text = "TAND 1\rUND";
    SendMessage(window, WM_BOARDHINT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.Text, text);
    EXPECT_EQ(hint.pos(), QPoint(cursor.x(), cursor.y() - hint.height() - 5));

    // Near the right edge the box ends 10 pixels inside the window.
    Move(box, QPoint(box->width() - 3, 200));
    SendMessage(window, WM_BOARDHINT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(hint.x() + hint.width(), form.width() - 10);

    for (const char* hidden : {"", static_cast<const char*>(nullptr)}) {
        SendMessage(window, WM_BOARDHINT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessage(window, WM_BOARDHINT, 0, reinterpret_cast<LPARAM>(hidden));
        EXPECT_FALSE(hint.isVisible());
    }
}

TEST_F(BoardMouseTest, ComponentHintGoesWhenTheMouseLeavesOrTheBoardChanges)
{
    TForm1& form = Shown();
    QWidget* box = Box(form);
    THintBox& hint = *form.BoardMouse->PinHintBox;
    TPlatine& board = *form.CurrentBoard;
    TIOBauteil* gate = CreateComponent("TBTAnd");
    board.InsertObject(gate);
    const std::string text = "AND1";
    auto show = [&] {
        Move(box, QPoint(100, 200));
        SendMessage(board.MainWindowHandle, WM_BOARDHINT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_TRUE(hint.isVisible());
    };
    const struct {
        const char* What;
        std::function<void()> Change;
    } cases[] = {
        {"leave", [&] { QEvent leave(QEvent::Leave); QApplication::sendEvent(box, &leave); }},
        {"zoom", [&] { board.ZoomIn(TPoint{100, 100}); }},
        {"new object", [&] { board.InsertObject(CreateComponent("TBTOr")); }},
        {"delete", [&] { board.SelectAll(false); board.SelectObject(gate, true); board.DeleteSelected(); }},
        {"new project", [&] { form.ResetProject(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        show();
        c.Change();
        EXPECT_FALSE(hint.isVisible());
    }
}

TEST_F(BoardMouseTest, DragFromThePalettePlacesWhereReleasedAsAClickThereWould)
{
    TForm1& form = Shown();
    WriteLibraryFile(Program() + "gatter.bib", {"TBTAnd"});
    form.Bibo->LoadFromFile(Program() + "gatter.bib");
    ASSERT_EQ(form.Bibo->Entries.size(), 1u);
    TPlatine& board = *form.CurrentBoard;
    QWidget* box = Box(form);
    QWidget* palette = form.Bibo;
    auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, palette->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(palette, &event);
    };
    const QPoint press = palette->mapToGlobal(QPoint(80, 10));
    send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(board.Mode, TBoardMode::Placing);
    // Over the palette nothing reaches the board; over the board the gate follows.
    send(QEvent::MouseMove, press + QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
    const QPoint drop(box->width() / 2 + 37, box->height() / 3);
    send(QEvent::MouseMove, box->mapToGlobal(drop - QPoint(40, 20)), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, box->mapToGlobal(drop), Qt::LeftButton, Qt::NoButton);

    EXPECT_EQ(board.Mode, TBoardMode::Select);
    EXPECT_FALSE(board.Tracking);
    const auto gates = std::count_if(board.Objects.begin(), board.Objects.end(),
                                     [](TBauteil* o) { return std::string_view(o->ClassName()) == "TBTAnd"; });
    ASSERT_EQ(gates, 1);
    TBauteil* gate = *std::find_if(board.Objects.begin(), board.Objects.end(),
                                   [](TBauteil* o) { return std::string_view(o->ClassName()) == "TBTAnd"; });
    const TRect r = gate->GetBounds();
    const TPoint centre = board.DeviceToBoard(TPoint{drop.x() + board.ScrollX, drop.y() + board.ScrollY});
    const Integer slack = 2 * board.Grid + 10;
    EXPECT_NEAR((r.Left + r.Right) / 2, centre.X, slack);
    EXPECT_NEAR((r.Top + r.Bottom) / 2, centre.Y, slack);
    EXPECT_GT(r.Left, 0);
    EXPECT_GT(r.Top, 0);

    // A pick released over the palette keeps the gate at the pointer for a click.
    send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(board.Mode, TBoardMode::Placing);
    EXPECT_TRUE(board.Tracking);
}

TEST_F(BoardMouseTest, DragInWiringModeDrawsOnePieceToTheReleaseAndLeavesNoWireAtThePointer)
{
    TForm1& form = Shown();
    TPlatine& board = *form.CurrentBoard;
    QWidget* box = Box(form);
    board.Mode = TBoardMode::Wire;
    const QPoint from(120, 100), to(120, 260);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, from);
    Move(box, QPoint(120, 180), Qt::NoModifier, Qt::LeftButton);
    Move(box, to, Qt::NoModifier, Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, to);

    EXPECT_FALSE(board.Tracking);
    EXPECT_TRUE(!board.Templine || !board.Templine->Shown);
    EXPECT_EQ(board.Mode, TBoardMode::Wire);
    std::vector<TSegment*> wires;
    for (TBauteil* o : board.Objects)
        if (auto* wire = dynamic_cast<TSegment*>(o))
            wires.push_back(wire);
    ASSERT_EQ(wires.size(), 1u);
    const TPoint start = board.SnapToGrid(board.DeviceToBoard(TPoint{from.x() + board.ScrollX, from.y() + board.ScrollY}));
    const TPoint end = board.SnapToGrid(board.DeviceToBoard(TPoint{to.x() + board.ScrollX, to.y() + board.ScrollY}));
    EXPECT_EQ(std::min(wires[0]->StartPoint.Y, wires[0]->EndPoint.Y), start.Y);
    EXPECT_EQ(std::max(wires[0]->StartPoint.Y, wires[0]->EndPoint.Y), end.Y);

    // Clicks still draw piece by piece.
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(300, 100));
    EXPECT_TRUE(board.Tracking);
}

TEST_F(BoardMouseTest, WindowsOutsideTheScreenComeBackOneBelowTheOther)
{
    TForm1& form = Shown();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QWidget first, second, inside;
    for (QWidget* w : {&first, &second, &inside}) {
        w->resize(100, 100);
        w->show();
    }
    first.move(screen.width() + 100, 10);
    second.move(10, screen.height() + 100);
    inside.move(screen.width() - 50, screen.height() - 50);
    const QPoint formAt = form.pos();
    form.RescueOffscreenForms();
    const std::set<std::pair<int, int>> rescued = {{first.x(), first.y()}, {second.x(), second.y()}};
    EXPECT_EQ(rescued, (std::set<std::pair<int, int>>{{50, 50}, {70, 70}}));
    EXPECT_EQ(inside.pos(), QPoint(screen.width() - 50, screen.height() - 50));
    EXPECT_EQ(form.pos(), formAt);
}
