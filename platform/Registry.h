// The registry stand-in: every root key is a key/value file in the user's
// configuration folder, and the values of a key path are the section named
// by that path ("Software\Title\Grid"). The key itself (no subkey) is the
// section of the path without its trailing backslash.
#pragma once

#include "platform/IniFile.h"

#include <memory>
#include <stdexcept>

inline constexpr Cardinal HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr Cardinal HKEY_CURRENT_USER = 0x80000001;
inline constexpr Cardinal HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr Cardinal HKEY_USERS = 0x80000003;
inline constexpr Cardinal HKEY_CURRENT_CONFIG = 0x80000005;
inline constexpr Cardinal HKEY_DYN_DATA = 0x80000006;

// A write the registry refused (a read-only key, a folder that cannot be written).
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The folder of the root files (with a trailing "/"); tests set their own.
AnsiString RegistryFolder();
void SetRegistryFolder(const AnsiString& Folder);

// A key opened as an INI-style file: sections are its subkeys.
class TRegIniFile : public TCustomIniFile {
public:
    TRegIniFile(Cardinal Root, bool ReadOnly, const AnsiString& KeyPath);

    AnsiString ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue) override;
    // False for a read-only key or a failed write.
    bool WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    std::vector<AnsiString> ReadSection(std::string_view section) override;
    std::vector<AnsiString> ReadSections() override;
    bool EraseSection(std::string_view section) override;
    bool DeleteKey(std::string_view section, std::string_view ident) override;

private:
    AnsiString SectionOf(std::string_view section) const;

    std::unique_ptr<TIniFile> FFile;
    bool FReadOnly;
    AnsiString FKey;   // without a trailing backslash
};
