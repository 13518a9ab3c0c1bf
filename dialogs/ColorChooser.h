// The colour chooser behind every colour setting of the program: the
// platform's colour dialog, with the user's 16 custom colours kept in
// "Settings/Colors.dat" under the program folder.
#pragma once

#include "platform/SysTypes.h"

// The chosen colour, or color unchanged when the user cancels. On OK the
// dialog's custom colours replace the file (created when missing); Cancel
// leaves the file untouched.
TColor ChooseColor(TColor color);

// The file of the custom colours: one line per colour, "ColorA=" .. "ColorP="
// and six lower-case hexadecimal digits of the colour value.
AnsiString CustomColorsFileName();
