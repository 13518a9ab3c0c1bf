// Binary full adders of 2, 4 and 8 bits and magnitude comparators of 4 and
// 8 bits with cascade inputs. Both are combinational and write every output
// in every step. "Ai" and "Bi" weigh 2 to the power i.
#pragma once

#include "components/digital/BT_Digital.h"

struct TAddiererInfo {
    TTypeNames TypeName;
    TTypeNames BodyText;
    TTypeNames Designator;
    Integer Bits;
};

// The unsigned numbers of the A and B inputs of the adders and comparators.
class TWortBT : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void ResetForStart() override;
    AnsiString GetTypeName() const override { return info_.TypeName.Pick(); }

protected:
    explicit TWortBT(const TAddiererInfo& info) : info_(info), bits_(info.Bits) {}
    // Bit i from input first + i.
    Integer WordValue(Integer first) const { return InputBits(*this, first, bits_); }
    // "A0".., "B0".. in the first 2n inputs.
    void NameWordInputs();

    const TAddiererInfo& info_;
    const Integer bits_;
};

// Inputs "A0".., "B0".., "C0"; output 0 the carry "Cn", then the sum bits
// from the highest to "S0", which has the highest index.
class TAddierer : public TWortBT {
public:
    void Calculate() override
    {
        const Integer sum = WordValue(0) + WordValue(bits_) + Integer(InputLogic(2 * bits_));
        for (Integer k = 0; k < bits_; ++k)
            SetOutputLogic(bits_ - k, (sum >> k) & 1);
        SetOutputLogic(0, (sum >> bits_) & 1);
    }
    void InputsCreated() override;
    void OutputsCreated() override;

protected:
    explicit TAddierer(const TAddiererInfo& info);
};

// Inputs "A0".., "B0.., then the cascade inputs "A<B", "A>B", "A=B";
// outputs "A=B", "A>B", "A<B". Equal words pass the cascade on.
class TVergleicher : public TWortBT {
public:
    static constexpr Integer EqualOutput = 0;
    static constexpr Integer GreaterOutput = 1;
    static constexpr Integer LessOutput = 2;

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
    void OutputsCreated() override;

protected:
    explicit TVergleicher(const TAddiererInfo& info);
};

class TBTADD2 : public TAddierer {
    ZK_CLASS(TBTADD2, TGrundBT)

public:
    TBTADD2();
};

class TBTADD4 : public TAddierer {
    ZK_CLASS(TBTADD4, TGrundBT)

public:
    TBTADD4();
};

class TBTADD8 : public TAddierer {
    ZK_CLASS(TBTADD8, TGrundBT)

public:
    TBTADD8();
};

class TBTVGL4 : public TVergleicher {
    ZK_CLASS(TBTVGL4, TGrundBT)

public:
    TBTVGL4();
};

class TBTVGL8 : public TVergleicher {
    ZK_CLASS(TBTVGL8, TGrundBT)

public:
    TBTVGL8();
};
