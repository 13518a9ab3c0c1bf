#include "shell/MaterialsList.h"

#include "components/analog/BT_Wandler.h"
#include "components/digital/BT_Gatter.h"
#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/ObjectTree.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"
#include "platform/Paths.h"
#include "platform/SafeSave.h"
#include "shell/BoardPrint.h"
#include "shell/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>
#include <string>

namespace {

AnsiString DriverClassOf(const TBauteil& object)
{
    if (const auto* hardware = dynamic_cast<const IHardwareComponent*>(&object))
        if (const auto* device = dynamic_cast<const TPersistent*>(hardware->Driver()))
            return device->ClassName();
    return {};
}

AnsiString SingleAmpersands(AnsiString name)
{
    for (std::size_t at = name.find("&&"); at != AnsiString::npos; at = name.find("&&", at + 1))
        name.erase(at, 1);
    return name;
}

const char* const TextFilter = "Text (*.txt) |*.TXT";

}   // namespace

std::vector<TMaterialEntry> MaterialEntries(const std::vector<TBauteil*>& paletteEntries)
{
    std::vector<TMaterialEntry> entries;
    for (const TBauteil* sample : paletteEntries) {
        TMaterialEntry entry;
        entry.Class = &sample->ClassType();
        entry.DriverClass = DriverClassOf(*sample);
        entry.Caption = TBibo::EntryCaption(sample);
        const TClassInfo& cls = sample->ClassType();
        const std::string_view name = cls.Name;
        for (const char* perInput : {"TBTAnd", "TBTNand", "TBTOr", "TBTNor", "TBTExor", "TBTDAC"})
            if (name == perInput)
                entry.Breakdown = TMaterialEntry::PerInput;
        if (name == "TBTADC")
            entry.Breakdown = TMaterialEntry::PerOutput;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void ListBoardMaterials(const TPlatine& board, Integer indent, const std::vector<TMaterialCategory>& library,
                        const TMaterialOptions& options, std::vector<AnsiString>& lines)
{
    const AnsiString prefix(static_cast<std::size_t>(std::max<Integer>(indent, 0)), ' ');
    std::size_t notedCount = lines.size();
    for (const TMaterialCategory& category : library) {
        bool headed = false;
        for (const TMaterialEntry& entry : category.Entries) {
            const std::string_view className = entry.Class->Name;
            const auto sameEntry = [&](const TBauteil* object) {
                return className == object->ClassName() && (entry.DriverClass.empty() || DriverClassOf(*object) == entry.DriverClass);
            };
            const auto n = std::count_if(board.Objects.begin(), board.Objects.end(), sameEntry);
            if (n == 0)
                continue;
            if (options.Groups && !headed) {
                lines.emplace_back();
                lines.push_back(prefix + "--- " + category.Name + " ---");
                notedCount = lines.size();
                headed = true;
            }
            if (entry.Breakdown == TMaterialEntry::Whole) {
                lines.push_back(prefix + std::to_string(n) + "x " + entry.Caption);
                continue;
            }
            const bool outputs = entry.Breakdown == TMaterialEntry::PerOutput;
            for (Integer j = 2; j <= 16; ++j) {
                const auto m = std::count_if(board.Objects.begin(), board.Objects.end(), [&](const TBauteil* object) {
                    const auto* component = dynamic_cast<const TIOBauteil*>(object);
                    return component && sameEntry(object) && (outputs ? component->OutputCount : component->InputCount) == j;
                });
                if (m > 0)
                    lines.push_back(prefix + std::to_string(m) + "x " + entry.Caption + ", " + std::to_string(j) +
                                    (outputs ? " Ausgänge"_ansi : " Eingänge"_ansi));
            }
        }
    }

    if (options.Groups) {
        lines.emplace_back();
        lines.push_back(prefix + ByLanguage<AnsiString>("--- Makros ---", "--- Macros ---", "--- Macros ---"));
        notedCount = lines.size();
    }
    std::set<const TMakro*> counted;
    for (const TBauteil* object : board.Objects) {
        const auto* macro = dynamic_cast<const TMakro*>(object);
        if (!macro || counted.count(macro))
            continue;
        counted.insert(macro);
        const std::string_view name = macro->Name.View();
        int m = 1;
        for (const TBauteil* other : board.Objects) {
            const auto* twin = dynamic_cast<const TMakro*>(other);
            if (twin && !counted.count(twin) && twin->Name.View() == name) {
                counted.insert(twin);
                ++m;
            }
        }
        lines.push_back(prefix + std::to_string(m) + "x " + AnsiString(name));
        if (options.Macros) {
            if (const TPlatine* inner = macro->InnerBoard())
                ListBoardMaterials(*inner, indent + 3, library, options, lines);
            lines.emplace_back();
        }
    }
    // A heading with nothing under it goes again.
    if (options.Groups && lines.size() == notedCount && notedCount >= 2)
        lines.resize(notedCount - 2);
}

// ---- The bill-of-materials window

TSList::TSList(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("SList");
    resize(480, 520);
    setWindowFlag(Qt::WindowContextHelpButtonHint, !RunOnlyMode);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* top = new QWidget(this);
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(4, 4, 4, 4);
    const auto button = [&](const char* name, const char* icon) {
        auto* b = new QToolButton(top);
        b->setObjectName(name);
        b->setIcon(QApplication::style()->standardIcon(
            name == std::string_view("SB_Load") ? QStyle::SP_DialogOpenButton
            : name == std::string_view("SB_Save") ? QStyle::SP_DialogSaveButton : QStyle::SP_FileIcon));
        b->setAutoRaise(true);
        row->addWidget(b);
        (void)icon;
        return b;
    };
    SB_Load = button("SB_Load", "open");
    SB_Save = button("SB_Save", "save");
    SB_Print = button("SB_Print", "print");
    row->addSpacing(12);
    CB_Makros = new QCheckBox(top);
    CB_Makros->setObjectName("CB_Makros");
    CB_Gruppen = new QCheckBox(top);
    CB_Gruppen->setObjectName("CB_Gruppen");
    row->addWidget(CB_Makros);
    row->addWidget(CB_Gruppen);
    row->addStretch(1);
    column->addWidget(top);
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    Memo->setFont(font);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setTabChangesFocus(false);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column->addWidget(Memo, 1);

    const int language = LanguageChoice();
    const auto text = [language](const char* de, const char* en, const char* fr) {
        return QString::fromUtf8(language == 1 ? en : language == 2 ? fr : de);
    };
    setWindowTitle(text("Stückliste", "Components list", "Liste de composants"));
    CB_Makros->setText(text("Makros aufschlüsseln", "&Detailed macros", "&Macros détaillées"));
    CB_Gruppen->setText(text("Gruppenüberschriften", "&Group headlines", "&En-têtes groupes"));
    SB_Load->setToolTip(text("Öffnen", "Open", "Ouvrir"));
    SB_Save->setToolTip(text("Speichern", "Save", "Sauvegarder"));
    SB_Print->setToolTip(text("Drucken", "Print", "Imprimer"));

    connect(SB_Load, &QToolButton::clicked, this, [this] { SB_LoadClick(); });
    connect(SB_Save, &QToolButton::clicked, this, [this] { SB_SaveClick(); });
    connect(SB_Print, &QToolButton::clicked, this, [this] { SB_PrintClick(); });
    for (QCheckBox* box : {CB_Makros, CB_Gruppen})
        connect(box, &QCheckBox::toggled, this, [this] {
            if (OnChange)
                OnChange();
        });
}

TMaterialOptions TSList::Options() const
{
    return {CB_Makros->isChecked(), CB_Gruppen->isChecked()};
}

void TSList::SetLines(const std::vector<AnsiString>& lines)
{
    QStringList text;
    for (const AnsiString& line : lines)
        text << AnsiToQString(line);
    Memo->setPlainText(text.join('\n'));
    Memo->verticalScrollBar()->setValue(0);
    Memo->horizontalScrollBar()->setValue(0);
    Memo->moveCursor(QTextCursor::Start);
}

void TSList::SB_LoadClick()
{
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Open;
    dialog.Filter = TextFilter;
    dialog.DefaultExt = "TXT";
    const AnsiString name = ExecuteFileDialog(dialog);
    if (name.empty())
        return;
    QFile file(AnsiToQString(name));
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox(ByLanguage<AnsiString>("Die Datei kann nicht gelesen werden: "_ansi, "The file cannot be read: ",
                                          "Impossible de lire le fichier : ") + name,
                   "Zentrika", MB_OK | MB_ICONERROR);
        return;
    }
    const QByteArray bytes = file.readAll();
    Memo->setPlainText(AnsiToQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

void TSList::SB_SaveClick()
{
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Filter = TextFilter;
    dialog.DefaultExt = "TXT";
    dialog.OverwritePrompt = true;
    const AnsiString name = ExecuteFileDialog(dialog);
    if (name.empty())
        return;
    // Written under a temporary name and renamed, so a failed save keeps the old file.
    QSaveFile file(AnsiToQString(name));
    AnsiString bytes = QStringToAnsi(Memo->toPlainText());
    std::string text;
    for (char c : bytes) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    if (!text.empty())
        text += "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 || !CommitSaveFile(file))
        MessageBox(ByLanguage<AnsiString>("Die Datei kann nicht geschrieben werden: "_ansi, "The file cannot be written: ",
                                          "Impossible d'écrire le fichier : "_ansi) + name,
                   "Zentrika", MB_OK | MB_ICONERROR);
}

void TSList::SB_PrintClick()
{
    if (OnPrint)
        OnPrint();
}

bool TSList::event(QEvent* event)
{
    return ShowHelpOnHelpButton(event, HelpContext) || QWidget::event(event);
}

// ---- The settings overview

bool TObjektliste::event(QEvent* event)
{
    return ShowHelpOnHelpButton(event, HelpContext) || TModalForm::event(event);
}

TObjektliste::TObjektliste(QWidget* parent) : TModalForm(parent)
{
    setObjectName("Objektliste");
    resize(360, 460);
    setWindowFlag(Qt::WindowContextHelpButtonHint, !RunOnlyMode);
    auto* column = new QVBoxLayout(this);
    VTree = new QTreeWidget(this);
    VTree->setObjectName("VTree");
    VTree->setHeaderHidden(true);
    VTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VTree->setExpandsOnDoubleClick(false);
    column->addWidget(VTree, 1);
    CloseButton = new QPushButton(this);
    CloseButton->setObjectName("CloseButton");
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(CloseButton);
    column->addLayout(row);
    setWindowTitle(QString::fromUtf8(ByLanguage("Konfiguration", "Configuration", "Configuration")));
    CloseButton->setText(QString::fromUtf8(ByLanguage("&Schliessen", "&Close", "&Fermer")));
    SetModalResult(CloseButton, mrOk);
    connect(VTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) { VTreeDblClick(node); });
}

void TObjektliste::FillFromBoard(TPlatine& board)
{
    Board = &board;
    FillObjectTree(board, *VTree, nullptr, TIOBauteil::StaticClass());
    VTree->expandAll();
    DrawRules();
}

void TObjektliste::DrawRules()
{
    const std::function<void(QTreeWidgetItem*)> draw = [&](QTreeWidgetItem* node) {
        bool adjustable = false;
        if (const auto* component = dynamic_cast<const TIOBauteil*>(TreeNodeObject(*node)))
            adjustable = component->RuntimeAdjustable;
        if (const IFP_Element* element = TreeNodeElement(*node))
            adjustable = element->AdjustableAtRunTime();
        const bool marked = adjustable && !SimulationRunning;
        QFont font = VTree->font();
        font.setBold(marked);
        node->setFont(0, font);
        // The selection keeps its own colours.
        node->setForeground(0, QBrush(marked ? QColor(0, 128, 0) : QColor(Qt::black)));
        for (int i = 0; i < node->childCount(); ++i)
            draw(node->child(i));
    };
    for (int i = 0; i < VTree->topLevelItemCount(); ++i)
        draw(VTree->topLevelItem(i));
}

void TObjektliste::VTreeDblClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    TBauteil* object = TreeNodeObject(*node);
    if (object && !dynamic_cast<TMakro*>(object))
        object->EditProperties();
    else if (IFP_Element* element = TreeNodeElement(*node))
        element->EditProperties();
}

// ---- The main window's commands

TSList& MaterialsWindow(TForm1& form)
{
    if (auto* window = form.findChild<TSList*>("SList", Qt::FindDirectChildrenOnly))
        return *window;
    auto* window = new TSList(&form);
    window->OnChange = [&form] {
        try {
            SB_SListClick(form);
        } catch (const std::exception& error) {
            MessageBox(error.what(), "Zentrika", MB_OK | MB_ICONERROR);
        }
    };
    window->OnPrint = [window] { PrintTextLines(window->Memo->toPlainText().split('\n'), window->Memo->font()); };
    return *window;
}

TObjektliste& OverviewWindow(TForm1& form)
{
    if (auto* window = form.findChild<TObjektliste*>("Objektliste", Qt::FindDirectChildrenOnly))
        return *window;
    return *new TObjektliste(&form);
}

std::vector<TMaterialCategory> LoadMaterialLibrary(TForm1& form)
{
    std::vector<TMaterialCategory> library;
    if (!form.Bibo)
        return library;
    TBibo& palette = *form.Bibo;
    const Integer shown = form.BiboTag;
    // Quiet and hidden while the categories pass through it.
    palette.PaintSuppressed = true;
    palette.hide();
    const auto restore = [&] {
        palette.PaintSuppressed = false;
        palette.show();
        QAction* item = nullptr;
        for (QMenu* menu : form.CategoryMenus)
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && action->data().toInt() == shown)
                    item = action;
        if (item || shown == StartCategory)
            form.ShowLibraryCategory(item);
    };
    try {
        for (const TLibraryCategory& category : form.LibraryCategories) {
            const AnsiString file = form.LibraryFolder + category.LibraryFile;
            if (category.LibraryFile.empty() || !FileExists(file))
                continue;
            palette.LoadFromFile(file);
            library.push_back({SingleAmpersands(category.Name), MaterialEntries(palette.Entries)});
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return library;
}

void SB_SListClick(TForm1& form)
{
    TSList& window = MaterialsWindow(form);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        window.show();
        window.raise();
        std::vector<AnsiString> lines{ByLanguage<AnsiString>("Stückliste"_ansi, "Components list", "Liste de composants"), ""};
        if (form.CurrentBoard)
            ListBoardMaterials(*form.CurrentBoard, 0, LoadMaterialLibrary(form), window.Options(), lines);
        window.SetLines(lines);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void ShowSettingsOverview(TForm1& form)
{
    if (!form.CurrentBoard)
        return;
    TObjektliste& window = OverviewWindow(form);
    window.VTree->clear();
    window.FillFromBoard(*form.CurrentBoard);
    window.ShowModal();
}
