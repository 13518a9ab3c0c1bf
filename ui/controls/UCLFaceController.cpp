#include "ui/controls/UCLFaceController.h"

#include "ui/controls/UCLControl.h"

#include <QWidget>

#include <algorithm>
#include <cstring>

const std::array<TUCLPredefinedState, ControlStateCount>& PredefinedStates()
{
    static const std::array<TUCLPredefinedState, ControlStateCount> states = {{
        {"Disabled", {0, 0, 0, 0, 0, 0, 1}},
        {"Error", {0, 0, 0, 0, 0, 1, 2}},
        {"Focused", {1, 0, 0, 0, 0, 2, 2}},
        {"ReadOnly", {2, 0, 0, 0, 1, 2, 2}},
        {"Hot", {2, 1, 0, 0, 2, 2, 2}},
        {"Pressed", {2, 2, 1, 0, 2, 2, 2}},
        {"Modified", {2, 2, 2, 1, 2, 2, 2}},
        {"Normal", {2, 2, 2, 2, 2, 2, 2}},
    }};
    return states;
}

const std::array<const char*, 7>& ControlStateFlagNames()
{
    static const std::array<const char*, 7> names = {"Focused", "MouseAbove", "Down", "Modified",
                                                     "ReadOnly", "WrongData", "Disabled"};
    return names;
}

int MatchControlState(const TUCLStatePattern& Flags)
{
    const auto& states = PredefinedStates();
    for (int k = 0; k < ControlStateCount; ++k) {
        bool match = true;
        for (int f = 0; f < 7 && match; ++f)
            match = states[k].Pattern[f] == 0 || states[k].Pattern[f] == Flags[f];
        if (match)
            return k;
    }
    return NormalState;
}

TUCLStatePattern NormalizeStatePattern(const TUCLStatePattern& Pattern)
{
    for (const TUCLPredefinedState& state : PredefinedStates())
        if (state.Pattern == Pattern)
            return Pattern;
    return PredefinedStates()[NormalState].Pattern;
}

TUCLStatePattern ControlStateFlags(const QWidget* Control)
{
    bool flags[7] = {};
    if (const auto* c = dynamic_cast<const IUCLFaceControlled*>(Control)) {
        flags[0] = c->StateFocused();
        flags[1] = c->StateMouseAbove();
        flags[6] = !c->StateEnabled();
    } else if (Control) {
        flags[6] = !Control->isEnabled();
    }
    if (const auto* b = dynamic_cast<const IUCLFaceButton*>(Control))
        flags[2] = b->StateDown();
    if (const auto* e = dynamic_cast<const IUCLFaceEdit*>(Control)) {
        flags[3] = e->StateModified();
        flags[4] = e->StateReadOnly();
        flags[5] = e->StateWrongData();
    }
    TUCLStatePattern out{};
    for (int f = 0; f < 7; ++f)
        out[f] = flags[f] ? 1 : 2;
    return out;
}

// --- state objects ---

void TUCLCFCStateObject::ResolveSettings()
{
    FBound.assign(Settings.size(), nullptr);
    for (int k = int(Settings.size()) - 1; k >= 0; --k) {
        TUCLObject* object = FController ? FController->SettingObjects().Find(Settings[k]) : nullptr;
        if (!object) {
            Settings.erase(Settings.begin() + k);
            FBound.erase(FBound.begin() + k);
        } else {
            FBound[k] = object;
        }
    }
}

void TUCLCFCStateObject::Assign(const TUCLCFCStateObject& Source)
{
    Kind = Source.Kind;
    Settings = Source.Settings;
    ResolveSettings();
}

void TUCLCFCStateObject::WriteKind(TWriter& Writer) const
{
    Writer.WriteValue(TValueType::vaList);
    for (Byte b : Kind)
        Writer.WriteInteger(b);
    Writer.WriteValue(TValueType::vaNull);
}

void TUCLCFCStateObject::ReadKind(TReader& Reader)
{
    if (Reader.ReadValue() != TValueType::vaList)
        throw EReadError(SInvalidPropertyValue);
    TUCLStatePattern pattern{};
    int count = 0;
    while (Reader.NextValue() != TValueType::vaNull) {
        const Integer value = Reader.ReadInteger();
        if (count >= 7)
            throw EReadError(SInvalidPropertyValue);
        pattern[count++] = Byte(value);
    }
    Reader.ReadValue();
    Kind = NormalizeStatePattern(pattern);
}

// --- controller ---

TUCLFaceController::TUCLFaceController(QObject* Owner)
    : TUCLCustomComponent(Owner), FSettingObjects(new TUCLCFCSettingObjects(this))
{
}

TUCLFaceController::~TUCLFaceController()
{
    FDestroying = true;
    // The controls forget the controller as it goes.
    for (const QPointer<QWidget>& control : std::vector<QPointer<QWidget>>(FControls))
        if (auto* c = dynamic_cast<TUCLCustomControl*>(control.data()))
            c->SetFaceController(nullptr);
    FStates.Clear();
}

TUCLCFCStateObject& TUCLCFCStateObjects::Add()
{
    FItems.push_back(std::make_unique<TUCLCFCStateObject>(FController));
    return *FItems.back();
}

void TUCLCFCStateObjects::ResolveAll()
{
    for (auto& state : FItems)
        state->ResolveSettings();
}

void TUCLCFCStateObjects::Assign(const TUCLCFCStateObjects& Source)
{
    if (&Source == this)
        return;
    FItems.clear();
    for (const auto& state : Source.FItems)
        Add().Assign(*state);
}

void TUCLFaceController::Loaded()
{
    TUCLCustomComponent::Loaded();
    ResolveAll();
}

void TUCLFaceController::RegisterControl(QWidget* Control)
{
    if (Control && std::find(FControls.begin(), FControls.end(), Control) == FControls.end())
        FControls.emplace_back(Control);
}

void TUCLFaceController::UnregisterControl(QWidget* Control)
{
    if (FDestroying)
        return;
    FControls.erase(std::remove_if(FControls.begin(), FControls.end(),
                                   [Control](const QPointer<QWidget>& c) { return !c || c == Control; }),
                    FControls.end());
}

std::vector<QWidget*> TUCLFaceController::Controls() const
{
    std::vector<QWidget*> out;
    for (const QPointer<QWidget>& c : FControls)
        if (c)
            out.push_back(c);
    return out;
}

TUCLCFCStateObject* TUCLFaceController::FindStateObject(const QWidget* Control) const
{
    const TUCLStatePattern& wanted = PredefinedStates()[MatchControlState(ControlStateFlags(Control))].Pattern;
    for (int k = 0; k < FStates.Count(); ++k)
        if (FStates.Item(k).Kind == wanted)
            return &FStates.Item(k);
    return nullptr;
}

TUCLObject* TUCLFaceController::FindSetting(const QWidget* Control, const TClassInfo& Class) const
{
    const TUCLCFCStateObject* state = FindStateObject(Control);
    if (!state)
        return nullptr;
    for (std::size_t k = 0; k < state->Settings.size(); ++k) {
        TUCLObject* object = state->Bound(int(k));
        if (object && object->ClassType().InheritsFrom(Class))
            return object;
    }
    return nullptr;
}

void TUCLFaceController::Assign(const TUCLFaceController& Source)
{
    if (&Source == this)
        return;
    FSettingObjects->Assign(*Source.FSettingObjects);
    FStates.Assign(Source.FStates);
}

namespace {

constexpr char Signature[4] = {'T', 'P', 'F', '0'};

}   // namespace

std::vector<Byte> TUCLFaceController::SettingsBlock() const
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.Write(Signature, 4);
        WritePropName(writer, FSettingObjects->ClassName());
        WritePropName(writer, "");
        if (FSettingObjects->Count() > 0) {
            WritePropName(writer, "Settings");
            FSettingObjects->WriteSettings(writer);
        }
        writer.WriteValue(TValueType::vaNull);   // end of the properties
        writer.WriteValue(TValueType::vaNull);   // no children
    }
    return stream.Bytes();
}

void TUCLFaceController::ReadSettingsBlock(const std::vector<Byte>& Block)
{
    TMemoryStream stream(Block);
    TUCLCFCSettingObjects read;
    {
        TReader reader(stream);
        char signature[4];
        reader.Read(signature, 4);
        if (std::memcmp(signature, Signature, 4) != 0)
            throw EReadError("Ung\xFCltiges Stream-Format");
        if (ReadPropName(reader) != read.ClassName())
            throw EReadError(SInvalidPropertyValue);
        ReadPropName(reader);   // the component's name
        while (reader.NextValue() != TValueType::vaNull) {
            if (ReadPropName(reader) != "Settings")
                throw EReadError(SInvalidPropertyValue);
            read.ReadSettings(reader);
        }
        reader.ReadValue();
        if (reader.ReadValue() != TValueType::vaNull)
            throw EReadError(SInvalidPropertyValue);
    }
    FSettingObjects->Assign(read);
    ResolveAll();
}
