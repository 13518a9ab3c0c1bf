// The macro commands on the offscreen main window: saving the shown board as
// a macro file and its refusals, importing (the macro hangs at the cursor),
// damaged macro files, the macro tabs, the macro category of the palette
// with its folder and its delete question, and a whole way from three gates
// to a macro that runs as they did.
#include "shell/ShellFixture.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_Versorgung.h"
#include "engine/Bibo.h"
#include "engine/Makro.h"
#include "engine/PlatineView.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "panel/framework/Design.h"
#include "panel/framework/Frontplatte.h"

#include <QTabBar>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTabBar>
#include <QTest>

namespace {

// The panel's pages: tabs added or taken away at the end.
void SetPageCount(TFrontplatte& panel, int count)
{
    while (panel.TabControl1->count() < count)
        panel.TabControl1->addTab(QStringLiteral("Seite"));
    while (panel.TabControl1->count() > count)
        panel.TabControl1->removeTab(panel.TabControl1->count() - 1);
}


class MacrosTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        TForm1::RegisterComponentClasses();
        ASSERT_TRUE(QDir(folder_.path()).mkpath("Makros"));
    }

    template <class T>
    static T* Put(TPlatine& board, Integer x, Integer y)
    {
        T* component = CreateBauteil<T>();
        component->X = x;
        component->Y = y;
        component->LayoutPins();
        board.InsertObject(component);
        return component;
    }
    static TIOBauteil* Put(TPlatine& board, std::string_view className, Integer x, Integer y)
    {
        TIOBauteil* component = CreateComponent(className);
        component->X = x;
        component->Y = y;
        component->LayoutPins();
        board.InsertObject(component);
        return component;
    }
    static TPoint End(const TBauteilPin& pin) { return {pin.X, pin.Y}; }
    static TPoint Shifted(TPoint p, Integer dx, Integer dy) { return {p.X + dx, p.Y + dy}; }
    // A component whose input or output pin ends at the point.
    template <class T>
    static T* PutWithPinAt(TPlatine& board, bool input, Integer index, TPoint at, bool mirrored = false)
    {
        return PlaceWithPinAt(CreateBauteil<T>(), board, input, index, at, mirrored);
    }
    static TIOBauteil* PutWithPinAt(TPlatine& board, std::string_view className, bool input, Integer index,
                                    TPoint at, bool mirrored = false)
    {
        return PlaceWithPinAt(CreateComponent(className), board, input, index, at, mirrored);
    }
    template <class T>
    static T* PlaceWithPinAt(T* component, TPlatine& board, bool input, Integer index, TPoint at, bool mirrored)
    {
        component->SetMirrored(mirrored);
        component->LayoutPins();
        const TBauteilPin& pin = input ? component->Inputs[index] : component->Outputs[index];
        component->X += at.X - pin.X;
        component->Y += at.Y - pin.Y;
        component->LayoutPins();
        board.InsertObject(component);
        return component;
    }
    static std::size_t RootElements(TForm1& form)
    {
        return dynamic_cast<TFrontplatte&>(*form.Frontplatte).Root->Elements.size();
    }
    static QAction* Action(TForm1& form, const char* name) { return form.findChild<QAction*>(name); }

    // A macro file of `pins` macro pins and an AND gate, written from the
    // main board, which is emptied again.
    void WriteMacro(TForm1& form, const AnsiString& fileName, int pins)
    {
        for (int k = 0; k < pins; ++k)
            Put<TBTPin>(*form.MainBoard, 100, 100 + 100 * k)->Label = "P" + std::to_string(k + 1);
        Put(*form.MainBoard, "TBTAnd", 400, 100);
        form.SaveProject(fileName);
        form.ResetProject();
    }
    AnsiString MacroPath(const char* name) const { return Program() + "Makros/" + name; }
};

TEST_F(MacrosTest, SavingAsMacroIsRefusedWithoutPinsAndWithSeveralPanels)
{
    TForm1& form = Create();
    form.MacroFolder = Program() + "Makros/";
    {
        TModalHook answers({TModalAnswer::Button(IDOK)});
        Action(form, "MakroSpeichern1")->trigger();
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].Kind, TModalKind::MessageBox);
        EXPECT_EQ(answers.Requests()[0].Caption, "Als Makro speichern ( Hauptschaltung )");
        EXPECT_EQ(answers.Requests()[0].Text.rfind("Diese Schaltung hat keine Pins f\xFCr Makros definiert.\r", 0), 0u);
    }
    Put<TBTPin>(*form.MainBoard, 100, 100);
    auto& panel = dynamic_cast<TFrontplatte&>(*form.Frontplatte);
    SetPageCount(panel, 2);
    {
        TModalHook answers({TModalAnswer::Button(IDOK)});
        Action(form, "MakroSpeichern1")->trigger();
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].Text.rfind("Diese Schaltung verwendet mehr als eine Frontplatte.\r", 0), 0u);
    }
    EXPECT_TRUE(QDir(Path("Makros")).entryList(QDir::Files).isEmpty());
    // A macro's own panel shown passes whatever pages the root panel has.
    WriteMacro(form, Program() + "Innen.mak", 2);
    Put<TBTPin>(*form.MainBoard, 100, 100);
    form.ImportMacroFile(Program() + "Innen.mak", false, form.MainBoard);
    form.ShowMacroBoard(Find<TMakro>(*form.MainBoard));
    SetPageCount(panel, 2);
    {
        TModalHook answers({TModalAnswer::Cancel()});
        Action(form, "MakroSpeichern1")->trigger();
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].Kind, TModalKind::FileDialog);
    }
    form.SelectBoardTab(0);
    SetPageCount(panel, 1);
    form.MacroFolder = Program() + "Makros/";
    {
        TModalHook answers({TModalAnswer::File(MacroPath("Eins.mak"))});
        Action(form, "MakroSpeichern1")->trigger();
        ASSERT_EQ(answers.Requests().size(), 1u);
        const TFileDialog& asked = answers.Requests()[0].File;
        EXPECT_EQ(answers.Requests()[0].Kind, TModalKind::FileDialog);
        EXPECT_EQ(asked.Kind, TFileDialogKind::Save);
        EXPECT_EQ(asked.Title, "Makro speichern");
        EXPECT_EQ(asked.Filter, "Makro|*.mak");
        EXPECT_EQ(asked.DefaultExt, "mak");
        EXPECT_EQ(asked.InitialDir, Program() + "Makros/");
    }
    EXPECT_TRUE(QFile::exists(Path("Makros/Eins.mak")));
    // The project keeps its name: a later save must not write into the macro file.
    EXPECT_EQ(form.ProjectFileName, "");
    // The macro category was rebuilt with the new file.
    EXPECT_EQ(form.BiboTag, -1);
    ASSERT_EQ(form.Bibo->Entries.size(), 1u);
}

TEST_F(MacrosTest, AnImportedMacroIsNamedAfterItsFileAndHangsAtTheCursor)
{
    TForm1& form = Create();
    WriteMacro(form, MacroPath("Zaehlerbaustein.mak"), 3);
    form.MacroFolder = Program() + "Makros/";
    {
        TModalHook answers({TModalAnswer::File(MacroPath("Zaehlerbaustein.mak"))});
        Action(form, "Makroimportieren1")->trigger();
        ASSERT_EQ(answers.Requests().size(), 1u);
        const TFileDialog& asked = answers.Requests()[0].File;
        EXPECT_EQ(asked.Filter, "Projektdatei|*.prj|Makro|*.mak");
        EXPECT_EQ(asked.FilterIndex, 2);
        EXPECT_EQ(asked.FileName, "*.mak");
    }
    EXPECT_EQ(form.MainBoard->Mode, TBoardMode::Placing);
    auto* macro = Find<TMakro>(*form.MainBoard);
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(macro->Name, "Zaehlerbau");
    EXPECT_EQ(macro->PinCount, 4);   // three pins, rounded up to an even count
    EXPECT_EQ(macro->Inputs[0].Name, "P1");
    EXPECT_EQ(macro->Inputs[1].Name, "P2");
    EXPECT_EQ(macro->Outputs[0].Name, "P3");
    ASSERT_NE(macro->InnerBoard(), nullptr);
    EXPECT_EQ(CountOf(*macro->InnerBoard(), "TBTAnd"), 1);
    EXPECT_EQ(LoadedFileVersion, FileVersion);
}

TEST_F(MacrosTest, ADamagedMacroFileIsRefusedAndTheProjectStaysAsItWas)
{
    TForm1& form = Create();
    WriteMacro(form, MacroPath("Gut.mak"), 2);
    const std::string good = ReadFile("Makros/Gut.mak");
    Put(*form.MainBoard, "TBTOr", 600, 600);
    const auto objects = form.MainBoard->Objects;
    const auto elements = RootElements(form);
    LoadedFileVersion = 40;
    for (std::size_t cut : {std::size_t{5}, good.size() / 4, good.size() / 3, good.size() / 2}) {
        SCOPED_TRACE(cut);
        WriteFile("Makros/Kaputt.mak", QByteArray::fromStdString(good.substr(0, cut)));
        TModalHook answers({TModalAnswer::File(MacroPath("Kaputt.mak")), TModalAnswer::Button(IDOK)});
        Action(form, "Makroimportieren1")->trigger();
        ASSERT_EQ(answers.Requests().size(), 2u);
        EXPECT_EQ(answers.Requests()[1].Kind, TModalKind::MessageBox);
        EXPECT_EQ(form.MainBoard->Objects, objects);
        EXPECT_EQ(RootElements(form), elements);
        EXPECT_EQ(form.CurrentDesign, form.Frontplatte->RootDesign());
        EXPECT_EQ(LoadedFileVersion, 40);
        EXPECT_NE(form.MainBoard->Mode, TBoardMode::Placing);
    }
}

TEST_F(MacrosTest, MacroTabsOpenCloseToTheirNeighboursAndFollowTheName)
{
    TForm1& form = Create();
    WriteMacro(form, MacroPath("Links.mak"), 2);
    WriteMacro(form, MacroPath("Rechts.mak"), 2);
    form.ImportMacroFile(MacroPath("Links.mak"), false, form.MainBoard);
    form.ImportMacroFile(MacroPath("Rechts.mak"), false, form.MainBoard);
    auto* left = Find<TMakro>(*form.MainBoard, 0);
    auto* right = Find<TMakro>(*form.MainBoard, 1);
    ASSERT_TRUE(left && right);

    // "Makro bearbeiten" opens the selected macro.
    form.MainBoard->SelectAll(false);
    form.MainBoard->SelectObject(left, true);
    emit form.findChild<QMenu*>("Fenster1")->aboutToShow();
    EXPECT_FALSE(Action(form, "Makrofensterschliessen1")->isEnabled());
    ASSERT_TRUE(Action(form, "Bearbeiten2")->isEnabled());
    ProjectModified = false;
    Action(form, "Bearbeiten2")->trigger();
    EXPECT_TRUE(ProjectModified);
    EXPECT_EQ(form.CurrentBoard, left->InnerBoard());
    EXPECT_EQ(form.CurrentDesign, left->SubDesign);
    EXPECT_EQ(form.TabSet->count(), 2);
    EXPECT_EQ(form.TabSet->tabText(1), QStringLiteral(" Links "));
    emit form.findChild<QMenu*>("Fenster1")->aboutToShow();
    EXPECT_TRUE(Action(form, "Makrofensterschliessen1")->isEnabled());
    EXPECT_FALSE(Action(form, "Speichern1")->isEnabled());

    form.ShowMacroBoard(right);
    form.ShowMacroBoard(left);   // already open: its tab is selected
    EXPECT_EQ(form.TabSet->count(), 3);
    EXPECT_EQ(form.TabSet->currentIndex(), 1);

    // A renamed macro retitles its tab and its panel.
    right->Name = "Neu";
    right->OnEdited(right);
    EXPECT_EQ(form.TabSet->tabText(2), QStringLiteral(" Neu "));

    // Closing a middle tab shows the one after it, the last the one before.
    Action(form, "Makrofensterschliessen1")->trigger();
    EXPECT_EQ(form.CurrentBoard, right->InnerBoard());
    EXPECT_EQ(form.OpenBoards, (std::vector<TPlatine*>{form.MainBoard, right->InnerBoard()}));
    EXPECT_EQ(form.TabSet->count(), 2);
    EXPECT_EQ(form.TabSet->currentIndex(), 1);
    Action(form, "Makrofensterschliessen1")->trigger();
    EXPECT_EQ(form.CurrentBoard, form.MainBoard);
    EXPECT_EQ(form.CurrentDesign, form.Frontplatte->RootDesign());
    EXPECT_EQ(form.TabSet->count(), 1);
    ASSERT_NE(right->InnerBoard(), nullptr);   // the circuit stays with its macro

    // Editing inside a macro board works as on the main board; a macro
    // deleted while its tab is open takes the tab along.
    form.ShowMacroBoard(right);
    TPlatine* inner = right->InnerBoard();
    Put(*inner, "TBTOr", 600, 300);
    EXPECT_EQ(CountOf(*inner, "TBTOr"), 1);
    form.SelectBoardTab(0);
    form.MainBoard->SelectAll(false);
    form.MainBoard->SelectObject(right, true);
    form.MainBoard->DeleteSelected();
    EXPECT_EQ(form.TabSet->count(), 1);
    EXPECT_EQ(form.OpenBoards, std::vector<TPlatine*>{form.MainBoard});

    // A new project closes every macro tab.
    form.ShowMacroBoard(left);
    EXPECT_EQ(form.TabSet->count(), 2);
    form.ResetProject();
    EXPECT_EQ(form.TabSet->count(), 1);
    EXPECT_EQ(form.CurrentBoard, form.MainBoard);

    // The window goes with a macro tab open.
    form.ImportMacroFile(MacroPath("Links.mak"), false, form.MainBoard);
    form.ShowMacroBoard(Find<TMakro>(*form.MainBoard));
    EXPECT_EQ(form.TabSet->count(), 2);
    form_.reset();
}

TEST_F(MacrosTest, ThePaletteListsTheMacroFolderAndFallsBackWhenItIsMissing)
{
    TForm1& form = Create();
    WriteMacro(form, MacroPath("Zweiter.mak"), 2);
    WriteMacro(form, MacroPath("Erster_mit_langem_Namen.mak"), 4);
    WriteFile("Makros/Kaputt.mak", QByteArray("\x02\x00\x00\x2E\x00\x02\x01\x06\x06TMakro", 16));
    form.MacroFolder = Program() + "Makros";
    TModalHook answers({TModalAnswer::Button(IDOK)});
    form.MakroClick();
    // The damaged file is named in one message; the others are listed.
    ASSERT_EQ(answers.Requests().size(), 1u);
    EXPECT_NE(answers.Requests()[0].Text.find("Kaputt.mak"), std::string::npos);
    EXPECT_EQ(form.MacroFolder, Program() + "Makros/");
    EXPECT_EQ(form.BiboTag, -1);
    EXPECT_TRUE(form.MakroPathEdit->isVisibleTo(&form));
    EXPECT_EQ(form.MakroPathEdit->text().toStdString(), Program() + "Makros/");
    EXPECT_FALSE(form.ProgressBar1->isVisibleTo(&form));
    ASSERT_EQ(form.Bibo->Entries.size(), 2u);
    auto* first = dynamic_cast<TMakro*>(form.Bibo->Entries[0]);
    auto* second = dynamic_cast<TMakro*>(form.Bibo->Entries[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Name, "Erster_mit");
    EXPECT_EQ(first->FileName, MacroPath("Erster_mit_langem_Namen.mak"));
    EXPECT_EQ(first->PinCount, 4);
    EXPECT_EQ(first->Outputs[1].Name, "P4");
    EXPECT_EQ(second->Name, "Zweiter");
    EXPECT_EQ(second->PinCount, 2);
    EXPECT_FALSE(QFile::exists(QDir(QDir::tempPath()).filePath("Temp.bib")));
    // The scratch board is gone and nothing of it reached the project.
    EXPECT_EQ(form.CurrentBoard, form.MainBoard);
    EXPECT_EQ(form.CurrentDesign, form.Frontplatte->RootDesign());
    EXPECT_TRUE(form.MainBoard->Objects.empty());
    EXPECT_EQ(RootElements(form), 0);

    // A pick from the palette imports the macro's file at the cursor.
    form.Bibo->PickedMacro = first;
    form.Bibo->OnPickMacro(form.Bibo);
    EXPECT_EQ(form.MainBoard->Mode, TBoardMode::Placing);
    ASSERT_NE(Find<TMakro>(*form.MainBoard), nullptr);
    EXPECT_EQ(Find<TMakro>(*form.MainBoard)->PinCount, 4);

    // An empty folder gives an empty category; a missing one falls back to
    // the program folder's macro folder, then to the program folder.
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Leer"));
    form.MacroFolder = Program() + "Leer/";
    form.MakroClick();
    EXPECT_TRUE(form.Bibo->Entries.empty());
    form.MacroFolder = Program() + "Fehlt/";
    form.MakroClick();
    EXPECT_EQ(form.MacroFolder, Program() + "Makros/");
    ASSERT_TRUE(QDir(Path("Makros")).removeRecursively());
    form.MacroFolder = Program() + "Fehlt/";
    form.MakroClick();
    EXPECT_EQ(form.MacroFolder, Program());

    // The folder box rebuilds the category for an existing folder only.
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Andere"));
    form.MakroPathEdit->setText(QString::fromStdString(Program() + "Nirgends/"));
    emit form.MakroPathEdit->textEdited(form.MakroPathEdit->text());
    EXPECT_EQ(form.MacroFolder, Program());
    form.MakroPathEdit->setText(QString::fromStdString(Program() + "Andere"));
    emit form.MakroPathEdit->textEdited(form.MakroPathEdit->text());
    EXPECT_EQ(form.MacroFolder, Program() + "Andere/");
}

TEST_F(MacrosTest, DeletingAMacroFileAsksFirst)
{
    TForm1& form = Create();
    WriteMacro(form, MacroPath("Weg.mak"), 2);
    form.MacroFolder = Program() + "Makros/";
    form.MakroClick();
    ASSERT_EQ(form.Bibo->Entries.size(), 1u);
    QAction* del = Action(form, "Del1");
    ASSERT_NE(del, nullptr);
    emit form.PopupBibo->aboutToShow();
    EXPECT_FALSE(del->isVisible());
    for (Integer answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        form.Bibo->PickedMacro = dynamic_cast<TMakro*>(form.Bibo->Entries.at(0));
        emit form.PopupBibo->aboutToShow();
        EXPECT_TRUE(del->isVisible());
        EXPECT_EQ(del->text(), QStringLiteral("Makro l\u00F6schen: Weg"));
        TModalHook answers({TModalAnswer::Button(answer)});
        del->trigger();
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(answers.Requests()[0].Text, "M\xF6" "chten Sie das Makro \"Weg\" wirklich l\xF6schen?");
        EXPECT_EQ(answers.Requests()[0].Caption, "Makro l\xF6schen");
        EXPECT_EQ(QFile::exists(Path("Makros/Weg.mak")), answer != IDOK);
    }
    EXPECT_TRUE(form.Bibo->Entries.empty());
}

// Three gates saved as a macro from the main window, imported into a new
// project, wired and run give the outputs the gates gave.
TEST_F(MacrosTest, ThreeGatesSavedAsMacroImportedWiredAndRunAsBefore)
{
    TForm1& form = Create();
    form.resize(1000, 700);
    form.show();
    TPlatine& board = *form.MainBoard;
    // AND gate, the inverter after it, the EXOR gate after the inverter with
    // its second input open; every wire straight.
    auto* gate = Put(board, "TBTAnd", 600, 200);
    auto* inverter = PutWithPinAt(board, "TBTInverter", true, 0, Shifted(End(gate->Outputs[0]), 200, 0));
    auto* exor = PutWithPinAt(board, "TBTExor", true, 0, Shifted(End(inverter->Outputs[0]), 200, 0));
    Wire(board, gate->Outputs[0], inverter->Inputs[0]);
    Wire(board, inverter->Outputs[0], exor->Inputs[0]);

    // What the gates give with the first input high and the second low.
    auto* vcc = PutWithPinAt(board, "TBTVcc", false, 0, Shifted(End(gate->Inputs[0]), -400, 0));
    auto* ground = PutWithPinAt(board, "TBTMasse", false, 0, Shifted(End(gate->Inputs[1]), -200, 0));
    Wire(board, vcc->Outputs[0], gate->Inputs[0]);
    Wire(board, ground->Outputs[0], gate->Inputs[1]);
    auto outputs = [](TPlatine& b, TPlatine& inner) {
        b.PrepareSimulation();
        for (int i = 0; i < 3; ++i)
            b.Step();
        std::vector<Extended> values;
        for (TIOBauteil* g : {static_cast<TIOBauteil*>(FindComponent(inner, "TBTAnd")),
                              static_cast<TIOBauteil*>(FindComponent(inner, "TBTInverter")),
                              static_cast<TIOBauteil*>(FindComponent(inner, "TBTExor"))})
            values.push_back(g->Outputs[0].Value);
        b.StopSimulation();
        return values;
    };
    const std::vector<Extended> before = outputs(board, board);
    EXPECT_EQ(before, (std::vector<Extended>{LowLevel, HighLevel, LowLevel}));

    // The two sources make way for two macro input pins at their wires'
    // ends; the inverter and the EXOR gate drive two macro output pins.
    const TPoint vccEnd = End(vcc->Outputs[0]);
    const TPoint groundEnd = End(ground->Outputs[0]);
    board.RemoveObject(vcc);
    board.RemoveObject(ground);
    PutWithPinAt<TBTPin>(board, true, 0, vccEnd, true);
    PutWithPinAt<TBTPin>(board, true, 0, groundEnd, true);
    auto* out1 = PutWithPinAt<TBTPin>(board, true, 0, Shifted(End(inverter->Outputs[0]), 0, 300));
    auto* out2 = PutWithPinAt<TBTPin>(board, true, 0, Shifted(End(exor->Outputs[0]), 200, 0));
    Wire(board, inverter->Outputs[0], out1->Inputs[0]);
    Wire(board, exor->Outputs[0], out2->Inputs[0]);
    // The three gates selected, as the user would before saving.
    board.SelectAll(false);
    for (TBauteil* g : std::initializer_list<TBauteil*>{gate, inverter, exor})
        board.SelectObject(g, true);
    {
        TModalHook save({TModalAnswer::File(MacroPath("Gatter3.mak"))});
        Action(form, "MakroSpeichern1")->trigger();
    }
    ASSERT_TRUE(QFile::exists(Path("Makros/Gatter3.mak")));

    {
        TModalHook discard({TModalAnswer::Button(IDNO)});
        Action(form, "DateiNeuBtn")->trigger();
    }
    TPlatine& fresh = *form.MainBoard;
    ASSERT_TRUE(fresh.Objects.empty());
    {
        TModalHook import({TModalAnswer::File(MacroPath("Gatter3.mak"))});
        Action(form, "Makroimportieren1")->trigger();
    }
    ASSERT_EQ(fresh.Mode, TBoardMode::Placing);
    QWidget* view = static_cast<TPlatineView*>(fresh.View)->viewport();
    const QPoint at(300, 200);
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    ASSERT_NE(fresh.Mode, TBoardMode::Placing);
    auto* macro = Find<TMakro>(fresh);
    ASSERT_NE(macro, nullptr);
    ASSERT_EQ(macro->PinCount, 4);
    EXPECT_EQ(macro->Name, "Gatter3");

    auto* vcc2 = PutWithPinAt(fresh, "TBTVcc", false, 0, Shifted(End(macro->Inputs[0]), -400, 0));
    auto* ground2 = PutWithPinAt(fresh, "TBTMasse", false, 0, Shifted(End(macro->Inputs[1]), -200, 0));
    auto* follower = PutWithPinAt(fresh, "TBTInverter", true, 0, Shifted(End(macro->Outputs[1]), 200, 0));
    Wire(fresh, vcc2->Outputs[0], macro->Inputs[0]);
    Wire(fresh, ground2->Outputs[0], macro->Inputs[1]);
    Wire(fresh, macro->Outputs[1], follower->Inputs[0]);
    const std::vector<Extended> after = outputs(fresh, *macro->InnerBoard());
    EXPECT_EQ(after, before);
    // The macro's EXOR output reaches the outer circuit.
    fresh.PrepareSimulation();
    fresh.Step();
    EXPECT_EQ(follower->Outputs[0].Value, HighLevel);
    fresh.StopSimulation();
}

} // namespace
