// Fuzz entry for the stream readers. Input layout: one byte selects the
// reader (table below; unknown selectors do nothing, so existing corpus files
// keep their meaning when readers are added), one byte the filer buffer size
// (0 = the standard 2000 bytes), the rest is the stream. A reader may only
// end with EReadError; anything else (a crash, a sanitizer report, another
// exception, a hang) is a fault.
#include "platform/FileHeader.h"
#include "platform/Stream.h"
#include "shell/ComponentClasses.h"
#include "support/TestBoard.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Reads typed values by their tags until the stream ends. Tags the filer does
// not read as values are taken as the length of a raw block; vaNull ends the
// reader (giving back its read-ahead) and continues with a fresh one.
void ReadValues(TStream& stream, std::size_t bufSize)
{
    for (;;) {
        TReader reader(stream, bufSize);
        for (bool freshReader = false; !freshReader;) {
            if (reader.EndOfStream())
                return;
            const TValueType tag = reader.NextValue();
            switch (tag) {
            case TValueType::vaInt8:
            case TValueType::vaInt16:
            case TValueType::vaInt32: reader.ReadInteger(); break;
            case TValueType::vaInt64: reader.ReadInt64(); break;
            case TValueType::vaExtended: reader.ReadFloat(); break;
            case TValueType::vaString:
            case TValueType::vaLString: reader.ReadString(); break;
            case TValueType::vaFalse:
            case TValueType::vaTrue: reader.ReadBoolean(); break;
            case TValueType::vaNull:
                reader.ReadValue();
                freshReader = true;
                break;
            default: {
                reader.ReadValue();
                std::vector<Byte> block(static_cast<Byte>(tag));
                reader.Read(block.data(), block.size());
                break;
            }
            }
        }
    }
}

void ReadHeaderAndValues(TStream& stream, std::size_t bufSize, bool saveCompiled)
{
    {
        TReader reader(stream, bufSize);
        ReadFileHeader(reader, saveCompiled);
    }
    ReadValues(stream, bufSize);
}

// A board part read into a board with the program's component classes, the
// test classes and the test host (the first byte is the file version), then
// tidied and written again as the editor and the file commands would. A file
// of an unregistered class ends with the class-not-found error, which is as
// expected as a read error.
void ReadBoardFrom(TStream& stream, std::size_t bufSize)
{
    Byte version = 46;
    if (stream.Read(&version, 1) != 1)
        return;
    // The program's own component classes beside the test classes.
    static const bool registered = (RegisterComponentClasses(), true);
    (void)registered;
    TTestBoard board;
    try {
        TReader reader(stream, bufSize);
        board.Board().ReadObjects(stream, reader, version);
    } catch (const EClassNotFound&) {
    }
    board.Board().NormaliseAllWires();
    board.WriteToMemory();
}

void ReadBoard(TStream& stream, std::size_t bufSize)
{
    ReadBoardFrom(stream, bufSize);
}

// The same from a file, where print settings and panel pages are read too.
void ReadBoardFile(TStream& stream, std::size_t bufSize)
{
    const std::string name = "/tmp/zk-fuzz-board-" + std::to_string(getpid());
    struct TRemove {
        const std::string& Name;
        ~TRemove() { unlink(Name.c_str()); }
    } remove{name};
    {
        TFileStream file(name, TFileMode::fmCreate);
        std::vector<Byte> bytes(static_cast<std::size_t>(stream.Size()));
        stream.ReadBuffer(bytes.data(), bytes.size());
        file.WriteBuffer(bytes.data(), bytes.size());
    }
    TFileStream file(name, TFileMode::fmOpenRead);
    ReadBoardFrom(file, bufSize);
}

using TFuzzReader = void (*)(TStream& stream, std::size_t bufSize);

const TFuzzReader Readers[] = {
    /* 0 */ ReadValues,
    /* 1 */ [](TStream& s, std::size_t b) { ReadHeaderAndValues(s, b, false); },
    /* 2 */ [](TStream& s, std::size_t b) { ReadHeaderAndValues(s, b, true); },
    /* 3 */ ReadBoard,
    /* 4 */ ReadBoardFile,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 || data[0] >= std::size(Readers))
        return 0;
    const std::size_t bufSize = data[1] == 0 ? FilerBufferSize : data[1];
    TMemoryStream stream(std::vector<Byte>(data + 2, data + size));
    try {
        Readers[data[0]](stream, bufSize);
    } catch (const EReadError&) {
        // The expected end of a damaged stream.
    }
    return 0;
}
