// The compile dialog, which turns the open project into a folder with a
// stand-alone run-only program: a copy of the executable under a name of the
// user's choice, the project as "comp.mod" and the files it needs. The main
// window's side (TForm1::CompilierenClick and the copy routines) lives in
// Compiler.cpp too.
#pragma once

#include "dialogs/ModalForm.h"
#include "platform/SysTypes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
struct TClassInfo;

class TCompiler : public TModalForm {
    Q_OBJECT
public:
    static constexpr Integer HelpContext = 45000;

    explicit TCompiler(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;          // what the compiler does
    QLabel* Label2 = nullptr;          // the target folder
    QLineEdit* CompilePath = nullptr;
    QToolButton* SpeedButton1 = nullptr;   // browse
    QLabel* Label3 = nullptr;          // the program name
    QLineEdit* FileEdit = nullptr;
    QLabel* Label4 = nullptr;          // the name's extension (none here)
    QLabel* Label5 = nullptr;          // "Status:"
    QListWidget* StatusLines = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* CompileBtn = nullptr;

    // "Compilation_" and the project's title: the folder proposed under the
    // project folder or a folder the user browses to.
    AnsiString SubFolder;
    // The handler of both compile buttons, with the button clicked.
    std::function<void(QObject* sender)> OnCompile;

    // English and French texts; the German ones are the form's own.
    void TranslateTexts();
    // The folder dialog, starting at the proposed folder; a chosen folder
    // gets the sub-folder appended.
    void SpeedButton1Click();

    // The log: a new line, text appended to the last line, the whole log.
    void AddLine(const QString& text);
    void AppendToLastLine(const QString& text);
    void ClearLog();
    QStringList LogLines() const;

    // The running program's executable, which the compile copies (tests
    // name the program's build).
    static std::function<QString()> ProgramExecutable;
    // Starts a compiled program in its folder, detached (tests take it over).
    static std::function<void(const QString& program, const QString& folder)> StartProgram;

protected:
    void BeforeShow() override;
    bool event(QEvent* event) override;
};

// "Compilation_" followed by the project's title in upper case (no folder,
// no extension); "Compilation_" alone for an unnamed project.
AnsiString CompileSubFolder(const AnsiString& projectFileName);
// The target proposed inside a folder: the folder as it is spelt (Linux
// names are case-sensitive), a "/" where it lacks one, then the sub-folder in
// lower case and a "/".
AnsiString ProposedCompilePath(const AnsiString& folder, const AnsiString& subFolder);
// The program name proposed: the project's title in lower case, or
// "compilation" for an unnamed project.
AnsiString ProposedProgramName(const AnsiString& projectFileName);
// The executable's name for the chosen program name. Linux programs carry no
// extension, so the name stays as it is.
AnsiString CompiledExecutableName(const AnsiString& programName);

// The vendor library files of a hardware driver class and of its ancestors
// (a driver class matches its subclasses), in the order of the table; none
// for a driver that loads no library.
std::vector<AnsiString> VendorLibraryFiles(const TClassInfo& driverClass);
// The files in the folder that stand for a vendor library name: "X.dll" is
// found as "libX.so" or "X.so" in any letter case, where the library loader
// looks for it; other names (drivers, helper programs) as they are, in any
// letter case. Empty when none exists.
std::vector<AnsiString> VendorLibraryCandidates(const AnsiString& folder, const AnsiString& name);
