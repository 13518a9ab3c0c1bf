// A counter circuit the user's way: an inverter wired to itself as the clock,
// a 4-bit counter and a seven-segment decoder picked from their library
// categories and placed on the board with the mouse, wired, saved, the window
// closed, the file opened in a new window: it runs step by step with the
// outputs it had before, and saving it again gives the same bytes.
#include "shell/ShellFixture.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_Zaehler.h"
#include "engine/Bibo.h"
#include "engine/PlatineView.h"
#include "platform/Dialogs.h"
#include "project/ProjectFile.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

namespace {

class CounterEndToEndTest : public TShellFixture {
protected:
    // Shows the category at its place in the logic submenu, then picks and
    // places the class from it.
    static void PickAndPlace(TForm1& form, Integer category, const char* className, QPoint at)
    {
        form.CategoryMenus[1]->actions()[category]->trigger();
        TShellFixture::PickAndPlace(form, className, at);
    }
    static void Path(TPlatine& board, std::initializer_list<TPoint> points)
    {
        const TPoint* previous = nullptr;
        for (const TPoint& point : points) {
            if (previous)
                board.AddWireAndNormalise(*previous, point);
            previous = &point;
        }
    }
    // The counter's and the decoder's outputs after each of 40 steps.
    static std::vector<std::string> Run(TPlatine& board)
    {
        board.PrepareSimulation();
        auto* counter = FindComponent(board, "TBTCNT4");
        auto* decoder = Find<TBTSeg7Decoder>(board);
        std::vector<std::string> rows;
        for (int i = 0; i < 40; ++i) {
            board.Step();
            std::string row;
            for (const TIOBauteil* part : {static_cast<TIOBauteil*>(counter), static_cast<TIOBauteil*>(decoder)}) {
                for (const TBauteilPin& pin : part->Outputs)
                    row += pin.Value >= LogicThreshold ? '1' : '0';
                row += ' ';
            }
            rows.push_back(row);
        }
        board.StopSimulation();
        return rows;
    }
};

// The places of the categories in the logic submenu.
constexpr Integer Decoders = 2;
constexpr Integer Gates = 4;
constexpr Integer Counters = 10;

TEST_F(CounterEndToEndTest, ACounterDrivingASevenSegmentDecoderRunsAlikeAfterSavingAndOpening)
{
    ASSERT_TRUE(QDir(folder_.path()).mkpath("EXP_BIBO"));
    TForm1::RegisterComponentClasses();
    WriteLibraryFile(Program() + "EXP_BIBO/gatter.bib", {"TBTInverter", "TBTAnd"});
    WriteLibraryFile(Program() + "EXP_BIBO/zaehler.bib", {"TBTCNT4", "TBTCNT8", "TBTCNT4D"});
    WriteLibraryFile(Program() + "EXP_BIBO/dekoder.bib", {"TBTBCDDekoder", "TBTSeg7Decoder"});
    const AnsiString project = Program() + "Zaehler.prj";
    std::vector<std::string> before;
    {
        TForm1& form = Create();
        form.resize(1000, 700);
        form.show();
        PickAndPlace(form, Gates, "TBTInverter", QPoint(60, 100));
        PickAndPlace(form, Counters, "TBTCNT4", QPoint(240, 100));
        PickAndPlace(form, Decoders, "TBTSeg7Decoder", QPoint(480, 260));
        TPlatine& board = *form.MainBoard;
        auto* clock = FindComponent(board, "TBTInverter");
        auto* counter = FindComponent(board, "TBTCNT4");
        auto* decoder = Find<TBTSeg7Decoder>(board);
        ASSERT_TRUE(clock && counter && decoder);
        ASSERT_LT(counter->Outputs[0].Y, decoder->Inputs[0].Y);
        ASSERT_LT(counter->Outputs[0].X + 100, decoder->Inputs[0].X);

        // The inverter's output back to its input, around its body below:
        // it toggles in every step and clocks the counter.
        const TBauteilPin& out = clock->Outputs[0];
        const TBauteilPin& in = clock->Inputs[0];
        const Integer below = std::max(clock->GetBounds().Bottom, out.Y) / 20 * 20 + 40;
        Path(board, {{out.X, out.Y}, {out.X + 20, out.Y}, {out.X + 20, below}, {in.X - 20, below}, {in.X - 20, in.Y},
                     {in.X, in.Y}});
        const TBauteilPin& ck = counter->Inputs[TZaehler::ClockInput];
        const Integer beforeCounter = (ck.X - 40) / 20 * 20;
        Path(board, {{out.X + 20, out.Y}, {beforeCounter, out.Y}, {beforeCounter, ck.Y}, {ck.X, ck.Y}});
        // "Qi" to the decoder's input i; the lower outputs turn down first,
        // so that no wire crosses another one's end.
        for (Integer i = 0; i < 4; ++i) {
            const TBauteilPin& q = counter->Outputs[4 - i];
            const TBauteilPin& s = decoder->Inputs[i];
            const Integer turn = q.X + 20 * (5 - i);
            Path(board, {{q.X, q.Y}, {turn, q.Y}, {turn, s.Y}, {s.X, s.Y}});
        }

        TModalHook save({TModalAnswer::File(project)});
        ASSERT_TRUE(form.Speichern1Click());
        before = Run(board);
        // It counts (outputs "/RCO", "Q3".."Q0" and "g".."a"): the count 8
        // shows every segment, 1 only b and c.
        EXPECT_NE(std::find(before.begin(), before.end(), "01000 1111111 "), before.end());
        EXPECT_NE(std::find(before.begin(), before.end(), "00001 0000110 "), before.end());

        TModalHook close({TModalAnswer::Button(IDNO)});
        EXPECT_TRUE(form.close());
    }

    TForm1& form = Create();
    form.show();
    TModalHook open({TModalAnswer::File(project)});
    form.ffnen2Click();
    ASSERT_EQ(form.ProjectFileName, project);
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTCNT4"), 1);
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTSeg7Decoder"), 1);
    form.SaveProject(Program() + "Kopie.prj");
    EXPECT_EQ(ReadFile("Kopie.prj"), ReadFile("Zaehler.prj"));
    EXPECT_EQ(Run(*form.MainBoard), before);
}

} // namespace
