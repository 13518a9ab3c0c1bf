#include "ui/controls/UCLBitmapEffect.h"

#include "ui/controls/UCLGraph.h"

#include <QPainter>

#include <cmath>
#include <cstdio>

TUCLAlphaObject::TUCLAlphaObject()
{
    FFillObject.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
}

TUCLAlphaObject::~TUCLAlphaObject()
{
    FFillObject.OnChange = nullptr;
}

void TUCLAlphaObject::SetImageList(TUCLCustomImageList*)
{
    UpdateFill();
}

void TUCLAlphaObject::SetImageIndex(Integer)
{
    UpdateFill();
}

void TUCLAlphaObject::SetListIndex(Integer)
{
    UpdateFill();
}

void TUCLAlphaObject::SetStrength(float)
{
    if (FStrength == 0.0f)
        return;
    FStrength = 0.0f;
    Changed();
}

// Without an image reference the list bitmap is always cleared.
void TUCLAlphaObject::UpdateFill()
{
    FFillObject.SetListBitmap(QImage());
    SubObjectChanged(&FFillObject);
}

void TUCLAlphaObject::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLAlphaObject, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FFillObject.Assign(src->FFillObject);
    TransparentFlag = src->TransparentFlag;
    FStrength = src->FStrength;
    EndUpdate(true);
}

AnsiString TUCLAlphaObject::SummaryText() const
{
    using F = TUCLFillStyle;
    const F style = FFillObject.Style();
    if (style == F::sfNone)
        return "{Disabled}";
    const char* kind = style == F::sfBrush                                  ? "brush"
                       : style == F::sfBitmap || style == F::sfBitmapList ? "bmp"
                       : style == F::sfGradient                             ? "grad"
                                                                            : "";
    char strength[32];
    std::snprintf(strength, sizeof strength, "%.3f", double(FStrength));
    return AnsiString("{Enabled (") + kind + "), strength: " + strength + "}";
}

TUCLBitmapEffectObject::TUCLBitmapEffectObject()
{
    FAlphaBlend.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
}

TUCLBitmapEffectObject::~TUCLBitmapEffectObject()
{
    FAlphaBlend.OnChange = nullptr;
}

void TUCLBitmapEffectObject::SetSwitch(int Index, bool)
{
    if (Index < 0 || Index > 5 || !FSwitches[Index])
        return;
    FSwitches[Index] = false;
    Changed();
}

void TUCLBitmapEffectObject::SetBrightness(Integer)
{
    if (FBrightness == 0)
        return;
    FBrightness = 0;
    Changed();
}

void TUCLBitmapEffectObject::Changed()
{
    InvalidateBuffer();
    TUCLObject::Changed();
}

void TUCLBitmapEffectObject::ApplyTo(QImage& Bitmap) const
{
    AlphaBlendWithFill(const_cast<TUCLAlphaObject&>(FAlphaBlend), Bitmap);
}

void TUCLBitmapEffectObject::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLBitmapEffectObject, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    for (int i = 0; i < 6; ++i)
        FSwitches[i] = src->FSwitches[i];
    FSwitches[esBuffered] = false;
    FBrightness = src->FBrightness;
    FAlphaBlend.Assign(src->FAlphaBlend);
    EndUpdate(true);
}

AnsiString TUCLBitmapEffectObject::SummaryText() const
{
    static const char* const words[] = {"FV", "FH", "GS", "INV"};
    AnsiString list;
    auto add = [&list](const char* w) { list += (list.empty() ? "" : ",") + AnsiString(w); };
    if (FAlphaBlend.FillObject().Style() != TUCLFillStyle::sfNone)
        add("alpha");
    for (int i = 0; i < 4; ++i)
        if (FSwitches[i])
            add(words[i]);
    if (FBrightness != 0)
        add("B");
    return "{" + (list.empty() ? AnsiString("Disabled") : list) + "}";
}

namespace {

void CheckBlendPixelFormat(const QImage& Bitmap, const char* Name)
{
    if (Bitmap.depth() != 24 && Bitmap.depth() != 32)
        throw EUCLWrongPixelFormat(AnsiString("Wrong PixelFormat in ") + Name + " bitmap!");
}

// 24 bits per pixel with the bytes in memory order, as the blend addresses them.
QImage To24(const QImage& Image)
{
    return Image.depth() == 24 ? Image : Image.convertToFormat(QImage::Format_RGB888);
}

}   // namespace

void BlendBitmaps(const QImage& Source1, const QImage& Source2, const TRect& R, TPoint TargetPoint, float Strength,
                  QImage& Target, TPoint Source2Point)
{
    CheckBlendPixelFormat(Source1, "Source 1");
    CheckBlendPixelFormat(Source2, "Source 2");
    CheckBlendPixelFormat(Target, "Target");
    const int bpp = Source1.depth() / 8;
    const QImage src1 = Source1;   // Target may be Source1
    const QImage src2 = Source2.format() == Source1.format() ? Source2 : Source2.convertToFormat(Source1.format());
    if (Target.format() != Source1.format())
        Target = Target.convertToFormat(Source1.format());
    Integer table[511];
    for (int d = -255; d <= 255; ++d)
        table[d + 255] = Integer(std::nearbyint(d * double(Strength)));
    for (Integer y = 0; y < R.Height(); ++y) {
        const int y1 = R.Top + y, y2 = Source2Point.Y + y, yt = TargetPoint.Y + y;
        if (y1 < 0 || y1 >= src1.height() || y2 < 0 || y2 >= src2.height() || yt < 0 || yt >= Target.height())
            continue;
        const uchar* a = src1.constScanLine(y1);
        const uchar* b = src2.constScanLine(y2);
        uchar* t = Target.scanLine(yt);
        for (Integer x = 0; x < R.Width(); ++x) {
            const int x1 = R.Left + x, x2 = Source2Point.X + x, xt = TargetPoint.X + x;
            if (x1 < 0 || x1 >= src1.width() || x2 < 0 || x2 >= src2.width() || xt < 0 || xt >= Target.width())
                continue;
            for (int c = 0; c < 3; ++c) {
                const int s1 = a[x1 * bpp + c], s2 = b[x2 * bpp + c];
                t[xt * bpp + c] = uchar(table[s1 - s2 + 255] + s2);
            }
        }
    }
}

void AlphaBlendWithFill(TUCLAlphaObject& Alpha, QImage& Bitmap)
{
    TUCLFillObject& fill = Alpha.FillObject();
    if (fill.Style() == TUCLFillStyle::sfNone || Bitmap.isNull())
        return;
    QImage painted(Bitmap.size(), QImage::Format_RGB888);
    painted.fill(Qt::white);
    {
        QPainter p(&painted);
        fill.FillRect(p, Rect(0, 0, painted.width(), painted.height()), 0xFFFFFF);
    }
    Bitmap = To24(Bitmap);
    BlendBitmaps(Bitmap, painted, Rect(0, 0, Bitmap.width(), Bitmap.height()), TPoint{0, 0}, Alpha.Strength(), Bitmap,
                 TPoint{0, 0});
}
