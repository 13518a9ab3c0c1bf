#include "ui/controls/UCLGlyph.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLGraph.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

TUCLGlyphCache* TheGlyphCache = nullptr;
int GlyphCount = 0;

// Windows UnionRect: an empty rectangle adds nothing.
TRect UnionRect(const TRect& A, const TRect& B)
{
    if (A.IsEmpty())
        return B;
    if (B.IsEmpty())
        return A;
    return TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                 std::max(A.Bottom, B.Bottom)};
}

TRect Offset(const TRect& R, Integer dx, Integer dy)
{
    return TRect{R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy};
}

TRect Inflate(const TRect& R, Integer d)
{
    return TRect{R.Left - d, R.Top - d, R.Right + d, R.Bottom + d};
}

// DrawText alignment of a multi-line caption by the layout's alignment.
constexpr Cardinal AlignmentFormat[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};

} // namespace

// ---------------------------------------------------------------------------

TUCLGlyphList::TUCLGlyphList(int Width, int Height) : TUCLImageListItem(Width, Height)
{
    SetMasked(true);
}

int TUCLGlyphList::AddGlyph(const QImage& Image, TColor TransparentColor)
{
    auto it = std::find(FUsed.begin(), FUsed.end(), false);
    int index;
    if (it == FUsed.end()) {
        index = NewSlot();
        FUsed.resize(std::size_t(index) + 1, false);
    } else {
        index = int(it - FUsed.begin());
    }
    ReplaceMasked(index, Image, TransparentColor);
    FUsed[std::size_t(index)] = true;
    ++FUsers;
    return index;
}

void TUCLGlyphList::FreeGlyph(int Index)
{
    if (Index < 0 || Index >= int(FUsed.size()) || !FUsed[std::size_t(Index)])
        return;
    FUsed[std::size_t(Index)] = false;
    --FUsers;
}

TUCLGlyphList* TUCLGlyphCache::GetList(int Width, int Height)
{
    for (const auto& list : FLists)
        if (list->Width() == Width && list->Height() == Height)
            return list.get();
    FLists.push_back(std::make_unique<TUCLGlyphList>(Width, Height));
    return FLists.back().get();
}

void TUCLGlyphCache::ReturnList(TUCLGlyphList* List)
{
    if (!List || List->Users() > 0)
        return;
    std::erase_if(FLists, [List](const auto& l) { return l.get() == List; });
}

TUCLGlyphCache* GlyphCache()
{
    return TheGlyphCache;
}

// ---------------------------------------------------------------------------

TUCLGlyph::TUCLGlyph()
{
    std::fill(std::begin(FSlots), std::end(FSlots), -1);
    ++GlyphCount;
    if (!TheGlyphCache)
        TheGlyphCache = new TUCLGlyphCache;
}

TUCLGlyph::~TUCLGlyph()
{
    ReleaseStates();
    if (--GlyphCount == 0 && TheGlyphCache && TheGlyphCache->Empty()) {
        delete TheGlyphCache;
        TheGlyphCache = nullptr;
    }
}

void TUCLGlyph::SetBitmap(const QImage& Value)
{
    ReleaseStates();
    FBitmap = Value;
    if (FBitmap.height() > 0 && FBitmap.width() % FBitmap.height() == 0) {
        const Integer cells = FBitmap.width() / FBitmap.height();
        FNumGlyphs = cells >= 1 && cells < 6 ? cells : 1;
    }
    BitmapChanged();
}

void TUCLGlyph::BitmapChanged()
{
    FTransparentColor = BitmapTransparentColor(FBitmap);
    ReleaseStates();
    if (OnChange)
        OnChange(this);
}

void TUCLGlyph::SetNumGlyphs(Integer Value)
{
    if (Value <= 0 || Value > 5 || Value == FNumGlyphs)
        return;
    ReleaseStates();
    FNumGlyphs = Value;
}

void TUCLGlyph::SetStyle(Byte Value)
{
    if (Value == FStyle)
        return;
    ReleaseStates();
    FStyle = Value;
}

void TUCLGlyph::ReleaseStates()
{
    for (int& slot : FSlots) {
        if (slot >= 0 && FStrip)
            FStrip->FreeGlyph(slot);
        slot = -1;
    }
    if (FStrip && TheGlyphCache)
        TheGlyphCache->ReturnList(FStrip);
    FStrip = nullptr;
}

int TUCLGlyph::StateImage(Byte State)
{
    if (State > 8)
        return -1;
    int slot;
    if (State == bsDisabled || State == bsDownDisabled)
        slot = 1;
    else if (State >= FNumGlyphs)
        slot = FStyle == 1 ? (State == bsDropped ? 4 : 2) : 0;
    else
        slot = State;
    if (FSlots[slot] >= 0)
        return FSlots[slot];
    if (Empty())
        return -1;

    const int cellWidth = FBitmap.width() / FNumGlyphs;
    const int height = FBitmap.height();
    if (cellWidth < 1)
        return -1;
    if (!TheGlyphCache)
        TheGlyphCache = new TUCLGlyphCache;
    if (!FStrip)
        FStrip = TheGlyphCache->GetList(cellWidth, height);

    const QImage cell0 = FBitmap.copy(0, 0, cellWidth, height).convertToFormat(QImage::Format_RGB32);
    QImage image;
    if (slot >= FNumGlyphs || (slot == 0 && FStyle == 1)) {
        if (slot == 0 && FStyle == 1)
            MakeGreyImage(image, cell0);
        else if (slot == 1)
            MakeDisabledImage(image, cell0, FTransparentColor, 0, 0);
        else
            image = cell0;
    } else {
        image = FBitmap.copy(slot * cellWidth, 0, cellWidth, height).convertToFormat(QImage::Format_RGB32);
    }
    FSlots[slot] = FStrip->AddGlyph(image, FTransparentColor);
    return FSlots[slot];
}

void TUCLGlyph::Paint(QPainter& Canvas, const QString& Text, TUCL3DCaption* Caption, const TRect& R, Byte State,
                      const TUCLGlyphTextLayout& Layout, Cardinal Options, bool MultiLine, Cardinal Format)
{
    TUCLGlyphTextRects rects;
    const int index = StateImage(State);
    if (index < 0 || !FStrip) {
        TRect cell;
        PaintGlyphAndText(Canvas, Text, Caption, R, nullptr, cell, nullptr, clNone, Layout, MultiLine, true, true,
                          Options, Format, rects);
        return;
    }
    TRect cell = FStrip->CellRect(index);
    const TColor transparent = QColorToColor(FStrip->Images().pixelColor(cell.Left, cell.Bottom - 1));
    PaintGlyphAndText(Canvas, Text, Caption, R, &FStrip->Images(), cell, &FStrip->MaskImages(), transparent,
                      Layout, MultiLine, true, true, Options, Format, rects);
}

// ---------------------------------------------------------------------------

void PaintGlyphAndText(QPainter& Canvas, const QString& Text, TUCL3DCaption* Caption, const TRect& Client,
                       const QImage* Image, TRect& Cell, const QImage* Mask, TColor TransparentColor,
                       const TUCLGlyphTextLayout& Layout, bool MultiLine, bool ShowPrefix, bool Masked,
                       Cardinal Options, Cardinal Format, TUCLGlyphTextRects& Result)
{
    const bool measuring = Options & goMeasureOnly;
    if (measuring)
        Options |= goFocusUnion;
    const bool hasGlyph = (Image || (Options & goGlyphAlways)) && !Cell.IsEmpty();
    const bool hasText = !Text.isEmpty();
    const Integer spacing = hasText == hasGlyph ? Layout.Spacing() : 0;
    TRect g = hasGlyph ? TRect{0, 0, Cell.Width(), Cell.Height()} : TRect{};
    TRect t{};
    if (hasText) {
        t = TRect{0, 0, std::abs(Client.Width() - spacing - g.Width()), 0};
        MeasureCaption(Text, Caption, t, Canvas.font(), MultiLine, ShowPrefix, 0, Format);
    }

    const auto* button = dynamic_cast<const TUCLButtonLayout*>(&Layout);
    const bool arrow = button && button->Arrow();
    const Integer arrowSize = arrow ? button->ArrowSize() : 0;
    const Integer indent = arrow ? button->ArrowIndent() : 0;
    const Integer e = 2 * arrowSize - 1;
    const TUCLArrowPosition arrowPos = arrow ? button->ArrowPosition() : apRightText;
    const bool arrowAtGlyph = arrowPos == apRightGlyph || arrowPos == apLeftGlyph;
    if (arrow) {
        const Integer extra = 2 * arrowSize + indent - 1;
        if (arrowAtGlyph)
            g.Right += extra;
        else
            t.Right += extra;
    }

    const Integer tw = t.Width(), th = t.Height(), gw = g.Width(), gh = g.Height();
    const TUCLTextArrange arrange = Layout.AlignText2Glyph();
    const bool sideBySide = arrange <= taRightTop;
    Integer pairW, pairH;
    Integer tdx = 0, tdy = 0, gdx = 0, gdy = 0;   // centring offsets
    if (sideBySide) {
        pairW = tw + spacing + gw;
        pairH = std::max(th, gh);
        (th < gh ? tdy : gdy) = std::abs(th - gh) / 2;
    } else {
        pairW = std::max(tw, gw);
        pairH = th + spacing + gh;
        (tw < gw ? tdx : gdx) = std::abs(tw - gw) / 2;
    }
    switch (arrange) {
    case taLeft: g = Offset(g, tw + spacing, gdy); t = Offset(t, 0, tdy); break;
    case taLeftTop: g = Offset(g, tw + spacing, 0); t = Offset(t, 0, tdy); break;
    case taRight: g = Offset(g, 0, gdy); t = Offset(t, gw + spacing, tdy); break;
    case taRightTop: g = Offset(g, 0, 1); t = Offset(t, gw + spacing, tdy); break;
    case taTop: g = Offset(g, gdx, th + spacing); t = Offset(t, tdx, 0); break;
    case taTopLeft: g = Offset(g, 0, th + spacing); t = Offset(t, tdx, 0); break;
    case taBottom: g = Offset(g, gdx, 0); t = Offset(t, tdx, gh + spacing); break;
    case taBottomLeft: t = Offset(t, tdx, gh + spacing); break;
    }

    if (!(Options & goNoMove)) {
        const TRect pair = AlignRectIn(Layout.Alignment(), TRect{0, 0, pairW, pairH}, Client);
        t = Offset(t, pair.Left + 1, pair.Top + 1);
        g = Offset(g, pair.Left, pair.Top);
    }
    if (arrow && arrowPos == apLeftText)
        t = Offset(t, indent + e, 0);

    Format |= DT_EXPANDTABS;
    if (MultiLine)
        Format |= DT_WORDBREAK | AlignmentFormat[Layout.Alignment()];
    if (!ShowPrefix)
        Format |= DT_NOPREFIX;

    t = Offset(t, Layout.OffsetX(), Layout.OffsetY());
    g = Offset(g, Layout.OffsetX(), Layout.OffsetY());
    if (Options & goClipText) {
        t.Right = std::min(t.Right, Client.Right);
        t.Bottom = std::min(t.Bottom, Client.Bottom);
    }

    const bool enabled = Options & goEnabled;
    const auto arrowY = [&](const TRect& over) { return over.Top + over.Height() / 2 - arrowSize / 2; };
    if (!measuring) {
        if (hasText)
            PaintCaption3D(Canvas, Text, Caption, t, Format, enabled ? pcEnabled : 0);
        if (arrow) {
            if (arrowPos == apRightText)
                DrawDropArrow(Canvas, MultiLine ? t.Right - arrowSize - 1 : t.Right - e - 1, arrowY(t), arrowSize,
                              button->ArrowColor(), true, enabled);
            else if (arrowPos == apLeftText)
                DrawDropArrow(Canvas, t.Left - indent - e, arrowY(t), arrowSize, button->ArrowColor(), true, enabled);
            else if (arrowPos == apLeftGlyph)
                g = Offset(g, indent + e, 0);
        }
        if (hasGlyph && Image) {
            const Cardinal flags = !Masked ? 0 : Mask ? dfMasked : dfTransparentColor;
            TRect out;
            DrawImageEx(Canvas, TRect{g.Left, g.Top, g.Left + Cell.Width(), g.Top + Cell.Height()}, *Image, Cell,
                        flags, TransparentColor, Mask, out);
        }
        if (arrow && arrowAtGlyph) {
            const Integer x = arrowPos == apRightGlyph ? g.Right - e : g.Left - indent - e;
            DrawDropArrow(Canvas, x, arrowY(g), arrowSize, button->ArrowColor(), true, enabled);
        }
    }

    Result.Text = t;
    Result.Glyph = g;
    Result.Union = UnionRect(t, g);
    if (Options & goFocusText)
        Cell = Inflate(t, 1);
    else if (Options & goFocusGlyph)
        Cell = g;
    else if (Options & goFocusUnion)
        Cell = Inflate(Result.Union, 1);
    else
        Cell = Inflate(Client, -1);
    if (measuring)
        Cell = Inflate(Cell, 1);
}

void PaintBitmapGlyphAndText(QPainter& Canvas, const QString& Text, TUCL3DCaption* Caption, const TRect& Client,
                             const QImage* Bitmap, const QImage* Mask, const TUCLGlyphTextLayout& Layout,
                             bool MultiLine, bool ShowPrefix, Cardinal Options, Cardinal Format,
                             TUCLGlyphTextRects& Result)
{
    const bool glyph = Bitmap && !Bitmap->isNull() && Bitmap->width() > 0 && Bitmap->height() > 0;
    TRect cell = glyph ? TRect{0, 0, Bitmap->width(), Bitmap->height()} : TRect{};
    PaintGlyphAndText(Canvas, Text, Caption, Client, glyph ? Bitmap : nullptr, cell, Mask,
                      glyph ? BitmapTransparentColor(*Bitmap) : clNone, Layout, MultiLine, ShowPrefix, true,
                      Options, Format, Result);
}

TRect PlaceCaption(TUCLAlignment Alignment, const QString& Text, TUCL3DCaption* Caption, const TRect& Area,
                   const QFont& Font, bool MultiLine, bool ShowPrefix, Cardinal Format)
{
    TRect r{Area.Left, Area.Top, Area.Right - 1, Area.Bottom};
    MeasureCaption(Text, Caption, r, Font, MultiLine, ShowPrefix, 0, Format);
    return AlignRectIn(Alignment, r, Area);
}

void DrawDropArrow(QPainter& Canvas, Integer X, Integer Y, Integer Size, TColor Color, bool Down, bool Enabled)
{
    if (Size < 2 || Size > 15)
        return;
    const auto draw = [&](Integer x, Integer y, TColor color) {
        const QColor c = ColorToQColor(color);
        if (Down) {
            for (Integer k = 0; k <= Size - 2; ++k)
                Canvas.fillRect(x + k, y + k, 2 * Size - 2 * k - 1, 1, c);
            Canvas.fillRect(x + Size - 1, y + Size - 1, 1, 1, c);
        } else {
            for (Integer k = 0; k < Size; ++k)
                Canvas.fillRect(x + Size / 2 - k, y + k, 2 * k + 1, 1, c);
        }
    };
    if (Enabled) {
        draw(X, Y, Color);
    } else {
        draw(X + 1, Y + 1, clHighlightText);
        draw(X, Y, clGrayText);
    }
}
