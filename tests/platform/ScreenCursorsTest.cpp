#include "platform/ScreenCursors.h"

#include <QPixmap>
#include <gtest/gtest.h>

class ScreenCursors : public ::testing::Test {
protected:
    void SetUp() override { ResetScreenCursors(); }
    void TearDown() override { ResetScreenCursors(); }

    static QCursor Picture(Qt::GlobalColor colour)
    {
        QPixmap pixmap(32, 32);
        pixmap.fill(colour);
        return QCursor(pixmap, 5, 6);
    }
};

TEST_F(ScreenCursors, NumbersNobodyRegisteredGiveTheArrowAndMinusOneNoCursor)
{
    struct Case { Integer number; Qt::CursorShape shape; };
    const Case cases[] = {{0, Qt::ArrowCursor}, {-1, Qt::BlankCursor}, {1, Qt::ArrowCursor},
                          {16, Qt::ArrowCursor}, {-2, Qt::ArrowCursor}};
    for (const Case& c : cases)
        EXPECT_EQ(ScreenCursor(c.number).shape(), c.shape) << c.number;
}

TEST_F(ScreenCursors, RegisteredCursorsAreFoundUnderTheirNumberUntilReset)
{
    SetScreenCursor(4, Picture(Qt::red));
    SetScreenCursor(14, Picture(Qt::green));
    SetScreenCursor(14, Picture(Qt::blue));   // a second registration replaces the first

    const QCursor four = ScreenCursor(4);
    EXPECT_EQ(four.shape(), Qt::BitmapCursor);
    EXPECT_EQ(four.hotSpot(), QPoint(5, 6));
    EXPECT_EQ(four.pixmap().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(ScreenCursor(14).pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(ScreenCursor(15).shape(), Qt::ArrowCursor);
    EXPECT_EQ(ScreenCursor(-1).shape(), Qt::BlankCursor);

    ResetScreenCursors();
    EXPECT_EQ(ScreenCursor(4).shape(), Qt::ArrowCursor);
    EXPECT_EQ(ScreenCursor(14).shape(), Qt::ArrowCursor);
}
