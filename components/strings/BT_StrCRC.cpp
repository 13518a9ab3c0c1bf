#include "components/strings/BT_StrCRC.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const TStrRow Rows[] = {
    {.Component = {.Class = RowClass<TBTStrCRC>("TBTStrCRC"), .TypeName = {"$CRC", "$CRC", "$CRC"},
                   .Designator = "$CRC", .HelpContext = 35012, .Inputs = FixedPins("$D,C,P,I,/R1,/R2,/R3,FX"),
                   .Outputs = FixedPins("CRC")},
     .Label = "CRC"},
    // The text pin and up to 64 byte pins each way, named by the class.
    {.Component = {.Class = RowClass<TBTStrBytes>("TBTStrBytes"), .TypeName = {"$Bytes", "$Bytes", "$Bytes"},
                   .Designator = "$BYTES", .HelpContext = TextHelp, .HasDialog = true,
                   .Inputs = {.Count = 9, .Min = 1, .Max = TBTStrBytes::MaxBytes + 1},
                   .Outputs = {.Count = 9, .Min = 1, .Max = TBTStrBytes::MaxBytes + 1}},
     .Label = "$Bytes"},
};

// The low 32 bits of the value rounded to a 64-bit integer; beyond the
// 64-bit range it saturates, NaN gives the lower limit.
Cardinal Low32(Extended v)
{
    constexpr Extended Limit = 9223372036854775808.0L;   // 2^63
    Int64 n;
    if (!(v >= -Limit))
        n = INT64_MIN;
    else if (v >= Limit)
        n = INT64_MAX;
    else
        n = static_cast<Int64>(std::nearbyint(v));
    return static_cast<Cardinal>(static_cast<std::uint64_t>(n));
}

} // namespace

TRowList StrCrcRows()
{
    return RowList(Rows);
}

Cardinal ReverseBits(Cardinal value, Integer n)
{
    Cardinal result = 0;
    for (Integer i = 0; i < n; ++i) {
        result = (result << 1) | (value & 1);
        value >>= 1;
    }
    return result;
}

Cardinal ComputeCrc(std::string_view data, Cardinal initial, Cardinal flags, Cardinal finalXor, Cardinal polynomial,
                    Integer width)
{
    Cardinal reg = ReverseBits(initial, width);
    const Cardinal poly = flags & CrcPolyReflected ? polynomial : ReverseBits(polynomial, width);
    for (const char c : data) {
        Cardinal b = static_cast<unsigned char>(c);
        if (!(flags & CrcInputReflected))
            b = ReverseBits(b, 8);
        for (int bit = 0; bit < 8; ++bit) {
            reg = ((b ^ reg) & 1) ? (reg >> 1) ^ poly : reg >> 1;
            b >>= 1;
        }
    }
    if (!(flags & CrcOutputReflected))
        reg = ReverseBits(reg, width);
    return finalXor ^ reg;
}

// ---- CRC

void TBTStrCRC::Calculate()
{
    Extended c = InputValue(1);
    if (!(c >= 1.0L))
        c = 1.0L;
    if (c > 32.0L)
        c = 32.0L;
    const auto width = static_cast<Integer>(std::nearbyint(c));   // halves to even
    Cardinal flags = 0;
    if (!InputLogic(4))
        flags |= CrcInputReflected;
    if (!InputLogic(6))
        flags |= CrcOutputReflected;
    if (!InputLogic(5))
        flags |= CrcPolyReflected;
    const Cardinal crc =
        ComputeCrc(InputText(0), Low32(InputValue(3)), flags, Low32(InputValue(7)), Low32(InputValue(2)), width);
    SetOutputValue(0, static_cast<Extended>(crc));
}

// ---- Byte strings

void TBTStrBytes::InputsCreated()
{
    TStrBT::InputsCreated();
    for (std::size_t k = 0; k < Inputs.size(); ++k)
        Inputs[k].Name = k == 0 ? AnsiString("$IN") : "B" + std::to_string(k);
}

// "$OUT" on top, then B1, B2 ... downwards.
void TBTStrBytes::OutputsCreated()
{
    const std::size_t m = Outputs.size();
    for (std::size_t k = 0; k < m; ++k)
        Outputs[m - 1 - k].Name = k == 0 ? AnsiString("$OUT") : "B" + std::to_string(k);
}

void TBTStrBytes::Calculate()
{
    const AnsiString& text = InputText(0);
    for (Integer k = 1; k < OutputCount; ++k) {
        const auto at = static_cast<std::size_t>(k - 1);
        const Extended code = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
        SetOutputValue(OutputCount - 1 - k, code);
    }
    built_.clear();
    for (Integer k = 1; k < InputCount; ++k) {
        Extended v = InputValue(k);
        if (v > 255.0L)
            v = 255.0L;
        if (!(v >= 0.0L))
            v = 0.0L;
        built_ += static_cast<char>(static_cast<int>(std::nearbyint(v)));
    }
    SetOutputString(OutputCount - 1, built_);
}

// The counts only while stopped; whatever the result, the output count and
// then the input count are set from the rows (Cancel leaves them as they
// were).
Integer TBTStrBytes::EditProperties()
{
    TSettingsSheet sheet(*this);
    Integer inputs = std::clamp<Integer>(InputCount - 1, 1, MaxBytes);
    Integer outputs = std::clamp<Integer>(OutputCount - 1, 1, MaxBytes);
    if (!SimulationRunning && !RunOnlyMode) {
        sheet.Props().AddSpin(Translate("Eingänge"_ansi), inputs, 1, MaxBytes, 80);
        sheet.Props().AddSpin(Translate("Ausgänge"_ansi), outputs, 1, MaxBytes, 80);
    }
    const Integer result = sheet.Show();
    if (!SimulationRunning && !RunOnlyMode) {
        SetOutputCount(std::clamp<Integer>(outputs, 1, MaxBytes) + 1);
        SetInputCount(std::clamp<Integer>(inputs, 1, MaxBytes) + 1);
    }
    return result;
}
