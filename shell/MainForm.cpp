#include "shell/MainForm.h"
#include "shell/InfoDlg.h"

#include "dialogs/DLG_Default.h"
#include "engine/AnsiLiteral.h"
#include "engine/Bauteil.h"
#include "engine/Globals.h"
#include "engine/Gradient.h"
#include "engine/GrundBT.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "engine/Segment.h"
#include "hardware/framework/DLG_Hersteller.h"
#include "panel/elements/ElementClasses.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/PanelClasses.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "platform/MouseCursor.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "platform/VendorLibraries.h"
#include "shell/BoardMouse.h"
#include "shell/ComponentClasses.h"
#include "shell/Cursors.h"
#include "shell/HardwareSettings.h"
#include "shell/HookInstall.h"
#include "shell/LanguageSetting.h"
#include "shell/MainMenu.h"
#include "shell/OnlineUpdate.h"
#include "shell/ProgramTitle.h"
#include "ui/controls/UCLHiTimer.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

bool IsRunOnlyExecutable(const QString& executablePath)
{
    return QFileInfo(executablePath).fileName().toLower() != QLatin1String(DevelopmentProgramName);
}

AnsiString ProjectFromCommandLine(const QStringList& parameters, bool& runAfterLoad)
{
    runAfterLoad = false;
    AnsiString text;
    for (const QString& parameter : parameters) {
        if (parameter.isEmpty())
            break;
        if (!text.empty())
            text += ' ';
        text += QStringToAnsi(parameter);
    }
    const std::size_t at = AnsiUpperCase(text).find(" /RUN");
    if (at != AnsiString::npos) {
        runAfterLoad = true;
        text.erase(at, 5);
    }
    return text;
}

TForm1::TForm1(const QStringList& commandLine, QWidget* parent) : QMainWindow(parent), commandLine_(commandLine)
{
    setObjectName("Form1");
    CreateControls();
    FormCreate();
}

TForm1::~TForm1()
{
    if (PanelWindow == Frontplatte.get())
        PanelWindow = nullptr;
    ReleaseVendorLibraries();
    if (::HardwareLinksIni() == HardwareLinksIni.get())
        SetHardwareLinksIni(nullptr);
    HardwareLinksIni.reset();
    SimTimer->SetEnabled(false);
    UCLHiTimer1->SetEnabled(false);
    // A window destroyed without a close (tests, an aborted start) still
    // frees its project.
    if (MainBoard)
        CloseMacroTabs();
    DeleteBoard(MainBoard);
    MainBoard = nullptr;
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::CreateControls()
{
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    resize(1024, 700);

    Datei1 = menuBar()->addMenu(QStringLiteral("&Datei"));
    Datei1->setObjectName("Datei1");
    for (int i = 0; i < TRecentFiles::Count; ++i) {
        QAction* item = Datei1->addAction(QString("&%1 ").arg(i + 1));
        item->setObjectName(QString("History%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, i] { HistoryClick(i + 1); });
        historyItems_[i] = item;
    }
    // Empty entries stay out of sight.
    connect(Datei1, &QMenu::aboutToShow, this, [this] {
        for (int i = 0; i < TRecentFiles::Count; ++i)
            historyItems_[i]->setVisible(!History.Entry(i).empty());
    });

    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName("ToolBar1");

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);

    Panel7 = new QWidget(central);
    QWidget* panel7 = Panel7;
    panel7->setObjectName("Panel7");
    auto* column = new QVBoxLayout(panel7);
    auto makeButton = [panel7, column](const char* name, const char* picture, const QString& hint) {
        auto* button = new QToolButton(panel7);
        button->setObjectName(name);
        button->setIcon(QIcon(QString::fromLatin1(picture)));
        button->setIconSize(QSize(ColumnIconSize, ColumnIconSize));
        button->setFixedSize(ColumnButtonSize, ColumnButtonSize);
        button->setToolTip(hint);
        button->setCheckable(true);
        column->addWidget(button);
        return button;
    };
    SB_Start = makeButton("SB_Start", ":/pictures/buttons/start.svg", QStringLiteral("Start (F9)"));
    SB_Stop = makeButton("SB_Stop", ":/pictures/buttons/stop.svg", QStringLiteral("Stop (ESC)"));
    auto* startStop = new QButtonGroup(this);
    startStop->addButton(SB_Start);
    startStop->addButton(SB_Stop);
    startStop->setExclusive(true);
    SB_HILO = makeButton("SB_HILO", ":/pictures/buttons/hilo.svg", QStringLiteral("Leitungszustand anzeigen"));
    SB_Status = makeButton("SB_Status", ":/pictures/buttons/status.svg", QStringLiteral("Bauteilzustand anzeigen"));
    column->addStretch();
    layout->addWidget(panel7);

    // Speed and step rate at the right of the tool bars; the editor's lock leaves them alone.
    auto* panel5 = addToolBar(QStringLiteral("Panel5"));
    panel5->setObjectName("Panel5");
    panel5->setMovable(false);
    cbSpeed = new QComboBox(panel5);
    cbSpeed->setObjectName("cbSpeed");
    cbSpeed->addItems({QStringLiteral("Fast"), QStringLiteral("Slow")});
    panel5->addWidget(cbSpeed);
    Status = new QLabel(QStringLiteral("---"), panel5);
    Status->setObjectName("Status");
    Status->setToolTip(QStringLiteral("Freq."));
    Status->setMinimumWidth(70);
    Status->setAlignment(Qt::AlignCenter);
    // Room between the rate and the speed box, however wide the rate grows.
    Status->setContentsMargins(8, 0, 4, 0);
    panel5->addWidget(Status);

    // The board area: the shown board above its tab row.
    auto* boardArea = new QWidget(central);
    boardArea->setObjectName("BoardArea");
    auto* boardColumn = new QVBoxLayout(boardArea);
    boardColumn->setContentsMargins(0, 0, 0, 0);
    boardColumn->setSpacing(0);
    Panel4 = new QStackedWidget(boardArea);
    Panel4->setObjectName("Panel4");
    boardColumn->addWidget(Panel4, 1);
    TabSet = new QTabBar(boardArea);
    TabSet->setObjectName("TabSet");
    TabSet->setShape(QTabBar::RoundedSouth);
    TabSet->setDrawBase(false);
    TabSet->setExpanding(false);
    TabSet->addTab(QStringLiteral(" Hauptschaltung "));
    boardColumn->addWidget(TabSet);
    layout->addWidget(boardArea, 1);

    // The front panel, the library panel left of the board area and the
    // hidden library-building aid.
    CreateProjectControls(*layout);
    setCentralWidget(central);


    CloseTimer = new QTimer(this);
    CloseTimer->setObjectName("CloseTimer");
    CloseTimer->setInterval(1000);
    connect(CloseTimer, &QTimer::timeout, this, &TForm1::CloseTimerTimer);

    // Both simulation timers deliver their ticks on this thread.
    SimTimer = new TUCLHiTimer(this, 1);
    SimTimer->setObjectName("SimTimer");
    SimTimer->SetUseThread(false);
    SimTimer->SetOnTimer([this](TPersistent*) { SimTimerTimer(); });
    UCLHiTimer1 = new TUCLHiTimer(this, 50);
    UCLHiTimer1->setObjectName("UCLHiTimer1");
    UCLHiTimer1->SetUseThread(false);
    UCLHiTimer1->SetOnTimer([this](TPersistent*) { UCLHiTimer1Timer(); });

    connect(SB_Start, &QToolButton::clicked, this, [this] { SB_StartClick(); });
    SB_Start->setMouseTracking(true);
    SB_Start->installEventFilter(this);
    connect(SB_Stop, &QToolButton::clicked, this, [this] { Guarded([this] { SB_StopClick(); }); });
    connect(SB_HILO, &QToolButton::clicked, this, [this] { Guarded([this] { SB_Hilo1Click(); }); });
    connect(SB_Status, &QToolButton::clicked, this, [this] { Guarded([this] { SB_StatusClick(); }); });
    connect(cbSpeed, &QComboBox::currentIndexChanged, this, [this] { cbSpeedChange(); });
    // The window sees these keys before the focused control does.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &TForm1::StopRequest);
    connect(new QShortcut(Qt::Key_F9, this), &QShortcut::activated, this, &TForm1::StartRequest);

    // Menus, tool bar, mode buttons, context menu and command keys.
    MainMenu = new TMainMenu(*this);
    WindowHandle = std::make_unique<TWinHandle>([this](TMessage& message) { WndProc(message); });
    BoardMouse = std::make_unique<TBoardMouse>(*this);
}

void TForm1::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_BOARDREPAINTOBJECT:
        if (CurrentBoard && message.LParam)
            CurrentBoard->InvalidateObject(reinterpret_cast<const TBauteil*>(message.LParam));
        break;
    case WM_BOARDHINT: BoardMouse->ShowComponentHint(reinterpret_cast<const char*>(message.LParam)); break;
    default: break;
    }
}

void TForm1::RescueOffscreenForms()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = screen->size();
    int next = 50;
    for (QWidget* form : QApplication::topLevelWidgets()) {
        if (!form->isWindow() || (form->x() <= size.width() && form->y() <= size.height()))
            continue;
        form->move(next, next);
        next += 20;
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SB_Start && event->type() == QEvent::MouseMove)
        SB_StartMouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

// ---- Start-up ---------------------------------------------------------------

void TForm1::FormCreate()
{
    ColourDrawing = true;
    // The language file lies in the program folder whatever the working
    // folder is.
    LanguageIndex = ReadLanguageSetting();
    TranslateUI();
    ShowStartupPicture(*this);
    // The panel window, made anew in the language just chosen.
    Frontplatte = CreateFrontplatte();
    Frontplatte->ResetToNewProject();
    PanelWindow = Frontplatte.get();
    Links.Panel = Frontplatte.get();
    CurrentDesign = Frontplatte->RootDesign();

    RunOnlyMode = IsRunOnlyExecutable(commandLine_.value(0));
    if (RunOnlyMode && FileExists("ICON.ICO"))
        QApplication::setWindowIcon(QIcon(QStringLiteral("ICON.ICO")));

    const AnsiString program = ProgramFolder();
    ReportSettingsWriteFailures();
    HardwareLinksIni = std::make_unique<TIniFile>(program + "Settings/HardwareLinks.ini");
    SetHardwareLinksIni(HardwareLinksIni.get());
    SettingsIni = std::make_unique<TIniFile>(SettingsFileName());

    RegisterBaseClasses();
    RegisterComponentClasses();
    FillCreateCombo();
    RegisterPanelClasses();
    RegisterElementClasses();
    InstallShellHooks(*this);

    ClipboardStream = std::make_unique<TMemoryStream>();
    MainBoard = CreateBoard();
    CurrentBoard = MainBoard;
    OpenBoards = {MainBoard};
    ShowBoard(MainBoard);

    LibraryFolder = program + "EXP_BIBO/";
    LoadCustomCursors();
    SetProjectName("");
    SimulationRunning = false;
    SaveCompiled = false;
    BuildLibraryCategories();
    LoadHistory();
    SB_Stop->setChecked(true);
    ProjectFolder = program;
    LibraryLoading = false;
    PerfFrequency = static_cast<double>(QueryPerformanceFrequency());
    SimSpeedFast = ReadSpeedSetting();
    const QSignalBlocker quiet(cbSpeed);
    cbSpeed->setCurrentIndex(SimSpeedFast ? 0 : 1);
}

void TForm1::setVisible(bool visible)
{
    if (visible && !shown_) {
        shown_ = true;
        FormShow();
        if (closed_)
            return;
    }
    QMainWindow::setVisible(visible);
}

void TForm1::FormShow()
{
    CloseStartupPicture(*this);
    if (!RunOnlyMode)
        Guarded([this] {
            BuildSearchList();
            ShowLibraryCategory(nullptr);
        });
    Settings.MacroFolder = DefaultMacroFolder();
    // Without a stored project folder the file dialogs start in the user's
    // documents, not in the program folder where the backup is written.
    Settings.ProjectFolder = RunOnlyMode ? ProjectFolder : DefaultProjectFolder();
    Settings.MainX = x();
    Settings.MainY = y();
    Settings.MainW = width();
    Settings.MainH = height();
    ReadProgramSettings(*SettingsIni, Settings);
    MacroFolder = Settings.MacroFolder;
    ProjectFolder = Settings.ProjectFolder;

    if (RunOnlyMode) {
        const AnsiString package = ProgramFolder() + "comp.mod";
        bool opened = false;
        if (FileExists(package)) {
            SaveCompiled = true;
            try {
                OpenProject(package);
                opened = true;
            } catch (const std::exception&) {
                // A damaged package ends the program like a missing one.
            }
            SaveCompiled = false;
        }
        if (!opened) {
            close();
            return;
        }
        setWindowState(Qt::WindowNoState);
        move(-4000, y());
        // Started from the message loop, which the fast loop then stands in for.
        QMetaObject::invokeMethod(this, &TForm1::StartSimulation, Qt::QueuedConnection);
        return;
    }

    ApplySettings();
    ShowPanelWindow();
    Frontplatte->ShownDesign()->RefreshTransparency(nullptr);
    OpenFromCommandLine();
    // The update check waits for the server in the message loop, with the
    // window up; a start asked for on the command line follows it.
    if (Settings.UpdateInfo || RunAfterLoad)
        QMetaObject::invokeMethod(this, [this] {
            if (Settings.UpdateInfo)
                Guarded([this] { AutoUpdateCheck(*this); });
            if (RunAfterLoad)
                StartRequest();
        }, Qt::QueuedConnection);
}

void TForm1::ApplySettings()
{
    CurrentBoard->GridVisible = Settings.Raster;
    if (Settings.Raster) {
        CurrentBoard->Repaint();
        if (SB_Raster)
            SB_Raster->setChecked(true);
    }
    GridVisible = Settings.FPGridVisible;
    GridColor = Settings.FPGridColor;
    GridSize = Settings.FPGrid;
    if (auto* panel = dynamic_cast<TFrontplatte*>(Frontplatte.get()))
        panel->ShowGridSize();
    if (cb_NurText && Bibo) {
        cb_NurText->SetPressed(Settings.TextOnly);
        CB_NurTextClick();
    }
    ShowComponentHints = Settings.ComponentHint;
    if (HintBtn)
        HintBtn->setChecked(Settings.ComponentHint);
    if (Settings.MainMax) {
        setWindowState(Qt::WindowMaximized);
    } else {
        setWindowState(Qt::WindowNoState);
        setGeometry(Settings.MainX, Settings.MainY, Settings.MainW, Settings.MainH);
    }
}

void TForm1::OpenFromCommandLine()
{
    const AnsiString project = ProjectFromCommandLine(commandLine_.mid(1), RunAfterLoad);
    if (project.empty())
        return;
    // The board area gets its size before the board is zoomed to its
    // objects, as for a project opened from the menu.
    if (layout())
        layout()->activate();
    try {
        OpenProject(project);
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    // The window takes its final size (maximised) only once it is on the
    // screen: zoom again then, unless the user has zoomed meanwhile.
    const double zoom = MainBoard->Zoom;
    QMetaObject::invokeMethod(
        this,
        [this, board = MainBoard, zoom] {
            if (board == MainBoard && board->Zoom == zoom)
                board->ZoomToObjects(false);
        },
        Qt::QueuedConnection);
}

// ---- Shutdown ---------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = false;
    try {
        canClose = FormCloseQuery();
    } catch (const std::exception& error) {
        ShowError(error);
    }
    if (canClose) {
        closed_ = true;
        event->accept();
        // The program ends with its main window: the panel and every other
        // window still open go with it, so the last window closes.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window != this && window->isVisible())
                window->hide();
    } else {
        event->ignore();
    }
}

bool TForm1::FormCloseQuery()
{
    // While a close is pending the timer repeats it, with the save prompt;
    // a further request must not skip that prompt.
    if (CloseTimer->isActive())
        return false;
    // A run, or a start or a step still on the stack, is stopped first; the
    // close comes back a second later, when nothing of it uses the project.
    if (SimulationRunning || runDepth_ > 0) {
        CloseTimer->start();
        SB_StopClick();
        return false;
    }
    if (!AskSaveChanges())
        return false;

    SimulationRunning = false;
    SimTimer->SetEnabled(false);
    if (RunOnlyMode) {
        // The package's device list, written anew from the project.
        const AnsiString devices = ProgramFolder() + "Settings/HARDWARE.INI";
        QFile::remove(QtFileName(ResolvePath(devices)));
        TIniFile store(devices);
        Integer counter = 1;
        WriteHardwareSettings(*MainBoard, store, counter);
    }
    TWaitCursor wait;
    if (!RunOnlyMode) {
        ResetProject();
        Settings.Raster = MainBoard->GridVisible;
        if (cb_NurText)
            Settings.TextOnly = cb_NurText->Pressed();
        Settings.ComponentHint = ShowComponentHints;
        Settings.MainMax = isMaximized();
        const QRect place = normalGeometry().isValid() ? normalGeometry() : geometry();
        Settings.MainX = isMaximized() ? x() : place.x();
        Settings.MainY = isMaximized() ? y() : place.y();
        Settings.MainW = isMaximized() ? width() : place.width();
        Settings.MainH = isMaximized() ? height() : place.height();
        Settings.MacroFolder = MacroFolder;
        Settings.ProjectFolder = ProjectFolder;
        WriteProgramSettings(*SettingsIni, Settings);
    }
    SettingsIni.reset();
    CloseMacroTabs();
    DeleteBoard(MainBoard);
    ClipboardStream.reset();
    MainBoard = nullptr;
    CurrentBoard = nullptr;
    OpenBoards.clear();
    return true;
}

void TForm1::CloseTimerTimer()
{
    CloseTimer->stop();
    close();
}

void TForm1::CloseRequest()
{
    close();
}

// ---- Boards -----------------------------------------------------------------

TPlatine* TForm1::CreateBoard()
{
    auto* board = new TPlatine();
    board->ClipboardStream = ClipboardStream.get();
    board->MainWindowHandle = WindowHandle->Handle();
    Links.Attach(*board);
    board->Mode = TBoardMode::Select;
    board->PreviousMode = TBoardMode::Select;
    auto* view = new TPlatineView(*board, Panel4);
    BoardMouse->InstallOn(*view);
    Panel4->addWidget(view);
    board->ZoomToObjects(false);
    return board;
}

void TForm1::DeleteBoard(TPlatine* board)
{
    if (!board)
        return;
    auto* view = dynamic_cast<TPlatineView*>(board->View);
    delete board;
    delete view;
    PlatineScrollbox = Panel4->currentWidget();
}

void TForm1::ShowBoard(TPlatine* board)
{
    // The hint belonged to the board shown before.
    if (BoardMouse) {
        BoardMouse->HoveredWire = nullptr;
        BoardMouse->ShowComponentHint(nullptr);
    }
    if (auto* view = dynamic_cast<TPlatineView*>(board->View)) {
        Panel4->setCurrentWidget(view);
        PlatineScrollbox = view;
    }
}

// ---- Errors -----------------------------------------------------------------

void TForm1::ShowError(const std::exception& error)
{
    MessageBox(QStringToAnsi(QString::fromUtf8(error.what())), "Zentrika", MB_OK | MB_ICONERROR);
}

void TForm1::RegisterComponentClasses()
{
    ::RegisterComponentClasses();
}
