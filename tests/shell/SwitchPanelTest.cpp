// Switches and push buttons on the board and on the panel: each of the six
// classes gets its switch element (momentary for the push-button classes),
// and a user's way through: a switch picked from the palette and
// wired through an inverter to an LED, clicked and hotkeyed while running.
#include "shell/ShellFixture.h"

#include "components/digital/BT_Gatter.h"
#include "engine/Bibo.h"
#include "engine/Hotkey.h"
#include "engine/PlatineView.h"
#include "panel/elements/DLG_Schalter_Taster.h"
#include "panel/elements/FP_LED.h"
#include "panel/elements/FP_Schalter.h"
#include "panel/framework/Design.h"
#include "panel/framework/Frontplatte.h"
#include "platform/FileHeader.h"
#include "shell/ComponentClasses.h"
#include "project/ProjectFile.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

namespace {

class SwitchPanelTest : public TShellFixture {
protected:
    static TSchalter* ElementOf(TIOBauteil* component) { return dynamic_cast<TSchalter*>(component->PanelElement); }
};

TEST_F(SwitchPanelTest, EachClassGetsItsSwitchElementMomentaryForPushButtons)
{
    TForm1& form = Create();
    TPlatine& board = *form.MainBoard;
    struct TCase {
        TIOBauteil* Component;
        const char* Name;
        bool Push;
    };
    const TCase cases[] = {{Paste(board, "TBTSchalter"), "S1", false},   {Paste(board, "TBTTaster"), "T1", true},
                           {Paste(board, "TBTAnalogSchalter"), "SB1", false}, {Paste(board, "TBTAnalogTaster"), "TB1", true},
                           {Paste(board, "TBTAnalogSchalter2"), "SA1", false}, {Paste(board, "TBTAnalogTaster2"), "TA1", true}};
    for (const TCase& c : cases) {
        ASSERT_NE(c.Component, nullptr);
        SCOPED_TRACE(c.Name);
        TSchalter* element = ElementOf(c.Component);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->ElementName(), c.Name);
        EXPECT_EQ(element->Taster(), c.Push);
        EXPECT_EQ(element->Typ(), c.Push ? Druckschalter : Kippschalter2);
    }
}

TEST_F(SwitchPanelTest, PickedFromThePaletteAClickAndAHotkeyReachTheLedWithinOneStep)
{
    ASSERT_TRUE(QDir(folder_.path()).mkpath("EXP_BIBO"));
    TForm1::RegisterComponentClasses();
    WriteLibraryFile(Program() + "EXP_BIBO/bedien_d.bib", {"TBTSchalter", "TBTTaster"});
    WriteLibraryFile(Program() + "EXP_BIBO/anzeigen.bib", {"TBTLed"});
    WriteLibraryFile(Program() + "EXP_BIBO/gatter.bib", {"TBTInverter"});
    TForm1& form = Create();
    form.resize(1000, 700);
    form.show();
    OpenCategory(form, "Bedienung digital");
    PickAndPlace(form, "TBTSchalter", QPoint(100, 100));
    OpenCategory(form, "Gatter");
    PickAndPlace(form, "TBTInverter", QPoint(300, 100));
    OpenCategory(form, "Anzeigen");
    PickAndPlace(form, "TBTLed", QPoint(500, 100));
    TPlatine& board = *form.MainBoard;
    auto* sw = FindComponent(board, "TBTSchalter");
    auto* inverter = FindComponent(board, "TBTInverter");
    auto* led = FindComponent(board, "TBTLed");
    ASSERT_TRUE(sw && inverter && led);
    TSchalter* element = ElementOf(sw);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->ElementName(), "S1");
    Wire(board, sw->Outputs[0], inverter->Inputs[0]);
    Wire(board, inverter->Outputs[0], led->Inputs[0]);
    element->Hotkeys[0]->Key = 'K';
    element->Hotkeys[0]->ActionIndex = 1;   // toggle

    auto lit = [&] { return dynamic_cast<TPLED*>(led->PanelElement)->GetEingeschaltet(); };
    board.PrepareSimulation();
    board.Step();
    board.Step();
    EXPECT_TRUE(lit());
    // Operated on the running panel: a click on the element.
    auto& panel = dynamic_cast<TFrontplatte&>(*form.Frontplatte);
    panel.SetRunMode(true);
    ASSERT_TRUE(element->isEnabled());
    QTest::mouseClick(element, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(element->State());
    board.Step();
    EXPECT_FALSE(lit());
    // The hotkey, through the front-panel window's key handling.
    panel.FormKeyDown('K', 0);
    panel.FormKeyUp('K', 0);
    board.Step();
    EXPECT_TRUE(lit());
    panel.SetRunMode(false);
    board.StopSimulation();
}

TEST_F(SwitchPanelTest, ADoubleClickOnTheElementInEditModeOpensItsSettings)
{
    TForm1& form = Create();
    TSchalter* element = ElementOf(Paste(*form.MainBoard, "TBTSchalter"));
    ASSERT_NE(element, nullptr);
    auto& panel = dynamic_cast<TFrontplatte&>(*form.Frontplatte);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    auto* design = dynamic_cast<TDesign*>(element->Design());
    ASSERT_NE(design, nullptr);
    ASSERT_TRUE(design->isEditing);
    TFormHook hook({[&](TModalForm& shown) {
        auto* dlg = dynamic_cast<TSchalterDlg*>(&shown);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->Typ->currentRow(), Kippschalter2);
        dlg->TypCombo->setCurrentIndex(TSchalter::LookButton);
        QTest::mouseClick(dlg->Button1, Qt::LeftButton);
    }});
    // The first click selects the element; the double click reaches its frame.
    QTest::mouseClick(design, Qt::LeftButton, {}, element->mapTo(design, element->rect().center()));
    ASSERT_TRUE(design->IsSelected(element));
    QWidget* frame = element->parentWidget();
    QTest::mouseDClick(frame, Qt::LeftButton, {}, element->mapTo(frame, element->rect().center()));
    EXPECT_EQ(hook.Shown().size(), 1u);
    EXPECT_EQ(element->Look(), TSchalter::LookButton);
}

} // namespace
