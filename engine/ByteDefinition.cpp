#include "engine/ByteDefinition.h"

#include "platform/AnsiText.h"

namespace {

// A token runs up to the next blank or the end of the text.
std::size_t TokenEnd(std::string_view text, std::size_t from)
{
    const std::size_t blank = text.find(' ', from);
    return blank == std::string_view::npos ? text.size() : blank;
}

}   // namespace

Integer ParseByteDefinition(std::string_view text, Byte* buffer, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return 0;
    const std::size_t capacity = bufferSize - 1;
    std::size_t count = 0;
    auto put = [&](Integer value) {
        if (count < capacity)
            buffer[count++] = static_cast<Byte>(value);
    };

    std::size_t i = 0;
    while (i < text.size() && count < capacity) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (c == '"') {
            // No closing quote: the constant takes the rest of the text.
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            for (std::size_t k = i + 1; k < end; ++k)
                put(static_cast<unsigned char>(text[k]));
            i = close == std::string_view::npos ? end : close + 1;
        } else if (c == '$') {
            const std::size_t end = TokenEnd(text, i);
            put(ParseHexByte(text.substr(i + 1, end - i - 1)));
            i = end;
        } else {
            const std::size_t end = TokenEnd(text, i);
            put(ParseDecimalByte(text.substr(i, end - i)));
            i = end;
        }
    }
    buffer[count] = 0;
    return static_cast<Integer>(count);
}

Integer ParseHexByte(std::string_view token)
{
    Integer value = 0;
    int digits = 0;
    for (char c : token) {
        const int d = AnsiHexDigit(c);
        if (d < 0)
            continue;
        value = value * 16 + d;
        if (++digits == 2)
            break;
    }
    return value;
}

Integer ParseDecimalByte(std::string_view token)
{
    Integer value = 0;
    for (char c : token) {
        if (c < '0' || c > '9')
            continue;
        value = value * 10 + (c - '0');
        if (value > 255)
            return 0;
    }
    return value;
}

AnsiString HexPreview(const Byte* bytes, std::size_t count)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    AnsiString line;
    line.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        line += Digits[HighNibble(bytes[i])];
        line += Digits[LowNibble(bytes[i])];
    }
    return line;
}
