// The pins-and-ports editor with real widgets: ports and channels shown,
// descriptions kept across port changes and whatever closes the form, the
// built-in range and direction dialogs on the shared settings dialog, the
// device's own configure handler, and the settings dialog's pin button.
#include "hardware/framework/DLG_PinPort.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "hardware/framework/EditGrid.h"
#include "hardware/framework/IO_Port.h"
#include "platform/AnsiText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

using TAction = TFormHook::TAction;

AnsiString Text(const QString& text)
{
    return QStringToAnsi(text);
}

// "1.000 ... 2.000" with the locale's decimal separator in both numbers.
AnsiString LocalRange(const AnsiString& range)
{
    const auto dots = range.find(" ... ");
    return LocaliseDecimalSeparator(range.substr(0, dots)) + " ... " + LocaliseDecimalSeparator(range.substr(dots + 5));
}

class PinPortEditor : public ::testing::Test {
protected:
    PinPortEditor()
    {
        digital.PortName = "Digital";
        for (int i = 0; i < 8; ++i)
            digital.AddPin("Bit " + std::to_string(i), "D" + std::to_string(i), 0, 5, false);
        empty.PortName = "Leer";
        analog.PortName = "Analog";
        analog.AddPin("Spannung", "AI0", 0, 10, true);
        TPin& line = analog.AddPin("Leitung", "IO1", 0, 5, true);
        line.ChannelMode = 1;
    }
    void TearDown() override
    {
        LanguageIndex = 0;
        ResetGlobals();
    }

    std::vector<TIOPort*> Ports() { return {&digital, &empty, &analog}; }

    // Clicks the port's line in the list, as a person does.
    static void ClickPort(TPinEdit& edit, int row)
    {
        QListWidget& list = *edit.PortListBox;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    }
    static void ClickCell(TPinEdit& edit, int row, int column)
    {
        TEditGrid& grid = *edit.PinGrid;
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualItemRect(grid.item(row, column)).center());
    }
    // Opens the description cell of the row and types the text over it.
    static void TypeDescription(TPinEdit& edit, int row, const char* text)
    {
        TEditGrid& grid = *edit.PinGrid;
        grid.setCurrentCell(row, 1);
        grid.editItem(grid.item(row, 1));
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.model()->index(row, 1)));
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
    }

    TIOPort digital;
    TIOPort empty;
    TIOPort analog;
};

TEST_F(PinPortEditor, ShowsThePortsAndTheChannelsOfTheFirst)
{
    TPinEdit edit;
    int changes = 0;
    edit.OnChange = [&](TPinEdit* sender) {
        EXPECT_EQ(sender, &edit);
        ++changes;
    };
    edit.SetPortliste(Ports());

    ASSERT_EQ(edit.PortListBox->count(), 3);
    EXPECT_EQ(Text(edit.PortListBox->item(2)->text()), "Analog");
    EXPECT_EQ(edit.PortListBox->currentRow(), 0);
    EXPECT_EQ(edit.ShownPort(), 0);
    ASSERT_EQ(edit.PinGrid->rowCount(), 8);
    EXPECT_TRUE(edit.PinGrid->isEnabled());
    EXPECT_EQ(Text(edit.PinGrid->item(7, 0)->text()), "D7");
    EXPECT_EQ(edit.PinGrid->CellText(7), "Bit 7");
    EXPECT_FALSE(edit.PinGrid->item(0, 0)->flags() & Qt::ItemIsEditable) << "short names are not edited";
    EXPECT_EQ(edit.PinGrid->currentRow(), 0);
    EXPECT_EQ(edit.PinGrid->currentColumn(), 1);
    EXPECT_EQ(edit.ShownPin(), digital.Pins[0].get());
    EXPECT_EQ(edit.EditedRow(), 0);
    EXPECT_EQ(changes, 1);

    // A channel that is not configurable: its box without range.
    EXPECT_FALSE(edit.PinGroupBox->isHidden());
    EXPECT_EQ(Text(edit.PinGroupBox->title()), "Bit 0 [D0]");
    EXPECT_FALSE(edit.KonfigBtn->isEnabled());
    EXPECT_EQ(Text(edit.InfoLabel->text()), "");

    ClickCell(edit, 3, 0);
    EXPECT_EQ(edit.ShownPin(), digital.Pins[3].get());
    EXPECT_EQ(edit.EditedRow(), 3);
    EXPECT_EQ(Text(edit.PinGroupBox->title()), "Bit 3 [D3]");
    EXPECT_EQ(changes, 2);
}

TEST_F(PinPortEditor, APortWithoutChannelsShowsAnEmptyDisabledGridAndNoChannel)
{
    TPinEdit edit;
    edit.SetPortliste(Ports());
    ClickPort(edit, 1);
    EXPECT_EQ(edit.ShownPort(), 1);
    EXPECT_EQ(edit.PinGrid->rowCount(), 0);
    EXPECT_FALSE(edit.PinGrid->isEnabled());
    EXPECT_TRUE(edit.PinGroupBox->isHidden());
    EXPECT_FALSE(edit.KonfigBtn->isEnabled());
    EXPECT_EQ(edit.ShownPin(), nullptr);
    EXPECT_EQ(edit.EditedRow(), -1);

    // No ports at all: the same.
    edit.SetPortliste({});
    EXPECT_EQ(edit.PortListBox->count(), 0);
    EXPECT_EQ(edit.PinGrid->rowCount(), 0);
    EXPECT_TRUE(edit.PinGroupBox->isHidden());
}

TEST_F(PinPortEditor, EditedDescriptionsSurviveAnotherRowAndAnotherPort)
{
    TPinEdit edit;
    edit.SetPortliste(Ports());
    TypeDescription(edit, 1, "Motor");
    ClickCell(edit, 4, 1);
    EXPECT_EQ(digital.Pins[1]->Description, "Motor") << "stored before another row is shown";

    TypeDescription(edit, 4, "Lampe 2");
    ClickPort(edit, 2);
    EXPECT_EQ(digital.Pins[4]->Description, "Lampe 2") << "stored before another port is shown";
    EXPECT_EQ(edit.PinGrid->CellText(0), "Spannung");

    ClickPort(edit, 0);
    EXPECT_EQ(edit.PinGrid->CellText(4), "Lampe 2");
    EXPECT_EQ(analog.Pins[0]->Description, "Spannung");
}

TEST_F(PinPortEditor, TheFormStoresTheDescriptionsWhateverClosesIt)
{
    const struct {
        const char* Name;
        Integer Result;
        std::function<void(TPinPortDlg&)> Close;
    } cases[] = {
        {"OK", mrOk, [](TPinPortDlg& dlg) { QTest::mouseClick(dlg.OKBtn, Qt::LeftButton); }},
        {"Cancel", mrCancel, [](TPinPortDlg& dlg) { QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton); }},
        {"Escape", mrCancel, [](TPinPortDlg& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }},
    };
    for (const auto& c : cases) {
        TPinPortDlg dlg;
        dlg.PinEdit->SetPortliste(Ports());
        ClickPort(*dlg.PinEdit, 2);
        TFormHook hook({[&](TModalForm&) {
            EXPECT_EQ(dlg.PinEdit->ShownPort(), 0) << "each showing starts at the first port";
            TypeDescription(*dlg.PinEdit, 6, c.Name);
            c.Close(dlg);
        }});
        EXPECT_EQ(dlg.ShowModal(), c.Result) << c.Name;
        EXPECT_EQ(digital.Pins[6]->Description, c.Name);
    }
}

TEST_F(PinPortEditor, TheRangeDialogSetsMinAndMaxAndFallsBackToZeroToFive)
{
    TPin& channel = *analog.Pins[0];
    const struct {
        const char* From;
        const char* To;
        bool Ok;
        Extended Min;
        Extended Max;
        const char* Range;   // the label, with "." as separator
    } cases[] = {
        {"1", "7.5", true, 1, 7.5L, "1.000 ... 7.500"},
        {"-2,5", " 4 ", true, -2.5L, 4, "-2.500 ... 4.000"},
        {"+1e2", "2E3", true, 100, 2000, "100.000 ... 2000.000"},
        {"abc", "3", true, 0, 5, "0.000 ... 5.000"},
        {"2", "abc", true, 0, 5, "0.000 ... 5.000"},
        {"", "3", true, 0, 5, "0.000 ... 5.000"},
        {"1x", "3", true, 0, 5, "0.000 ... 5.000"},
        {"inf", "3", true, 0, 5, "0.000 ... 5.000"},
        {"1", "2", false, -1, 9, "-1.000 ... 9.000"},
    };
    for (const auto& c : cases) {
        channel.Min = -1;
        channel.Max = 9;
        TPinEdit edit;
        edit.SetPortliste(Ports());
        ClickPort(edit, 2);
        int changes = 0;
        edit.OnChange = [&](TPinEdit*) { ++changes; };
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            EXPECT_EQ(dlg.Caption(), "Spannung");
            EXPECT_EQ(dlg.HelpContext(), 0);
            ASSERT_EQ(dlg.Props->Rows.size(), 1u);
            auto& row = dynamic_cast<TRangePropEditor&>(*dlg.Props->Rows[0]->Editor);
            EXPECT_EQ(Text(row.NameLabel->text()), "Bereich [min/max]");
            EXPECT_EQ(Text(row.FromEdit->text()), "-1");
            EXPECT_EQ(Text(row.ToEdit->text()), "9");
            row.FromEdit->setText(c.From);
            row.ToEdit->setText(c.To);
            QTest::mouseClick(c.Ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        QTest::mouseClick(edit.KonfigBtn, Qt::LeftButton);
        EXPECT_EQ(hook.Shown().size(), 1u);
        EXPECT_EQ(channel.Min, c.Min) << c.From << " / " << c.To;
        EXPECT_EQ(channel.Max, c.Max) << c.From << " / " << c.To;
        EXPECT_EQ(changes, 1) << "the channel is shown again";
        EXPECT_EQ(Text(edit.InfoLabel->text()), LocalRange(c.Range) + " (Eingang)");
    }
}

TEST_F(PinPortEditor, ChannelModeOneOffersTheDirection)
{
    TPin& line = *analog.Pins[1];
    for (bool ok : {true, false}) {
        line.Direction = PinHardwareInput;
        TPinEdit edit;
        edit.SetPortliste(Ports());
        ClickPort(edit, 2);
        ClickCell(edit, 1, 1);
        ASSERT_EQ(edit.ShownPin(), &line);
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            EXPECT_EQ(dlg.Caption(), "Leitung");
            ASSERT_EQ(dlg.Props->Rows.size(), 1u);
            auto& row = dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows[0]->Editor);
            EXPECT_EQ(Text(row.NameLabel->text()), "Richtung");
            ASSERT_EQ(row.Combo->count(), 2);
            EXPECT_EQ(Text(row.Combo->itemText(0)), "Eingang");
            EXPECT_EQ(Text(row.Combo->itemText(1)), "Ausgang");
            EXPECT_EQ(row.Combo->currentIndex(), 0);
            row.Combo->setCurrentIndex(1);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        QTest::mouseClick(edit.KonfigBtn, Qt::LeftButton);
        EXPECT_EQ(line.Direction, ok ? PinHardwareOutput : PinHardwareInput);
        EXPECT_EQ(line.Min, 0);
        EXPECT_EQ(line.Max, 5);
        EXPECT_EQ(Text(edit.InfoLabel->text()), LocalRange("0.000 ... 5.000") + (ok ? " (Ausgang)" : " (Eingang)"));
    }
}

TEST_F(PinPortEditor, ADeviceHandlerReplacesTheBuiltInDialogs)
{
    TPinEdit edit;
    edit.SetPortliste(Ports());
    ClickPort(edit, 2);
    std::vector<AnsiString> calls;
    edit.OnConfigure = [&](TPinEdit* sender) {
        EXPECT_EQ(sender, &edit);
        calls.push_back("configure");
    };
    edit.OnChange = [&](TPinEdit*) { calls.push_back("change"); };
    TFormHook hook({});
    QTest::mouseClick(edit.KonfigBtn, Qt::LeftButton);
    EXPECT_TRUE(hook.Shown().empty()) << "no settings dialog";
    EXPECT_EQ(calls, (std::vector<AnsiString>{"configure", "change"}));
}

TEST_F(PinPortEditor, TextsFollowTheLanguage)
{
    const struct {
        const char* Connection;
        const char* Comment;
        const char* Button;
        const char* Cancel;
        const char* Range;
        const char* Input;
        const char* Output;
    } texts[] = {
        {"Anschluss", "Beschreibung", "&Konfigurieren...", "&Abbrechen", "Bereich [min/max]", "(Eingang)",
         "(Ausgang)"},
        {"Connection", "Comment", "&Configuration...", "&Cancel", "Range [min/max]", "(input)", "(output)"},
        {"Connexion", "Commentaire", "&Configuration...", "&Annuler", "Gamme [min/max]", "(Entr\xE9" "e)",
         "(Sortie)"},
    };
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        const auto& t = texts[language];
        TPinPortDlg dlg;
        TPinEdit& edit = *dlg.PinEdit;
        EXPECT_EQ(dlg.Caption(), "Pins & Ports");
        EXPECT_EQ(Text(dlg.OKBtn->text()), "&OK");
        EXPECT_EQ(Text(dlg.CancelBtn->text()), t.Cancel);
        EXPECT_EQ(Text(edit.PinGrid->horizontalHeaderItem(0)->text()), t.Connection);
        EXPECT_EQ(Text(edit.PinGrid->horizontalHeaderItem(1)->text()), t.Comment);
        EXPECT_EQ(Text(edit.KonfigBtn->text()), t.Button);

        edit.SetPortliste(Ports());
        ClickPort(edit, 2);
        EXPECT_EQ(Text(edit.InfoLabel->text()), LocalRange("0.000 ... 10.000") + " " + t.Input);
        analog.Pins[0]->Direction = PinHardwareOutput;
        edit.ShowPin(analog.Pins[0].get());
        EXPECT_EQ(Text(edit.InfoLabel->text()), LocalRange("0.000 ... 10.000") + " " + t.Output);
        analog.Pins[0]->Direction = PinHardwareInput;

        TFormHook hook({[&](TModalForm& form) {
            auto& sheet = static_cast<TDefault_Dlg&>(form);
            ASSERT_EQ(sheet.Props->Rows.size(), 1u);
            EXPECT_EQ(Text(sheet.Props->Rows[0]->Editor->NameLabel->text()), t.Range);
        }});
        QTest::mouseClick(edit.KonfigBtn, Qt::LeftButton);
    }
}

TEST_F(PinPortEditor, ThePinButtonShowsTheFormAndTheSettingsDialogsEndReleasesTheDevice)
{
    InstallPinPortDialogLink();
    PinPortDlg().PinEdit->SetPortliste(Ports());
    PinPortDlg().PinEdit->OnChange = [](TPinEdit*) {};
    PinPortDlg().PinEdit->OnConfigure = [](TPinEdit*) {};
    {
        TDefault_Dlg settings;
        settings.SetCaption("Ger\xE4t");
        settings.PinBtn->show();
        TFormHook hook({[&](TModalForm&) {
                            QTest::mouseClick(settings.PinBtn, Qt::LeftButton);
                            QTest::mouseClick(settings.OKBtn, Qt::LeftButton);
                        },
                        [&](TModalForm& form) {
                            EXPECT_EQ(&form, &PinPortDlg());
                            TypeDescription(*PinPortDlg().PinEdit, 2, "Ventil");
                            QTest::mouseClick(PinPortDlg().CancelBtn, Qt::LeftButton);
                        }});
        EXPECT_EQ(settings.ShowModal(), mrOk);
        EXPECT_EQ(hook.Shown(), (std::vector<AnsiString>{"Ger\xE4t", "Ger\xE4t"}));
        EXPECT_EQ(digital.Pins[2]->Description, "Ventil");
    }
    // The device may be freed once its settings dialog is gone.
    TPinEdit& edit = *PinPortDlg().PinEdit;
    EXPECT_FALSE(edit.OnChange);
    EXPECT_FALSE(edit.OnConfigure);
    EXPECT_TRUE(edit.Portliste().empty());
    EXPECT_EQ(edit.PortListBox->count(), 0);
    EXPECT_EQ(edit.PinGrid->rowCount(), 0);
    PinPortDialogLink() = {};
}

}   // namespace
