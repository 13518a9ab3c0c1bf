// Control bases and panels: layout inside the bevel, flat and hot borders,
// transparency, the size grip, moving and sizing with the mouse. Rendering
// goes through QWidget::grab on the offscreen platform.
#include "ui/controls/UCLPanel.h"

#include "platform/Colors.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

QColor C(TColor c)
{
    return ColorToQColor(c);
}

QColor Px(QWidget& w, int x, int y)
{
    return w.grab().toImage().pixelColor(x, y);
}

void Enter(QWidget& w)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&w, &enter);
}

void Leave(QWidget& w)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
}

void Mouse(QWidget& w, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(local), QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// A window-less control that fills with its colour unless transparent.
class TSwatch : public TUCLBaseGraphicControl {
public:
    using TUCLBaseGraphicControl::TUCLBaseGraphicControl;

protected:
    void Paint(QPainter& p) override
    {
        if (!Transparent())
            FillSolid(p);
    }
};

// A non-widget object of a form that gives a background to its controls.
class TFormBackground : public QObject, public IUCLBackground {
public:
    using QObject::QObject;
    bool SuppliesBackground() const override { return true; }
    bool GetTransparent() const override { return false; }
    void RefreshBackground() override {}
};

std::unique_ptr<QWidget> RedForm()
{
    auto form = std::make_unique<QWidget>();
    form->resize(120, 80);
    form->setAutoFillBackground(true);
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, Qt::red);
    form->setPalette(pal);
    return form;
}

}   // namespace

TEST(Panel, EdgeToolBarLaysChildrenOutTwoPixelsInAndDrawsTheBottomLine)
{
    TUCLSimplePanel bar;
    bar.resize(200, 25);
    bar.Bevel().SetMode(TUCLBevelMode::bmEdge);
    bar.Bevel().SetBorderSides(fsBottom);
    auto* layout = new QHBoxLayout(&bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* button = new QWidget(&bar);
    layout->addWidget(button);
    bar.show();
    QApplication::processEvents();
    EXPECT_EQ(button->geometry(), QRect(2, 2, 196, 21));

    button->hide();
    EXPECT_EQ(Px(bar, 100, 24), C(clBtnHighlight));
    EXPECT_EQ(Px(bar, 100, 23), C(clBtnShadow));
    EXPECT_EQ(Px(bar, 100, 0), C(clBtnFace));

    bar.Bevel().SetBorderSides(0);   // a bevel change re-lays out the children
    button->show();
    QApplication::processEvents();
    EXPECT_EQ(button->geometry(), QRect(0, 0, 200, 25));
}

TEST(Panel, FlatPanelShowsItsBevelOnlyWhenHotOrFocused)
{
    TUCLSimplePanel panel;
    panel.resize(40, 30);
    panel.SetColor(clYellow);
    panel.Bevel().SetStyleOuter(TUCLBevelStyle::bvRaised);
    panel.Bevel().SetWidthOuter(2);
    EXPECT_EQ(Px(panel, 20, 0), C(clBtnHighlight));   // not flat: always drawn

    panel.SetFlat(true);
    EXPECT_EQ(Px(panel, 20, 0), QColor(Qt::yellow));
    EXPECT_EQ(Px(panel, 20, 29), QColor(Qt::yellow));
    Enter(panel);
    EXPECT_TRUE(panel.MouseAbove());
    EXPECT_EQ(Px(panel, 20, 0), C(clBtnHighlight));
    EXPECT_EQ(Px(panel, 20, 29), C(clBtnShadow));
    Leave(panel);
    EXPECT_EQ(Px(panel, 20, 0), QColor(Qt::yellow));
}

TEST(Panel, WindowsModeHasTheWindowBorderAndFlatBordersReplaceIt)
{
    TUCLSimplePanel panel;
    panel.resize(40, 30);
    panel.Bevel().SetMode(TUCLBevelMode::bmWindows);
    EXPECT_EQ(panel.contentsRect(), QRect(2, 2, 36, 26));
    EXPECT_EQ(Px(panel, 20, 0), C(clBtnShadow));
    EXPECT_EQ(Px(panel, 20, 1), C(cl3DDkShadow));
    EXPECT_EQ(Px(panel, 20, 29), C(clBtnHighlight));

    panel.SetCtl3D(false);
    EXPECT_EQ(panel.contentsRect(), QRect(1, 1, 38, 28));
    EXPECT_EQ(Px(panel, 20, 0), C(clWindowFrame));

    panel.SetCtl3D(true);
    panel.SetFlat(true);   // cold: button-face frames
    EXPECT_EQ(Px(panel, 20, 0), C(clBtnFace));
    EXPECT_EQ(Px(panel, 20, 1), C(clBtnFace));
    Enter(panel);          // hot: sunken outer edge over a window frame
    EXPECT_EQ(Px(panel, 20, 0), C(clBtnShadow));
    EXPECT_EQ(Px(panel, 20, 1), C(clWindowFrame));
}

TEST(Panel, SizeGripKeepsChildrenAboveItAndResizesFromTheCorner)
{
    TUCLSimplePanel panel;
    panel.resize(100, 60);
    auto* layout = new QHBoxLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new QWidget(&panel);
    layout->addWidget(child);
    panel.SetSizeGrip(true);
    panel.show();
    QApplication::processEvents();
    EXPECT_EQ(child->geometry().bottom() + 1, 60 - 16);

    const TRect grip = panel.GetSizeGripRect();
    EXPECT_EQ(grip.Right, 100);
    EXPECT_EQ(grip.Bottom, 60);
    const QImage image = panel.grab().toImage();
    bool drawn = false;
    for (int x = grip.Left; x < grip.Right; ++x)
        drawn = drawn || image.pixelColor(x, grip.Bottom - 1) != C(clBtnFace);
    EXPECT_TRUE(drawn);

    panel.AllowSizing = true;
    const QPoint at(98, 58);
    Mouse(panel, QEvent::MouseButtonPress, at, at, Qt::LeftButton);
    Mouse(panel, QEvent::MouseMove, at + QPoint(20, 10), at + QPoint(20, 10), Qt::LeftButton);
    Mouse(panel, QEvent::MouseButtonRelease, at + QPoint(20, 10), at + QPoint(20, 10), Qt::NoButton);
    EXPECT_EQ(panel.size(), QSize(120, 70));
}

TEST(ControlBase, SizingHitTestFindsTheEdgeOrCorner)
{
    using H = TUCLSizingHit;
    const TRect inner = Rect(4, 4, 96, 56);
    struct Case {
        TPoint p;
        H hit;
    };
    for (const Case c : {Case{Point(50, 30), H::None}, Case{Point(98, 58), H::BottomRight}, Case{Point(1, 58), H::BottomLeft},
                         Case{Point(50, 57), H::Bottom}, Case{Point(1, 1), H::TopLeft}, Case{Point(97, 2), H::TopRight},
                         Case{Point(50, 0), H::Top}, Case{Point(2, 30), H::Left}, Case{Point(96, 30), H::Right}})
        EXPECT_EQ(SizingHitTest(inner, c.p), c.hit) << c.p.X << "," << c.p.Y;
}

TEST(ControlBase, MovingFiresOnMoveOnceAndLockedOrLaidOutControlsStay)
{
    QWidget form;
    form.resize(300, 200);
    TUCLCustomControl control(&form);
    control.move(10, 10);
    control.AllowMoving = true;
    int moves = 0;
    control.OnMove = [&](TPersistent* sender) {
        EXPECT_EQ(sender, &control);
        ++moves;
    };
    const QPoint press(20, 20), global(500, 500);
    Mouse(control, QEvent::MouseButtonPress, press, global, Qt::LeftButton);
    Mouse(control, QEvent::MouseMove, press, global + QPoint(5, 7), Qt::LeftButton);
    Mouse(control, QEvent::MouseMove, press, global + QPoint(15, 17), Qt::LeftButton);
    Mouse(control, QEvent::MouseButtonRelease, press, global + QPoint(15, 17), Qt::NoButton);
    EXPECT_EQ(control.pos(), QPoint(25, 27));
    EXPECT_EQ(moves, 1);

    control.ControlLocked = true;
    Mouse(control, QEvent::MouseButtonPress, press, global, Qt::LeftButton);
    Mouse(control, QEvent::MouseMove, press, global + QPoint(5, 7), Qt::LeftButton);
    Mouse(control, QEvent::MouseButtonRelease, press, global + QPoint(5, 7), Qt::NoButton);
    EXPECT_EQ(control.pos(), QPoint(25, 27));

    control.ControlLocked = false;   // an aligned (laid out) control never moves
    auto* layout = new QHBoxLayout(&form);
    layout->addWidget(&control);
    form.show();
    QApplication::processEvents();
    const QPoint laidOut = control.pos();
    Mouse(control, QEvent::MouseButtonPress, press, global, Qt::LeftButton);
    Mouse(control, QEvent::MouseMove, press, global + QPoint(5, 7), Qt::LeftButton);
    Mouse(control, QEvent::MouseButtonRelease, press, global + QPoint(5, 7), Qt::NoButton);
    EXPECT_EQ(control.pos(), laidOut);
    layout->removeWidget(&control);
}

TEST(ControlBase, FlatControlShowsButtonFaceFramesUntilFocusedThenAfterEnterFires)
{
    QWidget form;
    TUCLCustomControl control(&form);
    control.SetColor(clWhite);
    control.SetFlat(true);
    EXPECT_EQ(Px(control, 50, 0), C(clBtnFace));
    EXPECT_EQ(Px(control, 50, 1), C(clBtnFace));
    EXPECT_EQ(Px(control, 50, 2), QColor(Qt::white));
    Enter(control);   // the mouse alone does not make the base hot
    EXPECT_EQ(Px(control, 50, 0), C(clBtnFace));

    int afterEnter = 0;
    control.OnAfterEnter = [&](TPersistent* sender) {
        EXPECT_EQ(sender, &control);
        EXPECT_TRUE(control.HasFocus());   // after the focus handling
        ++afterEnter;
    };
    form.show();
    control.setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(control.HasFocus());
    QApplication::processEvents();
    EXPECT_EQ(afterEnter, 1);
    EXPECT_EQ(Px(control, 50, 0), C(clBtnShadow));
    EXPECT_EQ(Px(control, 50, 1), C(clWindowFrame));
}

TEST(ControlBase, ImageIndexesIgnoreNegativesAndTheListIsReleasedWithItsOwner)
{
    struct TList : TUCLBaseController {};
    TUCLCustomControl control;
    control.SetImageIndex(3);
    control.SetImageIndex(-1);
    control.SetListIndex(-5);
    EXPECT_EQ(control.ImageIndex(), 3);
    EXPECT_EQ(control.ListIndex(), 0);

    auto list = std::make_unique<TList>();
    control.SetImageList(list.get());
    EXPECT_EQ(list->Clients().size(), 1u);
    list.reset();
    EXPECT_EQ(control.ImageList(), nullptr);
}

TEST(ControlBase, TransparencyShowsTheParentOnlyWhereTheRulesAllowIt)
{
    // A window-less control shows whatever is under it while transparent.
    auto form = RedForm();
    auto* swatch = new TSwatch(form.get());
    swatch->setGeometry(10, 10, 30, 30);
    swatch->SetColor(clBlue);
    EXPECT_EQ(Px(*form, 20, 20), QColor(Qt::red));
    swatch->SetTransparent(false);
    EXPECT_EQ(Px(*form, 20, 20), QColor(Qt::blue));

    // A windowed control on a plain form fills with its colour even when
    // transparent: the form supplies no background.
    auto* panel = new TUCLSimplePanel(form.get());
    panel->setGeometry(50, 10, 60, 60);
    panel->SetColor(clLime);
    panel->SetTransparent(true);
    EXPECT_FALSE(panel->DrawsParentBackground());
    EXPECT_EQ(Px(*form, 80, 40), QColor(Qt::green));

    // With a form background object, a transparent panel and a transparent
    // control on it show the form through both.
    auto* inner = new TUCLCustomControl(panel);
    inner->setGeometry(10, 10, 20, 20);
    inner->SetTransparent(true);
    new TFormBackground(form.get());
    EXPECT_TRUE(panel->DrawsParentBackground());
    EXPECT_TRUE(inner->DrawsParentBackground());
    EXPECT_EQ(Px(*form, 80, 40), QColor(Qt::red));
    inner->SetTransparent(false);
    EXPECT_EQ(Px(*form, 65, 25), C(clBtnFace));
}
