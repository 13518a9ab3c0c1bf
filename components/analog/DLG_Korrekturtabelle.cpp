#include "components/analog/DLG_Korrekturtabelle.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QWhatsThis>

namespace {

constexpr Integer HelpTopic = 18410;

QString Text(const char* german, const char* english, const char* french)
{
    return AnsiToQString(ByLanguage(german, english, french));
}

// What the grid shows of a number: the general format with 15 digits and
// the locale's decimal separator.
QString CellText(Extended v)
{
    return AnsiToQString(LocaliseDecimalSeparator(FormatGeneral(v, 15, 1)));
}

Extended EditValue(const QLineEdit* edit)
{
    return StrToValue(QStringToAnsi(edit->text()));
}

} // namespace

TKorrekturtabelleDlg::TKorrekturtabelleDlg(QWidget* parent) : TModalForm(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    setFixedSize(470, 330);
    SetFormFont(*this, "MS Sans Serif", -11);
    Grid = Place(new QTableWidget(0, 2, this), "Grid", 8, 8, 200, 280);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->setColumnWidth(0, 94);
    Grid->setColumnWidth(1, 94);
    GroupBox1 = Place(new QGroupBox(this), "GroupBox1", 216, 8, 245, 200);
    Label1 = Place(new QLabel(GroupBox1), "Label1", 10, 20, 100, 16);
    E_Edit = Place(new QLineEdit("0", GroupBox1), "E_Edit", 10, 38, 100, 21);
    Label2 = Place(new QLabel(GroupBox1), "Label2", 10, 66, 100, 16);
    A_Edit = Place(new QLineEdit("0", GroupBox1), "A_Edit", 10, 84, 100, 21);
    AddBtn = Place(new QPushButton(GroupBox1), "AddBtn", 120, 20, 115, 25);
    ChangeBtn = Place(new QPushButton(GroupBox1), "ChangeBtn", 120, 50, 115, 25);
    DeleteBtn = Place(new QPushButton(GroupBox1), "DeleteBtn", 120, 80, 115, 25);
    DeleteAllBtn = Place(new QPushButton(GroupBox1), "DeleteAllBtn", 120, 110, 115, 25);
    ImportBtn = Place(new QPushButton("&Import...", GroupBox1), "ImportBtn", 120, 160, 115, 25);
    Label3 = Place(new QLabel(this), "Label3", 216, 212, 245, 70);
    Label3->setWordWrap(true);
    Label3->setStyleSheet("color: gray");
    cb_RuntimeEdit = Place(new QCheckBox(AnsiToQString(Translate("Zur Laufzeit einstellbar")), this), "cb_RuntimeEdit",
                           8, 298, 200, 20);
    OKBtn = Place(new QPushButton("&OK", this), "OKBtn", 296, 294, 75, 25);
    CancelBtn = Place(new QPushButton(this), "CancelBtn", 384, 294, 75, 25);
    OKBtn->setDefault(true);
    SetModalResult(OKBtn, mrOk);
    SetModalResult(CancelBtn, mrCancel);

    SetCaption(ByLanguage("Korrekturtabelle", "Table of correction", "Table de correction"));
    Grid->setHorizontalHeaderLabels({Text("Eingang", "Input", "Entrée"_ansi), Text("Ausgang", "Output", "Sortie")});
    CancelBtn->setText(Text("&Abbrechen", "&Cancel", "&Annuler"));
    GroupBox1->setTitle(Text("Korrekturwert", "Correction value", "Valeur de correction"));
    Label1->setText(Text("Eingang", "Input", "Entrée"_ansi));
    Label2->setText(Text("Ausgang", "Output", "Sortie"));
    Label3->setText(Text("Ausgangswerte zwischen, unter und über den Eingangswerte werden linear interpoliert. Dazu "
                         "sind mindestens zwei Wertepaare erforderlich."_ansi,
                         "Output values between, below and above the input values are linear interpolated. "
                         "Therefore at least two points are required.",
                         "Les valeurs de sortie en dessous et au dessus des valeurs saisies seront linéairement "
                         "interpolées. Aussi deux points sont au minimum requis."_ansi));
    ChangeBtn->setText(Text("<<< Ä&ndern"_ansi, "<<< Cha&nge", "<<< Cha&nger"));
    AddBtn->setText(Text("<<< &Hinzufügen"_ansi, "<<< &Add", "<<< &Ajouter"));
    DeleteBtn->setText(Text("&Löschen"_ansi, "&Delete", "&Effacer"));
    DeleteAllBtn->setText(Text("All&es löschen"_ansi, "C&lear", "En&lever"));

    connect(E_Edit, &QLineEdit::textChanged, this, [this] { E_EditChange(); });
    connect(A_Edit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(Grid, &QTableWidget::cellClicked, this, [this] { GridClick(); });
    connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
    connect(ChangeBtn, &QPushButton::clicked, this, [this] { ChangeBtnClick(); });
    connect(DeleteBtn, &QPushButton::clicked, this, [this] { DeleteBtnClick(); });
    connect(DeleteAllBtn, &QPushButton::clicked, this, [this] { DeleteAllBtnClick(); });
    connect(ImportBtn, &QPushButton::clicked, this, [this] { ImportBtnClick(); });
}

Integer TKorrekturtabelleDlg::SelectedRow() const
{
    const int row = Grid->currentRow();
    return row < 0 ? 0 : row + 1;
}

void TKorrekturtabelleDlg::SelectRow(Integer row)
{
    if (row >= 1 && row <= Grid->rowCount())
        Grid->selectRow(row - 1);
}

void TKorrekturtabelleDlg::FillGrid()
{
    Grid->setRowCount(Values.Count());
    for (Integer i = 0; i < Values.Count(); ++i) {
        Grid->setItem(i, 0, new QTableWidgetItem(CellText(Values[i].Input)));
        Grid->setItem(i, 1, new QTableWidgetItem(CellText(Values[i].Output)));
    }
    CopyOnClick = true;
    SelectRow(Values.FindIndex(EditValue(E_Edit)) + 1);
    E_Edit->selectAll();
    UpdateButtons();
}

void TKorrekturtabelleDlg::UpdateButtons()
{
    const Extended e = EditValue(E_Edit);
    const Extended a = EditValue(A_Edit);
    const int row = SelectedRow() - 1;
    const bool hasRow = row >= 0 && Grid->item(row, 0) && Grid->item(row, 1);
    const Extended rowInput = hasRow ? StrToValue(QStringToAnsi(Grid->item(row, 0)->text())) : 0.0L;
    const Extended rowOutput = hasRow ? StrToValue(QStringToAnsi(Grid->item(row, 1)->text())) : 0.0L;
    const bool more = Values.Count() > 2;
    DeleteBtn->setEnabled(more);
    DeleteAllBtn->setEnabled(more);
    ChangeBtn->setEnabled(hasRow && (e != rowInput || a != rowOutput));
    AddBtn->setEnabled(!hasRow || e != rowInput);
}

void TKorrekturtabelleDlg::E_EditChange()
{
    CopyOnClick = false;
    SelectRow(Values.FindIndex(EditValue(E_Edit)) + 1);
    UpdateButtons();
}

void TKorrekturtabelleDlg::GridClick()
{
    const int row = SelectedRow() - 1;
    if (CopyOnClick && row >= 0 && Grid->item(row, 0) && Grid->item(row, 1)) {
        // Typing into the edits would select a row again; the clicked one stays.
        const QSignalBlocker blockE(E_Edit);
        const QSignalBlocker blockA(A_Edit);
        E_Edit->setText(Grid->item(row, 0)->text());
        A_Edit->setText(Grid->item(row, 1)->text());
    }
    CopyOnClick = true;
    UpdateButtons();
}

void TKorrekturtabelleDlg::AddBtnClick()
{
    Values.Add(EditValue(E_Edit), EditValue(A_Edit));
    FillGrid();
}

void TKorrekturtabelleDlg::ChangeBtnClick()
{
    Values.Change(SelectedRow() - 1, EditValue(E_Edit), EditValue(A_Edit));
    FillGrid();
}

void TKorrekturtabelleDlg::DeleteBtnClick()
{
    if (Values.Count() > 2) {
        Values.Delete(SelectedRow() - 1);
        FillGrid();
    }
}

void TKorrekturtabelleDlg::DeleteAllBtnClick()
{
    if (Values.Count() <= 2)
        return;
    const AnsiString question = ByLanguage("Liste mit Korrekturwerten komplett löschen?"_ansi,
                                           "Clear list of correction values?",
                                           "Effacer la liste des valeurs de correction ?");
    if (MessageBox(question, QStringToAnsi(windowTitle()), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Values.Reset();
    FillGrid();
}

// A file that cannot be read, or holds more pairs than a table can, leaves
// the list as it was and says so: emptying the table first would lose the
// user's pairs to a wrong file.
void TKorrekturtabelleDlg::ImportBtnClick()
{
    TFileDialog dialog;
    dialog.Filter = "Text (*.txt)|*.txt|CSV (*.csv)|*.csv";
    dialog.DefaultExt = "txt";
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    const std::optional<TKorrekturwerte> imported = ImportCorrectionFile(fileName);
    if (!imported) {
        MessageBox(ByLanguage("Die Datei kann nicht gelesen werden:"_ansi, "The file cannot be read:",
                              "Le fichier ne peut pas être lu :"_ansi)
                       + AnsiString("\r") + fileName,
                   QStringToAnsi(windowTitle()), MB_OK | MB_ICONERROR);
        return;
    }
    Values = *imported;
    FillGrid();
}

bool TKorrekturtabelleDlg::event(QEvent* event)
{
    if (event->type() == QEvent::EnterWhatsThisMode) {
        QWhatsThis::leaveWhatsThisMode();
        ShowHelpTopic(HelpTopic);
        return true;
    }
    return TModalForm::event(event);
}
