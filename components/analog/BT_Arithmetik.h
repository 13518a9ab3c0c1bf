// The analog arithmetic: adder, subtracter, multiplier and divider with 2 to
// 16 inputs, and the amplifier (input times a gain input plus an offset
// input, limited). None keeps state between steps; each writes 0.0 at start.
#pragma once

#include "components/analog/AnalogBT.h"

// The shared body of the four multi-input blocks: pins "E0".."E(n-1)" and
// "A", the operator sign as symbol, and the input count chooser.
class TArithmetik : public TAnalogBT {
public:
    static constexpr Integer MinInputs = 2;
    static constexpr Integer MaxInputs = 16;

    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;

protected:
    TArithmetik(const TComponentRow& row, const char* sign);

private:
    const char* sign_;
};

class TBTAdd : public TArithmetik {
public:
    explicit TBTAdd(const TComponentRow& row);
    void Calculate() override
    {
        Extended sum = 0.0L;
        for (Integer i = 0; i < InputCount; ++i)
            sum += InputValue(i);
        SetOutputValue(0, sum);
    }
};

class TBTSub : public TArithmetik {
public:
    explicit TBTSub(const TComponentRow& row);
    void Calculate() override
    {
        Extended r = InputValue(0);
        for (Integer i = 1; i < InputCount; ++i)
            r -= InputValue(i);
        SetOutputValue(0, r);
    }
};

class TBTMul : public TArithmetik {
public:
    explicit TBTMul(const TComponentRow& row);
    void Calculate() override
    {
        Extended r = InputValue(0);
        for (Integer i = 1; i < InputCount; ++i)
            r *= InputValue(i);
        SetOutputValue(0, r);
    }
};

// A zero divisor gives 1e12, whatever the dividend's sign, and ends the step.
class TBTDiv : public TArithmetik {
public:
    static constexpr Extended ZeroDivisorValue = 1e12L;

    explicit TBTDiv(const TComponentRow& row);
    void Calculate() override
    {
        Extended r = InputValue(0);
        for (Integer i = 1; i < InputCount; ++i) {
            const Extended d = InputValue(i);
            if (d == 0.0L) {
                SetOutputValue(0, ZeroDivisorValue);
                return;
            }
            r /= d;
        }
        SetOutputValue(0, r);
    }
};

// Out = Lim(Lim(Off) + Lim(In) x Lim(A, 1e12)), every other limit 1e20.
class TBTVerstaerker : public TAnalogBT {
public:
    explicit TBTVerstaerker(const TComponentRow& row);
    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override;
    void InputsCreated() override;
    void Draw(TCanvas& canvas) override;
};

// The rows of TBTAdd, TBTSub, TBTMul, TBTDiv and TBTVerstaerker.
TRowList ArithmetikRows();
