#include "hardware/framework/DLG_Hardware.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "hardware/framework/DeviceChoices.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "ui/controls/UCLListBox.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

class HardwareDlg : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }

    // The file with the given content, then the dialog's rows from it.
    void Load(const char* content)
    {
        ASSERT_TRUE(folder_.isValid());
        QFile file(QtFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        dlg.LoadHardwareIni(FileName());
    }
    AnsiString FileName() const { return folder_.filePath("TEMP.INI").toStdString(); }
    QString QtFile() const { return folder_.filePath("TEMP.INI"); }
    AnsiString Stored(const char* section, const char* key)
    {
        TIniFile ini(FileName());
        return ini.ReadString(section, key, "<none>");
    }

    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < dlg.NewGrid->List()->ItemCount(); ++i)
            items.push_back(QStringToAnsi(dlg.NewGrid->List()->ItemText(i)));
        return items;
    }
    void Select(std::initializer_list<int> rows)
    {
        dlg.NewGrid->List()->clearSelection();
        for (int row : rows)
            dlg.NewGrid->List()->SetSelected(row, true);
    }
    // Presses ChangeBtn; the script edits the shared settings dialog's one
    // row, whose caption and title it may read, and answers OK or Cancel.
    void Change(const std::function<void(TDefault_Dlg&)>& script, bool ok = true)
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& sheet = static_cast<TDefault_Dlg&>(form);
            ASSERT_EQ(sheet.Props->Rows.size(), 1u);
            script(sheet);
            QTest::mouseClick(ok ? sheet.OKBtn : sheet.CancelBtn, Qt::LeftButton);
        }});
        QTest::mouseClick(dlg.ChangeBtn, Qt::LeftButton);
        shown_ = hook.Shown();
    }
    template <class E>
    static E& Row(TDefault_Dlg& sheet)
    {
        return dynamic_cast<E&>(*sheet.Props->Rows.at(0)->Editor);
    }

    THardware_Dlg dlg;
    std::vector<AnsiString> shown_;

private:
    QTemporaryDir folder_;
};

TEST_F(HardwareDlg, EveryConnectionKeyOfASectionIsOneRowInTableOrder)
{
    const struct {
        const char* Content;
        std::vector<std::string> Items;
    } cases[] = {
        {"[1.COM1]\r\nName=Modem\r\nCOM=3\r\n", {"1.COM1;Modem;COM;3"}},
        // The file's order of keys does not count; the table's does.
        {"[1.HW1]\r\nSerialNo=A17\r\nName=Karte\r\nBasisadresse=0378\r\n",
         {"1.HW1;Karte;PORT;0378", "1.HW1;Karte;SERIALNO;A17"}},
        {"[1.A1]\r\nADDRESS=x\r\nDeviceIndex=0002\r\nDevice=0001\r\nLPT=2\r\nJoystick#=1\r\n"
         "[2.B1]\r\nMIDIOUT=0\r\n",
         {"1.A1;;LPT;2", "1.A1;;ID;0001", "1.A1;;ID;0002", "1.A1;;JOYST;1", "1.A1;;ADDRESS;x", "2.B1;;MIDI OUT;Kein"}},
        // A section without a connection key shows nothing.
        {"[1.X1]\r\nName=Ohne\r\n[1.COM2]\r\nCOM=1\r\n", {"1.COM2;;COM;1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Content);
        Load(c.Content);
        EXPECT_EQ(Items(), c.Items);
        EXPECT_TRUE(dlg.NewGrid->isEnabled());
        EXPECT_EQ(dlg.Grid->rowCount(), int(c.Items.size()) + 1);
    }
}

TEST_F(HardwareDlg, AProjectWithoutHardwareShowsTheDashRowInADisabledList)
{
    const struct {
        Integer Language;
        const char* Item;
        const char* Header;
    } cases[] = {
        {0, "-;Projekt verwendet keine Hardware;-;-", "Bezeichnung"},
        {1, "-;No hardware devices in project;-;-", "Designation"},
        {2, "-;Aucun module matériel dans le projet;-;-", "Désignation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        LanguageIndex = c.Language;
        Load("");
        ASSERT_EQ(dlg.NewGrid->List()->ItemCount(), 1);
        EXPECT_EQ(dlg.NewGrid->List()->ItemText(0), QString::fromUtf8(c.Item));
        EXPECT_EQ(dlg.NewGrid->Header()->SectionText(0), QString::fromUtf8(c.Header));
        EXPECT_FALSE(dlg.NewGrid->isEnabled());
        EXPECT_FALSE(dlg.ChangeBtn->isEnabled());
        // Saving it writes nothing.
        dlg.SaveHardwareIni(FileName());
        EXPECT_TRUE(TIniFile(FileName()).ReadSections().empty());
    }
    // A file with sections after it enables the list again.
    Load("[1.COM1]\r\nCOM=1\r\n");
    EXPECT_TRUE(dlg.NewGrid->isEnabled());
}

TEST_F(HardwareDlg, MidiPortsShowTheDeviceNameWhileTheIndexIsInTheList)
{
    MidiInputNames = {"Keyboard", "Synth"};
    Load("[1.MI1]\r\nMIDIIN=2\r\n[1.MI2]\r\nMIDIIN=3\r\n[1.MI3]\r\nMIDIIN=abc\r\n[1.MO1]\r\nMIDIOUT=1\r\n");
    EXPECT_EQ(Items(), (std::vector<std::string>{"1.MI1;;MIDI IN;Synth", "1.MI2;;MIDI IN;3", "1.MI3;;MIDI IN;abc",
                                                 "1.MO1;;MIDI OUT;1"}));
    // The grid keeps the stored index.
    EXPECT_EQ(dlg.Grid->item(1, 3)->text(), "2");
}

TEST_F(HardwareDlg, ChangeBtnNeedsSelectedRowsOfOneKind)
{
    Load("[1.A1]\r\nCOM=1\r\n[1.B1]\r\nCOM=2\r\n[1.C1]\r\nBasisadresse=0378\r\n[1.D1]\r\nDevice=1\r\n"
         "[1.E1]\r\nDeviceIndex=2\r\n");
    const struct {
        std::initializer_list<int> Rows;
        bool Enabled;
    } cases[] = {
        {{}, false}, {{0}, true}, {{0, 1}, true}, {{0, 2}, false}, {{2}, true}, {{1, 2}, false},
        {{3, 4}, true},   // "Device" and "DeviceIndex" are both of kind ID
    };
    for (const auto& c : cases) {
        Select(c.Rows);
        EXPECT_EQ(dlg.ChangeBtn->isEnabled(), c.Enabled) << c.Rows.size() << " rows from " << (c.Rows.size() ? *c.Rows.begin() : -1);
    }
    // A double click opens the change dialog only while ChangeBtn is enabled.
    Select({0, 2});
    {
        TFormHook hook({});
        emit dlg.NewGrid->List()->itemDoubleClicked(dlg.NewGrid->List()->item(0));
        EXPECT_TRUE(hook.Shown().empty());
        Select({0, 1});
        emit dlg.NewGrid->List()->itemDoubleClicked(dlg.NewGrid->List()->item(0));
        EXPECT_EQ(hook.Shown(), std::vector<AnsiString>{"COM"});
    }
}

TEST_F(HardwareDlg, DoubleClickOnARowOpensTheChangeDialog)
{
    Load("[1.A1]\r\nName=Relais\r\nCOM=1\r\n");
    dlg.show();
    TFormHook hook({});
    QListWidget* list = dlg.NewGrid->List();
    const QPoint at = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(dlg.ChangeBtn->isEnabled());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(hook.Shown(), std::vector<AnsiString>{"Relais"});
}

// Every selected row takes the new value in its storage form; the others and
// Cancel keep theirs.
TEST_F(HardwareDlg, ChangingSeveralRowsWritesEachInItsStorageForm)
{
    MidiOutputNames = {"Out A", "Out B"};
    JoystickCount = 2;
    const struct {
        const char* Name;
        const char* Content;
        std::function<void(TDefault_Dlg&)> Edit;
        const char* Key;
        const char* Changed;   // both sections 1.A1 and 1.B1 after OK
        QStringList Choices;   // of a list editor
    } cases[] = {
        {"COM", "[1.A1]\r\nCOM=3\r\n[1.B1]\r\nCOM=4\r\n",
         [](TDefault_Dlg& s) { Row<TComboPropEditor>(s).Combo->setCurrentIndex(12); }, "COM", "12", {}},
        {"LPT", "[1.A1]\r\nLPT=1\r\n[1.B1]\r\nLPT=junk\r\n",
         [](TDefault_Dlg& s) { Row<TComboPropEditor>(s).Combo->setCurrentIndex(3); }, "LPT", "3",
         {"Kein", "LPT1", "LPT2", "LPT3"}},
        {"PORT", "[1.A1]\r\nBasisadresse=0378\r\n[1.B1]\r\nBasisadresse=0278\r\n",
         [](TDefault_Dlg& s) { Row<TEditPropEditor>(s).Edit->setText("2f8"); }, "Basisadresse", "02F8", {}},
        {"SERIALNO", "[1.A1]\r\nSerialNo=1\r\n[1.B1]\r\nSerialNo=2\r\n",
         [](TDefault_Dlg& s) { Row<TEditPropEditor>(s).Edit->setText("ab 12"); }, "SerialNo", "ab 12", {}},
        {"JOYST", "[1.A1]\r\nJoystick#=0\r\n[1.B1]\r\nJoystick#=1\r\n",
         [](TDefault_Dlg& s) { Row<TComboPropEditor>(s).Combo->setCurrentIndex(2); }, "Joystick#", "2",
         {"Kein", "Joystick #1", "Joystick #2"}},
        {"MIDI OUT", "[1.A1]\r\nMIDIOUT=0\r\n[1.B1]\r\nMIDIOUT=1\r\n",
         [](TDefault_Dlg& s) { Row<TComboPropEditor>(s).Combo->setCurrentIndex(1); }, "MIDIOUT", "1",
         {"Kein", "Out A", "Out B"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (bool ok : {false, true}) {
            Load(c.Content);
            const AnsiString beforeA = Stored("1.A1", c.Key);
            const AnsiString beforeB = Stored("1.B1", c.Key);
            Select({0, 1});
            QStringList choices;
            AnsiString caption;
            Change(
                [&](TDefault_Dlg& sheet) {
                    caption = sheet.Caption();
                    if (auto* combo = dynamic_cast<TComboPropEditor*>(sheet.Props->Rows.at(0)->Editor)) {
                        for (int i = 0; i < combo->Combo->count(); ++i)
                            choices << combo->Combo->itemText(i);
                    }
                    c.Edit(sheet);
                },
                ok);
            EXPECT_EQ(caption, c.Name);   // several rows: the kind
            if (!c.Choices.isEmpty()) {
                EXPECT_EQ(choices, c.Choices);
            }
            dlg.SaveHardwareIni(FileName());
            EXPECT_EQ(Stored("1.A1", c.Key), ok ? AnsiString(c.Changed) : beforeA);
            EXPECT_EQ(Stored("1.B1", c.Key), ok ? AnsiString(c.Changed) : beforeB);
            // The rows stay selected for the next change.
            EXPECT_TRUE(dlg.ChangeBtn->isEnabled());
        }
    }
}

TEST_F(HardwareDlg, TheChangeDialogStartsFromTheFirstSelectedRow)
{
    Load("[1.A1]\r\nName=Modem\r\nCOM=5\r\n[1.B1]\r\nName=Relais\r\nCOM=9\r\n[1.C1]\r\nCOM=99\r\n");
    const struct {
        std::initializer_list<int> Rows;
        const char* Caption;
        int Index;
    } cases[] = {{{1}, "Relais", 9}, {{1, 2}, "COM", 9}, {{0, 2}, "COM", 5}, {{2}, "", 99}};
    for (const auto& c : cases) {
        Select(c.Rows);
        int index = -2;
        AnsiString caption;
        Change(
            [&](TDefault_Dlg& sheet) {
                caption = sheet.Caption();
                index = Row<TComboPropEditor>(sheet).Combo->currentIndex();
                EXPECT_EQ(sheet.HelpContext(), 0);
            },
            false);
        EXPECT_EQ(caption, c.Caption);
        EXPECT_EQ(index, c.Index);
    }
}

// Each row goes back under the key it came from: a section with two keys of
// one kind, or with a MIDI port and an address, keeps the other key's value.
TEST_F(HardwareDlg, SavingWritesEveryRowUnderItsOwnKey)
{
    Load("[1.A1]\r\nName=Karte\r\nDevice=0001\r\nDeviceIndex=0002\r\n[1.M1]\r\nMIDIIN=1\r\nADDRESS=adr\r\n");
    Select({0});
    Change([](TDefault_Dlg& s) { Row<TEditPropEditor>(s).Edit->setText("7"); });
    Select({3});
    Change([](TDefault_Dlg& s) { Row<TEditPropEditor>(s).Edit->setText("neu"); });
    dlg.SaveHardwareIni(FileName());
    EXPECT_EQ(Stored("1.A1", "Device"), "0007");
    EXPECT_EQ(Stored("1.A1", "DeviceIndex"), "0002");
    EXPECT_EQ(Stored("1.A1", "Name"), "Karte");
    EXPECT_EQ(Stored("1.M1", "MIDIIN"), "1");
    EXPECT_EQ(Stored("1.M1", "ADDRESS"), "neu");
    // No key of another kind was added.
    EXPECT_EQ(Stored("1.M1", "MIDIOUT"), "<none>");
    EXPECT_EQ(Stored("1.A1", "Basisadresse"), "<none>");
}

TEST_F(HardwareDlg, TextsFollowTheLanguage)
{
    const struct {
        Integer Language;
        const char* Cancel;
        const char* Change;
        const char* Headers;
    } cases[] = {
        {0, "&Abbrechen", "&Ändern...", "Bezeichnung Name Verbindung Wert"},
        {1, "&Cancel", "&Modify...", "Designation Name Connection Value"},
        {2, "&Annuler", "&Modifier...", "Désignation Nom Connexion Valeur"},
    };
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        Load("[1.A1]\r\nCOM=1\r\n");
        EXPECT_EQ(dlg.CancelBtn->text(), QString::fromUtf8(c.Cancel));
        EXPECT_EQ(dlg.ChangeBtn->text(), QString::fromUtf8(c.Change));
        QStringList headers;
        for (int i = 0; i < dlg.NewGrid->Header()->SectionCount(); ++i)
            headers << dlg.NewGrid->Header()->SectionText(i);
        EXPECT_EQ(headers.join(' '), QString::fromUtf8(c.Headers));
    }
}

// The command's round trip on the program's one list: OK saves the edits,
// Cancel leaves the file; the help button is not offered in a run-only copy.
TEST_F(HardwareDlg, TheProgramsListSavesOnOkOnly)
{
    Load("[1.A1]\r\nCOM=1\r\n");
    for (bool ok : {false, true}) {
        for (bool runOnly : {false, true}) {
            RunOnlyMode = runOnly;
            bool helpButton = true;
            TFormHook hook({[&](TModalForm& form) {
                auto& list = dynamic_cast<THardware_Dlg&>(form);
                helpButton = list.windowFlags().testFlag(Qt::WindowContextHelpButtonHint);
                list.NewGrid->List()->SetSelected(0, true);
                // The change's own dialog runs inside this one.
                QTest::mouseClick(list.ChangeBtn, Qt::LeftButton);
                QTest::mouseClick(ok ? list.OK_Btn : list.CancelBtn, Qt::LeftButton);
            },
                            [](TModalForm& form) {
                                auto& sheet = static_cast<TDefault_Dlg&>(form);
                                Row<TComboPropEditor>(sheet).Combo->setCurrentIndex(4);
                                QTest::mouseClick(sheet.OKBtn, Qt::LeftButton);
                            }});
            EXPECT_EQ(EditHardwareIni(FileName()), ok);
            EXPECT_EQ(helpButton, !runOnly);
            EXPECT_EQ(Stored("1.A1", "COM"), ok ? "4" : "1");
        }
    }
}

}   // namespace
