// The single-line edit: draws its text, highlights the selection, scrolls
// horizontally to keep the caret visible, hit-tests clicks by the half-
// character rule, masks the text with a password character and sizes itself
// to its font.
#pragma once

#include "ui/controls/UCLBaseEdit.h"
#include "ui/controls/UCLButtonBase.h"

#include <memory>

class TUCLEditAutoComplete;
class TUCLSpecialButtons;
class TUCLSpeedButton;

using TUCLOnBtnClick = std::function<void(TPersistent* Sender, TPersistent* Btn, Integer Index)>;

class TUCLCustomEdit : public TUCLBaseEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomEdit, TUCLBaseEdit)
public:
    explicit TUCLCustomEdit(QWidget* Parent = nullptr);
    ~TUCLCustomEdit() override;

    // A custom button was clicked (after the item's own OnClick).
    TUCLOnBtnClick OnBtnClick;

    QChar PasswordChar() const { return FPasswordChar; }
    // A change rebuilds the display text and fires the change events.
    void SetPasswordChar(QChar Value);
    // What is drawn: the text, or PasswordChar once per character.
    virtual QString GetDisplayText() const;
    const QString& DisplayText() const { return FDisplayText; }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // With AutoSize: the height from the font ("Qp" x 5 / 4, plus the
    // border); the width never shrinks.
    virtual void AdjustHeight();

    // The custom buttons: side by side at the right end of the text area,
    // CustomButtonWidth pixels each, in CustomButtonsStyle.
    TUCLSpecialButtons& CustomButtons() { return *FCustomButtons; }
    void SetCustomButtons(const TUCLSpecialButtons& Value);
    Integer CustomButtonWidth() const { return FCustomButtonWidth; }
    void SetCustomButtonWidth(Integer Value);
    TUCLUserButtonStyle CustomButtonsStyle() const { return FCustomButtonsStyle; }
    virtual void SetCustomButtonsStyle(TUCLUserButtonStyle Value);
    // The buttons follow the edit's CtlXP.
    bool CustomButtonParentCtlXP() const { return FCustomButtonParentCtlXP; }
    void SetCustomButtonParentCtlXP(bool Value);
    void SetButtonsCtlXP(bool Value);
    // Lays text area and buttons out again.
    void LayoutButtons();
    virtual void DoButtonClick(TUCLSpeedButton* Button, Integer Index);
    void ThemeChanged() override;

    // The caret's pixel position in the control (valid while focused).
    TPoint CaretPixelPos() const { return FCaretPixel; }

    // Completes the text while typing; the reference clears itself when the
    // component goes.
    TUCLEditAutoComplete* AutoComplete() const;
    void SetAutoComplete(TUCLEditAutoComplete* Value);

protected:
    bool AutoCompleteActive() const override;
    void AfterEdit() override;
    bool event(QEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    Integer PosFromPoint(Integer X, Integer Y) override;
    void UpdateCaret() override;
    void TextAssigned() override;
    void TextChangedAt(Integer At) override;
    bool CanCopy() const override { return FPasswordChar.isNull(); }
    void EditKeyDown(Word& Key, TUCLEditMode Shift) override;
    void PaintText(QPainter& Painter) override;
    // Reserves and places the custom buttons.
    void AdjustTextRect(TRect& TextArea) override;
    // Called after the text area was erased, before the text is drawn.
    virtual void AfterEraseBackground(QPainter& Painter, const TRect& R) {}
    void changeEvent(QEvent* Event) override;
    void GetChange(TPersistent* Sender) override;

    // Where the display text starts for the alignment.
    Integer TextBaseX() const;

private:
    QPointer<TUCLEditAutoComplete> FAutoComplete;
    QChar FPasswordChar;
    QString FDisplayText;
    bool FAutoSize = false;
    TPoint FCaretPixel;
    std::unique_ptr<TUCLSpecialButtons> FCustomButtons;
    Integer FCustomButtonWidth = 16;
    TUCLUserButtonStyle FCustomButtonsStyle = ubsIntegrated;
    bool FCustomButtonParentCtlXP = false;
};
