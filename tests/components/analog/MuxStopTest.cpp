// The analog multiplexer and demultiplexer, the simulation stop, the test
// point and the range check.
#include "AnalogTestSupport.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_RangeCheck.h"
#include "components/analog/BT_SimStop.h"
#include "components/analog/BT_TestPunkt.h"

#include "engine/Globals.h"
#include "engine/ShellHooks.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class MuxStop : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override
    {
        ResetGlobals();
        ShellHooks.RequestStop = {};
    }
    TFeeder feed;
};

TEST_F(MuxStop, TheMultiplexerPassesTheSelectedChannel)
{
    auto mux = Make<TBTAnalogMux>("TBTAnalogMux");
    EXPECT_EQ(mux->ChannelIndex(), 2);
    // Nothing connected: EN and S0..S2 read high, "I7" is chosen and reads 0.
    mux->Outputs[0].Value = 9;
    mux->Calculate();
    EXPECT_EQ(mux->Outputs[0].Value, 0);

    // EN, S0, S1, S2, I0..I7
    feed.Step(*mux, {5, 5, 0, 5, 10, 11, 12, 13, 14, 15, 16, 17});
    EXPECT_EQ(mux->Outputs[0].Value, 15);   // channel 5
    feed.Step(*mux, {0, 5, 0, 5, 10, 11, 12, 13, 14, 15, 16, 17});
    EXPECT_EQ(mux->Outputs[0].Value, 0);

    mux->SetChannels(0);
    ASSERT_EQ(mux->InputCount, 4);
    EXPECT_EQ(mux->Inputs[0].Name, "EN");
    EXPECT_EQ(mux->Inputs[1].Name, "S0");
    EXPECT_EQ(mux->Inputs[2].Name, "I0");
    EXPECT_EQ(mux->Inputs[3].Name, "I1");
    mux->SetChannels(3);
    ASSERT_EQ(mux->InputCount, 21);
    EXPECT_EQ(mux->Inputs[4].Name, "S3");
    EXPECT_EQ(mux->Inputs[20].Name, "I15");
    feed.Step(*mux, {5, 5, 5, 5, 5});   // channel 15, unconnected
    EXPECT_EQ(mux->Outputs[0].Value, 0);
}

TEST_F(MuxStop, TheDemultiplexerWritesOnChangesOnly)
{
    auto demux = Make<TBTAnalogDemux>("TBTAnalogDemux");
    demux->SetChannels(1);
    ASSERT_EQ(demux->OutputCount, 4);
    EXPECT_EQ(demux->Outputs[3].Name, "A0");
    // Output named "A" + k.
    auto out = [&](Integer k) { return demux->Outputs[3 - k].Value; };
    demux->ResetForStart();
    feed.Step(*demux, {5, 3, 5, 0});   // EN, IN, S0 high, S1 low: "A1"
    EXPECT_EQ(out(1), 3);
    EXPECT_EQ(out(0) + out(2) + out(3), 0);

    // Only "A1" is written when IN changes: the others keep what they hold.
    demux->Outputs[0].Value = 99;
    feed.Step(*demux, {5, 4, 5, 0});
    EXPECT_EQ(out(1), 4);
    EXPECT_EQ(demux->Outputs[0].Value, 99);
    // Nothing is written while nothing changes.
    demux->Outputs[2].Value = 42;
    feed.Step(*demux, {5, 4, 5, 0});
    EXPECT_EQ(out(1), 42);

    feed.Step(*demux, {5, 4, 5, 5});   // S1 high: "A3"
    EXPECT_EQ(out(3), 4);
    EXPECT_EQ(out(1), 0);
    EXPECT_EQ(demux->Outputs[0].Value, 4);

    // Selection changes while IN = 3, then IN returns to its earlier value:
    // the selected output still follows.
    feed.Step(*demux, {5, 3, 0, 5});   // "A2"
    feed.Step(*demux, {5, 4, 0, 5});
    EXPECT_EQ(out(2), 4);

    feed.Step(*demux, {0, 4, 0, 5});   // disabled: all 0
    for (Integer k = 0; k < 4; ++k)
        EXPECT_EQ(out(k), 0);
}

TEST_F(MuxStop, ChannelSizesComeBackWithTheInputCount)
{
    for (const Integer c : {0, 1, 3}) {
        auto mux = Make<TBTAnalogMux>("TBTAnalogMux");
        mux->SetChannels(c);
        auto demux = Make<TBTAnalogDemux>("TBTAnalogDemux");
        demux->SetChannels(c);
        for (TAnalogMuxBT* original : {static_cast<TAnalogMuxBT*>(mux.get()), static_cast<TAnalogMuxBT*>(demux.get())}) {
            TMemoryStream stream;
            {
                TWriter writer(stream);
                original->WriteData(stream, writer);
            }
            stream.SetPosition(0);
            auto read = Make(original->ClassName());
            {
                TReader reader(stream);
                read->ReadData(stream, reader, 46);
            }
            EXPECT_EQ(static_cast<TAnalogMuxBT*>(read.get())->ChannelIndex(), c);
            EXPECT_EQ(read->InputCount, original->InputCount);
            EXPECT_EQ(read->OutputCount, original->OutputCount);
        }
    }
    // A damaged record: a mux input count between the sizes, a demux output
    // count that does not match its select lines.
    auto mux = Make<TBTAnalogMux>("TBTAnalogMux");
    mux->SetInputCount(9);
    auto demux = Make<TBTAnalogDemux>("TBTAnalogDemux");
    demux->SetOutputCount(4);
    for (TAnalogMuxBT* damaged : {static_cast<TAnalogMuxBT*>(mux.get()), static_cast<TAnalogMuxBT*>(demux.get())}) {
        SCOPED_TRACE(damaged->ClassName());
        TMemoryStream stream;
        {
            TWriter writer(stream);
            damaged->WriteData(stream, writer);
        }
        stream.SetPosition(0);
        auto read = Make(damaged->ClassName());
        TReader reader(stream);
        EXPECT_THROW(read->ReadData(stream, reader, 46), EReadError);
    }
}

TEST_F(MuxStop, TheStopAsksForTheCloseOnAFallingEdge)
{
    Integer requests = 0;
    ShellHooks.RequestStop = [&] { ++requests; };
    auto stop = Make<TBTStop>("TBTStop");
    stop->ResetForStart();
    feed.Step(*stop, {0});   // low at the first step: no edge
    EXPECT_EQ(requests, 0);
    feed.Step(*stop, {5});
    feed.Step(*stop, {5});
    EXPECT_EQ(requests, 0);
    feed.Step(*stop, {0});
    EXPECT_EQ(requests, 1);
    feed.Step(*stop, {0});
    EXPECT_EQ(requests, 1);

    auto open = Make<TBTStop>("TBTStop");   // an open input reads high
    for (int i = 0; i < 3; ++i)
        open->Calculate();
    EXPECT_EQ(requests, 1);

    ShellHooks.RequestStop = {};   // no shell: nothing happens
    feed.Step(*stop, {5});
    feed.Step(*stop, {0});
}

TEST_F(MuxStop, TheRangeCheckFlags)
{
    auto check = Make<TBTRangeCheck>("TBTRangeCheck");
    struct TCase {
        Extended XH, X, XL;
        bool OL, OK, OH;
    };
    for (const TCase& c : {TCase{10, 10, 0, false, false, true}, TCase{10, 0, 0, false, true, false},
                           TCase{10, -0.1L, 0, true, false, false}, TCase{3, 4, 5, true, false, true}}) {
        feed.Step(*check, {c.XH, c.X, c.XL});
        EXPECT_EQ(check->Outputs[0].Value == 5, c.OL) << c.X;
        EXPECT_EQ(check->Outputs[1].Value == 5, c.OK) << c.X;
        EXPECT_EQ(check->Outputs[2].Value == 5, c.OH) << c.X;
    }
}

// The test point shows "TEST" in grey unless the run's states are shown;
// then its value in red.
TEST_F(MuxStop, TheTestPointShowsItsValueWhileStatesAreShown)
{
    auto point = Make<TBTTestpunkt>("TBTTestpunkt");
    point->X = 100;
    point->Y = 100;
    point->LayoutPins();
    feed.Step(*point, {8.25L});
    EXPECT_EQ(point->Value, 8.25L);
    point->ResetForStart();
    EXPECT_EQ(point->ShownValue, 7.25L);

    auto reds = [&] {
        QImage image(600, 500, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            TCanvas canvas(&image);
            point->Draw(canvas);
        }
        int red = 0, grey = 0;
        for (int y = point->BodyRect.Top + 24; y < point->BodyRect.Bottom - 24; ++y)
            for (int x = point->BodyRect.Left + 4; x < point->BodyRect.Right - 4; ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 120;
                grey += c.red() > 60 && c.red() < 200 && c.red() == c.green() && c.green() == c.blue();
            }
        return std::pair{red, grey};
    };
    const auto [redStopped, greyStopped] = reds();
    EXPECT_EQ(redStopped, 0);
    EXPECT_GT(greyStopped, 0);

    point->ShowComponentStates = true;
    SimulationRunning = true;
    const auto [redLive, greyLive] = reds();
    EXPECT_GT(redLive, 0);
    EXPECT_EQ(greyLive, 0);

    QImage image(600, 500, QImage::Format_RGB32);
    TCanvas canvas(&image);
    point->DrawLiveState(canvas);
    EXPECT_EQ(point->ShownValue, 8.25L);

    const TRect bounds = point->GetBounds();
    EXPECT_EQ(bounds.Top, point->BodyRect.Top - 8 + 20);
    EXPECT_EQ(bounds.Bottom, point->BodyRect.Bottom + 8 - 20);
}

} // namespace
