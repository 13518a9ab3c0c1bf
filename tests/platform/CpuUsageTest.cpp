// The processor-load sampler on this machine's own statistics file (canned
// samples are read through the system-information component's tests).
#include "platform/CpuUsage.h"

#include <gtest/gtest.h>

namespace {

TEST(CpuUsage, TheRealStatisticsFileReads)
{
    SetCpuStatFile("");
    EXPECT_TRUE(SampleCpuData());
    EXPECT_GE(CpuCount(), 1);
    EXPECT_TRUE(SampleCpuData());
    const double usage = CpuUsage(0);
    EXPECT_GE(usage, 0.0);
    EXPECT_LE(usage, 1.0);
    EXPECT_EQ(CpuUsage(CpuCount()), -1.0);
}

} // namespace
