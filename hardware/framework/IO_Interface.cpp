#include "hardware/framework/IO_Interface.h"

#include "dialogs/DLG_Default.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <QToolButton>

#include <cstdio>

namespace {

// The one settings snapshot of the program: the device dialogs are modal.
std::unique_ptr<TMemoryStream> KonfigBackupStream;

const bool GlobalsResetAdded = AddGlobalsReset([] { KonfigBackupStream.reset(); });

// A row's text in the current language; German where the row has no other.
AnsiString RowText(const char* const (&texts)[3])
{
    const char* text = texts[LanguageChoice()];
    return text ? text : texts[0] ? texts[0] : "";
}

} // namespace

bool KonfigSnapshotExists()
{
    return KonfigBackupStream != nullptr;
}

const std::vector<AnsiString>& BoardNumberList()
{
    static const std::vector<AnsiString> list = [] {
        std::vector<AnsiString> numbers;
        for (int n = 0; n < 128; ++n)
            numbers.push_back("Board #" + std::to_string(n));
        return numbers;
    }();
    return list;
}

// ---- TIOInterface

TIOInterface::TIOInterface() = default;

TIOInterface::TIOInterface(const TDeviceRow& row) : HelpContext(row.HelpContext), ListAtEnd(row.ListAtEnd), row_(&row)
{
    PortName = RowText(row.PortName);
}

TIOInterface::~TIOInterface()
{
    clearPorts();
}

AnsiString TIOInterface::Praefix() const
{
    return row_ ? row_->Praefix : "HW";
}

AnsiString TIOInterface::BiboName() const
{
    return row_ ? RowText(row_->BiboName) : "Hardware";
}

AnsiString TIOInterface::Beschriftung() const
{
    return row_ ? RowText(row_->Beschriftung) : "Interface";
}

// ---- The flattened channel list

void TIOInterface::BuildPinList()
{
    clearPins();
    InputCount = 0;
    const auto copyPins = [this](Byte direction) {
        for (std::size_t p = 0; p < Ports.size(); ++p) {
            const auto& channels = Ports[p]->Pins;
            for (std::size_t c = 0; c < channels.size(); ++c) {
                TPin& channel = *channels[c];
                channel.PortIndex = static_cast<Integer>(p);
                channel.PinIndex = static_cast<Integer>(c);
                if (channel.Direction != direction)
                    continue;
                auto copy = std::make_unique<TPin>();
                copy->Assign(channel);
                Pins.push_back(std::move(copy));
                if (direction == PinHardwareOutput)
                    ++InputCount;
            }
        }
    };
    copyPins(PinHardwareOutput);
    copyPins(PinHardwareInput);
}

Integer TIOInterface::GetOutputCount()
{
    BuildPinList();
    return static_cast<Integer>(Pins.size()) - InputCount;
}

bool TIOInterface::IsWaiting() const
{
    if (Waiting)
        return true;
    for (const auto& port : Ports)
        if (port->Waiting)
            return true;
    return false;
}

// ---- Routing: the copy names the port and the channel that hold the value.
// An index outside the list (the pin count may change during a run) reads as
// nothing and writes nothing.

namespace {

template <class F, class R>
R Routed(const TIOInterface& device, const TPin* copy, R none, F&& f)
{
    if (!copy || copy->PortIndex < 0 || static_cast<std::size_t>(copy->PortIndex) >= device.Ports.size())
        return none;
    return f(*device.Ports[static_cast<std::size_t>(copy->PortIndex)], copy->PinIndex);
}

} // namespace

Integer TIOInterface::getPinCount() const
{
    Integer count = 0;
    for (const auto& port : Ports)
        count += port->getPinCount();
    return count;
}

void TIOInterface::MachEsJetzt()
{
    for (const auto& port : Ports) {
        if (IsWaiting())
            return;
        port->MachEsJetzt();
    }
}

void TIOInterface::setPinValue(Integer i, Extended value)
{
    Routed(*this, PinAt(i), 0, [&](TIOPort& port, Integer pin) {
        port.setPinValue(pin, value);
        return 0;
    });
}

void TIOInterface::setStringValue(Integer i, const AnsiString& text)
{
    Routed(*this, PinAt(i), 0, [&](TIOPort& port, Integer pin) {
        port.setStringValue(pin, text);
        return 0;
    });
}

Extended TIOInterface::getPinValue(Integer i)
{
    return Routed(*this, PinAt(i), 0.0L, [](TIOPort& port, Integer pin) { return port.getPinValue(pin); });
}

Extended TIOInterface::getOutputValue(Integer i)
{
    return Routed(*this, PinAt(InputCount + i), 0.0L,
                  [](TIOPort& port, Integer pin) { return port.getOutputValue(pin); });
}

AnsiString TIOInterface::getStringInput(Integer i)
{
    return Routed(*this, PinAt(InputCount + i), AnsiString(),
                  [](TIOPort& port, Integer pin) { return port.getStringInput(pin); });
}

Int64 TIOInterface::getTimeStamp(Integer i)
{
    return Routed(*this, PinAt(InputCount + i), Int64{0},
                  [](TIOPort& port, Integer pin) { return port.getTimeStamp(pin); });
}

void TIOInterface::setInputUsed(Integer i, bool used)
{
    Routed(*this, PinAt(i), 0, [&](TIOPort& port, Integer pin) {
        port.setInputUsed(pin, used);
        return 0;
    });
}

void TIOInterface::setOutputUsed(Integer i, bool used)
{
    Routed(*this, PinAt(InputCount + i), 0, [&](TIOPort& port, Integer pin) {
        port.setOutputUsed(pin, used);
        return 0;
    });
}

void TIOInterface::resetValues()
{
    for (const auto& port : Ports)
        port->resetValues();
}

void TIOInterface::startReceive()
{
    for (const auto& port : Ports)
        port->startReceive();
}

void TIOInterface::getResources()
{
    Resources.clear();
    for (const auto& port : Ports) {
        port->getResources();
        Resources.insert(Resources.end(), port->Resources.begin(), port->Resources.end());
    }
}

void TIOInterface::updatePorts()
{
    for (const auto& port : Ports)
        port->Address = Address;
}

void TIOInterface::clearPorts()
{
    clearPins();
    Ports.clear();
}

// ---- Names of the two groups

AnsiString TIOInterface::getOutputLongName(Integer i)
{
    const TPin* pin = i >= 0 ? PinAt(InputCount + i) : nullptr;
    return pin ? pin->Description : AnsiString("Pin nicht vorhanden!");
}

AnsiString TIOInterface::getInputLongName(Integer i)
{
    const TPin* pin = i < InputCount ? PinAt(i) : nullptr;
    return pin ? pin->Description : AnsiString("Pin nicht vorhanden!");
}

AnsiString TIOInterface::getOutputShortName(Integer i)
{
    const TPin* pin = i >= 0 ? PinAt(InputCount + i) : nullptr;
    return pin ? pin->ShortName : AnsiString("!!!");
}

AnsiString TIOInterface::getInputShortName(Integer i)
{
    const TPin* pin = i < InputCount ? PinAt(i) : nullptr;
    return pin ? pin->ShortName : AnsiString("!!!");
}

// ---- Run

void TIOInterface::SimStart()
{
    Running = true;
    for (const auto& port : Ports)
        port->SimStart();
}

void TIOInterface::SimStop()
{
    Running = false;
    OnIdle = nullptr;
    for (const auto& port : Ports) {
        port->SimStop();
        port->OnIdle = nullptr;
    }
}

std::vector<IDevicePort*> TIOInterface::DevicePorts() const
{
    std::vector<IDevicePort*> ports;
    for (const auto& port : Ports)
        ports.push_back(port.get());
    return ports;
}

// ---- Record

void TIOInterface::writeToStream(TStream& stream, TWriter& writer)
{
    TIOPort::writeToStream(stream, writer);
    for (const auto& port : Ports)
        port->writeToStream(stream, writer);
}

void TIOInterface::readFromStream(TStream& stream, TReader& reader)
{
    TIOPort::readFromStream(stream, reader);
    for (const auto& port : Ports)
        port->readFromStream(stream, reader);
    BuildPinList();
}

// ---- Settings

TDefault_Dlg* TIOInterface::createKonfigDialog()
{
    auto* dialog = new TDefault_Dlg();
    dialog->SetHelpContext(0);
    dialog->SetCaption(PortName);
    dialog->PinBtn->show();
    return dialog;
}

void TIOInterface::getKonfigData()
{
    KonfigBackupStream = std::make_unique<TMemoryStream>();
    {
        TWriter writer(*KonfigBackupStream, FilerBufferSize);
        writeToStream(*KonfigBackupStream, writer);
    }
    KonfigAddress = Address;
    AddressText = AddressHex(Address);
    BoardNumberList();
}

Integer TIOInterface::showKonfigDialog()
{
    const Integer result = KonfigDialog ? KonfigDialog->ShowModal() : mrCancel;
    if (result != mrOk)
        restoreKonfigData();
    return result;
}

void TIOInterface::applyKonfigData()
{
    KonfigBackupStream.reset();
}

void TIOInterface::restoreKonfigData()
{
    if (KonfigBackupStream) {
        const std::unique_ptr<TMemoryStream> snapshot = std::move(KonfigBackupStream);
        snapshot->SetPosition(0);
        TReader reader(*snapshot, FilerBufferSize);
        readFromStream(*snapshot, reader);
    }
    BuildPinList();
}

// ---- Connection entry

void TIOInterface::writeConnection(TCustomIniFile& ini, const AnsiString& section)
{
    ini.WriteString(section, "Name", PortName);
    ini.WriteString(section, "Basisadresse", AddressHex(Address));
}

void TIOInterface::readConnection(TCustomIniFile& ini, const AnsiString& section)
{
    Address = HexToWord(ini.ReadString(section, "Basisadresse", "0000"));
    updatePorts();
}
