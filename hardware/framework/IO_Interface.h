// A device: a port that owns its sub-ports and a flattened channel list in
// two groups. The first group (direction 1, hardware outputs) becomes the
// hardware component's inputs, the second (direction 0, hardware inputs) its
// outputs. Every driver derives from TIOInterface; a device class is a row.
#pragma once

#include "hardware/framework/IO_Port.h"

class TCustomIniFile;

// What tells one registered device class from another. A protocol family is
// one C++ class, a model of it one row; texts without an English or French
// entry use the German one. "\r" starts a new line.
struct TDeviceRow {
    TClassInfo Class;                       // first: the row is found from its class record
    const char* PortName[3] = {};           // the device's name, German, English, French
    const char* Praefix = "HW";             // the component's designator (10 kept)
    const char* BiboName[3] = {"Hardware"}; // the name in the component library
    const char* Beschriftung[3] = {"Interface"};   // drawn on the component (40 kept)
    Integer HelpContext = 35500;
    Byte ListAtEnd = 0;                     // 1: the library lists it last
};

// The class record of a device row whose objects are made by Family(row).
template <class Family>
TClassInfo DeviceRowClass(const char* name)
{
    return {name, &Family::StaticClass(),
            [](const TClassInfo& info) -> TPersistent* {
                return new Family(*reinterpret_cast<const TDeviceRow*>(&info));
            },
            true};
}

// Registers the rows' device classes (and their ancestors) in order.
template <std::size_t N>
void RegisterDeviceRows(const TDeviceRow (&rows)[N])
{
    for (const TDeviceRow& row : rows)
        RegisterClass(row.Class);
}

class TIOInterface : public TIOPort, public IDevice {
    ZK_ROW_BASE_CLASS(TIOInterface, TIOPort, row_ ? &row_->Class : nullptr)

public:
    TIOInterface();
    explicit TIOInterface(const TDeviceRow& row);
    ~TIOInterface() override;

    AnsiString AddressText;         // the address row of the settings, 4 hex digits
    Integer KonfigAddress = 0;
    std::vector<std::unique_ptr<TIOPort>> Ports;   // in declaration order: fixes the channel order
    Integer InputCount = 8;         // size of the first channel group
    Integer HelpContext = 35500;
    Byte ListAtEnd = 0;

    const TDeviceRow* Row() const { return row_; }

    // The port operations, routed through the flattened list: the first
    // group by i, the second by InputCount + i.
    Integer getPinCount() const override;
    void MachEsJetzt() override;
    void setPinValue(Integer i, Extended value) override;
    void setStringValue(Integer i, const AnsiString& text) override;
    Extended getPinValue(Integer i) override;
    Extended getOutputValue(Integer i) override;
    AnsiString getStringInput(Integer i) override;
    Int64 getTimeStamp(Integer i) override;
    void resetValues() override;
    void applyKonfigData() override;
    void getKonfigData() override;
    void writeToStream(TStream& stream, TWriter& writer) override;
    void readFromStream(TStream& stream, TReader& reader) override;
    void SimStart() override;
    void SimStop() override;
    void openDevice() override {}
    void getResources() override;
    void startReceive() override;
    void setInputUsed(Integer i, bool used) override;
    void setOutputUsed(Integer i, bool used) override;

    virtual AnsiString getOutputLongName(Integer i);    // "Pin nicht vorhanden!" outside
    virtual AnsiString getInputLongName(Integer i);
    virtual AnsiString getOutputShortName(Integer i);   // "!!!" outside
    virtual AnsiString getInputShortName(Integer i);
    // Shows KonfigDialog modally; any result but OK restores the snapshot.
    virtual Integer showKonfigDialog();
    virtual TDefault_Dlg* createKonfigDialog();
    virtual void restoreKonfigData();
    virtual void updatePorts();
    virtual void clearPorts();
    void writeConnection(TCustomIniFile& ini, const AnsiString& section) override;
    void readConnection(TCustomIniFile& ini, const AnsiString& section) override;
    virtual AnsiString Praefix() const;
    virtual AnsiString BiboName() const;
    virtual AnsiString Beschriftung() const;

    void BuildPinList();
    Integer GetOutputCount();
    // The device or one of its ports is inside WaitMs: a transfer started now
    // would run inside the waiting one.
    bool IsWaiting() const;

    // What the board uses.
    std::vector<IDevicePort*> DevicePorts() const override;
    void WaitMs(double ms) override { TIOPort::WaitMs(ms); }
    bool IsListedAtEnd() const override { return ListAtEnd != 0; }

private:
    const TDeviceRow* row_ = nullptr;
};

// The one settings snapshot of the program (the dialogs are modal); exists
// from getKonfigData until applyKonfigData or restoreKonfigData.
bool KonfigSnapshotExists();
// "Board #0" .. "Board #127", built on first use.
const std::vector<AnsiString>& BoardNumberList();
