// The program's own settings files under the program folder ("Settings/EXPKIT.INI",
// "Settings/SPEED.INI") and the recent-file list.
#pragma once

#include "platform/IniFile.h"
#include "platform/SysTypes.h"

#include <array>

// From now on a key/value file that cannot be written is reported in a
// message box of the program's language, once per file and run.
void ReportSettingsWriteFailures();

// ProgramFolder + "Settings/EXPKIT.INI".
AnsiString SettingsFileName();

// "Settings/SPEED.INI", section "Speed", key "Fast": the simulation speed
// (true "Fast", false "Slow"); true when the file or key is missing.
bool ReadSpeedSetting();
void WriteSpeedSetting(bool fast);

// The stored options, window places and folders of the main settings file.
// The defaults are those of a missing file, except the main window's place,
// which the caller presets with the window's own before reading.
struct TProgramSettings {
    AnsiString MacroFolder;         // DIRECTORIES/MACROS
    AnsiString ProjectFolder;       // DIRECTORIES/PROJECTS
    bool Raster = false;
    bool FPGridVisible = false;
    TColor FPGridColor = 0xC0C0C0;
    Integer FPGrid = 16;
    bool UpdateInfo = false;
    bool TextOnly = false;
    bool ComponentHint = true;
    bool Hint = true;
    bool FPMax = false;             // the panel window: written at the close only
    Integer FPX = 0;
    Integer FPY = 0;
    Integer FPW = 0;
    Integer FPH = 0;
    bool MainMax = true;            // HAUPTFENSTER
    Integer MainX = 0;
    Integer MainY = 0;
    Integer MainW = 0;
    Integer MainH = 0;
};

// The user's documents folder (the home folder when there is none), with a
// trailing "/": where the file dialogs start without a stored project folder.
AnsiString DefaultProjectFolder();

// ProgramFolder + "Makros/TTL/" when that folder exists, else ProgramFolder.
AnsiString DefaultMacroFolder();

// Reads every key that is read at start-up into settings; a missing key keeps
// the value settings holds (the panel window's keys are not read). The
// caller presets the folders and the main window's place.
void ReadProgramSettings(TCustomIniFile& ini, TProgramSettings& settings);
// The close: OPTIONS, HAUPTFENSTER and DIRECTORIES, in the program's order.
void WriteProgramSettings(TCustomIniFile& ini, const TProgramSettings& settings);

// The recent project files D1..D4 of section "History", D1 the newest.
class TRecentFiles {
public:
    static constexpr int Count = 4;

    void Load(TCustomIniFile& ini);
    void Write(TCustomIniFile& ini) const;
    // Enters a ".prj" file (any letter case of the extension) at the top and
    // drops the oldest entry; a file already listed keeps its place. Names
    // that differ only in letter case are one entry when they lead to the
    // same file. True when the list changed.
    bool Add(const AnsiString& fileName);
    const AnsiString& Entry(int index) const { return entries_[index]; }   // 0 = D1
    // The menu caption of an entry: "&1 " and the name as it is.
    AnsiString Caption(int index) const;

private:
    std::array<AnsiString, Count> entries_;
};
