// The bus components of selectable width (2, 4, 8 or 16): the bus driver
// passes its inputs to its outputs while "EN" reads high and puts 0.0 V on
// them while disabled, so that several drivers share a wired-OR bus; the
// address decoder raises "CS" while the number of its address inputs lies in
// its range. The width follows from the pin counts of the base record.
#pragma once

#include "components/digital/BT_Digital.h"

// Width index 0..3 for 2, 4, 8 and 16 channels.
inline constexpr Integer BusWidths[] = {2, 4, 8, 16};

// Inputs "D0".."D(n-1)" and "EN" last; output "Dk" (index n - 1 - k)
// belongs to input "Dk".
class TBTBustreiber : public TGrundBT {
public:
    using TGrundBT::TGrundBT;

    void Calculate() override
    {
        const Integer n = OutputCount;
        if (InputLogic(n)) {
            for (Integer k = 0; k < n; ++k)
                SetOutputLogic(n - 1 - k, InputLogic(k));
        } else {
            DriveLow();
        }
    }
    void Draw(TCanvas& canvas) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    void ResetForStart() override { DriveLow(); }
    void InputsCreated() override;
    void OutputsCreated() override;

    // From the input count: 3 gives 0, 5 gives 1, 17 gives 3, any other 2.
    Integer WidthIndex() const;
    void SetWidth(Integer index);

private:
    // 0.0 V on every output, inverted or not: in a wired group the other
    // drivers decide.
    void DriveLow()
    {
        for (Integer o = 0; o < OutputCount; ++o)
            SetOutputLogic(o, Outputs[o].Inverted);
    }
};

// Inputs "A0".."A(n-1)", output "CS": high while Lower <= address <= Upper.
class TBTAdressdekoder : public TGrundBT {
public:
    using TGrundBT::TGrundBT;

    Integer Lower = 0;
    Integer Upper = 0;

    void Calculate() override
    {
        Integer address = 0;
        for (Integer i = 0; i < InputCount; ++i)
            address |= Integer(InputLogic(i)) << i;
        SetOutputLogic(0, Lower <= address && address <= Upper);
    }
    void Draw(TCanvas& canvas) override;
    // After the base record the two addresses as raw little-endian 32-bit
    // integers, without value tags, in every file version.
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void InputsCreated() override;

    // From the input count: 2 gives 0, 4 gives 1, 16 gives 3, any other 2.
    Integer WidthIndex() const;
    void SetWidth(Integer index);
};

// TBTBustreiber and TBTAdressdekoder.
TRowList BusRows();
