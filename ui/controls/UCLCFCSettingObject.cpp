#include "ui/controls/UCLCFCSettingObject.h"

#include "platform/AnsiText.h"
#include "ui/controls/UCLBevel.h"
#include "ui/controls/UCLBitmapEffect.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLFillObject.h"

#include <cstdio>
#include <string_view>

namespace {

bool SameText(const AnsiString& a, const AnsiString& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

[[noreturn]] void Invalid()
{
    throw EReadError(SInvalidPropertyValue);
}

AnsiString ReadShort(TReader& reader)
{
    Byte length = 0;
    reader.Read(&length, 1);
    AnsiString s(length, '\0');
    if (length)
        reader.Read(s.data(), length);
    return s;
}

void WriteShort(TWriter& writer, const AnsiString& s)
{
    const Byte length = Byte(std::min<std::size_t>(s.size(), 255));
    writer.Write(&length, 1);
    writer.Write(s.data(), length);
}

// Enumerations are stored by their identifiers.
template <std::size_t N>
void WriteIdent(TWriter& writer, const char* const (&names)[N], int value)
{
    writer.WriteValue(TValueType::vaIdent);
    WriteShort(writer, names[value >= 0 && std::size_t(value) < N ? value : 0]);
}

template <std::size_t N>
int ReadIdent(TReader& reader, const char* const (&names)[N])
{
    if (reader.ReadValue() != TValueType::vaIdent)
        Invalid();
    const AnsiString ident = ReadShort(reader);
    for (std::size_t k = 0; k < N; ++k)
        if (SameText(ident, names[k]))
            return int(k);
    Invalid();
}

const char* const FontStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const BevelModes[] = {"bmCustom", "bmStandard", "bmEdge", "bmWindows"};
const char* const BevelStyles[] = {"bvNone", "bvLowered", "bvRaised", "bvFrameLowered", "bvFrameRaised", "bvNormal",
                                   "bvShadow"};
const char* const BorderStyles[] = {"lsNone",          "lsSingle",       "lsLowered",       "lsRaised",
                                    "lsRaisedspb",     "lsLoweredspb",   "lsRaisedExt",     "lsLoweredExt",
                                    "lsFrameInset",    "lsFrameOffset",  "lsWindowBorder",  "lsSingleRaised",
                                    "lsSingleLowered", "lsDoubleRaised", "lsDoubleLowered"};
const char* const EdgeStyles[] = {"etRaisedInner", "etRaisedOuter", "etSunkenInner", "etSunkenOuter",
                                  "etBump",        "etEtched",      "etRaised",      "etSunken"};
const char* const FrameSides[] = {"fsBottom", "fsLeft", "fsRight", "fsTop"};
const char* const DisabledStyles[] = {"dsAuto", "dsStandard", "ds3d", "dsNone"};
const char* const Orientations[] = {"toBottomLeft", "toBottomRight", "toTopLeft", "toTopRight"};
const char* const ThreeDStyles[] = {"tdNone",         "tdSunken", "tdRaised",  "tdSunkenShadow",
                                    "tdRaisedShadow", "tdPColorSunken", "tdPColorRaised", "tdShadow",
                                    "tdOutline",      "tdExtrude", "tdExtrudeEnh"};

template <std::size_t N>
void WriteSet(TWriter& writer, const char* const (&names)[N], unsigned bits)
{
    writer.WriteValue(TValueType::vaSet);
    for (std::size_t k = 0; k < N; ++k)
        if (bits & (1u << k))
            WriteShort(writer, names[k]);
    WriteShort(writer, "");
}

template <std::size_t N>
unsigned ReadSet(TReader& reader, const char* const (&names)[N])
{
    if (reader.ReadValue() != TValueType::vaSet)
        Invalid();
    unsigned bits = 0;
    for (;;) {
        const AnsiString ident = ReadShort(reader);
        if (ident.empty())
            return bits;
        bool known = false;
        for (std::size_t k = 0; k < N; ++k)
            if (SameText(ident, names[k])) {
                bits |= 1u << k;
                known = true;
            }
        if (!known)
            Invalid();
    }
}

Byte ReadByteValue(TReader& reader)
{
    const Integer v = reader.ReadInteger();
    if (v < 0 || v > 255)
        Invalid();
    return Byte(v);
}

// The stored properties of one settings object. Fill and bitmap-effect
// objects hold nested objects and pictures that this list does not carry:
// they are written without properties and read back with their defaults.
void WriteObjectProperties(TWriter& w, const TUCLObject& object)
{
    auto integer = [&w](const char* name, Int64 value) {
        WritePropName(w, name);
        w.WriteInteger(value);
    };
    if (const auto* font = dynamic_cast<const TUCLFontObject*>(&object)) {
        integer("Color", Integer(font->Color));
        integer("Height", -font->Font.pixelSize());
        WritePropName(w, "Name");
        w.WriteString(QStringToAnsi(font->Font.family()));
        WritePropName(w, "Style");
        WriteSet(w, FontStyles, (font->Font.bold() ? 1 : 0) | (font->Font.italic() ? 2 : 0) |
                                    (font->Font.underline() ? 4 : 0) | (font->Font.strikeOut() ? 8 : 0));
    } else if (const auto* color = dynamic_cast<const TUCLColorObject*>(&object)) {
        integer("Color", Integer(color->Color()));
    } else if (const auto* ctl = dynamic_cast<const TUCLCtlSettings*>(&object)) {
        WritePropName(w, "Transparent");
        w.WriteBoolean(ctl->Transparent());
        WritePropName(w, "CtlXP");
        w.WriteBoolean(ctl->CtlXP());
    } else if (const auto* bevel = dynamic_cast<const TUCLBevel*>(&object)) {
        WritePropName(w, "BorderSides");
        WriteSet(w, FrameSides, bevel->BorderSides());
        integer("BorderColor", Integer(bevel->BorderColor()));
        integer("BorderInnerWidth", bevel->BorderInnerWidth());
        integer("BorderWidth", bevel->BorderWidth());
        WritePropName(w, "EdgeStyle");
        WriteIdent(w, EdgeStyles, int(bevel->EdgeStyle()));
        integer("LightColor", Integer(bevel->LightColor()));
        WritePropName(w, "Mode");
        WriteIdent(w, BevelModes, int(bevel->Mode()));
        integer("ShadowColor", Integer(bevel->ShadowColor()));
        WritePropName(w, "StandardStyle");
        WriteIdent(w, BorderStyles, int(bevel->StandardStyle()));
        WritePropName(w, "StyleInner");
        WriteIdent(w, BevelStyles, int(bevel->StyleInner()));
        WritePropName(w, "StyleOuter");
        WriteIdent(w, BevelStyles, int(bevel->StyleOuter()));
        integer("WidthInner", bevel->WidthInner());
        integer("WidthOuter", bevel->WidthOuter());
    } else if (const auto* caption = dynamic_cast<const TUCL3DCaption*>(&object)) {
        WritePropName(w, "DisabledStyle");
        WriteIdent(w, DisabledStyles, int(caption->DisabledStyle()));
        integer("LightColor", Integer(caption->LightColor()));
        integer("LightDepth", caption->LightDepth());
        WritePropName(w, "Orientation");
        WriteIdent(w, Orientations, int(caption->Orientation()));
        integer("ShadowColor", Integer(caption->ShadowColor()));
        integer("ShadowDepth", caption->ShadowDepth());
        WritePropName(w, "Style");
        WriteIdent(w, ThreeDStyles, int(caption->Style()));
        integer("Tracing", caption->Tracing());
        if (const auto* fx = dynamic_cast<const TUCLFxCaption*>(caption)) {
            integer("Angle", fx->Angle());
            integer("PosX", fx->PosX());
            integer("PosY", fx->PosY());
        }
    }
}

void ReadObjectProperty(TReader& r, TUCLObject& object, const AnsiString& name)
{
    auto is = [&name](const char* n) { return SameText(name, n); };
    if (auto* font = dynamic_cast<TUCLFontObject*>(&object)) {
        if (is("Color"))
            font->Color = TColor(r.ReadInteger());
        else if (is("Height"))
            font->Font.setPixelSize(std::clamp(std::abs(r.ReadInteger()), 1, 1000));
        else if (is("Name"))
            font->Font.setFamily(AnsiToQString(r.ReadString()));
        else if (is("Style")) {
            const unsigned bits = ReadSet(r, FontStyles);
            font->Font.setBold(bits & 1);
            font->Font.setItalic(bits & 2);
            font->Font.setUnderline(bits & 4);
            font->Font.setStrikeOut(bits & 8);
        } else
            Invalid();
        return;
    }
    if (auto* color = dynamic_cast<TUCLColorObject*>(&object)) {
        if (!is("Color"))
            Invalid();
        color->SetColor(TColor(r.ReadInteger()));
        return;
    }
    if (auto* ctl = dynamic_cast<TUCLCtlSettings*>(&object)) {
        if (is("Transparent"))
            ctl->SetOption(0, r.ReadBoolean());
        else if (is("CtlXP"))
            ctl->SetOption(1, r.ReadBoolean());
        else
            Invalid();
        return;
    }
    if (auto* bevel = dynamic_cast<TUCLBevel*>(&object)) {
        if (is("BorderSides"))
            bevel->SetBorderSides(TUCLFrameSides(ReadSet(r, FrameSides)));
        else if (is("BorderColor"))
            bevel->SetColor(0, TColor(r.ReadInteger()));
        else if (is("LightColor"))
            bevel->SetColor(1, TColor(r.ReadInteger()));
        else if (is("ShadowColor"))
            bevel->SetColor(2, TColor(r.ReadInteger()));
        else if (is("BorderInnerWidth"))
            bevel->SetBorderInnerWidth(r.ReadInteger());
        else if (is("BorderWidth"))
            bevel->SetBorderWidth(r.ReadInteger());
        else if (is("EdgeStyle"))
            bevel->SetEdgeStyle(TUCLEdgeStyle(ReadIdent(r, EdgeStyles)));
        else if (is("Mode"))
            bevel->SetMode(TUCLBevelMode(ReadIdent(r, BevelModes)));
        else if (is("StandardStyle"))
            bevel->SetStandardStyle(TUCLBorderStyle(ReadIdent(r, BorderStyles)));
        else if (is("StyleInner"))
            bevel->SetStyleInner(TUCLBevelStyle(ReadIdent(r, BevelStyles)));
        else if (is("StyleOuter"))
            bevel->SetStyleOuter(TUCLBevelStyle(ReadIdent(r, BevelStyles)));
        else if (is("WidthInner"))
            bevel->SetWidthInner(r.ReadInteger());
        else if (is("WidthOuter"))
            bevel->SetWidthOuter(r.ReadInteger());
        else
            Invalid();
        return;
    }
    if (auto* caption = dynamic_cast<TUCL3DCaption*>(&object)) {
        auto* fx = dynamic_cast<TUCLFxCaption*>(caption);
        if (is("DisabledStyle"))
            caption->SetDisabledStyle(TUCLDisabledStyle(ReadIdent(r, DisabledStyles)));
        else if (is("LightColor"))
            caption->SetColor(0, TColor(r.ReadInteger()));
        else if (is("ShadowColor"))
            caption->SetColor(1, TColor(r.ReadInteger()));
        else if (is("LightDepth"))
            caption->SetDepth(0, ReadByteValue(r));
        else if (is("ShadowDepth"))
            caption->SetDepth(1, ReadByteValue(r));
        else if (is("Orientation"))
            caption->SetOrientation(TUCLThreeDOrientation(ReadIdent(r, Orientations)));
        else if (is("Style"))
            caption->SetStyle(TUCLThreeDStyle(ReadIdent(r, ThreeDStyles)));
        else if (is("Tracing"))
            caption->SetTracing(r.ReadInteger());
        else if (fx && is("Angle"))
            fx->SetAngle(r.ReadInteger());
        else if (fx && is("PosX"))
            fx->SetPos(0, Word(std::clamp(r.ReadInteger(), 0, 65535)));
        else if (fx && is("PosY"))
            fx->SetPos(1, Word(std::clamp(r.ReadInteger(), 0, 65535)));
        else
            Invalid();
        return;
    }
    Invalid();
}

}   // namespace

void WritePropName(TWriter& Writer, const AnsiString& Name)
{
    WriteShort(Writer, Name);
}

AnsiString ReadPropName(TReader& Reader)
{
    return ReadShort(Reader);
}

AnsiString ColorToString(TColor Color)
{
    static const struct {
        Cardinal Value;
        const char* Name;
    } names[] = {
        {0x000000, "clBlack"},       {0x000080, "clMaroon"},      {0x008000, "clGreen"},
        {0x008080, "clOlive"},       {0x800000, "clNavy"},        {0x800080, "clPurple"},
        {0x808000, "clTeal"},        {0x808080, "clGray"},        {0xC0C0C0, "clSilver"},
        {0x0000FF, "clRed"},         {0x00FF00, "clLime"},        {0x00FFFF, "clYellow"},
        {0xFF0000, "clBlue"},        {0xFF00FF, "clFuchsia"},     {0xFFFF00, "clAqua"},
        {0xFFFFFF, "clWhite"},       {0x1FFFFFFF, "clNone"},      {0x20000000, "clDefault"},
        {0x80000000, "clScrollBar"}, {0x80000001, "clBackground"}, {0x80000002, "clActiveCaption"},
        {0x80000003, "clInactiveCaption"}, {0x80000004, "clMenu"}, {0x80000005, "clWindow"},
        {0x80000006, "clWindowFrame"}, {0x80000007, "clMenuText"}, {0x80000008, "clWindowText"},
        {0x80000009, "clCaptionText"}, {0x8000000A, "clActiveBorder"}, {0x8000000B, "clInactiveBorder"},
        {0x8000000C, "clAppWorkSpace"}, {0x8000000D, "clHighlight"}, {0x8000000E, "clHighlightText"},
        {0x8000000F, "clBtnFace"},   {0x80000010, "clBtnShadow"}, {0x80000011, "clGrayText"},
        {0x80000012, "clBtnText"},   {0x80000013, "clInactiveCaptionText"}, {0x80000014, "clBtnHighlight"},
        {0x80000015, "cl3DDkShadow"}, {0x80000016, "cl3DLight"}, {0x80000017, "clInfoText"},
        {0x80000018, "clInfoBk"},
    };
    for (const auto& n : names)
        if (n.Value == Cardinal(Color))
            return n.Name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.8X", unsigned(Color));
    return buffer;
}

// --- settings objects ---

const TClassInfo& TUCLFontObject::StaticClass()
{
    static const TClassInfo info{"TFont", &TUCLObject::StaticClass(), [](const TClassInfo&) -> TPersistent* { return new TUCLFontObject; }};
    return info;
}

void TUCLFontObject::SetFont(const QFont& Value, TColor FontColor)
{
    Font = Value;
    Color = FontColor;
    Changed();
}

void TUCLFontObject::Assign(const TUCLObject& Source)
{
    const TUCLFontObject* src = AssignSource<TUCLFontObject, TUCLObject>(*this, Source);
    if (!src)
        return;
    SetFont(src->Font, src->Color);
}

void TUCLColorObject::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TUCLColorObject::Assign(const TUCLObject& Source)
{
    const TUCLColorObject* src = AssignSource<TUCLColorObject, TUCLObject>(*this, Source);
    if (!src)
        return;
    FColor = src->FColor;
    Changed();
}

AnsiString TUCLColorObject::SummaryText() const
{
    return ColorToString(FColor);
}

void TUCLCtlSettings::SetOption(int Index, bool Value)
{
    bool& field = Index == 0 ? FTransparent : FCtlXP;
    if (Index < 0 || Index > 1 || field == Value)
        return;
    field = Value;
    Changed();
}

void TUCLCtlSettings::Assign(const TUCLObject& Source)
{
    const TUCLCtlSettings* src = AssignSource<TUCLCtlSettings, TUCLObject>(*this, Source);
    if (!src)
        return;
    FTransparent = src->FTransparent;
    FCtlXP = src->FCtlXP;
    Changed();
}

AnsiString TUCLCtlSettings::SummaryText() const
{
    return AnsiString("Transp.: ") + (FTransparent ? "True" : "False") + ", CtlXP: " + (FCtlXP ? "True" : "False");
}

// --- the named list ---

TUCLCFCSettingObjects::~TUCLCFCSettingObjects()
{
    ClearSettings();
}

int TUCLCFCSettingObjects::IndexOf(const AnsiString& Name) const
{
    for (int k = 0; k < Count(); ++k)
        if (SameText(FEntries[k].Name, Name))
            return k;
    return -1;
}

TUCLObject* TUCLCFCSettingObjects::Find(const AnsiString& Name) const
{
    const int index = IndexOf(Name);
    return index < 0 ? nullptr : FEntries[index].Object.get();
}

int TUCLCFCSettingObjects::AddSetting(TUCLObject* Object, AnsiString Name)
{
    if (!Object)
        return -1;
    if (Name.empty())
        Name = UniqueSettingName(Object->ClassName());
    FEntries.push_back({Name, std::unique_ptr<TUCLObject>(Object)});
    return Count() - 1;
}

AnsiString TUCLCFCSettingObjects::UniqueSettingName(const AnsiString& Prefix) const
{
    for (int k = 0;; ++k) {
        const AnsiString name = Prefix + std::to_string(k);
        if (IndexOf(name) < 0)
            return name;
    }
}

void TUCLCFCSettingObjects::ClearSettings()
{
    while (!FEntries.empty())
        FEntries.pop_back();
}

const TClassInfo* TUCLCFCSettingObjects::AcceptedClass(const AnsiString& Name)
{
    const TClassInfo* accepted[] = {
        &TUCLFontObject::StaticClass(), &TUCL3DCaption::StaticClass(),  &TUCLFxCaption::StaticClass(),
        &TUCLBevel::StaticClass(),      &TUCLBitmapEffectObject::StaticClass(), &TUCLFillObject::StaticClass(),
        &TUCLColorObject::StaticClass(), &TUCLCtlSettings::StaticClass(),
    };
    for (const TClassInfo* info : accepted)
        if (SameText(Name, info->Name))
            return info;
    return nullptr;
}

TUCLObject* TUCLCFCSettingObjects::CreateSettingObject(const TClassInfo& Class)
{
    const TClassInfo* accepted = AcceptedClass(Class.Name);
    if (accepted != &Class || !Class.Create)
        return nullptr;
    return dynamic_cast<TUCLObject*>(Class.Create(Class));
}

void TUCLCFCSettingObjects::Assign(const TUCLCFCSettingObjects& Source)
{
    if (&Source == this)
        return;
    ClearSettings();
    FEntries.reserve(Source.FEntries.capacity());
    for (const TEntry& entry : Source.FEntries) {
        if (!entry.Object)
            continue;
        TUCLObject* copy = CreateSettingObject(entry.Object->ClassType());
        if (!copy)
            continue;
        copy->Assign(*entry.Object);
        AddSetting(copy, entry.Name);
    }
}

void TUCLCFCSettingObjects::WriteSettings(TWriter& Writer) const
{
    Writer.WriteValue(TValueType::vaList);
    for (const TEntry& entry : FEntries) {
        Writer.WriteValue(TValueType::vaList);
        Writer.WriteString(entry.Object->ClassName());
        Writer.WriteString(entry.Name);
        Writer.WriteValue(TValueType::vaNull);
        Writer.WriteValue(TValueType::vaList);
        WriteObjectProperties(Writer, *entry.Object);
        Writer.WriteValue(TValueType::vaNull);
    }
    Writer.WriteValue(TValueType::vaNull);
}

void TUCLCFCSettingObjects::ReadSettings(TReader& Reader)
{
    // Read into a list of its own, so a damaged list changes nothing.
    std::vector<TEntry> read;
    if (Reader.ReadValue() != TValueType::vaList)
        Invalid();
    while (Reader.NextValue() != TValueType::vaNull) {
        if (Reader.ReadValue() != TValueType::vaList)
            Invalid();
        const AnsiString className = Reader.ReadString();
        const AnsiString name = Reader.ReadString();
        if (Reader.ReadValue() != TValueType::vaNull)
            Invalid();
        const TClassInfo* info = AcceptedClass(className);
        std::unique_ptr<TUCLObject> object(info ? CreateSettingObject(*info) : nullptr);
        if (!object)
            throw EReadError("Klasse " + className + " nicht gefunden");
        if (Reader.ReadValue() != TValueType::vaList)
            Invalid();
        while (Reader.NextValue() != TValueType::vaNull)
            ReadObjectProperty(Reader, *object, ReadPropName(Reader));
        Reader.ReadValue();
        read.push_back({name, std::move(object)});
    }
    Reader.ReadValue();
    ClearSettings();
    FEntries = std::move(read);
}
