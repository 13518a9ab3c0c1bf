// Text constants, conversions and joining: the constant, text to number,
// number to text by a format, character code to character and back, length,
// letter case, trimming, and joining texts with or without a separator.
// Each writes its output in every step, except the constant, which writes it
// at start and stop.
#pragma once

#include "components/strings/BT_String.h"
#include "engine/Formats.h"

// "$": Text, written at every start (and stop).
class TBT_Str_Fest : public TStrBT {
public:
    using TStrBT::TStrBT;
    AnsiString Text;

    void ResetForStart() override { SetOutputString(0, Text); }
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// V: the number in the text.
class TBT_Str_Value : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override { SetOutputValue(0, StrToValue(InputText(0))); }
};

// "$": the number formatted.
class TBTStrFormat : public TStrBT {
public:
    using TStrBT::TStrBT;
    TFormat Format;

    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// "$CHR": one character, the low 8 bits of the code (code 0 gives a text
// holding character 0).
class TBTStrChr : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// ASC: the code of the first character; 0 for an empty text.
class TBTStrASCII : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// L: the number of characters.
class TBTStrLength : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override { SetOutputValue(0, static_cast<Extended>(InputText(0).size())); }
};

// "a".."z" to upper case while U/L reads high, "A".."Z" to lower case
// otherwise; every other byte stays.
class TBTStrUpper : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;

private:
    AnsiString result_;
};

// Bytes 0..32 removed at the start while L reads high, at the end while R
// reads high.
class TBTStrTrim : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// The joins' row: a text row and whether a separator character stands
// between neighbours (then it travels in the record and the sheet offers it).
struct TJoinRow {
    TComponentRow Component;
    const char* Label = nullptr;
    bool Separated = false;
};

// TBTStrPlus (the texts one after the other) and TBTStrCSV (with the
// separator between each two neighbours): 2 to 16 text inputs "$1" .. "$n"
// (the count travels in the base record), joined in input order.
class TStrJoin : public TStrBT {
public:
    explicit TStrJoin(const TComponentRow& row);
    Integer Separator = 59;

    void Calculate() override;
    void InputsCreated() override;
    // The count chooser, and for a separated join the separator chooser and
    // the options while stopped.
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

private:
    const TJoinRow& join_;
    AnsiString result_;
};

// The constant, the conversions and the joins.
TRowList StrConvertRows();
