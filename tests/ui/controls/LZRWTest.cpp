#include "ui/controls/UCLLZRW.h"
#include "ui/controls/UCLStreamUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

std::vector<Byte> Bytes(std::initializer_list<int> values)
{
    std::vector<Byte> out;
    for (int v : values)
        out.push_back(Byte(v));
    return out;
}

std::vector<Byte> RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::vector<Byte> out(n);
    for (Byte& b : out)
        b = Byte(gen());
    return out;
}

std::vector<Byte> Compress(const std::vector<Byte>& in)
{
    return LZRWCompress(in.data(), in.size());
}

}   // namespace

TEST(LZRW, CodesBlocksByTheFormat)
{
    struct Case {
        const char* name;
        std::vector<Byte> input;
        std::vector<Byte> block;
    };
    const std::vector<Byte> run16(16, 'x');
    const std::vector<Byte> run4095(4095, 7);
    const std::vector<Byte> run4096(4096, 7);
    const std::vector<Case> cases = {
        // three literals, then a copy of 6 bytes from 3 back
        {"copy", Bytes({'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c'}),
         Bytes({0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x33})},
        {"run of 16", run16, Bytes({0x40, 0x80, 0x00, 0, 0, 0, 'x'})},
        {"run of 4095", run4095, Bytes({0x40, 0x80, 0x00, 0, 0x0F, 0xEF, 7})},
        {"run of 4096", run4096, Bytes({0x40, 0x80, 0x00, 0, 0x0F, 0xEF, 7, 7})},
        {"too short to pay", Bytes({1, 2}), Bytes({0x80, 1, 2})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compress(c.input), c.block) << c.name;
        EXPECT_EQ(LZRWDecompress(c.block.data(), c.block.size()), c.input) << c.name;
    }
}

TEST(LZRW, RandomDataIsStoredOneByteLonger)
{
    const std::vector<Byte> in = RandomBytes(5000, 1);
    const std::vector<Byte> block = Compress(in);
    ASSERT_EQ(block.size(), in.size() + 1);
    EXPECT_EQ(block[0], 0x80);
    EXPECT_EQ(LZRWDecompress(block.data(), block.size()), in);
}

TEST(LZRW, RoundTripsMixedData)
{
    // Runs, repeats, more than 16 items per command word and a full chunk.
    std::vector<Byte> in;
    std::mt19937 gen(7);
    while (in.size() < LZRWChunkSize) {
        switch (gen() % 3) {
        case 0: in.insert(in.end(), 10 + gen() % 300, Byte(gen())); break;
        case 1: {
            const char* words[] = {"Zentrika ", "Platine ", "Bauteil ", "Messung "};
            const char* w = words[gen() % 4];
            in.insert(in.end(), w, w + std::strlen(w));
            break;
        }
        default: in.push_back(Byte(gen()));
        }
    }
    in.resize(LZRWChunkSize);
    const std::vector<Byte> block = Compress(in);
    EXPECT_EQ(block[0], 0x40);
    EXPECT_LT(block.size(), in.size());
    EXPECT_EQ(LZRWDecompress(block.data(), block.size()), in);
}

TEST(LZRW, DamagedBlocksRaise)
{
    struct Case {
        const char* name;
        std::vector<Byte> block;
        std::size_t maxOutput;
    };
    const std::vector<Case> cases = {
        {"empty", {}, LZRWChunkSize},
        {"unknown kind", Bytes({0x41, 0, 0, 1}), LZRWChunkSize},
        {"no command word", Bytes({0x40, 0x80}), LZRWChunkSize},
        {"code cut short", Bytes({0x40, 0x80, 0x00, 0x00}), LZRWChunkSize},
        {"run cut short", Bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x00}), LZRWChunkSize},
        {"copy before the start", Bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x20}), LZRWChunkSize},
        {"next command word cut short",
         Bytes({0x40, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0x80}), LZRWChunkSize},
        {"run past the limit", Bytes({0x40, 0x80, 0x00, 0, 0x0F, 0xFF, 1}), 100},
        {"copy past the limit", Bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x1F}), 10},
        {"stored past the limit", Bytes({0x80, 1, 2, 3}), 2},
    };
    for (const Case& c : cases)
        EXPECT_THROW(LZRWDecompress(c.block.data(), c.block.size(), c.maxOutput), EReadError) << c.name;
}

TEST(LZRW, MutatedBlocksNeverEscapeTheirBuffers)
{
    std::vector<Byte> in;
    for (int k = 0; k < 3000; ++k)
        in.push_back(Byte("Messwert 12.5 V; "[k % 17] + (k % 97 == 0 ? 1 : 0)));
    const std::vector<Byte> good = Compress(in);
    std::mt19937 gen(3);
    for (int round = 0; round < 2000; ++round) {
        std::vector<Byte> bad = good;
        for (int flips = 1 + gen() % 4; flips > 0; --flips)
            bad[1 + gen() % (bad.size() - 1)] = Byte(gen());
        bad.resize(1 + gen() % bad.size());
        try {
            EXPECT_LE(LZRWDecompress(bad.data(), bad.size(), 4000).size(), 4000u);
        } catch (const EReadError&) {
        }
    }
}

TEST(LZRWStream, CutsTheSourceIntoChunks)
{
    std::vector<Byte> in = RandomBytes(70000, 2);
    std::fill(in.begin() + 40000, in.begin() + 50000, Byte(0));
    TMemoryStream source(in);
    TMemoryStream packed;
    CompressStream(source, packed, in.size());

    // Walk the chunks by hand: total, then (size, block) per piece.
    packed.SetPosition(0);
    const Integer total = ReadStreamInteger(packed);
    EXPECT_EQ(Int64(total) + 4, packed.Size());
    std::vector<std::size_t> pieces;
    while (packed.Position() < packed.Size()) {
        const Integer size = ReadStreamInteger(packed);
        std::vector<Byte> block(std::size_t(size), 0);
        packed.ReadBuffer(block.data(), block.size());
        pieces.push_back(LZRWDecompress(block.data(), block.size()).size());
    }
    EXPECT_EQ(pieces, (std::vector<std::size_t>{32781, 32781, 4438}));

    packed.SetPosition(0);
    TMemoryStream unpacked;
    DecompressStream(packed, unpacked);
    EXPECT_EQ(unpacked.Bytes(), in);
}

TEST(LZRWStream, NothingToCompressIsATotalOfZero)
{
    TMemoryStream source;
    TMemoryStream packed;
    CompressStream(source, packed, 0);
    EXPECT_EQ(packed.Bytes(), Bytes({0, 0, 0, 0}));
}

TEST(LZRWStream, DamagedStreamsRaise)
{
    struct Case {
        const char* name;
        std::vector<Byte> stream;
    };
    const std::vector<Case> cases = {
        {"total beyond the stream", Bytes({20, 0, 0, 0, 4, 0, 0, 0, 0x80, 1, 2, 3})},
        {"chunk beyond the total", Bytes({8, 0, 0, 0, 5, 0, 0, 0, 0x80, 1, 2, 3, 4})},
        {"chunk of zero bytes", Bytes({4, 0, 0, 0, 0, 0, 0, 0})},
        {"chunk size negative", Bytes({8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})},
        {"chunk size cut short", Bytes({8, 0, 0, 0, 4, 0})},
    };
    for (const Case& c : cases) {
        TMemoryStream source(c.stream);
        TMemoryStream dest;
        EXPECT_THROW(DecompressStream(source, dest), EReadError) << c.name;
    }
}

// Three chunks of one long run each: a few bytes that expand a thousandfold.
TEST(LZRWStream, ExpansionBeyondTheLimitIsDamage)
{
    const std::vector<Byte> run(LZRWChunkSize * 3, Byte(7));
    TMemoryStream source(run);
    TMemoryStream packed;
    CompressStream(source, packed, run.size());
    ASSERT_LT(packed.Bytes().size(), std::size_t(200));

    TMemoryStream fits(packed.Bytes());
    TMemoryStream expanded;
    DecompressStream(fits, expanded, run.size());
    EXPECT_EQ(expanded.Bytes(), run);

    TMemoryStream tooMuch(packed.Bytes());
    TMemoryStream dest;
    EXPECT_THROW(DecompressStream(tooMuch, dest, run.size() - 1), EReadError);
}
