// A hardware component for the shell's tests whose device keeps one
// connection key, the port it was given.
#pragma once

#include "engine/DeviceInterfaces.h"
#include "engine/GrundBT.h"
#include "engine/Platine.h"
#include "platform/IniFile.h"

#include <memory>

// A device whose connection is one key: the port it was given.
class TPortDevice : public IDevice {
public:
    std::vector<IDevicePort*> DevicePorts() const override { return {}; }
    void WaitMs(double) override {}
    void writeConnection(TCustomIniFile& store, const AnsiString& section) override
    {
        store.WriteInteger(section, "Port", Port);
    }
    void readConnection(TCustomIniFile& store, const AnsiString& section) override
    {
        Port = store.ReadInteger(section, "Port", -1);
        ReadFrom = section;
    }
    Integer Port = 0;
    AnsiString ReadFrom;
};

class TBTPortHardware : public TGrundBT, public IHardwareComponent {
    ZK_CLASS(TBTPortHardware, TGrundBT)

public:
    TBTPortHardware() { Designator = "HW"; }
    IDevice* Driver() const override { return device_.get(); }
    void FreeDriver() override { device_.reset(); }
    TPortDevice& Device() { return *device_; }

private:
    std::unique_ptr<TPortDevice> device_ = std::make_unique<TPortDevice>();
};

inline TBTPortHardware* PlaceHardware(TPlatine& board, Integer port)
{
    auto* hardware = CreateBauteil<TBTPortHardware>();
    board.InsertObject(hardware);
    hardware->Device().Port = port;
    return hardware;
}

