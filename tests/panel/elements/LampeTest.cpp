// The lamp element: the colour a voltage gives, the steady voltage that costs
// nothing, the dialog's detour that recolours, and the record.
#include "panel/elements/FP_Lampe.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class Lampe : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
};

TEST_F(Lampe, NewLampIsDarkInItsDefaultColour)
{
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        TPLampe lamp;
        EXPECT_EQ(lamp.Hint(), ByLanguage<AnsiString>("Plastiklampe", "Plastic lamp", "Lampe plastique"));
    }
    TPLampe lamp;
    EXPECT_FALSE(lamp.Eingeschaltet);
    EXPECT_FALSE(lamp.Renderer->LedOn());
    EXPECT_EQ(lamp.BaseColor, 0x0000FFu);
    EXPECT_EQ(lamp.NennSpannung, 5.0L);
    EXPECT_EQ(lamp.size(), QSize(32, 32));
    EXPECT_EQ(lamp.minimumSize(), QSize(16, 16));
    EXPECT_EQ(lamp.Renderer->geometry(), QRect(0, 0, 32, 32));
    EXPECT_EQ(lamp.Renderer->LedPlasticDepth(), 1);
    EXPECT_FALSE(lamp.Renderer->isEnabled());
    lamp.resize(48, 40);
    lamp.show();
    EXPECT_EQ(lamp.Renderer->geometry(), QRect(0, 0, 48, 40));
}

TEST_F(Lampe, TheVoltageDimsOrBrightensTheBaseColour)
{
    struct TCase {
        TColor Base;
        Extended Volts;
        TColor Shown;
    };
    for (const TCase& c : {TCase{0x0000FF, 5, 0x0000FF}, {0x0000FF, 3, 0x000099}, {0x0000FF, 2, 0x00004C},
                           {0x0000FF, 0, 0x00004C}, {0x0000FF, -5, 0x0000FF}, {0x0000FF, -3, 0x000099},
                           {0x0080FF, 7.5L, 0x0080FF}, {0x004080, 10, 0x7FBFFF}, {0x004080, 100, 0x7FBFFF},
                           {0x004080, 7.5L, 0x4080C0}, {0x004080, std::numeric_limits<Extended>::quiet_NaN(), 0x001326}}) {
        SCOPED_TRACE(std::to_string(double(c.Volts)) + " " + std::to_string(c.Base));
        TPLampe lamp;
        lamp.BaseColor = c.Base;
        lamp.SetIstSpannung(1.234L);   // away from the voltage under test
        lamp.SetIstSpannung(c.Volts);
        EXPECT_EQ(lamp.GetLampColor(), c.Shown);
        EXPECT_TRUE(lamp.Eingeschaltet);
        EXPECT_TRUE(lamp.Renderer->LedOn());
        EXPECT_LE(lamp.IstSpannung, 2 * lamp.NennSpannung);
    }
}

TEST_F(Lampe, AnUnchangedVoltageDoesNotRenderAgain)
{
    TPLampe lamp;
    lamp.SetIstSpannung(3);
    lamp.Renderer->EnsurePictures();
    const QImage picture = lamp.Renderer->OnPicture;
    lamp.SetIstSpannung(3);
    lamp.SetIstSpannung(-3);
    lamp.Renderer->EnsurePictures();
    // Each rendering draws new noise, so an equal picture was not redrawn.
    EXPECT_EQ(lamp.Renderer->OnPicture, picture);
    // A changed voltage is rendered when the lamp is next painted, once for
    // any number of changes before.
    for (Extended volts : {4.0L, 4.5L, 3.5L})
        lamp.SetIstSpannung(volts);
    EXPECT_EQ(lamp.Renderer->OnPicture, picture);
    QImage shown;
    lamp.PaintToBitmap(shown);
    EXPECT_NE(lamp.Renderer->OnPicture, picture);
    // The middle of the lit lamp in the colour of 3.5 V: 0.7 of red (178.5
    // rounds to even).
    EXPECT_EQ(shown.pixelColor(16, 16), QColor(178, 0, 0));
}

TEST_F(Lampe, WithoutAPositiveNominalVoltageTheLampShowsItsDimLook)
{
    // Every voltage is clamped to 0 then, or has no ratio: never a colour
    // computed from an undefined ratio.
    for (Extended nominal : {0.0L, -2.0L, std::numeric_limits<Extended>::quiet_NaN()}) {
        SCOPED_TRACE(double(nominal));
        TPLampe lamp;
        lamp.SetIstSpannung(1);
        lamp.SetNennSpannung(nominal);
        lamp.SetIstSpannung(3);
        EXPECT_EQ(lamp.GetLampColor(), 0x00004Cu);
        EXPECT_TRUE(lamp.IstSpannung >= 0);
    }
}

// The dialog: the voltage row edited, the shape, rotation and rim chosen.
Integer Edit(TPLampe& lamp, const char* volts, int shape, int rotation, int rim, bool ok)
{
    TFormHook hook({[&](TModalForm& form) {
        auto& dlg = static_cast<TDefault_Dlg&>(form);
        EXPECT_EQ(dlg.HelpContext(), 18015);
        int combo = 0;
        for (const auto& row : dlg.Props->Rows) {
            if (auto* c = dynamic_cast<TComboPropEditor*>(row->Editor)) {
                const int choice[3] = {shape, rotation, rim};
                if (combo < 3)
                    c->Combo->setCurrentIndex(choice[combo]);
                ++combo;
            } else if (auto* edit = row->Editor ? row->Editor->findChild<QLineEdit*>() : nullptr;
                       edit && edit->text() == "5") {
                edit->setText(volts);
            }
        }
        EXPECT_EQ(combo, 3);
        QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
    }});
    return lamp.EditProperties();
}

TEST_F(Lampe, TheDialogRecoloursToTheBaseColourEvenWhenCancelled)
{
    TPLampe lamp;
    lamp.SetIstSpannung(1);
    ASSERT_EQ(lamp.GetLampColor(), 0x00004Cu);
    EXPECT_EQ(Edit(lamp, "12", 1, 1, 2, false), 2);
    EXPECT_EQ(lamp.GetLampColor(), 0x0000FFu);
    EXPECT_EQ(lamp.NennSpannung, 5.0L);
    EXPECT_EQ(lamp.Renderer->LedClass(), ialcRect);

    EXPECT_EQ(Edit(lamp, "12", 1, 3, 0, true), 1);
    EXPECT_NEAR(double(lamp.NennSpannung), 12.0, 1e-12);
    EXPECT_EQ(lamp.GetLampColor(), 0x0000FFu);
    EXPECT_EQ(lamp.Renderer->LedClass(), ialcRound);
    EXPECT_EQ(lamp.Renderer->Angle(), -900);
    EXPECT_EQ(lamp.Renderer->OuterBorderStyle(), iablsUp);
    // Aligned again to the element.
    EXPECT_EQ(lamp.Renderer->geometry(), QRect(0, 0, 32, 32));
}

TEST_F(Lampe, TheRecordKeepsSizeColourShapeRimAndVoltage)
{
    TPLampe lamp;
    lamp.SetBounds(0, 0, 40, 24);
    lamp.BaseColor = 0x00A0FF;
    lamp.SetRendererAligned(false);
    lamp.Renderer->SetLedClass(ialcTrapezium);
    lamp.Renderer->SetAngle(1800);
    lamp.Renderer->SetOuterBorderDepth(4);
    lamp.Renderer->SetOuterBorderStyle(iablsNone);
    lamp.SetRendererAligned(true);
    lamp.SetNennSpannung(24);
    TMemoryStream stream;
    {
        TWriter writer(stream);
        lamp.WriteData(stream, writer);
        writer.FlushBuffer();
    }
    for (Byte version : {Byte(46)}) {
        SCOPED_TRACE(int(version));
        stream.Seek(0, TSeekOrigin::soBeginning);
        TPLampe copy;
        TReader reader(stream);
        copy.ReadData(stream, reader, version);
        EXPECT_EQ(copy.size(), QSize(40, 24));
        EXPECT_EQ(copy.BaseColor, 0x00A0FFu);
        EXPECT_EQ(copy.Renderer->LedClass(), ialcTrapezium);
        EXPECT_EQ(copy.Renderer->Angle(), 1800);
        EXPECT_EQ(copy.Renderer->OuterBorderDepth(), 4);
        EXPECT_EQ(copy.Renderer->OuterBorderStyle(), iablsNone);
        EXPECT_EQ(copy.Renderer->geometry(), QRect(0, 0, 40, 24));
        // From version 3 on the nominal voltage lights the lamp in its colour.
        EXPECT_EQ(copy.NennSpannung, version >= 3 ? 24.0L : 5.0L);
        EXPECT_EQ(copy.Eingeschaltet, version >= 3);
        if (version >= 3) {
            EXPECT_EQ(copy.GetLampColor(), 0x00A0FFu);
        }
    }
}

TEST_F(Lampe, ADamagedRecordGivesALampOfSaneSize)
{
    TPLampe lamp;
    TMemoryStream stream;
    {
        TWriter writer(stream);
        lamp.TFP_Element::WriteData(stream, writer);
        writer.WriteInteger(100000);
        writer.WriteInteger(-7);
        const Byte raw[6] = {1, 2, 3, 0, 200, 0};
        writer.Write(raw, 5);
        writer.WriteInteger(123457);
        writer.WriteInteger(1 << 30);
        writer.Write(raw + 4, 1);
        writer.WriteFloat(5);
        writer.FlushBuffer();
    }
    stream.Seek(0, TSeekOrigin::soBeginning);
    TReader reader(stream);
    lamp.ReadData(stream, reader, 46);
    EXPECT_EQ(lamp.size(), QSize(2048, 16));
    EXPECT_EQ(lamp.Renderer->LedClass(), ialcRect);
    EXPECT_EQ(lamp.Renderer->OuterBorderDepth(), 6);
    EXPECT_EQ(lamp.Renderer->OuterBorderStyle(), iablsDown);
    EXPECT_EQ(lamp.Renderer->Angle(), 1057);
}

} // namespace
