// Small blocks that compare, hold and route analog values step by step: the
// analog comparator, the sample-and-hold and the two changeover relays. No
// time base, no settings.
#pragma once

#include "components/analog/AnalogBT.h"

// A<B, A=B and A>B every step; the equality is exact.
class TBTAnalogVgl : public TAnalogBT {
public:
    // The designator follows the language in use when the block is created
    // or read ("AVG", "ACP", "CPA").
    explicit TBTAnalogVgl(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override
    {
        const Extended a = InputValue(0);
        const Extended b = InputValue(1);
        SetOutputLogic(0, a < b);
        SetOutputLogic(1, a == b);
        SetOutputLogic(2, a > b);
    }
};

// A follows E while /Hld is high and holds the last value while it is low.
class TBTSample : public TAnalogBT {
public:
    explicit TBTSample(const TComponentRow& row);
    Extended Hold = 0.0L;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override
    {
        if (InputLogic(1))
            Hold = InputValue(0);
        SetOutputValue(0, Hold);
    }
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// A := E1 while SEL is high (an unconnected SEL too), else E0.
class TBTRelais : public TAnalogBT {
public:
    explicit TBTRelais(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    void Calculate() override { SetOutputValue(0, InputValue(InputLogic(2) ? 1 : 0)); }
};

// E goes to A1 while SEL is high (an unconnected SEL too), else to A0; the
// other output reads 0.0.
class TBTRelais_2 : public TAnalogBT {
public:
    explicit TBTRelais_2(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    void Calculate() override
    {
        const Extended e = InputValue(0);
        if (InputLogic(1)) {
            SetOutputValue(1, 0.0L);
            SetOutputValue(0, e);
        } else {
            SetOutputValue(1, e);
            SetOutputValue(0, 0.0L);
        }
    }
};

// The rows of TBTAnalogVgl, TBTSample, TBTRelais and TBTRelais_2.
TRowList RelaisRows();
