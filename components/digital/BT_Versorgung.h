// Fixed levels and timing aids: Vcc (constant high), ground (constant low),
// the step delay (its input's level a set number of steps later) and the
// power-on reset (one low pulse of at least 11 ms after the start).
#pragma once

#include "components/digital/BT_Digital.h"

// The row of Vcc or ground: the level it drives.
struct TFesterPegelRow {
    TComponentRow Component;
    bool High = false;
};

// Vcc and ground: the output is set once per start and stays.
class TFesterPegel : public TGrundBT {
public:
    explicit TFesterPegel(const TComponentRow& row) : TGrundBT(row), high_(FamilyRow<TFesterPegelRow>(row).High) {}
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override { SetOutputLogic(0, high_); }

private:
    bool high_;
};

// Output "A" in step t carries the level "E" had in step t - Steps, 0.0
// before; levels pass as values, so analog values are delayed unchanged.
class TBTVerzoegerung : public TGrundBT {
public:
    static constexpr Integer MaxSteps = 100;

    using TGrundBT::TGrundBT;
    Integer Steps = 1;
    Integer Position = 1;
    Extended Line[MaxSteps + 1] = {};   // entries 1..Steps in use

    void Calculate() override
    {
        Integer a = Position - Steps;
        if (a < 1)
            a += Steps;
        SetOutputLevel(0, Line[a]);
        Line[Position] = InputLevel(0);
        if (++Position > Steps)
            Position = 1;
    }
    void ResetForStart() override;
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
};

// High from the start; low at the first step more than 10 ms after the
// first step, high again at the first step more than 10 ms after that.
class TBTPowerOnReset : public TGrundBT {
public:
    static constexpr Cardinal PhaseMs = 10;

    using TGrundBT::TGrundBT;
    bool Active = false;
    Integer Started = 0;
    Cardinal StartTick = 0;   // millisecond tick count
    bool OutputHigh = true;

    void Calculate() override;
    void ResetForStart() override;
    void Draw(TCanvas& canvas) override;
};

// TBTVcc, TBTMasse, TBTVerzoegerung and TBTPowerOnReset.
TRowList VersorgungRows();
