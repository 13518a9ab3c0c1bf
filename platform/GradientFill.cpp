#include "platform/GradientFill.h"

#include "platform/Canvas.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

bool gradientMissing = false;

QColor VertexColor(const TTriVertex& v)
{
    return QColor(v.Red >> 8, v.Green >> 8, v.Blue >> 8);
}

bool FillGradient(TCanvas& canvas, const TTriVertex* vertices, Cardinal vertexCount,
                  const TGradientRect* rects, Cardinal rectCount, Cardinal mode)
{
    if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)
        return false;
    QPainter* painter = canvas.Painter();
    for (Cardinal i = 0; i < rectCount; ++i) {
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount)
            return false;
        if (!painter)
            continue;
        const TTriVertex& a = vertices[rects[i].UpperLeft];
        const TTriVertex& b = vertices[rects[i].LowerRight];
        const TRect d = canvas.Mapping().LPtoDP(TRect{a.X, a.Y, b.X, b.Y});
        if (d.IsEmpty())
            continue;
        // The first colour sits on the first pixel column (row), the second on
        // the last one; right and bottom edges are outside.
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        const QPointF from(d.Left + 0.5, d.Top + 0.5);
        const QPointF to = horizontal ? QPointF(d.Right - 0.5, d.Top + 0.5) : QPointF(d.Left + 0.5, d.Bottom - 0.5);
        const bool swap = horizontal ? b.X < a.X : b.Y < a.Y;
        QLinearGradient gradient(from, to);
        gradient.setColorAt(0.0, VertexColor(swap ? b : a));
        gradient.setColorAt(1.0, VertexColor(swap ? a : b));
        painter->save();
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter->fillRect(QRect(d.Left, d.Top, d.Width(), d.Height()), gradient);
        painter->restore();
    }
    return true;
}

} // namespace

TGradientFillProc LoadGradientFillProc()
{
    return gradientMissing ? nullptr : &FillGradient;
}

void SetGradientFillMissingForTest(bool missing)
{
    gradientMissing = missing;
}
