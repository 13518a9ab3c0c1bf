#include "dialogs/DLG_Frame.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr TColor PanelColour = 14215660;

TPanelLook ElementLook()
{
    TPanelLook look;
    look.InnerBevel = 1;
    look.OuterBevel = 2;
    look.BevelWidth = 2;
    look.BorderWidth = 3;
    look.Color = 0x00FF00;
    look.BackgroundColor = 0x0000FF;
    return look;
}

class FrameDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProgramFolder(folder.path().toStdString() + "/");
        Dlg.PanelDefaultColor = PanelColour;
    }
    void TearDown() override
    {
        SetProgramFolder("");
        LanguageIndex = 0;
    }
    // Shows the dialog on the look; the action works it, the look comes back
    // only with OK.
    Integer Edit(TPanelLook& look, TFormHook::TAction action)
    {
        Dlg.LoadLook(look);
        TFormHook hook({std::move(action)});
        const Integer result = Dlg.ShowModal();
        if (result == mrOk)
            Dlg.StoreLook(look);
        return result;
    }
    QTemporaryDir folder;
    TPanelDlg Dlg;
};

TEST_F(FrameDialog, PreviewShowsTheLoadedLook)
{
    TPanelLook look = ElementLook();
    Edit(look, [&](TModalForm&) {
        const auto* panel = Dlg.VorschauPanel;
        EXPECT_TRUE(panel->isVisibleTo(&Dlg));
        EXPECT_EQ(panel->Color, 0x00FF00);
        EXPECT_EQ(panel->BevelInner, 1);
        EXPECT_EQ(panel->BevelOuter, 2);
        EXPECT_EQ(panel->BevelWidth, 2);
        EXPECT_EQ(panel->BorderWidth, 3);
        EXPECT_EQ(Dlg.VorschauShape->BrushColor, 0x0000FF);
        EXPECT_EQ(Dlg.VorschauShape->geometry(), QRect(7, 7, 121 - 14, 49 - 14));

        const QImage picture = Dlg.VorschauPanel->grab().toImage();
        EXPECT_EQ(picture.pixel(0, 0), ColorToQColor(clBtnHighlight).rgb());    // raised outer bevel
        EXPECT_EQ(picture.pixel(120, 48), ColorToQColor(clBtnShadow).rgb());
        EXPECT_EQ(picture.pixel(3, 3), ColorToQColor(0x00FF00).rgb());        // the border
        EXPECT_EQ(picture.pixel(5, 5), ColorToQColor(clBtnShadow).rgb());     // lowered inner bevel
        EXPECT_EQ(picture.pixel(60, 24), ColorToQColor(0x0000FF).rgb());      // the background shape

        Dlg.cb_Outer->setCurrentIndex(0);   // a change updates the preview
        Dlg.se_Border->SetValue(0);
        EXPECT_EQ(panel->BevelOuter, 0);
        EXPECT_EQ(Dlg.VorschauShape->geometry(), QRect(2, 2, 121 - 4, 49 - 4));
    });
}

TEST_F(FrameDialog, OkWritesTheSettingsBackAndCancelLeavesThem)
{
    TPanelLook look = ElementLook();
    EXPECT_EQ(Edit(look, [&](TModalForm&) {
                  Dlg.cb_Inner->setCurrentIndex(2);
                  Dlg.se_Bevel->SetValue(4);
                  QTest::mouseClick(Dlg.CancelBtn, Qt::LeftButton);
              }),
              mrCancel);
    EXPECT_EQ(look.InnerBevel, 1);
    EXPECT_EQ(look.BevelWidth, 2);

    EXPECT_EQ(Edit(look, [&](TModalForm&) {
                  Dlg.cb_Inner->setCurrentIndex(2);
                  Dlg.se_Bevel->SetValue(4);
                  Dlg.se_Border->SetValue(0);
                  QTest::mouseClick(Dlg.OKBtn, Qt::LeftButton);
              }),
              mrOk);
    EXPECT_EQ(look.InnerBevel, 2);
    EXPECT_EQ(look.OuterBevel, 2);
    EXPECT_EQ(look.BevelWidth, 4);
    EXPECT_EQ(look.BorderWidth, 0);
    EXPECT_EQ(look.Color, 0x00FF00);
    EXPECT_FALSE(look.ColorFollowsPanel);
}

TEST_F(FrameDialog, FollowingThePanelTakesThePanelColour)
{
    TPanelLook look = ElementLook();
    Edit(look, [&](TModalForm&) {
        Dlg.rb_Anpassen->click();
        EXPECT_EQ(Dlg.ColorShape->BrushColor, PanelColour);
        EXPECT_EQ(Dlg.VorschauPanel->Color, PanelColour);
        Dlg.rb_BK_Anpassen->click();
        EXPECT_EQ(Dlg.BK_Shape->BrushColor, PanelColour);
        QTest::mouseClick(Dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_TRUE(look.ColorFollowsPanel);
    EXPECT_EQ(look.Color, PanelColour);
    EXPECT_TRUE(look.BackgroundFollowsPanel);
    EXPECT_EQ(look.BackgroundColor, PanelColour);

    // Loaded as following the panel, the shapes show the panel's colour.
    look.Color = 0x123456;
    Dlg.PanelDefaultColor = 0x654321;
    Edit(look, [&](TModalForm&) { EXPECT_EQ(Dlg.ColorShape->BrushColor, 0x654321); });
}

TEST_F(FrameDialog, ClickingAShapeChoosesItsColourAndSwitchesToOwnColour)
{
    TPanelLook look = ElementLook();
    look.ColorFollowsPanel = true;
    look.BackgroundFollowsPanel = true;
    TModalHook colours({TModalAnswer::Colour(0xABCDEF), TModalAnswer::Cancel()});
    Edit(look, [&](TModalForm&) {
        QTest::mouseClick(Dlg.ColorShape, Qt::LeftButton);
        EXPECT_TRUE(Dlg.rb_Individuell->isChecked());
        EXPECT_EQ(Dlg.ColorShape->BrushColor, 0xABCDEF);
        EXPECT_EQ(Dlg.VorschauPanel->Color, 0xABCDEF);
        QTest::mouseClick(Dlg.BK_Shape, Qt::LeftButton);   // cancelled: the colour stays
        EXPECT_TRUE(Dlg.rb_BK_Individuell->isChecked());
        EXPECT_EQ(Dlg.BK_Shape->BrushColor, PanelColour);
        QTest::mouseClick(Dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_FALSE(look.ColorFollowsPanel);
    EXPECT_EQ(look.Color, 0xABCDEF);
    EXPECT_FALSE(look.BackgroundFollowsPanel);
}

TEST_F(FrameDialog, TransparentHidesThePreviewAndDisablesTheSettings)
{
    TPanelLook look = ElementLook();
    Edit(look, [&](TModalForm&) {
        const std::vector<QWidget*> settings = {Dlg.GroupBox1, Dlg.GroupBox2, Dlg.GroupBox4, Dlg.se_Border,
                                                Dlg.cb_Inner,  Dlg.rb_Anpassen, Dlg.BK_Shape};
        QTest::mouseClick(Dlg.cb_Transparent, Qt::LeftButton);
        EXPECT_FALSE(Dlg.VorschauPanel->isVisibleTo(&Dlg));
        for (QWidget* w : settings)
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(Dlg.cb_Transparent->isEnabled());
        QTest::mouseClick(Dlg.cb_Transparent, Qt::LeftButton);
        EXPECT_TRUE(Dlg.VorschauPanel->isVisibleTo(&Dlg));
        for (QWidget* w : settings)
            EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
        QTest::mouseClick(Dlg.cb_Transparent, Qt::LeftButton);
        QTest::mouseClick(Dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_TRUE(look.Transparent);

    // Opened on a transparent element, the settings start disabled.
    Edit(look, [&](TModalForm&) { EXPECT_FALSE(Dlg.se_Bevel->isEnabled()); });
}

TEST(FrameDialogTexts, FollowTheLanguage)
{
    const struct {
        Integer Language;
        const char* Caption;
        const char* Raised;
        const char* Follow;
    } cases[] = {
        {0, "Rahmen & Hintergrund", "Erh\xF6hung", "an &Frontplatte anpassen"},
        {1, "Frame & Background", "Raised", "&match with frontpanel"},
        {2, "Cadre & Fond", "Sur\xE9lev\xE9", "a&dapter avant panneau de contr\xF4le"},
    };
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        TPanelDlg dlg;
        EXPECT_EQ(dlg.Caption(), c.Caption);
        EXPECT_EQ(QStringToAnsi(dlg.cb_Outer->itemText(2)), c.Raised);
        EXPECT_EQ(QStringToAnsi(dlg.rb_Anpassen->text()), c.Follow);
    }
    LanguageIndex = 0;
}

}   // namespace
