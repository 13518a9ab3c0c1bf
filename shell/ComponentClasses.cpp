#include "shell/ComponentClasses.h"

#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_MonoFlop.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"
#include "engine/Bauteil.h"
#include "engine/GrundBT.h"
#include "engine/Segment.h"
#include "platform/ClassRegistry.h"

namespace {

// One row per class, in the program's registration order (TBT_DDE_Server,
// TBT_DDE_Client, TBT_DDE_Client_Poke, TBTLed, ... TETDL_WriteDO, TETDL_ReadAI);
// a new class goes in at its place in that order.
constexpr const TClassInfo& (*Table[])() = {
    &TBTInverter::StaticClass,
    &TBTAnd::StaticClass,
    &TBTOr::StaticClass,
    &TBTNand::StaticClass,
    &TBTNor::StaticClass,
    &TBTExor::StaticClass,
    &TBTHiTakt::StaticClass,
    &TBTTaktgeber_ES::StaticClass,
    &TBTVCO::StaticClass,
    &TBTMonoFlop::StaticClass,
    &TBTMonoFlopDyn::StaticClass,
    &TBTOnOffDelay::StaticClass,
    &TBTVerzoegerung::StaticClass,
    &TBTRSFF::StaticClass,
    &TBTRSFFZ::StaticClass,
    &TBTRSFFF::StaticClass,
    &TBTJKFF::StaticClass,
    &TBTDFFZ::StaticClass,
    &TBTDFFF::StaticClass,
    &TBTMasse::StaticClass,
    &TBTVcc::StaticClass,
    &TBTPowerOnReset::StaticClass,
    &TBTBCDDekoder::StaticClass,
    &TBTSeg7Decoder::StaticClass,
};

} // namespace

std::span<const TClassInfo& (*const)()> ComponentClassTable()
{
    return Table;
}

void RegisterComponentClasses()
{
    for (const auto staticClass : Table)
        RegisterClass(staticClass());
}

void RegisterBaseClasses()
{
    RegisterClass(TBauteil::StaticClass());
    RegisterClass(TIOBauteil::StaticClass());
    RegisterClass(TSegment::StaticClass());
    RegisterClass(TGrundBT::StaticClass());
}
