#include <gtest/gtest.h>

#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/GrundBT.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "shell/MainForm.h"
#include "shell/ProgressWindow.h"
#include "shell/Settings.h"
#include "shell/ShellFixture.h"
#include "support/ProgramProcess.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

TEST(MainForm, IsTitledWithTheProgramName)
{
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Zentrika 4.0"));
}

namespace {

TEST(MainForm, RunsOnlyUnderAnotherNameThanTheDevelopmentProgram)
{
    const struct {
        const char* Executable;
        bool RunOnly;
    } cases[] = {
        {"/opt/zentrika/zentrika40", false},
        {"zentrika40", false},
        {"/opt/zentrika/Zentrika40", false},
        {"/opt/zentrika/ZENTRIKA40", false},
        {"/home/u/Pumpe/Pumpe", true},
        {"/opt/zentrika/zentrika40-alt", true},
        {"/opt/zentrika40/anlage", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Executable);
        EXPECT_EQ(IsRunOnlyExecutable(c.Executable), c.RunOnly);
    }
}

TEST(MainForm, JoinsTheCommandLineAndTakesOutTheRunSwitch)
{
    const struct {
        QStringList Parameters;
        const char* Project;
        bool Run;
    } cases[] = {
        {{}, "", false},
        {{"/x/a.prj"}, "/x/a.prj", false},
        {{"/x/my", "project.prj"}, "/x/my project.prj", false},
        {{"/x/my", "project.prj", "/run"}, "/x/my project.prj", true},
        {{"/x/a.prj", "/RuN"}, "/x/a.prj", true},
        {{"/x/a.prj", "", "/RUN"}, "/x/a.prj", false},   // joining stops at the first empty parameter
        {{"/RUN"}, "/RUN", false},                        // the switch needs the blank before it
        {{"/x/k\u00e4lte.prj"}, "/x/k\xE4lte.prj", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Parameters.join('|').toStdString());
        bool run = !c.Run;
        EXPECT_EQ(ProjectFromCommandLine(c.Parameters, run), c.Project);
        EXPECT_EQ(run, c.Run);
    }
}

// A main window on a program folder of its own.
class MainFormTest : public TShellFixture {
protected:
    // A project file holding one component, written by a window of its own.
    void WriteProject(const AnsiString& fileName, bool compiled = false)
    {
        TForm1 writer(QStringList{Path("zentrika40")});
        writer.MainBoard->InsertObject(CreateBauteil<TGrundBT>());
        SaveCompiled = compiled;
        writer.SaveProject(fileName);
        SaveCompiled = false;
    }
    static void AddComponent(TForm1& form) { form.MainBoard->InsertObject(CreateBauteil<TGrundBT>()); }
};

TEST_F(MainFormTest, StartsWithTheStoredSettings)
{
    WriteFile("Settings/SPEED.INI", "[Speed]\r\nFast=0\r\n");
    WriteFile("Settings/EXPKIT.INI",
              "[History]\r\nD1=/x/Letzte.prj\r\n[DIRECTORIES]\r\nPROJECTS=/x/projekte/\r\n"
              "[OPTIONS]\r\nCOMPONENTHINT=0\r\nRASTER=1\r\nTextOnly=1\r\n[HAUPTFENSTER]\r\nMAX=0\r\nX=40\r\nY=30\r\nW=640\r\nH=480\r\n");
    TForm1& form = Create();
    EXPECT_FALSE(RunOnlyMode);
    EXPECT_FALSE(SimSpeedFast);
    EXPECT_EQ(form.cbSpeed->currentIndex(), 1);
    EXPECT_TRUE(form.SB_Stop->isChecked());
    EXPECT_FALSE(form.SB_Start->isChecked());
    EXPECT_EQ(form.Status->text(), QStringLiteral("---"));
    EXPECT_EQ(form.HistoryItem(0)->text(), QStringLiteral("&1 /x/Letzte.prj"));
    EXPECT_EQ(ProjectFolder, Program());
    EXPECT_EQ(form.LibraryFolder, Program() + "EXP_BIBO/");
    ASSERT_NE(form.MainBoard, nullptr);
    EXPECT_EQ(form.CurrentBoard, form.MainBoard);
    EXPECT_EQ(form.OpenBoards, std::vector<TPlatine*>{form.MainBoard});
    EXPECT_EQ(form.MainBoard->ClipboardStream, form.ClipboardStream.get());
    EXPECT_EQ(dynamic_cast<QWidget*>(form.MainBoard->View), form.PlatineScrollbox);

    form.show();
    EXPECT_EQ(ProjectFolder, "/x/projekte/");
    EXPECT_EQ(form.MacroFolder, Program());
    EXPECT_FALSE(ShowComponentHints);
    EXPECT_FALSE(form.findChild<QToolButton*>("HintBtn")->isChecked());
    EXPECT_TRUE(form.MainBoard->GridVisible);
    EXPECT_TRUE(form.findChild<QAction*>("SB_Raster")->isChecked());
    EXPECT_TRUE(form.cb_NurText->Pressed());
    EXPECT_TRUE(form.Bibo->TextOnly);
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.width(), 640);
    EXPECT_EQ(form.height(), 480);
}

TEST_F(MainFormTest, SpeaksTheLanguageOfTheLanguageFile)
{
    const struct {
        const char* File;
        const char* StopHint;
        const char* FileMenu;
        const char* Fast;
    } cases[] = {
        {nullptr, "Stop (ESC)", "&Datei", "Fast"},
        {"[Sprache]\r\nSprache=1\r\n", "Stop (ESC)", "&File", "Fast"},
        {"[Sprache]\r\nSprache=2\r\n", "Fin (ESC)", "&Fichier", "Rapide"},
        {"[Sprache]\r\nSprache=3\r\n", "Stop (ESC)", "&Datei", "Fast"},   // unknown: the designed texts stay
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File ? c.File : "no file");
        QFile::remove(Path("SPRACHE.INI"));
        if (c.File)
            WriteFile("SPRACHE.INI", c.File);
        TForm1& form = Create();
        EXPECT_EQ(form.SB_Stop->toolTip(), QString::fromUtf8(c.StopHint));
        EXPECT_EQ(form.Datei1->title(), QString::fromUtf8(c.FileMenu));
        EXPECT_EQ(form.cbSpeed->itemText(0), QString::fromUtf8(c.Fast));
    }
    EXPECT_EQ(LanguageIndex, 3);
    EXPECT_EQ(Translate("Knopf"), "???");
}

TEST_F(MainFormTest, OpensTheProjectNamedOnTheCommandLine)
{
    ASSERT_TRUE(QDir(folder_.path()).mkpath("meine projekte"));
    const AnsiString project = Program() + "meine projekte/Pumpe.prj";
    WriteProject(project);
    ASSERT_TRUE(QFile::exists(Path("meine projekte/Pumpe.prj")));

    const struct {
        QStringList Parameters;
        bool Run;
    } cases[] = {
        {{Path("meine"), "projekte/Pumpe.prj"}, false},
        {{Path("meine"), "projekte/Pumpe.prj", "/run"}, true},
    };
    for (const auto& c : cases) {
        TForm1& form = Create(c.Parameters);
        form.show();
        EXPECT_EQ(form.ProjectFileName, project);
        EXPECT_EQ(form.MainBoard->Objects.size(), 1u);
        EXPECT_EQ(dynamic_cast<QWidget*>(form.MainBoard->View), form.PlatineScrollbox);
        EXPECT_EQ(form.Panel4->currentWidget(), form.PlatineScrollbox);
        EXPECT_EQ(form.Panel4->count(), 1);   // the view of the replaced board went with it
        EXPECT_EQ(form.windowTitle(), AnsiToQString("Zentrika 4.0 - [" + project + "]"));
        EXPECT_EQ(ProjectFolder, Program() + "meine projekte");
        EXPECT_EQ(form.RunAfterLoad, c.Run);
        form_.reset();
    }
}

TEST_F(MainFormTest, RunOnlyCopyWithoutItsPackageEndsWithoutAWindow)
{
    TForm1& form = Create({}, "Pumpe");
    EXPECT_TRUE(RunOnlyMode);
    form.show();
    EXPECT_TRUE(form.Closed());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.MainBoard, nullptr);
}

TEST_F(MainFormTest, RunOnlyCopyOpensItsPackageOffScreen)
{
    WriteProject(Program() + "comp.mod", true);
    WriteFile("Settings/EXPKIT.INI", "[History]\r\nD1=/x/a.prj\r\n");
    TForm1& form = Create({"/x/anderes.prj", "/run"}, "Pumpe");
    form.show();
    ASSERT_FALSE(form.Closed());
    EXPECT_EQ(form.MainBoard->Objects.size(), 1u);
    EXPECT_EQ(form.x(), -4000);
    EXPECT_FALSE(form.RunAfterLoad);   // the command line is not read
    EXPECT_FALSE(SaveCompiled);
    // The package is no project of the recent-file list, and the list stays as stored.
    EXPECT_EQ(form.History.Entry(0), "/x/a.prj");
}

TEST_F(MainFormTest, ClosingAsksToSaveAProjectThatHoldsObjects)
{
    struct TCase {
        Integer Answer;
        bool Closes;
        bool Saved;
    };
    const TCase cases[] = {
        {IDCANCEL, false, false},
        {IDNO, true, false},
        {IDYES, true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Answer);
        const AnsiString project = Program() + "Anlage.prj";
        QFile::remove(Path("Anlage.prj"));
        TForm1& form = Create();
        form.show();
        AddComponent(form);
        form.SetProjectName(project);
        TModalHook hook({TModalAnswer::Button(c.Answer)});
        EXPECT_EQ(form.close(), c.Closes);
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, "M\xF6" "chten Sie die aktuelle Schaltung speichern?");
        EXPECT_EQ(hook.Requests()[0].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(form.Closed(), c.Closes);
        EXPECT_EQ(QFile::exists(Path("Anlage.prj")), c.Saved);
        if (!c.Closes) {
            EXPECT_EQ(form.MainBoard->Objects.size(), 1u);   // nothing was thrown away
        }
        form_.reset();
    }
}

TEST_F(MainFormTest, SavePromptSpeaksTheLanguageAndGermanForAnUnknownOne)
{
    const struct {
        Integer Language;
        const char* Text;
    } cases[] = {
        {1, "Save changes?"},
        {2, "Sauvegarder modifications ?"},
        {7, "M\xF6" "chten Sie die aktuelle Schaltung speichern?"},
    };
    for (const auto& c : cases) {
        WriteFile("SPRACHE.INI", QByteArray("[Sprache]\r\nSprache=") + QByteArray::number(c.Language));
        TForm1& form = Create();
        AddComponent(form);
        TModalHook hook({TModalAnswer::Button(IDCANCEL)});
        EXPECT_FALSE(form.AskSaveChanges());
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, c.Text);
        EXPECT_EQ(hook.Requests()[0].Caption, "Zentrika");
    }
}

TEST_F(MainFormTest, EmptyProjectClosesWithoutAQuestionAndKeepsTheSettings)
{
    TForm1& form = Create();
    form.show();
    form.MacroFolder = "/m/";
    ProjectFolder = "/p/";
    form.MainBoard->GridVisible = true;
    form.findChild<QToolButton*>("HintBtn")->setChecked(false);
    TModalHook hook(std::vector<TModalAnswer>{});
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(hook.Requests().empty());
    EXPECT_EQ(form.MainBoard, nullptr);
    TIniFile settings(SettingsFileName());
    EXPECT_EQ(settings.ReadString("DIRECTORIES", "MACROS", ""), "/m/");
    EXPECT_EQ(settings.ReadString("DIRECTORIES", "PROJECTS", ""), "/p/");
    EXPECT_TRUE(settings.ValueExists("HAUPTFENSTER", "MAX"));
    EXPECT_TRUE(settings.ValueExists("OPTIONS", "FPGrid"));
    EXPECT_TRUE(settings.ReadBool("OPTIONS", "RASTER", false));
    EXPECT_FALSE(settings.ReadBool("OPTIONS", "COMPONENTHINT", true));
}

// Closing the main window ends the program: no window of it stays open.
TEST_F(MainFormTest, ClosingTheMainWindowClosesEveryWindow)
{
    TForm1& form = Create();
    form.show();
    form.ShowPanelWindow();
    QWidget* panel = form.Frontplatte->Window();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(panel->isVisible());
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
}

// The program as a process: ended from outside (logout, kill), it closes its
// window as a user would, and the process ends.
TEST_F(MainFormTest, TheProgramEndsWhenItIsToldTo)
{
    ASSERT_TRUE(QFile::copy(ZK_PROGRAM_DIR "/zentrika40", Path("zentrika40")));
    QProcess program;
    PrepareProgramProcess(program);
    program.setWorkingDirectory(Path(""));
    program.start(Path("zentrika40"), {});
    ASSERT_TRUE(program.waitForStarted(30000));
    EXPECT_TRUE(TerminateProgramProcess(program)) << "the program did not end as asked";
    // It closed as its window does: the settings were written.
    EXPECT_TRUE(TIniFile(SettingsFileName()).ValueExists("HAUPTFENSTER", "MAX"));
}

TEST_F(MainFormTest, CloseRequestWhileTheCloseTimerRunsKeepsTheSavePrompt)
{
    TForm1& form = Create();
    form.show();
    AddComponent(form);
    form.CloseTimer->start();
    TModalHook hook({TModalAnswer::Button(IDNO)});
    EXPECT_FALSE(form.close());   // the pending close will ask
    EXPECT_TRUE(hook.Requests().empty());
    EXPECT_EQ(form.MainBoard->Objects.size(), 1u);
    form.CloseTimerTimer();
    EXPECT_FALSE(form.CloseTimer->isActive());
    EXPECT_EQ(hook.Requests().size(), 1u);
    EXPECT_TRUE(form.Closed());
}

TEST_F(MainFormTest, SavedProjectsEnterTheRecentFileListOnce)
{
    TForm1& form = Create();
    AddComponent(form);
    const AnsiString project = Program() + "Anlage.prj";
    for (int i = 0; i < 3; ++i)
        form.SaveProject(project);
    form.SaveProject(Program() + "Teil.mak");
    EXPECT_EQ(form.History.Entry(0), project);
    EXPECT_EQ(form.History.Entry(1), "");
    EXPECT_EQ(form.MacroFolder, Program());
    TModalHook hook({TModalAnswer::Button(IDNO)});
    form.OpenProject(Program() + "ANLAGE.PRJ");   // found whatever the letter case
    EXPECT_EQ(form.History.Entry(1), "");
    TIniFile settings(SettingsFileName());
    EXPECT_EQ(settings.ReadString("History", "D1", ""), project);
}

TEST_F(MainFormTest, UnreadableFileLeavesTheProjectAsItWas)
{
    WriteFile("kaputt.prj", QByteArray("\x02\x00\x00\x2E\x00\x04", 6));
    TForm1& form = Create();
    AddComponent(form);
    form.SetProjectName(Program() + "Anlage.prj");
    TModalHook hook({TModalAnswer::Button(IDNO)});
    EXPECT_THROW(form.OpenProject(Program() + "kaputt.prj"), EReadError);
    EXPECT_EQ(form.MainBoard->Objects.size(), 1u);
    EXPECT_EQ(form.Panel4->count(), 1);
    EXPECT_EQ(dynamic_cast<QWidget*>(form.MainBoard->View), form.PlatineScrollbox);
    EXPECT_EQ(form.ProjectFileName, Program() + "Anlage.prj");
    EXPECT_EQ(form.History.Entry(0), "");
}

TEST_F(MainFormTest, ReadingReportsItsProgressAndEndsTheReportAlsoOnFailure)
{
    WriteProject(Program() + "Anlage.prj");
    WriteFile("kaputt.prj", QByteArray("\x02\x00\x00\x2E\x00\x04", 6));
    TForm1& form = Create();
    TProgressWindow progress;
    form.OpenProject(Program() + "Anlage.prj");
    EXPECT_EQ(progress.Title(), QString::fromUtf8("Öffnen... "));
    EXPECT_EQ(progress.Position(), 100);
    EXPECT_FALSE(progress.isVisible());

    progress.Start("Start...", true);
    TModalHook hook({TModalAnswer::Button(IDNO)});
    EXPECT_THROW(form.OpenProject(Program() + "kaputt.prj"), EReadError);
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(MainFormTest, BareFileNameOpensInTheCurrentFolder)
{
    WriteProject(Program() + "Anlage.prj");
    QDir::setCurrent(folder_.path());
    TForm1& form = Create();
    form.OpenProject("Anlage.prj");
    EXPECT_EQ(form.ProjectFileName, QStringToAnsi(QDir::currentPath()) + "/Anlage.prj");
    EXPECT_EQ(form.MainBoard->Objects.size(), 1u);
}

} // namespace
