// The range check: "OH" when X >= XH, "OK" when XL <= X < XH, "OL" when
// X < XL. With XL above XH both "OH" and "OL" can be high.
#pragma once

#include "components/analog/AnalogBT.h"

class TBTRangeCheck : public TAnalogBT {
public:
    explicit TBTRangeCheck(const TComponentRow& row);

    void Calculate() override
    {
        const Extended xh = InputValue(0);
        const Extended x = InputValue(1);
        const Extended xl = InputValue(2);
        SetOutputLogic(2, x >= xh);
        SetOutputLogic(1, x >= xl && x < xh);
        SetOutputLogic(0, x < xl);
    }
    void Draw(TCanvas& canvas) override;
};

// The row of TBTRangeCheck.
TRowList RangeCheckRows();
