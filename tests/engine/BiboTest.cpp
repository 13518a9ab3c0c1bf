// The library palette: reading a library file into samples, the order of
// devices listed last, the layout and hit tests in board units, picking an
// entry as a one-object stream, the help and information marks, painting.
#include "support/LibraryDoubles.h"
#include "platform/HtmlHelp.h"
#include "support/StreamBytes.h"
#include "support/TestBoard.h"

#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Segment.h"
#include "engine/ShellHooks.h"
#include "platform/FileHeader.h"
#include "platform/Paths.h"
#include "platform/Stream.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class TBTTwoLines : public TGrundBT {
    ZK_CLASS(TBTTwoLines, TGrundBT)

public:
    TBTTwoLines() { SetInputCount(1); }
    AnsiString GetTypeName() const override { return "Zwei\rZeilen"; }
};

// 160 pixels are 508 board units at the palette's zoom.
constexpr int PaletteWidth = 160;
constexpr Integer StripUnits = 508;

class BiboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        RegisterTestClasses();
        RegisterLibraryDoubles();
        RegisterClass(TBTTwoLines::StaticClass());
        SetProgramFolder(folder_.path().toStdString() + "/");
        palette_.resize(PaletteWidth, 100);
        palette_.OnReadHeader = [this](TStream&, TReader& reader) {
            Byte header[5];
            reader.Read(header, sizeof header);
            palette_.FileVersion = header[3];
        };
    }
    void TearDown() override
    {
        ShellHooks.CreateHardwareHolding = nullptr;
        ShellHooks.ShowMakerLinks = nullptr;
        SetHelpOpener({});
        SetProgramFolder("");
        LibraryLoading = false;
    }

    AnsiString Path(const char* name) const { return folder_.filePath(name).toStdString(); }

    // A library file as the library save writes it: header, the objects
    // without element data, then panel blocks (here: bytes the palette must
    // not read).
    AnsiString WriteLibrary(const char* name, const std::vector<TBauteil*>& objects)
    {
        TPlatine board;
        board.WritingLibrary = true;
        for (TBauteil* object : objects)
            board.InsertObject(object);
        TFileStream file(Path(name), TFileMode::fmCreate);
        {
            TWriter writer(file);
            WriteFileHeader(writer, false);
            board.WriteObjects(file, writer, false);
            writer.WriteString("panel blocks follow");
            writer.FlushBuffer();
        }
        return Path(name);
    }

    template <class T>
    static T* Make()
    {
        return CreateBauteil<T>();
    }
    static TBTTestHolder* Holder(IDevice* device, Integer inputs = 0)
    {
        auto* holder = CreateBauteil<TBTTestHolder>();
        holder->Hold(device);
        holder->SetInputCount(inputs);
        return holder;
    }

    // The pixel row of a board-unit y.
    static int Pixel(Integer units) { return static_cast<int>(std::lround(units * 80.0 / 254)); }

    QTemporaryDir folder_;
    TBibo palette_;
};

TEST_F(BiboTest, ReadsEntriesAsSamplesWithTheirTypeNamesAndStopsAfterTheObjects)
{
    auto* gate = Make<TBTTestGate>();
    gate->SetCaption("Mein Und");
    gate->Threshold = 3;
    const AnsiString file = WriteLibrary("gatter.bib", {gate, Make<TBTTestSource>()});

    palette_.LoadFromFile(file);
    ASSERT_EQ(palette_.Entries.size(), 2u);
    EXPECT_EQ(palette_.FileName, file);
    EXPECT_EQ(palette_.FileVersion, 46);
    auto* sample = dynamic_cast<TBTTestGate*>(palette_.Entries[0]);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->Caption, "TESTUND");   // a library keeps type names
    EXPECT_EQ(sample->Threshold, 3);
    EXPECT_EQ(sample->Board, nullptr);
    EXPECT_TRUE(sample->Inputs[0].Connected);
    EXPECT_NE(dynamic_cast<TBTTestSource*>(palette_.Entries[1]), nullptr);
    EXPECT_FALSE(LibraryLoading);
}

TEST_F(BiboTest, ShortFilesGiveAnEmptyPaletteAndAnUnreadableOneRaises)
{
    palette_.LoadFromFile(WriteLibrary("voll.bib", {Make<TBTTestSource>()}));
    for (const QByteArray& content : {QByteArray(), QByteArray("\x02", 1)}) {
        QFile file(folder_.filePath("kurz.bib"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        palette_.LoadFromFile(Path("kurz.bib"));
        EXPECT_TRUE(palette_.Entries.empty()) << content.size();
        EXPECT_TRUE(palette_.EntryBottoms.empty());
    }

    palette_.LoadFromFile(Path("voll.bib"));
    EXPECT_THROW(palette_.LoadFromFile(Path("fehlt.bib")), EStreamError);
    EXPECT_TRUE(palette_.Entries.empty());

    QFile damaged(folder_.filePath("kaputt.bib"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x02\x00\x00\x2E\x00\x02\x05\x06\x05TBTXY", 14));
    damaged.close();
    EXPECT_THROW(palette_.LoadFromFile(Path("kaputt.bib")), EClassNotFound);
    EXPECT_TRUE(palette_.Entries.empty());
    EXPECT_FALSE(LibraryLoading);
}

TEST_F(BiboTest, EntriesBeyondWhatThePaletteLaysOutAreRefused)
{
    // Wires from (10, top) to (10, bottom), as many as given.
    auto writeWires = [&](const char* name, Integer top, Integer bottom, int count) {
        TFileStream file(Path(name), TFileMode::fmCreate);
        TWriter writer(file);
        WriteFileHeader(writer, false);
        writer.WriteInteger(count);
        for (int i = 0; i < count; ++i) {
            TSegment wire;
            wire.StartPoint = {10, top};
            wire.EndPoint = {10, bottom};
            writer.WriteString("TSegment");
            wire.WriteData(file, writer);
        }
        writer.FlushBuffer();
        return Path(name);
    };
    const struct {
        Integer Top, Bottom;
        int Count;
        bool Refused;
    } cases[] = {
        {0, 300, 1, false},
        {2000000008, -2000000008, 1, true},   // the height overflows 32 bits
        {-2000000000, -1999999000, 1, true},
        {0, 30000, 1, true},                   // one sample three metres long
        {0, 19000, 40, false},
        {0, 19000, 60, true},                  // a strip of six kilometres
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Top << " .. " << c.Bottom << " x" << c.Count);
        const AnsiString file = writeWires("draht.bib", c.Top, c.Bottom, c.Count);
        if (!c.Refused) {
            palette_.LoadFromFile(file);
            EXPECT_EQ(palette_.Entries.size(), std::size_t(c.Count));
            continue;
        }
        EXPECT_THROW(palette_.LoadFromFile(file), EReadError);
        EXPECT_TRUE(palette_.Entries.empty());
        EXPECT_LT(palette_.height(), 1000);
    }
}

TEST_F(BiboTest, DevicesListedLastFollowAllOtherEntriesInReverseOrder)
{
    const AnsiString file = WriteLibrary(
        "hardware.bib", {Holder(new TTestOldCard, 1), Make<TBTTestGate>(), Holder(new TTestCard),
                         Holder(new TTestOldCard, 2), Make<TBTTestSource>()});
    palette_.LoadFromFile(file);
    ASSERT_EQ(palette_.Entries.size(), 5u);
    auto inputs = [&](int i) { return dynamic_cast<TIOBauteil*>(palette_.Entries[i])->InputCount; };
    EXPECT_NE(dynamic_cast<TBTTestGate*>(palette_.Entries[0]), nullptr);
    EXPECT_EQ(TBibo::EntryCaption(palette_.Entries[1]), "Testkarte");
    EXPECT_NE(dynamic_cast<TBTTestSource*>(palette_.Entries[2]), nullptr);
    EXPECT_EQ(TBibo::EntryCaption(palette_.Entries[3]), "Altkarte");
    EXPECT_EQ(inputs(3), 2);
    EXPECT_EQ(inputs(4), 1);
}

TEST_F(BiboTest, LaysEntriesOutBelowEachOtherInBoardUnits)
{
    palette_.LoadFromFile(WriteLibrary("zwei.bib", {Make<TBTTestGate>(), Make<TBTTestSource>()}));
    // Gate: 136 units high, inputs and outputs; source: 96 high, outputs only.
    EXPECT_EQ(palette_.StripWidth, StripUnits);
    EXPECT_EQ(palette_.EntryBottoms, (std::vector<Integer>{20 + 136 + 75, 276 + 96 + 75}));
    const TBauteil* gate = palette_.Entries[0];
    const TBauteil* source = palette_.Entries[1];
    EXPECT_EQ(gate->Y, 20);
    EXPECT_EQ(source->Y, 276);
    EXPECT_EQ(gate->X, StripUnits / 2 - gate->GetBounds().Width() / 2 + 20 + 30);
    EXPECT_EQ(source->X, StripUnits / 2 - source->GetBounds().Width() / 2 + 20);
    EXPECT_EQ(palette_.height(), Pixel(447 + 45));

    palette_.TextOnly = true;
    palette_.LayoutEntries();
    EXPECT_EQ(palette_.EntryBottoms, (std::vector<Integer>{99, 198}));
    EXPECT_EQ(palette_.Entries[0]->Y, 0);
}

TEST_F(BiboTest, HitTestsFindTheEntryAndItsMarksAtTheBottomLeftOfItsArea)
{
    palette_.LoadFromFile(WriteLibrary("zwei.bib", {Make<TBTTestGate>(), Make<TBTTestSource>()}));
    // Bottoms 231 and 447 units; marks are 45 units square at the left edge.
    const struct {
        int X, Y;
        int Entry;   // -1: none
        bool Help, Info;
    } cases[] = {
        {80, 2, 0, false, false},
        {80, Pixel(230), 0, false, false},
        {5, Pixel(220), 0, true, false},      // help mark: 186..230
        {5, Pixel(160), 0, false, true},      // information mark: 141..185
        {20, Pixel(220), 0, false, false},    // right of the marks (x 63 units)
        {5, Pixel(240), 1, false, false},
        {5, Pixel(440), 1, true, false},
        {80, Pixel(460), -1, false, false},   // below the last entry
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
        EXPECT_EQ(palette_.EntryAt(c.X, c.Y), c.Entry < 0 ? nullptr : palette_.Entries[c.Entry]);
        EXPECT_EQ(palette_.HelpMarkHit(c.X, c.Y), c.Help);
        EXPECT_EQ(palette_.InfoMarkHit(c.X, c.Y), c.Info);
    }

    palette_.LoadFromFile(WriteLibrary("leer.bib", {}));
    EXPECT_EQ(palette_.EntryAt(80, 2), nullptr);
    EXPECT_FALSE(palette_.HelpMarkHit(5, 5));
}

TEST_F(BiboTest, TwoLineTypeNamesAreListedOnOneLine)
{
    palette_.LoadFromFile(WriteLibrary("text.bib", {Make<TBTTwoLines>()}));
    EXPECT_EQ(TBibo::EntryCaption(palette_.Entries[0]), "Zwei Zeilen");
    EXPECT_EQ(TBibo::EntryCaption(nullptr), "");
}

TEST_F(BiboTest, LeftClickHandsTheEntryOverAsAOneObjectStreamAtTheOrigin)
{
    auto* gate = Make<TBTTestGate>();
    gate->Threshold = 9;
    palette_.LoadFromFile(WriteLibrary("gatter.bib", {gate}));
    const Integer x = palette_.Entries[0]->X;

    std::vector<TBytes> picked;
    palette_.OnPick = [&](TBibo* sender) {
        EXPECT_EQ(sender, &palette_);
        picked.push_back(sender->PickStream()->Bytes());
        EXPECT_EQ(sender->PickStream()->Position(), 0);
    };
    palette_.MouseDown(TMouseButton::mbRight, 0, 80, 10);
    palette_.MouseDown(TMouseButton::mbLeft, 0, 80, 470);   // below every entry
    EXPECT_TRUE(picked.empty());
    palette_.MouseDown(TMouseButton::mbLeft, 0, 80, 10);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(palette_.PickStream(), nullptr);
    EXPECT_EQ(palette_.PickedMacro, nullptr);
    EXPECT_EQ(palette_.Entries[0]->X, x);   // the sample keeps its place

    TStreamBytes expected;
    expected.Int(1).Str("TBTTestGate");
    expected.Int(2).Int(0).Int(0).Int(2).Int(1).Bool(false).Bool(false).Bool(false).Bool(false);
    expected.Bool(false).Str("TESTUND").Int(9);
    expected.Bool(false);   // no panel element
    EXPECT_EQ(picked[0], expected.Bytes);

    // The board takes it in like a paste.
    TTestBoard t;
    TMemoryStream stream(picked[0]);
    t.Board().PasteFromStream(stream, FileVersion);
    ASSERT_EQ(CountOf<TBTTestGate>(t.Board()), 1);
    EXPECT_EQ(t.Board().Mode, TBoardMode::Placing);
}

TEST_F(BiboTest, MarksOpenHelpAndTheMakersLinksInsteadOfPicking)
{
    palette_.LoadFromFile(WriteLibrary("karten.bib", {Holder(new TTestCard), Holder(new TTestOldCard)}));
    // The help context is the class's own.
    const QString page = QString("help/%1.html").arg(palette_.Entries[0]->HelpContext);
    ASSERT_TRUE(QDir(folder_.path()).mkpath("help"));
    QFile pageFile(folder_.filePath(page));
    ASSERT_TRUE(pageFile.open(QIODevice::WriteOnly));
    pageFile.close();

    std::vector<QUrl> help;
    SetHelpOpener([&](const QUrl& url) { help.push_back(url); });
    std::vector<IDevice*> links;
    ShellHooks.ShowMakerLinks = [&](IDevice& device) { links.push_back(&device); };
    int picks = 0;
    palette_.OnPick = [&](TBibo*) { ++picks; };

    const Integer first = palette_.EntryBottoms[0];
    const Integer second = palette_.EntryBottoms[1];
    palette_.MouseDown(TMouseButton::mbLeft, 0, 5, Pixel(first - 10));
    ASSERT_EQ(help.size(), 1u);
    EXPECT_TRUE(help[0].toLocalFile().endsWith(page));
    palette_.MouseDown(TMouseButton::mbLeft, 0, 5, Pixel(first - 60));
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0], dynamic_cast<IHardwareComponent*>(palette_.Entries[0])->Driver());
    EXPECT_EQ(picks, 0);

    // A device listed last has no information mark: its square picks.
    palette_.MouseDown(TMouseButton::mbLeft, 0, 5, Pixel(second - 60));
    EXPECT_EQ(links.size(), 1u);
    EXPECT_EQ(picks, 1);
}

TEST_F(BiboTest, PaintsItsBackgroundGreyWhenDisabledAndNothingWhileSuppressed)
{
    palette_.LoadFromFile(WriteLibrary("gatter.bib", {Make<TBTTestGate>()}));
    auto paint = [&] {
        QImage image(palette_.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            TCanvas canvas(painter);
            palette_.Paint(canvas);
        }
        return image;
    };
    EXPECT_EQ(paint().pixelColor(0, 0), QColor(0xFA, 0xFA, 0xFF));
    palette_.setEnabled(false);
    EXPECT_EQ(paint().pixelColor(0, 0), QColor(0xC0, 0xC0, 0xC0));
    palette_.PaintSuppressed = true;
    EXPECT_EQ(paint().pixelColor(0, 0), QColor(Qt::black));
}

} // namespace
