// Named string settings in an INI file or the registry, with per-user
// sections and optional encoding of the stored values. Controls that
// remember settings (the list box with header) read and write through it.
#pragma once

#include "ui/controls/UCLBase.h"
#include "ui/controls/UCLProcs.h"

#include <functional>

enum class TUCLRegRootKey : Byte { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
enum class TUCLIniTarget : Byte { itIniFile, itRegistry, itAuto };
enum class TUCLIniCryptMode : Byte { icmKey, icmTextKey, icmCustom };

using TUCLIniCryptEvent = std::function<void(TPersistent* Sender, AnsiString& Value)>;

// Each byte xor the high byte of a 16-bit register that advances with the
// output byte (scramble) or the input byte (unscramble); the length stays.
AnsiString ScrambleString(const AnsiString& S, Word Key);
AnsiString UnscrambleString(const AnsiString& S, Word Key);
// "<length>:" and four characters 48 + a 6-bit value per three bytes (the
// text padded with blanks); decoding takes any text and never reads beyond
// it: missing characters count as "0", the result is cut to the stored
// length (0 when that is not a number).
AnsiString Encode6Bit(const AnsiString& S);
AnsiString Decode6Bit(const AnsiString& S);

class TUCLIniCtrl : public TUCLCustomComponent {
    ZK_CLASS(TUCLIniCtrl, TUCLCustomComponent)
public:
    static constexpr Word DefaultEncKey = 0x4B7A;

    explicit TUCLIniCtrl(QObject* Owner = nullptr);

    bool AlphaCounter() const { return FAlphaCounter; }
    void SetAlphaCounter(bool Value);
    bool Common = true;
    const AnsiString& IniFile() const { return FIniFile; }
    void SetIniFile(const AnsiString& Value);
    TUCLPathPrefix IniPrefix = ppWindows;
    Byte MaxEntries() const { return FMaxEntries; }
    void SetMaxEntries(Byte Value);
    bool NetUser() const { return FNetUser; }
    void SetNetUser(bool Value);
    AnsiString User;
    AnsiString RegPath;
    TUCLRegRootKey RegRoot = TUCLRegRootKey::rpCurrentUser;
    TUCLIniTarget Target() const { return FTarget; }
    void SetTarget(TUCLIniTarget Value);
    Word EncKey = DefaultEncKey;
    bool Encoded = false;
    TUCLIniCryptMode CryptMode = TUCLIniCryptMode::icmKey;
    TUCLIniCryptEvent OnEncodeString, OnDecodeString;

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default);
    // A write the store refuses raises ERegistryException (registry) or is
    // lost like the profile functions' (INI file).
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident);

    AnsiString IniFileName() const;
    AnsiString RegistryPath() const;
    // Remembered as the last section used.
    AnsiString SectionName(const AnsiString& Section);
    // The registry root of RegRoot.
    Cardinal RootKey() const;
    bool UsesRegistry() const { return FEffectiveTarget == 1; }

    virtual AnsiString GetNetUserName() const;
    virtual AnsiString EncodeString(const AnsiString& Value);
    virtual AnsiString DecodeString(const AnsiString& Value);

private:
    bool FAlphaCounter = false;
    AnsiString FIniFile;
    Byte FMaxEntries = 16;
    bool FNetUser = false;
    TUCLIniTarget FTarget = TUCLIniTarget::itAuto;
    int FEffectiveTarget = 1;
    AnsiString FLastSection;
};
