#include "ui/controls/UCLLZRW.h"

#include "ui/controls/UCLStreamUtils.h"

#include <algorithm>
#include <array>

namespace {

constexpr Byte CodedBlock = 0x40;
constexpr Byte StoredBlock = 0x80;
constexpr Word NoPosition = 0xFFFF;   // chunk positions stay below 0x800D
constexpr std::size_t MaxOffset = 4095;
constexpr std::size_t MaxMatch = 18;
constexpr std::size_t MaxRun = 4095;
constexpr std::size_t MinRun = 16;
constexpr int MaxChunkBlock = 65535;

[[noreturn]] void Damaged()
{
    throw EReadError(SLZRWError);
}

}   // namespace

std::vector<Byte> LZRWCompress(const Byte* in, std::size_t size)
{
    // Room for the items written before the size check switches to a stored block.
    std::vector<Byte> out(size + 16);
    std::array<Word, 4096> table;
    table.fill(NoPosition);

    out[0] = CodedBlock;
    std::size_t commandPos = 1;
    std::size_t p = 3;
    std::uint32_t command = 0;
    unsigned items = 0;
    std::size_t i = 0;
    while (i < size && p <= size) {
        if (items == 16) {
            out[commandPos] = Byte(command >> 8);
            out[commandPos + 1] = Byte(command);
            commandPos = p;
            p += 2;
            items = 0;
            command = 0;
        }
        std::size_t run = 1;
        while (run < MaxRun && i + run < size && in[i + run] == in[i])
            ++run;
        if (run >= MinRun) {
            out[p++] = 0;
            out[p++] = Byte((run - MinRun) / 256);
            out[p++] = Byte((run - MinRun) % 256);
            out[p++] = in[i];
            command = (command << 1) | 1;
            i += run;
        } else {
            std::size_t length = 0;
            std::size_t q = 0;
            if (i + 2 < size) {   // fewer than three bytes left can never match
                std::uint32_t h = ((std::uint32_t(in[i]) << 4) ^ in[i + 1]) << 4 ^ in[i + 2];
                h = ((h * 40543u) >> 4) & 0xFFF;
                const Word stored = table[h];
                table[h] = Word(i);
                if (stored != NoPosition && i - stored <= MaxOffset) {
                    q = stored;
                    const std::size_t limit = std::min(MaxMatch, size - i);
                    while (length < limit && in[q + length] == in[i + length])
                        ++length;
                }
            }
            if (length >= 3) {
                const std::size_t code = (i - q) * 16 + length - 3;
                out[p++] = Byte(code >> 8);
                out[p++] = Byte(code);
                command = (command << 1) | 1;
                i += length;
            } else {
                out[p++] = in[i++];
                command <<= 1;
            }
        }
        ++items;
    }
    command = (command << (16 - items)) & 0xFFFF;
    out[commandPos] = Byte(command >> 8);
    out[commandPos + 1] = Byte(command);

    if (p > size) {
        out.assign(size + 1, 0);
        out[0] = StoredBlock;
        std::copy(in, in + size, out.begin() + 1);
        return out;
    }
    out.resize(p);
    return out;
}

std::vector<Byte> LZRWDecompress(const Byte* block, std::size_t size, std::size_t maxOutput)
{
    std::vector<Byte> out;
    if (size == 0)
        Damaged();
    if (block[0] == StoredBlock) {
        if (size - 1 > maxOutput)
            Damaged();
        out.assign(block + 1, block + size);
        return out;
    }
    if (block[0] != CodedBlock || size < 3)
        Damaged();

    std::uint32_t command = (std::uint32_t(block[1]) << 8) | block[2];
    std::size_t pos = 3;
    unsigned items = 0;
    while (pos < size) {
        if (items == 16) {
            if (pos + 2 > size)
                Damaged();
            command = (std::uint32_t(block[pos]) << 8) | block[pos + 1];
            pos += 2;
            items = 0;
            continue;
        }
        const bool coded = command & 0x8000;
        command <<= 1;
        ++items;
        if (!coded) {
            if (out.size() >= maxOutput)
                Damaged();
            out.push_back(block[pos++]);
            continue;
        }
        if (pos + 2 > size)
            Damaged();
        const Byte c0 = block[pos];
        const Byte c1 = block[pos + 1];
        const std::size_t offset = std::size_t(c0) * 16 + c1 / 16;
        if (offset != 0) {
            const std::size_t length = (c1 % 16) + 3;
            if (offset > out.size() || out.size() + length > maxOutput)
                Damaged();
            std::size_t from = out.size() - offset;
            for (std::size_t k = 0; k < length; ++k)   // byte by byte: the copy may overlap itself
                out.push_back(out[from + k]);
            pos += 2;
        } else {
            if (pos + 4 > size)
                Damaged();
            const std::size_t count = std::size_t(c1) * 256 + block[pos + 2] + MinRun;
            if (out.size() + count > maxOutput)
                Damaged();
            out.insert(out.end(), count, block[pos + 3]);
            pos += 4;
        }
    }
    return out;
}

void CompressStream(TStream& source, TStream& dest, std::size_t count)
{
    const Int64 totalPos = dest.Position();
    WriteStreamInteger(dest, 0);
    Int64 total = 0;
    std::vector<Byte> piece(LZRWChunkSize);
    while (count > 0) {
        const std::size_t n = std::min(count, LZRWChunkSize);
        source.ReadBuffer(piece.data(), n);
        const std::vector<Byte> block = LZRWCompress(piece.data(), n);
        WriteStreamInteger(dest, Integer(block.size()));
        dest.WriteBuffer(block.data(), block.size());
        total += 4 + Int64(block.size());
        count -= n;
    }
    const Int64 end = dest.Position();
    dest.SetPosition(totalPos);
    WriteStreamInteger(dest, Integer(total));
    dest.SetPosition(end);
}

void DecompressStream(TStream& source, TStream& dest, std::size_t maxTotal)
{
    Int64 remaining = ReadStreamInteger(source);
    std::size_t expanded = 0;
    std::vector<Byte> block;
    while (remaining > 0) {
        const Integer chunk = ReadStreamInteger(source);
        if (chunk <= 0 || chunk > MaxChunkBlock || 4 + Int64(chunk) > remaining)
            Damaged();
        block.resize(std::size_t(chunk));
        source.ReadBuffer(block.data(), block.size());
        const std::vector<Byte> out = LZRWDecompress(block.data(), block.size());
        expanded += out.size();
        if (expanded > maxTotal)
            Damaged();
        dest.WriteBuffer(out.data(), out.size());
        remaining -= 4 + Int64(chunk);
    }
}
