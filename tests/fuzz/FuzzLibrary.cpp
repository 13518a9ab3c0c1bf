// Library palette files (".bib") with the test classes. Input: the palette's
// width, a flags byte (1: text only, 2: disabled), the painted window's
// place, then the file (its five header bytes carry the version in the
// fourth). A file that reads is laid out, painted into a bounded image at
// the chosen place and hit-tested at every entry; the palette's height must
// stay what a widget can have. A reader may only end with the stream error
// or the class-not-found error.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "platform/HtmlHelp.h"
#include "support/LibraryDoubles.h"
#include "support/TestComponents.h"

#include "engine/Bibo.h"
#include "platform/Canvas.h"
#include "platform/ClassRegistry.h"
#include "platform/Stream.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

// The most of the palette painted per input.
constexpr int ImageHeight = 600;
// What the palette may grow to at its usual zoom.
constexpr int MaxPaletteHeight = 400'000;

void HitTests(TBibo& palette)
{
    const int w = palette.width();
    const int h = palette.height();
    std::vector<int> rows = {-10, 0, h / 2, h - 1, h + 10};
    for (Integer bottom : palette.EntryBottoms) {
        const int pixel = static_cast<int>(bottom * 80LL / 254);
        rows.insert(rows.end(), {pixel - 20, pixel - 5, pixel});
    }
    for (int y : rows) {
        for (int x : {-10, 2, 10, w / 2, w + 10}) {
            palette.EntryAt(x, y);
            palette.HelpMarkHit(x, y);
            palette.InfoMarkHit(x, y);
        }
        // A right click writes the entry's placing stream and hands nothing over.
        palette.MouseDown(TMouseButton::mbRight, 0, w / 2, y);
    }
}

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    RegisterTestClasses();
    RegisterLibraryDoubles();
    SetHelpOpener([](const QUrl&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const int width = 40 + 2 * input.Byte();
    const std::uint8_t flags = input.Byte();
    const std::uint8_t place = input.Byte();
    const std::string_view file = input.Rest();

    TBibo palette;
    palette.resize(width, 100);
    palette.TextOnly = flags & 1;
    palette.setEnabled(!(flags & 2));
    palette.StripWidth = width * 254 / 80;
    palette.OnReadHeader = [&palette](TStream&, TReader& reader) {
        Byte header[5];
        reader.Read(header, sizeof header);
        palette.FileVersion = header[3];
    };
    TMemoryStream stream(std::vector<Byte>(file.begin(), file.end()));
    try {
        palette.ReadEntries(stream);
    } catch (const EReadError&) {
        return 0;
    } catch (const EClassNotFound&) {
        return 0;
    }
    FUZZ_CHECK(palette.height() >= 0 && palette.height() <= MaxPaletteHeight);

    QImage image(width, ImageHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.translate(0, -std::max(0, palette.height() - ImageHeight) * place / 255);
        TCanvas canvas(painter);
        palette.Paint(canvas);
    }
    HitTests(palette);
    return 0;
}
