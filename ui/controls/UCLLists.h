// Data containers that keep their items inside the form: string lists, wave
// sounds and bitmaps. The bitmap list also serves as an image list (one image
// per item) and can take the bitmaps of empty items from an external source.
#pragma once

#include "ui/controls/UCLImageList.h"
#include "ui/controls/UCLWave.h"

#include <QImage>

#include <vector>

class TUCLStringListItem : public TUCLListItem {
    ZK_CLASS(TUCLStringListItem, TUCLListItem)
public:
    explicit TUCLStringListItem(QObject* Owner = nullptr) : TUCLListItem(Owner) {}

    const std::vector<AnsiString>& Items() const { return FItems; }
    void SetItems(const std::vector<AnsiString>& Lines);
    // An item of the same class, or any string list as its lines.
    void Assign(const TUCLStringListItem& Source);

    void Clear() override { SetItems({}); }
    bool IsEmpty() const override { return FItems.empty(); }
    Byte GetFlags() const override;
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;

private:
    std::vector<AnsiString> FItems;
};

class TUCLWaveListItem : public TUCLListItem {
    ZK_CLASS(TUCLWaveListItem, TUCLListItem)
public:
    explicit TUCLWaveListItem(QObject* Owner = nullptr);

    TUCLWave& Wave() { return FWave; }
    const TUCLWave& Wave() const { return FWave; }
    void SetWave(const TUCLWave& Value) { FWave.Assign(Value); }
    void Assign(const TUCLWaveListItem& Source);

    void Clear() override { FWave.Clear(); }
    bool IsEmpty() const override { return FWave.IsEmpty(); }
    Byte GetFlags() const override;
    // The wave block follows the header also for an empty wave; reading
    // passes over it when the header has no data bit.
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;

private:
    TUCLWave FWave;
};

class TUCLBitmapListItem : public TUCLListItem {
    ZK_CLASS(TUCLBitmapListItem, TUCLListItem)
public:
    explicit TUCLBitmapListItem(QObject* Owner = nullptr) : TUCLListItem(Owner) {}

    TUCLSavePixelFormat PixelFormat = TUCLSavePixelFormat::spfDefault;

    // An empty bitmap is first taken from the container's external source.
    const QImage& Bitmap() const;
    void SetBitmap(const QImage& Value);
    void Assign(const TUCLBitmapListItem& Source);

    void Clear() override { SetBitmap(QImage()); }
    bool IsEmpty() const override { return FBitmap.isNull(); }
    Byte GetFlags() const override;
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;

private:
    void LoadFromSource() const;
    mutable QImage FBitmap;
};

class TUCLStringList : public TUCLCustomContainer {
    ZK_CLASS(TUCLStringList, TUCLCustomContainer)
public:
    explicit TUCLStringList(QObject* Owner = nullptr);
    TUCLStringListItem* Item(int Index) const { return dynamic_cast<TUCLStringListItem*>(GetItem(Index)); }

protected:
    void AssignItem(TUCLListItem& Target, const TUCLListItem& Source) override;
};

class TUCLWaveList : public TUCLCustomContainer {
    ZK_CLASS(TUCLWaveList, TUCLCustomContainer)
public:
    explicit TUCLWaveList(QObject* Owner = nullptr);
    TUCLWaveListItem* Item(int Index) const { return dynamic_cast<TUCLWaveListItem*>(GetItem(Index)); }

protected:
    void AssignItem(TUCLListItem& Target, const TUCLListItem& Source) override;
};

// One image per item; ImageIndex is ignored by the image-list operations.
class TUCLBitmapList : public TUCLCustomImageList {
    ZK_CLASS(TUCLBitmapList, TUCLCustomImageList)
public:
    explicit TUCLBitmapList(QObject* Owner = nullptr);
    TUCLBitmapListItem* Item(int Index) const { return dynamic_cast<TUCLBitmapListItem*>(GetItem(Index)); }
    // The container file the items' bitmaps come from (source kinds 1, 3, 4).
    std::string ContainerFilePath() const;

    const QImage* GetCanvas(int ListIndex) const override;
    TRect GetImageRect(int ListIndex, int ImageIndex) const override;
    int GetSize(int ListIndex, int Kind) const override;
    int GetCount(int ListIndex) const override;
    bool IsValid(int ListIndex, int ImageIndex) const override;
    void GetBitmap(int ListIndex, int ImageIndex, QImage* Bitmap) const override;
    bool GetMasked(int ListIndex) const override { return false; }
    QList<QRgb> GetPalette(int ListIndex) const override;
    TColor GetTransparentColor(int ListIndex, int ImageIndex) const override;
    TColor GetPixel(TPoint Point, int ListIndex, int ImageIndex) const override;
    void Draw(QPainter& Canvas, int X, int Y, int ListIndex, int ImageIndex) const override;
    void DrawInRect(QPainter& Canvas, const TRect& Rect, unsigned Flags, int ListIndex, int ImageIndex,
                    TRect& OutRect) const override;
    void DrawClipped(QPainter& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset, TColor Color,
                     int ListIndex, int ImageIndex) const override;

protected:
    TUCLListItem* NewItem() override;
    void AssignItem(TUCLListItem& Target, const TUCLListItem& Source) override;

private:
    const QImage* ItemBitmap(int ListIndex) const;   // nullptr when missing or empty
};
