// The source side of a named jump connection: one input and no output, drawn
// as an arrow with its name (its caption). Every jump target of the same name
// on the same board outputs the text this jump's input carried in its last step.
#pragma once

#include "engine/GrundBT.h"

class TBTJump : public TGrundBT {
    ZK_CLASS(TBTJump, TGrundBT)

public:
    TBTJump();

    // The text of the input at the last step; empty until the first.
    AnsiString JumpText;

    void InputsCreated() override;
    void Calculate() override { JumpText = InputString(0); }
    void Draw(TCanvas& canvas) override;
    TRect GetBounds() const override;
    Integer EditProperties() override;
    AnsiString GetTypeName() const override;
    // A record's pin counts are not trusted: a jump has one input, no output.
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

    // The arrow tag of a jump or a jump target around its body, pointing left
    // when mirrored, with the caption inside; the pins are drawn before.
    static void DrawArrow(const TIOBauteil& component, TCanvas& canvas);
};
