#include "dialogs/PropEditors.h"

#include "dialogs/ColorChooser.h"
#include "dialogs/DLG_Format.h"
#include "dialogs/DLG_Sync.h"
#include "engine/Formats.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "ui/controls/BitmapButton.h"
#include "ui/controls/UCLBrowseEdit.h"
#include "ui/controls/UCLFontPickers.h"
#include "ui/controls/UCLImageListBox.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString Q(const AnsiString& text)
{
    return AnsiToQString(text);
}

int NaturalHeight(const QWidget* w)
{
    const QSize hint = w->sizeHint();
    return hint.isValid() ? hint.height() : w->height();
}

// A flat toggle button of the font-style and hotkey rows.
QToolButton* Toggle(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setGeometry(x, y, w, h);
    return button;
}

// Windows' MulDiv: the product divided, rounded half away from zero.
Integer MulDiv(Integer number, Integer numerator, Integer denominator)
{
    return Integer(std::lround(double(number) * numerator / denominator));
}

constexpr Integer ScreenPixelsPerInch = 96;

}   // namespace

Integer FontSizeOf(const TFont& font)
{
    return MulDiv(std::abs(font.Height), 72, ScreenPixelsPerInch);
}

Integer FontHeightForSize(Integer size)
{
    return -MulDiv(size, ScreenPixelsPerInch, 72);
}

// ---- Editors ----------------------------------------------------------------

TColorPropEditor::TColorPropEditor(QWidget* parent) : TPropEditor(parent)
{
    ColorBtn = new TZVQButton(PropPanel);
    ColorBtn->setObjectName("ColorBtn");
    ColorBtn->setGeometry(4, 4, 34, 17);
    ColorBtn->SetButtonStyle(TZVQButton::stRaised);
    ColorBtn->setFocusPolicy(Qt::StrongFocus);
    ColorBtn->SetShowFocused(true);
}

TFontNamePropEditor::TFontNamePropEditor(QWidget* parent) : TPropEditor(parent)
{
    NameCombo = new TUCLFontComboBox(PropPanel);
    NameCombo->setObjectName("NameCombo");
    NameCombo->ShowExample = true;
    NameCombo->ExampleFontSize = 20;
    NameCombo->setMaxVisibleItems(40);
    NameCombo->setGeometry(4, 1, 220, NaturalHeight(NameCombo));
    SizeCombo = new TUCLFontSizeComboBox(PropPanel);
    SizeCombo->setObjectName("SizeCombo");
    SizeCombo->setMaxVisibleItems(20);
    SizeCombo->setGeometry(4 + 220 + 5, 1, 60, NaturalHeight(SizeCombo));
    SizeCombo->SetFontCombo(NameCombo);
}

TFontStylePropEditor::TFontStylePropEditor(QWidget* parent) : TPropEditor(parent)
{
    const int h = 2 * fontMetrics().height();
    const struct {
        QToolButton** Button;
        const char* Name;
        const char* Text;
        void (QFont::*Style)(bool);
    } buttons[] = {
        {&BoldBtn, "BoldBtn", "BOLD", &QFont::setBold},
        {&ItalicBtn, "ItalicBtn", "ITALIC", &QFont::setItalic},
        {&StrikeBtn, "StrikeBtn", "STRIKE", &QFont::setStrikeOut},
        {&UnderBtn, "UnderBtn", "UNDER", &QFont::setUnderline},
    };
    int x = 4;
    for (const auto& b : buttons) {
        *b.Button = Toggle(PropPanel, b.Name, b.Text, x, 2, 47, h);
        QFont styled = font();
        (styled.*b.Style)(true);
        (*b.Button)->setFont(styled);
        x += 47 + 1;
    }
}

THotkeyPropEditor::THotkeyPropEditor(QWidget* parent) : TPropEditor(parent)
{
    KeyList = new QComboBox(PropPanel);
    KeyList->setObjectName("KeyList");
    KeyList->setMaxVisibleItems(40);
    KeyList->setGeometry(4, 1, 80, NaturalHeight(KeyList));
    const int h = KeyList->height();
    CtrlBtn = Toggle(PropPanel, "CtrlBtn", "Ctrl", 4 + 80 + 1, 1, 35, h);
    AltBtn = Toggle(PropPanel, "AltBtn", "Alt", CtrlBtn->x() + 35 + 1, 1, 35, h);
    ShiftBtn = Toggle(PropPanel, "ShiftBtn", "Shift", AltBtn->x() + 35 + 1, 1, 35, h);
    ActionList = new QComboBox(PropPanel);
    ActionList->setObjectName("ActionList");
    ActionList->setGeometry(ShiftBtn->x() + 35 + 2, 1, 80, h);
}

TComboPropEditor::TComboPropEditor(QWidget* parent, bool editable) : TPropEditor(parent)
{
    Combo = new QComboBox(PropPanel);
    Combo->setObjectName("Combo");
    Combo->setEditable(editable);
    Combo->setMaxVisibleItems(20);
}

TImageComboPropEditor::TImageComboPropEditor(QWidget* parent) : TPropEditor(parent)
{
    Combo = new TUCLImageComboBox(PropPanel);
    Combo->setObjectName("Combo");
    Combo->setMaxVisibleItems(20);
}

TCaptionPropEditor::TCaptionPropEditor(QWidget* parent) : TPropEditor(parent)
{
    NamePanel->hide();
    PropPanel->setAutoFillBackground(true);
    QPalette palette = PropPanel->palette();
    palette.setColor(QPalette::Window, ColorToQColor(clBtnShadow));
    PropPanel->setPalette(palette);
    Heading = new QLabel(PropPanel);
    Heading->setObjectName("Heading");
    Heading->setAlignment(Qt::AlignCenter);
    QFont bold = Heading->font();
    bold.setBold(true);
    Heading->setFont(bold);
    QPalette text = Heading->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    Heading->setPalette(text);
    auto* layout = new QVBoxLayout(PropPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Heading);
}

QString TCaptionPropEditor::CaptionText() const
{
    return Heading->text();
}

int TCaptionPropEditor::ValueExtent() const
{
    return Heading->fontMetrics().horizontalAdvance(Heading->text());
}

void TCaptionPropEditor::SetHeadingText(const QString& text)
{
    Heading->setText(text);
}

TEditPropEditor::TEditPropEditor(QWidget* parent) : TPropEditor(parent)
{
    Edit = new QLineEdit(PropPanel);
    Edit->setObjectName("Edit");
}

TMemoPropEditor::TMemoPropEditor(QWidget* parent) : TPropEditor(parent)
{
    Memo = new QPlainTextEdit(PropPanel);
    Memo->setObjectName("Memo");
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TCheckPropEditor::TCheckPropEditor(QWidget* parent) : TPropEditor(parent)
{
    Check = new QCheckBox(" ", PropPanel);
    Check->setObjectName("Check");
    Check->move(4, 5);
    Check->adjustSize();
}

TFilePropEditor::TFilePropEditor(QWidget* parent, bool save) : TPropEditor(parent)
{
    FileEdit = save ? static_cast<TUCLCustomFileEdit*>(new TUCLFileSaveEdit(PropPanel))
                    : static_cast<TUCLCustomFileEdit*>(new TUCLFileOpenEdit(PropPanel));
    FileEdit->setObjectName("FileEdit");
    FileEdit->SetFilenameOnly(false);
}

TSpinPropEditor::TSpinPropEditor(QWidget* parent) : TPropEditor(parent)
{
    Spin = new TUCLSpinEdit(PropPanel);
    Spin->setObjectName("Spin");
    Spin->move(4, 1);
}

TRangePropEditor::TRangePropEditor(QWidget* parent) : TPropEditor(parent)
{
    FromEdit = new QLineEdit(PropPanel);
    FromEdit->setObjectName("FromEdit");
    FromEdit->setGeometry(4, 1, 64, NaturalHeight(FromEdit));
    ToEdit = new QLineEdit(PropPanel);
    ToEdit->setObjectName("ToEdit");
    ToEdit->setGeometry(80, 1, 64, NaturalHeight(ToEdit));
}

TDayTimePropEditor::TDayTimePropEditor(QWidget* parent) : TPropEditor(parent)
{
    const struct {
        TUCLSpinEdit** Spin;
        const char* Name;
        const char* Hint;
        int Left;
        Integer Max;
    } spins[] = {{&Hours, "Hours", "H", 4, 23}, {&Minutes, "Minutes", "M", 54, 59}, {&Seconds, "Seconds", "S", 104, 59}};
    for (const auto& s : spins) {
        auto* spin = new TUCLSpinEdit(PropPanel);
        spin->setObjectName(s.Name);
        spin->setToolTip(s.Hint);
        spin->SetMinValue(0);
        spin->SetMaxValue(s.Max);
        spin->setGeometry(s.Left, 1, 50, spin->height());
        *s.Spin = spin;
    }
}

TLabelPropEditor::TLabelPropEditor(QWidget* parent, int labelWidth) : TPropEditor(parent)
{
    ValueLabel = new QLabel(PropPanel);
    ValueLabel->setObjectName("ValueLabel");
    ValueLabel->move(4, 4);
    if (labelWidth > 0)
        ValueLabel->resize(labelWidth, ValueLabel->sizeHint().height());
}

TDialogPropEditor::TDialogPropEditor(QWidget* parent) : TLabelPropEditor(parent, 64)
{
    ValueLabel->setText(Q(Translate("Bearbeiten")));
    QFont link = ValueLabel->font();
    link.setUnderline(true);
    link.setPixelSize(14);
    ValueLabel->setFont(link);
    QPalette palette = ValueLabel->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    ValueLabel->setPalette(palette);
    ValueLabel->setCursor(Qt::PointingHandCursor);
    ValueLabel->resize(64, ValueLabel->sizeHint().height());
}

// ---- Binders ----------------------------------------------------------------

void TColorProp::EditValue()
{
    TZVQButton* button = Ed().ColorBtn;
    button->SetColor(ChooseColor(button->Color()));
    Changed = true;   // also when the user cancelled the colour dialog
}

void TColorProp::WriteBack()
{
    *Value = Ed().ColorBtn->Color();
}

void TFontNameProp::Prepare()
{
    auto& ed = Ed();
    ed.SizeCombo->FillSizeList();
    ed.NameCombo->FillList();
    ed.NameCombo->SelectFont(Q(Value->Name));
    ed.NameCombo->SetOptions(ed.NameCombo->Options() & ~foDisplaySymbol);
    ed.SizeCombo->SetFontSize(FontSizeOf(*Value));
}

void TFontNameProp::WriteBack()
{
    const QString name = Ed().NameCombo->GetSelectedFont();
    if (!name.isEmpty())
        Value->Name = QStringToAnsi(name);
    const int size = Ed().SizeCombo->GetFontSize();
    if (size > 0)
        Value->Height = FontHeightForSize(size);
}

void TFontStyleProp::WriteBack()
{
    const struct {
        QToolButton* Button;
        Byte Bit;
    } bits[] = {{Ed().BoldBtn, fsBold}, {Ed().ItalicBtn, fsItalic}, {Ed().UnderBtn, fsUnderline}, {Ed().StrikeBtn, fsStrikeOut}};
    for (const auto& b : bits)
        Value->Style = b.Button->isChecked() ? Byte(Value->Style | b.Bit) : Byte(Value->Style & ~b.Bit);
}

void THotkeyProp::Prepare()
{
    auto& ed = Ed();
    ed.KeyList->clear();
    for (const AnsiString& name : HotkeyKeyNames())
        ed.KeyList->addItem(Q(name));
    ed.KeyList->setCurrentIndex(HotkeyKeyToIndex(Value->Key));
    ed.ActionList->clear();
    for (const AnsiString& action : Actions)
        ed.ActionList->addItem(Q(action));
    ed.ActionList->setCurrentIndex(Value->ActionIndex >= 0 && Value->ActionIndex < ed.ActionList->count()
                                       ? Value->ActionIndex
                                       : -1);
}

void THotkeyProp::WriteBack()
{
    auto& ed = Ed();
    Value->Key = static_cast<Word>(HotkeyIndexToKey(ed.KeyList->currentIndex()));
    Value->Shift = Byte((ed.CtrlBtn->isChecked() ? ssCtrl : 0) | (ed.AltBtn->isChecked() ? ssAlt : 0)
                        | (ed.ShiftBtn->isChecked() ? ssShift : 0));
    Value->ActionIndex = ed.ActionList->currentIndex();
}

void TComboProp::WriteBack()
{
    *Value = Ed().Combo->currentIndex();
}

void TImageComboProp::WriteBack()
{
    *Value = Ed().Combo->ItemIndex();
}

void TEditComboProp::WriteBack()
{
    *Value = QStringToAnsi(Ed().Combo->currentText());
}

void TEditProp::WriteBack()
{
    *Value = QStringToAnsi(Ed().Edit->text());
}

void TMemoProp::WriteBack()
{
    Value->clear();
    const QString text = Ed().Memo->toPlainText();
    if (text.isEmpty())
        return;
    for (const QString& line : text.split('\n'))
        Value->push_back(QStringToAnsi(line));
}

void TCheckProp::WriteBack()
{
    *Value = Ed().Check->isChecked();
}

void TFileProp::WriteBack()
{
    *Value = QStringToAnsi(Ed().FileEdit->Filename());
}

void TSpinProp::WriteBack()
{
    TUCLSpinEdit* spin = Ed().Spin;
    *Value = std::clamp(spin->Value(), spin->MinValue(), spin->MaxValue());
}

void TRangeProp::WriteBack()
{
    *Value = QStringToAnsi(Ed().FromEdit->text());
    *Extra = QStringToAnsi(Ed().ToEdit->text());
}

void TDayTimeProp::WriteBack()
{
    auto value = [](TUCLSpinEdit* spin) { return std::clamp(spin->Value(), spin->MinValue(), spin->MaxValue()); };
    const auto& ed = Ed();
    *Value = (value(ed.Hours) * 3600 + value(ed.Minutes) * 60 + value(ed.Seconds)) / 86400.0;
}

void TFormatProp::EditValue()
{
    TFormatDlg dlg;
    dlg.SetCaption(Caption);
    dlg.LoadFormat(*Value);
    dlg.cb_AllChannels->setVisible(bool(OnApplyToAll));
    if (dlg.ShowModal() != mrOk)
        return;
    if (dlg.StoreFormat(*Value))
        Changed = true;
    Ed().ValueLabel->setText(Q(FormatKindName(Value->Options)));
    if (OnApplyToAll && dlg.cb_AllChannels->isChecked())
        OnApplyToAll(*Value);
}

void TSyncProp::EditValue()
{
    TSync_Dlg dlg;
    dlg.SetCaption(Caption);
    dlg.SetDefinition(*Value);
    if (dlg.ShowModal() != mrOk)
        return;
    *Value = dlg.Definition();
    Ed().ValueLabel->setText(Q(*Value));
    Ed().ValueLabel->adjustSize();
}

void TFrameProp::EditValue()
{
    TFrame_Dlg dlg;
    dlg.SetCaption(Caption);
    dlg.SetPrefix(*Value);
    dlg.SetSuffix(*Extra);
    if (dlg.ShowModal() != mrOk)
        return;
    *Value = dlg.Prefix();
    *Extra = dlg.Suffix();
    ShowText();
}

void TFrameProp::ShowText()
{
    Ed().ValueLabel->setText(Q(*Value + " // " + *Extra));
    Ed().ValueLabel->adjustSize();
}

void TDialogProp::EditValue()
{
    if (Form) {
        Form->SetCaption(Caption);
        if (OnBeforeShow)
            OnBeforeShow(this);
        *Value = Form->ShowModal();
        if (*Value == mrOk)
            Changed = true;
    }
    if (OnAfterShow)
        OnAfterShow(this);
}
