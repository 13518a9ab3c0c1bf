#include "ui/controls/UCLLED.h"

#include "platform/Colors.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace {

Integer N(double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

Word Bits(std::initializer_list<int> segments)
{
    Word w = 0;
    for (int s : segments)
        w = Word(w | (1u << s));
    return w;
}

QPolygon HBar(Integer X, Integer Y, Integer P, Integer Q)
{
    return QPolygon({QPoint(X, Y + P), QPoint(X + P, Y), QPoint(X + P + Q, Y), QPoint(X + Q + 2 * P, Y + P),
                     QPoint(X + P + Q, Y + 2 * P), QPoint(X + P, Y + 2 * P)});
}

QPolygon VBar(Integer X, Integer Y, Integer P, Integer Q)
{
    return QPolygon({QPoint(X + Q, Y), QPoint(X + 2 * Q, Y + Q), QPoint(X + 2 * Q, Y + Q + P),
                     QPoint(X + Q, Y + P + 2 * Q), QPoint(X, Y + P + Q), QPoint(X, Y + Q)});
}

QPolygon Diagonal(Integer X, Integer Y, Integer P, Integer Q, Integer T)
{
    if (P == 0 || Q == 0)
        return {};
    const Integer dx = N((Q > 0 ? 1 : -1) * T / 2.0), dy = N((P > 0 ? 1 : -1) * T / 2.0);
    return QPolygon({QPoint(X, Y), QPoint(X + dx, Y), QPoint(X + Q, Y + P - dy), QPoint(X + Q, Y + P),
                     QPoint(X + Q - dx, Y + P), QPoint(X, Y + dy)});
}

QPolygon Square(Integer X, Integer Y, Integer P, Integer Q)
{
    return QPolygon({QPoint(X + Q, Y - 1), QPoint(X + Q, Y + P - 1), QPoint(X, Y + P - 1), QPoint(X, Y - 1),
                     QPoint(X, Y - 1), QPoint(X, Y - 1)});
}

// The checker shared by all painters, rebuilt when the colour pair changes.
const QImage& Checker(TColor Background, TColor Dark)
{
    static QImage checker;
    static TColor lastBackground = clNone, lastDark = clNone;
    if (checker.isNull() || Background != lastBackground || Dark != lastDark) {
        checker = QImage(8, 8, QImage::Format_RGB32);
        const QRgb back = ColorToQColor(Background).rgb(), dark = ColorToQColor(Dark).rgb();
        for (int j = 0; j < 8; ++j)
            for (int i = 0; i < 8; ++i)
                checker.setPixel(i, j, ((i & 1) != (j & 1)) ? back : dark);
        lastBackground = Background;
        lastDark = Dark;
    }
    return checker;
}

}   // namespace

Word LEDCharSegments(char C)
{
    switch (C >= 'a' && C <= 'z' ? char(C - 32) : C) {
    case '0': return Bits({0, 1, 2, 4, 5, 6, 9, 12});
    case '1':
    case 'I': return Bits({7, 8});
    case '2': return Bits({0, 2, 3, 4, 6});
    case '3': return Bits({0, 2, 3, 5, 6});
    case '4': return Bits({1, 2, 3, 5});
    case '5':
    case 'S': return Bits({0, 1, 3, 5, 6});
    case '6':
    case 'G': return Bits({0, 1, 3, 4, 5, 6});
    case '7': return Bits({0, 2, 5});
    case '8': return Bits({0, 1, 2, 3, 4, 5, 6});
    case '9': return Bits({0, 1, 2, 3, 5, 6});
    case 'A': return Bits({0, 1, 2, 3, 4, 5});
    case 'B': return Bits({0, 2, 3, 5, 6, 7, 8});
    case 'C':
    case '[': return Bits({0, 1, 4, 6});
    case 'D': return Bits({0, 2, 5, 6, 7, 8});
    case 'E': return Bits({0, 1, 3, 4, 6});
    case 'F': return Bits({0, 1, 3, 4});
    case 'H': return Bits({1, 2, 3, 4, 5});
    case 'J': return Bits({2, 4, 5, 6});
    case 'K': return Bits({1, 3, 4, 10, 12});
    case 'L': return Bits({1, 4, 6});
    case 'M': return Bits({1, 2, 4, 5, 9, 10});
    case 'N': return Bits({1, 2, 4, 5, 9, 12});
    case 'O': return Bits({0, 1, 2, 4, 5, 6});
    case 'P': return Bits({0, 1, 2, 3, 4});
    case 'Q': return Bits({0, 1, 2, 4, 5, 6, 12});
    case 'R': return Bits({0, 1, 2, 3, 4, 12});
    case 'T': return Bits({0, 7, 8});
    case 'U': return Bits({1, 2, 4, 5, 6});
    case 'V': return Bits({1, 4, 10, 11});
    case 'W': return Bits({1, 2, 4, 5, 11, 12});
    case 'X': return Bits({9, 10, 11, 12});
    case 'Y': return Bits({8, 9, 10});
    case 'Z': return Bits({0, 6, 10, 11});
    case ']': return Bits({0, 2, 5, 6});
    case '"': return Bits({1, 7});
    case '\'': return Bits({7});
    case '(':
    case '<': return Bits({10, 12});
    case ')':
    case '>': return Bits({9, 11});
    case '*': return Bits({7, 8, 9, 10, 11, 12});
    case '+': return Bits({3, 7, 8});
    case '-': return Bits({3});
    case '=': return Bits({3, 6});
    case '_': return Bits({6});
    case '/': return Bits({10, 11});
    case '\\': return Bits({9, 12});
    case '.': return Bits({15});
    case ':': return Bits({13, 15});
    default: return 0;
    }
}

TUCLLED::TUCLLED() : FColors{0x00FF00, 0x008000, clBlack}
{
}

void TUCLLED::SetColor(int Index, TColor Value)
{
    if (Index >= 0 && Index <= 2) {
        if (FColors[Index] == Value)
            return;
        FColors[Index] = Value;
    }
    BuildCell();
    Changed();
}

void TUCLLED::SetSize(int Index, Byte Value)
{
    if (Index >= 1 && Index <= 3) {
        if (FSizes[Index - 1] == Value)
            return;
        FSizes[Index - 1] = Value;
    }
    BuildCell();
    Changed();
}

void TUCLLED::SetDisabledDigits(bool Value)
{
    if (FDisabledDigits == Value)
        return;
    FDisabledDigits = Value;
    Changed();
}

void TUCLLED::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLLED, TUCLObject>(*this, Source);
    if (!src)
        return;
    FSizes[0] = src->FSizes[0];
    FSizes[1] = src->FSizes[1];
    FSizes[2] = src->FSizes[2];
    FDisabledDigits = src->FDisabledDigits;
    FColors[0] = src->FColors[0];
    FColors[1] = src->FColors[1];
    BuildCell();
    Changed();
}

void TUCLLED::BuildSegments()
{
    const Integer L = Horzsize(), T = Thickness(), V = Vertsize();
    const Integer h = T / 2, c = 2 * T + L / 2, l = L / 2;
    const Integer r = c + N(1.5 * T);
    FSegments = {
        HBar(2 * T, T, h, L),
        VBar(T, 2 * T, V, h),
        VBar(L + 3 * T, 2 * T, V, h),
        HBar(2 * T, V + 3 * T, h, L),
        VBar(T, V + 4 * T, V, h),
        VBar(L + 3 * T, V + 4 * T, V, h),
        HBar(2 * T, 2 * V + 5 * T, h, L),
        VBar(c, 2 * T, V, h),
        VBar(c, V + 4 * T, V, h),
        Diagonal(c - h, V + 2 * T, T - V, T - l, T),
        Diagonal(r, V + 2 * T, T - V, l - T, T),
        Diagonal(c - h, V + 5 * T, V - T, T - l, T),
        Diagonal(r, V + 5 * T, V - T, l - T, T),
        Square(c - 1, V + 3 * T, T, T),
        Square(c - 1, T, T, T),
        Square(c - 1, 2 * V + 5 * T, T, T),
    };
}

void TUCLLED::BuildCell()
{
    BuildSegments();
    FCell = QImage(CellWidth(), CellHeight(), QImage::Format_RGB32);
    FCell.fill(ColorToQColor(BackgroundColor()));
    QPainter p(&FCell);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(Checker(BackgroundColor(), InActiveColor())));
    for (const QPolygon& segment : FSegments)
        if (!segment.isEmpty())
            p.drawPolygon(segment);
}

void TUCLLED::DrawText(QPainter* Canvas, const TRect& R, bool Draw, bool OwnerEnabled, const AnsiString& Text)
{
    FRowCount = 1;
    FColCount = 1;
    const int lastSegment = Vertsize() > 3 && Horzsize() > 3 ? 15 : 6;
    const bool lit = !FDisabledDigits || OwnerEnabled;
    Draw = Draw && Canvas;
    if (Draw) {
        Canvas->save();
        const QColor active = ColorToQColor(ActiveColor());
        Canvas->setPen(QPen(active, 1));
        Canvas->setBrush(active);
        Canvas->setRenderHint(QPainter::Antialiasing, false);
    }
    Integer column = 0;
    Integer rowTop = R.Top;
    for (char ch : Text) {
        const Byte b = Byte(ch);
        if (b == 13) {
            FRowCount = Byte(FRowCount + 1);
            rowTop = R.Top + (FRowCount - 1) * CellHeight();
            column = 0;
            continue;
        }
        if (b < 32)
            continue;
        if (Draw) {
            if (FCell.isNull())
                BuildCell();
            const Integer x = R.Left + column * CellWidth();
            Canvas->drawImage(x, rowTop, FCell);
            if (lit) {
                const Word segments = LEDCharSegments(ch);
                for (int s = 0; s <= lastSegment; ++s)
                    if ((segments & (1u << s)) && !FSegments[s].isEmpty())
                        Canvas->drawPolygon(FSegments[s].translated(x, rowTop));
            }
        }
        ++column;
        if (column > FColCount)
            FColCount = Byte(std::min<Integer>(column, 255));
    }
    if (Draw)
        Canvas->restore();
}

TRect TUCLLED::MeasureText(const AnsiString& Text, Integer BorderWidth)
{
    DrawText(nullptr, TRect{}, false, true, Text);
    return Rect(0, 0, CellWidth() * FColCount + 2 * BorderWidth + 1, CellHeight() * FRowCount + 2 * BorderWidth);
}
