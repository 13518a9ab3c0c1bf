#include "hardware/framework/BT_Hardware.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "hardware/framework/IO_Interface.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/Stream.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The component class names that older files stored for one device each, and
// the device class that stands for each now.
struct TLegacyName {
    const char* Component;
    const char* Device;
};

constexpr TLegacyName LegacyNames[] = {
    {"TBTRelaiskarte", "TRelaiskarte"},
    {"TBTRelaisSeriell", "TSerRelais"},
    {"TBTHardware", "TIOInterface"},
    {"TBTUSBDMM", "THID_DMM"},
    {"TBTCompuLab", "TCompuLab"},
    {"TBTSIOS", "TSios"},
    {"TBTPIO32", "TPIO32"},
    {"TBTELV_Analyzer", "TELVAnalyser"},
    {"TBTLPT", "TLPTInterface"},
    {"TBTChip8255", "T8255Interface"},
    {"TBTCSI7001", "TCSI7001"},
    {"TBTCSI7002", "TCSI7002"},
    {"TBTELVInterface", "TELVInterface"},
    {"TBTCOMD", "TCOM_D"},
    {"TBTMemPIO", "TBMCMEMPIO"},
    {"TBTAD12", "TAD12LC"},
    {"TBTHygroTec", "THygrotecInterface"},
    {"TBTOpto_3", "TOpto3"},
    {"TBTDAC4", "TDAC4"},
    {"TBTADGVT", "TADGVT"},
    {"TBTPCI_Analog", "TPCIAnalogkarte"},
    {"TBTPCI_Digital", "TPCIDigitalkarte"},
    {"TBTPort_W", "TwPort"},
    {"TBTPort_R", "TrPort"},
    {"TBTPort16_R", "TrPort16"},
    {"TBTPort16_W", "TwPort16"},
    {"TBTSartorius", "TSartoriusInterface"},
    {"TBTConrad8", "T8KanalInterface"},
    {"TBTConrad8_API", "T8KanalInterface_API"},
    {"TBTCOM_SendByte", "TComByteSenden"},
    {"TBTCOM_SendText", "TComBytefolgeSenden"},
    {"TBTCOM_SendValue", "TComZahlSenden"},
    {"TBTCOM_ReceiveByte", "TComByteEmpfangen"},
    {"TBTCOM_ReceiveValue", "TComZahlEmpfangen"},
    {"TBTSERAI18", "TSerai18"},
    {"TBTSERAI18API", "TSerai18_API"},
    {"TBTSERAI610", "TSerai610"},
    {"TBTSERAI610API", "TSerai610_API"},
    {"TBTSERAI812", "TSerai812"},
    {"TBTSERAI812API", "TSerai812_API"},
    {"TBTVModul", "TVModul"},
    {"TBTM232", "TM232"},
    {"TBTADS12", "TADS12"},
    {"TBTADS12_API", "TADS12_API"},
    {"TBTADA8", "TADA8"},
    {"TBTADA16_2", "TADA162"},
    {"TBTCounter1", "TCounter1"},
    {"TBTVModulAD", "TVModulAD"},
    {"TBTDAC416", "TDAC416"},
    {"TBTWetter", "TWettersensor"},
    {"TBTVModulUSB", "TVModulUSB"},
    {"TBTxcomUSB", "TxcomUSB"},
    {"TBTVModulADUSB", "TVModulADUSB"},
    {"TBTP500", "TP500"},
    {"TBTHT_Feuchte", "THT_Feuchte"},
    {"TBTHT_Temp16", "THT_Temp16"},
    {"TBTUSB_Counter", "TMini_Counter"},
    {"TBT_USB_DAC", "TMini_DAC"},
    {"TBT_USB_IO", "TMini_IO"},
    {"TBT_USB_Proto", "TMini_Proto"},
    {"TBT_USB_AD", "TMini_AD"},
    {"TBTJoystick", "TJoystick"},
    {"TBTDMM", "TDMMInterface"},
    {"TBTWatchdogRelaiskarte", "TWatchdogRel"},
    {"TBT_USB_Opto4_In", "TOpto4In"},
    {"TBT_USB_Opto4_Out", "TOpto4Out"},
    {"TBTBMC_PC20", "TBMC_PC20"},
    {"TBTSerai812USB", "TSerai812_USB"},
    {"TBTCompuLabUSB", "TCompulab_USB"},
    {"TBTMotech300", "TMotech_LPS305"},
    {"TBTVoltcraft_MXG9810A", "TVoltcraft_MXG9810A"},
    {"TBTVoltcraft_DIGI_35_CPU", "TVoltcraft_Digi35CPU"},
    {"TBTLabJack_U12", "TLabJack_U12"},
    {"TBTIntelligent", "TFT_Intelligent"},
    {"TBTIntelligentExtension", "TFT_IntelligentExtension"},
};
// 74 names of older files and the component's own.
static_assert(std::size(LegacyNames) == 75);

constexpr std::string_view NoDeviceYet = "TIOInterface";
constexpr Integer DesignatorLength = 10;
constexpr Integer LabelLength = 40;
constexpr Integer NoHelpContext = 35500;

// Devices with inputs that have no channel (clocks, read triggers), which the
// channel list leaves out of InputCount: the receiving COM devices have only
// their read input; the port devices name their clock pin themselves.
struct TChannelLessInput {
    const char* DeviceClass;
    Integer InputCount;   // set before the pins are named; -1: kept
    Integer ClockPin;     // named by the device; -1: none
};

constexpr TChannelLessInput ChannelLessInputs[] = {
    {"TComByteEmpfangen", 1, -1},
    {"TComZahlEmpfangen", 1, -1},
    {"TComStringEmpfangen", 1, -1},
    {"TwPort", -1, 8},
    {"TrPort", -1, 0},
    {"TwPort16", -1, 16},
    {"TrPort16", -1, 0},
};

// The row of the table for the device's class or the nearest ancestor in it.
const TChannelLessInput* ChannelLessInputOf(const TIOInterface& device)
{
    for (const TClassInfo* info = &device.ClassType(); info; info = info->Parent)
        for (const TChannelLessInput& row : ChannelLessInputs)
            if (std::string_view(info->Name) == row.DeviceClass)
                return &row;
    return nullptr;
}

// A device object of a registered class; a class that is no device is as
// unknown as a missing one.
std::unique_ptr<TIOInterface> CreateDevice(std::string_view className)
{
    std::unique_ptr<TPersistent> object(CreateObjectByName(className));
    auto* device = dynamic_cast<TIOInterface*>(object.get());
    if (!device)
        throw EClassNotFound(ClassNotFoundMessage(className));
    object.release();
    return std::unique_ptr<TIOInterface>(device);
}

} // namespace

const char* DriverClassByName(std::string_view componentClass)
{
    for (const TLegacyName& name : LegacyNames)
        if (AnsiSameText(componentClass, name.Component))
            return name.Device;
    return nullptr;
}

TBTHardware::TBTHardware()
{
    HelpContext = NoHelpContext;
    HasPropertyDialog = true;
    BodyColor1 = 0x909090;
    BodyColor2 = 0xD0D0D0;
}

TBTHardware::~TBTHardware() = default;

TBTHardware* TBTHardware::CreateWithDriver(std::string_view name)
{
    const char* deviceClass = DriverClassByName(name);
    if (!deviceClass)
        throw EClassNotFound(ClassNotFoundMessage(name));
    std::unique_ptr<TBTHardware> component(new TBTHardware());
    if (deviceClass != NoDeviceYet) {
        component->SetDevice(CreateDevice(deviceClass));
        component->legacy_ = true;
    }
    component->AfterConstruction();
    return component.release();
}

TBTHardware* TBTHardware::CreateByLegacyName(std::string_view className)
{
    return DriverClassByName(className) ? CreateWithDriver(className) : nullptr;
}

TBTHardware* TBTHardware::CreateHolding(IDevice* device)
{
    auto* driver = dynamic_cast<TIOInterface*>(device);
    if (!driver) {
        const auto* object = dynamic_cast<const TPersistent*>(device);
        throw EClassNotFound(ClassNotFoundMessage(object ? object->ClassName() : "IDevice"));
    }
    std::unique_ptr<TBTHardware> hardware(CreateWithDriver("TBTHardware"));
    hardware->SetDevice(std::unique_ptr<TIOInterface>(driver));
    return hardware.release();
}

void TBTHardware::SetDevice(std::unique_ptr<TIOInterface> device)
{
    device_ = std::move(device);
    legacy_ = false;
    if (!device_)
        return;
    Caption = device_->PortName;
    TakeDeviceNames();
    TakeDevicePins();
}

void TBTHardware::TakeDeviceNames()
{
    Designator = device_->Praefix();
    Label = device_->Beschriftung().substr(0, LabelLength);
}

void TBTHardware::TakeDevicePins()
{
    SetInputCount(device_->InputCount);
    SetOutputCount(device_->GetOutputCount());
    InputsCreated();
    OutputsCreated();
    HelpContext = device_->HelpContext;
}

IDevice* TBTHardware::Driver() const
{
    return device_.get();
}

void TBTHardware::FreeDriver()
{
    device_.reset();
    legacy_ = false;
}

// ---- The step

void TBTHardware::Calculate()
{
    if (!device_)
        return;
    TIOInterface& device = *device_;
    for (Integer i = 0; i < InputCount; ++i) {
        device.setPinValue(i, InputLevel(i));
        if (Inputs[i].Name[0] == '$')
            device.setStringValue(i, InputString(i));
    }
    // A transfer waiting for its hardware steps the board, this component
    // included: no second transfer may start inside the first, whether the
    // driver waits on a port or on the device.
    if (!device.IsWaiting())
        device.MachEsJetzt();
    const Integer m = OutputCount;
    for (Integer i = 0; i < m; ++i) {
        SetOutputLevel(i, device.getOutputValue(m - 1 - i));
        if (Outputs[i].Name[0] == '$')
            SetOutputString(i, device.getStringInput(m - 1 - i));
    }
}

void TBTHardware::ResetForStart()
{
    if (!device_)
        return;
    for (Integer i = 0; i < InputCount; ++i)
        device_->setInputUsed(i, Inputs[i].Connected);
    for (Integer i = 0; i < OutputCount; ++i)
        device_->setOutputUsed(OutputCount - 1 - i, Outputs[i].Connected);
    device_->SimStart();
}

void TBTHardware::SimulationStopped()
{
    if (device_)
        device_->SimStop();
}

// ---- Pins

void TBTHardware::InputsCreated()
{
    if (!device_)
        return;
    TIOInterface& device = *device_;
    const TChannelLessInput* special = ChannelLessInputOf(device);
    if (special && special->InputCount >= 0)
        device.InputCount = special->InputCount;
    for (Integer i = 0; i < InputCount && i < device.InputCount; ++i)
        Inputs[i].Name = device.getInputShortName(i);
    if (special && special->ClockPin >= 0 && special->ClockPin < InputCount)
        Inputs[special->ClockPin].Name = device.getInputShortName(special->ClockPin);
}

void TBTHardware::OutputsCreated()
{
    if (!device_)
        return;
    const Integer m = OutputCount;
    for (Integer i = 0; i < m && i < device_->GetOutputCount(); ++i)
        Outputs[i].Name = device_->getOutputShortName(m - 1 - i);
}

// ---- Settings

Integer TBTHardware::EditProperties()
{
    if (!device_)
        return mrNone;
    TIOInterface& device = *device_;
    device.IsCompiledRun = RunOnlyMode;
    device.IsSimulating = SimulationRunning;
    device.KonfigDialog = device.createKonfigDialog();
    // The dialog is the device's for this one showing only.
    const auto freeDialog = [&device] {
        delete device.KonfigDialog;
        device.KonfigDialog = nullptr;
    };
    Integer result = mrCancel;
    try {
        device.getKonfigData();
        if (!SimulationRunning && !RunOnlyMode && device.KonfigDialog)
            device.KonfigDialog->Props->AddCheck(Translate("Zur Laufzeit einstellbar"), RuntimeAdjustable);
        if (!RunOnlyMode && device.KonfigDialog)
            device.KonfigDialog->SetHelpContext(device.HelpContext);
        result = device.showKonfigDialog();
        if (result == mrOk) {
            device.applyKonfigData();
            SetInputCount(device.InputCount);
            SetOutputCount(device.GetOutputCount());
        } else {
            device.restoreKonfigData();
        }
    } catch (...) {
        freeDialog();
        throw;
    }
    freeDialog();
    InputsCreated();
    OutputsCreated();
    return result;
}

// ---- Record

void TBTHardware::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    // A component still waiting for its device stores an empty class name,
    // which reads back as the same component.
    writer.WriteString(device_ ? AnsiString(device_->ClassName()) : AnsiString());
    if (device_)
        device_->writeToStream(stream, writer);
}

void TBTHardware::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (!legacy_) {
        const AnsiString className = reader.ReadString();
        if (className.empty()) {
            device_.reset();
            return;
        }
        device_ = CreateDevice(className);
        TakeDeviceNames();
        // The caption of the record is the device's name, as it is when the
        // legacy device takes it while the record is read.
        if (version >= 40 && !LibraryLoading)
            device_->PortName = Caption;
    }
    legacy_ = false;
    device_->readFromStream(stream, reader);
    Caption = device_->PortName;
    TakeDevicePins();
}

// ---- Look

void TBTHardware::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    if (device_)
        Label = device_->Beschriftung().substr(0, LabelLength);
    DrawPinLevels(canvas);
    DrawVerticalCaption(canvas, Label, ColourDrawing ? clWhite : clBlack);
}

void TBTHardware::DrawPinLevel(TCanvas& canvas, const TBauteilPin& pin, bool high, bool isInput)
{
    if (ShowLineStates)
        TGrundBT::DrawPinLevel(canvas, pin, high, isInput);
    DrawPinStateMark(canvas, pin, high, isInput);
}

AnsiString TBTHardware::GetHintText()
{
    AnsiString text = TGrundBT::GetHintText();
    if (!device_)
        return text;
    char line[48];
    std::snprintf(line, sizeof line, "Port %04Xh ( %d )", static_cast<unsigned>(device_->Address),
                  static_cast<int>(device_->Address));
    return text + CR + line;
}

AnsiString TBTHardware::GetTypeName() const
{
    return device_ ? device_->BiboName() : Translate("Hardware");
}

AnsiString TBTHardware::GetCaption() const
{
    return device_ ? device_->PortName : Translate("Hardware");
}

void TBTHardware::SetCaption(const AnsiString& text)
{
    if (device_)
        device_->PortName = text;
    TGrundBT::SetCaption(text);
}
