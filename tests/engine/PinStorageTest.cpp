// The storage of the pin lists: lists of any size, grown, shrunk, freed and
// made again in any order, keep their own pins, never share storage with
// another live list, and start on a cache line.
#include "engine/Bauteil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>

namespace {

// Each pin of list `id` carries its id and index, so that a list written
// over by another shows.
void Tag(TPinList& pins, Integer id)
{
    for (std::size_t i = 0; i < pins.size(); ++i) {
        pins[i].X = id;
        pins[i].Y = static_cast<Integer>(i);
    }
}

bool Tagged(const TPinList& pins, Integer id)
{
    for (std::size_t i = 0; i < pins.size(); ++i)
        if (pins[i].X != id || pins[i].Y != static_cast<Integer>(i))
            return false;
    return true;
}

TEST(PinStorage, ListsKeepTheirPinsApartThroughAnyOrderOfChanges)
{
    std::mt19937 rng(2024);
    std::map<Integer, TPinList> lists;
    Integer nextId = 0;
    // Sizes around the pooled ones and beyond them.
    std::uniform_int_distribution<std::size_t> size(0, 40);
    for (int op = 0; op < 4000; ++op) {
        const unsigned kind = rng() % 4;
        if (kind == 0 || lists.empty()) {
            TPinList& pins = lists[nextId];
            pins.resize(size(rng));
            Tag(pins, nextId++);
        } else {
            auto it = lists.begin();
            std::advance(it, static_cast<long>(rng() % lists.size()));
            if (kind == 1) {
                lists.erase(it);
            } else if (kind == 2) {
                it->second.resize(size(rng));   // as a changed input count rebuilds them
                Tag(it->second, it->first);
            } else {
                TPinList moved = std::move(it->second);   // as a list handed on
                it->second = std::move(moved);
            }
        }
        std::map<std::uintptr_t, std::uintptr_t> ranges;   // start -> end of each live list
        for (const auto& [id, pins] : lists) {
            ASSERT_TRUE(Tagged(pins, id)) << "list " << id << " after operation " << op;
            if (pins.empty())
                continue;
            const auto start = reinterpret_cast<std::uintptr_t>(pins.data());
            ASSERT_EQ(start % 64, 0u);
            ranges[start] = start + pins.size() * sizeof(TBauteilPin);
        }
        std::uintptr_t lastEnd = 0;
        for (const auto& [start, end] : ranges) {
            ASSERT_GE(start, lastEnd) << "lists overlap after operation " << op;
            lastEnd = end;
        }
    }
}

} // namespace
