#include "platform/TextLanguage.h"
#include "ui/controls/UCLImageList.h"
#include "ui/controls/UCLLists.h"
#include "ui/controls/UCLProcs.h"
#include "ui/controls/UCLStreamUtils.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<Byte> Bytes(std::initializer_list<int> values)
{
    std::vector<Byte> out;
    for (int v : values)
        out.push_back(Byte(v));
    return out;
}

// Columns in distinct colours, so a copied cell shows where it came from.
QImage Columns(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            image.setPixel(x, y, qRgb(x * 7 % 256, 100, 255 - x % 256));
    return image;
}

std::vector<Byte> ItemBytes(TUCLListItem& item)
{
    TMemoryStream s;
    item.WriteData(s);
    return s.Bytes();
}

template <class Item>
void ReadBack(Item& target, TUCLListItem& source)
{
    TMemoryStream s(ItemBytes(source));
    target.ReadData(s);
    EXPECT_EQ(s.Position(), s.Size());
}

}   // namespace

TEST(ImageListItem, AddCopiesTheFirstCellAndGrowsByAllocBy)
{
    TUCLImageListItem item;
    EXPECT_EQ(item.Count(), 0);
    const QImage wide = Columns(32, 16);
    EXPECT_EQ(item.Add(&wide, nullptr), 0);
    EXPECT_EQ(item.Count(), 1);
    EXPECT_EQ(item.Images().pixel(5, 3), wide.pixel(5, 3));
    EXPECT_EQ(item.Images().width(), 64);
    for (int k = 1; k < 4; ++k)
        item.Add(&wide, nullptr);
    EXPECT_EQ(item.Images().width(), 64);
    item.Add(&wide, nullptr);
    EXPECT_EQ(item.Images().width(), 128);
    EXPECT_EQ(item.Slots()[4].X, 64);
}

TEST(ImageListItem, SizesAreChecked)
{
    EXPECT_THROW(TUCLImageListItem(0, 5), EInvalidGraphicOperation);
    TUCLImageListItem item;
    const QImage tall = Columns(16, 17);
    const QImage odd = Columns(20, 16);
    EXPECT_THROW(item.Add(&tall, nullptr), EInvalidGraphicOperation);
    EXPECT_THROW(item.Add(&odd, nullptr), EInvalidGraphicOperation);
    EXPECT_THROW(item.Replace(3, &odd, nullptr), EInvalidGraphicOperation);
    EXPECT_EQ(item.Count(), 0);
}

TEST(ImageListItem, StripStopsAt32768Pixels)
{
    TUCLImageListItem item;
    item.AllocBy = 64;
    for (int k = 0; k < 2048; ++k)
        item.Add(nullptr, nullptr);
    EXPECT_EQ(item.Count(), 2048);
    try {
        item.Add(nullptr, nullptr);
        FAIL() << "2049 images of width 16 fit";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), STooManyImages);
    }
    EXPECT_EQ(item.Count(), 2048);
}

TEST(ImageListItem, NewSizeRemovesTheImagesAndInvalidSizesAreIgnored)
{
    TUCLImageListItem item;
    int changes = 0;
    item.OnChange = [&](TPersistent*) { ++changes; };
    const QImage image = Columns(16, 16);
    item.Add(&image, nullptr);
    changes = 0;
    item.SetWidth(16);
    item.SetWidth(0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(item.Count(), 1);
    item.SetWidth(24);
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(item.Width(), 24);
    EXPECT_GT(changes, 0);
}

TEST(ImageListItem, EmptyItemIsHeaderFourValuesAndCountZero)
{
    TUCLImageListItem item;
    EXPECT_EQ(ItemBytes(item), Bytes({0x00, 16, 0, 0, 0, 16, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
    item.Description = "Pfeile";
    item.Ident = 7;
    item.PixelFormat = TUCLSavePixelFormat::spf8bit;
    EXPECT_EQ(ItemBytes(item), Bytes({0x46, 6, 'P', 'f', 'e', 'i', 'l', 'e', 7, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0,
                                      4, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ImageListItem, ImagesAndMasksRoundTripInEveryForm)
{
    QImage mask(16, 16, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int y = 0; y < 16; ++y)
        mask.setPixel(y, y, qRgb(255, 255, 255));
    const QImage images = Columns(48, 16);
    for (bool compressed : {false, true})
        for (auto format : {TUCLSavePixelFormat::spfDefault, TUCLSavePixelFormat::spf8bit}) {
            TUCLImageListItem item;
            item.SetMasked(true);
            item.Compressed = compressed;
            item.PixelFormat = format;
            item.Add(&images, &mask);
            item.Add(&images, nullptr);
            TUCLImageListItem back(5, 5);
            ReadBack(back, item);
            ASSERT_EQ(back.Count(), 2);
            EXPECT_EQ(back.Width(), 16);
            EXPECT_TRUE(back.Masked());
            EXPECT_EQ(back.Compressed, compressed);
            EXPECT_EQ(back.PixelFormat, format);
            EXPECT_EQ(back.Images().pixel(3, 3), images.pixel(3, 3));
            EXPECT_EQ(back.MaskImages().pixelIndex(4, 4), item.MaskImages().pixelIndex(4, 4));
            EXPECT_NE(back.MaskImages().pixelIndex(4, 4), back.MaskImages().pixelIndex(5, 4));
        }
}

TEST(ImageListItem, DamagedDataRaisesAndKeepsTheImages)
{
    TUCLImageListItem item;
    const QImage image = Columns(16, 16);
    item.Add(&image, nullptr);
    std::vector<Byte> bytes = ItemBytes(item);
    struct Case {
        const char* name;
        std::size_t at;
        Byte value;
        bool cut;
    };
    for (const Case& c : {Case{"width 0", 5, 0, false}, Case{"count too large", 14, 0x7F, false},
                          Case{"bitmap cut short", bytes.size() - 10, 0, true}}) {
        std::vector<Byte> bad = bytes;
        if (c.cut)
            bad.resize(c.at);
        else
            bad[c.at] = c.value;
        TMemoryStream s(bad);
        EXPECT_THROW(item.ReadData(s), EReadError) << c.name;
        EXPECT_EQ(item.Count(), 1) << c.name;
    }
}

TEST(ImageListItem, MaskedImagesLeaveTheBackgroundWhereTheMaskIsWhite)
{
    TUCLImageListItem item(4, 1);
    item.SetMasked(true);
    QImage bitmap(4, 1, QImage::Format_RGB32);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb magenta = qRgb(255, 0, 255);
    for (int x = 0; x < 4; ++x)
        bitmap.setPixel(x, 0, x % 2 ? magenta : red);
    item.ReplaceMasked(item.NewSlot(), bitmap, QColorToColor(QColor(magenta)));

    QImage canvas(4, 1, QImage::Format_RGB32);
    canvas.fill(qRgb(0, 0, 255));
    {
        QPainter p(&canvas);
        item.Draw(p, 0, 0, 0);
    }
    EXPECT_EQ(canvas.pixel(0, 0), red);
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(0, 0, 255));
}

TEST(Container, ItemsNotifyTheContainerAndLinksFollowChanges)
{
    TUCLImageList list;
    std::vector<TPersistent*> senders;
    list.OnChange = [&](TPersistent* s) { senders.push_back(s); };
    TUCLChangeLink link;
    int linkCalls = 0;
    link.OnChange = [&](TPersistent* s) { linkCalls += s == &list; };
    list.AddLink(&link);

    list.AddItem();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(linkCalls, 1);
    senders.clear();
    list.Item(0)->SetWidth(8);
    EXPECT_EQ(senders, (std::vector<TPersistent*>{list.Item(0)}));
    EXPECT_EQ(linkCalls, 1);   // an item change is not passed to the links

    delete list.Item(0);       // a freed item leaves the list
    EXPECT_EQ(list.Count(), 0);
}

TEST(Container, NewItemsTakeTheContainerDefaultsAndAssignCopiesEverything)
{
    TUCLBitmapList source;
    source.DefaultCompressed = true;
    source.DefaultPixelFormat = TUCLSavePixelFormat::spf4bit;
    source.AddItem();
    EXPECT_TRUE(source.Item(0)->Compressed);
    EXPECT_EQ(source.Item(0)->PixelFormat, TUCLSavePixelFormat::spf4bit);
    source.Item(0)->SetBitmap(Columns(3, 2));
    source.Item(0)->Description = "eins";

    TUCLBitmapList copy;
    copy.AddItem();
    copy.AddItem();
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_TRUE(copy.DefaultCompressed);
    EXPECT_EQ(copy.DefaultPixelFormat, TUCLSavePixelFormat::spf4bit);
    EXPECT_EQ(copy.Item(0)->Description, "eins");
    EXPECT_EQ(copy.Item(0)->Bitmap().pixel(2, 1), source.Item(0)->Bitmap().pixel(2, 1));
}

TEST(Container, IndexHoldsAbsolutePositionsAndDamageKeepsTheItems)
{
    TUCLStringList list;
    for (const char* text : {"a", "bc"}) {
        auto* item = static_cast<TUCLStringListItem*>(list.GetItem(list.AddItem()));
        item->SetItems({text});
    }
    TMemoryStream s;
    WriteStreamByte(s, 0xEE);   // the positions count from the stream's start
    list.SaveToStream(s, true);
    // 0xEE | count 2 | offsets 13, 21 | item "a": 08 + sized block (7) | item "bc": 08 + block (8)
    EXPECT_EQ(s.Bytes(), Bytes({0xEE, 2, 0, 0, 0, 13, 0, 0, 0, 21, 0, 0, 0, 0x08, 3, 0, 0, 0, 'a', '\r', '\n',
                                0x08, 4, 0, 0, 0, 'b', 'c', '\r', '\n'}));

    TUCLStringList back;
    s.SetPosition(1);
    back.LoadFromStream(s, true);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Item(1)->Items(), (std::vector<AnsiString>{"bc"}));

    std::vector<Byte> bad(s.Bytes().begin() + 1, s.Bytes().end());
    bad[0] = 0xFF;   // an item count the stream cannot hold
    TMemoryStream damaged(bad);
    EXPECT_THROW(back.LoadFromStream(damaged, true), EReadError);
    bad[0] = 2;
    bad.resize(bad.size() - 3);   // the last item cut short
    TMemoryStream cut(bad);
    EXPECT_THROW(back.LoadFromStream(cut, true), EReadError);
    EXPECT_EQ(back.Count(), 2);
}

TEST(ContainerFile, ItemsAreReadBackByTypeAndIndex)
{
    QTemporaryDir dir;
    const std::string name = dir.filePath("bilder.bmp").toStdString();
    TUCLBitmapList list;
    for (int k = 0; k < 3; ++k) {
        auto* item = list.Item(list.AddItem());
        item->SetBitmap(Columns(2 + k, 2));
        item->Ident = Word(k);
    }
    {
        TFileStream file(name, TFileMode::fmCreate);
        WriteStreamShortString(file, ContainerFileSignature(ctBitmapList));
        list.SaveToStream(file, true);
    }
    Integer count = 0;
    std::vector<Integer> offsets;
    EXPECT_EQ(ReadContainerFileHeader(name, count, &offsets), ctBitmapList);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(offsets.size(), 3u);
    EXPECT_EQ(offsets[0], 9 + 4 + 12);

    TUCLBitmapListItem item;
    LoadItemFromContainerFile(name, ctBitmapList, &offsets, 2, item);
    EXPECT_EQ(item.Bitmap().width(), 4);
    LoadItemFromContainerFile(name, ctBitmapList, nullptr, 1, item);
    EXPECT_EQ(item.Bitmap().width(), 3);
    EXPECT_THROW(LoadItemFromContainerFile(name, ctBitmapList, nullptr, 3, item), EReadError);

    // A list without items of its own takes them from the container file by Ident.
    TUCLBitmapList external;
    external.SourceKind = TUCLContainerSource::csContainerFile;
    external.PathPrefix = ppFixed;
    external.SourceFileName = name;
    external.AddItem();
    external.Item(0)->Ident = 2;
    EXPECT_EQ(external.GetSize(0, 0), 4);

    EXPECT_EQ(ContainerFileExt(ctWaveList, true), ".wav");
    EXPECT_EQ(ContainerFileExt(ctStringList, false), "txt");
}

TEST(ContainerFile, UnknownSignatureIsTypeSixAndRefusesItems)
{
    QTemporaryDir dir;
    const std::string name = dir.filePath("fremd.iml").toStdString();
    {
        TFileStream file(name, TFileMode::fmCreate);
        WriteStreamShortString(file, "UCLXXX30");
        WriteStreamInteger(file, 1);
        WriteStreamInteger(file, 13);
        WriteStreamByte(file, 0);
    }
    Integer count = 0;
    EXPECT_EQ(ReadContainerFileHeader(name, count, nullptr), ctUnknown);
    TUCLImageListItem item;
    try {
        LoadItemFromContainerFile(name, ctImageList, nullptr, 0, item);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Datei " + name + " kann nicht geöffnet werden");
    }
    // In the program's language.
    SetTextLanguageSource([] { return 1; });
    try {
        LoadItemFromContainerFile(name, ctImageList, nullptr, 0, item);
        ADD_FAILURE() << "read";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + name);
    }
    SetTextLanguageSource(nullptr);
}

TEST(DataItems, HeadersAndEmptyItems)
{
    TUCLStringListItem strings;
    EXPECT_EQ(ItemBytes(strings), Bytes({0x00}));
    strings.Description = std::string(300, 'd');
    TUCLStringListItem back;
    ReadBack(back, strings);
    EXPECT_EQ(back.Description, std::string(255, 'd'));

    TUCLWaveListItem wave;   // an empty wave still writes its block
    EXPECT_EQ(ItemBytes(wave), Bytes({0x00, 0, 0, 0, 0}));
}

TEST(DataItems, BitmapItemsKeepTheirPixelFormat)
{
    QImage colourful(30, 10, QImage::Format_RGB32);
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 10; ++y)
            colourful.setPixel(x, y, qRgb(x * 8, y * 25, (x * y) % 256));
    TUCLBitmapListItem item;
    item.PixelFormat = TUCLSavePixelFormat::spf8bit;
    item.SetBitmap(colourful);
    TUCLBitmapListItem back;
    ReadBack(back, item);
    EXPECT_EQ(back.PixelFormat, TUCLSavePixelFormat::spf8bit);
    EXPECT_EQ(back.Bitmap().size(), colourful.size());
    EXPECT_LE(back.Bitmap().colorCount(), 256);
    EXPECT_GT(back.Bitmap().colorCount(), 0);
}

TEST(DataItems, SixteenColourBitmapStaysA523ByteItem)
{
    // The settings dialog's meter pictures: 25 x 25 in 16 colours, stored in their own form.
    QImage meter(25, 25, QImage::Format_RGB32);
    meter.fill(qRgb(192, 192, 192));
    for (int k = 0; k < 25; ++k)
        meter.setPixel(k, k, qRgb(0, 0, 0));
    TUCLBitmapListItem item;
    item.SetBitmap(BitmapFromBMPFile(BuildDIBFile(meter, 16)));
    const std::vector<Byte> bytes = ItemBytes(item);
    ASSERT_EQ(bytes.size(), 523u);
    EXPECT_EQ(bytes[0], 0x08);
    EXPECT_EQ(bytes[1] | bytes[2] << 8, 518);
}

TEST(BitmapList, AnswersForMissingImagesAreNeutral)
{
    TUCLBitmapList list;
    list.AddItem();   // an empty item
    for (int index : {0, 1, 5}) {
        EXPECT_EQ(list.GetSize(index, 0), 0);
        EXPECT_EQ(list.GetSize(index, 1), 0);
        EXPECT_EQ(list.GetCount(index), 0);
        EXPECT_FALSE(list.IsValid(index, 0));
        EXPECT_TRUE(list.GetPalette(index).isEmpty());
        EXPECT_EQ(list.GetTransparentColor(index, 0), 0xFFFFFF);
        EXPECT_EQ(list.GetPixel(TPoint{0, 0}, index, 0), 0xFFFFFF);
    }
    list.Item(0)->SetBitmap(Columns(6, 4));
    EXPECT_EQ(list.GetCount(0), 1);
    EXPECT_EQ(list.GetSize(0, 0), 6);
    EXPECT_EQ(list.GetSize(0, 2), 0);
    EXPECT_EQ(list.GetTransparentColor(0, 0), QColorToColor(Columns(6, 4).pixelColor(0, 3)));
}

TEST(Wave, OnlyWaveDataIsAccepted)
{
    std::vector<Byte> header(44, 0);
    std::memcpy(header.data(), "RIFF", 4);
    std::memcpy(header.data() + 8, "WAVEfmt ", 8);
    TUCLWave wave;
    TMemoryStream good(header);
    wave.LoadFromStream(good);
    EXPECT_EQ(wave.Size(), 44);

    std::vector<Byte> notRiff = header;
    notRiff[0] = 'X';
    TMemoryStream bad(notRiff);
    EXPECT_THROW(wave.LoadFromStream(bad), EInvalidWave);
    EXPECT_EQ(wave.Size(), 44);

    TMemoryStream shortRiff(Bytes({'R', 'I', 'F', 'F', 1, 2, 3, 4, 5, 6}));
    EXPECT_THROW(wave.LoadFromStream(shortRiff), EErrorCheckingWave);

    TUCLWave empty;
    TMemoryStream sized;
    empty.WriteToStream(sized, true);
    EXPECT_EQ(sized.Bytes(), Bytes({0, 0, 0, 0}));
    EXPECT_TRUE(empty.IsEmpty());

    TUCLWaveListItem item;
    item.Compressed = true;
    item.SetWave(wave);
    TUCLWaveListItem back;
    ReadBack(back, item);
    EXPECT_EQ(back.Wave().Data(), header);
}

namespace {

std::vector<Byte> WaveBytes()
{
    std::vector<Byte> header(44, 0);
    std::memcpy(header.data(), "RIFF", 4);
    std::memcpy(header.data() + 8, "WAVEfmt ", 8);
    return header;
}

}   // namespace

TEST(WaveList, EmptyWavesKeepTheirPlaceInEveryForm)
{
    for (bool compressed : {false, true}) {
        for (bool withIndex : {false, true}) {
            SCOPED_TRACE(testing::Message() << "compressed " << compressed << ", index " << withIndex);
            TUCLWaveList list;
            list.DefaultCompressed = compressed;
            list.AddItem();   // an empty wave
            list.Item(list.AddItem())->Wave().SetData(WaveBytes());
            list.Item(list.AddItem())->Description = "leer";
            TMemoryStream saved;
            list.SaveToStream(saved, withIndex);
            if (!compressed && !withIndex) {
                EXPECT_EQ(saved.Size(), 4 + 5 + 49 + 10);
            }

            TUCLWaveList back;
            saved.SetPosition(0);
            back.LoadFromStream(saved, withIndex);
            EXPECT_EQ(saved.Position(), saved.Size());
            ASSERT_EQ(back.Count(), 3);
            EXPECT_TRUE(back.Item(0)->IsEmpty());
            EXPECT_EQ(back.Item(1)->Wave().Data(), WaveBytes());
            EXPECT_TRUE(back.Item(2)->IsEmpty());
            EXPECT_EQ(back.Item(2)->Description, "leer");
            TMemoryStream again;
            back.SaveToStream(again, withIndex);
            EXPECT_EQ(again.Bytes(), saved.Bytes());
        }
    }
}

TEST(WaveList, BytesThatAreNoWaveAreAReadErrorAndKeepTheItems)
{
    const std::vector<Byte> damaged[] = {
        Bytes({1, 0, 0, 0, 0x08, 4, 0, 0, 0, 'a', 'b', 'c', 'd'}),   // no RIFF tag
        Bytes({1, 0, 0, 0, 0x08, 2, 0, 0, 0, 'R', 'I'}),             // too short to check
    };
    for (const std::vector<Byte>& bytes : damaged) {
        TUCLWaveList list;
        list.Item(list.AddItem())->Wave().SetData(WaveBytes());
        TMemoryStream stream(bytes);
        EXPECT_THROW(list.LoadFromStream(stream, false), EReadError);
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.Item(0)->Wave().Data(), WaveBytes());
    }
}

TEST(Wave, FilesLoadSaveAndKeepTheirOldContentOnFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString() + "/";
    std::vector<Byte> bytes(60, 7);
    std::memcpy(bytes.data(), "RIFF", 4);
    std::memcpy(bytes.data() + 8, "WAVEfmt ", 8);
    TUCLWave wave;
    wave.SetData(bytes);
    wave.SaveToFile(folder + "klang.wav");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder + "klang.wav.tmp")));
    std::unique_ptr<TUCLWave> loaded(TUCLWave::CreateFromFile(folder + "klang.wav"));
    EXPECT_EQ(loaded->Data(), bytes);

    // A save into a folder that does not exist raises and writes nothing.
    EXPECT_THROW(wave.SaveToFile(folder + "fehlt/klang.wav"), EStreamError);
    EXPECT_THROW(TUCLWave::CreateFromFile(folder + "fehlt.wav"), EStreamError);

    // A file that is no wave is refused; the held sound stays.
    {
        TFileStream text(folder + "text.wav", TFileMode::fmCreate);
        text.WriteBuffer("kein Klang, nur Text in einer Datei", 35);
    }
    EXPECT_THROW(loaded->LoadFromFile(folder + "text.wav"), EInvalidWave);
    EXPECT_EQ(loaded->Data(), bytes);
    // An empty file clears.
    { TFileStream empty(folder + "leer.wav", TFileMode::fmCreate); }
    loaded->LoadFromFile(folder + "leer.wav");
    EXPECT_TRUE(loaded->IsEmpty());
}
