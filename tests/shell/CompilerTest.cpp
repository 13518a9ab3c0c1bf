// The compile dialog and the stand-alone folder it writes: the proposals, the
// texts, the logged copies, the files of components, panel and hardware, the
// overwrite question, and a compiled program that really starts and runs.
#include "shell/ShellFixture.h"
#include "platform/HtmlHelp.h"
#include "support/ProgramProcess.h"
#include "support/TestBoard.h"

#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_Speicher.h"
#include "engine/DeviceInterfaces.h"
#include "panel/framework/Design.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/Frontplatte.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/FlagScope.h"
#include "platform/IniFile.h"
#include "shell/Compiler.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>


namespace {

// Hardware drivers named as the real ones are, for the vendor-library rows.
class TK8061 : public TPersistent, public IDevice {
    ZK_CLASS(TK8061, TPersistent)
public:
    std::vector<IDevicePort*> DevicePorts() const override { return {}; }
    void WaitMs(double) override {}
    void writeConnection(TCustomIniFile& store, const AnsiString& section) override
    {
        store.WriteInteger(section, "Address", 3);
    }
};
class TK8061Variant : public TK8061 {
    ZK_CLASS(TK8061Variant, TK8061)
};
class TWasco : public TPersistent {
    ZK_CLASS(TWasco, TPersistent)
};
class TUnlistedDriver : public TPersistent {
    ZK_CLASS(TUnlistedDriver, TPersistent)
};

class TBTK8061Hardware : public TGrundBT, public IHardwareComponent {
    ZK_CLASS(TBTK8061Hardware, TGrundBT)
public:
    TBTK8061Hardware() { Designator = "HW"; }
    IDevice* Driver() const override { return device_.get(); }
    void FreeDriver() override { device_.reset(); }

private:
    std::unique_ptr<TK8061> device_ = std::make_unique<TK8061>();
};

class CompilerTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        ASSERT_TRUE(QDir(folder_.path()).mkpath("src"));
        // The program the compile copies: any file that is executable.
        WriteFile("zentrika40", "#!/bin/sh\n");
        QFile::setPermissions(Path("zentrika40"), QFile::permissions(Path("zentrika40")) | QFileDevice::ExeOwner);
        TCompiler::ProgramExecutable = [this] { return Path("zentrika40"); };
        started_.clear();
        TCompiler::StartProgram = [this](const QString& program, const QString& folder) {
            started_.push_back({program, folder});
        };
    }
    void TearDown() override
    {
        TCompiler::ProgramExecutable = [] { return QCoreApplication::applicationFilePath(); };
        TCompiler::StartProgram = nullptr;
        TShellFixture::TearDown();
    }

    // Opens the dialog, lets the action work on it, and returns its log.
    QStringList Compile(TForm1& form, const std::function<void(TCompiler&)>& action)
    {
        QStringList log;
        TFormHook hook({[&](TModalForm& shown) {
            auto& dialog = static_cast<TCompiler&>(shown);
            action(dialog);
            log = dialog.LogLines();
        }});
        form.CompilierenClick();
        EXPECT_EQ(hook.Shown(), std::vector<AnsiString>{"Compiler"});
        return log;
    }
    // Compiles into the folder under the name with the button given.
    QStringList CompileInto(TForm1& form, const QString& folder, const QString& name, bool start = false)
    {
        return Compile(form, [&](TCompiler& dialog) {
            dialog.CompilePath->setText(folder);
            dialog.FileEdit->setText(name);
            QTest::mouseClick(start ? dialog.StartBtn : dialog.CompileBtn, Qt::LeftButton);
        });
    }

    std::vector<std::pair<QString, QString>> started_;
};

// ---- Proposals -------------------------------------------------------------------

TEST_F(CompilerTest, ProposesTheFolderAndNameFromTheProjectKeepingTheFoldersCase)
{
    const struct {
        const char* Project;
        const char* ProjectFolder;
        const char* Path;
        const char* Name;
    } cases[] = {
        {"/data/Proj/Anlage.prj", "/data/Proj", "/data/Proj/compilation_anlage/", "anlage"},
        {"/data/Proj/Anlage.prj", "/data/Proj/", "/data/Proj/compilation_anlage/", "anlage"},
        // Linux paths are case-sensitive: only the generated parts are lower case.
        {"/Daten/Mein Projekt/Pumpe Süd.prj", "/Daten/Mein Projekt", "/Daten/Mein Projekt/compilation_pumpe süd/",
         "pumpe süd"},
        {"", "/Daten/Neu/", "/Daten/Neu/compilation_/", "compilation"},
    };
    for (const auto& c : cases) {
        const AnsiString project = QStringToAnsi(QString::fromUtf8(c.Project));
        const AnsiString sub = CompileSubFolder(project);
        EXPECT_EQ(AnsiToQString(ProposedCompilePath(QStringToAnsi(QString::fromUtf8(c.ProjectFolder)), sub)),
                  QString::fromUtf8(c.Path))
            << c.Project;
        EXPECT_EQ(AnsiToQString(ProposedProgramName(project)), QString::fromUtf8(c.Name)) << c.Project;
    }
    EXPECT_EQ(CompileSubFolder("/data/Proj/Anlage.prj"), "Compilation_ANLAGE");
}

TEST_F(CompilerTest, DialogProposesUnderTheProjectFolderOrTheProgramFolder)
{
    TForm1& form = Create();
    // Unnamed, no project folder: the program folder.
    ProjectFolder.clear();
    QString path, name;
    Compile(form, [&](TCompiler& dialog) {
        path = dialog.CompilePath->text();
        name = dialog.FileEdit->text();
    });
    EXPECT_EQ(path, AnsiToQString(Program()) + "compilation_/");
    EXPECT_EQ(name, "compilation");

    ASSERT_TRUE(QDir(folder_.path()).mkpath("Proj"));
    form.SaveProject(Program() + "Proj/Anlage.prj");
    ProjectFolder = Program() + "Proj";
    Compile(form, [&](TCompiler& dialog) {
        path = dialog.CompilePath->text();
        name = dialog.FileEdit->text();
    });
    EXPECT_EQ(path, AnsiToQString(Program()) + "Proj/compilation_anlage/");
    EXPECT_EQ(name, "anlage");

    // A folder picked with the browse button takes the sub-folder.
    TModalHook browse({TModalAnswer::File(Program() + "Ziel")});
    Compile(form, [&](TCompiler& dialog) {
        QTest::mouseClick(dialog.SpeedButton1, Qt::LeftButton);
        path = dialog.CompilePath->text();
    });
    ASSERT_EQ(browse.Requests().size(), 1u);
    EXPECT_EQ(browse.Requests()[0].Kind, TModalKind::FolderDialog);
    EXPECT_EQ(browse.Requests()[0].InitialDir, Program() + "Proj/compilation_anlage/");
    EXPECT_EQ(path, AnsiToQString(Program()) + "Ziel/compilation_anlage/");
    // Cancelled, the proposal stays.
    TModalHook cancel({TModalAnswer::Cancel()});
    Compile(form, [&](TCompiler& dialog) {
        QTest::mouseClick(dialog.SpeedButton1, Qt::LeftButton);
        path = dialog.CompilePath->text();
    });
    EXPECT_EQ(path, AnsiToQString(Program()) + "Proj/compilation_anlage/");
}

// ---- The dialog ------------------------------------------------------------------

TEST_F(CompilerTest, DialogTextsInEachLanguage)
{
    const struct {
        Integer Language;
        const char* Label1Start;
        const char* Folder;
        const char* Name;
        const char* Status;
        const char* Close;
        const char* Compile;
        const char* Start;
    } cases[] = {
        {0, "Der Compiler macht aus Ihrem Projekt",
         "Das Projekt wird in diesen Ordner compiliert. Der Ordner wird ggf. anglegt.",
         "Name der ausführbaren Datei: (ohne Endung)", "Status:", "&Schliessen", "&Compilieren", "Compilieren + &Starten"},
        {1, "The compiler creates an executable file",
         "The project is compiled to this directory. The directory will be created, if necessary.",
         "Name of executable file. (without extension)", "Status:", "&Close", "C&ompile", "Compile + &Run"},
        {2, "Le compilateur crée un fichier exécutable",
         "Le projet est compilé dans ce répertoire. Le répertoire sera créé, si nécessaire.",
         "Nom du fichier exécutable. (sans extension)", "État :", "&Fermer", "C&ompiler", "Compiler + &Exécuter"},
    };
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        TCompiler dialog;
        EXPECT_EQ(dialog.windowTitle(), "Compiler");
        EXPECT_TRUE(dialog.Label1->text().startsWith(QString::fromUtf8(c.Label1Start))) << c.Language;
        EXPECT_EQ(dialog.Label2->text(), QString::fromUtf8(c.Folder));
        EXPECT_EQ(dialog.Label3->text(), QString::fromUtf8(c.Name));
        EXPECT_EQ(dialog.Label5->text(), QString::fromUtf8(c.Status));
        EXPECT_EQ(dialog.CloseBtn->text(), QString::fromUtf8(c.Close));
        EXPECT_EQ(dialog.CompileBtn->text(), QString::fromUtf8(c.Compile));
        EXPECT_EQ(dialog.StartBtn->text(), QString::fromUtf8(c.Start));
        EXPECT_TRUE(dialog.CompileBtn->isDefault());
        EXPECT_TRUE(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);
    }
}

TEST_F(CompilerTest, HelpButtonOpensItsPageAndTheLogIsClearedOnEveryShow)
{
    ASSERT_TRUE(QDir(folder_.path()).mkpath("help"));
    WriteFile("help/45000.html", "<html></html>");
    std::vector<QUrl> opened;
    SetHelpOpener([&](const QUrl& url) { opened.push_back(url); });
    TForm1& form = Create();
    Compile(form, [&](TCompiler& dialog) {
        dialog.AddLine("alt");
        QEvent help(QEvent::EnterWhatsThisMode);
        QApplication::sendEvent(&dialog, &help);
    });
    SetHelpOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(Path("help/45000.html")));
    QStringList log = {"x"};
    Compile(form, [&](TCompiler& dialog) { log = dialog.LogLines(); });
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(CompilerTest, MenuItemAndToolButtonOpenTheDialog)
{
    TForm1& form = Create();
    for (const char* name : {"Compilieren", "tb_Compile"}) {
        auto* action = form.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        TFormHook hook({[](TModalForm&) {}});
        emit form.Datei1->aboutToShow();
        EXPECT_TRUE(action->isEnabled()) << name;
        action->trigger();
        EXPECT_EQ(hook.Shown(), std::vector<AnsiString>{"Compiler"}) << name;
    }
}

// ---- Vendor libraries --------------------------------------------------------------

TEST_F(CompilerTest, VendorLibrariesOfADriverClassAndItsSubclasses)
{
    using Files = std::vector<AnsiString>;
    EXPECT_EQ(VendorLibraryFiles(TK8061::StaticClass()), (Files{"K8061.DLL", "MPUSBAPI.DLL"}));
    EXPECT_EQ(VendorLibraryFiles(TK8061Variant::StaticClass()), (Files{"K8061.DLL", "MPUSBAPI.DLL"}));
    EXPECT_EQ(VendorLibraryFiles(TWasco::StaticClass()), (Files{"Wasco.DLL", "Wasco64.DLL"}));
    EXPECT_TRUE(VendorLibraryFiles(TUnlistedDriver::StaticClass()).empty());
}

TEST_F(CompilerTest, VendorLibraryIsFoundWhereTheLoaderLooks)
{
    for (const char* name : {"libk8061.so", "MPUSBAPI.so", "K8061.DLL", "b32e.DRV"})
        WriteFile(name, "x");
    const struct {
        const char* Name;
        std::vector<AnsiString> Found;
    } cases[] = {
        {"K8061.DLL", {Program() + "libk8061.so"}},   // the Windows file itself is of no use here
        {"MPUSBAPI.DLL", {Program() + "MPUSBAPI.so"}},
        {"B32E.drv", {Program() + "b32e.DRV"}},
        {"IOWKIT.DLL", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VendorLibraryCandidates(Program(), c.Name), c.Found) << c.Name;
}

// ---- Compiling ---------------------------------------------------------------------

// A project with memories (one loaded at every start, one not), a macro with
// a memory inside, a hardware component, a picture on the panel and a panel
// help file, in a folder of its own.
class CompileProjectTest : public CompilerTest {
protected:
    void SetUp() override
    {
        CompilerTest::SetUp();
        RegisterClass(TBTK8061Hardware::StaticClass());
        for (const char* name : {"src/inner.hex", "src/outer.hex", "src/rom.hex", "src/logo.bmp", "src/Hilfe.html"})
            WriteFile(name, "00\r\n");
        WriteFile("SPRACHE.INI", "[Sprache]\r\nSprache=0\r\n");
        WriteFile("Settings/SPEED.INI", "[Speed]\r\nFast=1\r\n");
        WriteFile("libK8061.so", "library");
    }

    static TSpeicher* Memory(TSpeicher* memory, const AnsiString& file, bool autoLoad)
    {
        memory->FileName = file;
        memory->AutoLoad = autoLoad;
        return memory;
    }

    TForm1& Build()
    {
        TForm1& form = Create();
        // The macro: saved from a board holding a memory, imported again.
        form.MainBoard->InsertObject(Memory(static_cast<TBTRAM*>(CreateComponent("TBTRAM")), Program() + "src/inner.hex", true));
        form.SaveProject(Program() + "src/Inner.mak");
        form.ResetProject();
        form.ImportMacroFile(Program() + "src/Inner.mak", false, form.MainBoard);
        form.MainBoard->InsertObject(Memory(static_cast<TBTRAM*>(CreateComponent("TBTRAM")), Program() + "src/outer.hex", true));
        form.MainBoard->InsertObject(Memory(static_cast<TBTROM*>(CreateComponent("TBTROM")), Program() + "src/rom.hex", false));
        form.MainBoard->InsertObject(CreateBauteil<TBTK8061Hardware>());
        auto* logo = dynamic_cast<TLogo*>(form.Frontplatte->RootDesign()->AddElement("TLogo"));
        EXPECT_NE(logo, nullptr);
        if (logo)
            logo->FileName = Program() + "src/logo.bmp";
        auto& panel = dynamic_cast<TFrontplatte&>(*form.Frontplatte);
        panel.HelpFile = Program() + "src/Hilfe.html";
        form.SaveProject(Program() + "src/Anlage.prj");
        return form;
    }
};

TEST_F(CompileProjectTest, CopiesEverythingTheProgramNeedsAndLogsEachFile)
{
    TForm1& form = Build();
    auto& panel = dynamic_cast<TFrontplatte&>(*form.Frontplatte);
    panel.AutoSaveOption = true;
    const QString target = Path("Ziel/Anlage 1/");
    ASSERT_TRUE(QDir().mkpath(target + "Settings"));
    // A device list of an earlier compile is replaced, not added to.
    WriteFile("Ziel/Anlage 1/Settings/HARDWARE.INI", "[9.ALT1]\r\nPort=1\r\n");

    TModalHook overwrite({TModalAnswer::Button(IDYES)});
    const QStringList log = CompileInto(form, target, "anlage");
    ASSERT_EQ(overwrite.Requests().size(), 1u);
    EXPECT_EQ(overwrite.Requests()[0].Caption, "Compiler");
    EXPECT_EQ(overwrite.Requests()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(log, (QStringList{target + " ... OK", "anlage ... OK", "sprache.ini ... OK", "speed.ini ... OK",
                                "inner.hex ... OK", "outer.hex ... OK", "libk8061.so ... OK",
                                "mpusbapi.dll ... *** FEHLER ***", "logo.bmp ... OK", "hilfe.html ... OK", "",
                                "Fertig."}));

    for (const char* file : {"anlage", "Sprache.ini", "Settings/Speed.ini", "comp.mod", "inner.hex", "outer.hex",
                             "libK8061.so", "logo.bmp", "Hilfe.html", "COMP_Default.set", "Settings/HARDWARE.INI"})
        EXPECT_TRUE(QFile::exists(target + file)) << file;
    EXPECT_TRUE(QDir(target + "Data").exists());
    EXPECT_FALSE(QFile::exists(target + "rom.hex"));   // not loaded at the start
    EXPECT_TRUE(QFileInfo(target + "anlage").isExecutable());

    // The package carries the run-only prefix and reads back as the project.
    {
        TFileStream file(QtFileName(Program() + "Ziel/Anlage 1/comp.mod").toStdString(), TFileMode::fmOpenRead);
        TReader reader(file);
        EXPECT_EQ(ReadFileHeader(reader, true), FileVersion);
    }
    TIniFile devices(Program() + "Ziel/Anlage 1/Settings/HARDWARE.INI");
    EXPECT_EQ(devices.ReadInteger("1.HW1", "Address", 0), 3);
    EXPECT_FALSE(devices.SectionExists("9.ALT1"));

    // The editor goes on with its project, saved in the ordinary format.
    EXPECT_EQ(form.ProjectFileName, Program() + "src/Anlage.prj");
    EXPECT_EQ(form.Status->text(), "---");
    EXPECT_FALSE(SaveCompiled);
    form.SaveProject(form.ProjectFileName);
    TFileStream saved(QtFileName(Program() + "src/Anlage.prj").toStdString(), TFileMode::fmOpenRead);
    Byte header[5] = {};
    saved.Read(header, 5);
    EXPECT_EQ(std::vector<Byte>(header, header + 5), (std::vector<Byte>{2, 0, 0, FileVersion, 0}));
}

TEST_F(CompileProjectTest, CopiesAreDatedNowAndNoPanelStateWithoutAutoSave)
{
    TForm1& form = Build();
    dynamic_cast<TFrontplatte&>(*form.Frontplatte).AutoSaveOption = false;
    const QDateTime when(QDate(2021, 3, 14), QTime(15, 9, 26));
    TFakeClock clock(0, QDateTimeToDateTime(when));
    const TScopedClock scoped(clock);
    CompileInto(form, Path("Ziel/"), "anlage");
    for (const char* file : {"anlage", "outer.hex", "logo.bmp"})
        EXPECT_EQ(QFileInfo(Path("Ziel/") + file).lastModified(), when) << file;
    EXPECT_FALSE(QFile::exists(Path("Ziel/COMP_Default.set")));
}

TEST_F(CompileProjectTest, LanguageOfTheLog)
{
    const struct {
        Integer Language;
        const char* Failed;
        const char* Done;
        const char* NotCreated;
    } cases[] = {{0, "*** FEHLER ***", "Fertig.", "*** NICHT ERSTELLT ***"},
                 {1, "*** ERROR ***", "Completed.", "*** NOT CREATED ***"},
                 {2, "*** ERREUR ***", "Terminé.", "*** NON CREE ***"}};
    for (const auto& c : cases) {
        // The window takes its language from the language file.
        WriteFile("SPRACHE.INI", QString("[Sprache]\r\nSprache=%1\r\n").arg(c.Language).toLatin1());
        TForm1& form = Build();
        ASSERT_EQ(LanguageIndex, c.Language);
        const QString target = Path(QString("Ziel%1/").arg(c.Language));
        const QStringList log = CompileInto(form, target, "anlage");
        EXPECT_TRUE(log.contains("mpusbapi.dll ... " + QString::fromUtf8(c.Failed))) << c.Language;
        EXPECT_EQ(log.value(log.size() - 1), QString::fromUtf8(c.Done));
        // Compiling again: the overwrite question, answered No.
        TModalHook no({TModalAnswer::Button(IDNO)});
        EXPECT_EQ(CompileInto(form, target, "anlage"), QStringList{target + " ... " + QString::fromUtf8(c.NotCreated)});
        ASSERT_EQ(no.Requests().size(), 1u);
        EXPECT_TRUE(no.Requests()[0].Text.find("\r") != AnsiString::npos);
    }
}

// A copy that fails is logged as an error, and the compile goes on.
TEST_F(CompilerTest, FailedCopiesAreErrorsAndTheRestFollows)
{
    TForm1& form = Create();
    // The program's name is taken by a folder, the memory's file is missing.
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Ziel/anlage"));
    auto* memory = static_cast<TBTRAM*>(CreateComponent("TBTRAM"));
    memory->AutoLoad = true;
    memory->FileName = Program() + "src/fehlt.hex";
    form.MainBoard->InsertObject(memory);
    TModalHook overwrite({TModalAnswer::Button(IDYES)});
    const QStringList log = CompileInto(form, Path("Ziel/"), "anlage");
    EXPECT_EQ(log, (QStringList{Path("Ziel/") + " ... OK", "anlage ... *** FEHLER ***", "fehlt.hex ... *** FEHLER ***",
                                "", "Fertig."}));
    EXPECT_TRUE(QFileInfo(Path("Ziel/anlage")).isDir());
    EXPECT_TRUE(QFile::exists(Path("Ziel/comp.mod")));
    EXPECT_FALSE(QFile::exists(Path("Ziel/fehlt.hex")));
}

// A package that cannot be written ends the compile with the error box, never
// with "Fertig."; the editor keeps its project.
TEST_F(CompilerTest, PackageThatCannotBeWrittenIsAnErrorNotACompletion)
{
    TForm1& form = Create();
    form.SaveProject(Program() + "Anlage.prj");
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Ziel/comp.mod"));   // taken by a folder
    TModalHook answers({TModalAnswer::Button(IDYES), TModalAnswer::Button(IDOK)});
    const QStringList log = CompileInto(form, Path("Ziel/"), "anlage");
    ASSERT_EQ(answers.Requests().size(), 2u);
    EXPECT_EQ(answers.Requests()[1].Flags & MB_ICONERROR, MB_ICONERROR);
    EXPECT_FALSE(log.contains("Fertig."));
    EXPECT_EQ(form.ProjectFileName, Program() + "Anlage.prj");
    EXPECT_EQ(form.Status->text(), "---");
    EXPECT_FALSE(SaveCompiled);
}

TEST_F(CompilerTest, FolderThatCannotBeCreatedIsReportedAndNothingIsCopied)
{
    WriteFile("SPRACHE.INI", "[Sprache]\r\nSprache=2\r\n");
    TForm1& form = Create();
    WriteFile("datei", "x");
    TModalHook error({TModalAnswer::Button(IDOK)});
    const QString target = Path("datei/ziel/");
    EXPECT_EQ(CompileInto(form, target, "anlage"), QStringList{target + " ... *** NON CREE ***"});
    ASSERT_EQ(error.Requests().size(), 1u);
    EXPECT_EQ(error.Requests()[0].Caption, "Compilateur");
    EXPECT_EQ(error.Requests()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(AnsiToQString(error.Requests()[0].Text), QString::fromUtf8("Erreur dans la création du dossier de destination."));
    EXPECT_TRUE(started_.empty());
}

TEST_F(CompilerTest, CompileAndRunStartsTheCopyInItsFolder)
{
    TForm1& form = Create();
    CompileInto(form, Path("Ziel/"), "anlage", true);
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].first, Path("Ziel/anlage"));
    EXPECT_EQ(started_[0].second, Path("Ziel/"));
    CompileInto(form, Path("Ziel2/"), "anlage", false);
    EXPECT_EQ(started_.size(), 1u);
}

// The panel's close of a compiled program only asks the main window to close;
// once that close is through, the panel goes too, so the program ends.
TEST_F(CompilerTest, CompiledProgramsPanelGoesWithItsMainWindow)
{
    {
        TForm1 editor(QStringList{Path("zentrika40")});
        editor.MainBoard->InsertObject(CreateComponent("TBTAnd"));
        const TFlagScope compiled(SaveCompiled, true);
        editor.SaveProject(Program() + "comp.mod");
    }
    // Slow: the fast loop would keep this test's message processing to itself.
    WriteFile("Settings/SPEED.INI", "[Speed]\r\nFast=0\r\n");
    TForm1& form = Create({}, "anlage");
    form.show();
    ASSERT_FALSE(form.Closed());
    QElapsedTimer patience;
    patience.start();
    while (!SimulationRunning && patience.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QWidget* panel = form.Frontplatte->Window();
    ASSERT_TRUE(panel && panel->isVisible());
    // From the run's own message processing, as a click on the close box comes.
    QMetaObject::invokeMethod(panel, [panel] { panel->close(); }, Qt::QueuedConnection);
    patience.restart();
    while (!form.Closed() && patience.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_TRUE(form.Closed());
    EXPECT_FALSE(panel->isVisible());
}

// ---- End to end ----------------------------------------------------------------------

// Gates set an RS flip-flop: once the compiled program has run, its state
// file says Q=1.
TEST_F(CompilerTest, CompiledProgramStartsOnItsOwnRunsTheProjectAndKeepsItsState)
{
    {
        TTestBoard test;
        RegisterRows(GateRows());
        RegisterRows(FlipFlopRows());
        auto* gate = test.Place("TBTAnd", 100, 100);        // open inputs: high
        auto* inverter = test.Place("TBTInverter", 400, 300);
        auto* flipFlop = test.Place("TBTRSFF", 700, 100);
        test.Connect(gate, 0, flipFlop, 0);
        test.Connect(gate, 0, inverter, 0);
        test.Connect(inverter, 0, flipFlop, 1);
        TFileStream file(QtFileName(Program() + "Gatter.prj").toStdString(), TFileMode::fmCreate);
        TWriter writer(file);
        WriteFileHeader(writer, false);
        test.Board().WriteObjects(file, writer, false);
        TFrontplatte panel;
        panel.RootDesign()->WriteToStream(file, writer);
        panel.WriteToStream(file, writer);
    }
    TForm1& form = Create();
    form.OpenProject(Program() + "Gatter.prj");
    TCompiler::ProgramExecutable = [] { return QStringLiteral(ZK_PROGRAM_DIR "/zentrika40"); };

    QProcess program;
    PrepareProgramProcess(program);
    TCompiler::StartProgram = [&program](const QString& executable, const QString& folder) {
        program.setWorkingDirectory(folder);
        program.start(executable, {});
    };
    const QStringList log = CompileInto(form, Path("Stand-alone/"), "gatter", true);
    ASSERT_TRUE(log.contains("gatter ... OK")) << log.join('\n').toStdString();
    ASSERT_TRUE(program.waitForStarted(30000));
    EXPECT_TRUE(TerminateProgramProcess(program)) << "the compiled program did not end as asked";

    const std::string states = ReadFile("Stand-alone/COMP_Default.set");
    EXPECT_TRUE(QRegularExpression(R"(\[MAIN\.RS\d+\]\r?\n(?:[^\[]*\n)?Q=1)").match(QString::fromStdString(states)).hasMatch())
        << states;
    // A compiled program writes no backup of its project.
    EXPECT_FALSE(QFile::exists(Path("Stand-alone/Backup.prj")));
}

} // namespace
