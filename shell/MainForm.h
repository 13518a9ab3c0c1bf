// The main window of the program: start-up and shutdown, the boards of the
// project, the project's files as far as start-up, simulation and close need
// them, the settings it keeps, and simulation control.
#pragma once

#include "engine/PanelInterfaces.h"
#include "platform/SysTypes.h"
#include "project/PanelLinks.h"
#include "shell/Categories.h"
#include "shell/EventHook.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QComboBox;
class QProgressBar;
class TPlatineView;
class QLabel;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QTabBar;
class QTimer;
class QToolBar;
class QToolButton;
class TBibo;
class TBoardMouse;
class TMainMenu;
class QToolButton;
class TDesign;
class TWinHandle;
struct TMessage;
class TCustomIniFile;
class TIniFile;
class TIOBauteil;
class TMakro;
class TMemoryStream;
class TPlatine;
class TReader;
class TStream;
class TUCLHiTimer;
class TUCLImageListBox;
class TUCLSpeedButton;
class TWriter;

// The development program's executable; under any other name the executable
// is a compiled stand-alone copy (run-only mode).
inline constexpr const char* DevelopmentProgramName = "zentrika40";
bool IsRunOnlyExecutable(const QString& executablePath);

// The command line after the executable: the parameters joined with single
// blanks up to the first empty one; " /RUN" in any letter case is taken out
// and reported in runAfterLoad. Empty when there are no parameters.
AnsiString ProjectFromCommandLine(const QStringList& parameters, bool& runAfterLoad);

// The column of mode and display buttons left of the board: one size for all.
inline constexpr int ColumnButtonSize = 30;
inline constexpr int ColumnIconSize = 20;

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
    static void RegisterComponentClasses();

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
    // or the user answered Yes and the project was saved, or No.
    bool AskSaveChanges();
    void ResetProject();
    void DateiNeuBtnClick();
    void SetProjectName(const AnsiString& fileName);
    // Both raise the stream errors (EFilerError) for the caller to report
    // (ReportFileError). A failed save leaves the previous file and the
    // project's name as they were; a failed open leaves the project as it
    // was. OpenProject is false when the save prompt was cancelled.
    void SaveProject(const AnsiString& fileName);
    bool OpenProject(const AnsiString& fileName);
    // The save command: under the project's name, else through save-as.
    // True when the project was saved; errors are reported here.
    bool Speichern1Click();
    bool Speichernals1Click();
    // The open command and the recent files 1..4, reporting their errors.
    void ffnen2Click();
    void HistoryClick(Integer tag);
    // The palette's header reader: raises EFileFormatError for a rejected header.
    void ReadLibraryHeader(TStream& stream, TReader& reader);
    // Library save and load of the library-building aid (hidden with it).
    void SaveBibo1Click();
    void LoadBibo1Click();
    QAction* SaveBibo1 = nullptr;
    QAction* LoadBibo1 = nullptr;
    // The error box of a file command, titled as the command is: opening
    // (open, recent files, examples, command line) "Schaltung öffnen",
    // saving as the save dialog. A refused or damaged file is named under
    // the message.
    void ReportFileError(const std::exception& error, const AnsiString& fileName);
    void ReportSaveError(const std::exception& error);
    // Opens the file, reporting its errors; the board has the focus after it.
    void OpenReporting(const AnsiString& fileName);
    // The shown board takes the keyboard focus (after every file command,
    // whose dialogs and replaced boards leave it nowhere).
    void FocusBoard();

    // ---- Front panel
    // The panel window; a project read from a file comes with a new one made
    // by CreateFrontplatte.
    std::unique_ptr<IFrontplatte> Frontplatte;
    std::function<std::unique_ptr<IFrontplatte>()> CreateFrontplatte;
    // The boards' pairing of components and elements: the panel shown (while
    // a file is read, the new one) and the design that receives the elements
    // of new components.
    TPanelLinks Links;
    IDesign*& CurrentDesign = Links.Design;
    // The panel window's keys and buttons reach the simulation and the dialogs.
    void InstallPanelCallbacks(IFrontplatte& panel);
    // Shows the panel window and brings it to the front (F12, SB_Front).
    void ShowPanelWindow();
    // The panel window's left and top at least 0, its right and bottom edges
    // inside the screen.
    void KeepPanelOnScreen();

    // ---- Placing components
    void LibraryItemPicked(TBibo* palette);
    // The palette's mouse, which it keeps from a press to the release, goes
    // to the board while a component picked from it hangs at the pointer.
    void InstallLibraryDrag();
    // An object of the class (a device class inside a hardware component)
    // hangs at the cursor of the current board to be placed.
    void PlaceNewObject(const AnsiString& className);
    void FillCreateCombo();
    void Button1Click();
    QPushButton* Button1 = nullptr;             // "Create", hidden
    QComboBox* CreateCombo = nullptr;

    // ---- Library categories and component search
    TBibo* Bibo = nullptr;
    QWidget* P_Bibo = nullptr;
    TUCLSpeedButton* BiboButton = nullptr;
    Integer BiboTag = -1;                       // the category shown, -1 for none
    QMenu* PopupBibo = nullptr;
    std::vector<QMenu*> CategoryMenus;          // one per kind
    QScrollArea* SB_Bibliothek = nullptr;
    QWidget* SearchPanel = nullptr;
    TUCLImageListBox* SearchResultListbox = nullptr;
    QLineEdit* SearchEdit = nullptr;
    QMenu* SearchPopup = nullptr;
    QAction* SearchAdd = nullptr;
    TUCLSpeedButton* cb_NurText = nullptr;
    TUCLSpeedButton* SearchBtn = nullptr;
    TUCLSpeedButton* sb_BiboPlus = nullptr;
    TUCLSpeedButton* sb_BiboMinus = nullptr;
    // The column of mode and display buttons beside the board.
    QWidget* Panel7 = nullptr;
    QToolButton* HintBtn = nullptr;             // component hints on or off
    QAction* SB_Raster = nullptr;               // the tool bar's grid button
    TMainMenu* MainMenu = nullptr;              // menus, tool bar and command keys
    std::array<TLibraryCategory, LibraryCategoryCount> LibraryCategories;
    // Index-parallel: each type name once, and its class identifier.
    std::vector<AnsiString> SearchNames;
    std::vector<AnsiString> SearchClassIds;
    void BuildLibraryCategories();
    void AddCategoryMenuItem(Integer index);
    // Without an item the start-up category.
    void ShowLibraryCategory(QAction* item);
    void FindCurrentCategory(Integer& submenu, Integer& position) const;
    void SB_BiboPlusClick();
    void SB_BiboMinusClick();
    void CB_NurTextClick();
    void BuildSearchList();
    void SearchBtnClick();
    void SearchEditChange();
    void SearchPopupPopup();
    void SearchAddClick();
    void SearchResultListboxDblClick();
    void SearchResultListboxMouseUp();

    // ---- Macro commands and macro windows (Macros.cpp)
    QLineEdit* MakroPathEdit = nullptr;         // the macro folder, shown with the macro category
    QProgressBar* ProgressBar1 = nullptr;       // shown while the macro category is built
    QAction* MakrosItem = nullptr;              // "Makros" of the category menu
    QAction* Del1 = nullptr;                    // "Makro löschen: ..." for the entry right-clicked
    AnsiString DeleteMacroName;
    AnsiString DeleteMacroFile;
    void MakroSpeichern1Click();
    void Makroimportieren1Click();
    // Reads the macro file onto the board as a new macro (selected, the last
    // object); placed by hand it hangs at the cursor instead. A file that
    // cannot be read to its end raises the stream error and changes nothing.
    void ImportMacroFile(const AnsiString& fileName, bool placeByHand, TPlatine* board);
    // One macro's inner circuit and panel from the stream; without a macro a
    // new one is made (named after the file) and returned, not yet on a board.
    TMakro* ReadMacro(TMakro* macro, TStream& stream, const AnsiString& fileName, Byte version, TPlatine* board,
                      TReader& reader);
    void ShowMacroBoard(TMakro* macro);
    void MacroNameChanged(TMakro* macro);
    // Shows the open board of the index with its panel design.
    void SelectBoardTab(std::size_t index);
    void Makrofensterschliessen1Click();
    // Every tab but the main board's goes (a new or opened project).
    void CloseMacroTabs();
    // The tabs whose inner boards went with their macros.
    void DropClosedMacroTabs();
    void MakroClick();
    void MakroPathEditChange();
    void PopupBiboPopup();
    void Del1Click();

    // ---- Compiling a stand-alone program (Compiler.cpp)
    // The compile dialog with the proposed target folder and program name.
    void CompilierenClick();
    // A compile button's click: the target folder, then the compile; the
    // start button also starts the compiled program.
    void RunCompile(QObject* sender);
    // True when the folder may be used: it exists and the user agrees to
    // overwrite its files, or it was created.
    bool PrepareTargetFolder(const AnsiString& folder);
    // Everything into the executable's folder; a failed copy is logged and
    // the next file follows, a failed save of "comp.mod" is raised.
    void CompileProject(const AnsiString& exeFileName);
    void CopyProjectFiles(TPlatine& board, const AnsiString& folder);
    void CopyPanelFiles(TDesign& design, const AnsiString& folder);
    // Logs the target's name with "OK" or the error mark; true when copied.
    bool CopyFileLogged(const AnsiString& source, const AnsiString& target);

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

    // ---- Language
    void TranslateUI();

    // ---- The window's own messages and the mouse around the board
    std::unique_ptr<TWinHandle> WindowHandle;   // what boards and components send to
    std::unique_ptr<TBoardMouse> BoardMouse;
    void WndProc(TMessage& message);
    // Windows left outside the screen by another screen set-up come back
    // to (50, 50), (70, 70) and so on.
    void RescueOffscreenForms();

    // ---- Controls
    QStackedWidget* Panel4 = nullptr;           // the board area: one view per board
    QTabBar* TabSet = nullptr;                  // one tab per open board, the main board first
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
    // The panel, the hidden file and library commands and the library
    // panel, which goes into the layout at the board area's left.
    void CreateProjectControls(QBoxLayout& centre);
    void CreateLibraryAid();
    QWidget* CreateLibraryPanel(QWidget* parent);
    void CreateSearchPanel(QWidget* parent, QVBoxLayout* column);
    void CreateMacroControls(QVBoxLayout* column, int at);
    TPlatineView* TabView(int index) const;
    void RemoveTab(int index);
    void StepLibraryCategory(int direction);
    AnsiString ChooseFileToOpen(const AnsiString& pattern);

    QStringList commandLine_;
    std::unique_ptr<TEventHook> libraryResize_;
    std::unique_ptr<TEventHook> libraryDrag_;   // a drag from the palette onto the board
    std::unique_ptr<TEventHook> searchMouse_;
    bool searchWaitingForMouseUp_ = false;
    QAction* historyItems_[TRecentFiles::Count] = {};
    bool shown_ = false;
    bool closed_ = false;
    bool boardPrepared_ = false;   // prepared for a run and not stopped yet
    int runDepth_ = 0;             // start, step loop and step timer handlers on the stack
};

extern TForm1* Form1;
