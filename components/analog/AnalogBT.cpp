#include "components/analog/AnalogBT.h"

#include "engine/Publics.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"

#include <cmath>
#include <vector>

namespace {
constexpr TColor Red = 0x0000FF;
}

void TAnalogBT::DrawFigureText(TCanvas& canvas, const AnsiString& text, Integer height, Integer x, Integer y) const
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = height;
    canvas.Font.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(x, y, text);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TAnalogBT::DrawCentredText(TCanvas& canvas, const AnsiString& text, Integer height, Integer x, Integer y) const
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = height;
    DrawFigureText(canvas, text, height, x - canvas.TextWidth(text) / 2, y);
}

void TAnalogBT::DrawLines(TCanvas& canvas, std::initializer_list<TPoint> points, TColor colour, Integer width) const
{
    const Integer cx = CentreX();
    const Integer cy = CentreY();
    std::vector<TPoint> absolute;
    absolute.reserve(points.size());
    for (const TPoint& p : points)
        absolute.push_back({cx + p.X, cy + p.Y});
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = width;
    canvas.Pen.Color = colour;
    canvas.Polyline(absolute);
}

void TAnalogBT::DrawFrame(TCanvas& canvas, TRect relative, TColor colour, Integer width) const
{
    const Integer cx = CentreX();
    const Integer cy = CentreY();
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = width;
    canvas.Pen.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(cx + relative.Left, cy + relative.Top, cx + relative.Right, cy + relative.Bottom);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TAnalogBT::DrawFramedLines(TCanvas& canvas, std::initializer_list<std::initializer_list<TPoint>> lines) const
{
    constexpr TColor Black = 0x000000;
    DrawFrame(canvas, {-40, -54, 40, 26}, Black, 2);
    for (const auto& line : lines)
        DrawLines(canvas, line, Red, 2);
}

void TAnalogBT::NamePins(TPinList& pins, std::initializer_list<const char*> names)
{
    std::size_t i = 0;
    for (const char* name : names) {
        if (i >= pins.size())
            return;
        pins[i++].Name = name;
    }
}

void TAnalogBT::NumberPins(TPinList& pins, const char* prefix)
{
    for (std::size_t i = 0; i < pins.size(); ++i)
        pins[i].Name = prefix + std::to_string(i);
}

void TAnalogBT::WriteStateValue(TCustomIniFile& ini, const AnsiString& section, const char* key, Extended value)
{
    ini.WriteFloat(section, key, static_cast<double>(value));
}

Extended TAnalogBT::ReadStateValue(TCustomIniFile& ini, const AnsiString& section, const char* key)
{
    const double value = ini.ReadFloat(section, key, 0.0);
    return std::isfinite(value) ? value : 0.0L;
}

AnsiString ShortValueText(Extended value)
{
    return LocaliseDecimalSeparator(FormatGeneral(value, 3, 0));
}
