// The program's texts name Windows font families. They are mapped once at
// start to the metric-compatible Liberation families, so texts keep their
// widths and layouts.
#pragma once

// The family of symbol texts, hints and the default canvas font.
inline constexpr const char* ArialFamily = "Arial";

void RegisterFontSubstitutes();
