#include "components/digital/DLG_Speicher.h"

#include "components/digital/HexDatei.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"
#include "ui/controls/UCLBrowseEdit.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

// A text of the current language, written in UTF-8 here.
QString L(const char* de, const char* en, const char* fr)
{
    return QString::fromUtf8(ByLanguage(de, en, fr));
}

// The same in the program's own 8-bit text.
AnsiString A(const char* utf8)
{
    return QStringToAnsi(QString::fromUtf8(utf8));
}

constexpr const char* SizeEntries[] = {"256", "512", "1k", "2k", "4k", "8k", "16k", "32k", "64k"};

bool IsHexDigit(QChar c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// The cell text checked by the view: the byte (or bit) it stands for, or -1.
int CheckedValue(Integer mode, QString text)
{
    if (mode == 0) {
        if (text.size() > 2)
            return -1;
        text = text.toUpper();
        while (text.size() < 2)
            text.prepend('0');
        if (!IsHexDigit(text[0]) || !IsHexDigit(text[1]))
            return -1;
        return text.toInt(nullptr, 16);
    }
    if (mode == 1) {
        if (text.isEmpty() || text == "0")
            return 0;
        return text == "1" ? 1 : -1;
    }
    if (text.size() > 3)
        return -1;
    for (QChar c : text)
        if (c < '0' || c > '9')
            return -1;
    const int v = text.isEmpty() ? 0 : text.toInt();
    return v <= 255 ? v : -1;
}

void WarnRefused(Integer mode)
{
    static const char* const Texts[3][3] = {
        {"Kein gültiger HEX-Wert", "Invalid HEX value", "Valeur HEX incorrecte"},
        {"Kein gültiger Binärwert", "Invalid binary value", "Valeur binaire incorrecte"},
        {"Kein gültiger Dezimalwert", "Invalid decimal value", "Valeur décimale incorrecte"},
    };
    const auto& t = Texts[std::clamp<Integer>(mode, 0, 2)];
    MessageBox(A(ByLanguage(t[0], t[1], t[2])),
               ByLanguage("Fehleingabe", "Invalid entry", "Saisie incorrecte"),
               MB_OK | MB_ICONWARNING);
}

} // namespace

// ---- Model

void THexModel::SetView(Integer displayMode, Integer memorySize)
{
    beginResetModel();
    mode_ = std::clamp<Integer>(displayMode, 0, 2);
    size_ = std::clamp<Integer>(memorySize, 0, THexEditor::Capacity);
    endResetModel();
}

int THexModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return mode_ == 1 ? size_ : size_ / 8;
}

QVariant THexModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (mode_ == 1)
        return QString(memory_[index.row()] >> index.column() & 1 ? "1" : "0");
    const Byte b = memory_[index.row() * 8 + index.column()];
    return mode_ == 0 ? QString("%1").arg(b, 2, 16, QChar('0')).toUpper() : QString::number(b);
}

QVariant THexModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return (mode_ == 1 ? QString("bit %1") : QString("+%1")).arg(section);
    const Integer address = RowAddress(section);
    if (mode_ == 2)
        return QString::number(address);
    return QString("$%1").arg(address, 4, 16, QChar('0')).toUpper();
}

Qt::ItemFlags THexModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool THexModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int v = CheckedValue(mode_, value.toString());
    if (v < 0) {
        WarnRefused(mode_);
        emit Refused(index);
        return false;
    }
    if (mode_ == 1) {
        Byte& b = memory_[index.row()];
        const Byte bit = Byte(1u << index.column());
        b = v ? Byte(b | bit) : Byte(b & ~bit);
    } else {
        memory_[index.row() * 8 + index.column()] = Byte(v);
    }
    emit dataChanged(index, index);
    return true;
}

void THexModel::ToggleBit(const QModelIndex& index)
{
    if (mode_ != 1 || !index.isValid())
        return;
    memory_[index.row()] ^= Byte(1u << index.column());
    emit dataChanged(index, index);
}

// ---- Dialog

THexEditor::THexEditor(QWidget* parent) : TModalForm(parent)
{
    setObjectName("HexEditor");
    setFixedSize(398, 377);
    setWindowTitle(L("Speicher RAM/ROM", "Memory RAM/ROM", "Mémoire RAM/ROM"));
    if (!RunOnlyMode)
        setWindowFlag(Qt::WindowContextHelpButtonHint, true);

    auto* label1 = Place(new QLabel(L("Speichergrösse [Byte] :", "Memory size [bytes] :", "Taille mémoire [octets] :"), this),
                         "Label1", 8, 8, 150, 17);
    cb_Groesse = Place(new QComboBox(this), "cb_Groesse", 160, 5, 80, 21);
    for (const char* entry : SizeEntries)
        cb_Groesse->addItem(entry);
    label1->setBuddy(cb_Groesse);
    L_Bin = Place(new QLabel(L("(Doppelklick invertiert die Bits)", "Invert bits with double click!",
                               "Inverser octets avec double click !"),
                             this),
                  "L_Bin", 8, 28, 262, 15);

    model_ = new THexModel(Memory.get(), this);
    HexGrid = Place(new QTableView(this), "HexGrid", 8, 45, 272, 226);
    HexGrid->setModel(model_);
    HexGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    HexGrid->horizontalHeader()->setDefaultSectionSize(26);
    HexGrid->horizontalHeader()->setMinimumSectionSize(10);
    HexGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    HexGrid->verticalHeader()->setMinimumSectionSize(10);
    HexGrid->verticalHeader()->setDefaultSectionSize(16);
    HexGrid->verticalHeader()->setFixedWidth(43);
    HexGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    HexGrid->setTabKeyNavigation(true);
    HexGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont small = HexGrid->font();
    small.setPixelSize(11);
    HexGrid->setFont(small);
    HexGrid->horizontalHeader()->setFont(small);
    HexGrid->verticalHeader()->setFont(small);
    connect(model_, &THexModel::Refused, this, &THexEditor::RefuseLeaving);
    connect(HexGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        model_->ToggleBit(index);
    });

    auto* group1 = Place(new QGroupBox(L("Darstellung", "Display", "Affichage"), this), "GroupBox1", 290, 5, 100, 84);
    RB_Hex = Place(new QRadioButton(L("&Hex", "Hex", "Hex"), group1), "RB_Hex", 8, 18, 88, 20);
    RB_Bin = Place(new QRadioButton(L("&Binär", "Binary", "Binaire"), group1), "RB_Bin", 8, 38, 88, 20);
    RB_Dez = Place(new QRadioButton(L("&Dezimal", "Decimal", "Décimal"), group1), "RB_Dez", 8, 58, 88, 20);
    RB_Hex->setChecked(true);
    for (QRadioButton* rb : {RB_Hex, RB_Bin, RB_Dez})
        connect(rb, &QRadioButton::clicked, this, &THexEditor::RB_HexClick);

    Place(new QLabel(L("Füllbyte (dez):", "Fill byte [Dec]", "Remplir octet"), this), "Label2", 290, 96, 100, 17);
    SE_Fill = Place(new TUCLSpinEdit(this), "SE_Fill", 290, 114, 100, 21);
    SE_Fill->SetMinValue(0);
    SE_Fill->SetMaxValue(255);
    Button5 = Place(new QPushButton(L("&Füllen... ", "&Fill...", "&Remplir..."), this), "Button5", 290, 140, 100, 25);
    Button3 = Place(new QPushButton(L("&Laden...", "&Load...", "&Charger..."), this), "Button3", 290, 178, 100, 25);
    Button4 = Place(new QPushButton(L("&Speichern...", "&Save...", "&Sauver..."), this), "Button4", 290, 208, 100, 25);
    Button1 = Place(new QPushButton(L("&OK", "&OK", "&OK"), this), "Button1", 290, 246, 100, 25);
    Button2 = Place(new QPushButton(L("&Abbrechen", "&Cancel", "&Annuler"), this), "Button2", 290, 276, 100, 25);
    Button1->setDefault(true);
    SetModalResult(Button1, mrOk);
    SetModalResult(Button2, mrCancel);
    connect(Button3, &QPushButton::clicked, this, &THexEditor::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &THexEditor::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &THexEditor::Button5Click);

    auto* group2 = Place(new QGroupBox(ByLanguage(QString(), QString("File"), QString("Fichier")), this), "GroupBox2", 8,
                         278, 272, 70);
    CB_AutoLoad = Place(new QCheckBox(L("Datei bei Si&mulationsbeginn einlesen:", "Load file &on project start",
                                        "Charger fichier &au démarrage du projet"),
                                      group2),
                        "CB_AutoLoad", 8, 16, 258, 20);
    E_Datei = Place(new TUCLFileOpenEdit(group2), "E_Datei", 8, 40, 258, 22);
    E_Datei->Filter = A(ByLanguage("Alle Dateien|*.*", "All files|*.*", "Tous fichiers|*.*"));
    cb_RuntimeEdit = Place(new QCheckBox(AnsiToQString(Translate("Zur Laufzeit einstellbar")), this), "cb_RuntimeEdit",
                           8, 354, 272, 20);

    cb_Groesse->setCurrentIndex(2);   // 1k
    connect(cb_Groesse, &QComboBox::currentIndexChanged, this, &THexEditor::cb_GroesseChange);
    FillGrid();
}

THexEditor::~THexEditor() = default;

void THexEditor::SetMemorySize(Integer size)
{
    CommitCell();
    model_->SetView(model_->DisplayMode(), size);
    FillGrid();
}

void THexEditor::SetDisplayMode(Integer mode)
{
    mode = std::clamp<Integer>(mode, 0, 2);
    (mode == 0 ? RB_Hex : mode == 1 ? RB_Bin : RB_Dez)->setChecked(true);
    RB_HexClick();
}

void THexEditor::FillGrid()
{
    model_->SetView(model_->DisplayMode(), model_->MemorySize());
    const bool binary = model_->DisplayMode() == 1;
    L_Bin->setVisible(binary);
    // A double click flips a bit in the binary view and edits elsewhere.
    HexGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked |
                             (binary ? QAbstractItemView::NoEditTriggers : QAbstractItemView::DoubleClicked));
    SetTopAddress(topAddress_);
}

Integer THexEditor::TopAddress() const
{
    const int row = HexGrid->rowAt(0);
    return row < 0 ? 0 : model_->RowAddress(row);
}

void THexEditor::SetTopAddress(Integer address)
{
    topAddress_ = std::max<Integer>(address, 0);
    const int rows = model_->rowCount();
    if (rows == 0)
        return;
    const int row = std::min(model_->AddressRow(topAddress_), rows - 1);
    HexGrid->doItemsLayout();
    HexGrid->scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
}

void THexEditor::RB_HexClick()
{
    CommitCell();
    topAddress_ = TopAddress();
    const Integer mode = RB_Bin->isChecked() ? 1 : RB_Dez->isChecked() ? 2 : 0;
    model_->SetView(mode, model_->MemorySize());
    FillGrid();
}

void THexEditor::cb_GroesseChange()
{
    const int index = cb_Groesse->currentIndex();
    SetMemorySize(index < 0 ? 128 : 256 << index);
}

void THexEditor::Button5Click()
{
    CommitCell();
    const AnsiString text = A(ByLanguage("Soll der gesamte Inhalt gefüllt werden?\rDer alte Inhalt geht dabei verloren.",
                                                  "Current contents will be overwritten!.",
                                                  "Le contenu actuel sera écrasé !."));
    const char* caption = ByLanguage("Füllen", "Fill", "Fill");
    if (MessageBox(text, A(caption), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    std::memset(Memory.get(), SE_Fill->Value() & 0xFF, static_cast<std::size_t>(MemorySize()));
    topAddress_ = 0;
    FillGrid();
}

void THexEditor::Button3Click()
{
    CommitCell();
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Open;
    dialog.Filter = E_Datei->Filter;
    const AnsiString name = ExecuteFileDialog(dialog);
    if (name.empty())
        return;
    // A file that cannot be read leaves the memory as it was and counts 0.
    const Integer count = LoadHexFile(name, Memory.get(), MemorySize()).value_or(0);
    topAddress_ = 0;
    FillGrid();
    const AnsiString n = std::to_string(count);
    MessageBox(ByLanguage("Es wurden " + n + " Bytes eingelesen.", n + " bytes imported.",
                          n + A(" octets importés.")),
               "Zentrika", MB_OK | MB_ICONINFORMATION);
}

void THexEditor::Button4Click()
{
    CommitCell();
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Filter = E_Datei->Filter;
    const AnsiString name = ExecuteFileDialog(dialog);
    if (name.empty())
        return;
    // A failed save must not pass for a saved file.
    if (!SaveHexFile(name, Memory.get(), MemorySize()))
        MessageBox(A(ByLanguage("Die Datei konnte nicht geschrieben werden:\r",
                                         "The file could not be written:\r",
                                         "Le fichier n’a pas pu être écrit :\r")) +
                       name,
                   "Zentrika", MB_OK | MB_ICONERROR);
}

void THexEditor::CommitCell()
{
    const QModelIndex index = HexGrid->currentIndex();
    if (!index.isValid())
        return;
    QWidget* editor = HexGrid->indexWidget(index);
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = HexGrid->itemDelegate();
    delegate->setModelData(editor, model_, index);
    // Closed without a second commit when it loses the focus.
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void THexEditor::RefuseLeaving(const QModelIndex& index)
{
    if (closing_)
        return;
    // The refused cell becomes current again once the view has moved on.
    const QPersistentModelIndex cell(index);
    QTimer::singleShot(0, this, [this, cell] {
        if (!cell.isValid() || closing_)
            return;
        HexGrid->setCurrentIndex(cell);
        HexGrid->edit(cell);
    });
}

void THexEditor::done(int result)
{
    closing_ = true;
    CommitCell();   // a refused entry warns and keeps the byte as it was
    TModalForm::done(result);
    closing_ = false;
}

bool THexEditor::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, HelpTopic))
        return true;
    return TModalForm::event(event);
}
