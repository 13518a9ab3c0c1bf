// The hardware component's record as a project file brings it, with fake
// cards registered as device classes. Input: a selector (0: the record of
// today with the device class name, 1: an older file's record under the
// legacy name "TBTRelaiskarte" without it), the file version, then the
// record's bytes. A reader may only end with the stream error or the
// class-not-found error; a record that reads gives a component that steps,
// and that writes, reads into a new component and writes again equally.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "engine/ShellHooks.h"
#include "fakes/FakeCard.h"
#include "hardware/framework/BT_Hardware.h"
#include "platform/Stream.h"

#include <memory>
#include <vector>

namespace {

const TDeviceRow LegacyRows[] = {
    {.Class = DeviceRowClass<TFakeCard>("TRelaiskarte"), .PortName = {"Relaiskarte"}, .Praefix = "REL"},
};

std::vector<Byte> Written(TBTHardware& hardware)
{
    TMemoryStream stream;
    TWriter writer(stream);
    hardware.WriteData(stream, writer);
    writer.FlushBuffer();
    return stream.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    RegisterClass(TBTHardware::StaticClass());
    RegisterFakeCards();
    RegisterDeviceRows(LegacyRows);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const Byte selector = input.Byte();
    const Byte version = input.Byte();
    if (selector > 1)
        return 0;
    const std::string_view bytes = input.Rest();
    std::unique_ptr<TBTHardware> hardware(TBTHardware::CreateWithDriver(selector == 0 ? "TBTHardware"
                                                                                       : "TBTRelaiskarte"));
    try {
        TMemoryStream stream(std::vector<Byte>(bytes.begin(), bytes.end()));
        TReader reader(stream);
        hardware->ReadData(stream, reader, version);
    } catch (const EReadError&) {
        return 0;
    } catch (const EClassNotFound&) {
        return 0;
    }
    // Pins and channels agree however the record set the counts.
    hardware->Calculate();
    (void)hardware->GetHintText();
    const std::vector<Byte> first = Written(*hardware);
    std::unique_ptr<TBTHardware> copy(TBTHardware::CreateWithDriver("TBTHardware"));
    TMemoryStream stream(first);
    {
        TReader reader(stream);
        copy->ReadData(stream, reader, 255);
    }
    FUZZ_CHECK(Written(*copy) == first);
    return 0;
}
