// The typed-value writer and reader. Expected bytes are written by hand from
// the format's tag table.
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <limits>

namespace {

using ByteVec = std::vector<Byte>;

ByteVec Written(const std::function<void(TWriter&)>& write)
{
    TMemoryStream s;
    {
        TWriter w(s);
        write(w);
    }
    return s.Bytes();
}

ByteVec Cat(ByteVec a, const ByteVec& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

ByteVec Repeat(Byte b, std::size_t n) { return ByteVec(n, b); }

// Runs read on a reader over bytes and returns the message of the EReadError
// it raises ("" when none).
std::string ReadError(const ByteVec& bytes, const std::function<void(TReader&)>& read)
{
    TMemoryStream s(bytes);
    TReader r(s);
    try {
        read(r);
    } catch (const EReadError& e) {
        return e.what();
    }
    return "";
}

constexpr Int64 I32Min = std::numeric_limits<Integer>::min();
constexpr Int64 I32Max = std::numeric_limits<Integer>::max();

}  // namespace

TEST(Filer, IntegersTakeTheShortestFormAndReadBack)
{
    const struct {
        Int64 value;
        ByteVec bytes;
    } cases[] = {
        {0, {0x02, 0x00}},
        {127, {0x02, 0x7F}},
        {-128, {0x02, 0x80}},
        {128, {0x03, 0x80, 0x00}},
        {-129, {0x03, 0x7F, 0xFF}},
        {32767, {0x03, 0xFF, 0x7F}},
        {-32768, {0x03, 0x00, 0x80}},
        {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
        {-32769, {0x04, 0xFF, 0x7F, 0xFF, 0xFF}},
        {I32Max, {0x04, 0xFF, 0xFF, 0xFF, 0x7F}},
        {I32Min, {0x04, 0x00, 0x00, 0x00, 0x80}},
        {I32Max + 1, {0x13, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00}},
        {I32Min - 1, {0x13, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}},
        {std::numeric_limits<Int64>::min(), {0x13, 0, 0, 0, 0, 0, 0, 0, 0x80}},
        {0x0102030405060708LL, {0x13, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Written([&](TWriter& w) { w.WriteInteger(c.value); }), c.bytes);

        TMemoryStream s(c.bytes);
        EXPECT_EQ(TReader(s).ReadInt64(), c.value);
        const bool fits = c.value >= I32Min && c.value <= I32Max;
        s.SetPosition(0);
        if (fits)
            EXPECT_EQ(TReader(s).ReadInteger(), c.value);
        else
            EXPECT_THROW(TReader(s).ReadInteger(), EReadError);
        s.SetPosition(0);
        EXPECT_EQ(TReader(s).ReadFloat(), static_cast<Extended>(c.value));
    }
}

TEST(Filer, IntegersAreReadFromLongerFormsThanNeeded)
{
    const struct {
        ByteVec bytes;
        Integer value;
    } cases[] = {
        {{0x04, 0x05, 0x00, 0x00, 0x00}, 5},
        {{0x03, 0xFF, 0xFF}, -1},
        {{0x04, 0x80, 0xFF, 0xFF, 0xFF}, -128},
    };
    for (const auto& c : cases) {
        TMemoryStream s(c.bytes);
        EXPECT_EQ(TReader(s).ReadInteger(), c.value);
    }
    TMemoryStream s64({0x13, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(TReader(s64).ReadInt64(), -2);
}

TEST(Filer, OtherValuesAndTheirBytes)
{
    const std::string s255(255, 'x');
    const std::string s256(256, 'y');
    const struct {
        const char* name;
        std::function<void(TWriter&)> write;
        ByteVec bytes;
    } cases[] = {
        {"true", [](TWriter& w) { w.WriteBoolean(true); }, {0x09}},
        {"false", [](TWriter& w) { w.WriteBoolean(false); }, {0x08}},
        {"float", [](TWriter& w) { w.WriteFloat(1.0L); }, {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {"empty string", [](TWriter& w) { w.WriteString(""); }, {0x06, 0x00}},
        {"CP1252 bytes kept", [](TWriter& w) { w.WriteString("\xE4\x80\x00z"); }, {0x06, 0x02, 0xE4, 0x80}},
        {"string with NUL", [](TWriter& w) { w.WriteString(std::string("a\0b", 3)); }, {0x06, 0x03, 'a', 0, 'b'}},
        {"255 chars", [&](TWriter& w) { w.WriteString(s255); }, Cat({0x06, 0xFF}, Repeat('x', 255))},
        {"256 chars", [&](TWriter& w) { w.WriteString(s256); }, Cat({0x0C, 0x00, 0x01, 0x00, 0x00}, Repeat('y', 256))},
        {"bare tag", [](TWriter& w) { w.WriteValue(TValueType::vaNull); }, {0x00}},
        {"raw block", [](TWriter& w) { w.Write("\x02\x00\x00", 3); }, {0x02, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Written(c.write), c.bytes);
    }
}

TEST(Filer, ValuesReadBackInOrder)
{
    const std::string longText(70000, '\xFF');
    const ByteVec bytes = Written([&](TWriter& w) {
        w.WriteString("TBTAnd");
        w.WriteBoolean(true);
        w.WriteFloat(-2.5L);
        w.WriteString(longText);
        w.WriteInteger(-1);
        w.WriteBoolean(false);
    });
    TMemoryStream s(bytes);
    TReader r(s);
    EXPECT_EQ(r.NextValue(), TValueType::vaString);
    EXPECT_EQ(r.ReadString(), "TBTAnd");
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadFloat(), -2.5L);
    EXPECT_EQ(r.NextValue(), TValueType::vaLString);
    EXPECT_EQ(r.ReadString(), longText);
    EXPECT_FALSE(r.EndOfStream());
    EXPECT_EQ(r.ReadInteger(), -1);
    EXPECT_EQ(r.ReadValue(), TValueType::vaFalse);
    EXPECT_TRUE(r.EndOfStream());
}

TEST(Filer, AnUnexpectedTagIsAnInvalidPropertyValue)
{
    const struct {
        const char* name;
        ByteVec bytes;
        std::function<void(TReader&)> read;
    } cases[] = {
        {"integer from boolean", {0x09}, [](TReader& r) { r.ReadInteger(); }},
        {"integer from string", {0x06, 0x00}, [](TReader& r) { r.ReadInteger(); }},
        {"int64 from float", {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, [](TReader& r) { r.ReadInt64(); }},
        {"boolean from integer", {0x02, 0x01}, [](TReader& r) { r.ReadBoolean(); }},
        {"float from string", {0x06, 0x00}, [](TReader& r) { r.ReadFloat(); }},
        {"string from integer", {0x02, 0x01}, [](TReader& r) { r.ReadString(); }},
        {"string from wide string", {0x12, 0x00, 0x00, 0x00, 0x00}, [](TReader& r) { r.ReadString(); }},
        {"string from ident", {0x07, 0x00}, [](TReader& r) { r.ReadString(); }},
        {"unknown tag", {0xC8}, [](TReader& r) { r.ReadInteger(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadError(c.bytes, c.read), SInvalidPropertyValue);
    }
}

TEST(Filer, AShortStreamIsAReadError)
{
    const struct {
        const char* name;
        ByteVec bytes;
        std::function<void(TReader&)> read;
    } cases[] = {
        {"tag of empty stream", {}, [](TReader& r) { r.NextValue(); }},
        {"integer of empty stream", {}, [](TReader& r) { r.ReadInteger(); }},
        {"cut int16", {0x03, 0x01}, [](TReader& r) { r.ReadInteger(); }},
        {"cut int64", {0x13, 1, 2, 3, 4, 5, 6, 7}, [](TReader& r) { r.ReadInt64(); }},
        {"cut float", {0x05, 0, 0, 0}, [](TReader& r) { r.ReadFloat(); }},
        {"boolean of empty stream", {}, [](TReader& r) { r.ReadBoolean(); }},
        {"string without length", {0x06}, [](TReader& r) { r.ReadString(); }},
        {"cut string", {0x06, 0x05, 'a', 'b'}, [](TReader& r) { r.ReadString(); }},
        {"cut long-string length", {0x0C, 0x01, 0x00}, [](TReader& r) { r.ReadString(); }},
        // A damaged 4 GB length must fail, not allocate.
        {"long-string length beyond the stream", {0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}, [](TReader& r) { r.ReadString(); }},
        {"raw block", {1, 2}, [](TReader& r) { Byte b[3]; r.Read(b, 3); }},
        {"raw block larger than the buffer", Repeat(7, 2500), [](TReader& r) { ByteVec b(2501); r.Read(b.data(), b.size()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadError(c.bytes, c.read), SReadError);
    }
}

// Values that straddle buffer boundaries come back whole whatever the buffer
// size, and the stream is left right after the last value read.
TEST(Filer, ReaderBufferIsInvisible)
{
    ByteVec raw(3000);
    for (std::size_t i = 0; i < raw.size(); ++i)
        raw[i] = static_cast<Byte>(i * 7);
    const auto writeAll = [&](TWriter& w) {
        for (int i = 0; i < 300; ++i) {
            w.WriteInteger(static_cast<Int64>(i) * 40503 - 6000000);
            w.WriteString(std::string(static_cast<std::size_t>(i), static_cast<char>('A' + i % 26)));
            w.WriteFloat(static_cast<Extended>(i) / 3);
        }
        w.Write(raw.data(), raw.size());
        w.WriteBoolean(true);
    };
    const ByteVec bytes = Written(writeAll);
    EXPECT_EQ(Written([&](TWriter& w) {   // the writer's buffer is invisible too
                  TWriter small(w.Stream(), 3);
                  writeAll(small);
              }),
              bytes);

    for (std::size_t bufSize : {std::size_t{1}, std::size_t{7}, std::size_t{64}, FilerBufferSize}) {
        SCOPED_TRACE(bufSize);
        TMemoryStream s(bytes);
        TReader r(s, bufSize);
        for (int i = 0; i < 300; ++i) {
            ASSERT_EQ(r.ReadInteger(), static_cast<Int64>(i) * 40503 - 6000000);
            ASSERT_EQ(r.ReadString(), std::string(static_cast<std::size_t>(i), static_cast<char>('A' + i % 26)));
            ASSERT_EQ(r.ReadFloat(), static_cast<Extended>(i) / 3);
        }
        ByteVec got(raw.size());
        r.Read(got.data(), got.size());
        EXPECT_EQ(got, raw);
        EXPECT_TRUE(r.ReadBoolean());
        EXPECT_TRUE(r.EndOfStream());
    }
}

TEST(Filer, ReaderGivesBackItsReadAheadForRawAccess)
{
    const ByteVec bytes = Written([](TWriter& w) {
        w.WriteInteger(1000);
        w.WriteString("abc");
        w.Write("RAW", 3);
        w.WriteInteger(7);
    });
    TMemoryStream s(bytes);
    {
        TReader r(s);
        EXPECT_EQ(r.ReadInteger(), 1000);
        EXPECT_EQ(r.NextValue(), TValueType::vaString);   // a peek is not consumed
        EXPECT_EQ(r.ReadString(), "abc");
    }
    EXPECT_EQ(s.Position(), 3 + 5);
    char raw[3];
    s.ReadBuffer(raw, 3);
    EXPECT_EQ(std::string(raw, 3), "RAW");
    EXPECT_EQ(TReader(s).ReadInteger(), 7);
    EXPECT_EQ(s.Position(), static_cast<Int64>(bytes.size()));
}

TEST(Filer, FileRoundTripWithRawAccessBetweenReaders)
{
    QTemporaryDir dir;
    const std::string name = QFile::encodeName(dir.filePath("t.prj")).toStdString();
    {
        TFileStream f(name, TFileMode::fmCreate);
        {
            TWriter w(f);
            w.WriteString("first");
        }
        f.WriteBuffer("\x01\x02", 2);
        TWriter w(f);
        w.WriteFloat(5.0L);
        w.FlushBuffer();
        f.Flush();
    }
    TFileStream f(name, TFileMode::fmOpenRead);
    {
        TReader r(f);
        EXPECT_EQ(r.ReadString(), "first");
    }
    Byte two[2];
    f.ReadBuffer(two, 2);
    EXPECT_EQ(two[1], 2);
    TReader r(f);
    EXPECT_EQ(r.ReadFloat(), 5.0L);
    EXPECT_TRUE(r.EndOfStream());
}

TEST(Filer, AFailedWriteIsReportedNotLost)
{
    QTemporaryDir dir;
    const std::string name = QFile::encodeName(dir.filePath("ro.prj")).toStdString();
    { TFileStream(name, TFileMode::fmCreate); }
    TFileStream f(name, TFileMode::fmOpenRead);
    {
        TWriter w(f);
        w.WriteInteger(1);
        EXPECT_THROW(w.FlushBuffer(), EStreamError);
        w.WriteInteger(2);   // the destructor's flush fails quietly
    }
    EXPECT_THROW(f.Flush(), EStreamError);
}
