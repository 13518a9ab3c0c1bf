#include "fakes/PtyPair.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const char* what)
{
    throw std::runtime_error(std::string("pseudo-terminal: ") + what);
}

int OpenMaster()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        Fail("no master");
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        close(master);
        Fail("cannot unlock");
    }
    return master;
}

std::string SlaveName(int master)
{
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0)
        Fail("no slave name");
    return name;
}

int OpenRawSlave(const std::string& name)
{
    const int slave = open(name.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        Fail("cannot open the slave");
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    return slave;
}

} // namespace

TPtyEnd::~TPtyEnd()
{
    if (fd_ >= 0)
        close(fd_);
}

void TPtyEnd::Write(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("write failed");
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string TPtyEnd::Read(std::size_t count, int timeoutMs) const
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string bytes;
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        pollfd ready{fd_, POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(std::max<long long>(left, 0)));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0 || !(ready.revents & POLLIN))
            break;
        char buffer[256];
        const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

TPtyPair::TPtyPair() : Device(OpenMaster()), Port(OpenRawSlave(SlaveName(Device.Fd()))) {}

std::string TPtyPair::PortName() const
{
    return SlaveName(Device.Fd());
}
