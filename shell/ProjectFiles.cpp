// The project file routines of the main window that start-up, simulation and
// close rely on: the save prompt, the empty project, saving and opening.
#include "shell/MainForm.h"

#include "engine/AnsiLiteral.h"
#include "engine/Bauteil.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "shell/Globals.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

// A text of the current language; German also for an index outside 0..2,
// so that a question is never left unasked.
const char* Pick(const char* german, const char* english, const char* french)
{
    return LanguageIndex == 1 ? english : LanguageIndex == 2 ? french : german;
}

struct TWaitCursor {
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

bool TForm1::AskSaveChanges()
{
    if (RunOnlyMode || !MainBoard || MainBoard->Objects.empty())
        return true;
    const Integer answer = MessageBox(Pick("Möchten Sie die aktuelle Schaltung speichern?"_ansi, "Save changes?",
                                           "Sauvegarder modifications ?"),
                                      "Zentrika", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES)
        Speichern1Click();
    return answer == IDYES || answer == IDNO;
}

void TForm1::ResetProject()
{
    TWaitCursor wait;
    CurrentBoard = MainBoard;
    OpenBoards = {MainBoard};
    MainBoard->UpdateLocked = true;
    while (!MainBoard->Objects.empty())
        MainBoard->RemoveObject(MainBoard->Objects.back());
    MainBoard->UpdateLocked = false;
    MainBoard->Repaint();
    SetProjectName("");
}

void TForm1::SetProjectName(const AnsiString& fileName)
{
    ProjectFileName = fileName;
    QString caption = QString::fromLatin1(ProgramTitle);
    if (!fileName.empty())
        caption += " - [" + AnsiToQString(AnsiLowerCase(fileName)) + "]";
    setWindowTitle(caption);
    CurrentProjectFile = fileName;
}

void TForm1::SaveProject(const AnsiString& fileName)
{
    SetProjectName(fileName);
    const bool isMacro = AnsiUpperCase(ExtractFileExt(fileName)) == ".MAK";
    TPlatine* board = isMacro ? CurrentBoard : MainBoard;
    {
        TWaitCursor wait;
        // Written beside the target and renamed over it, so a failed save
        // leaves the previous file whole.
        const std::string target = QtFileName(fileName).toStdString();
        const std::string temporary = target + ".~sav";
        try {
            TFileStream file(temporary, TFileMode::fmCreate);
            {
                TWriter writer(file);
                WriteFileHeader(writer, SaveCompiled);
                board->WriteObjects(file, writer, false);
                writer.FlushBuffer();
            }
            file.Flush();
        } catch (...) {
            std::remove(temporary.c_str());
            throw;
        }
        if (std::rename(temporary.c_str(), target.c_str()) != 0) {
            std::remove(temporary.c_str());
            throw EStreamError(SWriteError);
        }
    }
    AddToHistory(fileName);
    if (isMacro)
        MacroFolder = ExtractFilePath(fileName);
}

void TForm1::OpenProject(const AnsiString& requested)
{
    if (!AskSaveChanges())
        return;
    AnsiString fileName = UnixPathName(requested);
    AnsiString folder = ExtractFilePath(fileName);
    if (folder.empty()) {
        folder = QStringToAnsi(QDir::currentPath());
        fileName = folder + "/" + fileName;
    } else if (folder.size() > 1) {
        folder.pop_back();
    }
    const QString previousDirectory = QDir::currentPath();
    QDir::setCurrent(QtFileName(folder));

    // Read into a board of its own: a file that cannot be read leaves the
    // current project as it was.
    TWaitCursor wait;
    TPlatine* board = CreateBoard();
    try {
        TFileStream file(QtFileName(ResolvePath(fileName)).toStdString(), TFileMode::fmOpenRead);
        TReader reader(file);
        LoadedFileVersion = ReadFileHeader(reader, SaveCompiled);
        board->ReadObjects(file, reader, LoadedFileVersion);
    } catch (...) {
        DeleteBoard(board);
        if (LibraryLoading)
            QDir::setCurrent(previousDirectory);
        throw;
    }

    ResetProject();
    DeleteBoard(MainBoard);
    MainBoard = board;
    CurrentBoard = MainBoard;
    OpenBoards = {MainBoard};
    ShowBoard(MainBoard);
    if (!LibraryLoading)
        ProjectFolder = folder;
    SetProjectName(fileName);
    MainBoard->SelectAll(false);
    MainBoard->NormaliseAllWires();
    MainBoard->ZoomToObjects(false);
    AddToHistory(fileName);
    if (LibraryLoading)
        QDir::setCurrent(previousDirectory);
}

void TForm1::Speichern1Click()
{
    if (ProjectFileName.empty())
        Speichernals1Click();
    else
        SaveProject(ProjectFileName);
}

void TForm1::Speichernals1Click()
{
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Filter = Pick("Projektdatei|*.prj", "Project|*.prj", "Projet|*.prj");
    dialog.Title = Pick("Projekt speichern", "Save project", "Sauvegarder projet");
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "prj";
    dialog.FileName = "*.prj";
    dialog.InitialDir = ProjectFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    SaveProject(fileName);
    ProjectFolder = ExtractFilePath(fileName);
    SaveRunState(ProjectFileName);
}

void TForm1::BoardNewComponent(TPlatine*, TIOBauteil*, TStream&, TReader& reader, Byte)
{
    if (LibraryLoading)
        return;
    // The has-element flag; an element's record can only be read by the
    // front panel, which this program does not have yet.
    if (reader.ReadBoolean())
        throw EReadError(SInvalidPropertyValue);
}
