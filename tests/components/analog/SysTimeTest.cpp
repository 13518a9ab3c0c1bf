// The clock blocks on the fake clock in fixed locales: the time and date
// outputs and texts, and the frequency counter's one-second windows on slow
// and fast clocks.
#include "AnalogClock.h"

#include "components/analog/BT_SysTime.h"
#include "engine/Language.h"

#include "platform/AnsiText.h"

#include <QLocale>

#include <cstring>
#include <vector>

namespace {

class SysTimeTest : public AnalogClockTest {
protected:
    void SetUp() override
    {
        AnalogClockTest::SetUp();
        clock.SetNow(QDateTimeToDateTime(QDateTime(QDate(2024, 12, 8), QTime(14, 5, 33, 250))));
    }
    void TearDown() override
    {
        QLocale::setDefault(saved);
        AnalogClockTest::TearDown();
    }
    const QLocale saved;
};

TEST_F(SysTimeTest, TimeAndDateOutputsInTheLocalesFormats)
{
    const struct {
        QLocale Locale;
        const char* Time;
        const char* Date;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "14:05:33", "08.12.2024"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "2:05:33 PM", "12/8/2024"},
        {QLocale(QLocale::French, QLocale::France), "14:05:33", "08/12/2024"},
    };
    for (const auto& c : cases) {
        QLocale::setDefault(c.Locale);
        auto time = Make<TBTSysTime>("TBTSysTime");
        auto date = Make<TBTSysDate>("TBTSysDate");
        time->Calculate();
        date->Calculate();
        const AnsiString expectedTime = c.Time;
        EXPECT_EQ(time->Outputs[4].Text, expectedTime) << c.Date;
        EXPECT_EQ(date->Outputs[4].Text, c.Date);
        EXPECT_EQ(LongTimeText(Now()), expectedTime);
        EXPECT_EQ(ShortDateText(Now()), c.Date);
        const AnsiString hint = date->GetHintText();
        EXPECT_EQ(hint.substr(hint.size() - std::strlen(c.Date) - 1), "\r" + AnsiString(c.Date));
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto time = Make<TBTSysTime>("TBTSysTime");
    time->Calculate();
    EXPECT_EQ(time->Outputs[3].Value, 14.0L);
    EXPECT_EQ(time->Outputs[2].Value, 5.0L);
    EXPECT_EQ(time->Outputs[1].Value, 33.0L);
    EXPECT_EQ(time->Outputs[0].Value, 250.0L);
    EXPECT_EQ(time->Outputs[4].Name, "$");
    EXPECT_TRUE(time->Outputs[4].IsTextPin());
    auto date = Make<TBTSysDate>("TBTSysDate");
    date->Calculate();
    EXPECT_EQ(date->Outputs[0].Value, 1.0L);   // a Sunday
    EXPECT_EQ(date->Outputs[1].Value, 8.0L);
    EXPECT_EQ(date->Outputs[2].Value, 12.0L);
    EXPECT_EQ(date->Outputs[3].Value, 2024.0L);
    clock.AdvanceMs(6 * 86'400'000LL);   // Saturday
    date->Calculate();
    EXPECT_EQ(date->Outputs[0].Value, 7.0L);
}

// A block with four outputs has no text output to write.
TEST_F(SysTimeTest, FourOutputsWithoutText)
{
    auto time = Make<TBTSysTime>("TBTSysTime");
    time->SetOutputCount(4);
    time->Calculate();
    EXPECT_EQ(time->Outputs[3].Name, "H");
    auto date = Make<TBTSysDate>("TBTSysDate");
    date->SetOutputCount(4);
    date->Calculate();
    EXPECT_EQ(date->Outputs[3].Value, 2024.0L);
}

class FreqCountTest : public AnalogClockTest {
protected:
    // Steps of the given length with a square wave of that period; the
    // output after each step.
    std::vector<Extended> Run(TBTFreqCount& counter, Int64 period, Int64 step, Int64 duration)
    {
        std::vector<Extended> outputs;
        for (Int64 t = step; t <= duration; t += step) {
            elapsed += step;
            const bool high = period > 0 && (elapsed % period) < period / 2;
            Step(counter, {high ? 5.0L : 0.0L}, step);
            outputs.push_back(Out(counter));
        }
        return outputs;
    }
    Int64 elapsed = 0;
};

TEST_F(FreqCountTest, SlowClockShowsTheSmoothedReciprocalOncePerSecond)
{
    auto counter = Make<TBTFreqCount>("TBTFreqCount");
    counter->ResetForStart();
    const std::vector<Extended> first = Run(*counter, 100 * Ms, Ms, 999 * Ms);
    for (const Extended f : first)
        EXPECT_EQ(f, 0.0L);   // nothing before the first second
    Run(*counter, 100 * Ms, Ms, 1 * Ms);
    EXPECT_NEAR(Out(*counter), 10.0, 0.01);
    Run(*counter, 100 * Ms, Ms, 2000 * Ms);
    EXPECT_NEAR(Out(*counter), 10.0, 1e-6);
    // Stopped below 100 Hz: the last value stays.
    Run(*counter, 0, Ms, 3000 * Ms);
    EXPECT_NEAR(Out(*counter), 10.0, 1e-6);
}

TEST_F(FreqCountTest, FastClockShowsTheEdgesOfTheLastSecond)
{
    auto counter = Make<TBTFreqCount>("TBTFreqCount");
    counter->ResetForStart();
    const Int64 quarter = Ms / 4;
    Run(*counter, Ms, quarter, 1000 * Ms);
    Run(*counter, Ms, quarter, 1000 * Ms);
    EXPECT_NEAR(Out(*counter), 1000.0, 1.0);
    // Stopped above 100 Hz: no edges in the next second give 0.
    Run(*counter, 0, quarter, 1000 * Ms);
    EXPECT_EQ(Out(*counter), 0.0L);
}

// Steps longer than half the clock's period miss edges: the counter reads low.
TEST_F(FreqCountTest, AClockFasterThanHalfTheStepRateReadsLow)
{
    auto counter = Make<TBTFreqCount>("TBTFreqCount");
    counter->ResetForStart();
    Run(*counter, Ms, 3 * Ms / 4, 3000 * Ms);
    EXPECT_LT(Out(*counter), 1000.0L);
}

TEST_F(FreqCountTest, IdentityAndPins)
{
    LanguageIndex = 1;
    auto counter = Make<TBTFreqCount>("TBTFreqCount");
    EXPECT_EQ(counter->GetTypeName(), "Frequency\rcounter");
    EXPECT_EQ(counter->Designator, "FC");
    EXPECT_EQ(counter->HelpContext, 18510);
    EXPECT_EQ(counter->Inputs[0].Name, "CLK");
    EXPECT_EQ(Make<TBTSysTime>("TBTSysTime")->HelpContext, 18220);
    EXPECT_EQ(Make<TBTSysDate>("TBTSysDate")->Outputs[0].Name, "DOW");
}

} // namespace
