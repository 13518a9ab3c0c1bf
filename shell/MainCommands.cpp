#include "shell/MainCommands.h"

#include "engine/Bauteil.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/HelpBinding.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/Platine.h"
#include "engine/ShellHooks.h"
#include "hardware/framework/IO_Interface.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/HtmlHelp.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/ScreenCursors.h"
#include "shell/HardwareSettings.h"
#include "shell/MainForm.h"
#include "shell/TranslateUI.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QTabBar>
#include <QUrl>

namespace {

// Mode with the cursor the board shows in it (none: the board draws a cross-hair).
struct TModeCursor {
    TBoardMode Mode;
    Integer Cursor;
};
constexpr TModeCursor ModeCursors[] = {{TBoardMode::Select, crArrow},
                                       {TBoardMode::Zoom, crMagnifier},
                                       {TBoardMode::Wire, crNone},
                                       {TBoardMode::Text, crText}};

void RemoveFile(const AnsiString& fileName)
{
    QFile::remove(QtFileName(fileName));
}

} // namespace

TPlatine& TMainCommands::Board() const
{
    return *form_.CurrentBoard;
}

TPoint TMainCommands::ViewCentre() const
{
    const TPlatine& board = Board();
    const TPoint box = board.View ? board.View->ScrollBoxSize() : TPoint{};
    return TPoint{box.X / 2 + board.ScrollX, box.Y / 2 + board.ScrollY};
}

// ---- File -------------------------------------------------------------------

void TMainCommands::NewProject()
{
    form_.DateiNeuBtnClick();
}

void TMainCommands::OpenProjectDialog()
{
    form_.ffnen2Click();
}

void TMainCommands::OpenExample()
{
    static const char* const Folders[] = {"Beispiele", "Examples", "Exemples"};
    TFileDialog dialog;
    dialog.Filter = QStringToAnsi(MainWindowText("OpenDialog1", TUiProperty::Filter, LanguageChoice()));
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "prj";
    dialog.FileName = "*.prj";
    dialog.InitialDir = ProgramFolder() + Folders[LanguageChoice()];
    // The open asks to save the project it replaces.
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (!fileName.empty())
        form_.OpenReporting(fileName);
    form_.FocusBoard();
}

void TMainCommands::Quit()
{
    form_.close();
}

// ---- Edit -------------------------------------------------------------------

void TMainCommands::Cut()
{
    Board().CopySelection();
    Board().TakeSnapshot();
    Board().DeleteSelected();
    ProjectModified = true;
}

void TMainCommands::Copy()
{
    Board().CopySelection();
}

void TMainCommands::Paste()
{
    if (!form_.ClipboardStream)
        return;
    form_.ClipboardStream->SetPosition(0);
    Board().PasteFromStream(*form_.ClipboardStream, static_cast<Byte>(FileVersion));
}

void TMainCommands::Duplicate()
{
    Copy();
    Paste();
}

void TMainCommands::SelectAll()
{
    Board().SelectAll(true);
}

void TMainCommands::TidyUp()
{
    TPlatine& board = Board();
    board.SelectAll(false);
    board.SelectAllLooseWires();
    board.Repaint();
}

void TMainCommands::Delete()
{
    // A board's Del belongs to the main window only; another window keeps its key.
    if (!form_.isActiveWindow())
        return;
    Board().TakeSnapshot();
    Board().DeleteSelected();
    ProjectModified = true;
}

void TMainCommands::ToFront()
{
    Board().BringToFront();
}

void TMainCommands::ToBack()
{
    Board().SendToBack();
}

void TMainCommands::EditProperties()
{
    Board().EditSelection();
}

void TMainCommands::MirrorSelected()
{
    Board().MirrorSelected();
}

// ---- Zoom and view ----------------------------------------------------------

void TMainCommands::ZoomIn()
{
    Board().ZoomIn(ViewCentre());
}

void TMainCommands::ZoomOut()
{
    Board().ZoomOut(ViewCentre());
}

void TMainCommands::ZoomToFit()
{
    Board().ZoomToFit();
}

void TMainCommands::ZoomToObjects(bool selectedOnly)
{
    Board().ZoomToObjects(selectedOnly);
}

void TMainCommands::ToggleGrid()
{
    form_.MainBoard->GridVisible = !form_.MainBoard->GridVisible;
    Board().Repaint();
}

void TMainCommands::SetMode(TBoardMode mode)
{
    Integer cursor = crArrow;
    for (const TModeCursor& entry : ModeCursors)
        if (entry.Mode == mode)
            cursor = entry.Cursor;
    for (TPlatine* board : form_.OpenBoards) {
        board->Mode = mode;
        board->PreviousMode = mode;
        if (board->View)
            board->View->SetBoardCursor(cursor);
    }
}

void TMainCommands::NewText()
{
    Board().Mode = TBoardMode::Text;
    if (Board().View)
        Board().View->SetBoardCursor(crText);
}

// ---- Window -----------------------------------------------------------------

void TMainCommands::NextBoard()
{
    const auto& boards = form_.OpenBoards;
    for (std::size_t i = 0; i < boards.size(); ++i)
        if (boards[i] == form_.CurrentBoard) {
            SelectBoard((i + 1) % boards.size());
            return;
        }
}

void TMainCommands::SelectBoard(std::size_t index)
{
    // Any other tab marks the project modified.
    if (index >= form_.OpenBoards.size())
        return;
    ProjectModified = true;
    form_.SelectBoardTab(index);
}

void TMainCommands::EditMacro()
{
    for (TBauteil* object : Board().Objects)
        if (auto* macro = dynamic_cast<TMakro*>(object); macro && macro->IsSelected()) {
            form_.ShowMacroBoard(macro);
            return;
        }
}

// ---- Configuration and help -------------------------------------------------

AnsiString TMainCommands::HardwareIniFileName()
{
    return QStringToAnsi(QDir(QDir::tempPath()).filePath(QStringLiteral("TEMP.INI")));
}

void TMainCommands::HardwareSettingsDialog()
{
    if (!HardwareDialog)
        return;
    const AnsiString fileName = HardwareIniFileName();
    RemoveFile(fileName);
    // The file goes whatever the dialog or the components raise.
    struct TRemover {
        AnsiString Name;
        ~TRemover() { RemoveFile(Name); }
    } remover{fileName};
    {
        TIniFile store(fileName);
        Integer counter = 1;
        WriteHardwareSettings(*form_.MainBoard, store, counter);
    }
    if (!HardwareDialog(fileName))
        return;
    TIniFile store(fileName);
    Integer counter = 1;
    ReadHardwareSettings(*form_.MainBoard, store, counter);
}

TIOBauteil* TMainCommands::SelectedComponent() const
{
    return dynamic_cast<TIOBauteil*>(Board().SingleSelected());
}

TIOInterface* TMainCommands::SelectedDevice() const
{
    const auto* hardware = dynamic_cast<const IHardwareComponent*>(SelectedComponent());
    return hardware ? dynamic_cast<TIOInterface*>(hardware->Driver()) : nullptr;
}

void TMainCommands::MakerLinks()
{
    if (TIOInterface* device = SelectedDevice(); device && ShellHooks.ShowMakerLinks)
        ShellHooks.ShowMakerLinks(*device);
}

void TMainCommands::Help()
{
    if (const TIOBauteil* component = SelectedComponent()) {
        ShowHelpTopic(component->HelpContext);
        return;
    }
    CallHtmlHelp(&form_, ProgramFolder() + "Zentrika40.CHM", 1, 0);
}

void TMainCommands::OpenForum()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(ForumAddress)));
}
