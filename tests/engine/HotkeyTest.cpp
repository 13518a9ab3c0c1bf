#include "engine/Hotkey.h"

#include "engine/Language.h"
#include "platform/Stream.h"

#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr Word VkControl = 0x11;

// A hotkey that counts its events.
struct TCountedHotkey {
    THotkey Hotkey;
    int Presses = 0;
    int Releases = 0;
    TCountedHotkey(Word key, Byte shift)
    {
        Hotkey.Key = key;
        Hotkey.Shift = shift;
        Hotkey.OnPress = [this](THotkey* sender) {
            EXPECT_EQ(sender, &Hotkey);
            ++Presses;
        };
        Hotkey.OnRelease = [this](THotkey*) { ++Releases; };
    }
};

TEST(Hotkey, FiresOnlyOnTheWholeShiftByte)
{
    TCountedHotkey h('A', ssCtrl);
    h.Hotkey.KeyDown('A', 0);
    h.Hotkey.KeyDown('A', ssCtrl | ssShift);
    h.Hotkey.KeyDown('A', ssCtrl | ssLeft);   // a mouse button held
    h.Hotkey.KeyDown('B', ssCtrl);
    EXPECT_EQ(h.Presses, 0);
    EXPECT_FALSE(h.Hotkey.Pressed);

    h.Hotkey.KeyDown('A', ssCtrl);
    EXPECT_EQ(h.Presses, 1);
    EXPECT_TRUE(h.Hotkey.Pressed);
}

TEST(Hotkey, AutoRepeatFiresOnceAndTheReleaseIgnoresModifiers)
{
    TCountedHotkey h('A', ssCtrl);
    h.Hotkey.KeyUp('A');                 // not pressed: nothing
    h.Hotkey.KeyDown('A', ssCtrl);
    h.Hotkey.KeyDown('A', ssCtrl);       // auto-repeat
    h.Hotkey.KeyDown('A', ssCtrl);
    h.Hotkey.KeyUp(VkControl);           // Ctrl released before "A"
    h.Hotkey.KeyUp('A');
    h.Hotkey.KeyUp('A');
    EXPECT_EQ(h.Presses, 1);
    EXPECT_EQ(h.Releases, 1);
    EXPECT_FALSE(h.Hotkey.Pressed);

    h.Hotkey.KeyDown('A', ssCtrl);       // the next press fires again
    EXPECT_EQ(h.Presses, 2);
}

TEST(Hotkey, KeyZeroNeverFires)
{
    TCountedHotkey h(0, 0);
    h.Hotkey.KeyDown(0, 0);
    h.Hotkey.KeyUp(0);
    EXPECT_EQ(h.Presses + h.Releases, 0);
    EXPECT_FALSE(h.Hotkey.Pressed);
}

TEST(Hotkey, IndexAndKeyCodesMapBothWays)
{
    const struct {
        Integer Index;
        Integer Key;
    } pairs[] = {{1, '0'}, {10, '9'}, {11, 'A'}, {36, 'Z'}, {37, ' '}};
    for (auto p : pairs) {
        EXPECT_EQ(HotkeyIndexToKey(p.Index), p.Key);
        EXPECT_EQ(HotkeyKeyToIndex(p.Key), p.Index);
    }
    for (Integer index : {-1, 0, 38, 1000})
        EXPECT_EQ(HotkeyIndexToKey(index), 0) << index;
    for (Integer key : {0, Integer('a'), '0' - 1, '9' + 1, 'Z' + 1, 0x70, 0x10000})
        EXPECT_EQ(HotkeyKeyToIndex(key), 0) << key;
}

TEST(Hotkey, KeyNamesAreFixedInTheLanguageOfTheFirstHotkey)
{
    ResetHotkeyKeyNames();
    LanguageIndex = 1;
    THotkey first;
    LanguageIndex = 2;
    THotkey second;
    const auto& names = HotkeyKeyNames();
    ASSERT_EQ(names.size(), 38u);
    EXPECT_EQ(names[0], "None");
    EXPECT_EQ(names[1], " < 0 >");
    EXPECT_EQ(names[10], " < 9 >");
    EXPECT_EQ(names[11], " < A >");
    EXPECT_EQ(names[36], " < Z >");
    EXPECT_EQ(names[37], "<SPC>");

    ResetHotkeyKeyNames();
    THotkey french;
    EXPECT_EQ(HotkeyKeyNames()[0], "Aucun");
    LanguageIndex = 0;
    ResetHotkeyKeyNames();
    EXPECT_EQ(HotkeyKeyNames()[0], "Kein");
}

TEST(Hotkey, RecordHoldsKeyShiftCtrlAltAndAction)
{
    THotkey h;
    h.Key = 'Q';
    h.Shift = ssAlt | ssCtrl;
    h.ActionIndex = 3;
    TMemoryStream stream;
    {
        TWriter writer(stream);
        h.WriteData(writer);
    }
    // vaInt8 'Q', vaFalse (Shift), vaTrue (Ctrl), vaTrue (Alt), vaInt8 3.
    EXPECT_EQ(stream.Bytes(), (std::vector<Byte>{2, 'Q', 8, 9, 9, 2, 3}));

    THotkey back;
    back.Shift = ssLeft;   // bits the record does not hold are cleared
    stream.SetPosition(0);
    {
        TReader reader(stream);
        back.ReadData(reader);
    }
    EXPECT_EQ(back.Key, 'Q');
    EXPECT_EQ(back.Shift, ssAlt | ssCtrl);
    EXPECT_EQ(back.ActionIndex, 3);

    for (Byte shift : {Byte(0), ssShift, ssAlt, ssCtrl, Byte(ssShift | ssAlt | ssCtrl)}) {
        THotkey one;
        one.Shift = shift;
        TMemoryStream s;
        {
            TWriter writer(s);
            one.WriteData(writer);
        }
        s.SetPosition(0);
        THotkey again;
        TReader reader(s);
        again.ReadData(reader);
        EXPECT_EQ(again.Shift, shift);
    }
}

struct TKeyEventCase {
    int QtKey;
    Qt::KeyboardModifiers Modifiers;
    quint32 ScanCode;
    Word VirtualKey;
    Byte Shift;
};

TEST(Hotkey, KeyEventsGiveTheKeyAndShiftStateOfTheRecord)
{
    const TKeyEventCase cases[] = {
        {Qt::Key_A, Qt::ControlModifier, 38, 'A', ssCtrl},
        {Qt::Key_Z, Qt::ShiftModifier | Qt::AltModifier, 0, 'Z', ssShift | ssAlt},
        {Qt::Key_5, Qt::NoModifier, 14, '5', 0},
        {Qt::Key_Exclam, Qt::ShiftModifier, 10, '1', ssShift},   // Shift+1: the digit row's key code
        {Qt::Key_ParenRight, Qt::ShiftModifier, 19, '0', ssShift},
        {Qt::Key_5, Qt::KeypadModifier, 84, 0x65, 0},            // number block 5
        {Qt::Key_F1, Qt::NoModifier, 67, 0x70, 0},
    };
    for (const auto& c : cases) {
        QKeyEvent event(QEvent::KeyPress, c.QtKey, c.Modifiers, c.ScanCode, 0, 0);
        EXPECT_EQ(VirtualKeyOf(event), c.VirtualKey) << "Qt key " << std::hex << c.QtKey;
        EXPECT_EQ(ShiftStateOf(event), c.Shift) << "Qt key " << std::hex << c.QtKey;
    }
}


TEST(Hotkey, AMouseButtonHeldDuringTheKeyAddsItsBit)
{
    QWidget window;
    window.resize(50, 50);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ShiftStateOf(event), ssCtrl | ssLeft);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(ShiftStateOf(event), ssCtrl);
}

}   // namespace
