#include "components/analog/Filter.h"

#include "components/analog/TimeBase.h"
#include "dialogs/Props.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {
constexpr Extended TwoPi = 2.0L * std::numbers::pi_v<Extended>;
}

Extended ClampOmega(Extended omega)
{
    if (omega != omega)
        return TFilter::DefaultOmega;
    return std::clamp(omega, -TFilter::OmegaLimit, TFilter::OmegaLimit);
}

Extended TFilter::Filter(Extended x)
{
    if (!Enabled)
        return x;
    const Int64 now = QueryPerformanceCounter();
    const Extended k = CounterSeconds(LastCount, now) * Omega;
    LastCount = now;
    Extended in = x;
    for (std::size_t i = 1; i <= 4; ++i) {
        Extended s = k * (in - Stages[i]) + Stages[i];
        if (!(s <= StageLimit))
            s = StageLimit;
        if (s < -StageLimit)
            s = -StageLimit;
        Stages[i] = s;
        in = s;
    }
    return Stages[4];
}

void TFilter::Reset()
{
    LastCount = QueryPerformanceCounter();
    for (std::size_t i = 1; i <= 4; ++i)
        Stages[i] = 0.0L;
}

void TFilter::WriteTo(TWriter& writer) const
{
    writer.WriteInteger(Reserved1);
    writer.WriteBoolean(Enabled);
    writer.WriteFloat(Omega);
    writer.WriteInteger(Reserved2);
    writer.WriteInteger(StageCount);
}

void TFilter::ReadFrom(TReader& reader)
{
    Reserved1 = reader.ReadInteger();
    Enabled = reader.ReadBoolean();
    Omega = ClampOmega(reader.ReadFloat());
    Reserved2 = static_cast<Byte>(reader.ReadInteger());
    StageCount = reader.ReadInteger();
}

void TFilter::AddRows(TPropScrollbox& props)
{
    props.AddCaption(Translate("Filter"));
    props.AddCheck(Translate("Aktivieren"), Enabled);
    frequencyText_ = ValueToStr(Omega / TwoPi);
    props.AddEdit(Translate("Filter") + " fo [Hz]", frequencyText_, 0, 64);
}

void TFilter::Apply()
{
    Omega = ClampOmega(StrToValue(frequencyText_) * 2.0L * std::numbers::pi_v<Extended>);
}
