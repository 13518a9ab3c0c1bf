// The running circuit: preparation at the start (run lists, nets, input
// links, wired groups, reset), the step and the 50 ms tick, the live
// displays, the stop, and the walk over the components' retained states.
#include "engine/Platine.h"

#include "engine/DdeInterfaces.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/Nets.h"
#include "engine/Segment.h"
#include "engine/ShellHooks.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"

#include <cstring>
#include <exception>
#include <unordered_map>

namespace {

// The preparation keeps the program responsive on large boards without
// paying for the message loop at every object.
constexpr std::size_t ResponsiveEvery = 64;

void KeepResponsive(std::size_t i)
{
    if (i % ResponsiveEvery == 0)
        ProcessMessages();
}

AnsiString PreparingTitle()
{
    return ByLanguage("Schaltung vorbereiten... ", "Preparing... ", "Pr\xE9paration... ");
}

// The first output on each net (index: net number) in the order of the
// collected components and, within a component, by output index: every
// input on the net takes it as its source.
std::vector<TBauteilPin*> FirstDrivers(const std::vector<TIOBauteil*>& collected, Integer netCount)
{
    std::vector<TBauteilPin*> drivers(static_cast<std::size_t>(netCount) + 1, nullptr);
    for (TIOBauteil* component : collected)
        for (TBauteilPin& output : component->Outputs)
            if (output.Stub && output.Stub->Net > 0 && output.Stub->Net <= netCount) {
                TBauteilPin*& driver = drivers[static_cast<std::size_t>(output.Stub->Net)];
                if (!driver)
                    driver = output.MarkReferenced();
            }
    return drivers;
}

TBauteilPin* DriverOf(const std::vector<TBauteilPin*>& drivers, const TSegment* stub)
{
    if (!stub || stub->Net <= 0 || static_cast<std::size_t>(stub->Net) >= drivers.size())
        return nullptr;
    return drivers[static_cast<std::size_t>(stub->Net)];
}

// Every output's group lists every output on its net, itself included, in
// collected order; an output without a stub is alone.
void BuildWiredGroups(const std::vector<TIOBauteil*>& collected, Integer netCount)
{
    const std::size_t nets = static_cast<std::size_t>(netCount) + 1;
    std::vector<std::size_t> start(nets + 1, 0);
    auto netOf = [&](const TBauteilPin& output) -> std::size_t {
        const TSegment* stub = output.Stub;
        return stub && stub->Net > 0 && stub->Net <= netCount ? static_cast<std::size_t>(stub->Net) : 0;
    };
    for (TIOBauteil* component : collected)
        for (const TBauteilPin& output : component->Outputs)
            if (const std::size_t net = netOf(output))
                ++start[net + 1];
    for (std::size_t net = 1; net <= nets; ++net)
        start[net] += start[net - 1];
    std::vector<TBauteilPin*> members(start[nets]);
    std::vector<std::size_t> fill(start.begin(), start.end() - 1);
    for (TIOBauteil* component : collected)
        for (TBauteilPin& output : component->Outputs)
            if (const std::size_t net = netOf(output))
                members[fill[net]++] = &output;

    for (TIOBauteil* component : collected)
        for (TBauteilPin& output : component->Outputs) {
            const std::size_t net = netOf(output);
            if (net == 0) {
                output.WiredGroup.assign(1, &output);
                continue;
            }
            output.WiredGroup.assign(members.begin() + static_cast<std::ptrdiff_t>(start[net]),
                                     members.begin() + static_cast<std::ptrdiff_t>(start[net + 1]));
            if (output.WiredGroup.size() > 1)
                output.MarkReferenced();
        }
}

template <class F>
void ForEachHardwareDevice(const std::vector<TBauteil*>& objects, F&& f)
{
    for (TBauteil* object : objects) {
        if (AsWire(object))
            continue;
        if (auto* hardware = dynamic_cast<IHardwareComponent*>(object))
            if (IDevice* device = hardware->Driver())
                f(*device);
    }
}

void SetIdle(IDevice& device, const std::function<void()>& idle)
{
    device.OnIdle = idle;
    for (IDevicePort* port : device.DevicePorts())
        if (port)
            port->OnIdle = idle;
}

void ForgetDdeConversations(TPlatine& board)
{
    for (TBauteil* object : board.Objects) {
        if (AsWire(object))
            continue;
        if (auto* client = dynamic_cast<IDdeClient*>(object)) {
            client->Conversation = nullptr;
            client->Linked = false;
        }
        if (auto* macro = dynamic_cast<TMakro*>(object))
            if (TPlatine* inner = macro->InnerBoard())
                ForgetDdeConversations(*inner);
    }
}

// Frees the shared DDE conversations once every client on the circuit has let
// go of its own, so that no client keeps a freed one.
void FreeDdeConversations(TPlatine& root)
{
    ForgetDdeConversations(root);
    DdeConversationList.clear();
}

} // namespace

// ---- Preparation

void TPlatine::PrepareSimulation()
{
    if (ShellHooks.Progress.Start)
        ShellHooks.Progress.Start("Start...", true);
    try {
        SelectAll(false);
        // A device that waits while it opens steps the board: the lists of
        // the last start may name objects deleted since.
        ClearRunLists();
        BuildRunLists(*this);
        const Integer netCount = TNetNumbering().Number(*this);
        std::vector<TIOBauteil*> collected;
        CollectComponents(collected);
        const std::vector<TBauteilPin*> drivers = FirstDrivers(collected, netCount);
        PrepareCircuit(drivers);
        ConnectDdeClients();
        ClearWiredGroups();
        BuildWiredGroups(collected, netCount);
        ResetAllForStart();
        BuildStepProgram();
    } catch (...) {
        AbortPreparation();
        throw;
    }
    if (ShellHooks.Progress.Close)
        ShellHooks.Progress.Close();
}

void TPlatine::AbortPreparation()
{
    // Back to a board that steps nothing, with no device calling into it
    // and no conversation left open.
    DdeLinking = false;
    ClearRunLists();
    FreeDdeConversations(*this);
    if (ShellHooks.Progress.Close)
        ShellHooks.Progress.Close();
}

void TPlatine::ClearRunLists()
{
    for (TBauteil* object : Objects) {
        if (AsWire(object))
            continue;
        if (auto* macro = dynamic_cast<TMakro*>(object))
            if (TPlatine* inner = macro->InnerBoard())
                inner->ClearRunLists();
    }
    ForEachHardwareDevice(Objects, [](IDevice& device) { SetIdle(device, nullptr); });
    EmptyRunLists();
}

void TPlatine::EmptyRunLists()
{
    CalcList.clear();
    TickList.clear();
    MacroList.clear();
    WireList.clear();
    stepProgram_.clear();
    gateCells_.clear();
    cellLevels_.clear();
    cellComponents_.clear();
    programBuilt_ = false;
}

void TPlatine::ResetNets()
{
    for (TBauteil* object : Objects)
        if (TSegment* wire = AsWire(object))
            wire->Net = 0;
}

void TPlatine::BuildRunLists(TPlatine& root)
{
    ResetNets();
    EmptyRunLists();
    const std::function<void()> idle = [&root] { root.Step(); };
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        KeepResponsive(i);
        TBauteil* object = Objects[i];
        if (TSegment* wire = AsWire(object)) {
            if (wire->NeedsTimerTick)
                TickList.push_back(wire);
            WireList.push_back(wire);
            wire->Driver = nullptr;
            wire->ShowLineStates = root.ShowLineStates;
            wire->PinLevelsDirty = false;
            continue;
        }
        if (auto* hardware = dynamic_cast<IHardwareComponent*>(object))
            if (IDevice* device = hardware->Driver())
                SetIdle(*device, idle);
        if (auto* component = dynamic_cast<TIOBauteil*>(object)) {
            CalcList.push_back(component);
            component->PrepareRun();
        }
        if (object->NeedsTimerTick)
            TickList.push_back(object);
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            MacroList.push_back(macro);
            macro->InputDrivers.assign(static_cast<std::size_t>(macro->InputCount), nullptr);
            macro->OutputDrivers.assign(static_cast<std::size_t>(macro->OutputCount), nullptr);
        }
        object->ShowLineStates = root.ShowLineStates;
        object->PinLevelsDirty = false;
    }
    ForEachHardwareDevice(Objects, [](IDevice& device) { device.openDevice(); });
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->BuildRunLists(root);
}

void TPlatine::CollectComponents(std::vector<TIOBauteil*>& list) const
{
    for (TBauteil* object : Objects) {
        if (AsWire(object))
            continue;
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            if (TPlatine* inner = macro->InnerBoard())
                inner->CollectComponents(list);
        } else if (auto* component = dynamic_cast<TIOBauteil*>(object)) {
            if (!dynamic_cast<TBTPin*>(component))
                list.push_back(component);
        }
    }
}

void TPlatine::PrepareCircuit(const std::vector<TBauteilPin*>& drivers)
{
    if (ShellHooks.Progress.SetTitle)
        ShellHooks.Progress.SetTitle(OwnerMacro ? PreparingTitle() + OwnerMacro->Name : PreparingTitle());
    ResolveDrivers(drivers);
    Integer shown = -1;
    for (std::size_t i = 0; i < WireList.size(); ++i) {
        KeepResponsive(i);
        const Integer percent = static_cast<Integer>(100 * i / WireList.size());
        if (percent != shown && ShellHooks.Progress.SetPosition)
            ShellHooks.Progress.SetPosition(shown = percent);
        WireList[i]->Driver = DriverOf(drivers, WireList[i]);
    }
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->PrepareCircuit(drivers);
}

void TPlatine::ResolveDrivers(const std::vector<TBauteilPin*>& drivers)
{
    for (TIOBauteil* component : CalcList) {
        if (auto* macro = dynamic_cast<TMakro*>(component)) {
            // A macro's own pins get no source: the components inside read
            // the outer driver directly, since the nets are shared.
            for (Integer i = 0; i < macro->InputCount; ++i)
                macro->InputDrivers[static_cast<std::size_t>(i)] = DriverOf(drivers, macro->Inputs[i].Stub);
            for (Integer j = 0; j < macro->OutputCount; ++j)
                macro->OutputDrivers[static_cast<std::size_t>(j)] = DriverOf(drivers, macro->Outputs[j].Stub);
        } else if (!dynamic_cast<TBTPin*>(component)) {
            for (TBauteilPin& input : component->Inputs)
                input.Source = DriverOf(drivers, input.Stub);
        }
    }
}

void TPlatine::ConnectDdeClients()
{
    struct TLinking {
        TLinking() { DdeLinking = true; }
        ~TLinking() { DdeLinking = false; }
    } linking;
    for (TBauteil* object : Objects) {
        auto* client = AsWire(object) ? nullptr : dynamic_cast<IDdeClient*>(object);
        if (!client)
            continue;
        client->Conversation = nullptr;
        const AnsiString service = client->Service();
        const AnsiString topic = client->Topic();
        IDdeConversation* conversation = nullptr;
        for (const TDdeConversationEntry& entry : DdeConversationList)
            if (entry.Service == service && entry.Topic == topic) {
                conversation = entry.Conversation.get();
                break;
            }
        if (!conversation && CreateDdeConversation) {
            std::unique_ptr<IDdeConversation> created = CreateDdeConversation();
            if (created) {
                conversation = created.get();
                TPlatine* root = RootBoard();
                conversation->OnClose = [root](IDdeConversation* closed) { root->DdeConversationClosed(closed); };
                DdeConversationList.push_back({service, topic, std::move(created)});
            }
        }
        if (!conversation) {
            client->Linked = false;
            continue;
        }
        client->Linked = conversation->SetLink(service, topic);
        client->Conversation = conversation;
        client->AttachItem(conversation);
    }
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->ConnectDdeClients();
}

void TPlatine::DdeConversationClosed(IDdeConversation* conversation)
{
    if (DdeLinking)
        return;
    // Clients on every board may share the conversation, so all of them
    // lose the link, not only those of the board that opened it.
    for (TBauteil* object : Objects) {
        if (AsWire(object))
            continue;
        if (auto* client = dynamic_cast<IDdeClient*>(object))
            if (client->Conversation == conversation)
                client->Linked = false;
        if (auto* macro = dynamic_cast<TMakro*>(object))
            if (TPlatine* inner = macro->InnerBoard())
                inner->DdeConversationClosed(conversation);
    }
}

void TPlatine::ClearWiredGroups()
{
    for (TIOBauteil* component : CalcList) {
        if (dynamic_cast<TBTPin*>(component))
            continue;
        for (TBauteilPin& output : component->Outputs)
            output.WiredGroup.clear();
    }
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->ClearWiredGroups();
}

void TPlatine::ResetAllForStart()
{
    for (std::size_t i = 0; i < CalcList.size(); ++i)
        CalcList[i]->ResetForStart();
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->ResetAllForStart();
}

// ---- The compiled step

namespace {

// What an open input's cell reads; its inversion is folded into the table.
constexpr Byte OpenInput = 0;

} // namespace

// The cell of a plain logic component, when it can have one: its output is
// no text pin and alone on its net (a wired group needs the group's write).
bool TPlatine::MakeGateCell(TIOBauteil& component, TGateCell& cell)
{
    const Integer table = component.PlainLogicTable();
    if (table < 0 || component.OutputCount != 1 || component.InputCount < 1 || component.InputCount > 2)
        return false;
    TBauteilPin& out = component.Outputs[0];
    if (out.IsTextPin() || out.WiredGroup.size() > 1)
        return false;
    // What each input reads for a level byte x of its source (as InputLogic).
    const TBauteilPin* in[2] = {&component.Inputs[0], component.InputCount == 2 ? &component.Inputs[1] : nullptr};
    auto reads = [&](Integer i, unsigned x) {
        const TBauteilPin* pin = in[i];
        if (!pin)
            return false;
        return pin->Source ? (x != 0) != pin->Inverted : !pin->Inverted;
    };
    cell.In0 = in[0]->Source ? &in[0]->Source->Level : &OpenInput;
    cell.In1 = in[1] && in[1]->Source ? &in[1]->Source->Level : &OpenInput;
    cell.Out = &out;
    cell.Table = 0;
    for (unsigned x = 0; x < 4; ++x) {
        const unsigned a = reads(0, x & 1);
        const unsigned b = reads(1, x >> 1);
        const bool high = ((table >> (a | b << 1)) & 1) != 0;
        if (high != out.Inverted)
            cell.Table |= static_cast<Byte>(1u << x);
    }
    return true;
}

void TPlatine::BuildStepProgram()
{
    stepProgram_.clear();
    gateCells_.clear();
    cellComponents_.clear();
    std::vector<std::pair<std::size_t, std::size_t>> boardCells;
    AppendStepProgram(*this, boardCells);
    // The mirror's addresses are taken once it has its final size.
    cellLevels_.assign(gateCells_.size(), 0);
    std::unordered_map<const Byte*, std::size_t> cellOf;
    for (const auto& [first, last] : boardCells) {
        cellOf.clear();
        for (std::size_t i = first; i < last; ++i) {
            cellLevels_[i] = gateCells_[i].Out->Level;
            cellOf.emplace(&gateCells_[i].Out->Level, i);
        }
        auto toMirror = [&](const Byte*& in) {
            if (const auto it = cellOf.find(in); it != cellOf.end())
                in = &cellLevels_[it->second];
        };
        for (std::size_t i = first; i < last; ++i) {
            toMirror(gateCells_[i].In0);
            toMirror(gateCells_[i].In1);
        }
    }
    programGeneration_ = PinLinkGeneration;
    programBuilt_ = true;
}

void TPlatine::AppendStepProgram(const TPlatine& board, std::vector<std::pair<std::size_t, std::size_t>>& boardCells)
{
    const std::size_t firstCell = gateCells_.size();
    for (TIOBauteil* component : board.CalcList) {
        // Their Calculate does nothing.
        if (dynamic_cast<TMakro*>(component) || dynamic_cast<TBTPin*>(component))
            continue;
        TGateCell cell;
        if (!MakeGateCell(*component, cell)) {
            stepProgram_.push_back({component, nullptr, 0, 0});
            continue;
        }
        const auto index = static_cast<std::uint32_t>(gateCells_.size());
        gateCells_.push_back(cell);
        cellComponents_.push_back(component);
        if (stepProgram_.empty() || stepProgram_.back().Component || stepProgram_.back().Board)
            stepProgram_.push_back({nullptr, nullptr, index, index + 1});
        else
            stepProgram_.back().Last = index + 1;
    }
    boardCells.emplace_back(firstCell, gateCells_.size());
    for (TMakro* macro : board.MacroList)
        if (TPlatine* inner = macro->InnerBoard()) {
            AppendStepProgram(*inner, boardCells);
            stepProgram_.push_back({nullptr, inner, 0, 0});
        }
}

void TPlatine::RunGateCells(std::size_t first, std::size_t last)
{
    // The output pins lie apart in memory, one line each: fetched this many
    // cells ahead (into the next runs too), their writes need not wait.
    constexpr std::size_t Ahead = 32;
    const TGateCell* cells = gateCells_.data();
    const std::size_t count = gateCells_.size();
    Byte* levels = cellLevels_.data();
    for (std::size_t i = first; i < last; ++i) {
        const TGateCell& cell = cells[i];
        if (i + Ahead < count) [[likely]]
            __builtin_prefetch(cells[i + Ahead].Out, 1);
        const unsigned high = cell.Table >> (*cell.In0 | *cell.In1 << 1) & 1u;
        levels[i] = static_cast<Byte>(high);
        // The ten bytes with integer moves, as SetOutputLogic writes them.
        std::memcpy(&cell.Out->Value, &LogicLevels[high], ExtendedSize);
        cell.Out->Level = static_cast<Byte>(high);
    }
}

void TPlatine::RunStepProgram()
{
    // By index with a copy of each item: a handler nested in a component's
    // step may prepare the board again or change pins, and the rest of the
    // step then runs through the components' own Calculate.
    const std::size_t count = stepProgram_.size();
    for (std::size_t i = 0; i < count && i < stepProgram_.size(); ++i) {
        const TStepItem item = stepProgram_[i];
        if (item.Component) {
            item.Component->Calculate();
        } else if (item.Board) {
            if (item.Board->View) [[unlikely]]
                item.Board->RefreshAfterStep();
        } else if (programGeneration_ == PinLinkGeneration && item.Last <= gateCells_.size()) [[likely]] {
            RunGateCells(item.First, item.Last);
        } else {
            for (std::size_t k = item.First; k < item.Last && k < cellComponents_.size(); ++k)
                cellComponents_[k]->Calculate();
        }
    }
}

// ---- Stop

void TPlatine::StopSimulation()
{
    // One failing component must not keep the others running or leave a
    // device calling into the board: the first error is raised at the end.
    std::exception_ptr failure;
    StopBoard(failure);
    FreeDdeConversations(*this);
    if (failure)
        std::rethrow_exception(failure);
}

void TPlatine::StopBoard(std::exception_ptr& failure)
{
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TBauteil* object = Objects[i];
        if (AsWire(object))
            continue;
        if (auto* component = dynamic_cast<TIOBauteil*>(object)) {
            try {
                component->SimulationStopped();
            } catch (...) {
                if (!failure)
                    failure = std::current_exception();
            }
        }
        if (auto* hardware = dynamic_cast<IHardwareComponent*>(object))
            if (IDevice* device = hardware->Driver())
                SetIdle(*device, nullptr);
    }
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->StopBoard(failure);
}

// ---- Step and tick

void TPlatine::Step()
{
    if (!ParentBoard)
        ++StepCounter;
    if (programBuilt_ && programGeneration_ == PinLinkGeneration) [[likely]] {
        // The root's program steps the inner boards too.
        RunStepProgram();
    } else {
        // By index and re-reading the size: handlers run nested inside a step.
        const std::size_t count = CalcList.size();
        for (std::size_t i = 0; i < count && i < CalcList.size(); ++i)
            CalcList[i]->Calculate();
        for (std::size_t i = 0; i < MacroList.size(); ++i)
            if (TPlatine* inner = MacroList[i]->InnerBoard())
                inner->Step();
    }
    if (View) [[unlikely]]
        RefreshAfterStep();
}

void TPlatine::RefreshAfterStep()
{
    // Above 60 steps per second the displays follow every (rate div 57)-th
    // step; slower circuits are redrawn by the tick alone.
    const auto rate = static_cast<Integer>(MeasuredStepRate);
    if (rate <= 60 || StepCounter % (rate / 57) != 0 || !BoardVisible())
        return;
    const TPlatine* root = RootBoard();
    if (root->ShowLineStates)
        RecolourWires();
    if (root->ShowComponentStates)
        RefreshLiveStates();
}

void TPlatine::Tick()
{
    for (std::size_t i = 0; i < TickList.size(); ++i)
        TickList[i]->TimerTick();
    for (std::size_t i = 0; i < MacroList.size(); ++i)
        if (TPlatine* inner = MacroList[i]->InnerBoard())
            inner->Tick();
    if (!BoardVisible())
        return;
    const TPlatine* root = RootBoard();
    if (root->ShowLineStates)
        RecolourWires();
    if (root->ShowComponentStates)
        RefreshLiveStates();
}

bool TPlatine::BoardVisible() const
{
    return View && View->BoardVisible();
}

void TPlatine::RecolourWires()
{
    for (TSegment* wire : WireList) {
        // An undriven wire shows high; NaN counts as low.
        const bool level = !wire->Driver || wire->Driver->Value >= LogicThreshold;
        if (level == wire->LastLevel)
            continue;
        wire->LastLevel = level;
        if (TIOBauteil* owner = wire->Owner) {
            owner->PinLevelsDirty = true;
            owner->LiveStateDirty = true;
        } else {
            InvalidateObject(wire);
        }
    }
    // The components draw their pin levels in their own paint.
    for (TIOBauteil* component : CalcList)
        if (component->PinLevelsDirty) {
            InvalidateObject(component);
            component->PinLevelsDirty = false;
        }
}

void TPlatine::RefreshLiveStates()
{
    for (TIOBauteil* component : CalcList) {
        InvalidateObject(component);
        component->LiveStateDirty = false;
    }
}

// ---- Display switches and retained states

void TPlatine::SetDisplaySwitch(bool TBauteil::*displaySwitch, bool TBauteil::*dirty, bool show)
{
    const bool visible = BoardVisible();
    for (TBauteil* object : Objects) {
        object->*dirty = false;
        object->*displaySwitch = show;
        if (visible)
            InvalidateObject(object);
    }
    // The macros on the board now, which may differ from those of the last
    // start: one deleted since is gone.
    for (TBauteil* object : Objects)
        if (auto* macro = dynamic_cast<TMakro*>(object))
            if (TPlatine* inner = macro->InnerBoard())
                inner->SetDisplaySwitch(displaySwitch, dirty, show);
}

void TPlatine::SetShowLineStates(bool show)
{
    SetDisplaySwitch(&TBauteil::ShowLineStates, &TBauteil::PinLevelsDirty, show);
}

void TPlatine::SetShowComponentStates(bool show)
{
    SetDisplaySwitch(&TBauteil::ShowComponentStates, &TBauteil::LiveStateDirty, show);
}

void TPlatine::SaveComponentStates(TCustomIniFile& ini)
{
    for (TBauteil* object : Objects) {
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            if (TPlatine* inner = macro->InnerBoard())
                inner->SaveComponentStates(ini);
        } else {
            object->SaveState(ini, BoardName);
        }
    }
}

void TPlatine::LoadComponentStates(TCustomIniFile& ini, Integer flag)
{
    for (TBauteil* object : Objects) {
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            if (TPlatine* inner = macro->InnerBoard())
                inner->LoadComponentStates(ini, flag);
        } else {
            object->LoadState(ini, BoardName, flag);
        }
    }
}
