// The glyph and text layout of buttons, with an optional drop-down arrow
// beside the text or the glyph.
#pragma once

#include "platform/Colors.h"
#include "ui/controls/UCLGlyphTextLayout.h"

enum TUCLArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };

class TUCLButtonLayout : public TUCLGlyphTextLayout {
    ZK_CLASS(TUCLButtonLayout, TUCLGlyphTextLayout)
public:
    TUCLButtonLayout() { FAlignment = agCenter; }

    bool Arrow() const { return FArrow; }
    TColor ArrowColor() const { return FArrowColor; }
    Integer ArrowIndent() const { return FArrowIndent; }
    TUCLArrowPosition ArrowPosition() const { return FArrowPosition; }
    Integer ArrowSize() const { return FArrowSize; }

    void SetArrow(bool Value);
    void SetArrowColor(TColor Value);
    // Index 0: ArrowIndent.
    void SetArrowIndent(Integer Index, Integer Value);
    void SetArrowPosition(TUCLArrowPosition Value);
    // 2 to 10; other sizes are not taken.
    void SetArrowSize(Integer Value);

    // One change at the end, whether the source is a button layout or a
    // plain glyph layout.
    void Assign(const TUCLObject& Source) override;

private:
    bool FArrow = false;
    TColor FArrowColor = clBlack;
    Integer FArrowIndent = 3;
    TUCLArrowPosition FArrowPosition = apRightText;
    Integer FArrowSize = 3;
};
