// The library panel: the category table and menu, switching the palette
// between categories, stepping through them with wrap-around, and the
// text-only display.
#include "shell/Categories.h"

#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "shell/EventHook.h"
#include "shell/MainForm.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

struct TCategoryRow {
    Byte Kind;
    const char* File;
    const char* Names[3];   // German, English, French
};

const TCategoryRow CategoryRows[LibraryCategoryCount] = {
    {0, "bedien_d.bib", {"Bedienung digital", "Digital controls", "Commandes digitales"}},
    {0, "bedien_a.bib", {"Bedienung analog", "Analogue controls", "Commandes analogiques"}},
    {1, "gatter.bib", {"Gatter", "Gates", "Portes"}},
    {1, "flipflop.bib", {"Flipflops", "Flip-flops", "Flip-flops"}},
    {1, "zaehler.bib", {"Zähler"_ansi, "Counter", "Compteurs"}},
    {1, "register.bib", {"Register", "Register", "Registres"}},
    {1, "schieber.bib", {"Schieberegister", "Shift register", "Reg. à décalage"_ansi}},
    {1, "mux.bib", {"Multiplexer", "Multiplexer", "Multiplexeurs"}},
    {1, "arithm.bib", {"Arithmetik", "Arithmetic", "Arithmétique"_ansi}},
    {1, "ramrom.bib", {"Ram && Rom", "RAM && ROM", "RAM && ROM"}},
    {1, "timer.bib", {"Zeitgeber", "Timer", "Timers"}},
    {3, "diverses.bib", {"Diverses", "Miscellaneous", "Divers"}},
    {4, "hardware.bib", {"Allgemein, PC", "Miscellaneous", "PC général"_ansi}},
    {2, "Math.bib", {"Berechnung", "Calculation", "Calcul"}},
    {1, "wandler.bib", {"AD/DA-Wandler", "AD/DA", "AN/NA"}},
    {2, "analog.bib", {"Sonstige", "Miscellaneous", "Divers"}},
    {0, "anzeigen.bib", {"Anzeigen", "Displays", "Afficheurs"}},
    {1, "digital.bib", {"Digitales", "Logic", "Logique"}},
    {4, "kolter.bib", {"Kolter", "Kolter", "Kolter"}},
    {4, "elv.bib", {"ELV", "ELV", "ELV"}},
    {4, "modulbus.bib", {"ModulBus", "ModulBus", "ModulBus"}},
    {4, "com.bib", {"RS-232", "RS-232", "RS-232"}},
    {0, "uhren.bib", {"Uhren", "Clocks", "Horloges"}},
    {1, "dekoder.bib", {"Dekoder", "Decoder", "Décodeur"_ansi}},
    {4, "dmm.bib", {"Multimeter", "Multimeter", "Multimètres"_ansi}},
    {4, "relais.bib", {"Relaiskarten", "Relay cards", "Cartes Relais"}},
    {4, "ports.bib", {"Portzugriffe", "Port access", "Port d´accès"_ansi}},
    {1, "digital.bib", {"Digitales", "Logic", "Logique"}},
    {4, "bmc.bib", {"BMC", "BMC", "BMC"}},
    {4, "meilhaus.bib", {"Meilhaus", "Meilhaus", "Meilhaus"}},
    {4, "phidgets.bib", {"Phidgets", "Phidgets", "Phidgets"}},
    {4, "labjack.bib", {"LabJack", "LabJack", "LabJack"}},
    {4, "Hygrosens.bib", {"Hygrosens", "Hygrosens", "Hygrosens"}},
    {4, "fischertechnik.bib", {"fischertechnik", "fischertechnik", "fischertechnik"}},
    {2, "Regler.bib", {"Regler", "Controllers", "Controlleurs"}},
    {3, "Strings.bib", {"Strings", "Strings", "Chaîne"_ansi}},
    {0, "Schreiber.bib", {"Schreiber", "Plots", "Plots"}},
    {3, "Files.bib", {"Dateizugriff", "File access", "Fichers"}},
    {3, "DDE.bib", {"DDE", "DDE", "DDE"}},
    {3, "Hotkeys.bib", {nullptr, nullptr, nullptr}},   // the term "Hotkeys"
    {4, "Conrad.bib", {"Conrad", "Conrad", "Conrad"}},
    {4, "Velleman.bib", {"Velleman", "Velleman", "Velleman"}},
    {4, "OPC.bib", {"OPC", "OPC", "OPC"}},
    {4, "MIDI.bib", {"MIDI", "MIDI", "MIDI"}},
    {2, "Vergleicher.bib", {"Vergleicher", "Comparators", "Comparateurs"}},
    {2, "Verstaerker.bib", {"Verstärker"_ansi, "Amplifiers", "Amplificateurs"}},
    {2, "AMUX.bib", {"Multiplexer", "Multiplexer", "Multiplexeurs"}},
    {2, "Quellen.bib", {"Quellen", "Sources", "Sources"}},
    {3, "Masse.bib", {"Plus,Masse,Test", "Vcc,Ground,Test", "Vcc,Ground,Test"}},
    {4, "HW_Andere.bib", {"Andere Hersteller", "Other manufacturers", "Autres fabricants"}},
    {4, "DataTranslation.bib", {"Data Translation", "Data Translation", "Data Translation"}},
    {4, "ModbusTCP.bib", {"Modbus/TCP", "Modbus/TCP", "Modbus/TCP"}},
    {4, "ModbusRTU.bib", {"Modbus/RTU", "Modbus/RTU", "Modbus/RTU"}},
    {4, "Quorin.bib", {"Quorin", "Quorin", "Quorin"}},
    {4, "CodeMercs.bib", {"Code Mercenaries", "Code Mercenaries", "Code Mercenaries"}},
    {4, "Toradex.bib", {"Toradex", "Toradex", "Toradex"}},
    {4, "Htronic.bib", {"H-TRONIC", "H-TRONIC", "H-TRONIC"}},
    {4, "Quancom.bib", {"Quancom", "Quancom", "Quancom"}},
    {4, "Deditec.bib", {"Deditec", "Deditec", "Deditec"}},
    {4, "Teracom.bib", {"Teracom", "Teracom", "Teracom"}},
};

// The submenus of the kinds: control names and designed captions (the main
// window's translation gives the other languages).
const struct {
    const char* Control;
    const char* Caption;
} KindMenus[CategoryKindCount] = {
    {"Frontplattenelemente2", "Frontplattenelemente"},
    {"Frontplattenelemente1", "Logikbauteile"},
    {"Analoges1", "Analoges"},
    {"Diverses1", "Diverses"},
    {"Hardware1", "Hardware"},
};

// The category button's picture of each kind, and the picture of a category item.
const char* const KindPictures[CategoryKindCount] = {
    ":/pictures/categories/led.svg",      ":/pictures/categories/gatter.svg",   ":/pictures/categories/analog.svg",
    ":/pictures/categories/diverses.svg", ":/pictures/categories/hardware.svg",
};
const char* const CategoryPicture = ":/pictures/categories/bibo.svg";

} // namespace

std::array<TLibraryCategory, LibraryCategoryCount> LibraryCategoryTable()
{
    std::array<TLibraryCategory, LibraryCategoryCount> table;
    const int language = LanguageChoice();
    for (int i = 0; i < LibraryCategoryCount; ++i) {
        const TCategoryRow& row = CategoryRows[i];
        table[i].Kind = row.Kind;
        table[i].LibraryFile = row.File;
        table[i].Name = row.Names[language] ? AnsiString(row.Names[language]) : Translate("Hotkeys");
    }
    return table;
}

// ---- The library panel

QWidget* TForm1::CreateLibraryPanel(QWidget* parent)
{
    P_Bibo = new QWidget(parent);
    P_Bibo->setObjectName("P_Bibo");
    P_Bibo->setFixedWidth(180);
    auto* column = new QVBoxLayout(P_Bibo);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    PopupBibo = new QMenu(P_Bibo);
    PopupBibo->setObjectName("PopupBibo");
    for (int kind = 0; kind < CategoryKindCount; ++kind) {
        QMenu* submenu = PopupBibo->addMenu(QIcon(QString::fromLatin1(KindPictures[kind])),
                                            QString::fromLatin1(KindMenus[kind].Caption));
        submenu->setObjectName(KindMenus[kind].Control);
        CategoryMenus.push_back(submenu);
    }

    BiboButton = new TUCLSpeedButton(P_Bibo);
    BiboButton->setObjectName("BiboButton");
    BiboButton->setFixedHeight(24);
    BiboButton->SetDropDownMenu(PopupBibo);
    column->addWidget(BiboButton);

    SB_Bibliothek = new QScrollArea(P_Bibo);
    SB_Bibliothek->setObjectName("SB_Bibliothek");
    SB_Bibliothek->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SB_Bibliothek->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Bibo = new TBibo();
    Bibo->OnPick = [this](TBibo* palette) { LibraryItemPicked(palette); };
    Bibo->OnReadHeader = [this](TStream& stream, TReader& reader) { ReadLibraryHeader(stream, reader); };
    SB_Bibliothek->setWidget(Bibo);
    // The palette is as wide as the box's client area.
    libraryResize_ = std::make_unique<TEventHook>([this](QObject*, QEvent* event) {
        if (event->type() == QEvent::Resize) {
            Bibo->resize(SB_Bibliothek->viewport()->width(), Bibo->height());
            Bibo->LayoutEntries();
        }
        return false;
    });
    SB_Bibliothek->viewport()->installEventFilter(libraryResize_.get());
    InstallLibraryDrag();
    column->addWidget(SB_Bibliothek, 1);

    CreateSearchPanel(P_Bibo, column);
    CreateMacroControls(column, 1);

    auto* bottom = new QWidget(P_Bibo);
    auto* bar = new QHBoxLayout(bottom);
    bar->setContentsMargins(0, 0, 0, 0);
    auto button = [bottom, bar](const char* name, const char* caption, Integer group) {
        auto* b = new TUCLSpeedButton(bottom);
        b->setObjectName(name);
        b->SetCaption(QString::fromLatin1(caption));
        b->setFixedSize(28, 22);
        // A group of its own that allows all up makes a toggle.
        if (group != 0) {
            b->SetGroupIndex(group);
            b->SetAllowAllUp(true);
        }
        bar->addWidget(b);
        return b;
    };
    cb_NurText = button("cb_NurText", "T", 1);
    SearchBtn = button("SearchBtn", "?", 2);
    bar->addStretch();
    sb_BiboMinus = button("sb_BiboMinus", "<", 0);
    sb_BiboPlus = button("sb_BiboPlus", ">", 0);
    SearchBtn->setToolTip(QString::fromLatin1("Schnell finden..."));
    cb_NurText->OnClick = [this](TPersistent*) { Guarded([this] { CB_NurTextClick(); }); };
    SearchBtn->OnClick = [this](TPersistent*) { Guarded([this] { SearchBtnClick(); }); };
    sb_BiboPlus->OnClick = [this](TPersistent*) { Guarded([this] { SB_BiboPlusClick(); }); };
    sb_BiboMinus->OnClick = [this](TPersistent*) { Guarded([this] { SB_BiboMinusClick(); }); };
    column->addWidget(bottom);
    return P_Bibo;
}

// ---- Categories

void TForm1::BuildLibraryCategories()
{
    LibraryCategories = LibraryCategoryTable();
    for (QMenu* submenu : CategoryMenus)
        submenu->clear();
    for (int index : CategoryMenuOrder)
        AddCategoryMenuItem(index);
}

void TForm1::AddCategoryMenuItem(Integer index)
{
    if (index < 0) {
        if (-index < static_cast<Integer>(CategoryMenus.size()))
            CategoryMenus[-index]->addSeparator()->setData(999);
        return;
    }
    const TLibraryCategory& category = LibraryCategories[index];
    QAction* item = CategoryMenus[category.Kind]->addAction(QIcon(QString::fromLatin1(CategoryPicture)),
                                                           AnsiToQString(category.Name));
    item->setData(index);
    connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { ShowLibraryCategory(item); }); });
}

void TForm1::ShowLibraryCategory(QAction* item)
{
    const Integer index = item ? item->data().toInt() : StartCategory;
    if (index < 0 || index >= LibraryCategoryCount)
        return;
    MakroPathEdit->hide();
    const TLibraryCategory& category = LibraryCategories[index];
    // A menu caption's "&&" is one ampersand, so is the button's.
    BiboButton->SetCaption(AnsiToQString(category.Name));
    BiboButton->SetGlyph(QIcon(QString::fromLatin1(KindPictures[category.Kind])).pixmap(16, 16).toImage());
    BiboTag = index;
    const AnsiString file = LibraryFolder + category.LibraryFile;
    SB_Bibliothek->verticalScrollBar()->setValue(0);
    // The samples draw with the boards' palette.
    Bibo->Palette = MainBoard ? MainBoard->BoardPalette : nullptr;
    // A category whose file is missing shows an empty palette.
    if (FileExists(file))
        Bibo->LoadFromFile(file);
    else
        Bibo->Clear();
}

void TForm1::FindCurrentCategory(Integer& submenu, Integer& position) const
{
    submenu = -1;
    position = -1;
    for (std::size_t s = 0; s < CategoryMenus.size(); ++s) {
        const QList<QAction*> items = CategoryMenus[s]->actions();
        for (qsizetype p = 0; p < items.size(); ++p) {
            if (!items[p]->isSeparator() && items[p]->data().toInt() == BiboTag) {
                submenu = static_cast<Integer>(s);
                position = static_cast<Integer>(p);
                return;
            }
        }
    }
}

// Steps by one category (direction +1 or -1) through the submenus in their
// order, over separators, from the last submenu with items to the first and
// back.
void TForm1::StepLibraryCategory(int direction)
{
    Integer submenu;
    Integer position;
    FindCurrentCategory(submenu, position);
    if (submenu < 0)
        submenu = 0;
    const auto count = static_cast<Integer>(CategoryMenus.size());
    QList<QAction*> items = CategoryMenus[submenu]->actions();
    const Integer next = position + direction;
    if (next >= 0 && next < items.size()) {
        position = next;
        if (items[position]->isSeparator())
            position += direction;
    } else {
        do
            submenu = (submenu + direction + count) % count;
        while (CategoryMenus[submenu]->actions().isEmpty());
        items = CategoryMenus[submenu]->actions();
        position = direction > 0 ? 0 : static_cast<Integer>(items.size()) - 1;
    }
    ShowLibraryCategory(items[position]);
}

void TForm1::SB_BiboPlusClick()
{
    StepLibraryCategory(+1);
}

void TForm1::SB_BiboMinusClick()
{
    StepLibraryCategory(-1);
}

void TForm1::CB_NurTextClick()
{
    Bibo->TextOnly = cb_NurText->Pressed();
    Bibo->LayoutEntries();
    Bibo->update();
}
