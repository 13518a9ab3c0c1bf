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

class IDevice : public IDevicePort {
public:
    virtual std::vector<IDevicePort*> Ports() const = 0;
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
    virtual bool ListAtEnd() const { return false; }
};

// Mixed into the hardware component (TBTHardware).
class IHardwareComponent {
public:
    virtual ~IHardwareComponent() = default;
    virtual IDevice* Driver() const = 0;
    // Frees the device; reading the component's record creates a new one.
    virtual void FreeDriver() = 0;
};

// A board object for a hardware class name of an older file (a device class
// stored as a component), or nullptr when the name is no such legacy name.
// Installed by the hardware framework; unset, no name is a legacy name.
using THardwareFactory = std::function<TBauteil*(std::string_view className)>;
extern THardwareFactory CreateHardwareByLegacyName;

// A hardware component that holds the given device, which it takes over (a
// device class picked by name from the library or the component search).
// Installed by the hardware framework; unset, devices cannot be placed.
extern std::function<TBauteil*(IDevice* device)> CreateHardwareHolding;

// The device maker's link dialog (the information mark of a library entry).
// Installed by the hardware framework; unset, nothing is shown.
extern std::function<void(IDevice& device)> ShowMakerLinks;
