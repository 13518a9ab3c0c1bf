// Settings of the controls that come from stored bytes: the face controller's
// state patterns and settings block, and the column widths of the list box
// with header read from a settings file. Input: a selector byte, then the
// bytes. Readers may refuse only with the stream or conversion error and then
// change nothing; what they take must write and read back the same.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "ui/controls/UCLFaceController.h"
#include "ui/controls/UCLListBox.h"

namespace {

std::vector<Byte> ToBytes(std::string_view bytes)
{
    return {bytes.begin(), bytes.end()};
}

void Kind(std::string_view bytes)
{
    TUCLFaceController controller;
    TUCLCFCStateObject& state = controller.AddState();
    TMemoryStream stream(ToBytes(bytes));
    try {
        TReader reader(stream);
        state.ReadKind(reader);
    } catch (const EReadError&) {
        return;
    }
    FUZZ_CHECK(NormalizeStatePattern(state.Kind) == state.Kind);
}

void SettingsBlock(std::string_view bytes)
{
    TUCLFaceController controller;
    controller.SettingObjects().AddSetting(new TUCLColorObject, "Vorher");
    try {
        controller.ReadSettingsBlock(ToBytes(bytes));
    } catch (const EReadError&) {
        FUZZ_CHECK(controller.SettingObjects().Count() == 1 && controller.SettingObjects().Find("Vorher"));
        return;
    }
    const std::vector<Byte> written = controller.SettingsBlock();
    TUCLFaceController again;
    again.ReadSettingsBlock(written);
    FUZZ_CHECK(again.SettingsBlock() == written);
}

void ColumnWidths(std::string_view bytes)
{
    TUCLListBox box;
    box.Header()->AddSection(QStringLiteral("b"), 20);
    const AnsiString before = box.GetColumnWidths();
    try {
        box.ApplyColumnWidths(AnsiString(bytes));
    } catch (const EConvertError&) {
        FUZZ_CHECK(box.GetColumnWidths() == before);
        return;
    }
    const AnsiString widths = box.GetColumnWidths();
    box.ApplyColumnWidths(widths);
    FUZZ_CHECK(box.GetColumnWidths() == widths);
}

using TFuzzReader = void (*)(std::string_view bytes);
const TFuzzReader Readers[] = {Kind, SettingsBlock, ColumnWidths};

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const Byte selector = input.Byte();
    if (selector < std::size(Readers))
        Readers[selector](input.Rest());
    return 0;
}
