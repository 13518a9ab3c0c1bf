// Key/value files of the classic sectioned text format with the semantics of
// the Windows profile functions: sections and keys match without regard to
// letter case, blanks around keys and values are dropped, the first of
// duplicated keys (and of duplicated sections) counts, lines starting with ";"
// are comments. Every write goes to the file at once.
#pragma once

#include "platform/SysTypes.h"

#include <QByteArray>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

// The blanks (space, tab) that sections, keys and values lose at either end;
// every store looks names up and writes them in that trimmed form.
inline bool IsIniBlank(char c) { return c == ' ' || c == '\t'; }
std::string_view TrimBlanks(std::string_view s);

// Told of every failed write of a key/value file: the file's name and the
// system's errno. Without a handler the failure goes to the log.
using TIniWriteFailureHandler = std::function<void(const AnsiString& fileName, int err)>;
void SetIniWriteFailureHandler(TIniWriteFailureHandler handler);

using TIniValues = std::vector<std::pair<AnsiString, AnsiString>>;   // key, value

// The interface the settings code uses, so a store other than a file can
// stand behind it. Writes report success; a failed write changes nothing.
class TCustomIniFile {
public:
    explicit TCustomIniFile(AnsiString fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const AnsiString& FileName() const { return fileName_; }

    virtual AnsiString ReadString(std::string_view section, std::string_view ident,
                                  std::string_view defaultValue) = 0;
    virtual bool WriteString(std::string_view section, std::string_view ident, std::string_view value) = 0;
    virtual std::vector<AnsiString> ReadSection(std::string_view section) = 0;   // keys in file order
    virtual std::vector<AnsiString> ReadSections() = 0;
    virtual TIniValues ReadSectionValues(std::string_view section);
    virtual bool EraseSection(std::string_view section) = 0;
    virtual bool DeleteKey(std::string_view section, std::string_view ident) = 0;
    virtual bool ValueExists(std::string_view section, std::string_view ident);
    // True when the section holds at least one key.
    bool SectionExists(std::string_view section);

    // Decimal, or hexadecimal with "$" or "0x"; anything else (or a value
    // outside 32 bits) gives the default.
    Integer ReadInteger(std::string_view section, std::string_view ident, Integer defaultValue);
    bool WriteInteger(std::string_view section, std::string_view ident, Integer value);
    // Written as "1" and "0"; read as an integer, any non-zero value is true.
    bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue);
    bool WriteBool(std::string_view section, std::string_view ident, bool value);
    // Written with "." and as many digits as reading it back exactly needs;
    // read with "." or ",".
    double ReadFloat(std::string_view section, std::string_view ident, double defaultValue);
    bool WriteFloat(std::string_view section, std::string_view ident, double value);

private:
    AnsiString fileName_;
};

// The file is looked up without regard to letter case (platform/Paths.h) and
// read again whenever it changed, so several objects on one file agree. A
// missing or unreadable file reads as empty. Writes replace the file through a
// temporary file in the same folder (platform/SafeSave.h); a missing folder is
// created, and a write that still fails returns false and is reported to the
// handler of SetIniWriteFailureHandler. Lines are written with CR LF; LF alone is read too.
// Values are bytes: a line break in a value ends it (the rest is not written),
// and a section name with "]" or a key with "=" is refused.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(AnsiString fileName);

    AnsiString ReadString(std::string_view section, std::string_view ident,
                          std::string_view defaultValue) override;
    bool WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    std::vector<AnsiString> ReadSection(std::string_view section) override;
    std::vector<AnsiString> ReadSections() override;
    TIniValues ReadSectionValues(std::string_view section) override;
    bool EraseSection(std::string_view section) override;
    bool DeleteKey(std::string_view section, std::string_view ident) override;

private:
    struct TRange { std::size_t Begin, End; };   // the lines of a section after its header
    void Load();
    bool Save();
    bool FindSection(std::string_view section, TRange& range) const;
    std::size_t FindKey(const TRange& range, std::string_view ident) const;   // npos when absent

    QByteArray raw_;                 // the file as last read, to skip parsing an unchanged file
    bool loaded_ = false;            // false: lines_ must be read again
    std::vector<AnsiString> lines_;  // without line ends
};
