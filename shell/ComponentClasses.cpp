#include "shell/ComponentClasses.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Generatoren.h"
#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_Jump_Target.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Korrekturtabelle.h"
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
#include "hardware/framework/BT_Hardware.h"
#include "hardware/framework/IO_Interface.h"
#include "panel/framework/BT_LED.h"
#include "panel/framework/BT_Lampe.h"
#include "panel/framework/BT_Schalter.h"
#include "platform/ClassRegistry.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Every component class in the program's registration order (TBT_DDE_Server,
// TBT_DDE_Client, TBT_DDE_Client_Poke, TBTLed, ... TETDL_WriteDO, TETDL_ReadAI);
// a new class goes in at its place in that order.
constexpr const char* Order[] = {
    "TBTLed",
    "TBTDuoLED",
    "TBTRGB_LED",
    "TBTLampe",
    "TBTTaster",
    "TBTSchalter",
    "TBTAnalogSchalter",
    "TBTAnalogSchalter2",
    "TBTAnalogTaster",
    "TBTAnalogTaster2",
    "TBTSysTime",
    "TBTSysDate",
    "TBTInverter",
    "TBTAnd",
    "TBTOr",
    "TBTNand",
    "TBTNor",
    "TBTExor",
    "TBTHiTakt",
    "TBTTaktgeber_ES",
    "TBTVCO",
    "TBTMonoFlop",
    "TBTMonoFlopDyn",
    "TBTOnOffDelay",
    "TBTPulse",
    "TBTVerzoegerung",
    "TBTRSFF",
    "TBTRSFFZ",
    "TBTRSFFF",
    "TBTJKFF",
    "TBTDFFZ",
    "TBTDFFF",
    "TBTADC",
    "TBTDAC",
    "TBTMasse",
    "TBTVcc",
    "TBTPowerOnReset",
    "TBTRandom",
    "TBTStop",
    "TBTTestpunkt",
    "TBTJump",
    "TBTJumpTarget",
    "TBTRangeCheck",
    "TBTFest",
    "TText",
    "TBTStrDisplay",
    "TBTStrPlus",
    "TBTStrCopy",
    "TBTStrReplace",
    "TBTStrCompare",
    "TBTStrChr",
    "TBTStrASCII",
    "TBTStrInsert",
    "TBTStrLength",
    "TBTStrPos",
    "TBTStrTrim",
    "TBTStrUpper",
    "TBTStrIndex",
    "TBTStrDelete",
    "TBTStrBuffer",
    "TBTStrMux",
    "TBTStrHold",
    "TBTStrEdit",
    "TBTStrInfo",
    "TBTStrFormat",
    "TBTStrParts",
    "TBTStrBytes",
    "TBTStrCSV",
    "TBT_Str_Fest",
    "TBT_Str_Value",
    "TBTStrCRC",
    "TBT_I2C_Master",
    "TBTVerstaerker",
    "TBTGain",
    "TBTOffset",
    "TBTKorrekturtabelle",
    "TBTRelais",
    "TBTRelais_2",
    "TBTSample",
    "TBTAnalogVgl",
    "TBTMittelwert",
    "TBTFktGenerator",
    "TBTRampenGenerator",
    "TBTLimiter",
    "TBTAnalogMux",
    "TBTAnalogDemux",
    "TBTFormel",
    "TBTAdd",
    "TBTSub",
    "TBTMul",
    "TBTDiv",
    "TBTIntegrierer",
    "TBTDifferenzierer",
    "TBTPT1",
    "TBTPT2",
    "TBTDT1",
    "TBT_P_Regler",
    "TBT_PI_Regler",
    "TBT_PID_Regler",
    "TBT_PD_Regler",
    "TBT_2_Punkt_Regler",
    "TBT_Spiel",
    "TBT_Totzone",
    "TBT_Inkretment",
    "TBT_AnalogDelay",
    "TBTMath",
    "TBTPolynom",
    "TMakro",
    "TBTCNT4",
    "TBTCNT8",
    "TBTCNT16",
    "TBTCNT4D",
    "TBTCNTL",
    "TBTCNTL8",
    "TBTCNTL16",
    "TBTCNTLD",
    "TBTSREG",
    "TBTSREG8",
    "TBTSREG16",
    "TBTSREGL",
    "TBTSREGL8",
    "TBTSREGL16",
    "TBTMUX2",
    "TBTMUX4",
    "TBTMUX8",
    "TBTMUX16",
    "TBTDMUX2",
    "TBTDMUX4",
    "TBTDMUX8",
    "TBTDMUX16",
    "TBTBCDDekoder",
    "TBTSeg7Decoder",
    "TBTBustreiber",
    "TBTAdressdekoder",
    "TBTREG2",
    "TBTREG4",
    "TBTREG8",
    "TBTREG16",
    "TBTREG2_T",
    "TBTREG4_T",
    "TBTREG8_T",
    "TBTREG16_T",
    "TBTADD2",
    "TBTADD4",
    "TBTADD8",
    "TBTVGL4",
    "TBTVGL8",
    "TBTRAM",
    "TBTROM",
    "TBTPin",
    "TBTIntConv",
    "TBTIntOp",
    "TBTIntToBytes",
    "TBTIntFromBytes",
    "TBTIntCheckBit",
    "TBTIntBit",
    "TBTFreqCount",
    "TBTHardware",
};

// The component families: each gives its rows.
constexpr TRowList (*Families[])() = {
    &GateRows,
    &LedRows,
    &LampRows,
    &SwitchRows,
    &StrPanelRows,
    &StrConvertRows,
    &StrOperationRows,
    &StrMemoryRows,
    &StrInfoRows,
    &StrCrcRows,
    &AnalogMuxRows,
    &ArithmetikRows,
    &FormelRows,
    &GeneratorRows,
    &InkretmentRows,
    &IntegerRows,
    &IntegriererRows,
    &JumpTargetRows,
    &KonstantenRows,
    &KorrekturtabelleRows,
    &MathRows,
    &MittelwertRows,
    &PTGliederRows,
    &RangeCheckRows,
    &ReglerRows,
    &RelaisRows,
    &SimStopRows,
    &SpielRows,
    &SysTimeRows,
    &TestpunktRows,
    &WandlerRows,
    &TaktRows,
    &MonoFlopRows,
    &FlipFlopRows,
    &VersorgungRows,
    &I2cRows,
    &ZaehlerRows,
    &SchieberegisterRows,
    &MultiplexerRows,
    &DekoderRows,
    &BusRows,
    &ParallelRegisterRows,
    &AddiererRows,
    &SpeicherRows,
};

// The classes that stand for themselves (no family's row).
constexpr const TClassInfo& (*Classes[])() = {
    &TBTJump::StaticClass,
    &TText::StaticClass,
    &TMakro::StaticClass,
    &TBTPin::StaticClass,
    &TBTHardware::StaticClass,
};

// The device classes, each placed inside a hardware component: every driver
// gives its rows (TDeviceRow) here, and the order list places them.
using TDeviceRowList = std::vector<const TDeviceRow*>;
const std::vector<TDeviceRowList (*)()> DeviceFamilies = {};

} // namespace

std::vector<const TClassInfo*> ComponentClassTable()
{
    std::vector<const TClassInfo*> known;
    for (const auto rows : Families) {
        for (const TComponentRow* row : rows())
            known.push_back(&row->Class);
    }
    for (const auto staticClass : Classes)
        known.push_back(&staticClass());
    for (const auto rows : DeviceFamilies) {
        for (const TDeviceRow* row : rows())
            known.push_back(&row->Class);
    }
    std::vector<const TClassInfo*> table;
    for (const char* name : Order) {
        const auto it = std::find_if(known.begin(), known.end(), [name](const TClassInfo* info) {
            return std::string_view(info->Name) == name;
        });
        if (it == known.end())
            throw std::logic_error(std::string("no component class ") + name);
        table.push_back(*it);
        known.erase(it);
    }
    if (!known.empty())
        throw std::logic_error(std::string("component class out of the order: ") + known.front()->Name);
    return table;
}

void RegisterComponentClasses()
{
    for (const TClassInfo* info : ComponentClassTable())
        RegisterClass(*info);
}

void RegisterBaseClasses()
{
    RegisterClass(TBauteil::StaticClass());
    RegisterClass(TIOBauteil::StaticClass());
    RegisterClass(TSegment::StaticClass());
    RegisterClass(TGrundBT::StaticClass());
}
