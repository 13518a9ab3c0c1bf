// The component class table: in the program's registration order, each class
// once, each creatable by its name, and every class the library categories
// list is in it.
#include "shell/ComponentClasses.h"

#include "engine/Bauteil.h"
#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Every class the program registers, in its order (two names come twice: the
// second registration changes nothing); the hardware component after every
// device class.
const char* const RegistrationOrder[] = {
    "TBT_DDE_Server", "TBT_DDE_Client", "TBT_DDE_Client_Poke", "TBTLed", "TBTDuoLED", "TBTRGB_LED",
    "TBTLampe", "TBTLedBar", "TBTLeuchtbalken", "TBTNumDisplay", "TBTLEDDisplay", "TBTTextDisplay",
    "TBTHexDisplay", "TBT7Segment", "TBTCounter", "TBTZeiger", "TBTTabelle", "TBTGraf", "TBTXY", "TBT_Scope",
    "TBTProjektor", "TBTMediaPlayer", "TBTStiftplotter", "TBTBrowser", "TBTTaster", "TBTSchalter", "TBTDPoti",
    "TBTDSlider", "TBTHexInput", "TBTAuswahlliste", "TBTTastatur", "TBTRaendel", "TBTSetliste", "TBTPoti",
    "TBTSlider", "TBTNumEingabe", "TBTAnalogSchalter", "TBTAnalogSchalter2", "TBTAnalogTaster",
    "TBTAnalogTaster2", "TBTJoyst", "TBTStopUhr", "TBTSchaltUhr", "TBTTagesSchaltuhr", "TBTWochenSchaltuhr",
    "TBTSysTime", "TBTSysDate", "TBTInverter", "TBTAnd", "TBTOr", "TBTNand", "TBTNor", "TBTExor",
    "TBTTaktgeber", "TBTHiTakt", "TBTTaktgeber_ES", "TBTVCO", "TBTMonoFlop", "TBTMonoFlopDyn",
    "TBTOnOffDelay", "TBTPulse", "TBTVerzoegerung", "TBTRSFF", "TBTRSFFZ", "TBTRSFFF", "TBTJKFF", "TBTDFFZ",
    "TBTDFFF", "TBTADC", "TBTDAC", "TBTMasse", "TBTVcc", "TBTPowerOnReset", "TBTRandom", "TBTSound",
    "TBtSendMessage", "TBTStop", "TBTFPActivate", "TBTTestpunkt", "TBTJump", "TBTJumpTarget", "TBTRangeCheck",
    "TBTFest", "TRelaiskarte", "TSerRelais", "TLPTInterface", "TK8056", "THT_USB_REL", "TQuancom_USBREL8",
    "TSuper4Rel", "TText", "TLCD", "TTCP", "TPureTCP", "TCW100", "TCW110", "TCW180", "TCW181", "TCW121",
    "TCW112", "TCW122", "TCW240B", "TJoystick", "TGamePad", "T8255Interface", "TCOM_D", "TEasyBus",
    "TQuorinRelais", "TQUORIN_Qyr", "TQuorinFreq", "TQuorinFreqNet", "TQUORIN_Multi", "TQUORIN_Garlo_NET",
    "TQUORIN_Dadu", "TQUORIN_Pindle_NET", "TQUORIN_AUX_NET", "TCH341A", "TBTStrDisplay", "TBTStrPlus",
    "TBTStrCopy", "TBTStrReplace", "TBTStrCompare", "TBTStrChr", "TBTStrASCII", "TBTStrInsert",
    "TBTStrLength", "TBTStrPos", "TBTStrTrim", "TBTStrUpper", "TBTStrIndex", "TBTStrDelete", "TBTStrBuffer",
    "TBTStrMux", "TBTStrHold", "TBTStrEdit", "TBTStrInfo", "TBTStrFormat", "TBTStrParts", "TBTStrBytes",
    "TBTStrCSV", "TBT_Str_Fest", "TBT_Str_Value", "TBTStrCRC", "TBTHotkey_Senden", "TBTHotkey_Empfangen",
    "TBT_I2C_Master", "TELV_BAT", "THID_OAK", "TOak_OptoIn", "TOak_Relais", "TOak_Pressure", "TOak_Feuchte",
    "TOak_Lux", "TOak_Distance", "TOak_Motion", "TOak_Tilt", "TOak_Acc", "TOak_MagR", "TOak_420mA",
    "TOak_10V", "TOak_DIO", "TDLP_IOR4", "TUserInterface", "TBMC_LIBADX", "TELV_CSI8", "TBTVerstaerker",
    "TBTGain", "TBTOffset", "TBTKorrekturtabelle", "TBTTrigger", "TBTRelais", "TBTRelais_2", "TBTSample",
    "TBTAnalogVgl", "TBTMittelwert", "TBTFktGenerator", "TBTRampenGenerator", "TBTLimiter", "TBTAnalogMux",
    "TBTAnalogDemux", "TBTFormel", "TBTAdd", "TBTSub", "TBTMul", "TBTDiv", "TBTIntegrierer",
    "TBTDifferenzierer", "TBTPT1", "TBTPT2", "TBTDT1", "TBT_P_Regler", "TBT_PI_Regler", "TBT_PID_Regler",
    "TBT_PD_Regler", "TBT_2_Punkt_Regler", "TBT_Spiel", "TBT_Totzone", "TBT_Inkretment", "TBT_AnalogDelay",
    "TBTMath", "TBTPolynom", "TBTMesswertRecorder", "TBTSampler", "TDMMInterface", "TPCEInterface",
    "TTrumeter", "THID_DMM", "TLCR4080", "TAN80", "TIR365RF", "TMakro", "TBT_Analyser", "TBTASCII_Display",
    "TBTCNT4", "TBTCNT8", "TBTCNT16", "TBTCNT4D", "TBTCNTL", "TBTCNTL8", "TBTCNTL16", "TBTCNTLD", "TBTSREG",
    "TBTSREG8", "TBTSREG16", "TBTSREGL", "TBTSREGL8", "TBTSREGL16", "TBTMUX2", "TBTMUX4", "TBTMUX8",
    "TBTMUX16", "TBTDMUX2", "TBTDMUX4", "TBTDMUX8", "TBTDMUX16", "TBTBCDDekoder", "TBTSeg7Decoder",
    "TBTBustreiber", "TBTAdressdekoder", "TBTREG2", "TBTREG4", "TBTREG8", "TBTREG16", "TBTREG2_T",
    "TBTREG4_T", "TBTREG8_T", "TBTREG16_T", "TBTADD2", "TBTADD4", "TBTADD8", "TBTVGL4", "TBTVGL8", "TBTRAM",
    "TBTROM", "TBTPin", "TBTFileRead", "TBTFileReadLine", "TBTFileWrite", "TTop16", "TCompuLab",
    "TCompulab_USB", "TSios", "TWR64", "TRD30", "TRelInt", "TPIO32", "TELVAnalyser", "TELVInterface",
    "TCSI7001", "TCSI7002", "TIO88", "TUIO88", "TBMCMEMPIO", "TBMCUSBPIO", "TWasco", "TRavar_USB_IO24",
    "TWarrior", "TWarrior56", "TUSBTolva", "THT_USB_32In32Out", "TPMD1024", "TME1000", "TFT_Intelligent",
    "TFT_IntelligentExtension", "TRoboInterface", "TQuancom_ReadDI", "TQuancom_WriteDO",
    "TQuancom_SpecialFunc", "TDEDITEC_ReadDI", "TDEDITEC_WriteDO", "TDEDITEC_Timeout", "TDEDITEC_SpecialCmd",
    "TBTIntConv", "TBTIntOp", "TBTIntToBytes", "TBTIntFromBytes", "TBTIntCheckBit", "TBTIntBit",
    "TBTFreqCount", "TBTEmailSenden", "TBTDLL", "TBTEXE", "TBTEXEPARAM", "TOPC_DA2_ReadClient",
    "TOPC_DA2_WriteClient", "TDLP_IO8", "TModbusList", "TModbusTCP", "TModbus_WriteSingleCoil",
    "TModbus_ReadCoils", "TModbus_ReadDiscreteInputs", "TModbus_ReadInputRegs", "TModbus_ReadRegs",
    "TModbus_WriteSingleReg", "TModbus_WriteRegs", "TModbus_WriteCoils", "TModbusRTU",
    "TModbusRTU_WriteSingleCoil", "TModbusRTU_ReadCoils", "TModbusRTU_ReadDiscreteInputs",
    "TModbusRTU_ReadInputRegs", "TModbusRTU_ReadRegs", "TModbusRTU_WriteSingleReg", "TModbusRTU_WriteRegs",
    "TModbusRTU_WriteCoils", "TIBP", "TOpenLayer_AD", "TOpenLayer_DA", "TOpenLayer_DOUT", "TOpenLayer_DIN",
    "TOpenLayer_CT", "TMIDIInterface", "TMIDIReceiveInterface", "TMIDIThruInterface", "TBTAudioTrigger",
    "TwPort", "TrPort", "TrPort16", "TwPort16", "TComByteSenden", "TComBytefolgeSenden", "TComZahlSenden",
    "TComStringSenden", "TComStringEmpfangen", "TComByteEmpfangen", "TComZahlEmpfangen", "TComControl",
    "TComRequestResponse", "THygrotecInterface", "THT_Feuchte", "THT_Wetter", "THT_Temp16", "TWatchdogRel",
    "TBMC_PC20", "TBMCMEMADFO", "TBMC_AD25A", "TAD16f", "TM232", "TADS12", "TADS12_API", "TADA8", "TADA162",
    "TWettersensor", "TUAD8", "TUDA7", "TLTC2400", "TELV_SLA1", "TSerai18", "TSerai18_API", "TSerai610",
    "TSerai610_API", "TSerai812", "TSerai812_API", "TSerai812_USB", "TAD210", "TSartoriusInterface",
    "T8KanalInterface", "T8KanalInterface_API", "TP500", "TMotech_LPS305", "TVoltcraft_MXG9810A",
    "TVoltcraft_Digi35CPU", "TVoltcraft_AD_USB3", "TVoltcraft_AD_USB4", "TPSVC", "THTronic_USB_Modul",
    "THTronic_BT_Modul", "THTronic_HB627", "THTronic_HB628", "TChromoFlex", "TLabJack_U12", "TLabJack_UE9",
    "TLabJack_UE9_Timer_Counter", "TLabJack_U3", "TLabJack_U6", "TK8000", "TK8000N", "TK8055", "TK8061",
    "THT_USB_8841", "TAD12LC", "TOpto3", "TDAC4", "TADGVT", "TPCIAnalogkarte", "TPCIDigitalkarte", "TVModul",
    "TVModulUSB", "TVModulAD", "TVModulADUSB", "TCounter1", "TDAC416", "TxcomUSB", "TMini_Counter",
    "TMini_DAC", "TMini_IO", "TMini_Proto", "TMini_AD", "TOpto4Out", "TOpto4In", "TPMD1008", "TPMD1208LS",
    "TPMD1208FS", "TPMD1408FS", "TPMD1608", "TPMD_Temp", "TPMD_RLTempAI", "TPMD_RL5201", "TPMD_RL5203",
    "TPMD_31xx", "TME94", "TME95", "TME96", "TME630", "TME1400", "TME8100", "TME8254", "TME4600",
    "TBMCMEMADDA", "TBMC_USB_AD12", "TIDSInterface", "TBK1856D", "TPhidgets_IFK", "TPhidgets_TEMP",
    "TPhidgets_ACCEL", "TPhidgets_Servo", "TPhidgets_AdvancedServo", "TPhidgets_Encoder", "TPhidgets_Spatial",
    "TPhidgets_Motor", "TNetAVRTCP", "TQUORIN_DAC", "TQUORIN_ADC", "TQUORIN_ADC_PT100", "TQUORIN_Kalvo",
    "TQUORIN_KalvoNET", "TQUORIN_Mardo", "TQuancom_WriteDA", "TQuancom_ReadAD", "TDEDITEC_WriteDA",
    "TDEDITEC_ReadAD", "TETDL_ReadDI", "TETDL_WriteDO", "TETDL_ReadAI", "TBTHardware",
};

std::vector<std::string> TableNames()
{
    std::vector<std::string> names;
    for (const TClassInfo* info : ComponentClassTable())
        names.push_back(info->Name);
    return names;
}

} // namespace

TEST(ComponentClassesTest, TableFollowsTheRegistrationOrderOnce)
{
    const std::vector<std::string> names = TableNames();
    ASSERT_FALSE(names.empty());
    std::set<std::string> seen;
    std::size_t at = 0;
    for (const std::string& name : names) {
        EXPECT_TRUE(seen.insert(name).second) << name << " is in the table twice";
        const auto* end = std::end(RegistrationOrder);
        const auto* found = std::find(std::begin(RegistrationOrder) + at, end, name);
        ASSERT_NE(found, end) << name << " is out of order or not a class of the program";
        at = std::size_t(found - std::begin(RegistrationOrder)) + 1;
    }
}

TEST(ComponentClassesTest, EveryTableClassIsCreatedByItsName)
{
    RegisterBaseClasses();
    RegisterComponentClasses();
    for (const std::string& name : TableNames()) {
        std::unique_ptr<TPersistent> object(CreateObjectByName(name));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassType().Name, name);
    }
}

TEST(ComponentClassesTest, EveryCategoryClassIsInTheTable)
{
    const std::vector<std::string> names = TableNames();
    QFile file(QStringLiteral(ZK_SOURCE_DIR "/resources/categories.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const std::string line = in.readLine().trimmed().toStdString();
        if (line.empty() || line[0] == '#' || line[0] == '[')
            continue;
        EXPECT_NE(std::find(names.begin(), names.end(), line), names.end()) << line;
    }
}
