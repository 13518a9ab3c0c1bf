// The RAM and ROM: their steps (the RAM written on the falling edge of
// "|R/W" only, the ROM writing its outputs in the first step), the hex text
// files, the load at start and stop, the 64 KB address mask and the
// records with their version gate and damaged forms.
#include "DigitalRig.h"

#include "components/digital/BT_Speicher.h"
#include "components/digital/HexDatei.h"

#include "support/StreamBytes.h"

#include "platform/Stream.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <numeric>

namespace {

class SpeicherTest : public DigitalTest {
protected:
    void SetUp() override
    {
        DigitalTest::SetUp();
        RegisterRows(SpeicherRows());
        ASSERT_TRUE(dir_.isValid());
    }
    AnsiString Path(const char* name) const { return (dir_.path() + "/" + name).toStdString(); }
    void WriteFile(const AnsiString& path, const QByteArray& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile(const AnsiString& path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

// The byte on D7..D0 (outputs 0..7).
Integer OutputByte(const TRig& rig)
{
    Integer v = 0;
    for (Integer j = 0; j < 8; ++j)
        v |= rig.High(7 - j) << j;
    return v;
}

// The levels of a 256-byte RAM's inputs: A0..A7, Di0..Di7, "|R/W".
std::string RamLevels(Integer address, Integer data, bool rw)
{
    std::string levels;
    for (Integer i = 0; i < 8; ++i)
        levels += address >> i & 1 ? '1' : '0';
    for (Integer i = 0; i < 8; ++i)
        levels += data >> i & 1 ? '1' : '0';
    levels += rw ? '1' : '0';
    return levels;
}

TEST_F(SpeicherTest, PinsSizesAndHint)
{
    TTestBoard t;
    auto* ram = static_cast<TBTRAM*>(t.Place("TBTRAM", 100, 100));
    auto* rom = static_cast<TBTROM*>(t.Place("TBTROM", 400, 100));
    EXPECT_EQ(ram->InputCount, 17);
    EXPECT_EQ(ram->Inputs[0].Name, "A0");
    EXPECT_EQ(ram->Inputs[8].Name, "Di0");
    EXPECT_EQ(ram->Inputs[16].Name, "|R/W");
    EXPECT_EQ(ram->Outputs[0].Name, "D7");
    EXPECT_EQ(ram->Outputs[7].Name, "D0");
    EXPECT_EQ(ram->AddressMask(), 255);
    EXPECT_EQ(rom->InputCount, 10);
    EXPECT_EQ(rom->Inputs[9].Name, "A9");
    EXPECT_EQ(rom->MemorySize(), 1024);
    EXPECT_EQ(ram->GetTypeName(), "RAM");
    EXPECT_EQ(rom->Designator, "ROM");
    EXPECT_EQ(ram->HelpContext, 18385);
    EXPECT_EQ(rom->HelpContext, 18390);

    ram->SetInputCount(ram->InputCountFor(16));
    EXPECT_EQ(ram->AddressMask(), 65535);
    EXPECT_EQ(ram->Inputs[24].Name, "|R/W");
    const AnsiString hint = ram->GetHintText();
    EXPECT_NE(hint.find("\r65536 Bytes"), AnsiString::npos) << hint;
    ram->FileName = "C:\\Daten\\tabelle.hex";
    EXPECT_EQ(ram->GetHintText(), hint);   // the file shows only when it is loaded
    ram->AutoLoad = true;
    EXPECT_EQ(ram->GetHintText(), hint + "\rtabelle.hex");
}

TEST_F(SpeicherTest, RamWritesOnTheFallingEdgeOnly)
{
    TRig rig("TBTRAM");
    auto* ram = static_cast<TBTRAM*>(rig.Component);
    ram->Memory[5] = 0x11;
    rig.Start();
    // Low from the start: no output is written, nothing is stored.
    rig.Step(RamLevels(5, 0xAA, false));
    EXPECT_EQ(ram->LastOutput, -1);
    EXPECT_EQ(ram->Memory[5], 0x11);
    rig.Step(RamLevels(5, 0xAA, true));
    EXPECT_EQ(OutputByte(rig), 0x11);
    // The falling edge stores address and data of that step; the outputs keep the last byte read.
    rig.Step(RamLevels(5, 0xAA, false));
    EXPECT_EQ(ram->Memory[5], 0xAA);
    EXPECT_EQ(OutputByte(rig), 0x11);
    rig.Step(RamLevels(6, 0x55, false));
    rig.Step(RamLevels(5, 0x33, false));
    EXPECT_EQ(ram->Memory[5], 0xAA);
    EXPECT_EQ(ram->Memory[6], 0);
    rig.Step(RamLevels(5, 0x33, true));
    EXPECT_EQ(OutputByte(rig), 0xAA);
    rig.Step(RamLevels(200, 0, true));
    EXPECT_EQ(OutputByte(rig), 0);
}

TEST_F(SpeicherTest, UnconnectedInputsReadHigh)
{
    // R/W open: a read-only memory at the address of the wired inputs.
    TRig ram("TBTRAM", 16);
    static_cast<TBTRAM*>(ram.Component)->Memory[3] = 0x42;
    ram.Start();
    ram.Step(RamLevels(3, 0, false).substr(0, 16));
    EXPECT_EQ(OutputByte(ram), 0x42);
    ram.Step(RamLevels(3, 0x99, false).substr(0, 16));
    EXPECT_EQ(static_cast<TBTRAM*>(ram.Component)->Memory[3], 0x42);

    // A ROM with no address wired shows its last byte.
    TRig rom("TBTROM", 0);
    static_cast<TBTROM*>(rom.Component)->Memory[1023] = 0x7E;
    rom.Start();
    rom.Step();
    EXPECT_EQ(OutputByte(rom), 0x7E);
}

TEST_F(SpeicherTest, RomWritesEveryOutputInTheFirstStep)
{
    TRig rig("TBTROM");
    auto* rom = static_cast<TBTROM*>(rig.Component);
    rom->Memory[2] = 0x81;
    rig.Start();
    for (Integer o = 0; o < 8; ++o)
        rom->SetOutputLogic(o, true);
    rig.Step("0000000000");   // byte 0 is zero: written all the same
    EXPECT_EQ(OutputByte(rig), 0);
    rig.Step("0100000000");
    EXPECT_EQ(OutputByte(rig), 0x81);
}

// A memory given more than 16 address inputs masks the address to 64 KB,
// never reading past the memory.
TEST_F(SpeicherTest, MoreThanSixteenAddressLinesAreMasked)
{
    TRig rig("TBTROM", 0);
    auto* rom = static_cast<TBTROM*>(rig.Component);
    rom->SetInputCount(24);
    EXPECT_EQ(rom->AddressMask(), 65535);
    EXPECT_EQ(rom->MemorySize(), 65536);
    rom->Memory[65535] = 0x5A;
    rig.Start();
    rig.Step();
    EXPECT_EQ(OutputByte(rig), 0x5A);
}

struct THexCase {
    const char* Name;
    std::string_view Text;
    std::vector<Byte> Bytes;
};

TEST_F(SpeicherTest, HexTextRules)
{
    const THexCase cases[] = {
        {"lines", "00\r\n0A\r\nFF\r\n", {0x00, 0x0A, 0xFF}},
        {"one digit, blank, pair", "1 AB", {0xAB}},
        {"three digits", "ABC", {0xAB}},
        {"separators", "01,02;03 04\t05", {1, 2, 3, 4, 5}},
        {"lower case", "ab 0c C0", {0xC0}},
        {"prefixes", "$12 0x34", {0x12, 0x34}},
        {"no pair across a line end", "1\n2\r3\r\n45", {0x45}},
        {"run of pairs", "DEADBEEF", {0xDE, 0xAD, 0xBE, 0xEF}},
        {"nothing", "", {}},
    };
    for (const THexCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Byte memory[8];
        std::memset(memory, 0xEE, sizeof memory);
        const Integer count = ParseHexText(c.Text, memory, 6);
        ASSERT_EQ(count, static_cast<Integer>(c.Bytes.size()));
        for (Integer i = 0; i < 6; ++i)
            EXPECT_EQ(memory[i], i < count ? c.Bytes[i] : 0) << i;
        EXPECT_EQ(memory[6], 0xEE);   // nothing past the size
    }
    Byte memory[4] = {};
    EXPECT_EQ(ParseHexText("01 02 03 04 05 06", memory, 3), 3);
    EXPECT_EQ(memory[3], 0);
}

TEST_F(SpeicherTest, HexFilesSaveAndLoad)
{
    Byte memory[256];
    std::iota(memory, memory + 256, 0);
    const AnsiString path = Path("memory.hex");
    ASSERT_TRUE(SaveHexFile(path, memory, 256));
    const QByteArray text = ReadFile(path);
    EXPECT_EQ(text.size(), 256 * 4);
    EXPECT_TRUE(text.startsWith("00\r\n01\r\n"));
    EXPECT_TRUE(text.endsWith("FE\r\nFF\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1);   // no temporary left

    Byte back[256];
    std::memset(back, 0x99, sizeof back);
    EXPECT_EQ(LoadHexFile(path, back, 256), 256);
    EXPECT_EQ(std::memcmp(memory, back, 256), 0);
    // A larger memory: the file's bytes, the rest zero.
    std::unique_ptr<Byte[]> big(new Byte[1024]);
    std::memset(big.get(), 0x99, 1024);
    EXPECT_EQ(LoadHexFile(path, big.get(), 1024), 256);
    EXPECT_EQ(big[255], 255);
    EXPECT_EQ(big[256], 0);
    EXPECT_EQ(big[1023], 0);

    // A file that cannot be opened loses nothing.
    EXPECT_EQ(LoadHexFile(Path("missing.hex"), back, 256), std::nullopt);
    EXPECT_EQ(LoadHexFile("", back, 256), std::nullopt);
    EXPECT_EQ(LoadHexFile(dir_.path().toStdString(), back, 256), std::nullopt);   // a folder
    EXPECT_EQ(LoadHexFile("/dev/zero", back, 256), std::nullopt);                // never ends
    EXPECT_EQ(back[7], 7);
    // A file that cannot be written: refused.
    EXPECT_FALSE(SaveHexFile(Path("no-folder/memory.hex"), memory, 256));
}

TEST_F(SpeicherTest, AutoLoadAtStartAndStop)
{
    QByteArray text;
    for (int i = 0; i < 100; ++i)
        text += QByteArray::number(0x80 + i % 16, 16).toUpper() + "\r\n";
    WriteFile(Path("ram.hex"), text);

    TRig rig("TBTRAM");
    auto* ram = static_cast<TBTRAM*>(rig.Component);
    std::memset(ram->Memory.get(), 0x33, TSpeicher::Capacity);
    ram->AutoLoad = true;
    ram->FileName = Path("ram.hex");
    rig.Start();
    EXPECT_EQ(ram->Memory[0], 0x80);
    EXPECT_EQ(ram->Memory[99], 0x83);
    EXPECT_EQ(ram->Memory[100], 0);
    EXPECT_EQ(ram->Memory[255], 0);
    EXPECT_EQ(ram->Memory[256], 0x33);   // beyond the memory's size: untouched
    rig.Step(RamLevels(0, 0x01, true));
    rig.Step(RamLevels(0, 0x01, false));
    EXPECT_EQ(ram->Memory[0], 0x01);
    rig.t.Board().StopSimulation();
    EXPECT_EQ(ram->Memory[0], 0x80);   // the file again at the stop

    // A file that cannot be opened leaves the memory as it was.
    ram->FileName = Path("gone.hex");
    ram->Memory[0] = 0x44;
    rig.Start();
    EXPECT_EQ(ram->Memory[0], 0x44);
    EXPECT_EQ(ram->Memory[99], 0x83);
}

TEST_F(SpeicherTest, RecordsRoundTripInTheirOrder)
{
    TTestBoard t;
    auto* ram = static_cast<TBTRAM*>(t.Place("TBTRAM", 100, 100));
    ram->Memory[0] = 0xA5;
    ram->Memory[255] = 0x5A;
    ram->Memory[256] = 0x77;   // beyond the size: not stored
    ram->AutoLoad = true;
    ram->FileName = "daten.hex";
    const TBytes ramBytes = t.WriteToMemory();
    // Boolean, string, then the 256 raw bytes and the board's flag.
    TStreamBytes tail;
    tail.Bool(true).Str("daten.hex").Raw({0xA5});
    const TBytes expectTail(tail.Bytes.begin(), tail.Bytes.end());
    ASSERT_GT(ramBytes.size(), 256 + expectTail.size());
    EXPECT_TRUE(std::equal(expectTail.begin(), expectTail.end(), ramBytes.end() - 1 - 256 - (expectTail.size() - 1)));
    EXPECT_EQ(ramBytes[ramBytes.size() - 2], 0x5A);

    TTestBoard copy;
    copy.ReadFromMemory(ramBytes);
    auto* back = dynamic_cast<TBTRAM*>(copy.Board().Objects.at(0));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->AutoLoad);
    EXPECT_EQ(back->FileName, "daten.hex");
    EXPECT_EQ(back->Memory[0], 0xA5);
    EXPECT_EQ(back->Memory[255], 0x5A);
    EXPECT_EQ(back->Memory[256], 0);

    TTestBoard r;
    auto* rom = static_cast<TBTROM*>(r.Place("TBTROM", 100, 100));
    rom->SetInputCount(8);
    rom->Memory[0] = 0x12;
    rom->FileName = "rom.hex";
    const TBytes romBytes = r.WriteToMemory();
    TStreamBytes romTail;
    romTail.Bool(false).Str("rom.hex").Bool(false);
    EXPECT_TRUE(std::equal(romTail.Bytes.begin(), romTail.Bytes.end(), romBytes.end() - romTail.Bytes.size()));
    TTestBoard romCopy;
    romCopy.ReadFromMemory(romBytes);
    auto* romBack = dynamic_cast<TBTROM*>(romCopy.Board().Objects.at(0));
    ASSERT_NE(romBack, nullptr);
    EXPECT_EQ(romBack->Memory[0], 0x12);
    EXPECT_EQ(romBack->FileName, "rom.hex");
}

// Version 1 files: a RAM record ends with the base record, a ROM record
// holds its bytes only.
TEST_F(SpeicherTest, VersionOneRecords)
{
    auto record = [](const char* className, Integer inputs) {
        TStreamBytes s;
        s.Int(1).Str(className).Int(0).Int(100).Int(100).Int(inputs).Int(8).Bool(false);
        return s;
    };
    TTestBoard ramBoard;
    ramBoard.ReadFromMemory(record("TBTRAM", 17).Bool(false).Bytes, 1);
    auto* ram = dynamic_cast<TBTRAM*>(ramBoard.Board().Objects.at(0));
    ASSERT_NE(ram, nullptr);
    EXPECT_FALSE(ram->AutoLoad);
    EXPECT_EQ(ram->Memory[0], 0);

    TStreamBytes rom = record("TBTROM", 8);
    for (int i = 0; i < 256; ++i)
        rom.Raw({i});
    TTestBoard romBoard;
    romBoard.ReadFromMemory(rom.Bool(false).Bytes, 1);
    auto* back = dynamic_cast<TBTROM*>(romBoard.Board().Objects.at(0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Memory[200], 200);
    EXPECT_FALSE(back->AutoLoad);
}

// Cut anywhere, or with other output counts, a RAM too narrow for its data
// and R/W inputs, or more than 16 address lines: the stream error, and no
// component.
TEST_F(SpeicherTest, DamagedRecordsAreRefused)
{
    for (const char* className : {"TBTRAM", "TBTROM"}) {
        SCOPED_TRACE(className);
        TTestBoard board;
        board.Place(className, 100, 100);
        const TBytes bytes = board.WriteToMemory();
        for (std::size_t cut = 4; cut + 1 < bytes.size(); cut += 37) {
            TTestBoard copy;
            EXPECT_THROW(copy.ReadFromMemory(TBytes(bytes.begin(), bytes.begin() + cut)), EReadError) << cut;
            EXPECT_EQ(copy.Board().Objects.size(), 0u);
        }
    }
    for (const auto& [className, inputs, outputs] :
         {std::tuple{"TBTRAM", 17, 7}, std::tuple{"TBTROM", 10, 9}, std::tuple{"TBTRAM", 8, 8},
          std::tuple{"TBTRAM", 26, 8}, std::tuple{"TBTROM", 17, 8}}) {
        TStreamBytes s;
        s.Int(1).Str(className).Int(0).Int(100).Int(100).Int(inputs).Int(outputs).Bool(false);
        for (Integer i = 0; i < inputs + outputs; ++i)
            s.Bool(false);
        s.Bool(false).Str("").Bool(false).Str("");
        for (int i = 0; i < 1024; ++i)
            s.Raw({0});
        TTestBoard copy;
        EXPECT_THROW(copy.ReadFromMemory(s.Bytes), EReadError) << className << " " << inputs << " " << outputs;
        EXPECT_EQ(copy.Board().Objects.size(), 0u);
    }
}

} // namespace
