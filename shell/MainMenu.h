// The main window's commands as the user reaches them: the menus, the tool
// bar, the column of mode and display buttons, the board's context menu and
// the command keys. Every command is enabled from the shown board, its
// selection and the clipboard each time a menu opens and whenever the board
// reports a change.
#pragma once

#include "platform/Canvas.h"
#include "platform/SysTypes.h"
#include "shell/MainCommands.h"

#include <QObject>

#include <array>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QKeyEvent;
class QWheelEvent;
class QWidget;
class QMenu;
class QToolButton;
class TForm1;
class TPlatine;

// When a command is enabled (or, for the help items, visible).
enum class TRule {
    Always,
    MainBoardShown,         // the main board's tab is selected
    HasObjects,             // the shown board holds objects
    AnySelected,
    ClipboardFilled,
    SeveralBoards,
    MacroBoardShown,
    CanEditSelection,
    OneComponentSelected,
    SelectedIsMacro,
    DeviceSelected,         // the one selected component holds a device of the framework
    HardwareDialog,         // the hardware framework installed its dialog
    PanelRootShown,         // the panel window shows its root panel
    SeveralPanelPages,      // the panel has more than one page
    Unavailable,            // the program does not have its subsystem
};

// What the rules look at, taken from the window in one go.
struct TCommandState {
    bool MainBoardShown = true;
    bool HasObjects = false;
    bool AnySelected = false;
    bool ClipboardFilled = false;
    bool SeveralBoards = false;
    bool CanEditSelection = false;
    bool OneComponentSelected = false;
    bool SelectedIsMacro = false;
    bool DeviceSelected = false;
    bool HardwareDialog = false;
    bool PanelRootShown = true;
    bool SeveralPanelPages = false;
};
bool RuleHolds(TRule rule, const TCommandState& state);

struct TCommand {
    const char* Name;       // objectName of the action; nullptr: a separator
    const char* Caption;    // UTF-8, the designed German text
    const char* Shortcut;   // QKeySequence text, or nullptr
    TRule Rule;
    void (*Run)(TMainCommands&);
    int Image = -1;         // index of the tool-bar picture
};

struct TMenuDefinition {
    const char* Name;
    const char* Caption;
    std::span<const TCommand> Items;
};

// The menus after "&Datei" (whose items go around the recent files).
std::span<const TMenuDefinition> MainMenus();
std::span<const TCommand> FileMenuItems();
std::span<const TCommand> ToolBarButtons();     // Caption is the hint
std::span<const TCommand> BoardMenuItems();

// The four background colours every board paints with (palette indices
// 0..3); a screen of 7 or fewer colour bits gets white for all of them.
TPalette CreateBoardPalette(int colourBits);

// The tool-bar pictures in image-list order, as resource paths.
std::span<const char* const> ToolbarPictures();

class TMainMenu : public QObject {
    Q_OBJECT
public:
    explicit TMainMenu(TForm1& form);
    ~TMainMenu() override;

    // The edit-mode buttons: standard, wire, zoom.
    std::array<QToolButton*, 3> ModeButtons() const { return {standardBtn_, lineBtn_, zoomBtn_}; }

    TMainCommands Commands;
    TPalette BoardPalette;

    // The board events the window answers (context menu, mode and tools) and its palette.
    void InstallBoardHandlers(TPlatine& board);
    TCommandState CurrentState() const;
    // Every command from the current state (menus opening, board changes).
    void UpdateCommandStates();
    // The mode buttons after the shown board changed its mode.
    void BoardModeChange();
    void BoardPopupRequest();
    void ToggleLibrary();
    QMenu* BauteilMenu = nullptr;
    bool CtrlLatch = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(const TCommand& command, QObject* owner);
    // The action made for a command of the tables, by its command name;
    // nullptr for a name no table has.
    QAction* Command(std::string_view name) const;
    void BuildMenus();
    void BuildToolBar();
    void BuildButtonColumn();
    void BuildBoardMenu();
    bool CommandKey(QKeyEvent& event);
    // Over the library panel the wheel scrolls the palette or, with the
    // middle button held, steps through the categories.
    bool LibraryWheel(QWidget* target, QWheelEvent& event);
    void Run(void (*handler)(TMainCommands&));
    void ScheduleUpdate();

    TForm1& form_;
    struct TRuled {
        QAction* Action;
        TRule Rule;
    };
    std::vector<TRuled> ruled_;
    std::map<std::string, QAction*, std::less<>> commands_;
    QToolButton* standardBtn_ = nullptr;
    QToolButton* lineBtn_ = nullptr;
    QToolButton* zoomBtn_ = nullptr;
    QToolButton* closeBibo_ = nullptr;
    QAction* raster_ = nullptr;
    QAction* hints_ = nullptr;
    bool updatePending_ = false;
};
