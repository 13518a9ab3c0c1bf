// The decorations: the scale's ticks, the label, the frame, the picture with
// its placeholder and file look-up, the shape, their dialogs and their raw
// records byte for byte.
#include "PanelRig.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "engine/Publics.h"
#include "panel/framework/FP_Decorations.h"
#include "platform/Colors.h"
#include "platform/Paths.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

constexpr int PanelColor = 14215660;

class DecorationsTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QDir(folder_.path()).mkpath("Programm/Data"));
        ASSERT_TRUE(QDir(folder_.path()).mkpath("Projekt"));
        SetProgramFolder(Path("Programm/").toStdString());
        ProjectFolder = Path("Projekt").toStdString();
    }
    void TearDown() override
    {
        SetProgramFolder("");
        PanelTest::TearDown();
    }
    QString Path(const QString& name) const { return folder_.filePath(name); }

    // The base record of a decoration with its defaults.
    static TStreamBytes Base(int zOrder, int width, int height, bool backgroundFollows, const char* hint = "",
                             bool publish = false, bool title = true)
    {
        TStreamBytes b;
        b.Int(zOrder).Bool(false).Int(-10000).Raw({width & 0xFF, width >> 8, height & 0xFF, height >> 8});
        b.Str(hint).Bool(false);
        b.Int(0).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(backgroundFollows);
        b.Int(0).Bool(publish).Bool(title).Int(0).Int(0);
        return b;
    }
    static void Pad(TStreamBytes& b, std::size_t count) { b.Bytes.resize(b.Bytes.size() + count, 0); }
    static void ShortString(TStreamBytes& b, const std::string& text, std::size_t block)
    {
        b.Raw({int(text.size())});
        b.Bytes.insert(b.Bytes.end(), text.begin(), text.end());
        Pad(b, block - 1 - text.size());
    }

    QTemporaryDir folder_;
};

bool Dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 64;
}

} // namespace

TEST_F(DecorationsTest, TheScaleDrawsItsTicksAsTheExampleSays)
{
    auto* scale = Add<TSkale>("TSkale", 0, 0, 200, 30);
    EXPECT_EQ(scale->size(), QSize(200, 30));   // its own default size as well
    scale->SetSKTeile(10);
    const QImage image = Grab(*scale);
    std::vector<int> shortTicks, longTicks;
    for (int x = 0; x < 200; ++x) {
        if (Dark(image, x, 25))
            shortTicks.push_back(x);
        if (Dark(image, x, 5))
            longTicks.push_back(x);
    }
    EXPECT_EQ(shortTicks, (std::vector<int>{0, 19, 39, 59, 79, 99, 119, 139, 159, 179, 199}));
    EXPECT_EQ(longTicks, (std::vector<int>{0, 99, 199}));   // ticks 1, 6 and 11
    EXPECT_FALSE(Dark(image, 19, 14));                      // short ticks end at the middle
    EXPECT_TRUE(Dark(image, 19, 16));

    // The setters limit to 1..100.
    scale->SetSKTeile(0);
    EXPECT_EQ(scale->SKTeile, 1);
    scale->SetSKTeile(500);
    EXPECT_EQ(scale->SKTeile, 100);
    scale->SetSKGrossSchritt(-3);
    EXPECT_EQ(scale->SKGrossSchritt, 1);
    scale->SetSKGrossStart(101);
    EXPECT_EQ(scale->SKGrossStart, 100);
}

TEST_F(DecorationsTest, TheScaleDialogTurnsTheScaleBetweenHorizontalAndVertical)
{
    auto* scale = Add<TSkale>("TSkale", 0, 0, 200, 30);
    scale->SetSKOrientierung(rechts);
    AnsiString caption;
    {
        TFormHook hook({[&](TModalForm& form) {
            caption = form.Caption();
            const auto combos = form.findChildren<TComboPropEditor*>();
            ASSERT_EQ(combos.size(), 1);
            combos[0]->Combo->setCurrentIndex(unten);
            form.findChildren<TSpinPropEditor*>()[0]->Spin->SetValue(8);
            dynamic_cast<TDefault_Dlg&>(form).OKBtn->click();
        }});
        EXPECT_EQ(scale->EditProperties(), 1);
    }
    EXPECT_EQ(caption, "Skale");
    EXPECT_EQ(scale->SKOrientierung, unten);
    EXPECT_EQ(scale->size(), QSize(30, 200));
    EXPECT_EQ(scale->SKTeile, 8);
}

TEST_F(DecorationsTest, TheLabelKeepsSixtyCharactersAndAlignsItsText)
{
    auto* label = Add<TBeschriftung>("TBeschriftung", 0, 0, 60, 20);
    EXPECT_EQ(label->size(), QSize(60, 20));
    EXPECT_EQ(label->Text, "Text");
    const std::string seventy(70, 'x');
    {
        TFormHook hook({[&](TModalForm& form) {
            auto* edit = form.findChildren<TEditPropEditor*>().at(0)->Edit;
            edit->setMaxLength(100);   // whatever the edit allows, 60 are kept
            edit->setText(QString::fromStdString(seventy));
            // Alignment: left, centre, right.
            form.findChildren<TComboPropEditor*>().back()->Combo->setCurrentIndex(2);
            dynamic_cast<TDefault_Dlg&>(form).OKBtn->click();
        }});
        label->EditProperties();
    }
    EXPECT_EQ(label->Text, seventy.substr(0, 60));
    EXPECT_EQ(label->Alignment, TBeschriftung::taRightJustify);

    // Where the text lands for each alignment: left from the frame, right
    // up to it, centred in between.
    label->Text = "II";
    label->SetBounds(0, 0, 100, 20);
    auto inkSpan = [&] {
        const QImage image = Grab(*label);
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (Dark(image, x, y)) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return std::pair{first, last};
    };
    label->Alignment = TBeschriftung::taLeftJustify;
    EXPECT_LE(inkSpan().first, 3);
    label->Alignment = TBeschriftung::taRightJustify;
    EXPECT_GE(inkSpan().second, 92);   // the glyphs keep a little room
    label->Alignment = TBeschriftung::taCenter;
    const auto [first, last] = inkSpan();
    EXPECT_NEAR((first + last) / 2.0, 50, 3);
}

TEST_F(DecorationsTest, RawRecordsAreByteExact)
{
    auto* scale = Add<TSkale>("TSkale", 0, 0, 200, 30);
    scale->SetZOrder(1);
    scale->LineColor = 0x0000FF;
    TStreamBytes s = Base(1, 200, 30, false);
    s.Raw({20, 0, 1, 0, 5, 0, 2, 200, 0, 30, 0}).Int(255);
    EXPECT_EQ(Record(*scale), s.Bytes);

    auto* label = Add<TBeschriftung>("TBeschriftung", 0, 0, 60, 20);
    label->SetZOrder(2);
    label->Font.Style = fsBold | fsUnderline;
    label->Font.Color = 0x00FF00;
    label->Alignment = TBeschriftung::taCenter;
    TStreamBytes t = Base(2, 60, 20, true, "", false, false);
    ShortString(t, "Arial", 32);
    t.Raw({0xF4, 0xFF, 5, 0, 0xFF, 0, 0, 2, 0, 0, 0});   // height -12, bold and underline, colour, centre
    ShortString(t, "Text", 61);
    t.Raw({60, 0, 20, 0});
    EXPECT_EQ(Record(*label), t.Bytes);

    auto* frame = Add<TRahmen>("TRahmen", 0, 0, 185, 41);
    frame->SetZOrder(3);
    frame->Bevel.Shape = bsRightLine;
    frame->Bevel.Style = bsRaised;
    TStreamBytes f = Base(3, 185, 41, true);
    f.Raw({185, 0, 41, 0, 5, 1});
    EXPECT_EQ(Record(*frame), f.Bytes);

    auto* logo = Add<TLogo>("TLogo", 0, 0, 40, 40);
    logo->SetZOrder(4);
    logo->FileName = "C:/Bilder/logo.bmp";
    TStreamBytes l = Base(4, 40, 40, false, "Bitmap", true);
    ShortString(l, "C:/Bilder/logo.bmp", 256);
    l.Raw({40, 0, 40, 0});
    EXPECT_EQ(Record(*logo), l.Bytes);

    auto* shape = Add<TFlaeche>("TFlaeche", 0, 0, 185, 41);
    shape->SetZOrder(5);
    shape->theShape.Shape = stRoundSquare;
    shape->theShape.PenWidth = 3;
    TStreamBytes a = Base(5, 185, 41, false);
    a.Raw({3, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 3, 0, 185, 0, 41, 0});
    EXPECT_EQ(Record(*shape), a.Bytes);

    // Each reads back into a fresh element of its class as it was.
    for (auto [name, bytes] : std::vector<std::pair<const char*, TBytes>>{
             {"TSkale", s.Bytes}, {"TBeschriftung", t.Bytes}, {"TRahmen", f.Bytes}, {"TLogo", l.Bytes},
             {"TFlaeche", a.Bytes}}) {
        SCOPED_TRACE(name);
        TFP_Element* copy = Root->AddElement(name);
        copy->SetBounds(0, 0, 7, 7);
        Read(*copy, bytes, 46);
        TBytes again = Record(*copy);
        if (std::string_view(name) == "TLogo") {
            // The stored name is the resolved one: the data folder's, as the file is missing.
            EXPECT_EQ(dynamic_cast<TLogo*>(copy)->FileName, Path("Programm/Data/logo.bmp").toStdString());
            EXPECT_EQ(copy->size(), QSize(40, 40));   // the base record's size stays
        } else {
            EXPECT_EQ(again, bytes);
        }
    }
}

TEST_F(DecorationsTest, OlderRecordsAndDamagedValues)
{
    // Version 39: the scale has no colour, the base no look; the label's
    // alignment is applied only from version 3 and only for 0..2.
    TStreamBytes s;
    s.Int(1).Bool(false).Int(-10000).Raw({100, 0, 20, 0}).Str("").Bool(false);
    s.Raw({0, 0, 1, 0, 0, 0, 9, 0x50, 0, 0xFF, 0x7F});   // 0 divisions, step 0, orientation 9, 80 x 32767
    s.Int(77);
    auto* scale = Add<TSkale>("TSkale", 0, 0, 10, 10);
    {
        TMemoryStream stream(s.Bytes);
        TReader reader(stream);
        scale->ReadData(stream, reader, 39);
        EXPECT_EQ(reader.ReadInteger(), 77);
    }
    EXPECT_EQ(scale->SKTeile, 0);   // stored as read
    EXPECT_EQ(scale->size(), QSize(80, MaxElementExtent));
    scale->SetBounds(0, 0, 80, 30);
    Grab(*scale);   // paints without dividing by zero

    for (const auto& [version, stored, expected] :
         std::vector<std::tuple<Byte, int, Integer>>{{2, 2, TBeschriftung::taLeftJustify},
                                                     {3, 2, TBeschriftung::taCenter},
                                                     {46, 7, TBeschriftung::taLeftJustify}}) {
        SCOPED_TRACE(int(version));
        TStreamBytes t;
        t.Int(1).Bool(false);
        if (version >= 3)
            t.Int(-10000).Raw({60, 0, 20, 0}).Str("").Bool(false);
        if (version >= 40)
            t.Int(0).Int(1).Int(0).Int(0).Int(0).Int(0).Bool(true).Bool(true).Int(0).Bool(false).Bool(false).Int(0).Int(0);
        ShortString(t, "Arial", 32);
        t.Raw({0xF4, 0xFF, 0xFF, 0, 0, 0, 0, stored, 0, 0, 0});
        t.Raw({200});   // a length beyond the block
        Pad(t, 60);
        t.Raw({60, 0, 20, 0});
        auto* label = Add<TBeschriftung>("TBeschriftung", 0, 0, 10, 10);
        Read(*label, t.Bytes, version);
        EXPECT_EQ(label->Alignment, expected);
        EXPECT_EQ(label->Font.Style, 0x0F);   // only the four style bits
        EXPECT_EQ(label->Text, std::string(60, '\0'));
        Grab(*label);
    }
}

TEST_F(DecorationsTest, PicturesAreFoundLoadedOrReplacedByThePlaceholder)
{
    // A placeholder first: a white box with a black cross, 40 x 40.
    auto* logo = Add<TLogo>("TLogo", 0, 0, 10, 10);
    logo->SetBounds(0, 0, 40, 40);
    EXPECT_TRUE(logo->ShowsPlaceholder());
    QImage image = Grab(*logo);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::black));   // the diagonals cross
    EXPECT_EQ(image.pixelColor(20, 5), QColor(Qt::white));

    QImage picture(30, 10, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    ASSERT_TRUE(picture.save(Path("Projekt/rot.bmp"), "BMP"));
    ASSERT_TRUE(picture.save(Path("Programm/Data/rot.jpg"), "JPG"));
    // A 1 x 1 GIF (black).
    const char gif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff,\x00\x00\x00\x00\x01\x00\x01\x00"
                       "\x00\x02\x02\x44\x01\x00;";
    {
        QFile file(Path("Projekt/punkt.gif"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(gif, sizeof gif - 1);
    }
    QFile garbage(Path("Projekt/kaputt.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("BM no picture at all");
    garbage.close();

    const struct {
        const char* Name;
        QString Resolved;
        QSize Size;   // of the picture; empty: the placeholder
    } cases[] = {
        {"C:\\Alt\\rot.bmp", Path("Projekt/rot.bmp"), {30, 10}},   // found in the project folder
        {"rot.jpg", Path("Programm/Data/rot.jpg"), {30, 10}},      // in the data folder
        {"punkt.gif", Path("Projekt/punkt.gif"), {1, 1}},
        {"fehlt.bmp", Path("Programm/Data/fehlt.bmp"), {}},        // missing: stored as in the data folder
        {"kaputt.bmp", Path("Projekt/kaputt.bmp"), {}},            // cannot be decoded
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        logo->FileName = c.Name;
        logo->LoadPicture();
        EXPECT_EQ(logo->FileName, c.Resolved.toStdString());
        EXPECT_EQ(logo->ShowsPlaceholder(), c.Size.isEmpty());
        EXPECT_EQ(logo->Image.size(), c.Size.isEmpty() ? QSize(40, 40) : c.Size);
        Grab(*logo);
    }

    // A name with a NUL byte from a damaged record is looked up nowhere.
    const AnsiString damaged("rot\0.bmp", 8);
    logo->FileName = damaged;
    logo->LoadPicture();
    EXPECT_EQ(logo->FileName, damaged);
    EXPECT_TRUE(logo->ShowsPlaceholder());

    // "1:1" sizes the element to the picture and the frame.
    logo->FileName = "rot.bmp";
    logo->BorderWidth = 2;
    {
        TFormHook hook({[&](TModalForm& form) {
            EXPECT_EQ(form.Caption(), "Bitmap");
            const auto checks = form.findChildren<TCheckPropEditor*>();
            ASSERT_GE(checks.size(), 1);
            EXPECT_FALSE(checks[0]->Check->isChecked());
            checks[0]->Check->setChecked(true);
            dynamic_cast<TDefault_Dlg&>(form).OKBtn->click();
        }});
        EXPECT_EQ(logo->EditProperties(), 1);
    }
    EXPECT_FALSE(logo->ShowsPlaceholder());
    EXPECT_EQ(logo->size(), QSize(34, 14));
    image = Grab(*logo);
    EXPECT_EQ(image.pixelColor(10, 5), QColor(255, 0, 0));
}

TEST_F(DecorationsTest, ShapesAndFramesDrawThemselves)
{
    auto* shape = Add<TFlaeche>("TFlaeche", 0, 0, 60, 40);
    shape->theShape.BrushColor = 0x00FF00;
    shape->theShape.PenColor = 0x0000FF;
    shape->theShape.PenWidth = 2;
    QImage image = Grab(*shape);
    EXPECT_EQ(image.pixelColor(30, 20), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(0, 20), QColor(255, 0, 0));
    shape->theShape.Shape = stCircle;   // centred with the shorter side
    image = Grab(*shape);
    EXPECT_EQ(image.pixelColor(30, 20), QColor(0, 255, 0));
    EXPECT_NE(image.pixelColor(5, 20), QColor(0, 255, 0));
    shape->theShape.PenWidth = -300;   // from a damaged file
    Grab(*shape);

    auto* frame = Add<TRahmen>("TRahmen", 0, 0, 60, 40);
    frame->Bevel.Shape = bsBox;
    frame->Bevel.Style = bsLowered;
    image = Grab(*frame);
    EXPECT_EQ(image.pixelColor(30, 0), ColorToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(30, 39), ColorToQColor(clBtnHighlight));
    EXPECT_EQ(image.pixelColor(30, 20), ColorToQColor(PanelDefaultColor));
}

TEST_F(DecorationsTest, LinesStayWholePixelsAtTwiceTheScale)
{
    // At 200 % every line of one pixel covers two device pixels, starting
    // where the element's pixel starts: none falls half a pixel off.
    auto* scale = Add<TSkale>("TSkale", 0, 0, 200, 30);
    scale->SetSKTeile(10);
    auto* frame = Add<TRahmen>("TRahmen", 0, 0, 40, 20);
    frame->Bevel.Shape = bsBox;
    auto* picture = Add<TLogo>("TLogo", 0, 0, 40, 40);
    auto grab2x = [&](QWidget& widget) {
        QImage image(widget.size() * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        image.fill(Qt::magenta);
        widget.render(&image);
        return image;
    };
    QImage image = grab2x(*scale);
    std::vector<int> dark;
    for (int x = 0; x < image.width(); ++x)
        if (Dark(image, x, 50))
            dark.push_back(x);
    EXPECT_EQ(dark, (std::vector<int>{0, 1, 38, 39, 78, 79, 118, 119, 158, 159, 198, 199, 238, 239, 278, 279, 318, 319,
                                      358, 359, 398, 399}));
    image = grab2x(*frame);
    EXPECT_EQ(image.pixelColor(40, 0), ColorToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(40, 1), ColorToQColor(clBtnShadow));
    EXPECT_EQ(image.pixelColor(40, 2), ColorToQColor(PanelDefaultColor));
    image = grab2x(*picture);
    EXPECT_EQ(image.pixelColor(40, 0), QColor(Qt::black));   // the placeholder's border
    EXPECT_EQ(image.pixelColor(40, 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(40, 2), QColor(Qt::white));

    // The editing grid of the panel lies on the elements' pixels as well.
    GridVisible = true;
    GridSize = 8;
    image = grab2x(*Root);
    EXPECT_EQ(image.pixelColor(16, 300), ColorToQColor(GridColor));
    EXPECT_EQ(image.pixelColor(17, 300), ColorToQColor(GridColor));
    EXPECT_EQ(image.pixelColor(15, 300), ColorToQColor(PanelDefaultColor));
}
