#include "platform/PopupMenu.h"

#include <QMenu>

namespace {

TPopupMenuHook& Hook()
{
    static TPopupMenuHook hook;
    return hook;
}

} // namespace

void PopupMenuAt(QMenu& Menu, QPoint GlobalPos)
{
    if (Hook())
        Hook()(Menu, GlobalPos);
    else
        Menu.exec(GlobalPos);
}

void SetPopupMenuHook(TPopupMenuHook Hook)
{
    ::Hook() = std::move(Hook);
}
