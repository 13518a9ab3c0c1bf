#include "shell/ComponentClasses.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Generatoren.h"
#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_Jump_Target.h"
#include "components/analog/BT_Korrekturtabelle.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Math.h"
#include "components/analog/BT_Mittelwert.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_RangeCheck.h"
#include "components/analog/BT_Regler.h"
#include "components/analog/BT_Relais.h"
#include "components/analog/BT_SimStop.h"
#include "components/analog/BT_Spiel.h"
#include "components/analog/BT_SysTime.h"
#include "components/analog/BT_TestPunkt.h"
#include "components/analog/BT_Wandler.h"
#include "components/digital/BT_Addierer.h"
#include "components/digital/BT_Bus.h"
#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_I2C.h"
#include "components/digital/BT_MonoFlop.h"
#include "components/digital/BT_Multiplexer.h"
#include "components/digital/BT_Register.h"
#include "components/digital/BT_Schieberegister.h"
#include "components/digital/BT_Speicher.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"
#include "components/digital/BT_Zaehler.h"
#include "components/strings/BT_StrCRC.h"
#include "components/strings/BT_StrConvert.h"
#include "components/strings/BT_StrInfo.h"
#include "components/strings/BT_StrMemory.h"
#include "components/strings/BT_StrOperations.h"
#include "components/strings/BT_StrPanel.h"
#include "engine/Bauteil.h"
#include "engine/GrundBT.h"
#include "engine/Jump.h"
#include "engine/Makro.h"
#include "engine/Segment.h"
#include "engine/Text.h"
#include "panel/framework/BT_LED.h"
#include "panel/framework/BT_Lampe.h"
#include "panel/framework/BT_Schalter.h"
#include "platform/ClassRegistry.h"

namespace {

// One row per class, in the program's registration order (TBT_DDE_Server,
// TBT_DDE_Client, TBT_DDE_Client_Poke, TBTLed, ... TETDL_WriteDO, TETDL_ReadAI);
// a new class goes in at its place in that order.
constexpr const TClassInfo& (*Table[])() = {
    &TBTLed::StaticClass,
    &TBTDuoLED::StaticClass,
    &TBTRGB_LED::StaticClass,
    &TBTLampe::StaticClass,
    &TBTTaster::StaticClass,
    &TBTSchalter::StaticClass,
    &TBTAnalogSchalter::StaticClass,
    &TBTAnalogSchalter2::StaticClass,
    &TBTAnalogTaster::StaticClass,
    &TBTAnalogTaster2::StaticClass,
    &TBTSysTime::StaticClass,
    &TBTSysDate::StaticClass,
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
    &TBTPulse::StaticClass,
    &TBTVerzoegerung::StaticClass,
    &TBTRSFF::StaticClass,
    &TBTRSFFZ::StaticClass,
    &TBTRSFFF::StaticClass,
    &TBTJKFF::StaticClass,
    &TBTDFFZ::StaticClass,
    &TBTDFFF::StaticClass,
    &TBTADC::StaticClass,
    &TBTDAC::StaticClass,
    &TBTMasse::StaticClass,
    &TBTVcc::StaticClass,
    &TBTPowerOnReset::StaticClass,
    &TBTRandom::StaticClass,
    &TBTStop::StaticClass,
    &TBTTestpunkt::StaticClass,
    &TBTJump::StaticClass,
    &TBTJumpTarget::StaticClass,
    &TBTRangeCheck::StaticClass,
    &TBTFest::StaticClass,
    &TText::StaticClass,
    &TBTStrDisplay::StaticClass,
    &TBTStrPlus::StaticClass,
    &TBTStrCopy::StaticClass,
    &TBTStrReplace::StaticClass,
    &TBTStrCompare::StaticClass,
    &TBTStrChr::StaticClass,
    &TBTStrASCII::StaticClass,
    &TBTStrInsert::StaticClass,
    &TBTStrLength::StaticClass,
    &TBTStrPos::StaticClass,
    &TBTStrTrim::StaticClass,
    &TBTStrUpper::StaticClass,
    &TBTStrIndex::StaticClass,
    &TBTStrDelete::StaticClass,
    &TBTStrBuffer::StaticClass,
    &TBTStrMux::StaticClass,
    &TBTStrHold::StaticClass,
    &TBTStrEdit::StaticClass,
    &TBTStrInfo::StaticClass,
    &TBTStrFormat::StaticClass,
    &TBTStrParts::StaticClass,
    &TBTStrBytes::StaticClass,
    &TBTStrCSV::StaticClass,
    &TBT_Str_Fest::StaticClass,
    &TBT_Str_Value::StaticClass,
    &TBTStrCRC::StaticClass,
    &TBT_I2C_Master::StaticClass,
    &TBTVerstaerker::StaticClass,
    &TBTGain::StaticClass,
    &TBTOffset::StaticClass,
    &TBTKorrekturtabelle::StaticClass,
    &TBTRelais::StaticClass,
    &TBTRelais_2::StaticClass,
    &TBTSample::StaticClass,
    &TBTAnalogVgl::StaticClass,
    &TBTMittelwert::StaticClass,
    &TBTFktGenerator::StaticClass,
    &TBTRampenGenerator::StaticClass,
    &TBTLimiter::StaticClass,
    &TBTAnalogMux::StaticClass,
    &TBTAnalogDemux::StaticClass,
    &TBTFormel::StaticClass,
    &TBTAdd::StaticClass,
    &TBTSub::StaticClass,
    &TBTMul::StaticClass,
    &TBTDiv::StaticClass,
    &TBTIntegrierer::StaticClass,
    &TBTDifferenzierer::StaticClass,
    &TBTPT1::StaticClass,
    &TBTPT2::StaticClass,
    &TBTDT1::StaticClass,
    &TBT_P_Regler::StaticClass,
    &TBT_PI_Regler::StaticClass,
    &TBT_PID_Regler::StaticClass,
    &TBT_PD_Regler::StaticClass,
    &TBT_2_Punkt_Regler::StaticClass,
    &TBT_Spiel::StaticClass,
    &TBT_Totzone::StaticClass,
    &TBT_Inkretment::StaticClass,
    &TBT_AnalogDelay::StaticClass,
    &TBTMath::StaticClass,
    &TBTPolynom::StaticClass,
    &TMakro::StaticClass,
    &TBTCNT4::StaticClass,
    &TBTCNT8::StaticClass,
    &TBTCNT16::StaticClass,
    &TBTCNT4D::StaticClass,
    &TBTCNTL::StaticClass,
    &TBTCNTL8::StaticClass,
    &TBTCNTL16::StaticClass,
    &TBTCNTLD::StaticClass,
    &TBTSREG::StaticClass,
    &TBTSREG8::StaticClass,
    &TBTSREG16::StaticClass,
    &TBTSREGL::StaticClass,
    &TBTSREGL8::StaticClass,
    &TBTSREGL16::StaticClass,
    &TBTMUX2::StaticClass,
    &TBTMUX4::StaticClass,
    &TBTMUX8::StaticClass,
    &TBTMUX16::StaticClass,
    &TBTDMUX2::StaticClass,
    &TBTDMUX4::StaticClass,
    &TBTDMUX8::StaticClass,
    &TBTDMUX16::StaticClass,
    &TBTBCDDekoder::StaticClass,
    &TBTSeg7Decoder::StaticClass,
    &TBTBustreiber::StaticClass,
    &TBTAdressdekoder::StaticClass,
    &TBTREG2::StaticClass,
    &TBTREG4::StaticClass,
    &TBTREG8::StaticClass,
    &TBTREG16::StaticClass,
    &TBTREG2_T::StaticClass,
    &TBTREG4_T::StaticClass,
    &TBTREG8_T::StaticClass,
    &TBTREG16_T::StaticClass,
    &TBTADD2::StaticClass,
    &TBTADD4::StaticClass,
    &TBTADD8::StaticClass,
    &TBTVGL4::StaticClass,
    &TBTVGL8::StaticClass,
    &TBTRAM::StaticClass,
    &TBTROM::StaticClass,
    &TBTPin::StaticClass,
    &TBTIntConv::StaticClass,
    &TBTIntOp::StaticClass,
    &TBTIntToBytes::StaticClass,
    &TBTIntFromBytes::StaticClass,
    &TBTIntCheckBit::StaticClass,
    &TBTIntBit::StaticClass,
    &TBTFreqCount::StaticClass,
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
