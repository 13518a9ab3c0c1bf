#include "engine/Publics.h"

#include "engine/Formats.h"
#include "engine/Globals.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"

#include <QDate>
#include <QLocale>
#include <QStandardPaths>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <locale.h>
#include <optional>
#include <stdlib.h>
#include <string_view>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool OneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

// Case-insensitive search for an upper-case ASCII word.
bool ContainsWord(const AnsiString& text, std::string_view word)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [&](char a, char b) { return upper(a) == b; })
        != text.end();
}

// "$" and one or more hexadecimal digits with a value of at most 32 bits, as
// a two's-complement integer; nothing for any other text.
std::optional<Extended> ParseHexText(const AnsiString& text)
{
    if (text.size() < 2)
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (IsDigit(c))
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<Extended>(static_cast<Integer>(static_cast<std::uint32_t>(value)));
}

// The "C" conventions, independent of the process locale.
locale_t ClassicLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// The first decimal number of the text: commas read as points, blanks
// ignored, the number starting at the first digit (or at a point directly
// followed by a digit) and negative when a "-" stands right before it.
Extended ParseDecimalText(const AnsiString& text)
{
    AnsiString s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            s += c == ',' ? '.' : c;
    std::size_t start = 0;
    while (start < s.size()
           && !(IsDigit(s[start]) || (s[start] == '.' && start + 1 < s.size() && IsDigit(s[start + 1]))))
        ++start;
    if (start == s.size())
        return 0.0L;
    std::size_t end = start;
    while (end < s.size() && (IsDigit(s[end]) || OneOf(s[end], "+-.Ee")))
        ++end;
    s.resize(end);
    // The run begins with a digit or ".digit", so only its longest well-formed
    // prefix is converted ("1.2.3" gives 1.2, "1-2" gives 1, "1E" gives 1);
    // values beyond the range become infinite or zero.
    const Extended value = strtold_l(s.c_str() + start, nullptr, ClassicLocale());
    return start > 0 && s[start - 1] == '-' ? -value : value;
}

std::optional<char> LocaleDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() != 1 || point[0].unicode() >= 0x80)
        return std::nullopt;
    return static_cast<char>(point[0].unicode());
}

constexpr qint64 MsPerDay = 86'400'000;
// Longer spans (tens of millions of years) are not written as times.
constexpr double MaxTimeSeconds = 1e15;

// Whole seconds and the fraction rounded to milliseconds (ties to even), so
// that a fraction rounding up to a whole second carries into the seconds.
qint64 ToMilliseconds(double seconds)
{
    const double whole = std::trunc(seconds);
    return static_cast<qint64>(whole) * 1000 + static_cast<qint64>(std::nearbyint((seconds - whole) * 1000));
}

struct TInstant {
    qint64 Day = 0;        // days since 30 December 1899
    qint64 MsOfDay = 0;
};

// Origin + seconds. The time of day of Origin is its fraction rounded to
// milliseconds; the integer part is the day, also before 1899.
std::optional<TInstant> InstantAfter(double seconds, TDateTime origin)
{
    if (!(seconds >= 0 && seconds < MaxTimeSeconds) || !(std::fabs(origin) < 1e9))
        return std::nullopt;
    const double day = std::trunc(origin);
    const qint64 total = static_cast<qint64>(std::nearbyint(std::fabs(origin - day) * MsPerDay))
                       + ToMilliseconds(seconds);
    return TInstant{static_cast<qint64>(day) + total / MsPerDay, total % MsPerDay};
}

// The locale's long time format shows the time zone ("t"), which has no
// meaning for a recording's clock time; the rest (hh:mm:ss, AM/PM) stays.
QString LongTimeFormatWithoutZone()
{
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            result += c;
    }
    return result.simplified();
}

AnsiString ZeroPadded(qint64 value, int width)
{
    AnsiString text = std::to_string(value);
    if (text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

} // namespace

Extended ParseValueText(const AnsiString& text)
{
    if (!text.empty() && text[0] == '$') {
        if (const auto value = ParseHexText(text))
            return *value;
    } else if (!text.empty() && text[0] == '%') {
        return static_cast<std::uint32_t>(ParseBinaryText(text));
    }
    if (ContainsWord(text, "TRUE"))
        return 5.0L;
    if (ContainsWord(text, "FALSE"))
        return 0.0L;
    return ParseDecimalText(text);
}

Extended StrToValue(const AnsiString& text)
{
    return ContainsWord(text, "TRUE") ? 5.0L : ParseValueText(text);
}

AnsiString FormatGeneral(Extended value, int precision, int minExponentDigits)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    precision = std::clamp(precision, 1, 30);
    // Scientific text rounded to `precision` significant digits: the exact
    // binary value, ties to even.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = sci.find('e');
    const bool negative = sci[0] == '-';
    AnsiString digits;
    for (char c : sci.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.')
            digits += c;
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);

    AnsiString text = negative ? "-" : "";
    const auto count = static_cast<int>(digits.size());
    if (exponent >= -4 && exponent < precision) {
        if (exponent < 0) {
            text += "0." + AnsiString(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else if (count <= exponent + 1) {
            text += digits + AnsiString(static_cast<std::size_t>(exponent + 1 - count), '0');
        } else {
            text += digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "."
                  + digits.substr(static_cast<std::size_t>(exponent) + 1);
        }
        return text;
    }
    text += digits[0];
    if (count > 1)
        text += "." + digits.substr(1);
    text += exponent < 0 ? "E-" : "E";
    return text + ZeroPadded(std::abs(exponent), minExponentDigits);
}

AnsiString ValueToStr(Extended value)
{
    return LocaliseDecimalSeparator(FormatGeneral(value, 8, 4));
}

AnsiString LocaliseDecimalSeparator(const AnsiString& text)
{
    const auto separator = LocaleDecimalSeparator();
    if (!separator)
        return text;
    AnsiString result = text;
    for (char& c : result)
        if (c == '.' || c == ',')
            c = *separator;
    return result;
}

AnsiString FormatClockTime(bool trimZeros, double seconds, TDateTime origin)
{
    const auto instant = InstantAfter(seconds, origin);
    if (!instant)
        return {};
    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(instant->MsOfDay / 1000 * 1000));
    AnsiString ms = ZeroPadded(instant->MsOfDay % 1000, 3);
    if (trimZeros)
        ms.erase(ms.find_last_not_of('0') + 1);
    // The comma before the milliseconds is fixed, whatever the locale.
    AnsiString text = QStringToAnsi(QLocale().toString(time, LongTimeFormatWithoutZone()));
    return ms.empty() ? text : text + "," + ms;
}

AnsiString FormatDateAndTime(double seconds, TDateTime origin)
{
    const auto instant = InstantAfter(seconds, origin);
    if (!instant)
        return {};
    const QDate date = QDate(1899, 12, 30).addDays(instant->Day);
    return QStringToAnsi(QLocale().toString(date, QLocale::ShortFormat));
}

AnsiString FormatDuration(double seconds)
{
    if (!(std::fabs(seconds) < MaxTimeSeconds))
        return {};
    const qint64 total = ToMilliseconds(std::fabs(seconds));
    qint64 t = total / 1000;
    AnsiString text;
    if (t >= 86400) {
        text += std::to_string(t / 86400) + "d ";
        t %= 86400;
    }
    if (t >= 3600) {
        text += std::to_string(t / 3600) + "h ";
        t %= 3600;
    }
    if (t >= 60) {
        text += ZeroPadded(t / 60, text.empty() ? 1 : 2) + ":";
        t %= 60;
    }
    text += ZeroPadded(t, text.empty() ? 1 : 2);
    if (seconds < 0)
        text.insert(0, "-");
    if (total % 1000 != 0)
        text += "." + ZeroPadded(total % 1000, 3);
    return text;
}

AnsiString ColorToHtml(TColor color)
{
    const auto rgb = static_cast<std::uint32_t>(color < 0 ? 0xD8E9EC : color);
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    return buf;
}

AnsiString SanitizeFileName(const AnsiString& text)
{
    AnsiString result = text;
    for (char& c : result)
        if (OneOf(c, "\"*/:<>?\\|"))
            c = '_';
    return result;
}

Word HexToWord(const AnsiString& text)
{
    Word value = 0;
    for (std::size_t i = text.size() - std::min<std::size_t>(text.size(), 4); i < text.size(); ++i)
        value = static_cast<Word>(value * 16 + std::max(AnsiHexDigit(text[i]), 0));
    return value;
}

AnsiString ResolveDataFile(const AnsiString& fileName)
{
    const AnsiString name = ExtractFileName(fileName);
    AnsiString result = ResolvePath(fileName);
    // Without a project folder there is nothing to look in (not the root).
    if (!ProjectFolder.empty() && FileExists(ProjectFolder + "/" + name))
        result = ResolvePath(ProjectFolder + "/" + name);
    const AnsiString dataPath = ResolvePath(ProgramFolder() + "Data/" + name);
    if (FileExists(dataPath))
        result = dataPath;
    if (!FileExists(result) && !fileName.empty())
        result = dataPath;
    return result;
}

AnsiString AddOnDataFolder()
{
    AnsiString folder = QStringToAnsi(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (folder.empty())
        folder = ProgramFolder();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + AddOnFolderName + "/";
}
