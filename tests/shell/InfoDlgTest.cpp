// The about box and the start-up picture: layout, the picture from the
// program folder or the program's own, a missing picture, the web link.
#include "shell/ShellFixture.h"

#include "platform/AnsiText.h"
#include "shell/InfoDlg.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace {

class InfoDlgTest : public TShellFixture {
protected:
    void TearDown() override
    {
        TInfoDlg::OpenPage = saved_;
        TShellFixture::TearDown();
    }
    std::function<void(const QString&)> saved_ = TInfoDlg::OpenPage;
};

TEST_F(InfoDlgTest, AboutBoxShowsTheProgramsPictureAndLaysOutBelowIt)
{
    TForm1& form = Create();
    std::vector<QSize> pictures;
    auto check = [&](TModalForm& shown) {
        auto& box = dynamic_cast<TInfoDlg&>(shown);
        EXPECT_FALSE(box.SplashMode);
        ASSERT_NE(box.Titel->pixmap().isNull(), true);
        pictures.push_back(box.Titel->pixmap().size());
        EXPECT_EQ(box.Titel->pos(), QPoint(14, 10));
        EXPECT_GE(box.L_Adresse->y(), box.Titel->y() + 140);
        EXPECT_EQ(box.L_Adresse->x(), (box.width() - box.L_Adresse->width()) / 2);
        EXPECT_EQ(box.WebLabel->x(), (box.width() - box.WebLabel->width()) / 2);
        EXPECT_EQ(box.WebLabel->y(), box.L_Adresse->y() + box.L_Adresse->height() + 10);
        EXPECT_EQ(box.OKBtn->y(), box.WebLabel->y() + 34);
        EXPECT_EQ(box.height(), box.OKBtn->y() + 65);
        EXPECT_TRUE(box.L_Adresse->text().contains("Version 4.0"));
        box.OKBtn->click();
    };
    {
        TFormHook hook({check});
        form.findChild<QAction*>("Info1")->trigger();
        EXPECT_EQ(hook.Shown(), (std::vector<AnsiString>{"Info"}));
    }
    // A picture in the program folder wins, whatever its letter case.
    QImage own(100, 50, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(Path("Titel.BMP"), "BMP"));
    {
        TFormHook hook({check});
        form.findChild<QAction*>("Info1")->trigger();
    }
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0], QSize(260, 140));
    EXPECT_EQ(pictures[1], QSize(100, 50));
}

TEST_F(InfoDlgTest, StartupPictureIsAFramelessPictureOnlyAndAMissingPictureLeavesTheFrame)
{
    TInfoDlg picture;
    picture.ShowAsStartupPicture();
    picture.LoadPicture(Path("missing.bmp"));
    EXPECT_TRUE(picture.SplashMode);
    EXPECT_TRUE(picture.Titel->pixmap().isNull());
    EXPECT_EQ(picture.height(), 151);
    EXPECT_TRUE(picture.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_GE(picture.OKBtn->y(), picture.height());     // out of view
    picture.show();
    const QImage shown = picture.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(14, 10)), QColor(Qt::white));        // the frame's corner
    EXPECT_EQ(QColor(shown.pixel(14 + 259, 10 + 139)), QColor(Qt::white));
    EXPECT_EQ(qAlpha(shown.pixel(5, 5)), 0);                           // see-through around it
}

TEST_F(InfoDlgTest, TheLinkOpensThePageOfTheLanguageAndUnderlinesUnderTheMouse)
{
    std::vector<QString> opened;
    TInfoDlg::OpenPage = [&](const QString& page) { opened.push_back(page); };
    TInfoDlg box;
    for (Integer language : {0, 1, 2, 3}) {
        LanguageIndex = language;
        box.SB_HomepageClick();
    }
    EXPECT_EQ(opened, (std::vector<QString>{HomepageGerman, HomepageEnglish, HomepageEnglish}));
    box.WebLabelMouseEnter();
    EXPECT_TRUE(box.WebLabel->font().underline());
    box.WebLabelMouseExit();
    EXPECT_FALSE(box.WebLabel->font().underline());
}

TEST_F(InfoDlgTest, StartupPictureGoesWhenTheMainWindowShows)
{
    TForm1& form = Create();
    EXPECT_NE(form.findChild<TInfoDlg*>("StartupPicture"), nullptr);
    form.show();
    EXPECT_EQ(form.findChild<TInfoDlg*>("StartupPicture"), nullptr);
}

}   // namespace
