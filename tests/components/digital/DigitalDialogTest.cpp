// The settings of the fixed clock, the monoflops, the switch delay and the
// step delay on the shared property sheet: their rows, values applied on OK
// and kept on Cancel, the options section, and the hints.
#include "DialogRun.h"
#include "DigitalRig.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using DigitalDialogTest = DigitalTest;

const std::vector<QString> Options = {QStringLiteral("Optionen"), QStringLiteral("Name"),
                                      QStringLiteral("Zur Laufzeit einstellbar")};

std::vector<QString> WithOptions(std::vector<QString> rows)
{
    rows.insert(rows.end(), Options.begin(), Options.end());
    return rows;
}

TEST_F(DigitalDialogTest, TheFixedClocksFrequency)
{
    TTestBoard t;
    auto* clock = static_cast<TBTHiTakt*>(t.Place("TBTHiTakt", 100, 100));
    clock->SetCaption("Takt A");
    TDialogRun run(*clock, true, [](TPropScrollbox& props) {
        Row<TSpinPropEditor>(props, 0).Spin->SetValue(50);
        Row<TEditPropEditor>(props, 2).Edit->setText("Takt B");
        Row<TCheckPropEditor>(props, 3).Check->setChecked(true);
    });
    EXPECT_EQ(run.Result, 1);
    EXPECT_EQ(run.Caption, "Takt A");
    EXPECT_EQ(run.HelpContext, 18275);
    EXPECT_EQ(run.Rows, WithOptions({QStringLiteral("Frequenz [Hz]")}));
    EXPECT_EQ(clock->Frequency, 50);
    EXPECT_EQ(clock->Caption, "Takt B");
    EXPECT_TRUE(clock->RuntimeAdjustable);
    EXPECT_EQ(clock->GetHintText(), AnsiString("G 1\rTakt B\rTaktgenerator\r1Hz...1kHz\rf = 50 Hz"));

    TDialogRun cancelled(*clock, false, [](TPropScrollbox& props) {
        Row<TSpinPropEditor>(props, 0).Spin->SetValue(7);
        Row<TEditPropEditor>(props, 2).Edit->setText("Takt C");
    });
    EXPECT_EQ(cancelled.Result, 2);
    EXPECT_EQ(clock->Frequency, 50);
    EXPECT_EQ(clock->Caption, "Takt B");
}

TEST_F(DigitalDialogTest, TheMonoFlopsDurationAndRetrigger)
{
    TTestBoard t;
    auto* mono = static_cast<TBTMonoFlop*>(t.Place("TBTMonoFlop", 100, 100));
    TDialogRun run(*mono, true, [](TPropScrollbox& props) {
        EXPECT_EQ(Row<TEditPropEditor>(props, 0).Edit->text(), QStringLiteral("1"));
        Row<TEditPropEditor>(props, 0).Edit->setText("2,5");
        EXPECT_TRUE(Row<TCheckPropEditor>(props, 1).Check->isChecked());
        Row<TCheckPropEditor>(props, 1).Check->setChecked(false);
    });
    EXPECT_EQ(run.HelpContext, 18280);
    EXPECT_EQ(run.Rows, WithOptions({QStringLiteral("Dauer [s]"), QStringLiteral("Retrigger")}));
    EXPECT_EQ(mono->Duration, 2.5L);
    EXPECT_FALSE(mono->Retrigger);
    EXPECT_EQ(mono->GetHintText(), AnsiString("MF 1\rMonoFlop\r2.5 s"));

    auto* dyn = static_cast<TBTMonoFlopDyn*>(t.Place("TBTMonoFlopDyn", 500, 100));
    TDialogRun dynRun(*dyn, true, [](TPropScrollbox& props) { Row<TCheckPropEditor>(props, 0).Check->setChecked(false); });
    EXPECT_EQ(dynRun.HelpContext, 18281);
    EXPECT_EQ(dynRun.Rows, WithOptions({QStringLiteral("Retrigger")}));
    EXPECT_FALSE(dyn->Retrigger);
}

TEST_F(DigitalDialogTest, TheDelaysInTheirLanguages)
{
    struct TCase {
        Integer Language;
        std::vector<QString> DelayRows;
        QString StepsRow;
    };
    for (const TCase& c : {
             TCase{0, {QString::fromUtf8("Einschaltverzögerung [x 50ms]"), QString::fromUtf8("Ausschaltverzögerung [x 50ms]")},
                   QStringLiteral("Systemtakte")},
             TCase{1, {QStringLiteral("On delay [x 50ms]"), QStringLiteral("Off delay [x 50ms]")},
                   QStringLiteral("System cycles")},
             TCase{2, {QString::fromUtf8("Retard à l´enclenchement [x 50ms]"), QString::fromUtf8("Retard au déclenchement [x 50ms]")},
                   QString::fromUtf8("Cycles système")},
         }) {
        SCOPED_TRACE(c.Language);
        LanguageIndex = c.Language;
        TTestBoard t;
        auto* delay = static_cast<TBTOnOffDelay*>(t.Place("TBTOnOffDelay", 100, 100));
        TDialogRun run(*delay, true, [](TPropScrollbox& props) {
            Row<TSpinPropEditor>(props, 0).Spin->SetValue(20);
            Row<TSpinPropEditor>(props, 1).Spin->SetValue(99999);
        });
        EXPECT_EQ(run.HelpContext, 18295);
        ASSERT_GE(run.Rows.size(), 2u);
        EXPECT_EQ(std::vector<QString>(run.Rows.begin(), run.Rows.begin() + 2), c.DelayRows);
        EXPECT_EQ(delay->OnDelay, 20);
        EXPECT_EQ(delay->OffDelay, 9999);

        auto* steps = static_cast<TBTVerzoegerung*>(t.Place("TBTVerzoegerung", 500, 100));
        TDialogRun stepsRun(*steps, true, [](TPropScrollbox& props) { Row<TSpinPropEditor>(props, 0).Spin->SetValue(150); });
        EXPECT_EQ(stepsRun.HelpContext, 18535);
        ASSERT_GE(stepsRun.Rows.size(), 1u);
        EXPECT_EQ(stepsRun.Rows[0], c.StepsRow);
        EXPECT_EQ(steps->Steps, 100);
        EXPECT_EQ(steps->GetHintText().substr(steps->GetHintText().rfind('\r')), "\r= 100");
    }
}

// While the simulation runs there is no options section.
TEST_F(DigitalDialogTest, NoOptionsWhileRunning)
{
    TTestBoard t;
    auto* steps = static_cast<TBTVerzoegerung*>(t.Place("TBTVerzoegerung", 100, 100));
    SimulationRunning = true;
    TDialogRun run(*steps, true);
    EXPECT_EQ(run.Rows, std::vector<QString>{QStringLiteral("Systemtakte")});
}

} // namespace
