#include "dialogs/DLG_Sync.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ByteDialogs : public ::testing::Test {
protected:
    void TearDown() override { LanguageIndex = 0; }
};

TEST_F(ByteDialogs, SyncPreviewFollowsTheDefinition)
{
    TSync_Dlg dlg;
    dlg.SetDefinition("\"Hello\" $0D $0A");
    EXPECT_EQ(dlg.PreviewLine(), " 48 65 6C 6C 6F 0D 0A");
    QTest::keyClicks(dlg.SynchronEdit, " 7");
    EXPECT_EQ(dlg.PreviewLine(), " 48 65 6C 6C 6F 0D 0A 07");
    dlg.SetDefinition("");
    EXPECT_EQ(dlg.PreviewLine(), "");
}

TEST_F(ByteDialogs, PreviewIsCutAt255Characters)
{
    TSync_Dlg dlg;
    dlg.SetDefinition("\"" + std::string(120, 'A') + "\"");
    const AnsiString line = dlg.PreviewLine();
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(line.substr(0, 6), " 41 41");
    EXPECT_EQ(dlg.SynchronEdit->maxLength(), 200);
}

TEST_F(ByteDialogs, FramePreviewPutsTheValuePlaceholderBetweenPrefixAndSuffix)
{
    const struct {
        Integer Language;
        const char* Placeholder;
    } cases[] = {{0, " <Wert>"}, {1, " <Data>"}, {2, " <Donn\xE9" "e>"}};
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        TFrame_Dlg dlg;
        dlg.show();
        EXPECT_EQ(dlg.PreviewLine(), c.Placeholder);   // empty definitions: only the placeholder
        dlg.SetPrefix("2");
        dlg.SetSuffix("$0D 10");
        EXPECT_EQ(dlg.PreviewLine(), AnsiString(" 02") + c.Placeholder + " 0D 0A");
    }
}

TEST_F(ByteDialogs, TextsFollowTheLanguage)
{
    const struct {
        Integer Language;
        const char* SyncCaption;
        const char* FrameCaption;
        const char* Cancel;
    } cases[] = {
        {0, "Synchronzeichen definieren", "\xDC" "bertragung einrahmen", "&Abbrechen"},
        {1, "Define sync. bytes", "Frame parameters", "&Cancel"},
        {2, "Definir octets sync.", "Param\xE8tres trame", "&Annuler"},
    };
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        TSync_Dlg sync;
        TFrame_Dlg frame;
        EXPECT_EQ(sync.Caption(), c.SyncCaption);
        EXPECT_EQ(frame.Caption(), c.FrameCaption);
        EXPECT_EQ(QStringToAnsi(sync.Button1->text()), c.Cancel);
        EXPECT_EQ(QStringToAnsi(frame.Button1->text()), c.Cancel);
        EXPECT_EQ(frame.PrefixEdit->maxLength(), 200);
        EXPECT_EQ(frame.SuffixEdit->maxLength(), 200);
    }
}

TEST_F(ByteDialogs, ButtonsCloseWithOkAndCancel)
{
    TSync_Dlg dlg;
    TFormHook hook({[](TModalForm& form) {
                        auto& sync = static_cast<TSync_Dlg&>(form);
                        sync.SynchronEdit->setText("13");
                        QTest::mouseClick(sync.Button2, Qt::LeftButton);
                    },
                    [](TModalForm& form) { QTest::mouseClick(static_cast<TSync_Dlg&>(form).Button1, Qt::LeftButton); },
                    [](TModalForm& form) { QTest::keyClick(&form, Qt::Key_Escape); }});
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(dlg.Definition(), "13");
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(dlg.ShowModal(), mrCancel);   // no action left: cancelled
    EXPECT_EQ(hook.Shown().size(), 4u);
}

}   // namespace
