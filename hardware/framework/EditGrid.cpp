#include "hardware/framework/EditGrid.h"

#include "platform/AnsiText.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

constexpr int RowHeight = 16;

// Hands the editor's text to the cell on every change.
class TLiveDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            auto* self = const_cast<TLiveDelegate*>(this);
            connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
        }
        return editor;
    }
};

}   // namespace

TEditGrid::TEditGrid(const char* name, QWidget* parent) : QTableWidget(0, 2, parent)
{
    setObjectName(name);
    setItemDelegate(new TLiveDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

void TEditGrid::SetRows(const std::vector<AnsiString>& names)
{
    clearContents();
    setRowCount(static_cast<int>(names.size()));
    for (int row = 0; row < rowCount(); ++row) {
        auto* name = new QTableWidgetItem(AnsiToQString(names[std::size_t(row)]));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        name->setBackground(palette().button());
        setItem(row, 0, name);
        setItem(row, 1, new QTableWidgetItem);
    }
}

AnsiString TEditGrid::CellText(Integer row) const
{
    const QTableWidgetItem* cell = item(row, 1);
    return cell ? QStringToAnsi(cell->text()) : AnsiString();
}

void TEditGrid::SetCellText(Integer row, const AnsiString& text)
{
    if (QTableWidgetItem* cell = item(row, 1))
        cell->setText(AnsiToQString(text));
}
