#include "platform/FileHeader.h"

#include <gtest/gtest.h>

#include <set>

TEST(FileHeader, IsFiveRawBytesWithTheVersion)
{
    TMemoryStream s;
    {
        TWriter w(s);
        WriteFileHeader(w, false);
    }
    EXPECT_EQ(s.Bytes(), (std::vector<Byte>{0x02, 0x00, 0x00, 46, 0x00}));
    s.SetPosition(0);
    TReader r(s);
    EXPECT_EQ(ReadFileHeader(r, false), 46);
}

TEST(FileHeader, ReaderTakesByteThreeAndIgnoresTheRest)
{
    TMemoryStream s({0x07, 0xFF, 0x13, 40, 0x09, 0x02, 0x05});
    {
        TReader r(s);
        EXPECT_EQ(ReadFileHeader(r, false), 40);
        EXPECT_EQ(r.ReadInteger(), 5);
    }
    TMemoryStream shortStream({0x02, 0x00, 0x00, 46});
    TReader r(shortStream);
    EXPECT_THROW(ReadFileHeader(r, false), EReadError);
}

TEST(FileHeader, RunOnlyPrefixHoldsFiftyNineSmallRandomIntegers)
{
    TMemoryStream s;
    {
        TWriter w(s);
        WriteFileHeader(w, true);
        w.WriteString("TBTAnd");
    }
    s.SetPosition(0);
    {
        TReader r(s);
        std::set<Integer> seen;
        for (int i = 0; i < RunOnlyPrefixCount; ++i) {
            const TValueType tag = r.NextValue();
            EXPECT_TRUE(tag == TValueType::vaInt8 || tag == TValueType::vaInt16);
            const Integer v = r.ReadInteger();
            EXPECT_GE(v, 0);
            EXPECT_LT(v, 30000);
            seen.insert(v);
        }
        EXPECT_GT(seen.size(), 1u);
        Byte header[5];
        r.Read(header, 5);
        EXPECT_EQ(std::vector<Byte>(header, header + 5), (std::vector<Byte>{0x02, 0x00, 0x00, 46, 0x00}));
    }
    s.SetPosition(0);
    TReader r(s);
    EXPECT_EQ(ReadFileHeader(r, true), 46);
    EXPECT_EQ(r.ReadString(), "TBTAnd");
}

TEST(FileHeader, RunOnlyReaderNeedsTheIntegerPrefix)
{
    TMemoryStream s({0x02, 0x00, 0x00, 46, 0x00});   // a plain header: byte 0 is an int8 tag
    TReader r(s);
    EXPECT_THROW(ReadFileHeader(r, true), EReadError);
}
