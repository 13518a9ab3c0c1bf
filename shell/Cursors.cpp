#include "shell/Cursors.h"

#include "platform/ScreenCursors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QtMath>
#include <QSvgRenderer>

namespace {

struct TCustomCursor {
    Integer Number;
    const char* Picture;
    QPoint HotSpot;   // in the pictures' 32 x 32 design
};

constexpr int CursorSize = 32;

const TCustomCursor CustomCursors[] = {
    {crMagnifier, ":/pictures/cursors/lupe.svg", {13, 13}},        // centre of the lens
    {crFinger, ":/pictures/cursors/finger.svg", {11, 2}},       // fingertip
    {crSolderingIron, ":/pictures/cursors/loeten.svg", {3, 29}},       // tip of the iron
    {crHand, ":/pictures/cursors/hand.svg", {17, 17}},        // middle of the palm
    {crPinEnd, ":/pictures/cursors/anschluss.svg", {16, 16}},  // the pin's end
    {crText, ":/pictures/cursors/text.svg", {10, 16}},       // middle of the I-beam
    {crInversion, ":/pictures/cursors/invert.svg", {16, 16}},     // the inversion circle
};

} // namespace

void LoadCustomCursors()
{
    // Drawn at the screen's pixel density so that the cursors stay sharp on
    // high-resolution screens; the hot spot stays in design pixels.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const int side = qCeil(CursorSize * ratio);
    for (const TCustomCursor& entry : CustomCursors) {
        QSvgRenderer picture(QString::fromLatin1(entry.Picture));
        if (!picture.isValid())
            continue;
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            picture.render(&painter, QRectF(0, 0, side, side));
        }
        pixmap.setDevicePixelRatio(side / qreal(CursorSize));
        SetScreenCursor(entry.Number, QCursor(pixmap, entry.HotSpot.x(), entry.HotSpot.y()));
    }
}
