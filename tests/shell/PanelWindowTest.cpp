// The main window and the front-panel window together: the panel commands,
// F12, run mode around a run, the panel's state kept across stop and start,
// the run-only title, keeping the window on screen, and a project with a
// panel of two pages saved, reopened, run and stopped.
#include "shell/ShellFixture.h"

#include "engine/Bibo.h"
#include "engine/GrundBT.h"
#include "engine/Platine.h"
#include "panel/framework/FP_Element.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/FrontplatteGlobals.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"
#include "support/StateElement.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

namespace {

// The component that owns a state element.
class TBTTestSwitch : public TGrundBT {
    ZK_CLASS(TBTTestSwitch, TGrundBT)
public:
    TBTTestSwitch()
    {
        SetOutputCount(1);
        Designator = "S";
        PanelElementClass = "TStateElement";
    }
};

class PanelWindowTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        WriteFile("Settings/SPEED.INI", "[Speed]\r\nFast=0\r\n");
        RegisterClass(TStateElement::StaticClass());
        RegisterClass(TBTTestSwitch::StaticClass());
    }
    static TFrontplatte& Panel(TForm1& form) { return static_cast<TFrontplatte&>(*form.Frontplatte); }
    // A switch placed as the library places it: its element on the page shown.
    static TStateElement* PlaceSwitch(TForm1& form)
    {
        TMemoryStream stream;
        auto component = std::unique_ptr<TBTTestSwitch>(CreateBauteil<TBTTestSwitch>());
        WritePlacingStream(*component, stream);
        form.MainBoard->PasteFromStream(stream, FileVersion);
        form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
        return static_cast<TStateElement*>(Panel(form).Root->Elements.back());
    }
    QByteArray Bytes(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static TStateElement* SwitchNamed(TForm1& form, const char* name)
    {
        for (TFP_Element* element : Panel(form).Root->Elements)
            if (element->ElementName() == name)
                return dynamic_cast<TStateElement*>(element);
        return nullptr;
    }
};

TEST_F(PanelWindowTest, PanelCommandsAreEnabledByTheirRulesAndF12ShowsTheWindow)
{
    TForm1& form = Create();
    form.show();
    TFrontplatte& panel = Panel(form);
    auto enabled = [&form](const char* name) {
        auto* action = form.findChild<QAction*>(name);
        form.findChild<QMenu*>("Frontplatte1")->aboutToShow();
        return action && action->isEnabled();
    };
    EXPECT_TRUE(enabled("Eigenschaften1"));
    EXPECT_TRUE(enabled("NeueFrontplatteerzeugen1"));
    EXPECT_FALSE(enabled("Lschen3"));            // one page only
    EXPECT_TRUE(enabled("FPAnzeigen"));
    EXPECT_TRUE(enabled("Drucken2"));
    EXPECT_TRUE(enabled("Zwischenablage1"));
    EXPECT_TRUE(form.findChild<QToolButton*>("SB_Front")->isEnabled());

    panel.hide();
    form.findChild<QAction*>("NeueFrontplatteerzeugen1")->trigger();
    EXPECT_EQ(panel.PageCount(), 2);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(enabled("Lschen3"));
    form.findChild<QAction*>("Lschen3")->trigger();
    EXPECT_EQ(panel.PageCount(), 1);

    panel.hide();
    EXPECT_EQ(form.findChild<QAction*>("FPAnzeigen")->shortcut(), QKeySequence(Qt::Key_F12));
    form.findChild<QAction*>("FPAnzeigen")->trigger();
    EXPECT_TRUE(panel.isVisible());
    panel.hide();
    form.findChild<QToolButton*>("SB_Front")->click();
    EXPECT_TRUE(panel.isVisible());
}

TEST_F(PanelWindowTest, RunModeAroundARunAndTheStateKeptWhenThePanelRemembersIt)
{
    TForm1& form = Create();
    form.show();
    TFrontplatte& panel = Panel(form);
    TStateElement* s1 = PlaceSwitch(form);
    ASSERT_EQ(s1->ElementName(), "S1");
    for (bool remember : {true, false}) {
        SCOPED_TRACE(remember);
        panel.AutoSaveOption = remember;
        // As the property dialog's OK does: the run-state file takes the option.
        panel.SaveWindowDefaults(form.ProjectFileName);
        panel.hide();
        form.StartRequest();
        EXPECT_TRUE(panel.RunMode);
        EXPECT_TRUE(panel.isVisible());
        EXPECT_FALSE(panel.Root->isEditing);
        s1->Status = 1;   // the operator switches it on
        form.StopRequest();
        EXPECT_FALSE(panel.RunMode);
        EXPECT_TRUE(panel.Root->isEditing);
        EXPECT_EQ(s1->Status, remember ? 1 : 0);
        // F9 on the panel starts again; Escape stops.
        QTest::keyClick(&panel, Qt::Key_F9);
        EXPECT_TRUE(SimulationRunning);
        EXPECT_EQ(s1->Status, remember ? 1 : 0);
        QTest::keyClick(&panel, Qt::Key_Escape);
        EXPECT_FALSE(SimulationRunning);
    }
    // The unnamed project keeps its panel in the program folder.
    EXPECT_EQ(TIniFile(Program() + "UNSAVED_Default.set").ReadInteger("MainModul.Frontplatte.S1", "Status", -1), 1);
}

TEST_F(PanelWindowTest, AProjectWithTwoPagesComesBackAsItWasLeft)
{
    {
        TForm1& form = Create();
        form.show();
        TFrontplatte& panel = Panel(form);
        PlaceSwitch(form);
        // A new page takes the selection: the first switch stays on page 1.
        panel.Root->DeselectIndex(-1);
        panel.NeueFrontplatte1Click();
        PlaceSwitch(form);
        EXPECT_EQ(panel.Root->Elements.back()->FrontplattenNR(), 1);
        panel.TabControl1->setTabText(1, "Service");
        panel.SetWindowBounds(QRect(60, 70, 430, 320));
        form.SaveProject(Program() + "Anlage.prj");
        panel.SaveWindowDefaults(form.ProjectFileName);
        form.StartRequest();
        SwitchNamed(form, "S2")->Status = 4;
        form.StopRequest();
    }
    TForm1& form = Create();
    form.show();
    ASSERT_TRUE(form.OpenProject(Program() + "Anlage.prj"));
    TFrontplatte& panel = Panel(form);
    EXPECT_EQ(panel.WindowBounds(), QRect(60, 70, 430, 320));
    EXPECT_EQ(panel.PageNames(), QStringList({"Frontplatte 1", "Service"}));
    EXPECT_EQ(panel.AktiveFrontplatte(), 1);
    EXPECT_EQ(SwitchNamed(form, "S1")->FrontplattenNR(), 0);
    EXPECT_EQ(SwitchNamed(form, "S2")->FrontplattenNR(), 1);
    form.StartRequest();
    EXPECT_EQ(SwitchNamed(form, "S2")->Status, 4);
    form.StopRequest();
    form.SaveProject(Program() + "Kopie.prj");
    EXPECT_FALSE(Bytes("Kopie.prj").isEmpty());
    EXPECT_EQ(Bytes("Kopie.prj"), Bytes("Anlage.prj"));
}

TEST_F(PanelWindowTest, AWindowStoredOutsideEveryScreenComesBack)
{
    {
        TForm1& form = Create();
        Panel(form).SetWindowBounds(QRect(-5000, 9000, 300, 200));
        form.SaveProject(Program() + "Weit.prj");
    }
    TForm1& form = Create();
    ASSERT_TRUE(form.OpenProject(Program() + "Weit.prj"));
    const QRect screen = QGuiApplication::primaryScreen()->virtualGeometry();
    const QRect frame = Panel(form).frameGeometry();
    EXPECT_GE(frame.left(), screen.left());
    EXPECT_LE(frame.bottom(), screen.bottom());
}

TEST_F(PanelWindowTest, ThePanelWindowSpeaksTheProgramsLanguage)
{
    const struct {
        const char* Setting;
        const char* Title;
        const char* Page;
        const char* PrintHint;
    } cases[] = {
        {"1", "Front panel", "Front panel 1", "Print front panel... F5"},
        {"2", "Panneau de contr\u00F4le", "Panneau de contr\u00F4le 1", "Imprimer panneau de contr\u00F4le... F5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Setting);
        WriteFile("SPRACHE.INI", QByteArray("[Sprache]\r\nSprache=") + c.Setting + "\r\n");
        TForm1& form = Create();
        TFrontplatte& panel = Panel(form);
        EXPECT_EQ(panel.windowTitle(), QString::fromUtf8(c.Title));
        EXPECT_EQ(panel.PageNames(), QStringList{QString::fromUtf8(c.Page)});
        EXPECT_EQ(panel.PrintBtn->toolTip(), QString::fromUtf8(c.PrintHint));
    }
}

TEST_F(PanelWindowTest, RunOnlyProgramTakesThePanelCaptionAsItsTitle)
{
    {
        TForm1& form = Create();
        Panel(form).Title = "Pumpe";
        form.SaveProject(Program() + "Pumpe.prj");
    }
    const QString name = QCoreApplication::applicationName();
    TForm1& form = Create();
    RunOnlyMode = true;
    ASSERT_TRUE(form.OpenProject(Program() + "Pumpe.prj"));
    EXPECT_EQ(QCoreApplication::applicationName(), "Pumpe");
    // Closing the panel closes the program instead.
    int closes = 0;
    Panel(form).OnCloseRequest = [&] { ++closes; };
    EXPECT_FALSE(Panel(form).close());
    EXPECT_EQ(closes, 1);
    RunOnlyMode = false;
    QCoreApplication::setApplicationName(name);
}

} // namespace
