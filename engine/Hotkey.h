// A key combination that a front-panel element or a hotkey component reacts
// to while the simulation runs. Keys are Windows virtual-key codes and the
// modifiers the Windows shift-state byte, because that is what project files
// store.
#pragma once

#include "platform/SysTypes.h"

#include <functional>
#include <vector>

class QKeyEvent;
class TWriter;
class TReader;

// Bits of the shift-state byte.
inline constexpr Byte ssShift = 0x01;
inline constexpr Byte ssAlt = 0x02;
inline constexpr Byte ssCtrl = 0x04;
inline constexpr Byte ssLeft = 0x08;
inline constexpr Byte ssRight = 0x10;
inline constexpr Byte ssMiddle = 0x20;
inline constexpr Byte ssDouble = 0x40;

class THotkey {
public:
    using TEvent = std::function<void(THotkey* Sender)>;

    // Builds HotkeyKeyNames in the current language when they do not exist.
    THotkey();

    bool Pressed = false;
    TEvent OnPress;
    TEvent OnRelease;
    Word Key = 0;             // virtual-key code; 0 = no hotkey
    Byte Shift = 0;           // shift-state byte the combination needs, all of it
    Integer ActionIndex = 0;  // which of the owner's actions it triggers

    // Fires OnPress once per press: auto-repeat and other shift states do not.
    void KeyDown(Word key, Byte shift);
    // Fires OnRelease when the pressed key goes up, whatever the modifiers do.
    void KeyUp(Word key);

    // Integer Key, Booleans Shift, Ctrl, Alt, Integer ActionIndex.
    void WriteData(TWriter& writer) const;
    void ReadData(TReader& reader);
};

// "Kein", " < 0 >" .. " < 9 >", " < A >" .. " < Z >", "<SPC>": the 38 keys the
// property sheet offers, fixed in the language of the first THotkey.
const std::vector<AnsiString>& HotkeyKeyNames();
// Forgets the names, so the next THotkey builds them anew (tests).
void ResetHotkeyKeyNames();

// List index <-> virtual-key code: 1..10 digits, 11..36 letters, 37 space;
// everything else 0.
Integer HotkeyIndexToKey(Integer index);
Integer HotkeyKeyToIndex(Integer key);

// The key and shift state a hotkey is matched with, from a key event: the
// platform's virtual-key code, except that the digit row gives the digit
// codes also when the layout puts another character there (Shift+1 on most
// layouts); the platform's shift-state byte with the mouse button bits of
// the buttons held at that moment.
Word VirtualKeyOf(const QKeyEvent& event);
Byte ShiftStateOf(const QKeyEvent& event);
