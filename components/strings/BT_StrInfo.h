// The system-information component: one chosen item about the machine, the
// operating system, the locale, memory, screen and keyboard, the program or
// the processor load, with the item's name. The processor items are
// refreshed once a second (each refresh takes a sample); the others in
// every step.
#pragma once

#include "components/strings/BT_String.h"

#include <memory>
#include <vector>

class TUCLSysInfo;

class TBTStrInfo : public TStrBT {
public:
    static constexpr Integer ItemCount = 80;
    static constexpr Integer FirstCpuItem = 72;   // .. 78; 79 is the count
    static constexpr Integer LastCpuItem = 78;

    explicit TBTStrInfo(const TComponentRow& row);
    ~TBTStrInfo() override;

    // 0..79; another value read from a file is kept and gives empty texts.
    Integer ItemIndex = 0;
    std::vector<AnsiString> Items;
    std::unique_ptr<TUCLSysInfo> SysInfo;

    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

    // The value of an item now (a processor item without a new sample).
    AnsiString ItemValue(Integer item);

private:
    // The second of the day of the last processor refresh; none yet at
    // creation.
    Int64 lastCpuSecond_;
};

// "True" or "False".
AnsiString BoolText(bool value);

// The system information.
TRowList StrInfoRows();
