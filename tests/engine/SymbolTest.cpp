// The standard symbol, the macro symbol and the gradient fill, rendered on an
// image under the board mapping. Pixel checks are made on drawings without
// text; labels are checked only for their marks.
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Gradient.h"
#include "engine/Segment.h"
#include "platform/Canvas.h"
#include "platform/GradientFill.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QColor Red(255, 0, 0), Black(0, 0, 0), White(255, 255, 255), Grey(128, 128, 128),
    LightGrey(192, 192, 192), Green(0, 255, 0);

// A symbol with two inputs and two outputs whose body runs from red to blue.
class TSymbol : public TGrundBT {
public:
    TSymbol()
    {
        SetInputCount(2);
        SetOutputCount(2);
        BodyColor1 = 0x0000FF;
        BodyColor2 = 0xFF0000;
    }
};

class SymbolTest : public ::testing::Test {
protected:
    SymbolTest() : image(500, 400, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        board.Zoom = 254.0 / 16;   // one board unit per pixel
    }
    void TearDown() override
    {
        ResetGlobals();
        GradientBodies = true;
        SetGradientFillMissingForTest(false);
        FreeGradientLibrary();
    }
    QColor At(Integer x, Integer y) const { return image.pixelColor(x, y); }
    void Draw(TBauteil& object)
    {
        TCanvas canvas(&image);
        board.PrepareCanvas(canvas);
        object.Draw(canvas);
    }
    std::unique_ptr<TSymbol> Make(Integer x = 200, Integer y = 100)
    {
        auto symbol = std::make_unique<TSymbol>();
        symbol->AfterConstruction();
        symbol->X = x;
        symbol->Y = y;
        symbol->LayoutPins();
        return symbol;
    }
    QImage image;
    TPlatine board;
};

TEST_F(SymbolTest, BodyRunsFromTheFirstToTheSecondColour)
{
    auto s = Make();   // body 200,100 .. 300,220
    Draw(*s);
    const QColor left = At(204, 160), middle = At(250, 160), right = At(296, 160);
    EXPECT_GT(left.red(), 230);
    EXPECT_LT(left.blue(), 25);
    EXPECT_GT(right.blue(), 230);
    EXPECT_LT(right.red(), 25);
    EXPECT_GT(middle.red(), 100);
    EXPECT_GT(middle.blue(), 100);
    EXPECT_EQ(At(200, 160), Grey);   // outline
}

TEST_F(SymbolTest, PlainBodyWithoutGradientOrLibrary)
{
    auto s = Make();
    GradientBodies = false;
    Draw(*s);
    EXPECT_EQ(At(296, 160), Red);
    GradientBodies = true;
    SetGradientFillMissingForTest(true);
    FreeGradientLibrary();
    image.fill(Qt::white);
    Draw(*s);
    EXPECT_EQ(At(296, 160), Red);
    EXPECT_FALSE(GradientAvailable);
}

TEST_F(SymbolTest, StubsShowConnectionAndSelection)
{
    auto s = Make();   // input 0 at 160,140; output 0 at 340,180
    s->Inputs[0].Connected = true;
    Draw(*s);
    EXPECT_EQ(At(180, 140), Black);
    EXPECT_EQ(At(180, 180), LightGrey);   // input 1, unconnected
    s->SetSelected(true);
    Draw(*s);
    EXPECT_EQ(At(180, 140), Red);
    EXPECT_EQ(At(200, 160), Red);
    s->PrintBlackWhite = true;
    s->SetSelected(false);
    Draw(*s);
    EXPECT_EQ(At(180, 180), Black);
    EXPECT_EQ(At(200, 160), Black);
}

TEST_F(SymbolTest, InversionCirclesSitOnTheBodyEdge)
{
    auto s = Make();
    s->Outputs[0].Inverted = true;   // right edge, y 180
    s->Inputs[1].Inverted = true;    // left edge, y 180
    Draw(*s);
    EXPECT_EQ(At(300, 180), White);
    EXPECT_EQ(At(309, 180), Red);
    EXPECT_EQ(At(200, 180), White);
    EXPECT_EQ(At(190, 180), Red);
    EXPECT_NE(At(300, 140), White);   // not inverted: plain outline
}

TEST_F(SymbolTest, PinLevelsAndLiveStates)
{
    auto s = Make();
    s->Outputs[0].SetValue(5.0L);   // output 0 at y 180
    s->ShowLineStates = true;
    Draw(*s);
    EXPECT_EQ(At(320, 180), Red);
    EXPECT_EQ(At(320, 140), Black);
    EXPECT_EQ(At(180, 140), Black);   // inputs low while stopped

    SimulationRunning = true;
    s->ShowLineStates = false;
    s->ShowComponentStates = true;
    Draw(*s);
    EXPECT_EQ(At(302, 180), Green);   // arrow mark on the right edge
    EXPECT_EQ(At(198, 140), Green);   // unconnected input: high
    EXPECT_EQ(At(302, 140), LightGrey);
}

TEST_F(SymbolTest, ClockWedgePointsIntoTheBody)
{
    auto s = Make();
    TCanvas canvas(&image);
    board.PrepareCanvas(canvas);
    s->DrawClockWedge(canvas, 0);   // left edge, y 140
    EXPECT_EQ(At(210, 135), Black);
    EXPECT_EQ(At(219, 140), Black);
    s->SetMirrored(true);
    image.fill(Qt::white);
    s->DrawClockWedge(canvas, 0);   // right edge, y 180
    EXPECT_EQ(At(281, 180), Black);
}

TEST_F(SymbolTest, LabelMarks)
{
    auto s = Make();
    s->Inputs[0].Name = "/RST";
    s->Outputs[0].Name = "|C";
    s->Inputs[0].Connected = true;
    s->Outputs[0].Connected = true;
    Draw(*s);
    TCanvas metrics;
    board.PrepareCanvas(metrics);
    metrics.Font.Height = 26;
    metrics.Font.Style = fsItalic;
    // The overline of RST: 2 units thick, one above the text cell, the label
    // ending 6 units before the body edge.
    const Integer width = metrics.TextWidth("RST");
    int overline = 0;
    for (Integer x = 200 - 6 - width + 3; x < 200 - 6; ++x)
        overline += At(x, 140 - 26 - 1) == QColor(128, 0, 0) || At(x, 140 - 26 - 2) == QColor(128, 0, 0);
    EXPECT_GT(overline, width / 2);
    // The edge arrow of C: its stroke 3 units right of the mark, from 7 below
    // the cell top.
    EXPECT_EQ(At(300 + 6 + 4 + 3, 180 - 26 + 9), QColor(128, 0, 0));
}

TEST_F(SymbolTest, DesignatorAndNumberOnlyWithADesignator)
{
    auto s = Make();
    s->SetNumber(12);
    Draw(*s);
    auto count = [&] {
        int n = 0;
        for (Integer x = 205; x < 295; ++x)
            for (Integer y = 190; y < 216; ++y)
                n += At(x, y) == Grey;
        return n;
    };
    EXPECT_EQ(count(), 0);
    s->Designator = "SYM";
    Draw(*s);
    EXPECT_GT(count(), 20);
}

TEST_F(SymbolTest, MacroBlockWithNotch)
{
    TTestBoard t;
    TMakro* macro = t.PlaceMacro(200, 100, 2);   // body 200,100 .. 300,180
    macro->Name = "Filter";
    macro->Inputs[0].Connected = true;
    Draw(*macro);
    EXPECT_EQ(At(220, 140), Black);
    EXPECT_EQ(At(250, 108), White);   // the notch
    EXPECT_EQ(At(180, 140), Black);   // connected input stub
    EXPECT_EQ(At(320, 140), LightGrey);
    macro->PrintBlackWhite = true;
    Draw(*macro);
    EXPECT_EQ(At(210, 130), White);

    // Level display from the drivers: no driver shows high.
    TBauteilPin low;
    macro->InputDrivers = {&low};
    macro->OutputDrivers = {nullptr};
    macro->ShowLineStates = true;
    Draw(*macro);
    EXPECT_EQ(At(180, 140), Black);
    EXPECT_EQ(At(320, 140), Red);
}

TEST(Gradient, ScaleColor)
{
    struct TCase {
        TColor Colour;
        double Factor;
        TColor Result;
    };
    for (const TCase& c : {TCase{0x808080, 2.5, 0xFFFFFF}, TCase{0x0000FF, 0.5, 0x000080}, TCase{0x7F030201, 1.0, 0x030201},
                           TCase{0x102030, 0.0, 0}, TCase{0x102030, -1.0, 0}})
        EXPECT_EQ(ScaleColor(c.Colour, c.Factor), c.Result) << std::hex << c.Colour << " x " << c.Factor;
}

TEST(Gradient, FlatFillInTheFirstColourWithoutGradient)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    TCanvas canvas(&image);
    EXPECT_TRUE(DrawGradientRect(canvas, Rect(0, 0, 40, 20), 0xFFFFFF, 0x000000, true, false));
    EXPECT_EQ(image.pixelColor(39, 19), QColor(Qt::white));
    EXPECT_TRUE(DrawGradientRect(canvas, Rect(0, 0, 40, 20), 0xFFFFFF, 0x000000, false, true));
    EXPECT_EQ(image.pixelColor(39, 0), QColor(Qt::white));   // vertical: the top row is colour 1
    EXPECT_EQ(image.pixelColor(0, 19), QColor(Qt::black));
}

// Writes a picture of a few symbols when ZK_SYMBOL_PICTURE names a file.
TEST_F(SymbolTest, PictureOfSomeSymbols)
{
    image = QImage(1150, 620, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 246));
    board.Zoom = 16;
    TTestBoard t;
    TPlatine& b = t.Board();
    auto* source = t.Place<TBTTestSource>(100, 80);
    source->Outputs[0].SetValue(5.0);
    auto* gate = t.Place<TBTTestGate>(340, 60);
    gate->Inputs[0].Name = "/RST";
    gate->Inputs[1].Name = "|C";
    gate->Outputs[0].Name = "/Q";
    gate->Inputs[1].Inverted = true;
    gate->Outputs[0].Inverted = true;
    gate->SetCaption("Alarm");
    auto* mirrored = t.Place<TBTTestGate>(700, 60);
    mirrored->Inputs[1].Name = "|CLK";
    b.SelectObject(mirrored, true);
    b.MirrorSelected();
    b.SelectAll(false);
    t.Connect(source, 0, gate, 0);
    auto* lamp = t.Place<TBTTestLamp>(100, 360);
    lamp->ShowComponentStates = true;
    TMakro* macro = t.PlaceMacro(340, 360, 4);
    macro->Name = "Filter";
    TPlatine* inner = macro->InnerBoard();
    for (Integer k = 1; k <= 4; ++k)
        inner->FindMacroPin(k)->Label = "P" + std::to_string(k);
    TTestHost::UpdateMacroPins(*macro);
    auto* pin = CreateBauteil<TBTPin>();
    pin->X = 700;
    pin->Y = 300;
    pin->Label = "IN1";
    pin->LayoutPins();
    b.InsertObject(pin);
    auto* selected = t.Place<TBTTestProbe>(340, 230);
    t.Connect(source, 0, selected, 0);
    b.SelectObject(selected, true);
    gate->ShowLineStates = true;
    {
        TCanvas canvas(&image);
        board.PrepareCanvas(canvas);
        for (TBauteil* o : b.Objects)
            o->Draw(canvas);
    }
    EXPECT_EQ(image.pixelColor(360 * 256 / 254, 410 * 256 / 254), QColor(Qt::black));   // the macro block
    if (const char* file = std::getenv("ZK_SYMBOL_PICTURE")) {
        EXPECT_TRUE(image.save(file));
    }
}

} // namespace
