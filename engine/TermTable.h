// The rows of the term table in their fixed order.
#pragma once

#include <span>

struct TTranslation {
    const char* Text[3];   // German (the look-up key), English, French; CP1252 bytes
};

// 298 rows. Some German keys occur twice; the look-up takes the first row.
std::span<const TTranslation> TermTable();
