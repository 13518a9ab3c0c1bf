// Fixed levels and timing aids: Vcc (constant high), ground (constant low),
// the step delay (its input's level a set number of steps later) and the
// power-on reset (one low pulse of at least 11 ms after the start).
#pragma once

#include "components/digital/BT_Digital.h"

// Vcc and ground: the output is set once per start and stays.
class TFesterPegel : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;
    void OutputsCreated() override;
    void ResetForStart() override { SetOutputLogic(0, high_); }
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    AnsiString GetTypeName() const override { return typeName_.Pick(); }

protected:
    TFesterPegel(const TTypeNames& typeName, Integer helpContext, bool high);

private:
    const TTypeNames& typeName_;
    bool high_;
};

class TBTVcc : public TFesterPegel {
    ZK_CLASS(TBTVcc, TGrundBT)

public:
    TBTVcc();
};

class TBTMasse : public TFesterPegel {
    ZK_CLASS(TBTMasse, TGrundBT)

public:
    TBTMasse();
};

// Output "A" in step t carries the level "E" had in step t - Steps, 0.0
// before; levels pass as values, so analog values are delayed unchanged.
class TBTVerzoegerung : public TGrundBT {
    ZK_CLASS(TBTVerzoegerung, TGrundBT)

public:
    static constexpr Integer MaxSteps = 100;

    TBTVerzoegerung();
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
    void InputsCreated() override;
    void OutputsCreated() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    AnsiString GetTypeName() const override;
};

// High from the start; low at the first step more than 10 ms after the
// first step, high again at the first step more than 10 ms after that.
class TBTPowerOnReset : public TGrundBT {
    ZK_CLASS(TBTPowerOnReset, TGrundBT)

public:
    static constexpr Cardinal PhaseMs = 10;

    TBTPowerOnReset();
    bool Active = false;
    Integer Started = 0;
    Cardinal StartTick = 0;   // millisecond tick count
    bool OutputHigh = true;

    void Calculate() override;
    void ResetForStart() override;
    void Draw(TCanvas& canvas) override;
    void OutputsCreated() override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    AnsiString GetTypeName() const override;
};
