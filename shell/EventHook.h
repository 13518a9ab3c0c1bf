// An event filter that hands the events of the objects it watches to a
// function; true from the function stops the event.
#pragma once

#include <QObject>

#include <functional>

class TEventHook : public QObject {
public:
    explicit TEventHook(std::function<bool(QObject* watched, QEvent* event)> handler) : handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> handler_;
};
