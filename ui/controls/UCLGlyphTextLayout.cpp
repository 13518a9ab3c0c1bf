#include "ui/controls/UCLGlyphTextLayout.h"

TRect AlignRectIn(TUCLAlignment Alignment, const TRect& Size, const TRect& Area)
{
    const Integer w = Size.Width();
    const Integer h = Size.Height();
    const int row = int(Alignment) / 3;
    const int column = int(Alignment) % 3;
    const Integer top = row == 0 ? 0 : row == 1 ? (Area.Height() - h) / 2 : Area.Height() - h;
    const Integer left = column == 0 ? 0 : column == 1 ? (Area.Width() - w) / 2 : Area.Width() - w;
    return TRect{Area.Left + left, Area.Top + top, Area.Left + left + w, Area.Top + top + h};
}

void TUCLGlyphTextLayout::SetAlignment(TUCLAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Changed();
}

void TUCLGlyphTextLayout::SetAlignText2Glyph(TUCLTextArrange Value)
{
    if (FAlignText2Glyph == Value)
        return;
    FAlignText2Glyph = Value;
    Changed();
}

void TUCLGlyphTextLayout::SetOffset(Integer Index, Integer Value)
{
    if (Index < 0 || Index > 1 || FOffset[Index] == Value)
        return;
    FOffset[Index] = Value;
    Changed();
}

void TUCLGlyphTextLayout::SetSpacing(Integer Value)
{
    if (FSpacing == Value)
        return;
    FSpacing = Value;
    Changed();
}

void TUCLGlyphTextLayout::Assign(const TUCLObject& Source)
{
    const auto* other = dynamic_cast<const TUCLGlyphTextLayout*>(&Source);
    if (!other) {
        TUCLObject::Assign(Source);
        return;
    }
    if (other == this)
        return;
    FAlignment = other->FAlignment;
    FAlignText2Glyph = other->FAlignText2Glyph;
    FOffset[0] = other->FOffset[0];
    FOffset[1] = other->FOffset[1];
    FSpacing = other->FSpacing;
    Changed();
}
