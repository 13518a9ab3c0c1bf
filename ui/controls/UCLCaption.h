// 3D and effect captions: sunken, raised, shadowed, outlined or extruded
// text, a separate look when disabled, extra spacing between characters and,
// for the effect caption, rotation and an explicit text position.
#pragma once

#include "ui/controls/UCLBase.h"
#include "ui/controls/UCLGlyphTextLayout.h"

#include <QFont>

class QPainter;
class QString;

enum class TUCLDisabledStyle : Byte { dsAuto, dsStandard, ds3d, dsNone };
enum class TUCLThreeDOrientation : Byte { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum class TUCLThreeDStyle : Byte {
    tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken, tdPColorRaised,
    tdShadow, tdOutline, tdExtrude, tdExtrudeEnh,
};

class TUCL3DCaption : public TUCLObject {
    ZK_CLASS(TUCL3DCaption, TUCLObject)
public:
    TUCL3DCaption();

    TUCLDisabledStyle DisabledStyle() const { return FDisabledStyle; }
    void SetDisabledStyle(TUCLDisabledStyle Value);
    // Index 0 LightDepth, 1 ShadowDepth.
    Byte Depth(int Index) const { return FDepths[Index]; }
    void SetDepth(int Index, Byte Value);
    Byte LightDepth() const { return FDepths[0]; }
    Byte ShadowDepth() const { return FDepths[1]; }
    // Index 0 LightColor, 1 ShadowColor.
    TColor Color(int Index) const { return FColors[Index]; }
    void SetColor(int Index, TColor Value);
    TColor LightColor() const { return FColors[0]; }
    TColor ShadowColor() const { return FColors[1]; }
    TUCLThreeDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUCLThreeDOrientation Value);
    TUCLThreeDStyle Style() const { return FStyle; }
    void SetStyle(TUCLThreeDStyle Value);
    // Extra pixels between characters.
    Integer Tracing() const { return FTracing; }
    void SetTracing(Integer Value);

    void Assign(const TUCLObject& Source) override;
    // "{" + the style's word + "}".
    AnsiString SummaryText() const override;

private:
    TUCLDisabledStyle FDisabledStyle = TUCLDisabledStyle::dsAuto;
    Byte FDepths[2] = {1, 1};
    TColor FColors[2];
    TUCLThreeDOrientation FOrientation = TUCLThreeDOrientation::toTopLeft;
    TUCLThreeDStyle FStyle = TUCLThreeDStyle::tdNone;
    Integer FTracing = 0;
};

class TUCLFxCaption : public TUCL3DCaption {
    ZK_CLASS(TUCLFxCaption, TUCL3DCaption)
public:
    // Degrees, 0 to 360; 360 is stored as 0.
    Integer Angle() const { return FAngle; }
    void SetAngle(Integer Value);
    // Index 0 PosX, 1 PosY: the text origin inside the rectangle.
    Word Pos(int Index) const { return FPos[Index]; }
    void SetPos(int Index, Word Value);
    Word PosX() const { return FPos[0]; }
    Word PosY() const { return FPos[1]; }
    // Sets both without signalling a change.
    void SetPosition(Word X, Word Y);

    void Assign(const TUCLObject& Source) override;
    // A rotated caption adds ", rot: <angle>°" to the text.
    AnsiString SummaryText() const override;

private:
    Integer FAngle = 0;
    Word FPos[2] = {0, 0};
};

// Flags of PaintCaption3D.
inline constexpr Cardinal pcEnabled = 0x02;
inline constexpr Cardinal pcSunkenWhenDisabled = 0x04;   // the look of dsAuto when disabled
inline constexpr Cardinal pcClip = 0x08;                 // clip to ClipRect, or to R without one

// Paints Text in R with the DT_ format. The painter's font is the font, its
// pen colour the text colour and its brush colour the colour of the
// PColor styles. Without a caption object the text is drawn plainly.
void PaintCaption3D(QPainter& Painter, const QString& Text, const TUCL3DCaption* Caption, const TRect& R,
                    Cardinal Format, Cardinal Flags, const TRect* ClipRect = nullptr);
// The rectangle the painted caption needs, from R's top-left corner, grown
// by 2 x (Margin + 1). An empty text measures as one blank. Measuring a
// rotated effect caption sets its PosX and PosY (a change); any other effect
// caption gets position 0, 0 silently.
void MeasureCaption3D(const QString& Text, TUCL3DCaption* Caption, TRect& R, const QFont& Font, bool MultiLine,
                      bool ShowPrefix, Integer Margin, Cardinal Format);
// The same measurement; there is no device context to lend here.
inline void MeasureCaption(const QString& Text, TUCL3DCaption* Caption, TRect& R, const QFont& Font, bool MultiLine,
                           bool ShowPrefix, Integer Margin, Cardinal Format)
{
    MeasureCaption3D(Text, Caption, R, Font, MultiLine, ShowPrefix, Margin, Format);
}

// Per channel Trunc(Step x (c2 - c1) / Steps + c1), system colours resolved.
TColor BlendColor(TColor C1, TColor C2, Integer Step, Integer Steps);
// Right and Bottom grow by the room the caption's effect takes.
void AddEffectExtent(TRect& R, const TUCL3DCaption& Caption);
// The bounding box of R turned by Angle degrees about its centre, moved to (0, 0).
void RotatedBounds(TRect& R, Integer Angle);

// A text drawn inside a control: the text, its font and colour, its effect
// settings, its alignment in a rectangle and whether it may take several
// lines. A rotated caption needs an outline font: choosing a bitmap font
// resets the angle, rotating a bitmap font switches it to "Arial".
class TUCLCaption : public TUCLObject {
    ZK_CLASS(TUCLCaption, TUCLObject)
public:
    TUCLCaption();
    ~TUCLCaption() override;

    TUCLAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TUCLAlignment Value);
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    const QFont& Font() const { return FFont; }
    void SetFont(const QFont& Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    TUCLFxCaption& FontFX() { return FFontFX; }
    const TUCLFxCaption& FontFX() const { return FFontFX; }
    void SetFontFX(const TUCLFxCaption& Value) { FFontFX.Assign(Value); }
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);

    // Draws Text in R with the painter's brush colour behind it. Flags:
    // pcEnabled, pcClip (clip to R moved by Offset: x low, y high word) and
    // 0x10 to show "&" prefixes.
    void Draw(QPainter& Canvas, const AnsiString& Text, Cardinal Offset, TColor Background, Cardinal Flags,
              const TRect& R) const;

    void Assign(const TUCLObject& Source) override;
    AnsiString SummaryText() const override { return "{" + FCaption + "}"; }

private:
    void FontChanged(bool FromFont);

    TUCLAlignment FAlignment = agCenter;
    AnsiString FCaption;
    QFont FFont;
    TColor FFontColor;
    TUCLFxCaption FFontFX;
    bool FMultiLine = false;
};

inline constexpr Cardinal pcShowPrefix = 0x10;
