// The correction table: the curve between, below and above its pairs, the
// order kept by add and change, tables no editor makes, the record with a
// refused count, the import of text files, and the editor's buttons.
#include "AnalogClock.h"

#include "components/analog/BT_Korrekturtabelle.h"
#include "components/analog/DLG_Korrekturtabelle.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Publics.h"
#include "platform/AnsiText.h"
#include "engine/Language.h"
#include "platform/Dialogs.h"
#include "platform/Stream.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

using Pairs = std::vector<std::pair<Extended, Extended>>;

TKorrekturwerte Table(const Pairs& pairs)
{
    TKorrekturwerte values;
    values.Clear();
    for (const auto& [x, y] : pairs)
        values.Add(x, y);
    return values;
}

Pairs PairsOf(const TKorrekturwerte& values)
{
    Pairs pairs;
    for (const TKorrekturwert& p : values.Pairs())
        pairs.emplace_back(p.Input, p.Output);
    return pairs;
}

using CorrectionTable = AnalogClockTest;

TEST_F(CorrectionTable, InterpolatesAndExtrapolates)
{
    const struct {
        Pairs Curve;
        Extended E, A;
    } cases[] = {
        {{{0, 0}, {1, 1}}, -7.5L, -7.5L},
        {{{0, 0}, {1, 1}}, 0.25L, 0.25L},
        {{{0, 0}, {1, 1}}, 42.0L, 42.0L},
        {{{0, 0}, {10, 100}}, 5, 50},
        {{{0, 0}, {10, 100}}, -1, -10},
        {{{0, 0}, {10, 100}}, 20, 200},
        {{{0, 0}, {1, 10}, {2, 15}}, 1, 10},
        {{{0, 0}, {1, 10}, {2, 15}}, 1.5L, 12.5L},
        {{{0, 0}, {1, 10}, {2, 15}}, 3, 20},
        {{{0, 0}, {1, 10}, {2, 15}}, -1, -10},
    };
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    for (const auto& c : cases) {
        block->Values = Table(c.Curve);
        feed.Step(*block, {c.E});
        EXPECT_EQ(block->Outputs[0].Value, c.A) << c.E;
    }
    block->ResetForStart();
    EXPECT_EQ(block->Outputs[0].Value, 0.0L);
}

// Tables the editor does not make: fewer than two pairs, equal inputs.
TEST_F(CorrectionTable, DegenerateTablesGiveFiniteValues)
{
    const struct {
        Pairs Curve;
        Extended E, A;
    } cases[] = {
        {{}, 3.0L, 3.0L},
        {{{2, 7}}, -100.0L, 7.0L},
        {{{1, 1}, {1, 5}}, 0.0L, 1.0L},
        {{{1, 1}, {1, 5}}, 1.0L, 5.0L},
        {{{1, 1}, {1, 5}}, 9.0L, 5.0L},
        {{{0, 0}, {2, 4}, {2, 9}}, 5.0L, 9.0L},
        {{{0, 0}, {2, 4}, {2, 9}}, 1.0L, 2.0L},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Table(c.Curve).Interpolate(c.E), c.A) << c.E;
}

TEST_F(CorrectionTable, AddKeepsTheOrderAndChangeDoesNotSort)
{
    TKorrekturwerte values;
    EXPECT_EQ(PairsOf(values), (Pairs{{0, 0}, {1, 1}}));
    values.Add(0.5L, 3);
    values.Add(-2, 4);
    values.Add(1, 8);   // after the equal input already there
    EXPECT_EQ(PairsOf(values), (Pairs{{-2, 4}, {0, 0}, {0.5L, 3}, {1, 1}, {1, 8}}));
    EXPECT_EQ(values.FindIndex(0.2L), 2);
    EXPECT_EQ(values.FindIndex(-5), 0);
    EXPECT_EQ(values.FindIndex(99), 4);
    values.Change(2, 0.7L, 6);
    values.Change(7, 9, 9);
    values.Delete(-1);
    values.Delete(0);
    EXPECT_EQ(PairsOf(values), (Pairs{{0, 0}, {0.7L, 6}, {1, 1}, {1, 8}}));
}

class CorrectionRecord : public AnalogClockTest {
protected:
    static void Read(TBTKorrekturtabelle& block, const std::vector<Byte>& bytes)
    {
        TMemoryStream stream(bytes);
        TReader reader(stream);
        block.ReadData(stream, reader, 46);
    }
};

TEST_F(CorrectionRecord, CountThenPairsOfFloats)
{
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    block->Values = Table({{0, 0}, {1, 10}, {2, 15}});
    auto read = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    Read(*read, Record(*block));
    EXPECT_EQ(PairsOf(read->Values), PairsOf(block->Values));
    // 1 tag + 1 count byte, then 3 x 2 x (tag + 10 bytes).
    EXPECT_EQ(Record(*block).size() - BaseRecord(*block).size(), 2U + 3U * 2U * 11U);
}

// A huge or negative count, a short record and a value that is not a number
// are refused, and the block's table stays as it was.
TEST_F(CorrectionRecord, DamagedRecordsAreRefusedWhole)
{
    auto source = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    const std::vector<Byte> base = BaseRecord(*source);
    const auto withTail = [&](std::vector<Byte> tail) {
        std::vector<Byte> bytes = base;
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    source->Values = Table({{0, 0}, {1, 10}});
    std::vector<Byte> shortRecord = Record(*source);
    shortRecord.resize(shortRecord.size() - 3);
    source->Values = Table({{0, 0}, {std::numeric_limits<Extended>::quiet_NaN(), 10}});
    const std::vector<std::vector<Byte>> damaged = {
        withTail({0x04, 0xff, 0xff, 0xff, 0x7f}),   // 2^31 - 1 pairs
        withTail({0x04, 0xa1, 0x86, 0x01, 0x00}),   // 100001 pairs
        withTail({0x02, 0xff}),                      // -1 pairs
        shortRecord,
        Record(*source),
    };
    for (const auto& bytes : damaged) {
        auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
        block->Values = Table({{0, 0}, {3, 3}});
        EXPECT_ANY_THROW(Read(*block, bytes));
        EXPECT_EQ(PairsOf(block->Values), (Pairs{{0, 0}, {3, 3}}));
    }
}

TEST_F(CorrectionTable, ImportOfTextLines)
{
    const struct {
        const char* Text;
        Pairs Expected;
    } cases[] = {
        {"0;0\r\n1,5;3\r\n1,5;7\r\n", {{0, 0}, {1.5L, 3}}},
        {"", {{0, 0}, {1, 1}}},
        {"Eingang;Ausgang\n2;20\n4;40", {{0, 0}, {2, 20}, {4, 40}}},
        {"Eingang;Ausgang\n0;5\n4;40", {{0, 0}, {4, 40}}},   // the header's (0, 0) came first
        {"0;5\nEingang;Ausgang\n4;40", {{0, 5}, {4, 40}}},
        {"1;7", {{1, 7}, {1, 1}}},                            // padded with (1, 1) after the duplicates went
        {"3;9", {{1, 1}, {3, 9}}},
        {"12.5\r-1;2", {{-1, 2}, {0, 12.5L}}},               // no ";": input 0, the number as output
        {"1e99999;5\n2;4\n2;nan\n5;5", {{2, 4}, {5, 5}}},     // not finite: skipped; "nan" reads 0
        {"\n\n\n", {{0, 0}, {1, 1}}},
        {"x=2,5 V;y=-1.25e1\n", {{1, 1}, {2.5L, -12.5L}}},
    };
    for (const auto& c : cases) {
        const auto imported = ImportCorrectionText(c.Text);
        ASSERT_TRUE(imported) << c.Text;
        EXPECT_EQ(PairsOf(*imported), c.Expected) << c.Text;
    }
    std::string tooLong;
    for (Integer i = 0; i <= TKorrekturwerte::MaxCount; ++i)
        tooLong += "1;1\n";
    EXPECT_FALSE(ImportCorrectionText(tooLong));
}

class CorrectionEditor : public AnalogClockTest {
protected:
    // The editor of the block shown once; the script acts on the form.
    Integer Edit(TBTKorrekturtabelle& block, const std::function<void(TKorrekturtabelleDlg&)>& script, bool ok)
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TKorrekturtabelleDlg&>(form);
            script(dlg);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        return block.EditProperties();
    }
    static Pairs GridPairs(const TKorrekturtabelleDlg& dlg)
    {
        Pairs pairs;
        for (int r = 0; r < dlg.Grid->rowCount(); ++r)
            pairs.emplace_back(StrToValue(QStringToAnsi(dlg.Grid->item(r, 0)->text())),
                               StrToValue(QStringToAnsi(dlg.Grid->item(r, 1)->text())));
        return pairs;
    }
    QString WriteFile(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(CorrectionEditor, TypingSelectsTheRowAndEnablesTheButtons)
{
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    block->Values = Table({{0, 0}, {1, 10}, {2, 15}});
    EXPECT_EQ(Edit(*block,
                   [&](TKorrekturtabelleDlg& dlg) {
                       EXPECT_EQ(GridPairs(dlg), PairsOf(block->Values));
                       EXPECT_EQ(dlg.SelectedRow(), 1);   // "0" is the first input
                       EXPECT_FALSE(dlg.AddBtn->isEnabled());
                       EXPECT_FALSE(dlg.ChangeBtn->isEnabled());
                       EXPECT_TRUE(dlg.DeleteBtn->isEnabled());
                       // An input already there: its row, Add disabled.
                       dlg.E_Edit->setText("1");
                       EXPECT_EQ(dlg.SelectedRow(), 2);
                       EXPECT_FALSE(dlg.AddBtn->isEnabled());
                       dlg.A_Edit->setText("11");
                       EXPECT_TRUE(dlg.ChangeBtn->isEnabled());
                       // A new input between two rows: the next higher row.
                       dlg.E_Edit->setText("1,5");
                       EXPECT_EQ(dlg.SelectedRow(), 3);
                       EXPECT_TRUE(dlg.AddBtn->isEnabled());
                       QTest::mouseClick(dlg.ChangeBtn, Qt::LeftButton);
                       EXPECT_EQ(PairsOf(dlg.Values), (Pairs{{0, 0}, {1, 10}, {1.5L, 11}}));
                       dlg.E_Edit->setText("0.5");
                       dlg.A_Edit->setText("4");
                       QTest::mouseClick(dlg.AddBtn, Qt::LeftButton);
                       EXPECT_EQ(GridPairs(dlg), (Pairs{{0, 0}, {0.5L, 4}, {1, 10}, {1.5L, 11}}));
                       // A click on a row copies it into the edits.
                       dlg.Grid->selectRow(2);
                       dlg.GridClick();
                       EXPECT_EQ(StrToValue(QStringToAnsi(dlg.E_Edit->text())), 1.0L);
                       EXPECT_EQ(StrToValue(QStringToAnsi(dlg.A_Edit->text())), 10.0L);
                       QTest::mouseClick(dlg.DeleteBtn, Qt::LeftButton);
                       EXPECT_EQ(PairsOf(dlg.Values), (Pairs{{0, 0}, {0.5L, 4}, {1.5L, 11}}));
                   },
                   true),
              1);
    EXPECT_EQ(PairsOf(block->Values), (Pairs{{0, 0}, {0.5L, 4}, {1.5L, 11}}));
}

TEST_F(CorrectionEditor, TwoPairsCannotBeDeletedOrCleared)
{
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    TModalHook answers({TModalAnswer::Button(IDNO), TModalAnswer::Button(IDYES)});
    Edit(*block,
         [&](TKorrekturtabelleDlg& dlg) {
             EXPECT_FALSE(dlg.DeleteBtn->isEnabled());
             EXPECT_FALSE(dlg.DeleteAllBtn->isEnabled());
             dlg.DeleteBtnClick();
             dlg.DeleteAllBtnClick();
             EXPECT_EQ(dlg.Values.Count(), 2);
             dlg.Values.Add(5, 5);
             dlg.FillGrid();
             EXPECT_TRUE(dlg.DeleteAllBtn->isEnabled());
             QTest::mouseClick(dlg.DeleteAllBtn, Qt::LeftButton);   // No
             EXPECT_EQ(dlg.Values.Count(), 3);
             QTest::mouseClick(dlg.DeleteAllBtn, Qt::LeftButton);   // Yes
             EXPECT_EQ(PairsOf(dlg.Values), (Pairs{{0, 0}, {1, 1}}));
         },
         true);
    ASSERT_EQ(answers.Requests().size(), 2U);
    EXPECT_EQ(answers.Requests()[0].Text, "Liste mit Korrekturwerten komplett löschen?"_ansi);
}

// Cancel keeps the block's table, even after an import.
TEST_F(CorrectionEditor, ImportThenCancelKeepsTheTable)
{
    const QString path = WriteFile("werte.csv", "0;0\r\n1,5;3\r\n1,5;7\r\n");
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    block->Values = Table({{0, 0}, {10, 100}});
    TModalHook answers(std::vector<TModalAnswer>{TModalAnswer::File(QStringToAnsi(path)), TModalAnswer::File(QStringToAnsi(path))});
    EXPECT_EQ(Edit(*block,
                   [&](TKorrekturtabelleDlg& dlg) {
                       QTest::mouseClick(dlg.ImportBtn, Qt::LeftButton);
                       EXPECT_EQ(GridPairs(dlg), (Pairs{{0, 0}, {1.5L, 3}}));
                   },
                   false),
              2);
    EXPECT_EQ(PairsOf(block->Values), (Pairs{{0, 0}, {10, 100}}));
    EXPECT_EQ(answers.Requests()[0].File.Filter, "Text (*.txt)|*.txt|CSV (*.csv)|*.csv");
    Edit(*block, [&](TKorrekturtabelleDlg& dlg) { QTest::mouseClick(dlg.ImportBtn, Qt::LeftButton); }, true);
    EXPECT_EQ(PairsOf(block->Values), (Pairs{{0, 0}, {1.5L, 3}}));
}

// A file that cannot be read says so and leaves the list as it was; a
// cancelled file dialog changes nothing either.
TEST_F(CorrectionEditor, AnUnreadableFileGivesItsMessageAndChangesNothing)
{
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    block->Values = Table({{0, 0}, {10, 100}, {20, 150}});
    const AnsiString missing = QStringToAnsi(dir.filePath("fehlt.txt"));
    LanguageIndex = 1;
    TModalHook answers({TModalAnswer::File(missing), TModalAnswer::Button(IDOK), TModalAnswer::Cancel()});
    Edit(*block,
         [&](TKorrekturtabelleDlg& dlg) {
             dlg.ImportBtnClick();
             EXPECT_EQ(GridPairs(dlg), (Pairs{{0, 0}, {10, 100}, {20, 150}}));
             dlg.ImportBtnClick();
             EXPECT_EQ(dlg.Values.Count(), 3);
         },
         true);
    ASSERT_EQ(answers.Requests().size(), 3U);
    EXPECT_EQ(answers.Requests()[1].Kind, TModalKind::MessageBox);
    EXPECT_EQ(answers.Requests()[1].Text, "The file cannot be read:\r" + missing);
    EXPECT_EQ(PairsOf(block->Values), (Pairs{{0, 0}, {10, 100}, {20, 150}}));
}

TEST_F(CorrectionEditor, TextsRuntimeFlagAndCaption)
{
    const char* captions[] = {"Korrekturtabelle", "Table of correction", "Table de correction"};
    const char* designators[] = {"KT", "CT", "TC"};
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
        EXPECT_EQ(block->Designator, designators[language]);
        TKorrekturtabelleDlg dlg;
        EXPECT_EQ(dlg.Caption(), captions[language]);
    }
    LanguageIndex = 1;
    auto block = Make<TBTKorrekturtabelle>("TBTKorrekturtabelle");
    block->SetCaption("Sensor");
    Edit(*block,
         [&](TKorrekturtabelleDlg& dlg) {
             EXPECT_EQ(dlg.Caption(), "Sensor");
             EXPECT_EQ(dlg.Grid->horizontalHeaderItem(0)->text(), "Input");
             EXPECT_EQ(dlg.DeleteAllBtn->text(), "C&lear");
             EXPECT_TRUE(dlg.cb_RuntimeEdit->isVisibleTo(&dlg));
             dlg.cb_RuntimeEdit->setChecked(true);
         },
         true);
    EXPECT_TRUE(block->RuntimeAdjustable);
    SimulationRunning = true;
    Edit(*block, [&](TKorrekturtabelleDlg& dlg) { EXPECT_FALSE(dlg.cb_RuntimeEdit->isVisibleTo(&dlg)); }, false);
    SimulationRunning = false;
}

} // namespace
