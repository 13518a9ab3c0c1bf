// Fuzz entry for the update server's directory listing: any bytes come from
// the network. The search must end without a fault; what it finds is a real
// date of the years it reads and a size of digits; it does not depend on how
// the lines end, and lines after the first that names the file change
// nothing.
#include "shell/OnlineUpdate.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool SameEntry(const std::optional<TUpdateListingEntry>& a, const std::optional<TUpdateListingEntry>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || (a->Date == b->Date && a->Size == b->Size);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte: the length of a file name that follows; 0 takes the
    // name this build looks for.
    const std::size_t nameLength = std::min<std::size_t>(data[0] % 32, size - 1);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string name = nameLength == 0 ? std::string(UpdateFileOfThisBuild) : std::string(bytes.substr(0, nameLength));
    const std::string listing(bytes.substr(nameLength));

    const auto entry = FindUpdateInListing(listing, name);
    if (entry) {
        FUZZ_CHECK(entry->Date.isValid());
        FUZZ_CHECK(entry->Date.year() >= 2000 && entry->Date.year() <= 2099);
        FUZZ_CHECK(entry->Size >= 0 && entry->Size < 1000000000000000000LL);
    }

    // CR LF, CR and LF end lines alike.
    std::string lf;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        if (listing[i] == '\r') {
            lf += '\n';
            if (i + 1 < listing.size() && listing[i + 1] == '\n')
                ++i;
        } else {
            lf += listing[i];
        }
    }
    FUZZ_CHECK(SameEntry(FindUpdateInListing(lf, name), entry));

    // A later line naming the file, readable or not, changes nothing found.
    if (entry) {
        const std::string more = listing + "\n01-01-01  01:00AM                     1 " + name + "\nxx " + name;
        FUZZ_CHECK(SameEntry(FindUpdateInListing(more, name), entry));
    }
    return 0;
}
