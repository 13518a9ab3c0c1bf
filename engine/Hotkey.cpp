#include "engine/Hotkey.h"

#include "engine/Language.h"
#include "platform/Stream.h"
#include "platform/VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <memory>

namespace {

std::unique_ptr<std::vector<AnsiString>>& KeyNames()
{
    static std::unique_ptr<std::vector<AnsiString>> names;
    return names;
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
    const quint32 code = event.nativeScanCode();
    if (!(event.modifiers() & Qt::KeypadModifier) && code >= FirstDigitRowCode && code <= LastDigitRowCode)
        return static_cast<Word>(code == LastDigitRowCode ? '0' : '1' + (code - FirstDigitRowCode));
    return VirtualKeyOfEvent(event);
}

Byte ShiftStateOf(const QKeyEvent& event)
{
    Byte shift = ShiftStateOfEvent(event);
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}
