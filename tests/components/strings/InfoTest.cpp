// The system-information component: its items and their text forms, the
// processor load from canned statistics samples refreshed once a second by
// the fake clock, and the sampler's failures.
#include "StringRig.h"

#include "engine/Publics.h"
#include "platform/Clock.h"
#include "platform/CpuUsage.h"
#include "ui/controls/UCLSysInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TextInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterAllComponents();
        statFile_ = dir_.path().toStdString() + "/stat";
        SetCpuStatFile(statFile_);
    }
    void TearDown() override
    {
        SetCpuStatFile("");
        ResetGlobals();
    }
    // Two processors: (busy, idle) times of each; an aggregate line and the
    // other lines of the file are ignored.
    void WriteSample(unsigned long long busy0, unsigned long long idle0, unsigned long long busy1,
                     unsigned long long idle1)
    {
        QFile file(QString::fromStdString(statFile_));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const std::string text = "cpu  1 2 3 4 5 6 7 8 9 10\n"
                                 "cpu0 " + std::to_string(busy0) + " 0 0 " + std::to_string(idle0) + " 0 0 0 0 0 0\n"
                                 "cpu1 " + std::to_string(busy1) + " 0 0 " + std::to_string(idle1) + " 0 0 0 0 0 0\n"
                                 "intr 12345 1 2 3\nctxt 99\n";
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    TBTStrInfo* Place(Integer item)
    {
        const Integer y = 100 + 400 * static_cast<Integer>(t.Board().Objects.size());
        auto* info = PlaceAs<TBTStrInfo>(t, "TBTStrInfo", 1000, y);
        info->ItemIndex = item;
        return info;
    }
    static AnsiString Percent(const char* text) { return LocaliseDecimalSeparator(text); }

    QTemporaryDir dir_;
    AnsiString statFile_;
    TTestBoard t;
    TFakeClock clock{0, 46000.5};   // noon
    TScopedClock scoped{clock};
};

TEST_F(TextInfo, ANewComponentShowsTheBuildNumber)
{
    TBTStrInfo* info = Place(0);
    EXPECT_EQ(info->Items.size(), 80u);
    EXPECT_EQ(info->Items[72], "CPU - TotalUsage");
    EXPECT_EQ(info->Outputs[0].Name, "$N");
    EXPECT_EQ(info->Outputs[1].Name, "$I");
    t.CalculateAll();
    EXPECT_EQ(info->Outputs[0].Text, "SYS - BuildNumber");
    EXPECT_EQ(info->Outputs[1].Text, std::to_string(info->SysInfo->BuildNumber()));
}

TEST_F(TextInfo, EveryItemGivesADefinedText)
{
    TBTStrInfo* info = Place(0);
    const std::vector<Integer> booleans{1, 6, 45, 47, 54, 57, 58, 63, 64, 70, 71};
    const std::vector<Integer> numbers{0, 2, 7, 8, 38, 39, 40, 41, 42, 43, 44, 48, 52, 53, 55, 56, 61, 68, 69};
    for (Integer item = 0; item < TBTStrInfo::ItemCount; ++item) {
        SCOPED_TRACE(info->Items[static_cast<std::size_t>(item)]);
        info->ItemIndex = item;
        t.CalculateAll();
        EXPECT_EQ(info->Outputs[0].Text, info->Items[static_cast<std::size_t>(item)]);
        const AnsiString value = info->Outputs[1].Text;
        if (std::find(booleans.begin(), booleans.end(), item) != booleans.end()) {
            EXPECT_TRUE(value == "True" || value == "False") << value;
        }
        if (std::find(numbers.begin(), numbers.end(), item) != numbers.end()) {
            ASSERT_FALSE(value.empty());
            EXPECT_EQ(value.find_first_not_of("-0123456789"), AnsiString::npos) << value;
        }
    }
    EXPECT_EQ(info->ItemValue(69), "1");   // the first page, also without a panel window
    EXPECT_EQ(info->ItemValue(70), "False");
    RunOnlyMode = true;
    EXPECT_EQ(info->ItemValue(70), "True");
    MeasuredStepRate = 1234.4;
    EXPECT_EQ(info->ItemValue(68), "1234");
}

TEST_F(TextInfo, AnItemIndexOutsideTheListGivesEmptyTexts)
{
    for (Integer item : {-1, 80, 1000}) {
        TBTStrInfo* info = Place(item);
        info->Outputs[0].SetText("old");
        t.CalculateAll();
        EXPECT_EQ(info->Outputs[0].Text, "");
        EXPECT_EQ(info->Outputs[1].Text, "");
    }
}

TEST_F(TextInfo, ProcessorLoadFromTwoSamplesOncePerSecond)
{
    WriteSample(100, 900, 0, 1000);
    TBTStrInfo* total = Place(72);
    TBTStrInfo* cpu0 = Place(73);
    TBTStrInfo* cpu1 = Place(74);
    TBTStrInfo* cpu5 = Place(78);
    TBTStrInfo* count = Place(79);
    t.CalculateAll();
    // The first reading has no interval: 0 %.
    EXPECT_EQ(total->Outputs[1].Text, Percent(" 0.00%"));
    EXPECT_EQ(cpu0->Outputs[1].Text, Percent(" 0.00%"));
    EXPECT_EQ(cpu5->Outputs[1].Text, "-1");
    EXPECT_EQ(count->Outputs[1].Text, "2");

    // Within the same second nothing is sampled or written again.
    WriteSample(600, 1400, 0, 2000);
    t.CalculateAll();
    EXPECT_EQ(cpu0->Outputs[1].Text, Percent(" 0.00%"));

    // Next second: cpu0 was busy half of its time, cpu1 idle. Each
    // component samples, so the later ones see no time since the earlier.
    clock.AdvanceMs(1000);
    total->Calculate();
    EXPECT_EQ(total->Outputs[1].Text, Percent("25.00%"));
    WriteSample(1600, 1400, 1000, 2000);
    cpu0->Calculate();
    cpu1->Calculate();
    EXPECT_EQ(cpu0->Outputs[1].Text, Percent("100.00%"));
    EXPECT_EQ(cpu1->Outputs[1].Text, Percent(" 0.00%"));
    EXPECT_EQ(CpuCount(), 2);
}

TEST_F(TextInfo, SamplerFailuresGiveMinusOne)
{
    SetCpuStatFile(dir_.path().toStdString() + "/missing");
    TBTStrInfo* total = Place(72);
    TBTStrInfo* cpu0 = Place(73);
    TBTStrInfo* count = Place(79);
    t.CalculateAll();
    EXPECT_EQ(total->Outputs[1].Text, "-1");
    EXPECT_EQ(cpu0->Outputs[1].Text, "-1");
    EXPECT_EQ(count->Outputs[1].Text, "-1");

    // A file without processor lines, then a good one, then it vanishes.
    SetCpuStatFile(statFile_);
    QFile file(QString::fromStdString(statFile_));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("garbage\ncpu\ncpux 1 2\n");
    file.close();
    clock.AdvanceMs(1000);
    t.CalculateAll();
    EXPECT_EQ(cpu0->Outputs[1].Text, "-1");
    WriteSample(1, 1, 1, 1);
    clock.AdvanceMs(1000);
    t.CalculateAll();
    EXPECT_EQ(cpu0->Outputs[1].Text, Percent(" 0.00%"));
    QFile::remove(QString::fromStdString(statFile_));
    clock.AdvanceMs(1000);
    t.CalculateAll();
    EXPECT_EQ(cpu0->Outputs[1].Text, "-1");
}

} // namespace
