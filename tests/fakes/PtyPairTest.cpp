// The pseudo-terminal pair: bytes cross in both directions unchanged, the
// port end opens by its name as a driver opens it, and a read returns what
// has arrived when no more comes.
#include "fakes/PtyPair.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(PtyPair, EveryByteCrossesBothWaysUnchanged)
{
    TPtyPair pty;
    const std::string bytes = AllBytes();
    pty.Device.Write(bytes);
    EXPECT_EQ(pty.Port.Read(bytes.size(), 5000), bytes);
    pty.Port.Write(bytes);
    EXPECT_EQ(pty.Device.Read(bytes.size(), 5000), bytes);
}

TEST(PtyPair, ThePortOpensByItsName)
{
    TPtyPair pty;
    ASSERT_EQ(pty.PortName().rfind("/dev/pts/", 0), 0u);
    const TPtyEnd driver(open(pty.PortName().c_str(), O_RDWR | O_NOCTTY));
    ASSERT_GE(driver.Fd(), 0);
    driver.Write("*IDN?\n");
    EXPECT_EQ(pty.Device.Read(6, 5000), "*IDN?\n");
}

TEST(PtyPair, AReadGivesWhatArrivedWhenNoMoreComes)
{
    TPtyPair pty;
    EXPECT_EQ(pty.Device.Read(4, 0), "");
    pty.Port.Write("ab");
    EXPECT_EQ(pty.Device.Read(1, 5000), "a");   // one write arrives as a whole
    EXPECT_EQ(pty.Device.Read(4, 0), "b");
    EXPECT_EQ(pty.Device.Read(4, 0), "");
}

} // namespace
