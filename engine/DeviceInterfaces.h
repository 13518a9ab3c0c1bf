// What the board uses of the hardware framework: the device that a hardware
// component holds (its idle callback, its ports, its opening at the start and
// its wait that keeps the circuit stepping) and the hardware component itself.
// The hardware framework derives its port, device and component classes from
// these and installs the factory for hardware class names of older files.
#pragma once

#include "platform/SysTypes.h"

#include <functional>
#include <string_view>
#include <vector>

class TBauteil;
class TCustomIniFile;

// A device port, and the device itself: a driver that waits for its hardware
// calls OnIdle, which the simulation start points at the root board's step.
class IDevicePort {
public:
    virtual ~IDevicePort() = default;
    std::function<void()> OnIdle;
};

class IDevice : public virtual IDevicePort {
public:
    virtual std::vector<IDevicePort*> DevicePorts() const = 0;
    // Called once per hardware component when the simulation starts, after the
    // board's run lists are built.
    virtual void openDevice() {}
    // Waits ms milliseconds while the circuit keeps stepping through OnIdle.
    virtual void WaitMs(double ms) = 0;
    // The device's connection keys in one section of a key/value store (the
    // device list of a compiled program); reading them back updates the ports.
    virtual void writeConnection(TCustomIniFile& store, const AnsiString& section) {}
    virtual void readConnection(TCustomIniFile& store, const AnsiString& section) {}
    // The library palette lists the device last, with a grey name and no
    // information mark.
    virtual bool IsListedAtEnd() const { return false; }
};

// Mixed into the hardware component (TBTHardware).
class IHardwareComponent {
public:
    virtual ~IHardwareComponent() = default;
    virtual IDevice* Driver() const = 0;
    // Frees the device; reading the component's record creates a new one.
    virtual void FreeDriver() = 0;
};

