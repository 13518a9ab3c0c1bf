#include "engine/ObjectTree.h"

#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "engine/ShellHooks.h"
#include "platform/AnsiText.h"

#include <QTreeWidget>
#include <string>


namespace {

constexpr int ObjectRole = Qt::UserRole;
constexpr int ElementRole = Qt::UserRole + 1;

AnsiString Numbered(const TIOBauteil& component)
{
    return " (" + AnsiString(component.Designator.View()) + std::to_string(component.Number) + ")";
}

QTreeWidgetItem* AddNode(QTreeWidget& tree, QTreeWidgetItem* parent, const AnsiString& text)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
    node->setText(0, AnsiToQString(text));
    return node;
}

void SetNodeData(QTreeWidgetItem& node, TBauteil* object, IFP_Element* element)
{
    node.setData(0, ObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
    node.setData(0, ElementRole, QVariant::fromValue(reinterpret_cast<quintptr>(element)));
}

} // namespace

void FillObjectTree(TPlatine& board, QTreeWidget& tree, QTreeWidgetItem* parent, const TClassInfo& cls)
{
    for (auto it = board.Objects.rbegin(); it != board.Objects.rend(); ++it) {
        TBauteil* object = *it;
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            // A branch only when something inside is listed.
            QTreeWidgetItem* node = AddNode(tree, parent, AnsiString(macro->Name.View()) + Numbered(*macro));
            SetNodeData(*node, macro, nullptr);
            if (TPlatine* inner = macro->InnerBoard())
                FillObjectTree(*inner, tree, node, cls);
            if (node->childCount() == 0)
                delete node;
            continue;
        }
        if (!object->ClassType().InheritsFrom(cls))
            continue;
        auto* component = dynamic_cast<TIOBauteil*>(object);
        const bool adjustable = component && component->RuntimeAdjustable;
        if (object->HasPropertyDialog && (adjustable || !SimulationRunning)) {
            AnsiString text;
            if (auto* pin = dynamic_cast<TBTPin*>(object))
                text = "Pin " + AnsiString(pin->Label.View()) + Numbered(*pin);
            else if (component)
                text = component->GetCaption() + Numbered(*component);
            QTreeWidgetItem* node = AddNode(tree, parent, text);
            SetNodeData(*node, object, nullptr);
            object->TreeNode = node;
        }
        IFP_Element* element = component ? component->PanelElement : nullptr;
        if (element && (element->AdjustableAtRunTime() || !SimulationRunning)) {
            const AnsiString page = ShellHooks.PanelPageCaption ? ShellHooks.PanelPageCaption(element->FrontplattenNR()) : AnsiString();
            QTreeWidgetItem* node = AddNode(tree, parent, component->GetCaption() + Numbered(*component) + " (" +
                                                              page + "->" + element->Hint() + ")");
            SetNodeData(*node, nullptr, element);
            object->TreeNode = node;
        }
    }
    if (parent)
        parent->sortChildren(0, Qt::AscendingOrder);
    else
        tree.sortItems(0, Qt::AscendingOrder);
}

TBauteil* TreeNodeObject(const QTreeWidgetItem& node)
{
    return reinterpret_cast<TBauteil*>(node.data(0, ObjectRole).value<quintptr>());
}

IFP_Element* TreeNodeElement(const QTreeWidgetItem& node)
{
    return reinterpret_cast<IFP_Element*>(node.data(0, ElementRole).value<quintptr>());
}
