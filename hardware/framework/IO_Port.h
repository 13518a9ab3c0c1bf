// The port model every device driver is built from: a channel (TPin), a port
// (TIOPort: an ordered list of channels with the transfer hook, the timing
// helpers and its stream record) and the standard digital and analogue ports.
// Everything here runs on the main thread; the only interleaving is a
// driver's WaitMs, which keeps the whole circuit stepping.
#pragma once

#include "engine/DeviceInterfaces.h"
#include "engine/Publics.h"   // HexToWord, the drivers' address rows
#include "platform/ClassRegistry.h"
#include "platform/SysTypes.h"

#include <array>
#include <memory>
#include <vector>

class TDefault_Dlg;
class TReader;
class TStream;
class TWriter;

// Direction of a channel: what the hardware does with it.
enum : Byte {
    PinHardwareInput = 0,    // "Eingang": read onto a component output
    PinHardwareOutput = 1,   // "Ausgang": fed from a component input
};

// One channel of a port: a value in volts with its range, raw scaling, an
// optional running median and the time stamp of its last write.
class TPin {
public:
    static constexpr Integer DriverIntCount = 11;

    Integer Version = 1;
    AnsiString Description;   // "Bit 0"
    AnsiString ShortName;     // the component's pin label, "DO0"
    AnsiString Text;          // the value of a text channel
    Integer PortIndex = 0;
    Integer PinIndex = 0;
    Extended Min = 0;
    Extended Max = 0;
    bool Configurable = false;
    Extended Value = 0;
    bool Changed = false;
    // Driver scratch for sending only on change; never copied or stored.
    Extended LastSentValue = 0;
    Byte LastLevel = 0;
    AnsiString LastSentText;
    Word RawMin = 0;
    Word RawMax = 255;
    Extended Factor = 1;
    Extended Offset = 0;
    Byte Direction = PinHardwareInput;
    Byte DriverByte1 = 0;
    Byte DriverByte2 = 0;
    Byte ChannelMode = 0;     // 1: the pins editor offers the direction
    std::array<Integer, DriverIntCount> DriverInts{};
    std::vector<Extended> History;   // the last values, newest first
    Integer HistoryDepth = 0;        // values kept for the median; 0 = none
    bool Used = false;               // the component pin is wired
    Int64 TimeStamp = 0;             // performance counter of the last write

    // Stores with time stamp, Changed and history.
    void SetValue(Extended value);
    // The value, or the median of a history of more than two entries.
    Extended GetValue() const;
    void SetLogic(bool high) { SetValue(high ? 5.0L : 0.0L); }
    bool GetLogic() const { return GetValue() > 2.5L; }
    Integer GetInteger() const;   // rounded half to even

    Extended RawStep() const;
    // Clamped to RawMin..RawMax and rounded half to even; NaN gives RawMin.
    Integer GetRawValue() const;
    // Stores Min + RawStep * (raw - RawMin) directly: no history.
    void SetRawValue(Integer raw);

    bool TakeChanged();
    // Names, range, scaling, direction, the driver fields and the indexes;
    // not the value, text, history, depth, used flag or time stamp.
    void Assign(const TPin& other);

    // The channel record; writing turns a "^" of the description into a
    // blank, as the version mark follows it. Reading takes the names only when
    // asked (not into the present channels of a library file).
    void WriteRecord(TWriter& writer);
    void ReadRecord(TReader& reader, bool takeNames);
    // Value and time stamp only: no Changed flag, no history (the masks).
    void StoreDirect(Extended value, Int64 now);

private:
    // Scratch of the median, kept so that a filtered read does not allocate.
    mutable std::vector<Extended> sorted_;
};

// A port: an ordered list of channels with the per-step transfer hook.
class TIOPort : public TPersistent, public virtual IDevicePort {
    ZK_CLASS(TIOPort, TPersistent)

public:
    TIOPort();
    ~TIOPort() override;
    TIOPort(const TIOPort&) = delete;
    TIOPort& operator=(const TIOPort&) = delete;

    bool IsInputPort = false;
    bool IsCompiledRun = false;   // RunOnlyMode when the settings were opened
    bool IsSimulating = false;    // SimulationRunning at the same moment
    std::vector<AnsiString> Resources;
    std::vector<std::unique_ptr<TPin>> Pins;
    Integer Address = 0;          // I/O base, COM number, device index ... by driver
    AnsiString PortName;
    TDefault_Dlg* KonfigDialog = nullptr;   // while the settings dialog exists
    bool Running = false;
    bool Waiting = false;         // only inside WaitMs
    bool NoMessagePump = false;   // WaitMs lets no window message in
    Integer Version = 1;
    Integer LoadedVersion = 0;
    Int64 IntervalMark = 0;
    Integer UsedCount = 0;

    // The driver's operations. Channel indexes outside the list read as 0.0,
    // empty or 0 and write nothing: a pin count may change during a run.
    virtual Integer getPinCount() const;
    virtual void MachEsJetzt() {}
    virtual void setPinValue(Integer i, Extended value);
    virtual void setStringValue(Integer i, const AnsiString& text);
    virtual Extended getPinValue(Integer i);
    virtual Extended getOutputValue(Integer i);
    virtual AnsiString getStringInput(Integer i);
    virtual Int64 getTimeStamp(Integer i);
    virtual void resetValues();
    virtual void applyKonfigData();
    virtual void getKonfigData() {}
    virtual void writeToStream(TStream& stream, TWriter& writer);
    virtual void readFromStream(TStream& stream, TReader& reader);
    virtual void clearPins();
    virtual void SimStart();
    virtual void SimStop();
    // Once per start, before SimStart.
    virtual void openDevice() {}
    // One line: PortName ": " and the address as 4 hex digits, or ": keine".
    virtual void getResources();
    virtual void startReceive() {}
    // 0: the I/O range is granted.
    virtual Integer claimPortRange() { return 0; }
    virtual void setInputUsed(Integer i, bool used);
    virtual void setOutputUsed(Integer i, bool used);

    // A new channel of direction 0 with value 0.0; SetInputPort afterwards
    // sets the directions of all of them.
    TPin& AddPin(const AnsiString& description, const AnsiString& shortName, Extended min, Extended max,
                 bool configurable);
    void SetInputPort(bool isInput);
    Integer CountUsedPins();
    // ms > 0: waits while the circuit keeps stepping through OnIdle and window
    // messages are processed; ms < 0: busy-waits |ms|. Returns early when the
    // port stops running.
    void WaitMs(double ms);
    // More than ms milliseconds since the mark; a true answer moves the mark.
    bool IntervalElapsed(Cardinal ms);
    void SetPinsFromMask16(Word mask);
    void SetPinsFromMask32(Cardinal mask);
    Word GetPinsAsMask16() const;
    Cardinal GetPinsAsMask32() const;
    Word GetPortChangedMask16();

protected:
    // The channel at i; nullptr outside the list.
    TPin* PinAt(Integer i) const;
};

// The standard ports; their names follow LanguageIndex when created.
class TDOutPort : public TIOPort {
    ZK_CLASS(TDOutPort, TIOPort)
public:
    TDOutPort();
};

class TDInPort : public TIOPort {
    ZK_CLASS(TDInPort, TIOPort)
public:
    TDInPort();
};

class TAOutPort : public TIOPort {
    ZK_CLASS(TAOutPort, TIOPort)
public:
    TAOutPort();
};

class TAInPort : public TIOPort {
    ZK_CLASS(TAInPort, TIOPort)
public:
    TAInPort();
};

// Driver helpers.
// An address as drivers show and store it: 4 upper-case hexadecimal digits.
AnsiString AddressHex(Integer address);
Extended ClampValue(Extended x, Extended min, Extended max);
Extended RoundToSignificant(Integer digits, Extended x);
// One byte into a reflected 0xA001 register; Modbus RTU seeds 0xFFFF.
Word Crc16ModbusStep(Byte value, Word crc);
// The warning that a vendor driver is missing, captioned with the device.
void ShowDriverMissing(const AnsiString& deviceName);
