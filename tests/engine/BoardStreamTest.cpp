// The board part of the object stream: the byte layout of a small board with
// components, a wire, a macro and print settings written to a file, reading
// it back, version gates, and damaged streams.
#include "support/StreamBytes.h"
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Segment.h"
#include "engine/ShellHooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>


namespace {

// The print settings as a new board has them.
void DefaultPrintSettings(TStreamBytes& b)
{
    b.Int(0).Int(0).Int(0).Int(0).Int(120).Half().Str("").Bool(true).Bool(true).Bool(false).Int(-1).Int(0).Int(0);
}

void MacroPinRecord(TStreamBytes& b, int y, std::string_view label)
{
    b.Str("TBTPin").Int(0).Int(300).Int(y).Int(1).Int(0).Bool(false).Bool(false).Bool(false);
    b.Str("Pin (Makros)").Str(label).Bool(false);
}

// Source at 20,40; gate at 100,20; a wire 0,120 - 60,120 with a dot at its
// end; a macro without a name at 100,100 holding macro pins I and Q. Print
// settings are written to files only.
TBytes GoldenBoard(bool file = true)
{
    TStreamBytes b;
    b.Int(4);
    b.Str("TBTTestSource").Int(0).Int(20).Int(40).Int(0).Int(1).Bool(false).Bool(false).Bool(false);
    b.Str("Testquelle").Bool(false);
    b.Str("TBTTestGate").Int(2).Int(100).Int(20).Int(2).Int(1).Bool(false).Bool(false).Bool(false).Bool(false);
    b.Bool(false).Str("TESTUND").Int(7).Bool(false);
    b.Str("TSegment").Int(0).Int(0).Int(120).Int(60).Int(120).Bool(false).Bool(true);
    b.Str("TMakro").Int(0).Int(100).Int(100).Int(1).Int(1).Bool(false).Bool(false).Bool(false).Bool(false);
    b.Str("Makro").Str("");
    b.Int(-2).Int(0).Bool(false).Int(0).Int(0).Int(200).Int(150).Int(0);   // panel design
    b.Int(2);
    MacroPinRecord(b, 300, "I");
    MacroPinRecord(b, 400, "Q");
    if (file)
        DefaultPrintSettings(b);
    // The macro panel's design block: no decorations, then its settings.
    b.Int(0).Int(0).Int(1).Int(0).Int(0).Raw({0x04, 0xEC, 0xE9, 0xD8, 0x00}).Raw({0x04, 0xEC, 0xE9, 0xD8, 0x00});
    b.Bool(true).Bool(true).Int(0).Bool(false).Bool(false).Int(0).Int(0);
    b.Bool(false);   // the macro has no element of its own
    if (!file)
        return b.Bytes;
    b.Int(1).Int(2).Int(3).Int(4).Int(5).Half().Str("H").Bool(false).Bool(true).Bool(true).Int(6).Int(1);
    b.Int(2).Str("a").Str("b");
    return b.Bytes;
}

void BuildGoldenBoard(TTestBoard& t)
{
    t.Place<TBTTestSource>(20, 40);
    t.Place<TBTTestGate>(100, 20);
    TSegment* wire = t.Board().AddWire(Point(0, 120), Point(60, 120));
    wire->DotAtEnd = true;
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    TPlatine* inner = macro->InnerBoard();
    inner->FindMacroPin(1)->Label = "I";
    inner->FindMacroPin(2)->Label = "Q";
    TTestHost::UpdateMacroPins(*macro);
    TPlatine& board = t.Board();
    board.PrintOriginX = 1;
    board.PrintOriginY = 2;
    board.PreviewOffsetX = 3;
    board.PreviewOffsetY = 4;
    board.PrintSize = 5;
    board.PrintHeadline = "H";
    board.PrintBlackWhiteOption = false;
    board.PrintBackground = true;
    board.PrinterIndex = 6;
    board.PrintOrientation = 1;
    board.PrintTextLines = {"a", "b"};
}

class BoardStreamTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }

    std::string FileName() const { return dir.filePath("board.prj").toStdString(); }

    TBytes WriteFile(TPlatine& board)
    {
        {
            TFileStream stream(FileName(), TFileMode::fmCreate);
            TWriter writer(stream);
            board.WriteObjects(stream, writer, false);
            writer.FlushBuffer();
        }
        QFile file(QString::fromStdString(FileName()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        return TBytes(bytes.begin(), bytes.end());
    }

    void ReadFile(TPlatine& board, const TBytes& bytes, Byte version)
    {
        {
            QFile file(QString::fromStdString(FileName()));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        }
        TFileStream stream(FileName(), TFileMode::fmOpenRead);
        TReader reader(stream);
        board.ReadObjects(stream, reader, version);
    }

    QTemporaryDir dir;
};

TEST_F(BoardStreamTest, GoldenBoardIsWrittenFieldByField)
{
    TTestBoard t;
    BuildGoldenBoard(t);
    EXPECT_EQ(WriteFile(t.Board()), GoldenBoard());
}

TEST_F(BoardStreamTest, GoldenBoardReadsBackWithStubsAndSelection)
{
    TTestBoard t;
    ReadFile(t.Board(), GoldenBoard(), 46);
    TPlatine& board = t.Board();
    EXPECT_EQ(CountOf<TBTTestSource>(board), 1);
    EXPECT_EQ(CountOf<TBTTestGate>(board), 1);
    EXPECT_EQ(CountOf<TMakro>(board), 1);
    EXPECT_EQ(CountOf<TSegment>(board), 1 + 1 + 3 + 2);   // the wire and one stub per pin
    for (const TBauteil* o : board.Objects)
        EXPECT_TRUE(o->IsSelected());
    EXPECT_EQ(board.PrintTextLines, (std::vector<AnsiString>{"a", "b"}));
    EXPECT_EQ(board.PrintScale, 0.5);
    EXPECT_TRUE(board.PrintBackground);

    TMakro* macro = nullptr;
    for (TBauteil* o : board.Objects)
        if (auto* m = dynamic_cast<TMakro*>(o))
            macro = m;
    ASSERT_NE(macro, nullptr);
    TPlatine* inner = macro->InnerBoard();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->ParentBoard, &board);
    EXPECT_EQ(inner->BoardName, "MAIN_MCR1");
    EXPECT_EQ(inner->MacroPinCount(), 2);
    EXPECT_EQ(CountOf<TSegment>(*inner), 2);
    EXPECT_EQ(macro->PinCount, 2);
    EXPECT_EQ(macro->Inputs[0].Name, "I");
    EXPECT_EQ(macro->Outputs[0].Name, "Q");
    EXPECT_EQ(macro->SubDesign->ElementName(), "Makro 1: ");
    EXPECT_EQ(t.Host().RootDesign.ElementCount(), 1);

    board.SelectAll(false);
    EXPECT_EQ(WriteFile(board), GoldenBoard());
}

TEST_F(BoardStreamTest, MemoryStreamsCarryNoPrintSettings)
{
    TTestBoard t;
    BuildGoldenBoard(t);
    t.Board().SelectAll(true);
    const TBytes bytes = t.WriteToMemory();
    EXPECT_EQ(bytes, GoldenBoard(false));
    TTestBoard copy;
    copy.ReadFromMemory(bytes, InMemoryVersion);
    EXPECT_EQ(copy.Board().PrintSize, 120);
    EXPECT_EQ(copy.WriteToMemory(), bytes);
}

TEST_F(BoardStreamTest, ComponentElementsTravelWithTheirComponents)
{
    TTestBoard t;
    t.Place<TBTTestGate>(100, 100);
    auto* lamp = t.Place<TBTTestLamp>(100, 400);
    TFakeElement* element = t.Host().RootDesign.AddElement(lamp);
    element->SetBounds(30, 40, 10, 10);
    lamp->SetPanelElement(element);
    const TBytes bytes = t.WriteToMemory();

    TStreamBytes lampRecord;
    lampRecord.Str("TBTTestLamp").Int(0).Int(100).Int(400).Int(1).Int(0).Bool(false).Bool(false).Bool(false);
    lampRecord.Str("Testlampe").Bool(true).Int(30).Int(40);
    ASSERT_GE(bytes.size(), lampRecord.Bytes.size());
    EXPECT_EQ(TBytes(bytes.end() - lampRecord.Bytes.size(), bytes.end()), lampRecord.Bytes);

    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    ASSERT_EQ(copy.Host().RootDesign.ElementCount(), 1);
    const IFP_Element* read = copy.Host().RootDesign.Element(0);
    EXPECT_EQ(read->ElementName(), "LMP1");
    EXPECT_EQ(read->Left(), 30);
    EXPECT_EQ(read->LinkedComponent()->PanelElement, read);

    // A library file carries no element flags at all.
    t.Board().WritingLibrary = true;
    const TBytes library = t.WriteToMemory();
    EXPECT_EQ(library.size(), bytes.size() - 2 - 4);   // two flags, one element record
    TTestBoard fromLibrary;
    LibraryLoading = true;
    fromLibrary.ReadFromMemory(library);
    LibraryLoading = false;
    EXPECT_EQ(fromLibrary.Host().RootDesign.ElementCount(), 0);
    EXPECT_EQ(CountOf<TBTTestLamp>(fromLibrary.Board()), 1);
}

TEST_F(BoardStreamTest, PrintSettingsOnlyFromVersion40Files)
{
    TStreamBytes b;
    b.Int(1).Str("TSegment").Int(0).Int(0).Int(0).Int(0).Int(40).Bool(false).Bool(false);
    b.Int(9).Int(9).Int(9).Int(9).Int(77).Half().Str("x").Bool(true).Bool(true).Bool(true).Int(0).Int(0).Int(0);
    for (Byte version : {Byte{39}, Byte{40}}) {
        TTestBoard t;
        ReadFile(t.Board(), b.Bytes, version);
        EXPECT_EQ(t.Board().PrintSize, version >= 40 ? 77 : 120);
        EXPECT_EQ(CountOf<TSegment>(t.Board()), 1);
    }
}

TEST_F(BoardStreamTest, TinyStreamsReadAsEmptyBoards)
{
    TTestBoard t;
    t.ReadFromMemory({});
    t.ReadFromMemory({0x02});
    EXPECT_TRUE(t.Board().Objects.empty());
    t.ReadFromMemory({0x02, 0xF0});   // a negative count
    EXPECT_TRUE(t.Board().Objects.empty());
}

class TNotABoardObject : public TPersistent {
    ZK_CLASS(TNotABoardObject, TPersistent)
};

TEST_F(BoardStreamTest, DamagedStreamsRaiseTheStreamError)
{
    RegisterClass(TNotABoardObject::StaticClass());
    auto wire = [](TStreamBytes& b) { b.Str("TSegment").Int(0).Int(0).Int(0).Int(0).Int(40).Bool(false).Bool(false); };
    auto gateHead = [](TStreamBytes& b) { b.Str("TBTTestGate").Int(2).Int(100).Int(20); };
    struct TCase {
        const char* Name;
        TBytes Bytes;
        bool ClassError;
    };
    std::vector<TCase> cases;
    {
        TStreamBytes b;
        b.Str("4");
        cases.push_back({"CountIsAString", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(2);
        wire(b);
        b.Str("TBuh");
        cases.push_back({"UnknownClass", b.Bytes, true});
    }
    {
        TStreamBytes b;
        b.Int(1).Str("TNotABoardObject");
        cases.push_back({"NoBoardObject", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(1).Str("TSegment").Int(0).Int(0);
        cases.push_back({"ShortRecord", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Raw({0x04, 0xFF, 0xFF, 0xFF, 0x7F});
        wire(b);
        cases.push_back({"HugeObjectCount", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(1);
        gateHead(b);
        b.Raw({0x04, 0x00, 0x00, 0x00, 0x40}).Int(1);
        cases.push_back({"HugePinCount", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(1).Str("TBTTestLamp").Int(0).Int(100).Int(20).Int(1).Int(0).Bool(false).Bool(false).Bool(false);
        b.Str("L").Bool(true).Int(5);
        cases.push_back({"ElementRecordCutShort", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(1).Str("TMakro").Int(0).Int(100).Int(100).Int(1).Int(1).Bool(false).Bool(false).Bool(false);
        b.Bool(false).Str("Makro").Str("M").Int(-2).Int(0).Bool(false).Int(0).Int(0).Int(200).Int(150).Int(0);
        b.Raw({0x04, 0xFF, 0xFF, 0xFF, 0x7F});
        MacroPinRecord(b, 300, "I");
        cases.push_back({"MacroInnerBoardCutShort", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(1).Str("TBTTestSource").Int(0).Int(2147483600).Int(40).Int(0).Int(1).Bool(false).Bool(false);
        b.Bool(false).Str("Testquelle").Bool(false);
        cases.push_back({"ComponentBeyondTheBoard", b.Bytes, false});
    }
    {
        TStreamBytes b;
        b.Int(1).Str("TSegment").Int(0).Int(0).Int(-100000001).Int(0).Int(40).Bool(false).Bool(false);
        cases.push_back({"WireBeyondTheBoard", b.Bytes, false});
    }
    for (const TCase& c : cases) {
        TTestBoard t;
        if (c.ClassError) {
            EXPECT_THROW(t.ReadFromMemory(c.Bytes), EClassNotFound) << c.Name;
        } else {
            EXPECT_THROW(t.ReadFromMemory(c.Bytes), EReadError) << c.Name;
        }
        // What was read before the fault stays, complete with stubs.
        for (const TBauteil* o : t.Board().Objects) {
            if (auto* component = dynamic_cast<const TIOBauteil*>(o)) {
                for (const TBauteilPin& pin : component->Inputs)
                    EXPECT_NE(pin.Stub, nullptr) << c.Name;
            }
        }
        EXPECT_EQ(t.Host().CurrentDesign, &t.Host().RootDesign) << c.Name;
    }
}

TEST_F(BoardStreamTest, ProgressReportsAndClosesOnEveryExit)
{
    std::vector<std::string> calls;
    ShellHooks.Progress.Start = [&](const AnsiString& title, bool shown) {
        calls.push_back("start " + title + (shown ? " shown" : ""));
    };
    ShellHooks.Progress.SetTitle = [&](const AnsiString& title) { calls.push_back("title " + title); };
    ShellHooks.Progress.SetPosition = [&](Integer p) { calls.push_back(std::to_string(p)); };
    ShellHooks.Progress.Close = [&] { calls.push_back("close"); };
    {
        TTestBoard t;
        BuildGoldenBoard(t);
        t.Board().SelectAll(true);
        const TBytes bytes = t.WriteToMemory();
        TTestBoard copy;
        copy.ReadFromMemory(bytes);
        EXPECT_EQ(calls, (std::vector<std::string>{"start \xD6" "ffnen... ", "25", "50", "75", "100",
                                                   "title \xD6" "ffnen... ", "close"}));
        calls.clear();
        EXPECT_THROW(copy.ReadFromMemory({0x02, 0x01}), EReadError);
        EXPECT_EQ(calls.back(), "close");
    }
    ShellHooks.Progress = {};
}

} // namespace
