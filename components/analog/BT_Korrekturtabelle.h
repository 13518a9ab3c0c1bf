// The correction table block: maps its input through a characteristic curve
// of (input, output) pairs, typically to linearise a sensor.
#pragma once

#include "components/analog/AnalogBT.h"
#include "components/analog/Korrekturwerte.h"

class TBTKorrekturtabelle : public TAnalogBT {
public:
    explicit TBTKorrekturtabelle(const TComponentRow& row);
    TKorrekturwerte Values;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override { SetOutputValue(0, Values.Interpolate(InputValue(0))); }
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The row of TBTKorrekturtabelle.
TRowList KorrekturtabelleRows();
