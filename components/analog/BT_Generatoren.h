// The source blocks: the signal generator (five wave forms from one phase),
// the pulse generator (separate high and low times), the ramp generator (one
// linear ramp per start edge) and the random value. The three generators run
// on the performance counter in wall-clock seconds, whatever the step rate;
// the random value draws a new value every fifth step.
#pragma once

#include "components/analog/AnalogBT.h"
#include "components/analog/RandomSource.h"

class TBTFktGenerator : public TAnalogBT {
public:
    explicit TBTFktGenerator(const TComponentRow& row);
    double Time = 0.0;     // seconds into the current period
    Int64 LastCount = 0;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
};

class TBTPulse : public TAnalogBT {
public:
    explicit TBTPulse(const TComponentRow& row);
    bool High = false;
    double Time = 0.0;     // seconds into the current phase
    Int64 LastCount = 0;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
};

class TBTRampenGenerator : public TAnalogBT {
public:
    explicit TBTRampenGenerator(const TComponentRow& row);
    bool Running = false;
    bool LastRun = false;
    Int64 StartCount = 0;
    double Elapsed = 0.0;
    Extended StartValue = 0.0L;   // Y1, Y2 and T as they were at the start edge
    Extended EndValue = 0.0L;
    Extended Duration = 0.0L;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
};

class TBTRandom : public TAnalogBT {
public:
    explicit TBTRandom(const TComponentRow& row);
    bool Digital = false;
    Integer RangeMin = 0;
    Integer RangeMax = 1;
    Integer StepCount = 0;
    TRandomSource Source;

    // Outputs of digital mode for a maximum: 1 + how often it halves while above 1.
    static Integer BitCount(Integer rangeMax);
    // The outputs for the mode and range, named A or B<n-1> ... B0.
    void BuildOutputs();

    void OutputsCreated() override;
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The rows of TBTFktGenerator, TBTPulse, TBTRampenGenerator and TBTRandom.
TRowList GeneratorRows();
