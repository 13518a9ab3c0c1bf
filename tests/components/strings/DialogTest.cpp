// The text components' settings in the shared property sheet: the rows they
// show (stopped and running), and what OK and Cancel leave behind.
#include "StringRig.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TextDialogs : public StringTest {
protected:

    // Opens the dialog, records its rows, sets combo rows by index (-1
    // leaves a row) and presses OK or Cancel.
    Integer Edit(TIOBauteil* c, std::vector<int> choices, bool ok)
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            Caption = dlg.Caption();
            HelpContext = dlg.HelpContext();
            Rows.clear();
            Combos.clear();
            for (const auto& row : dlg.Props->Rows) {
                auto* combo = dynamic_cast<TComboPropEditor*>(row->Editor);
                if (!combo)
                    continue;
                Rows.push_back(combo->NameLabel->text().toStdString());
                Combos.push_back(combo->Combo);
                const std::size_t k = Combos.size() - 1;
                Shown.push_back(combo->Combo->currentIndex());
                if (k < choices.size() && choices[k] >= 0)
                    combo->Combo->setCurrentIndex(choices[k]);
            }
            RowCount = dlg.Props->Rows.size();
            if (!Combos.empty())
                FirstItems = {Combos[0]->itemText(0).toStdString(), Combos[0]->itemText(65).toStdString(),
                              std::to_string(Combos[0]->count())};
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        return c->EditProperties();
    }

    AnsiString Caption;
    Integer HelpContext = 0;
    std::vector<std::string> Rows;
    std::vector<QComboBox*> Combos;
    std::vector<int> Shown;
    std::size_t RowCount = 0;
    std::vector<std::string> FirstItems;
    TTestBoard t;
};

TEST_F(TextDialogs, CsvChoosesItsSeparatorAndCount)
{
    auto* csv = PlaceAs<TStrJoin>(t, "TBTStrCSV", 1000, 100);
    csv->SetCaption("Zeile");
    EXPECT_EQ(Edit(csv, {0x2C, 5}, true), 1);
    EXPECT_EQ(Caption, "Zeile");
    EXPECT_EQ(HelpContext, 35010);
    EXPECT_EQ(Rows, (std::vector<std::string>{"Trennzeichen", "Eingänge"}));
    EXPECT_EQ(Shown[0], 59);
    EXPECT_EQ(Shown[1], 2);
    EXPECT_EQ(FirstItems, (std::vector<std::string>{QString("$00 - ").toStdString() + '\0', "$41 - A", "256"}));
    EXPECT_EQ(RowCount, 5u);   // with the options section
    EXPECT_EQ(csv->Separator, 0x2C);
    EXPECT_EQ(csv->InputCount, 7);

    EXPECT_EQ(Edit(csv, {0, 0}, false), 2);
    EXPECT_EQ(csv->Separator, 0x2C);
    EXPECT_EQ(csv->InputCount, 7);

    SimulationRunning = true;   // only the separator while running
    Edit(csv, {1}, true);
    EXPECT_EQ(RowCount, 1u);
    EXPECT_EQ(csv->Separator, 1);
    EXPECT_EQ(csv->InputCount, 7);
}

TEST_F(TextDialogs, PartsAndAddAndMultiplexer)
{
    auto* parts = PlaceAs<TBTStrParts>(t, "TBTStrParts", 1000, 100);
    Edit(parts, {9, 14}, true);
    EXPECT_EQ(Rows, (std::vector<std::string>{"Trennzeichen", "Ausgänge"}));
    EXPECT_EQ(parts->Separator, 9);
    EXPECT_EQ(parts->OutputCount, 16);
    EXPECT_EQ(parts->Outputs[15].Name, "$1");

    auto* plus = t.Place("TBTStrPlus", 1000, 1000);
    plus->SetCaption("Anders");
    SimulationRunning = true;   // the count is offered while running too
    Edit(plus, {3}, true);
    EXPECT_EQ(Caption, "$Add");
    EXPECT_EQ(RowCount, 1u);
    EXPECT_EQ(plus->InputCount, 5);
    SimulationRunning = false;

    auto* mux = PlaceAs<TBTStrMux>(t, "TBTStrMux", 1000, 2000);
    LanguageIndex = 1;
    Edit(mux, {3}, true);
    EXPECT_EQ(Caption, "$MUX");
    EXPECT_EQ(Rows, (std::vector<std::string>{"Channels"}));
    EXPECT_EQ(mux->InputCount, 21);
    Edit(mux, {1}, false);   // Cancel: the kind stays
    EXPECT_EQ(Shown.back(), 3);
    EXPECT_EQ(mux->InputCount, 21);
}

TEST_F(TextDialogs, InfoOffersItsItemsUntranslated)
{
    LanguageIndex = 2;
    auto* info = PlaceAs<TBTStrInfo>(t, "TBTStrInfo", 1000, 100);
    info->ItemIndex = 300;   // from a damaged file: no entry shown, kept on Cancel and OK without choice
    Edit(info, {-1}, true);
    EXPECT_EQ(Rows, (std::vector<std::string>{"Info"}));
    EXPECT_EQ(Shown[0], -1);
    EXPECT_EQ(info->ItemIndex, 300);
    Edit(info, {79}, true);
    EXPECT_EQ(info->ItemIndex, 79);
    EXPECT_EQ(Caption, "$Info");
}

} // namespace
