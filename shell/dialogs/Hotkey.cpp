#include "shell/dialogs/Hotkey.h"

#include "engine/Language.h"
#include "platform/Stream.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <memory>

namespace {

std::unique_ptr<std::vector<AnsiString>>& KeyNames()
{
    static std::unique_ptr<std::vector<AnsiString>> names;
    return names;
}

struct TKeyMapping {
    int QtKey;
    Word VirtualKey;
};

// Keys whose virtual-key code is not their character code. Letters, digits
// and the blank are handled before this table.
constexpr TKeyMapping KeyTable[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09},
    {Qt::Key_Clear, 0x0C}, {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10}, {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},
    {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14}, {Qt::Key_Escape, 0x1B},
    {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28}, {Qt::Key_Select, 0x29},
    {Qt::Key_Printer, 0x2A}, {Qt::Key_Execute, 0x2B}, {Qt::Key_Print, 0x2C},
    {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E}, {Qt::Key_Help, 0x2F},
    {Qt::Key_Meta, 0x5B}, {Qt::Key_Super_L, 0x5B}, {Qt::Key_Super_R, 0x5C},
    {Qt::Key_Menu, 0x5D}, {Qt::Key_Sleep, 0x5F},
    {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Equal, 0xBB}, {Qt::Key_Plus, 0xBB},
    {Qt::Key_Comma, 0xBC}, {Qt::Key_Minus, 0xBD}, {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF}, {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_Backslash, 0xDC}, {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
};

// The number block's keys other than its digits.
constexpr TKeyMapping KeypadTable[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E}, {Qt::Key_Comma, 0x6E}, {Qt::Key_Slash, 0x6F},
    {Qt::Key_Enter, 0x0D},
};

Word Lookup(const TKeyMapping* begin, const TKeyMapping* end, int key)
{
    for (auto* m = begin; m != end; ++m)
        if (m->QtKey == key)
            return m->VirtualKey;
    return 0;
}

// X11 and Wayland report the digit row as key codes 10 ("1") to 19 ("0")
// whatever character the layout gives it.
constexpr quint32 FirstDigitRowCode = 10;
constexpr quint32 LastDigitRowCode = 19;

}   // namespace

THotkey::THotkey()
{
    HotkeyKeyNames();
}

void THotkey::KeyDown(Word key, Byte shift)
{
    if (Key == 0 || Pressed || key != Key || shift != Shift)
        return;
    Pressed = true;
    if (OnPress)
        OnPress(this);
}

void THotkey::KeyUp(Word key)
{
    if (Key == 0 || !Pressed || key != Key)
        return;
    Pressed = false;
    if (OnRelease)
        OnRelease(this);
}

void THotkey::WriteData(TWriter& writer) const
{
    writer.WriteInteger(Key);
    writer.WriteBoolean(Shift & ssShift);
    writer.WriteBoolean(Shift & ssCtrl);
    writer.WriteBoolean(Shift & ssAlt);
    writer.WriteInteger(ActionIndex);
}

void THotkey::ReadData(TReader& reader)
{
    Key = static_cast<Word>(reader.ReadInteger());
    Shift = 0;
    if (reader.ReadBoolean())
        Shift |= ssShift;
    if (reader.ReadBoolean())
        Shift |= ssCtrl;
    if (reader.ReadBoolean())
        Shift |= ssAlt;
    ActionIndex = reader.ReadInteger();
}

const std::vector<AnsiString>& HotkeyKeyNames()
{
    auto& names = KeyNames();
    if (!names) {
        names = std::make_unique<std::vector<AnsiString>>();
        names->push_back(Translate("Kein"));
        for (char c = '0'; c <= '9'; ++c)
            names->push_back(AnsiString(" < ") + c + " >");
        for (char c = 'A'; c <= 'Z'; ++c)
            names->push_back(AnsiString(" < ") + c + " >");
        names->push_back("<SPC>");
    }
    return *names;
}

void ResetHotkeyKeyNames()
{
    KeyNames().reset();
}

Integer HotkeyIndexToKey(Integer index)
{
    if (index >= 1 && index <= 10)
        return '0' + index - 1;
    if (index >= 11 && index <= 36)
        return 'A' + index - 11;
    if (index == 37)
        return ' ';
    return 0;
}

Integer HotkeyKeyToIndex(Integer key)
{
    if (key >= '0' && key <= '9')
        return key - '0' + 1;
    if (key >= 'A' && key <= 'Z')
        return key - 'A' + 11;
    if (key == ' ')
        return 37;
    return 0;
}

Word VirtualKeyOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<Word>(0x60 + key - Qt::Key_0);
        if (Word vk = Lookup(std::begin(KeypadTable), std::end(KeypadTable), key))
            return vk;
    }
    const quint32 code = event.nativeScanCode();
    if (code >= FirstDigitRowCode && code <= LastDigitRowCode)
        return static_cast<Word>(code == LastDigitRowCode ? '0' : '1' + (code - FirstDigitRowCode));
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space)
        return static_cast<Word>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<Word>(0x70 + key - Qt::Key_F1);
    return Lookup(std::begin(KeyTable), std::end(KeyTable), key);
}

Byte ShiftStateOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    Byte shift = 0;
    if (mods & Qt::ShiftModifier)
        shift |= ssShift;
    if (mods & Qt::AltModifier)
        shift |= ssAlt;
    if (mods & Qt::ControlModifier)
        shift |= ssCtrl;
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}
