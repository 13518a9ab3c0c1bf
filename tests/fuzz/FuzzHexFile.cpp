// Fuzz entry for the memory components' hex text reader: files come from
// anywhere. Any bytes must read without a fault, never store past the
// memory's size, give the same bytes however the text is split into the
// pieces a file is read in, and a memory written as hex text must read back.
#include "components/digital/HexDatei.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const Integer memorySize = data[0] % 64;
    const std::size_t split = data[1] % (size - 1);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    std::vector<Byte> whole(memorySize + 8, 0xEE);
    const Integer count = ParseHexText(text, whole.data(), memorySize);
    FUZZ_CHECK(count >= 0 && count <= memorySize);
    for (Integer i = memorySize; i < memorySize + 8; ++i)
        FUZZ_CHECK(whole[i] == 0xEE);
    for (Integer i = count; i < memorySize; ++i)
        FUZZ_CHECK(whole[i] == 0);

    std::vector<Byte> pieces(memorySize + 8, 0xEE);
    std::memset(pieces.data(), 0, memorySize);
    THexReader reader(pieces.data(), memorySize);
    reader.Feed(text.substr(0, split));
    reader.Feed(text.substr(std::min(split, text.size())));
    FUZZ_CHECK(reader.Count() == count);
    FUZZ_CHECK(pieces == whole);

    // The bytes as the save writes them: two upper-case digits and CR LF a line.
    static const char Digits[] = "0123456789ABCDEF";
    std::string saved;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<Byte>(text[i]);
        saved += {Digits[b >> 4], Digits[b & 15], '\r', '\n'};
    }
    std::vector<Byte> back(text.size() + 1);
    FUZZ_CHECK(ParseHexText(saved, back.data(), static_cast<Integer>(text.size())) ==
               static_cast<Integer>(text.size()));
    FUZZ_CHECK(std::memcmp(back.data(), text.data(), text.size()) == 0);
    return 0;
}
