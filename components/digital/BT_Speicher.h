// The byte-wide memories: a RAM read while "|R/W" is high and written on its
// falling edge, and a ROM that shows the byte at its address in every step.
// Each holds up to 64 KB in the component, stored with it in the project,
// and can take the contents of a hex text file at every start and stop.
#pragma once

#include "components/digital/BT_Digital.h"

#include <memory>

class TSpeicher : public TGrundBT {
public:
    static constexpr Integer Capacity = 65536;
    // Files before this version hold no RAM contents and no file settings.
    static constexpr Byte FileFieldsVersion = 2;

    std::unique_ptr<Byte[]> Memory{new Byte[Capacity]()};
    Integer LastOutput = -1;     // the byte written to the outputs last; -1: none yet
    Byte DisplayMode = 0;        // the editor's view: 0 hex, 1 binary, 2 decimal
    bool AutoLoad = false;       // load FileName at every start
    AnsiString FileName;

    // 2^k - 1 held in 16 bits, k the address lines: a memory given more than
    // 16 address inputs (records cannot bring them) still never addresses
    // past 64 KB.
    Word AddressMask() const;
    Integer MemorySize() const { return AddressMask() + 1; }
    Integer AddressLines() const { return std::max<Integer>(InputCount - dataInputs_, 0); }

    void Draw(TCanvas& canvas) override;
    AnsiString GetHintText() override;
    void ResetForStart() override;
    Integer EditProperties() override;
    // The input count of a memory of 2^k bytes.
    Integer InputCountFor(Integer k) const { return k + dataInputs_; }

protected:
    TSpeicher(const TComponentRow& row, Integer dataInputs) : TGrundBT(row), dataInputs_(dataInputs) {}
    Integer Address() const;
    void WriteOutputs(Integer v);
    void WriteMemory(TWriter& writer) const;
    void ReadMemory(TReader& reader);

private:
    Integer dataInputs_;   // inputs besides the address lines
};

class TBTRAM : public TSpeicher {
public:
    bool LastReadWrite = false;   // "|R/W" of the previous step

    explicit TBTRAM(const TComponentRow& row);
    void InputsCreated() override;
    void ResetForStart() override;
    void Calculate() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

class TBTROM : public TSpeicher {
public:
    explicit TBTROM(const TComponentRow& row);
    void InputsCreated() override;
    void Calculate() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// TBTRAM and TBTROM.
TRowList SpeicherRows();
