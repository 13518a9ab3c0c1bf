// A text of at most N bytes kept inside the object, like the fixed-length
// strings of the stored records (pin names, designators, macro names): longer
// texts are cut to N bytes when assigned, so a name read from a file can never
// grow beyond its field. Reading the first byte needs no length test (an empty
// text reads '\0'), which keeps the text-pin test of the pin reads cheap.
#pragma once

#include "platform/SysTypes.h"

#include <algorithm>
#include <cstring>
#include <string_view>

template <std::size_t N>
class TShortString {
    static_assert(N > 0 && N < 256);

public:
    TShortString() = default;
    TShortString(std::string_view text) { Assign(text); }
    TShortString(const char* text) { Assign(text); }
    TShortString(const AnsiString& text) { Assign(text); }

    TShortString& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }
    TShortString& operator=(const char* text) { return *this = std::string_view(text); }
    TShortString& operator=(const AnsiString& text) { return *this = std::string_view(text); }

    static constexpr std::size_t MaxLength = N;
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    // Index up to size(); at size() the terminating '\0'.
    char operator[](std::size_t i) const { return data_[i]; }
    const char* c_str() const { return data_; }
    std::string_view View() const { return {data_, length_}; }
    AnsiString Str() const { return AnsiString(data_, length_); }
    operator std::string_view() const { return View(); }
    operator AnsiString() const { return Str(); }

    friend bool operator==(const TShortString& a, const TShortString& b) { return a.View() == b.View(); }
    friend bool operator==(const TShortString& a, std::string_view b) { return a.View() == b; }
    friend bool operator==(const TShortString& a, const char* b) { return a.View() == std::string_view(b); }
    friend bool operator==(const TShortString& a, const AnsiString& b) { return a.View() == std::string_view(b); }
    friend AnsiString operator+(const AnsiString& a, const TShortString& b) { return a + b.Str(); }
    friend AnsiString operator+(const TShortString& a, const AnsiString& b) { return a.Str() + b; }
    friend AnsiString operator+(const char* a, const TShortString& b) { return AnsiString(a) + b.Str(); }
    friend AnsiString operator+(const TShortString& a, const char* b) { return a.Str() + b; }

private:
    void Assign(std::string_view text)
    {
        length_ = static_cast<Byte>(std::min(text.size(), N));
        std::memmove(data_, text.data(), length_);
        data_[length_] = '\0';
    }

    Byte length_ = 0;
    char data_[N + 1] = {};
};
