#include "platform/VirtualKeys.h"

#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace {

struct TKeyCode {
    int QtKey;
    Word Code;
};

constexpr TKeyCode Keys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, 0x0C},         {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, 0x13},         {Qt::Key_CapsLock, 0x14},    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, 0x2C},         {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, 0x2F},          {Qt::Key_Menu, 0x5D},        {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91},    {Qt::Key_Semicolon, 0xBA},   {Qt::Key_Equal, 0xBB},
    {Qt::Key_Plus, 0xBB},          {Qt::Key_Comma, 0xBC},       {Qt::Key_Minus, 0xBD},
    {Qt::Key_Period, 0xBE},        {Qt::Key_Slash, 0xBF},       {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_BracketLeft, 0xDB},   {Qt::Key_Backslash, 0xDC},   {Qt::Key_BracketRight, 0xDD},
    {Qt::Key_Apostrophe, 0xDE},
};

constexpr TKeyCode KeypadKeys[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},   {Qt::Key_Minus, 0x6D}, {Qt::Key_Period, 0x6E},
    {Qt::Key_Comma, 0x6E},    {Qt::Key_Slash, 0x6F},  {Qt::Key_Enter, VK_RETURN},
};

template <std::size_t N>
Word Find(const TKeyCode (&table)[N], int key)
{
    const auto it = std::find_if(std::begin(table), std::end(table), [key](const TKeyCode& k) { return k.QtKey == key; });
    return it == std::end(table) ? 0 : it->Code;
}

} // namespace

Word VirtualKeyOfEvent(const QKeyEvent& Event)
{
    const int key = Event.key();
    if (Event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return Word(0x60 + key - Qt::Key_0);
        if (const Word code = Find(KeypadKeys, key))
            return code;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return Word(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return Word(VK_F1 + key - Qt::Key_F1);
    return Find(Keys, key);
}

Byte ShiftStateOfEvent(const QInputEvent& Event)
{
    const Qt::KeyboardModifiers mods = Event.modifiers();
    return Byte((mods & Qt::ShiftModifier ? 0x01 : 0) | (mods & Qt::AltModifier ? 0x02 : 0) |
                (mods & Qt::ControlModifier ? 0x04 : 0));
}
