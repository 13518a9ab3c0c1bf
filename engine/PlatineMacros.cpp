// The board's side of macros: the inner board, the macro pin components on
// it, and the macro's part of the object stream.
#include "engine/Platine.h"

#include "engine/Makro.h"
#include "engine/PanelInterfaces.h"
#include "platform/Stream.h"

namespace {

// Marks of the macro record layouts.
constexpr Integer LayoutWithPage = -2;
constexpr Integer LayoutWithoutPage = -1;

} // namespace

TPlatine* TPlatine::CreateInnerBoard(TMakro* macro)
{
    if (TPlatine* inner = macro->InnerBoard())
        return inner;
    auto* inner = new TPlatine();
    inner->OwnerMacro = macro;
    inner->ParentBoard = this;
    inner->BoardPalette = BoardPalette;
    inner->ClipboardStream = ClipboardStream;
    inner->Zoom = Zoom;
    macro->Board = inner;
    return inner;
}

Integer TPlatine::MacroPinCount() const
{
    return static_cast<Integer>(std::count_if(Objects.begin(), Objects.end(),
                                              [](const TBauteil* o) { return dynamic_cast<const TBTPin*>(o); }));
}

TBTPin* TPlatine::FindMacroPin(Integer k) const
{
    for (TBauteil* object : Objects)
        if (auto* pin = dynamic_cast<TBTPin*>(object); pin && pin->Number == k)
            return pin;
    return nullptr;
}

AnsiString TPlatine::MacroPinName(Integer k) const
{
    const TBTPin* pin = FindMacroPin(k);
    return pin ? pin->Label.Str() : AnsiString();
}

void TPlatine::MacroPinEdited(TBTPin* pin)
{
    InvalidateObject(pin);
    if (OwnerMacro)
        OwnerMacro->SetPinName(pin->Number, pin->Label);
}

void TPlatine::WriteMacroRecord(TMakro* macro, TStream& stream, TWriter& writer)
{
    TPlatine* inner = macro->InnerBoard();
    IDesign* design = macro->SubDesign;
    // Without its inner board or its panel design the record would be cut
    // short and the file unreadable; refuse to write it.
    if (!inner || !design)
        throw EFilerError("Makro ohne Platine oder Frontplatte");
    if (macro->ParentDesign && macro->ParentDesign->IsSelected(design))
        macro->ParentDesign->DeselectElement(design);
    design->RenumberZOrder();
    writer.WriteInteger(LayoutWithPage);
    writer.WriteInteger(design->ZOrder());
    writer.WriteBoolean(design->GetBisteTransparent());
    writer.WriteInteger(design->Left());
    writer.WriteInteger(design->Top());
    writer.WriteInteger(design->Width());
    writer.WriteInteger(design->Height());
    writer.WriteInteger(design->FrontplattenNR());
    // A library is read without element data anywhere, inner boards included.
    const bool innerLibrary = inner->WritingLibrary;
    inner->WritingLibrary = WritingLibrary;
    try {
        inner->WriteObjects(stream, writer, false);
    } catch (...) {
        inner->WritingLibrary = innerLibrary;
        throw;
    }
    inner->WritingLibrary = innerLibrary;
    design->WriteToStream(stream, writer);
}

void TPlatine::ReadMacroRecord(TMakro* macro, TStream& stream, TReader& reader, Byte version)
{
    Integer zOrder = 0;
    bool transparent = false;
    Integer page = 0;
    const Integer mark = reader.ReadInteger();
    const bool marked = mark == LayoutWithPage || mark == LayoutWithoutPage;
    Integer left = mark;
    if (marked) {
        zOrder = reader.ReadInteger();
        transparent = reader.ReadBoolean();
        left = reader.ReadInteger();
    }
    const Integer top = reader.ReadInteger();
    const Integer width = reader.ReadInteger();
    const Integer height = reader.ReadInteger();
    if (mark == LayoutWithPage)
        page = reader.ReadInteger();

    if (!OnNeuesMakro)
        throw EReadError("Makro ohne Platine");
    OnNeuesMakro(macro, stream, this, reader, version);

    IDesign* design = macro->SubDesign;
    if (!design)
        return;
    if (marked) {
        design->SetZOrder(zOrder);
        if (macro->ParentDesign)
            macro->ParentDesign->SortByZOrder();
        design->SetBisteTransparent(transparent);
        if (dynamic_cast<TFileStream*>(&stream))
            design->SetFrontplattenNR(page);
    }
    design->SetBounds(left, top, width, height);
    design->RefreshTransparency(nullptr);
}
