// The byte-sequence table with real widgets: its rows and texts in the three
// languages, and the preview of the current row on showing, while typing and
// after a click on another row.
#include "hardware/framework/DLG_Byte.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "hardware/framework/EditGrid.h"
#include "platform/AnsiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

AnsiString Text(const QString& text)
{
    return QStringToAnsi(text);
}

class ByteSequences : public ::testing::Test {
protected:
    void TearDown() override
    {
        LanguageIndex = 0;
        ResetGlobals();
    }
    static void ClickRow(TByte_Dlg& dlg, int row)
    {
        dlg.Grid->scrollToItem(dlg.Grid->item(row, 1));
        QTest::mouseClick(dlg.Grid->viewport(), Qt::LeftButton, {},
                          dlg.Grid->visualItemRect(dlg.Grid->item(row, 1)).center());
    }
};

TEST_F(ByteSequences, RowsAndTextsFollowTheLanguage)
{
    const struct {
        const char* Caption;
        const char* Preview;
        const char* Cancel;
        const char* First;
        const char* Last;
    } texts[] = {
        {"Bytefolgen definieren", "\xDC" "bertragungsvorschau (HEX)", "&Abbrechen",
         "Sie k\xF6nnen 256 Bytefolgen definieren. Verwenden Sie", "Trennen Sie Werte mit Leerzeichen."},
        {"Byte sequences", "Preview [HEX]", "&Cancel", "You may define 256 byte sequences. Format:",
         "Separate values with SPACE."},
        {"S\xE9quence d\xB4octets", "Pr\xE9-visualisation [HEX]", "&Annuler",
         "Vous pouvez d\xE9" "finir une s\xE9quence de 256 octets. Format:", "S\xE9parez les valeurs avec des espaces."},
    };
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        const auto& t = texts[language];
        TByte_Dlg dlg;
        EXPECT_EQ(dlg.Caption(), t.Caption);
        EXPECT_EQ(Text(dlg.Monitor->text()), t.Preview);
        EXPECT_EQ(Text(dlg.Button2->text()), "&OK");
        EXPECT_EQ(Text(dlg.Button1->text()), t.Cancel);
        const QStringList help = dlg.Memo1->toPlainText().split('\n');
        EXPECT_EQ(Text(help.first()), t.First);
        EXPECT_EQ(Text(help.last()), t.Last);
        EXPECT_TRUE(dlg.Memo1->toPlainText().contains("$0D $10"));

        ASSERT_EQ(dlg.Grid->rowCount(), 256);
        EXPECT_EQ(Text(dlg.Grid->horizontalHeaderItem(0)->text()), " Nr.");
        EXPECT_EQ(Text(dlg.Grid->item(0, 0)->text()), " $00");
        EXPECT_EQ(Text(dlg.Grid->item(0x3C, 0)->text()), " $3C");
        EXPECT_EQ(Text(dlg.Grid->item(255, 0)->text()), " $FF");
        EXPECT_FALSE(dlg.Grid->item(0, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(dlg.Grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    }
}

TEST_F(ByteSequences, ThePreviewShowsTheCurrentRowOnShowWhileTypingAndAfterAClick)
{
    TByte_Dlg dlg;
    dlg.Grid->SetCellText(2, "\"He\" $0D 10");
    dlg.Grid->SetCellText(200, "255 $1");
    dlg.Grid->setCurrentCell(2, 1);
    dlg.MonitorMemo->clear();
    TFormHook hook({[&](TModalForm&) {
        EXPECT_EQ(dlg.PreviewLine(), " 48 65 0D 0A") << "on showing";

        ClickRow(dlg, 200);
        EXPECT_EQ(dlg.PreviewLine(), " FF 01");

        // Typing, before the cell's editor closes.
        dlg.Grid->editItem(dlg.Grid->item(200, 1));
        auto* editor = qobject_cast<QLineEdit*>(dlg.Grid->indexWidget(dlg.Grid->model()->index(200, 1)));
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, " \"A\"");
        EXPECT_EQ(dlg.PreviewLine(), " FF 01 41");
        QTest::mouseClick(dlg.Button2, Qt::LeftButton);
    }});
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(dlg.Grid->CellText(200), "255 $1 \"A\"") << "the caller reads what was typed";
    EXPECT_EQ(dlg.Grid->CellText(2), "\"He\" $0D 10");

    TFormHook cancel({[&](TModalForm&) { QTest::mouseClick(dlg.Button1, Qt::LeftButton); }});
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
}

TEST_F(ByteSequences, ThePreviewHoldsAtMost255Characters)
{
    const struct {
        int Bytes;
        std::size_t Shown;
    } cases[] = {{0, 0}, {1, 1}, {85, 85}, {86, 85}, {90, 85}, {300, 85}};
    for (const auto& c : cases) {
        TByte_Dlg dlg;
        AnsiString definition;
        for (int i = 0; i < c.Bytes; ++i)
            definition += "$AB ";
        dlg.Grid->SetCellText(0, definition);
        const AnsiString line = dlg.PreviewLine();
        EXPECT_EQ(line.size(), 3 * c.Shown) << c.Bytes;
        EXPECT_EQ(line.substr(0, 3), c.Bytes ? " AB" : "");
    }
}

}   // namespace
