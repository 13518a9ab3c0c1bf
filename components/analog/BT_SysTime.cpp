#include "components/analog/BT_SysTime.h"

#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTSysTime>("TBTSysTime"),
     .TypeName = {"Systemzeit", "System time", "Heure système"_ansi},
     .Designator = "TM",
     .HelpContext = 18220,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 5, .Min = 4, .Max = 5, .Names = "ms,S,M,H,$"}},
    {.Class = RowClass<TBTSysDate>("TBTSysDate"),
     .TypeName = {"Systemdatum", "System date", "Date système"_ansi},
     .Designator = "DT",
     .HelpContext = 18225,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 5, .Min = 4, .Max = 5, .Names = "DOW,D,M,Y,$"}},
    {.Class = RowClass<TBTFreqCount>("TBTFreqCount"),
     .TypeName = {"Frequenzzähler"_ansi, "Frequency\rcounter", "Compteur\rfréquence"_ansi},
     .Designator = "FC",
     .HelpContext = 18510,
     .Inputs = {.Count = 1, .Names = "CLK"},
     .Outputs = {.Count = 1, .Names = "f"}},
};

QString LongTimeFormat()
{
    // The locale's long format names the time zone ("t"); the clock text
    // shows the time of day only.
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            result += c;
    }
    return result.simplified();
}

QString ShortDateFormat()
{
    // Dates in the circuit show the whole year, as the system's short date does.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

void DrawLetter(TAnalogBT& block, TCanvas& canvas, const char* letter, Integer height, bool italic, Integer x,
                Integer y, TColor colour)
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = italic ? fsItalic : 0;
    canvas.Font.Height = height;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(x, y, letter);
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Font.Style = 0;
}

} // namespace

AnsiString LongTimeText(TDateTime when)
{
    return QStringToAnsi(QLocale().toString(DateTimeToQDateTime(when).time(), LongTimeFormat()));
}

AnsiString ShortDateText(TDateTime when)
{
    return QStringToAnsi(QLocale().toString(DateTimeToQDateTime(when).date(), ShortDateFormat()));
}

// ---- Time

TBTSysTime::TBTSysTime(const TComponentRow& row) : TAnalogBT(row) {}

void TBTSysTime::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLetter(*this, canvas, "T", 80, false, CentreX() - 22, CentreY() - 38, FigureColor());
}

AnsiString TBTSysTime::GetHintText()
{
    return TAnalogBT::GetHintText() + "\r" + LongTimeText(Now());
}

void TBTSysTime::Calculate()
{
    const QTime time = DateTimeToQDateTime(Now()).time();
    SetOutputValue(3, time.hour());
    SetOutputValue(2, time.minute());
    SetOutputValue(1, time.second());
    SetOutputValue(0, time.msec());
    if (OutputCount > 4)
        SetOutputString(4, QStringToAnsi(QLocale().toString(time, LongTimeFormat())));
}

// ---- Date

TBTSysDate::TBTSysDate(const TComponentRow& row) : TAnalogBT(row) {}

void TBTSysDate::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLetter(*this, canvas, "D", 80, false, CentreX() - 22, CentreY() - 38, FigureColor());
}

AnsiString TBTSysDate::GetHintText()
{
    return TAnalogBT::GetHintText() + "\r" + ShortDateText(Now());
}

void TBTSysDate::Calculate()
{
    const QDate date = DateTimeToQDateTime(Now()).date();
    // Sunday is 1, Saturday 7.
    SetOutputValue(0, date.dayOfWeek() % 7 + 1);
    SetOutputValue(1, date.day());
    SetOutputValue(2, date.month());
    SetOutputValue(3, date.year());
    if (OutputCount > 4)
        SetOutputString(4, QStringToAnsi(QLocale().toString(date, ShortDateFormat())));
}

// ---- Frequency counter

TBTFreqCount::TBTFreqCount(const TComponentRow& row) : TAnalogBT(row) {}

void TBTFreqCount::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLetter(*this, canvas, "f", 60, true, CentreX() - 10, CentreY() - 42, FigureColor());
}

void TBTFreqCount::ResetForStart()
{
    WindowStart = QueryPerformanceCounter();
    EdgeCount = 0;
    SetOutputValue(0, 0.0L);
    Smoothed = 0.0L;
}

void TBTFreqCount::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    const bool clock = InputLogic(0);
    if (clock && !LastClock) {
        if (now != LastEdge) {
            const Extended f1 = 1.0L / (static_cast<Extended>(now - LastEdge) / PerfFrequency);
            // The newest period weighs 9999 to 1 against the old value.
            Smoothed = (9999.0L * f1 + Smoothed) / 10000.0L;
        }
        ++EdgeCount;
        LastEdge = now;
    }
    LastClock = clock;
    // One second, to 10 microseconds.
    if (std::nearbyint(static_cast<Extended>(now - WindowStart) / PerfFrequency * 100000.0L) >= 100000.0L) {
        SetOutputValue(0, Smoothed > 100.0L ? static_cast<Extended>(EdgeCount) : Smoothed);
        EdgeCount = 0;
        WindowStart = now;
    }
}

TRowList SysTimeRows()
{
    return RowList(Rows);
}
