// Compile-time conversion of UTF-8 source literals to Windows-1252 bytes.
// Sources are UTF-8, but every text the program shows or stores is an
// AnsiString of CP1252 bytes; writing "Kan\xE4le" by hand is easy to get wrong
// (a hex escape swallows a following 'a'..'f'), so literals are written as
// they read and converted while compiling. A character that has no CP1252
// byte, or malformed UTF-8, stops the build.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <type_traits>

namespace AnsiLiteral {

// The CP1252 byte of a code point. Throwing inside constant evaluation is
// what turns an unmappable character into a compile error.
consteval char Cp1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    // 0x80..0x9F hold typographic characters; 0 marks the five unused bytes.
    constexpr char32_t High[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (std::size_t i = 0; i < 32; ++i)
        if (High[i] != 0 && High[i] == c)
            return static_cast<char>(0x80 + i);
    throw "character has no Windows-1252 byte";
}

// Decodes the UTF-8 character at utf8[at]; advances at past it.
consteval char32_t DecodeUtf8(std::string_view utf8, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(utf8[at++]);
    if (lead < 0x80)
        return lead;
    std::size_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (more == 0 || at + more > utf8.size())
        throw "malformed UTF-8";
    char32_t c = lead & (0x3F >> more);
    for (; more > 0; --more) {
        const auto next = static_cast<unsigned char>(utf8[at++]);
        if ((next & 0xC0) != 0x80)
            throw "malformed UTF-8";
        c = (c << 6) | (next & 0x3F);
    }
    return c;
}

// Number of CP1252 bytes of a UTF-8 text (checks every character).
consteval std::size_t Cp1252Length(std::string_view utf8)
{
    std::size_t length = 0;
    for (std::size_t at = 0; at < utf8.size(); ++length)
        Cp1252Byte(DecodeUtf8(utf8, at));
    return length;
}

// Writes the CP1252 bytes of a UTF-8 text to out; returns the end.
consteval char* ToCp1252(std::string_view utf8, char* out)
{
    for (std::size_t at = 0; at < utf8.size();)
        *out++ = Cp1252Byte(DecodeUtf8(utf8, at));
    return out;
}

// The literal's UTF-8 bytes, given as a character pack.
template <char... Utf8>
inline constexpr char Utf8Text[] = {Utf8..., '\0'};

template <char... Utf8>
consteval auto Cp1252Bytes()
{
    constexpr std::string_view utf8(Utf8Text<Utf8...>, sizeof...(Utf8));
    std::array<char, Cp1252Length(utf8) + 1> bytes{};
    ToCp1252(utf8, bytes.data());
    return bytes;
}

// One NUL-terminated CP1252 copy per distinct literal, in static storage.
template <char... Utf8>
inline constexpr auto Storage = Cp1252Bytes<Utf8...>();

} // namespace AnsiLiteral

// "Zähler"_ansi: the literal's CP1252 bytes, NUL-terminated. The literal
// arrives as a character pack, the string form of a literal operator template
// that g++ and clang both accept; the standard form with a class-type template
// argument crashes clang 14 whenever a diagnostic prints the argument.
#ifdef __clang__
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wgnu-string-literal-operator-template"
#endif
template <typename TChar, TChar... Utf8>
consteval const char* operator""_ansi()
{
    static_assert(std::is_same_v<TChar, char>, "_ansi takes plain narrow literals");
    return AnsiLiteral::Storage<Utf8...>.data();
}
#ifdef __clang__
#pragma clang diagnostic pop
#endif
