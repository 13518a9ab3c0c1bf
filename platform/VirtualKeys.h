// Windows virtual-key codes and the shift-state byte, as key handlers of the
// program expect them, made from Qt's key events.
#pragma once

#include "platform/SysTypes.h"

class QKeyEvent;
class QInputEvent;

inline constexpr Word VK_BACK = 0x08;
inline constexpr Word VK_TAB = 0x09;
inline constexpr Word VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10;
inline constexpr Word VK_CONTROL = 0x11;
inline constexpr Word VK_MENU = 0x12;
inline constexpr Word VK_ESCAPE = 0x1B;
inline constexpr Word VK_SPACE = 0x20;
inline constexpr Word VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22;
inline constexpr Word VK_END = 0x23;
inline constexpr Word VK_HOME = 0x24;
inline constexpr Word VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26;
inline constexpr Word VK_RIGHT = 0x27;
inline constexpr Word VK_DOWN = 0x28;
inline constexpr Word VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E;
inline constexpr Word VK_F1 = 0x70;

// The virtual-key code of a key event; 0 for keys without one. Letters and
// digits are their upper-case characters; the number block's keys give the
// number-pad codes.
Word VirtualKeyOfEvent(const QKeyEvent& Event);
// The shift-state byte of an input event: 0x01 Shift, 0x02 Alt, 0x04 Ctrl.
Byte ShiftStateOfEvent(const QInputEvent& Event);
inline constexpr Byte ShiftBit = 0x01;
inline constexpr Byte AltBit = 0x02;
inline constexpr Byte CtrlBit = 0x04;
