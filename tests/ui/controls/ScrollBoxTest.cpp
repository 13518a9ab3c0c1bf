#include "ui/controls/UCLCustomScrollBox.h"

#include "RenderHelpers.h"
#include "platform/Colors.h"
#include "ui/controls/UCLApplication.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

class TBox : public TUCLCustomScrollBox {
public:
    using TUCLCustomScrollBox::TUCLCustomScrollBox;
};

// A transparent child that counts the background changes it is told of.
class TCountingChild : public QWidget, public IUCLBackground {
public:
    explicit TCountingChild(QWidget* parent) : QWidget(parent) { resize(20, 20); }
    bool SuppliesBackground() const override { return false; }
    bool GetTransparent() const override { return true; }
    void RefreshBackground() override { ++Refreshes; }
    int Refreshes = 0;
};

// Themes on for one test.
struct ThemesOn {
    ThemesOn()
    {
        TUCLApplication::SetThemesAvailable(true);
        LibraryApplication().SetUseXPThemes(true);
    }
    ~ThemesOn()
    {
        LibraryApplication().SetUseXPThemes(false);
        TUCLApplication::SetThemesAvailable(false);
    }
};

}   // namespace

TEST(ScrollBox, FrameRoomFollowsBevelCtl3DAndThemes)
{
    TBox box;
    box.resize(100, 60);
    EXPECT_EQ(box.Bevel().Mode(), TUCLBevelMode::bmWindows);
    EXPECT_TRUE(box.Bevel().NativeBorder);
    EXPECT_EQ(box.size(), QSize(100, 60));
    struct Case {
        const char* name;
        TUCLBevelMode mode;
        bool ctl3D;
        bool themes;
        bool ctlXP;
        int margin;
    };
    const Case cases[] = {
        {"client edge", TUCLBevelMode::bmWindows, true, false, true, 2},
        {"plain border", TUCLBevelMode::bmWindows, false, false, true, 1},
        {"themed edit frame", TUCLBevelMode::bmWindows, true, true, true, 1},
        {"themes but no CtlXP", TUCLBevelMode::bmWindows, true, true, false, 2},
        {"custom bevel without room", TUCLBevelMode::bmCustom, true, true, true, 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ThemesOn> themes(c.themes ? new ThemesOn : nullptr);
        TUCLScrollBoxBevel bevel;
        bevel.SetMode(c.mode);
        box.SetBevel(bevel);
        box.SetCtl3D(c.ctl3D);
        box.SetCtlXP(c.ctlXP);
        EXPECT_EQ(box.FrameMargins(), Rect(c.margin, c.margin, c.margin, c.margin)) << c.name;
        EXPECT_EQ(box.ClientRect(), Rect(c.margin, c.margin, 100 - c.margin, 60 - c.margin)) << c.name;
    }
}

TEST(ScrollBox, CustomBevelTakesItsRoomAndPaintsInTheFrame)
{
    TBox box;
    box.resize(40, 30);
    box.SetColor(0xFFFFFF);
    TUCLScrollBoxBevel bevel;
    bevel.SetMode(TUCLBevelMode::bmCustom);
    bevel.SetStyleOuter(TUCLBevelStyle::bvRaised);
    bevel.SetWidthOuter(2);
    box.SetBevel(bevel);
    EXPECT_EQ(box.FrameMargins(), Rect(2, 2, 2, 2));
    EXPECT_EQ(box.ClientWidth(), 36);
    EXPECT_EQ(box.ClientHeight(), 26);
    ExpectMatchesReference(Render(box), "scrollbox_raised");
    // The default box: a sunken client edge.
    TBox plain;
    plain.resize(40, 30);
    plain.SetColor(0xFFFFFF);
    ExpectMatchesReference(Render(plain), "scrollbox_client_edge");
}

TEST(ScrollBox, ThemedFrameIsOnePixelOfTheStyle)
{
    ThemesOn themes;
    TBox box;
    box.resize(40, 30);
    box.SetColor(0xFFFFFF);
    EXPECT_TRUE(box.UseThemes());
    const QImage image = Render(box);
    EXPECT_EQ(PixelRgb(image, 20, 1), 0xFFFFFFu);   // the client starts inside one pixel
    EXPECT_EQ(PixelRgb(image, 20, 15), 0xFFFFFFu);
}

TEST(ScrollBox, RangesShowTheScrollBarsAndMoveTheChildren)
{
    TBox box;
    box.resize(100, 60);
    QWidget* child = new QWidget(box.Client());
    child->setGeometry(10, 5, 30, 20);
    int scrolled = 0;
    box.OnScroll = [&scrolled](TPersistent*) { ++scrolled; };
    box.SetHorzRange(300);
    EXPECT_TRUE(box.HorzScrollBar()->isVisibleTo(&box));
    EXPECT_FALSE(box.VertScrollBar()->isVisibleTo(&box));
    const int extent = box.HorzScrollBar()->height();
    EXPECT_EQ(box.ClientHeight(), 60 - 4 - extent);
    box.Scroll(true, TUCLScrollCode::SB_LINEDOWN);
    EXPECT_EQ(box.HorzPosition(), 8);
    EXPECT_EQ(child->x(), 2);
    box.Scroll(true, TUCLScrollCode::SB_PAGEDOWN);
    EXPECT_EQ(box.HorzPosition(), 8 + box.ClientWidth());
    box.Scroll(true, TUCLScrollCode::SB_BOTTOM);
    EXPECT_EQ(box.HorzPosition(), 300 - box.ClientWidth());
    EXPECT_EQ(scrolled, 3);
    box.Scroll(true, TUCLScrollCode::SB_ENDSCROLL);   // no move: no OnScroll
    EXPECT_EQ(scrolled, 3);
    box.Scroll(true, TUCLScrollCode::SB_TOP);
    EXPECT_EQ(child->x(), 10);
    // The vertical bar only while allowed.
    box.SetVertRange(200);
    EXPECT_TRUE(box.VertScrollBar()->isVisibleTo(&box));
    box.SetVertScrollBarVisible(false);
    EXPECT_FALSE(box.VertScrollBar()->isVisibleTo(&box));
    // Scroll bar clicks arrive as scroll requests.
    box.SetHorzRange(300);
    box.HorzScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(box.HorzPosition(), 8);
    EXPECT_EQ(child->x(), 2);
}

TEST(ScrollBox, TransparentBoxRefreshesItsChildrenWhileScrolling)
{
    struct Case {
        bool counting;
        bool horizontal;
        std::vector<int> refreshesAfterEachRequest;   // LINEDOWN, LINEDOWN, ENDSCROLL
    };
    const Case cases[] = {
        {true, true, {1, 2, 3}},
        {true, false, {1, 2, 3}},
        {false, true, {0, 0, 1}},
        {false, false, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        QWidget window;
        auto* parent = new TGreenParent(&window, QSize(200, 120));
        auto* box = new TBox(parent);
        box->resize(100, 60);
        box->SetHorzRange(400);
        box->SetVertRange(400);
        box->SetTransparent(true);
        box->ScrollRepaintCounting = c.counting;
        auto* child = new TCountingChild(box->Client());
        const TUCLScrollCode codes[] = {TUCLScrollCode::SB_LINEDOWN, TUCLScrollCode::SB_LINEDOWN, TUCLScrollCode::SB_ENDSCROLL};
        for (int k = 0; k < 3; ++k) {
            box->Scroll(c.horizontal, codes[k]);
            EXPECT_EQ(child->Refreshes, c.refreshesAfterEachRequest[k])
                << (c.counting ? "counting" : "at the end") << (c.horizontal ? " horizontal" : " vertical") << k;
        }
    }
    // Opaque: nothing to tell.
    QWidget window;
    auto* parent = new TGreenParent(&window, QSize(200, 120));
    auto* box = new TBox(parent);
    box->SetHorzRange(400);
    auto* child = new TCountingChild(box->Client());
    box->Scroll(true, TUCLScrollCode::SB_LINEDOWN);
    EXPECT_EQ(child->Refreshes, 0);
}

TEST(ScrollBox, TransparentBoxShowsTheParentsBackground)
{
    QWidget window;
    window.resize(200, 120);
    auto* parent = new TGreenParent(&window, QSize(200, 120));
    auto* box = new TBox(parent);
    box->setGeometry(20, 20, 100, 60);
    box->SetColor(0xFFFFFF);
    QImage image = Render(window);
    EXPECT_EQ(PixelRgb(image, 70, 50), 0xFFFFFFu);
    box->SetTransparent(true);
    image = Render(window);
    EXPECT_EQ(PixelRgb(image, 70, 50), 0x00A000u);
    EXPECT_NE(PixelRgb(image, 20, 20), 0x00A000u);   // the frame is still drawn
}
