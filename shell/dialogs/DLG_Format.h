// The number-format dialog: kind, digit counts, leading-zero suppression,
// plus sign, prefix and suffix of a TFormat, with two examples that show the
// smallest and the largest value the format can display.
#pragma once

#include "engine/Formats.h"
#include "shell/dialogs/ModalForm.h"

// What the examples are built from: the dialog's settings as they stand.
struct TFormatExampleInput {
    TFormatOptions Options;
    Integer Before = 4;      // places before the point (fixed)
    Integer After = 2;       // places after the point (fixed)
    Integer Digits = 4;      // digit count of the other kinds
    bool PlusSign = false;
    AnsiString Prefix;
    AnsiString Suffix;
};

struct TFormatExamples {
    AnsiString Min;   // "von"
    AnsiString Max;   // "bis"
};

// The examples of the dialog; the decimal separator is always ",".
TFormatExamples BuildFormatExamples(const TFormatExampleInput& input);
