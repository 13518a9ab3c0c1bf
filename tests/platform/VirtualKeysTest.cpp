#include "platform/VirtualKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

TEST(VirtualKeys, CodesOfKeyEvents)
{
    struct {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        Word Code;
    } const cases[] = {
        {Qt::Key_A, Qt::NoModifier, 'A'},           {Qt::Key_7, Qt::NoModifier, '7'},
        {Qt::Key_7, Qt::KeypadModifier, 0x67},      {Qt::Key_Return, Qt::NoModifier, VK_RETURN},
        {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN}, {Qt::Key_Backspace, Qt::NoModifier, VK_BACK},
        {Qt::Key_Left, Qt::NoModifier, VK_LEFT},    {Qt::Key_PageDown, Qt::NoModifier, VK_NEXT},
        {Qt::Key_Delete, Qt::NoModifier, VK_DELETE}, {Qt::Key_F5, Qt::NoModifier, 0x74},
        {Qt::Key_Minus, Qt::KeypadModifier, 0x6D},  {Qt::Key_Minus, Qt::NoModifier, 0xBD},
        {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        const QKeyEvent e(QEvent::KeyPress, c.Key, c.Modifiers);
        EXPECT_EQ(VirtualKeyOfEvent(e), c.Code) << std::hex << c.Key;
    }
}

TEST(VirtualKeys, ShiftStateBits)
{
    const QKeyEvent e(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ShiftStateOfEvent(e), 0x05);
    const QKeyEvent alt(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(ShiftStateOfEvent(alt), 0x02);
}

} // namespace
