#include "ui/controls/UCLSimpleLabel.h"

#include "MouseHelpers.h"
#include "RenderHelpers.h"
#include "platform/Colors.h"

#include <QHBoxLayout>

#include <gtest/gtest.h>

namespace {

class Link : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLinkOpener([this](const AnsiString& Target) {
            Opened.push_back(Target);
            return Answer;
        });
        Label.show();
    }
    void TearDown() override { SetLinkOpener(nullptr); }
    void Click()
    {
        Press(&Label, QPoint(1, 1));
        Release(&Label, QPoint(1, 1));
    }
    TUCLSimpleLabel Label;
    std::vector<AnsiString> Opened;
    bool Answer = true;
};

}   // namespace

TEST_F(Link, InternetModeOpensJumpCaptionOrMailto)
{
    int clicks = 0;
    Label.OnClick = [&](TPersistent*) { ++clicks; };
    Label.SetJumpMode(TUCLJumpModes::jmInternet);
    struct {
        const char* Jump;
        const char* Caption;
        const char* Target;
    } const cases[] = {{"", "info@example.org", "mailto:info@example.org"},
                       {"", "https://example.org", "https://example.org"},
                       {"  ", "www.example.org", "www.example.org"},
                       {"https://x.test/", "Visit us", "https://x.test/"}};
    for (const auto& c : cases) {
        Label.Jump = c.Jump;
        Label.SetCaption(c.Caption);
        Click();
        ASSERT_FALSE(Opened.empty());
        EXPECT_EQ(Opened.back(), c.Target);
    }
    EXPECT_EQ(clicks, 0);   // the link acts instead of OnClick
    EXPECT_EQ(Label.FontColor(), Label.ActiveColor);
    EXPECT_EQ(Label.Clicks(), 4);
}

TEST_F(Link, UnopenableTargetSwitchesTheLabelOff)
{
    Label.SetJumpMode(TUCLJumpModes::jmInternet);
    Label.SetCaption("nowhere");
    Answer = false;
    Click();
    EXPECT_EQ(Label.JumpMode(), TUCLJumpModes::jmNone);
    EXPECT_FALSE(Label.isEnabled());
}

TEST_F(Link, ModesSwitchColourUnderlineAndClickHandling)
{
    Label.SetJumpMode(TUCLJumpModes::jmInternet);
    EXPECT_EQ(Label.FontColor(), 0xFF0000u);
    EXPECT_TRUE(Label.font().underline());
    Label.SetJumpMode(TUCLJumpModes::jmNone);
    EXPECT_EQ(Label.FontColor(), clBlack);
    EXPECT_FALSE(Label.font().underline());
    int clicks = 0;
    Label.OnClick = [&](TPersistent*) { ++clicks; };
    Label.SetCaption("x");
    Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Opened.empty());
}

TEST(SimpleLabel, AutoSizeFollowsTheCaptionUnlessLaidOut)
{
    TUCLSimpleLabel label;
    label.SetCaption("short");
    const int narrow = label.width();
    label.SetCaption("a much longer caption");
    EXPECT_GT(label.width(), narrow);
    QWidget host;
    auto* layout = new QHBoxLayout(&host);
    TUCLSimpleLabel* inLayout = new TUCLSimpleLabel;
    layout->addWidget(inLayout);
    inLayout->resize(40, 20);
    inLayout->SetCaption("a much longer caption");
    EXPECT_EQ(inLayout->width(), 40);
}

TEST(SimpleLabel, TwinkleAlternatesPhasesWithTheirIntervals)
{
    TUCLSimpleLabel label;
    label.SetCaption("blink");
    label.TwinkleInVisible = 300;
    label.SetOption(3, true);
    ASSERT_NE(label.TwinkleTimer(), nullptr);
    EXPECT_EQ(label.TwinkleTimer()->Interval(), 700);
    label.TwinkleTimer()->DoTimer();
    EXPECT_FALSE(label.TwinklePhaseVisible());
    EXPECT_EQ(label.TwinkleTimer()->Interval(), 300);
    // clNone: nothing drawn in the invisible phase; a colour draws the text in it.
    label.SetColor(clWhite);
    label.SetTransparent(false);
    const QImage hidden = Render(label);
    int dark = 0;
    for (int y = 0; y < hidden.height(); ++y)
        for (int x = 0; x < hidden.width(); ++x)
            dark += PixelRgb(hidden, x, y) != 0xFFFFFF;
    EXPECT_EQ(dark, 0);
    label.TwinkleColor = clRed;
    const QImage red = Render(label);
    int reds = 0;
    for (int y = 0; y < red.height(); ++y)
        for (int x = 0; x < red.width(); ++x)
            reds += (PixelRgb(red, x, y) & 0xFF0000) == 0xFF0000 && (PixelRgb(red, x, y) & 0xFFFF) < 0x8080;
    EXPECT_GT(reds, 0);
    label.TwinkleTimer()->DoTimer();
    EXPECT_TRUE(label.TwinklePhaseVisible());
    label.SetOption(3, false);
    EXPECT_EQ(label.TwinkleTimer(), nullptr);
}

TEST(SimpleLabel, TransparentEmptyLabelIsEmpty)
{
    TUCLSimpleLabel label;
    EXPECT_TRUE(label.IsEmpty());
    label.SetCaption("x");
    EXPECT_FALSE(label.IsEmpty());
}
