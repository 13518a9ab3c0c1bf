// The row kinds of the property sheet: for each, the editor (the controls in
// the value area) and the binder (the bound variable, what OK writes back and
// what "..." does).
#pragma once

#include "dialogs/Props.h"

#include "platform/Canvas.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TUCLCustomFileEdit;
class TUCLFontComboBox;
class TUCLFontSizeComboBox;
class TUCLImageComboBox;
class TUCLSpinEdit;
class TZVQButton;

// ---- Editors ----------------------------------------------------------------

class TColorPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TColorPropEditor(QWidget* parent);
    TZVQButton* ColorBtn;
};

class TFontNamePropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TFontNamePropEditor(QWidget* parent);
    TUCLFontComboBox* NameCombo;
    TUCLFontSizeComboBox* SizeCombo;
};

class TFontStylePropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TFontStylePropEditor(QWidget* parent);
    QToolButton* BoldBtn;
    QToolButton* ItalicBtn;
    QToolButton* StrikeBtn;
    QToolButton* UnderBtn;
};

class THotkeyPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit THotkeyPropEditor(QWidget* parent);
    QComboBox* KeyList;
    QToolButton* CtrlBtn;
    QToolButton* AltBtn;
    QToolButton* ShiftBtn;
    QComboBox* ActionList;
};

class TComboPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TComboPropEditor(QWidget* parent, bool editable = false);
    QComboBox* Combo;
};

class TEditComboPropEditor : public TComboPropEditor {
    Q_OBJECT
public:
    explicit TEditComboPropEditor(QWidget* parent) : TComboPropEditor(parent, true) {}
};

class TImageComboPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TImageComboPropEditor(QWidget* parent);
    TUCLImageComboBox* Combo;
};

// A heading: the value area spans the row and shows the caption.
class TCaptionPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TCaptionPropEditor(QWidget* parent);
    bool Collapsed = false;
    QLabel* Heading;
    QString CaptionText() const override;
    int ValueExtent() const override;
    void SetHeadingText(const QString& text);
};

class TEditPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TEditPropEditor(QWidget* parent);
    QLineEdit* Edit;
};

class TMemoPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TMemoPropEditor(QWidget* parent);
    QPlainTextEdit* Memo;
};

class TCheckPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TCheckPropEditor(QWidget* parent);
    QCheckBox* Check;
};

// A file edit with its browse button: the platform's open or save dialog.
class TFilePropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TFilePropEditor(QWidget* parent, bool save = false);
    TUCLCustomFileEdit* FileEdit;
};

class TSaveFilePropEditor : public TFilePropEditor {
    Q_OBJECT
public:
    explicit TSaveFilePropEditor(QWidget* parent) : TFilePropEditor(parent, true) {}
};

class TSpinPropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TSpinPropEditor(QWidget* parent);
    TUCLSpinEdit* Spin;
};

class TRangePropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TRangePropEditor(QWidget* parent);
    QLineEdit* FromEdit;
    QLineEdit* ToEdit;
};

class TDayTimePropEditor : public TPropEditor {
    Q_OBJECT
public:
    explicit TDayTimePropEditor(QWidget* parent);
    TUCLSpinEdit* Hours;
    TUCLSpinEdit* Minutes;
    TUCLSpinEdit* Seconds;
};

// Format, byte-sequence and frame rows: a label and "...".
class TLabelPropEditor : public TPropEditor {
    Q_OBJECT
public:
    TLabelPropEditor(QWidget* parent, int labelWidth);
    QLabel* ValueLabel;
};

class TFormatPropEditor : public TLabelPropEditor {
    Q_OBJECT
public:
    explicit TFormatPropEditor(QWidget* parent) : TLabelPropEditor(parent, 64) {}
};

class TSyncPropEditor : public TLabelPropEditor {
    Q_OBJECT
public:
    explicit TSyncPropEditor(QWidget* parent) : TLabelPropEditor(parent, 0) {}
};

// A link label "Bearbeiten" that opens the caller's form.
class TDialogPropEditor : public TLabelPropEditor {
    Q_OBJECT
public:
    explicit TDialogPropEditor(QWidget* parent);
};

// ---- Binders ----------------------------------------------------------------

class TColorProp : public TProp {
public:
    TColor* Value = nullptr;
    TColorPropEditor& Ed() const { return static_cast<TColorPropEditor&>(*Editor); }
    void EditValue() override;
    void WriteBack() override;
};

class TFontNameProp : public TProp {
public:
    TFont* Value = nullptr;
    TFontNamePropEditor& Ed() const { return static_cast<TFontNamePropEditor&>(*Editor); }
    void Prepare() override;
    void WriteBack() override;
};

class TFontStyleProp : public TProp {
public:
    TFont* Value = nullptr;
    TFontStylePropEditor& Ed() const { return static_cast<TFontStylePropEditor&>(*Editor); }
    void WriteBack() override;
};

class THotkeyProp : public TProp {
public:
    THotkey* Value = nullptr;
    std::vector<AnsiString> Actions;
    THotkeyPropEditor& Ed() const { return static_cast<THotkeyPropEditor&>(*Editor); }
    void Prepare() override;
    void WriteBack() override;
};

class TComboProp : public TProp {
public:
    Integer* Value = nullptr;
    TComboPropEditor& Ed() const { return static_cast<TComboPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TImageComboProp : public TProp {
public:
    Integer* Value = nullptr;
    TImageComboPropEditor& Ed() const { return static_cast<TImageComboPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TEditComboProp : public TProp {
public:
    AnsiString* Value = nullptr;
    TEditComboPropEditor& Ed() const { return static_cast<TEditComboPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TCaptionProp : public TProp {
public:
    bool IsHeading() const override { return true; }
};

class TEditProp : public TProp {
public:
    AnsiString* Value = nullptr;
    TEditPropEditor& Ed() const { return static_cast<TEditPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TMemoProp : public TProp {
public:
    std::vector<AnsiString>* Value = nullptr;
    TMemoPropEditor& Ed() const { return static_cast<TMemoPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TCheckProp : public TProp {
public:
    bool* Value = nullptr;
    TCheckPropEditor& Ed() const { return static_cast<TCheckPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TFileProp : public TProp {
public:
    AnsiString* Value = nullptr;
    TFilePropEditor& Ed() const { return static_cast<TFilePropEditor&>(*Editor); }
    void WriteBack() override;
};

class TSaveFileProp : public TFileProp {};

class TSpinProp : public TProp {
public:
    Integer* Value = nullptr;
    TSpinPropEditor& Ed() const { return static_cast<TSpinPropEditor&>(*Editor); }
    void WriteBack() override;
};

class TRangeProp : public TProp {
public:
    AnsiString* Value = nullptr;   // from
    AnsiString* Extra = nullptr;   // to
    TRangePropEditor& Ed() const { return static_cast<TRangePropEditor&>(*Editor); }
    void WriteBack() override;
};

class TDayTimeProp : public TProp {
public:
    TDateTime* Value = nullptr;
    TDayTimePropEditor& Ed() const { return static_cast<TDayTimePropEditor&>(*Editor); }
    void WriteBack() override;
};

class TFormatProp : public TProp {
public:
    TFormat* Value = nullptr;
    // Set by the caller: the dialog then offers "for all channels".
    std::function<void(TFormat& format)> OnApplyToAll;
    TFormatPropEditor& Ed() const { return static_cast<TFormatPropEditor&>(*Editor); }
    void EditValue() override;
};

class TSyncProp : public TProp {
public:
    AnsiString* Value = nullptr;
    TSyncPropEditor& Ed() const { return static_cast<TSyncPropEditor&>(*Editor); }
    void EditValue() override;
};

class TFrameProp : public TProp {
public:
    AnsiString* Value = nullptr;   // prefix
    AnsiString* Extra = nullptr;   // suffix
    TSyncPropEditor& Ed() const { return static_cast<TSyncPropEditor&>(*Editor); }
    void EditValue() override;
    void ShowText();
};

class TDialogProp : public TProp {
public:
    using TEvent = std::function<void(TDialogProp* Sender)>;
    Integer* Value = nullptr;
    TModalForm* Form = nullptr;
    TEvent OnAfterShow;
    TEvent OnBeforeShow;
    // The caller's own click action instead of EditValue.
    std::function<void()> OnClick;
    TDialogPropEditor& Ed() const { return static_cast<TDialogPropEditor&>(*Editor); }
    void EditValue() override;
};

// Font size in points <-> the font's height at 96 pixels per inch.
Integer FontSizeOf(const TFont& font);
Integer FontHeightForSize(Integer size);
