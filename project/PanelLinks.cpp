#include "project/PanelLinks.h"

#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "panel/framework/Design.h"
#include "platform/Stream.h"

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

void TPanelLinks::Attach(TPlatine& board)
{
    board.OnNeuesBauteil = [this](TPlatine* b, TIOBauteil* component, TStream& stream, TReader& reader,
                                  Byte version) { ComponentRead(*b, *component, stream, reader, version); };
    board.OnEntferneBauteil = [this](TPlatine* b, TIOBauteil* component) { ComponentRemoved(*b, *component); };
    board.OnWriteFPDaten = [](TPlatine*, TIOBauteil* component, TStream& stream, TWriter& writer) {
        IFP_Element* element = component->PanelElement;
        if (IDesign* design = element->Design())
            design->WriteElement(element, stream, writer);
    };
    board.OnNeuesMakro = [this](TMakro* macro, TStream& stream, TPlatine* b, TReader& reader, Byte version) {
        ReadMacro(*macro, stream, *b, reader, version);
    };
}

void TPanelLinks::ComponentRead(TPlatine& board, TIOBauteil& component, TStream& stream, TReader& reader,
                                Byte version)
{
    // A library file carries no element data: nothing is read and no
    // element is made.
    if (!LibraryLoading) {
        if (!component.PanelElementClass.empty()) {
            IFP_Element* element = Design->AddElement(component.PanelElementClass);
            // The element knows its container: removing and writing the
            // component go through it.
            if (auto* own = dynamic_cast<TFP_Element*>(element))
                own->OwnerDesign = dynamic_cast<TDesign*>(Design);
            element->SetElementName(component.Designator + std::to_string(component.Number));
            component.SetPanelElement(element);
            element->SetLinkedComponent(&component);
            if (reader.ReadBoolean()) {
                // An element that does not come from a file lands on the page shown.
                Design->SetNewElementPage(Panel->AktiveFrontplatte());
                Design->ReadElement(element, stream, reader, version);
            }
            UpdateMacroPanelVisibility(&board);
            Panel->CheckeFrontplattenNummern();
        } else {
            // The has-element flag of a class without element.
            reader.ReadBoolean();
        }
    }
    if (dynamic_cast<TBTPin*>(&component) && board.OwnerMacro)
        FollowMacroPins(board, board.MacroPinCount());
}

void TPanelLinks::ReadMacro(TMakro& macro, TStream& stream, TPlatine& board, TReader& reader, Byte version)
{
    IDesign* const parent = Design;
    if (!macro.SubDesign) {
        auto* nested = dynamic_cast<TDesign*>(parent->AddElement("TDesign"));
        nested->OwnerDesign = dynamic_cast<TDesign*>(parent);
        nested->SetFrontplattenNR(Panel->AktiveFrontplatte());
        macro.SubDesign = nested;
        macro.ParentDesign = parent;
    }
    macro.OnEdited = MacroEdited;
    TPlatine* inner = board.CreateInnerBoard(&macro);
    Attach(*inner);
    {
        // The inner board's elements go into the macro's own panel.
        const TRestoreOnExit restore(Design);
        Design = macro.SubDesign;
        inner->ReadObjects(stream, reader, version);
        macro.SubDesign->ReadFromStream(stream, reader, version);
    }
    if (auto* nested = dynamic_cast<TDesign*>(macro.SubDesign)) {
        const TRect content = nested->GetContentBounds();
        nested->SetBounds(nested->Left(), nested->Top(), content.Width() + 12, content.Height() + 12);
    }
    macro.SubDesign->SortByZOrder();
    macro.SubDesign->SetisVisible(!macro.SubDesign->HasOnlySubPanels());
    inner->NormaliseAllWires();
    FollowMacroPins(*inner, inner->MacroPinCount());
}

void TPanelLinks::ComponentRemoved(TPlatine& board, TIOBauteil& component)
{
    if (auto* macro = dynamic_cast<TMakro*>(&component)) {
        // Its circuit is gone already; its panel goes with it.
        if (macro->SubDesign && macro->ParentDesign)
            macro->ParentDesign->RemoveElement(macro->SubDesign);
        macro->SubDesign = nullptr;
        if (MacroRemoved)
            MacroRemoved();
    }
    if (dynamic_cast<TBTPin*>(&component) && DeletingMacroPin && DeletingMacroPin() && board.OwnerMacro)
        FollowMacroPins(board, board.MacroPinCount() - 1);
    if (IFP_Element* element = component.PanelElement) {
        component.SetPanelElement(nullptr);
        if (IDesign* design = element->Design())
            design->RemoveElement(element);
    }
}

void UpdateMacroPanelVisibility(TPlatine* board)
{
    for (TPlatine* b = board; b && b->OwnerMacro; b = b->ParentBoard)
        if (IDesign* design = b->OwnerMacro->SubDesign)
            design->SetisVisible(!design->HasOnlySubPanels());
}
