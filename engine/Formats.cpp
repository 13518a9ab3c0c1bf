#include "engine/Formats.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Stream.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Digit counts come from files and dialogs; beyond this no display makes sense
// and a wild value must not ask for a huge text.
constexpr Integer MaxFormatDigits = 255;

Integer ClampDigits(Integer n) { return std::clamp(n, 0, MaxFormatDigits); }

// The option that decides how a value is written: the first one set in this order.
bool DecidingKind(TFormatOptions options, TFormatOption& kind)
{
    static constexpr TFormatOption order[] = {
        TFormatOption::Unformatted, TFormatOption::Expo,        TFormatOption::Fixed,
        TFormatOption::Float,       TFormatOption::Hexadecimal, TFormatOption::Binary,
    };
    for (TFormatOption o : order)
        if (options.Contains(o)) {
            kind = o;
            return true;
        }
    return false;
}

bool TakesPlusSign(TFormatOptions options)
{
    TFormatOption kind;
    return DecidingKind(options, kind)
        && (kind == TFormatOption::Fixed || kind == TFormatOption::Float || kind == TFormatOption::Expo);
}

AnsiString Overflow(const char* lead, Integer count)
{
    return AnsiString(lead) + AnsiString(static_cast<std::size_t>(std::max(count, 0)), '>');
}

// The exact binary value rounded to `decimals` places (ties to even), "." as point.
AnsiString FixedText(double value, Integer decimals)
{
    char buf[330 + MaxFormatDigits];   // 309 integer digits of DBL_MAX, sign, point
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return AnsiString(buf, r.ptr);
}

AnsiString FormatExpo(Integer digits, double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? " NAN" : (value < 0 ? "-INF" : " INF");
    char buf[64 + MaxFormatDigits];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                           std::max(digits, 1) - 1);
    AnsiString text(buf, r.ptr);   // "1.23e+03": the exponent has its sign and two digits at least
    std::replace(text.begin(), text.end(), 'e', 'E');
    return value < 0 ? text : " " + text;
}

AnsiString FormatFixed(bool noZero, Integer digits, Integer decimals, double value)
{
    const Integer width = decimals == 0 ? digits + 1 : digits + decimals + 2;
    if (!std::isfinite(value))
        return Overflow(value < 0 ? "-" : " ", width - 1);
    AnsiString text = FixedText(value, decimals);
    const auto w = static_cast<std::size_t>(width);
    if (text.size() < w)
        text.insert(0, w - text.size(), ' ');
    if (value < 0 && text.size() > w)
        return Overflow("-", width - 1);
    // A positive value keeps its first place free for the sign.
    if (value > 0 && (text.size() > w || text[0] != ' '))
        return Overflow(" ", width - 1);
    // With NoZero the sign already stands right before the first digit;
    // otherwise it goes to the front and zeros fill the places behind it.
    if (!noZero) {
        const std::size_t sign = text.find('-');
        if (sign != AnsiString::npos && sign > 0) {
            text[sign] = ' ';
            text[0] = '-';
        }
        std::replace(text.begin() + 1, text.end(), ' ', '0');
    }
    return text;
}

AnsiString FormatFloat(Integer digits, double value)
{
    const char* sign = value < 0 ? "-" : " ";
    if (!std::isfinite(value) || value > 1e12 || value < -1e12)
        return Overflow(sign, digits + 1);
    const AnsiString t = FixedText(value, digits);
    const std::size_t begin = t[0] == '-' ? 1 : 0;
    const std::size_t point = std::min(t.find('.'), t.size());
    const auto integerDigits = static_cast<Integer>(point - begin);
    const Integer k = digits - integerDigits;
    if (k < 0)
        return Overflow(sign, digits + 1);
    AnsiString text = sign + t.substr(begin, point - begin);
    if (k > 0)
        text += t.substr(point, static_cast<std::size_t>(k) + 1);   // cut, not rounded again
    else
        text += ' ';
    return text;
}

AnsiString FormatHexadecimal(Integer digits, double value)
{
    if (!(value >= 0 && value <= 4294967295.0))
        return Overflow("", digits);
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint32_t>(value), 16);
    AnsiString text(buf, r.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; });
    const auto w = static_cast<std::size_t>(digits);
    if (text.size() > w)
        return Overflow("", digits);
    return AnsiString(w - text.size(), '0') + text;
}

AnsiString FormatBinaryDigits(Integer digits, double value)
{
    // value < 2^digits  <=>  its integer part fits in `digits` bits
    if (!(value >= 0) || value >= std::ldexp(1.0, digits))
        return Overflow("", digits);
    AnsiString text(static_cast<std::size_t>(digits), '0');
    for (Integer i = 0; i < digits; ++i)   // scaling by powers of two is exact
        if (std::fmod(std::floor(std::ldexp(value, -i)), 2.0) != 0)
            text[static_cast<std::size_t>(digits - 1 - i)] = '1';
    return text;
}

} // namespace

AnsiString FormatValue(TFormatOptions options, Integer digits, Integer decimals, double value)
{
    TFormatOption kind;
    if (!DecidingKind(options, kind))
        return {};
    digits = ClampDigits(digits);
    decimals = ClampDigits(decimals);
    if (value == 0)
        value = 0.0;   // -0 is written as 0
    switch (kind) {
    case TFormatOption::Unformatted:
        return LocaliseDecimalSeparator(FormatGeneral(value, 15, 0));
    case TFormatOption::Expo:
        return LocaliseDecimalSeparator(FormatExpo(digits, value));
    case TFormatOption::Fixed:
        return LocaliseDecimalSeparator(
            FormatFixed(options.Contains(TFormatOption::NoZero), digits, decimals, value));
    case TFormatOption::Float:
        return LocaliseDecimalSeparator(FormatFloat(digits, value));
    case TFormatOption::Hexadecimal:
        return FormatHexadecimal(digits, value);
    case TFormatOption::Binary:
        return FormatBinaryDigits(digits, value);
    default:   // NoZero only modifies Fixed
        return {};
    }
}

AnsiString FormatKindName(TFormatOptions options)
{
    // When several kinds are set, the first of this list names the format.
    static constexpr struct {
        TFormatOption Option;
        const char* Term;
    } names[] = {
        {TFormatOption::Unformatted, "Unformatiert"},
        {TFormatOption::Expo, "Exponentiell"},
        {TFormatOption::Binary, "Binär"_ansi},
        {TFormatOption::Hexadecimal, "Hexadezimal"},
        {TFormatOption::Fixed, "Fest"},
        {TFormatOption::Float, "Fliesskomma"},
    };
    for (const auto& n : names)
        if (options.Contains(n.Option))
            return Translate(n.Term) + (n.Option == TFormatOption::Unformatted ? "/$String" : "");
    return {};
}

Integer ParseBinaryText(const AnsiString& text)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ')
            continue;
        if (c != '0' && c != '1')
            break;
        bits = (bits << 1) | static_cast<std::uint32_t>(c - '0');
    }
    return static_cast<Integer>(bits);
}

AnsiString FormatBinary(Integer value, Integer bitCount)
{
    bitCount = ClampDigits(bitCount);
    AnsiString text = "%";
    for (Integer i = bitCount - 1; i >= 0; --i) {
        const bool bit = i < 32 ? (static_cast<std::uint32_t>(value) >> i) & 1u : value < 0;
        text += bit ? '1' : '0';
    }
    return text;
}

AnsiString TFormat::FormatNumber(double value) const
{
    AnsiString text = FormatValue(Options, Digits, Decimals, value);
    if (PlusSign && TakesPlusSign(Options)) {
        if (Options.Contains(TFormatOption::NoZero)) {
            const std::size_t first = text.find_first_not_of(' ');
            if (first != AnsiString::npos && first > 0 && text[first] != '-')
                text[first - 1] = '+';
        } else if (!text.empty() && text[0] == ' ') {
            text[0] = '+';
        }
    }
    return Prefix + text + Suffix;
}

AnsiString TFormat::FormatText(const AnsiString& text) const
{
    if (PlusSign && TakesPlusSign(Options) && !text.empty() && text[0] == ' ')
        return Prefix + "+" + text.substr(1) + Suffix;
    return Prefix + text + Suffix;
}

void TFormat::Assign(const TFormat& source)
{
    Digits = source.Digits;
    Decimals = source.Decimals;
    Options = source.Options;
    PlusSign = source.PlusSign;
    Prefix = source.Prefix;
    Suffix = source.Suffix;
}

void TFormat::WriteData(TWriter& writer) const
{
    writer.WriteInteger(1);
    writer.WriteInteger(Digits);
    writer.WriteInteger(Decimals);
    for (int bit = 0; bit < FormatOptionCount; ++bit)
        writer.WriteBoolean(Options.Contains(static_cast<TFormatOption>(bit)));
    writer.WriteBoolean(PlusSign);
    writer.WriteString(Prefix);
    writer.WriteString(Suffix);
}

void TFormat::ReadData(TReader& reader)
{
    reader.ReadInteger();   // record version
    Digits = reader.ReadInteger();
    Decimals = reader.ReadInteger();
    TFormatOptions options;
    for (int bit = 0; bit < FormatOptionCount; ++bit)
        if (reader.ReadBoolean())
            options.Include(static_cast<TFormatOption>(bit));
    Options = options;
    PlusSign = reader.ReadBoolean();
    Prefix = reader.ReadString();
    Suffix = reader.ReadString();
}
