#include "components/strings/BT_String.h"

#include "platform/Canvas.h"

#include <algorithm>

void TStrBT::InputsCreated()
{
    numberTexts_.assign(Inputs.size(), AnsiString());
}

const AnsiString& TStrBT::NumberText(Integer i)
{
    AnsiString& text = numberTexts_[static_cast<std::size_t>(i)];
    text = InputString(i);
    return text;
}

void TStrBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TColor colour = FigureColor();
    const AnsiString label = label_;
    canvas.Pen.Color = colour;
    canvas.Font.Name = "ARIAL";
    canvas.Font.Height = 38;
    canvas.Font.Style = 0;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const Integer cx = BodyRect.Left + BodyRect.Width() / 2;
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    canvas.TextOut(cx - canvas.TextWidth(label) / 2, cy - 24, label);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

std::vector<AnsiString> TStrBT::SeparatorChoices()
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::vector<AnsiString> choices;
    choices.reserve(256);
    for (int code = 0; code < 256; ++code) {
        AnsiString entry = "$";
        entry += hex[code >> 4];
        entry += hex[code & 15];
        entry += " - ";
        entry += static_cast<char>(code);
        choices.push_back(std::move(entry));
    }
    return choices;
}

std::vector<AnsiString> TStrBT::CountChoices()
{
    std::vector<AnsiString> counts;
    for (Integer n = MinCount; n <= MaxCount; ++n)
        counts.push_back(std::to_string(n));
    return counts;
}

Integer TStrBT::ClampSeparator(Integer code)
{
    return std::clamp<Integer>(code, 0, 255);
}
