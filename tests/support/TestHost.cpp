#include "support/TestHost.h"

#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/Platine.h"
#include "platform/Stream.h"

#include <string>

namespace {

// Restores a value on every way out of a scope.
template <class T>
struct TRestore {
    T& Target;
    T Saved;
    ~TRestore() { Target = Saved; }
};

} // namespace

void TTestHost::UpdateMacroPins(TMakro& macro)
{
    TPlatine* inner = macro.InnerBoard();
    if (!inner)
        return;
    macro.SetPinCount(inner->MacroPinCount());
    for (Integer k = 1; k <= macro.PinCount; ++k)
        macro.SetPinName(k, inner->MacroPinName(k));
}

void TTestHost::Attach(TPlatine& board)
{
    board.OnNeuesBauteil = [this](TPlatine* b, TIOBauteil* component, TStream& stream, TReader& reader,
                                  Byte) {
        if (!LibraryLoading) {
            const bool flag = reader.ReadBoolean();
            if (!component->PanelElementClass.empty()) {
                TFakeElement* element = CurrentDesign->AddElement(component);
                element->SetElementName(component->Designator + std::to_string(component->Number));
                component->SetPanelElement(element);
                if (flag) {
                    CurrentDesign->SetFrontplattenNR(ActivePage);
                    const Integer left = reader.ReadInteger();
                    const Integer top = reader.ReadInteger();
                    element->SetBounds(left, top, element->Width(), element->Height());
                    if (!dynamic_cast<TFileStream*>(&stream))
                        element->SetFrontplattenNR(CurrentDesign->FrontplattenNR());
                }
            }
        }
        if (dynamic_cast<TBTPin*>(component) && b->OwnerMacro)
            UpdateMacroPins(*b->OwnerMacro);
    };
    board.OnWriteFPDaten = [](TPlatine*, TIOBauteil* component, TStream&, TWriter& writer) {
        writer.WriteInteger(component->PanelElement->Left());
        writer.WriteInteger(component->PanelElement->Top());
    };
    board.OnEntferneBauteil = [this](TPlatine*, TIOBauteil* component) {
        Removed.push_back(component);
        if (auto* macro = dynamic_cast<TMakro*>(component)) {
            if (auto* parent = dynamic_cast<TFakeDesign*>(macro->ParentDesign); parent && macro->SubDesign)
                parent->RemoveElement(macro->SubDesign);
            macro->SubDesign = nullptr;
        }
        if (IFP_Element* element = component->PanelElement) {
            element->SetLinkedComponent(nullptr);
            if (auto* design = dynamic_cast<TFakeDesign*>(element->Design()))
                design->RemoveElement(element);
        }
        component->SetPanelElement(nullptr);
    };
    board.OnNeuesMakro = [this](TMakro* macro, TStream& stream, TPlatine* b, TReader& reader, Byte version) {
        if (!macro->SubDesign) {
            TFakeDesign* design = CurrentDesign->AddDesign();
            design->SetFrontplattenNR(ActivePage);
            macro->SubDesign = design;
            macro->ParentDesign = CurrentDesign;
        }
        TPlatine* inner = b->CreateInnerBoard(macro);
        Attach(*inner);
        {
            TRestore<TFakeDesign*> restore{CurrentDesign, CurrentDesign};
            CurrentDesign = static_cast<TFakeDesign*>(macro->SubDesign);
            inner->ReadObjects(stream, reader, version);
            macro->SubDesign->ReadFromStream(stream, reader, version);
        }
        inner->NormaliseAllWires();
        UpdateMacroPins(*macro);
    };
}
