#include "ui/controls/UCLSysInfo.h"

#include "platform/AnsiText.h"
#include "ui/controls/UCLProcs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleHints>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#define ZK_HAS_CPUID 1
#endif

namespace {

const char* const Unknown = "(Unbekannt)";

// Locale texts may hold the narrow no-break space, which Windows-1252 lacks;
// the no-break space stands in for it.
AnsiString LocaleText(QString text)
{
    return QStringToAnsi(text.replace(QChar(0x202F), QChar(0x00A0)));
}

// Lines "Key:   value kB" of a procfs file, in kilobytes.
std::map<std::string, Int64> ReadKiloBytes(const char* file)
{
    std::map<std::string, Int64> values;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        bool ok = false;
        const Int64 value = line.mid(colon + 1).trimmed().split(' ').value(0).toLongLong(&ok);
        if (ok)
            values[line.left(colon).toStdString()] = value;
    }
    return values;
}

struct TMemoryStatus {
    Int64 PhysTotal = 0, PhysFree = 0, PageTotal = 0, PageFree = 0, VirtTotal = 0, VirtFree = 0;   // bytes
    Integer Load = 0;   // percent of physical memory in use
};

TMemoryStatus ReadMemoryStatus()
{
    TMemoryStatus m;
    auto info = ReadKiloBytes("/proc/meminfo");
    m.PhysTotal = info["MemTotal"] * 1024;
    m.PhysFree = info["MemAvailable"] * 1024;
    m.PageTotal = m.PhysTotal + info["SwapTotal"] * 1024;
    m.PageFree = m.PhysFree + info["SwapFree"] * 1024;
    if (m.PhysTotal > 0)
        m.Load = static_cast<Integer>((m.PhysTotal - m.PhysFree) * 100 / m.PhysTotal);
    // The process's address space: its limit, else what user space spans.
    rlimit limit{};
    const bool limited = getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
    m.VirtTotal = limited ? static_cast<Int64>(limit.rlim_cur) : (Int64(1) << (sizeof(void*) == 8 ? 47 : 31));
    m.VirtFree = std::max<Int64>(m.VirtTotal - ReadKiloBytes("/proc/self/status")["VmSize"] * 1024, 0);
    return m;
}

utsname Uname()
{
    utsname u{};
    uname(&u);
    return u;
}

// Numbers of the kernel release "6.1.0-18-amd64".
int ReleaseNumber(int index)
{
    const QStringList parts = QString::fromLatin1(Uname().release).split(QRegularExpression("[^0-9]+"));
    return parts.value(index).toInt();
}

bool LockLedOn(const char* name)
{
    const QDir leds("/sys/class/leds");
    for (const QString& entry : leds.entryList({QString("*::") + name}, QDir::Dirs | QDir::System)) {
        QFile brightness(leds.filePath(entry + "/brightness"));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0)
            return true;
    }
    return false;
}

// An amount as the locale writes it, reduced to the symbols of the format
// tables: "$" the currency symbol, "1.1" the number, "-" the minus sign and
// " " any space.
QString AmountPattern(QString text, const QLocale& locale)
{
    text.replace(QChar(0x00A0), ' ').replace(QChar(0x202F), ' ');
    if (!locale.currencySymbol().isEmpty())
        text.replace(locale.currencySymbol(), "$");
    text.replace(locale.negativeSign(), "-");
    static const QRegularExpression number("\\d(?:[\\d.,']*\\d)?");
    return text.replace(number, "1.1");
}

// Index of the pattern in the table as text; the first entry when unknown.
AnsiString FormatIndex(const QString& pattern, std::initializer_list<const char*> table, int unknown)
{
    int i = 0;
    for (const char* entry : table) {
        if (pattern == QLatin1String(entry))
            return std::to_string(i);
        ++i;
    }
    return std::to_string(unknown);
}

// The first character of a date or time format that is no field letter.
AnsiString FormatSeparator(const QString& format)
{
    for (const QChar c : format)
        if (!c.isLetter() && c != '\'')
            return LocaleText(QString(c));
    return {};
}

bool HasAmPm(const QString& format)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && (c == 'a' || c == 'A'))
            return true;
    }
    return false;
}

QString WithoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'')
            quoted = !quoted;
        if (quoted || c != 't')
            result += c;
    }
    return result.trimmed();
}

int CurrencyDigits(const QLocale& locale)
{
    const QString amount = locale.toCurrencyString(1.0);
    const int point = amount.indexOf(locale.decimalPoint());
    if (point < 0)
        return 0;
    int digits = 0;
    for (int i = point + locale.decimalPoint().size(); i < amount.size() && amount[i].isDigit(); ++i)
        ++digits;
    return digits;
}

QScreen* Screen()
{
    return QGuiApplication::primaryScreen();
}

}   // namespace

// ---------------------------------------------------------------------------

void TUCLCPUInfoObject::Refresh()
{
    FVendor.clear();
    FName.clear();
    FStepping = FModel = FFamily = 0;
    std::fill(std::begin(FFlags), std::end(FFlags), false);
#ifdef ZK_HAS_CPUID
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0, &a, &b, &c, &d))
        return;
    const unsigned maxLeaf = a;
    char vendor[12];
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    FVendor.assign(vendor, 12);
    if (maxLeaf >= 1 && __get_cpuid(1, &a, &b, &c, &d)) {
        FStepping = a & 0xF;
        FModel = (a >> 4) & 0xF;
        FFamily = (a >> 8) & 0xF;
        static constexpr int bits[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 12, 13, 15, 23};
        for (int i = 0; i < 13; ++i)
            FFlags[i] = (d >> bits[i]) & 1;
    }
    const unsigned maxExtended = __get_cpuid_max(0x80000000, nullptr);
    if (FVendor == "AuthenticAMD" && (maxExtended & 0xFF) != 0 && __get_cpuid(0x80000001, &a, &b, &c, &d)) {
        FFlags[13] = (d >> 11) & 1;
        FFlags[14] = (d >> 16) & 1;
        FFlags[15] = (d >> 31) & 1;
    }
    // Every vendor's processor has its brand string there, not only AMD's.
    if (maxExtended >= 0x80000004) {
        char name[49] = {};
        for (unsigned leaf = 0; leaf < 3; ++leaf) {
            unsigned regs[4];
            __get_cpuid(0x80000002 + leaf, &regs[0], &regs[1], &regs[2], &regs[3]);
            std::memcpy(name + 16 * leaf, regs, 16);
        }
        FName = name;
    }
#endif
}

AnsiString TUCLCPUInfoObject::GetStringItem(int Index) const
{
    return Index == 0 ? FVendor : Index == 1 ? FName : AnsiString();
}

Integer TUCLCPUInfoObject::GetIntegerItem(int Index) const
{
    return Index == 0 ? FStepping : Index == 1 ? FModel : Index == 2 ? FFamily : 0;
}

bool TUCLCPUInfoObject::GetFlag(int Index) const
{
    if (Index == 16) {
#ifdef ZK_HAS_CPUID
        return __get_cpuid_max(0, nullptr) != 0;
#else
        return false;
#endif
    }
    return Index >= 0 && Index < 16 && FFlags[Index];
}

// ---------------------------------------------------------------------------

AnsiString TUCLSysInfo::GetStringInfo(int Index) const
{
    switch (Index) {
    case 0: {
        passwd entry{}, *found = nullptr;
        char buffer[4096];
        if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
            return found->pw_name;
        return Unknown;
    }
    case 1:
    case 2: return Unknown;
    case 3: return std::to_string(ReleaseNumber(0)) + "." + std::to_string(ReleaseNumber(1));
    case 4: return WindowsFolder();
    case 5: return SystemFolder();
    case 6:
    case 7:
    case 8: return "0 %";
    case 9: return std::to_string(ReadMemoryStatus().Load) + " %";
    case 10: return Uname().sysname;
    case 11: return AddTrailingBackslash(QStringToAnsi(QDir::tempPath()));
    case 12: {
        char name[256] = {};
        if (gethostname(name, sizeof name - 1) != 0 || !name[0])
            return Unknown;
        return name;
    }
    case 13: {
        const std::string machine = Uname().machine;
        if (machine == "x86_64")
            return "8664";
        if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86")
            return "Intel Pentium";
        return machine;
    }
    case 14: {
        const QLocale locale;
        return LocaleText(locale.nativeLanguageName() + " (" + locale.nativeTerritoryName() + ")");
    }
    case 15: {
        const QTimeZone zone = QTimeZone::systemTimeZone();
        const QString name = zone.displayName(QTimeZone::StandardTime, QTimeZone::LongName);
        return LocaleText(name.isEmpty() ? QString::fromLatin1(zone.id()) : name);
    }
    default: return {};
    }
}

Integer TUCLSysInfo::GetIntegerInfo(int Index) const
{
    QScreen* screen = Screen();
    switch (Index) {
    case 0: return ReleaseNumber(2) & 0xFFFF;
    case 9: return -QTimeZone::systemTimeZone().standardTimeOffset(QDateTime::currentDateTime()) / 60;
    case 10: return screen ? screen->geometry().width() : 0;
    case 11: return screen ? screen->geometry().height() : 0;
    case 12: return screen ? static_cast<Integer>(std::lround(screen->logicalDotsPerInch())) : 0;
    default: return 0;   // 7 ScreenSaverDelay, 8 DefaultLanguageID: no counterpart
    }
}

Int64 TUCLSysInfo::GetMemoryInfo(int Index) const
{
    const TMemoryStatus m = ReadMemoryStatus();
    const Int64 bytes[] = {0, m.PhysTotal, m.PhysFree, m.VirtTotal, m.VirtFree, m.PageTotal, m.PageFree, 0};
    return Index >= 1 && Index <= 7 ? bytes[Index] / 1024 : 0;
}

bool TUCLSysInfo::GetBooleanInfo(int Index) const
{
    switch (Index) {
    case 0: return LockLedOn("numlock");
    case 1: return LockLedOn("capslock");
    case 2: return LockLedOn("scrolllock");
    case 3: return QApplication::isEffectEnabled(Qt::UI_General);
    case 4: return true;
    case 5: return false;
    case 6: return !(QGuiApplication::font().styleStrategy() & QFont::NoAntialias);
    case 7: return true;
    case 8: return false;
    case 9: return true;
    default: return false;
    }
}

Byte TUCLSysInfo::ProcessorNumber() const
{
    return static_cast<Byte>(sysconf(_SC_NPROCESSORS_CONF));
}

Byte TUCLSysInfo::ColorDepth() const
{
    QScreen* screen = Screen();
    return static_cast<Byte>(screen ? screen->depth() : 0);
}

Integer TUCLSysInfo::KeyboardDelay() const
{
    return 1;
}

Integer TUCLSysInfo::KeyboardSpeed() const
{
    const double rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    return std::clamp(static_cast<Integer>(std::lround((rate - 2.5) * 31 / 27.5)), 0, 31);
}

AnsiString TUCLSysInfo::GetLocaleInfo(int Index) const
{
    const QLocale locale;
    switch (Index) {
    default:
    case 0: return "1";
    case 1: return std::to_string(CurrencyDigits(locale));
    case 2: return FormatIndex(AmountPattern(locale.toCurrencyString(1.1), locale), {"$1.1", "1.1$", "$ 1.1", "1.1 $"}, 0);
    case 3: return "2";
    case 4: return std::to_string(static_cast<int>(locale.firstDayOfWeek()) - 1);
    case 5: return locale.firstDayOfWeek() == Qt::Monday ? "2" : "0";
    case 6: return "1";
    case 7: return locale.measurementSystem() == QLocale::MetricSystem ? "0" : "1";
    case 8:
        return FormatIndex(AmountPattern(locale.toCurrencyString(-1.1), locale),
                           {"($1.1)", "-$1.1", "$-1.1", "$1.1-", "(1.1$)", "-1.1$", "1.1-$", "1.1$-", "-1.1 $", "-$ 1.1",
                            "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)"},
                           1);
    case 9:
        return FormatIndex(AmountPattern(locale.toString(-1.1), locale), {"(1.1)", "-1.1", "- 1.1", "1.1-", "1.1 -"}, 1);
    case 10: return HasAmPm(locale.timeFormat(QLocale::ShortFormat)) ? "0" : "1";
    case 11: return LocaleText(locale.amText());
    case 12: return LocaleText(locale.pmText());
    case 13: return LocaleText(locale.currencySymbol());
    case 14: return FormatSeparator(locale.dateFormat(QLocale::ShortFormat));
    case 15:
    case 19: return LocaleText(locale.decimalPoint());
    case 16:
    case 20: return "3;0";
    case 17: return locale.decimalPoint() == "," ? ";" : ",";
    case 18: return LocaleText(locale.dateFormat(QLocale::LongFormat));
    case 21:
    case 25: return LocaleText(locale.groupSeparator());
    case 22: return LocaleText(locale.negativeSign());
    case 23: return LocaleText(locale.positiveSign());
    case 24: return LocaleText(locale.dateFormat(QLocale::ShortFormat));
    case 26: return FormatSeparator(locale.timeFormat(QLocale::ShortFormat));
    case 27: return LocaleText(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    }
}
