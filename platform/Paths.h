// File names. The program keeps names as AnsiString and may write them with
// "\" separators (stored projects, settings, names built from ProgramFolder);
// every function here accepts both separators. Existing files are found
// without regard to letter case, folder by folder; a name that does not exist
// keeps its exact spelling, so files the program creates get the name it chose.
#pragma once

#include "platform/SysTypes.h"

#include <QString>
#include <string_view>

// The folder of the executable with a trailing "/", unless the shell or a test
// has set another one; SetProgramFolder("") returns to the executable's folder.
AnsiString ProgramFolder();
void SetProgramFolder(std::string_view folder);

// Every "\" becomes "/".
AnsiString UnixPathName(std::string_view name);
// The name for Qt's file classes: separators converted, text decoded from
// Windows-1252.
QString QtFileName(std::string_view name);

// The name with separators converted and each folder and the file looked up
// without regard to letter case where the exact spelling does not exist. From
// the first part that is not found on, the name is kept as given. When several
// entries differ only in case, the first by name order is taken.
AnsiString ResolvePath(std::string_view name);
bool FileExists(std::string_view name);        // a file, not a folder
bool DirectoryExists(std::string_view name);

// Windows semantics: "\", "/" and the drive colon separate; the extension
// includes its point; ExtractFilePath keeps the trailing separator.
AnsiString ExtractFileName(std::string_view name);
AnsiString ExtractFilePath(std::string_view name);
AnsiString ExtractFileExt(std::string_view name);
AnsiString ChangeFileExt(std::string_view name, std::string_view extension);
