// A pseudo-terminal pair for a serial device model: the driver under test
// opens PortName as its serial port, the test's model of the device reads and
// writes the other end. Both ends pass every byte 0..255 unchanged (raw mode,
// no echo). A pty ignores parity, 7-bit settings and the modem lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One end of the pair.
class TPtyEnd {
public:
    explicit TPtyEnd(int fd = -1) : fd_(fd) {}
    ~TPtyEnd();
    TPtyEnd(const TPtyEnd&) = delete;
    TPtyEnd& operator=(const TPtyEnd&) = delete;

    int Fd() const { return fd_; }
    // Writes all bytes; throws std::runtime_error when the other end is gone.
    void Write(std::string_view bytes) const;
    // The bytes that arrive until count are there or timeoutMs passed (0:
    // only what is there already); fewer, or none, after the timeout.
    std::string Read(std::size_t count, int timeoutMs) const;

private:
    int fd_;
};

class TPtyPair {
public:
    // Throws std::runtime_error when the system gives no pseudo-terminal.
    TPtyPair();

    // The device file of the port end ("/dev/pts/N").
    std::string PortName() const;

    TPtyEnd Device;   // the master: what the device model reads and writes
    TPtyEnd Port;     // the slave, kept open so the device end never sees a hang-up
};
