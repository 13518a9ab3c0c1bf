// LEDs on the board and on the panel: which component classes own which
// element, the element made and named with its component on every way onto
// the board, selected with it and freed with it; and a user's way through:
// a supply and ground picked from the palette with two LEDs, wired, run,
// saved and opened again, the LEDs' elements lit and dark as before; an old
// project whose LED claims a size no element may have.
#include "shell/ShellFixture.h"
#include "support/StreamBytes.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Versorgung.h"
#include "engine/Bibo.h"
#include "engine/BTFront.h"
#include "engine/PlatineView.h"
#include "panel/elements/ElementClasses.h"
#include "panel/elements/FP_LED.h"
#include "panel/framework/Design.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/ClassRegistry.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "shell/ComponentClasses.h"
#include "panel/framework/Frontplatte.h"
#include "project/ProjectFile.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>


namespace {

class LedPanelTest : public TShellFixture {
protected:
    static TDesign& Root(TForm1& form) { return *static_cast<TFrontplatte&>(*form.Frontplatte).RootDesign(); }

};

TEST_F(LedPanelTest, EveryElementOwningClassNamesItsElementAndNoOtherClassDoes)
{
    RegisterBaseClasses();
    RegisterComponentClasses();
    RegisterElementClasses();
    Integer owners = 0;
    for (const TClassInfo* row : ComponentClassTable()) {
        const TClassInfo& info = *row;
        SCOPED_TRACE(info.Name);
        std::unique_ptr<TBauteil> object(CreateBauteil(info.Name));
        ASSERT_NE(object, nullptr);
        auto* component = dynamic_cast<TIOBauteil*>(object.get());
        if (!component) {   // a text label: no pins, no element
            EXPECT_STREQ(FrontElementClassOf(info.Name), "");
            continue;
        }
        const bool front = dynamic_cast<TBTFront*>(component) != nullptr;
        EXPECT_EQ(front, !component->PanelElementClass.empty());
        if (const TComponentRow* componentRow = FindRow(info)) {
            // The row alone pairs a component with its element.
            EXPECT_EQ(component->PanelElementClass, componentRow->ElementClass);
            EXPECT_EQ(component->PanelElementClass, FrontElementClassOf(info.Name));
            EXPECT_EQ(info.InheritsFrom(TBTFront::StaticClass()), *componentRow->ElementClass != 0);
            EXPECT_LE(std::string(componentRow->ElementClass).size(), 20u);
        }
        owners += front;
    }
    EXPECT_GE(owners, 12);   // at least the LEDs, the lamp, the switches, the text display and entry
    // A class the program does not have is refused by name and owns no element.
    EXPECT_THROW(CreateBauteil("TBTZeiger"), EClassNotFound);
    EXPECT_STREQ(FrontElementClassOf("TBTZeiger"), "");
}

TEST_F(LedPanelTest, ElementsAreMadeNamedSelectedAndFreedWithTheirComponents)
{
    TForm1& form = Create();
    TPlatine& board = *form.MainBoard;
    TDesign& root = Root(form);
    const std::size_t before = root.Elements.size();
    auto* led = Paste(board, "TBTLed");
    auto* duo = Paste(board, "TBTDuoLED");
    auto* rgb = Paste(board, "TBTRGB_LED");
    auto* led2 = Paste(board, "TBTLed");
    ASSERT_TRUE(led && duo && rgb && led2);
    ASSERT_EQ(root.Elements.size(), before + 4);
    struct TCase {
        TIOBauteil* Component;
        const char* Name;
        const TClassInfo* Class;
    };
    for (const TCase& c : {TCase{led, "LED1", &TPLED::StaticClass()}, {duo, "DLED1", &TDuoLED::StaticClass()},
                           {rgb, "RGB1", &TRGBLED::StaticClass()}, {led2, "LED2", &TPLED::StaticClass()}}) {
        SCOPED_TRACE(c.Name);
        auto* element = dynamic_cast<TPLED*>(c.Component->PanelElement);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(&element->ClassType(), c.Class);
        EXPECT_EQ(element->ElementName(), c.Name);
        EXPECT_EQ(element->LinkedComponent(), c.Component);
        EXPECT_EQ(element->Design(), &root);
        // (a pasted element is selected: its selection frame holds it)
        // Placed without element data: creation defaults, on the cascade.
        EXPECT_EQ(element->size(), QSize(16, 16));
        EXPECT_EQ(element->Colour1, 0x00FF00u);
    }
    EXPECT_NE(led->PanelElement->Left() + 1000 * led->PanelElement->Top(),
              led2->PanelElement->Left() + 1000 * led2->PanelElement->Top());

    board.SelectAll(false);
    board.SelectObject(duo, true);
    EXPECT_TRUE(root.IsSelected(duo->PanelElement));
    EXPECT_FALSE(root.IsSelected(led->PanelElement));
    board.SelectObject(duo, false);
    EXPECT_FALSE(root.IsSelected(duo->PanelElement));

    board.SelectAll(false);
    board.SelectObject(duo, true);
    board.DeleteSelected();
    EXPECT_EQ(root.Elements.size(), before + 3);
    for (TFP_Element* element : root.Elements)
        EXPECT_NE(element->ElementName(), "DLED1");
}

TEST_F(LedPanelTest, PickedWiredRunSavedAndOpenedTheLedsShowTheirStatesAgain)
{
    ASSERT_TRUE(QDir(folder_.path()).mkpath("EXP_BIBO"));
    TForm1::RegisterComponentClasses();
    WriteLibraryFile(Program() + "EXP_BIBO/anzeigen.bib", {"TBTLed", "TBTDuoLED", "TBTRGB_LED", "TBTLampe"});
    WriteLibraryFile(Program() + "EXP_BIBO/Masse.bib", {"TBTVcc", "TBTMasse"});
    const AnsiString project = Program() + "Leds.prj";

    // Lit and dark as the run leaves them; the elements' places.
    auto run = [](TPlatine& board) {
        board.PrepareSimulation();
        for (int i = 0; i < 3; ++i)
            board.Step();
        std::vector<bool> lit;
        for (Integer k = 0; k < 2; ++k)
            lit.push_back(dynamic_cast<TPLED*>(FindComponent(board, "TBTLed", k)->PanelElement)->GetEingeschaltet());
        return lit;
    };
    auto colourOf = [](TIOBauteil* led) {
        auto* element = dynamic_cast<TPLED*>(led->PanelElement);
        QImage image;
        element->PaintToBitmap(image);
        return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    QPoint places[2];
    {
        TForm1& form = Create();
        form.resize(1000, 700);
        form.show();
        OpenCategory(form, "Plus,Masse,Test");
        PickAndPlace(form, "TBTVcc", QPoint(100, 100));
        PickAndPlace(form, "TBTMasse", QPoint(100, 300));
        OpenCategory(form, "Anzeigen");
        PickAndPlace(form, "TBTLed", QPoint(400, 100));
        PickAndPlace(form, "TBTLed", QPoint(400, 300));
        TPlatine& board = *form.MainBoard;
        auto* vcc = FindComponent(board, "TBTVcc");
        auto* ground = FindComponent(board, "TBTMasse");
        TIOBauteil* on = FindComponent(board, "TBTLed", 0);
        TIOBauteil* off = FindComponent(board, "TBTLed", 1);
        ASSERT_TRUE(vcc && ground && on && off);
        ASSERT_NE(on->PanelElement, nullptr);
        EXPECT_EQ(on->PanelElement->ElementName(), "LED1");
        EXPECT_EQ(off->PanelElement->ElementName(), "LED2");
        Wire(board, vcc->Outputs[0], on->Inputs[0]);
        Wire(board, ground->Outputs[0], off->Inputs[0]);
        // The second LED is moved on the panel; the file keeps the place.
        off->PanelElement->SetBounds(200, 120, 24, 24);

        EXPECT_EQ(run(board), (std::vector<bool>{true, false}));
        const QColor lit = colourOf(on), dark = colourOf(off);
        EXPECT_GT(lit.green(), 200);
        EXPECT_LT(lit.red(), 60);
        EXPECT_EQ(dark.red(), dark.green());
        board.StopSimulation();
        EXPECT_FALSE(dynamic_cast<TPLED*>(on->PanelElement)->GetEingeschaltet());
        for (Integer k = 0; k < 2; ++k)
            places[k] = dynamic_cast<TPLED*>(FindComponent(board, "TBTLed", k)->PanelElement)->geometry().topLeft();

        TModalHook save({TModalAnswer::File(project)});
        ASSERT_TRUE(form.Speichern1Click());
        TModalHook close({TModalAnswer::Button(IDNO)});
        EXPECT_TRUE(form.close());
    }

    TForm1& form = Create();
    form.show();
    TModalHook open({TModalAnswer::File(project)});
    form.ffnen2Click();
    ASSERT_EQ(form.ProjectFileName, project);
    TPlatine& board = *form.MainBoard;
    ASSERT_EQ(CountOf(board, "TBTLed"), 2);
    TDesign& root = Root(form);
    for (Integer k = 0; k < 2; ++k) {
        auto* element = dynamic_cast<TPLED*>(FindComponent(board, "TBTLed", k)->PanelElement);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->Design(), &root);
        EXPECT_EQ(element->geometry().topLeft(), places[k]);
    }
    EXPECT_EQ(dynamic_cast<TPLED*>(FindComponent(board, "TBTLed", 1)->PanelElement)->size(), QSize(24, 24));
    EXPECT_EQ(run(board), (std::vector<bool>{true, false}));
    EXPECT_GT(colourOf(FindComponent(board, "TBTLed", 0)).green(), 200);
    board.StopSimulation();
    form.SaveProject(Program() + "Kopie.prj");
    EXPECT_EQ(ReadFile("Kopie.prj"), ReadFile("Leds.prj"));
}

TEST_F(LedPanelTest, AnOldProjectsLedOfAHugeSizeOpensWithTheLargestElementSize)
{
    // A file of format version 2 with one round LED whose size word says
    // 32767: as large a picture would take gigabytes to paint.
    TStreamBytes b;
    b.Raw({2, 0, 0, 2, 0}).Int(1).Str("TBTLed");
    b.Int(0).Int(200).Int(100).Int(1).Int(0).Bool(false);   // component: place, one input, no output
    b.Bool(true).Int(10).Int(20).Int(0).Bool(true);          // element: place, z-order, transparent
    b.Raw({0x00, 0xFF, 0x00, 0x00}).Raw({0x00, 0x00, 0x00, 0x00}).Raw({0}).Raw({0xFF, 0x7F});
    b.Int(0);                                                // no decorations
    b.Raw({10, 0, 20, 0, 0x2C, 1, 0xC8, 0, 3, 'A', 'l', 't'});
    b.Bytes.resize(b.Bytes.size() + 47, 0);
    QFile file(Path("Riesig.prj"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(b.Bytes.data()), qint64(b.Bytes.size()));
    file.close();

    TForm1& form = Create();
    TModalHook hook(std::vector<TModalAnswer>{});
    ASSERT_TRUE(form.OpenProject(Program() + "Riesig.prj"));
    EXPECT_TRUE(hook.Requests().empty());
    auto* led = FindComponent(*form.MainBoard, "TBTLed");
    ASSERT_NE(led, nullptr);
    auto* element = dynamic_cast<TPLED*>(led->PanelElement);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->geometry(), QRect(10, 20, MaxElementExtent, MaxElementExtent));
}

} // namespace
