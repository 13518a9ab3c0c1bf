#include "shell/Compiler.h"

#include "components/digital/BT_Speicher.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/Platine.h"
#include "engine/Publics.h"
#include "panel/framework/Design.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/Frontplatte.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/HtmlHelp.h"
#include "platform/IniFile.h"
#include "platform/MouseCursor.h"
#include "platform/Paths.h"
#include "platform/SafeSave.h"
#include "shell/HardwareSettings.h"
#include "shell/MainForm.h"
#include "ui/controls/UCLBrowseDlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstring>

std::function<QString()> TCompiler::ProgramExecutable = [] { return QCoreApplication::applicationFilePath(); };

std::function<void(const QString&, const QString&)> TCompiler::StartProgram = [](const QString& program,
                                                                               const QString& folder) {
    QProcess::startDetached(program, {}, folder);
};

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A folder name with one "/" at its end.
AnsiString WithSlash(AnsiString folder)
{
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
        folder += '/';
    return folder;
}

struct TVendorRow {
    const char* DriverClass;
    std::vector<const char*> Files;
};

// The memory manager that this maker's three USB libraries load beside them.
constexpr const char* SharedMemoryManager = "MEMMGR.DLL";

const std::vector<TVendorRow>& VendorRows()
{
    static const std::vector<TVendorRow> rows = {
        {"TRoboInterface", {"FTLIB.DLL"}},
        {"TK8055", {"K8055D.DLL"}},
        {"TK8061", {"K8061.DLL", "MPUSBAPI.DLL"}},
        {"TUIO88", {"UIO88.DLL"}},
        {"TEasyBus", {"B32E.drv"}},
        {"TETDLInterface", {"ETDL.dll"}},
        {"THT_USB_32In32Out", {"USB32IO.DLL", SharedMemoryManager}},
        {"THT_USB_8841", {"USB8IOADD.DLL", SharedMemoryManager}},
        {"TWarrior", {"IOWKIT.DLL"}},
        {"TWarrior56", {"IOWKIT.DLL"}},
        {"THT_USB_REL", {"USB8IO.DLL", SharedMemoryManager}},
        {"TWasco", {"Wasco.DLL", "Wasco64.DLL"}},
        {"TK8000", {"K8D.DLL", "DLPORTIO.SYS", "DLPORTIO.DLL", "K8E.exe"}},
        {"TK8000N", {"K8D.DLL", "DLPORTIO.SYS", "DLPORTIO.DLL", "K8E.exe"}},
    };
    return rows;
}

bool IsClass(const IFP_Element& element, const char* name)
{
    const auto* persistent = dynamic_cast<const TPersistent*>(&element);
    return persistent && std::strcmp(persistent->ClassName(), name) == 0;
}

} // namespace

// ---- Names --------------------------------------------------------------------

AnsiString CompileSubFolder(const AnsiString& projectFileName)
{
    return "Compilation_" + (projectFileName.empty() ? AnsiString() : FileTitleUpper(projectFileName));
}

AnsiString ProposedCompilePath(const AnsiString& folder, const AnsiString& subFolder)
{
    return WithSlash(UnixPathName(folder)) + AnsiLowerCase(subFolder) + "/";
}

AnsiString ProposedProgramName(const AnsiString& projectFileName)
{
    const AnsiString title = projectFileName.empty() ? AnsiString() : FileTitleUpper(projectFileName);
    return AnsiLowerCase(title.empty() ? AnsiString("Compilation") : title);
}

AnsiString CompiledExecutableName(const AnsiString& programName)
{
    return programName;
}

std::vector<AnsiString> VendorLibraryFiles(const TClassInfo& driverClass)
{
    std::vector<AnsiString> files;
    for (const TVendorRow& row : VendorRows()) {
        bool member = false;
        for (const TClassInfo* cls = &driverClass; cls && !member; cls = cls->Parent)
            member = AnsiSameText(cls->Name, row.DriverClass);
        if (member)
            files.insert(files.end(), row.Files.begin(), row.Files.end());
    }
    return files;
}

std::vector<AnsiString> VendorLibraryCandidates(const AnsiString& folder, const AnsiString& name)
{
    const AnsiString base = WithSlash(UnixPathName(folder));
    std::vector<AnsiString> names;
    const AnsiString extension = ExtractFileExt(name);
    if (AnsiSameText(extension, ".dll")) {
        const AnsiString stem = name.substr(0, name.size() - extension.size());
        names = {"lib" + stem + ".so", stem + ".so"};
    } else {
        names = {name};
    }
    std::vector<AnsiString> found;
    for (const AnsiString& candidate : names) {
        const AnsiString path = ResolvePath(base + candidate);
        if (FileExists(path) && std::find(found.begin(), found.end(), path) == found.end())
            found.push_back(path);
    }
    return found;
}

// ---- The dialog ----------------------------------------------------------------

TCompiler::TCompiler(QWidget* parent) : TModalForm(parent)
{
    setObjectName("Compiler");
    SetFormFont(*this, "MS Sans Serif", -11);
    setWindowTitle(QStringLiteral("Compiler"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    setFixedSize(449, 405);

    Label1 = Place(new QLabel(Q("Der Compiler macht aus Ihrem Projekt ein eigenständiges Programm, das auch ohne "
                                "Zentrika lauffähig ist..."),
                              this),
                   "Label1", 8, 8, 433, 32);
    Label2 = Place(new QLabel(Q("Das Projekt wird in diesen Ordner compiliert. Der Ordner wird ggf. anglegt."), this),
                   "Label2", 8, 48, 433, 32);
    CompilePath = Place(new QLineEdit(this), "CompilePath", 8, 82, 405, 23);
    SpeedButton1 = Place(new QToolButton(this), "SpeedButton1", 418, 82, 23, 23);
    SpeedButton1->setText(QStringLiteral("..."));
    Label3 = Place(new QLabel(Q("Name der ausführbaren Datei: (ohne Endung)"), this), "Label3", 8, 116, 433, 16);
    FileEdit = Place(new QLineEdit(this), "FileEdit", 8, 134, 209, 23);
    // Linux programs carry no extension: the label the name is followed by stays empty.
    Label4 = Place(new QLabel(this), "Label4", 222, 138, 40, 16);
    Label4->hide();
    Label5 = Place(new QLabel(QStringLiteral("Status:"), this), "Label5", 8, 168, 433, 16);
    StatusLines = Place(new QListWidget(this), "StatusLines", 8, 186, 433, 176);
    StatusLines->setSelectionMode(QAbstractItemView::NoSelection);
    CloseBtn = Place(new QPushButton(QStringLiteral("&Schliessen"), this), "CloseBtn", 8, 372, 105, 25);
    StartBtn = Place(new QPushButton(QStringLiteral("Compilieren + &Starten"), this), "StartBtn", 176, 372, 145, 25);
    CompileBtn = Place(new QPushButton(QStringLiteral("&Compilieren"), this), "CompileBtn", 328, 372, 113, 25);
    for (QLabel* label : {Label1, Label2, Label3})
        label->setWordWrap(true);
    for (QPushButton* button : {CloseBtn, StartBtn})
        button->setAutoDefault(false);
    CompileBtn->setDefault(true);
    SetModalResult(CloseBtn, mrCancel);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    for (QPushButton* button : {CompileBtn, StartBtn})
        connect(button, &QPushButton::clicked, this, [this, button] {
            if (OnCompile)
                OnCompile(button);
        });
    TranslateTexts();
}

void TCompiler::TranslateTexts()
{
    const Integer language = LanguageChoice();
    if (language == 0)
        return;
    const bool english = language == 1;
    Label1->setText(english ? Q("The compiler creates an executable file from your project, that can be run without "
                                "having Zentrika installed.")
                            : Q("Le compilateur crée un fichier exécutable à partir de votre projet, lequel pourra "
                                "être lancé sans avoir besoin de disposer de Zentrika."));
    Label2->setText(english ? Q("The project is compiled to this directory. The directory will be created, if necessary.")
                            : Q("Le projet est compilé dans ce répertoire. Le répertoire sera créé, si nécessaire."));
    Label3->setText(english ? Q("Name of executable file. (without extension)")
                            : Q("Nom du fichier exécutable. (sans extension)"));
    // English keeps "Status:"; French sets its colon apart.
    if (!english)
        Label5->setText(Q("État :"));
    CloseBtn->setText(english ? Q("&Close") : Q("&Fermer"));
    CompileBtn->setText(english ? Q("C&ompile") : Q("C&ompiler"));
    StartBtn->setText(english ? Q("Compile + &Run") : Q("Compiler + &Exécuter"));
}

void TCompiler::BeforeShow()
{
    ClearLog();
}

bool TCompiler::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, HelpContext))
        return true;
    return TModalForm::event(event);
}

void TCompiler::SpeedButton1Click()
{
    TUCLBrowseDlg browse;
    browse.SelectedFolder = QStringToAnsi(CompilePath->text());
    if (!browse.Execute())
        return;
    CompilePath->setText(AnsiToQString(ProposedCompilePath(browse.SelectedFolder, SubFolder)));
}

void TCompiler::AddLine(const QString& text)
{
    StatusLines->addItem(text);
    StatusLines->scrollToBottom();
    StatusLines->repaint();
}

void TCompiler::AppendToLastLine(const QString& text)
{
    if (StatusLines->count() == 0) {
        AddLine(text);
        return;
    }
    QListWidgetItem* last = StatusLines->item(StatusLines->count() - 1);
    last->setText(last->text() + text);
    StatusLines->repaint();
}

void TCompiler::ClearLog()
{
    StatusLines->clear();
}

QStringList TCompiler::LogLines() const
{
    QStringList lines;
    for (int i = 0; i < StatusLines->count(); ++i)
        lines << StatusLines->item(i)->text();
    return lines;
}

// ---- The main window's side ------------------------------------------------------

namespace {

TCompiler& CompilerDialog(TForm1& form)
{
    if (auto* dialog = form.findChild<TCompiler*>("Compiler"))
        return *dialog;
    return *new TCompiler(&form);
}

} // namespace

void TForm1::CompilierenClick()
{
    TCompiler& dialog = CompilerDialog(*this);
    dialog.SubFolder = CompileSubFolder(ProjectFileName);
    if (ProjectFolder.empty())
        ProjectFolder = ProgramFolder();
    dialog.CompilePath->setText(AnsiToQString(ProposedCompilePath(ProjectFolder, dialog.SubFolder)));
    dialog.FileEdit->setText(AnsiToQString(ProposedProgramName(ProjectFileName)));
    dialog.OnCompile = [this](QObject* sender) { Guarded([this, sender] { RunCompile(sender); }); };
    dialog.ShowModal();
}

void TForm1::RunCompile(QObject* sender)
{
    TCompiler& dialog = CompilerDialog(*this);
    dialog.ClearLog();
    const AnsiString path = QStringToAnsi(dialog.CompilePath->text());
    if (!PrepareTargetFolder(path)) {
        dialog.AddLine(AnsiToQString(path) + ByLanguage(Q(" ... *** NICHT ERSTELLT ***"), Q(" ... *** NOT CREATED ***"),
                                                        Q(" ... *** NON CREE ***")));
        return;
    }
    dialog.AddLine(AnsiToQString(path) + QStringLiteral(" ... OK"));
    const AnsiString folder = WithSlash(UnixPathName(path));
    QDir target(QtFileName(folder));
    target.mkpath(QStringLiteral("Settings"));
    target.mkpath(QStringLiteral("Data"));
    const AnsiString executable =
        folder + CompiledExecutableName(QStringToAnsi(dialog.FileEdit->text()));
    CompileProject(executable);
    if (sender == dialog.StartBtn && TCompiler::StartProgram)
        TCompiler::StartProgram(QtFileName(executable), QtFileName(folder));
}

bool TForm1::PrepareTargetFolder(const AnsiString& folder)
{
    const AnsiString path = UnixPathName(folder);
    if (DirectoryExists(path)) {
        const AnsiString question = QStringToAnsi(ByLanguage(
            Q("Das Zielerzeichnis existiert schon. Darin enthaltene Dateien werden überschrieben.\rMöchten Sie das "
              "Projekt trotzdem compilieren?"),
            Q("The destination directory already exists! Existing files will be overwritten.\rContinue compilation?"),
            Q("Le dossier de destination existe déjà ! Les fichiers existants seront écrasés.\rContinuer la "
              "compilation?")));
        return MessageBox(question, "Compiler", MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    if (!path.empty() && QDir().mkpath(QtFileName(path)) && DirectoryExists(path))
        return true;
    MessageBox(QStringToAnsi(ByLanguage(Q("Zielverzeichnis konnte nicht angelegt werden."),
                                        Q("Error in creation of destination directory."),
                                        Q("Erreur dans la création du dossier de destination."))),
               ByLanguage("Compiler", "Compiler", "Compilateur"), MB_OK | MB_ICONERROR);
    return false;
}

void TForm1::CompileProject(const AnsiString& exeFileName)
{
    TCompiler& dialog = CompilerDialog(*this);
    update();
    TWaitCursor wait;
    Status->setText(QStringLiteral("Compilation..."));
    Status->repaint();
    // Whatever fails below, the window's state is as it was before.
    struct TRestore {
        TForm1& Form;
        ~TRestore() { Form.Status->setText(QStringLiteral("---")); }
    } restore{*this};

    const AnsiString folder = ExtractFilePath(exeFileName);
    CopyFileLogged(QStringToAnsi(TCompiler::ProgramExecutable()), exeFileName);

    const AnsiString program = ProgramFolder();
    for (const char* name : {"Sprache.ini", "Settings/Colors.dat", "Settings/Speed.ini"}) {
        const AnsiString source = ResolvePath(program + name);
        if (FileExists(source))
            CopyFileLogged(source, folder + name);
    }

    // The editor goes on with the project it had open, whatever the save did.
    const AnsiString projectName = ProjectFileName;
    try {
        const TFlagScope compiled(SaveCompiled, true);
        SaveProject(folder + "comp.mod");
    } catch (...) {
        SetProjectName(projectName);
        throw;
    }
    SetProjectName(projectName);

    CopyProjectFiles(*MainBoard, folder);
    if (auto* root = dynamic_cast<TDesign*>(Frontplatte->RootDesign()))
        CopyPanelFiles(*root, folder);

    if (auto* panel = dynamic_cast<TFrontplatte*>(Frontplatte.get())) {
        for (const AnsiString& file : {panel->HelpFile, panel->IconFile}) {
            const AnsiString source = ResolvePath(file);
            if (!file.empty() && FileExists(source))
                CopyFileLogged(source, folder + ExtractFileName(source));
        }
    }

    const AnsiString devices = folder + "Settings/HARDWARE.INI";
    QFile::remove(QtFileName(ResolvePath(devices)));
    {
        TIniFile store(devices);
        Integer counter = 1;
        WriteHardwareSettings(*MainBoard, store, counter);
    }

    if (Frontplatte->AutoSave()) {
        IDesign* shown = Frontplatte->ShownDesign();
        Frontplatte->SetRunMode(true);
        try {
            Frontplatte->SaveDefaultSettings(folder + "comp.mod");
        } catch (...) {
            Frontplatte->SetRunMode(false);
            Frontplatte->ShowPanel(shown);
            throw;
        }
        Frontplatte->SetRunMode(false);
        Frontplatte->ShowPanel(shown);
    }

    dialog.AddLine(QString());
    dialog.AddLine(ByLanguage(Q("Fertig."), Q("Completed."), Q("Terminé.")));
}

void TForm1::CopyProjectFiles(TPlatine& board, const AnsiString& folder)
{
    const auto copyNamed = [this, &folder](const AnsiString& stored) {
        if (stored.empty())
            return;
        const AnsiString source = ResolveDataFile(stored);
        CopyFileLogged(source, folder + ExtractFileName(source));
    };
    for (TBauteil* object : board.Objects) {
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            if (TPlatine* inner = macro->InnerBoard())
                CopyProjectFiles(*inner, folder);
        } else if (auto* memory = dynamic_cast<TSpeicher*>(object)) {
            if (memory->AutoLoad)
                copyNamed(memory->FileName);
        } else if (auto* hardware = dynamic_cast<IHardwareComponent*>(object)) {
            const auto* driver = dynamic_cast<const TPersistent*>(hardware->Driver());
            if (!driver)
                continue;
            for (const AnsiString& name : VendorLibraryFiles(driver->ClassType())) {
                const std::vector<AnsiString> found = VendorLibraryCandidates(ProgramFolder(), name);
                if (found.empty())
                    CopyFileLogged(ProgramFolder() + name, folder + name);   // logged as missing
                for (const AnsiString& file : found)
                    CopyFileLogged(file, folder + ExtractFileName(file));
            }
        }
    }
}

void TForm1::CopyPanelFiles(TDesign& design, const AnsiString& folder)
{
    for (TFP_Element* element : design.Elements) {
        if (IsClass(*element, "TDesign")) {
            CopyPanelFiles(static_cast<TDesign&>(*element), folder);
        } else if (IsClass(*element, "TLogo")) {
            const auto& logo = static_cast<const TLogo&>(*element);
            if (!logo.FileName.empty()) {
                const AnsiString source = ResolveDataFile(logo.FileName);
                CopyFileLogged(source, folder + ExtractFileName(source));
            }
        }
    }
}

bool TForm1::CopyFileLogged(const AnsiString& source, const AnsiString& target)
{
    TCompiler& dialog = CompilerDialog(*this);
    dialog.AddLine(AnsiToQString(AnsiLowerCase(ExtractFileName(target))) + QStringLiteral(" ... "));

    // Written under a temporary name and renamed: a copy that fails half-way
    // leaves the previous file, and every failing step counts as a failure.
    bool copied = false;
    QFile in(QtFileName(ResolvePath(source)));
    if (FileExists(source) && in.open(QIODevice::ReadOnly)) {
        const QByteArray targetName = QFile::encodeName(QtFileName(target));
        const QByteArray temporary = TemporaryNameBeside(targetName);
        QFile out(QFile::decodeName(temporary));
        if (out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            bool ok = true;
            char buffer[65536];
            for (;;) {
                const qint64 n = in.read(buffer, sizeof buffer);
                if (n < 0) {
                    ok = false;
                    break;
                }
                if (n == 0)
                    break;
                if (out.write(buffer, n) != n) {
                    ok = false;
                    break;
                }
            }
            ok = out.flush() && ok;
            out.close();
            copied = ok && out.error() == QFileDevice::NoError &&
                     RenameOverTarget(temporary, targetName);
            if (!copied)
                QFile::remove(QFile::decodeName(temporary));
        }
    }
    if (copied) {
        // The copy keeps its source's permissions (a program stays executable)
        // and is dated now.
        QFile copy(QtFileName(target));
        copy.setPermissions(in.permissions());
        if (copy.open(QIODevice::ReadWrite))
            copy.setFileTime(DateTimeToQDateTime(Now()), QFileDevice::FileModificationTime);
    }
    dialog.AppendToLastLine(copied ? QStringLiteral("OK")
                                   : ByLanguage(Q("*** FEHLER ***"), Q("*** ERROR ***"), Q("*** ERREUR ***")));
    return copied;
}
