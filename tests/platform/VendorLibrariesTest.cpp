#include "platform/VendorLibraries.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string released;
void ReleaseA() { released += "A"; }
void ReleaseB() { released += "B"; }

} // namespace

TEST(VendorLibrariesTest, EachLoadedLibraryIsReleasedOnceInLoadOrder)
{
    released.clear();
    AddVendorLibrary(ReleaseB);
    AddVendorLibrary(ReleaseA);
    AddVendorLibrary(ReleaseB);
    ReleaseVendorLibraries();
    EXPECT_EQ(released, "BA");
    ReleaseVendorLibraries();
    EXPECT_EQ(released, "BA");
    // Loaded again after a release, it is released again.
    AddVendorLibrary(ReleaseA);
    ReleaseVendorLibraries();
    EXPECT_EQ(released, "BAA");
}
