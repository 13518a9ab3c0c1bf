// The file commands as a new user meets them: the question before a file is
// replaced, leftovers of a killed save, names shown as they are spelt, errors
// in the program's language with the command's title, the first folder of the
// file dialogs, the keyboard focus afterwards and a project opened from the
// command line.
#include "shell/ShellFixture.h"
#include "support/EndedProcess.h"

#include "components/digital/BT_Gatter.h"
#include "engine/Bauteil.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "project/ProjectFile.h"
#include "shell/Settings.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class FileCommandsTest : public TShellFixture {
protected:
    // A project file of one gate, written by a window of its own.
    void WriteProject(const AnsiString& fileName, Integer x = 2000, Integer y = 1500)
    {
        TForm1 writer(QStringList{Path("zentrika40")});
        TIOBauteil* gate = CreateComponent("TBTAnd");
        gate->X = x;
        gate->Y = y;
        gate->LayoutPins();
        writer.MainBoard->InsertObject(gate);
        writer.SaveProject(fileName);
    }
    TForm1& Shown(const QStringList& parameters = {})
    {
        TForm1& form = Create(parameters);
        form.resize(1200, 800);
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        QApplication::processEvents();
        return form;
    }
    static std::vector<TModalRequest> Boxes(const TModalHook& hook)
    {
        std::vector<TModalRequest> boxes;
        for (const TModalRequest& request : hook.Requests())
            if (request.Kind == TModalKind::MessageBox)
                boxes.push_back(request);
        return boxes;
    }
};

TEST_F(FileCommandsTest, SavesAskBeforeReplacingAFile)
{
    const struct {
        const char* Command;
        void (*Run)(TForm1&);
    } commands[] = {
        {"save as", [](TForm1& form) { form.Speichernals1Click(); }},
        {"library save", [](TForm1& form) { form.SaveBibo1Click(); }},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.Command);
        WriteFile("Anlage.prj", "alt");
        TForm1& form = Create();
        form.MainBoard->InsertObject(CreateComponent("TBTAnd"));
        {
            TModalHook hook({TModalAnswer::File(Program() + "Anlage.prj"), TModalAnswer::Button(IDNO)});
            command.Run(form);
            const std::vector<TModalRequest> boxes = Boxes(hook);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].Text.find("Anlage.prj"), AnsiString::npos);
            EXPECT_EQ(hook.Requests().back().Kind, TModalKind::FileDialog);   // asked again, then cancelled
            EXPECT_EQ(ReadFile("Anlage.prj"), "alt");
        }
        TModalHook hook({TModalAnswer::File(Program() + "Anlage.prj"), TModalAnswer::Button(IDYES)});
        command.Run(form);
        EXPECT_NE(ReadFile("Anlage.prj"), "alt");
        form_.reset();
    }
}

TEST_F(FileCommandsTest, LeftoversOfAKilledSaveGoWhenTheFolderIsNextSavedInto)
{
    const QString dead = QString::number(EndedProcess());
    WriteFile("Anlage.prj.~" + dead + ".0", "halb");
    WriteFile("Settings/EXPKIT.INI.~" + dead + ".4", "halb");
    WriteFile("Anlage.prj.~1.0", "l\u00E4uft noch");   // process 1 runs
    TForm1& form = Create();
    form.MainBoard->InsertObject(CreateComponent("TBTAnd"));
    form.SaveProject(Program() + "Teil.prj");   // also enters the recent files
    EXPECT_FALSE(QFile::exists(Path("Anlage.prj.~" + dead + ".0")));
    EXPECT_FALSE(QFile::exists(Path("Settings/EXPKIT.INI.~" + dead + ".4")));
    EXPECT_TRUE(QFile::exists(Path("Anlage.prj.~1.0")));
}

TEST_F(FileCommandsTest, AFailedSaveNamesTheChosenFileInTheLanguageWithTheSaveTitle)
{
    WriteFile("Ordner", "eine Datei, kein Ordner");
    const struct {
        int Language;
        const char* Text;
        const char* Title;
    } cases[] = {
        {0, "Datei %1 kann nicht erstellt werden: Ist kein Ordner", "Projekt speichern"},
        {1, "Cannot create file %1: Not a folder", "Save project"},
        {2, "Impossible de cr\u00E9er le fichier %1 : N\u2019est pas un dossier", "Sauvegarder projet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        TForm1& form = Create();
        LanguageIndex = c.Language;
        form.MainBoard->InsertObject(CreateComponent("TBTAnd"));
        const AnsiString chosen = Program() + "Ordner/Anlage.prj";
        TModalHook hook({TModalAnswer::File(chosen)});
        EXPECT_FALSE(form.Speichernals1Click());
        const std::vector<TModalRequest> boxes = Boxes(hook);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(AnsiToQString(boxes[0].Text), QString::fromUtf8(c.Text).arg(AnsiToQString(chosen)));
        EXPECT_EQ(AnsiToQString(boxes[0].Caption), QString::fromUtf8(c.Title));
        form_.reset();
    }
}

TEST_F(FileCommandsTest, OpenErrorsSpeakTheLanguageUnderTheOpenTitle)
{
    WriteFile("kurz.prj", QByteArray("\x02\x00\x00\x2E\x00\x04", 6));
    WriteFile("fremd.prj", QByteArray("PK\x03\x04\x14\x00\x00\x00", 8));
    const struct {
        int Language;
        const char* File;
        const char* Text;
        const char* Title;
    } cases[] = {
        {0, "kurz.prj", "Stream-Lesefehler", "Schaltung \u00F6ffnen"},
        {1, "kurz.prj", "Stream read error", "Open circuit"},
        {2, "kurz.prj", "Erreur de lecture du flux", "Open circuit"},
        {1, "fehlt.prj", "Cannot open file %1: No such file or folder", "Open circuit"},
        {2, "fehlt.prj", "Impossible d\u2019ouvrir le fichier %1 : Fichier ou dossier introuvable", "Open circuit"},
        {1, "fremd.prj", "File format mismatch!", "Open circuit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.File) + " " + std::to_string(c.Language));
        TForm1& form = Create();
        LanguageIndex = c.Language;
        const AnsiString file = Program() + c.File;
        TModalHook hook({TModalAnswer::File(file)});
        form.ffnen2Click();
        const std::vector<TModalRequest> boxes = Boxes(hook);
        ASSERT_EQ(boxes.size(), 1u);
        QString expected = QString::fromUtf8(c.Text);
        if (expected.contains("%1"))
            expected = expected.arg(AnsiToQString(file));
        EXPECT_EQ(AnsiToQString(boxes[0].Text), expected);
        EXPECT_EQ(AnsiToQString(boxes[0].Caption), QString::fromUtf8(c.Title));
        EXPECT_EQ(boxes[0].Flags, MB_OK | MB_ICONERROR);
        form_.reset();
    }
}

TEST_F(FileCommandsTest, NamesKeepTheirCaseAndOnlyOneFileIsOneRecentEntry)
{
    TForm1& form = Create();
    form.MainBoard->InsertObject(CreateComponent("TBTAnd"));
    const AnsiString project = Program() + "MyTest.prj";
    form.SaveProject(project);
    EXPECT_EQ(form.windowTitle(), "Zentrika 4.0 - [" + AnsiToQString(project) + "]");
    EXPECT_EQ(form.HistoryItem(0)->text(), "&1 " + AnsiToQString(project));

    // Opened in other letter case it is the same file, spelt as it is.
    TModalHook hook({TModalAnswer::Button(IDNO)});
    form.OpenProject(Program() + "mytest.PRJ");
    EXPECT_EQ(form.ProjectFileName, project);
    EXPECT_EQ(form.History.Entry(1), "");

    // Two files that differ only in case are two entries.
    WriteFile("Anlage.prj", "a");
    WriteFile("anlage.prj", "b");
    TRecentFiles recent;
    EXPECT_TRUE(recent.Add(Program() + "Anlage.prj"));
    EXPECT_TRUE(recent.Add(Program() + "anlage.prj"));
    EXPECT_FALSE(recent.Add(Program() + "anlage.prj"));
    EXPECT_EQ(recent.Entry(1), Program() + "Anlage.prj");

    TRecentFiles ampersand;
    ampersand.Add("/x/R&D.prj");
    EXPECT_EQ(ampersand.Caption(0), "&1 /x/R&&D.prj");
}

TEST_F(FileCommandsTest, FirstFileDialogsStartInTheDocumentsFolder)
{
    TForm1& form = Shown();
    ASSERT_NE(DefaultProjectFolder(), Program());
    EXPECT_EQ(ProjectFolder, DefaultProjectFolder());
    TModalHook hook(std::vector<TModalAnswer>{});
    form.ffnen2Click();
    form.MainBoard->InsertObject(CreateComponent("TBTAnd"));
    form.Speichernals1Click();
    ASSERT_EQ(hook.Requests().size(), 2u);
    for (const TModalRequest& request : hook.Requests())
        EXPECT_EQ(request.File.InitialDir, DefaultProjectFolder());
}

TEST_F(FileCommandsTest, TheBoardHasTheFocusAfterEveryFileCommand)
{
    WriteProject(Program() + "Anlage.prj");
    TForm1& form = Shown();
    const struct {
        const char* Command;
        std::vector<TModalAnswer> Answers;
        void (*Run)(TForm1&);
    } commands[] = {
        {"new", {TModalAnswer::Button(IDNO)}, [](TForm1& form) { form.DateiNeuBtnClick(); }},
        {"open", {TModalAnswer::File(Program() + "Anlage.prj")}, [](TForm1& form) { form.ffnen2Click(); }},
        {"open cancelled", {}, [](TForm1& form) { form.ffnen2Click(); }},
        {"recent file", {TModalAnswer::Button(IDNO)}, [](TForm1& form) { form.HistoryClick(1); }},
        {"save", {}, [](TForm1& form) { form.Speichern1Click(); }},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.Command);
        form.SearchEdit->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), form.SearchEdit);
        TModalHook hook(command.Answers);
        command.Run(form);
        EXPECT_EQ(QApplication::focusWidget(), form.PlatineScrollbox);
    }
}

TEST_F(FileCommandsTest, CommandLineOpensZoomedAsFileOpenDoes)
{
    const AnsiString project = Program() + "Anlage.prj";
    WriteProject(project, 3000, 2500);
    double opened = 0;
    {
        TForm1& form = Shown();
        form.OpenProject(project);
        QApplication::processEvents();
        opened = form.MainBoard->Zoom;
        form_.reset();
    }
    TForm1& form = Shown({AnsiToQString(project)});
    ASSERT_EQ(form.ProjectFileName, project);
    EXPECT_NEAR(form.MainBoard->Zoom, opened, 1e-9);
}

}   // namespace
