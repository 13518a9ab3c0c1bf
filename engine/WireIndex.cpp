#include "engine/WireIndex.h"

#include "engine/Segment.h"

#include <algorithm>

TWireIndex::TWireIndex(const std::vector<TSegment*>& wires) : wires_(wires)
{
    std::vector<std::pair<std::uint64_t, std::size_t>> ends;
    ends.reserve(wires.size() * 2);
    rowEnds_.reserve(wires.size() * 2);
    columnEnds_.reserve(wires.size() * 2);
    for (std::size_t i = 0; i < wires.size(); ++i) {
        const TSegment* wire = wires[i];
        for (const TPoint p : {wire->StartPoint, wire->EndPoint}) {
            ends.emplace_back(Key(p), i);
            rowEnds_.push_back({p.Y, p.X, i});
            columnEnds_.push_back({p.X, p.Y, i});
        }
        // The same lines as TSegment::ContainsInner.
        if (wire->IsVertical())
            columnSpans_.push_back({wire->StartPoint.X, wire->StartPoint.Y, wire->EndPoint.Y, 0, i});
        else
            rowSpans_.push_back({wire->StartPoint.Y, wire->StartPoint.X, wire->EndPoint.X, 0, i});
    }
    std::sort(ends.begin(), ends.end());
    endKeys_.reserve(ends.size());
    endPositions_.reserve(ends.size());
    for (const auto& [key, position] : ends) {
        endKeys_.push_back(key);
        endPositions_.push_back(position);
    }
    auto byLineAt = [](const TMark& a, const TMark& b) { return a.Line != b.Line ? a.Line < b.Line : a.At < b.At; };
    std::sort(rowEnds_.begin(), rowEnds_.end(), byLineAt);
    std::sort(columnEnds_.begin(), columnEnds_.end(), byLineAt);
    for (auto* spans : {&rowSpans_, &columnSpans_}) {
        std::sort(spans->begin(), spans->end(),
                  [](const TSpan& a, const TSpan& b) { return a.Line != b.Line ? a.Line < b.Line : a.Low < b.Low; });
        for (std::size_t k = 0; k < spans->size(); ++k) {
            TSpan& s = (*spans)[k];
            const bool first = k == 0 || (*spans)[k - 1].Line != s.Line;
            s.MaxHigh = first ? s.High : std::max((*spans)[k - 1].MaxHigh, s.High);
        }
    }
}

std::span<const std::size_t> TWireIndex::EndsAt(TPoint p) const
{
    const auto [first, last] = std::equal_range(endKeys_.begin(), endKeys_.end(), Key(p));
    return {endPositions_.data() + (first - endKeys_.begin()), static_cast<std::size_t>(last - first)};
}

void TWireIndex::MarksIn(const std::vector<TMark>& marks, Integer line, Integer low, Integer high,
                         std::vector<std::size_t>& out)
{
    if (high <= low)
        return;
    // The first mark of the line beyond low, then along the line while below high.
    auto k = std::upper_bound(marks.begin(), marks.end(), std::pair(line, low), [](const auto& v, const TMark& m) {
        return v.first != m.Line ? v.first < m.Line : v.second < m.At;
    });
    for (; k != marks.end() && k->Line == line && k->At < high; ++k)
        out.push_back(k->Position);
}

void TWireIndex::SpansAround(const std::vector<TSpan>& spans, Integer line, Integer at, std::vector<std::size_t>& out)
{
    // Every span of the line that starts before `at`, walked back while one
    // of them can still reach past it.
    const auto lineStart = std::lower_bound(spans.begin(), spans.end(), line,
                                            [](const TSpan& s, Integer v) { return s.Line < v; });
    auto k = std::lower_bound(lineStart, spans.end(), std::pair(line, at), [](const TSpan& s, const auto& v) {
        return s.Line != v.first ? s.Line < v.first : s.Low < v.second;
    });
    while (k != lineStart) {
        --k;
        if (k->MaxHigh <= at)
            break;
        if (k->High > at)
            out.push_back(k->Position);
    }
}

void TWireIndex::Touching(const TSegment* wire, std::vector<std::size_t>& positions) const
{
    positions.clear();
    for (const TPoint p : {wire->StartPoint, wire->EndPoint}) {
        const std::span<const std::size_t> at = EndsAt(p);
        positions.insert(positions.end(), at.begin(), at.end());
        SpansAround(columnSpans_, p.X, p.Y, positions);
        SpansAround(rowSpans_, p.Y, p.X, positions);
    }
    if (wire->IsVertical())
        MarksIn(columnEnds_, wire->StartPoint.X, wire->StartPoint.Y, wire->EndPoint.Y, positions);
    else
        MarksIn(rowEnds_, wire->StartPoint.Y, wire->StartPoint.X, wire->EndPoint.X, positions);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::erase_if(positions, [&](std::size_t i) { return wires_[i] == wire; });
}
