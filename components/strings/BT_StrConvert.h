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
    ZK_CLASS(TBT_Str_Fest, TGrundBT)

public:
    TBT_Str_Fest();
    AnsiString Text;

    void ResetForStart() override { SetOutputString(0, Text); }
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// V: the number in the text.
class TBT_Str_Value : public TStrBT {
    ZK_CLASS(TBT_Str_Value, TGrundBT)

public:
    TBT_Str_Value();
    void Calculate() override { SetOutputValue(0, StrToValue(InputText(0))); }
};

// "$": the number formatted.
class TBTStrFormat : public TStrBT {
    ZK_CLASS(TBTStrFormat, TGrundBT)

public:
    TBTStrFormat();
    TFormat Format;

    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// "$CHR": one character, the low 8 bits of the code (code 0 gives a text
// holding character 0).
class TBTStrChr : public TStrBT {
    ZK_CLASS(TBTStrChr, TGrundBT)

public:
    TBTStrChr();
    void Calculate() override;
};

// ASC: the code of the first character; 0 for an empty text.
class TBTStrASCII : public TStrBT {
    ZK_CLASS(TBTStrASCII, TGrundBT)

public:
    TBTStrASCII();
    void Calculate() override;
};

// L: the number of characters.
class TBTStrLength : public TStrBT {
    ZK_CLASS(TBTStrLength, TGrundBT)

public:
    TBTStrLength();
    void Calculate() override { SetOutputValue(0, static_cast<Extended>(InputText(0).size())); }
};

// "a".."z" to upper case while U/L reads high, "A".."Z" to lower case
// otherwise; every other byte stays.
class TBTStrUpper : public TStrBT {
    ZK_CLASS(TBTStrUpper, TGrundBT)

public:
    TBTStrUpper();
    void Calculate() override;

private:
    AnsiString result_;
};

// Bytes 0..32 removed at the start while L reads high, at the end while R
// reads high.
class TBTStrTrim : public TStrBT {
    ZK_CLASS(TBTStrTrim, TGrundBT)

public:
    TBTStrTrim();
    void Calculate() override;
};

// The shared body of the two joining components: 2 to 16 text inputs "$1" ..
// "$n" (the count travels in the base record), joined in input order, with
// one separator character between neighbours or none.
class TStrJoin : public TStrBT {
public:
    Integer Separator = 59;

    void Calculate() override;
    void InputsCreated() override;

protected:
    TStrJoin(const TStrInfo& info, bool separated);
    bool FitsPins() const override { return OutputCount == 1; }
    // The count chooser, and for a separated join the separator chooser and
    // the options while stopped.
    Integer EditJoin();
    bool separated_;

private:
    AnsiString result_;
};

// The texts one after the other.
class TBTStrPlus : public TStrJoin {
    ZK_CLASS(TBTStrPlus, TGrundBT)

public:
    TBTStrPlus();
    Integer EditProperties() override { return EditJoin(); }
};

// The texts with the separator between each two neighbours.
class TBTStrCSV : public TStrJoin {
    ZK_CLASS(TBTStrCSV, TGrundBT)

public:
    TBTStrCSV();
    Integer EditProperties() override { return EditJoin(); }
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};
