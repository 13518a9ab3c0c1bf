// The face controller: lets library controls change their look with their
// state (focused, under the mouse, pressed, modified, read-only, holding
// wrong data, disabled). It owns named settings objects and a list of
// states; a control that points to it asks, through its current-look
// queries, for the setting of the state it is in.
#pragma once

#include "ui/controls/UCLCFCSettingObject.h"

#include <QPointer>

#include <array>
#include <vector>

class QWidget;

// Seven bytes, one per flag (Focused, MouseAbove, Down, Modified, ReadOnly,
// WrongData, Disabled): 0 any, 1 set, 2 clear.
using TUCLStatePattern = std::array<Byte, 7>;
inline constexpr int ControlStateCount = 8;

struct TUCLPredefinedState {
    const char* Name;
    TUCLStatePattern Pattern;
};
// "Disabled", "Error", "Focused", "ReadOnly", "Hot", "Pressed", "Modified",
// "Normal", in matching order.
const std::array<TUCLPredefinedState, ControlStateCount>& PredefinedStates();
inline constexpr int NormalState = ControlStateCount - 1;
// Names of the seven flags.
const std::array<const char*, 7>& ControlStateFlagNames();
// The first predefined state whose every byte is 0 or equal to the control's
// flag (1 set, 2 clear); Normal when none matches.
int MatchControlState(const TUCLStatePattern& Flags);
// The predefined state equal to Pattern in all seven bytes, else Normal's.
TUCLStatePattern NormalizeStatePattern(const TUCLStatePattern& Pattern);
// A control's current flags, each 1 or 2; interfaces it lacks answer false.
TUCLStatePattern ControlStateFlags(const QWidget* Control);

class TUCLFaceController;

// One state: its pattern and the settings that apply in it.
class TUCLCFCStateObject {
public:
    explicit TUCLCFCStateObject(TUCLFaceController* Controller) : FController(Controller) {}

    TUCLStatePattern Kind = PredefinedStates()[NormalState].Pattern;
    // Setting names; ResolveSettings binds them to the controller's objects.
    std::vector<AnsiString> Settings;
    TUCLObject* Bound(int Index) const { return Index < int(FBound.size()) ? FBound[Index] : nullptr; }

    // From the last name to the first: unknown names are deleted, known ones bound.
    void ResolveSettings();
    void Assign(const TUCLCFCStateObject& Source);

    // The "Kind" property: a list of the seven bytes as integers. Reading
    // takes up to seven values (missing ones 0; more than seven is a read
    // error) and keeps the predefined pattern equal to them, else Normal.
    void WriteKind(TWriter& Writer) const;
    void ReadKind(TReader& Reader);

private:
    TUCLFaceController* FController;
    std::vector<TUCLObject*> FBound;
};

// The controller's states, in collection order; they bind their setting
// names to the controller's setting objects.
class TUCLCFCStateObjects {
public:
    explicit TUCLCFCStateObjects(TUCLFaceController* Controller) : FController(Controller) {}

    int Count() const { return int(FItems.size()); }
    TUCLCFCStateObject& Item(int Index) const { return *FItems[Index]; }
    TUCLCFCStateObject& Add();
    void Clear() { FItems.clear(); }
    void ResolveAll();
    void Assign(const TUCLCFCStateObjects& Source);

private:
    TUCLFaceController* FController;
    std::vector<std::unique_ptr<TUCLCFCStateObject>> FItems;
};

class TUCLFaceController : public TUCLCustomComponent {
    ZK_CLASS(TUCLFaceController, TUCLCustomComponent)
public:
    explicit TUCLFaceController(QObject* Owner = nullptr);
    ~TUCLFaceController() override;

    TUCLCFCSettingObjects& SettingObjects() { return *FSettingObjects; }
    const TUCLCFCSettingObjects& SettingObjects() const { return *FSettingObjects; }

    TUCLCFCStateObjects& States() { return FStates; }
    const TUCLCFCStateObjects& States() const { return FStates; }
    int StateCount() const { return FStates.Count(); }
    TUCLCFCStateObject& State(int Index) { return FStates.Item(Index); }
    TUCLCFCStateObject& AddState() { return FStates.Add(); }
    void ClearStates() { FStates.Clear(); }
    void ResolveAll() { FStates.ResolveAll(); }
    void Loaded() override;

    void RegisterControl(QWidget* Control);
    void UnregisterControl(QWidget* Control);
    std::vector<QWidget*> Controls() const;

    // The first state object whose Kind is the control's matched state.
    TUCLCFCStateObject* FindStateObject(const QWidget* Control) const;
    // The first setting of that state of Class (or derived from it).
    TUCLObject* FindSetting(const QWidget* Control, const TClassInfo& Class) const;
    template <class T>
    T* Find(const QWidget* Control) const
    {
        return dynamic_cast<T*>(FindSetting(Control, T::StaticClass()));
    }

    void Assign(const TUCLFaceController& Source);

    // The "Settings" property: raw bytes holding the component stream of the
    // setting objects. Damaged bytes raise EReadError and change nothing.
    std::vector<Byte> SettingsBlock() const;
    void ReadSettingsBlock(const std::vector<Byte>& Block);

private:
    TUCLCFCSettingObjects* FSettingObjects;
    TUCLCFCStateObjects FStates{this};
    std::vector<QPointer<QWidget>> FControls;
    bool FDestroying = false;
};
