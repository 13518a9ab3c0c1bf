// Extended conversion and the byte streams.
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

using Bytes10 = std::array<Byte, ExtendedSize>;

Bytes10 ToBytes(Extended v)
{
    Bytes10 b{};
    ExtendedToBytes(v, b.data());
    return b;
}

struct ExtendedCase {
    const char* name;
    Extended value;   // ignored for NaN rows (they start from the bytes)
    bool isNaN;
    Bytes10 bytes;
};

const Extended Inf = std::numeric_limits<Extended>::infinity();

const ExtendedCase ExtendedCases[] = {
    {"one", 1.0L, false, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
    {"five", 5.0L, false, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x01, 0x40}},
    {"minus two", -2.0L, false, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
    {"zero", 0.0L, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"minus zero", -0.0L, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
    {"plus inf", Inf, false, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
    {"minus inf", -Inf, false, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}},
    {"smallest denormal", std::numeric_limits<Extended>::denorm_min(), false, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"largest finite", std::numeric_limits<Extended>::max(), false,
     {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F}},
    {"quiet NaN with payload", 0, true, {0x34, 0x12, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}},
    {"negative NaN with payload", 0, true, {0x01, 0, 0, 0, 0, 0x55, 0, 0xC0, 0xFF, 0xFF}},
    {"signalling NaN with payload", 0, true, {0x01, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
};

}  // namespace

TEST(Extended, ConvertsToAndFromTheTenStreamBytesBitExactly)
{
    for (const auto& c : ExtendedCases) {
        SCOPED_TRACE(c.name);
        const Extended fromBytes = ExtendedFromBytes(c.bytes.data());
        EXPECT_EQ(ToBytes(fromBytes), c.bytes);
        if (c.isNaN) {
            EXPECT_TRUE(std::isnan(fromBytes));
        } else {
            EXPECT_EQ(ToBytes(c.value), c.bytes);
            EXPECT_EQ(fromBytes, c.value);
            EXPECT_EQ(std::signbit(fromBytes), std::signbit(c.value));
        }
    }
}

TEST(Extended, TouchesOnlyTenBytes)
{
    std::array<Byte, 16> out;
    out.fill(0xAA);
    ExtendedToBytes(1.0L, out.data());
    for (std::size_t i = ExtendedSize; i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xAA) << i;
}

TEST(MemoryStream, ReadsWritesAndSeeks)
{
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Position(), 6);

    EXPECT_EQ(s.Seek(-4, TSeekOrigin::soEnd), 2);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 4u);   // short read returns what is there
    EXPECT_STREQ(buf, "cdef");
    EXPECT_EQ(s.Read(buf, 1), 0u);

    EXPECT_EQ(s.Seek(-10, TSeekOrigin::soCurrent), -1);   // before the start
    EXPECT_EQ(s.Position(), 6);

    s.SetPosition(1);
    s.WriteBuffer("XY", 2);   // overwrite in place
    s.SetPosition(8);
    s.WriteBuffer("Z", 1);    // past the end: gap becomes zeros
    const std::vector<Byte> expected = {'a', 'X', 'Y', 'd', 'e', 'f', 0, 0, 'Z'};
    EXPECT_EQ(s.Bytes(), expected);

    s.SetPosition(std::numeric_limits<Int64>::max());   // a write there cannot wrap around
    EXPECT_THROW(s.WriteBuffer("ab", 2), EStreamError);
    EXPECT_EQ(s.Bytes(), expected);

    s.SetPosition(7);
    EXPECT_THROW(
        {
            try {
                s.ReadBuffer(buf, 3);
            } catch (const EReadError& e) {
                EXPECT_STREQ(e.what(), SReadError);
                throw;
            }
        },
        EReadError);
}

class FileStreamTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string Path(const char* name) { return QFile::encodeName(dir.filePath(name)).toStdString(); }
};

TEST_F(FileStreamTest, CreateReplacesAnExistingFile)
{
    const std::string name = Path("a.prj");
    {
        TFileStream f(name, TFileMode::fmCreate);
        f.WriteBuffer("0123456789", 10);
        f.Flush();
    }
    {
        TFileStream f(name, TFileMode::fmCreate);
        f.WriteBuffer("ab", 2);
    }
    TFileStream f(name, TFileMode::fmOpenRead);
    EXPECT_EQ(f.Size(), 2);
    char buf[4] = {};
    f.ReadBuffer(buf, 2);
    EXPECT_STREQ(buf, "ab");
    EXPECT_THROW(f.ReadBuffer(buf, 1), EReadError);
}

TEST_F(FileStreamTest, ReadOnlyStreamRefusesWritesAndFlushReportsThem)
{
    const std::string name = Path("ro.prj");
    { TFileStream(name, TFileMode::fmCreate).WriteBuffer("xyz", 3); }
    TFileStream f(name, TFileMode::fmOpenRead);
    EXPECT_THROW(f.WriteBuffer("q", 1), EStreamError);
    EXPECT_THROW(f.Flush(), EStreamError);
    QFile check(QString::fromStdString(name));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("xyz"));
}

TEST_F(FileStreamTest, ReadWriteModeKeepsTheContent)
{
    const std::string name = Path("rw.prj");
    { TFileStream(name, TFileMode::fmCreate).WriteBuffer("hello", 5); }
    {
        TFileStream f(name, TFileMode::fmOpenReadWrite);
        f.Seek(0, TSeekOrigin::soEnd);
        f.WriteBuffer("!", 1);
    }
    TFileStream f(name, TFileMode::fmOpenRead);
    EXPECT_EQ(f.Size(), 6);
}

TEST_F(FileStreamTest, FailureToOpenRaisesWithTheFileName)
{
    QDir(dir.path()).mkdir("folder");
    const struct {
        std::string name;
        TFileMode mode;
    } cases[] = {
        {Path("missing.prj"), TFileMode::fmOpenRead},
        {Path("missing.prj"), TFileMode::fmOpenReadWrite},
        {Path("no/such/folder.prj"), TFileMode::fmCreate},
        {Path("folder"), TFileMode::fmOpenRead},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            TFileStream f(c.name, c.mode);
            ADD_FAILURE() << "opened";
        } catch (const EStreamError& e) {
            EXPECT_NE(std::string(e.what()).find(c.name), std::string::npos) << e.what();
        }
    }
}
