#include "ui/controls/UCLIniCtrl.h"

#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "ui/controls/UCLApplication.h"
#include "ui/controls/UCLSysInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <charconv>

AnsiString ScrambleString(const AnsiString& S, Word Key)
{
    AnsiString out(S.size(), '\0');
    Word r = Key;
    for (std::size_t i = 0; i < S.size(); ++i) {
        const Byte c = Byte(Byte(S[i]) ^ (r >> 8));
        out[i] = char(c);
        r = Word((c + r) * 52845u + 22719u);
    }
    return out;
}

AnsiString UnscrambleString(const AnsiString& S, Word Key)
{
    AnsiString out(S.size(), '\0');
    Word r = Key;
    for (std::size_t i = 0; i < S.size(); ++i) {
        const Byte b = Byte(S[i]);
        out[i] = char(Byte(b ^ (r >> 8)));
        r = Word((b + r) * 52845u + 22719u);
    }
    return out;
}

AnsiString Encode6Bit(const AnsiString& S)
{
    // 2 - ((length - 1) mod 3) blanks, the remainder taking the sign of
    // length - 1: an empty text gets three.
    AnsiString padded = S;
    padded.append(S.empty() ? 3 : 2 - (S.size() - 1) % 3, ' ');
    AnsiString out = std::to_string(S.size()) + ":";
    for (std::size_t i = 0; i + 2 < padded.size(); i += 3) {
        const Cardinal v = (Cardinal(Byte(padded[i])) << 16) | (Cardinal(Byte(padded[i + 1])) << 8) |
                           Byte(padded[i + 2]);
        for (int shift : {18, 12, 6, 0})
            out += char(48 + ((v >> shift) & 63));
    }
    return out;
}

// Stored texts come from files anyone can edit: the length before ":" is
// clamped to what the groups decode, and a short last group reads its
// missing characters as "0".
AnsiString Decode6Bit(const AnsiString& S)
{
    const std::size_t colon = S.find(':');
    if (colon == AnsiString::npos)
        return {};
    std::size_t length = 0;
    const auto [ptr, ec] = std::from_chars(S.data(), S.data() + colon, length);
    if (ec != std::errc() || ptr != S.data() + colon)
        length = 0;
    AnsiString out;
    const std::string_view groups(S.data() + colon + 1, S.size() - colon - 1);
    for (std::size_t i = 0; i < groups.size() && out.size() < length; i += 4) {
        Cardinal v = 0;
        for (std::size_t k = 0; k < 4; ++k)
            v = (v << 6) + Cardinal(Byte(i + k < groups.size() ? groups[i + k] : '0') - 48);
        // q0 x 262144 + q1 x 4096 + q2 x 64 + q3 - 12782640, in 32 bits.
        out += char(Byte(v >> 16));
        out += char(Byte(v >> 8));
        out += char(Byte(v));
    }
    if (out.size() > length)
        out.resize(length);
    return out;
}

TUCLIniCtrl::TUCLIniCtrl(QObject* Owner) : TUCLCustomComponent(Owner)
{
}

void TUCLIniCtrl::SetAlphaCounter(bool Value)
{
    FAlphaCounter = Value;
    if (Value)
        FMaxEntries = std::min<Byte>(FMaxEntries, 26);
}

void TUCLIniCtrl::SetIniFile(const AnsiString& Value)
{
    FIniFile = Value;
    const std::size_t slash = Value.find_last_of("/\\");
    const std::size_t dot = Value.find_last_of('.');
    const bool noExtension = dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash) ||
                             Value.find_first_not_of(' ', dot + 1) == AnsiString::npos;
    if (!Value.empty() && noExtension)
        FIniFile = (dot != AnsiString::npos && (slash == AnsiString::npos || dot > slash) ? Value.substr(0, dot)
                                                                                             : Value) +
                   ".INI";
}

void TUCLIniCtrl::SetMaxEntries(Byte Value)
{
    if (FAlphaCounter && Value > 26)
        return;
    FMaxEntries = Value;
}

void TUCLIniCtrl::SetNetUser(bool Value)
{
    FNetUser = Value;
    if (Value)
        User = GetNetUserName();
}

void TUCLIniCtrl::SetTarget(TUCLIniTarget Value)
{
    FTarget = Value;
    FEffectiveTarget = Value == TUCLIniTarget::itIniFile ? 0 : 1;
}

AnsiString TUCLIniCtrl::GetNetUserName() const
{
    return TUCLSysInfo().CurrentUser();
}

AnsiString TUCLIniCtrl::IniFileName() const
{
    AnsiString name = FIniFile;
    if (name.empty()) {
        const QFileInfo exe(QCoreApplication::applicationFilePath());
        name = QStringToAnsi(exe.path() + QLatin1Char('/') + exe.completeBaseName()) + ".INI";
    }
    if (IniPrefix == ppFixed)
        return name;
    const std::size_t slash = name.find_last_of("/\\");
    return PathPrefixFolder(IniPrefix, true) + (slash == AnsiString::npos ? name : name.substr(slash + 1));
}

AnsiString TUCLIniCtrl::RegistryPath() const
{
    if (RegPath.find_first_not_of(' ') == AnsiString::npos)
        return LibraryApplication().RegistryKey();
    return RegPath.back() == '\\' ? RegPath : RegPath + "\\";
}

AnsiString TUCLIniCtrl::SectionName(const AnsiString& Section)
{
    if (Section.find_first_not_of(' ') == AnsiString::npos)
        return FLastSection.empty() ? AnsiString("Common") : FLastSection;
    AnsiString result;
    if (!UsesRegistry())
        result = Common ? Section : (FNetUser ? GetNetUserName() : User) + "." + Section;
    else
        result = Section == "#ROOT" ? AnsiString() : Section;
    FLastSection = result;
    return result;
}

Cardinal TUCLIniCtrl::RootKey() const
{
    static constexpr Cardinal roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
                                         HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    return roots[int(RegRoot)];
}

AnsiString TUCLIniCtrl::EncodeString(const AnsiString& Value)
{
    switch (CryptMode) {
    case TUCLIniCryptMode::icmKey: return ScrambleString(Value, EncKey);
    case TUCLIniCryptMode::icmTextKey: return Encode6Bit(ScrambleString(Value, EncKey));
    case TUCLIniCryptMode::icmCustom: break;
    }
    AnsiString v = Value;
    if (OnEncodeString)
        OnEncodeString(this, v);
    return v;
}

AnsiString TUCLIniCtrl::DecodeString(const AnsiString& Value)
{
    switch (CryptMode) {
    case TUCLIniCryptMode::icmKey: return UnscrambleString(Value, EncKey);
    case TUCLIniCryptMode::icmTextKey: return UnscrambleString(Decode6Bit(Value), EncKey);
    case TUCLIniCryptMode::icmCustom: break;
    }
    AnsiString v = Value;
    if (OnDecodeString)
        OnDecodeString(this, v);
    return v;
}

AnsiString TUCLIniCtrl::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default)
{
    const AnsiString section = SectionName(Section);
    std::unique_ptr<TCustomIniFile> store;
    if (UsesRegistry())
        store = std::make_unique<TRegIniFile>(RootKey(), true, RegistryPath());
    else
        store = std::make_unique<TIniFile>(IniFileName());
    if (!Encoded)
        return store->ReadString(section, Ident, Default);
    return DecodeString(store->ReadString(section, Ident, EncodeString(Default)));
}

void TUCLIniCtrl::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value)
{
    const AnsiString section = SectionName(Section);
    const AnsiString value = Encoded ? EncodeString(Value) : Value;
    if (UsesRegistry()) {
        TRegIniFile key(RootKey(), false, RegistryPath());
        if (!key.WriteString(section, Ident, value))
            throw ERegistryException("Failed to set data for '" + Ident + "'");
    } else {
        TIniFile(IniFileName()).WriteString(section, Ident, value);
    }
}

void TUCLIniCtrl::DeleteKey(const AnsiString& Section, const AnsiString& Ident)
{
    const AnsiString section = SectionName(Section);
    if (UsesRegistry())
        TRegIniFile(RootKey(), false, RegistryPath()).DeleteKey(section, Ident);
    else
        TIniFile(IniFileName()).DeleteKey(section, Ident);
}
