// System information: the locale items in the system's own formats, the
// temporary folder, memory in kilobytes, and the items read from the system.
#include "ui/controls/UCLSysInfo.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace {

// Sets the default locale for one test and restores it afterwards.
struct LocaleScope {
    QLocale saved;
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }
};

struct EnvScope {
    QByteArray name, saved;
    bool had;
    EnvScope(const char* n, const QByteArray& value) : name(n), saved(qgetenv(n)), had(qEnvironmentVariableIsSet(n))
    {
        qputenv(n, value);
    }
    ~EnvScope() { had ? qputenv(name, saved) : qunsetenv(name); }
};

}   // namespace

TEST(SysInfo, LocaleItemsFollowTheCurrentLocale)
{
    struct Case {
        QLocale::Language language;
        QLocale::Territory territory;
        int index;
        AnsiString expected;
    };
    const auto de = QLocale::German, en = QLocale::English;
    const auto DE = QLocale::Germany, US = QLocale::UnitedStates;
    const Case cases[] = {
        {de, DE, 15, ","},  {en, US, 15, "."},            // decimal separator
        {de, DE, 25, "."},  {en, US, 25, ","},            // thousand separator
        {de, DE, 14, "."},  {en, US, 14, "/"},            // date separator
        {de, DE, 26, ":"},  {en, US, 26, ":"},            // time separator
        {de, DE, 17, ";"},  {en, US, 17, ","},            // list separator
        {de, DE, 4, "0"},   {en, US, 4, "6"},             // first day: Monday / Sunday
        {de, DE, 5, "2"},   {en, US, 5, "0"},             // first week of the year
        {de, DE, 7, "0"},   {en, US, 7, "1"},             // metric / U.S. measures
        {de, DE, 10, "1"},  {en, US, 10, "0"},            // 24-hour / 12-hour clock
        {de, DE, 2, "3"},   {en, US, 2, "0"},             // "1,10 €" / "$1.10"
        {de, DE, 8, "8"},   {en, US, 8, "0"},             // "-1,10 €" / "($1.10)"
        {de, DE, 9, "1"},   {en, US, 9, "1"},             // "-1.1"
        {de, DE, 1, "2"},   {en, US, 1, "2"},             // currency digits
        {de, DE, 13, "\x80"}, {en, US, 13, "$"},          // currency symbol (CP1252 euro)
        {de, DE, 27, "HH:mm:ss"},
        {de, DE, 22, "-"},
        {de, DE, 99, "1"},                                 // outside the table: item 0
    };
    for (const Case& c : cases) {
        LocaleScope scope(QLocale(c.language, c.territory));
        EXPECT_EQ(TUCLSysInfo().GetLocaleInfo(c.index), c.expected)
            << QLocale().name().toStdString() << " item " << c.index;
    }
    LocaleScope german(QLocale(de, DE));
    EXPECT_EQ(TUCLSysInfo().LocaleDecimalSeparator(), ",");
}

TEST(SysInfo, TempPathEndsWithASeparator)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EnvScope tmp("TMPDIR", dir.path().toLocal8Bit());
    EXPECT_EQ(TUCLSysInfo().TempPath(), dir.path().toStdString() + "/");
}

TEST(SysInfo, MemoryInKilobytes)
{
    TUCLSysInfo info;
    struct sysinfo kernel {};
    ASSERT_EQ(sysinfo(&kernel), 0);
    EXPECT_EQ(info.MemPhysTotal(), static_cast<Int64>(kernel.totalram) * kernel.mem_unit / 1024);
    EXPECT_GT(info.MemPhysFree(), 0);
    EXPECT_LE(info.MemPhysFree(), info.MemPhysTotal());
    EXPECT_EQ(info.MemPageTotal(), info.MemPhysTotal() + static_cast<Int64>(kernel.totalswap) * kernel.mem_unit / 1024);
    // Each figure is read at its own moment: other processes move the free
    // memory between two reads, so free figures are not compared with each other.
    EXPECT_GT(info.MemPageFree(), 0);
    EXPECT_LE(info.MemPageFree(), info.MemPageTotal());
    EXPECT_GT(info.MemVirtFree(), 0);
    EXPECT_LT(info.MemVirtFree(), info.MemVirtTotal());
    EXPECT_EQ(info.MemVirtExtended(), 0);
    EXPECT_EQ(info.GetMemoryInfo(0), 0);

    const QString load = QString::fromStdString(info.MemoryLoaded());
    const auto match = QRegularExpression("^(\\d{1,3}) %$").match(load);
    ASSERT_TRUE(match.hasMatch()) << load.toStdString();
    EXPECT_LE(match.captured(1).toInt(), 100);
}

TEST(SysInfo, SystemItemsAndFixedAnswers)
{
    TUCLSysInfo info;
    EXPECT_EQ(info.CurrentUser(), getpwuid(geteuid())->pw_name);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(info.Computername(), host);
    EXPECT_EQ(info.Platform(), "Linux");
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+$").match(QString::fromStdString(info.VersionWIN())).hasMatch());
    EXPECT_FALSE(info.ProcessorType().empty());
    EXPECT_FALSE(info.DefaultLanguageString().empty());
    EXPECT_GT(info.ProcessorNumber(), 0);
    EXPECT_GT(info.ScreenWidth(), 0);
    EXPECT_GT(info.ScreenPPi(), 0);
    EXPECT_GT(info.ColorDepth(), 0);
    EXPECT_GE(info.KeyboardSpeed(), 0);
    EXPECT_LE(info.KeyboardSpeed(), 31);

    EXPECT_EQ(info.RegisteredOwner(), "(Unbekannt)");
    EXPECT_EQ(info.FreeGdiRes(), "0 %");
    EXPECT_EQ(info.WinPath(), "/");
    EXPECT_TRUE(info.PlusAvailable());
    EXPECT_EQ(info.GetStringInfo(16), "");
    EXPECT_EQ(info.GetIntegerInfo(5), 0);
    EXPECT_FALSE(info.GetBooleanInfo(10));
}

#if defined(__x86_64__) || defined(__i386__)
TEST(SysInfo, ProcessorFromCpuid)
{
    TUCLSysInfo info;
    const TUCLCPUInfoObject& cpu = info.ProcessorInfo();
    EXPECT_TRUE(cpu.ExistCPUInfo());
    EXPECT_EQ(cpu.IDString().size(), 12u);
    EXPECT_GT(cpu.Family(), 0);
    EXPECT_TRUE(cpu.GetFlag(0));   // every x86-64 processor has an FPU
    EXPECT_FALSE(cpu.CPUName().empty());
    EXPECT_FALSE(cpu.GetFlag(17));
}
#endif
