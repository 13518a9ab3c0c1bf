// A card for the tests of the hardware component and the shell: a device of
// the port model with an output port of analog channels "AO0".. and an input
// port of as many channels "AI0".., whose transfer sets each input to twice
// the output of the same number, so a test sees a value go through the card
// and come back. It counts its transfers and openings, can wait inside a
// transfer, and offers its channel count in its settings.
#pragma once

#include "hardware/framework/IO_Interface.h"

class TFakeCard;

class TFakeOutPort : public TIOPort {
    ZK_CLASS(TFakeOutPort, TIOPort)

public:
    TFakeOutPort() : TFakeOutPort(2) {}
    explicit TFakeOutPort(Integer channels);
    void SetChannels(Integer channels);
};

class TFakeInPort : public TIOPort {
    ZK_CLASS(TFakeInPort, TIOPort)

public:
    TFakeInPort() : TFakeInPort(nullptr, 2) {}
    TFakeInPort(TFakeCard* card, Integer channels);
    void SetChannels(Integer channels);
    // The transfer of the card.
    void MachEsJetzt() override;

private:
    TFakeCard* card_;
};

class TFakeCard : public TIOInterface {
    ZK_ROW_BASE_CLASS(TFakeCard, TIOInterface, Row() ? &Row()->Class : nullptr)

public:
    static constexpr Integer DefaultChannels = 2;

    TFakeCard();
    explicit TFakeCard(const TDeviceRow& row);

    TFakeOutPort& OutPort() const { return static_cast<TFakeOutPort&>(*Ports[0]); }
    TFakeInPort& InPort() const { return static_cast<TFakeInPort&>(*Ports[1]); }

    Integer Calls = 0;        // MachEsJetzt on the card
    Integer Transfers = 0;    // transfers done (not skipped while waiting)
    Integer Openings = 0;     // openDevice
    double WaitInTransfer = 0;   // WaitMs inside each transfer, 0: none
    bool WaitOnDevice = false;   // the card waits itself instead of its input port
    Integer ChannelCount = DefaultChannels;   // the settings' row "Kanäle"

    void MachEsJetzt() override;
    void openDevice() override { ++Openings; }
    void getKonfigData() override;
    void applyKonfigData() override;
};

// "TFakeCard" and "TFakeOldCard" (listed last in the library).
extern const TDeviceRow FakeCardRows[2];
void RegisterFakeCards();
