#include "components/digital/BT_MonoFlop.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

const TMonoFlopRow MonoFlops[] = {
    {.Component = {.Class = RowClass<TBTMonoFlop>("TBTMonoFlop"),
                   .TypeName = {"MonoFlop", "Mono-flop", "Monoflop"},
                   .Designator = "MF",
                   .HelpContext = 18280,
                   .HasDialog = true,
                   .Inputs = {.Count = 2, .Names = "|E,/RST"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .PulseBase = 0},
    {.Component = {.Class = RowClass<TBTMonoFlopDyn>("TBTMonoFlopDyn"),
                   .TypeName = {"MonoFlop, einstellbar", "Mono-flop", "Monoflop ajustable"},
                   .Designator = "MFD",
                   .HelpContext = 18281,
                   .HasDialog = true,
                   .Inputs = {.Count = 3, .Names = "|E,T,/RST"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .PulseBase = 40},
};

const TComponentRow OnOffDelay{.Class = RowClass<TBTOnOffDelay>("TBTOnOffDelay"),
                               .TypeName = {"Schaltverzögerung"_ansi, "Switch delay", "Interrupteur\rtemporisé"_ansi},
                               .Designator = "DLY",
                               .HelpContext = 18295,
                               .HasDialog = true,
                               .Inputs = {.Count = 1, .Names = "In"},
                               .Outputs = {.Count = 1, .Names = "Out"}};

// Older files keep the monoflop's duration in ticks of 50 ms.
constexpr Extended TickSeconds = 0.05L;

} // namespace

// ---- Monoflops

TRowList MonoFlopRows()
{
    TRowList rows = RowList(MonoFlops);
    rows.push_back(&OnOffDelay);
    return rows;
}

TMonoFlopBase::TMonoFlopBase(const TComponentRow& row)
    : TGrundBT(row), pulseBase_(FamilyRow<TMonoFlopRow>(row).PulseBase)
{
}

void TMonoFlopBase::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    // The base line lies at the body's top + 40 for the monoflop, 40 above
    // the centre for the one with a duration input.
    const Integer base = pulseBase_ == 0 ? BodyRect.Top + 40 : c.Y - pulseBase_;
    const Integer top = base - 16;
    DrawSymbolLine(canvas, *this,
                   {{c.X - 15, base}, {c.X - 8, base}, {c.X - 8, top}, {c.X + 8, top}, {c.X + 8, base},
                    {c.X + 15, base}});
    if (InputCount > 0) {
        const Integer y = Inputs[0].Y;
        const Integer edge = Mirrored ? BodyRect.Right : BodyRect.Left;
        const Integer d = Mirrored ? -16 : 16;
        DrawSymbolLine(canvas, *this, {{edge, y - 12}, {edge + d, y}, {edge, y + 12}});
    }
}

void TMonoFlopBase::ResetForStart()
{
    Triggered = false;
    WritePulse(false);
}

void TMonoFlopBase::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    ini.WriteBool(StateSection(section), "Triggered", Triggered);
}

void TMonoFlopBase::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    // A restored pulse runs for a full duration again.
    Triggered = ini.ReadBool(StateSection(section), "Triggered", false);
    WritePulse(Triggered);
    PulseStart = QueryPerformanceCounter();
}

void TBTMonoFlop::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteInteger(0);
    writer.WriteBoolean(Retrigger);
    writer.WriteFloat(Duration);
}

void TBTMonoFlop::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    Duration = reader.ReadInteger() * TickSeconds;
    if (version >= DurationVersion) {
        Retrigger = reader.ReadBoolean();
        Duration = reader.ReadFloat();
    }
    // A pulse of no duration never ends: read as none.
    if (std::isnan(Duration))
        Duration = 0.0L;
}

Integer TBTMonoFlop::EditProperties()
{
    TSettingsSheet dialog(*this);
    AnsiString duration = ValueToStr(Duration);
    dialog.Props().AddEdit(Translate("Dauer") + " [s]", duration, 0, 64);
    dialog.Props().AddCheck("Retrigger", Retrigger);
    const Integer result = dialog.Show();
    if (result == 1)
        Duration = StrToValue(duration);
    return result;
}

AnsiString TBTMonoFlop::GetHintText()
{
    return TMonoFlopBase::GetHintText() + CR + FormatGeneral(Duration, 15, 0) + " s";
}

void TBTMonoFlopDyn::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteBoolean(Retrigger);
}

void TBTMonoFlopDyn::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    Retrigger = reader.ReadBoolean();
}

Integer TBTMonoFlopDyn::EditProperties()
{
    TSettingsSheet dialog(*this);
    dialog.Props().AddCheck("Retrigger", Retrigger);
    return dialog.Show();
}

// ---- Switch delay

TBTOnOffDelay::TBTOnOffDelay(const TComponentRow& row) : TGrundBT(row)
{
    NeedsTimerTick = true;
}

void TBTOnOffDelay::TimerTick()
{
    // At or past the delay: a delay lowered below the running count while
    // running still lets the edge through.
    const Integer delay = PendingOn ? OnDelay : OffDelay;
    if (++TickCount >= delay) {
        TickCount = 0;
        SetOutputLogic(0, PendingOn);
    }
}

void TBTOnOffDelay::ResetForStart()
{
    TickCount = 0;
    SetOutputLogic(0, InputLogic(0));
}

void TBTOnOffDelay::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = BodyCentre(*this).X;
    const Integer t = BodyRect.Top;
    DrawSymbolLine(canvas, *this,
                   {{cx - 25, t + 40}, {cx - 20, t + 40}, {cx - 20, t + 20}, {cx + 20, t + 20}, {cx + 20, t + 40},
                    {cx + 25, t + 40}});
    DrawSymbolLine(canvas, *this, {{cx - 20, t + 40}, {cx - 10, t + 40}, {cx - 10, t + 20}});
    DrawSymbolLine(canvas, *this, {{cx + 10, t + 20}, {cx + 10, t + 40}, {cx + 20, t + 40}});
}

void TBTOnOffDelay::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteInteger(OnDelay);
    writer.WriteInteger(OffDelay);
}

void TBTOnOffDelay::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    OnDelay = std::clamp(reader.ReadInteger(), 0, MaxDelay);
    OffDelay = std::clamp(reader.ReadInteger(), 0, MaxDelay);
}

Integer TBTOnOffDelay::EditProperties()
{
    TSettingsSheet dialog(*this);
    dialog.Props().AddSpin(Translate("Einschaltverzögerung"_ansi) + " [x 50ms]", OnDelay, 0, MaxDelay, 64);
    dialog.Props().AddSpin(Translate("Ausschaltverzögerung"_ansi) + " [x 50ms]", OffDelay, 0, MaxDelay, 64);
    return dialog.Show();
}
