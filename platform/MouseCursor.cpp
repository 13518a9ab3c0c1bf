#include "platform/MouseCursor.h"

#include <QApplication>
#include <QCursor>

namespace {

std::optional<TRect> CursorClip;

} // namespace

void SetCursorPos(TPoint screenPoint)
{
    QCursor::setPos(screenPoint.X, screenPoint.Y);
}

void ClipCursor(std::optional<TRect> screenRect)
{
    CursorClip = screenRect;
}

std::optional<TRect> GetClipCursor()
{
    return CursorClip;
}

TWaitCursor::TWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitCursor::~TWaitCursor()
{
    QApplication::restoreOverrideCursor();
}
