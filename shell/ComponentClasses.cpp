#include "shell/ComponentClasses.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Math.h"
#include "components/analog/BT_RangeCheck.h"
#include "components/analog/BT_SimStop.h"
#include "components/analog/BT_TestPunkt.h"
#include "components/analog/BT_Wandler.h"
#include "components/digital/BT_Gatter.h"
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
    &TBTADC::StaticClass,
    &TBTDAC::StaticClass,
    &TBTStop::StaticClass,
    &TBTTestpunkt::StaticClass,
    &TBTRangeCheck::StaticClass,
    &TBTFest::StaticClass,
    &TBTVerstaerker::StaticClass,
    &TBTGain::StaticClass,
    &TBTOffset::StaticClass,
    &TBTAnalogMux::StaticClass,
    &TBTAnalogDemux::StaticClass,
    &TBTFormel::StaticClass,
    &TBTAdd::StaticClass,
    &TBTSub::StaticClass,
    &TBTMul::StaticClass,
    &TBTDiv::StaticClass,
    &TBTMath::StaticClass,
    &TBTPolynom::StaticClass,
    &TBTIntConv::StaticClass,
    &TBTIntOp::StaticClass,
    &TBTIntToBytes::StaticClass,
    &TBTIntFromBytes::StaticClass,
    &TBTIntCheckBit::StaticClass,
    &TBTIntBit::StaticClass,
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
