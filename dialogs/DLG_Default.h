// The one settings dialog of every component, element and device: a sheet of
// typed rows (TPropScrollbox) over the OK and Cancel buttons. It sizes itself
// to its rows, writes the rows back on OK only, and frees them after every
// showing, so a caller adds its rows anew before each ShowModal.
#pragma once

#include "dialogs/ModalForm.h"

#include <functional>

class QPushButton;
class QToolButton;
class TPropScrollbox;
class TUCLImageList;
class TIOBauteil;
struct TFont;

// The pins-and-ports dialog of the devices lives above this library; the
// device layer installs what the pins button and the dialog's end need.
struct TPinPortDialogLink {
    std::function<void(const AnsiString& caption)> Show;   // shown modally with that caption
    std::function<void()> ClearHandlers;                   // the device handlers in its pin editor
};
TPinPortDialogLink& PinPortDialogLink();

class TDefault_Dlg : public TModalForm {
    Q_OBJECT
public:
    static constexpr int PanelHeight = 47;
    static constexpr int MinimumWidth = 198;
    static constexpr int ScrollBarAllowance = 18;

    explicit TDefault_Dlg(QWidget* parent = nullptr);
    ~TDefault_Dlg() override;

    TPropScrollbox* Props;
    QWidget* Panel1;
    QToolButton* PinBtn;      // hidden unless a device shows it
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    // The meter pictures of the front-panel meter's settings; the meter
    // element fills the list.
    TUCLImageList* MeterBitmaps;

    Integer HelpContext() const { return helpContext_; }
    // A help context other than 0 shows the help button (not in run-only copies).
    void SetHelpContext(Integer context);

    // Relayout, AlignCaptions and FitWidth of the sheet, then the dialog's
    // client size: the first row's width, the rows' height plus the button
    // panel (at most three quarters of the screen), 18 wider when the rows
    // need the scroll bar.
    void FitToRows();
    // The first row control that can take the focus gets it.
    void FocusFirstEditor();
    void done(int result) override;

protected:
    void BeforeShow() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void OKBtnClick();
    void PinBtnClick();
    void LayoutChanged();
    void FormClose();
    int MaxClientHeight() const;
    Integer helpContext_ = 0;
};

// The shared instance for components and elements, created on first use and
// kept for the program's life.
TDefault_Dlg& Default_Dlg();

// The settings sheet of one component, the one way a component opens its
// settings: the shared dialog, emptied, with the title (the component's name
// unless given) and the component's help context; the caller adds its rows,
// Show adds the options section (name, run-time flag), shows the sheet
// modally and applies the name on OK.
class TSettingsSheet {
public:
    explicit TSettingsSheet(TIOBauteil& component);
    TSettingsSheet(TIOBauteil& component, const AnsiString& title);
    TPropScrollbox& Props() { return *dlg_.Props; }
    TDefault_Dlg& Dialog() { return dlg_; }
    // The modal result.
    Integer Show();

private:
    TIOBauteil& component_;
    TDefault_Dlg& dlg_;
    AnsiString name_;
};

// One text row in the shared sheet, for the engine's own objects (a macro's
// name, a macro pin's label): the modal result; the text changes on OK only.
// The sheet with the row "Eingänge" of the entries first..last: shows it, then
// sets the component's input count from the entry whatever the result (Cancel
// leaves the entry, so the count stays and the pins are not rebuilt); a count
// outside first..last (only from a file) shows no entry and stays.
Integer EditInputCount(TDefault_Dlg& dlg, TIOBauteil& component, Integer first, Integer last);

Integer EditTextRow(const AnsiString& title, Integer helpContext, const AnsiString& caption, AnsiString& text,
                    Integer maxLength, Integer width);

// The text label's sheet: text (at most 50 characters), font name and size,
// style and colour. The size field shows the font's height in board units;
// whatever the result, the height becomes the size shown (positive), and the
// text and the font take the edits on OK only.
Integer EditTextLabel(AnsiString& text, TFont& font);
