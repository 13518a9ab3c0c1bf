// The hint box sizes itself for its lines and draws its frame and shadow.
#include "panel/framework/HintBox.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Text measured in the box's font.
struct THintText {
    THintText()
    {
        Canvas.Font.Name = "Arial";
        Canvas.Font.Height = 12;
    }
    Integer Width(const char* text) const { return Canvas.TextWidth(text); }
    Integer LineHeight() const { return Canvas.TextHeight("X"); }
    TCanvas Canvas;
};

} // namespace

TEST(HintBoxTest, SizeFollowsTheLines)
{
    const struct {
        const char* Text;
        const char* Kept;
        int Lines;
    } cases[] = {
        {"Q = 5", "Q = 5", 1},
        {"Q = 5\r", "Q = 5", 1},                // one return at the end is dropped
        {"TAND 1\rUND\rGatter", "TAND 1\rUND\rGatter", 3},
        {"A\r\r", "A\r", 2},                     // only one: an empty line stays
        {"\r\r\r", "\r\r", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        THintBox box;
        box.ShowText(c.Text);
        EXPECT_EQ(box.Text, c.Kept);
        EXPECT_EQ(box.height(), 5 + c.Lines * THintText().LineHeight());
        EXPECT_FALSE(box.isVisible());   // the owner shows it
    }
}

TEST(HintBoxTest, WidthIsTheWidestLineAndTheSameTextChangesNothing)
{
    THintBox box;
    box.ShowText("I\rWWWWWWWW\rI");
    const THintText text;
    EXPECT_EQ(box.width(), text.Width("WWWWWWWW") + 7);

    box.resize(10, 10);
    box.ShowText("I\rWWWWWWWW\rI");
    EXPECT_EQ(box.size(), QSize(10, 10));
    box.ShowText("I");
    EXPECT_EQ(box.width(), text.Width("I") + 7);
}

TEST(HintBoxTest, FrameShadowAndBackground)
{
    THintBox box;
    box.ShowText("");
    box.resize(40, 20);
    QImage image(box.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    box.render(&image);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixelColor(20, 0), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixelColor(20, 19), QColor(Qt::black));     // shadow along the bottom
    EXPECT_EQ(image.pixelColor(39, 10), QColor(Qt::black));     // and the right
    EXPECT_EQ(image.pixelColor(20, 10), ColorToQColor(clInfoBk));
}
