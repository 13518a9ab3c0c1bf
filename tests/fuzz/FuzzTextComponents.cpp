// Fuzz entry for the text components' operations. Input layout: one byte
// selects the component (table below; unknown selectors do nothing), one
// byte its variable pin count (2..17), one byte its separator; then rounds
// of input feeds, one per input in order: a control byte (0 open, 1 text,
// 2 number, 3 the same as before), for a text a length byte and the bytes,
// for a number eight bytes of a double (any NaN or infinity included). Each
// round is one step, so edges and held texts see changes. Nothing may crash,
// hang or read out of bounds; a component may not throw.
#include "components/strings/BT_StrCRC.h"
#include "components/strings/BT_StrConvert.h"
#include "components/strings/BT_StrMemory.h"
#include "components/strings/BT_StrOperations.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr const char* Components[] = {
    "TBT_Str_Value", "TBTStrFormat", "TBTStrChr", "TBTStrASCII", "TBTStrLength", "TBTStrUpper", "TBTStrTrim",
    "TBTStrPlus", "TBTStrCSV", "TBTStrCopy", "TBTStrInsert", "TBTStrDelete", "TBTStrIndex", "TBTStrPos",
    "TBTStrReplace", "TBTStrCompare", "TBTStrParts", "TBTStrMux", "TBTStrHold", "TBTStrBuffer", "TBTStrCRC",
    "TBTStrBytes", "TBT_Str_Fest",
};

constexpr std::size_t MaxRounds = 16;

class TFeed {
public:
    TFeed(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    AnsiString Text(std::size_t n)
    {
        n = std::min(n, size_ - std::min(at_, size_));
        AnsiString text(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Drivers of the component's inputs: a text pin or a number pin each.
void Feed(TFeed& feed, TIOBauteil& c, std::vector<TBauteilPin>& drivers)
{
    for (Integer i = 0; i < c.InputCount; ++i) {
        TBauteilPin& driver = drivers[static_cast<std::size_t>(i)];
        switch (feed.Byte() % 4) {
        case 0: c.Inputs[i].Source = nullptr; break;
        case 1:
            driver.Name = "$";
            driver.SetText(feed.Text(feed.Byte()));
            c.Inputs[i].Source = &driver;
            break;
        case 2: {
            double v = 0;
            const AnsiString bytes = feed.Text(sizeof v);
            std::memcpy(&v, bytes.data(), bytes.size());
            driver.Name = "";
            driver.Value = v;
            c.Inputs[i].Source = &driver;
            break;
        }
        default: break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3 || data[0] >= std::size(Components))
        return 0;
    static const bool registered = [] {
        for (TRowList (*family)() : {&StrConvertRows, &StrOperationRows, &StrMemoryRows, &StrCrcRows})
            RegisterRows(family());
        return true;
    }();
    (void)registered;
    std::unique_ptr<TIOBauteil> c(CreateComponent(Components[data[0]]));
    const Integer count = 2 + data[1] % 16;
    if (auto* join = dynamic_cast<TStrJoin*>(c.get())) {
        join->SetInputCount(count);
        join->Separator = data[2];
    } else if (auto* parts = dynamic_cast<TBTStrParts*>(c.get())) {
        parts->SetOutputCount(count);
        parts->Separator = data[2];
    } else if (auto* mux = dynamic_cast<TBTStrMux*>(c.get())) {
        mux->SetChannels(data[1] % 4);
    } else if (dynamic_cast<TBTStrBytes*>(c.get())) {
        c->SetInputCount(1 + data[1] % 65);
        c->SetOutputCount(1 + data[2] % 65);
    }
    std::vector<TBauteilPin> drivers(static_cast<std::size_t>(c->InputCount));
    TFeed feed(data + 3, size - 3);
    c->ResetForStart();
    for (std::size_t round = 0; round < MaxRounds && !feed.Empty(); ++round) {
        Feed(feed, *c, drivers);
        c->Calculate();
    }
    c->SimulationStopped();
    return 0;
}
