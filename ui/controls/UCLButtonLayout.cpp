#include "ui/controls/UCLButtonLayout.h"

void TUCLButtonLayout::SetArrow(bool Value)
{
    if (FArrow == Value)
        return;
    FArrow = Value;
    Changed();
}

void TUCLButtonLayout::SetArrowColor(TColor Value)
{
    if (FArrowColor == Value)
        return;
    FArrowColor = Value;
    Changed();
}

void TUCLButtonLayout::SetArrowIndent(Integer Index, Integer Value)
{
    if (Index != 0 || FArrowIndent == Value)
        return;
    FArrowIndent = Value;
    Changed();
}

void TUCLButtonLayout::SetArrowPosition(TUCLArrowPosition Value)
{
    if (FArrowPosition == Value)
        return;
    FArrowPosition = Value;
    Changed();
}

void TUCLButtonLayout::SetArrowSize(Integer Value)
{
    if (Value < 2 || Value > 10 || FArrowSize == Value)
        return;
    FArrowSize = Value;
    Changed();
}

void TUCLButtonLayout::Assign(const TUCLObject& Source)
{
    const auto* button = dynamic_cast<const TUCLButtonLayout*>(&Source);
    if (!button || button == this) {
        TUCLGlyphTextLayout::Assign(Source);
        return;
    }
    BeginUpdate();
    TUCLGlyphTextLayout::Assign(Source);
    SetArrow(button->FArrow);
    SetArrowIndent(0, button->FArrowIndent);
    SetArrowPosition(button->FArrowPosition);
    SetArrowColor(button->FArrowColor);
    SetArrowSize(button->FArrowSize);
    EndUpdate(true);
}
