// The analog components' settings in the shared property sheet: the rows
// each shows, what OK and Cancel apply, and the options section.
#include "SheetTest.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Math.h"
#include "components/analog/BT_Wandler.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "dialogs/ModalForm.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using AnalogDialog = TAnalogSheetTest;

TEST_F(AnalogDialog, TheInputCountOfTheArithmeticBlocks)
{
    auto add = Make<TBTAdd>("TBTAdd");
    EXPECT_EQ(Edit(*add, true, [](TDefault_Dlg& dlg) { Row<TComboPropEditor>(dlg, 0).Combo->setCurrentIndex(14); }), 1);
    EXPECT_EQ(Caption, "Addierer");
    EXPECT_EQ(HelpContext, 18465);
    EXPECT_EQ(RowCaptions, QStringList{QString::fromUtf8("Eingänge")});
    EXPECT_EQ(add->InputCount, 16);
    EXPECT_EQ(add->Inputs[15].Name, "E15");
    Edit(*add, false, [](TDefault_Dlg& dlg) { Row<TComboPropEditor>(dlg, 0).Combo->setCurrentIndex(0); });
    EXPECT_EQ(add->InputCount, 16);
}

// Cancel still reads the number back from the row, which holds it as
// ValueToStr shows it.
TEST_F(AnalogDialog, TheSetNumberRowWithTheOptions)
{
    auto gain = Make<TBTGain>("TBTGain");
    gain->SetCaption("Verst");
    Edit(*gain, true, [](TDefault_Dlg& dlg) { Row<TEditPropEditor>(dlg, 0).Edit->setText("2,5"); });
    EXPECT_EQ(Caption, "Verst");
    EXPECT_EQ(RowCaptions.value(0), QString::fromUtf8("Verstärkung"));
    EXPECT_EQ(RowCaptions.size(), 4);   // the options heading, name and run-time flag
    EXPECT_EQ(RowCaptions.value(2), "Name");
    EXPECT_EQ(gain->Gain, 2.5L);
    gain->Gain = 1.0L / 3;
    Edit(*gain, false);
    EXPECT_EQ(gain->Gain, StrToValue(ValueToStr(1.0L / 3)));

    LanguageIndex = 1;
    auto offset = Make<TBTOffset>("TBTOffset");
    Edit(*offset, true, [](TDefault_Dlg& dlg) { Row<TEditPropEditor>(dlg, 0).Edit->setText("-4"); });
    EXPECT_EQ(RowCaptions.value(0), "Offset");
    EXPECT_EQ(offset->Offset, -4);
    auto fixed = Make<TBTFest>("TBTFest");
    Edit(*fixed, true, [](TDefault_Dlg& dlg) { Row<TEditPropEditor>(dlg, 0).Edit->setText("7"); });
    EXPECT_EQ(RowCaptions.value(0), "Value");
    EXPECT_EQ(fixed->Value, 7);

    // No options section while running.
    SimulationRunning = true;
    Edit(*fixed, true);
    EXPECT_EQ(RowCaptions.size(), 1);
}

TEST_F(AnalogDialog, TheFormulaIsStoredInUpperCaseWithPoints)
{
    auto formel = Make<TBTFormel>("TBTFormel");
    Edit(*formel, false, [](TDefault_Dlg& dlg) {
        Row<TSpinPropEditor>(dlg, 0).Spin->SetValue(3);
        Row<TEditPropEditor>(dlg, 1).Edit->setText("sin(e0)*1,5");
    });
    EXPECT_EQ(RowCaptions.mid(0, 2), (QStringList{QString::fromUtf8("Eingänge"), "Formel"}));
    EXPECT_EQ(formel->Formula, "");   // Cancel: the formula stays
    EXPECT_EQ(formel->InputCount, 1);
    Edit(*formel, true, [](TDefault_Dlg& dlg) {
        Row<TSpinPropEditor>(dlg, 0).Spin->SetValue(3);
        Row<TEditPropEditor>(dlg, 1).Edit->setText("sin(e0)*1,5");
    });
    EXPECT_EQ(formel->Formula, "SIN(E0)*1.5");
    EXPECT_EQ(formel->InputCount, 3);
    formel->ResetForStart();
    formel->Calculate();
    EXPECT_EQ(formel->Outputs[0].Value, 0);

    // While running the input count is not offered.
    SimulationRunning = true;
    Edit(*formel, true);
    EXPECT_EQ(RowCaptions.value(0), "Formel");
}

TEST_F(AnalogDialog, TheFunctionListSetsThePins)
{
    auto math = Make<TBTMath>("TBTMath");
    Edit(*math, true, [](TDefault_Dlg& dlg) {
        auto& combo = *Row<TComboPropEditor>(dlg, 0).Combo;
        EXPECT_EQ(combo.count(), 36);
        combo.setCurrentIndex(4);   // pi
    });
    EXPECT_EQ(RowCaptions, QStringList{"Funktion"});
    EXPECT_EQ(math->FunctionIndex, 4);
    EXPECT_EQ(math->InputCount, 0);

    auto poly = Make<TBTPolynom>("TBTPolynom");
    Edit(*poly, true, [](TDefault_Dlg& dlg) { Row<TSpinPropEditor>(dlg, 0).Spin->SetValue(15); });
    EXPECT_EQ(RowCaptions, QStringList{"n-Polynom"});
    EXPECT_EQ(poly->InputCount, 17);
}

TEST_F(AnalogDialog, TheConvertersBitsAndRange)
{
    LanguageIndex = 2;
    auto adc = Make<TBTADC>("TBTADC");
    Edit(*adc, true, [](TDefault_Dlg& dlg) {
        Row<TSpinPropEditor>(dlg, 0).Spin->SetValue(12);
        Row<TRangePropEditor>(dlg, 1).FromEdit->setText("-10");
        Row<TRangePropEditor>(dlg, 1).ToEdit->setText("10");
    });
    EXPECT_EQ(RowCaptions.mid(0, 2),
              (QStringList{QString::fromUtf8("Résolution [bit]"), "Gamme [min/max]"}));
    EXPECT_EQ(adc->OutputCount, 12);
    EXPECT_EQ(adc->RangeMin, -10);
    EXPECT_EQ(adc->RangeMax, 10);
}

TEST_F(AnalogDialog, IntegerSettingsAndChannels)
{
    auto conv = Make<TBTIntConv>("TBTIntConv");
    Edit(*conv, true, [](TDefault_Dlg& dlg) {
        Row<TComboPropEditor>(dlg, 1).Combo->setCurrentIndex(1);
        Row<TSpinPropEditor>(dlg, 5).Spin->SetValue(8);
    });
    EXPECT_EQ(RowCaptions.size(), 6);
    EXPECT_EQ(conv->InputSigned, 1);
    EXPECT_EQ(conv->OutputBits, 8);

    auto bit = Make<TBTIntCheckBit>("TBTIntCheckBit");
    Edit(*bit, true, [](TDefault_Dlg& dlg) { Row<TComboPropEditor>(dlg, 1).Combo->setCurrentIndex(31); });
    EXPECT_EQ(RowCaptions.value(1), "Bit #");
    EXPECT_EQ(bit->BitNumber, 31);

    auto mux = Make<TBTAnalogMux>("TBTAnalogMux");
    Edit(*mux, true, [](TDefault_Dlg& dlg) { Row<TComboPropEditor>(dlg, 0).Combo->setCurrentIndex(0); });
    EXPECT_EQ(Caption, "AMUX");
    EXPECT_EQ(RowCaptions, QStringList{QString::fromUtf8("Kanäle")});
    EXPECT_EQ(mux->InputCount, 4);
}

} // namespace
