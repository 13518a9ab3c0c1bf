// The front-panel window's block of the project file and its settings files.
// Input: the file's version byte, then the block. A block that reads must
// give a usable window (a page shown, a tab index inside the pages, a size
// of at least one pixel and at most the largest element's) and write again;
// a reader may only end with the stream error. The same bytes are then
// loaded as a settings file, answering every question Yes.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "engine/Globals.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/PanelClasses.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Stream.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    RegisterPanelClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const std::uint8_t version = input.Byte();
    const std::string_view block = input.Rest();

    TFrontplatte panel;
    {
        TMemoryStream stream(std::vector<Byte>(block.begin(), block.end()));
        TReader reader(stream);
        try {
            panel.ReadFromStream(stream, reader, version);
            FUZZ_CHECK(panel.PageCount() >= 1);
            FUZZ_CHECK(panel.AktiveFrontplatte() >= 0 && panel.AktiveFrontplatte() < panel.PageCount());
            FUZZ_CHECK(panel.WindowBounds().width() >= 1 && panel.WindowBounds().height() >= 1);
            // No larger than an element: shown, the window's picture is its size.
            FUZZ_CHECK(panel.WindowBounds().width() <= MaxElementExtent &&
                       panel.WindowBounds().height() <= MaxElementExtent);
            TMemoryStream out;
            TWriter writer(out);
            panel.WriteToStream(out, writer);
            writer.FlushBuffer();
        } catch (const EReadError&) {
        }
    }

    static QTemporaryDir folder;
    const QString name = folder.filePath("Fuzz.EST");
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(block.data(), static_cast<qint64>(block.size()));
    }
    TModalHook yes([](const TModalRequest&) { return TModalAnswer::Button(IDYES); });
    panel.LoadSettingsFile(name.toStdString());
    return 0;
}
