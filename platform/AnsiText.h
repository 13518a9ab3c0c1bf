// The program's texts are 8-bit Windows-1252 strings (AnsiString). These are
// the only conversions to and from Qt's UTF-16 strings, and the letter-case
// rules of that code page.
#pragma once

#include "platform/SysTypes.h"

#include <QString>
#include <string_view>

// Every byte maps to one character and back, the five code points that
// Windows-1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) to the C1 controls
// of the same number, so any byte string survives a round trip.
QString AnsiToQString(std::string_view text);
// Characters outside Windows-1252 become "?".
AnsiString QStringToAnsi(const QString& text);

// Letter case of Windows-1252: ASCII, the Latin-1 letters (ä/Ä ... þ/Þ) and
// the pairs Š/š, Œ/œ, Ž/ž, Ÿ/ÿ. Letters without a partner (ß, µ) stay.
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
AnsiString AnsiUpperCase(std::string_view text);
AnsiString AnsiLowerCase(std::string_view text);

// Comparison without regard to letter case. AnsiCompareText orders by the
// lower-case byte values: < 0, 0 or > 0.
bool AnsiSameText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);

// Value of one hexadecimal digit (0-9, A-F, a-f), -1 for any other byte.
int AnsiHexDigit(char c);
