// Expected stream bytes written value by value, the way the tables of the
// record layouts list them: typed values with their one-byte tags.
#pragma once

#include "platform/SysTypes.h"

#include <initializer_list>
#include <string_view>
#include <vector>

using TBytes = std::vector<Byte>;

struct TStreamBytes {
    TBytes Bytes;
    TStreamBytes& Raw(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            Bytes.push_back(static_cast<Byte>(b));
        return *this;
    }
    TStreamBytes& Int(int v)   // the shortest of vaInt8, vaInt16 and vaInt32
    {
        if (v >= -128 && v <= 127)
            return Raw({0x02, v & 0xFF});
        if (v >= -32768 && v <= 32767)
            return Raw({0x03, v & 0xFF, (v >> 8) & 0xFF});
        return Raw({0x04, v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, (v >> 24) & 0xFF});
    }
    TStreamBytes& Bool(bool b) { return Raw({b ? 0x09 : 0x08}); }
    TStreamBytes& Str(std::string_view s)   // vaString: at most 255 bytes
    {
        Raw({0x06, int(s.size())});
        Bytes.insert(Bytes.end(), s.begin(), s.end());
        return *this;
    }
    TStreamBytes& Half() { return Raw({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}); }   // 0.5
};
