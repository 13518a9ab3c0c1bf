// The plastic lamp renderer: a shaped plastic body (rectangle, ellipse,
// rhombus, half ellipse, triangle, trapezium) in a shaded, slightly noisy
// version of its colour, inside an optional gap ring and inner and outer rims
// that are raised, sunken or absent with faces lit from the top left. The
// figure turns in tenths of a degree and the widget is cut to its outline.
// Both looks (on and off) are rendered when a property changes; painting
// copies one of them.
#pragma once

#include "platform/SysTypes.h"

#include <QImage>
#include <QPolygon>
#include <QPolygonF>
#include <QWidget>

#include <cstdint>

enum TIALedClass : Byte { ialcRect = 0, ialcRound, ialcRomb, ialcHalfCircle, ialcTriangle, ialcTrapezium };
enum TIABorderLedStyle : Byte { iablsUp = 0, iablsDown, iablsNone };
enum TIAglSubstanceMode : Byte { iasmTile = 0, iasmStretch };

using TIAxyPoly = QPolygonF;
using TIAglPoly = QPolygon;

// Each of red, green and blue lowered or raised by 32, within 0..255.
TColor DarkenColor32(TColor colour);
TColor LightenColor32(TColor colour);
// Every colour byte of the picture lowered or raised by amount, within 0..255.
void DarkenBitmap(QImage& image, Integer amount);
void LightenBitmap(QImage& image, Integer amount);

class TIAgaloLED : public QWidget {
public:
    explicit TIAgaloLED(QWidget* owner = nullptr);
    ~TIAgaloLED() override;

    // ---- Published properties (every setter returns at once on an unchanged
    // value; values outside their range are ignored).
    // The size while the figure is turned by a multiple of 90 degrees.
    virtual void SetHeight(Integer height);
    virtual void SetWidth(Integer width);
    virtual Integer GetHeight() const { return height(); }
    virtual Integer GetWidth() const { return width(); }
    virtual void SetLedClass(TIALedClass ledClass);
    // Tenths of a degree, kept within -1799..1800; positive turns counter-clockwise.
    virtual void SetAngle(Integer angle);
    virtual void SetBorderColor(TColor colour);
    virtual void SetGap(Integer gap);
    virtual void SetInnerBorderDepth(Integer depth);
    virtual void SetInnerBorderStyle(TIABorderLedStyle style);
    virtual void SetGapColor(TColor colour);
    virtual void SetLedPlasticColor(TColor colour);
    // The same, with the pictures rendered when next painted (or asked for
    // by EnsurePictures): a colour that changes in every step of a fast run
    // is rendered at the display's pace only.
    void SetLedPlasticColorLater(TColor colour);
    // Renders the pictures when a later colour left them behind.
    void EnsurePictures();
    virtual void SetLedPlasticDepth(Integer depth);   // 1..10
    virtual void SetOuterBorderDepth(Integer depth);
    virtual void SetOuterBorderStyle(TIABorderLedStyle style);
    virtual void SetLedOn(bool on);
    virtual void SetLedHeight(Integer height);
    virtual void SetLedWidth(Integer width);
    virtual void SetLedPlasticSubsMode(TIAglSubstanceMode mode);
    virtual void SetBorderSubsMode(TIAglSubstanceMode mode);
    virtual void SetGaloON(bool on);
    virtual void SetGaloSize(Integer size);             // 0..49
    virtual void SetGaloIntensity(Integer intensity);   // 1..10

    TIALedClass LedClass() const { return ledClass_; }
    Integer Angle() const { return angle_; }
    TColor BorderColor() const { return borderColor_; }
    Integer Gap() const { return gap_; }
    TColor GapColor() const { return gapColor_; }
    Integer InnerBorderDepth() const { return innerDepth_; }
    TIABorderLedStyle InnerBorderStyle() const { return innerStyle_; }
    TColor LedPlasticColor() const { return plasticColor_; }
    Integer LedPlasticDepth() const { return plasticDepth_; }
    Integer OuterBorderDepth() const { return outerDepth_; }
    TIABorderLedStyle OuterBorderStyle() const { return outerStyle_; }
    bool LedOn() const { return ledOn_; }
    Integer LedWidth() const { return ledWidth_; }
    Integer LedHeight() const { return ledHeight_; }
    TIAglSubstanceMode LedPlasticSubsMode() const { return plasticMode_; }
    TIAglSubstanceMode BorderSubsMode() const { return borderMode_; }
    bool GaloON() const { return galoOn_; }
    Integer GaloSize() const { return galoSize_; }
    Integer GaloIntensity() const { return galoIntensity_; }

    // Textures of the rims and of the plastic; an empty picture removes one.
    void SetBorderSubstance(const QImage& picture);
    void SetLedPlasticSubstance(const QImage& picture);
    const QImage& BorderSubstance() const { return borderSubstance_; }
    const QImage& LedPlasticSubstance() const { return plasticSubstance_; }

    // ---- Internal state, open for the owners and tests
    QImage BorderLight, BorderDark;   // the border texture raised and lowered by 64
    Integer BoxWidth = 24, BoxHeight = 14;
    TIAxyPoly BodyPolyF, GapPolyF, InnerPolyF, OuterPolyF;
    TIAglPoly BodyPoly, GapPoly, InnerPoly, OuterPoly;
    bool GlowErase = false;
    QImage OnPicture, OffPicture;
    // What the owner shows beneath the lamp (not owned).
    const QPixmap* BackgroundPicture = nullptr;

    // The total rim thickness: gap, inner and outer rim.
    Integer RimDepth() const;
    // The box of the turned figure: the widget's size, then the outlines.
    void FitBounds();
    void BuildShapes();
    // Both pictures, each with its own noise.
    void RenderPictures();
    // One picture for the current LedOn.
    void RenderPicture(QImage& picture);
    // Whether a rim face whose edge points in direction phi (tenths of a
    // degree) lies in the shade.
    static bool IsShadedFace(Integer phi);
    // The noise of the shading comes from this generator, so pictures can be
    // compared.
    void SetNoiseSeed(std::uint32_t seed) { noise_ = seed ? seed : 1; }
    // What a size change of the widget does (also called when the widget is
    // resized while hidden, where Qt delivers no resize event).
    void SizeChanged();
    void SetBounds(const QRect& bounds);
    // A repaint at the display's pace.
    void RequestRepaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    bool RightAngle() const;
    void Reshape();
    void Rerender();
    Integer Random(Integer below);
    QPolygonF Grow(const QPolygonF& outline, Integer g) const;
    void RimRegions(const QPolygon& inner, const QPolygon& outer, const QPolygonF& outerF, bool sunken,
                    QRegion& light, QRegion& shaded) const;
    void FillWithSubstance(QPainter& painter, const QRegion& region, const QImage& substance,
                           TIAglSubstanceMode mode) const;

    QImage borderSubstance_, plasticSubstance_;
    TIALedClass ledClass_ = ialcRect;
    Integer plasticDepth_ = 5;
    Integer gap_ = 0;
    TColor gapColor_ = 0x808080;
    Integer angle_ = 0;
    TIABorderLedStyle innerStyle_ = iablsNone;
    TIABorderLedStyle outerStyle_ = iablsDown;
    Integer innerDepth_ = 0;
    Integer outerDepth_ = 2;
    TColor borderColor_ = 0x808080;
    TColor plasticColor_ = 0x0000FF;
    bool ledOn_ = false;
    Integer ledWidth_ = 22;
    Integer ledHeight_ = 12;
    TIAglSubstanceMode plasticMode_ = iasmTile;
    TIAglSubstanceMode borderMode_ = iasmTile;
    bool galoOn_ = false;
    Integer galoSize_ = 10;
    Integer galoIntensity_ = 5;
    QSize appliedSize_;
    bool repaintPending_ = false;
    bool picturesStale_ = false;
    std::uint32_t noise_ = 0x2545F491;
};
