// Placing and removing components: the main window's answers to the board's
// component events, the only place where a component and its front-panel
// element are paired and parted, and where a macro's outer pins follow the
// macro pin components on its inner board. Every way onto a board (file,
// library pick, paste, duplicate, search, the "Create" aid) runs through the
// board's reader and so through BoardNewComponent.
#include "shell/Placing.h"

#include "engine/Bibo.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "engine/ShellHooks.h"
#include "panel/framework/Design.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/FileHeader.h"
#include "platform/Stream.h"
#include "platform/TextLanguage.h"
#include "shell/EventHook.h"
#include "shell/MainForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// A macro's outer pins: as many as there are macro pin components on its
// inner board (the count given), each named after its component.
void FollowMacroPins(TPlatine& inner, Integer count)
{
    TMakro* macro = inner.OwnerMacro;
    macro->SetPinCount(count);
    for (Integer k = 1; k <= macro->PinCount; ++k)
        macro->SetPinName(k, inner.MacroPinName(k));
}

// Gives a pointer back its value when the scope ends, also by an exception.
class TRestoreOnExit {
public:
    explicit TRestoreOnExit(IDesign*& target) : target_(target), saved_(target) {}
    ~TRestoreOnExit() { target_ = saved_; }
    TRestoreOnExit(const TRestoreOnExit&) = delete;
    TRestoreOnExit& operator=(const TRestoreOnExit&) = delete;

private:
    IDesign*& target_;
    IDesign* saved_;
};

} // namespace

TBauteil* CreateLibraryObject(const AnsiString& className)
{
    std::unique_ptr<TPersistent> object(CreateObjectByName(className));
    if (auto* component = dynamic_cast<TBauteil*>(object.get())) {
        object.release();
        component->AfterConstruction();
        return component;
    }
    auto* device = dynamic_cast<IDevice*>(object.get());
    if (!device)
        throw EClassNotFound(ClassNotFoundMessage(AnsiToQString(className).toStdString()));
    if (!ShellHooks.CreateHardwareHolding)
        throw EClassNotFound(PlatformText<std::string>("Keine Hardware-Komponente f\u00FCr ", "No hardware component for ",
                                                       "Aucun composant mat\u00E9riel pour ") +
                             AnsiToQString(className).toStdString());
    // The hardware component takes the device over.
    object.release();
    std::unique_ptr<IDevice> owned(device);
    TBauteil* hardware = ShellHooks.CreateHardwareHolding(device);
    owned.release();
    return hardware;
}

void TForm1::AttachBoardHandlers(TPlatine* board)
{
    board->OnNeuesBauteil = [this](TPlatine* b, TIOBauteil* component, TStream& stream, TReader& reader,
                                   Byte version) { BoardNewComponent(b, component, stream, reader, version); };
    board->OnEntferneBauteil = [this](TPlatine* b, TIOBauteil* component) { BoardRemoveComponent(b, component); };
    board->OnWriteFPDaten = [this](TPlatine* b, TIOBauteil* component, TStream& stream, TWriter& writer) {
        BoardWritePanelData(b, component, stream, writer);
    };
    board->OnNeuesMakro = [this](TMakro* macro, TStream& stream, TPlatine* b, TReader& reader, Byte version) {
        BoardNewMacro(macro, stream, b, reader, version);
    };
}

IFrontplatte& TForm1::PanelInUse() const
{
    return loadingPanel_ ? *loadingPanel_ : *Frontplatte;
}


void TForm1::BoardNewComponent(TPlatine* board, TIOBauteil* component, TStream& stream, TReader& reader,
                               Byte version)
{
    // A library file carries no element data: nothing is read and no
    // element is made.
    if (!LibraryLoading) {
        if (!component->PanelElementClass.empty()) {
            IFP_Element* element = CurrentDesign->AddElement(component->PanelElementClass);
            // The element knows its container: removing and writing the
            // component go through it.
            if (auto* own = dynamic_cast<TFP_Element*>(element))
                own->OwnerDesign = dynamic_cast<TDesign*>(CurrentDesign);
            element->SetElementName(component->Designator + std::to_string(component->Number));
            component->SetPanelElement(element);
            element->SetLinkedComponent(component);
            if (reader.ReadBoolean()) {
                // An element that does not come from a file lands on the page shown.
                CurrentDesign->SetNewElementPage(PanelInUse().AktiveFrontplatte());
                CurrentDesign->ReadElement(element, stream, reader, version);
            }
            UpdateMacroPanelVisibility(board);
            PanelInUse().CheckeFrontplattenNummern();
        } else {
            // The has-element flag of a class without element.
            reader.ReadBoolean();
        }
    }
    if (dynamic_cast<TBTPin*>(component) && board->OwnerMacro)
        FollowMacroPins(*board, board->MacroPinCount());
}

void TForm1::BoardNewMacro(TMakro* macro, TStream& stream, TPlatine* board, TReader& reader, Byte version)
{
    IDesign* const parent = CurrentDesign;
    if (!macro->SubDesign) {
        auto* nested = dynamic_cast<TDesign*>(parent->AddElement("TDesign"));
        nested->OwnerDesign = dynamic_cast<TDesign*>(parent);
        nested->SetFrontplattenNR(PanelInUse().AktiveFrontplatte());
        macro->SubDesign = nested;
        macro->ParentDesign = parent;
    }
    macro->OnEdited = [this](TMakro* m) { MacroNameChanged(m); };
    TPlatine* inner = board->CreateInnerBoard(macro);
    AttachBoardHandlers(inner);
    {
        // The inner board's elements go into the macro's own panel.
        const TRestoreOnExit restore(CurrentDesign);
        CurrentDesign = macro->SubDesign;
        inner->ReadObjects(stream, reader, version);
        macro->SubDesign->ReadFromStream(stream, reader, version);
    }
    if (auto* nested = dynamic_cast<TDesign*>(macro->SubDesign)) {
        const TRect content = nested->GetContentBounds();
        nested->SetBounds(nested->Left(), nested->Top(), content.Width() + 12, content.Height() + 12);
    }
    macro->SubDesign->SortByZOrder();
    macro->SubDesign->SetisVisible(!macro->SubDesign->HasOnlySubPanels());
    inner->NormaliseAllWires();
    FollowMacroPins(*inner, inner->MacroPinCount());
}

void TForm1::BoardRemoveComponent(TPlatine* board, TIOBauteil* component)
{
    if (auto* macro = dynamic_cast<TMakro*>(component)) {
        // Its circuit is gone already; its panel goes with it.
        if (macro->SubDesign && macro->ParentDesign)
            macro->ParentDesign->RemoveElement(macro->SubDesign);
        macro->SubDesign = nullptr;
        DropClosedMacroTabs();
    }
    // Only a deleted pin changes the pin count; a board being destroyed
    // leaves its macro as it was.
    if (dynamic_cast<TBTPin*>(component) && CurrentBoard && CurrentBoard->DeletingMacroPin && board->OwnerMacro)
        FollowMacroPins(*board, board->MacroPinCount() - 1);
    if (IFP_Element* element = component->PanelElement) {
        component->SetPanelElement(nullptr);
        if (IDesign* design = element->Design())
            design->RemoveElement(element);
    }
}

void TForm1::BoardWritePanelData(TPlatine*, TIOBauteil* component, TStream& stream, TWriter& writer)
{
    IFP_Element* element = component->PanelElement;
    if (IDesign* design = element->Design())
        design->WriteElement(element, stream, writer);
}

void TForm1::UpdateMacroPanelVisibility(TPlatine* board)
{
    for (TPlatine* b = board; b && b->OwnerMacro; b = b->ParentBoard)
        if (IDesign* design = b->OwnerMacro->SubDesign)
            design->SetisVisible(!design->HasOnlySubPanels());
}

void TForm1::LibraryItemPicked(TBibo* palette)
{
    CurrentBoard->PlacedFromLibrary = true;
    CurrentBoard->PasteFromStream(*palette->PickStream(), FileVersion);
    CurrentDesign->BringSelectionToFront();
}

void TForm1::InstallLibraryDrag()
{
    // A press on the palette picks a component, which then hangs at the
    // pointer over the board. Moves over the board move it; a release over
    // the board places it there as a click there would; a release elsewhere
    // leaves it hanging, to be placed by a click.
    libraryDrag_ = std::make_unique<TEventHook>([this](QObject*, QEvent* event) {
        const bool release = event->type() == QEvent::MouseButtonRelease;
        if (!release && event->type() != QEvent::MouseMove)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (release ? mouse->button() != Qt::LeftButton : !(mouse->buttons() & Qt::LeftButton))
            return false;
        TPlatine* board = CurrentBoard;
        auto* view = board ? dynamic_cast<TPlatineView*>(board->View) : nullptr;
        if (!view || board->Mode != TBoardMode::Placing || !board->Tracking)
            return false;
        QWidget* area = view->viewport();
        const QPointF global = mouse->globalPosition();
        const QPointF at = area->mapFromGlobal(global);
        if (!area->rect().contains(at.toPoint()))
            return true;
        QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, mouse->buttons() | Qt::LeftButton,
                         mouse->modifiers());
        QCoreApplication::sendEvent(area, &move);
        if (release) {
            QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, mouse->buttons(), mouse->modifiers());
            QCoreApplication::sendEvent(area, &up);
            FocusBoard();
        }
        return true;
    });
    Bibo->installEventFilter(libraryDrag_.get());
}

void TForm1::PlaceNewObject(const AnsiString& className)
{
    CurrentBoard->SelectAll(false);
    std::unique_ptr<TBauteil> object(CreateLibraryObject(className));
    // Its own stream, not the clipboard: placing keeps what the user copied.
    TMemoryStream stream;
    WritePlacingStream(*object, stream);
    object.reset();
    CurrentBoard->PasteFromStream(stream, FileVersion);
    CurrentDesign->BringSelectionToFront();
    CurrentBoard->Repaint();
}

// ---- The library-building aid: a class placed by its name, to be saved
// with the library save. The window owns it, hidden.

void TForm1::CreateLibraryAid()
{
    CreateCombo = new QComboBox(this);
    CreateCombo->setObjectName("CreateCombo");
    CreateCombo->hide();
    Button1 = new QPushButton(QStringLiteral("Create"), this);
    Button1->setObjectName("Button1");
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { Button1Click(); }); });
}

void TForm1::FillCreateCombo()
{
    std::vector<AnsiString> names;
    for (const TClassInfo* info : RegisteredClasses())
        names.push_back(info->Name);
    std::sort(names.begin(), names.end(),
              [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
    CreateCombo->clear();
    for (const AnsiString& name : names)
        CreateCombo->addItem(AnsiToQString(name));
}

void TForm1::Button1Click()
{
    PlaceNewObject(QStringToAnsi(CreateCombo->currentText()));
}
