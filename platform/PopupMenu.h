// Pop-up menus shown at a point until the user picks an item or closes them.
// A test hook stands in for the person: it sees the menu and may trigger one
// of its actions.
#pragma once

#include <QPoint>

#include <functional>

class QMenu;

// Shows the menu at the global point and returns when it has closed.
void PopupMenuAt(QMenu& Menu, QPoint GlobalPos);

// Installed: menus are not shown but handed to the hook. Empty: shown again.
using TPopupMenuHook = std::function<void(QMenu& Menu, QPoint GlobalPos)>;
void SetPopupMenuHook(TPopupMenuHook Hook);
