#include "components/analog/AnalogBT.h"

#include "dialogs/DLG_Default.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "dialogs/Props.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr TColor Red = 0x0000FF;
}

TAnalogBT::TAnalogBT(const TAnalogInfo& info) : Info(info)
{
    Designator = info.Designator;
    HelpContext = info.HelpContext;
    HasPropertyDialog = info.HasDialog;
}

AnsiString TAnalogBT::GetTypeName() const
{
    return ByLanguage(Info.TypeName[0], Info.TypeName[1], Info.TypeName[2]);
}

TColor TAnalogBT::FigureColor() const
{
    return Selected ? Red : SymbolColor;
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

void TAnalogBT::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    SetInputCount(std::clamp(InputCount, Info.MinInputs, Info.MaxInputs));
    SetOutputCount(std::clamp(OutputCount, Info.MinOutputs, Info.MaxOutputs));
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

TDefault_Dlg& TAnalogBT::OpenDialog(const AnsiString& caption) const
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(caption);
    dlg.SetHelpContext(HelpContext);
    return dlg;
}

Integer TAnalogBT::ShowDialog(TDefault_Dlg& dlg)
{
    dlg.Props->AddOptionsSection(Caption, RuntimeAdjustable);
    return dlg.ShowModal();
}

AnsiString TAnalogBT::StateSection(const AnsiString& boardSection) const
{
    return boardSection + "." + AnsiString(Designator) + std::to_string(Number);
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
