// The panel LEDs: one LED in one colour, a two-colour LED with four states
// (off, colour 1, colour 2, both = colour 3) and an LED in any colour. One
// class; the two subclasses only switch its mode. Drawn in one of seven
// shapes with an optional text, lit with a dome shading and a highlight, and
// reporting the mouse back for the single LED component's sensor outputs.
#pragma once

#include "panel/framework/FP_Element.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

#include <QImage>

#include <vector>

class TPLED : public TFP_Element, public ILedElement {
    ZK_CLASS(TPLED, TFP_Element)
public:
    TPLED();

    enum TShape : Byte { Round = 0, Square, TriangleUp, TriangleDown, TriangleLeft, TriangleRight, LuminousText };
    static constexpr TColor OffGrey = 0x808080;

    bool IsDuo = false;
    bool IsRGB = false;
    TColor Colour1 = 0x00FF00;
    TColor Colour2 = 0x0000FF;
    TColor Colour3 = 0x00FFFF;
    Byte Shape = Round;
    AnsiString LedText;
    TFont Font;
    bool LeftPressed_ = false;
    bool RightPressed_ = false;
    bool MouseOver_ = false;

    // ---- ILedElement
    bool GetEingeschaltet() const override { return eingeschaltet_; }
    void SetEingeschaltet(bool on) override;
    Byte GetDuoLEDStatus() const override { return duoStatus_; }
    void SetDuoLEDStatus(Byte status) override;
    TColor GetRGBFarbe() const override { return rgbFarbe_; }
    void SetRGBFarbe(TColor colour) override;
    TColor GetLedColor() const override;
    bool MouseOver() const override { return MouseOver_; }
    bool LeftPressed() const override { return LeftPressed_; }
    bool RightPressed() const override { return RightPressed_; }
    void ClearMouseFlags() override;
    bool OnHiddenPage() const override;

    // ---- Element
    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    long double GetAspectRatio() const override { return Shape == Round ? 1.0L : 0.0L; }

    // The area the shape fills: inside the frame.
    TRect ShapeRect() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool eingeschaltet_ = false;
    Byte duoStatus_ = 1;
    TColor rgbFarbe_ = 0;
    bool repaintPending_ = false;

    // The drawn shape of the last looks, each for its size, shape, frame,
    // colour and brightness.
    struct TShapePicture {
        QSize Size;
        Byte Shape;
        Integer Frame;
        TColor Colour;
        bool Bright;
        QImage Picture;
    };
    std::vector<TShapePicture> pictures_;
    const QImage& ShapePicture(const TRect& r, TColor colour);
};

class TDuoLED : public TPLED {
    ZK_CLASS(TDuoLED, TPLED)
public:
    TDuoLED();
};

class TRGBLED : public TPLED {
    ZK_CLASS(TRGBLED, TPLED)
public:
    TRGBLED();
};
