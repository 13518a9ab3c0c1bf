// Helpers for the simulation tests: wires drawn as the editor draws them
// (without linking anything, so only the simulation start links inputs), and
// macros placed on any board, also inside other macros.
#pragma once

#include "support/TestBoard.h"

#include "engine/Segment.h"

// Draws a horizontal-vertical-horizontal wire between two pin ends.
inline void DrawWire(TPlatine& board, TPoint p, TPoint q)
{
    if (p.Y == q.Y || p.X == q.X) {
        board.AddWireAndNormalise(p, q);
        return;
    }
    const Integer middle = (p.X + q.X) / 2 / 20 * 20;
    for (auto [a, b] : {std::pair{p, TPoint{middle, p.Y}}, std::pair{TPoint{middle, p.Y}, TPoint{middle, q.Y}},
                        std::pair{TPoint{middle, q.Y}, q}})
        if (a != b)
            board.AddWireAndNormalise(a, b);
}

// A wire along the points, one straight piece between each two.
inline void DrawPath(TPlatine& board, std::initializer_list<TPoint> points)
{
    for (auto p = points.begin(); p + 1 != points.end(); ++p)
        board.AddWireAndNormalise(*p, *(p + 1));
}

inline TPoint PinEnd(const TBauteilPin& pin)
{
    return {pin.X, pin.Y};
}

// A wire from an output to an input on the board both lie on.
inline void Wire(TPlatine& board, TIOBauteil* from, Integer output, TIOBauteil* to, Integer input)
{
    DrawWire(board, PinEnd(from->Outputs[output]), PinEnd(to->Inputs[input]));
}

// A component placed on any board (the test board places on its root only).
template <class T>
T* PlaceOn(TPlatine& board, Integer x, Integer y)
{
    T* component = CreateBauteil<T>();
    component->X = x;
    component->Y = y;
    component->LayoutPins();
    board.InsertObject(component);
    board.SelectAll(false);
    return component;
}

// A macro on any board with `pins` macro pin components inside (inputs first).
inline TMakro* PlaceMacroOn(TTestBoard& t, TPlatine& board, Integer x, Integer y, Integer pins)
{
    if (&board == &t.Board())
        return t.PlaceMacro(x, y, pins);
    auto* macro = CreateBauteil<TMakro>();
    TPlatine* inner = board.CreateInnerBoard(macro);
    t.Host().Attach(*inner);
    macro->X = x;
    macro->Y = y;
    macro->LayoutPins();
    board.InsertObject(macro);
    for (Integer k = 0; k < pins; ++k)
        PlaceOn<TBTPin>(*inner, 300, 300 + 100 * k);
    TTestHost::UpdateMacroPins(*macro);
    board.SelectAll(false);
    return macro;
}

// The macro pin component k (1-based) inside a macro.
inline TBTPin* MacroPin(TMakro* macro, Integer k)
{
    return macro->InnerBoard()->FindMacroPin(k);
}

// The net of every wire and stub of a board and its inner boards, in
// object order, boards depth first.
inline void CollectNets(const TPlatine& board, std::vector<Integer>& nets)
{
    for (const TBauteil* object : board.Objects) {
        if (auto* wire = dynamic_cast<const TSegment*>(object))
            nets.push_back(wire->Net);
        if (auto* macro = dynamic_cast<const TMakro*>(object); macro && macro->InnerBoard())
            CollectNets(*macro->InnerBoard(), nets);
    }
}

// The wires (not stubs) of a board in object order.
inline std::vector<TSegment*> FreeWires(const TPlatine& board)
{
    std::vector<TSegment*> wires;
    for (TBauteil* object : board.Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object); wire && !wire->IsStub())
            wires.push_back(wire);
    return wires;
}
