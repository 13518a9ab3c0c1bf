#include "engine/Nets.h"

#include "engine/Makro.h"
#include "engine/Platine.h"
#include "engine/Segment.h"

#include <cstdint>
#include <vector>

namespace {

std::uint64_t PointKey(TPoint p)
{
    return (std::uint64_t{static_cast<std::uint32_t>(p.X)} << 32) | static_cast<std::uint32_t>(p.Y);
}

} // namespace

Integer TNetNumbering::Number(TPlatine& root)
{
    wires_.clear();
    boards_.clear();
    CollectBoard(root);
    parent_.resize(wires_.size());
    for (std::size_t i = 0; i < parent_.size(); ++i)
        parent_[i] = i;

    // While the numbering runs, a wire's Net holds its index + 1, so the
    // macro pass finds stubs without a search.
    for (std::size_t i = 0; i < wires_.size(); ++i)
        wires_[i]->Net = static_cast<Integer>(i + 1);

    std::size_t first = 0;
    for (TPlatine* board : boards_) {
        const std::size_t last = first + board->WireList.size();
        JoinEndPoints(first, last);
        first = last;
    }
    for (TPlatine* board : boards_)
        for (TMakro* macro : board->MacroList)
            JoinMacroPins(*macro);

    std::vector<Integer> numbers(wires_.size(), 0);
    Integer counter = 0;
    for (std::size_t i = 0; i < wires_.size(); ++i) {
        Integer& number = numbers[Find(i)];
        if (number == 0)
            number = ++counter;
        wires_[i]->Net = number;
    }
    return counter;
}

void TNetNumbering::CollectBoard(TPlatine& board)
{
    boards_.push_back(&board);
    wires_.insert(wires_.end(), board.WireList.begin(), board.WireList.end());
    for (const TMakro* macro : board.MacroList)
        if (TPlatine* inner = macro->InnerBoard())
            CollectBoard(*inner);
}

void TNetNumbering::JoinEndPoints(std::size_t first, std::size_t last)
{
    // Only end points join: the first wire seen at a point stands for it.
    // A large board has millions of end points: an open-addressed table of a
    // power-of-two size, at most half full, instead of a map's nodes.
    struct TSlot {
        std::uint64_t Key;
        std::size_t Wire;   // SIZE_MAX: empty
    };
    std::size_t size = 16;
    while (size < 4 * (last - first))
        size *= 2;
    std::vector<TSlot> ends(size, TSlot{0, SIZE_MAX});
    const std::size_t mask = size - 1;
    for (std::size_t i = first; i < last; ++i)
        for (TPoint p : {wires_[i]->StartPoint, wires_[i]->EndPoint}) {
            const std::uint64_t key = PointKey(p);
            // Fibonacci hashing spreads the grid's regular coordinates.
            std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & mask;
            while (ends[slot].Wire != SIZE_MAX && ends[slot].Key != key)
                slot = (slot + 1) & mask;
            if (ends[slot].Wire == SIZE_MAX)
                ends[slot] = {key, i};
            else
                Join(i, ends[slot].Wire);
        }
}

void TNetNumbering::JoinMacroPins(TMakro& macro)
{
    TPlatine* inner = macro.InnerBoard();
    if (!inner)
        return;
    for (TBauteil* object : inner->Objects) {
        const auto* pin = dynamic_cast<const TBTPin*>(object);
        if (!pin || pin->Inputs.empty())
            continue;
        const std::ptrdiff_t in = IndexOf(pin->Inputs[0].Stub);
        const TBauteilPin* outer = macro.MacroPin(pin->Number);
        const std::ptrdiff_t out = outer ? IndexOf(outer->Stub) : -1;
        if (in >= 0 && out >= 0)
            Join(static_cast<std::size_t>(in), static_cast<std::size_t>(out));
    }
}

std::ptrdiff_t TNetNumbering::IndexOf(const TSegment* wire) const
{
    if (!wire || wire->Net <= 0)
        return -1;
    const auto i = static_cast<std::size_t>(wire->Net - 1);
    return i < wires_.size() && wires_[i] == wire ? static_cast<std::ptrdiff_t>(i) : -1;
}

std::size_t TNetNumbering::Find(std::size_t i)
{
    while (parent_[i] != i) {
        parent_[i] = parent_[parent_[i]];
        i = parent_[i];
    }
    return i;
}

void TNetNumbering::Join(std::size_t a, std::size_t b)
{
    a = Find(a);
    b = Find(b);
    if (a != b)
        parent_[a < b ? b : a] = a < b ? a : b;
}
