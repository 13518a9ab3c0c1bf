// Conversions between numbers and texts that every layer shares, and small
// helpers beside them: time texts for recorder axes, HTML colours, file names,
// data-file look-up and the web add-on's data folder.
#pragma once

#include "platform/SysTypes.h"

// Tolerant reading of a text as a number: "$" hexadecimal, "%" binary,
// "TRUE" = 5, "FALSE" = 0, else the first decimal number found ("U=-12,5V"
// gives -12.5). Never fails; a text without a number gives 0.
Extended ParseValueText(const AnsiString& text);
// ParseValueText, but 5 whenever the text contains "TRUE" in any case.
Extended StrToValue(const AnsiString& text);

// General format with 8 significant digits and a four-digit exponent
// ("1.2345679E0008"), with the locale's decimal separator.
AnsiString ValueToStr(Extended value);

// The general number format with "." as separator: at most `precision`
// significant digits without trailing zeros; fixed notation for 0 and for
// magnitudes (after rounding) from 0.0001 up to below 10^precision, else
// scientific with an exponent of at least minExponentDigits digits and a sign
// only when negative. Non-finite values give "NAN", "INF" and "-INF".
AnsiString FormatGeneral(Extended value, int precision, int minExponentDigits);

// Every "." and "," replaced by the decimal separator of the current locale
// (QLocale()); unchanged when that separator is not a single ASCII character.
AnsiString LocaliseDecimalSeparator(const AnsiString& text);

// Clock time of Origin + seconds in the locale's long time format without
// time zone, then "," and the milliseconds (three digits; with trimZeros
// without trailing zeros, nothing when that leaves none). Empty for a
// negative or non-finite seconds value.
AnsiString FormatClockTime(bool trimZeros, double seconds, TDateTime origin);
// The date of Origin + seconds in the locale's short date format.
AnsiString FormatDateAndTime(double seconds, TDateTime origin);
// "1d 1h 02:05.250" style duration; milliseconds only when not zero.
AnsiString FormatDuration(double seconds);

// "#RRGGBB"; a system colour (negative) gives "#ECE9D8".
AnsiString ColorToHtml(TColor color);

// The characters " * / : < > ? \ | replaced by "_".
AnsiString SanitizeFileName(const AnsiString& text);

// The last four characters of a hexadecimal text as a number: any character
// other than 0-9, A-F and a-f counts as the digit 0, an empty text gives 0.
Word HexToWord(const AnsiString& text);

// Where a data file named by a component lies: "Data/" under the program
// folder wins over the project folder; a file found in neither becomes a path
// under "Data/" (where a component that creates it puts it). "\" separators
// of stored names become "/".
AnsiString ResolveDataFile(const AnsiString& fileName);

// The folder name the web-server add-on keeps its data under.
inline constexpr const char* AddOnFolderName = "ZentrikaWebServer";
// The shared data folder with AddOnFolderName appended, ending with "/".
AnsiString AddOnDataFolder();
