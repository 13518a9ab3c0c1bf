// Look-ups over a fixed list of wire pieces by their end points and lines, so
// that normalisation, rubber bands and the tidy-up find the pieces touching
// one piece without scanning the board. The index sees the pieces as they
// were when it was built.
#pragma once

#include "platform/SysTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
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
    std::span<const std::size_t> EndsAt(TPoint p) const;

    static std::uint64_t Key(TPoint p)
    {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.X)) << 32 | static_cast<std::uint32_t>(p.Y);
    }

private:
    // Flat arrays sorted once: a project of 100,000 pieces builds them
    // without an allocation per point or line.
    struct TMark {
        Integer Line;           // y of a row, x of a column
        Integer At;             // coordinate along the line
        std::size_t Position;
    };
    // A piece's open interval (Low, High) along its line; MaxHigh is the
    // largest High of the spans of its line up to it.
    struct TSpan {
        Integer Line;
        Integer Low, High, MaxHigh;
        std::size_t Position;
    };
    static void MarksIn(const std::vector<TMark>& marks, Integer line, Integer low, Integer high,
                        std::vector<std::size_t>& out);
    static void SpansAround(const std::vector<TSpan>& spans, Integer line, Integer at, std::vector<std::size_t>& out);

    const std::vector<TSegment*>& wires_;
    std::vector<std::uint64_t> endKeys_;       // sorted
    std::vector<std::size_t> endPositions_;    // beside endKeys_, ascending per key
    std::vector<TMark> rowEnds_;       // end points by y, then x
    std::vector<TMark> columnEnds_;    // end points by x, then y
    std::vector<TSpan> rowSpans_;      // pieces that are not vertical, by their start's y, then Low
    std::vector<TSpan> columnSpans_;   // vertical pieces, by x, then Low
};
