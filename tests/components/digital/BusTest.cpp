// The bus driver and the address decoder: identity and pins at every width,
// passing and releasing the bus (two drivers on one wired net, inverted
// outputs), the decoder's range, its range texts through HexToWord, their
// settings on the shared sheet, its hint, and its raw-byte record read and
// written byte for byte in every file version.
#include "DialogRun.h"
#include "DigitalRig.h"

#include "support/StreamBytes.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Publics.h"
#include "platform/Stream.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

using BusTest = DigitalTest;

std::vector<std::string> Numbered(const char* letter, Integer n, bool descending)
{
    std::vector<std::string> names;
    for (Integer i = 0; i < n; ++i)
        names.push_back(letter + std::to_string(descending ? n - 1 - i : i));
    return names;
}

TEST_F(BusTest, Identity)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Help;
    };
    for (const TCase& c : {TCase{"TBTBustreiber", {"Bustreiber\rdigital", "Digital bus\rdriver", "Driver\rbus digital"},
                                 "DBus", 18360},
                           TCase{"TBTAdressdekoder", {"Adressdekoder", "Address decoder", "D\xE9" "codeur\rd\xB4" "adresses"},
                                 "ADEC", 18365}}) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TGrundBT*>(object.get());
            ASSERT_NE(part, nullptr);
            ExpectIdentity(*part, c.TypeNames[language], c.Designator, c.Help, true);
        }
    }
}

// The width sets the pins and names them; the width index follows from the
// input count (a count of no width reads as 8 channels).
TEST_F(BusTest, WidthsAndPins)
{
    std::unique_ptr<TIOBauteil> made[] = {std::unique_ptr<TIOBauteil>(CreateComponent("TBTBustreiber")),
                                          std::unique_ptr<TIOBauteil>(CreateComponent("TBTAdressdekoder"))};
    auto& driver = dynamic_cast<TBTBustreiber&>(*made[0]);
    EXPECT_EQ(driver.WidthIndex(), 2);
    auto& decoder = dynamic_cast<TBTAdressdekoder&>(*made[1]);
    EXPECT_EQ(decoder.WidthIndex(), 2);
    for (Integer index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        const Integer n = BusWidths[index];
        driver.SetWidth(index);
        EXPECT_EQ(driver.WidthIndex(), index);
        std::vector<std::string> inputs = Numbered("D", n, false);
        inputs.push_back("EN");
        EXPECT_EQ(PinNames(driver.Inputs), inputs);
        EXPECT_EQ(PinNames(driver.Outputs), Numbered("D", n, true));
        decoder.SetWidth(index);
        EXPECT_EQ(decoder.WidthIndex(), index);
        EXPECT_EQ(PinNames(decoder.Inputs), Numbered("A", n, false));
        EXPECT_EQ(PinNames(decoder.Outputs), std::vector<std::string>{"CS"});
    }
    driver.SetInputCount(7);
    EXPECT_EQ(driver.WidthIndex(), 2);
    decoder.SetInputCount(3);
    EXPECT_EQ(decoder.WidthIndex(), 2);
}

// Enabled ("EN" open reads high) the driver passes each "Dk" to its output
// "Dk"; disabled it puts 0.0 V on every output, an inverted one included.
TEST_F(BusTest, TheDriverPassesWhileEnabled)
{
    TRig rig("TBTBustreiber");
    rig.Component->Outputs[0].Inverted = true;   // "D7"
    rig.Start();
    rig.Step("10110001" "1");
    EXPECT_EQ(rig.Levels(), "1011000" "0");   // "D7" inverted: low for a high input
    rig.Step("10110000" "0");
    EXPECT_EQ(rig.Value(0), LowLevel);
    for (Integer o = 0; o < 8; ++o)
        EXPECT_EQ(rig.Value(o), LowLevel) << o;
    rig.Step("00000000" "1");
    EXPECT_EQ(rig.Value(0), HighLevel);

    TRig open("TBTBustreiber", 8);
    open.Start();
    open.Step("01000000");
    EXPECT_EQ(open.Levels(), "01000000");
}

// Two 8-channel drivers with their outputs on one wired net each: the bus
// follows the enabled one, is 0.0 V with both disabled and the OR of both
// with both enabled, in either order of the object list.
TEST_F(BusTest, TwoDriversOnOneWiredBus)
{
    struct TCase {
        bool EnableA, EnableB;
        Integer Bus;
    };
    constexpr Integer A = 0x0F;
    constexpr Integer B = 0x33;
    for (const bool aFirst : {true, false}) {
        SCOPED_TRACE(aFirst ? "A first" : "B first");
        TTestBoard t;
        auto* sourceA = t.Place<TBTTestSource>(100, 100);
        auto* sourceB = t.Place<TBTTestSource>(100, 900);
        sourceA->SetOutputCount(9);
        sourceB->SetOutputCount(9);
        TBTBustreiber* a = nullptr;
        TBTBustreiber* b = nullptr;
        if (aFirst) {
            a = static_cast<TBTBustreiber*>(t.Place("TBTBustreiber", 600, 100));
            b = static_cast<TBTBustreiber*>(t.Place("TBTBustreiber", 600, 900));
        } else {
            b = static_cast<TBTBustreiber*>(t.Place("TBTBustreiber", 600, 900));
            a = static_cast<TBTBustreiber*>(t.Place("TBTBustreiber", 600, 100));
        }
        for (Integer i = 0; i < 9; ++i) {
            a->Inputs[i].Source = sourceA->Outputs[i].MarkReferenced();
            b->Inputs[i].Source = sourceB->Outputs[i].MarkReferenced();
        }
        for (Integer o = 0; o < 8; ++o)
            TTestBoard::MakeWiredGroup({&a->Outputs[o], &b->Outputs[o]});
        PinLinksChanged();
        for (Integer k = 0; k < 8; ++k) {
            sourceA->Values[k] = (A >> k & 1) ? HighLevel : LowLevel;
            sourceB->Values[k] = (B >> k & 1) ? HighLevel : LowLevel;
        }
        for (const TCase& c : {TCase{true, false, A}, TCase{false, true, B}, TCase{false, false, 0},
                               TCase{true, true, A | B}}) {
            SCOPED_TRACE(std::to_string(c.EnableA) + std::to_string(c.EnableB));
            sourceA->Values[8] = c.EnableA ? HighLevel : LowLevel;
            sourceB->Values[8] = c.EnableB ? HighLevel : LowLevel;
            t.CalculateAll();
            Integer bus = 0;
            for (Integer k = 0; k < 8; ++k) {
                const Extended line = a->Outputs[7 - k].Value;
                EXPECT_EQ(line, b->Outputs[7 - k].Value) << k;
                EXPECT_TRUE(line == HighLevel || line == LowLevel) << k;
                bus |= Integer(line == HighLevel) << k;
            }
            EXPECT_EQ(bus, c.Bus);
        }
    }
}

TEST_F(BusTest, HexToWordTakesTheLastFourDigits)
{
    struct TCase {
        const char* Text;
        Word Value;
    };
    for (const TCase& c : {TCase{"", 0}, TCase{"378", 0x378}, TCase{"12345", 0x2345}, TCase{"00G1", 1},
                           TCase{"G1", 1}, TCase{"ffff", 0xFFFF}, TCase{"aBcD", 0xABCD}, TCase{"FFFFFFFF", 0xFFFF},
                           TCase{"1 2", 0x102}, TCase{"\xE4\xE4", 0}, TCase{"-1", 1}}) {
        EXPECT_EQ(HexToWord(c.Text), c.Value) << c.Text;
    }
}

// "CS" is high exactly for the addresses of the range, open inputs read
// high, and a range whose lower end lies above its upper end never holds.
TEST_F(BusTest, TheDecoderSelectsItsRange)
{
    TRig rig("TBTAdressdekoder");
    auto* decoder = static_cast<TBTAdressdekoder*>(rig.Component);
    decoder->Lower = 0x10;
    decoder->Upper = 0x1F;
    rig.Start();
    for (Integer address = 0; address < 256; ++address) {
        for (Integer i = 0; i < 8; ++i)
            rig.SetValue(i, (address >> i & 1) ? HighLevel : LowLevel);
        rig.Step();
        ASSERT_EQ(rig.High(0), address >= 16 && address <= 31) << address;
    }
    decoder->Lower = 0x20;
    decoder->Upper = 0x10;
    for (const Integer address : {0x10, 0x18, 0x20}) {
        for (Integer i = 0; i < 8; ++i)
            rig.SetValue(i, (address >> i & 1) ? HighLevel : LowLevel);
        rig.Step();
        EXPECT_FALSE(rig.High(0)) << address;
    }

    TRig open("TBTAdressdekoder", 0);
    auto* wide = static_cast<TBTAdressdekoder*>(open.Component);
    wide->SetWidth(3);
    wide->Lower = 0;
    wide->Upper = 0xFFFE;
    open.Start();
    open.Step();
    EXPECT_FALSE(open.High(0));
    wide->Upper = 0xFFFF;
    open.Step();
    EXPECT_TRUE(open.High(0));
}

TEST_F(BusTest, TheDriversChannelCount)
{
    TTestBoard t;
    auto* driver = static_cast<TBTBustreiber*>(t.Place("TBTBustreiber", 100, 100));
    TDialogRun run(*driver, true, [](TPropScrollbox& props) {
        auto& combo = Row<TComboPropEditor>(props, 0);
        EXPECT_EQ(combo.Combo->count(), 4);
        EXPECT_EQ(combo.Combo->currentIndex(), 2);
        combo.Combo->setCurrentIndex(1);
    });
    EXPECT_EQ(run.Result, 1);
    EXPECT_EQ(run.Caption, "Bustreiber digital");   // the dialog shows the break as a blank
    EXPECT_EQ(run.HelpContext, 18360);
    EXPECT_EQ(run.Rows, std::vector<QString>{QString::fromUtf8("Kanäle")});
    EXPECT_EQ(driver->InputCount, 5);
    EXPECT_EQ(driver->OutputCount, 4);

    TDialogRun cancelled(*driver, false, [](TPropScrollbox& props) {
        Row<TComboPropEditor>(props, 0).Combo->setCurrentIndex(3);
    });
    EXPECT_EQ(cancelled.Result, 2);
    EXPECT_EQ(driver->OutputCount, 4);
}

TEST_F(BusTest, TheDecodersWidthRangeAndHint)
{
    TTestBoard t;
    auto* decoder = static_cast<TBTAdressdekoder*>(t.Place("TBTAdressdekoder", 100, 100));
    decoder->Lower = 0x10;
    decoder->Upper = 0xABC;
    TDialogRun run(*decoder, true, [](TPropScrollbox& props) {
        EXPECT_EQ(Row<TComboPropEditor>(props, 0).Combo->currentIndex(), 2);
        Row<TComboPropEditor>(props, 0).Combo->setCurrentIndex(3);
        auto& range = Row<TRangePropEditor>(props, 1);
        EXPECT_EQ(range.FromEdit->text(), QStringLiteral("0010"));
        EXPECT_EQ(range.ToEdit->text(), QStringLiteral("0ABC"));
        range.FromEdit->setText("12345");
        range.ToEdit->setText("00g1");
    });
    EXPECT_EQ(run.Result, 1);
    EXPECT_EQ(run.Caption, "Adressdekoder");
    EXPECT_EQ(run.HelpContext, 18365);
    EXPECT_EQ(run.Rows, (std::vector<QString>{QString::fromUtf8("Eingänge"), QStringLiteral("Adressbereich [hex]"),
                                              QStringLiteral("Optionen"), QStringLiteral("Name"),
                                              QStringLiteral("Zur Laufzeit einstellbar")}));
    EXPECT_EQ(decoder->InputCount, 16);
    EXPECT_EQ(decoder->Lower, 0x2345);
    EXPECT_EQ(decoder->Upper, 0x0001);
    EXPECT_EQ(decoder->GetHintText(), AnsiString("ADEC 1\rAdressdekoder\rh2345 - h0001"));

    // Cancel changes nothing.
    TDialogRun cancelled(*decoder, false, [](TPropScrollbox& props) {
        Row<TComboPropEditor>(props, 0).Combo->setCurrentIndex(0);
        Row<TRangePropEditor>(props, 1).FromEdit->setText("FFFF");
    });
    EXPECT_EQ(decoder->InputCount, 16);
    EXPECT_EQ(decoder->Lower, 0x2345);

    // An address beyond four digits (from a file) is kept while its text is
    // left as shown.
    decoder->Upper = 0x12345;
    TDialogRun untouched(*decoder, true);
    EXPECT_EQ(decoder->Upper, 0x12345);
    EXPECT_EQ(decoder->GetHintText(), AnsiString("ADEC 1\rAdressdekoder\rh2345 - h12345"));
}

// While the simulation runs only the range is offered; width and wiring stay.
TEST_F(BusTest, TheDecodersSettingsWhileRunning)
{
    TTestBoard t;
    auto* decoder = static_cast<TBTAdressdekoder*>(t.Place("TBTAdressdekoder", 100, 100));
    decoder->RuntimeAdjustable = true;
    SimulationRunning = true;
    TDialogRun run(*decoder, true, [](TPropScrollbox& props) {
        Row<TRangePropEditor>(props, 0).ToEdit->setText("00FF");
    });
    EXPECT_EQ(run.Rows, std::vector<QString>{QStringLiteral("Adressbereich [hex]")});
    EXPECT_EQ(decoder->InputCount, 8);
    EXPECT_EQ(decoder->Upper, 0xFF);

    LanguageIndex = 2;
    TDialogRun french(*decoder, true);
    EXPECT_EQ(french.Rows, std::vector<QString>{QString::fromUtf8("Plage d´adresses [hex]")});
}

// A board stream of one component at (100, 100) with its base record.
TStreamBytes BaseRecord(const char* className, Integer inputs, Integer outputs, bool old, const AnsiString& caption)
{
    TStreamBytes s;
    s.Int(1).Str(className).Int(0).Int(100).Int(100).Int(inputs).Int(outputs).Bool(false);
    for (Integer i = 0; i < inputs + outputs; ++i)
        s.Bool(false);
    if (!old)
        s.Bool(false).Str(caption);
    return s;
}

// The two addresses follow the base record as four raw bytes each, little
// endian, with no value tags; they are read so in every file version.
TEST_F(BusTest, TheDecodersRawRecordByteForByte)
{
    TTestBoard t;
    auto* decoder = static_cast<TBTAdressdekoder*>(t.Place("TBTAdressdekoder", 100, 100));
    decoder->SetCaption("Dekoder");
    decoder->Lower = 0x1234;
    decoder->Upper = -2;
    const TBytes expected =
        BaseRecord("TBTAdressdekoder", 8, 1, false, "Dekoder").Raw({0x34, 0x12, 0, 0}).Raw({0xFE, 0xFF, 0xFF, 0xFF}).Bool(false).Bytes;
    const TBytes bytes = t.WriteToMemory();
    EXPECT_EQ(bytes, expected);

    for (const Byte version : {Byte(46), Byte(40), Byte(39), Byte(2)}) {
        SCOPED_TRACE(int(version));
        TStreamBytes s = BaseRecord("TBTAdressdekoder", 4, 1, version < 40, "Dekoder");
        if (version < 3) {
            // No inversion flags before version 3.
            s = TStreamBytes{};
            s.Int(1).Str("TBTAdressdekoder").Int(0).Int(100).Int(100).Int(4).Int(1).Bool(false);
        }
        s.Raw({0xFF, 0xFF, 0, 0}).Raw({0, 0, 1, 0}).Bool(false);
        TTestBoard copy;
        copy.ReadFromMemory(s.Bytes, version);
        ASSERT_EQ(CountOf(copy.Board(), "TBTAdressdekoder"), 1);
        TBTAdressdekoder* read = nullptr;
        for (TBauteil* object : copy.Board().Objects)
            if (!read)
                read = dynamic_cast<TBTAdressdekoder*>(object);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->InputCount, 4);
        EXPECT_EQ(read->Lower, 0xFFFF);
        EXPECT_EQ(read->Upper, 0x10000);
    }

    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    EXPECT_EQ(copy.WriteToMemory(), bytes);
}

// Every width reads; other pin counts, within the rows' ranges or beyond
// them, are damaged records: the stream error and no component.
TEST_F(BusTest, OnlyTheWidthsPinCountsRead)
{
    struct TCountCase {
        const char* Class;
        Integer Inputs;
        Integer Outputs;
        bool Reads;
    };
    const TCountCase cases[] = {
        {"TBTBustreiber", 3, 2, true},         {"TBTBustreiber", 5, 4, true},
        {"TBTBustreiber", 9, 8, true},         {"TBTBustreiber", 17, 16, true},
        {"TBTBustreiber", 7, 6, false},        {"TBTBustreiber", 9, 4, false},
        {"TBTBustreiber", 2, 1, false},        {"TBTBustreiber", 33, 32, false},
        {"TBTAdressdekoder", 2, 1, true},      {"TBTAdressdekoder", 16, 1, true},
        {"TBTAdressdekoder", 3, 1, false},     {"TBTAdressdekoder", 1, 1, false},
        {"TBTAdressdekoder", 32, 1, false},    {"TBTAdressdekoder", 8, 2, false},
        {"TBTAdressdekoder", 8, 0, false},
    };
    for (const TCountCase& c : cases) {
        SCOPED_TRACE(std::string(c.Class) + " " + std::to_string(c.Inputs) + "/" + std::to_string(c.Outputs));
        TStreamBytes s = BaseRecord(c.Class, c.Inputs, c.Outputs, false, "Bus");
        if (std::string_view(c.Class) == "TBTAdressdekoder")
            s.Raw({0, 0, 0, 0}).Raw({3, 0, 0, 0});
        s.Bool(false);
        TTestBoard copy;
        if (!c.Reads) {
            EXPECT_THROW(copy.ReadFromMemory(s.Bytes), EReadError);
            EXPECT_EQ(copy.Board().Objects.size(), 0u);
            continue;
        }
        copy.ReadFromMemory(s.Bytes);
        ASSERT_EQ(CountOf(copy.Board(), c.Class), 1);
        const TIOBauteil* read = FindComponent(copy.Board(), c.Class);
        EXPECT_EQ(read->InputCount, c.Inputs);
        EXPECT_EQ(read->OutputCount, c.Outputs);
    }
}

} // namespace
