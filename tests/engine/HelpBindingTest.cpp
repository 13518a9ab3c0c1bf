// Help access: pages of the help folder beside the help file, shown through
// the browser; nothing when a page or the viewer is missing.
#include "engine/HelpBinding.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class HelpBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkdir("help");
        for (const char* page : {"index.html", "13010.html"}) {
            QFile file(dir.filePath(QString("help/") + page));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        SetHtmlHelpBrowser([this](const QUrl& url) {
            shown.push_back(url.fileName().toStdString());
            return opens;
        });
    }
    void TearDown() override
    {
        SetHtmlHelpBrowser(nullptr);
        SetHtmlHelpMissingForTest(false);
        BindHtmlHelp();
    }
    AnsiString HelpFile() const { return dir.filePath("Zentrika40.CHM").toStdString(); }

    QTemporaryDir dir;
    std::vector<std::string> shown;
    bool opens = true;   // whether the desktop has a program that opens the page
};

TEST_F(HelpBindingTest, PagesByCommand)
{
    ASSERT_TRUE(HtmlHelpAvailable());
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 13010), 1);
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_DISPLAY_TOPIC, 0), 1);
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 18520), 0);   // no such page
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), 7, 0), 0);
    EXPECT_EQ(shown, (std::vector<std::string>{"13010.html", "index.html"}));
}

TEST_F(HelpBindingTest, WithoutTheViewerNothingHappens)
{
    SetHtmlHelpMissingForTest(true);
    BindHtmlHelp();
    EXPECT_FALSE(HtmlHelpAvailable());
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 13010), 0);
    EXPECT_TRUE(shown.empty());
}

// A desktop without an opener: the user learns why nothing opens, in the
// program's language, and which page to open by hand.
TEST_F(HelpBindingTest, WithoutADesktopOpenerTheUserIsTold)
{
    opens = false;
    const struct {
        Integer Language;
        const char* Says;
    } cases[] = {{0, "kein Programm"}, {1, "no program"}, {2, "aucun programme"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Language));
        const Integer kept = LanguageIndex;
        LanguageIndex = c.Language;
        TModalHook hook({TModalAnswer::Button(IDOK)});
        EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 13010), 0);
        LanguageIndex = kept;
        ASSERT_EQ(hook.Requests().size(), 1u);
        const QString text = AnsiToQString(hook.Requests()[0].Text);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.Says))) << text.toStdString();
        EXPECT_TRUE(text.contains("xdg-utils"));
        EXPECT_TRUE(text.endsWith("13010.html")) << text.toStdString();
    }
}

} // namespace
