#include "hardware/framework/DLG_Hardware.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "hardware/framework/DeviceChoices.h"
#include "hardware/framework/IO_Port.h"
#include "platform/AnsiText.h"
#include "platform/HtmlHelp.h"
#include "platform/IniFile.h"
#include "ui/controls/UCLListBox.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include <charconv>
#include <cstdio>
#include <string>

namespace {

using enum THardwareEditor;

constexpr THardwareKey Keys[] = {
    {"Basisadresse", "PORT", Hex4},        {"COM", "COM", ComList},
    {"LPT", "LPT", LptList},               {"Device", "ID", Hex4},
    {"SerialNo", "SERIALNO", Text15},      {"DeviceIndex", "ID", Hex4},
    {"Joystick#", "JOYST", Joysticks},  {"MIDIIN", "MIDI IN", MidiInputs},
    {"MIDIOUT", "MIDI OUT", MidiOutputs},  {"ADDRESS", "ADDRESS", Text15},
};

constexpr int Columns = 4;
constexpr int KindColumn = 2;
constexpr int ValueColumn = 3;
constexpr int SectionWidths[Columns] = {80, 230, 80, 110};

std::vector<AnsiString> NumberedList(const char* prefix, Integer last)
{
    std::vector<AnsiString> list{Translate("Kein")};
    for (Integer n = 1; n <= last; ++n)
        list.push_back(prefix + std::to_string(n));
    return list;
}

// The choices of a list editor.
std::vector<AnsiString> Choices(THardwareEditor editor)
{
    switch (editor) {
    case ComList: return NumberedList("COM", 99);
    case LptList: return NumberedList("LPT", 3);
    case Joysticks: return JoystickList();
    case MidiInputs: return MidiInputList();
    case MidiOutputs: return MidiOutputList();
    case Hex4:
    case Text15: break;
    }
    return {};
}

bool IsList(THardwareEditor editor)
{
    return editor != Hex4 && editor != Text15;
}

// A stored index; -1 for a text that is no decimal number.
Integer IndexOf(const AnsiString& value)
{
    const std::string_view text = TrimBlanks(value);
    Integer index = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    return error == std::errc() && end == text.data() + text.size() ? index : -1;
}

// A MIDI port shows the device's name while its index lies within the list.
AnsiString ShownValue(const THardwareKey* key, const AnsiString& value)
{
    if (!key || (key->Editor != MidiInputs && key->Editor != MidiOutputs))
        return value;
    const std::vector<AnsiString> list = Choices(key->Editor);
    const Integer index = IndexOf(value);
    return index >= 0 && index < Integer(list.size()) ? list[std::size_t(index)] : value;
}

}   // namespace

std::span<const THardwareKey> HardwareKeys()
{
    return Keys;
}

THardware_Dlg::THardware_Dlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("Hardware_Dlg");
    setFixedSize(520, 330);
    SetFormFont(*this, "MS Sans Serif", -11);

    Grid = Place(new QTableWidget(1, Columns, this), "Grid", 8, 8, 504, 270);
    Grid->hide();
    NewGrid = Place(new TUCLListBox(this), "NewGrid", 8, 8, 504, 270);
    NewGrid->SetBooleanOption(3, true);   // multi-select
    ChangeBtn = Place(new QPushButton(this), "ChangeBtn", 8, 294, 100, 25);
    OK_Btn = Place(new QPushButton("&OK", this), "OK_Btn", 352, 294, 75, 25);
    CancelBtn = Place(new QPushButton(this), "CancelBtn", 437, 294, 75, 25);
    OK_Btn->setDefault(true);
    ChangeBtn->setAutoDefault(false);
    CancelBtn->setAutoDefault(false);
    SetModalResult(OK_Btn, mrOk);
    SetModalResult(CancelBtn, mrCancel);
    ChangeBtn->setEnabled(false);

    connect(ChangeBtn, &QPushButton::clicked, this, [this] { ChangeBtnClick(); });
    connect(NewGrid->List(), &QListWidget::itemSelectionChanged, this, [this] { NewGridClick(); });
    connect(NewGrid->List(), &QListWidget::itemDoubleClicked, this, [this] {
        if (ChangeBtn->isEnabled())
            ChangeBtnClick();
    });
    SetTexts();
}

void THardware_Dlg::SetTexts()
{
    SetCaption("Hardware");
    CancelBtn->setText(AnsiToQString(ByLanguage("&Abbrechen", "&Cancel", "&Annuler")));
    ChangeBtn->setText(AnsiToQString(ByLanguage("&Ändern..."_ansi, "&Modify...", "&Modifier...")));
    const char* const header[3][Columns] = {
        {"Bezeichnung", "Name", "Verbindung", "Wert"},
        {"Designation", "Name", "Connection", "Value"},
        {"Désignation"_ansi, "Nom", "Connexion", "Valeur"},
    };
    for (int c = 0; c < Columns; ++c)
        Grid->setItem(0, c, new QTableWidgetItem(AnsiToQString(header[LanguageChoice()][c])));
}

void THardware_Dlg::BeforeShow()
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, !RunOnlyMode);
}

bool THardware_Dlg::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, HelpContext))
        return true;
    return TModalForm::event(event);
}

AnsiString THardware_Dlg::Cell(int column, int row) const
{
    const QTableWidgetItem* item = Grid->item(row, column);
    return item ? QStringToAnsi(item->text()) : AnsiString();
}

void THardware_Dlg::AddRow(const AnsiString& section, const AnsiString& name, const AnsiString& kind,
                           const AnsiString& value, const THardwareKey* key)
{
    const int row = Grid->rowCount();
    Grid->setRowCount(row + 1);
    const AnsiString cells[Columns] = {section, name, kind, value};
    for (int c = 0; c < Columns; ++c)
        Grid->setItem(row, c, new QTableWidgetItem(AnsiToQString(cells[c])));
    rowKeys_.push_back(key);
}

void THardware_Dlg::LoadHardwareIni(const AnsiString& fileName)
{
    SetTexts();
    // Emptied first, so no selection of the last file carries over.
    NewGrid->Clear();
    Grid->setRowCount(1);
    rowKeys_.clear();
    TIniFile ini(fileName);
    const std::vector<AnsiString> sections = ini.ReadSections();
    for (const AnsiString& section : sections) {
        const AnsiString name = ini.ReadString(section, "Name", "");
        for (const THardwareKey& key : Keys)
            if (ini.ValueExists(section, key.Key))
                AddRow(section, name, key.Kind, ini.ReadString(section, key.Key, ""), &key);
    }
    if (sections.empty())
        AddRow("-",
               ByLanguage("Projekt verwendet keine Hardware", "No hardware devices in project",
                          "Aucun module matériel dans le projet"_ansi),
               "-", "-", nullptr);
    NewGrid->SetBooleanOption(0, !sections.empty());
    BuildList();
}

void THardware_Dlg::SaveHardwareIni(const AnsiString& fileName)
{
    TIniFile ini(fileName);
    for (std::size_t i = 0; i < rowKeys_.size(); ++i)
        if (const THardwareKey* key = rowKeys_[i])
            ini.WriteString(Cell(0, int(i) + 1), key->Key, Cell(ValueColumn, int(i) + 1));
}

std::vector<int> THardware_Dlg::SelectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < NewGrid->List()->ItemCount(); ++i)
        if (NewGrid->GetSelected(i))
            rows.push_back(i);
    return rows;
}

void THardware_Dlg::BuildList()
{
    const std::vector<int> selected = SelectedRows();
    NewGrid->Header()->ClearSections();
    for (int c = 0; c < Columns; ++c)
        NewGrid->Header()->AddSection(AnsiToQString(Cell(c, 0)), SectionWidths[c]);
    NewGrid->Clear();
    for (std::size_t i = 0; i < rowKeys_.size(); ++i) {
        const int row = int(i) + 1;
        const AnsiString text = Cell(0, row) + ";" + Cell(1, row) + ";" + Cell(KindColumn, row) + ";" +
                                ShownValue(rowKeys_[i], Cell(ValueColumn, row));
        NewGrid->GetItems()->AddItem(AnsiToQString(text));
    }
    for (int i : selected)
        if (i < NewGrid->List()->ItemCount())
            NewGrid->List()->SetSelected(i, true);
    NewGridClick();
}

void THardware_Dlg::NewGridClick()
{
    const std::vector<int> selected = SelectedRows();
    firstSelected_ = selected.empty() ? -1 : selected.front();
    // The list reports while it is being rebuilt, when it may hold more rows than the grid.
    bool oneKind = !selected.empty();
    for (int i : selected)
        oneKind = oneKind && std::size_t(i) < rowKeys_.size() && rowKeys_[std::size_t(i)] &&
                  Cell(KindColumn, i + 1) == Cell(KindColumn, firstSelected_ + 1);
    ChangeBtn->setEnabled(oneKind);
}

void THardware_Dlg::ChangeBtnClick()
{
    const std::vector<int> selected = SelectedRows();
    if (!ChangeBtn->isEnabled() || firstSelected_ < 0)
        return;
    const THardwareKey& key = *rowKeys_[std::size_t(firstSelected_)];
    const int first = firstSelected_ + 1;
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(selected.size() == 1 ? Cell(1, first) : AnsiString(key.Kind));
    dlg.SetHelpContext(0);
    AnsiString text = Cell(ValueColumn, first);
    Integer index = IndexOf(text);
    switch (key.Editor) {
    case Hex4: dlg.Props->AddEdit(key.Kind, text, 4, 120); break;
    case Text15: dlg.Props->AddEdit(key.Kind, text, 15, 120); break;
    case ComList:
    case LptList: dlg.Props->AddCombo(key.Kind, index, Choices(key.Editor), 120); break;
    case Joysticks:
    case MidiInputs:
    case MidiOutputs: dlg.Props->AddCombo(key.Kind, index, Choices(key.Editor), 200); break;
    }
    dlg.FitToRows();
    if (dlg.ShowModal() != mrOk)
        return;
    // A list left without a choice changes nothing.
    if (IsList(key.Editor) && index < 0)
        return;
    const AnsiString stored = IsList(key.Editor) ? std::to_string(index)
                              : key.Editor == Hex4 ? AddressHex(HexToWord(text))
                                                   : text;
    for (int i : selected)
        Grid->item(i + 1, ValueColumn)->setText(AnsiToQString(stored));
    BuildList();
}

THardware_Dlg& Hardware_Dlg()
{
    // Kept to the end like the other forms of the program: a widget freed
    // after the application object would crash.
    static THardware_Dlg* dialog = new THardware_Dlg;
    return *dialog;
}

bool EditHardwareIni(const AnsiString& fileName)
{
    THardware_Dlg& dlg = Hardware_Dlg();
    dlg.LoadHardwareIni(fileName);
    if (dlg.ShowModal() != mrOk)
        return false;
    dlg.SaveHardwareIni(fileName);
    return true;
}
