// The program's title, as its main window caption and messages show it.
#pragma once

inline constexpr const char* ProgramTitle = "Zentrika 4.0";
