#include "ui/controls/UCLFillObject.h"

#include "platform/Colors.h"
#include "ui/controls/UCLGraph.h"

#include <QPainter>

namespace {

const char* const StyleNames[] = {"Disabled", "BitmapBrush", "Brush", "Bitmap", "BitmapList", "Gradient"};

Qt::BrushStyle QtBrushStyle(TUCLBrushStyle Style)
{
    static constexpr Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,       Qt::HorPattern,
                                                Qt::VerPattern,   Qt::FDiagPattern,  Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
    return styles[int(Style)];
}

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

}   // namespace

void TUCLBrush::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TUCLBrush::SetStyle(TUCLBrushStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TUCLBrush::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLBrush, TUCLObject>(*this, Source);
    if (!src)
        return;
    FColor = src->FColor;
    FStyle = src->FStyle;
    Changed();
}

TUCLShapeFill::TUCLShapeFill()
{
    FGradient.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
}

TUCLShapeFill::~TUCLShapeFill()
{
    FGradient.OnChange = nullptr;
}

void TUCLShapeFill::SetBitmap(const QImage& Value)
{
    FBitmap = Value;
    Changed();
}

void TUCLShapeFill::SetStyle(TUCLFillStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TUCLShapeFill::SetTileMode(TUCLTileMode Value)
{
    if (FTileMode == Value)
        return;
    FTileMode = Value;
    Changed();
}

bool TUCLShapeFill::IsEmpty() const
{
    switch (FStyle) {
    case TUCLFillStyle::sfNone: return true;
    case TUCLFillStyle::sfBitmap: return FBitmap.isNull();
    case TUCLFillStyle::sfBitmapList: return FListBitmap.isNull();
    default: return false;
    }
}

TUCLPalette TUCLShapeFill::GetPalette() const
{
    switch (FStyle) {
    case TUCLFillStyle::sfBrushBitmap:
    case TUCLFillStyle::sfBitmap: return FBitmap.colorTable();
    case TUCLFillStyle::sfBitmapList: return FListBitmap.colorTable();
    case TUCLFillStyle::sfGradient: return FGradient.GetPaletteHandle();
    default: return {};
    }
}

void TUCLShapeFill::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLShapeFill, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FBitmap = src->FBitmap;
    FListBitmap = src->FListBitmap;
    FGradient.Assign(src->FGradient);
    FStyle = src->FStyle;
    FTileMode = src->FTileMode;
    EndUpdate(true);
}

AnsiString TUCLShapeFill::SummaryText() const
{
    return AnsiString("{") + StyleNames[int(FStyle)] + "}";
}

TUCLFillObject::TUCLFillObject()
{
    BeginUpdate();
    SetStyle(TUCLFillStyle::sfNone);
    EndUpdate(false);
    FBrush.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
}

TUCLFillObject::~TUCLFillObject()
{
    FBrush.OnChange = nullptr;
}

bool TUCLFillObject::PlacementShows() const
{
    return (FStyle == TUCLFillStyle::sfBitmap || FStyle == TUCLFillStyle::sfBitmapList) &&
           FTileMode == TUCLTileMode::tmNone;
}

void TUCLFillObject::SetAlignment(TUCLAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    if (PlacementShows())
        Changed();
}

void TUCLFillObject::SetOffset(int Index, Integer Value)
{
    if (Index < 0 || Index > 1 || FOffset[Index] == Value)
        return;
    FOffset[Index] = Value;
    if (PlacementShows())
        Changed();
}

void TUCLFillObject::SetOptions(TUCLFillOptions Value)
{
    if (FOptions == Value)
        return;
    FOptions = Value;
    Changed();
}

bool TUCLFillObject::IsTransparent() const
{
    switch (FStyle) {
    case TUCLFillStyle::sfNone: return true;
    case TUCLFillStyle::sfBrush: return FBrush.Style() != TUCLBrushStyle::bsSolid && !(FOptions & foFillInner);
    case TUCLFillStyle::sfBrushBitmap:
    case TUCLFillStyle::sfGradient: return false;
    case TUCLFillStyle::sfBitmap:
    case TUCLFillStyle::sfBitmapList:
        if (FTileMode == TUCLTileMode::tmStretch || FTileMode == TUCLTileMode::tmTile)
            return false;
        return !(FOptions & foFillInner);
    }
    return true;
}

bool TUCLFillObject::FillRect(QPainter& Canvas, const TRect& R, TColor K)
{
    const QRect q = ToQRect(R);
    auto fillInner = [&] {
        if (FOptions & foFillInner)
            Canvas.fillRect(q, ColorToQColor(K));
    };
    switch (FStyle) {
    case TUCLFillStyle::sfNone: return false;
    case TUCLFillStyle::sfBrushBitmap:
        // Patterns of any size are accepted here: the whole bitmap tiles.
        if (!Bitmap().isNull())
            Canvas.fillRect(q, QBrush(Bitmap()));
        else
            Canvas.fillRect(q, Canvas.brush());
        return true;
    case TUCLFillStyle::sfBrush: {
        const QColor color = ColorToQColor(FBrush.Color());
        // The gaps of a hatch show K, unless the fill is to stay transparent.
        if (FBrush.Style() != TUCLBrushStyle::bsSolid && FBrush.Style() != TUCLBrushStyle::bsClear)
            fillInner();
        if (FBrush.Style() != TUCLBrushStyle::bsClear)
            Canvas.fillRect(q, QBrush(color, QtBrushStyle(FBrush.Style())));
        return true;
    }
    case TUCLFillStyle::sfBitmap:
    case TUCLFillStyle::sfBitmapList: {
        const QImage& bitmap = FStyle == TUCLFillStyle::sfBitmap ? Bitmap() : ListBitmap();
        if (bitmap.isNull()) {
            fillInner();
            return false;
        }
        TRect out;
        switch (FTileMode) {
        case TUCLTileMode::tmNone: {
            fillInner();
            const int a = int(FAlignment);
            const Integer w = bitmap.width(), h = bitmap.height();
            const Integer col = a % 3, row = a / 3;
            const Integer x = col == 0 ? R.Left : col == 1 ? R.Left + (R.Width() - w) / 2 : R.Right - w;
            const Integer y = row == 0 ? R.Top : row == 1 ? R.Top + (R.Height() - h) / 2 : R.Bottom - h;
            DrawBitmapEx(Canvas, Rect(x + FOffset[0], y + FOffset[1], x + FOffset[0] + w, y + FOffset[1] + h),
                         bitmap, 0, K, out);
            break;
        }
        case TUCLTileMode::tmCenter:
            fillInner();
            DrawBitmapEx(Canvas, R, bitmap, dfCenter, K, out);
            break;
        case TUCLTileMode::tmStretch: DrawBitmapEx(Canvas, R, bitmap, dfStretch, K, out); break;
        case TUCLTileMode::tmTile: DrawBitmapEx(Canvas, R, bitmap, dfTile, K, out); break;
        }
        return true;
    }
    case TUCLFillStyle::sfGradient:
        FillGradient(Canvas, R, Gradient().Style(), Gradient().ColorTable(), Gradient().GetPaletteHandle(),
                     ((FOptions & foGrUseBitmap) ? gfOffscreen : 0) | (Gradient().PaletteRealize() ? gfUsePalette : 0),
                     0);
        return true;
    }
    return false;
}

bool TUCLFillObject::FillClipped(QPainter& Canvas, const TRect& R, Cardinal Offset, TColor K)
{
    if (FStyle == TUCLFillStyle::sfGradient && (FOptions & foGrUseBitmap))
        return FillRect(Canvas, R, K);
    const Integer dx = Integer(std::int16_t(Offset & 0xFFFF)), dy = Integer(std::int16_t(Offset >> 16));
    Canvas.save();
    Canvas.setClipRect(QRect(R.Left + dx, R.Top + dy, R.Width(), R.Height()), Qt::IntersectClip);
    const bool drawn = FillRect(Canvas, R, K);
    Canvas.restore();
    return drawn;
}

void TUCLFillObject::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLFillObject, TUCLShapeFill>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FBrush.Assign(src->FBrush);
    FOptions = src->FOptions;
    SetListBitmap(src->ListBitmap());
    TUCLShapeFill::Assign(Source);   // bitmap, gradient, style, tile mode; ends the bracket with one change
}
