#include "engine/WireIndex.h"

#include "engine/Segment.h"

#include <algorithm>

TWireIndex::TWireIndex(const std::vector<TSegment*>& wires) : wires_(wires)
{
    for (std::size_t i = 0; i < wires.size(); ++i) {
        const TSegment* wire = wires[i];
        for (const TPoint p : {wire->StartPoint, wire->EndPoint}) {
            ends_[Key(p)].push_back(i);
            rowEnds_[p.Y].push_back({p.X, i});
            columnEnds_[p.X].push_back({p.Y, i});
        }
        // The same lines as TSegment::ContainsInner.
        if (wire->IsVertical())
            columnSpans_[wire->StartPoint.X].Items.push_back({wire->StartPoint.Y, wire->EndPoint.Y, i});
        else
            rowSpans_[wire->StartPoint.Y].Items.push_back({wire->StartPoint.X, wire->EndPoint.X, i});
    }
    auto byAt = [](const TMark& a, const TMark& b) { return a.At < b.At; };
    for (auto* lines : {&rowEnds_, &columnEnds_})
        for (auto& [line, marks] : *lines)
            std::sort(marks.begin(), marks.end(), byAt);
    for (auto* lines : {&rowSpans_, &columnSpans_})
        for (auto& [line, spans] : *lines) {
            std::sort(spans.Items.begin(), spans.Items.end(),
                      [](const TSpan& a, const TSpan& b) { return a.Low < b.Low; });
            spans.MaxHigh.resize(spans.Items.size());
            Integer high = 0;
            for (std::size_t k = 0; k < spans.Items.size(); ++k)
                spans.MaxHigh[k] = high = k == 0 ? spans.Items[k].High : std::max(high, spans.Items[k].High);
        }
}

const std::vector<std::size_t>& TWireIndex::EndsAt(TPoint p) const
{
    static const std::vector<std::size_t> none;
    const auto it = ends_.find(Key(p));
    return it == ends_.end() ? none : it->second;
}

void TWireIndex::MarksIn(const std::unordered_map<Integer, std::vector<TMark>>& lines, Integer line, Integer low,
                         Integer high, std::vector<std::size_t>& out)
{
    const auto it = lines.find(line);
    if (it == lines.end() || high <= low)
        return;
    const std::vector<TMark>& marks = it->second;
    auto k = std::upper_bound(marks.begin(), marks.end(), low, [](Integer v, const TMark& m) { return v < m.At; });
    for (; k != marks.end() && k->At < high; ++k)
        out.push_back(k->Position);
}

void TWireIndex::SpansAround(const std::unordered_map<Integer, TSpans>& lines, Integer line, Integer at,
                             std::vector<std::size_t>& out)
{
    const auto it = lines.find(line);
    if (it == lines.end())
        return;
    const TSpans& spans = it->second;
    // Every span that starts before `at`, walked back while one of them
    // can still reach past it.
    std::size_t k = static_cast<std::size_t>(
        std::lower_bound(spans.Items.begin(), spans.Items.end(), at,
                         [](const TSpan& s, Integer v) { return s.Low < v; }) -
        spans.Items.begin());
    while (k-- > 0 && spans.MaxHigh[k] > at)
        if (spans.Items[k].High > at)
            out.push_back(spans.Items[k].Position);
}

void TWireIndex::Touching(const TSegment* wire, std::vector<std::size_t>& positions) const
{
    positions.clear();
    for (const TPoint p : {wire->StartPoint, wire->EndPoint}) {
        const std::vector<std::size_t>& at = EndsAt(p);
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
