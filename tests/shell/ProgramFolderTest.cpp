// What the build puts into the program folder for a new user: the example
// projects of each language, each opened and run, and a help page in each
// language for every help context the program can ask for.
#include "shell/ShellFixture.h"

#include "components/analog/BT_Regler.h"
#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_Gatter.h"
#include "engine/Bauteil.h"
#include "engine/Platine.h"
#include "panel/elements/FP_LED.h"
#include "panel/elements/FP_Lampe.h"
#include "panel/elements/FP_Schalter.h"
#include "panel/framework/Frontplatte.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

const char* const ExampleFolders[3] = {"Beispiele", "Examples", "Exemples"};
const char* const HelpFolders[3] = {"de", "en", "fr"};

QString ProgramDir()
{
    return QString::fromUtf8(ZK_PROGRAM_DIR);
}

class ProgramFolderTest : public TShellFixture {};

TEST_F(ProgramFolderTest, TheBuildMakesTheFoldersTheProgramWritesAndReads)
{
    for (const char* folder : {"Settings", "Beispiele", "Examples", "Exemples", "help/de", "help/en", "help/fr"})
        EXPECT_TRUE(QFileInfo(ProgramDir() + "/" + folder).isDir()) << folder;
}

// A gate's output after a step follows from its inputs as they are now.
bool GateAgrees(TIOBauteil& c)
{
    const bool out = c.Outputs[0].ReadValue() >= 2.5L;
    const std::string_view gate = c.ClassName();
    if (gate == "TBTInverter")
        return out == !c.InputLogic(0);
    const bool a = c.InputLogic(0), b = c.InputLogic(1);
    if (gate == "TBTAnd")
        return out == (a && b);
    if (gate == "TBTOr")
        return out == (a || b);
    if (gate == "TBTExor")
        return out == (a != b);
    return true;
}

// The components of a registered class on the board.
std::vector<TIOBauteil*> All(TPlatine& board, std::string_view className)
{
    std::vector<TIOBauteil*> found;
    for (TBauteil* object : board.Objects)
        if (className == object->ClassName())
            found.push_back(static_cast<TIOBauteil*>(object));
    return found;
}

// The components of class T on the board.
template <class T>
std::vector<T*> All(TPlatine& board)
{
    std::vector<T*> found;
    for (TBauteil* object : board.Objects)
        if (auto* c = dynamic_cast<T*>(object))
            found.push_back(c);
    return found;
}

// Runs an opened example: Run(n) takes n steps of 100 ms and checks after
// each that every input is wired and every gate agrees with its inputs.
struct TExampleRun {
    TPlatine& Board;
    TFakeClock& Clock;

    void Run(int steps)
    {
        for (int step = 0; step < steps; ++step) {
            Clock.AdvanceMs(100);
            Board.Step();
            for (TBauteil* object : Board.Objects) {
                auto* c = dynamic_cast<TIOBauteil*>(object);
                if (!c)
                    continue;
                for (std::size_t i = 0; i < c->Inputs.size(); ++i)
                    ASSERT_NE(c->Inputs[i].Source, nullptr) << c->Caption << " input " << i << " is not wired";
                if (!c->Inputs.empty() && !c->Outputs.empty()) {
                    ASSERT_TRUE(GateAgrees(*c)) << c->Caption << " in step " << step;
                }
            }
        }
    }
};

// Gates: the clocked inverter goes through both states.
void GatesChange(TExampleRun& run)
{
    const std::vector<TIOBauteil*> inverters = All(run.Board, "TBTInverter");
    ASSERT_FALSE(inverters.empty());
    std::set<bool> seen;
    for (int step = 0; step < 40; ++step) {
        run.Run(1);
        seen.insert(inverters[0]->Outputs[0].ReadValue() >= 2.5L);
    }
    EXPECT_EQ(seen.size(), 2u) << "the clocked part never changed";
}

// Counter: the digit the LEDs on the panel show counts up one by one.
void DigitCounts(TExampleRun& run)
{
    const std::vector<TBTSeg7Decoder*> decoders = All<TBTSeg7Decoder>(run.Board);
    ASSERT_EQ(decoders.size(), 1u);
    // Each LED's segment: the decoder output that drives it, bit k of a pattern.
    std::vector<std::pair<TPLED*, int>> segments;
    for (TIOBauteil* led : All(run.Board, "TBTLed"))
        for (int k = 0; k < 7; ++k)
            if (led->Inputs[0].Source == &decoders[0]->Outputs[k]) {
                ASSERT_NE(dynamic_cast<TPLED*>(led->PanelElement), nullptr) << "an LED without its element";
                segments.emplace_back(dynamic_cast<TPLED*>(led->PanelElement), k);
            }
    ASSERT_EQ(segments.size(), 7u) << "not every segment drives an LED";
    std::vector<int> shown;
    for (int step = 0; step < 60; ++step) {
        run.Run(1);
        int pattern = 0;
        for (const auto& [element, bit] : segments)
            pattern |= element->GetEingeschaltet() << bit;
        const Byte* patterns = TBTSeg7Decoder::Patterns;
        const int value = static_cast<int>(std::find(patterns, patterns + 10, pattern) - patterns);
        ASSERT_LT(value, 10) << "the LEDs show no digit: segments " << pattern << " in step " << step;
        if (shown.empty() || shown.back() != value)
            shown.push_back(value);
    }
    ASSERT_GE(shown.size(), 5u) << "the digit hardly changed";
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], (shown[i - 1] + 1) % 10) << "after " << shown[i - 1];
}

// Blinking LED: the LED on the panel goes on and off again and again.
void LedBlinks(TExampleRun& run)
{
    const std::vector<TIOBauteil*> leds = All(run.Board, "TBTLed");
    ASSERT_EQ(leds.size(), 1u);
    auto* element = dynamic_cast<TPLED*>(leds[0]->PanelElement);
    ASSERT_NE(element, nullptr);
    int changes = 0;
    bool last = element->GetEingeschaltet();
    for (int step = 0; step < 40; ++step) {
        run.Run(1);
        changes += element->GetEingeschaltet() != last;
        last = element->GetEingeschaltet();
    }
    EXPECT_GE(changes, 4);
}

// Switch and lamp: the lamp on the panel follows the switch on the panel.
void LampFollowsSwitch(TExampleRun& run)
{
    const std::vector<TIOBauteil*> switches = All(run.Board, "TBTSchalter");
    const std::vector<TIOBauteil*> lamps = All(run.Board, "TBTLampe");
    ASSERT_EQ(switches.size(), 1u);
    ASSERT_EQ(lamps.size(), 1u);
    auto* sw = dynamic_cast<TSchalter*>(switches[0]->PanelElement);
    auto* lamp = dynamic_cast<TPLampe*>(lamps[0]->PanelElement);
    ASSERT_TRUE(sw && lamp);
    for (bool on : {true, false, true, false}) {
        sw->SetEingeschaltet(on);
        run.Run(2);
        EXPECT_EQ(lamp->IstSpannung, on ? 5.0L : 0.0L) << "switch " << (on ? "on" : "off");
    }
}

// PID loop: the actual value approaches the setpoint the switch on the
// panel chooses, and the lamp on the panel shows it.
void PidSettles(TExampleRun& run)
{
    const std::vector<TBT_PID_Regler*> controllers = All<TBT_PID_Regler>(run.Board);
    const std::vector<TIOBauteil*> switches = All(run.Board, "TBTAnalogSchalter");
    const std::vector<TIOBauteil*> lamps = All(run.Board, "TBTLampe");
    ASSERT_EQ(controllers.size(), 1u);
    ASSERT_EQ(switches.size(), 1u);
    ASSERT_EQ(lamps.size(), 1u);
    auto* sw = dynamic_cast<TSchalter*>(switches[0]->PanelElement);
    auto* lamp = dynamic_cast<TPLampe*>(lamps[0]->PanelElement);
    ASSERT_TRUE(sw && lamp);
    TBT_PID_Regler& pid = *controllers[0];
    Extended previous = -1;
    for (bool on : {false, true, false}) {
        SCOPED_TRACE(on ? "switch on" : "switch off");
        sw->SetEingeschaltet(on);
        run.Run(1);
        const Extended setpoint = pid.InputValue(0);
        EXPECT_NE(setpoint, previous) << "the switch does not change the setpoint";
        previous = setpoint;
        Extended error = std::fabs(setpoint - pid.InputValue(1));
        EXPECT_GT(error, 1.0L) << "no way to go";
        for (int second = 0; second < 6; ++second) {
            run.Run(10);
            const Extended now = std::fabs(setpoint - pid.InputValue(1));
            if (second < 3) {
                EXPECT_LT(now, error) << "in second " << second;
            }
            error = now;
        }
        EXPECT_LT(error, 0.05L);
        EXPECT_NEAR(static_cast<double>(lamp->IstSpannung), static_cast<double>(pid.InputValue(1)), 0.01);
    }
}

// Each example by its file name in each language, with what it shows.
struct TExampleCheck {
    const char* FileName[3];
    void (*Check)(TExampleRun&);
};
const TExampleCheck ExampleChecks[] = {
    {{"Gatter.prj", "Gates.prj", "Portes logiques.prj"}, GatesChange},
    {{"Zähler.prj", "Counter.prj", "Compteur.prj"}, DigitCounts},
    {{"Blinklicht.prj", "Blinking LED.prj", "LED clignotante.prj"}, LedBlinks},
    {{"Schalter und Lampe.prj", "Switch and lamp.prj", "Interrupteur et lampe.prj"}, LampFollowsSwitch},
    {{"PID-Regler.prj", "PID controller.prj", "Régulateur PID.prj"}, PidSettles},
};

TEST_F(ProgramFolderTest, EveryLanguageHasExamplesThatOpenAndRun)
{
    TFakeClock clock;
    TScopedClock useClock(clock);
    for (int language = 0; language < 3; ++language) {
        const QDir folder(ProgramDir() + "/" + ExampleFolders[language]);
        const QStringList projects = folder.entryList({"*.prj"}, QDir::Files);
        SCOPED_TRACE(folder.path().toStdString());
        for (const TExampleCheck& example : ExampleChecks)
            EXPECT_TRUE(projects.contains(QString::fromUtf8(example.FileName[language])))
                << "missing " << example.FileName[language];
        for (const QString& project : projects) {
            SCOPED_TRACE(project.toStdString());
            const auto check = std::find_if(std::begin(ExampleChecks), std::end(ExampleChecks),
                                            [&](const TExampleCheck& c) {
                                                return QString::fromUtf8(c.FileName[language]) == project;
                                            });
            ASSERT_NE(check, std::end(ExampleChecks)) << "an example without its check";
            TForm1& form = Create();
            LanguageIndex = language;
            TModalHook noQuestions(std::vector<TModalAnswer>{});
            ASSERT_NO_THROW(form.OpenProject(QStringToAnsi(folder.filePath(project))));
            EXPECT_TRUE(noQuestions.Requests().empty());
            TPlatine& board = *form.MainBoard;
            ASSERT_FALSE(board.Objects.empty());
            board.PrepareSimulation();
            TExampleRun run{board, clock};
            check->Check(run);
            board.StopSimulation();
            form_.reset();
        }
    }
}

// The help contexts the program can ask for: every registered component
// class, and every number the sources hand to the help or to a dialog.
std::map<int, std::string> AskedHelpContexts()
{
    std::map<int, std::string> contexts;
    TForm1::RegisterComponentClasses();
    ForEachRegisteredComponent([&](const TClassInfo& info, TIOBauteil& component) {
        contexts.emplace(component.HelpContext, std::string("class ") + info.Name);
    });
    static const QRegularExpression literal(
        QStringLiteral("(?:ShowHelpTopic|SetHelpContext|CallHtmlHelp\\([^,]*,[^,]*,\\s*15,)\\s*\\(?\\s*(\\d+)\\s*\\)|"
                       "HelpContext\\s*=\\s*(\\d+)\\s*;"));
    for (const char* dir : {"engine", "dialogs", "components", "panel", "hardware", "drivers", "shell"}) {
        QDirIterator files(QString::fromUtf8(ZK_SOURCE_DIR) + "/" + dir, {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = literal.globalMatch(text); match.hasNext();) {
                const auto m = match.next();
                const int context = (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1)).toInt();
                if (context != 0)
                    contexts.emplace(context, QDir(ZK_SOURCE_DIR).relativeFilePath(file.fileName()).toStdString());
            }
        }
    }
    return contexts;
}

TEST_F(ProgramFolderTest, EveryHelpContextHasItsPageInEveryLanguage)
{
    const std::map<int, std::string> contexts = AskedHelpContexts();
    ASSERT_GT(contexts.size(), 10u);
    for (int language = 0; language < 3; ++language) {
        const QString folder = ProgramDir() + "/help/" + HelpFolders[language] + "/";
        EXPECT_TRUE(QFile::exists(folder + "index.html")) << "no contents page in " << folder.toStdString();
        for (const auto& [context, asker] : contexts)
            EXPECT_TRUE(QFile::exists(folder + QString::number(context) + ".html"))
                << asker << " (help context " << context << "): no page help/" << HelpFolders[language] << "/"
                << context << ".html; add resources/help/<name>.page with \"context: " << context << "\"";
    }
}

TEST_F(ProgramFolderTest, F1OnASelectedComponentOpensItsPageInTheLanguage)
{
    QDir(folder_.path()).mkpath("help/fr");
    RegisterRows(GateRows());
    const QString page =
        Path("help/fr/" + QString::number(std::unique_ptr<TIOBauteil>(CreateComponent("TBTAnd"))->HelpContext) + ".html");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    std::vector<QUrl> opened;
    SetHelpOpener([&](const QUrl& url) { opened.push_back(url); });
    TForm1& form = Create();
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    LanguageIndex = 2;
    TIOBauteil* gate = CreateComponent("TBTAnd");
    form.MainBoard->InsertObject(gate);
    form.MainBoard->SelectObject(gate, true);
    form.FocusBoard();
    QTest::keyClick(form.PlatineScrollbox, Qt::Key_F1);
    SetHelpOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(page));
}

}   // namespace
