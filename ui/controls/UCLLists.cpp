#include "ui/controls/UCLLists.h"

#include "ui/controls/UCLProcs.h"
#include "ui/controls/UCLStreamUtils.h"

#include <QFileInfo>
#include <QPainter>

// --- string items ---

void TUCLStringListItem::SetItems(const std::vector<AnsiString>& Lines)
{
    FItems = Lines;
    Changed();
}

void TUCLStringListItem::Assign(const TUCLStringListItem& Source)
{
    if (&Source == this)
        return;
    AssignHeader(Source);
    SetItems(Source.FItems);
}

Byte TUCLStringListItem::GetFlags() const
{
    return TUCLListItem::GetFlags() | (IsEmpty() ? 0 : ifData);
}

void TUCLStringListItem::WriteData(TStream& Stream)
{
    WriteHeader(Stream);
    if (!IsEmpty())
        WriteStreamStrings(Stream, FItems, Compressed);
}

void TUCLStringListItem::ReadData(TStream& Stream)
{
    if (ReadHeader(Stream) & ifData)
        SetItems(ReadStreamStrings(Stream, Compressed));
    else
        Clear();
}

// --- wave items ---

TUCLWaveListItem::TUCLWaveListItem(QObject* Owner) : TUCLListItem(Owner)
{
    FWave.OnChange = [this](TPersistent*) { Changed(); };
}

void TUCLWaveListItem::Assign(const TUCLWaveListItem& Source)
{
    if (&Source == this)
        return;
    Ident = Source.Ident;
    Description = Source.Description;
    Compressed = Source.Compressed;
    FWave.Assign(Source.FWave);
}

Byte TUCLWaveListItem::GetFlags() const
{
    return TUCLListItem::GetFlags() | (IsEmpty() ? 0 : ifData);
}

void TUCLWaveListItem::WriteData(TStream& Stream)
{
    WriteHeader(Stream);
    WriteStreamWave(Stream, FWave, Compressed);
}

void TUCLWaveListItem::ReadData(TStream& Stream)
{
    if (ReadHeader(Stream) & ifData) {
        ReadStreamWave(Stream, FWave, Compressed);
        return;
    }
    // The block an empty wave still writes: passed over, or the next item
    // would start inside it.
    ReadStreamData(Stream, Compressed);
    Clear();
}

// --- bitmap items ---

const QImage& TUCLBitmapListItem::Bitmap() const
{
    if (FBitmap.isNull())
        LoadFromSource();
    return FBitmap;
}

void TUCLBitmapListItem::SetBitmap(const QImage& Value)
{
    FBitmap = Value;
    Changed();
}

void TUCLBitmapListItem::Assign(const TUCLBitmapListItem& Source)
{
    if (&Source == this)
        return;
    AssignHeader(Source);
    PixelFormat = Source.PixelFormat;
    SetBitmap(Source.FBitmap);
}

void TUCLBitmapListItem::LoadFromSource() const
{
    const auto* owner = dynamic_cast<const TUCLBitmapList*>(Container());
    if (!owner || owner->Loading() || Loading())
        return;
    const std::string file = owner->ContainerFilePath();
    // A missing or damaged source leaves the item empty: the bitmap is read while painting.
    try {
    switch (owner->SourceKind) {
    case TUCLContainerSource::csContainerFile: {
        TUCLBitmapListItem source;
        LoadItemFromContainerFile(file, ctBitmapList, nullptr, Ident, source);
        FBitmap = source.FBitmap;
        break;
    }
    case TUCLContainerSource::csBitmapFile:
    case TUCLContainerSource::csBitmapLoader: {
        // <folder>/<first three letters of the container file><Ident>.bmp
        const QFileInfo info(QString::fromStdString(file));
        const std::string name = info.fileName().left(3).toStdString() + std::to_string(Ident) +
                                 ContainerFileExt(ctBitmapList, true);
        FBitmap.load(QString::fromStdString(info.path().toStdString() + "/" + name), "BMP");
        break;
    }
    default:   // data kept in the form; there are no bitmap resources to take them from
        break;
    }
    } catch (const std::exception&) {
        FBitmap = QImage();
    }
}

Byte TUCLBitmapListItem::GetFlags() const
{
    return TUCLListItem::GetFlags() | SavePixelFormatFlag(PixelFormat) | (IsEmpty() ? 0 : ifData);
}

void TUCLBitmapListItem::WriteData(TStream& Stream)
{
    WriteHeader(Stream);
    if (!IsEmpty())
        WriteStreamBitmap(Stream, FBitmap, Compressed, SavePixelFormatColours(PixelFormat));
}

void TUCLBitmapListItem::ReadData(TStream& Stream)
{
    const Byte flags = ReadHeader(Stream);
    PixelFormat = SavePixelFormatFromFlags(flags);
    if (flags & ifData)
        SetBitmap(ReadStreamBitmap(Stream, Compressed));
    else
        Clear();
}

// --- containers ---

TUCLStringList::TUCLStringList(QObject* Owner) : TUCLCustomContainer(Owner)
{
    ItemClass = &TUCLStringListItem::StaticClass();
    RegisterClass(TUCLStringListItem::StaticClass());
}

void TUCLStringList::AssignItem(TUCLListItem& Target, const TUCLListItem& Source)
{
    auto* target = dynamic_cast<TUCLStringListItem*>(&Target);
    auto* source = dynamic_cast<const TUCLStringListItem*>(&Source);
    if (target && source)
        target->Assign(*source);
}

TUCLWaveList::TUCLWaveList(QObject* Owner) : TUCLCustomContainer(Owner)
{
    ItemClass = &TUCLWaveListItem::StaticClass();
    RegisterClass(TUCLWaveListItem::StaticClass());
}

void TUCLWaveList::AssignItem(TUCLListItem& Target, const TUCLListItem& Source)
{
    auto* target = dynamic_cast<TUCLWaveListItem*>(&Target);
    auto* source = dynamic_cast<const TUCLWaveListItem*>(&Source);
    if (target && source)
        target->Assign(*source);
}

TUCLBitmapList::TUCLBitmapList(QObject* Owner) : TUCLCustomImageList(Owner)
{
    ItemClass = &TUCLBitmapListItem::StaticClass();
    RegisterClass(TUCLBitmapListItem::StaticClass());
}

TUCLListItem* TUCLBitmapList::NewItem()
{
    auto* item = static_cast<TUCLBitmapListItem*>(TUCLCustomContainer::NewItem());
    item->PixelFormat = DefaultPixelFormat;
    return item;
}

void TUCLBitmapList::AssignItem(TUCLListItem& Target, const TUCLListItem& Source)
{
    auto* target = dynamic_cast<TUCLBitmapListItem*>(&Target);
    auto* source = dynamic_cast<const TUCLBitmapListItem*>(&Source);
    if (target && source)
        target->Assign(*source);
}

std::string TUCLBitmapList::ContainerFilePath() const
{
    const auto prefix = TUCLPathPrefix(PathPrefix);
    if (prefix == ppFixed)
        return SourceFileName;
    return PathPrefixFolder(prefix, true) + SourceFileName;
}

const QImage* TUCLBitmapList::ItemBitmap(int ListIndex) const
{
    const TUCLBitmapListItem* item = Item(ListIndex);
    if (!item || item->Bitmap().isNull())
        return nullptr;
    return &item->Bitmap();
}

const QImage* TUCLBitmapList::GetCanvas(int ListIndex) const
{
    const TUCLBitmapListItem* item = Item(ListIndex);
    return item ? &item->Bitmap() : nullptr;
}

TRect TUCLBitmapList::GetImageRect(int ListIndex, int) const
{
    const QImage* bitmap = ItemBitmap(ListIndex);
    return bitmap ? TRect{0, 0, bitmap->width(), bitmap->height()} : TRect{};
}

int TUCLBitmapList::GetSize(int ListIndex, int Kind) const
{
    const QImage* bitmap = ItemBitmap(ListIndex);
    if (!bitmap)
        return 0;
    return Kind == 0 ? bitmap->width() : Kind == 1 ? bitmap->height() : 0;
}

int TUCLBitmapList::GetCount(int ListIndex) const
{
    return ItemBitmap(ListIndex) ? 1 : 0;
}

bool TUCLBitmapList::IsValid(int ListIndex, int) const
{
    return ItemBitmap(ListIndex) != nullptr;
}

void TUCLBitmapList::GetBitmap(int ListIndex, int, QImage* Bitmap) const
{
    if (const QImage* bitmap = ItemBitmap(ListIndex); bitmap && Bitmap)
        *Bitmap = *bitmap;
}

QList<QRgb> TUCLBitmapList::GetPalette(int ListIndex) const
{
    const QImage* bitmap = ItemBitmap(ListIndex);
    return bitmap ? bitmap->colorTable() : QList<QRgb>();
}

TColor TUCLBitmapList::GetTransparentColor(int ListIndex, int) const
{
    const QImage* bitmap = ItemBitmap(ListIndex);
    return bitmap ? QColorToColor(bitmap->pixelColor(0, bitmap->height() - 1)) : NoImageColour;
}

TColor TUCLBitmapList::GetPixel(TPoint Point, int ListIndex, int) const
{
    const QImage* bitmap = ItemBitmap(ListIndex);
    if (!bitmap || !bitmap->valid(Point.X, Point.Y))
        return NoImageColour;
    return QColorToColor(bitmap->pixelColor(Point.X, Point.Y));
}

void TUCLBitmapList::Draw(QPainter& Canvas, int X, int Y, int ListIndex, int) const
{
    if (const QImage* bitmap = ItemBitmap(ListIndex))
        Canvas.drawImage(QPoint(X, Y), *bitmap);
}

void TUCLBitmapList::DrawInRect(QPainter& Canvas, const TRect& Rect, unsigned Flags, int ListIndex, int,
                                TRect& OutRect) const
{
    OutRect = TRect{};
    if (const QImage* bitmap = ItemBitmap(ListIndex))
        OutRect = DrawGlyph(Canvas, Rect, *bitmap, GetImageRect(ListIndex, 0), Flags,
                            GetTransparentColor(ListIndex, 0), nullptr);
}

void TUCLBitmapList::DrawClipped(QPainter& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset,
                                 TColor Color, int ListIndex, int) const
{
    const QImage* bitmap = ItemBitmap(ListIndex);
    if (!bitmap)
        return;
    Canvas.save();
    if (Flags & 0x0001)
        Canvas.setClipRect(QRect(Rect.Left + Offset.X, Rect.Top + Offset.Y, Rect.Width(), Rect.Height()),
                           Qt::IntersectClip);
    DrawGlyph(Canvas, Rect, *bitmap, GetImageRect(ListIndex, 0), Flags, Color, nullptr);
    Canvas.restore();
}
