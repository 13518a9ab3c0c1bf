// The figures of the control blocks: frames and black lines stay black and
// characteristics stay red whether the block is selected or not, while texts
// and the relay contact take the selection's red.
#include "AnalogTestSupport.h"

#include "engine/Globals.h"
#include "platform/Canvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class Symbols : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }

    struct TCount {
        int Red = 0, Black = 0;
    };
    // Red and black pixels inside the body (the pin names lie outside it).
    static TCount Draw(TIOBauteil& block, bool selected)
    {
        block.X = 100;
        block.Y = 100;
        block.LayoutPins();
        block.Selected = selected;
        QImage image(500, 500, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            TCanvas canvas(&image);
            block.Draw(canvas);
        }
        TCount n;
        const TRect& body = block.BodyRect;
        for (int y = body.Top + 3; y < body.Bottom - 30; ++y)
            for (int x = body.Left + 3; x < body.Right - 3; ++x) {
                const QColor c = image.pixelColor(x, y);
                n.Red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
                n.Black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
            }
        return n;
    }
};

TEST_F(Symbols, FramesStayBlackAndCurvesRed)
{
    for (const char* name : {"TBTPT1", "TBTPT2", "TBTDT1", "TBT_P_Regler", "TBT_PI_Regler", "TBT_PID_Regler",
                             "TBT_PD_Regler", "TBT_2_Punkt_Regler", "TBT_Totzone", "TBTLimiter"})
        for (const bool selected : {false, true}) {
            SCOPED_TRACE(std::string(name) + (selected ? " selected" : ""));
            auto block = Make(name);
            const TCount n = Draw(*block, selected);
            EXPECT_GT(n.Red, 40);
            EXPECT_GT(n.Black, 40);
        }
    auto backlash = Make("TBT_Spiel");
    EXPECT_EQ(Draw(*backlash, true).Red, 0);
    EXPECT_GT(Draw(*backlash, true).Black, 40);
}

TEST_F(Symbols, TextsAndContactsTakeTheSelectionRed)
{
    for (const char* name : {"TBTIntegrierer", "TBTDifferenzierer", "TBTSample", "TBTRelais", "TBTRelais_2",
                             "TBTAnalogVgl", "TBT_Inkretment", "TBT_AnalogDelay", "TBTFktGenerator", "TBTPulse",
                             "TBTRampenGenerator", "TBTRandom", "TBTMittelwert", "TBTKorrekturtabelle", "TBTSysTime",
                             "TBTSysDate", "TBTFreqCount"}) {
        SCOPED_TRACE(name);
        auto block = Make(name);
        const TCount plain = Draw(*block, false);
        EXPECT_EQ(plain.Red, 0);
        EXPECT_GT(plain.Black, 20);
        const TCount selected = Draw(*block, true);
        EXPECT_GT(selected.Red, 20);
        EXPECT_EQ(selected.Black, 0);
    }
}

} // namespace
