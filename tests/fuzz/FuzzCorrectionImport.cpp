// The correction table's readers of outside bytes: the import of a text file
// and the table record of a project file. Input: one selector byte, then the
// bytes. The import always ends in at least two finite pairs sorted by input,
// free of equal inputs (but for the padded single pair of input 1), or in
// nothing for a text of too many lines; the record is read whole or refused
// with the table unchanged.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "components/analog/Korrekturwerte.h"
#include "platform/Stream.h"

#include <cmath>
#include <vector>

namespace {

void CheckTable(const TKorrekturwerte& values)
{
    for (Integer i = 0; i < values.Count(); ++i) {
        FUZZ_CHECK(std::isfinite(values[i].Input) && std::isfinite(values[i].Output));
        if (i > 0)
            FUZZ_CHECK(values[i - 1].Input <= values[i].Input);
    }
    for (const Extended x : {-1e6L, -1.0L, 0.0L, 0.5L, 1.0L, 1e6L})
        values.Interpolate(x);
    for (Integer i = 0; i < values.Count(); ++i)
        values.Interpolate(values[i].Input);
}

void Import(std::string_view text)
{
    const auto imported = ImportCorrectionText(text);
    if (!imported)
        return;
    FUZZ_CHECK(imported->Count() >= 2);
    CheckTable(*imported);
    for (Integer i = 1; i < imported->Count(); ++i)
        if (imported->Count() > 2 || (*imported)[i].Input != 1.0L)
            FUZZ_CHECK((*imported)[i - 1].Input < (*imported)[i].Input);
}

void ReadRecord(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream stream(std::vector<Byte>(data, data + size));
    TKorrekturwerte values;
    values.Add(7.0L, 7.0L);
    const TKorrekturwerte before = values;
    try {
        TReader reader(stream);
        values.ReadFrom(reader);
    } catch (const EFilerError&) {
        FUZZ_CHECK(values == before);
        return;
    }
    FUZZ_CHECK(values.Count() <= TKorrekturwerte::MaxCount);
    CheckTable(values);
}

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const std::uint8_t selector = input.Byte();
    const std::string_view rest = input.Rest();
    if (selector & 1)
        ReadRecord(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
    else
        Import(rest);
    return 0;
}
