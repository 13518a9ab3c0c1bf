// Spin edits: a mask edit with a spin button at the right end of its text
// area. The buttons, the Up, Down, PgUp and PgDn keys and the mouse wheel
// step the number in the text within MinValue and MaxValue; leaving the edit
// clamps a typed number into the range. TUCLSpinEdit is the integer view the
// program's dialogs use.
#pragma once

#include "ui/controls/UCLCustomMaskEdit.h"
#include "ui/controls/UCLSpinButton.h"

class TUCLCustomExtSpinEdit : public TUCLCustomMaskEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomExtSpinEdit, TUCLCustomMaskEdit)
public:
    explicit TUCLCustomExtSpinEdit(QWidget* Parent = nullptr);
    ~TUCLCustomExtSpinEdit() override;

    // Fired after a button step (keys and the wheel step without them).
    TNotifyEvent OnSpinBtnUpClick, OnSpinBtnDownClick;

    TUCLSpinButton& SpinButton() { return *FSpinButton; }
    bool EditorEnabled = true;   // typing allowed
    double Step = 1;
    double PageSize = 10;

    Word Interval() const { return FSpinButton->RepeatInterval; }
    void SetInterval(Word Value) { FSpinButton->RepeatInterval = Value; }
    // -1: as wide as the text area is high.
    Integer SpinBtnWidth() const { return FSpinBtnWidth; }
    void SetSpinBtnWidth(Integer Index, Integer Value);
    // Index 0 the button's colour, 1 its hot colour.
    TColor SpinBtnColor(Integer Index) const;
    void SetSpinBtnColor(Integer Index, TColor Value);
    bool SpinBtnDiag() const { return FSpinButton->Diagonal(); }
    void SetSpinBtnDiag(bool Value) { FSpinButton->SetDiagonal(Value); }
    void SetSuffix(const QString& S) { SetSuffixText(S); }

    // Clamps to the range and shows the value; a value the text already
    // shows changes nothing (and fires no OnChange).
    void SetFloatValue(double Value);
    // Trunc(Value) in decimal followed by the suffix.
    QString FormatValue(double Value) const;
    void IncValue(double Delta);
    void DecValue(double Delta);
    virtual void SpinUp();
    virtual void SpinDown();
    // The spin button follows the edit's CtlXP.
    void ThemeChanged() override;

protected:
    bool CanInsert(const QString& S) override { return TUCLCustomMaskEdit::CanInsert(S) && EditorEnabled; }
    void AdjustTextRect(TRect& TextArea) override;
    void EditKeyDown(Word& Key, TUCLEditMode Shift) override;
    void wheelEvent(QWheelEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void MouseExit() override;

private:
    TUCLSpinButton* FSpinButton;
    Integer FSpinBtnWidth = -1;
    double FValue = 0;
};

// The integer view: index 0 LineSize, 1 PageSize, 2 MinValue, 3 MaxValue,
// 4 Value.
class TUCLCustomSpinEdit : public TUCLCustomExtSpinEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomSpinEdit, TUCLCustomExtSpinEdit)
public:
    explicit TUCLCustomSpinEdit(QWidget* Parent = nullptr);

    Integer GetValue(Integer Index);
    void SetValue(Integer Index, Integer Value);

    // The number in the text, whatever the range.
    Integer Value() { return GetValue(4); }
    // Limited to MinValue .. MaxValue and shown.
    void SetValue(Integer V) { SetValue(4, V); }
    Integer MinValue() { return GetValue(2); }
    void SetMinValue(Integer V) { SetValue(2, V); }
    Integer MaxValue() { return GetValue(3); }
    void SetMaxValue(Integer V) { SetValue(3, V); }
};

class TUCLSpinEdit : public TUCLCustomSpinEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLSpinEdit, TUCLCustomSpinEdit)
public:
    explicit TUCLSpinEdit(QWidget* Parent = nullptr) : TUCLCustomSpinEdit(Parent) {}
};
