// The custom buttons of the single-line edits: a collection of items, each
// showing a speed button at the right end of the edit's text area.
#pragma once

#include "ui/controls/UCLSpeedButton.h"

#include <QFont>
#include <QImage>

#include <memory>
#include <vector>

class TUCLCustomEdit;
class TUCLSpecialButton;
class TUCLSpecialButtons;

using TUCLOnCustomBtnClick = std::function<void(TUCLSpecialButton* Sender, Integer Index)>;

class TUCLSpecialButton {
public:
    explicit TUCLSpecialButton(TUCLSpecialButtons* Collection);
    ~TUCLSpecialButton();
    TUCLSpecialButton(const TUCLSpecialButton&) = delete;
    TUCLSpecialButton& operator=(const TUCLSpecialButton&) = delete;

    TUCLOnCustomBtnClick OnClick;

    TUCLSpeedButton& Button() { return *FButton; }
    Integer Index() const;

    // Index 0 Caption, 1 Hint; both are the button's too.
    const QString& Caption() const { return FCaption; }
    const QString& Hint() const { return FHint; }
    void SetTextProperty(Integer Index, const QString& Value);
    void SetCaption(const QString& Value) { SetTextProperty(0, Value); }
    void SetHint(const QString& Value) { SetTextProperty(1, Value); }

    bool Enabled() const { return FButton->isEnabled(); }
    void SetEnabled(bool Value) { FButton->setEnabled(Value); }
    void SetCursor(const QCursor& Value) { FButton->setCursor(Value); }
    Integer GroupIndex() const { return FButton->GroupIndex(); }
    void SetGroupIndex(Integer Value) { FButton->SetGroupIndex(Value); }
    bool AllowAllUp() const { return FButton->AllowAllUp(); }
    void SetAllowAllUp(bool Value) { FButton->SetAllowAllUp(Value); }
    bool CtlXP() const { return FButton->CtlXP(); }
    void SetCtlXP(bool Value) { FButton->SetCtlXP(Value); }
    // With ParentFont the button takes the edit's font, else Font.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    // Assigned here, then given to the button.
    const QImage& Glyph() const { return FGlyph; }
    void SetGlyph(const QImage& Value);
    TUCLButtonLayout& Layout() { return FLayout; }
    const QFont& Font() const { return FFont; }
    void SetFont(const QFont& Value);
    TUCLFxCaption& FontFX() { return FFontFX; }

    // Copies Caption, Hint, Glyph, Enabled, GroupIndex, Layout, Font, FontFX,
    // ParentFont and OnClick.
    void Assign(const TUCLSpecialButton& Source);

private:
    void ApplyToButton();
    void Click();

    TUCLSpecialButtons* FCollection;
    std::unique_ptr<TUCLSpeedButton> FButton;
    QString FCaption;
    QString FHint;
    QImage FGlyph;
    bool FParentFont = true;
    TUCLButtonLayout FLayout;
    QFont FFont;
    TUCLFxCaption FFontFX;
};

class TUCLSpecialButtons {
public:
    explicit TUCLSpecialButtons(TUCLCustomEdit* Owner) : FOwner(Owner) {}
    TUCLSpecialButtons(const TUCLSpecialButtons&) = delete;
    TUCLSpecialButtons& operator=(const TUCLSpecialButtons&) = delete;

    TUCLCustomEdit* GetOwner() const { return FOwner; }
    Integer Count() const { return Integer(FItems.size()); }
    TUCLSpecialButton* GetItem(Integer Index) const;
    TUCLSpecialButton* Add();
    void Delete(Integer Index);
    void Clear();
    // Items copied one by one into as many new ones.
    void Assign(const TUCLSpecialButtons& Source);
    Integer IndexOf(const TUCLSpecialButton* Item) const;

    // A change of the collection or an item: the owner lays the buttons out.
    void Update();

private:
    TUCLCustomEdit* FOwner;
    std::vector<std::unique_ptr<TUCLSpecialButton>> FItems;
};
