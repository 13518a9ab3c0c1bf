// The sheets of the time blocks, the controllers and the analog delay: their
// rows in order, what OK applies, and what Cancel re-derives (the period from
// the index, the numbers from their printed texts, an emptied delay line).
#include "SheetTest.h"

#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <numbers>

namespace {

constexpr Extended TwoPi = 2.0L * std::numbers::pi_v<Extended>;

using ZeitDialog = TAnalogSheetTest;

TEST_F(ZeitDialog, TheSamplePeriodRow)
{
    auto block = Make<TBTIntegrierer>("TBTIntegrierer");
    block->SetCaption("Tank");
    QStringList items;
    EXPECT_EQ(Edit(*block, true,
                   [&](TDefault_Dlg& dlg) {
                       auto& combo = *Row<TComboPropEditor>(dlg, 0).Combo;
                       for (int i = 0; i < combo.count(); ++i)
                           items.push_back(combo.itemText(i));
                       EXPECT_EQ(combo.currentIndex(), 0);
                       combo.setCurrentIndex(4);
                   }),
              1);
    EXPECT_EQ(Caption, "Tank");
    EXPECT_EQ(HelpContext, 18485);
    EXPECT_EQ(RowCaptions.value(0), "Abtastrate");
    EXPECT_EQ(RowCaptions.value(2), "Name");
    EXPECT_EQ(RowCaptions.size(), 4);
    ASSERT_EQ(items.size(), 21);
    EXPECT_EQ(items.first(), "Max");
    EXPECT_EQ(items.value(7), "100 ms");
    EXPECT_EQ(items.last(), "30 min");
    EXPECT_EQ(block->SamplePeriod.Index(), 4);
    EXPECT_EQ(block->SamplePeriod.Stored(), (TReal48{0x7a, 0x71, 0x3d, 0x0a, 0xd7, 0x23}));

    // A period that does not match its index (as an old file brings it):
    // Cancel takes the period from the unchanged index.
    block->SamplePeriod.SetStored(SamplePeriodBytes(0));
    EXPECT_EQ(block->SamplePeriod.Seconds(), -1.0L);
    Edit(*block, false, [](TDefault_Dlg& dlg) { Row<TComboPropEditor>(dlg, 0).Combo->setCurrentIndex(9); });
    EXPECT_EQ(block->SamplePeriod.Index(), 4);
    EXPECT_EQ(block->SamplePeriod.Stored(), SamplePeriodBytes(4));

    LanguageIndex = 2;
    auto pt1 = Make<TPTGlied>("TBTPT1");
    Edit(*pt1, true);
    EXPECT_EQ(RowCaptions.value(0), QString::fromUtf8("Taux d´echantillonage"));
    EXPECT_EQ(HelpContext, 18838);
}

TEST_F(ZeitDialog, TheFilterRows)
{
    auto block = Make<TBTDifferenzierer>("TBTDifferenzierer");
    Edit(*block, true, [](TDefault_Dlg& dlg) {
        EXPECT_EQ(Row<TEditPropEditor>(dlg, 3).Edit->text(), "10");
        Row<TCheckPropEditor>(dlg, 2).Check->setChecked(true);
        Row<TEditPropEditor>(dlg, 3).Edit->setText("2,5");
    });
    EXPECT_EQ(RowCaptions.mid(0, 5), (QStringList{"Abtastrate", "Filter", "Aktivieren", "Filter fo [Hz]", "Optionen"}));
    EXPECT_TRUE(block->Filter.Enabled);
    EXPECT_EQ(block->Filter.Omega, 2.5L * TwoPi);
    // Cancel: the frequency is parsed back from its printed text.
    block->Filter.Omega = TwoPi / 3;
    Edit(*block, false, [](TDefault_Dlg& dlg) { Row<TEditPropEditor>(dlg, 3).Edit->setText("99"); });
    EXPECT_EQ(block->Filter.Omega, StrToValue(ValueToStr(1.0L / 3)) * TwoPi);

    LanguageIndex = 1;
    auto dt1 = Make<TBTDT1>("TBTDT1");
    Edit(*dt1, false);
    EXPECT_EQ(RowCaptions.mid(0, 4), (QStringList{"Sample rate", "Filter", "Enable", "Filter fo [Hz]"}));
}

TEST_F(ZeitDialog, TheControllerRows)
{
    LanguageIndex = 1;
    auto pid = Make<TBT_PID_Regler>("TBT_PID_Regler");
    Edit(*pid, true, [](TDefault_Dlg& dlg) {
        auto& range = Row<TRangePropEditor>(dlg, 2);
        EXPECT_EQ(range.FromEdit->text(), QString::fromStdString(ValueToStr(-1e12L)));
        range.FromEdit->setText("0");
        range.ToEdit->setText("5");
        Row<TEditPropEditor>(dlg, 4).Edit->setText("1.5");
        Row<TComboPropEditor>(dlg, 0).Combo->setCurrentIndex(2);
    });
    EXPECT_EQ(RowCaptions.mid(0, 9), (QStringList{"Sample rate", "Output", "Limit [min/max]", "Integration", "Init",
                                                  "Filter", "Enable", "Filter fo [Hz]", "Options"}));
    EXPECT_EQ(HelpContext, 18853);
    EXPECT_EQ(pid->OutputMin, 0.0L);
    EXPECT_EQ(pid->OutputMax, 5.0L);
    EXPECT_EQ(pid->IntegralStart, 1.5L);
    EXPECT_EQ(pid->SamplePeriod.Index(), 2);

    auto pi = Make<TBT_PI_Regler>("TBT_PI_Regler");
    Edit(*pi, false, [](TDefault_Dlg& dlg) { Row<TEditPropEditor>(dlg, 4).Edit->setText("9"); });
    EXPECT_EQ(RowCaptions.mid(0, 6),
              (QStringList{"Sample rate", "Output", "Limit [min/max]", "Integration", "Init", "Options"}));
    EXPECT_EQ(pi->IntegralStart, 0.0L);
    EXPECT_EQ(pi->OutputMax, 1e12L);

    auto pd = Make<TBT_PD_Regler>("TBT_PD_Regler");
    Edit(*pd, true, [](TDefault_Dlg& dlg) { Row<TRangePropEditor>(dlg, 2).ToEdit->setText("nonsense"); });
    EXPECT_EQ(RowCaptions.mid(0, 7),
              (QStringList{"Sample rate", "Output", "Limit [min/max]", "Filter", "Enable", "Filter fo [Hz]", "Options"}));
    EXPECT_TRUE(std::isfinite(pd->OutputMax));

    SimulationRunning = true;
    Edit(*pd, true);
    EXPECT_EQ(RowCaptions.size(), 6);   // no options while running
}

// Closing the delay's sheet empties the line, even with Cancel.
TEST_F(ZeitDialog, TheDelayLength)
{
    auto block = Make<TBT_AnalogDelay>("TBT_AnalogDelay");
    block->Cells[0] = 4.0L;
    Edit(*block, true, [](TDefault_Dlg& dlg) { Row<TSpinPropEditor>(dlg, 0).Spin->SetValue(7); });
    EXPECT_EQ(RowCaptions.value(0), QString::fromUtf8("Verzögerung [x CLK]"));
    EXPECT_EQ(HelpContext, 18427);
    EXPECT_EQ(block->Length, 7);
    EXPECT_EQ(block->Cells.size(), 7u);
    block->Cells[3] = 1.0L;
    block->Position = 3;
    Edit(*block, false, [](TDefault_Dlg& dlg) { Row<TSpinPropEditor>(dlg, 0).Spin->SetValue(20); });
    EXPECT_EQ(block->Length, 7);
    EXPECT_EQ(block->Cells, std::vector<Extended>(7, 0.0L));
    EXPECT_EQ(block->Position, 0);
}

} // namespace
