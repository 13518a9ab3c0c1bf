// The control library's byte data: stream blocks, the block codec, the four
// container kinds and container files. Input: a selector (table below), a
// flags byte, then the bytes. Whatever reads is written again and must read
// back the same; containers are saved, loaded and saved again, and the two
// saves must be equal. A reader may only end with the stream error.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "ui/controls/UCLContainer.h"
#include "ui/controls/UCLImageList.h"
#include "ui/controls/UCLLZRW.h"
#include "ui/controls/UCLLists.h"
#include "ui/controls/UCLStreamUtils.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

// Removed with its files when the process ends.
QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

std::vector<Byte> ToBytes(std::string_view bytes)
{
    return {bytes.begin(), bytes.end()};
}

// Runs one reader; the stream error is its expected end.
void Reading(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EReadError&) {
    }
}

void StreamBlocks(Byte flags, std::string_view bytes)
{
    const bool compressed = flags & 1;
    TMemoryStream stream(ToBytes(bytes));
    Reading([&] { ReadStreamShortString(stream); });
    Reading([&] { ReadStreamSizedBlock(stream); });
    Reading([&] { ReadStreamData(stream, compressed); });
    Reading([&] { ReadStreamBitmap(stream, compressed); });
    Reading([&] {
        const std::vector<AnsiString> lines = ReadStreamStrings(stream, compressed);
        TMemoryStream written;
        WriteStreamStrings(written, lines, compressed);
        written.SetPosition(0);
        FUZZ_CHECK(ReadStreamStrings(written, compressed) == lines);
    });
}

void Codec(Byte flags, std::string_view bytes)
{
    const std::vector<Byte> data = ToBytes(bytes.substr(0, LZRWChunkSize));
    const std::size_t maxOutput = flags & 1 ? LZRWChunkSize : flags;
    Reading([&] { LZRWDecompress(data.data(), data.size(), maxOutput); });
    const std::vector<Byte> block = LZRWCompress(data.data(), data.size());
    FUZZ_CHECK(LZRWDecompress(block.data(), block.size()) == data);

    TMemoryStream source(ToBytes(bytes));
    Reading([&] {
        TMemoryStream expanded;
        DecompressStream(source, expanded);
    });
    // Longer inputs make several chunks.
    std::vector<Byte> long_;
    for (int k = 0; k < (flags >> 4); ++k)
        long_.insert(long_.end(), bytes.begin(), bytes.end());
    TMemoryStream plain(long_), packed, back;
    CompressStream(plain, packed, long_.size());
    packed.SetPosition(0);
    DecompressStream(packed, back);
    FUZZ_CHECK(back.Bytes() == long_);
}

template <class Container>
void Containers(Byte flags, std::string_view bytes)
{
    const bool withIndex = flags & 1;
    Container loaded;
    loaded.DefaultCompressed = flags & 2;
    TMemoryStream stream(ToBytes(bytes));
    try {
        loaded.LoadFromStream(stream, withIndex);
    } catch (const EReadError&) {
        FUZZ_CHECK(loaded.Count() == 0);   // damaged data leaves the container as it was
        return;
    }
    TMemoryStream first;
    loaded.SaveToStream(first, withIndex);
    first.SetPosition(0);
    Container again;
    again.LoadFromStream(first, withIndex);
    FUZZ_CHECK(again.Count() == loaded.Count());
    TMemoryStream second;
    again.SaveToStream(second, withIndex);
    FUZZ_CHECK(second.Bytes() == first.Bytes());
}

std::unique_ptr<TUCLListItem> ItemOf(int type)
{
    switch (type) {
    case ctImageList: return std::make_unique<TUCLImageListItem>();
    case ctBitmapList: return std::make_unique<TUCLBitmapListItem>();
    case ctWaveList: return std::make_unique<TUCLWaveListItem>();
    case ctStringList: return std::make_unique<TUCLStringListItem>();
    default: return nullptr;
    }
}

void ContainerFile(Byte flags, std::string_view bytes)
{
    const std::string name = Folder().path().toStdString() + "/fuzz.bin";
    {
        TFileStream file(name, TFileMode::fmCreate);
        file.WriteBuffer(bytes.data(), bytes.size());
    }
    Reading([&] {
        Integer count = 0;
        std::vector<Integer> offsets;
        const int type = ReadContainerFileHeader(name, count, &offsets);
        std::unique_ptr<TUCLListItem> item = ItemOf(type);
        if (!item)
            return;
        for (int index = 0; index < std::min<int>(int(offsets.size()), 8); ++index) {
            Reading([&] { LoadItemFromContainerFile(name, type, &offsets, index, *item); });
            Reading([&] { LoadItemFromContainerFile(name, type, nullptr, index, *item); });
        }
    });
}

using TFuzzReader = void (*)(Byte flags, std::string_view bytes);

const TFuzzReader Readers[] = {
    /* 0 */ StreamBlocks,
    /* 1 */ Codec,
    /* 2 */ Containers<TUCLImageList>,
    /* 3 */ Containers<TUCLBitmapList>,
    /* 4 */ Containers<TUCLStringList>,
    /* 5 */ Containers<TUCLWaveList>,
    /* 6 */ ContainerFile,
};

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return Folder().isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const Byte selector = input.Byte();
    const Byte flags = input.Byte();
    if (selector < std::size(Readers))
        Readers[selector](flags, input.Rest());
    return 0;
}
