#include "components/analog/Korrekturwerte.h"

#include "engine/Publics.h"
#include "platform/AnsiText.h"
#include "platform/Stream.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

bool Finite(Extended v)
{
    return std::isfinite(v);
}

// Step 4 of the import: at least two pairs.
void Pad(TKorrekturwerte& values)
{
    if (values.Count() == 0)
        values.Add(0.0L, 0.0L);
    if (values.Count() == 1)
        values.Add(1.0L, 1.0L);
}

} // namespace

void TKorrekturwerte::Add(Extended input, Extended output)
{
    // Inserting after the equal inputs keeps the list sorted in one pass; a
    // full exchange sort after each pair made a long import take hours.
    const auto at = std::upper_bound(pairs_.begin(), pairs_.end(), input,
                                     [](Extended x, const TKorrekturwert& p) { return x < p.Input; });
    pairs_.insert(at, TKorrekturwert{input, output});
}

void TKorrekturwerte::Change(Integer index, Extended input, Extended output)
{
    if (index >= 0 && index < Count())
        pairs_[static_cast<std::size_t>(index)] = {input, output};
}

void TKorrekturwerte::Delete(Integer index)
{
    if (index >= 0 && index < Count())
        pairs_.erase(pairs_.begin() + index);
}

void TKorrekturwerte::Reset()
{
    pairs_.clear();
    Add(0.0L, 0.0L);
    Add(1.0L, 1.0L);
}

Integer TKorrekturwerte::FindIndex(Extended x) const
{
    for (Integer i = 0; i < Count(); ++i)
        if ((*this)[i].Input >= x)
            return i;
    return Count() - 1;
}

Extended TKorrekturwerte::Interpolate(Extended x) const
{
    const Integer n = Count();
    if (n == 0)
        return x;
    if (n == 1)
        return pairs_[0].Output;
    Integer a, b;
    if (x > pairs_[static_cast<std::size_t>(n - 1)].Input) {
        a = n - 2;
        b = n - 1;
    } else if (x < pairs_[0].Input) {
        a = 0;
        b = 1;
    } else {
        Integer lo = 0, hi = n - 1;
        while (hi - lo > 1) {
            const Integer mid = lo + (hi - lo) / 2;
            if (x <= pairs_[static_cast<std::size_t>(mid)].Input)
                hi = mid;
            else
                lo = mid;
        }
        a = lo;
        b = hi;
    }
    const TKorrekturwert& pa = pairs_[static_cast<std::size_t>(a)];
    const TKorrekturwert& pb = pairs_[static_cast<std::size_t>(b)];
    if (pb.Input == pa.Input)
        return x < pb.Input ? pa.Output : pb.Output;
    const Extended m = (pb.Output - pa.Output) / (pb.Input - pa.Input);
    const Extended c = pb.Output - m * pb.Input;
    return m * x + c;
}

void TKorrekturwerte::WriteTo(TWriter& writer) const
{
    writer.WriteInteger(Count());
    for (const TKorrekturwert& p : pairs_) {
        writer.WriteFloat(p.Input);
        writer.WriteFloat(p.Output);
    }
}

void TKorrekturwerte::ReadFrom(TReader& reader)
{
    const Integer count = reader.ReadInteger();
    if (count < 0 || count > MaxCount)
        throw EReadError(SReadError);
    TKorrekturwerte read;
    read.pairs_.clear();
    for (Integer i = 0; i < count; ++i) {
        const Extended input = reader.ReadFloat();
        const Extended output = reader.ReadFloat();
        if (!Finite(input) || !Finite(output))
            throw EReadError(SReadError);
        read.Add(input, output);
    }
    *this = std::move(read);
}

bool operator==(const TKorrekturwerte& a, const TKorrekturwerte& b)
{
    return std::equal(a.pairs_.begin(), a.pairs_.end(), b.pairs_.begin(), b.pairs_.end(),
                      [](const TKorrekturwert& x, const TKorrekturwert& y) {
                          return x.Input == y.Input && x.Output == y.Output;
                      });
}

std::optional<TKorrekturwerte> ImportCorrectionText(std::string_view text)
{
    std::vector<TKorrekturwert> read;
    std::size_t lines = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Lines end at CR LF, LF or CR, as a string list loads them.
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        if (end < text.size())
            pos = text.substr(end, 2) == "\r\n" ? end + 2 : end + 1;
        else
            pos = end;
        if (++lines > static_cast<std::size_t>(TKorrekturwerte::MaxCount))
            return std::nullopt;
        const std::size_t semicolon = line.find(';');
        Extended input, output;
        if (semicolon == std::string_view::npos) {
            input = StrToValue("");
            output = StrToValue(AnsiString(line.substr(0, 1000)));
        } else {
            input = StrToValue(AnsiString(line.substr(0, semicolon)));
            output = StrToValue(AnsiString(line.substr(semicolon + 1, 1000)));
        }
        // A pair that is not a finite number cannot stand on the curve.
        if (Finite(input) && Finite(output))
            read.push_back({input, output});
    }
    // Sorting all at once keeps equal inputs in file order, as adding them
    // one by one does.
    std::stable_sort(read.begin(), read.end(),
                     [](const TKorrekturwert& a, const TKorrekturwert& b) { return a.Input < b.Input; });
    TKorrekturwerte values;
    values.Clear();
    for (const TKorrekturwert& p : read)
        values.Add(p.Input, p.Output);
    Pad(values);
    for (Integer i = values.Count() - 1; i >= 1; --i)
        if (values[i].Input == values[i - 1].Input)
            values.Delete(i);
    Pad(values);
    return values;
}

std::optional<TKorrekturwerte> ImportCorrectionFile(const AnsiString& fileName)
{
    QFile file(AnsiToQString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A text file of more pairs than a table holds is refused before it is
    // read whole; a line takes at least one byte.
    constexpr qint64 MaxBytes = 64LL * 1024 * 1024;
    if (file.size() > MaxBytes)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return ImportCorrectionText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
