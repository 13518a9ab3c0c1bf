// The main window of the program: start-up and shutdown, the boards of the
// project, the project's files as far as start-up, simulation and close need
// them, the settings it keeps, and simulation control.
#pragma once

#include "platform/SysTypes.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QTimer;
class QToolBar;
class QToolButton;
class TCustomIniFile;
class TIniFile;
class TIOBauteil;
class TMemoryStream;
class TPlatine;
class TReader;
class TStream;
class TUCLHiTimer;

// The development program's executable; under any other name the executable
// is a compiled stand-alone copy (run-only mode).
inline constexpr const char* DevelopmentProgramName = "zentrika40";
bool IsRunOnlyExecutable(const QString& executablePath);

// The command line after the executable: the parameters joined with single
// blanks up to the first empty one; " /RUN" in any letter case is taken out
// and reported in runAfterLoad. Empty when there are no parameters.
AnsiString ProjectFromCommandLine(const QStringList& parameters, bool& runAfterLoad);

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // commandLine: the program's arguments, the executable first. Runs the
    // start-up (FormCreate); the rest (FormShow) runs when the window is
    // first shown.
    explicit TForm1(const QStringList& commandLine = QCoreApplication::arguments(), QWidget* parent = nullptr);
    // Releases what the program bound at run time (FormDestroy).
    ~TForm1() override;

    // ---- Start-up and shutdown
    // True once the close has been accepted (the window may never have been
    // visible, as in a run-only start without its project).
    bool Closed() const { return closed_; }
    // The close of the front panel in run-only mode.
    void CloseRequest();
    void CloseTimerTimer();
    QTimer* CloseTimer = nullptr;

    // Every component and device class, for creation by its stored name.
    void RegisterComponentClasses();

    // ---- Boards
    // A board with its view in the board area, not shown yet.
    TPlatine* CreateBoard();
    // Frees the board and its view.
    void DeleteBoard(TPlatine* board);
    // Shows the board's view in the board area.
    void ShowBoard(TPlatine* board);
    TPlatine* MainBoard = nullptr;
    TPlatine* CurrentBoard = nullptr;
    std::vector<TPlatine*> OpenBoards;          // the main board first
    std::unique_ptr<TMemoryStream> ClipboardStream;

    // ---- Project files
    AnsiString ProjectFileName;                 // empty for a new project
    AnsiString MacroFolder;
    AnsiString LibraryFolder;
    // True when the project may be replaced: nothing to lose, run-only mode,
    // or the user answered Yes (after saving) or No.
    bool AskSaveChanges();
    void ResetProject();
    void SetProjectName(const AnsiString& fileName);
    // Raise the stream errors (EFilerError) for the caller to report.
    void SaveProject(const AnsiString& fileName);
    void OpenProject(const AnsiString& fileName);
    // The save command: under the project's name, else through save-as.
    void Speichern1Click();
    void Speichernals1Click();

    // ---- Settings
    std::unique_ptr<TIniFile> SettingsIni;      // "Settings/EXPKIT.INI", open until the close
    std::unique_ptr<TIniFile> HardwareLinksIni; // "Settings/HardwareLinks.ini"
    TProgramSettings Settings;                  // as read at start-up; written at the close
    TRecentFiles History;
    bool RunAfterLoad = false;
    void LoadHistory();
    void UpdateHistory();
    void AddToHistory(const AnsiString& fileName);
    QAction* HistoryItem(int index) const { return historyItems_[index]; }

    // ---- Simulation control
    TUCLHiTimer* SimTimer = nullptr;         // 1 ms: one step per tick in speed "Slow"
    TUCLHiTimer* UCLHiTimer1 = nullptr;      // 50 ms: the tick pass and the step rate
    bool StartArmed = false;
    Integer TickCounter = 0;
    bool SimTimerBusy = false;
    void SB_StartClick();
    void SB_StartMouseMove();
    void StartRequest();
    void StopRequest();
    // With speed "Fast" returns when the simulation stops or turns "Slow".
    void StartSimulation();
    // Raises the first error of a component's stop hook or of the state
    // file after the whole stop has run.
    void SB_StopClick();
    void RunFastLoop();
    void SimTimerTimer();
    void UCLHiTimer1Timer();
    void cbSpeedChange();
    void LockEditor(bool running);
    void SB_Hilo1Click();
    void SB_StatusClick();
    // The project's retained-state file (empty name: the unnamed project).
    void SaveRunState(const AnsiString& projectFileName);
    void LoadRunState(const AnsiString& projectFileName);

    // ---- Language
    void TranslateUI();

    // ---- Controls
    QStackedWidget* Panel4 = nullptr;           // the board area: one view per board
    QWidget* PlatineScrollbox = nullptr;        // the view of the shown board
    QToolBar* ToolBar1 = nullptr;
    QMenu* Datei1 = nullptr;
    QToolButton* SB_Start = nullptr;
    QToolButton* SB_Stop = nullptr;
    QToolButton* SB_HILO = nullptr;
    QToolButton* SB_Status = nullptr;
    QComboBox* cbSpeed = nullptr;
    QLabel* Status = nullptr;

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void ApplySettings();
    void OpenFromCommandLine();
    void ShowError(const std::exception& error);
    // Ends a run that a component's or a file's error broke off, whatever
    // part of the start or stop it reached, and reports the error.
    void AbortSimulation(const std::exception& error);
    // Runs a handler of a control, reporting what it raises.
    void Guarded(const std::function<void()>& handler);
    // The main window's side of reading a component from a board stream.
    void BoardNewComponent(TPlatine* board, TIOBauteil* component, TStream& stream, TReader& reader, Byte version);

    QStringList commandLine_;
    QAction* historyItems_[TRecentFiles::Count] = {};
    bool shown_ = false;
    bool closed_ = false;
    bool boardPrepared_ = false;   // prepared for a run and not stopped yet
    int runDepth_ = 0;             // start, step loop and step timer handlers on the stack
};

extern TForm1* Form1;
