// The plastic lamp: a coloured plastic light in one of six shapes, turned in
// steps of 90 degrees, with a raised, sunken or no rim. Its brightness and
// tint follow the applied voltage relative to its nominal voltage: darker
// below it, towards white above it, clamped at twice the nominal voltage.
// The inner plastic lamp renderer fills the element and does the drawing.
#pragma once

#include "panel/elements/IAgaloLED.h"
#include "panel/framework/FP_Element.h"
#include "panel/framework/IndicatorElements.h"

class TPLampe : public TFP_Element, public ILampElement {
    ZK_CLASS(TPLampe, TFP_Element)
public:
    TPLampe();
    ~TPLampe() override;

    bool Eingeschaltet = false;
    Extended NennSpannung = 5.0L;
    Extended IstSpannung = 5.0L;
    Extended LastVoltage = 0.0L;
    TColor BaseColor;
    TIAgaloLED* Renderer;   // owned as a child widget

    void SetEingeschaltet(bool on);
    // Shows the lamp at its nominal brightness.
    void SetNennSpannung(Extended volts);

    // ---- ILampElement
    void SetIstSpannung(Extended volts) override;
    TColor GetLampColor() const override { return Renderer->LedPlasticColor(); }

    // ---- Element
    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;

    // The renderer follows the element's client area while aligned.
    void SetRendererAligned(bool aligned);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool aligned_ = true;
    void AlignRenderer();
};
