#include "ui/controls/UCLListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

namespace {

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TRect ToTRect(const QRect& r)
{
    return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Routes Qt's item painting and sizing to the list's owner-draw operations.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit TOwnerDrawDelegate(TUCLCustomListBox* list) : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        FList->PaintItem(*painter, index.row(), option.rect, option.state & QStyle::State_Selected,
                         (option.state & QStyle::State_HasFocus) && index.row() == FList->currentRow());
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        int width = FList->viewport()->width();
        if (FList->LargeTextOptions() == TUCLListBoxLargeTextOptions::lbltHorzScrollBar)
            width = std::max(width, FList->WidestItem() + 2 * FList->Margin());
        return QSize(width, FList->MeasuredHeight(index.row()));
    }

private:
    TUCLCustomListBox* FList;
};

}   // namespace

// --- in-place editor ---

TUCLCustomListBoxEdit::TUCLCustomListBoxEdit(TUCLCustomListBox* List) : QPlainTextEdit(List->viewport()), FList(List)
{
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TUCLCustomListBoxEdit::keyPressEvent(QKeyEvent* event)
{
    FList->EditorKeyDown(event);
    if (!event->isAccepted())
        QPlainTextEdit::keyPressEvent(event);
}

void TUCLCustomListBoxEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    FList->HideEditor();   // leaving by a focus change stores nothing
}

// --- list box ---

TUCLCustomListBox::TUCLCustomListBox(QWidget* Parent) : QListWidget(Parent)
{
    setItemDelegate(new TOwnerDrawDelegate(this));
    setUniformItemSizes(false);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::SingleSelection);
    SetColor(Color);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!FSelecting)
            DoSelect();
    });
}

TUCLCustomListBox::~TUCLCustomListBox()
{
    delete FHint;
}

QString TUCLCustomListBox::ItemText(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it ? it->text() : QString();
}

int TUCLCustomListBox::ItemObject(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it ? it->data(Qt::UserRole).toInt() : 0;
}

int TUCLCustomListBox::SortedPosition(const QString& Text) const
{
    int pos = 0;
    while (pos < count() && ItemText(pos).compare(Text, Qt::CaseInsensitive) <= 0)
        ++pos;
    return pos;
}

int TUCLCustomListBox::AddItem(const QString& Text, int Object)
{
    const int index = FSorted ? SortedPosition(Text) : count();
    InsertItem(index, Text, Object);
    return index;
}

void TUCLCustomListBox::InsertItem(int Index, const QString& Text, int Object)
{
    auto* it = new QListWidgetItem(Text);
    it->setData(Qt::UserRole, Object);
    it->setFlags(it->flags() & ~Qt::ItemIsEditable);
    insertItem(std::clamp(Index, 0, count()), it);
    WidthAdded(row(it));
}

void TUCLCustomListBox::SetItemText(int Index, const QString& Text)
{
    QListWidgetItem* it = item(Index);
    if (!it)
        return;
    const int oldWidth = ItemTextWidth(Index);
    it->setText(Text);
    WidthRemoved(-1, oldWidth);
    WidthAdded(Index);
}

void TUCLCustomListBox::DeleteItem(int Index)
{
    if (Index < 0 || Index >= count())
        return;
    const int width = ItemTextWidth(Index);
    delete takeItem(Index);
    WidthRemoved(Index, width);
}

void TUCLCustomListBox::ClearItems()
{
    FWidest = 0;
    horizontalScrollBar()->setValue(0);
    clear();
}

int TUCLCustomListBox::IndexOf(const QString& Text) const
{
    for (int k = 0; k < count(); ++k)
        if (ItemText(k).compare(Text, Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

void TUCLCustomListBox::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    if (FSorted)
        sortItems(Qt::AscendingOrder);
}

void TUCLCustomListBox::SetItemIndex(int Index)
{
    FSelecting = true;
    if (Index < 0 || Index >= count()) {
        setCurrentRow(-1);
        clearSelection();
    } else {
        setCurrentRow(Index);
    }
    FSelecting = false;
}

bool TUCLCustomListBox::Selected(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it && it->isSelected();
}

void TUCLCustomListBox::SetSelected(int Index, bool Value)
{
    if (QListWidgetItem* it = item(Index)) {
        FSelecting = true;
        it->setSelected(Value);
        FSelecting = false;
    }
}

void TUCLCustomListBox::SetMultiSelect(bool Value)
{
    setSelectionMode(Value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TUCLCustomListBox::SetColor(TColor Value)
{
    Color = Value;
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::Base, ColorToQColor(Color));
    pal.setColor(QPalette::Inactive, QPalette::Base, ColorToQColor(Color));
    pal.setColor(QPalette::Disabled, QPalette::Base, ColorToQColor(DisabledColor));
    setPalette(pal);
    viewport()->update();
}

void TUCLCustomListBox::SetItemHeight(int Value)
{
    if (Value < 1 || Value == FItemHeight)
        return;
    FItemHeight = Value;
    RefreshItemSizes();
}

void TUCLCustomListBox::SetMargin(Byte Value)
{
    FMargin = Value;
    RefreshItemSizes();
}

void TUCLCustomListBox::SetMultiLine(bool Value)
{
    if (Value == FMultiLine)
        return;
    FMultiLine = Value;
    if (FMultiLine)
        FLargeTextOptions = TUCLListBoxLargeTextOptions::lbltNone;
    RefreshItemSizes();
}

void TUCLCustomListBox::SetLargeTextOptions(TUCLListBoxLargeTextOptions Value)
{
    if (Value == FLargeTextOptions)
        return;
    FLargeTextOptions = Value;
    if (Value != TUCLListBoxLargeTextOptions::lbltNone) {
        FMultiLine = false;
        FWidest = 0;
    }
    const bool scroll = Value == TUCLListBoxLargeTextOptions::lbltHorzScrollBar;
    setHorizontalScrollBarPolicy(scroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (scroll)
        RecalcWidestItem();
    RefreshItemSizes();
}

void TUCLCustomListBox::SetVerticalScrollBar(bool Value)
{
    FVerticalScrollBar = Value;
    setVerticalScrollBarPolicy(Value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TUCLCustomListBox::SetItemAutoHeight(bool Value)
{
    if (Value == FItemAutoHeight)
        return;
    FItemAutoHeight = Value;
    RefreshItemSizes();
}

void TUCLCustomListBox::SetMeasureItemEvent(bool Value)
{
    if (Value == FMeasureItemEvent)
        return;
    FMeasureItemEvent = Value;
    RefreshItemSizes();
}

void TUCLCustomListBox::RefreshItemSizes()
{
    scheduleDelayedItemsLayout();
    viewport()->update();
}

// --- widths ---

int TUCLCustomListBox::ItemTextWidth(int Index)
{
    return fontMetrics().horizontalAdvance(GetItemText(Index)) + 4;
}

void TUCLCustomListBox::RecalcWidestItem()
{
    FWidest = 0;
    for (int k = 0; k < count(); ++k)
        FWidest = std::max(FWidest, ItemTextWidth(k));
    RefreshItemSizes();
}

void TUCLCustomListBox::WidthAdded(int Index)
{
    if (FLargeTextOptions != TUCLListBoxLargeTextOptions::lbltHorzScrollBar || FMultiLine)
        return;
    FWidest = std::max(FWidest, ItemTextWidth(Index));
    RefreshItemSizes();
}

void TUCLCustomListBox::WidthRemoved(int, int Width)
{
    if (FLargeTextOptions != TUCLListBoxLargeTextOptions::lbltHorzScrollBar || FMultiLine || Width < FWidest)
        return;
    horizontalScrollBar()->setValue(0);
    RecalcWidestItem();
}

// --- item geometry and text ---

TRect TUCLCustomListBox::GetItemRect(int Index) const
{
    const QListWidgetItem* it = item(Index);
    return it ? ToTRect(visualItemRect(it)) : TRect{};
}

QString TUCLCustomListBox::GetItemText(int Index) const
{
    return ItemText(Index);
}

int TUCLCustomListBox::TextFlags() const
{
    return Qt::AlignVCenter | Qt::AlignLeft | (FMultiLine ? Qt::TextWordWrap : Qt::TextSingleLine);
}

QString TUCLCustomListBox::ShownText(const QString& Text, int Width) const
{
    switch (FLargeTextOptions) {
    case TUCLListBoxLargeTextOptions::lbltEndEllipsis:
        return fontMetrics().elidedText(Text, Qt::ElideRight, Width);
    case TUCLListBoxLargeTextOptions::lbltPathEllipsis:
        return fontMetrics().elidedText(Text, Qt::ElideMiddle, Width);
    default:
        return Text;
    }
}

void TUCLCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
    if (Index == -1 || !FItemAutoHeight)
        return;
    const QFontMetrics metrics = fontMetrics();
    const int measured =
        FMultiLine ? metrics.boundingRect(QRect(0, 0, viewport()->width(), 100000), TextFlags(), GetItemText(Index)).height()
                   : metrics.boundingRect(QStringLiteral("Wq")).height();
    if (Height < measured)
        Height = measured + 1;
}

int TUCLCustomListBox::MeasuredHeight(int Index)
{
    int height = FItemHeight;
    if (VariableHeights())
        MeasureItem(Index, height);
    return height;
}

// --- drawing ---

void TUCLCustomListBox::PaintItem(QPainter& Canvas, int Index, const QRect& Rect, bool IsSelected, bool Focused)
{
    Canvas.save();
    const bool enabled = isEnabled();
    TColor selection = SelectedColor;
    bool focusMark = !HideFocus;
    TColor brush = Color;
    if (enabled) {
        if (HideSelection && !hasFocus() && !MultiSelect())
            selection = clNone;
    } else {
        brush = DisabledColor;
        selection = clNone;
        focusMark = false;
    }
    QFont font = this->font();
    QColor fontColor = palette().color(QPalette::Active, QPalette::Text);
    if (Index >= count())
        Index = -1;
    if (IsSelected && selection != clNone) {
        brush = SelectedColor;
        fontColor = ColorToQColor(SelectedFontColor);
        font.setBold(SelectedFontStyle & 0x01);
        font.setItalic(SelectedFontStyle & 0x02);
        font.setUnderline(SelectedFontStyle & 0x04);
        font.setStrikeOut(SelectedFontStyle & 0x08);
    }
    Canvas.fillRect(Rect, ColorToQColor(brush));
    TRect rect = ToTRect(Rect);
    if (Index >= 0) {
        if (FWidest > viewport()->width())
            rect.Right = FWidest + 2 * FMargin;
        Canvas.setFont(font);
        Canvas.setPen(fontColor);
        Byte state = (IsSelected ? odSelected : 0) | (Focused ? odFocused : 0) | (enabled ? 0 : odDisabled);
        DrawItem(Canvas, Index, rect, state);
    }
    if (HorzGridLine) {
        Canvas.setPen(QPen(ColorToQColor(HorzGridColor), 1, HorzGridStyle));
        Canvas.drawLine(Rect.left(), Rect.bottom(), Rect.right(), Rect.bottom());
    }
    if (Focused && focusMark && hasFocus()) {
        QRect r = Rect;
        if (r.height() <= 0)
            r.setHeight(FItemHeight);
        if (BeveledFocus) {
            Canvas.setPen(ColorToQColor(BevelFocusShadowColor));
            Canvas.drawLine(r.left(), r.bottom(), r.left(), r.top());
            Canvas.drawLine(r.left(), r.top(), r.right(), r.top());
            Canvas.setPen(ColorToQColor(BevelFocusLightColor));
            Canvas.drawLine(r.right(), r.top(), r.right(), r.bottom());
            Canvas.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
        } else {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = r;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &Canvas, this);
        }
    }
    Canvas.restore();
}

void TUCLCustomListBox::DrawItem(QPainter& Canvas, int Index, const TRect& Rect, Byte State)
{
    TRect r = Rect;
    r.Left += FMargin;
    r.Right -= FMargin;
    r.Bottom -= 1;
    if (OnDrawItem) {
        OnDrawItem(this, Index, Canvas, r, State);
        return;
    }
    if (State & odDisabled)
        Canvas.setPen(ColorToQColor(clGrayText));
    Canvas.drawText(ToQRect(r), TextFlags(), ShownText(GetItemText(Index), r.Width()));
}

// --- selection, deleting and keys ---

void TUCLCustomListBox::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

void TUCLCustomListBox::DeleteSelected()
{
    if (MultiSelect()) {
        setUpdatesEnabled(false);
        for (int k = count() - 1; k >= 0; --k)
            if (Selected(k))
                DeleteItem(k);
        setUpdatesEnabled(true);
        return;
    }
    const int current = ItemIndex();
    if (current < 0)
        return;
    DeleteItem(current);
    if (count() > 0)
        SetItemIndex(current < count() ? current : current - 1);
}

void TUCLCustomListBox::keyPressEvent(QKeyEvent* event)
{
    HideItemHint();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Insert && (EditOptions & lboAllowInsert)) {
        EditItem(true, ItemIndex() + (ctrl ? 1 : 0));
        return;
    }
    if (event->key() == Qt::Key_Delete && (EditOptions & lboAllowDelete)) {
        DeleteSelected();
        return;
    }
    if (event->key() == Qt::Key_F2 && (EditOptions & lboAllowEdit)) {
        EditItem(false, ItemIndex());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TUCLCustomListBox::mousePressEvent(QMouseEvent* event)
{
    HideItemHint();
    QListWidget::mousePressEvent(event);
}

void TUCLCustomListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    HideEditor();
    RefreshItemSizes();
}

void TUCLCustomListBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        HideItemHint();
        viewport()->update();
    }
    QListWidget::changeEvent(event);
}

void TUCLCustomListBox::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    if (HideSelection)
        viewport()->update();
}

// --- long-item hint ---

bool TUCLCustomListBox::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        ShowItemHint(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::Leave:
        HideItemHint();
        break;
    default:
        break;
    }
    return QListWidget::viewportEvent(event);
}

void TUCLCustomListBox::HideItemHint()
{
    if (FHint)
        FHint->hide();
    FHintIndex = -1;
}

void TUCLCustomListBox::ShowItemHint(QPoint Pos)
{
    if (FLargeTextOptions != TUCLListBoxLargeTextOptions::lbltShowHint || FEditor)
        return;
    if (!viewport()->rect().contains(Pos)) {
        HideItemHint();
        return;
    }
    const QListWidgetItem* it = itemAt(Pos);
    const int index = it ? row(it) : -1;
    if (index < 0 || index == ItemIndex() || (MultiSelect() && Selected(index)) ||
        ItemTextWidth(index) < GetItemRect(index).Width()) {
        HideItemHint();
        return;
    }
    const QString text = GetItemText(index);
    const QPoint topLeft = viewport()->mapToGlobal(visualItemRect(it).topLeft());
    if (FHint && FHint->isVisible() && FHintIndex == index)
        return;
    if (FHint && FHint->isVisible() && FHint->pos().y() == topLeft.y() && FHint->text() != text) {
        HideItemHint();   // the next move shows the new text
        return;
    }
    if (!FHint) {
        FHint = new QLabel(nullptr, Qt::ToolTip);
        FHint->setAutoFillBackground(true);
        QPalette pal = FHint->palette();
        pal.setColor(QPalette::Window, ColorToQColor(clInfoBk));
        pal.setColor(QPalette::WindowText, ColorToQColor(clInfoText));
        FHint->setPalette(pal);
    }
    FHint->setFont(font());
    FHint->setText(text);
    FHint->setMaximumWidth(parentWidget() ? parentWidget()->width() : 10000);
    FHint->adjustSize();
    FHint->move(topLeft);
    FHint->show();
    FHintIndex = index;
}

// --- in-place editor ---

void TUCLCustomListBox::EditItem(bool Insert, int Index)
{
    HideItemHint();
    if (!CanEditItems())
        return;
    HideEditor();
    auto* editor = new TUCLCustomListBoxEdit(this);
    if (EditOptions & lboNo3DFrame)
        editor->setFrameShape(QFrame::NoFrame);
    bool cancel = false;
    if (OnEditShow)
        OnEditShow(this, ItemIndex(), cancel);
    if (cancel) {
        delete editor;
        return;
    }
    if (!Insert)
        FEditIndex = ItemIndex();
    else if (Index < 0 || Index >= count() || FSorted) {
        InsertItem(count(), QString());   // appended also when sorted: Enter sorts it in
        FEditIndex = count() - 1;
    } else {
        InsertItem(Index, QString());
        FEditIndex = Index;
    }
    SetItemIndex(-1);
    if (MultiSelect())
        clearSelection();
    if (Insert)
        editor->Tag = FEditIndex + 255;
    if (FEditIndex >= 0) {
        editor->setPlainText(ItemText(FEditIndex));
        if (!viewport()->rect().contains(visualItemRect(item(FEditIndex)).topLeft()))
            scrollToItem(item(FEditIndex), QAbstractItemView::PositionAtTop);
    }
    if (EditOptions & lboSelectText)
        editor->selectAll();
    else
        editor->moveCursor(QTextCursor::End);
    int height = (FEditIndex >= 0 ? visualItemRect(item(FEditIndex)).height() : FItemHeight) + 1;
    if (OnEditMeasure)
        OnEditMeasure(this, FEditIndex, height);
    const QRect r = FEditIndex >= 0 ? visualItemRect(item(FEditIndex)) : QRect(0, 0, viewport()->width(), 0);
    editor->setGeometry(r.left(), r.top() - 1, r.right() + 1, height);
    FEditor = editor;
    editor->show();
    editor->setFocus();
}

void TUCLCustomListBox::EditorKeyDown(QKeyEvent* Event)
{
    Event->accept();
    switch (Event->key()) {
    case Qt::Key_Tab:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QString text = FEditor->toPlainText();
        if (FSorted && count() > 0) {
            DeleteItem(FEditIndex);
            FEditIndex = AddItem(text);
            if (!viewport()->rect().contains(visualItemRect(item(FEditIndex)).topLeft()))
                scrollToItem(item(FEditIndex), QAbstractItemView::PositionAtTop);
        } else if (FSorted || FEditIndex == -1) {
            FEditIndex = AddItem(text);
        } else {
            SetItemText(FEditIndex, text);
        }
        if (OnEditChange)
            OnEditChange(this, FEditIndex);
        HideEditor();
        return;
    }
    case Qt::Key_Escape:
        if (FEditor->Tag >= 255 && FEditor->Tag - 255 < count()) {
            DeleteItem(FEditor->Tag - 255);
            if (FEditIndex >= count())
                FEditIndex = -1;
        }
        HideEditor();
        return;
    default:
        Event->ignore();
    }
}

void TUCLCustomListBox::HideEditor()
{
    if (!FEditor)
        return;
    TUCLCustomListBoxEdit* editor = FEditor;
    FEditor = nullptr;
    editor->hide();
    editor->deleteLater();
    if (OnEditHide)
        OnEditHide(this);
    if (FEditIndex != -1) {
        if (MultiSelect())
            SetSelected(FEditIndex, true);
        else
            SetItemIndex(FEditIndex);
    }
    FEditIndex = -1;
    setFocus();
}
