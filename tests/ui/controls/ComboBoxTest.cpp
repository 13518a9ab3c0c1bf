#include "ui/controls/UCLComboBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void ShowActive(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

QStringList Items(const TUCLCustomComboBox& combo)
{
    QStringList out;
    for (int k = 0; k < combo.ItemCount(); ++k)
        out << combo.ItemText(k);
    return out;
}

}   // namespace

TEST(ComboBoxSearch, CompletesTheTypedPrefixAfterTheDelay)
{
    struct Case {
        const char* name;
        const char* typed;
        int backspaces;
        int delay;
        QString text;
        QString selected;
        int index;
    };
    const std::vector<Case> cases = {
        {"prefix found", "Ab", 0, 1500, "Abc", "c", 0},
        {"letter case matters", "ab", 0, 1500, "ab", "", -1},
        {"empty text selects the first item", "Ab", 2, 2500, "Abc", "Abc", 0},
        {"second item", "Abd", 0, 1500, "Abd", "", 1},
    };
    for (const Case& c : cases) {
        TUCLComboBox combo;
        combo.SetSearch(true);
        EXPECT_TRUE(combo.Sorted());
        combo.AddItem("Abd");
        combo.AddItem("Abc");
        combo.SetItemIndex(-1);
        QTest::keyClicks(&combo, c.typed);
        for (int k = 0; k < c.backspaces; ++k)
            QTest::keyClick(&combo, Qt::Key_Backspace);
        ASSERT_NE(combo.SearchTimerObject(), nullptr) << c.name;
        EXPECT_TRUE(combo.SearchTimerObject()->Enabled()) << c.name;
        EXPECT_EQ(combo.SearchTimerObject()->Interval(), c.delay) << c.name;
        combo.SearchTimer();
        EXPECT_EQ(combo.lineEdit()->text(), c.text) << c.name;
        EXPECT_EQ(combo.lineEdit()->selectedText(), c.selected) << c.name;
        EXPECT_EQ(combo.ItemIndex(), c.index) << c.name;
        EXPECT_FALSE(combo.SearchTimerObject()->Enabled()) << c.name;
    }
}

TEST(ComboBoxSearch, OffOrUnsortedDoesNothing)
{
    TUCLComboBox combo;
    combo.AddItem("Abc");
    QTest::keyClicks(&combo, "A");
    ASSERT_NE(combo.SearchTimerObject(), nullptr);
    EXPECT_FALSE(combo.SearchTimerObject()->Enabled());
    combo.SearchTimer();
    EXPECT_EQ(combo.lineEdit()->text(), "A");
}

TEST(ComboBoxRecent, ChoicesBuildTheBlockOfRecentEntries)
{
    TUCLComboBox combo;
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g"})
        combo.AddItem(text);
    combo.SetMRUList(true);
    EXPECT_EQ(combo.Style(), TComboBoxStyle::csOwnerDrawFixed);
    // The user picks the entry further down the list (not a recent copy).
    auto choose = [&](const QString& text) { combo.ChooseItem(int(Items(combo).lastIndexOf(text))); };
    choose("c");
    choose("c");   // the recent entry becomes current, no second one
    EXPECT_EQ(combo.RecentCount(), 1);
    EXPECT_EQ(combo.ItemIndex(), 0);
    for (const char* text : {"a", "b", "d", "e"})
        choose(text);
    EXPECT_EQ(combo.RecentCount(), 5);
    EXPECT_EQ(Items(combo).mid(0, 5), (QStringList{"e", "d", "b", "a", "c"}));
    choose("f");
    EXPECT_EQ(combo.RecentCount(), 5);
    EXPECT_EQ(Items(combo).mid(0, 5), (QStringList{"f", "e", "d", "b", "a"}));
    combo.SetMRUMax(2);
    EXPECT_EQ(Items(combo), (QStringList{"f", "e", "a", "b", "c", "d", "e", "f", "g"}));
    combo.SetMRUList(false);
    EXPECT_EQ(Items(combo), (QStringList{"a", "b", "c", "d", "e", "f", "g"}));
}

TEST(ComboBoxFocus, MouseAndEnterHandOverArrowKeysDoNot)
{
    QWidget window;
    auto* combo = new TUCLComboBox(&window);
    auto* target = new QLineEdit(&window);
    target->move(0, 40);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    for (const char* text : {"eins", "zwei", "drei"})
        combo->AddItem(text);
    combo->SetFocusControl(target);
    int selects = 0;
    combo->OnSelect = [&](TPersistent*) { ++selects; };
    ShowActive(window);

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(selects, 1);
    EXPECT_TRUE(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(target->hasFocus());

    combo->setFocus();
    QTest::mouseClick(combo, Qt::LeftButton);   // a mouse press ends key navigation
    combo->hidePopup();                         // the choice closes the list first
    combo->ChooseItem(2);
    EXPECT_TRUE(target->hasFocus());
    EXPECT_EQ(selects, 2);
}

TEST(ComboBox, ItemIndexOutsideTheItemsChoosesNothing)
{
    TUCLComboBox combo;
    combo.SetStyle(TComboBoxStyle::csDropDownList);
    combo.AddItem("x");
    combo.SetItemIndex(0);
    combo.SetItemIndex(5);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetText("X");
    EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST(ComboBox, TypingIntoTheEditReportsEachChangeOnce)
{
    TUCLComboBox combo;
    int changes = 0;
    combo.OnChange = [&](TPersistent*) { ++changes; };
    combo.SetStyle(TComboBoxStyle::csDropDown);   // the style set twice must not connect twice
    QTest::keyClicks(combo.lineEdit(), "ab");
    EXPECT_EQ(changes, 2);
}
