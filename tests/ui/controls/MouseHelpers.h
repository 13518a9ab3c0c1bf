// Mouse events with an exact button state, sent straight to a widget.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void SendMouse(QWidget* W, QEvent::Type Type, QPoint P, Qt::MouseButton Button,
                      Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    QMouseEvent e(Type, QPointF(P), W->mapToGlobal(QPointF(P)), Button, Buttons, Modifiers);
    QApplication::sendEvent(W, &e);
}
inline void Press(QWidget* W, QPoint P, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    SendMouse(W, QEvent::MouseButtonPress, P, Qt::LeftButton, Qt::LeftButton, Modifiers);
}
inline void Drag(QWidget* W, QPoint P)
{
    SendMouse(W, QEvent::MouseMove, P, Qt::NoButton, Qt::LeftButton);
}
inline void Hover(QWidget* W, QPoint P)
{
    SendMouse(W, QEvent::MouseMove, P, Qt::NoButton, Qt::NoButton);
}
inline void Release(QWidget* W, QPoint P)
{
    SendMouse(W, QEvent::MouseButtonRelease, P, Qt::LeftButton, Qt::NoButton);
}
