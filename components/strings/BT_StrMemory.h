// Text selection and storage: a multiplexer of 2, 4, 8 or 16 texts, a hold
// that freezes a text, and a text buffer filled and emptied by clock edges.
// The hold's and the buffer's texts survive a stop and a start through the
// retained-state file.
#pragma once

#include "components/strings/BT_String.h"

// "$": the channel chosen by S0..S3 while EN reads high, else empty. The
// input count (4, 7, 12 or 21) is the channel kind; it travels in the base
// record, which may hold any count of 4..21.
class TBTStrMux : public TStrBT {
public:
    static constexpr Integer KindInputs[4] = {4, 7, 12, 21};

    using TStrBT::TStrBT;
    // 0..3: 2, 4, 8 or 16 channels; the pins are rebuilt only when the count
    // changes.
    void SetChannels(Integer kind);
    // The kind of the input count; a count that is none of the four (a
    // damaged file) gives the largest kind whose pins all exist, -1 below 4.
    Integer ChannelKind() const;

    void InputsCreated() override;
    void Calculate() override;
    void ResetForStart() override { SetOutputString(0, AnsiString()); }
    Integer EditProperties() override;

private:
    Integer kind_ = 0;
};

// "$" follows the input while "/Hld" reads high and keeps the last text
// while it reads low.
class TBTStrHold : public TStrBT {
public:
    using TStrBT::TStrBT;
    AnsiString Held;

    void Calculate() override;
    void ResetForStart() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// A falling edge of "|W" appends the input text to Buffer; a falling edge
// of "|R" moves the first N characters of Buffer to Data; "/CLR" low
// empties both.
class TBTStrBuffer : public TStrBT {
public:
    using TStrBT::TStrBT;
    AnsiString Buffer;
    AnsiString Data;
    bool LastWrite = false;
    bool LastRead = false;

    void Calculate() override;
    void ResetForStart() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// The multiplexer, the hold and the buffer.
TRowList StrMemoryRows();
