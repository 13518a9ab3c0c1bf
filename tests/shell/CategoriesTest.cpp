// The library panel: the category table in three languages, the category
// menu, stepping through the categories with wrap-around, showing a
// category's library, the text-only switch, and the quick search from the
// list of type names to a component hanging at the cursor.
#include "shell/ShellFixture.h"
#include "engine/ShellHooks.h"
#include "fakes/FakeCard.h"
#include "hardware/framework/BT_Hardware.h"
#include "shell/HookInstall.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Gatter.h"
#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "shell/Categories.h"
#include "project/ProjectFile.h"
#include "ui/controls/UCLImageListBox.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

// Components whose type names the search tests look for.
template <int N>
class TBTNamed : public TGrundBT {
public:
    TBTNamed() { SetOutputCount(1); }
    AnsiString GetTypeName() const override
    {
        static const char* const Names[] = {"Zähler 8 Bit"_ansi, "Zähler 4 Bit"_ansi, "Schieberegister 8 Bit"};
        return Names[N];
    }
};
class TBTCounter8 : public TBTNamed<0> {
    ZK_CLASS(TBTCounter8, TGrundBT)
};
class TBTCounter4 : public TBTNamed<1> {
    ZK_CLASS(TBTCounter4, TGrundBT)
};
class TBTShift8 : public TBTNamed<2> {
    ZK_CLASS(TBTShift8, TGrundBT)
};

class CategoriesTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        TForm1::RegisterComponentClasses();
        RegisterTestClasses();
        RegisterFakeCards();
        InstallHardwareHooks();
        for (const TClassInfo* info : {&TBTCounter8::StaticClass(), &TBTCounter4::StaticClass(), &TBTShift8::StaticClass()})
            RegisterClass(*info);
        ASSERT_TRUE(QDir(folder_.path()).mkpath("EXP_BIBO"));
    }
    void TearDown() override
    {
        ShellHooks.CreateHardwareHolding = nullptr;
        ShellHooks.CreateHardwareByLegacyName = nullptr;
        TShellFixture::TearDown();
    }

    void Library(const char* file, const std::vector<AnsiString>& classes)
    {
        WriteLibraryFile(Program() + "EXP_BIBO/" + file, classes);
    }
    // The category items of a submenu: their indexes, -1 for a separator.
    static std::vector<int> Items(const QMenu& submenu)
    {
        std::vector<int> items;
        for (const QAction* item : submenu.actions())
            items.push_back(item->isSeparator() ? -1 : item->data().toInt());
        return items;
    }
    static QStringList Results(TForm1& form)
    {
        QStringList results;
        for (int i = 0; i < form.SearchResultListbox->ItemCount(); ++i)
            results << form.SearchResultListbox->ItemText(i);
        return results;
    }
    static void Search(TForm1& form, const char* utf8)
    {
        form.SearchEdit->setText(QString::fromUtf8(utf8));
    }
};

TEST_F(CategoriesTest, TableNamesTheCategoriesInTheLanguageOfTheProgram)
{
    const struct {
        int Index;
        Integer Language;
        const char* Name;   // UTF-8
        const char* File;
        Byte Kind;
    } cases[] = {
        {0, 0, "Bedienung digital", "bedien_d.bib", 0},
        {4, 0, "Zähler", "zaehler.bib", 1},
        {9, 0, "Ram && Rom", "ramrom.bib", 1},
        {12, 1, "Miscellaneous", "hardware.bib", 4},
        {26, 2, "Port d´accès", "ports.bib", 4},
        {36, 1, "Plots", "Schreiber.bib", 0},
        {39, 1, "Hotkeys", "Hotkeys.bib", 3},
        {39, 2, "Raccourcis", "Hotkeys.bib", 3},
        {48, 2, "Vcc,Ground,Test", "Masse.bib", 3},
        {59, 5, "Teracom", "Teracom.bib", 4},   // an unknown language names them in German
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        LanguageIndex = c.Language;
        const auto table = LibraryCategoryTable();
        EXPECT_EQ(AnsiToQString(table[c.Index].Name), QString::fromUtf8(c.Name));
        EXPECT_EQ(table[c.Index].LibraryFile, c.File);
        EXPECT_EQ(table[c.Index].Kind, c.Kind);
    }
    LanguageIndex = 0;
    const auto table = LibraryCategoryTable();
    EXPECT_EQ(table[17].LibraryFile, table[27].LibraryFile);
}

TEST_F(CategoriesTest, MenuHoldsEachKindsCategoriesInTheirOrder)
{
    TForm1& form = Create();
    ASSERT_EQ(form.CategoryMenus.size(), 5u);
    const std::vector<int> expected[5] = {
        {16, 1, 0, 36, 22},
        {14, 8, 23, 3, 2, 7, 9, 5, 6, 10, 4},
        {13, 46, 47, 34, 44, 45, -1, 15},
        {48, 37, 38, 39, 35, -1, 11},
        {12, 43, 52, 51, 24, 42, 26, 25, 21, -1, 53, 28, 54, 40, 50, 58, 19, 33, 56, 32, 18, 31, 29, 20, 30, 57, 59,
         55, 41, -1, 49},
    };
    for (int kind = 0; kind < 5; ++kind) {
        EXPECT_EQ(Items(*form.CategoryMenus[kind]), expected[kind]) << kind;
        // Each kind's submenu shows the kind's picture, as its categories' button does.
        EXPECT_FALSE(form.CategoryMenus[kind]->icon().isNull()) << kind;
    }
    EXPECT_EQ(form.CategoryMenus[1]->actions()[6]->text(), QStringLiteral("Ram && Rom"));
    EXPECT_EQ(form.CategoryMenus[1]->title(), QStringLiteral("Logikbauteile"));
    EXPECT_EQ(form.BiboButton->DropDownMenu(), form.PopupBibo);
}

TEST_F(CategoriesTest, PlusAndMinusVisitEveryCategoryOnceAndWrapAround)
{
    TForm1& form = Create();
    form.ShowLibraryCategory(nullptr);
    EXPECT_EQ(form.BiboTag, StartCategory);

    // From the start category through every submenu and back to it.
    std::vector<int> forwards;
    for (int i = 0; i < 58; ++i) {
        form.SB_BiboPlusClick();
        forwards.push_back(form.BiboTag);
    }
    EXPECT_EQ(forwards.front(), 1);
    EXPECT_EQ(forwards[forwards.size() - 2], 49);
    EXPECT_EQ(forwards.back(), 16);                    // after "Hardware" comes the first submenu
    std::vector<int> sorted = forwards;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(std::count(sorted.begin(), sorted.end(), 17) + std::count(sorted.begin(), sorted.end(), 27), 0);

    std::vector<int> backwards;
    for (int i = 0; i < 58; ++i) {
        form.SB_BiboMinusClick();
        backwards.push_back(form.BiboTag);
    }
    std::vector<int> reversed(forwards.rbegin() + 1, forwards.rend());
    reversed.push_back(16);
    EXPECT_EQ(backwards, reversed);

    // From no category (the macros), plus starts at the first item.
    form.BiboTag = -1;
    form.SB_BiboPlusClick();
    EXPECT_EQ(form.BiboTag, 16);
    form.BiboTag = -1;
    form.SB_BiboMinusClick();
    EXPECT_EQ(form.BiboTag, 49);
}

TEST_F(CategoriesTest, ShowingACategoryLoadsItsLibraryIntoThePalette)
{
    Library("gatter.bib", {"TBTAnd", "TBTInverter", "TBTOr"});
    TForm1& form = Create();
    form.show();
    EXPECT_EQ(form.BiboTag, StartCategory);                     // its file is missing: empty
    EXPECT_EQ(form.BiboButton->Caption(), QStringLiteral("Anzeigen"));
    EXPECT_TRUE(form.Bibo->Entries.empty());
    const QImage panelElements = form.BiboButton->GetGlyph();

    form.CategoryMenus[1]->actions()[4]->trigger();             // "Gatter"
    EXPECT_EQ(form.BiboTag, 2);
    EXPECT_EQ(form.BiboButton->Caption(), QStringLiteral("Gatter"));
    EXPECT_FALSE(form.BiboButton->GetGlyph().isNull());
    EXPECT_NE(form.BiboButton->GetGlyph(), panelElements);      // the picture of its kind
    ASSERT_EQ(form.Bibo->Entries.size(), 3u);
    EXPECT_EQ(form.Bibo->FileVersion, 46);
    EXPECT_NE(form.MainBoard->BoardPalette, nullptr);
    EXPECT_EQ(form.Bibo->Entries[0]->Palette, form.MainBoard->BoardPalette);   // samples draw like the board
    EXPECT_EQ(form.SB_Bibliothek->verticalScrollBar()->value(), 0);
    EXPECT_EQ(form.Bibo->width(), form.SB_Bibliothek->viewport()->width());

    QTest::mouseClick(form.cb_NurText, Qt::LeftButton);
    EXPECT_TRUE(form.Bibo->TextOnly);
    EXPECT_EQ(form.Bibo->EntryBottoms, (std::vector<Integer>{99, 198, 297}));
    QTest::mouseClick(form.cb_NurText, Qt::LeftButton);
    EXPECT_FALSE(form.Bibo->TextOnly);
}

TEST_F(CategoriesTest, SearchListHoldsEachTypeNameOnceWithItsFirstClass)
{
    Library("gatter.bib", {"TBTAnd", "TBTInverter"});
    Library("zaehler.bib", {"TBTCounter8", "TBTCounter4"});
    Library("hardware.bib", {"TFakeCard"});
    Library("digital.bib", {"TBTShift8", "TBTAnd"});             // categories 17 and 27
    TForm1& form = Create();
    form.show();
    EXPECT_EQ(form.SearchNames, (std::vector<AnsiString>{"AND", "Inverter", "Zähler 8 Bit"_ansi,
                                                         "Zähler 4 Bit"_ansi, "Testkarte", "Schieberegister 8 Bit"}));
    EXPECT_EQ(form.SearchClassIds, (std::vector<AnsiString>{"TBTAnd", "TBTInverter", "TBTCounter8", "TBTCounter4",
                                                           "HardwareTFakeCard", "TBTShift8"}));
    EXPECT_EQ(form.BiboTag, StartCategory);
    EXPECT_TRUE(form.Bibo->Entries.empty());   // the start category is shown afterwards

    const struct {
        const char* Text;
        QStringList Results;
    } cases[] = {
        {"zähler 8", {"Zähler 8 Bit"}},
        {"  ZÄHLER   8 ", {"Zähler 8 Bit"}},
        {"8 bit", {"Schieberegister 8 Bit", "Zähler 8 Bit"}},
        {"bit zähl", {"Zähler 4 Bit", "Zähler 8 Bit"}},
        {"karte", {"Testkarte"}},
        {"xyz", {}},
        {"", {"AND", "Inverter", "Schieberegister 8 Bit", "Testkarte", "Zähler 4 Bit", "Zähler 8 Bit"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        Search(form, c.Text);
        EXPECT_EQ(Results(form), c.Results);
    }
}

TEST_F(CategoriesTest, AFoundComponentHangsAtTheCursorAfterTheButtonIsUp)
{
    Library("zaehler.bib", {"TBTCounter8"});
    Library("hardware.bib", {"TFakeCard"});
    TForm1& form = Create();
    form.show();
    QTest::mouseClick(form.SearchBtn, Qt::LeftButton);
    EXPECT_TRUE(form.SearchPanel->isVisibleTo(&form));
    EXPECT_EQ(Results(form), (QStringList{"Testkarte", "Zähler 8 Bit"}));   // every name from the start

    form.SearchResultListbox->SetItemIndex(-1);
    form.SearchPopupPopup();
    EXPECT_FALSE(form.SearchAdd->isEnabled());
    form.SearchAddClick();
    EXPECT_TRUE(form.MainBoard->Objects.empty());

    form.SearchResultListbox->SetItemIndex(0);   // "Testkarte"
    form.SearchPopupPopup();
    EXPECT_TRUE(form.SearchAdd->isEnabled());
    form.SearchAdd->trigger();
    EXPECT_EQ(form.MainBoard->Mode, TBoardMode::Placing);
    ASSERT_EQ(CountOf<TBTHardware>(*form.MainBoard), 1);
    form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);

    // A double click places once the button is released over the list.
    form.SearchResultListbox->SetItemIndex(1);   // "Zähler 8 Bit"
    QWidget* list = form.SearchResultListbox->viewport();
    const QPoint at = form.SearchResultListbox->visualItemRect(form.SearchResultListbox->item(1)).center();
    QTest::mouseDClick(list, Qt::LeftButton, {}, at);
    EXPECT_EQ(CountOf<TBTCounter8>(*form.MainBoard), 0);
    QTest::mouseRelease(list, Qt::LeftButton, {}, at);
    EXPECT_EQ(CountOf<TBTCounter8>(*form.MainBoard), 1);
    EXPECT_EQ(form.MainBoard->Mode, TBoardMode::Placing);
    form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
    QTest::mouseClick(list, Qt::LeftButton, {}, at);
    EXPECT_EQ(CountOf<TBTCounter8>(*form.MainBoard), 1);   // a plain click places nothing
}

} // namespace
