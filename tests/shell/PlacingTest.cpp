// Placing and removing components: elements paired and named on the ways
// onto a board (copies onto the page shown) and parted on the ways off it, element records in files,
// no elements from libraries, macro pins that follow their pin components,
// placing by class name, and the library pick.
#include "shell/FakePanel.h"
#include "engine/ShellHooks.h"
#include "shell/ShellFixture.h"
#include "fakes/FakeCard.h"
#include "hardware/framework/BT_Hardware.h"
#include "shell/HookInstall.h"
#include "support/TestBoard.h"
#include "support/TestComponents.h"

#include "components/digital/BT_Gatter.h"
#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Makro.h"
#include "platform/ClassRegistry.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/Stream.h"
#include "project/ProjectFile.h"

#include <QComboBox>

namespace {

class PlacingTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        RegisterTestClasses();
        RegisterFakeCards();
        InstallHardwareHooks();
    }
    void TearDown() override
    {
        ShellHooks.CreateHardwareHolding = nullptr;
        ShellHooks.CreateHardwareByLegacyName = nullptr;
        TShellFixture::TearDown();
    }

    static void Delete(TPlatine& board, TBauteil* object)
    {
        board.SelectAll(false);
        board.SelectObject(object, true);
        board.DeleteSelected();
    }
};

TEST_F(PlacingTest, PastedComponentsGetNamedElementsOnThePageShownAndLoseThemWhenDeleted)
{
    TForm1& form = Create();
    TFakeFrontplatte& panel = UseFakePanels(form);
    auto* first = Paste<TBTTestLamp>(*form.MainBoard);
    auto* gate = Paste(*form.MainBoard, "TBTAnd");   // no element class: no element
    auto* second = Paste<TBTTestLamp>(*form.MainBoard);
    ASSERT_TRUE(first && gate && second);

    TFakeDesign& root = panel.Root();
    ASSERT_EQ(root.ElementCount(), 2);
    for (auto [lamp, name] : {std::pair{first, "LMP1"}, std::pair{second, "LMP2"}}) {
        IFP_Element* element = lamp->PanelElement;
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->ElementName(), name);
        EXPECT_EQ(element->LinkedComponent(), lamp);
        EXPECT_EQ(element->Design(), &root);
    }
    EXPECT_EQ(gate->PanelElement, nullptr);
    EXPECT_EQ(panel.PageChecks, 2);

    // A copy carries its element's record and lands on the page shown.
    second->PanelElement->SetBounds(5, 6, 10, 10);
    panel.ActivePage = 2;
    Delete(*form.MainBoard, gate);
    form.MainBoard->SelectObject(second, true);
    form.MainBoard->CopySelection();
    form.MainBoard->PasteFromStream(*form.ClipboardStream, FileVersion);
    form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
    ASSERT_EQ(root.ElementCount(), 3);
    const IFP_Element* copy = root.Element(2);
    EXPECT_EQ(copy->ElementName(), "LMP3");
    EXPECT_EQ(copy->FrontplattenNR(), 2);
    EXPECT_EQ(copy->Left(), 5);
    EXPECT_EQ(second->PanelElement->FrontplattenNR(), 0);

    Delete(*form.MainBoard, first);
    EXPECT_EQ(root.ElementCount(), 2);
    EXPECT_EQ(root.Element(0), second->PanelElement);
    // A destroyed board takes its elements along.
    form.DeleteBoard(form.MainBoard);
    form.MainBoard = nullptr;
    EXPECT_EQ(root.ElementCount(), 0);
    form.MainBoard = form.CreateBoard();
    form.CurrentBoard = form.MainBoard;
    form.OpenBoards = {form.MainBoard};
}

TEST_F(PlacingTest, ElementRecordsTravelInProjectFilesAndLibrariesCarryNone)
{
    {
        TForm1& form = Create();
        UseFakePanels(form);
        Paste(*form.MainBoard, "TBTAnd");
        auto* lamp = Paste<TBTTestLamp>(*form.MainBoard);
        lamp->PanelElement->SetBounds(33, 44, 10, 10);
        Paste(*form.MainBoard, "TBTInverter");
        form.SaveProject(Program() + "Lampe.prj");
        form.MainBoard->WritingLibrary = true;
        form.SaveProject(Program() + "Lampe.bib");
        form.MainBoard->WritingLibrary = false;
    }
    TForm1& form = Create();
    TFakeFrontplatte& before = UseFakePanels(form);
    TModalHook hook({TModalAnswer::Button(IDNO)});
    ASSERT_TRUE(form.OpenProject(Program() + "Lampe.prj"));
    auto& panel = static_cast<TFakeFrontplatte&>(*form.Frontplatte);
    EXPECT_NE(&panel, &before);
    ASSERT_EQ(panel.Root().ElementCount(), 1);
    const IFP_Element* element = panel.Root().Element(0);
    EXPECT_EQ(element->Left(), 33);
    EXPECT_EQ(element->Top(), 44);
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTInverter"), 1);   // read after the lamp's record

    LibraryLoading = true;
    EXPECT_TRUE(form.OpenProject(Program() + "Lampe.bib"));
    LibraryLoading = false;
    EXPECT_EQ(CountOf<TBTTestLamp>(*form.MainBoard), 1);
    EXPECT_EQ(panel.Root().ElementCount(), 0);
}

TEST_F(PlacingTest, MacroPinsFollowThePinComponentsOnTheInnerBoard)
{
    TForm1& form = Create();
    UseFakePanels(form);
    auto* macro = CreateBauteil<TMakro>();
    TPlatine* inner = form.MainBoard->CreateInnerBoard(macro);
    form.Links.Attach(*inner);
    form.MainBoard->InsertObject(macro);

    std::vector<TBTPin*> pins;
    const char* labels[] = {"A", "B", "C"};
    for (const char* label : labels) {
        pins.push_back(Paste<TBTPin>(*inner, [&](TBTPin& pin) { pin.Label = label; }));
        const Integer k = static_cast<Integer>(pins.size());
        EXPECT_EQ(macro->PinCount, (k + 1) / 2 * 2) << k;
    }
    EXPECT_EQ(macro->InputCount, 2);
    EXPECT_EQ(macro->Inputs[0].Name.Str(), "A");
    EXPECT_EQ(macro->Inputs[1].Name.Str(), "B");
    EXPECT_EQ(macro->Outputs[0].Name.Str(), "C");

    form.CurrentBoard = inner;
    Delete(*inner, pins[0]);
    EXPECT_EQ(macro->PinCount, 2);
    form.CurrentBoard = form.MainBoard;
    // Freeing the inner board leaves the macro's pins as they are.
    macro->FreeInnerBoard();
    EXPECT_EQ(macro->PinCount, 2);
}

TEST_F(PlacingTest, ADeletedMacroTakesItsPanelAlong)
{
    TForm1& form = Create();
    TFakeFrontplatte& panel = UseFakePanels(form);
    auto* macro = CreateBauteil<TMakro>();
    TPlatine* inner = form.MainBoard->CreateInnerBoard(macro);
    form.Links.Attach(*inner);
    TFakeDesign* macroPanel = panel.Root().AddDesign();
    macro->SubDesign = macroPanel;
    macro->ParentDesign = &panel.Root();
    form.MainBoard->InsertObject(macro);

    // Its panel shows only while it holds elements of its own.
    form.CurrentDesign = macroPanel;
    form.CurrentBoard = inner;
    UpdateMacroPanelVisibility(inner);
    EXPECT_FALSE(macroPanel->Visible);
    Paste<TBTTestLamp>(*inner);
    EXPECT_EQ(macroPanel->ElementCount(), 1);
    EXPECT_TRUE(macroPanel->Visible);
    form.CurrentDesign = &panel.Root();
    form.CurrentBoard = form.MainBoard;

    Delete(*form.MainBoard, macro);
    EXPECT_EQ(panel.Root().ElementCount(), 0);
}

TEST_F(PlacingTest, PlacingByClassNameHangsTheObjectAtTheCursorAndKeepsTheClipboard)
{
    TForm1& form = Create();
    UseFakePanels(form);
    Paste(*form.MainBoard, "TBTInverter");
    form.MainBoard->SelectAll(true);
    form.MainBoard->CopySelection();
    const std::vector<Byte> clipboard = form.ClipboardStream->Bytes();

    const struct {
        const char* ClassName;
        const char* Placed;
        const char* Device;
    } cases[] = {
        {"TBTAnd", "TBTAnd", nullptr},
        {"tbtexor", "TBTExor", nullptr},
        {"TFakeCard", "TBTHardware", "TFakeCard"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ClassName);
        form.PlaceNewObject(c.ClassName);
        EXPECT_EQ(form.MainBoard->Mode, TBoardMode::Placing);
        const TBauteil* placed = nullptr;
        for (const TBauteil* object : form.MainBoard->Objects)
            if (object->IsSelected() && dynamic_cast<const TIOBauteil*>(object))
                placed = object;
        ASSERT_NE(placed, nullptr);
        EXPECT_STREQ(placed->ClassName(), c.Placed);
        if (c.Device) {
            const auto* device = dynamic_cast<const TPersistent*>(dynamic_cast<const IHardwareComponent*>(placed)->Driver());
            ASSERT_NE(device, nullptr);
            EXPECT_STREQ(device->ClassName(), c.Device);
        }
        form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
        EXPECT_EQ(form.ClipboardStream->Bytes(), clipboard);
    }

    const std::size_t objects = form.MainBoard->Objects.size();
    EXPECT_THROW(form.PlaceNewObject("TBTGibtEsNicht"), EClassNotFound);
    EXPECT_THROW(form.PlaceNewObject("TPersistent"), EClassNotFound);
    EXPECT_EQ(form.MainBoard->Objects.size(), objects);
    EXPECT_NE(form.MainBoard->Mode, TBoardMode::Placing);

    // The hidden aid places the class chosen in its sorted list.
    const QStringList names = [&] {
        QStringList list;
        for (int i = 0; i < form.CreateCombo->count(); ++i)
            list << form.CreateCombo->itemText(i);
        return list;
    }();
    EXPECT_TRUE(names.contains("TBTNor"));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));
    form.CreateCombo->setCurrentText("TBTNor");
    form.Button1Click();
    EXPECT_EQ(CountOf(*form.MainBoard, "TBTNor"), 1);
}

TEST_F(PlacingTest, ALibraryPickHangsAtTheCursorWithItsElementOnThePageShown)
{
    WriteLibraryFile(Program() + "lampen.bib", {"TBTTestLamp"});
    TForm1& form = Create();
    TFakeFrontplatte& panel = UseFakePanels(form);
    form.Bibo->LoadFromFile(Program() + "lampen.bib");
    ASSERT_EQ(form.Bibo->Entries.size(), 1u);
    form.Bibo->MouseDown(TMouseButton::mbLeft, 0, 80, 10);

    EXPECT_EQ(form.MainBoard->Mode, TBoardMode::Placing);
    EXPECT_TRUE(form.MainBoard->PlacedFromLibrary);
    EXPECT_EQ(CountOf<TBTTestLamp>(*form.MainBoard), 1);
    ASSERT_EQ(panel.Root().ElementCount(), 1);
    EXPECT_EQ(panel.Root().Element(0)->ElementName(), "LMP1");
    EXPECT_EQ(panel.Root().BroughtToFront, 1);
    form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
    EXPECT_FALSE(form.MainBoard->PlacedFromLibrary);
}

} // namespace
