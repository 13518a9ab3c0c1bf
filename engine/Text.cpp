#include "engine/Text.h"

#include "engine/Language.h"
#include "engine/ShellHooks.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Stream.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t FontNameAt = 0;
constexpr std::size_t HeightAt = 32;
constexpr std::size_t StyleAt = 34;
constexpr std::size_t ColorAt = 35;
constexpr std::size_t XAt = 39;
constexpr std::size_t YAt = 41;
constexpr std::size_t TextAt = 43;

void PutShortString(Byte* at, const AnsiString& s, std::size_t most)
{
    const std::size_t n = std::min(s.size(), most);
    at[0] = static_cast<Byte>(n);
    std::memcpy(at + 1, s.data(), n);
}

// The length byte is not trusted: a damaged record cannot reach past its field.
AnsiString GetShortString(const Byte* at, std::size_t most)
{
    const std::size_t n = std::min<std::size_t>(at[0], most);
    return AnsiString(reinterpret_cast<const char*>(at + 1), n);
}

void PutWord(Byte* at, Integer v)
{
    at[0] = static_cast<Byte>(v & 0xFF);
    at[1] = static_cast<Byte>((v >> 8) & 0xFF);
}

Integer GetSmallInt(const Byte* at)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | at[1] << 8));
}

} // namespace

TText::TText()
{
    HasPropertyDialog = true;
    HelpContext = 9000;
    Font.Name = ArialFamily;
    // Size 20 on a 96-dpi screen, as a character height.
    Font.Height = -27;
    Font.Style = 0;
    Font.Color = clBlack;
}

void TText::Measure(TCanvas& canvas)
{
    canvas.Font.Name = Font.Name;
    canvas.Font.Style = Font.Style;
    canvas.Font.Color = Font.Color;
    canvas.Font.Height = Font.Height;
    canvas.Font.Escapement = 0;
    Width = canvas.TextWidth(Text) + 30;
    Height = canvas.TextHeight(Text);
}

void TText::Draw(TCanvas& canvas)
{
    Measure(canvas);
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (Selected) {
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Color = clRed;
        canvas.Pen.Width = 2;
        canvas.Rectangle(X + 2, Y + 2, X + Width - 2, Y + Height - 2);
        canvas.Font.Color = clRed;
    }
    canvas.TextOut(X + 10, Y, Text);
}

bool TText::HitTest(TPoint devicePoint, const TCanvas& canvas) const
{
    return canvas.Mapping().LPtoDP(GetBounds()).Contains(devicePoint);
}

void TText::MoveBy(TPoint offset)
{
    X += offset.X;
    Y += offset.Y;
}

TRect TText::GetBounds() const
{
    return {X, Y, X + Width, Y + Height};
}

Integer TText::EditProperties()
{
    Integer result = 0;
    if (ShellHooks.TextLabelDialog) {
        result = ShellHooks.TextLabelDialog(Text, Font);
        if (Text.size() > TextMaxLength)
            Text.resize(TextMaxLength);
    } else {
        // Without the sheet the size field would have shown the height as it is.
        Font.Height = std::abs(Font.Height);
    }
    if (OnNeuZeichnen)
        OnNeuZeichnen(this);
    return result;
}

AnsiString TText::GetHintText()
{
    AnsiString hint = "Text";
    if (!Text.empty())
        hint += CR + ("\"" + Text + "\"");
    return hint;
}

void TText::WriteData(TStream& stream, TWriter& writer)
{
    TBauteil::WriteData(stream, writer);
    Byte record[TextRecordSize] = {};
    PutShortString(record + FontNameAt, Font.Name, TextFontNameLength);
    PutWord(record + HeightAt, Font.Height);
    record[StyleAt] = static_cast<Byte>(Font.Style & 0x0F);
    for (int i = 0; i < 4; ++i)
        record[ColorAt + i] = static_cast<Byte>((Font.Color >> (8 * i)) & 0xFF);
    PutWord(record + XAt, X);
    PutWord(record + YAt, Y);
    PutShortString(record + TextAt, Text, TextMaxLength);
    writer.Write(record, sizeof record);
}

void TText::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TBauteil::ReadData(stream, reader, version);
    Byte record[TextRecordSize];
    reader.Read(record, sizeof record);
    Font.Name = GetShortString(record + FontNameAt, TextFontNameLength);
    Font.Height = GetSmallInt(record + HeightAt);
    Font.Style = record[StyleAt] & 0x0F;
    Font.Color = static_cast<TColor>(record[ColorAt] | record[ColorAt + 1] << 8 | record[ColorAt + 2] << 16 |
                                     static_cast<TColor>(record[ColorAt + 3]) << 24);
    X = GetSmallInt(record + XAt);
    Y = GetSmallInt(record + YAt);
    Text = GetShortString(record + TextAt, TextMaxLength);
    // A board opened zoomed to fit is laid out before anything is drawn: a
    // long label must not count as 200 units wide and be cut off. Without a
    // GUI (tools, readers) there are no fonts and nothing to lay out.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        TCanvas metrics;
        Measure(metrics);
    }
}
