// The bill of materials (lines per library entry, gates per input count,
// hardware per driver, macros by name and broken down, headings) in its
// window, and the settings overview's tree with its drawing rules.
#include "shell/ShellFixture.h"
#include "platform/HtmlHelp.h"
#include "fakes/FakeCard.h"
#include "hardware/framework/BT_Hardware.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Gatter.h"
#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/ObjectTree.h"
#include "engine/ShellHooks.h"
#include "panel/framework/BT_LED.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "shell/MaterialsList.h"
#include "project/ProjectFile.h"

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {

std::vector<std::string> Utf8(const std::vector<AnsiString>& lines)
{
    std::vector<std::string> out;
    for (const AnsiString& line : lines)
        out.push_back(AnsiToQString(line).toStdString());
    return out;
}

template <class T>
T* Put(TPlatine& board)
{
    T* component = CreateBauteil<T>();
    board.InsertObject(component);
    return component;
}
TIOBauteil* Put(TPlatine& board, std::string_view className)
{
    TIOBauteil* component = CreateComponent(className);
    board.InsertObject(component);
    return component;
}

class MaterialsListTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        TForm1::RegisterComponentClasses();
        RegisterTestClasses();
        RegisterFakeCards();
        ASSERT_TRUE(QDir(folder_.path()).mkpath("EXP_BIBO"));
    }
    void TearDown() override
    {
        ShellHooks.CreateHardwareHolding = nullptr;
        TBTTestGate::EditScript = nullptr;
        TShellFixture::TearDown();
    }

    // A card of a registered device class.
    static std::unique_ptr<TIOInterface> Card(const char* deviceClass)
    {
        return std::unique_ptr<TIOInterface>(static_cast<TIOInterface*>(CreateObjectByName(deviceClass)));
    }

    // Gates with an AND and an inverter, a category of two hardware
    // components (one per device class).
    static std::vector<TMaterialCategory> Library()
    {
        std::unique_ptr<TIOBauteil> andSample(CreateComponent("TBTAnd"));
        std::unique_ptr<TIOBauteil> inverterSample(CreateComponent("TBTInverter"));
        std::unique_ptr<TBTHardware> card(TBTHardware::CreateHolding(Card("TFakeCard").release()));
        std::unique_ptr<TBTHardware> oldCard(TBTHardware::CreateHolding(Card("TFakeOldCard").release()));
        return {{"Gatter", MaterialEntries({andSample.get(), inverterSample.get()})},
                {"Empty", {}},
                {"PC & Co", MaterialEntries({card.get(), oldCard.get()})}};
    }

    // Three ANDs (2, 2 and 4 inputs), an inverter, two cards of one driver
    // and one of another, two macros named "Zähler" (the first holds an OR
    // and an inverter) and one named "Takt".
    void Fill(TTestBoard& rig)
    {
        rig.Place("TBTAnd", 0, 0);
        rig.Place("TBTAnd", 200, 0)->SetInputCount(4);
        rig.Place("TBTInverter", 400, 0);
        rig.Place("TBTAnd", 600, 0);
        for (bool old : {false, true, false}) {
            rig.Place<TBTHardware>(0, 400)->SetDevice(Card(old ? "TFakeOldCard" : "TFakeCard"));
        }
        const char* names[] = {"Zähler", "Takt", "Zähler"};
        TMakro* first = nullptr;
        for (const char* name : names) {
            TMakro* macro = rig.PlaceMacro(800, 800, 2);
            macro->Name = QStringToAnsi(QString::fromUtf8(name)).c_str();
            if (!first)
                first = macro;
        }
        ASSERT_NE(first->InnerBoard(), nullptr);
        Put(*first->InnerBoard(), "TBTInverter");
        Put(*first->InnerBoard(), "TBTAnd")->SetInputCount(3);
    }
};

TEST_F(MaterialsListTest, LinesCountEntriesGatesPerInputHardwarePerDriverAndMacrosByName)
{
    TTestBoard rig;
    Fill(rig);
    const std::vector<TMaterialCategory> library = Library();

    struct TCase {
        TMaterialOptions Options;
        std::vector<std::string> Lines;
    } cases[] = {
        {{false, false}, {"2x AND, 2 Eingänge", "1x AND, 4 Eingänge", "1x Inverter", "2x Testkarte", "1x Altkarte",
                          "2x Zähler", "1x Takt"}},
        {{true, false}, {"2x AND, 2 Eingänge", "1x AND, 4 Eingänge", "1x Inverter", "2x Testkarte", "1x Altkarte",
                         "2x Zähler", "   1x AND, 3 Eingänge", "   1x Inverter", "", "1x Takt", ""}},
        {{true, true}, {"", "--- Gatter ---", "2x AND, 2 Eingänge", "1x AND, 4 Eingänge", "1x Inverter", "",
                        "--- PC & Co ---", "2x Testkarte", "1x Altkarte", "", "--- Makros ---", "2x Zähler", "",
                        "   --- Gatter ---", "   1x AND, 3 Eingänge", "   1x Inverter", "", "1x Takt", ""}},
    };
    for (const TCase& c : cases) {
        std::vector<AnsiString> lines;
        ListBoardMaterials(rig.Board(), 0, library, c.Options, lines);
        EXPECT_EQ(Utf8(lines), c.Lines) << c.Options.Macros << c.Options.Groups;
    }
}

TEST_F(MaterialsListTest, EmptyHeadingsGoAgainAndMacroHeadingIsInTheLanguage)
{
    TTestBoard rig;
    rig.Place("TBTInverter", 0, 0);
    std::vector<AnsiString> lines;
    ListBoardMaterials(rig.Board(), 0, Library(), {false, true}, lines);
    EXPECT_EQ(Utf8(lines), (std::vector<std::string>{"", "--- Gatter ---", "1x Inverter"}));

    LanguageIndex = 1;
    rig.PlaceMacro(800, 800, 2)->Name = "M";
    lines.clear();
    ListBoardMaterials(rig.Board(), 0, Library(), {false, true}, lines);
    EXPECT_EQ(Utf8(lines), (std::vector<std::string>{"", "--- Gatter ---", "1x Inverter", "", "--- Macros ---", "1x M"}));
}

TEST_F(MaterialsListTest, CommandListsTheShownBoardFromTheLibraryFilesAndRebuildsOnEachOption)
{
    WriteLibraryFile(Program() + "EXP_BIBO/gatter.bib", {"TBTAnd", "TBTInverter"});
    TForm1& form = Create();
    form.show();
    const Integer shownCategory = form.BiboTag;
    const std::size_t shownEntries = form.Bibo->Entries.size();
    Put(*form.MainBoard, "TBTInverter");
    Put(*form.MainBoard, "TBTAnd");

    QAction* command = form.findChild<QAction*>("Stueckliste");
    ASSERT_NE(command, nullptr);
    ASSERT_TRUE(command->isEnabled());
    {
        TModalHook errors([](const TModalRequest& request) {
            ADD_FAILURE() << request.Text;
            return TModalAnswer::Button(IDOK);
        });
        command->trigger();
    }
    TSList& window = MaterialsWindow(form);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Memo->toPlainText(), QString::fromUtf8("Stückliste\n\n1x AND, 2 Eingänge\n1x Inverter"));
    // The palette on screen keeps its category.
    EXPECT_EQ(form.BiboTag, shownCategory);
    EXPECT_EQ(form.Bibo->Entries.size(), shownEntries);

    window.CB_Gruppen->setChecked(true);
    EXPECT_EQ(window.Memo->toPlainText(),
              QString::fromUtf8("Stückliste\n\n\n--- Gatter ---\n1x AND, 2 Eingänge\n1x Inverter"));
    window.CB_Gruppen->setChecked(false);

    // Saved through a temporary file as text lines, and read back.
    const QString file = Path("liste.txt");
    {
        TModalHook hook({TModalAnswer::File(QStringToAnsi(file))});
        window.SB_Save->click();
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].File.Filter, "Text (*.txt) |*.TXT");
        EXPECT_EQ(hook.Requests()[0].File.DefaultExt, "TXT");
    }
    EXPECT_EQ(ReadFile("liste.txt"), QStringToAnsi(QString::fromUtf8("Stückliste\r\n\r\n1x AND, 2 Eingänge\r\n1x Inverter\r\n")));
    window.Memo->clear();
    {
        TModalHook hook({TModalAnswer::File(QStringToAnsi(file))});
        window.SB_Load->click();
    }
    EXPECT_EQ(window.Memo->toPlainText(), QString::fromUtf8("Stückliste\n\n1x AND, 2 Eingänge\n1x Inverter\n"));
    // A file that cannot be read is reported and the text stays.
    {
        TModalHook hook({TModalAnswer::File(QStringToAnsi(Path("missing.txt"))), TModalAnswer::Button(IDOK)});
        window.SB_Load->click();
        ASSERT_EQ(hook.Requests().size(), 2u);
        EXPECT_EQ(hook.Requests()[1].Kind, TModalKind::MessageBox);
    }
    EXPECT_FALSE(window.Memo->toPlainText().isEmpty());
}

TEST_F(MaterialsListTest, WindowTextsInEachLanguage)
{
    struct {
        Integer Language;
        const char* Caption;
        const char* Macros;
        const char* Save;
    } cases[] = {{0, "Stückliste", "Makros aufschlüsseln", "Speichern"},
                 {1, "Components list", "&Detailed macros", "Save"},
                 {2, "Liste de composants", "&Macros détaillées", "Sauvegarder"}};
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        TSList window;
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(c.Caption));
        EXPECT_EQ(window.CB_Makros->text(), QString::fromUtf8(c.Macros));
        EXPECT_EQ(window.SB_Save->toolTip(), QString::fromUtf8(c.Save));
    }
}

TEST_F(MaterialsListTest, OverviewMarksRunTimeSettingsAndOpensSettingsOnDoubleClick)
{
    TForm1& form = Create();
    auto* fixed = Put<TBTTestGate>(*form.MainBoard);
    fixed->HasPropertyDialog = true;
    auto* adjustable = Put<TBTTestGate>(*form.MainBoard);
    adjustable->HasPropertyDialog = true;
    adjustable->RuntimeAdjustable = true;

    TBTTestGate* edited = nullptr;
    TBTTestGate::EditScript = [&](TBTTestGate* gate) {
        edited = gate;
        return 1;
    };
    std::vector<std::pair<bool, QColor>> looks;
    {
        TFormHook hook({[&](TModalForm& shown) {
            auto& overview = dynamic_cast<TObjektliste&>(shown);
            ASSERT_EQ(overview.VTree->topLevelItemCount(), 2);
            for (int i = 0; i < 2; ++i) {
                QTreeWidgetItem* node = overview.VTree->topLevelItem(i);
                looks.push_back({node->font(0).bold(), node->foreground(0).color()});
            }
            QTreeWidgetItem* node = overview.VTree->topLevelItem(0);
            overview.VTreeDblClick(node);
            EXPECT_EQ(edited, TreeNodeObject(*node));
        }});
        form.findChild<QAction*>("Anwendung1")->trigger();
        EXPECT_EQ(hook.Shown(), (std::vector<AnsiString>{"Konfiguration"}));
    }
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_NE(edited, nullptr);
    int bold = 0;
    for (const auto& [isBold, colour] : looks) {
        EXPECT_EQ(colour, isBold ? QColor(0, 128, 0) : QColor(Qt::black));
        bold += isBold;
    }
    EXPECT_EQ(bold, 1);

    // While the simulation runs every node is plain black.
    SimulationRunning = true;
    TObjektliste& overview = OverviewWindow(form);
    overview.VTree->clear();
    overview.FillFromBoard(*form.MainBoard);
    SimulationRunning = false;
    ASSERT_EQ(overview.VTree->topLevelItemCount(), 1);   // only what may be set at run time
    EXPECT_FALSE(overview.VTree->topLevelItem(0)->font(0).bold());
    EXPECT_EQ(overview.VTree->topLevelItem(0)->foreground(0).color(), QColor(Qt::black));
}

}   // namespace

namespace {

// The title bar's help button of both windows opens their help page.
TEST_F(MaterialsListTest, HelpButtonsOpenTheirPages)
{
    TForm1& form = Create();
    ASSERT_TRUE(QDir(folder_.path()).mkpath("help"));
    for (const char* page : {"help/12000.html", "help/17550.html"})
        WriteFile(page, "<html></html>");
    std::vector<QUrl> opened;
    SetHelpOpener([&](const QUrl& url) { opened.push_back(url); });
    QEvent helpButton(QEvent::EnterWhatsThisMode);
    TSList list;
    QApplication::sendEvent(&list, &helpButton);
    TObjektliste overview(&form);
    QApplication::sendEvent(&overview, &helpButton);
    SetHelpOpener({});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("help/12000.html"));
    EXPECT_TRUE(opened[1].toLocalFile().endsWith("help/17550.html"));
}

} // namespace

namespace {

// A front-panel element's node opens the element's own settings dialog.
TEST_F(MaterialsListTest, OverviewOpensAnElementsSettingsOnDoubleClick)
{
    TForm1& form = Create();
    ASSERT_NE(Paste(*form.MainBoard, "TBTLed"), nullptr);
    TObjektliste& overview = OverviewWindow(form);
    overview.VTree->clear();
    overview.FillFromBoard(*form.MainBoard);
    QTreeWidgetItem* elementNode = nullptr;
    for (int i = 0; i < overview.VTree->topLevelItemCount(); ++i)
        if (TreeNodeElement(*overview.VTree->topLevelItem(i)))
            elementNode = overview.VTree->topLevelItem(i);
    ASSERT_NE(elementNode, nullptr);
    TFormHook hook({[](TModalForm& shown) { shown.reject(); }});
    overview.VTreeDblClick(elementNode);
    EXPECT_EQ(hook.Shown().size(), 1u);
}

} // namespace
