// The glyph of the speed buttons: one bitmap of up to five cells, from which
// the image of each of nine button states is made on first use. The images
// of all glyphs of one size share one masked strip of the global glyph cache.
// Also the painting of glyph and caption together and the drop-down arrow.
#pragma once

#include "ui/controls/UCLButtonLayout.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLImageList.h"

#include <QImage>

#include <memory>
#include <vector>

class QPainter;

// One masked strip of glyph images of one size, with the slots in use and
// the number of images the glyphs hold in it.
class TUCLGlyphList : public TUCLImageListItem {
    ZK_ABSTRACT_CLASS(TUCLGlyphList, TUCLImageListItem)
public:
    TUCLGlyphList(int Width, int Height);

    Integer Users() const { return FUsers; }
    // The image goes into the first free slot (or a new one), its
    // TransparentColor pixels masked out; the index of the slot.
    int AddGlyph(const QImage& Image, TColor TransparentColor);
    void FreeGlyph(int Index);

private:
    std::vector<bool> FUsed;
    Integer FUsers = 0;
};

// The strips of every glyph size in use.
class TUCLGlyphCache {
public:
    // The first strip of that size, else a new one appended.
    TUCLGlyphList* GetList(int Width, int Height);
    // A strip no glyph uses any more is freed.
    void ReturnList(TUCLGlyphList* List);
    bool Empty() const { return FLists.empty(); }
    int Count() const { return int(FLists.size()); }

private:
    std::vector<std::unique_ptr<TUCLGlyphList>> FLists;
};

// The cache while any glyph exists (or a strip is left); nullptr otherwise.
TUCLGlyphCache* GlyphCache();

// Button states a glyph has images for.
enum TUCLButtonState : Byte {
    bsUp = 0, bsDisabled = 1, bsHot = 2, bsDown = 3, bsPushed = 4, bsDropped = 6, bsDownDisabled = 7,
};

// Options of PaintGlyphAndText.
inline constexpr Cardinal goEnabled = 0x0002;       // enabled look of text and arrow
inline constexpr Cardinal goNoMove = 0x0020;        // the pair at the top left, rectangles not moved
inline constexpr Cardinal goFocusText = 0x0040;     // focus rectangle: the text's, grown by 1
inline constexpr Cardinal goFocusGlyph = 0x0080;    // focus rectangle: the glyph's
inline constexpr Cardinal goFocusUnion = 0x0100;    // focus rectangle: both, grown by 1
inline constexpr Cardinal goMeasureOnly = 0x0200;   // nothing painted (implies goFocusUnion)
inline constexpr Cardinal goGlyphAlways = 0x0400;   // a glyph cell counts without an image
inline constexpr Cardinal goClipText = 0x0800;      // the text ends at the client's right and bottom

struct TUCLGlyphTextRects {
    TRect Union;
    TRect Text;
    TRect Glyph;
};

// Lays out and paints a caption (with its 3D effect, in the painter's font
// and pen colour) and the Cell of Image beside it by Layout, inside Client.
// Cell becomes the focus rectangle. Masked glyphs leave out what Mask marks
// (white), or without a mask the TransparentColor pixels.
void PaintGlyphAndText(QPainter& Canvas, const QString& Text, TUCL3DCaption* Caption, const TRect& Client,
                       const QImage* Image, TRect& Cell, const QImage* Mask, TColor TransparentColor,
                       const TUCLGlyphTextLayout& Layout, bool MultiLine, bool ShowPrefix, bool Masked,
                       Cardinal Options, Cardinal Format, TUCLGlyphTextRects& Result);
// The same with a whole bitmap as the glyph (none when null or empty), its
// transparent colour the bottom-left pixel, and an optional mask.
void PaintBitmapGlyphAndText(QPainter& Canvas, const QString& Text, TUCL3DCaption* Caption, const TRect& Client,
                             const QImage* Bitmap, const QImage* Mask, const TUCLGlyphTextLayout& Layout,
                             bool MultiLine, bool ShowPrefix, Cardinal Options, Cardinal Format,
                             TUCLGlyphTextRects& Result);
// The caption measured in Area (less one pixel at the right) and placed in
// it by Alignment.
TRect PlaceCaption(TUCLAlignment Alignment, const QString& Text, TUCL3DCaption* Caption, const TRect& Area,
                   const QFont& Font, bool MultiLine, bool ShowPrefix, Cardinal Format);

// The drop-down arrow: Size 2 to 15 pointing down (or up). A disabled arrow
// is drawn in clHighlightText one pixel down and right, then in clGrayText.
void DrawDropArrow(QPainter& Canvas, Integer X, Integer Y, Integer Size, TColor Color, bool Down, bool Enabled);

class TUCLGlyph {
public:
    TUCLGlyph();
    ~TUCLGlyph();
    TUCLGlyph(const TUCLGlyph&) = delete;
    TUCLGlyph& operator=(const TUCLGlyph&) = delete;

    std::function<void(TUCLGlyph* Sender)> OnChange;

    const QImage& Bitmap() const { return FBitmap; }
    // Releases the state images and takes the bitmap; its bottom-left pixel
    // is the transparent colour, and a strip of up to five square cells sets
    // NumGlyphs.
    void SetBitmap(const QImage& Value);
    TColor TransparentColor() const { return FTransparentColor; }
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer Value);   // 1..5; 0 is ignored
    // 1: grey images and, for states without a cell of their own, the cells
    // of the hot style (2 for the hot states, 4 for dropped).
    Byte Style() const { return FStyle; }
    void SetStyle(Byte Value);
    bool Empty() const { return FBitmap.isNull() || FBitmap.width() == 0 || FBitmap.height() == 0; }

    // The slot in the strip with the image of the state (made when needed);
    // -1 without a bitmap.
    int StateImage(Byte State);
    TUCLGlyphList* Strip() const { return FStrip; }
    void ReleaseStates();

    // The state's image and the caption by Layout in R (prefixes shown,
    // masked); only the caption while there is no image.
    void Paint(QPainter& Canvas, const QString& Text, TUCL3DCaption* Caption, const TRect& R, Byte State,
               const TUCLGlyphTextLayout& Layout, Cardinal Options, bool MultiLine, Cardinal Format);

private:
    void BitmapChanged();

    QImage FBitmap;
    TColor FTransparentColor = 0;
    Integer FNumGlyphs = 1;
    Byte FStyle = 0;
    TUCLGlyphList* FStrip = nullptr;
    int FSlots[9];
};
