// The base of the blocks that compute with time on the sample period: the
// period setting (SamplePeriod with its index), the block's own counter
// reading, the period in the stream record and the sheet, and the retained
// keys these blocks share. The timing schemes themselves stay in each
// block's step: they differ in when a block acts, which time step it uses and
// how it moves its reference.
#pragma once

#include "components/analog/AnalogBT.h"
#include "components/analog/TimeBase.h"

#include <initializer_list>
#include <utility>

class TPropScrollbox;

class TAbtastBT : public TAnalogBT {
public:
    TSamplePeriod SamplePeriod;   // SamplePeriod and SamplePeriodIndex
    Int64 LastCount = 0;          // the counter reading the block measures from

    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    // The sheet: the sample period's row, then the block's own rows, applied
    // only on OK by the rows themselves.
    Integer EditProperties() override;

protected:
    virtual void AddSettingsRows(TPropScrollbox&) {}
    virtual void ApplySettings() {}

    // shiftOldIndex: records of files below version 3 hold the index of the
    // older table, which began at today's row 7.
    TAbtastBT(const TComponentRow& row, bool shiftOldIndex);

    // The body, then the black frame and a red curve.
    void DrawFramedCurve(TCanvas& canvas, std::initializer_list<TPoint> curve);
    // The number keys of the retained state, written and read as a list of
    // (key, field) pairs.
    void SaveValues(TCustomIniFile& ini, const AnsiString& section,
                    std::initializer_list<std::pair<const char*, const Extended*>> values) const;
    void LoadValues(TCustomIniFile& ini, const AnsiString& section,
                    std::initializer_list<std::pair<const char*, Extended*>> values) const;

private:
    bool shiftOldIndex_;
};

// A gain or parameter from a file or the sheet: not a number gives the
// fallback, infinities are clamped to +-1e20 so the step stays finite.
Extended FiniteParameter(Extended value, Extended fallback);
