// Fuzz entry for the front panel's design block and element records. Input
// layout: one byte the file version, then the design block. A read may only
// end with EReadError or EClassNotFound; what it read must paint and write
// back without a fault, and no element may be larger than a record allows.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "panel/framework/Design.h"
#include "panel/framework/PanelClasses.h"
#include "platform/ClassRegistry.h"
#include "platform/Stream.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    RegisterPanelClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const Byte version = input.Byte();
    const std::string_view block = input.Rest();

    TDesign design;
    design.resize(300, 200);
    TMemoryStream stream(std::vector<Byte>(block.begin(), block.end()));
    try {
        TReader reader(stream);
        design.ReadFromStream(stream, reader, version);
    } catch (const EReadError&) {
        return 0;
    } catch (const EClassNotFound&) {
        return 0;
    }
    for (const TFP_Element* element : design.Elements)
        FUZZ_CHECK(element->width() <= MaxElementExtent && element->height() <= MaxElementExtent);

    // Painted small: the picture of every element on a page of its own.
    QImage image(300, 200, QImage::Format_RGB32);
    design.render(&image);
    for (TFP_Element* element : design.Elements) {
        QImage small(64, 64, QImage::Format_RGB32);
        element->render(&small);
    }
    TMemoryStream written;
    {
        TWriter writer(written);
        design.WriteToStream(written, writer);
    }
    return 0;
}
