// Devices that are registered by class name, as the library lists them, and
// the hardware component that holds one: its record names its device's class
// and reading it creates a new device of that class.
#pragma once

#include "engine/DeviceInterfaces.h"
#include "engine/GrundBT.h"

#include <memory>

class TTestCard : public TPersistent, public IDevice {
    ZK_CLASS(TTestCard, TPersistent)

public:
    std::vector<IDevicePort*> DevicePorts() const override { return {}; }
    void WaitMs(double) override {}
    virtual AnsiString DeviceName() const { return "Testkarte"; }
};

// A device the library lists last.
class TTestOldCard : public TTestCard {
    ZK_CLASS(TTestOldCard, TTestCard)

public:
    bool IsListedAtEnd() const override { return true; }
    AnsiString DeviceName() const override { return "Altkarte"; }
};

class TBTTestHolder : public TGrundBT, public IHardwareComponent {
    ZK_CLASS(TBTTestHolder, TGrundBT)

public:
    TBTTestHolder();
    // Takes the device over.
    void Hold(IDevice* device) { device_.reset(device); }
    IDevice* Driver() const override { return device_.get(); }
    void FreeDriver() override { device_.reset(); }
    AnsiString GetTypeName() const override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

private:
    std::unique_ptr<IDevice> device_;
};

// Registers the two device classes and the holder, and lets devices placed by
// class name go into a holder (ShellHooks.CreateHardwareHolding).
void RegisterLibraryDoubles();
