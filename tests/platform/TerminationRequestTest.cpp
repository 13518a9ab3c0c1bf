#include <gtest/gtest.h>

#include "platform/TerminationRequest.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <csignal>

namespace {

// The request arrives through the event loop, not inside the signal handler,
// and once per installation's handler; a blocked request waits for the
// installation.
TEST(TerminationRequest, SignalReachesTheHandlerThroughTheEventLoop)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &set, nullptr), 0);
    ASSERT_EQ(raise(SIGTERM), 0);   // pending while blocked

    int calls = 0;
    InstallTerminationHandler([&calls] { ++calls; });
    EXPECT_EQ(calls, 0);
    QElapsedTimer patience;
    patience.start();
    while (calls == 0 && patience.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(calls, 1);

    int later = 0;
    InstallTerminationHandler([&later] { ++later; });
    ASSERT_EQ(raise(SIGTERM), 0);
    patience.restart();
    while (later == 0 && patience.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(later, 1);
    EXPECT_EQ(calls, 1);
    RemoveTerminationHandler();
}

} // namespace
