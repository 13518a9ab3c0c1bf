#include "ui/controls/UCLStreamUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

std::vector<Byte> Bytes(std::initializer_list<int> values)
{
    std::vector<Byte> out;
    for (int v : values)
        out.push_back(Byte(v));
    return out;
}

std::uint32_t Int32At(const std::vector<Byte>& b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

QImage Sample(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, (x + y) % 3 == 0 ? qRgb(255, 0, 0) : (x % 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}

}   // namespace

TEST(StreamValues, PlainValuesAreLittleEndianAndShortStringsAreCut)
{
    TMemoryStream s;
    WriteStreamInteger(s, -2);
    WriteStreamByte(s, 9);
    WriteStreamShortString(s, std::string(300, 'q'));
    ASSERT_EQ(s.Size(), 4 + 1 + 1 + 255);
    EXPECT_EQ(std::vector<Byte>(s.Bytes().begin(), s.Bytes().begin() + 6), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 9, 255}));
    s.SetPosition(0);
    EXPECT_EQ(ReadStreamInteger(s), -2);
    EXPECT_EQ(ReadStreamByte(s), 9);
    EXPECT_EQ(ReadStreamShortString(s), std::string(255, 'q'));
    EXPECT_THROW(ReadStreamByte(s), EReadError);
}

TEST(StreamValues, SizedBlockLongerThanTheStreamRaisesWithoutAllocating)
{
    TMemoryStream s(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 1, 2}));
    EXPECT_THROW(ReadStreamSizedBlock(s), EReadError);
    TMemoryStream negative(Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_THROW(ReadStreamSizedBlock(negative), EReadError);
}

TEST(StreamStrings, BothFormsRoundTripAndEmptyListsAreMinimal)
{
    struct Case {
        bool compressed;
        std::vector<Byte> empty;
    };
    for (const Case& c : {Case{false, Bytes({0, 0, 0, 0})}, Case{true, Bytes({0, 0, 0, 0})}}) {
        TMemoryStream empty;
        WriteStreamStrings(empty, {}, c.compressed);
        EXPECT_EQ(empty.Bytes(), c.empty);

        const std::vector<AnsiString> lines = {"eins", "", "dr\xE4i", std::string(100, 'z')};
        TMemoryStream s;
        WriteStreamStrings(s, lines, c.compressed);
        WriteStreamByte(s, 0x5A);   // what follows the block stays in place
        s.SetPosition(0);
        EXPECT_EQ(ReadStreamStrings(s, c.compressed), lines);
        EXPECT_EQ(ReadStreamByte(s), 0x5A);
    }
    TMemoryStream plain;
    WriteStreamStrings(plain, {"ab"}, false);
    EXPECT_EQ(plain.Bytes(), Bytes({4, 0, 0, 0, 'a', 'b', '\r', '\n'}));
}

TEST(StreamStrings, TextSplitsAtEveryLineBreakKind)
{
    auto text = [](const char* s) { return std::vector<Byte>(s, s + std::strlen(s)); };
    EXPECT_EQ(TextToStrings(text("a\r\nb\nc\rd")), (std::vector<AnsiString>{"a", "b", "c", "d"}));
    EXPECT_EQ(TextToStrings(text("a\r\n\r\n")), (std::vector<AnsiString>{"a", ""}));
    EXPECT_TRUE(TextToStrings({}).empty());
}

TEST(StreamBitmap, SixteenColourDIBHasTheLayoutOfTheFormat)
{
    const std::vector<Byte> file = BuildDIBFile(Sample(25, 25), 16);
    ASSERT_EQ(file.size(), 518u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Int32At(file, 2), 518u);
    EXPECT_EQ(Int32At(file, 10), 14u + 104u);   // bits offset: 14 + H
    EXPECT_EQ(Int32At(file, 14), 40u);
    EXPECT_EQ(Int32At(file, 18), 25u);
    EXPECT_EQ(Int32At(file, 22), 25u);
    EXPECT_EQ(file[28], 4);
    EXPECT_EQ(Int32At(file, 30), 0u);           // uncompressed
    EXPECT_EQ(Int32At(file, 34), 400u);         // 16-byte rows
}

TEST(StreamBitmap, EveryColourCountRoundTripsThroughBothForms)
{
    struct Case {
        int colourCount;
        int bitCount;   // 0: the bitmap's own BMP form
    };
    const QImage image = Sample(20, 7);
    for (const Case& c : {Case{-1, 0}, Case{2, 1}, Case{16, 4}, Case{256, 8}, Case{0, 24}, Case{65536, 24}}) {
        for (bool compressed : {false, true}) {
            TMemoryStream s;
            WriteStreamBitmap(s, image, compressed, c.colourCount);
            s.SetPosition(0);
            const QImage back = ReadStreamBitmap(s, compressed);
            EXPECT_EQ(s.Position(), s.Size());
            ASSERT_EQ(back.size(), image.size()) << c.colourCount;
            if (c.bitCount && !compressed) {   // the bit count of the BMP header behind the size
                EXPECT_EQ(s.Bytes()[4 + 28], c.bitCount) << c.colourCount;
            }
            if (c.colourCount != 2) {   // red, blue and white survive every palette but black and white
                EXPECT_EQ(back.pixel(3, 0), image.pixel(3, 0)) << c.colourCount;
            }
        }
    }
}

TEST(StreamBitmap, DamagedBitmapsRaise)
{
    EXPECT_THROW(BuildBMPFile(QImage()), std::runtime_error);
    TMemoryStream s(Bytes({6, 0, 0, 0, 'B', 'M', 1, 2, 3, 4}));
    EXPECT_THROW(ReadStreamBitmap(s, false), EReadError);

    // A header that claims more rows than the file holds, here three million.
    const std::vector<Byte> whole = BuildDIBFile(Sample(3, 2), 0);
    EXPECT_EQ(BitmapFromBMPFile(whole).size(), QSize(3, 2));
    std::vector<Byte> tall = whole;
    tall[24] = 0x2F;
    EXPECT_THROW(BitmapFromBMPFile(tall), EReadError);
    std::vector<Byte> cut(whole.begin(), whole.end() - 1);
    EXPECT_THROW(BitmapFromBMPFile(cut), EReadError);
}

namespace {

// A BMP file of an uncompressed bitmap: the two headers (pixels at 54), then
// pixelBytes bytes of pixels.
std::vector<Byte> BmpFile(std::int32_t width, std::int32_t height, int bits, std::size_t pixelBytes)
{
    std::vector<Byte> file(54 + pixelBytes, 0);
    auto put = [&file](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = Byte(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, std::uint32_t(file.size()));
    put(10, 54);
    put(14, 40);
    put(18, std::uint32_t(width));
    put(22, std::uint32_t(height));
    file[26] = 1;
    file[28] = Byte(bits);
    file[29] = Byte(bits >> 8);
    return file;
}

}   // namespace

TEST(StreamBitmap, PixelRowsMustFitTheFileWhateverTheHeaderClaims)
{
    constexpr std::int32_t Huge = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Lowest = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* Name;
        std::int32_t Width, Height;
        int Bits;
        std::size_t PixelBytes;
        bool Complete;
    } cases[] = {
        // Row bytes times height pass 2^63: 2^33 * 2^31 is 2^64.
        {"product of exactly 2^64", Lowest, Lowest, 32, 0, false},
        {"largest width, bit count and height", Huge, Huge, 0xFFFF, 0, false},
        {"largest width and bit count, two rows", Huge, 2, 0xFFFF, 64, false},
        // 3 pixels of 24 bits: rows of 12 bytes.
        {"exact fit", 3, 2, 24, 24, true},
        {"one byte short", 3, 2, 24, 23, false},
        {"top-down, exact fit", 3, -2, 24, 24, true},
        {"top-down, one byte short", 3, -2, 24, 23, false},
        {"no pixels", 0, 5, 24, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(PixelsComplete(BmpFile(c.Width, c.Height, c.Bits, c.PixelBytes)), c.Complete);
    }
    // Pixels said to start beyond the file's end.
    std::vector<Byte> beyond = BmpFile(0, 0, 24, 0);
    beyond[10] = 60;
    EXPECT_FALSE(PixelsComplete(beyond));
}
