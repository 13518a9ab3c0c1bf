// The library's categories: one library file each in the library folder,
// with its name in the three languages and its kind (the submenu and the
// picture of the category button).
#pragma once

#include "platform/SysTypes.h"

#include <array>

struct TLibraryCategory {
    AnsiString Name;          // in the current language; "&&" is one ampersand in menus
    AnsiString LibraryFile;
    Byte Kind = 0;            // 0 panel elements, 1 logic, 2 analogue, 3 miscellaneous, 4 hardware
};

inline constexpr int LibraryCategoryCount = 60;
inline constexpr int CategoryKindCount = 5;
// The category shown at start-up ("Anzeigen").
inline constexpr int StartCategory = 16;

// The table in the language of LanguageIndex (German for an unknown one).
std::array<TLibraryCategory, LibraryCategoryCount> LibraryCategoryTable();

// The category menu in its order: a category index, or -k for a separator in
// the submenu of kind k. Categories 17 and 27 (one file) are in no menu.
inline constexpr std::array<int, 62> CategoryMenuOrder = {
    16, 1,  0,  36, 22,                                                     // kind 0
    14, 8,  23, 3,  2,  7,  9,  5,  6,  10, 4,                              // kind 1
    48, 37, 38, 39, 35, -3, 11,                                             // kind 3
    13, 46, 47, 34, 44, 45, -2, 15,                                         // kind 2
    12, 43, 52, 51, 24, 42, 26, 25, 21, -4, 53, 28, 54, 40, 50, 58, 19, 33, // kind 4
    56, 32, 18, 31, 29, 20, 30, 57, 59, 55, 41, -4, 49,
};
