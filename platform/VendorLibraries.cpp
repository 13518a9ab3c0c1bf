#include "platform/VendorLibraries.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<void (*)()>& Loaded()
{
    static std::vector<void (*)()> loaded;
    return loaded;
}

} // namespace

void AddVendorLibrary(void (*release)())
{
    auto& loaded = Loaded();
    if (release && std::find(loaded.begin(), loaded.end(), release) == loaded.end())
        loaded.push_back(release);
}

void ReleaseVendorLibraries()
{
    // Taken out first: a release function may load or add again.
    const std::vector<void (*)()> loaded = std::move(Loaded());
    Loaded().clear();
    for (const auto release : loaded)
        release();
}
