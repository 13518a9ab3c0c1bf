// The memory editor: OK hands the copy back and Cancel leaves the memory,
// the cell checks of the three views, the top address kept across a view
// switch, the 65,536 rows of a 64 KB binary view, fill with its question,
// size changes that keep the copy, and load and save through the buttons.
#include "DigitalRig.h"

#include "components/digital/BT_Speicher.h"
#include "components/digital/DLG_Speicher.h"

#include "platform/Dialogs.h"
#include "ui/controls/UCLBrowseEdit.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include <cstring>

namespace {

class SpeicherDialogTest : public DigitalTest {
protected:
    void SetUp() override
    {
        DigitalTest::SetUp();
        RegisterRows(SpeicherRows());
    }
};

THexEditor& Editor(TModalForm& form)
{
    return dynamic_cast<THexEditor&>(form);
}

// Opens the component's editor, lets `change` work on it and closes it with the button.
Integer Edit(TSpeicher& part, std::function<void(THexEditor&)> change, bool ok)
{
    TFormHook hook({[&](TModalForm& form) {
        THexEditor& e = Editor(form);
        change(e);
        (ok ? e.Button1 : e.Button2)->click();
    }});
    return part.EditProperties();
}

TEST_F(SpeicherDialogTest, OkAppliesAndCancelLeavesTheMemory)
{
    TTestBoard t;
    auto* ram = static_cast<TBTRAM*>(t.Place("TBTRAM", 100, 100));
    ram->Memory[1] = 0x11;
    ram->Memory[300] = 0x22;   // above 256 bytes: not handed to the editor
    auto change = [](THexEditor& e) {
        EXPECT_EQ(e.cb_Groesse->currentIndex(), 0);
        EXPECT_EQ(e.MemorySize(), 256);
        EXPECT_EQ(e.HelpTopic, 18385);
        EXPECT_EQ(e.Caption(), "RAM");
        EXPECT_EQ(e.Memory[1], 0x11);
        EXPECT_EQ(e.Memory[300], 0);
        QAbstractItemModel* model = e.HexGrid->model();
        EXPECT_TRUE(model->setData(model->index(0, 1), "ab", Qt::EditRole));
        e.cb_Groesse->setCurrentIndex(2);
        e.CB_AutoLoad->setChecked(true);
        e.E_Datei->SetFilename("daten.hex");
        e.cb_RuntimeEdit->setChecked(true);
        e.RB_Dez->click();
    };
    EXPECT_EQ(Edit(*ram, change, false), mrCancel);
    EXPECT_EQ(ram->InputCount, 17);
    EXPECT_EQ(ram->Memory[1], 0x11);
    EXPECT_EQ(ram->Memory[300], 0x22);
    EXPECT_FALSE(ram->AutoLoad);
    EXPECT_EQ(ram->DisplayMode, 0);

    EXPECT_EQ(Edit(*ram, change, true), mrOk);
    EXPECT_EQ(ram->InputCount, 19);
    EXPECT_EQ(ram->Inputs[18].Name, "|R/W");
    EXPECT_EQ(ram->Memory[1], 0xAB);
    EXPECT_EQ(ram->Memory[300], 0);   // the editor's copy of 1 KB
    EXPECT_TRUE(ram->AutoLoad);
    EXPECT_EQ(ram->FileName, "daten.hex");
    EXPECT_TRUE(ram->RuntimeAdjustable);
    EXPECT_EQ(ram->DisplayMode, 2);

    // The ROM opens in its view and size; while running the size stays.
    auto* rom = static_cast<TBTROM*>(t.Place("TBTROM", 400, 100));
    rom->DisplayMode = 1;
    SimulationRunning = true;
    Edit(*rom, [](THexEditor& e) {
        EXPECT_EQ(e.cb_Groesse->currentIndex(), 2);
        EXPECT_TRUE(e.RB_Bin->isChecked());
        EXPECT_FALSE(e.cb_Groesse->isEnabled());
        EXPECT_TRUE(e.cb_RuntimeEdit->isHidden());
        EXPECT_EQ(e.HelpTopic, 18390);
        e.HexGrid->model()->setData(e.HexGrid->model()->index(1023, 7), "1", Qt::EditRole);
    }, true);
    SimulationRunning = false;
    EXPECT_EQ(rom->InputCount, 10);
    EXPECT_EQ(rom->Memory[1023], 0x80);
}

struct TCellCase {
    Integer Mode;
    const char* Entry;
    int Stored;          // the byte afterwards, -1 when refused
    const char* Shown;   // the cell's text afterwards
};

TEST_F(SpeicherDialogTest, CellChecksByView)
{
    const TCellCase cases[] = {
        {0, "ab", 0xAB, "AB"}, {0, "7", 0x07, "07"}, {0, "", 0x00, "00"}, {0, "abc", -1, "5A"},
        {0, "G1", -1, "5A"},   {0, " 1", -1, "5A"},  {2, "007", 7, "7"},  {2, "255", 255, "255"},
        {2, "256", -1, "90"},  {2, "1a", -1, "90"},  {2, "", 0, "0"},    {2, "0255", -1, "90"},
        {1, "", 0x5A, "0"},    {1, "1", 0x5B, "1"},  {1, "2", -1, "0"},  {1, "00", -1, "0"},
    };
    const char* const warnings[] = {"Kein g\xFCltiger HEX-Wert", "Kein g\xFCltiger Bin\xE4rwert",
                                    "Kein g\xFCltiger Dezimalwert"};
    for (const TCellCase& c : cases) {
        SCOPED_TRACE(std::string(c.Entry) + " in view " + std::to_string(c.Mode));
        THexEditor e;
        e.Memory[0] = 0x5A;
        e.SetDisplayMode(c.Mode);
        TModalHook boxes({TModalAnswer::Button(IDOK)});
        QAbstractItemModel* model = e.HexGrid->model();
        const QModelIndex cell = model->index(0, 0);
        EXPECT_EQ(model->setData(cell, QString::fromLatin1(c.Entry), Qt::EditRole), c.Stored >= 0);
        EXPECT_EQ(e.Memory[0], c.Stored >= 0 ? c.Stored : 0x5A);
        EXPECT_EQ(model->data(cell, Qt::DisplayRole).toString(), QString::fromLatin1(c.Shown));
        if (c.Stored < 0) {
            ASSERT_EQ(boxes.Requests().size(), 1u);
            EXPECT_EQ(boxes.Requests()[0].Text, warnings[c.Mode]);
            EXPECT_EQ(boxes.Requests()[0].Caption, "Fehleingabe");
            EXPECT_EQ(boxes.Requests()[0].Flags, MB_OK | MB_ICONWARNING);
        } else {
            EXPECT_TRUE(boxes.Requests().empty());
        }
    }
}

// A refused entry keeps its cell current; on closing it warns, the dialog
// closes all the same and the byte stays.
TEST_F(SpeicherDialogTest, RefusedEntryKeepsItsCell)
{
    THexEditor e;
    e.show();
    e.Memory[2] = 0x12;
    e.FillGrid();
    TModalHook boxes({TModalAnswer::Button(IDOK), TModalAnswer::Button(IDOK)});
    QAbstractItemModel* model = e.HexGrid->model();
    const QModelIndex cell = model->index(0, 2);
    e.HexGrid->setCurrentIndex(cell);
    e.HexGrid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(e.HexGrid->indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->setText("XYZ");
    e.HexGrid->setCurrentIndex(model->index(1, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.Requests().size(), 1u);
    EXPECT_EQ(e.HexGrid->currentIndex(), cell);
    EXPECT_EQ(e.Memory[2], 0x12);

    auto* again = qobject_cast<QLineEdit*>(e.HexGrid->indexWidget(cell));
    ASSERT_NE(again, nullptr);
    again->setText("zz");
    e.done(mrOk);
    EXPECT_EQ(boxes.Requests().size(), 2u);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(e.Memory[2], 0x12);

    // An accepted entry is stored on closing.
    THexEditor f;
    f.show();
    const QModelIndex first = f.HexGrid->model()->index(0, 0);
    f.HexGrid->setCurrentIndex(first);
    f.HexGrid->edit(first);
    qobject_cast<QLineEdit*>(f.HexGrid->indexWidget(first))->setText("c3");
    f.done(mrOk);
    EXPECT_EQ(f.Memory[0], 0xC3);
}

TEST_F(SpeicherDialogTest, ViewsKeepTheTopAddress)
{
    THexEditor e;
    e.show();
    e.SetTopAddress(40);
    EXPECT_EQ(e.HexGrid->rowAt(0), 5);
    EXPECT_EQ(e.HexGrid->model()->headerData(5, Qt::Vertical, Qt::DisplayRole).toString(), "$0028");
    e.RB_Bin->click();
    EXPECT_EQ(e.TopAddress(), 40);
    EXPECT_TRUE(e.L_Bin->isVisible());
    EXPECT_EQ(e.HexGrid->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "bit 0");
    e.SetTopAddress(43);
    e.RB_Hex->click();
    EXPECT_EQ(e.TopAddress(), 40);
    EXPECT_FALSE(e.L_Bin->isVisible());
    e.RB_Dez->click();
    EXPECT_EQ(e.TopAddress(), 40);
    EXPECT_EQ(e.HexGrid->model()->headerData(5, Qt::Vertical, Qt::DisplayRole).toString(), "40");
}

// 64 KB in the binary view: one row a byte, the last one reachable.
TEST_F(SpeicherDialogTest, BinaryViewOfSixtyFourKilobytes)
{
    THexEditor e;
    e.show();
    e.Memory[65535] = 0x81;
    e.cb_Groesse->setCurrentIndex(8);
    EXPECT_EQ(e.MemorySize(), 65536);
    e.RB_Bin->click();
    QAbstractItemModel* model = e.HexGrid->model();
    EXPECT_EQ(model->rowCount(), 65536);
    e.HexGrid->scrollToBottom();
    EXPECT_GT(e.TopAddress(), 65500);
    EXPECT_EQ(model->headerData(65535, Qt::Vertical, Qt::DisplayRole).toString(), "$FFFF");
    EXPECT_EQ(model->data(model->index(65535, 0), Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(model->data(model->index(65535, 6), Qt::DisplayRole).toString(), "0");
    // A double click flips the bit.
    emit e.HexGrid->doubleClicked(model->index(65535, 6));
    EXPECT_EQ(e.Memory[65535], 0xC1);
}

TEST_F(SpeicherDialogTest, FillAsksFirst)
{
    THexEditor e;
    e.show();
    e.SetMemorySize(256);
    e.Memory[256] = 0x77;
    e.SE_Fill->SetValue(0xA5);
    e.SetTopAddress(128);
    {
        TModalHook boxes({TModalAnswer::Cancel()});
        e.Button5->click();
        ASSERT_EQ(boxes.Requests().size(), 1u);
        EXPECT_EQ(boxes.Requests()[0].Caption, "F\xFCllen");
        EXPECT_EQ(boxes.Requests()[0].Flags, MB_OKCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(e.Memory[0], 0);
    }
    TModalHook boxes({TModalAnswer::Button(IDOK)});
    e.Button5->click();
    EXPECT_EQ(e.Memory[0], 0xA5);
    EXPECT_EQ(e.Memory[255], 0xA5);
    EXPECT_EQ(e.Memory[256], 0x77);
    EXPECT_EQ(e.TopAddress(), 0);
}

TEST_F(SpeicherDialogTest, SizeChangeKeepsTheCopy)
{
    THexEditor e;
    e.Memory[1000] = 0x42;
    EXPECT_EQ(e.MemorySize(), 1024);
    e.cb_Groesse->setCurrentIndex(0);
    EXPECT_EQ(e.MemorySize(), 256);
    EXPECT_EQ(e.HexGrid->model()->rowCount(), 32);
    e.cb_Groesse->setCurrentIndex(2);
    EXPECT_EQ(e.Memory[1000], 0x42);
    EXPECT_EQ(e.HexGrid->model()->data(e.HexGrid->model()->index(125, 0), Qt::DisplayRole).toString(), "42");
    e.cb_Groesse->setCurrentIndex(-1);
    EXPECT_EQ(e.MemorySize(), 128);
}

TEST_F(SpeicherDialogTest, LoadAndSaveThroughTheButtons)
{
    QTemporaryDir dir;
    const AnsiString path = (dir.path() + "/speicher.hex").toStdString();
    LanguageIndex = 1;
    THexEditor e;
    for (Integer i = 0; i < 1024; ++i)
        e.Memory[i] = static_cast<Byte>(i * 7);
    {
        TModalHook dialogs({TModalAnswer::File(path)});
        e.Button4->click();
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_EQ(dialogs.Requests()[0].File.Kind, TFileDialogKind::Save);
        EXPECT_EQ(dialogs.Requests()[0].File.Filter, "All files|*.*");
    }
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 1024 * 4);
    file.close();

    std::memset(e.Memory.get(), 0, 1024);
    TModalHook dialogs({TModalAnswer::File(path), TModalAnswer::Button(IDOK)});
    e.Button3->click();
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[1].Text, "1024 bytes imported.");
    EXPECT_EQ(dialogs.Requests()[1].Caption, "Zentrika");
    EXPECT_EQ(e.Memory[1023], static_cast<Byte>(1023 * 7));

    // A save that fails says so.
    TModalHook failing({TModalAnswer::File((dir.path() + "/none/x.hex").toStdString()), TModalAnswer::Button(IDOK)});
    e.Button4->click();
    ASSERT_EQ(failing.Requests().size(), 2u);
    EXPECT_EQ(failing.Requests()[1].Flags, MB_OK | MB_ICONERROR);
}

TEST_F(SpeicherDialogTest, TextsInThreeLanguages)
{
    const char* const titles[] = {"Speicher RAM/ROM", "Memory RAM/ROM", "M\xC3\xA9moire RAM/ROM"};
    const char* const loads[] = {"&Laden...", "&Load...", "&Charger..."};
    for (Integer language = 0; language < 3; ++language) {
        LanguageIndex = language;
        THexEditor e;
        EXPECT_EQ(e.windowTitle(), QString::fromUtf8(titles[language]));
        EXPECT_EQ(e.Button3->text(), QString::fromUtf8(loads[language]));
    }
}

} // namespace
