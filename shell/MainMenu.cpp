#include "shell/MainMenu.h"

#include "engine/Bauteil.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "shell/BoardPrint.h"
#include "shell/InfoDlg.h"
#include "shell/MainForm.h"
#include "shell/MaterialsList.h"
#include "shell/OnlineUpdate.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace {

using C = TMainCommands;

const TCommand FileItems[] = {
    {"DateiNeuBtn", "&Neu", "Ctrl+N", TRule::Always, [](C& c) { c.NewProject(); }},
    {"ffnen2", "Ö&ffnen...", "Ctrl+L", TRule::Always, [](C& c) { c.OpenProjectDialog(); }},
    {"Speichern1", "&Speichern", "Ctrl+S", TRule::MainBoardShown, [](C& c) { c.Form().Speichern1Click(); }},
    {"Speichernals1", "Speichern &unter...", nullptr, TRule::MainBoardShown, [](C& c) { c.Form().Speichernals1Click(); }},
    {"Beispiele1", "&Beispiele...", "Ctrl+B", TRule::Always, [](C& c) { c.OpenExample(); }},
    {"Makroimportieren1", "&Makro importieren...", "Ctrl+J", TRule::Always, [](C& c) { c.Form().Makroimportieren1Click(); }},
    {"MakroSpeichern1", "Als Makro s&peichern...", "Ctrl+M", TRule::Always, [](C& c) { c.Form().MakroSpeichern1Click(); }},
    {"Drucken1", "&Drucken...", "Ctrl+P", TRule::HasObjects, [](C& c) { PrintBoard(c.Form()); }},
    {"Compilieren", "&Compilieren...", nullptr, TRule::Always, [](C& c) { c.Form().CompilierenClick(); }},
};

const TCommand EditItems[] = {
    {"Ausschneiden1", "A&usschneiden", "Ctrl+X", TRule::AnySelected, [](C& c) { c.Cut(); }},
    {"Kopieren1", "Kopieren", "Ctrl+C", TRule::AnySelected, [](C& c) { c.Copy(); }},
    {"Einfgen1", "&Einfügen", "Ctrl+V", TRule::ClipboardFilled, [](C& c) { c.Paste(); }},
    {"Duplizieren1", "&Duplizieren", "Ctrl+D", TRule::AnySelected, [](C& c) { c.Duplicate(); }},
    {"Allesauswhlen1", "&Alles auswählen", "Ctrl+A", TRule::HasObjects, [](C& c) { c.SelectAll(); }},
    {"Aufrumen1", "Aufräumen", "Ctrl+Del", TRule::HasObjects, [](C& c) { c.TidyUp(); }},
    {"Lschen1", "&Löschen", "Del", TRule::AnySelected, [](C& c) { c.Delete(); }},
    {"Nachvornesetzen1", "Nach &vorne setzen", "Shift+PgUp", TRule::AnySelected, [](C& c) { c.ToFront(); }},
    {"Nachhintensetzen1", "Nach &hinten setzen", "Shift+PgDown", TRule::AnySelected, [](C& c) { c.ToBack(); }},
};

const TCommand PanelItems[] = {
    {"Eigenschaften1", "&Eigenschaften...", "Ctrl+F", TRule::PanelRootShown,
     [](C& c) { c.Form().Frontplatte->SetupBtnClick(); }},
    {"NeueFrontplatteerzeugen1", "&Hinzufügen", "Ctrl+O", TRule::PanelRootShown,
     [](C& c) { c.Form().Frontplatte->AddPage(); }},
    {"Lschen3", "&Löschen", nullptr, TRule::SeveralPanelPages, [](C& c) { c.Form().Frontplatte->Lschen1Click(); }},
    {"FPAnzeigen", "&Anzeigen", "F12", TRule::Always, [](C& c) { c.Form().ShowPanelWindow(); }},
    {"Drucken2", "&Drucken...", nullptr, TRule::Always, [](C& c) { c.Form().Frontplatte->PrintBtnClick(); }},
    {"Zwischenablage1", "&Kopieren", nullptr, TRule::Always, [](C& c) { c.Form().Frontplatte->CopyBtnClick(); }},
};

const TCommand ConfigurationItems[] = {
    {"Anwendung1", "&Anwendung...", "Ctrl+I", TRule::Always, [](C& c) { ShowSettingsOverview(c.Form()); }},
    {"Hardware2", "&Hardware...", "Ctrl+H", TRule::HardwareDialog, [](C& c) { c.HardwareSettingsDialog(); }},
};

const TCommand OptionItems[] = {
    {"Raster", "&Raster", nullptr, TRule::Always, [](C& c) { c.ToggleGrid(); }},
    {"Hinweistexte", "&Hinweistexte", nullptr, TRule::Always, nullptr},
    {"Stueckliste", "&Stückliste erstellen...", nullptr, TRule::Always, [](C& c) { SB_SListClick(c.Form()); }},
};

const TCommand WindowItems[] = {
    {"naechstes1", "&Nächstes", "Ctrl+Tab", TRule::SeveralBoards, [](C& c) { c.NextBoard(); }},
    {"Makrofensterschliessen1", "Makro&fenster schliessen", "Ctrl+F4", TRule::MacroBoardShown,
     [](C& c) { c.Form().Makrofensterschliessen1Click(); }},
};

const TCommand HelpItems[] = {
    {"Index", "&Hilfethemen...", "Ctrl+F1", TRule::Always, [](C& c) { c.Help(); }},
    {"InternetUpdate1", "Internet &Update...", nullptr, TRule::Always, [](C& c) { ShowOnlineUpdate(c.Form()); }},
    {"InternetForum1", "Internet &Forum...", nullptr, TRule::Always, [](C& c) { c.OpenForum(); }},
    {"Info1", "I&nfo...", nullptr, TRule::Always, [](C& c) { ShowAboutBox(c.Form()); }},
};

const TMenuDefinition Menus[] = {
    {"Bearbeiten1", "&Bearbeiten", EditItems},
    {"Frontplatte1", "&Frontplatte", PanelItems},
    {"Konfiguration1", "Konfiguration", ConfigurationItems},
    {"Option", "&Optionen", OptionItems},
    {"Fenster1", "&Fenster", WindowItems},
    {"Hilfe1", "&?", HelpItems},
};

const TCommand ToolItems[] = {
    {"ToolButton1", "Neu", nullptr, TRule::Always, [](C& c) { c.NewProject(); }, 0},
    {"ToolButton2", "Öffnen", nullptr, TRule::Always, [](C& c) { c.OpenProjectDialog(); }, 1},
    {"ToolButton3", "Speichern", nullptr, TRule::MainBoardShown, [](C& c) { c.Form().Speichern1Click(); }, 2},
    {"ToolButton4", "Drucken", nullptr, TRule::HasObjects, [](C& c) { PrintBoard(c.Form()); }, 3},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"ToolButton6", "Ausschneiden", nullptr, TRule::AnySelected, [](C& c) { c.Cut(); }, 4},
    {"ToolButton7", "Kopieren", nullptr, TRule::AnySelected, [](C& c) { c.Copy(); }, 5},
    {"ToolButton8", "Einfügen", nullptr, TRule::ClipboardFilled, [](C& c) { c.Paste(); }, 6},
    {"ToolButton12", "Duplizieren", nullptr, TRule::AnySelected, [](C& c) { c.Duplicate(); }, 7},
    {"ToolButton9", "Löschen", nullptr, TRule::AnySelected, [](C& c) { c.Delete(); }, 8},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"ToolButton15", "Neuer Text", nullptr, TRule::Always, [](C& c) { c.NewText(); }, 9},
    {"SB_Raster", "Raster", nullptr, TRule::Always, [](C& c) { c.ToggleGrid(); }, 10},
    {"ToolButton17", "Stückliste", nullptr, TRule::Always, [](C& c) { SB_SListClick(c.Form()); }, 11},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"tb_ZoomPlus", "Zoom (plus)", nullptr, TRule::Always, [](C& c) { c.ZoomIn(); }, 12},
    {"tb_ZoomMinus", "Zoom (minus)", nullptr, TRule::Always, [](C& c) { c.ZoomOut(); }, 13},
    {"tb_ZoomAll", "Zoom (ganzer Arbeitsbereich)", nullptr, TRule::Always, [](C& c) { c.ZoomToFit(); }, 14},
    {"tb_ZoomObjects", "Zoom (alle Objekte)", nullptr, TRule::HasObjects, [](C& c) { c.ZoomToObjects(false); }, 15},
    {"tb_ZoomMarked", "Zoom (alle markierten Objekte)", nullptr, TRule::AnySelected,
     [](C& c) { c.ZoomToObjects(true); }, 16},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"tb_Frontplatte", "Frontplatte", nullptr, TRule::PanelRootShown,
     [](C& c) { c.Form().Frontplatte->SetupBtnClick(); }, 20},
    {"tb_Config", "Konfigurieren Anwendung...", nullptr, TRule::Always, [](C& c) { ShowSettingsOverview(c.Form()); }, 18},
    {"tb_ConfigHW", "Konfigurieren Hardware...", nullptr, TRule::HardwareDialog,
     [](C& c) { c.HardwareSettingsDialog(); }, 19},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"tb_Compile", "Compilieren...", nullptr, TRule::Always, [](C& c) { c.Form().CompilierenClick(); }, 17},
};

const TCommand BoardItems[] = {
    {"Eigenschaften", "Eigenschaften", nullptr, TRule::CanEditSelection, [](C& c) { c.EditProperties(); }},
    {"Hilfe2", "", nullptr, TRule::Always, [](C& c) { c.Help(); }},
    {"HerstellerDatenblattVertrieb1", "Weitere Informationen...", nullptr, TRule::DeviceSelected,
     [](C& c) { c.MakerLinks(); }},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"Ausschneiden2", "Ausschneiden", nullptr, TRule::AnySelected, [](C& c) { c.Cut(); }},
    {"Kopieren", "Kopieren", nullptr, TRule::AnySelected, [](C& c) { c.Copy(); }},
    {"Einfgen", "Einfügen", nullptr, TRule::ClipboardFilled, [](C& c) { c.Paste(); }},
    {"Duplizieren", "Duplizieren", nullptr, TRule::AnySelected, [](C& c) { c.Duplicate(); }},
    {"Lschen2", "Löschen", nullptr, TRule::AnySelected, [](C& c) { c.Delete(); }},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"NachVorn", "Nach vorne setzen", nullptr, TRule::AnySelected, [](C& c) { c.ToFront(); }},
    {"NachHinten", "Nach hinten setzen", nullptr, TRule::AnySelected, [](C& c) { c.ToBack(); }},
    {nullptr, nullptr, nullptr, TRule::Always, nullptr},
    {"Tauschen", "Drehen", nullptr, TRule::OneComponentSelected, [](C& c) { c.MirrorSelected(); }},
    {"Bearbeiten2", "Makro bearbeiten", nullptr, TRule::SelectedIsMacro, [](C& c) { c.EditMacro(); }},
};

const char* const Pictures[] = {
    ":/pictures/toolbar/neu.svg",         ":/pictures/toolbar/open.svg",      ":/pictures/toolbar/save.svg",
    ":/pictures/toolbar/print.svg",       ":/pictures/toolbar/cut.svg",       ":/pictures/toolbar/copy.svg",
    ":/pictures/toolbar/paste.svg",       ":/pictures/toolbar/dupliz.svg",    ":/pictures/toolbar/delete.svg",
    ":/pictures/toolbar/text.svg",        ":/pictures/toolbar/raster.svg",    ":/pictures/toolbar/slist.svg",
    ":/pictures/toolbar/zoomplus.svg",    ":/pictures/toolbar/zoomminus.svg", ":/pictures/toolbar/zoomall.svg",
    ":/pictures/toolbar/zoomobjects.svg", ":/pictures/toolbar/zoommarked.svg", ":/pictures/toolbar/compile.svg",
    ":/pictures/toolbar/configure.svg",   ":/pictures/toolbar/configurehw.svg", ":/pictures/toolbar/fpl.svg",
};

// Ctrl command keys: one press runs one command, however long it is held.
struct TCtrlKey {
    int Key;
    const char* Action;
};
const TCtrlKey CtrlKeys[] = {
    {Qt::Key_Tab, "naechstes1"},   {Qt::Key_A, "Allesauswhlen1"}, {Qt::Key_C, "Kopieren1"},
    {Qt::Key_D, "Duplizieren1"},   {Qt::Key_V, "Einfgen1"},       {Qt::Key_X, "Ausschneiden1"},
    {Qt::Key_F4, "Makrofensterschliessen1"},
};

const char* CtrlKeyAction(const QKeyEvent& event)
{
    if (!(event.modifiers() & Qt::ControlModifier))
        return nullptr;
    for (const TCtrlKey& key : CtrlKeys)
        if (key.Key == event.key())
            return key.Action;
    return nullptr;
}

QIcon Picture(const char* path)
{
    return QIcon(QString::fromLatin1(path));
}

} // namespace

bool RuleHolds(TRule rule, const TCommandState& state)
{
    switch (rule) {
    case TRule::Always: return true;
    case TRule::MainBoardShown: return state.MainBoardShown;
    case TRule::HasObjects: return state.HasObjects;
    case TRule::AnySelected: return state.AnySelected;
    case TRule::ClipboardFilled: return state.ClipboardFilled;
    case TRule::SeveralBoards: return state.SeveralBoards;
    case TRule::MacroBoardShown: return !state.MainBoardShown;
    case TRule::CanEditSelection: return state.CanEditSelection;
    case TRule::OneComponentSelected: return state.OneComponentSelected;
    case TRule::SelectedIsMacro: return state.SelectedIsMacro;
    case TRule::DeviceSelected: return state.DeviceSelected;
    case TRule::HardwareDialog: return state.HardwareDialog;
    case TRule::PanelRootShown: return state.PanelRootShown;
    case TRule::SeveralPanelPages: return state.SeveralPanelPages;
    case TRule::Unavailable: return false;
    }
    return false;
}

TPalette CreateBoardPalette(int colourBits)
{
    constexpr auto rgb = [](Cardinal r, Cardinal g, Cardinal b) { return static_cast<TColor>(r | g << 8 | b << 16); };
    if (colourBits <= 7)
        return TPalette{{clWhite, clWhite, clWhite, clWhite}};
    return TPalette{{rgb(230, 240, 248), rgb(255, 255, 246), rgb(230, 230, 230), rgb(220, 220, 250)}};
}

std::span<const TMenuDefinition> MainMenus() { return Menus; }
std::span<const TCommand> FileMenuItems() { return FileItems; }
std::span<const TCommand> ToolBarButtons() { return ToolItems; }
std::span<const TCommand> BoardMenuItems() { return BoardItems; }
std::span<const char* const> ToolbarPictures() { return Pictures; }

TMainMenu::TMainMenu(TForm1& form)
    : QObject(&form), Commands(form),
      BoardPalette(CreateBoardPalette(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->depth() : 24)),
      form_(form)
{
    setObjectName("MainMenu");
    BuildMenus();
    BuildToolBar();
    BuildButtonColumn();
    BuildBoardMenu();
    // A board answers to the window once its view is shown (a tab change).
    connect(form_.Panel4, &QStackedWidget::currentChanged, this, [this](int index) {
        if (auto* view = dynamic_cast<TPlatineView*>(form_.Panel4->widget(index)); view && view->Board())
            InstallBoardHandlers(*view->Board());
        ScheduleUpdate();
    });
    connect(form_.TabSet, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            Run([](C& c) { c.SelectBoard(static_cast<std::size_t>(c.Form().TabSet->currentIndex())); });
    });
    qApp->installEventFilter(this);
    UpdateCommandStates();
}

TMainMenu::~TMainMenu() = default;

QAction* TMainMenu::Command(std::string_view name) const
{
    const auto found = commands_.find(name);
    return found == commands_.end() ? nullptr : found->second;
}

QAction* TMainMenu::MakeAction(const TCommand& command, QObject* owner)
{
    auto* action = new QAction(QString::fromUtf8(command.Caption), owner);
    action->setObjectName(command.Name);
    if (command.Shortcut) {
        action->setShortcut(QKeySequence(QString::fromLatin1(command.Shortcut)));
        action->setAutoRepeat(false);
    }
    if (command.Image >= 0)
        action->setIcon(Picture(Pictures[command.Image]));
    if (command.Run)
        connect(action, &QAction::triggered, this, [this, run = command.Run] { Run(run); });
    ruled_.push_back({action, command.Rule});
    commands_[command.Name] = action;
    return action;
}

void TMainMenu::Run(void (*handler)(TMainCommands&))
{
    try {
        handler(Commands);
    } catch (const std::exception& error) {
        MessageBox(QStringToAnsi(QString::fromUtf8(error.what())), "Zentrika", MB_OK | MB_ICONERROR);
    }
    UpdateCommandStates();
}

void TMainMenu::BuildMenus()
{
    QMenu* file = form_.Datei1;
    QAction* history = form_.HistoryItem(0);
    for (const TCommand& command : FileItems)
        file->insertAction(history, MakeAction(command, &form_));
    file->insertSeparator(history);
    file->addSeparator();
    QAction* quit = MakeAction({"Beenden1", "&Beenden", nullptr, TRule::Always, [](C& c) { c.Quit(); }}, &form_);
    file->addAction(quit);
    connect(file, &QMenu::aboutToShow, this, &TMainMenu::UpdateCommandStates);

    for (const TMenuDefinition& definition : Menus) {
        QMenu* menu = form_.menuBar()->addMenu(QString::fromUtf8(definition.Caption));
        menu->setObjectName(definition.Name);
        for (const TCommand& command : definition.Items)
            menu->addAction(MakeAction(command, &form_));
        connect(menu, &QMenu::aboutToShow, this, &TMainMenu::UpdateCommandStates);
    }
    raster_ = Command("Raster");
    raster_->setCheckable(true);
    hints_ = Command("Hinweistexte");
    hints_->setCheckable(true);
    hints_->setChecked(true);
}

void TMainMenu::BuildToolBar()
{
    QToolBar* bar = form_.ToolBar1;
    bar->setIconSize(QSize(20, 20));
    for (const TCommand& command : ToolItems) {
        if (!command.Name) {
            bar->addSeparator();
            continue;
        }
        QAction* action = MakeAction(command, &form_);
        action->setToolTip(QString::fromUtf8(command.Caption));
        bar->addAction(action);
    }
    form_.SB_Raster = Command("SB_Raster");
    form_.SB_Raster->setCheckable(true);
}

void TMainMenu::BuildButtonColumn()
{
    QWidget* column = form_.Panel7;
    auto* layout = column ? qobject_cast<QBoxLayout*>(column->layout()) : nullptr;
    if (!layout)
        return;
    auto makeButton = [column](const char* name, const char* picture, const char* hint) {
        auto* button = new QToolButton(column);
        button->setObjectName(name);
        button->setIcon(Picture(picture));
        button->setIconSize(QSize(ColumnIconSize, ColumnIconSize));
        button->setFixedSize(ColumnButtonSize, ColumnButtonSize);
        button->setToolTip(QString::fromUtf8(hint));
        button->setCheckable(true);
        return button;
    };
    standardBtn_ = makeButton("StandardBtn", ":/pictures/buttons/standard.svg", "Standard");
    lineBtn_ = makeButton("LineBtn", ":/pictures/buttons/line.svg", "Verbindungen");
    zoomBtn_ = makeButton("ZoomBtn", ":/pictures/buttons/zoom.svg", "Zoom");
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    const struct {
        QToolButton* Button;
        TBoardMode Mode;
    } modeButtons[] = {
        {standardBtn_, TBoardMode::Select}, {lineBtn_, TBoardMode::Wire}, {zoomBtn_, TBoardMode::Zoom}};
    int at = 0;
    for (const auto& entry : modeButtons) {
        modes->addButton(entry.Button);
        layout->insertWidget(at++, entry.Button);
        connect(entry.Button, &QToolButton::clicked, this, [this, mode = entry.Mode] {
            Commands.SetMode(mode);
            BoardModeChange();
        });
    }
    standardBtn_->setChecked(true);

    // The display buttons follow the simulation's own.
    int after = form_.SB_Status ? layout->indexOf(form_.SB_Status) + 1 : at;
    auto* front = makeButton("SB_Front", ":/pictures/buttons/front.svg", "Frontplatte anzeigen (F12)");
    front->setCheckable(false);
    connect(front, &QToolButton::clicked, this, [this] { form_.ShowPanelWindow(); });
    layout->insertWidget(after++, front);
    QToolButton* hint = makeButton("HintBtn", ":/pictures/buttons/hint.svg", "Bauteilhinweise anzeigen");
    form_.HintBtn = hint;
    hint->setChecked(ShowComponentHints);
    connect(hint, &QToolButton::toggled, this, [](bool on) { ShowComponentHints = on; });
    layout->insertWidget(after, hint);

    closeBibo_ = new QToolButton(column);
    closeBibo_->setObjectName("CloseBibo");
    closeBibo_->setText(QStringLiteral("<<<"));
    closeBibo_->setToolTip(QStringLiteral("Bibliothek ein-/ausblenden"));
    closeBibo_->setFixedWidth(ColumnButtonSize);
    connect(closeBibo_, &QToolButton::clicked, this, &TMainMenu::ToggleLibrary);
    layout->addWidget(closeBibo_);
}

void TMainMenu::BuildBoardMenu()
{
    BauteilMenu = new QMenu(&form_);
    BauteilMenu->setObjectName("BauteilMenu");
    for (const TCommand& command : BoardItems) {
        if (command.Name)
            BauteilMenu->addAction(MakeAction(command, &form_));
        else
            BauteilMenu->addSeparator();
    }
}

void TMainMenu::InstallBoardHandlers(TPlatine& board)
{
    // Objects read before the board was first shown take the palette too.
    board.BoardPalette = &BoardPalette;
    for (TBauteil* object : board.Objects)
        object->Palette = &BoardPalette;
    board.OnPopupRequest = [this] { BoardPopupRequest(); };
    board.OnModeChange = [this] { BoardModeChange(); };
    board.OnAktTools = [this] { ScheduleUpdate(); };
}

void TMainMenu::ScheduleUpdate()
{
    // Boards report from inside their edits; the states follow once the edit is done.
    if (updatePending_)
        return;
    updatePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            updatePending_ = false;
            UpdateCommandStates();
        },
        Qt::QueuedConnection);
}

TCommandState TMainMenu::CurrentState() const
{
    TCommandState state;
    state.HardwareDialog = static_cast<bool>(Commands.HardwareDialog);
    state.SeveralBoards = form_.OpenBoards.size() > 1;
    if (const IFrontplatte* panel = form_.Frontplatte.get()) {
        state.PanelRootShown = panel->ShownDesign() == panel->RootDesign();
        state.SeveralPanelPages = panel->PageCount() > 1;
    }
    const TPlatine* board = form_.CurrentBoard;
    if (!board)
        return state;
    state.MainBoardShown = board == form_.MainBoard;
    state.HasObjects = !board->Objects.empty();
    state.AnySelected = board->AnySelected();
    state.ClipboardFilled = board->ClipboardFilled();
    state.CanEditSelection = board->CanEditSelection();
    state.OneComponentSelected = board->OneComponentSelected();
    state.SelectedIsMacro = board->SelectedIsMacro();
    state.DeviceSelected = Commands.SelectedDevice() != nullptr;
    return state;
}

void TMainMenu::UpdateCommandStates()
{
    const TCommandState state = CurrentState();
    for (const TRuled& ruled : ruled_)
        ruled.Action->setEnabled(RuleHolds(ruled.Rule, state));
    if (form_.MainBoard) {
        raster_->setChecked(form_.MainBoard->GridVisible);
        form_.SB_Raster->setChecked(form_.MainBoard->GridVisible);
    }
}

void TMainMenu::BoardModeChange()
{
    if (!form_.CurrentBoard)
        return;
    switch (form_.CurrentBoard->Mode) {
    case TBoardMode::Zoom: zoomBtn_->setChecked(true); break;
    case TBoardMode::Select: standardBtn_->setChecked(true); break;
    case TBoardMode::Wire: lineBtn_->setChecked(true); break;
    default: break;
    }
}

void TMainMenu::BoardPopupRequest()
{
    UpdateCommandStates();
    // The help item names the one selected component, on one line.
    const TIOBauteil* component = Commands.SelectedComponent();
    QAction* help = Command("Hilfe2");
    help->setVisible(component != nullptr);
    if (component) {
        AnsiString name = component->GetTypeName();
        for (char& c : name)
            if (c == '\r')
                c = ' ';
        static const char* const Prefixes[] = {"Hilfe zu ´", "Help for ´", "Aide pour ´"};
        const char* prefix = Prefixes[LanguageChoice()];
        help->setText(QString::fromUtf8(prefix) + AnsiToQString(name) + QStringLiteral("´"));
    }
    BauteilMenu->popup(QCursor::pos());
}

void TMainMenu::ToggleLibrary()
{
    QWidget* library = form_.P_Bibo;
    if (!library)
        library = form_.SB_Bibliothek;
    if (!library)
        return;
    library->setVisible(!library->isVisible());
    closeBibo_->setText(library->isVisible() ? QStringLiteral("<<<") : QStringLiteral(">>>"));
}

bool TMainMenu::LibraryWheel(QWidget* target, QWheelEvent& event)
{
    QWidget* library = form_.P_Bibo;
    QScrollArea* box = form_.SB_Bibliothek;
    const int turn = event.angleDelta().y();
    if (!target || !library || !box || turn == 0 || (target != library && !library->isAncestorOf(target)))
        return false;
    if (event.buttons() & Qt::MiddleButton) {
        // Away from the user: the previous category.
        if (TUCLSpeedButton* step = turn > 0 ? form_.sb_BiboMinus : form_.sb_BiboPlus)
            step->Click();
        return true;
    }
    QScrollBar* bar = box->verticalScrollBar();
    const int tenth = (bar->maximum() - bar->minimum()) / 10;
    bar->setValue(bar->value() + (turn > 0 ? -tenth : tenth));
    return true;
}

bool TMainMenu::CommandKey(QKeyEvent& event)
{
    if (const char* name = CtrlKeyAction(event)) {
        if (!event.isAutoRepeat() && !CtrlLatch) {
            CtrlLatch = true;
            UpdateCommandStates();
            if (QAction* action = Command(name); action && action->isEnabled())
                action->trigger();
        }
        return true;
    }
    if (event.modifiers() & Qt::ControlModifier) {
        if (event.key() != Qt::Key_Control)
            CtrlLatch = false;
        return false;
    }
    if (event.key() == Qt::Key_F1 && !CtrlLatch) {
        Run([](C& c) { c.Help(); });
        return true;
    }
    return false;
}

bool TMainMenu::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ToolTip && hints_ && !hints_->isChecked()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && widget->window() == &form_;
    }
    if (type == QEvent::Wheel)
        return LibraryWheel(qobject_cast<QWidget*>(watched), static_cast<QWheelEvent&>(*event));
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &form_ || QApplication::activeWindow() != &form_)
        return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    if (type == QEvent::KeyRelease) {
        // X11 repeats a held key as release and press pairs marked as repeats.
        if (!key.isAutoRepeat())
            CtrlLatch = false;
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // The command keys are the window's, before any shortcut or control.
        if (CtrlKeyAction(key)) {
            key.accept();
            return true;
        }
        return false;
    }
    return CommandKey(key);
}
