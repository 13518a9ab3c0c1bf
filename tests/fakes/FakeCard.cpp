#include "fakes/FakeCard.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"

#include <string>

namespace {

void FillChannels(TIOPort& port, Integer channels, const char* description, const char* shortName, Extended max,
                  bool isInput)
{
    port.clearPins();
    for (Integer i = 0; i < channels; ++i)
        port.AddPin(description + std::to_string(i), shortName + std::to_string(i), 0, max, true);
    port.SetInputPort(isInput);
}

} // namespace

TFakeOutPort::TFakeOutPort(Integer channels)
{
    PortName = "Ausgabe";
    SetChannels(channels);
}

void TFakeOutPort::SetChannels(Integer channels)
{
    FillChannels(*this, channels, "Ausgang ", "AO", 10, false);
}

TFakeInPort::TFakeInPort(TFakeCard* card, Integer channels) : card_(card)
{
    PortName = "Eingabe";
    SetChannels(channels);
}

void TFakeInPort::SetChannels(Integer channels)
{
    FillChannels(*this, channels, "Eingang ", "AI", 20, true);
}

void TFakeInPort::MachEsJetzt()
{
    if (!card_)
        return;
    ++card_->Transfers;
    if (card_->WaitInTransfer != 0)
        WaitMs(card_->WaitInTransfer);
    const TIOPort& out = card_->OutPort();
    for (std::size_t i = 0; i < Pins.size(); ++i)
        Pins[i]->SetValue(i < out.Pins.size() ? 2 * out.Pins[i]->GetValue() : 0.0L);
}

TFakeCard::TFakeCard()
{
    PortName = "Testkarte";
    Ports.push_back(std::make_unique<TFakeOutPort>(DefaultChannels));
    Ports.push_back(std::make_unique<TFakeInPort>(this, DefaultChannels));
    BuildPinList();
    Address = 0x378;
    updatePorts();
}

TFakeCard::TFakeCard(const TDeviceRow& row) : TIOInterface(row)
{
    Ports.push_back(std::make_unique<TFakeOutPort>(DefaultChannels));
    Ports.push_back(std::make_unique<TFakeInPort>(this, DefaultChannels));
    BuildPinList();
    Address = 0x378;
    updatePorts();
    HelpContext = row.HelpContext;
    ListAtEnd = row.ListAtEnd;
}

void TFakeCard::MachEsJetzt()
{
    ++Calls;
    if (WaitOnDevice) {
        // A driver that makes its whole transfer here, without the ports'.
        ++Transfers;
        WaitMs(WaitInTransfer);
        return;
    }
    TIOInterface::MachEsJetzt();
}

void TFakeCard::getKonfigData()
{
    TIOInterface::getKonfigData();
    ChannelCount = static_cast<Integer>(OutPort().Pins.size());
    if (KonfigDialog)
        KonfigDialog->Props->AddSpin(Translate("Kanäle"_ansi), ChannelCount, 1, 8, 60);
}

void TFakeCard::applyKonfigData()
{
    if (ChannelCount != static_cast<Integer>(OutPort().Pins.size())) {
        OutPort().SetChannels(ChannelCount);
        InPort().SetChannels(ChannelCount);
    }
    TIOInterface::applyKonfigData();
    BuildPinList();
}

const TDeviceRow FakeCardRows[2] = {
    {.Class = DeviceRowClass<TFakeCard>("TFakeCard"),
     .PortName = {"Testkarte", "Test card", "Carte de test"},
     .Praefix = "FK",
     .BiboName = {"Testkarte", "Test card", "Carte de test"},
     .Beschriftung = {"Testkarte", "Test card", "Carte de test"},
     .HelpContext = 35501},
    {.Class = DeviceRowClass<TFakeCard>("TFakeOldCard"),
     .PortName = {"Altkarte", "Old card", "Ancienne carte"},
     .Praefix = "ALT",
     .BiboName = {"Altkarte", "Old card", "Ancienne carte"},
     .Beschriftung = {"Altkarte"},
     .ListAtEnd = 1},
};

void RegisterFakeCards()
{
    RegisterDeviceRows(FakeCardRows);
}
