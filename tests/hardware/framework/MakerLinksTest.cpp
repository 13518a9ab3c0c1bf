#include "hardware/framework/DLG_Hersteller.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "fakes/FakeWebBrowser.h"
#include "hardware/framework/IO_Interface.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

class TLinkCard : public TIOInterface {
    ZK_CLASS(TLinkCard, TIOInterface)
public:
    TLinkCard() { PortName = "Relais\rKarte\r8 Kanal"; }
};

class MakerLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        ini_.emplace(folder_.filePath("Settings/HardwareLinks.ini").toStdString());
        SetHardwareLinksIni(&*ini_);
    }
    void TearDown() override { ResetGlobals(); }

    // Shows the card's links; the script looks at the dialog and edits it,
    // then the dialog is closed with the close box.
    void Show(const std::function<void(THerstellerDlg&)>& script)
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = dynamic_cast<THerstellerDlg&>(form);
            script(dlg);
            dlg.close();
            result_ = dlg.result();
        }});
        ShowMakerLinks(card_);
    }

    TCustomIniFile& Ini() { return *ini_; }
    TLinkCard card_;
    int result_ = -1;

private:
    QTemporaryDir folder_;
    std::optional<TIniFile> ini_;
};

TEST_F(MakerLinks, FillsFromTheClassSectionAndShowsTheFirstLinkGiven)
{
    TFakeBrowserScope browser;
    Ini().WriteString("TLinkCard", "Link2", "www.hersteller.example/karte");
    Ini().WriteString("TLinkCard", "Link3", "www.hersteller.example/daten");
    Ini().WriteString("TAndereKarte", "Link1", "www.anders.example");
    AnsiString caption;
    std::vector<QString> edits;
    std::vector<AnsiString> visited;
    Show([&](THerstellerDlg& dlg) {
        caption = dlg.Caption();
        for (QLineEdit* edit : dlg.LinkEdits())
            edits.push_back(edit->text());
        visited = browser.Visited;
        EXPECT_NE(dlg.WebBrowser1, nullptr);
        QTest::mouseClick(dlg.LinkBtn3, Qt::LeftButton);
        QTest::mouseClick(dlg.LinkBtn1, Qt::LeftButton);   // empty: the browser is sent there all the same
    });
    EXPECT_EQ(caption, "Relais Karte\r8 Kanal");   // only the first line break
    EXPECT_EQ(edits, (std::vector<QString>{"", "www.hersteller.example/karte", "www.hersteller.example/daten"}));
    EXPECT_EQ(visited, std::vector<AnsiString>{"www.hersteller.example/karte"});
    EXPECT_EQ(browser.Visited, (std::vector<AnsiString>{"www.hersteller.example/karte",
                                                              "www.hersteller.example/daten", ""}));
    EXPECT_EQ(result_, 1);   // the close box gives OK
}

TEST_F(MakerLinks, TheEditsAreWrittenBackWhenTheDialogCloses)
{
    TFakeBrowserScope browser;
    Ini().WriteString("TLinkCard", "Link1", "alt");
    Show([](THerstellerDlg& dlg) {
        dlg.LinkEdit1->setText("www.neu.example");
        dlg.LinkEdit3->setText("www.drei.example");
    });
    EXPECT_EQ(Ini().ReadString("TLinkCard", "Link1", "?"), "www.neu.example");
    EXPECT_EQ(Ini().ReadString("TLinkCard", "Link2", "?"), "");
    EXPECT_EQ(Ini().ReadString("TLinkCard", "Link3", "?"), "www.drei.example");
    // A dialog without any link sends the browser nowhere.
    Ini().EraseSection("TLinkCard");
    browser.Visited.clear();
    Show([](THerstellerDlg&) {});
    EXPECT_TRUE(browser.Visited.empty());
    EXPECT_EQ(browser.Made, 2);
}

TEST_F(MakerLinks, WithoutLinksFileOrBrowserTheDialogStillShows)
{
    SetHardwareLinksIni(nullptr);
    bool shown = false;
    Show([&](THerstellerDlg& dlg) {
        shown = true;
        EXPECT_EQ(dlg.WebBrowser1, nullptr);
        for (QLineEdit* edit : dlg.LinkEdits())
            EXPECT_TRUE(edit->text().isEmpty());
        dlg.LinkEdit1->setText("www.x.example");
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(result_, 1);
    EXPECT_TRUE(Ini().ReadSections().empty());
}

TEST_F(MakerLinks, TheGroupCaptionFollowsTheLanguage)
{
    const char* const captions[] = {"Internet aufrufen...", "Retrieve information from...",
                                    "Recherchez l´information de..."};
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        THerstellerDlg dlg;
        EXPECT_EQ(dlg.GroupBox1->title(), QString::fromUtf8(captions[language]));
        EXPECT_EQ(dlg.LinkBtn2->text(), "Link 2");
    }
}

}   // namespace
