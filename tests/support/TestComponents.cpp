#include "support/TestComponents.h"

#include "engine/Makro.h"
#include "engine/Segment.h"
#include "platform/Stream.h"

TBTTestSource::TBTTestSource()
{
    SetOutputCount(1);
    Designator = "SRC";
}

void TBTTestSource::Calculate()
{
    for (std::size_t i = 0; i < Values.size() && i < Outputs.size(); ++i)
        SetOutputValue(static_cast<Integer>(i), Values[i]);
}

TBTTestTextSource::TBTTestTextSource()
{
    SetOutputCount(1);
    Designator = "TSRC";
}

void TBTTestTextSource::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "$";
    Texts.resize(Outputs.size());
}

void TBTTestTextSource::Calculate()
{
    for (std::size_t i = 0; i < Texts.size() && i < Outputs.size(); ++i)
        SetOutputString(static_cast<Integer>(i), Texts[i]);
}

TBTTestProbe::TBTTestProbe()
{
    SetInputCount(1);
    Designator = "PRB";
}

void TBTTestProbe::Calculate()
{
    Readings.assign(Inputs.size(), {});
    for (Integer i = 0; i < InputCount; ++i)
        Readings[i] = {InputLogic(i), InputValue(i), InputInteger(i), InputLevel(i), InputString(i)};
}

std::function<Integer(TBTTestGate*)> TBTTestGate::EditScript;

TBTTestGate::TBTTestGate()
{
    SetInputCount(2);
    SetOutputCount(1);
    Designator = "TAND";
    HasPropertyDialog = true;
    DataVersion = 2;
}

void TBTTestGate::Calculate()
{
    SetOutputLogic(0, InputLogic(0) && InputLogic(1));
}

void TBTTestGate::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteInteger(Threshold);
}

void TBTTestGate::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (version >= 44)
        Threshold = reader.ReadInteger();
}

Integer TBTTestGate::EditProperties()
{
    return EditScript ? EditScript(this) : 2;
}

TBTTestLamp::TBTTestLamp()
{
    SetInputCount(1);
    Designator = "LMP";
    PanelElementClass = "TFakeElement";
}

Integer TFakeDevice::Alive = 0;
Integer TFakeDevice::Created = 0;

void TFakeDevice::WaitMs(double ms)
{
    for (int i = 0; i < static_cast<int>(ms); ++i)
        if (OnIdle)
            OnIdle();
}

TBTTestHardware::TBTTestHardware() : driver_(std::make_unique<TFakeDevice>())
{
    SetOutputCount(2);
    Designator = "HW";
    HasPropertyDialog = true;
}

void TBTTestHardware::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    driver_ = std::make_unique<TFakeDevice>();
}

TBTTestDdeServer::TBTTestDdeServer()
{
    SetInputCount(2);
    Designator = "DDE";
}

void RegisterTestClasses()
{
    for (const TClassInfo* info :
         {&TSegment::StaticClass(), &TMakro::StaticClass(), &TBTPin::StaticClass(),
          &TBTTestSource::StaticClass(), &TBTTestTextSource::StaticClass(), &TBTTestProbe::StaticClass(), &TBTTestGate::StaticClass(), &TBTTestLamp::StaticClass(),
          &TBTTestHardware::StaticClass(), &TBTTestDdeServer::StaticClass()})
        RegisterClass(*info);
}
