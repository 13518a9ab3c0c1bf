// Look-ups over a fixed list of wire pieces by their end points and lines, so
// that normalisation, rubber bands and the tidy-up find the pieces touching
// one piece without scanning the board. The index sees the pieces as they
// were when it was built.
#pragma once

#include "platform/SysTypes.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class TSegment;

class TWireIndex {
public:
    explicit TWireIndex(const std::vector<TSegment*>& wires);

    // Positions (in the list given, ascending, each once) of the pieces
    // other than wire that touch it: an end point in common, an end point
    // strictly inside wire, or an end point of wire strictly inside them.
    void Touching(const TSegment* wire, std::vector<std::size_t>& positions) const;
    // Positions of the pieces with an end at p, ascending (a piece whose
    // both ends lie at p twice).
    const std::vector<std::size_t>& EndsAt(TPoint p) const;

    static std::uint64_t Key(TPoint p)
    {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.X)) << 32 | static_cast<std::uint32_t>(p.Y);
    }

private:
    struct TMark {
        Integer At;             // coordinate along the line
        std::size_t Position;
    };
    // A piece's open interval (Low, High) along its line.
    struct TSpan {
        Integer Low, High;
        std::size_t Position;
    };
    struct TSpans {
        std::vector<TSpan> Items;       // by Low
        std::vector<Integer> MaxHigh;   // the largest High of Items[0..k]
    };
    static void MarksIn(const std::unordered_map<Integer, std::vector<TMark>>& lines, Integer line, Integer low,
                        Integer high, std::vector<std::size_t>& out);
    static void SpansAround(const std::unordered_map<Integer, TSpans>& lines, Integer line, Integer at,
                            std::vector<std::size_t>& out);

    const std::vector<TSegment*>& wires_;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> ends_;
    std::unordered_map<Integer, std::vector<TMark>> rowEnds_;      // end points by y, sorted by x
    std::unordered_map<Integer, std::vector<TMark>> columnEnds_;   // end points by x, sorted by y
    std::unordered_map<Integer, TSpans> rowSpans_;      // pieces that are not vertical, by their start's y
    std::unordered_map<Integer, TSpans> columnSpans_;   // vertical pieces, by x
};
