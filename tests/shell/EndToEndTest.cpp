// A user's way through the program: the main window starts on its program
// folder with the gate library, three gates are picked from the palette and
// placed on the board with the mouse, wired, saved, the window is closed, the
// file is opened in a new window, the circuit runs a few steps with the
// outputs it had before, and saving it again gives the same bytes.
#include "shell/ShellFixture.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Gatter.h"
#include "engine/Bibo.h"
#include "engine/PlatineView.h"
#include "platform/Dialogs.h"
#include "project/ProjectFile.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

namespace {

class EndToEndTest : public TShellFixture {
protected:
    // The outputs of the AND gate, the inverter and the EXOR gate after three steps.
    static std::vector<Extended> Run(TPlatine& board)
    {
        board.PrepareSimulation();
        for (int i = 0; i < 3; ++i)
            board.Step();
        std::vector<Extended> outputs;
        for (const std::string_view cls : {"TBTAnd", "TBTInverter", "TBTExor"})
            for (TBauteil* object : board.Objects)
                if (object->ClassName() == cls)
                    outputs.push_back(static_cast<TIOBauteil*>(object)->Outputs[0].Value);
        board.StopSimulation();
        return outputs;
    }
};

TEST_F(EndToEndTest, GatesPickedPlacedWiredSavedAndOpenedAgainRunAsBefore)
{
    ASSERT_TRUE(QDir(folder_.path()).mkpath("EXP_BIBO"));
    TForm1::RegisterComponentClasses();
    WriteLibraryFile(Program() + "EXP_BIBO/gatter.bib",
                     {"TBTInverter", "TBTAnd", "TBTNand", "TBTOr", "TBTNor", "TBTExor"});
    const AnsiString project = Program() + "Gatter.prj";
    std::vector<Extended> before;
    {
        TForm1& form = Create();
        form.resize(1000, 700);
        form.show();
        form.CategoryMenus[1]->actions()[4]->trigger();   // "Gatter"
        ASSERT_EQ(form.Bibo->Entries.size(), 6u);

        PickAndPlace(form, "TBTAnd", QPoint(120, 120));
        PickAndPlace(form, "TBTInverter", QPoint(300, 120));
        PickAndPlace(form, "TBTExor", QPoint(480, 120));
        TPlatine& board = *form.MainBoard;
        auto* gate = FindComponent(board, "TBTAnd");
        auto* inverter = FindComponent(board, "TBTInverter");
        auto* exor = FindComponent(board, "TBTExor");
        ASSERT_TRUE(gate && inverter && exor);
        EXPECT_LT(gate->X, inverter->X);
        EXPECT_LT(inverter->X, exor->X);
        // AND (open inputs read high) -> inverter -> EXOR input 1; EXOR input 2 stays open.
        Wire(board, gate->Outputs[0], inverter->Inputs[0]);
        Wire(board, inverter->Outputs[0], exor->Inputs[0]);

        TModalHook save({TModalAnswer::File(project)});
        ASSERT_TRUE(form.Speichern1Click());
        before = Run(board);
        EXPECT_EQ(before, (std::vector<Extended>{HighLevel, LowLevel, HighLevel}));

        TModalHook close({TModalAnswer::Button(IDNO)});
        EXPECT_TRUE(form.close());
    }

    TForm1& form = Create();
    form.show();
    TModalHook open({TModalAnswer::File(project)});
    form.ffnen2Click();
    ASSERT_EQ(form.ProjectFileName, project);
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTExor"), 1);
    form.SaveProject(Program() + "Kopie.prj");
    EXPECT_GT(ReadFile("Gatter.prj").size(), 100u);
    EXPECT_EQ(ReadFile("Kopie.prj"), ReadFile("Gatter.prj"));
    EXPECT_EQ(Run(*form.MainBoard), before);
}

} // namespace
