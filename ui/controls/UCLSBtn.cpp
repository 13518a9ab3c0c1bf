#include "ui/controls/UCLSBtn.h"

#include "platform/Colors.h"
#include "ui/controls/UCLCustomEdit.h"

#include <algorithm>

TUCLSpecialButton::TUCLSpecialButton(TUCLSpecialButtons* Collection)
    : FCollection(Collection), FButton(std::make_unique<TUCLSpeedButton>(Collection->GetOwner()))
{
    const auto changed = [this](TPersistent*) { ApplyToButton(); };
    FLayout.OnChange = changed;
    FFontFX.OnChange = changed;
    FButton->SetCtlXP(false);
    FButton->OnClick = [this](TPersistent*) { Click(); };
    FButton->SetColor(clBtnFace);
    FButton->setCursor(Qt::ArrowCursor);
    FButton->show();
}

TUCLSpecialButton::~TUCLSpecialButton()
{
    FLayout.OnChange = nullptr;
    FFontFX.OnChange = nullptr;
    FButton->OnClick = nullptr;
}

Integer TUCLSpecialButton::Index() const
{
    return FCollection->IndexOf(this);
}

void TUCLSpecialButton::SetTextProperty(Integer Index, const QString& Value)
{
    if (Index == 0) {
        FCaption = Value;
        FButton->SetCaption(Value);
    } else if (Index == 1) {
        FHint = Value;
        FButton->setToolTip(Value);
    }
}

void TUCLSpecialButton::SetParentFont(bool Value)
{
    FParentFont = Value;
    ApplyToButton();
}

void TUCLSpecialButton::SetGlyph(const QImage& Value)
{
    FGlyph = Value;
    ApplyToButton();
}

void TUCLSpecialButton::SetFont(const QFont& Value)
{
    FFont = Value;
    FParentFont = false;
    ApplyToButton();
}

void TUCLSpecialButton::ApplyToButton()
{
    FButton->SetGlyph(FGlyph);
    FButton->ButtonLayout().Assign(FLayout);
    FButton->FontFX().Assign(FFontFX);
    // An empty font lets the button inherit the edit's.
    FButton->setFont(FParentFont ? QFont() : FFont);
    FCollection->Update();
}

void TUCLSpecialButton::Click()
{
    const Integer index = Index();
    if (OnClick)
        OnClick(this, index);
    if (TUCLCustomEdit* edit = FCollection->GetOwner())
        edit->DoButtonClick(FButton.get(), index);
}

void TUCLSpecialButton::Assign(const TUCLSpecialButton& Source)
{
    if (&Source == this)
        return;
    SetCaption(Source.FCaption);
    SetHint(Source.FHint);
    SetEnabled(Source.Enabled());
    FButton->setCursor(Source.FButton->cursor());
    SetGroupIndex(Source.GroupIndex());
    FLayout.Assign(Source.FLayout);
    FFont = Source.FFont;
    FFontFX.Assign(Source.FFontFX);
    FParentFont = Source.FParentFont;
    FGlyph = Source.FGlyph;
    OnClick = Source.OnClick;
    ApplyToButton();
}

TUCLSpecialButton* TUCLSpecialButtons::GetItem(Integer Index) const
{
    return Index >= 0 && Index < Count() ? FItems[std::size_t(Index)].get() : nullptr;
}

Integer TUCLSpecialButtons::IndexOf(const TUCLSpecialButton* Item) const
{
    const auto it = std::find_if(FItems.begin(), FItems.end(), [Item](const auto& i) { return i.get() == Item; });
    return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

TUCLSpecialButton* TUCLSpecialButtons::Add()
{
    FItems.push_back(std::make_unique<TUCLSpecialButton>(this));
    Update();
    return FItems.back().get();
}

void TUCLSpecialButtons::Delete(Integer Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FItems.erase(FItems.begin() + Index);
    Update();
}

void TUCLSpecialButtons::Clear()
{
    FItems.clear();
    Update();
}

void TUCLSpecialButtons::Assign(const TUCLSpecialButtons& Source)
{
    if (&Source == this)
        return;
    FItems.clear();
    for (const auto& source : Source.FItems) {
        FItems.push_back(std::make_unique<TUCLSpecialButton>(this));
        FItems.back()->Assign(*source);
    }
    Update();
}

void TUCLSpecialButtons::Update()
{
    if (FOwner)
        FOwner->LayoutButtons();
}
