#include "platform/TerminationRequest.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The signal handler may only write to a descriptor; the other end of the
// pair wakes the event loop.
int Pipe[2] = {-1, -1};
QSocketNotifier* Notifier = nullptr;
std::function<void()>& Handler()
{
    static std::function<void()> handler;
    return handler;
}

extern "C" void OnTerminationSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(Pipe[0], &byte, 1);
    errno = saved;
}

void ReadRequests()
{
    char bytes[16];
    while (::read(Pipe[1], bytes, sizeof bytes) > 0) {
    }
    if (Handler())
        Handler()();
}

} // namespace

void InstallTerminationHandler(std::function<void()> handler)
{
    Handler() = std::move(handler);
    if (Pipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, Pipe) != 0)
            return;
        for (int fd : Pipe)
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        Notifier = new QSocketNotifier(Pipe[1], QSocketNotifier::Read);
        QObject::connect(Notifier, &QSocketNotifier::activated, [] { ReadRequests(); });
    }
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

void RemoveTerminationHandler()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    Handler() = nullptr;
}
