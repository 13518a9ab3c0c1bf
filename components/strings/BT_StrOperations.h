// Text editing, searching and splitting: copy, insert, delete, pick one
// character, find, replace, compare and split. Positions and counts are read
// as integers 0..65535 and are 1-based; every combination of inputs gives a
// text or number, and every output is written in every step.
#pragma once

#include "components/strings/BT_String.h"

// "$": N characters from position P (0 counts as 1); empty when P lies past
// the end or N is 0.
class TBTStrCopy : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// "$" with "$Ins" inserted before position Pos (0 counts as 1; past the end
// appends).
class TBTStrInsert : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;

private:
    AnsiString result_;
};

// "$" without the N characters from position P; P = 0 passes the text.
class TBTStrDelete : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;

private:
    AnsiString result_;
};

// "$Chr": the character at position i, empty outside 1..length.
class TBTStrIndex : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// Pos: where "$S" first occurs in "$M"; 0 when not, or when "$S" is empty.
class TBTStrPos : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// "$" with "$Old" replaced by "$New": every occurrence while All reads high
// (left to right, replaced text not searched again), else the first; by
// codes while CS reads high, else without regard to letter case.
class TBTStrReplace : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;

private:
    AnsiString result_;
    AnsiString upperText_;
    AnsiString upperOld_;
};

// A>B, A=B, A<B by character codes, position by position; a prefix is the
// smaller. Exactly one output is high.
class TBTStrCompare : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// Splits "$" at the separator onto n outputs "$1" (top) .. "$n" (output 0);
// "$n" takes everything after the (n-1)-th separator.
class TBTStrParts : public TStrBT {
public:
    using TStrBT::TStrBT;
    Integer Separator = 59;

    void Calculate() override;
    void OutputsCreated() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

private:
    AnsiString part_;
};

// Copy, insert, delete, index, position, replace, compare and split.
TRowList StrOperationRows();
