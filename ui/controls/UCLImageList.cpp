#include "ui/controls/UCLImageList.h"

#include "ui/controls/UCLProcs.h"
#include "ui/controls/UCLStreamUtils.h"

#include <QPaintEngine>
#include <QPainter>

namespace {

QRgb ColorToRgb(TColor color)
{
    return ColorToQColor(color).rgb();
}

TColor RgbToColor(QRgb rgb)
{
    return QColorToColor(QColor::fromRgb(rgb));
}

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Masks are monochrome with index 0 black and index 1 white (transparent).
QImage EmptyMask(QSize size)
{
    QImage mask(size, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    return mask;
}

QImage MonoMask(const QImage& source)
{
    QImage mask = EmptyMask(source.size());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (qGray(source.pixel(x, y)) > 127)
                mask.setPixel(x, y, 1);
    return mask;
}

QImage BlackWhiteMask(const QImage& mask)
{
    return mask.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
        .convertToFormat(QImage::Format_RGB32);
}

// Transparent where the mask is white: (dest AND mask) OR image, as the
// raster operations SRCAND and SRCPAINT combine them.
void DrawWithMask(QPainter& canvas, const QRect& dest, const QImage& image, const QImage& mask)
{
    canvas.save();
    if (canvas.paintEngine() && canvas.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        canvas.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        canvas.drawImage(dest, BlackWhiteMask(mask));
        canvas.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        canvas.drawImage(dest, image.convertToFormat(QImage::Format_RGB32));
    } else {
        QImage composed = image.convertToFormat(QImage::Format_ARGB32);
        const QImage bw = BlackWhiteMask(mask);
        for (int y = 0; y < composed.height() && y < bw.height(); ++y)
            for (int x = 0; x < composed.width() && x < bw.width(); ++x)
                if (qGray(bw.pixel(x, y)) > 127)
                    composed.setPixel(x, y, 0);
        canvas.drawImage(dest, composed);
    }
    canvas.restore();
}

QImage WithoutColour(const QImage& image, TColor transparent)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ColorToRgb(transparent) & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return out;
}

}   // namespace

TRect DrawGlyph(QPainter& Canvas, const TRect& Dest, const QImage& Image, const TRect& Source,
                unsigned Flags, TColor Transparent, const QImage* Mask)
{
    if (Dest.IsEmpty() || Source.IsEmpty())
        return TRect{};
    const int w = Source.Width();
    const int h = Source.Height();
    TRect out{Dest.Left, Dest.Top, Dest.Left + w, Dest.Top + h};
    if (Flags & 0x0010) {
        out = Dest;
        if ((Flags & 0x0600) == 0x0600)
            out = FitRectProportional(Source, Dest);
        else if (Flags & 0x0400)
            out.Bottom = out.Top + qRound(double(Dest.Width()) / w * h);
        else if (Flags & 0x0200)
            out.Right = out.Left + qRound(double(Dest.Height()) / h * w);
    } else if (Flags & 0x0008) {
        out = TRect{Dest.Left + (Dest.Width() - w) / 2, Dest.Top + (Dest.Height() - h) / 2, 0, 0};
        out.Right = out.Left + w;
        out.Bottom = out.Top + h;
    }
    const QImage part = Image.copy(ToQRect(Source));
    auto paint = [&](const QRect& target) {
        if ((Flags & 0x0100) && Mask)
            DrawWithMask(Canvas, target, part, Mask->copy(ToQRect(Source)));
        else if ((Flags & 0x0040) && Transparent != clNone)
            Canvas.drawImage(target, WithoutColour(part, Transparent));
        else
            Canvas.drawImage(target, part);
    };
    if (Flags & 0x0020) {
        Canvas.save();
        Canvas.setClipRect(ToQRect(Dest), Qt::IntersectClip);
        for (int col = 0; col <= Dest.Width() / w + 1; ++col)
            for (int row = 0; row <= Dest.Height() / h + 1; ++row)
                paint(QRect(Dest.Left + col * w, Dest.Top + row * h, w, h));
        Canvas.restore();
        return Dest;
    }
    paint(ToQRect(out));
    return out;
}

void TUCLCustomImageList::Assign(const TUCLCustomContainer& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    if (auto* images = dynamic_cast<const TUCLCustomImageList*>(&Source))
        DefaultPixelFormat = images->DefaultPixelFormat;
    TUCLCustomContainer::Assign(Source);
    EndUpdate(true);
}

// --- TUCLImageListItem ---

TUCLImageListItem::TUCLImageListItem() : TUCLImageListItem(16, 16) {}

TUCLImageListItem::TUCLImageListItem(int Width, int Height, QObject* Owner) : TUCLListItem(Owner)
{
    if (Width < 1 || Height < 1)
        throw EInvalidGraphicOperation(SInvalidImageSize);
    FWidth = Width;
    FHeight = Height;
}

void TUCLImageListItem::SetSize(int Index, int Value)
{
    int& field = Index == 0 ? FWidth : FHeight;
    if (Value < 1 || Value == field)
        return;
    field = Value;
    ClearImages();
}

void TUCLImageListItem::SetMasked(bool Value)
{
    if (Value == FMasked)
        return;
    FMasked = Value;
    if (FMasked) {
        FMask = EmptyMask(FImages.size());
    } else {
        FMask = QImage();
    }
    for (TSlot& slot : FSlots)
        slot.Masked = FMasked;
    Changed();
}

void TUCLImageListItem::ClearImages()
{
    FSlots.clear();
    FUsedWidth = 0;
    FImages = QImage();
    FMask = QImage();
    Changed();
}

void TUCLImageListItem::CheckBitmapSize(const QImage& Bitmap) const
{
    if (Bitmap.height() != FHeight || Bitmap.width() % FWidth != 0 || Bitmap.width() == 0)
        throw EInvalidGraphicOperation(SInvalidImageSize);
}

void TUCLImageListItem::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EInvalidGraphicOperation(SInvalidImageSize);
}

void TUCLImageListItem::GrowStrips(int Width)
{
    if (Width > MaxStripWidth)
        throw EInvalidGraphicOperation(STooManyImages);
    QImage images(Width, FHeight, QImage::Format_RGB32);
    images.fill(Qt::white);
    if (!FImages.isNull()) {
        QPainter p(&images);
        p.drawImage(0, 0, FImages);
    }
    FImages = images;
    if (FMasked) {
        QImage mask = EmptyMask(QSize(Width, FHeight));
        for (int y = 0; y < FMask.height(); ++y)
            for (int x = 0; x < FMask.width(); ++x)
                mask.setPixel(x, y, FMask.pixelIndex(x, y));
        FMask = mask;
    }
}

int TUCLImageListItem::NewSlot()
{
    const int used = FUsedWidth + FWidth;
    if (used > FImages.width())
        GrowStrips(FImages.width() + std::max(1, AllocBy) * FWidth);
    FUsedWidth = used;
    FSlots.push_back(TSlot{Word(used - FWidth), FMasked});
    return Count() - 1;
}

int TUCLImageListItem::Add(const QImage* Image, const QImage* Mask)
{
    if (!Image && !Mask)
        return NewSlot();
    if (!Image)
        return -1;
    CheckBitmapSize(*Image);
    if (FMasked && Mask)
        CheckBitmapSize(*Mask);
    const int index = NewSlot();
    Replace(index, Image, Mask);
    return index;
}

TRect TUCLImageListItem::CellRect(int Index) const
{
    const int x = Index >= 0 && Index < Count() ? FSlots[std::size_t(Index)].X : 0;
    return TRect{x, 0, x + FWidth, FHeight};
}

void TUCLImageListItem::Replace(int Index, const QImage* Image, const QImage* Mask)
{
    if (!Image)
        return;
    CheckIndex(Index);
    CheckBitmapSize(*Image);
    if (FMasked && Mask)
        CheckBitmapSize(*Mask);
    const TRect cell = CellRect(Index);
    {
        QPainter p(&FImages);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(cell.Left, 0), *Image, QRect(0, 0, FWidth, FHeight));
    }
    if (FMasked) {
        FSlots[std::size_t(Index)].Masked = Mask != nullptr;
        const QImage bw = Mask ? BlackWhiteMask(*Mask) : QImage();
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                FMask.setPixel(cell.Left + x, y, Mask && qGray(bw.pixel(x, y)) > 127 ? 1 : 0);
    }
    Changed();
}

void TUCLImageListItem::ReplaceMasked(int Index, const QImage& Bitmap, TColor TransparentColour)
{
    if (!FMasked) {
        Replace(Index, &Bitmap, nullptr);
        return;
    }
    // Pixels of the transparent colour: white in the mask, black in the image.
    QImage image = Bitmap.convertToFormat(QImage::Format_RGB32);
    QImage mask(image.size(), QImage::Format_RGB32);
    const QRgb key = ColorToRgb(TransparentColour) & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool clear = (image.pixel(x, y) & 0xFFFFFF) == key;
            mask.setPixel(x, y, clear ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            if (clear)
                image.setPixel(x, y, qRgb(0, 0, 0));
        }
    Replace(Index, &image, &mask);
}

void TUCLImageListItem::AddImages(const TUCLImageListItem& Source)
{
    if (Source.FWidth != FWidth || Source.FHeight != FHeight)
        throw EInvalidGraphicOperation(SInvalidImageSize);
    if (Source.IsEmpty())
        return;
    BeginUpdate();
    const int needed = FUsedWidth + Source.FUsedWidth;
    if (needed > FImages.width())
        GrowStrips(needed);
    {
        QPainter p(&FImages);
        p.drawImage(QPoint(FUsedWidth, 0), Source.FImages, QRect(0, 0, Source.FUsedWidth, FHeight));
    }
    if (FMasked && Source.FMasked)
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < Source.FUsedWidth; ++x)
                FMask.setPixel(FUsedWidth + x, y, Source.FMask.pixelIndex(x, y));
    for (const TSlot& slot : Source.FSlots)
        FSlots.push_back(TSlot{Word(FUsedWidth + slot.X), slot.Masked});
    FUsedWidth = needed;
    EndUpdate(true);
}

void TUCLImageListItem::Assign(const TUCLImageListItem& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    AssignHeader(Source);
    PixelFormat = Source.PixelFormat;
    AllocBy = Source.AllocBy;
    BkColor = Source.BkColor;
    BlendColor = Source.BlendColor;
    DrawingStyle = Source.DrawingStyle;
    FHeight = Source.FHeight;
    ImageType = Source.ImageType;
    FMasked = Source.FMasked;
    SharedImages = Source.SharedImages;
    FWidth = Source.FWidth;
    ClearImages();
    AddImages(Source);
    EndUpdate(true);
}

void TUCLImageListItem::DrawMasked(QPainter& Canvas, int X, int Y, int Index) const
{
    const TRect cell = CellRect(Index);
    DrawWithMask(Canvas, QRect(X, Y, FWidth, FHeight), FImages.copy(ToQRect(cell)), FMask.copy(ToQRect(cell)));
}

void TUCLImageListItem::Draw(QPainter& Canvas, int X, int Y, int Index) const
{
    if (Index < 0 || Index >= Count())
        return;
    const TRect cell = CellRect(Index);
    if (!FMasked || ImageType == 1) {
        const QImage& source = (FMasked && ImageType == 1) ? FMask : FImages;
        Canvas.drawImage(QPoint(X, Y), source, ToQRect(cell));
        return;
    }
    if (DrawingStyle == 3 || (DrawingStyle == 2 && BkColor == clNone)) {
        DrawMasked(Canvas, X, Y, Index);
        return;
    }
    // Through a scratch bitmap on the background colour, blended for styles 0 and 1.
    QImage scratch(FWidth, FHeight, QImage::Format_ARGB32);
    scratch.fill(BkColor == clNone ? QColor(Qt::transparent) : QColor(ColorToRgb(BkColor)));
    {
        QPainter p(&scratch);
        DrawMasked(p, 0, 0, Index);
    }
    if (DrawingStyle <= 1 && BlendColor != clNone) {
        const QRgb blend = ColorToRgb(BlendColor);
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x) {
                const bool paint = DrawingStyle == 1 ? (x % 2) != (y % 2) : (x % 2 == 0 || y % 2 == 0);
                if (paint)
                    scratch.setPixel(x, y, blend);
            }
    }
    Canvas.drawImage(QPoint(X, Y), scratch);
}

Byte TUCLImageListItem::GetFlags() const
{
    Byte flags = TUCLListItem::GetFlags() | SavePixelFormatFlag(PixelFormat);
    if (!FSlots.empty())
        flags |= ifData;
    return flags;
}

void TUCLImageListItem::WriteData(TStream& Stream)
{
    WriteHeader(Stream);
    WriteStreamInteger(Stream, FHeight);
    WriteStreamInteger(Stream, FWidth);
    WriteStreamInteger(Stream, AllocBy);
    WriteStreamByte(Stream, FMasked ? 1 : 0);
    WriteStreamInteger(Stream, Count());
    if (Count() == 0)
        return;
    // Only the used part of the strips is stored.
    const QRect used(0, 0, Count() * FWidth, FHeight);
    WriteStreamBitmap(Stream, FImages.copy(used), Compressed, SavePixelFormatColours(PixelFormat));
    if (FMasked)
        WriteStreamBitmap(Stream, FMask.copy(used), Compressed, 2);
}

void TUCLImageListItem::ReadData(TStream& Stream)
{
    const Byte flags = ReadHeader(Stream);
    PixelFormat = SavePixelFormatFromFlags(flags);
    const Integer height = ReadStreamInteger(Stream);
    const Integer width = ReadStreamInteger(Stream);
    const Integer allocBy = ReadStreamInteger(Stream);
    const bool masked = ReadStreamByte(Stream) != 0;
    const Integer count = ReadStreamInteger(Stream);
    if (height < 1 || width < 1 || width > MaxStripWidth || count < 0 || count > MaxStripWidth / width)
        throw EReadError(SReadError);
    QImage images;
    QImage mask;
    if (count > 0) {
        images = ReadStreamBitmap(Stream, Compressed);
        if (masked)
            mask = ReadStreamBitmap(Stream, Compressed);
        if (images.height() != height || images.width() < count * width || images.width() > MaxStripWidth)
            throw EReadError(SInvalidBitmap);
    }
    BeginUpdate();
    FHeight = height;
    FWidth = width;
    AllocBy = allocBy;
    FMasked = masked;
    FSlots.clear();
    FImages = images.isNull() ? QImage() : images.convertToFormat(QImage::Format_RGB32);
    FUsedWidth = FImages.width();
    if (masked && !mask.isNull() && mask.size() == FImages.size())
        FMask = MonoMask(mask);
    else if (masked) {
        FMask = EmptyMask(FImages.size());
    } else {
        FMask = QImage();
    }
    for (int k = 0; k < count; ++k)
        FSlots.push_back(TSlot{Word(k * width), masked});
    EndUpdate(true);
}

// --- TUCLImageList ---

TUCLImageList::TUCLImageList(QObject* Owner) : TUCLCustomImageList(Owner)
{
    ItemClass = &TUCLImageListItem::StaticClass();
    RegisterClass(TUCLImageListItem::StaticClass());
}

TUCLListItem* TUCLImageList::NewItem()
{
    auto* item = static_cast<TUCLImageListItem*>(TUCLCustomContainer::NewItem());
    item->PixelFormat = DefaultPixelFormat;
    return item;
}

void TUCLImageList::AssignItem(TUCLListItem& Target, const TUCLListItem& Source)
{
    auto* target = dynamic_cast<TUCLImageListItem*>(&Target);
    auto* source = dynamic_cast<const TUCLImageListItem*>(&Source);
    if (target && source)
        target->Assign(*source);
}

TUCLImageListItem* TUCLImageList::Item(int ListIndex) const
{
    return dynamic_cast<TUCLImageListItem*>(GetItem(ListIndex));
}

const QImage* TUCLImageList::GetCanvas(int ListIndex) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    return item ? &item->Images() : nullptr;
}

TRect TUCLImageList::GetImageRect(int ListIndex, int ImageIndex) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    return item ? item->CellRect(ImageIndex) : TRect{};
}

int TUCLImageList::GetSize(int ListIndex, int Kind) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    if (!item)
        return 0;
    return Kind == 0 ? item->Width() : Kind == 1 ? item->Height() : 0;
}

int TUCLImageList::GetCount(int ListIndex) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    return item ? item->Count() : -1;
}

bool TUCLImageList::IsValid(int ListIndex, int ImageIndex) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    return item && ImageIndex >= 0 && ImageIndex < item->Count();
}

void TUCLImageList::GetBitmap(int ListIndex, int ImageIndex, QImage* Bitmap) const
{
    if (!Bitmap || !IsValid(ListIndex, ImageIndex))
        return;
    const TUCLImageListItem* item = Item(ListIndex);
    *Bitmap = item->Images().copy(ToQRect(item->CellRect(ImageIndex)));
}

bool TUCLImageList::GetMasked(int ListIndex) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    return item && item->Masked();
}

QList<QRgb> TUCLImageList::GetPalette(int ListIndex) const
{
    const TUCLImageListItem* item = Item(ListIndex);
    return item ? item->Images().colorTable() : QList<QRgb>();
}

TColor TUCLImageList::GetTransparentColor(int ListIndex, int ImageIndex) const
{
    if (!IsValid(ListIndex, ImageIndex))
        return NoImageColour;
    const TUCLImageListItem* item = Item(ListIndex);
    const TRect cell = item->CellRect(ImageIndex);
    return RgbToColor(item->Images().pixel(cell.Left, cell.Bottom - 1));
}

TColor TUCLImageList::GetPixel(TPoint Point, int ListIndex, int ImageIndex) const
{
    if (!IsValid(ListIndex, ImageIndex))
        return NoImageColour;
    const TUCLImageListItem* item = Item(ListIndex);
    if (Point.X < 0 || Point.Y < 0 || Point.X >= item->Width() || Point.Y >= item->Height())
        return NoImageColour;
    return RgbToColor(item->Images().pixel(item->CellRect(ImageIndex).Left + Point.X, Point.Y));
}

void TUCLImageList::Draw(QPainter& Canvas, int X, int Y, int ListIndex, int ImageIndex) const
{
    if (const TUCLImageListItem* item = Item(ListIndex))
        item->Draw(Canvas, X, Y, ImageIndex);
}

void TUCLImageList::DrawInRect(QPainter& Canvas, const TRect& Rect, unsigned Flags, int ListIndex,
                               int ImageIndex, TRect& OutRect) const
{
    OutRect = TRect{};
    if (!IsValid(ListIndex, ImageIndex))
        return;
    const TUCLImageListItem* item = Item(ListIndex);
    const TRect cell = item->CellRect(ImageIndex);
    if (item->Masked())
        OutRect = DrawGlyph(Canvas, Rect, item->Images(), cell, Flags | 0x0100, clNone, &item->MaskImages());
    else
        OutRect = DrawGlyph(Canvas, Rect, item->Images(), cell, Flags, GetTransparentColor(ListIndex, ImageIndex),
                            nullptr);
}

void TUCLImageList::DrawClipped(QPainter& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset,
                                TColor Color, int ListIndex, int ImageIndex) const
{
    if (!IsValid(ListIndex, ImageIndex))
        return;
    const TUCLImageListItem* item = Item(ListIndex);
    Canvas.save();
    if (Flags & 0x0001)
        Canvas.setClipRect(ToQRect(Rect).translated(Offset.X, Offset.Y), Qt::IntersectClip);
    const TRect cell = item->CellRect(ImageIndex);
    if (item->Masked())
        DrawGlyph(Canvas, Rect, item->Images(), cell, Flags | 0x0100, 0, &item->MaskImages());
    else
        DrawGlyph(Canvas, Rect, item->Images(), cell, Flags, Color, nullptr);
    Canvas.restore();
}
