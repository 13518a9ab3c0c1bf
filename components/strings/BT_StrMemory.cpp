#include "components/strings/BT_StrMemory.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <string>

namespace {

const TStrRow Rows[] = {
    // 4, 7, 12 or 21 inputs, named by the class.
    {.Component = {.Class = RowClass<TBTStrMux>("TBTStrMux"),
                   .TypeName = {"$Multiplexer", "$Multiplexer", "$Multipléxeur"_ansi},
                   .Designator = "$MUX", .HelpContext = TextHelp, .HasDialog = true,
                   .Inputs = {.Count = 4, .Min = 4, .Max = 21, .Names = ""}, .Outputs = FixedPins("$")},
     .Label = "MUX"},
    {.Component = {.Class = RowClass<TBTStrHold>("TBTStrHold"), .TypeName = {"$Hold", "$Hold", "$Hold"},
                   .Designator = "$HLD", .HelpContext = TextHelp, .Inputs = FixedPins("$,/Hld"),
                   .Outputs = FixedPins("$")},
     .Label = "HOLD"},
    {.Component = {.Class = RowClass<TBTStrBuffer>("TBTStrBuffer"), .TypeName = {"$Buffer", "$Buffer", "$Buffer"},
                   .Designator = "$BUF", .HelpContext = TextHelp, .Inputs = FixedPins("$,|W,|R,/CLR,N"),
                   .Outputs = FixedPins("$Buf,$Data")},
     .Label = "BUFFER"},
};

} // namespace

TRowList StrMemoryRows()
{
    return RowList(Rows);
}

// ---- Multiplexer

void TBTStrMux::SetChannels(Integer kind)
{
    SetInputCount(KindInputs[std::clamp<Integer>(kind, 0, 3)]);
    InputsCreated();
}

Integer TBTStrMux::ChannelKind() const
{
    for (Integer kind = 3; kind >= 0; --kind)
        if (InputCount >= KindInputs[kind])
            return kind;
    return -1;
}

void TBTStrMux::InputsCreated()
{
    TStrBT::InputsCreated();
    kind_ = ChannelKind();
    if (kind_ < 0)
        return;
    Inputs[0].Name = "EN";
    for (Integer s = 0; s <= kind_; ++s)
        Inputs[static_cast<std::size_t>(1 + s)].Name = "S" + std::to_string(s);
    const Integer channels = 2 << kind_;
    for (Integer c = 0; c < channels; ++c)
        Inputs[static_cast<std::size_t>(2 + kind_ + c)].Name = "$" + std::to_string(c);
}

void TBTStrMux::Calculate()
{
    if (kind_ < 0 || !InputLogic(0)) {
        SetOutputString(0, AnsiString());
        return;
    }
    Integer channel = 0;
    for (Integer s = 0; s <= kind_; ++s)
        channel |= static_cast<Integer>(InputLogic(1 + s)) << s;
    SetOutputString(0, InputText(2 + kind_ + channel));
}

// Whatever the result, the kind is set from the entry; the same kind after
// Cancel leaves the pins as they are.
Integer TBTStrMux::EditProperties()
{
    TSettingsSheet sheet(*this, AnsiString(Designator));
    Integer kind = std::max<Integer>(kind_, 0);
    sheet.Props().AddCombo(Translate("Kanäle"_ansi), kind, {"2", "4", "8", "16"}, 64);
    const Integer result = sheet.Dialog().ShowModal();
    if (kind >= 0)
        SetChannels(kind);
    return result;
}

// ---- Hold

void TBTStrHold::Calculate()
{
    if (InputLogic(1))
        Held = InputText(0);
    SetOutputString(0, Held);
}

void TBTStrHold::ResetForStart()
{
    Held.clear();
    SetOutputString(0, Held);
}

void TBTStrHold::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    ini.WriteString(StateSection(section), "Hold", Held);
}

void TBTStrHold::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    Held = ini.ReadString(StateSection(section), "Hold", "");
}

// ---- Buffer

void TBTStrBuffer::Calculate()
{
    const bool write = InputLogic(1);
    const bool read = InputLogic(2);
    const auto n = static_cast<std::size_t>(InputInteger(4));
    if (!InputLogic(3)) {
        ResetForStart();
        return;
    }
    if (write != LastWrite) {
        LastWrite = write;
        if (!write)
            Buffer += InputText(0);
    }
    if (read != LastRead) {
        LastRead = read;
        if (!read) {
            Data.assign(Buffer, 0, n);
            Buffer.erase(0, n);
            SetOutputString(1, Data);
        }
    }
    SetOutputString(0, Buffer);
}

void TBTStrBuffer::ResetForStart()
{
    Buffer.clear();
    Data.clear();
    LastWrite = false;
    LastRead = false;
    SetOutputString(0, Buffer);
    SetOutputString(1, Data);
}

void TBTStrBuffer::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    const AnsiString own = StateSection(section);
    ini.WriteString(own, "Buffer", Buffer);
    ini.WriteString(own, "Data", Data);
}

void TBTStrBuffer::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    const AnsiString own = StateSection(section);
    Buffer = ini.ReadString(own, "Buffer", "");
    Data = ini.ReadString(own, "Data", "");
    SetOutputString(0, Buffer);
    SetOutputString(1, Data);
}
