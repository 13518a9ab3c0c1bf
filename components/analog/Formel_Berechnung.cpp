#include "components/analog/Formel_Berechnung.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// Every operand is shorter than the text it came from, so the recursion ends;
// these bounds keep a pathological text from exhausting the stack or taking
// unbounded time (an empty operand can splice a result back without removing
// its operator). Real formulas stay far below both.
constexpr int MaxDepth = 200;
constexpr long MaxWork = 20000;

struct TBudget {
    int Depth = 0;
    long Work = 0;
};

class TDepthScope {
public:
    explicit TDepthScope(TBudget& budget) : budget_(budget) { ++budget_.Depth; }
    ~TDepthScope() { --budget_.Depth; }
    TDepthScope(const TDepthScope&) = delete;
    TDepthScope& operator=(const TDepthScope&) = delete;

private:
    TBudget& budget_;
};

const AnsiString Error = "#";

bool IsError(const AnsiString& text)
{
    return !text.empty() && text[0] == '#';
}

bool Contains(const AnsiString& text, const AnsiString& part)
{
    return text.find(part) != AnsiString::npos;
}

// Every occurrence, left to right, in one pass.
void ReplaceAll(AnsiString& text, const AnsiString& old, const AnsiString& replacement)
{
    AnsiString result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(old, from)) != AnsiString::npos; from = at + old.size())
        result.append(text, from, at - from).append(replacement);
    result.append(text, from, AnsiString::npos);
    text = std::move(result);
}

AnsiString Shielded(AnsiString text)
{
    ShieldExponentSigns(text);
    return text;
}

double OperandValue(const AnsiString& text)
{
    return static_cast<double>(FormulaTextValue(text));
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

// Largest integer not above x.
Extended Floor(Extended x)
{
    const Extended t = truncl(x);
    return x < 0 && t != x ? t - 1 : t;
}

// x^y of the evaluator: 0 for x = 0 (marked by zero), a product of |y|
// factors x, each partial product rounded to a double, for a negative x under
// an integral y, else exp(y ln x). False for a negative x under a
// non-integral y.
bool FormulaPower(double x, double y, Extended& result, bool& zero)
{
    zero = x == 0;
    if (zero)
        return true;
    if (x >= 0) {
        result = expl(y * logl(x));
        return true;
    }
    if (y != std::trunc(y))
        return false;
    // The sign follows the parity of |y|; the magnitude stops changing once it
    // is 0, infinite or |x| is 1. Beyond MaxFactors factors (where the
    // product of a base near 1 would take up to 2^1023 multiplications) the
    // magnitude is the 80-bit power rounded once.
    constexpr double MaxFactors = 4096;
    const double n = std::fabs(y);
    const double base = -x;
    double magnitude = 1.0;
    if (n > MaxFactors)
        magnitude = static_cast<double>(powl(base, n));
    else
        for (double k = 0; k < n && magnitude != 0 && std::isfinite(magnitude) && base != 1.0; k += 1)
            magnitude = magnitude * base;
    const double product = std::fmod(n, 2.0) == 1.0 ? -magnitude : magnitude;
    result = y < 0 ? 1.0L / product : static_cast<Extended>(product);
    return true;
}

AnsiString Evaluate(AnsiString s, TBudget& budget);

// The loop of one binary operator ("^", "/", "*"): operands cut out,
// evaluated, and "(result)" spliced in place of "left op right".
bool ApplyOperator(char op, AnsiString& s, TBudget& budget)
{
    const AnsiString opText(1, op);
    while (Contains(s, opText)) {
        if (++budget.Work > MaxWork)
            return false;
        AnsiString l = LeftOperand(opText, s);
        if (IsError(l))
            return false;
        AnsiString r = RightOperand(opText, s);
        if (IsError(r))
            return false;
        const AnsiString lv = Evaluate(l, budget);
        const AnsiString rv = Evaluate(r, budget);
        if (IsError(lv) || IsError(rv))
            return false;
        const double x = OperandValue(lv);
        const double y = OperandValue(rv);
        AnsiString result;
        if (op == '^') {
            Extended value = 0;
            bool zero = false;
            if (!FormulaPower(x, y, value, zero))
                return false;
            result = zero ? AnsiString("0") : FormulaNumberText(value);
        } else if (op == '/') {
            if (y == 0)
                return false;
            result = FormulaNumberText(static_cast<Extended>(x) / y);
        } else {
            result = FormulaNumberText(static_cast<Extended>(x) * y);
        }
        if (IsError(result))
            return false;
        ShieldExponentSigns(result);
        if (!ReplaceFirst(s, Shielded(l) + opText + Shielded(r), "(" + result + ")"))
            return false;
        NormalizeFormulaSigns(s);
    }
    return true;
}

// The "-" or "+" loop: operators from position 2 on, results spliced without
// parentheses. A leading "-" is a sign, marked "M" while the loop runs.
bool ApplySum(char op, AnsiString& s, TBudget& budget)
{
    const bool minus = op == '-';
    const AnsiString opText(1, op);
    auto mark = [&] {
        if (minus && !s.empty() && s[0] == '-')
            s[0] = 'M';
    };
    auto unmark = [&] {
        if (minus && !s.empty() && s[0] == 'M')
            s[0] = '-';
    };
    mark();
    for (std::size_t at; (at = s.find(op)) != AnsiString::npos && at >= 1;) {
        if (++budget.Work > MaxWork)
            return false;
        AnsiString l = LeftOperand(opText, s);
        if (IsError(l))
            return false;
        if (minus && !l.empty() && l[0] == 'M')
            l[0] = '-';
        AnsiString r = RightOperand(opText, s);
        if (IsError(r))
            return false;
        AnsiString lv = Evaluate(l, budget);
        AnsiString rv = Evaluate(r, budget);
        if (IsError(lv) || IsError(rv))
            return false;
        UnshieldExponentSigns(lv);
        UnshieldExponentSigns(rv);
        const double x = OperandValue(lv);
        const double y = OperandValue(rv);
        AnsiString result = FormulaNumberText(minus ? static_cast<Extended>(x) - y : static_cast<Extended>(x) + y);
        if (IsError(result))
            return false;
        ShieldExponentSigns(result);
        unmark();
        if (!ReplaceFirst(s, Shielded(l) + opText + Shielded(r), result))
            return false;
        NormalizeFormulaSigns(s);
        mark();
    }
    unmark();
    return true;
}

AnsiString Evaluate(AnsiString s, TBudget& budget)
{
    TDepthScope scope(budget);
    if (budget.Depth > MaxDepth)
        return Error;
    ShieldExponentSigns(s);

    enum { fSin, fCos, fAbs, fLog, fLn, fInt };
    static const char* const Names[] = {"SIN(", "COS(", "ABS(", "LOG(", "LN(", "INT("};
    for (int f = fSin; f <= fInt; ++f) {
        const AnsiString name = Names[f];
        while (Contains(s, name)) {
            if (++budget.Work > MaxWork)
                return Error;
            AnsiString argument = ExtractFunctionArgument(name, s);
            if (IsError(argument))
                return Error;
            const AnsiString v = Evaluate(argument, budget);
            if (IsError(v))
                return Error;
            const double x = OperandValue(v);
            if ((f == fLog || f == fLn) && !(x > 0))
                return Error;
            Extended value = 0;
            switch (f) {
            case fSin: value = sinl(x); break;
            case fCos: value = cosl(x); break;
            case fAbs: value = fabsl(x); break;
            case fLog: value = logl(x) * (1.0L / logl(10.0L)); break;
            case fLn: value = logl(x); break;
            default: value = Floor(x); break;
            }
            AnsiString result = FormulaNumberText(value);
            if (IsError(result))
                return Error;
            ShieldExponentSigns(result);
            ShieldExponentSigns(argument);
            if (!ReplaceFirst(s, name + argument + ")", "(" + result + ")"))
                return Error;
            NormalizeFormulaSigns(s);
        }
    }

    for (const char op : {'^', '/', '*'})
        if (!ApplyOperator(op, s, budget))
            return Error;

    while (Contains(s, "(")) {
        if (++budget.Work > MaxWork)
            return Error;
        AnsiString inner = ExtractFunctionArgument("(", s);
        if (IsError(inner))
            return Error;
        AnsiString v = Evaluate(inner, budget);
        if (IsError(v))
            return Error;
        ShieldExponentSigns(v);
        ShieldExponentSigns(inner);
        if (!ReplaceFirst(s, "(" + inner + ")", v))
            return Error;
        NormalizeFormulaSigns(s);
    }

    if (!ApplySum('-', s, budget) || !ApplySum('+', s, budget))
        return Error;

    UnshieldExponentSigns(s);
    return FormulaNumberText(OperandValue(s));
}

} // namespace

AnsiString EvaluateFormula(const AnsiString& formula)
{
    TBudget budget;
    return Evaluate(formula, budget);
}

AnsiString FormulaNumberText(Extended value)
{
    if (!std::isfinite(value))
        return Error;
    if (value == 0)
        value = 0;   // -0 is written as 0
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14).ptr;
    const AnsiString text(digits, end);   // "-1.50000000000000e+00"
    const std::size_t e = text.find('e');
    const bool negative = text[0] == '-';
    const AnsiString mantissa = text.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    const int exponent = std::atoi(text.c_str() + e + 1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (negative ? "-" : " ") + mantissa + tail;
}

Extended FormulaTextValue(const AnsiString& text)
{
    auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::size_t start = i;
    if (i < text.size() && IsSign(text[i]))
        ++i;
    std::size_t digits = 0;
    for (; digit(i); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; digit(i); ++i)
            ++digits;
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && IsSign(text[j]))
            ++j;
        if (digit(j)) {
            while (digit(j))
                ++j;
            i = j;
        }
    }
    // strtold of the C locale: the program's own locale may use a decimal comma.
    static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const AnsiString number = text.substr(start, i - start);
    return strtold_l(number.c_str(), nullptr, CLocale);
}

void NormalizeFormulaSigns(AnsiString& text)
{
    AnsiString compact;
    compact.reserve(text.size());
    for (const char c : text)
        if (c != ' ')
            compact += c;
    text = std::move(compact);
    static const char* const Pairs[][2] = {{"++", "+"}, {"+-", "-"}, {"-+", "-"}, {"--", "+"}};
    for (const auto& pair : Pairs)
        while (Contains(text, pair[0]))
            ReplaceAll(text, pair[0], pair[1]);
    if (!text.empty() && text[0] == '+')
        text.erase(0, 1);
}

AnsiString ExtractFunctionArgument(const AnsiString& head, const AnsiString& text)
{
    AnsiString copy = text;
    UnshieldExponentSigns(copy);
    const std::size_t at = copy.find(head);
    if (at == AnsiString::npos)
        return Error;
    const std::size_t from = at + head.size();
    Integer depth = 1;
    for (std::size_t j = from; j < copy.size(); ++j) {
        if (copy[j] == '(')
            ++depth;
        else if (copy[j] == ')' && --depth == 0)
            return copy.substr(from, j - from);
    }
    return Error;
}

namespace {

AnsiString OperandCopy(const AnsiString& op, const AnsiString& text)
{
    AnsiString copy = text;
    if (op == "+" || op == "-")
        ShieldExponentSigns(copy);
    else
        UnshieldExponentSigns(copy);
    return copy;
}

} // namespace

AnsiString LeftOperand(const AnsiString& op, const AnsiString& text)
{
    AnsiString copy = OperandCopy(op, text);
    NormalizeFormulaSigns(copy);
    const std::size_t at = copy.find(op);
    if (at == AnsiString::npos)
        return Error;
    const AnsiString head = copy.substr(0, at);
    Integer depth = 0;
    for (std::size_t k = head.size(); k >= 1; --k) {
        const char c = head[k - 1];
        if (c == ')')
            ++depth;
        else if (c == '(')
            --depth;
        if (depth < 0)
            return head.substr(k);
        if (depth != 0)
            continue;
        if (c == '*' || c == '/')
            return head.substr(k);
        if (IsSign(c)) {
            if (k == 1)
                return op == "+" || op == "-" ? head : head.substr(1);
            if (head[k - 2] != 'E')
                return head.substr(k);
        }
    }
    return depth == 0 ? head : Error;
}

AnsiString RightOperand(const AnsiString& op, const AnsiString& text)
{
    const AnsiString copy = OperandCopy(op, text);
    const std::size_t at = copy.find(op);
    if (at == AnsiString::npos)
        return Error;
    const AnsiString tail = copy.substr(at + op.size());
    Integer depth = 0;
    for (std::size_t j = 1; j <= tail.size(); ++j) {
        const char c = tail[j - 1];
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (depth < 0)
            return tail.substr(0, j - 1);
        if (depth != 0)
            continue;
        if (c == '*' || c == '/')
            return tail.substr(0, j - 1);
        if (IsSign(c) && j > 1 && tail[j - 2] != 'E')
            return tail.substr(0, j - 1);
    }
    return depth == 0 ? tail : Error;
}

void ShieldExponentSigns(AnsiString& text)
{
    ReplaceAll(text, "E+", "EP");
    ReplaceAll(text, "E-", "EM");
}

void UnshieldExponentSigns(AnsiString& text)
{
    ReplaceAll(text, "EP", "E+");
    ReplaceAll(text, "EM", "E-");
}

bool ReplaceFirst(AnsiString& text, const AnsiString& old, const AnsiString& replacement)
{
    const std::size_t at = text.find(old);
    if (at == AnsiString::npos)
        return false;
    text.replace(at, old.size(), replacement);
    return true;
}
