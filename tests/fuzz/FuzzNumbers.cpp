// Number texts and byte definitions as users and peers type them. Input: a
// double, an integer, a bit count, a format option byte, digit and decimal
// counts, a buffer size (two bytes), then the text. The text is read as a
// number and as a byte definition into a buffer of exactly the given size;
// the numbers are formatted in every way and read back: the general format
// with 21 digits exactly, the 8-digit value text to 8 digits, the binary
// text bit for bit.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "engine/ByteDefinition.h"
#include "engine/Formats.h"
#include "engine/Publics.h"

#include <cmath>
#include <memory>

namespace {

void ReadText(const AnsiString& text, std::size_t bufferSize)
{
    ParseValueText(text);
    StrToValue(text);
    ParseBinaryText(text);
    const Integer hex = ParseHexByte(text);
    FUZZ_CHECK(hex >= 0 && hex <= 255);
    const Integer dec = ParseDecimalByte(text);
    FUZZ_CHECK(dec >= 0 && dec <= 255);

    // Exactly bufferSize bytes, so the sanitizer sees any write beyond.
    const auto buffer = std::make_unique<Byte[]>(bufferSize);
    const Integer count = ParseByteDefinition(text, buffer.get(), bufferSize);
    if (bufferSize == 0) {
        FUZZ_CHECK(count == 0);
        return;
    }
    FUZZ_CHECK(count >= 0 && std::size_t(count) < bufferSize);
    FUZZ_CHECK(buffer[std::size_t(count)] == 0);
    HexPreview(buffer.get(), std::size_t(count));
}

void FormatAndReadBack(double value, Integer integer, Integer bits, Byte options, Integer digits,
                       Integer decimals)
{
    const Extended extended = value;
    const AnsiString general = FormatGeneral(extended, 21, 1);
    if (std::isfinite(value)) {
        FUZZ_CHECK(ParseValueText(general) == extended);
        const Extended back = StrToValue(ValueToStr(extended));
        FUZZ_CHECK(std::fabs(back - extended) <= std::fabs(extended) * 1e-7L);
    }
    FUZZ_CHECK(ParseBinaryText(FormatBinary(integer, 32)) == integer);
    FormatBinary(integer, bits);

    TFormat format;
    format.Options = TFormatOptions::FromByte(options);
    format.Digits = digits;
    format.Decimals = decimals;
    format.PlusSign = options & 0x80;
    format.FormatNumber(value);
    format.FormatText(general);
    FormatKindName(format.Options);
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
    const auto value = input.Value<double>();
    const auto integer = input.Value<Integer>();
    const Integer bits = static_cast<std::int8_t>(input.Byte());
    const Byte options = input.Byte();
    const auto digits = input.Value<Integer>();
    const auto decimals = input.Value<Integer>();
    const std::size_t bufferSize = input.Byte() | (input.Byte() & 1) << 8;
    ReadText(AnsiString(input.Rest()), bufferSize);
    FormatAndReadBack(value, integer, bits, options, digits, decimals);
    return 0;
}
