#include "platform/AnsiText.h"

#include <algorithm>
#include <array>

namespace {

// Unicode of the bytes 0x80..0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t ToUnicode(Byte b)
{
    return (b >= 0x80 && b <= 0x9F) ? HighControls[b - 0x80] : char16_t(b);
}

// The byte of a UTF-16 unit, or -1 when Windows-1252 has no such character.
int FromUnicode(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == u)
            return int(0x80 + i);
    return -1;
}

struct CaseTables {
    std::array<Byte, 256> Upper{};
    std::array<Byte, 256> Lower{};
};

constexpr CaseTables MakeCaseTables()
{
    CaseTables t;
    for (int i = 0; i < 256; ++i) {
        t.Upper[i] = Byte(i);
        t.Lower[i] = Byte(i);
    }
    auto pair = [&t](int upper, int lower) {
        t.Upper[lower] = Byte(upper);
        t.Lower[upper] = Byte(lower);
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)   // multiplication sign, and 0xF7 the division sign
            pair(c, c + 32);
    pair(0x8A, 0x9A);   // Š š
    pair(0x8C, 0x9C);   // Œ œ
    pair(0x8E, 0x9E);   // Ž ž
    pair(0x9F, 0xFF);   // Ÿ ÿ
    return t;
}

constexpr CaseTables Case = MakeCaseTables();

}   // namespace

QString AnsiToQString(std::string_view text)
{
    QString result(qsizetype(text.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (char c : text)
        *out++ = QChar(ToUnicode(Byte(c)));
    return result;
}

AnsiString QStringToAnsi(const QString& text)
{
    AnsiString result;
    result.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character beyond the 16-bit plane is one "?", not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const int b = FromUnicode(c.unicode());
        result.push_back(b < 0 ? '?' : char(b));
    }
    return result;
}

char AnsiUpperChar(char c)
{
    return char(Case.Upper[Byte(c)]);
}

char AnsiLowerChar(char c)
{
    return char(Case.Lower[Byte(c)]);
}

AnsiString AnsiUpperCase(std::string_view text)
{
    AnsiString result(text);
    for (char& c : result)
        c = AnsiUpperChar(c);
    return result;
}

AnsiString AnsiLowerCase(std::string_view text)
{
    AnsiString result(text);
    for (char& c : result)
        c = AnsiLowerChar(c);
    return result;
}

int AnsiCompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = Case.Lower[Byte(a[i])];
        const int cb = Case.Lower[Byte(b[i])];
        if (ca != cb)
            return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool AnsiSameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

int AnsiHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
