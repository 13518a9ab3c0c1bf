// Process-wide state of the application shell.
#pragma once

inline constexpr const char* ProgramTitle = "Zentrika 4.0";
