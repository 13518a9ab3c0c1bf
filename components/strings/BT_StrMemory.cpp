#include "components/strings/BT_StrMemory.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <string>

namespace {

constexpr Integer TextHelp = 35010;

const TStrInfo MuxInfo{{"$Multiplexer", "$Multiplexer", "$Multipléxeur"_ansi}, "$MUX", "MUX", TextHelp, true, 4, 1,
                       {}, {"$"}};
const TStrInfo HoldInfo{{"$Hold", "$Hold", "$Hold"}, "$HLD", "HOLD", TextHelp, false, 2, 1, {"$", "/Hld"}, {"$"}};
const TStrInfo BufferInfo{{"$Buffer", "$Buffer", "$Buffer"}, "$BUF", "BUFFER", TextHelp, false, 5, 2,
                          {"$", "|W", "|R", "/CLR", "N"}, {"$Buf", "$Data"}};

} // namespace

// ---- Multiplexer

TBTStrMux::TBTStrMux() : TStrBT(MuxInfo)
{
    SetChannels(0);
}

void TBTStrMux::SetChannels(Integer kind)
{
    SetOutputCount(1);
    SetInputCount(KindInputs[std::clamp<Integer>(kind, 0, 3)]);
    InputsCreated();
    OutputsCreated();
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
    TDefault_Dlg& dlg = OpenDialog(AnsiString(Designator));
    Integer kind = std::max<Integer>(kind_, 0);
    dlg.Props->AddCombo(Translate("Kanäle"_ansi), kind, {"2", "4", "8", "16"}, 64);
    const Integer result = dlg.ShowModal();
    if (kind >= 0)
        SetChannels(kind);
    return result;
}

// ---- Hold

TBTStrHold::TBTStrHold() : TStrBT(HoldInfo) {}

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

TBTStrBuffer::TBTStrBuffer() : TStrBT(BufferInfo) {}

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
