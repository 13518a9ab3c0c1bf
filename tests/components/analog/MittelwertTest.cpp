// The mean value on the 50 ms tick: the ring filling and then running over
// the last N samples, the interval table as six-byte reals, the record with
// clamped values from a damaged file, and the sheet that restarts averaging.
#include "AnalogClock.h"

#include "components/analog/BT_Mittelwert.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "engine/Language.h"
#include "platform/Stream.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <vector>

namespace {

class MeanTest : public AnalogClockTest {
protected:
    // Ticks until the next sample, with E at that value.
    void Sample(TBTMittelwert& block, Extended e)
    {
        feed.Feed(block, {e});
        const Integer before = block.Count;
        for (Integer i = 0; i < 40'000 && block.Count == before; ++i)
            block.TimerTick();
    }
    static std::unique_ptr<TBTMittelwert> Read(const std::vector<Byte>& bytes)
    {
        auto block = Make<TBTMittelwert>("TBTMittelwert");
        TMemoryStream stream(bytes);
        TReader reader(stream);
        block->ReadData(stream, reader, 46);
        return block;
    }
};

TEST_F(MeanTest, TheRingFillsThenRunsOverTheLastNSamples)
{
    auto mean = Make<TBTMittelwert>("TBTMittelwert");
    mean->SampleCount = 3;
    mean->IntervalIndex = 3;
    mean->SetInterval(ExtendedToReal48(1.0L));
    feed.Feed(*mean, {7.0L});
    mean->ResetForStart();
    EXPECT_EQ(mean->Outputs[0].Value, 7.0L);   // the input at the reset
    // The first sample comes with the first tick after the reset.
    feed.Feed(*mean, {1.0L});
    mean->TimerTick();
    EXPECT_EQ(mean->Outputs[0].Value, 1.0L);
    // Then every 20 ticks; the output moves only when a sample is taken.
    const Extended inputs[] = {2.0L, 3.0L, 4.0L, 10.0L};
    const Extended means[] = {1.5L, 2.0L, 3.0L, (3.0L + 4.0L + 10.0L) / 3.0L};
    for (std::size_t k = 0; k < std::size(inputs); ++k) {
        feed.Feed(*mean, {inputs[k]});
        for (Integer t = 0; t < 19; ++t)
            mean->TimerTick();
        EXPECT_EQ(mean->Outputs[0].Value, k == 0 ? 1.0L : means[k - 1]);
        mean->TimerTick();
        EXPECT_EQ(mean->Outputs[0].Value, means[k]) << k;
    }
}

TEST_F(MeanTest, AConstantInputStaysItsMean)
{
    auto mean = Make<TBTMittelwert>("TBTMittelwert");
    feed.Feed(*mean, {4.0L});
    mean->ResetForStart();
    EXPECT_EQ(mean->Outputs[0].Value, 4.0L);
    for (Integer i = 0; i < 50; ++i) {
        mean->TimerTick();
        EXPECT_EQ(mean->Outputs[0].Value, 4.0L);
    }
}

// Each row: its caption, the six bytes the file holds and the ticks per sample.
TEST_F(MeanTest, TheIntervalTableAsSixByteReals)
{
    const struct {
        const char* Caption;
        TReal48 Bytes;
        Integer Ticks;
    } rows[] = {
        {"0.1 s", {0x7d, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c}, 2}, {"0.2 s", {0x7e, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c}, 4},
        {"0.5 s", {0x80, 0, 0, 0, 0, 0}, 10},                {"1 s", {0x81, 0, 0, 0, 0, 0}, 20},
        {"2 s", {0x82, 0, 0, 0, 0, 0}, 40},                  {"5 s", {0x83, 0, 0, 0, 0, 0x20}, 100},
        {"10 s", {0x84, 0, 0, 0, 0, 0x20}, 200},             {"30 s", {0x85, 0, 0, 0, 0, 0x70}, 600},
        {"1 min", {0x86, 0, 0, 0, 0, 0x70}, 1200},           {"2 min", {0x87, 0, 0, 0, 0, 0x70}, 2400},
        {"5 min", {0x89, 0, 0, 0, 0, 0x16}, 6000},           {"10 min", {0x8a, 0, 0, 0, 0, 0x16}, 12000},
        {"20 min", {0x8b, 0, 0, 0, 0, 0x16}, 24000},         {"30 min", {0x8b, 0, 0, 0, 0, 0x61}, 36000},
    };
    for (Integer i = 0; i < MeanIntervalCount; ++i) {
        const auto& row = rows[i];
        EXPECT_STREQ(MeanIntervalTable[static_cast<std::size_t>(i)].Caption, row.Caption);
        EXPECT_EQ(ExtendedToReal48(MeanIntervalTable[static_cast<std::size_t>(i)].Seconds), row.Bytes) << i;
        auto mean = Make<TBTMittelwert>("TBTMittelwert");
        mean->IntervalIndex = i;
        mean->SetInterval(row.Bytes);
        const auto read = Read(Record(*mean));
        EXPECT_EQ(read->IntervalIndex, i);
        EXPECT_EQ(read->Interval, row.Bytes);
        EXPECT_EQ(read->TicksPerSample, row.Ticks) << row.Caption;
        EXPECT_EQ(read->TickCount, row.Ticks - 1);
    }
}

TEST_F(MeanTest, ThirtyMinutesSampleFirstAtTheFirstTickThenEvery36000)
{
    auto mean = Make<TBTMittelwert>("TBTMittelwert");
    mean->SetInterval(ExtendedToReal48(1800.0L));
    feed.Feed(*mean, {2.0L});
    mean->ResetForStart();
    mean->TimerTick();
    EXPECT_EQ(mean->Count, 1);
    for (Integer i = 0; i < 35'999; ++i)
        mean->TimerTick();
    EXPECT_EQ(mean->Count, 1);
    mean->TimerTick();
    EXPECT_EQ(mean->Count, 0);   // N = 2: the ring is full and starts over
    EXPECT_FALSE(mean->Filling);
}

// The record: six raw bytes, two raw index bytes, the count. Values a
// damaged file brings are clamped so the ring is never indexed outside.
TEST_F(MeanTest, TheRecordAndDamagedValues)
{
    auto mean = Make<TBTMittelwert>("TBTMittelwert");
    mean->SampleCount = 1000;
    const std::vector<Byte> base = BaseRecord(*mean);
    std::vector<Byte> bytes = Record(*mean);
    EXPECT_EQ(std::vector<Byte>(bytes.begin() + static_cast<std::ptrdiff_t>(base.size()), bytes.end()),
              (std::vector<Byte>{0x7d, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c, 0, 0, 0x03, 0xe8, 0x03}));
    const struct {
        std::vector<Byte> Tail;
        Integer Index, Ticks, Count;
    } cases[] = {
        {{0x81, 0, 0, 0, 0, 0, 13, 0, 0x04, 0x40, 0x42, 0x0f, 0x00}, 13, 20, 1000},   // a million samples
        {{0, 0, 0, 0, 0, 0, 0xff, 0xff, 0x04, 0xff, 0xff, 0xff, 0xff}, 13, 1, 2},     // zero seconds, count -1
        {{0xff, 0, 0, 0, 0, 0x7f, 2, 0, 0x02, 5}, 2, 36000, 5},                       // 2^126 seconds
        {{0x81, 0, 0, 0, 0, 0x80, 2, 0, 0x02, 5}, 2, 1, 5},                           // minus one second
    };
    for (const auto& c : cases) {
        std::vector<Byte> record = base;
        record.insert(record.end(), c.Tail.begin(), c.Tail.end());
        const auto read = Read(record);
        EXPECT_EQ(read->IntervalIndex, c.Index);
        EXPECT_EQ(read->TicksPerSample, c.Ticks);
        EXPECT_EQ(read->SampleCount, c.Count);
        read->ResetForStart();
        for (Integer i = 0; i < 3 * c.Ticks * c.Count; ++i)
            read->TimerTick();
        EXPECT_TRUE(std::isfinite(static_cast<double>(read->Outputs[0].Value)));
    }
    // A short record is a read error, not a half-read block.
    std::vector<Byte> shortRecord = base;
    shortRecord.insert(shortRecord.end(), {0x81, 0, 0});
    EXPECT_ANY_THROW(Read(shortRecord));
}

TEST_F(MeanTest, TheSheetRestartsTheAveraging)
{
    auto mean = Make<TBTMittelwert>("TBTMittelwert");
    feed.Feed(*mean, {1.0L});
    mean->ResetForStart();
    for (Integer i = 0; i < 5; ++i)
        mean->TimerTick();
    feed.Feed(*mean, {6.0L});
    QStringList captions;
    TFormHook hook({[&](TModalForm& form) {
                        auto& dlg = static_cast<TDefault_Dlg&>(form);
                        EXPECT_EQ(dlg.HelpContext(), 18435);
                        for (const auto& row : dlg.Props->Rows)
                            captions.push_back(row->Editor->NameLabel->text());
                        auto& combo = *dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Combo;
                        EXPECT_EQ(combo.count(), MeanIntervalCount);
                        combo.setCurrentIndex(13);
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    },
                    [&](TModalForm& form) {
                        auto& dlg = static_cast<TDefault_Dlg&>(form);
                        dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Combo->setCurrentIndex(0);
                        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
                    }});
    LanguageIndex = 1;
    EXPECT_EQ(mean->EditProperties(), 1);
    EXPECT_EQ(captions.mid(0, 2), (QStringList{"Sample rate", "Number of samples for mean value"}));
    EXPECT_EQ(mean->IntervalIndex, 13);
    EXPECT_EQ(mean->TicksPerSample, 36000);
    EXPECT_EQ(mean->Count, 0);
    EXPECT_EQ(mean->Outputs[0].Value, 6.0L);
    // Cancel keeps the row but restarts all the same.
    feed.Feed(*mean, {8.0L});
    EXPECT_EQ(mean->EditProperties(), 2);
    EXPECT_EQ(mean->IntervalIndex, 13);
    EXPECT_EQ(mean->Outputs[0].Value, 8.0L);
}

TEST_F(MeanTest, DesignatorByLanguage)
{
    const char* expected[] = {"MW", "MV", "VM"};
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        EXPECT_EQ(Make<TBTMittelwert>("TBTMittelwert")->Designator, expected[language]);
    }
    EXPECT_TRUE(Make<TBTMittelwert>("TBTMittelwert")->NeedsTimerTick);
}

} // namespace
