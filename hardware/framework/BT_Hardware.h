// The one board component that puts a device on the board: its inputs feed
// the device's first channel group, its outputs show the second group, and
// its names, designator, help and settings all come from the device.
#pragma once

#include "engine/DeviceInterfaces.h"
#include "engine/GrundBT.h"

#include <memory>
#include <string_view>

class TIOInterface;

// The device class an older file's component class name stands for
// (case-insensitive), "TIOInterface" for "TBTHardware" itself (the device's
// class name follows in the record), nullptr for every other name.
const char* DriverClassByName(std::string_view componentClass);

class TBTHardware : public TGrundBT, public IHardwareComponent {
    ZK_CLASS(TBTHardware, TGrundBT)

public:
    TBTHardware();
    ~TBTHardware() override;

    // A name DriverClassByName knows. Its device class is created at once;
    // "TBTHardware" leaves the component without a device. A device class
    // this program does not have raises the class-not-found error.
    static TBTHardware* CreateWithDriver(std::string_view name);
    // What the shell's hooks serve: the component for a class name of an
    // older file (nullptr when DriverClassByName does not know it), and the
    // component holding a device picked by its class name, which it takes
    // over (a device of no port model class stays the caller's and raises
    // the class-not-found error).
    static TBTHardware* CreateByLegacyName(std::string_view className);
    static TBTHardware* CreateHolding(IDevice* device);

    AnsiString Label;   // drawn on the body, at most 40 characters

    TIOInterface* Device() const { return device_.get(); }
    // Takes the device over and takes its names and pins.
    void SetDevice(std::unique_ptr<TIOInterface> device);

    IDevice* Driver() const override;
    void FreeDriver() override;

    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void Calculate() override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    void SimulationStopped() override;
    AnsiString GetTypeName() const override;
    AnsiString GetCaption() const override;
    void SetCaption(const AnsiString& text) override;

protected:
    void DrawPinLevel(TCanvas& canvas, const TBauteilPin& pin, bool high, bool isInput) override;

private:
    // Designator and label from the device.
    void TakeDeviceNames();
    // Pin counts, pin names and help context from the device.
    void TakeDevicePins();
    std::unique_ptr<TIOInterface> device_;
    // True while the legacy-name constructor made the device: the record then
    // carries no device class name.
    bool legacy_ = false;
};
