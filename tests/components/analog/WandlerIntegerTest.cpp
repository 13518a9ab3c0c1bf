// The converters and the integer components: codes and ranges, hints, the
// 32-bit word of a value, format conversions, bytes and bits.
#include "AnalogTestSupport.h"

#include "components/analog/AnalogMath.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Wandler.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();

class WandlerInteger : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }

    // The A/D converter's code: output named "D" + k is bit k.
    static Integer Code(const TBTADC& adc)
    {
        Integer code = 0;
        for (Integer i = 0; i < adc.OutputCount; ++i) {
            const AnsiString name = adc.Outputs[i].Name;
            if (adc.Outputs[i].Value == 5.0L)
                code |= 1 << std::stoi(name.substr(1));
        }
        return code;
    }

    TFeeder feed;
};

TEST_F(WandlerInteger, TheAdConverterCodesItsRange)
{
    auto adc = Make<TBTADC>("TBTADC");
    adc->ResetForStart();
    struct TCase {
        Extended In;
        Integer Code;
    };
    for (const TCase& c : {TCase{5, 255}, TCase{2.5L, 128}, TCase{-1, 0}, TCase{7, 255}, TCase{0, 0},
                           TCase{5.0L / 255, 1}, TCase{NaN, 0}}) {
        feed.Step(*adc, {c.In});
        EXPECT_EQ(Code(*adc), c.Code) << c.In;
    }
    // 2.5 gives 127.5, rounded to the even 128: only D7 high, the output on the bottom.
    feed.Step(*adc, {2.5L});
    EXPECT_EQ(adc->Outputs[0].Name, "D7");
    EXPECT_EQ(adc->Outputs[0].Value, 5.0L);

    // A range turned round gives the code of its maximum; a range of no width 0.
    adc->RangeMin = 5;
    adc->RangeMax = 0;
    adc->ResetForStart();
    feed.Step(*adc, {3});
    EXPECT_EQ(Code(*adc), 255);
    adc->RangeMin = adc->RangeMax = 2;
    adc->ResetForStart();
    feed.Step(*adc, {3});
    EXPECT_EQ(Code(*adc), 0);
}

TEST_F(WandlerInteger, TheDaConverterScalesItsCode)
{
    auto dac = Make<TBTDAC>("TBTDAC");
    dac->ResetForStart();
    feed.Step(*dac, {5, 5, 5, 5, 5, 5, 5, 5});
    EXPECT_EQ(dac->Outputs[0].Value, 5.0L);
    feed.Step(*dac, {0, 0, 0, 0, 0, 0, 0, 5});
    EXPECT_EQ(dac->Outputs[0].Value, 128 * (5.0L / 255));
    dac->RangeMin = -10;
    dac->RangeMax = 10;
    dac->SetInputCount(2);
    dac->ResetForStart();
    feed.Step(*dac, {0, 0});
    EXPECT_EQ(dac->Outputs[0].Value, -10);
}

TEST_F(WandlerInteger, ConverterHintsAndRecords)
{
    auto adc = Make<TBTADC>("TBTADC");
    adc->SetOutputCount(2);
    EXPECT_EQ(adc->Outputs[0].Name, "D1");
    EXPECT_EQ(adc->Outputs[1].Name, "D0");
    adc->RangeMin = -2.5L;
    adc->RangeMax = 1e300L;
    const AnsiString hint = adc->GetHintText();
    EXPECT_NE(hint.find(ValueToStr(-2.5L) + " ... " + ValueToStr(1e300L)), AnsiString::npos);
    EXPECT_EQ(hint.substr(hint.rfind('\r') + 1), "0000h ... 0003h");
    EXPECT_EQ(Make<TBTDAC>("TBTDAC")->GetHintText().substr(Make<TBTDAC>("TBTDAC")->GetHintText().rfind('\r') + 1),
              "0000h ... 00FFh");

    TMemoryStream stream;
    {
        TWriter writer(stream);
        adc->WriteData(stream, writer);
    }
    // Two raw 80-bit values close the record.
    EXPECT_EQ(stream.Bytes().back(), 0x43);   // high byte of 1e300's exponent
    stream.SetPosition(0);
    auto read = Make<TBTADC>("TBTADC");
    {
        TReader reader(stream);
        read->ReadData(stream, reader, 46);
    }
    EXPECT_EQ(read->RangeMin, -2.5L);
    EXPECT_EQ(read->RangeMax, 1e300L);
    EXPECT_EQ(read->OutputCount, 2);
}

TEST_F(WandlerInteger, TheWordOfAValue)
{
    struct TCase {
        Extended V;
        Cardinal W;
    };
    for (const TCase& c : {TCase{-1, 4294967295u}, TCase{2.5L, 2}, TCase{3.5L, 4}, TCase{-0.4L, 0},
                           TCase{-1e12L, 2147483648u}, TCase{1e12L, 4294967295u}, TCase{NaN, 0},
                           TCase{-0.5L, 0}, TCase{4294967295.4L, 4294967295u}})
        EXPECT_EQ(Word32(c.V), c.W) << c.V;
    EXPECT_EQ(SaturatedRound(NaN, -5, 5), -5);
    EXPECT_EQ(SaturatedRound(1e30L, -5, 5), 5);
    EXPECT_EQ(SaturatedRound(2.5L, -5, 5), 2);
}

TEST_F(WandlerInteger, FormatConversions)
{
    struct TCase {
        Integer InBits, InSigned, OutBits, OutSigned;
        Extended In, Out;
    };
    auto conv = Make<TBTIntConv>("TBTIntConv");
    for (const TCase& c : {TCase{16, 1, 16, 0, -1, 65535}, TCase{16, 0, 16, 1, 65535, -1},
                           TCase{16, 0, 8, 1, 200, -56}, TCase{16, 0, 8, 1, 40000, 127},
                           TCase{16, 1, 8, 0, -1, 255}, TCase{16, 0, 16, 0, 3.7L, 3.7L},
                           TCase{16, 0, 16, 0, 70000, 65535}, TCase{32, 1, 32, 0, -1, 4294967295.0L},
                           TCase{2, 1, 2, 1, 5, 1}}) {
        conv->InputBits = c.InBits;
        conv->InputSigned = c.InSigned;
        conv->OutputBits = c.OutBits;
        conv->OutputSigned = c.OutSigned;
        feed.Step(*conv, {c.In});
        EXPECT_EQ(conv->Outputs[0].Value, c.Out) << c.In << " " << c.InBits << "/" << c.OutBits;
    }
}

TEST_F(WandlerInteger, OperationsBytesAndBits)
{
    auto op = Make<TBTIntOp>("TBTIntOp");
    struct TCase {
        Integer Operation;
        Extended A, B, Out;
    };
    for (const TCase& c : {TCase{2, 0, 0, 4294967295.0L}, TCase{0, -1, 255, 255}, TCase{1, 1, 2, 3},
                           TCase{3, 0, 0, 4294967295.0L}, TCase{4, 5, 3, 6}}) {
        op->Operation = c.Operation;
        feed.Step(*op, {c.A, c.B});
        EXPECT_EQ(op->Outputs[0].Value, c.Out) << c.Operation;
    }

    auto toBytes = Make<TBTIntToBytes>("TBTIntToBytes");
    feed.Step(*toBytes, {305419896});
    EXPECT_EQ(toBytes->Outputs[0].Value, 18);
    EXPECT_EQ(toBytes->Outputs[1].Value, 52);
    EXPECT_EQ(toBytes->Outputs[2].Value, 86);
    EXPECT_EQ(toBytes->Outputs[3].Value, 120);
    feed.Step(*toBytes, {-1});
    for (const TBauteilPin& pin : toBytes->Outputs)
        EXPECT_EQ(pin.Value, 255);

    auto fromBytes = Make<TBTIntFromBytes>("TBTIntFromBytes");
    feed.Step(*fromBytes, {120, 86, 52, 18});
    EXPECT_EQ(fromBytes->Outputs[0].Value, 305419896);
    feed.Step(*fromBytes, {256, 0, 0, 0});
    EXPECT_EQ(fromBytes->Outputs[0].Value, 0);
    feed.Step(*fromBytes, {-1, 0, 0, 0});
    EXPECT_EQ(fromBytes->Outputs[0].Value, 255);

    auto bit = Make<TBTIntBit>("TBTIntBit");
    bit->BitNumber = 31;
    feed.Step(*bit, {5});
    EXPECT_EQ(bit->Outputs[0].Value, 2147483648.0L);
    feed.Step(*bit, {0});
    EXPECT_EQ(bit->Outputs[0].Value, 0);

    auto check = Make<TBTIntCheckBit>("TBTIntCheckBit");
    for (const auto& [value, bitNumber, high] : {std::tuple{2.5L, 0, false}, std::tuple{2.5L, 1, true},
                                                 std::tuple{3.5L, 2, true}, std::tuple{-1.0L, 31, true}}) {
        check->BitNumber = bitNumber;
        feed.Step(*check, {value});
        EXPECT_EQ(check->Outputs[0].Value, high ? 5.0L : 0.0L) << value << " bit " << bitNumber;
    }

    for (TIOBauteil* component : std::initializer_list<TIOBauteil*>{op.get(), toBytes.get(), bit.get()}) {
        component->ResetForStart();
        for (const TBauteilPin& pin : component->Outputs)
            EXPECT_EQ(pin.Value, 0.0L);
    }
}

// Fields from a damaged record are clamped into their ranges.
TEST_F(WandlerInteger, IntegerFieldsFromARecordAreClamped)
{
    auto write = [](TMemoryStream& stream, TIOBauteil& component, std::initializer_list<Integer> fields) {
        {
            TWriter writer(stream);
            component.TIOBauteil::WriteData(stream, writer);
            for (const Integer field : fields)
                writer.WriteInteger(field);
        }
        stream.SetPosition(0);
    };
    {
        auto conv = Make<TBTIntConv>("TBTIntConv");
        TMemoryStream stream;
        write(stream, *conv, {99, -3, 7, -1});
        TReader reader(stream);
        conv->ReadData(stream, reader, 46);
        EXPECT_EQ(conv->InputBits, 32);
        EXPECT_EQ(conv->OutputBits, 2);
        EXPECT_EQ(conv->InputSigned, 1);
        EXPECT_EQ(conv->OutputSigned, 0);
    }
    {
        auto op = Make<TBTIntOp>("TBTIntOp");
        TMemoryStream stream;
        write(stream, *op, {1000});
        TReader reader(stream);
        op->ReadData(stream, reader, 46);
        EXPECT_EQ(op->Operation, 4);
    }
    {
        auto check = Make<TBTIntCheckBit>("TBTIntCheckBit");
        TMemoryStream stream;
        write(stream, *check, {-7});
        TReader reader(stream);
        check->ReadData(stream, reader, 46);
        EXPECT_EQ(check->BitNumber, 0);
    }
}

} // namespace
