// Text labels: the raw label record byte for byte, damaged length bytes, the
// hint, the box that follows the text when drawn, the dialog's effects and
// placing in text mode.
#include "support/StreamBytes.h"
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/ShellHooks.h"
#include "engine/Text.h"
#include "platform/Canvas.h"
#include "platform/ClassRegistry.h"
#include "platform/Stream.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class TextLabelTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }

    static TBytes Write(TText& label)
    {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            label.WriteData(stream, writer);
        }
        return stream.Bytes();
    }
    static std::unique_ptr<TText> Read(const TBytes& bytes)
    {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), bytes.size());
        stream.SetPosition(0);
        auto label = std::unique_ptr<TText>(CreateBauteil<TText>());
        TReader reader(stream);
        label->ReadData(stream, reader, 46);
        return label;
    }
};

// The record written by hand from the layout: the base record (the data
// version), then 94 raw bytes.
TBytes LabelRecord(std::string_view font, int height, int style, Cardinal colour, int x, int y, std::string_view text)
{
    TStreamBytes bytes;
    bytes.Int(0);
    TBytes raw(94, 0);
    raw[0] = static_cast<Byte>(font.size());
    std::copy(font.begin(), font.end(), raw.begin() + 1);
    raw[32] = static_cast<Byte>(height & 0xFF);
    raw[33] = static_cast<Byte>((height >> 8) & 0xFF);
    raw[34] = static_cast<Byte>(style);
    for (int i = 0; i < 4; ++i)
        raw[35 + i] = static_cast<Byte>((colour >> (8 * i)) & 0xFF);
    raw[39] = static_cast<Byte>(x & 0xFF);
    raw[40] = static_cast<Byte>((x >> 8) & 0xFF);
    raw[41] = static_cast<Byte>(y & 0xFF);
    raw[42] = static_cast<Byte>((y >> 8) & 0xFF);
    raw[43] = static_cast<Byte>(text.size());
    std::copy(text.begin(), text.end(), raw.begin() + 44);
    bytes.Bytes.insert(bytes.Bytes.end(), raw.begin(), raw.end());
    return bytes.Bytes;
}

TEST_F(TextLabelTest, TheRecordIsTheBaseRecordAnd94RawBytes)
{
    const struct {
        const char* Font;
        int Height, Style;
        Cardinal Colour;
        int X, Y;
        const char* Text;
    } cases[] = {
        {"Arial", -27, 0, 0x000000, 300, 500, "Text"},
        {"Courier New", 30, 0x0F, 0x00123456, -40, 19980, "Pumpe 1 \xE4"},
        {"", 0, 2, 0x00FF00FF, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        auto label = std::unique_ptr<TText>(CreateBauteil<TText>());
        label->Font.Name = c.Font;
        label->Font.Height = c.Height;
        label->Font.Style = static_cast<Byte>(c.Style);
        label->Font.Color = c.Colour;
        label->X = c.X;
        label->Y = c.Y;
        label->Text = c.Text;
        const TBytes expected = LabelRecord(c.Font, c.Height, c.Style, c.Colour, c.X, c.Y, c.Text);
        ASSERT_EQ(expected.size(), 2u + TextRecordSize);
        EXPECT_EQ(Write(*label), expected);

        const auto back = Read(expected);
        EXPECT_EQ(back->Font.Name, c.Font);
        EXPECT_EQ(back->Font.Height, c.Height);
        EXPECT_EQ(back->Font.Style, c.Style);
        EXPECT_EQ(back->Font.Color, c.Colour);
        EXPECT_EQ(back->X, c.X);
        EXPECT_EQ(back->Y, c.Y);
        EXPECT_EQ(back->Text, c.Text);
    }
}

TEST_F(TextLabelTest, LongNamesAndTextsAreCutAndPositionsKeepTheirLow16Bits)
{
    auto label = std::unique_ptr<TText>(CreateBauteil<TText>());
    label->Font.Name = std::string(40, 'F');
    label->Text = std::string(60, 't');
    label->X = 70000;    // 0x11170: the low 16 bits 0x1170
    label->Y = -70000;
    const TBytes bytes = Write(*label);
    ASSERT_EQ(bytes.size(), 2u + TextRecordSize);
    EXPECT_EQ(bytes[2], 31);
    EXPECT_EQ(bytes[2 + 43], 50);
    const auto back = Read(bytes);
    EXPECT_EQ(back->Font.Name, std::string(31, 'F'));
    EXPECT_EQ(back->Text, std::string(50, 't'));
    EXPECT_EQ(back->X, 0x1170);
    EXPECT_EQ(back->Y, static_cast<std::int16_t>(-70000 & 0xFFFF));
}

TEST_F(TextLabelTest, AReadLabelHasTheBoxOfItsTextBeforeItIsDrawn)
{
    // A board opened zoomed to fit is laid out before it is drawn.
    const auto wide = Read(LabelRecord("Arial", -27, 0, 0, 0, 0, std::string(40, 'W')));
    EXPECT_GT(wide->Width, 400);
    EXPECT_NEAR(wide->Height, 27, 8);
    const auto narrow = Read(LabelRecord("Arial", -27, 0, 0, 0, 0, "i"));
    EXPECT_LT(narrow->Width, 60);
}

TEST_F(TextLabelTest, DamagedLengthBytesStayInsideTheirFields)
{
    TBytes bytes = LabelRecord("Arial", 20, 0, 0, 10, 10, "abc");
    bytes[2] = 255;          // font name: claims 255 characters
    bytes[2 + 43] = 255;     // text: the same
    bytes[2 + 44 + 49] = 'Z';
    const auto back = Read(bytes);
    EXPECT_EQ(back->Font.Name.size(), TextFontNameLength);
    ASSERT_EQ(back->Text.size(), TextMaxLength);
    EXPECT_EQ(back->Text.back(), 'Z');
    EXPECT_EQ(back->Text.substr(0, 3), "abc");
}

TEST_F(TextLabelTest, AShortRecordIsAStreamError)
{
    TBytes bytes = LabelRecord("Arial", 20, 0, 0, 10, 10, "abc");
    bytes.resize(bytes.size() - 1);
    EXPECT_THROW(Read(bytes), EReadError);
}

TEST_F(TextLabelTest, TheHintQuotesTheText)
{
    auto label = std::unique_ptr<TText>(CreateBauteil<TText>());
    EXPECT_EQ(label->Text, "Text");
    EXPECT_EQ(label->Font.Name, "Arial");
    EXPECT_EQ(label->GetHintText(), "Text\r\"Text\"");
    label->Text = "Motor";
    EXPECT_EQ(label->GetHintText(), "Text\r\"Motor\"");
    label->Text.clear();
    EXPECT_EQ(label->GetHintText(), "Text");
}

TEST_F(TextLabelTest, TheBoxFollowsTheTextWhenDrawnUnderTheBoardMapping)
{
    TTestBoard t;
    t.Board().Zoom = 254.0 / 16;   // one board unit per pixel
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto* label = CreateBauteil<TText>();
    label->X = 100;
    label->Y = 100;
    label->Font.Height = 40;
    t.Board().InsertObject(label);
    EXPECT_EQ(label->GetBounds(), (TRect{100, 100, 300, 300}));   // 200 by 200 until drawn
    TCanvas canvas(&image);
    t.Board().PrepareCanvas(canvas);
    label->Text = "WWWW";
    label->Draw(canvas);
    // Four wide letters of a 40-unit font: some 100 to 160 units, plus 30.
    EXPECT_GT(label->Width, 130);
    EXPECT_LT(label->Width, 200);
    EXPECT_NEAR(label->Height, 40, 6);
    // The text starts 10 units in and is drawn in the font's colour.
    int darkLeft = 600;
    for (int x = 0; x < 600; ++x)
        for (int y = 100; y < 100 + label->Height; ++y)
            if (image.pixelColor(x, y).lightness() < 100)
                darkLeft = std::min(darkLeft, x);
    EXPECT_NEAR(darkLeft, 110, 3);

    label->Text.clear();
    label->Draw(canvas);
    EXPECT_EQ(label->Width, 30);

    // Selected: a red frame inside the box.
    label->Text = "WWWW";
    label->Selected = true;
    image.fill(Qt::white);
    label->Draw(canvas);
    EXPECT_EQ(image.pixelColor(label->X + 2, label->Y + label->Height / 2), QColor(255, 0, 0));
}

TEST_F(TextLabelTest, TheSheetSetsTextFontAndHeightAndTheBoardRedraws)
{
    TTestBoard t;
    auto* label = CreateBauteil<TText>();
    t.Board().InsertObject(label);
    ASSERT_TRUE(label->OnNeuZeichnen);
    int asked = 0;
    ShellHooks.TextLabelDialog = [&](AnsiString& text, TFont& font) {
        ++asked;
        text = std::string(60, 'x');
        font.Height = 30;
        return Integer{1};
    };
    EXPECT_EQ(label->EditProperties(), 1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(label->Text.size(), 50u);
    EXPECT_EQ(label->Font.Height, 30);
}

TEST_F(TextLabelTest, TextModePlacesALabelOnTheGridAndOpensItsSheet)
{
    RegisterClass(TText::StaticClass());
    TTestBoard t;
    int asked = 0;
    ShellHooks.TextLabelDialog = [&](AnsiString& text, TFont&) {
        ++asked;
        text = "Ventil";
        return Integer{1};
    };
    t.Board().Mode = TBoardMode::Text;
    const TPoint device = t.Board().BoardMapping().LPtoDP(TPoint{405, 611});
    t.Board().MouseDown(TMouseButton::mbLeft, 0, device.X, device.Y);
    ASSERT_EQ(CountOf<TText>(t.Board()), 1);
    auto* label = dynamic_cast<TText*>(t.Board().Objects.back());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(label->Text, "Ventil");
    EXPECT_EQ(label->X % 20, 0);
    EXPECT_EQ(label->Y % 20, 0);
    EXPECT_TRUE(label->IsSelected());
    EXPECT_EQ(t.Board().Mode, TBoardMode::Select);
}

} // namespace
