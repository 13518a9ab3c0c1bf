// The bevel: the settings object that describes the border drawn around a
// library control and how much room the border takes from its client area,
// and the drawing of the bevel, frame and standard border styles.
#pragma once

#include "ui/controls/UCLBase.h"

class QPainter;

// Value order matters: forms store these by ordinal.
enum class TUCLBevelMode : Byte { bmCustom, bmStandard, bmEdge, bmWindows };
enum class TUCLBevelStyle : Byte { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum class TUCLBorderStyle : Byte {
    lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt,
    lsFrameInset, lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered,
};
enum class TUCLEdgeStyle : Byte {
    etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken,
};
// TUCLFrameSides: a set of these bits.
enum TUCLFrameSide : Byte { fsBottom = 0x01, fsLeft = 0x02, fsRight = 0x04, fsTop = 0x08 };
using TUCLFrameSides = Byte;
inline constexpr TUCLFrameSides fsAllSides = fsBottom | fsLeft | fsRight | fsTop;

class TUCLBevel : public TUCLObject {
    ZK_CLASS(TUCLBevel, TUCLObject)
public:
    TUCLBevel();

    TUCLBevelStyle StyleInner() const { return FStyleInner; }
    TUCLBevelStyle StyleOuter() const { return FStyleOuter; }
    // bvShadow is a style of the whole bevel: both sides have it or neither.
    void SetStyleInner(TUCLBevelStyle Value);
    void SetStyleOuter(TUCLBevelStyle Value);
    Integer WidthInner() const { return FWidthInner; }
    Integer WidthOuter() const { return FWidthOuter; }
    void SetWidthInner(Integer Value);   // 0..50
    void SetWidthOuter(Integer Value);
    // Index 0 BorderColor, 1 LightColor, 2 ShadowColor.
    TColor Color(int Index) const { return FColors[Index]; }
    void SetColor(int Index, TColor Value);
    TColor BorderColor() const { return FColors[0]; }
    TColor LightColor() const { return FColors[1]; }
    TColor ShadowColor() const { return FColors[2]; }
    TUCLFrameSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TUCLFrameSides Value);
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);   // 0..255
    Integer BorderInnerWidth() const { return FBorderInnerWidth; }
    void SetBorderInnerWidth(Integer Value);
    TUCLEdgeStyle EdgeStyle() const { return FEdgeStyle; }
    void SetEdgeStyle(TUCLEdgeStyle Value);
    TUCLBevelMode Mode() const { return FMode; }
    void SetMode(TUCLBevelMode Value);
    TUCLBorderStyle StandardStyle() const { return FStandardStyle; }
    // Stored in any mode; signals a change only in bmStandard, where it counts.
    void SetStandardStyle(TUCLBorderStyle Value);

    // Set by a control that owns the bevel: in bmWindows the control's own
    // window border is the bevel, which then takes no room and draws nothing.
    bool NativeBorder = false;

    // Pixels taken from each side (from the left and top in the shadow style).
    Integer BevelExtent() const;
    Integer Ext() const { return BevelExtent(); }
    // Differs from Ext only in the custom shadow style.
    Integer ExtRightBottom() const;
    TRect BevelClientRect(const TRect& R) const;
    // Draws the bevel on R and returns the rectangle inside it. With NoFill
    // the border bands are only skipped, not painted (transparent owners).
    // bmEdge fills the bands of undrawn sides with the painter's brush.
    TRect PaintBevel(QPainter& Painter, const TRect& R, bool NoFill) const;

    void Assign(const TUCLObject& Source) override;
    // "{Custom style}", "{Standard style}", "{Edged style}" or "{Windows style}".
    AnsiString DisplayText() const;

private:
    TUCLBevelStyle FStyleInner = TUCLBevelStyle::bvNone;
    TUCLBevelStyle FStyleOuter = TUCLBevelStyle::bvNone;
    Integer FWidthInner = 1;
    Integer FWidthOuter = 1;
    TColor FColors[3];
    TUCLFrameSides FBorderSides = fsAllSides;
    Integer FBorderWidth = 0;
    Integer FBorderInnerWidth = 0;
    TUCLEdgeStyle FEdgeStyle = TUCLEdgeStyle::etEtched;
    TUCLBevelMode FMode = TUCLBevelMode::bmCustom;
    TUCLBorderStyle FStandardStyle = TUCLBorderStyle::lsSingleLowered;
};

// A bevel frame of Width pixels on R; R shrinks by the room it took
// (Width, or Width + 1 for the frame styles). Raised styles draw Shadow at
// the bottom right and Light at the top left, lowered ones the other way,
// bvNormal black on both.
void DrawBevelFrame(QPainter& Painter, TRect& R, TUCLBevelStyle Style, Integer Width, TColor Shadow, TColor Light);
// A drop shadow ShadowWidth wide at the right and bottom (its two outer
// corners in Corner unless NoFill) and FrameWidth light frames inside the
// rest; R becomes the rectangle inside the frames.
void DrawShadowBevel(QPainter& Painter, TRect& R, TColor Light, Integer FrameWidth, Integer ShadowWidth,
                     TColor Shadow, TColor Corner, bool NoFill);
// 0 for lsNone, 1 for the single styles, else 2.
Integer StandardBorderWidth(TUCLBorderStyle Style);
// The standard border style from system edges; R shrinks by the border.
void DrawStandardBorder(QPainter& Painter, TRect& R, TUCLBorderStyle Style);
