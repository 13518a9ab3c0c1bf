// Auto-complete attached to the single-line edit, driven by typed keys.
#include "ui/controls/UCLEdit.h"
#include "ui/controls/UCLEditAutoComplete.h"

#include "ui/controls/UCLApplication.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AutoComplete : public ::testing::Test {
protected:
    void SetUp() override
    {
        LibraryApplication().SetEditMode(emInsert);
        Words.AddItem();
        Words.Item(0)->SetItems({"Berlin", "Bern", "Bonn"});
        Completer.SetStringList(&Words);
        Completer.SetStringListIndex(0);
        Window.resize(300, 100);
        E = new TUCLEdit(&Window);
        E->setGeometry(10, 10, 120, 21);
        Other = new TUCLEdit(&Window);
        Other->setGeometry(10, 50, 120, 21);
        E->SetAutoComplete(&Completer);
        Window.show();
        QApplication::setActiveWindow(&Window);
        E->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(E->hasFocus());
    }
    std::vector<AnsiString> WordList() const { return Words.Item(0)->Items(); }
    QString Selected() const { return E->GetSelText(); }

    TUCLStringList Words;
    TUCLEditAutoComplete Completer;
    QWidget Window;
    TUCLEdit* E = nullptr;
    TUCLEdit* Other = nullptr;
};

}   // namespace

TEST_F(AutoComplete, TextModeCompletesWithTheFirstEntryInListOrder)
{
    Completer.Mode = amText;
    struct Case {
        bool caseSensitive;
        const char* typed;
        const char* text;
        const char* selected;
    };
    const Case cases[] = {
        {true, "Be", "Berlin", "rlin"},   // first match in list order, not sorted order
        {true, "Bern", "Bern", ""},
        {true, "Bo", "Bonn", "nn"},
        {true, "be", "be", ""},           // case matters
        {false, "be", "Berlin", "rlin"},  // the typed part takes the entry's characters
        {true, "X", "X", ""},
    };
    for (const Case& c : cases) {
        Completer.CaseSensitive = c.caseSensitive;
        E->SetText(QString());
        QTest::keyClicks(E, c.typed);
        EXPECT_EQ(E->GetText(), c.text) << c.typed;
        EXPECT_EQ(Selected(), c.selected) << c.typed;
        EXPECT_EQ(Completer.Normalize(Completer.LastTyped()), Completer.Normalize(c.typed));
    }
    // Typing on replaces the completed tail.
    E->SetText(QString());
    QTest::keyClicks(E, "Ber");
    EXPECT_EQ(E->GetText(), "Berlin");
    QTest::keyClick(E, 'n');
    EXPECT_EQ(E->GetText(), "Bern");
}

TEST_F(AutoComplete, BackspaceTakesTheTailAndTheLastCharacterThenCompletesAgain)
{
    Completer.Mode = amText;
    QTest::keyClicks(E, "Bo");
    ASSERT_EQ(E->GetText(), "Bonn");
    QTest::keyClick(E, Qt::Key_Backspace);
    EXPECT_EQ(E->GetText(), "Berlin");
    EXPECT_EQ(Selected(), "erlin");
    // An emptied edit stays empty.
    QTest::keyClick(E, Qt::Key_Backspace);
    EXPECT_EQ(E->GetText(), "");
    QTest::keyClick(E, 'B');
    E->SelectAll();
    QTest::keyClick(E, Qt::Key_Delete);
    EXPECT_EQ(E->GetText(), "");
}

TEST_F(AutoComplete, PopupShowsTheEntriesThatBeginWithTheText)
{
    Completer.Mode = amPopup;
    QTest::keyClicks(E, "B");
    ASSERT_NE(Completer.Popup(), nullptr);
    QListWidget* popup = Completer.Popup();
    ASSERT_EQ(popup->count(), 3);
    EXPECT_EQ(popup->item(0)->text(), "Berlin");   // sorted
    EXPECT_EQ(popup->item(1)->text(), "Bern");
    EXPECT_EQ(popup->item(2)->text(), "Bonn");
    EXPECT_EQ(popup->geometry().topLeft(), E->mapToGlobal(QPoint(0, E->height())));
    EXPECT_EQ(popup->width(), E->width());
    EXPECT_EQ(popup->height(), QFontMetrics(popup->font()).height() * 3 + 5);
    EXPECT_TRUE(E->hasFocus());
    EXPECT_EQ(E->GetText(), "B");   // no text completion without amText

    QTest::keyClick(E, 'o');
    ASSERT_EQ(Completer.Popup(), popup);
    ASSERT_EQ(popup->count(), 1);
    EXPECT_EQ(popup->item(0)->text(), "Bonn");
    QTest::keyClicks(E, "nn");
    EXPECT_EQ(Completer.Popup(), nullptr);   // the whole word closes the list
    // An empty text closes it too.
    QTest::keyClick(E, Qt::Key_Backspace);
    ASSERT_NE(Completer.Popup(), nullptr);
    E->SelectAll();
    QTest::keyClick(E, Qt::Key_Delete);
    EXPECT_EQ(Completer.Popup(), nullptr);
    // No entry: no list.
    QTest::keyClick(E, 'X');
    EXPECT_EQ(Completer.Popup(), nullptr);
}

TEST_F(AutoComplete, ArrowsWalkTheListAndEnterTakesTheEntry)
{
    Completer.Mode = amPopup;
    QTest::keyClicks(E, "Be");
    ASSERT_NE(Completer.Popup(), nullptr);
    QTest::keyClick(E, Qt::Key_Up);   // nothing selected: the text stays
    EXPECT_EQ(E->GetText(), "Be");
    QTest::keyClick(E, Qt::Key_Down);
    EXPECT_EQ(E->GetText(), "Berlin");
    EXPECT_EQ(Selected(), "Berlin");
    QTest::keyClick(E, Qt::Key_Down);
    QTest::keyClick(E, Qt::Key_Down);   // the last one stays selected
    EXPECT_EQ(E->GetText(), "Bern");
    QTest::keyClick(E, Qt::Key_Up);
    EXPECT_EQ(E->GetText(), "Berlin");
    QTest::keyClick(E, Qt::Key_Return);
    EXPECT_EQ(E->GetText(), "Berlin");
    EXPECT_EQ(Completer.Popup(), nullptr);
}

TEST_F(AutoComplete, EscapeAndLeavingDropTheCompletion)
{
    Completer.Mode = amText | amPopup;
    QTest::keyClicks(E, "Bo");
    ASSERT_EQ(E->GetText(), "Bonn");
    // The list was filled before the text was completed.
    ASSERT_NE(Completer.Popup(), nullptr);
    EXPECT_EQ(Completer.Popup()->count(), 1);
    E->SetText(QString());
    QTest::keyClicks(E, "Be");
    ASSERT_EQ(E->GetText(), "Berlin");
    ASSERT_NE(Completer.Popup(), nullptr);
    QTest::keyClick(E, Qt::Key_Escape);
    EXPECT_EQ(E->GetText(), "Be");
    EXPECT_EQ(Selected(), "Be");
    EXPECT_EQ(Completer.Popup(), nullptr);

    QTest::keyClick(E, Qt::Key_End);
    QTest::keyClick(E, 'r');
    ASSERT_EQ(E->GetText(), "Berlin");
    ASSERT_NE(Completer.Popup(), nullptr);
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(E->GetText(), "Ber");
    EXPECT_EQ(Completer.Popup(), nullptr);
}

TEST_F(AutoComplete, UnknownTextsAreOfferedForAdding)
{
    Completer.AddUnknownOn = aaControlReturn | aaControlExit;
    std::vector<QString> offered;
    Completer.OnAdd = [&offered](TPersistent*, TUCLBaseEdit*, QString& text, bool& add, TUCLAutoCompleteSource&) {
        offered.push_back(text);
        if (text == "Veto")
            add = false;
        if (text == "hamburg")
            text = "Hamburg";
    };
    QTest::keyClicks(E, "hamburg");
    QTest::keyClick(E, Qt::Key_Return);
    EXPECT_EQ(WordList(), (std::vector<AnsiString>{"Berlin", "Bern", "Bonn", "Hamburg"}));
    E->SetText("Veto");
    QTest::keyClick(E, Qt::Key_Return);
    E->SetText("Bonn");   // known: not offered
    QTest::keyClick(E, Qt::Key_Return);
    E->SetText("Kiel");
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(offered, (std::vector<QString>{"hamburg", "Veto", "Kiel"}));
    EXPECT_EQ(WordList().back(), "Kiel");
    // Disabled: nothing at all.
    Completer.Enabled = false;
    Completer.AddUnknown(E, "Ulm");
    EXPECT_EQ(WordList().size(), 5u);
}

TEST_F(AutoComplete, ReferencesClearThemselves)
{
    Completer.SetStringListIndex(7);
    EXPECT_EQ(Completer.StringListIndex(), 0);   // past the end: the last item
    auto* other = new TUCLEditAutoComplete;
    E->SetAutoComplete(other);
    delete other;
    EXPECT_EQ(E->AutoComplete(), nullptr);
    QTest::keyClicks(E, "Be");   // no completer: plain typing
    EXPECT_EQ(E->GetText(), "Be");

    TUCLEditAutoComplete loose;
    loose.SetStringListIndex(3);   // no string list: ignored
    EXPECT_EQ(loose.StringListIndex(), 0);
    loose.Mode = amText | amPopup;
    E->SetAutoComplete(&loose);
    QTest::keyClick(E, 'r');
    EXPECT_EQ(E->GetText(), "Ber");
    EXPECT_EQ(loose.Popup(), nullptr);
    E->SetAutoComplete(nullptr);
}
