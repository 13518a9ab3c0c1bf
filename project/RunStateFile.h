// The per-project file of retained run-time states, which the components
// write at a stop and read at a start.
#pragma once

#include "platform/IniFile.h"
#include "platform/SysTypes.h"

#include <string_view>

class TPlatine;

// The retained-state file of a project: the project file's folder, its title
// in upper case and "_Default.set"; for an unnamed project (empty name)
// ProgramFolder + "UNSAVED_Default.set".
AnsiString RunStateFileName(const AnsiString& projectFileName);

// The retained-state file. Texts that the plain key/value format cannot carry
// (line breaks, NUL bytes, blanks at either end) are stored escaped: such a
// value is written as "%%" followed by the text with those bytes and "%" as
// "%XX" hexadecimal. Every other value is stored as it is, so files written
// before keep reading the same; a plain text that itself begins with "%%" is
// escaped to stay apart from an escaped one.
class TRunStateFile : public TIniFile {
public:
    explicit TRunStateFile(const AnsiString& projectFileName);

    AnsiString ReadString(std::string_view section, std::string_view ident,
                          std::string_view defaultValue) override;
    bool WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    TIniValues ReadSectionValues(std::string_view section) override;

    static AnsiString EscapeValue(std::string_view text);
    static AnsiString UnescapeValue(std::string_view stored);
};

// The board's retained states into the project's file, and back at a start.
void SaveRunState(TPlatine& board, const AnsiString& projectFileName);
void LoadRunState(TPlatine& board, const AnsiString& projectFileName);
