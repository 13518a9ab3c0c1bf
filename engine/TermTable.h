// The rows of the term table in their fixed order.
#pragma once

#include <span>

struct TTerm {
    const char* Text[3];   // German, English, French (CP1252 bytes)
};

std::span<const TTerm> TermTable();
