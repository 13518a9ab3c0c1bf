// Wave sounds from outside: files, form data and the wave list's blocks. Input:
// a selector byte (table below), then the bytes. The header check and the
// loaders may refuse the bytes only with their own exceptions or the stream
// error; a refused load keeps the sound held before, and whatever loads must
// save and load back unchanged.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "ui/controls/UCLWave.h"

#include <functional>

namespace {

std::vector<Byte> ToBytes(std::string_view bytes)
{
    return {bytes.begin(), bytes.end()};
}

std::vector<Byte> HeldBefore()
{
    std::vector<Byte> bytes(44, 0);
    const char tags[] = "RIFF\0\0\0\0WAVEfmt ";
    std::copy(tags, tags + 16, bytes.begin());
    return bytes;
}

// Runs one loader into a wave holding a known sound.
void Loading(const std::function<void(TUCLWave&)>& load)
{
    TUCLWave wave;
    wave.SetData(HeldBefore());
    try {
        load(wave);
    } catch (const EInvalidWave&) {
        FUZZ_CHECK(wave.Data() == HeldBefore());
        return;
    } catch (const EErrorCheckingWave&) {
        FUZZ_CHECK(wave.Data() == HeldBefore());
        return;
    } catch (const EReadError&) {
        FUZZ_CHECK(wave.Data() == HeldBefore());
        return;
    }
    for (bool compressed : {false, true}) {
        TMemoryStream saved;
        WriteStreamWave(saved, wave, compressed);
        saved.SetPosition(0);
        TUCLWave back;
        ReadStreamWave(saved, back, compressed);
        FUZZ_CHECK(back.Data() == wave.Data());
    }
}

void Header(std::string_view bytes)
{
    try {
        (void)CheckWaveHeader(ToBytes(bytes));
    } catch (const EErrorCheckingWave&) {
    }
}

void Plain(std::string_view bytes)
{
    Loading([&](TUCLWave& wave) {
        TMemoryStream stream(ToBytes(bytes));
        wave.LoadFromStream(stream);
    });
}

void Sized(std::string_view bytes)
{
    Loading([&](TUCLWave& wave) {
        TMemoryStream stream(ToBytes(bytes));
        wave.ReadData(stream);
    });
}

void Compressed(std::string_view bytes)
{
    Loading([&](TUCLWave& wave) {
        TMemoryStream stream(ToBytes(bytes));
        ReadStreamWave(stream, wave, true);
    });
}

using TFuzzReader = void (*)(std::string_view bytes);
const TFuzzReader Readers[] = {Header, Plain, Sized, Compressed};

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const Byte selector = input.Byte();
    if (selector < std::size(Readers))
        Readers[selector](input.Rest());
    return 0;
}
