// The retained states of the flip-flops and monoflops in the project's
// run-state file, through the main window's save at the stop and load at
// the start.
#include "shell/ShellFixture.h"

#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_MonoFlop.h"
#include "engine/Globals.h"
#include "engine/Platine.h"
#include "platform/IniFile.h"
#include "project/RunStateFile.h"

namespace {

using DigitalStatesTest = TShellFixture;

TEST_F(DigitalStatesTest, FlipFlopsAndMonoflopsKeepTheirStatesInTheProjectsStateFile)
{
    TForm1::RegisterComponentClasses();
    TForm1& form = Create();
    TPlatine& board = *form.MainBoard;
    auto* jk = static_cast<TBTJKFF*>(CreateComponent("TBTJKFF"));
    auto* mono = static_cast<TBTMonoFlop*>(CreateComponent("TBTMonoFlop"));
    board.InsertObject(jk);
    board.InsertObject(mono);
    const AnsiString project = Program() + "Zaehler.prj";

    board.PrepareSimulation();
    jk->Q = false;
    jk->Master = true;   // the J latch
    mono->Triggered = true;
    SaveRunState(*form.MainBoard, project);
    board.StopSimulation();

    TIniFile file(Program() + "ZAEHLER_Default.set");
    EXPECT_EQ(file.ReadSections(), (std::vector<AnsiString>{"MAIN.JK1", "MAIN.MF1"}));
    EXPECT_EQ(file.ReadString("MAIN.JK1", "Q", "?"), "0");
    EXPECT_EQ(file.ReadString("MAIN.JK1", "J1internal", "?"), "1");
    EXPECT_EQ(file.ReadString("MAIN.JK1", "K1internal", "?"), "0");
    EXPECT_EQ(file.ReadString("MAIN.MF1", "Triggered", "?"), "1");

    board.PrepareSimulation();
    EXPECT_TRUE(jk->Q);
    EXPECT_FALSE(mono->Triggered);
    LoadRunState(*form.MainBoard, project);
    EXPECT_FALSE(jk->Q);
    EXPECT_TRUE(jk->Master);
    EXPECT_EQ(jk->Outputs[1].Value, LowLevel);
    EXPECT_TRUE(mono->Triggered);
    EXPECT_EQ(mono->Outputs[1].Value, HighLevel);
    board.StopSimulation();
}

} // namespace
