#include "engine/Platine.h"

#include "engine/AnsiLiteral.h"
#include "engine/DdeInterfaces.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Jump.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/PanelInterfaces.h"
#include "engine/Segment.h"
#include "engine/ShellHooks.h"
#include "engine/Text.h"
#include "platform/Dialogs.h"
#include "platform/ScreenCursors.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

bool IsFileStream(const TStream& stream)
{
    return dynamic_cast<const TFileStream*>(&stream) != nullptr;
}

bool IsWire(const TBauteil* object)
{
    return dynamic_cast<const TSegment*>(object) != nullptr;
}

bool IsStub(const TBauteil* object)
{
    const auto* wire = dynamic_cast<const TSegment*>(object);
    return wire && wire->IsStub();
}

// Closes the root board's progress report on every way out of a read.
struct TProgressScope {
    bool Active;
    ~TProgressScope()
    {
        if (Active && ShellHooks.Progress.Close)
            ShellHooks.Progress.Close();
    }
};

} // namespace

TPlatine::TPlatine()
{
    ProjectModified = true;
}

TPlatine::~TPlatine()
{
    if (View)
        View->BoardDestroyed();
    View = nullptr;
    destroying_ = true;
    UpdateLocked = true;
    // The links from elsewhere in the circuit to the outputs going here are
    // cleared in one walk at the end.
    const TForgetBatch batch(*RootBoard());
    // The stubs let go of their pins first: a component may lie behind its stubs.
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object))
            if (TBauteilPin* pin = wire->StubPin(); pin && pin->Stub == wire)
                pin->Stub = nullptr;
    // One by one from the end, so that every component's removal event fires
    // while the objects before it are still on the board.
    while (!Objects.empty()) {
        TBauteil* object = Objects.back();
        if (auto* component = dynamic_cast<TIOBauteil*>(object)) {
            // A macro's circuit goes first, while its panel design still
            // holds the elements of the components inside.
            if (auto* macro = dynamic_cast<TMakro*>(component))
                macro->FreeInnerBoard();
            if (OnEntferneBauteil)
                OnEntferneBauteil(this, component);
        }
        Objects.pop_back();
        delete object;
    }
}

TPlatine::TForgetBatch::TForgetBatch(TPlatine& root) : Root(root)
{
    ++Root.forgetBatch_;
}

TPlatine::TForgetBatch::~TForgetBatch()
{
    if (--Root.forgetBatch_ > 0 || Root.pendingForget_.empty())
        return;
    std::vector<TPinRange> ranges;
    ranges.swap(Root.pendingForget_);
    const std::less<const TBauteilPin*> before;
    std::sort(ranges.begin(), ranges.end(), [&](const TPinRange& a, const TPinRange& b) { return before(a.first, b.first); });
    // Overlapping ranges (a list given again after it was rebuilt) become one.
    std::vector<TPinRange> merged;
    for (const TPinRange& range : ranges) {
        if (!merged.empty() && !before(merged.back().second, range.first)) {
            if (before(merged.back().second, range.second))
                merged.back().second = range.second;
        } else {
            merged.push_back(range);
        }
    }
    Root.ForgetPinRanges(merged);
}

TPlatine* TPlatine::RootBoard()
{
    TPlatine* board = this;
    while (board->ParentBoard)
        board = board->ParentBoard;
    return board;
}

// ---- Creating and taking in objects

TBauteil* TPlatine::CreateObject(const AnsiString& className)
{
    if (ShellHooks.CreateHardwareByLegacyName)
        if (TBauteil* hardware = ShellHooks.CreateHardwareByLegacyName(className))
            return hardware;
    return CreateBauteil(className);
}

void TPlatine::InstallHooks(TBauteil* object)
{
    if (auto* label = dynamic_cast<TText*>(object))
        label->OnNeuZeichnen = [this](TText* t) { InvalidateObject(t); };
    if (auto* macro = dynamic_cast<TMakro*>(object)) {
        macro->OnReadInner = [this](TMakro* m, TStream& stream, TReader& reader, Byte version) {
            ReadMacroRecord(m, stream, reader, version);
        };
        macro->OnWriteInner = [this](TMakro* m, TStream& stream, TWriter& writer) {
            WriteMacroRecord(m, stream, writer);
        };
    }
}

void TPlatine::AdoptComponent(TIOBauteil* component)
{
    component->OnPinsChanged = [this](TIOBauteil* c) { OnPinsChangedHandler(c); };
    component->OnBeforePinsChange = [this](TIOBauteil*) { DetachWires(); };
    if (auto* pin = dynamic_cast<TBTPin*>(component))
        pin->OnEdited = [this](TBTPin* p) { MacroPinEdited(p); };
    if (auto* macro = dynamic_cast<TMakro*>(component)) {
        InstallHooks(macro);
        if (macro->SubDesign)
            macro->SubDesign->SetElementName("Makro " + std::to_string(macro->Number) + ": " + macro->Name);
    }
}

void TPlatine::InsertObject(TBauteil* object)
{
    // A macro keeps its inner board in Board.
    auto* macro = dynamic_cast<TMakro*>(object);
    if (!macro || !macro->InnerBoard())
        object->Board = this;
    object->Palette = BoardPalette;
    InstallHooks(object);
    HideHint();
    Objects.push_back(object);
    if (auto* component = dynamic_cast<TIOBauteil*>(object)) {
        CreatePinStubs(component);
        RenumberClass(component->ClassType());
        SetBoardName(BoardName);
        CreateDdeServerItems();
        AdoptComponent(component);
    }
    InvalidateObject(object);
}

// ---- The board part of the object stream

void TPlatine::WriteObjects(TStream& stream, TWriter& writer, bool selectionOnly)
{
    auto written = [&](const TBauteil* o) { return !IsStub(o) && (!selectionOnly || o->IsSelected()); };
    writer.WriteInteger(std::count_if(Objects.begin(), Objects.end(), written));
    for (TBauteil* object : Objects) {
        if (!written(object))
            continue;
        writer.WriteString(object->ClassName());
        object->WriteData(stream, writer);
        auto* component = dynamic_cast<TIOBauteil*>(object);
        if (component && !WritingLibrary) {
            writer.WriteBoolean(component->PanelElement != nullptr);
            if (component->PanelElement && OnWriteFPDaten)
                OnWriteFPDaten(this, component, stream, writer);
        }
    }
    if (IsFileStream(stream))
        WritePrintSettings(writer);
}

void TPlatine::WritePrintSettings(TWriter& writer) const
{
    writer.WriteInteger(PrintOriginX);
    writer.WriteInteger(PrintOriginY);
    writer.WriteInteger(PreviewOffsetX);
    writer.WriteInteger(PreviewOffsetY);
    writer.WriteInteger(PrintSize);
    writer.WriteFloat(PrintScale);
    writer.WriteString(PrintHeadline);
    writer.WriteBoolean(PrintBlackWhiteOption);
    writer.WriteBoolean(PrintCentred);
    writer.WriteBoolean(PrintBackground);
    writer.WriteInteger(PrinterIndex);
    writer.WriteInteger(PrintOrientation);
    writer.WriteInteger(static_cast<Int64>(PrintTextLines.size()));
    for (const AnsiString& line : PrintTextLines)
        writer.WriteString(line);
}

namespace {

void ClampPrintSettings(TPlatine& b)
{
    // A damaged file must not ask a dialog or a printer for a huge, negative
    // or undefined page; sound values stay exactly as stored.
    b.PrintSize = std::clamp<Integer>(b.PrintSize, 0, 200);
    if (!std::isfinite(b.PrintScale) || b.PrintScale < 0.1 || b.PrintScale > 10.0)
        b.PrintScale = std::exp(std::log(10.0) * (200 - b.PrintSize) / 100.0) / 10.0;
    b.PrintOriginX = std::clamp<Integer>(b.PrintOriginX, -1000000, 1000000);
    b.PrintOriginY = std::clamp<Integer>(b.PrintOriginY, -1000000, 1000000);
    b.PreviewOffsetX = std::clamp<Integer>(b.PreviewOffsetX, -1000000, 1000000);
    b.PreviewOffsetY = std::clamp<Integer>(b.PreviewOffsetY, -1000000, 1000000);
    b.PrintOrientation = std::clamp<Integer>(b.PrintOrientation, 0, 1);
    b.PrinterIndex = std::max<Integer>(b.PrinterIndex, -1);
}

}   // namespace

void TPlatine::ReadPrintSettings(TReader& reader)
{
    PrintOriginX = reader.ReadInteger();
    PrintOriginY = reader.ReadInteger();
    PreviewOffsetX = reader.ReadInteger();
    PreviewOffsetY = reader.ReadInteger();
    PrintSize = reader.ReadInteger();
    PrintScale = static_cast<double>(reader.ReadFloat());
    PrintHeadline = reader.ReadString();
    PrintBlackWhiteOption = reader.ReadBoolean();
    PrintCentred = reader.ReadBoolean();
    PrintBackground = reader.ReadBoolean();
    PrinterIndex = reader.ReadInteger();
    PrintOrientation = reader.ReadInteger();
    const Integer count = reader.ReadInteger();
    PrintTextLines.clear();
    // Lines are added as they are read: a damaged count ends at the stream's end.
    for (Integer i = 0; i < count; ++i)
        PrintTextLines.push_back(reader.ReadString());
    ClampPrintSettings(*this);
}


void TPlatine::ReadObjects(TStream& stream, TReader& reader, Byte version)
{
    const bool root = OwnerMacro == nullptr;
    const AnsiString title = root ? ByLanguage("Öffnen... "_ansi, "Reading... ", "Lecture... ")
                                  : ByLanguage("Öffnen... "_ansi, "Reading... ", "Lecture... ") + OwnerMacro->Name;
    if (root) {
        if (ShellHooks.Progress.Start)
            ShellHooks.Progress.Start(title, IsFileStream(stream));
    } else if (ShellHooks.Progress.SetTitle) {
        ShellHooks.Progress.SetTitle(title);
    }
    TProgressScope progress{root};

    if (stream.Size() < 2)
        return;
    // Numbers, board names and DDE items are brought up to date once for the
    // whole read, on every way out; each component read gets its own at once,
    // as the read event may use them.
    TClassCounts numbers = CountClasses();
    std::unordered_set<const TClassInfo*> classesRead;
    struct TNamingScope {
        TPlatine& Board;
        const std::unordered_set<const TClassInfo*>& Classes;
        bool Done = false;
        void Finish()
        {
            Done = true;
            if (Classes.empty())
                return;
            Board.RenumberClasses(Classes);
            Board.SetBoardName(Board.BoardName);
            Board.CreateDdeServerItems();
        }
        ~TNamingScope()
        {
            if (Done)
                return;
            try {
                Finish();
            } catch (...) {
                // On the way out of a failed read, whose error is the one reported.
            }
        }
    } naming{*this, classesRead};

    const Integer count = reader.ReadInteger();
    for (Integer i = 1; i <= count; ++i) {
        if (root && ShellHooks.Progress.SetPosition)
            ShellHooks.Progress.SetPosition(static_cast<Integer>(std::nearbyint(100.0 * i / count)));
        std::unique_ptr<TBauteil> object(CreateObject(reader.ReadString()));
        object->Board = this;
        object->Palette = BoardPalette;
        InstallHooks(object.get());
        auto* component = dynamic_cast<TIOBauteil*>(object.get());
        try {
            object->ReadData(stream, reader, version);
        } catch (...) {
            // A macro may already have its circuit and its panel design.
            if (auto* macro = dynamic_cast<TMakro*>(component))
                macro->FreeInnerBoard();
            if (component && OnEntferneBauteil)
                OnEntferneBauteil(this, component);
            throw;
        }
        TBauteil* o = object.release();
        Objects.push_back(o);
        if (component) {
            CreatePinStubs(component);
            const TClassInfo& cls = component->ClassType();
            classesRead.insert(&cls);
            NumberComponent(component, ++numbers[&cls]);
            NameObject(o);
            try {
                if (OnNeuesBauteil)
                    OnNeuesBauteil(this, component, stream, reader, version);
            } catch (...) {
                // The component stays on the board, fully hooked up.
                AdoptComponent(component);
                o->SetSelected(true);
                throw;
            }
            AdoptComponent(component);
        }
        o->SetSelected(true);
    }
    naming.Finish();
    if (version >= 40 && IsFileStream(stream))
        ReadPrintSettings(reader);
}

// ---- Clipboard

void TPlatine::CopySelection()
{
    if (!ClipboardStream)
        return;
    ClipboardStream->Clear();
    {
        TWriter writer(*ClipboardStream, FilerBufferSize);
        WriteObjects(*ClipboardStream, writer, true);
        writer.FlushBuffer();
    }
    ClipboardStream->SetPosition(0);
    if (View)
        View->CopySelectionPicture();
    if (OnAktTools)
        OnAktTools();
}

bool TPlatine::ClipboardFilled() const
{
    return ClipboardStream && !ClipboardStream->Bytes().empty();
}

void TPlatine::PasteFromStream(TStream& stream, Byte version)
{
    if (Mode == TBoardMode::Placing || stream.Size() < 3)
        return;
    ProjectModified = true;
    TakeSnapshot();
    PreviousMode = Mode;
    SavedCursor = View ? View->BoardCursor() : 0;
    Mode = TBoardMode::Placing;
    if (View)
        View->SetBoardCursor(crHand);

    SelectAll(false);
    try {
        TReader reader(stream, FilerBufferSize);
        ReadObjects(stream, reader, version);
    } catch (...) {
        // Nothing hangs at the cursor: back to the mode before the paste.
        stream.SetPosition(0);
        Mode = PreviousMode;
        if (View)
            View->SetBoardCursor(SavedCursor);
        throw;
    }
    stream.SetPosition(0);

    const TRect r = GetObjectsRect(true);
    TrackPoint = BoardToDeviceDelta(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    Tracking = true;
    if (View)
        View->CentreMousePointer();
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TBauteil* object = Objects[i];
        if (object->IsSelected()) {
            SelectObject(object, false);
            SelectObject(object, true);
        }
    }
}

// ---- Pin stubs

void TPlatine::CreatePinStubs(TIOBauteil* component)
{
    auto add = [&](TPinList& pins, bool isInput) {
        for (std::size_t i = 0; i < pins.size(); ++i) {
            TBauteilPin& pin = pins[i];
            TSegment* stub = AddWire(TPoint{pin.X, pin.Y}, TPoint{pin.X, pin.Y});
            stub->Owner = component;
            stub->IsInputStub = isInput;
            stub->PinIndex = static_cast<Integer>(i);
            stub->Selected = true;
            pin.Stub = stub;
        }
    };
    add(component->Inputs, true);
    add(component->Outputs, false);
}

void TPlatine::RemovePinStubs(TIOBauteil* component)
{
    std::vector<TSegment*> stubs;
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object); wire && wire->Owner == component)
            stubs.push_back(wire);
    for (TSegment* stub : stubs)
        RemoveObject(stub);
}

void TPlatine::OnPinsChangedHandler(TIOBauteil* component)
{
    RemovePinStubs(component);
    CreatePinStubs(component);
    NormaliseSelectedWires();
    if (dynamic_cast<TMakro*>(component))
        InvalidateObject(component);
    else
        Repaint();
}

// ---- Removing objects and the links to them

void TPlatine::DetachObject(TBauteil* object)
{
    const auto it = std::find(Objects.begin(), Objects.end(), object);
    if (it != Objects.end())
        Objects.erase(it);
    std::erase(JumpList, object);
    if (object == LastWire)
        LastWire = nullptr;
    if (auto* wire = dynamic_cast<TSegment*>(object))
        if (TBauteilPin* pin = wire->StubPin(); pin && pin->Stub == wire)
            pin->Stub = nullptr;
}

void TPlatine::RemoveObject(TBauteil* object)
{
    if (std::find(Objects.begin(), Objects.end(), object) == Objects.end())
        return;
    HideHint();
    auto* component = dynamic_cast<TIOBauteil*>(object);
    const TClassInfo* cls = nullptr;
    if (component) {
        // A macro's circuit goes first, while its panel design still holds
        // the elements of the components inside.
        if (auto* macro = dynamic_cast<TMakro*>(component))
            macro->FreeInnerBoard();
        if (OnEntferneBauteil)
            OnEntferneBauteil(this, component);
        cls = &component->ClassType();
        RemovePinStubs(component);
    }
    const TRect area = UpdateLocked ? TRect{} : object->GetBounds();
    DetachObject(object);
    UnqueueWire(object);
    delete object;
    if (!UpdateLocked && View)
        View->InvalidateDeviceRect(BoardMapping().LPtoDP(area));
    if (cls && !destroying_) {
        RenumberClass(*cls);
        SetBoardName(BoardName);
        CreateDdeServerItems();
    }
}

void TPlatine::ForgetPins(const TBauteilPin* pins, std::size_t count)
{
    if (destroying_ || count == 0)
        return;
    PinLinksChanged();
    if (forgetBatch_ > 0) {
        pendingForget_.emplace_back(pins, pins + count);
        return;
    }
    ForgetPinRanges({{pins, pins + count}});
}

void TPlatine::ForgetPinRanges(const std::vector<TPinRange>& ranges)
{
    // The ranges are sorted by start and do not overlap (each is one
    // component's output list).
    const std::less<const TBauteilPin*> before;
    auto among = [&](const TBauteilPin* p) {
        if (!p)
            return false;
        auto next = std::upper_bound(ranges.begin(), ranges.end(), p,
                                     [&](const TBauteilPin* q, const TPinRange& r) { return before(q, r.first); });
        return next != ranges.begin() && before(p, std::prev(next)->second);
    };
    for (TBauteil* object : Objects) {
        if (auto* wire = dynamic_cast<TSegment*>(object)) {
            if (among(wire->Driver))
                wire->Driver = nullptr;
            continue;
        }
        auto* component = dynamic_cast<TIOBauteil*>(object);
        if (!component)
            continue;
        for (TBauteilPin& input : component->Inputs)
            if (among(input.Source))
                input.Source = nullptr;
        for (TBauteilPin& output : component->Outputs)
            std::erase_if(output.WiredGroup, among);
        if (auto* macro = dynamic_cast<TMakro*>(component)) {
            for (auto* drivers : {&macro->InputDrivers, &macro->OutputDrivers})
                for (TBauteilPin*& driver : *drivers)
                    if (among(driver))
                        driver = nullptr;
            if (TPlatine* inner = macro->InnerBoard())
                inner->ForgetPinRanges(ranges);
        }
    }
}

// ---- Order, selection and editing

void TPlatine::SendToBack()
{
    TakeSnapshot();
    // The list grows while it is walked: each selected object leaves an empty
    // place behind and is put in front, so the selection ends up first, in
    // reverse order.
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TBauteil* object = Objects[i];
        if (object && object->IsSelected()) {
            Objects[i] = nullptr;
            Objects.insert(Objects.begin(), object);
            InvalidateObject(object);
            ProjectModified = true;
        }
    }
    std::erase(Objects, nullptr);
}

void TPlatine::SelectAll(bool selected)
{
    for (std::size_t i = 0; i < Objects.size(); ++i)
        SelectObject(Objects[i], selected);
}

bool TPlatine::AnySelected() const
{
    return std::any_of(Objects.begin(), Objects.end(), [](const TBauteil* o) { return o->IsSelected(); });
}

namespace {

std::vector<TIOBauteil*> SelectedComponents(const std::vector<TBauteil*>& objects)
{
    std::vector<TIOBauteil*> result;
    for (TBauteil* object : objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object); component && component->IsSelected())
            result.push_back(component);
    return result;
}

} // namespace

bool TPlatine::OneComponentSelected() const
{
    return SelectedComponents(Objects).size() == 1;
}

bool TPlatine::SelectedIsMacro() const
{
    const auto selected = SelectedComponents(Objects);
    return selected.size() == 1 && dynamic_cast<TMakro*>(selected.front());
}

Integer TPlatine::SelectedCount() const
{
    return static_cast<Integer>(std::count_if(Objects.begin(), Objects.end(), [](const TBauteil* o) {
        return o->IsSelected() && !IsWire(o);
    }));
}

bool TPlatine::CanEditSelection() const
{
    const Integer count = SelectedCount();
    if (count == 1)
        return std::any_of(Objects.begin(), Objects.end(),
                           [](const TBauteil* o) { return o->IsSelected() && o->HasPropertyDialog; });
    const TBauteil* last = nullptr;
    for (const TBauteil* object : Objects)
        if (object->IsSelected() && object->HasPropertyDialog)
            last = object;
    if (!last)
        return false;
    if (count <= 1)
        return true;
    for (const TBauteil* object : Objects)
        if (object->IsSelected() && !IsWire(object) && &object->ClassType() != &last->ClassType())
            return false;
    return true;
}

void TPlatine::EditSelection()
{
    TakeSnapshot();
    const auto first = std::find_if(Objects.begin(), Objects.end(),
                                     [](const TBauteil* o) { return o->IsSelected() && o->HasPropertyDialog; });
    if (first == Objects.end())
        return;
    TBauteil* edited = *first;
    if (edited->EditProperties() == IDOK && SelectedCount() > 1 &&
        MessageBox(Translate("Sämtliche Eigenschaften für gewählte Objekte übernehmen?"_ansi),
                   Translate("Eigenschaften"), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        TMemoryStream record;
        {
            TWriter writer(record, FilerBufferSize);
            if (!dynamic_cast<TMakro*>(edited))
                edited->WriteData(record, writer);
            writer.FlushBuffer();
        }
        // Taken first: rebuilding a target's pins replaces stubs in the list.
        std::vector<TBauteil*> targets;
        std::copy_if(first + 1, Objects.end(), std::back_inserter(targets),
                     [](const TBauteil* o) { return o->IsSelected() && !IsWire(o); });
        for (TBauteil* target : targets) {
            // A macro's settings are its name; its record would also carry
            // the edited macro's inner circuit.
            if (auto* macro = dynamic_cast<TMakro*>(target)) {
                macro->Name = static_cast<TMakro*>(edited)->Name;
                if (macro->OnEdited)
                    macro->OnEdited(macro);
                InvalidateObject(macro);
                continue;
            }
            if (auto* hardware = dynamic_cast<IHardwareComponent*>(target))
                hardware->FreeDriver();
            const Integer x = target->X;
            const Integer y = target->Y;
            record.SetPosition(0);
            {
                TReader reader(record, FilerBufferSize);
                target->ReadData(record, reader, InMemoryVersion);
            }
            target->X = x;
            target->Y = y;
            if (auto* component = dynamic_cast<TIOBauteil*>(target)) {
                component->LayoutPins();
                OnPinsChangedHandler(component);
            } else {
                InvalidateObject(target);
            }
        }
    }
    NormaliseSelectedWires();
    ProjectModified = true;
}

void TPlatine::MirrorSelected()
{
    TakeSnapshot();
    const auto selected = SelectedComponents(Objects);
    if (selected.empty())
        return;
    TIOBauteil* component = selected.front();
    component->SetMirrored(!component->Mirrored);
    RemovePinStubs(component);
    CreatePinStubs(component);
    for (TPinList* pins : {&component->Inputs, &component->Outputs})
        for (TBauteilPin& pin : *pins)
            pin.Connected = false;
    NormaliseSelectedWires();
    ProjectModified = true;
    Repaint();
}

void TPlatine::SelectObject(TBauteil* object, bool selected)
{
    if (object->IsSelected() == selected)
        return;
    object->SetSelected(selected);
    if (auto* macro = dynamic_cast<TMakro*>(object)) {
        if (macro->SubDesign)
            SelectPanelElement(macro->SubDesign, selected);
    } else if (auto* component = dynamic_cast<TIOBauteil*>(object); component && component->PanelElement) {
        SelectPanelElement(component->PanelElement, selected);
    }
    InvalidateObject(object);
}

void TPlatine::SelectPanelElement(IFP_Element* element, bool selected)
{
    IDesign* design = element->Design();
    if (!design)
        return;
    const Integer index = design->IndexOfElement(element);
    if (selected)
        design->SelectElement(index);
    else if (index == -1)
        design->DeselectIndex(-1);
    else if (design->IsSelected(element))
        design->DeselectElement(element);
}

TRect TPlatine::GetObjectsRect(bool selectedOnly) const
{
    TRect r;
    bool found = false;
    for (const TBauteil* object : Objects) {
        if (selectedOnly && !object->IsSelected())
            continue;
        const TRect b = object->GetBounds();
        if (!found) {
            r = b;
            found = true;
        } else {
            r = {std::min(r.Left, b.Left), std::min(r.Top, b.Top), std::max(r.Right, b.Right),
                 std::max(r.Bottom, b.Bottom)};
        }
    }
    return r;
}

// ---- Names and numbers

void TPlatine::SetBoardName(const AnsiString& name)
{
    BoardName = name;
    for (TBauteil* object : Objects) {
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            if (TPlatine* inner = macro->InnerBoard())
                inner->SetBoardName(name + "_" + macro->Designator + std::to_string(macro->Number));
        }
        if (auto* server = dynamic_cast<IDdeServer*>(object)) {
            server->SetBoardPath(name);
            server->ClearItems();
        }
    }
}

void TPlatine::CreateDdeServerItems()
{
    // An inner board still named MAIN has not been named by its parent yet.
    if (OwnerMacro && BoardName == "MAIN")
        return;
    for (TBauteil* object : Objects) {
        if (auto* server = dynamic_cast<IDdeServer*>(object))
            server->CreateItems();
        if (auto* macro = dynamic_cast<TMakro*>(object))
            if (TPlatine* inner = macro->InnerBoard())
                inner->CreateDdeServerItems();
    }
}

void TPlatine::RenumberClass(const TClassInfo& cls)
{
    RenumberClasses({&cls});
}

void TPlatine::RenumberClasses(const std::unordered_set<const TClassInfo*>& classes)
{
    TClassCounts numbers;
    for (TBauteil* object : Objects) {
        auto* component = dynamic_cast<TIOBauteil*>(object);
        if (!component || !classes.contains(&component->ClassType()))
            continue;
        NumberComponent(component, ++numbers[&component->ClassType()]);
    }
}

TPlatine::TClassCounts TPlatine::CountClasses() const
{
    TClassCounts counts;
    for (TBauteil* object : Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            ++counts[&component->ClassType()];
    return counts;
}

void TPlatine::NumberComponent(TIOBauteil* component, Integer number)
{
    component->SetNumber(number);
    InvalidateObject(component);
    const AnsiString digits = std::to_string(component->Number);
    if (auto* macro = dynamic_cast<TMakro*>(component); macro && macro->SubDesign)
        macro->SubDesign->SetElementName(macro->GetTypeName() + " " + digits + ": " + macro->Name);
    if (component->PanelElement)
        component->PanelElement->SetElementName(component->Designator + digits);
}

void TPlatine::NameObject(TBauteil* object)
{
    if (auto* macro = dynamic_cast<TMakro*>(object))
        if (TPlatine* inner = macro->InnerBoard())
            inner->SetBoardName(BoardName + "_" + macro->Designator + std::to_string(macro->Number));
    auto* server = dynamic_cast<IDdeServer*>(object);
    if (server) {
        server->SetBoardPath(BoardName);
        server->ClearItems();
    }
    // An inner board still named MAIN has not been named by its parent yet.
    if (OwnerMacro && BoardName == "MAIN")
        return;
    if (server)
        server->CreateItems();
    if (auto* macro = dynamic_cast<TMakro*>(object))
        if (TPlatine* inner = macro->InnerBoard())
            inner->CreateDdeServerItems();
}

// ---- View

TMapping TPlatine::BoardMapping() const
{
    const auto pixelsPerInch = static_cast<Integer>(std::nearbyint(Zoom * 16));
    TMapping mapping;
    mapping.Mode = TMapMode::MM_ANISOTROPIC;
    mapping.WindowExt = {254, 254};
    mapping.ViewportExt = {pixelsPerInch, pixelsPerInch};
    mapping.WindowOrg = {0, 0};
    mapping.ViewportOrg = {Left, Top};
    return mapping;
}

void TPlatine::PrepareCanvas(TCanvas& canvas) const
{
    const TMapping mapping = BoardMapping();
    canvas.SetMapMode(mapping.Mode);
    canvas.SetWindowExt(mapping.WindowExt.X, mapping.WindowExt.Y);
    canvas.SetViewportExt(mapping.ViewportExt.X, mapping.ViewportExt.Y);
    canvas.SetWindowOrg(mapping.WindowOrg.X, mapping.WindowOrg.Y);
    canvas.SetViewportOrg(mapping.ViewportOrg.X, mapping.ViewportOrg.Y);
    canvas.SelectPalette(BoardPalette);
}

TPoint TPlatine::BoardToDeviceDelta(TPoint p) const
{
    TMapping mapping = BoardMapping();
    mapping.ViewportOrg = {0, 0};
    return mapping.LPtoDP(p);
}

void TPlatine::InvalidateObject(const TBauteil* object)
{
    if (View && !UpdateLocked)
        View->InvalidateDeviceRect(BoardMapping().LPtoDP(object->GetBounds()));
}

void TPlatine::Repaint()
{
    if (View && !UpdateLocked)
        View->RepaintBoard();
}
