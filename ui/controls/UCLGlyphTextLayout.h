// How a glyph and a caption are arranged: the glyph beside, above or below
// the text, where the pair sits in the control, the spacing and offsets.
#pragma once

#include "ui/controls/UCLBase.h"

enum TUCLAlignment {
    agTopLeft, agTopCenter, agTopRight, agCenterLeft, agCenter, agCenterRight,
    agBottomLeft, agBottomCenter, agBottomRight,
};

// Where the text stands relative to the glyph.
enum TUCLTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };

// A rectangle of Size's width and height inside Area, placed by Alignment
// (integer halves round toward zero).
TRect AlignRectIn(TUCLAlignment Alignment, const TRect& Size, const TRect& Area);

class TUCLGlyphTextLayout : public TUCLObject {
    ZK_CLASS(TUCLGlyphTextLayout, TUCLObject)
public:
    TUCLGlyphTextLayout() = default;

    TUCLAlignment Alignment() const { return FAlignment; }
    TUCLTextArrange AlignText2Glyph() const { return FAlignText2Glyph; }
    Integer OffsetX() const { return FOffset[0]; }
    Integer OffsetY() const { return FOffset[1]; }
    Integer Spacing() const { return FSpacing; }

    void SetAlignment(TUCLAlignment Value);
    void SetAlignText2Glyph(TUCLTextArrange Value);
    // Index 0 OffsetX, 1 OffsetY.
    void SetOffset(Integer Index, Integer Value);
    void SetSpacing(Integer Value);

    void Assign(const TUCLObject& Source) override;

protected:
    TUCLAlignment FAlignment = agTopLeft;

private:
    TUCLTextArrange FAlignText2Glyph = taRight;
    Integer FOffset[2] = {0, 0};
    Integer FSpacing = 2;
};
