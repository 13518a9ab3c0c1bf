#include "platform/Messages.h"

#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Records every message a window receives.
struct Recorder {
    std::vector<TMessage> received;
    TWinHandle window{[this](TMessage& m) {
        received.push_back(m);
        m.Result = LRESULT(m.Msg) * 10;
    }};
};

}   // namespace

TEST(Messages, SendRunsAtOncePostWaitsForTheEventLoop)
{
    Recorder r;
    const HWND h = r.window.Handle();
    EXPECT_TRUE(PostMessage(h, WM_USER + 1, 1, 100));
    EXPECT_TRUE(PostMessage(h, WM_USER + 2, 2, 200));
    EXPECT_EQ(SendMessage(h, WM_USER + 15, 3, 300), LRESULT(WM_USER + 15) * 10);
    ASSERT_EQ(r.received.size(), 1u);
    EXPECT_EQ(r.received[0].Msg, WM_USER + 15);

    ProcessMessages();
    ASSERT_EQ(r.received.size(), 3u);
    EXPECT_EQ(r.received[1].Msg, WM_USER + 1);
    EXPECT_EQ(r.received[1].WParam, 1u);
    EXPECT_EQ(r.received[1].LParam, 100);
    EXPECT_EQ(r.received[2].Msg, WM_USER + 2);
    EXPECT_EQ(r.received[2].LParam, 200);
}

TEST(Messages, PointersTravelInLParam)
{
    const char* hint = "Hinweis";
    const char* seen = nullptr;
    TWinHandle w([&seen](TMessage& m) { seen = reinterpret_cast<const char*>(m.LParam); });
    SendMessage(w.Handle(), WM_USER + 15, 0, reinterpret_cast<LPARAM>(hint));
    EXPECT_EQ(seen, hint);
}

TEST(Messages, MessagesToAWindowThatIsGoneAreDropped)
{
    int delivered = 0;
    auto w = std::make_unique<TWinHandle>([&delivered](TMessage&) { ++delivered; });
    const HWND h = w->Handle();
    EXPECT_TRUE(PostMessage(h, WM_USER));
    w.reset();
    ProcessMessages();
    EXPECT_EQ(delivered, 0);
    EXPECT_FALSE(PostMessage(h, WM_USER));
    EXPECT_EQ(SendMessage(h, WM_USER), 0);
    EXPECT_FALSE(PostMessage(0, WM_USER));

    // A new window never takes over the old number.
    TWinHandle next([&delivered](TMessage&) { ++delivered; });
    EXPECT_NE(next.Handle(), h);
    EXPECT_EQ(SendMessage(h, WM_USER), 0);
    EXPECT_EQ(delivered, 0);
}

TEST(Messages, AHandlerMayDestroyItsOwnWindow)
{
    TWinHandle* w = nullptr;
    int closes = 0;
    w = new TWinHandle([&](TMessage& m) {
        if (m.Msg == WM_CLOSE) {
            ++closes;
            delete w;
        }
    });
    const HWND h = w->Handle();
    PostMessage(h, WM_CLOSE);
    PostMessage(h, WM_CLOSE);   // queued behind the one that destroys the window
    ProcessMessages();
    EXPECT_EQ(closes, 1);
}

TEST(Messages, PostsFromWorkerThreadsArriveInOrderOnTheMainThread)
{
    std::vector<LPARAM> values;
    bool onMainThread = true;
    QThread* main = QThread::currentThread();
    TWinHandle w([&](TMessage& m) {
        values.push_back(m.LParam);
        onMainThread = onMainThread && QThread::currentThread() == main;
    });
    std::thread worker([h = w.Handle()] {
        for (LPARAM i = 0; i < 500; ++i)
            PostMessage(h, WM_USER + 2, 0, i);
    });
    worker.join();
    ProcessMessages();
    ASSERT_EQ(values.size(), 500u);
    for (LPARAM i = 0; i < 500; ++i)
        EXPECT_EQ(values[std::size_t(i)], i);
    EXPECT_TRUE(onMainThread);
}

TEST(Messages, AnExceptionInAPostedMessageDoesNotLeaveTheEventLoop)
{
    int after = 0;
    TWinHandle w([&after](TMessage& m) {
        if (m.Msg == WM_USER)
            throw std::runtime_error("Stream-Lesefehler");
        ++after;
    });
    PostMessage(w.Handle(), WM_USER);
    PostMessage(w.Handle(), WM_USER + 1);
    ProcessMessages();
    EXPECT_EQ(after, 1);
}
