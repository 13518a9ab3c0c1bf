// Edits with one button at their right end that opens a dialog and puts the
// choice into the edit: a file to open, a file to save, or a folder. While
// the edit is not focused it may show a shorter form of its name (the file
// name only, or the path shortened to the edit's width); the full name stays
// behind it and is shown again while the edit has the focus.
#pragma once

#include "platform/Dialogs.h"
#include "ui/controls/UCLBrowseDlg.h"
#include "ui/controls/UCLCustomEdit.h"

#include <functional>

class TUCLSpecialButton;

class TUCLCustomBrowseEdit : public TUCLCustomEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomBrowseEdit, TUCLCustomEdit)
public:
    explicit TUCLCustomBrowseEdit(QWidget* Parent = nullptr);

    // OnChange (the text changed) is the edit's own. OnDlgChange: a dialog
    // put its choice in. OnBeforeBrowse and OnBrowse get the dialog object
    // before and after it runs; OnBrowse comes once more with the edit after
    // the button's click.
    TNotifyEvent OnDlgChange;
    TNotifyEvent OnBeforeBrowse;
    TNotifyEvent OnBrowse;

    // The button that opens the dialog.
    TUCLSpecialButton& BrowseButton();
    // Opens the dialog, then OnBrowse with the edit.
    void ButtonClick();

    // While the edit is not focused its path is shown shortened to the
    // width of the text area.
    bool MinimizeName() const { return FMinimizeName; }
    void SetMinimizeName(bool Value);
    // The name as it was set or typed, before any shortening.
    const QString& FullText() const { return FFullText; }

protected:
    virtual void Browse() {}
    // What the edit shows of Full while it is not focused, before the width
    // shortening.
    virtual QString DisplayPart(const QString& Full) const { return Full; }

    // Filename and Path: the full name while unfocused with MinimizeName,
    // else the shown text.
    QString GetName() const;
    // Sets the text; unfocused, the shortened form is shown at once.
    void SetName(const QString& Value);
    // A dialog's choice: set whole (MaxLength only limits typing, so a
    // chosen path is never cut), then OnDlgChange.
    void TakeChoice(const AnsiString& Value);
    // Takes the focus for the dialog, as a click into the edit would.
    void FocusForBrowse();
    // The name the dialog starts from: the full name, or the text being
    // edited.
    QString CurrentName() const;
    // What an unfocused edit shows for the full name Full.
    QString ShownForm(const QString& Full) const;
    // Shows it (unfocused edits only).
    void UpdateDisplay();

    void TextAssigned() override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void SetTextWhole(const QString& Value);
    // Display changes are not changes of the name: no OnChange, and the
    // full name stays.
    void ShowText(const QString& Value);

    QString FFullText;
    QString FEnterText;   // the text when the focus came
    bool FMinimizeName = false;
    bool FShowing = false;
};

// The file dialog's options that the platform's dialog honours; the others
// of the class library (read-only check box, help button ...) have no
// counterpart there.
enum TOpenOption : Cardinal { ofOverwritePrompt = 0x0002, ofHideReadOnly = 0x0004 };
using TOpenOptions = Cardinal;

// The file dialog of a file edit, handed to OnBeforeBrowse (which may change
// it) and OnBrowse as their Sender.
class TUCLFileDialog : public TPersistent {
    ZK_ABSTRACT_CLASS(TUCLFileDialog, TPersistent)
public:
    TFileDialog Dialog;
};

class TUCLCustomFileEdit : public TUCLCustomBrowseEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomFileEdit, TUCLCustomBrowseEdit)
public:
    // These hide the edit's own Options: here they are the dialog's.
    TOpenOptions Options = ofHideReadOnly;
    AnsiString Title;
    AnsiString InitialDir;
    AnsiString Filter;       // "Text (*.txt)|*.txt|All|*.*"
    AnsiString DefaultExt;   // "txt": added to a chosen name without extension

    QString Filename() const { return GetName(); }
    void SetFilename(const QString& Value) { SetName(Value); }
    // While unfocused only the file's name is shown.
    bool FilenameOnly() const { return FFilenameOnly; }
    void SetFilenameOnly(bool Value);

protected:
    TUCLCustomFileEdit(QWidget* Parent, TFileDialogKind Kind);
    void Browse() override;
    QString DisplayPart(const QString& Full) const override;

private:
    TFileDialogKind FKind;
    bool FFilenameOnly = false;
};

class TUCLFileOpenEdit : public TUCLCustomFileEdit {
    Q_OBJECT
    ZK_CLASS(TUCLFileOpenEdit, TUCLCustomFileEdit)
public:
    explicit TUCLFileOpenEdit(QWidget* Parent = nullptr);
};

class TUCLFileSaveEdit : public TUCLCustomFileEdit {
    Q_OBJECT
    ZK_CLASS(TUCLFileSaveEdit, TUCLCustomFileEdit)
public:
    explicit TUCLFileSaveEdit(QWidget* Parent = nullptr);
};

class TUCLBrowseEdit;
using TUCLBrowseExecuteEvent = std::function<void(TUCLBrowseEdit* Sender, TUCLBrowseDlg* bDlg)>;

class TUCLBrowseEdit : public TUCLCustomBrowseEdit {
    Q_OBJECT
    ZK_CLASS(TUCLBrowseEdit, TUCLCustomBrowseEdit)
public:
    explicit TUCLBrowseEdit(QWidget* Parent = nullptr);

    // Hides the edit's own Options: these are the folder dialog's.
    TUCLBrowseDlgOptions Options = doReturnFileSysDirs | doShowPath;
    TUCLSystemFolders StartFolder = TUCLSystemFolders::bfoDesktopExpanded;
    // The dialog opens on the folder in the edit (when there is one).
    bool StartWithLast = false;
    // The dialog is set up and about to run.
    TUCLBrowseExecuteEvent OnExecute;

    QString Path() const { return GetName(); }
    void SetPath(const QString& Value) { SetName(Value); }

protected:
    void Browse() override;
};
