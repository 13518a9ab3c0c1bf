// The switch element's settings dialog: filled from the element, the look
// groups, the blinking previews driven without waiting, the turn buttons, the
// user pictures loaded from real files, the lamp controls, the push-button
// default, OK against Cancel, the hotkey sheet and the help button.
#include "panel/elements/DLG_Schalter_Taster.h"
#include "panel/elements/FP_Schalter.h"
#include "panel/elements/SwitchPictures.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "ui/controls/UCLFontPickers.h"
#include "ui/controls/UCLSpinEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

class SchalterDlg : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override
    {
        ResetFontSource();
        SetProgramFolder("");
        RunOnlyMode = false;
        LanguageIndex = 0;
        ResetGlobals();
    }

    // Opens the element's dialog, lets the action work on it and ends it with
    // OK or Cancel as a click would.
    static Integer Edit(TSchalter& element, const std::function<void(TSchalterDlg&)>& action, bool ok)
    {
        TFormHook hook({[&](TModalForm& form) {
            auto* dlg = dynamic_cast<TSchalterDlg*>(&form);
            ASSERT_NE(dlg, nullptr);
            action(*dlg);
            QTest::mouseClick(ok ? dlg->Button1 : dlg->Button2, Qt::LeftButton);
        }});
        return element.EditProperties();
    }

    // The element's record: what a project file would hold of it.
    static std::vector<Byte> Record(TSchalter& element)
    {
        TMemoryStream stream;
        TWriter writer(stream);
        element.WriteData(stream, writer);
        writer.FlushBuffer();
        return stream.Bytes();
    }

    // A fresh element read from the element's record.
    static std::unique_ptr<TSchalter> ReadBack(TSchalter& element)
    {
        TMemoryStream stream(Record(element));
        TReader reader(stream);
        auto copy = std::make_unique<TSchalter>();
        copy->ReadData(stream, reader, 46);
        return copy;
    }

    static void WriteBitmap(const QString& path, QSize size, QColor colour, QColor corner)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        picture.setPixelColor(0, 0, corner);
        ASSERT_TRUE(picture.save(path, "BMP"));
    }
};

TEST_F(SchalterDlg, IsFilledFromTheElement)
{
    struct TCase {
        Integer Look;
        TFarbe Colour;
        TSchalterTyp Type;
        Byte Turn;
        bool Default;
    };
    const TCase cases[] = {
        {TSchalter::LookPicture, rot, Drehschalter, 1, true},
        {TSchalter::LookButton, gruen, Wippe3, 0, false},
        {TSchalter::LookUser, blau, Kippschalter, 3, true},
        {TSchalter::LookLamp, gelb, Drucktaster, 2, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Look);
        TSchalter s;
        s.Turn = c.Turn;
        s.SetFarbe(c.Colour);
        s.SetTyp(c.Type);
        s.SetLook(c.Look);
        s.DefaultState = c.Default;
        s.SetHint("Motor 1");
        s.RuntimeAdjustable = true;
        s.Button->SetCaption("Start");
        s.Button->SetBeginColor(0x102030);
        s.Button->SetEndColor(0x405060);
        s.Button->SetGradientStyle(gsVertical);
        s.Button->SetTextStyle(tsInset);
        s.ButtonFont.Style = fsItalic | fsStrikeOut;
        s.ButtonFont.Color = 0x0000C0;
        s.Lamp->SetLedPlasticColor(0x00A0FF);
        s.Lamp->SetLedClass(ialcTriangle);
        s.Lamp->SetOuterBorderDepth(5);
        // A switch that shows on has its button colours swapped: the dialog
        // still offers them as they are at rest.
        s.SetEingeschaltet(true);

        TSchalterDlg dlg;
        dlg.FillFrom(s);
        EXPECT_EQ(dlg.TypCombo->currentIndex(), c.Look);
        EXPECT_EQ(dlg.Caption(), "Motor 1");
        EXPECT_EQ(dlg.HintEdit->text(), "Motor 1");
        EXPECT_EQ(dlg.Typ->currentRow(), c.Type);
        EXPECT_EQ(dlg.Farbe->currentRow(), c.Colour);
        EXPECT_EQ(dlg.Turn, c.Turn);
        EXPECT_EQ(dlg.RB_DefOn->isChecked(), c.Default);
        EXPECT_EQ(dlg.RB_DefOff->isChecked(), !c.Default);
        EXPECT_TRUE(dlg.DefaultBox->isEnabled());
        EXPECT_TRUE(dlg.cb_Editierbar->isChecked());
        EXPECT_TRUE(dlg.cb_Editierbar->isHidden());
        EXPECT_EQ(dlg.Text->text(), "Start");
        EXPECT_EQ(dlg.VonColShape->BrushColor, 0x102030u);
        EXPECT_EQ(dlg.bisColShape->BrushColor, 0x405060u);
        EXPECT_EQ(dlg.cbVerlauf->currentIndex(), 1);
        EXPECT_EQ(dlg.cbFontFX->currentIndex(), 2);
        EXPECT_FALSE(dlg.BoldBtn->isChecked());
        EXPECT_TRUE(dlg.ItalicBtn->isChecked());
        EXPECT_TRUE(dlg.StrikeoutBtn->isChecked());
        EXPECT_EQ(dlg.FontColShape->BrushColor, 0x0000C0u);
        EXPECT_EQ(dlg.GradBtn1->Caption(), "Start");
        EXPECT_EQ(dlg.GradBtn1->BeginColor(), 0x102030u);
        EXPECT_EQ(dlg.GradBtn1->GradientStyle(), gsVertical);
        EXPECT_EQ(dlg.PlastikColShape->BrushColor, 0x00A0FFu);
        EXPECT_EQ(dlg.CB_Form->currentText(), "Dreieck");
        EXPECT_EQ(dlg.SE_Rand->Value(), 5);
        EXPECT_EQ(dlg.UserOnPicture, s.OnPicture);
        EXPECT_EQ(dlg.UserOffPicture, s.OffPicture);
        ASSERT_EQ(dlg.Hotkeys, &s.Hotkeys);
        EXPECT_EQ(dlg.HotkeyActions, s.ExtraList);
    }
}

TEST_F(SchalterDlg, EachLookShowsItsGroupAndBlinksExceptTheButton)
{
    TSchalter s;
    TSchalterDlg dlg;
    dlg.FillFrom(s);
    const QGroupBox* groups[] = {dlg.GB_Bitmap, dlg.GB_Button, dlg.GB_Btmap3, dlg.GB_Plastik};
    EXPECT_EQ(dlg.VorschauTimer->interval(), 1000);
    for (int look : {1, 3, 0, 2, 1}) {
        SCOPED_TRACE(look);
        dlg.TypCombo->setCurrentIndex(look);
        for (int g = 0; g < 4; ++g)
            EXPECT_EQ(groups[g]->isVisibleTo(&dlg), g == look);
        EXPECT_EQ(dlg.VorschauTimer->isActive(), look != TSchalter::LookButton);
    }
}

TEST_F(SchalterDlg, ThePreviewsBlinkOnEveryTick)
{
    TSchalter s;
    s.SetFarbe(gruen);
    s.SetTyp(Wippe1);
    TSchalterDlg dlg;
    dlg.FillFrom(s);
    // The switch picture: types 5 to 8 are shown at half their size.
    ASSERT_FALSE(dlg.PreviewState);
    EXPECT_EQ(dlg.PreviewPicture, SwitchPicture(gruen, Wippe1, false));
    EXPECT_EQ(dlg.Image1->size(), QSize(50, 72));
    dlg.VorschauTimerTimer();
    EXPECT_TRUE(dlg.PreviewState);
    EXPECT_EQ(dlg.PreviewPicture, SwitchPicture(gruen, Wippe1, true));
    dlg.Typ->setCurrentRow(Drehschalter);   // shown at once, in the current state
    EXPECT_EQ(dlg.PreviewPicture, SwitchPicture(gruen, Drehschalter, true));
    EXPECT_EQ(dlg.Image1->size(), QSize(40, 40));
    const QPoint offCentre = dlg.Image1->geometry().center() - dlg.VorschauPanel->rect().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);

    // The lamp: on with its rim pressed, off with it raised.
    dlg.TypCombo->setCurrentIndex(TSchalter::LookLamp);
    dlg.VorschauTimerTimer();
    EXPECT_FALSE(dlg.Lampe->LedOn());
    EXPECT_EQ(dlg.Lampe->OuterBorderStyle(), iablsUp);
    dlg.VorschauTimerTimer();
    EXPECT_TRUE(dlg.Lampe->LedOn());
    EXPECT_EQ(dlg.Lampe->OuterBorderStyle(), iablsDown);

    // The user pictures follow the same state.
    dlg.TypCombo->setCurrentIndex(TSchalter::LookUser);
    dlg.UserOnPicture = QImage(30, 10, QImage::Format_RGB32);
    dlg.UserOffPicture = QImage(10, 30, QImage::Format_RGB32);
    dlg.VorschauTimerTimer();
    EXPECT_EQ(dlg.Image2->size(), QSize(10, 30));
    dlg.VorschauTimerTimer();
    EXPECT_EQ(dlg.Image2->size(), QSize(30, 10));
}

TEST_F(SchalterDlg, TurnButtonsTurnThePreviewAndWrapAround)
{
    TSchalter s;   // flip switch II, 27 x 40
    TSchalterDlg dlg;
    dlg.FillFrom(s);
    const QImage start = dlg.PreviewPicture;
    QTest::mouseClick(dlg.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(dlg.Turn, 1);
    EXPECT_EQ(dlg.PreviewPicture.size(), QSize(40, 27));
    EXPECT_EQ(dlg.Image1->size(), QSize(40, 27));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(dlg.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(dlg.Turn, 0);
    EXPECT_EQ(dlg.PreviewPicture, start);
    QTest::mouseClick(dlg.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(dlg.Turn, 3);
    QImage left = start;
    RotateBitmap90Left(left);
    EXPECT_EQ(dlg.PreviewPicture, left);
}

TEST_F(SchalterDlg, CancelLeavesTheElementAsItWas)
{
    TSchalter s;
    s.SetHint("Pumpe");
    const std::vector<Byte> before = Record(s);
    const Integer result = Edit(
        s,
        [](TSchalterDlg& dlg) {
            dlg.TypCombo->setCurrentIndex(TSchalter::LookButton);
            dlg.Text->setText("Los");
            dlg.cbVerlauf->setCurrentIndex(1);
            dlg.HintEdit->setText("Anders");
            dlg.RB_DefOn->setChecked(true);
            dlg.Typ->setCurrentRow(Drehschalter2);
            QTest::mouseClick(dlg.BitBtn2, Qt::LeftButton);
        },
        false);
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Record(s), before);
    EXPECT_EQ(s.Hint(), "Pumpe");
    EXPECT_EQ(s.Look(), TSchalter::LookPicture);
    EXPECT_FALSE(s.DefaultState);
}

TEST_F(SchalterDlg, OkAppliesEachLook)
{
    {
        SCOPED_TRACE("switch picture");
        TSchalter s;
        EXPECT_EQ(Edit(
                      s,
                      [](TSchalterDlg& dlg) {
                          dlg.Typ->setCurrentRow(Drehschalter2);
                          dlg.Farbe->setCurrentRow(rot);
                          QTest::mouseClick(dlg.BitBtn2, Qt::LeftButton);
                          dlg.RB_DefOn->setChecked(true);
                          dlg.HintEdit->setText("Licht");
                      },
                      true),
                  mrOk);
        EXPECT_EQ(s.Typ(), Drehschalter2);
        EXPECT_EQ(s.Farbe(), rot);
        EXPECT_EQ(s.Turn, 1);
        EXPECT_TRUE(s.DefaultState);
        EXPECT_TRUE(s.State());   // the state follows the default
        EXPECT_EQ(s.Hint(), "Licht");
        QImage on = SwitchPicture(rot, Drehschalter2, true);
        RotateBitmap90Right(on);
        EXPECT_EQ(s.OnPicture, on);
        EXPECT_EQ(s.size(), QSize(56, 56));
    }
    {
        SCOPED_TRACE("button");
        TSchalter s;
        TModalHook colours({TModalAnswer::Colour(0x0000FF), TModalAnswer::Colour(0x00FF00)});
        QTemporaryDir folder;
        SetProgramFolder(folder.path().toStdString() + "/");   // the custom colours file
        Edit(
            s,
            [](TSchalterDlg& dlg) {
                dlg.TypCombo->setCurrentIndex(TSchalter::LookButton);
                dlg.Text->setText("&Pumpe");
                QTest::mouseClick(dlg.VonColShape, Qt::LeftButton);
                QTest::mouseClick(dlg.bisColShape, Qt::LeftButton);
                EXPECT_EQ(dlg.GradBtn1->BeginColor(), 0x0000FFu);   // the preview follows at once
                dlg.cbVerlauf->setCurrentIndex(1);
                dlg.cbFontFX->setCurrentIndex(1);
                QTest::mouseClick(dlg.BoldBtn, Qt::LeftButton);
                EXPECT_TRUE(dlg.GradBtn1->font().bold());
                dlg.RB_DefOn->setChecked(true);
            },
            true);
        SetProgramFolder("");
        EXPECT_EQ(s.Look(), TSchalter::LookButton);
        EXPECT_TRUE(s.Button->isVisibleTo(&s));
        EXPECT_FALSE(s.Lamp->isVisibleTo(&s));
        EXPECT_EQ(s.Button->Caption(), "&Pumpe");
        EXPECT_EQ(s.Button->GradientStyle(), gsVertical);
        EXPECT_EQ(s.Button->TextStyle(), tsRaised);
        EXPECT_EQ(s.Button->TxtHiliteClr(), 0x0000FFu);
        EXPECT_EQ(s.Button->TxtShadowClr(), 0x00FF00u);
        EXPECT_EQ(s.ButtonFont.Style, fsBold);
        // The default state is on: the button shows pressed, with its colours
        // swapped, and the record keeps them at rest.
        EXPECT_TRUE(s.Button->Down());
        EXPECT_EQ(s.Button->BeginColor(), 0x00FF00u);
        TSchalterDlg again;
        again.FillFrom(s);
        EXPECT_EQ(again.VonColShape->BrushColor, 0x0000FFu);
    }
    {
        SCOPED_TRACE("lamp");
        TSchalter s;
        Edit(
            s,
            [](TSchalterDlg& dlg) {
                dlg.TypCombo->setCurrentIndex(TSchalter::LookLamp);
                dlg.CB_Form->setCurrentIndex(5);   // "Raute"
                dlg.cbWinkel->setCurrentIndex(1);
                dlg.SE_Rand->SetValue(8);
                EXPECT_EQ(dlg.Lampe->LedClass(), ialcRomb);
            },
            true);
        EXPECT_EQ(s.Look(), TSchalter::LookLamp);
        EXPECT_TRUE(s.Lamp->isVisibleTo(&s));
        EXPECT_FALSE(s.Button->isVisibleTo(&s));
        EXPECT_EQ(s.Lamp->LedClass(), ialcRomb);
        EXPECT_EQ(s.Lamp->Angle(), 900);
        EXPECT_EQ(s.Lamp->OuterBorderDepth(), 8);
        // The lamp shows the element's state whatever the preview blinked to.
        EXPECT_FALSE(s.Lamp->LedOn());
        EXPECT_EQ(s.Lamp->OuterBorderStyle(), iablsUp);
        // The widest rim the dialog offers survives the record.
        EXPECT_EQ(ReadBack(s)->Lamp->OuterBorderDepth(), 8);
    }
}

TEST_F(SchalterDlg, LampAngleListAndTheLampsTenthsOfADegree)
{
    struct TCase {
        Integer ElementAngle;
        int Shown;   // -1: no selection
    };
    const TCase cases[] = {{0, 0}, {900, 1}, {1800, 2}, {2700, 3}, {-900, 3}, {450, -1}, {1234, -1}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.ElementAngle);
        TSchalter s;
        s.Lamp->SetAngle(c.ElementAngle);
        TSchalterDlg dlg;
        dlg.FillFrom(s);
        EXPECT_EQ(dlg.cbWinkel->currentIndex(), c.Shown);
    }
    // 270 degrees is kept as -90, and opens as 270 again; an odd angle
    // survives an OK that did not touch the list.
    TSchalter s;
    Edit(
        s,
        [](TSchalterDlg& dlg) {
            dlg.TypCombo->setCurrentIndex(TSchalter::LookLamp);
            dlg.cbWinkel->setCurrentIndex(3);
        },
        true);
    EXPECT_EQ(s.Lamp->Angle(), -900);
    Edit(s, [](TSchalterDlg& dlg) { EXPECT_EQ(dlg.cbWinkel->currentText(), QString::fromUtf8("270°")); }, true);
    s.Lamp->SetAngle(450);
    Edit(s, [](TSchalterDlg& dlg) { dlg.SE_Rand->SetValue(3); }, true);
    EXPECT_EQ(s.Lamp->Angle(), 450);
    EXPECT_EQ(s.Lamp->OuterBorderDepth(), 3);
}

TEST_F(SchalterDlg, ShapeListMapsToTheLampShapes)
{
    const TIALedClass shapes[] = {ialcRect, ialcRound, ialcHalfCircle, ialcTriangle, ialcTrapezium, ialcRomb};
    TSchalter s;
    TSchalterDlg dlg;
    dlg.FillFrom(s);
    for (int i = 0; i < 6; ++i) {
        dlg.CB_Form->setCurrentIndex(i);
        EXPECT_EQ(dlg.Lampe->LedClass(), shapes[i]) << i;
        TSchalterDlg back;
        s.Lamp->SetLedClass(shapes[i]);
        back.FillFrom(s);
        EXPECT_EQ(back.CB_Form->currentIndex(), i);
    }
}

TEST_F(SchalterDlg, APushButtonsDefaultIsOffAndCannotBeChanged)
{
    TSchalter s;
    s.SetTaster(true);
    s.DefaultState = true;   // only a damaged file gives a push button this
    Edit(
        s,
        [](TSchalterDlg& dlg) {
            EXPECT_FALSE(dlg.DefaultBox->isEnabled());
            EXPECT_FALSE(dlg.RB_DefOn->isEnabled());
            EXPECT_FALSE(dlg.RB_DefOff->isEnabled());
            EXPECT_TRUE(dlg.RB_DefOff->isChecked());
            EXPECT_EQ(dlg.HotkeyActions, (std::vector<AnsiString>{" --- ", "= PSH"}));
        },
        true);
    EXPECT_FALSE(s.DefaultState);
    EXPECT_FALSE(s.State());
}

TEST_F(SchalterDlg, UserPicturesFromFiles)
{
    QTemporaryDir folder;
    const QString off = folder.path() + "/aus.bmp";
    const QString on = folder.path() + "/ein.bmp";
    const QString broken = folder.path() + "/kaputt.bmp";
    WriteBitmap(off, QSize(30, 20), Qt::red, Qt::white);
    WriteBitmap(on, QSize(30, 20), Qt::green, Qt::white);
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM this is no picture");
    }
    auto name = [](const QString& path) { return TModalAnswer::File(path.toStdString()); };

    // Only the on picture: the off picture stays the element's own.
    TSchalter s;
    const QImage elementOff = s.OffPicture;
    {
        TModalHook files({name(on)});
        Edit(
            s,
            [&](TSchalterDlg& dlg) {
                dlg.TypCombo->setCurrentIndex(TSchalter::LookUser);
                QTest::mouseClick(dlg.BitBtn4, Qt::LeftButton);
            },
            true);
        ASSERT_EQ(files.Requests().size(), 1u);
        EXPECT_EQ(files.Requests()[0].File.Filter, "Bitmaps (*.bmp)|*.bmp");
    }
    EXPECT_EQ(s.Look(), TSchalter::LookUser);
    EXPECT_EQ(s.OnPicture.size(), QSize(30, 20));
    EXPECT_EQ(s.OnPicture.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(s.OffPicture, elementOff);

    // Both, turned clockwise, transparent; an unreadable file is refused with
    // a message and leaves the picture as it was.
    {
        TModalHook answers({name(off), name(broken), TModalAnswer::Button(IDOK)});
        Edit(
            s,
            [&](TSchalterDlg& dlg) {
                QTest::mouseClick(dlg.BitBtn3, Qt::LeftButton);
                QTest::mouseClick(dlg.BitBtn4, Qt::LeftButton);
                EXPECT_EQ(dlg.UserOnPicture.pixelColor(5, 5), QColor(Qt::green));
                QTest::mouseClick(dlg.BitBtn6, Qt::LeftButton);
                EXPECT_EQ(dlg.UserOffPicture.size(), QSize(20, 30));
                dlg.cb_Transparent->setChecked(true);
                // Keyed by the turned picture's top-left pixel, as the
                // element paints it: the red face, not the white corner.
                const QImage shown = dlg.Image2->pixmap().toImage();
                EXPECT_EQ(shown.size(), QSize(20, 30));
                EXPECT_EQ(shown.pixelColor(5, 5).alpha(), 0);
                EXPECT_EQ(shown.pixelColor(19, 0).alpha(), 255);
            },
            true);
        ASSERT_EQ(answers.Requests().size(), 3u);
        EXPECT_EQ(answers.Requests()[2].Kind, TModalKind::MessageBox);
        EXPECT_NE(answers.Requests()[2].Text.find("kaputt.bmp"), std::string::npos);
    }
    EXPECT_EQ(s.OffPicture.size(), QSize(20, 30));
    EXPECT_EQ(s.OffPicture.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(s.OnPicture.size(), QSize(20, 30));
    EXPECT_TRUE(s.GetBisteTransparent());

    // The pictures travel in the record.
    EXPECT_EQ(ReadBack(s)->OffPicture.convertToFormat(QImage::Format_RGB32),
              s.OffPicture.convertToFormat(QImage::Format_RGB32));
}

TEST_F(SchalterDlg, APictureTooLargeForTheRecordIsRefused)
{
    QTemporaryDir folder;
    // Small as a PNG file, too large as a bitmap in the project file.
    const QString big = folder.path() + "/gross.png";
    QImage picture(5000, 5000, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(big, "PNG"));
    EXPECT_FALSE(FitsSwitchRecord(picture));
    EXPECT_TRUE(FitsSwitchRecord(QImage(200, 200, QImage::Format_RGB32)));
    TSchalter s;
    TSchalterDlg dlg;
    dlg.FillFrom(s);
    TModalHook answers({TModalAnswer::Button(IDOK)});
    EXPECT_FALSE(dlg.LoadUserPictureFile(1, big.toStdString()));
    EXPECT_EQ(dlg.UserOnPicture, s.OnPicture);
    EXPECT_EQ(answers.Requests().size(), 1u);
}

TEST_F(SchalterDlg, HotkeysAreEditedInTheSharedSheetAndKeptOnCancel)
{
    TSchalter s;
    std::vector<AnsiString> captions;
    TFormHook hook({[&](TModalForm& form) {
        auto& dlg = dynamic_cast<TSchalterDlg&>(form);
        TFormHook sheetHook({[&](TModalForm& sheet) {
            auto& d = dynamic_cast<TDefault_Dlg&>(sheet);
            EXPECT_EQ(d.Caption(), "Hotkeys");
            for (const auto& row : d.Props->Rows)
                captions.push_back(row->Caption);
            auto* first = dynamic_cast<THotkeyPropEditor*>(d.Props->Rows[0]->Editor);
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first->ActionList->count(), 5);
            first->KeyList->setCurrentIndex(11);   // " < A >"
            first->ActionList->setCurrentIndex(2);
            QTest::mouseClick(d.OKBtn, Qt::LeftButton);
        }});
        QTest::mouseClick(dlg.HotBtn, Qt::LeftButton);
        QTest::mouseClick(dlg.Button2, Qt::LeftButton);
    }});
    EXPECT_EQ(s.EditProperties(), mrCancel);
    ASSERT_EQ(captions.size(), 10u);
    EXPECT_EQ(captions[0], "Hotkey 1");
    EXPECT_EQ(captions[9], "Hotkey 10");
    EXPECT_EQ(s.Hotkeys[0]->Key, 'A');
    EXPECT_EQ(s.Hotkeys[0]->ActionIndex, 2);
}

TEST_F(SchalterDlg, TextsInTheThreeLanguages)
{
    struct TCase {
        Integer Language;
        const char* Title;
        const char* Cancel;
        const char* Look3;
        const char* Type8;
        const char* Shape5;
    };
    const TCase cases[] = {
        {0, "Schalter / Taster", "A&bbrechen", "Plastiklampenschalter", "Wippschalter mit Beleuchtung II", "Raute"},
        {1, "Switch / Push button", "&Cancel", "Plastic lamp switch", "Bob switch with illumination II", "Rhomb"},
        {2, "Interrupteur / Bouton-poussoir", "&Annuler", "Interrupteur avec lampe plastique",
         "Modèle à bascule avec éclairage - 2", "Losange"},
    };
    for (const TCase& c : cases) {
        LanguageIndex = c.Language;
        TSchalterDlg dlg;
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(c.Title));
        EXPECT_EQ(dlg.Button2->text(), QString::fromUtf8(c.Cancel));
        EXPECT_EQ(dlg.TypCombo->itemText(3), QString::fromUtf8(c.Look3));
        EXPECT_EQ(dlg.Typ->item(8)->text(), QString::fromUtf8(c.Type8));
        EXPECT_EQ(dlg.CB_Form->itemText(5), QString::fromUtf8(c.Shape5));
        EXPECT_EQ(dlg.cbFontFX->count(), 3);
        EXPECT_EQ(dlg.cbVerlauf->count(), 2);
    }
}

TEST_F(SchalterDlg, FontControlsDriveThePreviewButtonAndTheElementsFont)
{
    FontSource().Families = [] {
        return std::vector<std::pair<QString, int>>{{"Alpha Sans", TrueTypeFontType}, {"Beta Serif", TrueTypeFontType}};
    };
    FontSource().Faces = [](const QString&) { return std::vector<TUCLFontFace>{TUCLFontFace{}}; };
    TSchalter s;
    s.ButtonFont.Name = "Alpha Sans";
    s.ButtonFont.Height = FontHeightForSize(10);
    Edit(
        s,
        [](TSchalterDlg& dlg) {
            dlg.TypCombo->setCurrentIndex(TSchalter::LookButton);
            EXPECT_EQ(dlg.cbFontName->currentText(), "Alpha Sans");
            EXPECT_EQ(dlg.cbFontSize->currentText(), "10");
            dlg.cbFontName->setCurrentIndex(dlg.cbFontName->findText("Beta Serif"));
            EXPECT_EQ(dlg.PreviewFont.Name, "Beta Serif");
            // A size typed into the list's edit field counts as well.
            dlg.cbFontSize->lineEdit()->selectAll();
            QTest::keyClicks(dlg.cbFontSize->lineEdit(), "18");
            EXPECT_EQ(dlg.PreviewFont.Height, FontHeightForSize(18));
            EXPECT_EQ(dlg.GradBtn1->font().pixelSize(), 24);
        },
        true);
    ResetFontSource();
    EXPECT_EQ(s.ButtonFont.Name, "Beta Serif");
    EXPECT_EQ(s.ButtonFont.Height, -24);
    EXPECT_EQ(s.Button->font().pixelSize(), 24);
}

TEST_F(SchalterDlg, TheLampColourComesFromTheColourChooser)
{
    QTemporaryDir folder;
    SetProgramFolder(folder.path().toStdString() + "/");
    TModalHook colours({TModalAnswer::Colour(0x00C000)});
    TSchalter s;
    Edit(
        s,
        [](TSchalterDlg& dlg) {
            dlg.TypCombo->setCurrentIndex(TSchalter::LookLamp);
            QTest::mouseClick(dlg.PlastikColShape, Qt::LeftButton);
            EXPECT_EQ(dlg.Lampe->LedPlasticColor(), 0x00C000u);
        },
        true);
    SetProgramFolder("");
    EXPECT_EQ(s.Lamp->LedPlasticColor(), 0x00C000u);
}

TEST_F(SchalterDlg, TheHelpButtonOpensTheDialogsPage)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("help"));
    QFile page(folder.path() + "/help/17900.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    SetProgramFolder(folder.path().toStdString() + "/");
    std::vector<QUrl> opened;
    SetHelpOpener([&](const QUrl& url) { opened.push_back(url); });
    TSchalterDlg dlg;
    EXPECT_TRUE(dlg.windowFlags() & Qt::WindowContextHelpButtonHint);
    QEvent helpButton(QEvent::EnterWhatsThisMode);
    QApplication::sendEvent(&dlg, &helpButton);
    SetHelpOpener({});
    SetProgramFolder("");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("help/17900.html"));
    // The run-only program has no help.
    RunOnlyMode = true;
    TSchalterDlg runOnly;
    EXPECT_FALSE(runOnly.windowFlags() & Qt::WindowContextHelpButtonHint);
    RunOnlyMode = false;
}

} // namespace
