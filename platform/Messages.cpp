#include "platform/Messages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QtDebug>
#include <atomic>
#include <exception>
#include <mutex>
#include <unordered_map>

namespace {

// Posting may come from worker threads; the table lock also keeps a handle
// from being destroyed while a message is being queued to it.
std::mutex tableLock;
std::unordered_map<HWND, TWinHandle*> table;
HWND lastHandle = 0;

TWinHandle* Find(HWND window)
{
    const auto it = table.find(window);
    return it == table.end() ? nullptr : it->second;
}

const QEvent::Type MessageEventType = QEvent::Type(QEvent::registerEventType());

class TMessageEvent : public QEvent {
public:
    explicit TMessageEvent(const TMessage& message) : QEvent(MessageEventType), Message(message) {}
    TMessage Message;
};

}   // namespace

TWinHandle::TWinHandle(THandler handler, QObject* parent) : QObject(parent), handler_(std::move(handler))
{
    std::lock_guard lock(tableLock);
    handle_ = ++lastHandle;
    table.emplace(handle_, this);
}

TWinHandle::~TWinHandle()
{
    // Out of the table first; QObject's destructor then drops the messages
    // still queued for this object.
    std::lock_guard lock(tableLock);
    table.erase(handle_);
}

void TWinHandle::Perform(TMessage& message)
{
    // A copy, because the handler may destroy this object and with it handler_.
    const THandler handler = handler_;
    if (handler)
        handler(message);
}

bool TWinHandle::event(QEvent* e)
{
    if (e->type() != MessageEventType)
        return QObject::event(e);
    // An exception must not unwind through the event loop; handlers report
    // their own errors, this only keeps the loop alive.
    try {
        Perform(static_cast<TMessageEvent*>(e)->Message);
    } catch (const std::exception& error) {
        qCritical("Window message %u: %s", static_cast<TMessageEvent*>(e)->Message.Msg, error.what());
    } catch (...) {
        qCritical("Window message %u: unknown exception", static_cast<TMessageEvent*>(e)->Message.Msg);
    }
    return true;
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinHandle* target = nullptr;
    {
        std::lock_guard lock(tableLock);
        target = Find(window);
    }
    if (!target)
        return 0;
    TMessage message{msg, wParam, lParam, 0};
    target->Perform(message);
    return message.Result;
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard lock(tableLock);
    TWinHandle* target = Find(window);
    if (!target)
        return false;
    QCoreApplication::postEvent(target, new TMessageEvent(TMessage{msg, wParam, lParam, 0}));
    return true;
}

void ProcessMessages()
{
    QCoreApplication::processEvents();
}
