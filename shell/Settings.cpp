#include "shell/Settings.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/TextLanguage.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <set>

namespace {

const char* const HistoryKeys[TRecentFiles::Count] = {"D1", "D2", "D3", "D4"};

}   // namespace

void ReportSettingsWriteFailures()
{
    SetIniWriteFailureHandler([reported = std::set<AnsiString>()](const AnsiString& fileName, int err) mutable {
        if (!reported.insert(fileName).second)
            return;
        const QString name = QtFileName(fileName);
        const QString reason = QString::fromStdString(SystemErrorText(err));
        const QString text = ByLanguage(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2"),
                                        QStringLiteral("Cannot write the file %1: %2"),
                                        QStringLiteral("Impossible d\u2019\u00E9crire le fichier %1 : %2"));
        MessageBox(QStringToAnsi(text.arg(name, reason)), "Zentrika", MB_OK | MB_ICONWARNING);
    });
}

AnsiString SettingsFileName()
{
    return ProgramFolder() + "Settings/EXPKIT.INI";
}

bool ReadSpeedSetting()
{
    TIniFile speed(ProgramFolder() + "Settings/SPEED.INI");
    return speed.ReadBool("Speed", "Fast", true);
}

void WriteSpeedSetting(bool fast)
{
    TIniFile speed(ProgramFolder() + "Settings/SPEED.INI");
    speed.WriteBool("Speed", "Fast", fast);
}

AnsiString DefaultProjectFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    if (!documents.endsWith(u'/'))
        documents += u'/';
    return QStringToAnsi(documents);
}

AnsiString DefaultMacroFolder()
{
    const AnsiString program = ProgramFolder();
    return DirectoryExists(program + "MAKROS/TTL") ? program + "Makros/TTL/" : program;
}

void ReadProgramSettings(TCustomIniFile& ini, TProgramSettings& s)
{
    s.MacroFolder = ini.ReadString("DIRECTORIES", "MACROS", s.MacroFolder);
    s.ProjectFolder = ini.ReadString("DIRECTORIES", "PROJECTS", s.ProjectFolder);
    s.Raster = ini.ReadBool("OPTIONS", "RASTER", s.Raster);
    s.FPGridVisible = ini.ReadBool("OPTIONS", "FPGridVisible", s.FPGridVisible);
    s.FPGridColor = ini.ReadInteger("OPTIONS", "FPGridColor", s.FPGridColor);
    s.FPGrid = ini.ReadInteger("OPTIONS", "FPGrid", s.FPGrid);
    s.UpdateInfo = ini.ReadBool("OPTIONS", "UpdateInfo", s.UpdateInfo);
    s.TextOnly = ini.ReadBool("OPTIONS", "TextOnly", s.TextOnly);
    s.ComponentHint = ini.ReadBool("OPTIONS", "COMPONENTHINT", s.ComponentHint);
    s.Hint = ini.ReadBool("OPTIONS", "HINT", s.Hint);
    s.MainMax = ini.ReadBool("HAUPTFENSTER", "MAX", s.MainMax);
    s.MainX = ini.ReadInteger("HAUPTFENSTER", "X", s.MainX);
    s.MainY = ini.ReadInteger("HAUPTFENSTER", "Y", s.MainY);
    s.MainW = ini.ReadInteger("HAUPTFENSTER", "W", s.MainW);
    s.MainH = ini.ReadInteger("HAUPTFENSTER", "H", s.MainH);
}

void WriteProgramSettings(TCustomIniFile& ini, const TProgramSettings& s)
{
    ini.WriteInteger("OPTIONS", "FPGridColor", s.FPGridColor);
    ini.WriteBool("OPTIONS", "FPGridVisible", s.FPGridVisible);
    ini.WriteInteger("OPTIONS", "FPGrid", s.FPGrid);
    ini.WriteBool("OPTIONS", "UpdateInfo", s.UpdateInfo);
    ini.WriteBool("OPTIONS", "RASTER", s.Raster);
    ini.WriteBool("OPTIONS", "TextOnly", s.TextOnly);
    ini.WriteBool("OPTIONS", "HINT", s.Hint);
    ini.WriteBool("OPTIONS", "COMPONENTHINT", s.ComponentHint);
    ini.WriteBool("OPTIONS", "FPMAX", s.FPMax);
    ini.WriteInteger("OPTIONS", "FPX", s.FPX);
    ini.WriteInteger("OPTIONS", "FPY", s.FPY);
    ini.WriteInteger("OPTIONS", "FPW", s.FPW);
    ini.WriteInteger("OPTIONS", "FPH", s.FPH);
    ini.WriteBool("HAUPTFENSTER", "MAX", s.MainMax);
    ini.WriteInteger("HAUPTFENSTER", "X", s.MainX);
    ini.WriteInteger("HAUPTFENSTER", "Y", s.MainY);
    ini.WriteInteger("HAUPTFENSTER", "W", s.MainW);
    ini.WriteInteger("HAUPTFENSTER", "H", s.MainH);
    ini.WriteString("DIRECTORIES", "MACROS", s.MacroFolder);
    ini.WriteString("DIRECTORIES", "PROJECTS", s.ProjectFolder);
}

// ---- Recent files -------------------------------------------------------------

void TRecentFiles::Load(TCustomIniFile& ini)
{
    for (int i = 0; i < Count; ++i)
        entries_[i] = ini.ReadString("History", HistoryKeys[i], "");
}

void TRecentFiles::Write(TCustomIniFile& ini) const
{
    for (int i = 0; i < Count; ++i)
        ini.WriteString("History", HistoryKeys[i], entries_[i]);
}

namespace {

// Two names of the recent-file list mean the same file when they are equal,
// or when they differ only in letter case and lead to one existing file (a
// name typed in other case is found without regard to case).
bool SameRecentFile(const AnsiString& a, const AnsiString& b)
{
    if (a == b)
        return true;
    if (!AnsiSameText(a, b))
        return false;
    const QString fileA = QFileInfo(QtFileName(ResolvePath(a))).canonicalFilePath();
    return !fileA.isEmpty() && fileA == QFileInfo(QtFileName(ResolvePath(b))).canonicalFilePath();
}

}   // namespace

bool TRecentFiles::Add(const AnsiString& fileName)
{
    if (AnsiLowerCase(ExtractFileExt(fileName)) != ".prj")
        return false;
    for (const AnsiString& entry : entries_)
        if (SameRecentFile(entry, fileName))
            return false;
    for (int i = Count - 1; i > 0; --i)
        entries_[i] = entries_[i - 1];
    entries_[0] = fileName;
    return true;
}

AnsiString TRecentFiles::Caption(int index) const
{
    // The name as it is; an "&" in it is shown, not taken as the item's key.
    AnsiString name;
    for (char c : entries_[index]) {
        name += c;
        if (c == '&')
            name += '&';
    }
    return "&" + std::to_string(index + 1) + " " + name;
}
