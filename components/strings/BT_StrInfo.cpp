#include "components/strings/BT_StrInfo.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/PanelInterfaces.h"
#include "engine/Publics.h"
#include "platform/Clock.h"
#include "platform/CpuUsage.h"
#include "platform/Stream.h"
#include "ui/controls/UCLSysInfo.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

const TStrRow Rows[] = {
    {.Component = {.Class = RowClass<TBTStrInfo>("TBTStrInfo"), .TypeName = {"$Info", "$Info", "$Info"},
                   .Designator = "$Inf", .HelpContext = TextHelp, .HasDialog = true, .Inputs = {},
                   .Outputs = FixedPins("$N,$I")},
     .Label = "INFO"},
};

constexpr Int64 NoSecond = std::numeric_limits<Int64>::min();

AnsiString Decimal(long long value)
{
    return std::to_string(value);
}

// A non-negative count that may be fractional: rounded, saturating.
AnsiString DecimalOf(double value)
{
    if (!(value >= 0.0))
        return "0";
    if (value >= 9.0e18)
        return Decimal(std::numeric_limits<long long>::max());
    return Decimal(std::llround(value));
}

// "%5.2f%%" with the locale's decimal separator.
AnsiString Percent(double fraction)
{
    char text[64];
    std::snprintf(text, sizeof text, "%5.2f%%", fraction * 100.0);
    return LocaliseDecimalSeparator(text);
}

using TItemReader = AnsiString (*)(TUCLSysInfo&);

struct TSysItem {
    const char* Name;
    TItemReader Read;
};

// Items 0..66: the name after "SYS - " and the property it shows.
const TSysItem SysItems[] = {
    {"BuildNumber", [](TUCLSysInfo& s) { return Decimal(s.BuildNumber()); }},
    {"CapsLock", [](TUCLSysInfo& s) { return BoolText(s.CapsLockState()); }},
    {"ColorDepth", [](TUCLSysInfo& s) { return Decimal(s.ColorDepth()); }},
    {"ComputerName", [](TUCLSysInfo& s) { return s.Computername(); }},
    {"CurrentUser", [](TUCLSysInfo& s) { return s.CurrentUser(); }},
    {"DefaultLanguage", [](TUCLSysInfo& s) { return s.DefaultLanguageString(); }},
    {"FontSmoothing", [](TUCLSysInfo& s) { return BoolText(s.FontSmoothing()); }},
    {"KeyboardDelay", [](TUCLSysInfo& s) { return Decimal(s.KeyboardDelay()); }},
    {"KeyboardSpeed", [](TUCLSysInfo& s) { return Decimal(s.KeyboardSpeed()); }},
    {"LocaleAfternoonSymbol", [](TUCLSysInfo& s) { return s.LocaleAfternoonSymbol(); }},
    {"LocaleCalendarType", [](TUCLSysInfo& s) { return s.LocaleCalendarType(); }},
    {"LocaleCurrencyDigits", [](TUCLSysInfo& s) { return s.LocaleCurrencyDigits(); }},
    {"LocaleCurrencyGrouping", [](TUCLSysInfo& s) { return s.LocaleCurrencyGrouping(); }},
    {"LocaleCurrencySymbol", [](TUCLSysInfo& s) { return s.LocaleCurrencySymbol(); }},
    {"LocaleDateSeparator", [](TUCLSysInfo& s) { return s.LocaleDateSeparator(); }},
    {"LocaleDecimalSeparator", [](TUCLSysInfo& s) { return s.LocaleDecimalSeparator(); }},
    {"LocaleDigits", [](TUCLSysInfo& s) { return s.LocaleDigits(); }},
    {"LocaleFirstDayOfWeek", [](TUCLSysInfo& s) { return s.LocaleFirstDayOfWeek(); }},
    {"LocaleFirstWeekOfYear", [](TUCLSysInfo& s) { return s.LocaleFirstWeekOfYear(); }},
    {"LocaleCurrency", [](TUCLSysInfo& s) { return s.LocaleICurrency(); }},
    {"LocaleListSeparator", [](TUCLSysInfo& s) { return s.LocaleListSeparator(); }},
    {"LocaleLongDateFormat", [](TUCLSysInfo& s) { return s.LocaleLongDateFormat(); }},
    {"LocaleMeasureSystem", [](TUCLSysInfo& s) { return s.LocaleMeasureSystem(); }},
    {"LocaleMonthDecimalSeparator", [](TUCLSysInfo& s) { return s.LocaleMonthDecimalSeparator(); }},
    {"LocaleMorningSymbol", [](TUCLSysInfo& s) { return s.LocaleMorningSymbol(); }},
    {"LocaleNegativeCurrencyFormat", [](TUCLSysInfo& s) { return s.LocaleNegativeCurrencyFormat(); }},
    {"LocaleNegativeNumberFormat", [](TUCLSysInfo& s) { return s.LocaleNegativeNumberFormat(); }},
    {"LocaleNegativeSign", [](TUCLSysInfo& s) { return s.LocaleNegativeSign(); }},
    {"LocaleNumericGrouping", [](TUCLSysInfo& s) { return s.LocaleNumericGrouping(); }},
    {"LocalePositiveSign", [](TUCLSysInfo& s) { return s.LocalePositiveSign(); }},
    {"LocaleShortDateFormat", [](TUCLSysInfo& s) { return s.LocaleShortDateFormat(); }},
    {"LocaleShortTimeFormat", [](TUCLSysInfo& s) { return s.LocaleShortTimeFormat(); }},
    {"LocaleThousand", [](TUCLSysInfo& s) { return s.LocaleThousand(); }},
    {"LocaleThousandSeparator", [](TUCLSysInfo& s) { return s.LocaleThousandSeparator(); }},
    {"LocaleTime", [](TUCLSysInfo& s) { return s.LocaleTime(); }},
    {"LocaleTimeSeparator", [](TUCLSysInfo& s) { return s.LocaleTimeSeparator(); }},
    {"LocaleZero", [](TUCLSysInfo& s) { return s.LocaleZero(); }},
    {"MemoryLoaded", [](TUCLSysInfo& s) { return s.MemoryLoaded(); }},
    {"MemPageFree", [](TUCLSysInfo& s) { return Decimal(s.MemPageFree()); }},
    {"MemPageTotal", [](TUCLSysInfo& s) { return Decimal(s.MemPageTotal()); }},
    {"MemPhysFree", [](TUCLSysInfo& s) { return Decimal(s.MemPhysFree()); }},
    {"MemPhysTotal", [](TUCLSysInfo& s) { return Decimal(s.MemPhysTotal()); }},
    {"MemVirtExtended", [](TUCLSysInfo& s) { return Decimal(s.MemVirtExtended()); }},
    {"MemVirtFree", [](TUCLSysInfo& s) { return Decimal(s.MemVirtFree()); }},
    {"MemVirtTotal", [](TUCLSysInfo& s) { return Decimal(s.MemVirtTotal()); }},
    {"NumLockState", [](TUCLSysInfo& s) { return BoolText(s.NumLockState()); }},
    {"Platform", [](TUCLSysInfo& s) { return s.Platform(); }},
    {"PlusAvailable", [](TUCLSysInfo& s) { return BoolText(s.PlusAvailable()); }},
    {"ProcessorNumber", [](TUCLSysInfo& s) { return Decimal(s.ProcessorNumber()); }},
    {"ProcessorType", [](TUCLSysInfo& s) { return s.ProcessorType(); }},
    {"RegisteredCompany", [](TUCLSysInfo& s) { return s.RegisteredCompany(); }},
    {"RegisteredOwner", [](TUCLSysInfo& s) { return s.RegisteredOwner(); }},
    {"ScreenHeight", [](TUCLSysInfo& s) { return Decimal(s.ScreenHeight()); }},
    {"ScreenPPI", [](TUCLSysInfo& s) { return Decimal(s.ScreenPPi()); }},
    {"ScreenSaveActive", [](TUCLSysInfo& s) { return BoolText(s.ScreenSaveActive()); }},
    {"ScreenSaverDelay", [](TUCLSysInfo& s) { return Decimal(s.ScreenSaverDelay()); }},
    {"ScreenWidth", [](TUCLSysInfo& s) { return Decimal(s.ScreenWidth()); }},
    {"ScrollLockState", [](TUCLSysInfo& s) { return BoolText(s.ScrollLockState()); }},
    {"SnapToDefaultButton", [](TUCLSysInfo& s) { return BoolText(s.SnapToDefaultButton()); }},
    {"TempPath", [](TUCLSysInfo& s) { return s.TempPath(); }},
    {"TimeZone", [](TUCLSysInfo& s) { return s.TimeZone(); }},
    {"TimeZoneDiff", [](TUCLSysInfo& s) { return Decimal(s.TimeZoneDiff()); }},
    {"VersionWIN", [](TUCLSysInfo& s) { return s.VersionWIN(); }},
    {"WarningBeep", [](TUCLSysInfo& s) { return BoolText(s.WarningBeep()); }},
    {"WindowAnimation", [](TUCLSysInfo& s) { return BoolText(s.WindowAnimation()); }},
    {"WinPath", [](TUCLSysInfo& s) { return s.WinPath(); }},
    {"WinSysPath", [](TUCLSysInfo& s) { return s.WinSysPath(); }},
};
static_assert(std::size(SysItems) == 67);

constexpr const char* ProgramItems[] = {"ZK - Caption", "ZK - SimFreq", "ZK - ActiveFrontPanel",
                                        "ZK - CompiledApplication", "ZK - WebServerRunning"};
constexpr const char* CpuItems[] = {"CPU - TotalUsage", "CPU - CPU0_Usage", "CPU - CPU1_Usage",
                                    "CPU - CPU2_Usage", "CPU - CPU3_Usage", "CPU - CPU4_Usage",
                                    "CPU - CPU5_Usage", "CPU - Count"};

// The current second of the day by the installed clock.
Int64 CurrentSecond()
{
    return static_cast<Int64>(std::floor(Now() * 86400.0));
}

} // namespace

TRowList StrInfoRows()
{
    return RowList(Rows);
}

AnsiString BoolText(bool value)
{
    return value ? "True" : "False";
}

TBTStrInfo::TBTStrInfo(const TComponentRow& row)
    : TStrBT(row), SysInfo(std::make_unique<TUCLSysInfo>()), lastCpuSecond_(NoSecond)
{
    Items.reserve(ItemCount);
    for (const TSysItem& item : SysItems)
        Items.push_back(AnsiString("SYS - ") + item.Name);
    for (const char* name : ProgramItems)
        Items.emplace_back(name);
    for (const char* name : CpuItems)
        Items.emplace_back(name);
}

TBTStrInfo::~TBTStrInfo() = default;

AnsiString TBTStrInfo::ItemValue(Integer item)
{
    if (item < 0 || item >= ItemCount)
        return {};
    if (item < 67)
        return SysItems[item].Read(*SysInfo);
    switch (item) {
    case 67: return PanelWindow ? PanelWindow->WindowCaption() : AnsiString();
    case 68: return DecimalOf(MeasuredStepRate);
    case 69: return Decimal((PanelWindow ? static_cast<long long>(PanelWindow->AktiveFrontplatte()) : 0) + 1);
    case 70: return BoolText(RunOnlyMode);
    case 71: return BoolText(PanelWindow && PanelWindow->WebServerRunning());
    case 79: return Decimal(CpuCount());
    default: break;
    }
    const Integer count = CpuCount();
    if (item == FirstCpuItem) {
        if (count <= 0 || CpuUsage(0) < 0)
            return "-1";
        double sum = 0;
        for (Integer i = 0; i < count; ++i)
            sum += CpuUsage(i);
        return Percent(sum / count);
    }
    const double usage = CpuUsage(item - FirstCpuItem - 1);
    return usage < 0 ? AnsiString("-1") : Percent(usage);
}

void TBTStrInfo::Calculate()
{
    if (ItemIndex >= FirstCpuItem && ItemIndex <= LastCpuItem) {
        const Int64 second = CurrentSecond();
        if (second != lastCpuSecond_) {
            lastCpuSecond_ = second;
            SampleCpuData();
            SetOutputString(1, ItemValue(ItemIndex));
        }
    } else {
        SetOutputString(1, ItemValue(ItemIndex));
    }
    SetOutputString(0, ItemIndex >= 0 && ItemIndex < ItemCount ? Items[ItemIndex] : AnsiString());
}

// The list offers only the existing items: an index outside them shows no
// entry and stays unless one is chosen.
Integer TBTStrInfo::EditProperties()
{
    TSettingsSheet sheet(*this, GetTypeName());
    Integer entry = ItemIndex >= 0 && ItemIndex < ItemCount ? ItemIndex : -1;
    sheet.Props().AddCombo("Info", entry, Items, 200);
    const Integer result = sheet.Show();
    if (result == 1 && entry >= 0 && entry < ItemCount)
        ItemIndex = entry;
    return result;
}

void TBTStrInfo::WriteData(TStream& stream, TWriter& writer)
{
    TStrBT::WriteData(stream, writer);
    writer.WriteInteger(ItemIndex);
}

void TBTStrInfo::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TStrBT::ReadData(stream, reader, version);
    ItemIndex = reader.ReadInteger();
}
