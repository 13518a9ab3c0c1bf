// Typed entry between the single-line edit and the spin edits: a signed
// decimal integer with an optional unit suffix kept at the end of the text.
// Typing and pasting admit only what fits, a minus key toggles the sign, and
// the text converts to and from a number.
#pragma once

#include "ui/controls/UCLCustomEdit.h"

class TUCLCustomMaskEdit : public TUCLCustomEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomMaskEdit, TUCLCustomEdit)
public:
    explicit TUCLCustomMaskEdit(QWidget* Parent = nullptr);

    // Fired (with the edit as sender) when the text does not convert.
    TNotifyEvent OnValidationError;

    const QString& GetSuffix() const { return FSuffix; }
    // The text without its last length-of-Suffix characters.
    QString GetTextWithoutSuffix() const;
    void SetTextWithSuffix(const QString& S);

    double MinValue() const { return FMinValue; }
    double MaxValue() const { return FMaxValue; }
    // Which 1: the minimum (raising the maximum to it when above); 2: the
    // maximum (lowering the minimum when below). The text stays as it is.
    void SetRangeBound(Integer Which, double Value);

    // The number in the text: 0 for an empty text; a text that does not
    // convert fires OnValidationError and reads 0; numbers beyond the
    // Integer range read as its nearest end.
    Integer GetAsInteger();

    // The minus key: "-" put in front of the text or taken away, the caret
    // following; with a selection the selection becomes "-".
    void ToggleSign();

    // Only while the selection ends before the suffix.
    void CutToClipboard() override;
    void PasteFromClipboard() override;

protected:
    // Writes Trunc(X) in decimal, followed by the suffix.
    void SetValue(double X);
    void SetSuffixText(const QString& S);
    virtual void DoValidationError();

    void KeyPress(QChar Key) override;
    void EditKeyDown(Word& Key, TUCLEditMode Shift) override;
    void BeforeInsert(Integer Position, QString& S) override;
    void focusOutEvent(QFocusEvent* Event) override;

    double FMinValue = 0;
    double FMaxValue = 0;

private:
    // The selection ends before the suffix (cut and paste may act).
    bool SelectionBeforeSuffix() const;
    Integer NumberLength() const { return TextLength() - Integer(FSuffix.size()); }

    QString FSuffix;
};
