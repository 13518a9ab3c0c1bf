// The main window's file commands: the save prompt, the empty project, save
// and save-as, opening into a fresh board and panel (read by the project
// reader) that replace the project only when the whole file was read, the
// recent files and the library save and load. The window asks for the names
// and reports the errors.
#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "panel/framework/Frontplatte.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/MouseCursor.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "project/ProjectFile.h"
#include "project/RunStateFile.h"
#include "shell/MainForm.h"
#include "shell/ProgramTitle.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QMenu>
#include <QPushButton>

#include <memory>

namespace {

AnsiString OpenCaption()
{
    return ByLanguage("Schaltung öffnen"_ansi, "Open circuit", "Open circuit");
}

AnsiString SaveCaption()
{
    return ByLanguage("Projekt speichern", "Save project", "Sauvegarder projet");
}

// Gives the board the focus when a file command ends, however it ends.
struct TBoardFocusAfter {
    TForm1& Form;
    ~TBoardFocusAfter() { Form.FocusBoard(); }
};

AnsiString Utf8ToAnsi(const char* text)
{
    return QStringToAnsi(QString::fromUtf8(text));
}

} // namespace

// ---- The window's parts for files, panel and library

void TForm1::CreateProjectControls(QBoxLayout& centre)
{
    CreateFrontplatte = [this] {
        auto panel = std::make_unique<TFrontplatte>();
        InstallPanelCallbacks(*panel);
        return panel;
    };
    Frontplatte = CreateFrontplatte();
    // The program starts with the panel of a new project.
    Frontplatte->ResetToNewProject();
    PanelWindow = Frontplatte.get();
    Links.Panel = Frontplatte.get();
    CurrentDesign = Frontplatte->RootDesign();
    Links.MacroEdited = [this](TMakro* macro) { MacroNameChanged(macro); };
    Links.MacroRemoved = [this] { DropClosedMacroTabs(); };
    Links.DeletingMacroPin = [this] { return CurrentBoard && CurrentBoard->DeletingMacroPin; };

    CreateLibraryAid();
    // The library save and load are there only with the aid's button.
    SaveBibo1 = Datei1->addAction(QStringLiteral("SaveBibo"));
    SaveBibo1->setObjectName("SaveBibo1");
    LoadBibo1 = Datei1->addAction(QStringLiteral("LoadBibo"));
    LoadBibo1->setObjectName("LoadBibo1");
    for (QAction* item : {SaveBibo1, LoadBibo1})
        item->setVisible(!Button1->isHidden());
    connect(SaveBibo1, &QAction::triggered, this, [this] { Guarded([this] { SaveBibo1Click(); }); });
    connect(LoadBibo1, &QAction::triggered, this, [this] { Guarded([this] { LoadBibo1Click(); }); });

    centre.insertWidget(1, CreateLibraryPanel(centre.parentWidget()));
}

// ---- The save prompt and the empty project

bool TForm1::AskSaveChanges()
{
    if (RunOnlyMode || !MainBoard || MainBoard->Objects.empty())
        return true;
    const Integer answer = MessageBox(ByLanguage("Möchten Sie die aktuelle Schaltung speichern?"_ansi, "Save changes?",
                                           "Sauvegarder modifications ?"),
                                      "Zentrika", MB_YESNOCANCEL | MB_ICONQUESTION);
    // A save that is cancelled or fails keeps the project.
    if (answer == IDYES)
        return Speichern1Click();
    return answer == IDNO;
}

void TForm1::ResetProject()
{
    TWaitCursor wait;
    CloseMacroTabs();
    CurrentBoard = MainBoard;
    OpenBoards = {MainBoard};
    ShowBoard(MainBoard);
    MainBoard->UpdateLocked = true;
    while (!MainBoard->Objects.empty())
        MainBoard->RemoveObject(MainBoard->Objects.back());
    MainBoard->UpdateLocked = false;
    MainBoard->Repaint();
    Frontplatte->ResetToNewProject();
    CurrentDesign = Frontplatte->RootDesign();
    SetProjectName("");
}

void TForm1::DateiNeuBtnClick()
{
    if (AskSaveChanges())
        ResetProject();
    FocusBoard();
}

void TForm1::SetProjectName(const AnsiString& fileName)
{
    ProjectFileName = fileName;
    QString caption = QString::fromLatin1(ProgramTitle);
    if (!fileName.empty())
        caption += " - [" + AnsiToQString(fileName) + "]";
    setWindowTitle(caption);
    CurrentProjectFile = fileName;
}

// ---- Saving

void TForm1::SaveProject(const AnsiString& fileName)
{
    // A macro file holds the board and the panel being edited.
    const bool isMacro = AnsiUpperCase(ExtractFileExt(fileName)) == ".MAK";
    TPlatine& board = isMacro ? *CurrentBoard : *MainBoard;
    IDesign& design = isMacro ? *CurrentDesign : *Frontplatte->RootDesign();
    {
        TWaitCursor wait;
        if (!isMacro)
            Frontplatte->ShowPanel(Frontplatte->RootDesign());
        Frontplatte->RootDesign()->RenumberZOrder();
        try {
            WriteProjectFile(fileName, board, design, *Frontplatte);
        } catch (...) {
            Frontplatte->ShowPanel(CurrentDesign);
            throw;
        }
        Frontplatte->ShowPanel(CurrentDesign);
    }
    // Only a written project file names the project: a macro file named so
    // would take the next save of the project.
    if (isMacro) {
        MacroFolder = ExtractFilePath(fileName);
        MakroClick();
        return;
    }
    SetProjectName(fileName);
    AddToHistory(fileName);
}

bool TForm1::Speichern1Click()
{
    const TBoardFocusAfter focus{*this};
    if (ProjectFileName.empty())
        return Speichernals1Click();
    try {
        SaveProject(ProjectFileName);
    } catch (const std::exception& error) {
        ReportSaveError(error);
        return false;
    }
    return true;
}

bool TForm1::Speichernals1Click()
{
    const TBoardFocusAfter focus{*this};
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Filter = ByLanguage("Projektdatei|*.prj", "Project|*.prj", "Projet|*.prj");
    dialog.Title = SaveCaption();
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "prj";
    dialog.FileName = "*.prj";
    dialog.InitialDir = ProjectFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return false;
    bool saved = false;
    try {
        SaveProject(fileName);
        saved = true;
        ProjectFolder = ExtractFilePath(fileName);
        if (Frontplatte->AutoSave())
            Frontplatte->SaveDefaultSettings(ProjectFileName);
        SaveRunState(*MainBoard, ProjectFileName);
    } catch (const std::exception& error) {
        ReportSaveError(error);
    }
    return saved;
}

// ---- Opening

void TForm1::ReadLibraryHeader(TStream&, TReader& reader)
{
    Bibo->FileVersion = ReadProjectHeader(reader, false);
}

bool TForm1::OpenProject(const AnsiString& requested)
{
    if (!AskSaveChanges())
        return false;
    AnsiString fileName = UnixPathName(requested);
    if (ExtractFilePath(fileName).empty())
        fileName = QStringToAnsi(QDir::currentPath()) + "/" + fileName;
    // A name typed in other letter case names the file as it is spelt.
    fileName = ResolvePath(fileName);
    AnsiString folder = ExtractFilePath(fileName);
    if (folder.size() > 1)
        folder.pop_back();
    const QString previousDirectory = QDir::currentPath();
    QDir::setCurrent(QtFileName(folder));

    // The file is read into a board and a panel of their own; only a file
    // read to its end replaces the project. A library read onto the board
    // leaves the panel as it is.
    TWaitCursor wait;
    std::unique_ptr<IFrontplatte> panel = LibraryLoading ? nullptr : CreateFrontplatte();
    TPlatine* board = CreateBoard();
    try {
        ReadProjectFile(fileName, *board, panel.get(), Links);
    } catch (...) {
        // Its components' elements leave the fresh panel before it goes.
        DeleteBoard(board);
        QDir::setCurrent(previousDirectory);
        throw;
    }

    CloseMacroTabs();
    TPlatine* replaced = MainBoard;
    MainBoard = board;
    CurrentBoard = board;
    OpenBoards = {board};
    ShowBoard(board);
    DeleteBoard(replaced);
    if (panel) {
        // The new window takes the old one's place on screen.
        QWidget* previous = Frontplatte ? Frontplatte->Window() : nullptr;
        const bool wasVisible = previous && previous->isVisible();
        Frontplatte = std::move(panel);
        PanelWindow = Frontplatte.get();
        Links.Panel = Frontplatte.get();
        CurrentDesign = Frontplatte->RootDesign();
        ProjectFolder = folder;
        KeepPanelOnScreen();
        if (RunOnlyMode)
            QCoreApplication::setApplicationName(AnsiToQString(Frontplatte->WindowCaption()));
        if (wasVisible)
            ShowPanelWindow();
    }
    SetProjectName(fileName);
    MainBoard->SelectAll(false);
    MainBoard->NormaliseAllWires();
    MainBoard->ZoomToObjects(false);
    AddToHistory(fileName);
    RescueOffscreenForms();
    if (LibraryLoading)
        QDir::setCurrent(previousDirectory);
    else if (!RunOnlyMode)
        Frontplatte->ShownDesign()->RefreshTransparency(nullptr);
    return true;
}

void TForm1::ReportFileError(const std::exception& error, const AnsiString& fileName)
{
    // A file that cannot be opened is named in its message already; a
    // refused or damaged one is named under it.
    const bool named = dynamic_cast<const EStreamError*>(&error) != nullptr;
    MessageBox(Utf8ToAnsi(error.what()), OpenCaption(), MB_OK | MB_ICONERROR, named ? AnsiString() : fileName);
}

void TForm1::ReportSaveError(const std::exception& error)
{
    MessageBox(Utf8ToAnsi(error.what()), SaveCaption(), MB_OK | MB_ICONERROR);
}

void TForm1::OpenReporting(const AnsiString& fileName)
{
    try {
        OpenProject(fileName);
    } catch (const std::exception& error) {
        ReportFileError(error, fileName);
    }
    FocusBoard();
}

void TForm1::FocusBoard()
{
    if (PlatineScrollbox)
        PlatineScrollbox->setFocus(Qt::OtherFocusReason);
}

// The open dialog on the project folder; empty when cancelled.
AnsiString TForm1::ChooseFileToOpen(const AnsiString& pattern)
{
    TFileDialog dialog;
    dialog.Filter = ByLanguage("Projektdatei|*.prj|Makro|*.mak", "Project|*.prj|Macro|*.mak", "Projet|*.prj|Macro|*.mak");
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "prj";
    dialog.FileName = pattern;
    dialog.InitialDir = ProjectFolder;
    return ExecuteFileDialog(dialog);
}

void TForm1::ffnen2Click()
{
    const TBoardFocusAfter focus{*this};
    const AnsiString fileName = ChooseFileToOpen("*.prj");
    if (!fileName.empty())
        OpenReporting(fileName);
}

void TForm1::HistoryClick(Integer tag)
{
    if (tag >= 1 && tag <= TRecentFiles::Count && !History.Entry(tag - 1).empty())
        OpenReporting(History.Entry(tag - 1));
}

// ---- Library files (the library-building aid)

void TForm1::SaveBibo1Click()
{
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Filter = ByLanguage("Projektdatei|*.prj", "Project|*.prj", "Projet|*.prj");
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "bib";
    dialog.FileName = "*.bib";
    dialog.InitialDir = ProjectFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    // The board that is written is the one that writes no element data.
    const TFlagScope library(MainBoard->WritingLibrary, true);
    try {
        SaveProject(fileName);
    } catch (const std::exception& error) {
        ReportSaveError(error);
    }
    FocusBoard();
}

void TForm1::LoadBibo1Click()
{
    const TBoardFocusAfter focus{*this};
    const AnsiString fileName = ChooseFileToOpen("*.bib");
    if (fileName.empty())
        return;
    const TFlagScope loading(LibraryLoading, true);
    OpenReporting(fileName);
}
