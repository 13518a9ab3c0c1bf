// Fill settings: how a library control fills an area (not at all, with a
// brush, a pattern bitmap, a bitmap placed, centred, stretched or tiled, a
// bitmap from an image list, or a gradient), and the filling itself.
#pragma once

#include "ui/controls/UCLGlyphTextLayout.h"
#include "ui/controls/UCLGradient.h"

#include <QImage>

// Value order matters: forms store these by ordinal.
enum class TUCLFillStyle : Byte { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
enum class TUCLTileMode : Byte { tmNone, tmCenter, tmStretch, tmTile };
enum TUCLFillOption : Byte { foFillInner = 0x01, foQuickDraw = 0x02, foGrUseBitmap = 0x04 };
using TUCLFillOptions = Byte;
// The class library's brush styles, in its order.
enum class TUCLBrushStyle : Byte { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                                   bsDiagCross };

// The owned brush of a fill: a colour and a style, reporting its changes.
class TUCLBrush : public TUCLObject {
    ZK_CLASS(TUCLBrush, TUCLObject)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TUCLBrushStyle Style() const { return FStyle; }
    void SetStyle(TUCLBrushStyle Value);
    void Assign(const TUCLObject& Source) override;

private:
    TColor FColor = 0xFFFFFF;
    TUCLBrushStyle FStyle = TUCLBrushStyle::bsSolid;
};

class TUCLShapeFill : public TUCLObject {
    ZK_CLASS(TUCLShapeFill, TUCLObject)
public:
    TUCLShapeFill();
    ~TUCLShapeFill() override;

    const QImage& Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage& Value);
    TUCLGradient& Gradient() { return FGradient; }
    const TUCLGradient& Gradient() const { return FGradient; }
    void SetGradient(const TUCLGradient& Value) { FGradient.Assign(Value); }
    TUCLFillStyle Style() const { return FStyle; }
    void SetStyle(TUCLFillStyle Value);
    TUCLTileMode TileMode() const { return FTileMode; }
    void SetTileMode(TUCLTileMode Value);
    // The picture an image list gives for sfBitmapList; no change event.
    const QImage& ListBitmap() const { return FListBitmap; }
    void SetListBitmap(const QImage& Value) { FListBitmap = Value; }

    // Nothing to fill with: sfNone, or a bitmap style whose bitmap is empty.
    bool IsEmpty() const;
    TUCLPalette GetPalette() const;
    void Assign(const TUCLObject& Source) override;
    // "{" + the style's name + "}".
    AnsiString SummaryText() const override;

protected:
    TUCLFillStyle FStyle = TUCLFillStyle::sfBrush;
    TUCLTileMode FTileMode = TUCLTileMode::tmTile;

private:
    QImage FBitmap;
    QImage FListBitmap;
    TUCLGradient FGradient;
};

class TUCLFillObject : public TUCLShapeFill {
    ZK_CLASS(TUCLFillObject, TUCLShapeFill)
public:
    TUCLFillObject();
    ~TUCLFillObject() override;

    TUCLAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TUCLAlignment Value);
    // Index 0 OffsetX, 1 OffsetY.
    Integer Offset(int Index) const { return FOffset[Index]; }
    void SetOffset(int Index, Integer Value);
    TUCLBrush& Brush() { return FBrush; }
    const TUCLBrush& Brush() const { return FBrush; }
    void SetBrush(const TUCLBrush& Value) { FBrush.Assign(Value); }
    TUCLFillOptions Options() const { return FOptions; }
    void SetOptions(TUCLFillOptions Value);

    // The fill leaves parts of a rectangle unpainted.
    bool IsTransparent() const;
    // Fills R; K is the colour behind hatches and of the inner area. Answers
    // whether the fill drew.
    bool FillRect(QPainter& Canvas, const TRect& R, TColor K);
    // FillRect clipped to R (moved by Offset, packed x low word, y high word).
    bool FillClipped(QPainter& Canvas, const TRect& R, Cardinal Offset, TColor K);

    void Assign(const TUCLObject& Source) override;

private:
    // Alignment and offsets show only for an untiled single bitmap.
    bool PlacementShows() const;

    TUCLAlignment FAlignment = TUCLAlignment::agTopLeft;
    Integer FOffset[2] = {0, 0};
    TUCLBrush FBrush;
    TUCLFillOptions FOptions = foFillInner | foGrUseBitmap;
};
