// The jump target: outputs, without a wire, the text of the jump of the same
// name (its caption, compared exactly) on the same board. It finds its jump
// once per start; of several jumps of the name the last in the board's list wins.
#pragma once

#include "components/analog/AnalogBT.h"

class TBTJump;

class TBTJumpTarget : public TAnalogBT {
public:
    explicit TBTJumpTarget(const TComponentRow& row);
    ~TBTJumpTarget() override;

    TBTJump* Source = nullptr;

    AnsiString GetTypeName() const override;
    void ResetForStart() override;
    void Calculate() override;
    void Draw(TCanvas& canvas) override;
    TRect GetBounds() const override;
    Integer EditProperties() override;
};

// The row of TBTJumpTarget.
TRowList JumpTargetRows();
