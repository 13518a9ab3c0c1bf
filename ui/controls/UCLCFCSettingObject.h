// The settings a face controller hands to its controls per state: a named
// list of owned settings objects of eight accepted classes (font, 3D and
// effect caption, bevel, bitmap effect, fill, colour and control settings),
// and the two small settings objects only the face controller uses.
#pragma once

#include "ui/controls/UCLBase.h"

#include "platform/Colors.h"
#include "platform/Stream.h"

#include <QFont>
#include <QObject>

#include <memory>
#include <vector>

// A font as a settings object (stored under the class name "TFont").
class TUCLFontObject : public TUCLObject {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    QFont Font;
    TColor Color = clWindowText;
    void SetFont(const QFont& Value, TColor FontColor);
    void Assign(const TUCLObject& Source) override;
};

class TUCLColorObject : public TUCLObject {
    ZK_CLASS(TUCLColorObject, TUCLObject)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    void Assign(const TUCLObject& Source) override;
    // The colour's name ("clBtnFace", or "$00BBGGRR").
    AnsiString SummaryText() const override;

private:
    TColor FColor = clBtnFace;
};

class TUCLCtlSettings : public TUCLObject {
    ZK_CLASS(TUCLCtlSettings, TUCLObject)
public:
    // Index 0 Transparent, 1 CtlXP.
    bool Option(int Index) const { return Index == 0 ? FTransparent : FCtlXP; }
    void SetOption(int Index, bool Value);
    bool Transparent() const { return FTransparent; }
    bool CtlXP() const { return FCtlXP; }
    void Assign(const TUCLObject& Source) override;
    // "Transp.: False, CtlXP: True"
    AnsiString SummaryText() const override;

private:
    bool FTransparent = false;
    bool FCtlXP = true;
};

// The colour's name as the class library spells it.
AnsiString ColorToString(TColor Color);

// Named, owned settings objects.
class TUCLCFCSettingObjects : public QObject, public TPersistent {
    ZK_CLASS(TUCLCFCSettingObjects, TPersistent)
public:
    explicit TUCLCFCSettingObjects(QObject* Owner = nullptr) : QObject(Owner) {}
    ~TUCLCFCSettingObjects() override;

    int Count() const { return int(FEntries.size()); }
    const AnsiString& Name(int Index) const { return FEntries[Index].Name; }
    TUCLObject* Object(int Index) const { return FEntries[Index].Object.get(); }
    int IndexOf(const AnsiString& Name) const;   // ignoring case; -1 when absent
    TUCLObject* Find(const AnsiString& Name) const;

    // Takes Object over under Name (an empty name becomes a unique one from
    // the class name); -1 and nothing kept for no object.
    int AddSetting(TUCLObject* Object, AnsiString Name);
    // Prefix followed by the first number from 0 not yet used as a name.
    AnsiString UniqueSettingName(const AnsiString& Prefix) const;
    void ClearSettings();
    // A new object of one of the eight accepted classes; nullptr for others.
    static TUCLObject* CreateSettingObject(const TClassInfo& Class);
    static const TClassInfo* AcceptedClass(const AnsiString& Name);
    void Assign(const TUCLCFCSettingObjects& Source);

    // The "Settings" property: a list of (class name, entry name) and the
    // object's stored properties per entry. Reading raises EReadError for
    // anything it does not know and then keeps no entry of the list.
    void WriteSettings(TWriter& Writer) const;
    void ReadSettings(TReader& Reader);

private:
    struct TEntry {
        AnsiString Name;
        std::unique_ptr<TUCLObject> Object;
    };
    std::vector<TEntry> FEntries;
};

// The class library's property encoding: a property name is a length byte
// and its characters, then the tagged value.
void WritePropName(TWriter& Writer, const AnsiString& Name);
AnsiString ReadPropName(TReader& Reader);
