#include "ui/controls/UCLListBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList Items(const TUCLCustomListBox& list)
{
    QStringList out;
    for (int k = 0; k < list.ItemCount(); ++k)
        out << list.ItemText(k);
    return out;
}

void ShowActive(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.setFocus();
}

struct ListFixture {
    TUCLExtListBox list;
    ListFixture(std::initializer_list<const char*> items, bool sorted = false)
    {
        list.resize(200, 200);
        list.SetSorted(sorted);
        for (const char* text : items)
            list.AddItem(text);
        list.EditOptions = lboAllowDelete | lboAllowEdit | lboAllowInsert;
    }
};

}   // namespace

TEST(ListBoxEditor, KeysInsertEditAndDrop)
{
    struct Case {
        const char* name;
        bool sorted;
        int current;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* typed;
        Qt::Key close;
        QStringList expected;
        int expectedIndex;
    };
    const std::vector<Case> cases = {
        {"Ctrl+Insert inserts after", false, 3, Qt::Key_Insert, Qt::ControlModifier, "neu", Qt::Key_Return,
         {"a", "b", "c", "d", "neu", "e"}, 4},
        {"Insert inserts before", false, 1, Qt::Key_Insert, Qt::NoModifier, "x", Qt::Key_Return,
         {"a", "x", "b", "c", "d", "e"}, 1},
        {"Insert in a sorted list sorts on Enter", true, 0, Qt::Key_Insert, Qt::NoModifier, "bb", Qt::Key_Return,
         {"a", "b", "bb", "c", "d", "e"}, 2},
        {"Escape drops an inserted item", false, 2, Qt::Key_Insert, Qt::NoModifier, "x", Qt::Key_Escape,
         {"a", "b", "c", "d", "e"}, 2},
        {"F2 edits the current item", false, 2, Qt::Key_F2, Qt::NoModifier, "!", Qt::Key_Return,
         {"a", "b", "c!", "d", "e"}, 2},
        {"Escape keeps an edited item", false, 2, Qt::Key_F2, Qt::NoModifier, "!", Qt::Key_Escape,
         {"a", "b", "c", "d", "e"}, 2},
    };
    for (const Case& c : cases) {
        ListFixture f({"a", "b", "c", "d", "e"}, c.sorted);
        ShowActive(f.list);
        f.list.SetItemIndex(c.current);
        int changed = -2;
        f.list.OnEditChange = [&](TUCLCustomListBox*, int index) { changed = index; };
        QTest::keyClick(&f.list, c.key, c.modifiers);
        ASSERT_NE(f.list.Editor(), nullptr) << c.name;
        EXPECT_EQ(f.list.ItemIndex(), -1) << c.name;
        QTest::keyClicks(f.list.Editor(), c.typed);
        QTest::keyClick(f.list.Editor(), c.close);
        EXPECT_EQ(f.list.Editor(), nullptr) << c.name;
        EXPECT_EQ(Items(f.list), c.expected) << c.name;
        EXPECT_EQ(f.list.ItemIndex(), c.expectedIndex) << c.name;
        EXPECT_EQ(changed, c.close == Qt::Key_Return ? c.expectedIndex : -2) << c.name;
    }
}

TEST(ListBoxEditor, FocusChangeClosesWithoutStoring)
{
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* list = new TUCLExtListBox(&window);
    list->setGeometry(0, 30, 150, 150);
    list->EditOptions = lboAllowInsert | lboAllowEdit;
    for (const char* text : {"a", "b"})
        list->AddItem(text);
    ShowActive(window);
    list->setFocus();
    list->SetItemIndex(0);
    int hidden = 0;
    list->OnEditHide = [&](TPersistent*) { ++hidden; };

    QTest::keyClick(list, Qt::Key_F2);
    QTest::keyClicks(list->Editor(), "zzz");
    other->setFocus();
    EXPECT_EQ(list->Editor(), nullptr);
    EXPECT_EQ(Items(*list), (QStringList{"a", "b"}));

    list->setFocus();
    list->SetItemIndex(1);
    QTest::keyClick(list, Qt::Key_Insert);
    other->setFocus();
    EXPECT_EQ(Items(*list), (QStringList{"a", "", "b"}));   // the inserted empty item stays
    EXPECT_EQ(hidden, 2);
}

TEST(ListBoxEditor, RefusedWhenNotAllowedOrCancelled)
{
    ListFixture f({"a", "b"});
    ShowActive(f.list);
    f.list.SetItemIndex(0);
    f.list.EditOptions = 0;
    QTest::keyClick(&f.list, Qt::Key_Insert);
    QTest::keyClick(&f.list, Qt::Key_Delete);
    EXPECT_EQ(f.list.Editor(), nullptr);
    EXPECT_EQ(f.list.ItemCount(), 2);

    f.list.EditOptions = lboAllowEdit;
    f.list.OnEditShow = [](TUCLCustomListBox*, int, bool& cancel) { cancel = true; };
    QTest::keyClick(&f.list, Qt::Key_F2);
    EXPECT_EQ(f.list.Editor(), nullptr);
    EXPECT_EQ(f.list.ItemIndex(), 0);
}

TEST(ListBox, DeletingMovesTheCurrentItem)
{
    ListFixture f({"a", "b", "c"});
    f.list.SetItemIndex(2);
    f.list.DeleteSelected();
    EXPECT_EQ(Items(f.list), (QStringList{"a", "b"}));
    EXPECT_EQ(f.list.ItemIndex(), 1);
    f.list.SetItemIndex(0);
    f.list.DeleteSelected();
    EXPECT_EQ(f.list.ItemIndex(), 0);
    f.list.DeleteSelected();
    EXPECT_EQ(f.list.ItemCount(), 0);
    EXPECT_EQ(f.list.ItemIndex(), -1);

    ListFixture multi({"a", "b", "c", "d"});
    multi.list.SetMultiSelect(true);
    multi.list.SetSelected(1, true);
    multi.list.SetSelected(3, true);
    multi.list.DeleteSelected();
    EXPECT_EQ(Items(multi.list), (QStringList{"a", "c"}));
}

TEST(ListBox, HorizontalExtentFollowsTheWidestItem)
{
    ListFixture f({});
    f.list.SetLargeTextOptions(TUCLListBoxLargeTextOptions::lbltHorzScrollBar);
    f.list.AddItem("kurz");
    const int small = f.list.WidestItem();
    f.list.AddItem("ein deutlich laengerer Eintrag");
    const int wide = f.list.WidestItem();
    EXPECT_GT(wide, small);
    f.list.AddItem("mittel lang");
    EXPECT_EQ(f.list.WidestItem(), wide);
    f.list.DeleteItem(0);   // not the widest
    EXPECT_EQ(f.list.WidestItem(), wide);
    f.list.DeleteItem(0);   // the widest
    EXPECT_LT(f.list.WidestItem(), wide);
    EXPECT_GT(f.list.WidestItem(), 0);
    f.list.ClearItems();
    EXPECT_EQ(f.list.WidestItem(), 0);
}

TEST(ListBox, SelectionColoursDependOnStateAndFocus)
{
    struct Case {
        const char* name;
        bool enabled;
        bool hideSelection;
        bool multiSelect;
        bool selectionShown;
    };
    const TColor selected = 0x0000FF;   // red
    const TColor disabled = 0x00FF00;   // lime
    for (const Case& c : {Case{"enabled", true, false, false, true},
                          Case{"hidden selection, unfocused", true, true, false, false},
                          Case{"multi-select always shows", true, true, true, true},
                          Case{"disabled", false, false, false, false}}) {
        ListFixture f({"a", "b", "c"});
        f.list.SelectedColor = selected;
        f.list.DisabledColor = disabled;
        f.list.SetColor(clWhite);
        f.list.HideSelection = c.hideSelection;
        f.list.SetMultiSelect(c.multiSelect);
        f.list.SetSelected(1, true);
        f.list.SetItemIndex(1);
        f.list.setEnabled(c.enabled);
        const QImage image = f.list.grab().toImage();
        const QRect second = f.list.visualItemRect(f.list.item(1)).translated(f.list.viewport()->pos());
        const QRect first = f.list.visualItemRect(f.list.item(0)).translated(f.list.viewport()->pos());
        const QColor at = image.pixelColor(second.right() - 3, second.center().y());
        const QColor unselected = image.pixelColor(first.right() - 3, first.center().y());
        EXPECT_EQ(at == ColorToQColor(selected), c.selectionShown) << c.name;
        if (!c.enabled) {
            EXPECT_EQ(at, ColorToQColor(disabled)) << c.name;
            EXPECT_EQ(unselected, ColorToQColor(disabled)) << c.name;
        }
    }
}

TEST(ListBox, SortedListsKeepTheirOrderAndOnSelectFollowsTheUser)
{
    ListFixture f({"delta", "Alpha", "charlie", "Bravo"}, true);
    EXPECT_EQ(Items(f.list), (QStringList{"Alpha", "Bravo", "charlie", "delta"}));
    EXPECT_EQ(f.list.IndexOf("BRAVO"), 1);
    int selects = 0;
    f.list.OnSelect = [&](TPersistent*) { ++selects; };
    f.list.SetItemIndex(2);
    EXPECT_EQ(selects, 0);
    ShowActive(f.list);
    QTest::mouseClick(f.list.viewport(), Qt::LeftButton, {}, f.list.visualItemRect(f.list.item(0)).center());
    EXPECT_EQ(f.list.ItemIndex(), 0);
    EXPECT_EQ(selects, 1);
}
