// The object tree of the settings overview: the components of a board that
// have a settings dialog, their front-panel elements, and macros as branches
// holding the components inside them. Each node's data is the object it
// stands for, so that a double click can open that object's settings.
#pragma once

#include "platform/SysTypes.h"

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class TPlatine;
class TBauteil;
class IFP_Element;
struct TClassInfo;

// Adds the board's objects of the class (or derived from it) under parent,
// or at the top level when parent is nullptr, and sorts what it added by text.
// While the simulation runs only what may be set at run time is listed.
void FillObjectTree(TPlatine& board, QTreeWidget& tree, QTreeWidgetItem* parent, const TClassInfo& cls);

// What a node stands for: a macro or component node gives its object, an
// element node its element (and no object).
TBauteil* TreeNodeObject(const QTreeWidgetItem& node);
IFP_Element* TreeNodeElement(const QTreeWidgetItem& node);
