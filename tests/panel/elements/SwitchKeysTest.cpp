// Keys on a running front panel reaching a switch or push button and its
// component: the element's own keys, each hotkey action, and a key held down
// (the keyboard repeats it as released-and-pressed-again pairs marked as
// repeats), all sent to the focused element through the panel window's key
// handling, with the component's output after a step.
#include "ElementComponentTest.h"

#include "engine/Hotkey.h"
#include "panel/elements/ElementClasses.h"
#include "panel/elements/FP_Schalter.h"
#include "panel/framework/BT_Schalter.h"
#include "panel/framework/Design.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/PanelClasses.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr Word HotkeyKey = 'H';

class SwitchKeysTest : public ElementComponentTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        SetProgramFolder(folder_.path().toStdString() + "/");
        ResetGlobals();
        RegisterPanelClasses();
        RegisterElementClasses();
        RegisterRows(SwitchRows());
        Panel = std::make_unique<TFrontplatte>();
        Panel->ResetToNewProject();
        Panel->resize(400, 300);
        Panel->show();
        Panel->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Panel.get()));
    }
    void TearDown() override
    {
        ElementComponentTest::TearDown();   // unlinks the elements while they live
        Panel.reset();
        SetProgramFolder("");
        ResetGlobals();
    }

    // A switch or push-button component with its element on the running,
    // shown panel, the element holding the focus.
    TSchalter* Operated(bool push)
    {
        auto* element = dynamic_cast<TSchalter*>(Panel->Root->AddElement("TSchalter"));
        EXPECT_NE(element, nullptr);
        if (!element)
            return nullptr;
        Component = t.Place(push ? "TBTTaster" : "TBTSchalter", 1000, 100);
        Component->SetPanelElement(element);
        Panel->SetRunMode(true);
        element->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), element);
        return element;
    }
    // A key event as the keyboard delivers it, to the focused widget.
    static void Send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool repeat,
                     quint32 scanCode = 0)
    {
        QKeyEvent event(type, key, modifiers, scanCode, 0, 0, QString(), repeat);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    }
    // The logic output after a step.
    long double Output()
    {
        t.CalculateAll();
        return Component->Outputs[0].Value;
    }

    QTemporaryDir folder_;
    std::unique_ptr<TFrontplatte> Panel;
    TIOBauteil* Component = nullptr;
};

// One key held: pressed, repeated once, released.
struct THeldKeyCase {
    const char* Name;
    bool Push;             // push-button component, else switch
    Integer Action;        // hotkey action on HotkeyKey; -1: no hotkey
    int Key;               // the key pressed
    bool DefaultState;
    bool Before;           // state when the key goes down
    bool AfterDown, AfterRepeat, AfterUp;
};

TEST_F(SwitchKeysTest, AHeldKeyOnEachKindWithEachHotkeyActionAndTheElementsOwnKeys)
{
    const THeldKeyCase cases[] = {
        // Hotkeys fire once per press; a held hotkey fires nothing more.
        {"switch, no action", false, 0, Qt::Key_H, false, false, false, false, false},
        {"switch, TOG from off", false, 1, Qt::Key_H, false, false, true, true, true},
        {"switch, TOG from on", false, 1, Qt::Key_H, false, true, false, false, false},
        {"switch, ON", false, 2, Qt::Key_H, false, false, true, true, true},
        {"switch, OFF", false, 3, Qt::Key_H, false, true, false, false, false},
        {"switch, RST to on", false, 4, Qt::Key_H, true, false, true, true, true},
        {"switch, RST to off", false, 4, Qt::Key_H, false, true, false, false, false},
        {"push button, no action", true, 0, Qt::Key_H, false, false, false, false, false},
        {"push button, PSH", true, 1, Qt::Key_H, false, false, true, true, false},
        {"push button, on", true, 2, Qt::Key_H, false, false, true, true, true},
        {"push button, off", true, 3, Qt::Key_H, false, true, false, false, false},
        {"push button, reset to off", true, 4, Qt::Key_H, false, true, false, false, false},
        {"push button, reset to on", true, 4, Qt::Key_H, true, false, true, true, true},
        // The focused element's keys act on every key-down, repeats included.
        {"switch, Space", false, -1, Qt::Key_Space, false, false, true, false, false},
        {"switch, Page Up", false, -1, Qt::Key_PageUp, false, false, true, true, true},
        {"switch, End", false, -1, Qt::Key_End, false, false, true, true, true},
        {"switch, Page Down", false, -1, Qt::Key_PageDown, false, true, false, false, false},
        {"switch, Home", false, -1, Qt::Key_Home, false, true, false, false, false},
        {"switch, other key", false, -1, Qt::Key_A, false, false, false, false, false},
        {"push button, Space", true, -1, Qt::Key_Space, false, false, true, true, false},
        {"push button, Page Down", true, -1, Qt::Key_PageDown, false, false, true, true, false},
        {"push button, Home", true, -1, Qt::Key_Home, false, false, true, true, false},
        {"push button, other key", true, -1, Qt::Key_A, false, false, false, false, false},
    };
    for (const THeldKeyCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSchalter* element = Operated(c.Push);
        ASSERT_NE(element, nullptr);
        if (c.Action >= 0) {
            element->Hotkeys[3]->Key = HotkeyKey;
            element->Hotkeys[3]->ActionIndex = c.Action;
        }
        element->DefaultState = c.DefaultState;
        element->SetEingeschaltet(c.Before);
        Component->ResetForStart();
        EXPECT_EQ(Output(), c.Before ? 5.0L : 0.0L);

        Send(QEvent::KeyPress, c.Key, Qt::NoModifier, false);
        EXPECT_EQ(element->State(), c.AfterDown) << "key down";
        EXPECT_EQ(Output(), c.AfterDown ? 5.0L : 0.0L) << "key down";
        Send(QEvent::KeyRelease, c.Key, Qt::NoModifier, true);
        Send(QEvent::KeyPress, c.Key, Qt::NoModifier, true);
        EXPECT_EQ(element->State(), c.AfterRepeat) << "repeat";
        EXPECT_EQ(Output(), c.AfterRepeat ? 5.0L : 0.0L) << "repeat";
        Send(QEvent::KeyRelease, c.Key, Qt::NoModifier, false);
        EXPECT_EQ(element->State(), c.AfterUp) << "key up";
        EXPECT_EQ(Output(), c.AfterUp ? 5.0L : 0.0L) << "key up";

        Component->SetPanelElement(nullptr);
        Panel->SetRunMode(false);
        Panel->Root->RemoveElement(element);
    }
}

// The combination a hotkey matches, as the window reads it from the event.
TEST_F(SwitchKeysTest, AHotkeyMatchesTheDigitRowWithShiftAndNotWhileAMouseButtonIsHeld)
{
    TSchalter* element = Operated(false);
    ASSERT_NE(element, nullptr);
    THotkey& hotkey = *element->Hotkeys[0];
    hotkey.ActionIndex = 1;
    hotkey.Key = '1';
    hotkey.Shift = ssShift;
    // Shift+1 gives "!" on most layouts; the digit row's key code still says 1.
    constexpr quint32 DigitOneScanCode = 10;
    Send(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, false, DigitOneScanCode);
    Send(QEvent::KeyRelease, Qt::Key_Exclam, Qt::ShiftModifier, false, DigitOneScanCode);
    EXPECT_TRUE(element->State());

    hotkey.Key = HotkeyKey;
    hotkey.Shift = ssCtrl;
    auto ctrlH = [&] {
        element->setFocus();
        Send(QEvent::KeyPress, Qt::Key_H, Qt::ControlModifier, false);
        Send(QEvent::KeyRelease, Qt::Key_H, Qt::ControlModifier, false);
    };
    // A left button held on the panel's tab bar adds its bit to the combination.
    element->SetEingeschaltet(false);
    QWidget* elsewhere = Panel->TabControl1;
    QTest::mousePress(elsewhere, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    ctrlH();
    QTest::mouseRelease(elsewhere, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_FALSE(element->State());
    ctrlH();
    EXPECT_TRUE(element->State());
}

} // namespace
