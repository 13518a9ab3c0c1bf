#include "support/LibraryDoubles.h"

#include "engine/ShellHooks.h"
#include "platform/Stream.h"

TBTTestHolder::TBTTestHolder()
{
    SetOutputCount(1);
    Designator = "HLD";
}

AnsiString TBTTestHolder::GetTypeName() const
{
    const auto* card = dynamic_cast<const TTestCard*>(device_.get());
    return card ? card->DeviceName() : "Halter";
}

void TBTTestHolder::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    const auto* card = dynamic_cast<const TPersistent*>(device_.get());
    writer.WriteString(card ? card->ClassName() : "");
}

void TBTTestHolder::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    const AnsiString name = reader.ReadString();
    std::unique_ptr<TPersistent> object(name.empty() ? nullptr : CreateObjectByName(name));
    if (auto* device = dynamic_cast<IDevice*>(object.get())) {
        object.release();
        device_.reset(device);
    } else {
        device_.reset();
    }
}

void RegisterLibraryDoubles()
{
    RegisterClass(TTestCard::StaticClass());
    RegisterClass(TTestOldCard::StaticClass());
    RegisterClass(TBTTestHolder::StaticClass());
    ShellHooks.CreateHardwareHolding = [](IDevice* device) -> TBauteil* {
        TBTTestHolder* holder = CreateBauteil<TBTTestHolder>();
        holder->Hold(device);
        return holder;
    };
}
