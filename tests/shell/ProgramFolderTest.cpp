// What the build puts into the program folder for a new user: the example
// projects of each language, each opened and run, and a help page in each
// language for every help context the program can ask for.
#include "shell/ShellFixture.h"

#include "components/digital/BT_Gatter.h"
#include "engine/Bauteil.h"
#include "engine/Platine.h"
#include "engine/Publics.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include <map>
#include <memory>
#include <set>

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
    if (dynamic_cast<TBTInverter*>(&c))
        return out == !c.InputLogic(0);
    const bool a = c.InputLogic(0), b = c.InputLogic(1);
    if (dynamic_cast<TBTAnd*>(&c))
        return out == (a && b);
    if (dynamic_cast<TBTOr*>(&c))
        return out == (a || b);
    if (dynamic_cast<TBTExor*>(&c))
        return out == (a != b);
    return true;
}

TEST_F(ProgramFolderTest, EveryLanguageHasExamplesThatOpenAndRun)
{
    TFakeClock clock;
    TScopedClock useClock(clock);
    for (int language = 0; language < 3; ++language) {
        const QDir folder(ProgramDir() + "/" + ExampleFolders[language]);
        const QStringList projects = folder.entryList({"*.prj"}, QDir::Files);
        SCOPED_TRACE(folder.path().toStdString());
        ASSERT_FALSE(projects.isEmpty()) << "no example";
        for (const QString& project : projects) {
            SCOPED_TRACE(project.toStdString());
            TForm1& form = Create();
            LanguageIndex = language;
            TModalHook noQuestions(std::vector<TModalAnswer>{});
            ASSERT_NO_THROW(form.OpenProject(QStringToAnsi(folder.filePath(project))));
            EXPECT_TRUE(noQuestions.Requests().empty());
            TPlatine& board = *form.MainBoard;
            ASSERT_FALSE(board.Objects.empty());
            board.PrepareSimulation();
            int gates = 0;
            std::set<bool> seen;   // the states a clocked gate went through
            for (int step = 0; step < 40; ++step) {
                clock.AdvanceMs(100);
                board.Step();
                for (TBauteil* object : board.Objects) {
                    auto* c = dynamic_cast<TIOBauteil*>(object);
                    if (!c || c->Inputs.empty() || c->Outputs.empty())
                        continue;
                    for (std::size_t i = 0; i < c->Inputs.size(); ++i)
                        EXPECT_NE(c->Inputs[i].Source, nullptr) << c->Caption << " input " << i << " is not wired";
                    EXPECT_TRUE(GateAgrees(*c)) << c->Caption << " in step " << step;
                    if (step == 0)
                        ++gates;
                    if (dynamic_cast<TBTInverter*>(c))
                        seen.insert(c->Outputs[0].ReadValue() >= 2.5L);
                }
            }
            board.StopSimulation();
            EXPECT_GT(gates, 0);
            EXPECT_EQ(seen.size(), 2u) << "the clocked part never changed";
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
    for (const TClassInfo* info : RegisteredClasses()) {
        if (!info->Create || !info->InheritsFrom(TIOBauteil::StaticClass()))
            continue;
        std::unique_ptr<TPersistent> object(info->Create());
        auto* component = dynamic_cast<TIOBauteil*>(object.get());
        if (!component)
            continue;
        component->AfterConstruction();
        contexts.emplace(component->HelpContext, std::string("class ") + info->Name);
    }
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
    const QString page = Path("help/fr/" + QString::number(TBTAnd().HelpContext) + ".html");
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
    TIOBauteil* gate = CreateBauteil<TBTAnd>();
    form.MainBoard->InsertObject(gate);
    form.MainBoard->SelectObject(gate, true);
    form.FocusBoard();
    QTest::keyClick(form.PlatineScrollbox, Qt::Key_F1);
    SetHelpOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(page));
}

}   // namespace
