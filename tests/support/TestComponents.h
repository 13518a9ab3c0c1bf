// Components that exist only for tests: a source whose outputs the test sets,
// a probe that records what its inputs read, an AND-like gate with a stored
// field of its own and a scripted settings dialog, a lamp with a panel element, a hardware component with
// a fake device, and a DDE server component that records the board's calls.
#pragma once

#include "engine/DdeInterfaces.h"
#include "engine/DeviceInterfaces.h"
#include "engine/GrundBT.h"

#include <functional>
#include <memory>
#include <vector>

// Writes Values[i] to output i in each step (SetOutputValue).
class TBTTestSource : public TGrundBT {
    ZK_CLASS(TBTTestSource, TGrundBT)

public:
    TBTTestSource();
    std::vector<Extended> Values;
    void OutputsCreated() override { Values.resize(Outputs.size()); }
    void Calculate() override;
    AnsiString GetTypeName() const override { return "Testquelle"; }
};

// Writes Texts[i] to output i in each step (SetOutputString); its outputs
// are text pins.
class TBTTestTextSource : public TGrundBT {
    ZK_CLASS(TBTTestTextSource, TGrundBT)

public:
    TBTTestTextSource();
    std::vector<AnsiString> Texts;
    void OutputsCreated() override;
    void Calculate() override;
    AnsiString GetTypeName() const override { return "Testtextquelle"; }
};

// Records every read of every input in each step.
class TBTTestProbe : public TGrundBT {
    ZK_CLASS(TBTTestProbe, TGrundBT)

public:
    TBTTestProbe();
    struct TReading {
        bool Logic = false;
        Extended Value = 0.0L;
        Integer Int = 0;
        Extended Level = 0.0L;
        AnsiString Text;
    };
    std::vector<TReading> Readings;
    void Calculate() override;
    AnsiString GetTypeName() const override { return "Testsonde"; }
};

// Output 0 = input 0 AND input 1. Threshold is a field of its own record
// (DataVersion 2), present from file version 44 on.
class TBTTestGate : public TGrundBT {
    ZK_CLASS(TBTTestGate, TGrundBT)

public:
    TBTTestGate();
    Integer Threshold = 7;
    void Calculate() override;
    AnsiString GetTypeName() const override { return "TESTUND"; }
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    // The settings dialog: runs the test's script and returns its result.
    Integer EditProperties() override;
    static std::function<Integer(TBTTestGate*)> EditScript;
};

// A component that owns a front-panel element.
class TBTTestLamp : public TGrundBT {
    ZK_CLASS(TBTTestLamp, TGrundBT)

public:
    TBTTestLamp();
    AnsiString GetTypeName() const override { return "Testlampe"; }
};

class TFakeDevice : public IDevice {
public:
    std::vector<IDevicePort*> DevicePorts() const override { return {}; }
    // One idle call per millisecond of the wait.
    void WaitMs(double ms) override;
    static Integer Alive;
    static Integer Created;
    TFakeDevice()
    {
        ++Alive;
        ++Created;
    }
    ~TFakeDevice() override { --Alive; }
};

class TBTTestHardware : public TGrundBT, public IHardwareComponent {
    ZK_CLASS(TBTTestHardware, TGrundBT)

public:
    TBTTestHardware();
    IDevice* Driver() const override { return driver_.get(); }
    void FreeDriver() override { driver_.reset(); }
    // The record creates a new device.
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    AnsiString GetTypeName() const override { return "Testgeraet"; }
    Integer EditProperties() override { return 1; }   // a confirmed dialog

private:
    std::unique_ptr<TFakeDevice> driver_;
};

class TBTTestDdeServer : public TGrundBT, public IDdeServer {
    ZK_CLASS(TBTTestDdeServer, TGrundBT)

public:
    TBTTestDdeServer();
    void SetBoardPath(const AnsiString& boardName) override { BoardPath = boardName; }
    void ClearItems() override { Items = 0; }
    void CreateItems() override { Items = InputCount; ++Creations; }
    AnsiString GetTypeName() const override { return "DDE-Server"; }
    AnsiString BoardPath;
    Integer Items = 0;
    Integer Creations = 0;
};

// Registers the engine's board classes and the test components.
void RegisterTestClasses();
