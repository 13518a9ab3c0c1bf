// The start every build-time generator shares: the argument check with its
// usage line, a headless GUI application (components may measure texts), the
// base and component classes registered, and an error of the run reported
// on stderr as the exit code 1.
#pragma once

#include <QString>

#include <functional>

// Runs body when argumentsFit, else prints "usage: <program> <usage>" and
// answers 2; answers 1 when body throws, else 0.
int RunTool(int argc, char** argv, bool argumentsFit, const char* usage, const std::function<void()>& body);

// Creates folder with its parents; throws when it cannot.
void CreateFolder(const QString& folder);
