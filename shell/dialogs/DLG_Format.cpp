#include "shell/dialogs/DLG_Format.h"

#include <algorithm>

namespace {

constexpr std::size_t ExamplePrefixLength = 10;

// n times the character, the last one replaced by "1": the smallest step.
AnsiString SmallestStep(Integer n, char fill)
{
    AnsiString s(std::size_t(std::max(n, 0)), fill);
    if (!s.empty())
        s.back() = '1';
    return s;
}

AnsiString Run(Integer n, char c)
{
    return AnsiString(std::size_t(std::max(n, 0)), c);
}

bool IsSignedKind(TFormatOptions options)
{
    return options.Contains(TFormatOption::Fixed) || options.Contains(TFormatOption::Float)
        || options.Contains(TFormatOption::Expo);
}

}   // namespace

TFormatExamples BuildFormatExamples(const TFormatExampleInput& in)
{
    TFormatExamples ex;
    ex.Min = ex.Max = in.Prefix.substr(0, ExamplePrefixLength);
    if (in.PlusSign && IsSignedKind(in.Options) && ex.Min.size() < ExamplePrefixLength) {
        ex.Min += '-';
        ex.Max += '+';
    }
    const TFormatOptions o = in.Options;
    if (o.Contains(TFormatOption::Unformatted)) {
        ex.Min += "\"String\"";
        ex.Max += "\"String\"";
    } else if (o.Contains(TFormatOption::Expo)) {
        ex.Min += "0," + SmallestStep(in.Digits - 1, '0') + "E-99";
        ex.Max += "9," + Run(in.Digits - 1, '9') + "E+99";
    } else if (o.Contains(TFormatOption::Float)) {
        ex.Min += "0," + SmallestStep(in.Digits - 1, '0');
        ex.Max += Run(in.Digits, '9');
    } else if (o.Contains(TFormatOption::Fixed)) {
        ex.Min += o.Contains(TFormatOption::NoZero) ? AnsiString("0") : Run(in.Before, '0');
        ex.Max += Run(in.Before, '9');
        if (in.After > 0) {
            ex.Min += "," + SmallestStep(in.After, '0');
            ex.Max += "," + Run(in.After, '9');
        }
    } else if (o.Contains(TFormatOption::Hexadecimal)) {
        ex.Min += Run(in.Digits, '0');
        ex.Max += Run(in.Digits, 'F');
    } else if (o.Contains(TFormatOption::Binary)) {
        ex.Min += Run(in.Digits, '0');
        ex.Max += Run(in.Digits, '1');
    }
    ex.Min += in.Suffix;
    ex.Max += in.Suffix;
    return ex;
}
