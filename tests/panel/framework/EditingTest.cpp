// Editing a panel with the mouse and the keyboard, as the window system
// delivers the events: selecting by click, Shift-click and rubber band,
// moving in grid steps with clamping, the eight handles of the selection
// frame, the double click, the hint requests, the pop-up menu's enabling and
// the cursor keys.
#include "PanelRig.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/Sizer.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QAction>
#include <QPushButton>
#include <QMenu>
#include <QTabBar>
#include "platform/PopupMenu.h"
#include <QTest>
#include <QWindow>

namespace {

class EditingTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        GridSize = 1;
    }
    QWindow* W() const { return Window->windowHandle(); }
    void Press(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mousePress(W(), Qt::LeftButton, m, p); }
    void Release(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mouseRelease(W(), Qt::LeftButton, m, p); }
    void Move(QPoint p, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseEvent(QTest::MouseMove, W(), Qt::NoButton, m, p);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = {})
    {
        Press(from, m);
        Move(from + (to - from) / 2, m);
        Move(to, m);
        Release(to, m);
    }
    // Where an element lies in container coordinates, selected or not.
    static QRect Bounds(const TFP_Element* e)
    {
        if (const auto* sizer = dynamic_cast<const TSizer*>(e->parentWidget()))
            return QRect(sizer->pos() + QPoint(6, 6), e->size());
        return e->geometry();
    }
    std::vector<TFP_Element*> Selected() const
    {
        std::vector<TFP_Element*> s;
        for (std::size_t i = 0; i < Root->Selection.size(); ++i)
            s.push_back(Root->SelectedElement(i));
        return s;
    }
    static TSizer* SizerOf(const TFP_Element* e) { return dynamic_cast<TSizer*>(e->parentWidget()); }
};

} // namespace

TEST_F(EditingTest, ClickShiftClickAndRubberBandSelect)
{
    auto* a = Add<TTestElement>("TTestElement", 20, 20, 40, 20);
    auto* b = Add<TTestElement>("TTestElement", 100, 20, 40, 20);
    auto* c = Add<TTestElement>("TTestElement", 100, 100, 40, 20);
    QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{a}));
    QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(110, 30));
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{b}));
    QTest::mouseClick(W(), Qt::LeftButton, Qt::ShiftModifier, QPoint(110, 110));
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{b, c}));
    // Shift on a selected element takes it out and leaves the others.
    QTest::mouseClick(W(), Qt::LeftButton, Qt::ShiftModifier, QPoint(110, 30));
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{c}));
    // A click on the empty panel clears the selection.
    QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_TRUE(Selected().empty());

    // The rubber band selects what it touches, in list order.
    Press(QPoint(10, 10));
    Move(QPoint(60, 60));
    Move(QPoint(105, 105));
    EXPECT_TRUE(Root->RubberShown);
    EXPECT_EQ(Root->RubberRect.normalized(), QRect(QPoint(10, 10), QPoint(105, 105)));
    const QImage during = Grab(*Root);
    Release(QPoint(105, 105));
    EXPECT_FALSE(Root->RubberShown);
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{a, b, c}));
    // The band was drawn dotted around its rectangle, and is gone.
    const QImage after = Grab(*Root);
    int changed = 0;
    for (int x = 10; x < 100; ++x)
        changed += during.pixel(x, 9) != after.pixel(x, 9);
    EXPECT_GT(changed, 20);
    EXPECT_LT(changed, 70);
}

TEST_F(EditingTest, DragsMoveInGridStepsUnlessCtrlAndStopAtTheEdges)
{
    auto* a = Add<TTestElement>("TTestElement", 40, 40, 40, 20);
    auto* b = Add<TTestElement>("TTestElement", 120, 40, 40, 20);
    Root->SelectElement(0);
    Root->SelectElement(1);
    GridSize = 8;
    ElementCascade = {96, 64};
    const struct {
        Qt::KeyboardModifiers Modifiers;
        int Moved;
    } cases[] = {{{}, 8}, {Qt::ControlModifier, 13}};
    for (const auto& c : cases) {
        const QRect before = Bounds(a);
        Drag(QPoint(60, 50), QPoint(73, 50), c.Modifiers);
        EXPECT_EQ(Bounds(a), before.translated(c.Moved, 0));
        EXPECT_EQ(Bounds(b).left() - Bounds(a).left(), 80);   // the whole selection moves
        EXPECT_FALSE(SizerOf(a)->Moving);
    }
    EXPECT_TRUE(ProjectModified);
    EXPECT_EQ(ElementCascade, (TPoint{32, 32}));   // a move starts the placing over

    // Far to the left: the leftmost element stops at 0.
    GridSize = 1;
    Drag(QPoint(150, 50), QPoint(8, 50));
    EXPECT_EQ(Bounds(a).left(), 0);
    EXPECT_EQ(Bounds(b).left(), 80);
    // Past the right edge the selection stays where it is.
    Press(QPoint(110, 50));
    Move(QPoint(399, 50));
    Release(QPoint(399, 50));
    EXPECT_EQ(Bounds(a).left(), 0);
    EXPECT_EQ(Bounds(b).left(), 80);

    // An element not yet selected is selected and moved by one drag.
    Root->DeselectIndex(-1);
    GridSize = 8;
    Drag(QPoint(90, 50), QPoint(103, 50));
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{b}));
    EXPECT_EQ(Bounds(b), QRect(88, 40, 40, 20));
    EXPECT_FALSE(SizerOf(b)->Moving);
}

TEST_F(EditingTest, TheEightHandlesResizeAsTheOutlineTableSays)
{
    // Element 40 x 20 at (100, 100); its frame is 52 x 32 at (94, 94).
    const QPoint handleCentre[9] = {{}, {2, 2}, {2, 15}, {2, 28}, {25, 2}, {25, 28}, {48, 15}, {48, 2}, {48, 28}};
    const struct {
        int Handle;
        QPoint Drag;
        QRect After;
    } cases[] = {
        {1, {10, 6}, {110, 106, 30, 14}}, {2, {10, 6}, {110, 100, 30, 20}}, {3, {10, 6}, {110, 100, 30, 26}},
        {4, {10, 6}, {100, 106, 40, 14}}, {5, {10, 6}, {100, 100, 40, 26}}, {6, {10, 6}, {100, 100, 50, 20}},
        {7, {10, 6}, {100, 106, 50, 14}}, {8, {10, 6}, {100, 100, 50, 26}},
        // Mostly vertical: the right-hand corners keep the right edge.
        {1, {4, 8}, {104, 108, 36, 12}}, {7, {4, 8}, {100, 108, 40, 12}}, {8, {4, 8}, {100, 100, 40, 28}},
        {8, {-50, -30}, {92, 92, 6, 6}},   // dragged past the opposite corner: turned over
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Handle);
        auto* e = Add<TTestElement>("TTestElement", 100, 100, 40, 20);
        Root->SelectElement(Root->IndexOfElement(e));
        TSizer* sizer = SizerOf(e);
        ASSERT_NE(sizer, nullptr);
        const QPoint from = sizer->pos() + handleCentre[c.Handle];
        Press(from);
        EXPECT_EQ(sizer->ActiveHandle, c.Handle);
        Move(from + c.Drag / 2);
        Move(from + c.Drag);
        Release(from + c.Drag);
        EXPECT_EQ(Bounds(e), c.After);
        EXPECT_EQ(sizer->size(), e->size() + QSize(12, 12));
        EXPECT_EQ(sizer->ActiveHandle, 0);
        Root->RemoveElement(e);
    }
}

TEST_F(EditingTest, AspectRatioAndShiftSnappingWhileResizing)
{
    auto* e = Add<TTestElement>("TTestElement", 100, 100, 40, 40);
    e->Ratio = 1.0L;
    Root->SelectElement(0);
    QPoint from = SizerOf(e)->pos() + QPoint(48, 26);   // right middle
    Drag(from, from + QPoint(10, 0));
    EXPECT_EQ(Bounds(e), QRect(100, 100, 50, 50));   // the inner height follows
    e->Ratio = 0;

    // Shift puts the moving edges on the panel's grid lines.
    GridSize = 8;
    Root->DeselectIndex(-1);
    e->SetBounds(100, 100, 40, 20);
    Root->SelectElement(0);
    from = SizerOf(e)->pos() + QPoint(48, 28);   // bottom right
    Press(from, Qt::ShiftModifier);
    Move(from + QPoint(5, 2), Qt::ShiftModifier);
    Move(from + QPoint(13, 5), Qt::ShiftModifier);
    Release(from + QPoint(13, 5), Qt::ShiftModifier);
    const QRect r = Bounds(e);
    EXPECT_EQ(r.topLeft(), QPoint(100, 100));
    EXPECT_EQ((r.left() + r.width()) % 8, 0);
    EXPECT_EQ((r.top() + r.height()) % 8, 0);
    EXPECT_EQ(r.size(), QSize(36, 28));
}

TEST_F(EditingTest, HandlesTheElementForbidsAreGreyAndDoNotResize)
{
    auto* e = Add<TTestElement>("TTestElement", 100, 100, 40, 20);
    e->HScalable = false;
    Root->SelectElement(0);
    TSizer* sizer = SizerOf(e);
    const QImage image = Grab(*sizer);
    const QColor grey(0x80, 0x80, 0x80), black(Qt::black);
    EXPECT_EQ(image.pixelColor(2, 15), grey);    // 2
    EXPECT_EQ(image.pixelColor(48, 15), grey);   // 6
    EXPECT_EQ(image.pixelColor(2, 2), grey);     // the corners
    EXPECT_EQ(image.pixelColor(48, 28), grey);
    EXPECT_EQ(image.pixelColor(25, 2), black);   // 4 and 5 work
    EXPECT_EQ(image.pixelColor(25, 28), black);
    EXPECT_EQ(sizer->HandleAt(QPoint(48, 15)), 0);
    EXPECT_EQ(sizer->HandleAt(QPoint(25, 28)), 5);

    // Pressed on a forbidden handle the frame moves instead.
    const QPoint from = sizer->pos() + QPoint(48, 15);
    Drag(from, from + QPoint(10, 0));
    EXPECT_EQ(Bounds(e), QRect(110, 100, 40, 20));

    // With two elements selected every handle is grey.
    auto* other = Add<TTestElement>("TTestElement", 10, 10, 40, 20);
    Root->SelectElement(Root->IndexOfElement(other));
    EXPECT_FALSE(sizer->GetSizeable());
    EXPECT_EQ(Grab(*SizerOf(other)).pixelColor(48, 28), grey);
    // With one of them deselected the other's handles work again.
    Root->DeselectElement(other);
    EXPECT_TRUE(sizer->GetSizeable());
    EXPECT_EQ(Grab(*sizer).pixelColor(25, 28), black);
}

TEST_F(EditingTest, ADoubleClickOpensTheDialogOnceAndStartsNoMove)
{
    auto* e = Add<TTestElement>("TTestElement", 100, 100, 40, 20);
    e->Ratio = 1.0L;
    // A click before: the press the container passes on to the new frame must
    // keep its time, or the device no longer tells the double click.
    QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(300, 250));
    QTest::mouseDClick(W(), Qt::LeftButton, {}, QPoint(110, 110));
    EXPECT_EQ(e->DialogCount, 1);
    ASSERT_TRUE(Root->IsSelected(e));
    TSizer* sizer = SizerOf(e);
    EXPECT_FALSE(sizer->Moving);
    EXPECT_EQ(Bounds(e), QRect(100, 100, 20, 20));   // the ratio applied after the dialog
    EXPECT_EQ(sizer->size(), QSize(32, 32));
}

TEST_F(EditingTest, TheContainerAsksForTheHintOfTheElementUnderTheMouse)
{
    auto* e = Add<TTestElement>("TTestElement", 100, 100, 40, 20);
    e->SetElementName("LED1");
    Move(QPoint(5, 5));   // a move to where the mouse already is would not arrive
    Move(QPoint(112, 111));
    Move(QPoint(300, 250));
    auto* label = Add<TBeschriftung>("TBeschriftung", 200, 200, 40, 20);
    label->SetHint("");
    Move(QPoint(210, 210));   // " " asks for nothing
    ASSERT_GE(Window->Hints.size(), 2u);
    EXPECT_EQ(Window->Hints[Window->Hints.size() - 2], "Test LED1");
    EXPECT_EQ(Window->Hints.back(), "-");
}

TEST_F(EditingTest, ThePopupMenuIsEnabledForTheSelection)
{
    auto* led = Add<TTestElement>("TTestElement", 10, 10, 40, 20);
    auto* text = Add<TBeschriftung>("TBeschriftung", 100, 10, 40, 20);
    auto* frame = Add<TRahmen>("TRahmen", 10, 100, 40, 20);
    auto* nested = dynamic_cast<TDesign*>(Root->AddElement("TDesign"));
    auto item = [&](int i) { return Root->PopupMenu->findChild<QAction*>(QString("DesignMenu%1").arg(i)); };
    auto enabled = [&] {
        Root->PrepareMenu();
        std::vector<int> on;
        for (int i : {0, 1, 2, 4, 5, 13, 15})
            if (item(i)->isEnabled())
                on.push_back(i);
        return on;
    };
    auto select = [&](std::vector<TFP_Element*> elements) {
        Root->DeselectIndex(-1);
        for (TFP_Element* x : elements)
            Root->SelectElement(Root->IndexOfElement(x));
    };
    const struct {
        std::vector<TFP_Element*> Selection;
        std::vector<int> Enabled;
    } cases[] = {
        {{}, {0, 1}},
        {{led}, {0, 1, 2, 4, 5}},            // an element that publishes
        {{text}, {0, 1, 4, 5, 13, 15}},      // a decoration that does not
        {{text, frame}, {4, 5, 13, 15}},     // two classes: no properties
        {{led, text}, {4, 5}},
        {{nested}, {1, 2, 4, 5}},            // a macro panel has no properties
    };
    nested->AddElement("TTestElement");
    nested->SetisVisible(true);
    for (const auto& c : cases) {
        select(c.Selection);
        EXPECT_EQ(enabled(), c.Enabled) << c.Selection.size();
    }
    LanguageIndex = 1;
    Root->PrepareMenu();
    EXPECT_EQ(item(15)->text(), "Dublicate");
    EXPECT_EQ(item(1)->text(), "Frame && Background...");
    // The page items only with page tabs.
    EXPECT_EQ(Root->PopupMenu->findChild<QAction*>("NEUEFP"), nullptr);
}

TEST_F(EditingTest, TheWebItemRenumbersThePublishedElements)
{
    std::vector<TTestElement*> e;
    for (int i = 0; i < 3; ++i) {
        e.push_back(Add<TTestElement>("TTestElement", 10 + 50 * i, 10, 40, 20));
        e.back()->WebSortOrder = i + 1;
    }
    Add<TBeschriftung>("TBeschriftung", 10, 100, 40, 20)->WebSortOrder = 2;
    Root->SelectElement(2);
    std::vector<AnsiString> rows;
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = dynamic_cast<TDefault_Dlg&>(form);
            EXPECT_EQ(dlg.Caption(), "Test");
            EXPECT_EQ(dlg.HelpContext(), 48100);
            const auto spins = dlg.findChildren<TUCLSpinEdit*>();
            ASSERT_EQ(spins.size(), 1);
            spins[0]->SetValue(1);
            dlg.OKBtn->click();
        }});
        Root->PopupMenu->findChild<QAction*>("DesignMenu2")->trigger();
    }
    EXPECT_TRUE(Root->Selection.empty());
    // The edited one takes place 1, the others move back; the label is not published.
    EXPECT_EQ(e[2]->WebSortOrder, 1);
    EXPECT_EQ(e[0]->WebSortOrder, 2);
    EXPECT_EQ(e[1]->WebSortOrder, 3);
}

TEST_F(EditingTest, CursorKeysMoveByTheGridAndCtrlByOnePixel)
{
    auto* e = Add<TTestElement>("TTestElement", 40, 40, 40, 20);
    Root->SelectElement(0);
    Root->setFocus();
    GridSize = 8;
    QTest::keyClick(Root, Qt::Key_Right);
    EXPECT_EQ(Bounds(e).topLeft(), QPoint(48, 40));
    QTest::keyClick(Root, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Bounds(e).topLeft(), QPoint(48, 41));
    QTest::keyClick(Root, Qt::Key_Left);
    QTest::keyClick(Root, Qt::Key_Up);
    EXPECT_EQ(Bounds(e).topLeft(), QPoint(40, 33));
    EXPECT_FALSE(SizerOf(e)->Moving);
}

TEST_F(EditingTest, TheRightButtonOpensTheMenuWhoseItemsAddDecorationsAndPages)
{
    QTabBar tabs;
    tabs.addTab("Frontplatte 1");
    Root->PageTabs = &tabs;
    Root->IsRootPanel = true;
    int tabChanges = 0;
    Root->OnPageTabsChanged = [&] { ++tabChanges; };
    auto* text = Add<TBeschriftung>("TBeschriftung", 100, 100, 60, 20);
    std::vector<std::function<void(QMenu&)>> picks;
    int shown = 0;
    SetPopupMenuHook([&](QMenu& menu, QPoint) {
        if (shown < int(picks.size()))
            picks[shown](menu);
        ++shown;
    });
    auto item = [](QMenu& menu, const char* name) -> QAction* {
        for (QAction* action : menu.actions())
            if (action->objectName() == name)
                return action;
        return nullptr;
    };

    // On the label: it is selected, and a new scale comes at the next place, unselected.
    ElementCascade = {64, 32};
    picks.push_back([&](QMenu& menu) {
        EXPECT_TRUE(item(menu, "DesignMenu13")->isEnabled());
        EXPECT_TRUE(item(menu, "FPLSUB")->isEnabled());
        item(menu, "DesignMenu11")->trigger();
    });
    QTest::mouseClick(W(), Qt::RightButton, {}, QPoint(110, 110));
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(Root->Elements.size(), 2u);
    auto* scale = dynamic_cast<TSkale*>(Root->Elements[1]);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->pos(), QPoint(64, 32));
    EXPECT_EQ(Selected(), (std::vector<TFP_Element*>{text}));
    EXPECT_TRUE(ProjectModified);

    // The selection goes to a new page through the submenu.
    picks.push_back([&](QMenu& menu) {
        QMenu* pages = item(menu, "FPLSUB")->menu();
        ASSERT_NE(pages, nullptr);
        ASSERT_EQ(pages->actions().size(), 3);   // new page, separator, "Frontplatte 1"
        EXPECT_EQ(pages->actions()[2]->text(), "Frontplatte 1");
        pages->actions()[0]->trigger();
    });
    QTest::mouseClick(W(), Qt::RightButton, {}, QPoint(110, 110));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(text->FrontplattenNR(), 1);
    EXPECT_TRUE(Selected().empty());
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.tabText(1), "Frontplatte 2");
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(tabChanges, 1);

    // On the empty panel: a new page of its own; the submenu needs a selection.
    picks.push_back([&](QMenu& menu) {
        EXPECT_FALSE(item(menu, "FPLSUB")->isEnabled());
        EXPECT_EQ(menu.findChildren<QAction*>("NEUEFP").size(), 1);   // made anew, not piled up
        item(menu, "NEUEFP")->trigger();
    });
    QTest::mouseClick(W(), Qt::RightButton, {}, QPoint(300, 250));
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.tabText(2), "Frontplatte 3");
    EXPECT_EQ(tabChanges, 2);
    // The page submenus of earlier pop-ups do not pile up.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Root->PopupMenu->findChildren<QMenu*>().size(), 1);
    SetPopupMenuHook({});
    Root->PageTabs = nullptr;
}
