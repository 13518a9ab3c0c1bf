#include "project/RunStateFile.h"

#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"

namespace {

constexpr std::string_view EscapeMark = "%%";

bool NeedsEscape(char c)
{
    return c == '\r' || c == '\n' || c == '\0' || c == '%';
}

}   // namespace

AnsiString RunStateFileName(const AnsiString& projectFileName)
{
    const AnsiString project = projectFileName.empty() ? ProgramFolder() + "UNSAVED.PRJ" : projectFileName;
    const AnsiString name = ExtractFileName(project);
    const AnsiString title = name.substr(0, name.size() - ExtractFileExt(name).size());
    return ExtractFilePath(project) + AnsiUpperCase(title) + "_Default.set";
}

TRunStateFile::TRunStateFile(const AnsiString& projectFileName) : TIniFile(RunStateFileName(projectFileName)) {}

AnsiString TRunStateFile::EscapeValue(std::string_view text)
{
    const bool blankEnds = !text.empty() && (IsIniBlank(text.front()) || IsIniBlank(text.back()));
    bool special = blankEnds || text.starts_with(EscapeMark);
    for (char c : text)
        special = special || (c != '%' && NeedsEscape(c));
    if (!special)
        return AnsiString(text);

    static constexpr char hex[] = "0123456789ABCDEF";
    AnsiString out(EscapeMark);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool edgeBlank = IsIniBlank(c) && (i == 0 || i + 1 == text.size());
        if (NeedsEscape(c) || edgeBlank) {
            const auto b = static_cast<unsigned char>(c);
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

AnsiString TRunStateFile::UnescapeValue(std::string_view stored)
{
    if (!stored.starts_with(EscapeMark))
        return AnsiString(stored);
    stored.remove_prefix(EscapeMark.size());
    AnsiString out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '%' && i + 2 < stored.size()) {
            const int high = AnsiHexDigit(stored[i + 1]);
            const int low = AnsiHexDigit(stored[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += stored[i];   // a damaged escape is kept as written
    }
    return out;
}

AnsiString TRunStateFile::ReadString(std::string_view section, std::string_view ident,
                                     std::string_view defaultValue)
{
    if (!ValueExists(section, ident))
        return AnsiString(defaultValue);
    return UnescapeValue(TIniFile::ReadString(section, ident, ""));
}

bool TRunStateFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    return TIniFile::WriteString(section, ident, EscapeValue(value));
}

TIniValues TRunStateFile::ReadSectionValues(std::string_view section)
{
    TIniValues values = TIniFile::ReadSectionValues(section);
    for (auto& [key, value] : values)
        value = UnescapeValue(value);
    return values;
}

void SaveRunState(TPlatine& board, const AnsiString& projectFileName)
{
    TRunStateFile file(projectFileName);
    board.SaveComponentStates(file);
}

void LoadRunState(TPlatine& board, const AnsiString& projectFileName)
{
    TRunStateFile file(projectFileName);
    board.LoadComponentStates(file, 0);
}
