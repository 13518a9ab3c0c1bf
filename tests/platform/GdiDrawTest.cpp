// System edges, frames and the DT_ text layout on a QPainter.
#include "platform/GdiDraw.h"

#include "platform/Colors.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(GdiDraw, EdgeColoursPerBorderAndSoftness)
{
    struct Case {
        Cardinal edge, flags;
        TColor outerTopLeft, innerTopLeft, outerBottomRight, innerBottomRight;
    };
    const Case cases[] = {
        {EDGE_RAISED, 0, cl3DLight, clBtnHighlight, cl3DDkShadow, clBtnShadow},
        {EDGE_RAISED, BF_SOFT, clBtnHighlight, cl3DLight, cl3DDkShadow, clBtnShadow},
        {EDGE_SUNKEN, 0, clBtnShadow, cl3DDkShadow, clBtnHighlight, cl3DLight},
        {EDGE_SUNKEN, BF_SOFT, cl3DDkShadow, clBtnShadow, clBtnHighlight, cl3DLight},
        {EDGE_ETCHED, 0, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
        {EDGE_BUMP, 0, cl3DLight, cl3DDkShadow, cl3DDkShadow, cl3DLight},
    };
    for (const Case& c : cases) {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        TRect r = Rect(0, 0, 10, 10);
        DrawEdge(p, r, c.edge, c.flags | BF_RECT | BF_ADJUST);
        p.end();
        EXPECT_EQ(r, Rect(2, 2, 8, 8)) << c.edge;
        EXPECT_EQ(image.pixelColor(5, 0), ColorToQColor(c.outerTopLeft)) << c.edge << " " << c.flags;
        EXPECT_EQ(image.pixelColor(5, 1), ColorToQColor(c.innerTopLeft)) << c.edge << " " << c.flags;
        EXPECT_EQ(image.pixelColor(5, 9), ColorToQColor(c.outerBottomRight)) << c.edge << " " << c.flags;
        EXPECT_EQ(image.pixelColor(8, 5), ColorToQColor(c.innerBottomRight)) << c.edge << " " << c.flags;
        EXPECT_EQ(image.pixelColor(9, 0), ColorToQColor(c.outerBottomRight)) << "corner " << c.edge;
        EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::magenta));
    }
}

TEST(GdiDraw, EdgeOnSomeSidesOnlyAndWithoutAdjust)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    TRect r = Rect(0, 0, 10, 10);
    DrawEdge(p, r, BDR_RAISEDINNER, BF_BOTTOM);
    p.end();
    EXPECT_EQ(r, Rect(0, 0, 10, 10));
    EXPECT_EQ(image.pixelColor(5, 9), ColorToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(5, 0), QColor(Qt::magenta));
    EXPECT_EQ(image.pixelColor(0, 5), QColor(Qt::magenta));
}

TEST(GdiDraw, FrameAndFill)
{
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    FrameRect(p, Rect(1, 1, 5, 5), clRed);
    FillRect(p, Rect(2, 2, 4, 4), clBlue);
    FillRect(p, Rect(0, 0, 6, 6), clNone);   // nothing
    p.end();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));   // right and bottom are exclusive
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
}

TEST(GdiDraw, TextRectangles)
{
    QFont font("Liberation Sans");
    font.setPixelSize(16);
    const TRect one = CalcTextRect(font, "Messwert", Rect(5, 7, 5, 7), DT_SINGLELINE);
    EXPECT_EQ(one.Left, 5);
    EXPECT_EQ(one.Top, 7);
    EXPECT_GT(one.Width(), 0);

    // Word breaks wrap at the rectangle's width; without them the text stays one line.
    const TRect narrow = Rect(0, 0, one.Width() + 2, 0);
    const TRect wrapped = CalcTextRect(font, "Messwert Messwert", narrow, DT_WORDBREAK);
    const TRect unwrapped = CalcTextRect(font, "Messwert Messwert", narrow, 0);
    EXPECT_GT(wrapped.Height(), one.Height());
    EXPECT_EQ(unwrapped.Height(), one.Height());
    EXPECT_GT(unwrapped.Width(), wrapped.Width());

    // "&&" is one "&" unless prefixes are off.
    EXPECT_LT(CalcTextRect(font, "A&&B", Rect(0, 0, 0, 0), 0).Width(),
              CalcTextRect(font, "A&&B", Rect(0, 0, 0, 0), DT_NOPREFIX).Width());

    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    TRect r = Rect(0, 0, 40, 20);
    DrawText(p, "x", r, DT_CALCRECT);   // measures only
    p.end();
    EXPECT_EQ(r.Height(), one.Height());
    EXPECT_EQ(image, [] {
        QImage blank(40, 20, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }());
}
