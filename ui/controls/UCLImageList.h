// Image containers: the abstract image list the library's controls draw their
// pictures from, and the image list whose items are strips of equal-size
// images with an optional monochrome mask.
#pragma once

#include "ui/controls/UCLContainer.h"

#include "platform/Colors.h"

#include <QImage>
#include <QList>

#include <stdexcept>

class QPainter;

// The class library's graphic errors ("Ungültige Bildgröße", "Zu viele Bilder").
class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
inline constexpr const char* SInvalidImageSize = "Ungültige Bildgröße";
inline constexpr const char* STooManyImages = "Zu viele Bilder";

inline constexpr TColor NoImageColour = 0xFFFFFF;   // colour answers out of range

// Pixels of an image strip: at most 0x8000 columns.
inline constexpr int MaxStripWidth = 0x8000;

// The image source of list boxes, combo boxes and buttons. ListIndex selects
// the item (a list of images), ImageIndex the image inside it.
class TUCLCustomImageList : public TUCLCustomContainer {
    ZK_ABSTRACT_CLASS(TUCLCustomImageList, TUCLCustomContainer)
public:
    explicit TUCLCustomImageList(QObject* Owner = nullptr) : TUCLCustomContainer(Owner) {}

    TUCLSavePixelFormat DefaultPixelFormat = TUCLSavePixelFormat::spfDefault;

    // The bitmap the item's images are drawn from; nullptr out of range.
    virtual const QImage* GetCanvas(int ListIndex) const = 0;
    virtual TRect GetImageRect(int ListIndex, int ImageIndex) const = 0;
    // Kind 0 the width, 1 the height; 0 otherwise.
    virtual int GetSize(int ListIndex, int Kind) const = 0;
    virtual int GetCount(int ListIndex) const = 0;
    virtual bool IsValid(int ListIndex, int ImageIndex) const = 0;
    // The image copied into Bitmap; nothing for nullptr.
    virtual void GetBitmap(int ListIndex, int ImageIndex, QImage* Bitmap) const = 0;
    virtual bool GetMasked(int ListIndex) const = 0;
    virtual QList<QRgb> GetPalette(int ListIndex) const = 0;   // empty: none
    virtual TColor GetTransparentColor(int ListIndex, int ImageIndex) const = 0;
    virtual TColor GetPixel(TPoint Point, int ListIndex, int ImageIndex) const = 0;
    virtual void Draw(QPainter& Canvas, int X, int Y, int ListIndex, int ImageIndex) const = 0;
    // The image placed in Rect by Flags (0x0008 centred, 0x0010 stretched,
    // else at the top-left) without its transparent pixels; OutRect is where.
    virtual void DrawInRect(QPainter& Canvas, const TRect& Rect, unsigned Flags, int ListIndex,
                            int ImageIndex, TRect& OutRect) const = 0;
    // As DrawInRect, clipped to Rect moved by Offset when Flags has 0x0001.
    virtual void DrawClipped(QPainter& Canvas, const TRect& Rect, unsigned Flags, TPoint Offset,
                             TColor Color, int ListIndex, int ImageIndex) const = 0;

    void Assign(const TUCLCustomContainer& Source) override;
};

// Glyph painting shared by the image containers: Image (or the Source part of
// it) placed in Dest by Flags, its Transparent colour or its Mask (white =
// transparent) left out.
TRect DrawGlyph(QPainter& Canvas, const TRect& Dest, const QImage& Image, const TRect& Source,
                unsigned Flags, TColor Transparent, const QImage* Mask);

// One list of equal-size images in a strip, optionally with a mask strip.
class TUCLImageListItem : public TUCLListItem {
    ZK_CLASS(TUCLImageListItem, TUCLListItem)
public:
    TUCLImageListItem();   // 16 x 16
    // Raises "Ungültige Bildgröße" when either size is below 1.
    TUCLImageListItem(int Width, int Height, QObject* Owner = nullptr);

    struct TSlot {
        Word X = 0;           // position in the strip
        bool Masked = false;  // the image has a mask of its own
    };

    int AllocBy = 4;
    TUCLSavePixelFormat PixelFormat = TUCLSavePixelFormat::spfDefault;
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    int DrawingStyle = 2;   // 0 blend 75 %, 1 blend 50 %, 2 normal, 3 transparent
    int ImageType = 0;      // 0 image, 1 mask
    bool SharedImages = false;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Masked() const { return FMasked; }
    int Count() const { return int(FSlots.size()); }
    const QImage& Images() const { return FImages; }
    const QImage& MaskImages() const { return FMask; }
    const std::vector<TSlot>& Slots() const { return FSlots; }

    // Index 0 the width, 1 the height; a new size removes every image.
    void SetSize(int Index, int Value);
    void SetWidth(int Value) { SetSize(0, Value); }
    void SetHeight(int Value) { SetSize(1, Value); }
    void SetMasked(bool Value);

    // Appends Image (or an empty slot for two nullptrs); returns the index.
    int Add(const QImage* Image, const QImage* Mask);
    int NewSlot();
    void Replace(int Index, const QImage* Image, const QImage* Mask);
    void ReplaceMasked(int Index, const QImage& Bitmap, TColor TransparentColour);
    void AddImages(const TUCLImageListItem& Source);
    void ClearImages();
    void Assign(const TUCLImageListItem& Source);
    // Height equal to Height() and width a multiple of Width().
    void CheckBitmapSize(const QImage& Bitmap) const;

    TRect CellRect(int Index) const;   // the image's cell in the strips
    void Draw(QPainter& Canvas, int X, int Y, int Index) const;
    void DrawMasked(QPainter& Canvas, int X, int Y, int Index) const;

    void Clear() override { ClearImages(); }
    bool IsEmpty() const override { return FSlots.empty(); }
    Byte GetFlags() const override;
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;

private:
    void CheckIndex(int Index) const;
    void GrowStrips(int Width);
    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = false;
    int FUsedWidth = 0;
    QImage FImages;   // Height rows, n x Width columns
    QImage FMask;     // monochrome, the same size; null unless masked
    std::vector<TSlot> FSlots;
};

class TUCLImageList : public TUCLCustomImageList {
    ZK_CLASS(TUCLImageList, TUCLCustomImageList)
public:
    explicit TUCLImageList(QObject* Owner = nullptr);

    TUCLImageListItem* Item(int ListIndex) const;

    const QImage* GetCanvas(int ListIndex) const override;
    TRect GetImageRect(int ListIndex, int ImageIndex) const override;
    int GetSize(int ListIndex, int Kind) const override;
    int GetCount(int ListIndex) const override;
    bool IsValid(int ListIndex, int ImageIndex) const override;
    void GetBitmap(int ListIndex, int ImageIndex, QImage* Bitmap) const override;
    bool GetMasked(int ListIndex) const override;
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
};
