// The rows of the shared property sheet. A caller adds typed rows, each bound
// to one of its own variables; the sheet writes the edited values back when
// the user presses OK (the sub-dialogs of format, byte-sequence, frame and
// dialog rows write theirs at once). Headings divide the rows into sections
// that collapse and expand with a click.
#pragma once

#include "ui/controls/ScrollBoxEx.h"

#include <QFrame>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QUrl;
class QPushButton;
class TFormat;
class THotkey;
class TModalForm;
class TUCLCustomImageList;
struct TFont;

class TPropScrollbox;
class TColorPropEditor;
class TFontNamePropEditor;
class TFontStylePropEditor;
class TComboPropEditor;
class TMemoPropEditor;
class TFormatProp;
class TDialogProp;

// One row on screen: the name column and the value area with its controls.
class TPropEditor : public QFrame {
    Q_OBJECT
public:
    static constexpr int MinRowWidth = 180;
    static constexpr int InitialNameWidth = 150;
    static constexpr int ChangeBtnWidth = 20;

    explicit TPropEditor(QWidget* parent);

    QLabel* NameLabel;       // the row caption, at (2, 4) in the name column
    QWidget* NamePanel;      // the name column, on the tooltip background
    QWidget* PropPanel;      // the value area: the rest of the row
    QPushButton* ChangeBtn;  // "...", at the right of the value area

    int NameWidth() const { return nameWidth_; }
    void SetNameWidth(int width);
    // The edit rows keep "..." in the name column, as the link button.
    void MoveChangeBtnToNameColumn();
    // The caption text; a heading's is its heading.
    virtual QString CaptionText() const;
    // The right edge of the rightmost shown value control other than "...".
    virtual int ValueExtent() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void Arrange();

private:
    int nameWidth_ = InitialNameWidth;
    bool changeBtnInNameColumn_ = false;
};

// The binder of one row: knows the bound variable and writes it back.
class TProp {
public:
    virtual ~TProp();
    TProp(const TProp&) = delete;
    TProp& operator=(const TProp&) = delete;

    AnsiString Caption;
    TPropEditor* Editor = nullptr;   // freed with the binder
    bool Changed = false;            // set by EditValue of some kinds

    // The action of "..." and of clicks on the value area; nothing here.
    virtual void EditValue() {}
    // OK: the editor's value into the bound variable.
    virtual void WriteBack() {}
    // When the sheet is shown: lists that are filled only then.
    virtual void Prepare() {}
    virtual bool IsHeading() const { return false; }

protected:
    TProp() = default;
};

class TPropScrollbox : public TScrollBoxEx {
    Q_OBJECT
public:
    explicit TPropScrollbox(QWidget* parent = nullptr);
    ~TPropScrollbox() override;

    using TStrings = std::vector<AnsiString>;

    Integer NextTop = 0;   // top of the next row: the heights of the shown rows
    std::vector<std::unique_ptr<TProp>> Rows;
    std::function<void(TPropScrollbox* Sender)> OnLayoutChanged;

    // Row operations; each caption is shown as given (callers translate).
    TColorPropEditor* AddColor(const AnsiString& caption, TColor& color);
    TFontNamePropEditor* AddFontName(const AnsiString& caption, TFont& font);
    TFontStylePropEditor* AddFontStyle(const AnsiString& caption, TFont& font);
    // No actions: the action list is hidden and OK writes -1 as the action.
    void AddHotkey(const AnsiString& caption, THotkey& hotkey, const TStrings& actions);
    TComboPropEditor* AddCombo(const AnsiString& caption, Integer& itemIndex, const TStrings& items, Integer width);
    void AddImageCombo(const AnsiString& caption, Integer& itemIndex, const TStrings& items, Integer width,
                       TUCLCustomImageList* images);
    void AddEditCombo(const AnsiString& caption, AnsiString& text, const TStrings& items, Integer width);
    void AddCaption(const AnsiString& caption);
    // maxLength 0: no limit.
    TPropEditor* AddEditEx(const AnsiString& caption, AnsiString& text, Integer maxLength, Integer width);
    void AddEdit(const AnsiString& caption, AnsiString& text, Integer maxLength, Integer width);
    TMemoPropEditor* AddMemo(const AnsiString& caption, TStrings& lines, Integer width, Integer height);
    void AddCheck(const AnsiString& caption, bool& checked);
    // A file edit whose button opens the open (AddFile) or save dialog with
    // the filter and default extension.
    void AddFile(const AnsiString& caption, AnsiString& fileName, Integer maxLength, Integer width,
                 const AnsiString& filter, const AnsiString& defaultExt);
    void AddSaveFile(const AnsiString& caption, AnsiString& fileName, Integer maxLength, Integer width,
                     const AnsiString& filter, const AnsiString& defaultExt);
    // The minimum first, then the maximum, then the value: a value outside
    // the range shows, and is written back as, the nearest end.
    void AddSpin(const AnsiString& caption, Integer& value, Integer minValue, Integer maxValue, Integer width);
    void AddRange(const AnsiString& caption, AnsiString& fromText, AnsiString& toText, Integer reserved);
    // The time of day only: OK writes h:m:s without the date.
    void AddDayTime(const AnsiString& caption, TDateTime& time);
    TFormatProp* AddFormat(const AnsiString& caption, TFormat& format);
    void AddSync(const AnsiString& caption, AnsiString& syncText);
    void AddFrame(const AnsiString& caption, AnsiString& prefix, AnsiString& suffix);
    TDialogProp* AddDialog(const AnsiString& caption, Integer& modalResult, TModalForm* form);

    // The standard options section of a component, only while the simulation
    // is stopped and the program is not a run-only copy: a heading
    // "Optionen", the name and the run-time flag.
    void AddOptionsSection(AnsiString& name, bool& runtimeAdjustable);

    // Every row placed below the previous shown one; headings after the first
    // end in "..." while collapsed and lose their trailing points while open.
    void Relayout();
    // One name-column width for all rows: the widest caption + 10, >= 100.
    void AlignCaptions();
    // One value width for all rows: the widest value + 4, >= 100; rows stay
    // at least 180 wide.
    void FitWidth();
    // A click on a heading: its section collapses or opens.
    void ToggleSection(TPropEditor* heading);

    // Frees every row.
    void Clear();

    // Writes every row's value into its bound variable.
    void WriteBackAll();

private:
    template <class Binder, class Editor>
    Binder& AddRow(const AnsiString& caption, int height);
    void FinishRow(TProp& prop, int height);
    template <class Binder, class Editor>
    void AddFileRow(const AnsiString& caption, AnsiString& fileName, Integer maxLength, Integer width,
                    const AnsiString& filter, const AnsiString& defaultExt);
    // Clicks on the value area, on the given label and on "..." run EditValue.
    void ClickEditsValue(TProp& prop, QWidget* label);
};

// True when the first "@" is not the first character and the first "." after
// it is not directly behind it.
bool IsMailAddress(const AnsiString& text);
// Web addresses, files and mail addresses ("mailto:" put in front) opened by
// the desktop.
void OpenLink(const AnsiString& text);
QUrl LinkUrl(const AnsiString& text);
// Whether an edit row shows its link button for the text.
bool IsLinkText(const AnsiString& text);
