// Help access: pages of the help folder beside the help file, shown through
// the browser; nothing when a page or the viewer is missing.
#include "engine/HtmlHelp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class HtmlHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkdir("help");
        for (const char* page : {"index.html", "13010.html"}) {
            QFile file(dir.filePath(QString("help/") + page));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        SetHtmlHelpBrowser([this](const QUrl& url) { shown.push_back(url.fileName().toStdString()); });
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
};

TEST_F(HtmlHelpTest, PagesByCommand)
{
    ASSERT_TRUE(HtmlHelpAvailable());
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 13010), 1);
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_DISPLAY_TOPIC, 0), 1);
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 18520), 0);   // no such page
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), 7, 0), 0);
    EXPECT_EQ(shown, (std::vector<std::string>{"13010.html", "index.html"}));
}

TEST_F(HtmlHelpTest, WithoutTheViewerNothingHappens)
{
    SetHtmlHelpMissingForTest(true);
    BindHtmlHelp();
    EXPECT_FALSE(HtmlHelpAvailable());
    EXPECT_EQ(CallHtmlHelp(nullptr, HelpFile(), HH_HELP_CONTEXT, 13010), 0);
    EXPECT_TRUE(shown.empty());
}

} // namespace
