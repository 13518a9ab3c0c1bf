#include "components/analog/BT_Integer.h"

#include "components/analog/AnalogMath.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TPinSide OneInt{.Count = 1, .Names = "INT"};

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTIntConv>("TBTIntConv"),
     .TypeName = {"Integer Format", "Integer Format", "Integer Format"},
     .Designator = "INTC",
     .HelpContext = 18465,
     .HasDialog = true,
     .Inputs = OneInt,
     .Outputs = OneInt},
    {.Class = RowClass<TBTIntOp>("TBTIntOp"),
     .TypeName = {"Integer Operation", "Integer Operation", "Integer Operation"},
     .Designator = "INTOP",
     .HelpContext = 18465,
     .HasDialog = true,
     .Inputs = {.Count = 2, .Names = "INT,INT"},
     .Outputs = OneInt},
    {.Class = RowClass<TBTIntToBytes>("TBTIntToBytes"),
     .TypeName = {"Integer to Bytes", "Integer to Bytes", "Integer to Bytes"},
     .Designator = "Int2Byt",
     .HelpContext = 18465,
     .Inputs = OneInt,
     .Outputs = {.Count = 4, .Names = "B3,B2,B1,B0"}},
    {.Class = RowClass<TBTIntBit>("TBTIntBit"),
     .TypeName = {"Integer Bit", "Integer Bit", "Integer Bit"},
     .Designator = "INTBIT",
     .HelpContext = 18465,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = "EN"},
     .Outputs = OneInt},
    {.Class = RowClass<TBTIntCheckBit>("TBTIntCheckBit"),
     .TypeName = {"Check Bit", "Check Bit", "Check Bit"},
     .Designator = "CHKB",
     .HelpContext = 18465,
     .HasDialog = true,
     .Inputs = OneInt,
     .Outputs = {.Count = 1, .Names = "D"}},
    {.Class = RowClass<TBTIntFromBytes>("TBTIntFromBytes"),
     .TypeName = {"Bytes to Integer", "Bytes to Integer", "Bytes to Integer"},
     .Designator = "Byt2Int",
     .HelpContext = 18465,
     .Inputs = {.Count = 4, .Names = "B0,B1,B2,B3"},
     .Outputs = OneInt},
};

const char* const OperationNames[] = {"AND", "OR", "NAND", "NOR", "XOR"};
constexpr Integer OperationCount = 5;

// x limited to [lo, hi]; NaN stays NaN, as the comparisons leave it.
Extended Limit(Extended x, Extended lo, Extended hi)
{
    return x < lo ? lo : x > hi ? hi : x;
}

Extended TwoTo(Integer n)
{
    return std::ldexp(1.0L, n);
}

} // namespace

void TIntegerBT::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputValue(o, 0.0L);
}

void TIntegerBT::DrawSymbol(TCanvas& canvas, const AnsiString& text)
{
    TGrundBT::Draw(canvas);
    DrawCentredText(canvas, text, 30, CentreX(), CentreY() - 18);
}

Integer TIntegerBT::EditCombo(const char* heading, const char* caption, Integer& entry,
                              const std::vector<AnsiString>& items)
{
    TSettingsSheet sheet(*this, GetTypeName());
    sheet.Props().AddCaption(heading);
    sheet.Props().AddCombo(caption, entry, items, 80);
    return sheet.Dialog().ShowModal();
}

// ---- Format converter --------------------------------------------------------------

TBTIntConv::TBTIntConv(const TComponentRow& row) : TIntegerBT(row) {}

// Fractions pass unrounded.
void TBTIntConv::Calculate()
{
    Extended x = InputValue(0);
    const Integer b = InputBits;
    const Integer c = OutputBits;
    if (InputSigned) {
        x = Limit(x, -TwoTo(b - 1), TwoTo(b - 1) - 1);
        if (!OutputSigned && x < 0)
            x += TwoTo(b);
    } else {
        x = Limit(x, 0, TwoTo(b) - 1);
    }
    if (OutputSigned) {
        if (!InputSigned && x > TwoTo(c - 1) - 1)
            x -= TwoTo(c);
        x = Limit(x, -TwoTo(c - 1), TwoTo(c - 1) - 1);
    } else {
        x = Limit(x, 0, TwoTo(c) - 1);
    }
    SetOutputValue(0, x);
}

void TBTIntConv::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const AnsiString in = (InputSigned ? "INT" : "UINT") + std::to_string(InputBits);
    const AnsiString out = (OutputSigned ? "INT" : "UINT") + std::to_string(OutputBits);
    DrawFigureText(canvas, in, 22, BodyRect.Left + 8, CentreY() - 34);
    canvas.Font.Height = 22;
    DrawFigureText(canvas, out, 22, BodyRect.Right - 8 - canvas.TextWidth(out), CentreY() - 10);
}

Integer TBTIntConv::EditProperties()
{
    TSettingsSheet sheet(*this, GetTypeName());
    const std::vector<AnsiString> kinds = {"Unsigned", "Signed"};
    sheet.Props().AddCaption("Input Integer Format");
    sheet.Props().AddCombo("Signed/Unsigned", InputSigned, kinds, 80);
    sheet.Props().AddSpin("Bits", InputBits, 2, 32, 80);
    sheet.Props().AddCaption("Output Integer Format");
    sheet.Props().AddCombo("Signed/Unsigned", OutputSigned, kinds, 80);
    sheet.Props().AddSpin("Bits", OutputBits, 2, 32, 80);
    const Integer result = sheet.Dialog().ShowModal();
    InputsCreated();
    OutputsCreated();
    return result;
}

void TBTIntConv::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteInteger(InputBits);
    writer.WriteInteger(OutputBits);
    writer.WriteInteger(InputSigned);
    writer.WriteInteger(OutputSigned);
}

void TBTIntConv::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    InputBits = std::clamp(reader.ReadInteger(), 2, 32);
    OutputBits = std::clamp(reader.ReadInteger(), 2, 32);
    InputSigned = std::clamp(reader.ReadInteger(), 0, 1);
    OutputSigned = std::clamp(reader.ReadInteger(), 0, 1);
    InputsCreated();
    OutputsCreated();
}

// ---- Bitwise operation ---------------------------------------------------------------

TBTIntOp::TBTIntOp(const TComponentRow& row) : TIntegerBT(row) {}

void TBTIntOp::Calculate()
{
    const Cardinal a = Word32(InputValue(0));
    const Cardinal b = Word32(InputValue(1));
    const Cardinal results[OperationCount] = {a & b, a | b, ~(a & b), ~(a | b), a ^ b};
    SetOutputValue(0, results[Operation]);
}

void TBTIntOp::Draw(TCanvas& canvas)
{
    DrawSymbol(canvas, OperationNames[Operation]);
}

Integer TBTIntOp::EditProperties()
{
    return EditCombo("Integer Operation", "Operation", Operation,
                     std::vector<AnsiString>(std::begin(OperationNames), std::end(OperationNames)));
}

void TBTIntOp::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteInteger(Operation);
}

void TBTIntOp::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Operation = std::clamp(reader.ReadInteger(), 0, OperationCount - 1);
}

// ---- Bytes ----------------------------------------------------------------------------

TBTIntToBytes::TBTIntToBytes(const TComponentRow& row) : TIntegerBT(row) {}

void TBTIntToBytes::Calculate()
{
    const Cardinal w = Word32(InputValue(0));
    for (Integer o = 0; o < 4; ++o)
        SetOutputValue(o, w >> (24 - 8 * o) & 0xFF);
}

TBTIntFromBytes::TBTIntFromBytes(const TComponentRow& row) : TIntegerBT(row) {}

void TBTIntFromBytes::Calculate()
{
    Cardinal w = 0;
    for (Integer i = 0; i < 4; ++i)
        w |= (Word32(InputValue(i)) & 0xFF) << (8 * i);
    SetOutputValue(0, w);
}

// ---- Bits -----------------------------------------------------------------------------

Integer TIntegerBitBT::EditProperties()
{
    std::vector<AnsiString> bits;
    for (Integer n = 0; n < 32; ++n)
        bits.push_back("BIT" + std::to_string(n));
    return EditCombo("Integer Bit", "Bit #", BitNumber, bits);
}

void TIntegerBitBT::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteInteger(BitNumber);
}

void TIntegerBitBT::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    BitNumber = std::clamp(reader.ReadInteger(), 0, 31);
}

TBTIntBit::TBTIntBit(const TComponentRow& row) : TIntegerBitBT(row) {}

void TBTIntBit::Calculate()
{
    SetOutputValue(0, InputLogic(0) ? TwoTo(BitNumber) : 0.0L);
}

void TBTIntBit::Draw(TCanvas& canvas)
{
    DrawSymbol(canvas, "BIT" + std::to_string(BitNumber));
}

TBTIntCheckBit::TBTIntCheckBit(const TComponentRow& row) : TIntegerBitBT(row) {}

void TBTIntCheckBit::Calculate()
{
    SetOutputLogic(0, (Word32(InputValue(0)) >> BitNumber & 1) != 0);
}

void TBTIntCheckBit::Draw(TCanvas& canvas)
{
    DrawSymbol(canvas, "BIT" + std::to_string(BitNumber) + "?");
}

TRowList IntegerRows()
{
    return RowList(Rows);
}
