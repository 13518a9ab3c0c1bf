#include "components/analog/BT_Spiel.h"

#include "engine/AnsiLiteral.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"

#include <cmath>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBT_Spiel>("TBT_Spiel"),
     .TypeName = {"Spiel", "Play", "Lecture"},
     .Designator = "HYS-",
     .HelpContext = 18428,
     .Inputs = {.Count = 2, .Names = "X,HYS"},
     .Outputs = {.Count = 1, .Names = "Y"}},
    {.Class = RowClass<TBT_Totzone>("TBT_Totzone"),
     .TypeName = {"Totzone", "Dead zone", "Zone morte"},
     .Designator = "DZN-",
     .HelpContext = 18429,
     .Inputs = {.Count = 3, .Names = "X,XL,XH"},
     .Outputs = {.Count = 1, .Names = "Y"}},
    {.Class = RowClass<TBTLimiter>("TBTLimiter"),
     .TypeName = {"Begrenzer\rLimiter", "Limiter", "Limiteur"},
     .Designator = "LIM",
     .HelpContext = 18450,
     .Inputs = {.Count = 4, .Names = "EN,IN,LiH,LiL"},
     .Outputs = {.Count = 3, .Names = "ClpL,ClpH,A"}},
};

constexpr TColor Red = 0x0000FF;
constexpr TColor Black = 0x000000;

} // namespace

// ---- Backlash

TBT_Spiel::TBT_Spiel(const TComponentRow& row) : TAnalogBT(row) {}

void TBT_Spiel::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLines(canvas, {{-30, 16}, {-10, -24}}, Black, 2);
    DrawLines(canvas, {{10, -4}, {30, -44}}, Black, 2);
    for (Integer i = 0; i <= 5; ++i)
        DrawLines(canvas, {{-20 + 2 * i, -4 - 4 * i}, {10 + 2 * i, -4 - 4 * i}}, Black, 2);
}

void TBT_Spiel::ResetForStart()
{
    if (!std::isfinite(HighLimit) || !std::isfinite(LowLimit) || !std::isfinite(Output))
        HighLimit = LowLimit = Output = 0.0L;
}

void TBT_Spiel::Calculate()
{
    const Extended x = InputValue(0);
    const Extended hys = InputValue(1);
    const Extended c = (HighLimit - LowLimit) / 2.0L + LowLimit;
    LowLimit = c - hys / 2.0L;
    HighLimit = c + hys / 2.0L;
    if (x > HighLimit) {
        HighLimit = x;
        LowLimit = HighLimit - hys;
        Output = x - hys / 2.0L;
        SetOutputValue(0, Output);
    }
    if (x < LowLimit) {
        LowLimit = x;
        HighLimit = LowLimit + hys;
        Output = x + hys / 2.0L;
        SetOutputValue(0, Output);
    }
}

void TBT_Spiel::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    const AnsiString own = StateSection(section);
    WriteStateValue(ini, own, "Output", Output);
    WriteStateValue(ini, own, "HLimit", HighLimit);
    WriteStateValue(ini, own, "LLimit", LowLimit);
}

void TBT_Spiel::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    const AnsiString own = StateSection(section);
    Output = ReadStateValue(ini, own, "Output");
    HighLimit = ReadStateValue(ini, own, "HLimit");
    LowLimit = ReadStateValue(ini, own, "LLimit");
    SetOutputValue(0, Output);
}

// ---- Dead zone

TBT_Totzone::TBT_Totzone(const TComponentRow& row) : TAnalogBT(row) {}

void TBT_Totzone::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLines(canvas, {{-40, -14}, {40, -14}}, Black, 2);
    DrawLines(canvas, {{0, -54}, {0, 26}}, Black, 2);
    DrawLines(canvas, {{-30, 16}, {-15, -14}}, Red, 2);
    DrawLines(canvas, {{15, -14}, {30, -44}}, Red, 2);
    DrawLines(canvas, {{-15, -14}, {15, -14}}, Red, 2);
}

void TBT_Totzone::Calculate()
{
    const Extended x = InputValue(0);
    const Extended xl = InputValue(1);
    const Extended xh = InputValue(2);
    Extended y;
    if (xl >= xh)
        y = x - xl;
    else if (xl <= x && x < xh)
        y = 0.0L;
    else if (x >= xh)
        y = x - xh;
    else
        y = x - xl;
    SetOutputValue(0, y);
}

// ---- Limiter

TBTLimiter::TBTLimiter(const TComponentRow& row) : TAnalogBT(row) {}

void TBTLimiter::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLines(canvas, {{-40, -14}, {40, -14}}, Black, 2);
    DrawLines(canvas, {{0, -54}, {0, 26}}, Black, 2);
    DrawLines(canvas, {{-30, 16}, {-15, 16}, {15, -44}, {30, -44}}, Red, 2);
}

void TBTLimiter::ResetForStart()
{
    SetOutputValue(2, 0.0L);
    SetOutputLogic(0, false);
    SetOutputLogic(1, false);
}

void TBTLimiter::Calculate()
{
    const bool enabled = InputLogic(0);
    const Extended in = InputValue(1);
    const Extended high = InputValue(2);
    const Extended low = InputValue(3);
    const bool above = enabled && in > high;
    const bool below = enabled && in < low;
    Extended a = in;
    if (above || below) {
        if (above)
            a = high;
        if (below)
            a = low;
    }
    SetOutputValue(2, a);
    SetOutputLogic(1, above);
    SetOutputLogic(0, below);
}

TRowList SpielRows()
{
    return RowList(Rows);
}
