// The records of the panel's indicator elements (LEDs, lamp) as a project
// file brings them. Input: the element class (table below), the file
// version, then the record's bytes. A record that reads is written, read into
// a new element and written again: both writes must be equal. The element is
// painted after reading. A reader may only end with the stream error.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "panel/elements/FP_LED.h"
#include "panel/elements/FP_Lampe.h"
#include "platform/Stream.h"

#include <QImage>

#include <functional>
#include <memory>

namespace {

const std::function<std::unique_ptr<TFP_Element>()> Classes[] = {
    [] { return std::make_unique<TPLED>(); },
    [] { return std::make_unique<TDuoLED>(); },
    [] { return std::make_unique<TRGBLED>(); },
    [] { return std::make_unique<TPLampe>(); },
};

std::vector<Byte> Written(TFP_Element& element)
{
    TMemoryStream stream;
    TWriter writer(stream);
    element.WriteData(stream, writer);
    writer.FlushBuffer();
    return stream.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const Byte selector = input.Byte();
    const Byte version = input.Byte();
    if (selector >= std::size(Classes))
        return 0;
    const std::string_view bytes = input.Rest();
    std::unique_ptr<TFP_Element> element = Classes[selector]();
    try {
        TMemoryStream stream(std::vector<Byte>(bytes.begin(), bytes.end()));
        TReader reader(stream);
        element->ReadData(stream, reader, version);
    } catch (const EReadError&) {
        return 0;
    }
    QImage picture;
    element->PaintToBitmap(picture);
    const std::vector<Byte> first = Written(*element);
    std::unique_ptr<TFP_Element> copy = Classes[selector]();
    TMemoryStream stream(first);
    {
        TReader reader(stream);
        copy->ReadData(stream, reader, 255);
    }
    FUZZ_CHECK(Written(*copy) == first);
    return 0;
}
