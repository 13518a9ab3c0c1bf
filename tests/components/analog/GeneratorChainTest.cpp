// A signal generator into a mean value into a correction table on a board,
// run as the simulation runs it (steps, and the 50 ms tick every fifth step
// of 10 ms), checked against the ramp, its moving average and the curve
// computed here.
#include "AnalogClock.h"

#include "components/analog/BT_Generatoren.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Korrekturtabelle.h"
#include "components/analog/BT_Mittelwert.h"
#include "support/TestBoard.h"

#include <deque>
#include <numeric>

namespace {

class GeneratorChain : public AnalogClockTest {
protected:
    static TPoint PinOffset(const char* className, bool output, Integer i)
    {
        auto probe = Make(className);
        probe->LayoutPins();
        const TBauteilPin& pin = output ? probe->Outputs[static_cast<std::size_t>(i)]
                                        : probe->Inputs[static_cast<std::size_t>(i)];
        return {pin.X - probe->X, pin.Y - probe->Y};
    }
    // A block placed with its input 0 on the line of the pin, 400 units on.
    template <class T>
    T* PlaceAfter(const char* className, const TBauteilPin& pin)
    {
        const TPoint in = PinOffset(className, false, 0);
        return PlaceAs<T>(board, className, pin.X + 400 - in.X, pin.Y - in.Y);
    }
    void Feed(Extended value, TIOBauteil* to, Integer input)
    {
        const TBauteilPin& target = to->Inputs[static_cast<std::size_t>(input)];
        const TPoint end = PinOffset("TBTFest", true, 0);
        auto* fixed = PlaceAs<TBTFest>(board, "TBTFest", target.X - 40 - end.X, target.Y - end.Y);
        fixed->Value = value;
        board.Connect(fixed, 0, to, input);
    }
    TTestBoard board;
};

// The ramp output RUP of a 0.25 Hz generator with amplitude 2 is t - 2 over
// the first period; the mean of its last five samples, one every 100 ms,
// goes through the curve (-2, 0), (0, 10), (2, 30).
TEST_F(GeneratorChain, RampAveragedAndCorrected)
{
    auto* gen = PlaceAs<TBTFktGenerator>(board, "TBTFktGenerator", 1000, 1000);
    auto* mean = PlaceAfter<TBTMittelwert>("TBTMittelwert", gen->Outputs[1]);
    auto* table = PlaceAfter<TBTKorrekturtabelle>("TBTKorrekturtabelle", mean->Outputs[0]);
    Feed(0.25L, gen, 0);
    Feed(2.0L, gen, 1);
    board.Connect(gen, 1, mean, 0);
    board.Connect(mean, 0, table, 0);
    mean->SampleCount = 5;
    mean->SetInterval(ExtendedToReal48(0.1L));
    table->Values.Clear();
    for (const auto& [x, y] : {std::pair{-2.0L, 0.0L}, {0.0L, 10.0L}, {2.0L, 30.0L}})
        table->Values.Add(x, y);
    board.Board().PrepareSimulation();

    const auto curve = [](Extended m) { return m <= 0 ? 5.0L * (m + 2.0L) : 10.0L + 10.0L * m; };
    std::deque<Extended> samples;
    Integer checked = 0;
    for (Integer step = 1; step <= 350; ++step) {
        clock.Advance(10 * Ms);
        board.Board().Step();
        const Extended t = step * 0.01L;
        ASSERT_NEAR(gen->Outputs[1].Value, t - 2.0L, 1e-9) << t;
        if (!samples.empty()) {
            const Extended m = std::accumulate(samples.begin(), samples.end(), 0.0L) / samples.size();
            ASSERT_NEAR(mean->Outputs[0].Value, m, 1e-9) << t;
            ASSERT_NEAR(table->Outputs[0].Value, curve(m), 1e-9) << t;
            ++checked;
        }
        if (step % 5 == 0) {
            board.Board().Tick();
            // A sample every second tick, the first at the first tick.
            if (step % 10 == 5) {
                samples.push_back(t - 2.0L);
                if (samples.size() > 5)
                    samples.pop_front();
            }
        }
    }
    EXPECT_GT(checked, 300);
    // The last mean lies on the upper segment of the curve.
    EXPECT_GT(mean->Outputs[0].Value, 0.0L);
}

} // namespace
