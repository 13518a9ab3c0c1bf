// Binary full adders of 2, 4 and 8 bits and magnitude comparators of 4 and
// 8 bits with cascade inputs. Both are combinational and write every output
// in every step. "Ai" and "Bi" weigh 2 to the power i.
#pragma once

#include "components/digital/BT_Digital.h"

// An adder's or comparator's row.
struct TWortRow {
    TComponentRow Component;
    TTypeNames BodyText = {};
    // The designator by language where it differs from the row's.
    TTypeNames Designators = {};
    Integer Bits = 0;
};

// The unsigned numbers of the A and B inputs of the adders and comparators.
class TWortBT : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;

protected:
    explicit TWortBT(const TComponentRow& row);
    // Bit i from input first + i.
    Integer WordValue(Integer first) const { return InputBits(*this, first, bits_); }
    // "A0".., "B0".. in the first 2n inputs.
    void NameWordInputs();

    const TWortRow& info_;
    const Integer bits_;
};

// Inputs "A0".., "B0".., "C0"; output 0 the carry "Cn", then the sum bits
// from the highest to "S0", which has the highest index.
class TAddierer : public TWortBT {
public:
    explicit TAddierer(const TComponentRow& row) : TWortBT(row) {}

    void Calculate() override
    {
        const Integer sum = WordValue(0) + WordValue(bits_) + Integer(InputLogic(2 * bits_));
        for (Integer k = 0; k < bits_; ++k)
            SetOutputLogic(bits_ - k, (sum >> k) & 1);
        SetOutputLogic(0, (sum >> bits_) & 1);
    }
    void InputsCreated() override;
    void OutputsCreated() override;
};

// Inputs "A0".., "B0.., then the cascade inputs "A<B", "A>B", "A=B";
// outputs "A=B", "A>B", "A<B". Equal words pass the cascade on.
class TVergleicher : public TWortBT {
public:
    static constexpr Integer EqualOutput = 0;
    static constexpr Integer GreaterOutput = 1;
    static constexpr Integer LessOutput = 2;

    explicit TVergleicher(const TComponentRow& row) : TWortBT(row) {}

    void Calculate() override
    {
        const Integer a = WordValue(0);
        const Integer b = WordValue(bits_);
        bool less = a < b;
        bool greater = a > b;
        if (a == b && !InputLogic(2 * bits_ + 2)) {
            greater = InputLogic(2 * bits_ + 1);
            less = !greater && InputLogic(2 * bits_);
        }
        SetOutputLogic(EqualOutput, !less && !greater);
        SetOutputLogic(GreaterOutput, greater);
        SetOutputLogic(LessOutput, less);
    }
    void InputsCreated() override;
};

// The adders TBTADD2, TBTADD4, TBTADD8 and the comparators TBTVGL4, TBTVGL8.
TRowList AddiererRows();
