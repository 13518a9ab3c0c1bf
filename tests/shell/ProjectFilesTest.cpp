// Project, macro and library files: the layout of a new project's file,
// byte-identical open and save, refused and damaged files that leave the
// project as it was, saves that never destroy the previous file, macro
// names, the run-only prefix, recent files and the library save and load.
#include "shell/FakePanel.h"
#include "shell/ShellFixture.h"
#include "support/LibraryDoubles.h"
#include "support/StreamBytes.h"
#include "support/TestBoard.h"
#include "support/TestComponents.h"

#include "components/digital/BT_Gatter.h"
#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Makro.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/FrontplatteGlobals.h"
#include "panel/framework/PanelGlobals.h"

#include <QTabBar>
#include "project/ProjectFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QStackedWidget>

#include <stdexcept>

namespace {

// A component whose record cannot be written.
class TBTUnwritable : public TGrundBT {
    ZK_CLASS(TBTUnwritable, TGrundBT)

public:
    void WriteData(TStream&, TWriter&) override { throw EStreamError("Stream-Schreibfehler"); }
};

class ProjectFilesTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        RegisterTestClasses();
        RegisterClass(TBTUnwritable::StaticClass());
    }

    QByteArray Bytes(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static TIOBauteil* Add(TForm1& form, TIOBauteil* component, Integer x, Integer y)
    {
        component->X = x;
        component->Y = y;
        component->LayoutPins();
        form.MainBoard->InsertObject(component);
        return component;
    }
    // A gate, an inverter behind it and a wire between them.
    static void AddCircuit(TForm1& form)
    {
        TIOBauteil* gate = Add(form, CreateComponent("TBTAnd"), 100, 100);
        TIOBauteil* inverter = Add(form, CreateComponent("TBTInverter"), 400, 100);
        const TBauteilPin& out = gate->Outputs[0];
        const TBauteilPin& in = inverter->Inputs[0];
        form.MainBoard->AddWireAndNormalise({out.X, out.Y}, {in.X, out.Y});
        form.MainBoard->AddWireAndNormalise({in.X, out.Y}, {in.X, in.Y});
    }
    static TFrontplatte& Panel(TForm1& form) { return static_cast<TFrontplatte&>(*form.Frontplatte); }
};

TEST_F(ProjectFilesTest, NewProjectIsWrittenAsTheFormatTablesSay)
{
    TForm1& form = Create();
    form.SaveProject(Program() + "Leer.prj");

    TStreamBytes b;
    b.Raw({2, 0, 0, 46, 0});
    b.Int(0);                                                                    // no objects
    b.Int(0).Int(0).Int(0).Int(0).Int(120).Half().Str("").Bool(true).Bool(true).Bool(false).Int(-1).Int(0).Int(0);
    // Design block: no decorations, border 0, bevel width 1, no bevels, the
    // panel colour twice, both follow flags, web order, publish (the root
    // panel always publishes), title, head, foot.
    b.Int(0).Int(0).Int(1).Int(0).Int(0).Int(14215660).Int(14215660).Bool(true).Bool(true);
    b.Int(0).Bool(true).Bool(false).Int(0).Int(0);
    // Window block: bounds as raw 16-bit numbers, the title in 51 raw bytes.
    b.Raw({100, 0, 100, 0, 0x9F, 1, 0x35, 1});                                   // (100, 100), 415 x 309
    b.Raw({11, 'F', 'r', 'o', 'n', 't', 'p', 'l', 'a', 't', 't', 'e'});
    b.Bytes.resize(b.Bytes.size() + 39, 0);
    b.Int(1).Str("Frontplatte 1").Int(0);
    b.Bool(true).Bool(true).Bool(true).Bool(false).Bool(false).Bool(false).Bool(true);   // options, AutoSave last
    b.Str("").Bool(true).Bool(false).Bool(true).Bool(true).Str("").Bool(false);   // hints, print and copy on
    b.Raw({0xEC, 0xE9, 0xD8, 0x00});                                             // PanelDefaultColor, raw
    b.Bool(false).Int(0).Int(0).Int(0).Int(0).Int(100);
    b.Raw({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});                         // print scale 1.0
    b.Str("").Bool(false).Bool(true).Bool(false).Int(-1).Int(0).Int(0).Int(0);
    b.Str("").Int(0).Int(5).Int(0).Bool(false);                                  // web and window state
    const QByteArray file = Bytes("Leer.prj");
    EXPECT_EQ(TBytes(file.begin(), file.end()), b.Bytes);
}

TEST_F(ProjectFilesTest, OpeningAndSavingAgainGivesTheSameBytes)
{
    {
        TForm1& form = Create();
        AddCircuit(form);
        form.MainBoard->PrintHeadline = "Kopf";
        form.MainBoard->PrintTextLines = {"eins", "zwei"};
        TFrontplatte& panel = Panel(form);
        panel.Title = "Pumpensteuerung mit einem Titel, der länger ist als fünfzig Zeichen"_ansi;
        panel.TabControl1->setTabText(0, "Bedienung");
        panel.TabControl1->addTab("Service");
        panel.TabControl1->setCurrentIndex(1);
        panel.move(30, 40);
        panel.AutoSaveOption = false;
        panel.PrintComment = {"Zeile"};
        WebServerPath = "/opt/web";
        panel.SetWebMode(2);
        panel.FullScreen = true;
        panel.Root->BorderWidth = 3;
        panel.Root->HtmlHead = {"<b>"};
        form.SaveProject(Program() + "Anlage.PRJ");
        EXPECT_EQ(form.windowTitle(), AnsiToQString("Zentrika 4.0 - [" + Program() + "Anlage.PRJ]"));
    }
    TForm1& form = Create();
    TModalHook hook(std::vector<TModalAnswer>{});
    ASSERT_TRUE(form.OpenProject(Program() + "Anlage.PRJ"));
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTAnd"), 1);
    EXPECT_EQ(Panel(form).Title, "Pumpensteuerung mit einem Titel, der länger ist al"_ansi);   // 50 characters
    EXPECT_EQ(Panel(form).WindowBounds().topLeft(), QPoint(30, 40));
    EXPECT_EQ(Panel(form).PageNames(), QStringList({"Bedienung", "Service"}));
    EXPECT_EQ(Panel(form).AktiveFrontplatte(), 1);
    form.SaveProject(Program() + "Kopie.prj");
    EXPECT_FALSE(Bytes("Kopie.prj").isEmpty());
    EXPECT_EQ(Bytes("Kopie.prj"), Bytes("Anlage.PRJ"));
    EXPECT_TRUE(hook.Requests().empty());
}

TEST_F(ProjectFilesTest, OldFormatsReadWithTheDefaultsOfTheMissingFields)
{
    // Version 2: the window block ends after the title; version 40: without
    // the web fields and the window state.
    auto write = [&](Byte version) {
        TStreamBytes b;
        b.Raw({2, 0, 0, version, 0}).Int(0);
        if (version >= 40)
            b.Int(0).Int(0).Int(0).Int(0).Int(120).Half().Str("").Bool(true).Bool(true).Bool(false).Int(-1).Int(0).Int(0);
        b.Int(0);
        if (version >= 40)
            b.Int(0).Int(1).Int(0).Int(0).Int(255).Int(255).Bool(true).Bool(true);
        b.Raw({10, 0, 20, 0, 30, 0, 40, 0, 3, 'A', 'l', 't'});
        b.Bytes.resize(b.Bytes.size() + 47, 0);
        if (version >= 40) {
            b.Int(1).Str("Seite").Int(0);
            for (int i = 0; i < 7; ++i)
                b.Bool(true);
            b.Str("hilfe.chm").Bool(true).Bool(true).Bool(true).Bool(true).Str("").Bool(true).Raw({1, 2, 3, 0});
            b.Bool(true).Int(0).Int(0).Int(0).Int(0).Int(100);
            b.Raw({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
            b.Str("").Bool(false).Bool(true).Bool(false).Int(-1).Int(0).Int(0).Int(0);
        }
        QFile file(Path("Alt.prj"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(b.Bytes.data()), static_cast<qint64>(b.Bytes.size()));
    };
    const struct {
        Byte Version;
        bool Dialog;       // ShowDlgBtn
        bool Scalable;     // Skalierbar
        Integer Refresh;
        TColor Background;
    } cases[] = {
        {2, false, true, 5, NewPanelColor},
        {40, true, true, 5, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Version);
        write(c.Version);
        TForm1& form = Create();
        ASSERT_TRUE(form.OpenProject(Program() + "Alt.prj"));
        EXPECT_EQ(LoadedFileVersion, c.Version);
        TFrontplatte& panel = Panel(form);
        EXPECT_EQ(panel.Title, "Alt");
        EXPECT_EQ(panel.WindowBounds().height(), 40);
        EXPECT_EQ(panel.ShowDlgBtn, c.Dialog);
        EXPECT_EQ(panel.Skalierbar, c.Scalable);
        EXPECT_EQ(WebRefreshSeconds, c.Refresh);
        EXPECT_EQ(panel.Root->HintergrundFarbe, c.Background);
        EXPECT_EQ(panel.WindowStateValue(), 0);
        // Saved again, the file has today's format.
        form.SaveProject(Program() + "Alt.prj");
        EXPECT_EQ(Bytes("Alt.prj").at(3), 46);
    }
}

TEST_F(ProjectFilesTest, OnlyThisProgramsHeadersUpToItsVersionAreAccepted)
{
    const struct {
        Byte Header[5];
        bool Accepted;
    } cases[] = {
        {{2, 0, 0, 46, 0}, true},  {{2, 0, 0, 3, 0}, true},  {{2, 0, 0, 47, 0}, false},
        {{2, 0, 0, 46, 1}, false}, {{1, 0, 0, 46, 0}, false}, {{2, 1, 0, 46, 0}, false},
        {{2, 0, 9, 46, 0}, false}, {{'P', 'K', 3, 4, 0}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HeaderAccepted(c.Header), c.Accepted) << int(c.Header[0]) << " " << int(c.Header[3]);
}

TEST_F(ProjectFilesTest, RefusedOrDamagedFilesAreReportedAndLeaveTheProjectAsItWas)
{
    {
        TForm1 writer(QStringList{Path("zentrika40")});
        AddCircuit(writer);
        writer.SaveProject(Program() + "Gut.prj");
    }
    const QByteArray good = Bytes("Gut.prj");
    QByteArray foreign = good;
    foreign[0] = 1;
    QByteArray newer = good;
    newer[3] = 47;
    QByteArray badTag = good.left(5) + QByteArray("\x06\x01x", 3);
    QByteArray unknownClass = good.left(5) + QByteArray("\x02\x01\x06\x09TBTGibtEs", 13);
    const char* const FormatText = "Falsches Dateiformat!";
    // Every error of the open command under the command's title.
    const struct {
        const char* Name;
        QByteArray Content;
        const char* Text;
        const char* Caption;
    } cases[] = {
        {"empty", QByteArray(), "Stream-Lesefehler", "Schaltung \xF6" "ffnen"},
        {"short header", good.left(3), "Stream-Lesefehler", "Schaltung \xF6" "ffnen"},
        {"foreign header", foreign, FormatText, "Schaltung \xF6" "ffnen"},
        {"newer version", newer, FormatText, "Schaltung \xF6" "ffnen"},
        {"bad tag", badTag, "Ung\xFCltiger Eigenschaftswert", "Schaltung \xF6" "ffnen"},
        {"unknown class", unknownClass, "Klasse TBTGibtEs nicht gefunden", "Schaltung \xF6" "ffnen"},
        {"panel block cut short", good.left(good.size() - 12), "Stream-Lesefehler", "Schaltung \xF6" "ffnen"},
    };

    TForm1& form = Create();
    AddCircuit(form);
    form.SetProjectName(Program() + "Aktuell.prj");
    TPlatine* board = form.MainBoard;
    const std::size_t objects = board->Objects.size();
    const AnsiString recent = form.History.Entry(0);
    const IFrontplatte* panel = form.Frontplatte.get();
    const QString directory = QDir::currentPath();
    LoadedFileVersion = 44;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile("Fremd.prj", c.Content);
        TModalHook hook({TModalAnswer::File(Program() + "Fremd.prj"), TModalAnswer::Button(IDNO),
                         TModalAnswer::Button(IDOK)});
        form.ffnen2Click();
        ASSERT_EQ(hook.Requests().size(), 3u);
        const TModalRequest& box = hook.Requests()[2];
        EXPECT_EQ(box.Text, c.Text);
        EXPECT_EQ(box.Caption, c.Caption);
        EXPECT_EQ(box.Flags, MB_OK | MB_ICONERROR);
        EXPECT_EQ(box.Details, Program() + "Fremd.prj");

        EXPECT_EQ(form.MainBoard, board);
        EXPECT_EQ(form.CurrentBoard, board);
        EXPECT_EQ(board->Objects.size(), objects);
        EXPECT_EQ(form.Frontplatte.get(), panel);
        EXPECT_EQ(form.CurrentDesign, panel->RootDesign());
        EXPECT_EQ(form.ProjectFileName, Program() + "Aktuell.prj");
        EXPECT_EQ(form.History.Entry(0), recent);
        EXPECT_EQ(form.Panel4->count(), 1);
        EXPECT_EQ(QDir::currentPath(), directory);
        EXPECT_EQ(LoadedFileVersion, 44);
    }
    // The same file in order opens.
    WriteFile("Fremd.prj", good);
    TModalHook hook({TModalAnswer::Button(IDNO)});
    EXPECT_TRUE(form.OpenProject(Program() + "Fremd.prj"));
    EXPECT_NE(form.MainBoard, board);
}

// The message stays the stream's own; the damaged file is named under it, for
// a project, a library and a macro alike. A file that cannot be opened is
// named in the message itself.
TEST_F(ProjectFilesTest, DamagedFilesAreNamedUnderTheMessageInEveryLanguage)
{
    WriteFile("Kaputt.prj", QByteArray("\x02\x00\x00\x2E\x00\x02", 6));
    WriteFile("Kaputt.bib", QByteArray("\x02\x00\x00\x2E\x00\x02", 6));
    WriteFile("Kaputt.mak", QByteArray("\x02\x00\x00\x2E\x00\x02", 6));
    const AnsiString missing = Program() + "Fehlt.prj";
    const char* const readError[] = {"Stream-Lesefehler", "Stream read error", "Erreur de lecture du flux"};
    for (Integer language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        WriteFile("SPRACHE.INI", "[Sprache]\r\nSprache=" + QByteArray::number(language) + "\r\n");
        TForm1& form = Create();
        const struct {
            const char* File;
            std::function<void()> Open;
        } commands[] = {
            {"Kaputt.prj", [&] { form.ffnen2Click(); }},
            {"Kaputt.bib", [&] { form.LoadBibo1Click(); }},
            {"Kaputt.mak", [&] { form.Makroimportieren1Click(); }},
        };
        for (const auto& c : commands) {
            SCOPED_TRACE(c.File);
            TModalHook hook({TModalAnswer::File(Program() + c.File), TModalAnswer::Button(IDOK)});
            c.Open();
            ASSERT_EQ(hook.Requests().size(), 2u);
            EXPECT_EQ(hook.Requests()[1].Text, readError[language]);
            EXPECT_EQ(hook.Requests()[1].Details, Program() + c.File);
        }
        TModalHook hook({TModalAnswer::Button(IDOK)});
        form.OpenReporting(missing);
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_NE(hook.Requests()[0].Text.find("Fehlt.prj"), AnsiString::npos);
        EXPECT_EQ(hook.Requests()[0].Details, "");
    }
}

TEST_F(ProjectFilesTest, AFailedSaveLeavesThePreviousFileAndTheProject)
{
    WriteFile("Anlage.prj", "previous content");
    TForm1& form = Create();
    AddCircuit(form);
    Add(form, CreateBauteil<TBTUnwritable>(), 100, 600);
    form.SetProjectName(Program() + "Anlage.prj");
    const std::size_t objects = form.MainBoard->Objects.size();

    EXPECT_THROW(form.SaveProject(Program() + "Anlage.prj"), EStreamError);
    EXPECT_THROW(form.SaveProject(Program() + "Anders.prj"), EStreamError);
    EXPECT_EQ(ReadFile("Anlage.prj"), "previous content");
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList{"Anlage.prj"});   // nothing left behind
    EXPECT_EQ(form.ProjectFileName, Program() + "Anlage.prj");
    EXPECT_EQ(form.History.Entry(0), "");

    // The save command reports it; the save prompt then keeps the project.
    {
        TModalHook hook({TModalAnswer::Button(IDOK)});
        EXPECT_FALSE(form.Speichern1Click());
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Flags, MB_OK | MB_ICONERROR);
    }
    {
        TModalHook hook({TModalAnswer::Button(IDYES), TModalAnswer::Button(IDOK)});
        form.DateiNeuBtnClick();
        EXPECT_EQ(form.MainBoard->Objects.size(), objects);
    }
    // Yes for an unnamed project, then Cancel in the save dialog: kept too.
    form.SetProjectName("");
    {
        TModalHook hook({TModalAnswer::Button(IDYES), TModalAnswer::Cancel()});
        EXPECT_FALSE(form.AskSaveChanges());
        EXPECT_FALSE(form.OpenProject(Program() + "Anlage.prj"));
        EXPECT_EQ(form.MainBoard->Objects.size(), objects);
    }
}

TEST_F(ProjectFilesTest, SavingReplacesTheFileBehindALinkAndKeepsItsPermissions)
{
    WriteFile("Ziel.prj", "old");
    ASSERT_TRUE(QFile::setPermissions(Path("Ziel.prj"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(Path("Ziel.prj"), Path("Link.prj")));
    TForm1& form = Create();
    AddCircuit(form);
    form.SaveProject(Program() + "Link.prj");
    EXPECT_TRUE(QFileInfo(Path("Link.prj")).isSymLink());
    EXPECT_EQ(Bytes("Ziel.prj").left(5), QByteArray("\x02\x00\x00\x2E\x00", 5));
    EXPECT_EQ(QFile::permissions(Path("Ziel.prj")) & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                     QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

TEST_F(ProjectFilesTest, MacroNamesWriteTheShownMacroBoardAndItsPanel)
{
    TForm1& form = Create();
    auto* macro = CreateBauteil<TMakro>();
    TPlatine* inner = form.MainBoard->CreateInnerBoard(macro);
    form.Links.Attach(*inner);
    TFakeDesign macroPanel;
    macroPanel.BorderWidth = 7;
    macro->SubDesign = &macroPanel;
    form.MainBoard->InsertObject(macro);
    auto* pin = CreateBauteil<TBTPin>();
    pin->Label = "E";
    inner->InsertObject(pin);
    inner->InsertObject(CreateComponent("TBTAnd"));
    form.CurrentBoard = inner;
    form.CurrentDesign = &macroPanel;

    // The first class name of the board block and the design block's border.
    auto contents = [&](const QString& name) {
        TFileStream file(Path(name).toStdString(), TFileMode::fmOpenRead);
        TReader reader(file);
        Byte header[5];
        reader.Read(header, 5);
        const Integer count = reader.ReadInteger();
        return std::to_string(count) + " " + reader.ReadString();
    };
    for (const char* name : {"Teil.mak", "Teil.MAK", "Teil.Mak"}) {
        SCOPED_TRACE(name);
        // An existing file of the name in another letter case would be the one written.
        for (const QString& old : QDir(folder_.path()).entryList({"Teil.*"}, QDir::Files))
            QFile::remove(Path(old));
        form.MacroFolder = "/anderswo/";
        form.SaveProject(Program() + name);
        EXPECT_EQ(contents(name), "2 TBTPin");
        EXPECT_EQ(form.MacroFolder, Program());
    }
    form.SaveProject(Program() + "Ganz.prj");
    EXPECT_EQ(contents("Ganz.prj"), "1 TMakro");
    EXPECT_EQ(form.History.Entry(0), Program() + "Ganz.prj");   // only project files are listed
    EXPECT_EQ(form.History.Entry(1), "");
    form.CurrentBoard = form.MainBoard;
    form.CurrentDesign = form.Frontplatte->RootDesign();
    macro->SubDesign = nullptr;
}

TEST_F(ProjectFilesTest, OnlyTheRunOnlyPackageCarriesThePrefix)
{
    TForm1& form = Create();
    AddCircuit(form);
    SaveCompiled = true;
    form.SaveProject(Program() + "comp.mod");
    SaveCompiled = false;
    form.SaveProject(Program() + "Anlage.prj");

    const QByteArray package = Bytes("comp.mod");
    const QByteArray plain = Bytes("Anlage.prj");
    TMemoryStream stream(TBytes(package.begin(), package.end()));
    {
        TReader reader(stream);
        for (int i = 0; i < RunOnlyPrefixCount; ++i) {
            const Integer value = reader.ReadInteger();
            EXPECT_TRUE(value >= 0 && value < 30000) << value;
        }
        Byte header[5];
        reader.Read(header, 5);
        EXPECT_TRUE(HeaderAccepted(header));
    }
    EXPECT_EQ(package.mid(static_cast<qsizetype>(stream.Position())), plain.mid(5));

    TModalHook hook(std::vector<TModalAnswer>{TModalAnswer::Button(IDNO), TModalAnswer::Button(IDNO)});
    EXPECT_THROW(form.OpenProject(Program() + "comp.mod"), EFileFormatError);
    SaveCompiled = true;
    EXPECT_TRUE(form.OpenProject(Program() + "comp.mod"));
    SaveCompiled = false;
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTInverter"), 1);
}

TEST_F(ProjectFilesTest, RecentFilesAndTheNewCommand)
{
    TForm1& form = Create();
    AddCircuit(form);
    form.SaveProject(Program() + "Erste.prj");
    form.SaveProject(Program() + "Zweite.prj");
    TModalHook hook(std::vector<TModalAnswer>{TModalAnswer::Button(IDNO), TModalAnswer::Button(IDNO)});
    form.HistoryClick(2);
    EXPECT_EQ(form.ProjectFileName, Program() + "Erste.prj");
    form.HistoryClick(4);   // an empty entry
    EXPECT_EQ(form.ProjectFileName, Program() + "Erste.prj");

    Panel(form).Title = "Vorher";
    form.DateiNeuBtnClick();
    EXPECT_TRUE(form.MainBoard->Objects.empty());
    EXPECT_EQ(form.ProjectFileName, "");
    EXPECT_EQ(Panel(form).Title, "Frontplatte");
    EXPECT_EQ(form.CurrentDesign, form.Frontplatte->RootDesign());
    EXPECT_EQ(hook.Requests().size(), 2u);
}

TEST_F(ProjectFilesTest, TheFileMenuAsksToSaveOnceBeforeAProjectIsReplaced)
{
    TForm1& form = Create();
    AddCircuit(form);
    form.SaveProject(Program() + "Anlage.prj");
    {
        TModalHook hook({TModalAnswer::File(Program() + "Anlage.prj"), TModalAnswer::Button(IDNO)});
        form.findChild<QAction*>("ffnen2")->trigger();
        ASSERT_EQ(hook.Requests().size(), 2u);
        EXPECT_EQ(hook.Requests()[0].Kind, TModalKind::FileDialog);
        EXPECT_EQ(hook.Requests()[0].File.FileName, "*.prj");
        EXPECT_EQ(hook.Requests()[1].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    {
        TModalHook hook({TModalAnswer::Button(IDNO)});
        form.findChild<QAction*>("DateiNeuBtn")->trigger();
        EXPECT_EQ(hook.Requests().size(), 1u);
        EXPECT_TRUE(form.MainBoard->Objects.empty());
    }
}

TEST_F(ProjectFilesTest, LibrariesAreSavedWithoutElementsAndLoadedOntoTheBoardOnly)
{
    TForm1& form = Create();
    TFakeFrontplatte& panel = UseFakePanels(form);
    // A lamp owns an element; the library holds it without.
    TMemoryStream lampStream;
    auto lamp = std::unique_ptr<TBTTestLamp>(CreateBauteil<TBTTestLamp>());
    WritePlacingStream(*lamp, lampStream);
    form.MainBoard->PasteFromStream(lampStream, FileVersion);
    form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
    Add(form, CreateComponent("TBTAnd"), 300, 100);
    ASSERT_EQ(panel.Root().ElementCount(), 1);
    {
        TModalHook hook({TModalAnswer::File(Program() + "Eigene.bib")});
        form.SaveBibo1Click();
        EXPECT_EQ(hook.Requests()[0].File.FileName, "*.bib");
    }
    EXPECT_FALSE(form.MainBoard->WritingLibrary);
    form.Bibo->LoadFromFile(Program() + "Eigene.bib");
    EXPECT_EQ(form.Bibo->Entries.size(), 2u);

    ProjectFolder = "/projekte";
    const QString directory = QDir::currentPath();
    {
        TModalHook hook({TModalAnswer::File(Program() + "Eigene.bib"), TModalAnswer::Button(IDNO)});
        form.LoadBibo1Click();
    }
    EXPECT_FALSE(LibraryLoading);
    EXPECT_EQ(CountOf<TBTTestLamp>(*form.MainBoard), 1);
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTAnd"), 1);
    EXPECT_EQ(form.Frontplatte.get(), &panel);      // the panel stays
    EXPECT_EQ(panel.Root().ElementCount(), 0);      // the old lamp's element went with it, no new one came
    EXPECT_EQ(ProjectFolder, "/projekte");
    EXPECT_EQ(QDir::currentPath(), directory);
}

} // namespace
