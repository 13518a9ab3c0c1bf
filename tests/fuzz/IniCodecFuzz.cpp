// Fuzz entry for the settings component's value decoders: stored values come
// from INI files and registry stand-ins anyone can edit. Any bytes must
// decode without a fault, and encoding then decoding must give the bytes back.
#include "ui/controls/UCLIniCtrl.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const AnsiString bytes(reinterpret_cast<const char*>(data), size);
    const Word key = size >= 2 ? Word(data[0] | (data[1] << 8)) : 0;
    (void)Decode6Bit(bytes);
    (void)UnscrambleString(Decode6Bit(bytes), key);
    if (Decode6Bit(Encode6Bit(bytes)) != bytes || UnscrambleString(ScrambleString(bytes, key), key) != bytes)
        std::abort();
    return 0;
}
