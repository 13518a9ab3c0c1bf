#include "components/analog/BT_Math.h"

#include "components/analog/AnalogMath.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <algorithm>
#include <numbers>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTMath>("TBTMath"),
     .TypeName = {"Math", "Math", "Math"},
     .Designator = "MATH",
     .HelpContext = 18495,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Min = 0, .Max = 2},
     .Outputs = {.Count = 1, .Min = 1, .Max = 2}},
    {.Class = RowClass<TBTPolynom>("TBTPolynom"),
     .TypeName = {"Polynom", "Polynomial", "Polynomial"},
     .Designator = "Poly",
     .HelpContext = 18496,
     .HasDialog = true,
     .Inputs = {.Count = 3, .Min = 2, .Max = 17},
     .Outputs = {.Count = 1, .Names = "Y"}},
};

constexpr Extended Pi = std::numbers::pi_v<Extended>;

enum TFunction : Byte {
    fnSin, fnCos, fnTan, fnCotan, fnPi, fnTwoPi, fnHalfPi, fnDeg, fnRad, fnArcSin, fnArcCos, fnArcTan,
    fnSinh, fnCosh, fnTanh, fnArcSinh, fnArcCosh, fnArcTanh, fnLn, fnLg10, fnLg2, fnExp, fnExp10, fnExp2,
    fnPower, fnE, fnReciprocal, fnSqrt, fnRoot, fnAbs, fnInt, fnFrac, fnPol, fnCart, fnComp, fnSignum,
};

struct TFunctionInfo {
    const char* Name;
    Byte Inputs, Outputs;
};

constexpr TFunctionInfo Functions[TBTMath::FunctionCount] = {
    {"sin", 1, 1},    {"cos", 1, 1},     {"tan", 1, 1},     {"cotan", 1, 1},  {"pi", 0, 1},     {"2*pi", 0, 1},
    {"pi/2", 0, 1},   {"deg", 1, 1},     {"rad", 1, 1},     {"arcsin", 1, 1}, {"arccos", 1, 1}, {"arctan", 1, 1},
    {"sinh", 1, 1},   {"cosh", 1, 1},    {"tanh", 1, 1},    {"arcsinh", 1, 1}, {"arccosh", 1, 1}, {"arctanh", 1, 1},
    {"ln", 1, 1},     {"lg10", 1, 1},    {"lg2", 1, 1},     {"exp", 1, 1},    {"exp10", 1, 1},  {"exp2", 1, 1},
    {"x^y", 2, 1},    {"e", 0, 1},       {"1/x", 1, 1},     {"rt2", 1, 1},    {"rt", 2, 1},     {"abs", 1, 1},
    {"int", 1, 1},    {"frac", 1, 1},    {"pol", 2, 2},     {"cart", 2, 2},   {"comp", 2, 2},   {"signum", 1, 1},
};

// Largest integer not above x.
Extended IntPart(Extended x)
{
    const Extended t = truncl(x);
    return x < 0 && t != x ? t - 1 : t;
}

// The single-output functions of one argument x (and y for the two powers).
Extended Evaluate(Byte f, Extended x, Extended y)
{
    switch (f) {
    case fnSin: return sinl(x);
    case fnCos: return cosl(x);
    case fnTan: return tanl(x);
    case fnCotan: return 1.0L / tanl(x);
    case fnPi: return Pi;
    case fnTwoPi: return 2 * Pi;
    case fnHalfPi: return Pi / 2;
    case fnDeg: return x * 57.295779513082320877L;
    case fnRad: return x * 0.017453292519943295769L;
    case fnArcSin: return asinl(x);
    case fnArcCos: return acosl(x);
    case fnArcTan: return atanl(x);
    case fnSinh: return sinhl(x);
    case fnCosh: return coshl(x);
    case fnTanh: return tanhl(x);
    case fnArcSinh: return asinhl(x);
    case fnArcCosh: return acoshl(x);
    case fnArcTanh: return atanhl(x);
    case fnLn: return logl(x);
    case fnLg10: return log10l(x);
    case fnLg2: return log2l(x);
    case fnExp: return expl(x);
    case fnExp10: return Power(10.0L, x);
    case fnExp2: return Power(2.0L, x);
    case fnPower: return Power(x, y);
    case fnE: return expl(1.0L);
    case fnReciprocal: return 1.0L / x;
    case fnSqrt: return sqrtl(x);
    case fnRoot: return Power(x, 1.0L / y);
    case fnAbs: return fabsl(x);
    case fnInt: return IntPart(x);
    case fnFrac: return x - truncl(x);
    case fnSignum: return x > 0 ? 1.0L : x < 0 ? -1.0L : 0.0L;
    default: return 0.0L;
    }
}

// The polar angle of (x, y) in [0, 2 pi).
Extended PolarAngle(Extended x, Extended y)
{
    if (x == 0)
        return y > 0 ? Pi / 2 : y < 0 ? 3 * Pi / 2 : 0.0L;
    const Extended a = atanl(y / x);
    if (x > 0)
        return y < 0 ? a + 2 * Pi : a;
    return a + Pi;
}

} // namespace

TBTMath::TBTMath(const TComponentRow& row) : TAnalogBT(row)
{
    SetFunction(fnSin);
}

AnsiString TBTMath::FunctionName(Integer index)
{
    return index >= 0 && index < FunctionCount ? Functions[index].Name : "";
}

void TBTMath::SetFunction(Integer index)
{
    FunctionIndex = static_cast<Byte>(index >= 0 && index < FunctionCount ? index : 0);
    SetInputCount(Functions[FunctionIndex].Inputs);
    SetOutputCount(Functions[FunctionIndex].Outputs);
}

void TBTMath::InputsCreated()
{
    const bool polar = FunctionIndex == fnCart;
    if (InputCount > 0)
        Inputs[0].Name = polar ? "r" : "x";
    if (InputCount > 1)
        Inputs[1].Name = polar ? "w" : "y";
}

void TBTMath::OutputsCreated()
{
    const char* names[2] = {"y", ""};
    if (FunctionIndex == fnPol)
        names[0] = "w", names[1] = "r";
    else if (FunctionIndex == fnCart)
        names[0] = "y", names[1] = "x";
    else if (FunctionIndex == fnComp)
        names[0] = "L", names[1] = "H";
    for (Integer i = 0; i < OutputCount && i < 2; ++i)
        Outputs[i].Name = names[i];
}

// Each output is written only when its value is no floating-point fault; the
// first fault ends the step.
void TBTMath::Calculate()
{
    const Byte f = FunctionIndex;
    const Extended x = InputCount > 0 ? InputValue(0) : 0.0L;
    const Extended y = InputCount > 1 ? InputValue(1) : 0.0L;
    switch (f) {
    case fnPol: {
        const Extended r = x == 0 && y == 0 ? 0.0L : sqrtl(x * x + y * y);
        if (IsFloatFault(r, {x, y}))
            return;
        SetOutputValue(1, r);
        SetOutputValue(0, PolarAngle(x, y));
        return;
    }
    case fnCart: {
        const Extended cartX = x * cosl(y);
        if (IsFloatFault(cartX, {x, y}))
            return;
        SetOutputValue(1, cartX);
        const Extended cartY = x * sinl(y);
        if (!IsFloatFault(cartY, {x, y}))
            SetOutputValue(0, cartY);
        return;
    }
    case fnComp:
        SetOutputValue(1, x > y ? x : y);
        SetOutputValue(0, x < y ? x : y);
        return;
    default: {
        const Extended v = Evaluate(f, x, y);
        if (!IsFloatFault(v, {x, y}))
            SetOutputValue(0, v);
    }
    }
}

void TBTMath::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawCentredText(canvas, FunctionName(FunctionIndex), 30, CentreX(), CentreY() - 30);
}

Integer TBTMath::EditProperties()
{
    TSettingsSheet sheet(*this, GetTypeName());
    std::vector<AnsiString> names;
    for (Integer i = 0; i < FunctionCount; ++i)
        names.push_back(Functions[i].Name);
    Integer entry = FunctionIndex;
    sheet.Props().AddCombo(Translate("Funktion"), entry, names, 80);
    const Integer result = sheet.Dialog().ShowModal();
    SetFunction(entry);
    InputsCreated();
    OutputsCreated();
    return result;
}

AnsiString TBTMath::GetHintText()
{
    return TAnalogBT::GetHintText() + CR + FunctionName(FunctionIndex);
}

void TBTMath::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteInteger(FunctionIndex);
}

// The pin counts come with the base record; a damaged record's index is
// clamped to the table and its counts to those of the function.
void TBTMath::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    SetFunction(std::clamp(reader.ReadInteger(), 0, FunctionCount - 1));
    InputsCreated();
    OutputsCreated();
}

TBTPolynom::TBTPolynom(const TComponentRow& row) : TAnalogBT(row) {}

void TBTPolynom::InputsCreated()
{
    NamePins(Inputs, {"X"});
    for (Integer i = 1; i < InputCount; ++i)
        Inputs[i].Name = "C" + std::to_string(i - 1);
}

void TBTPolynom::Calculate()
{
    const Extended x = InputValue(0);
    Extended sum = 0.0L;
    bool fault = false;
    for (Integer i = 1; i < InputCount; ++i) {
        const Extended power = Power(x, i - 1);
        const Extended c = InputValue(i);
        const Extended term = power * c;
        const Extended next = sum + term;
        fault = fault || IsFloatFault(power, {x}) || IsFloatFault(term, {power, c}) || IsFloatFault(next, {sum, term});
        sum = next;
    }
    SetOutputValue(0, fault ? FaultValue : sum);
}

void TBTPolynom::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawCentredText(canvas, "Poly", 30, CentreX(), CentreY() - 30);
}

Integer TBTPolynom::EditProperties()
{
    TSettingsSheet sheet(*this, GetTypeName());
    Integer order = InputCount - 2;
    sheet.Props().AddSpin("n-Polynom", order, 0, MaxOrder, 80);
    const Integer result = sheet.Dialog().ShowModal();
    SetInputCount(order + 2);
    return result;
}

TRowList MathRows()
{
    return RowList(Rows);
}
