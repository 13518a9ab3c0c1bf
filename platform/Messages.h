// Window messages between the program's own windows. A TWinHandle stands for
// a window handle: it has a number (HWND) and a handler that receives the
// messages sent or posted to that number. SendMessage runs the handler at
// once; PostMessage queues the message for the event loop. Numbers are never
// reused, so a message to a window that is gone is dropped.
#pragma once

#include "platform/SysTypes.h"

#include <QObject>
#include <cstdint>
#include <functional>

using UINT = Cardinal;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = std::uintptr_t;   // 0: no window

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_THEMECHANGED = 0x031A;
inline constexpr UINT WM_USER = 0x0400;   // the program's own messages: WM_USER + n

struct TMessage {
    UINT Msg = WM_NULL;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;   // set by the handler; SendMessage returns it
};

// Lives on the main thread. The handler may delete its own handle.
class TWinHandle : public QObject {
public:
    using THandler = std::function<void(TMessage&)>;

    explicit TWinHandle(THandler handler = {}, QObject* parent = nullptr);
    ~TWinHandle() override;

    HWND Handle() const { return handle_; }
    void SetHandler(THandler handler) { handler_ = std::move(handler); }
    // Hands the message to the handler now.
    void Perform(TMessage& message);

protected:
    bool event(QEvent* e) override;

private:
    HWND handle_;
    THandler handler_;
};

// Runs the window's handler now, on the calling (main) thread; 0 when there
// is no such window.
LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message; false when there is no such window. Any thread may post.
bool PostMessage(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Delivers what is pending (posted messages, timers, input, painting).
void ProcessMessages();
