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

void TUCLCustomListBox::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    viewport()->setAutoFillBackground(!Value);
    setAutoFillBackground(!Value);
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
    if (!FTransparent)
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

// ===========================================================================
// The list box with header
// ===========================================================================

#include "platform/AnsiText.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLApplication.h"
#include "ui/controls/UCLProcs.h"

#include <QStandardItemModel>

namespace {

constexpr Cardinal DT_EDITCONTROL = 0x2000;
constexpr Cardinal DT_RTLREADING = 0x20000;
// Bounds for widths read from a settings file: a damaged value neither adds
// thousands of sections nor makes a column wider than any screen.
constexpr int MaxIniSections = 256;
constexpr int MaxSectionWidth = 32767;

Qt::Alignment QtAlignment(TAlignment a)
{
    switch (a) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

Cardinal AlignmentFlags(TAlignment a)
{
    return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
}

// A decimal integer as the class library reads one; false for anything else.
bool ParseDecimal(const AnsiString& text, int& value)
{
    std::size_t k = 0;
    while (k < text.size() && text[k] == ' ')
        ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '-' || text[k] == '+'))
        negative = text[k++] == '-';
    if (k == text.size())
        return false;
    long long v = 0;
    for (; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
        v = v * 10 + (text[k] - '0');
        if (v > 0x7FFFFFFFLL + 1)
            return false;
    }
    v = negative ? -v : v;
    if (v > 0x7FFFFFFF || v < -0x7FFFFFFFLL - 1)
        return false;
    value = int(v);
    return true;
}

}   // namespace

// --- header ---

TUCLHeaderControl::TUCLHeaderControl(QWidget* Parent)
    : QHeaderView(Qt::Horizontal, Parent), FModel(new QStandardItemModel(0, 0, this))
{
    setModel(FModel);
    setSectionsClickable(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Interactive);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QHeaderView::sectionResized, this, [this](int section, int, int) {
        if (!FSettingWidth && OnSectionResize)
            OnSectionResize(this, section);
    });
}

int TUCLHeaderControl::SectionCount() const
{
    return FModel->columnCount();
}

int TUCLHeaderControl::AddSection(const QString& Text, int Width, TAlignment Alignment)
{
    const int index = FModel->columnCount();
    FModel->insertColumn(index);
    auto* item = new QStandardItem(Text);
    item->setTextAlignment(QtAlignment(Alignment));
    item->setData(int(Alignment), Qt::UserRole);
    FModel->setHorizontalHeaderItem(index, item);
    SetSectionWidth(index, Width);
    return index;
}

void TUCLHeaderControl::ClearSections()
{
    FModel->setColumnCount(0);
}

QString TUCLHeaderControl::SectionText(int Index) const
{
    const QStandardItem* item = FModel->horizontalHeaderItem(Index);
    return item ? item->text() : QString();
}

void TUCLHeaderControl::SetSectionText(int Index, const QString& Text)
{
    if (QStandardItem* item = FModel->horizontalHeaderItem(Index))
        item->setText(Text);
}

void TUCLHeaderControl::SetSectionWidth(int Index, int Width)
{
    if (Index < 0 || Index >= SectionCount())
        return;
    FSettingWidth = true;
    resizeSection(Index, std::clamp(Width, 0, MaxSectionWidth));
    FSettingWidth = false;
}

TAlignment TUCLHeaderControl::SectionAlignment(int Index) const
{
    const QStandardItem* item = FModel->horizontalHeaderItem(Index);
    return item ? TAlignment(item->data(Qt::UserRole).toInt()) : taLeftJustify;
}

void TUCLHeaderControl::SetSectionAlignment(int Index, TAlignment Value)
{
    if (QStandardItem* item = FModel->horizontalHeaderItem(Index)) {
        item->setData(int(Value), Qt::UserRole);
        item->setTextAlignment(QtAlignment(Value));
    }
}

// --- inner list ---

TUCLMyListBox::TUCLMyListBox(TUCLListBox* Owner) : TUCLExtListBox(Owner->Client()), FOwner(Owner) {}

void TUCLMyListBox::mouseMoveEvent(QMouseEvent* event)
{
    TUCLExtListBox::mouseMoveEvent(event);
    if (FOwner)
        FOwner->ListMouseMove(event->modifiers(), int(event->position().x()), int(event->position().y()));
}

// --- list box with header ---

TUCLListBox::TUCLListBox(QWidget* Parent)
    : TUCLCustomScrollBox(Parent), FAltLineColor(clSilver), FAltFontColor(clWindowText), FGridHorzColor(clSilver),
      FGridVertColor(clSilver)
{
    FHeader = new TUCLHeaderControl(Client());
    FHeader->setObjectName(QStringLiteral("header"));
    FHeader->OnSectionResize = [this](TUCLHeaderControl* header, int section) { HeaderSectionResized(header, section); };
    FHeader->AddSection(QString());
    FList = new TUCLMyListBox(this);
    FList->setObjectName(QStringLiteral("list"));
    FList->setFrameShape(QFrame::NoFrame);
    FList->SetColor(clWindow);
    FList->OnDrawItem = [this](TUCLCustomListBox* control, int index, QPainter& canvas, const TRect& rect, Byte state) {
        DrawListItem(control, index, canvas, rect, state);
    };
    SetVertScrollBarVisible(false);
    setFocusPolicy(Qt::NoFocus);   // the inner list takes the focus
    resize(100, 100);
    AlignControls();
}

TUCLListBox::~TUCLListBox()
{
    // Widths are saved first; a settings store that refuses the write must
    // not stop the control from going away.
    try {
        IniWriteData();
    } catch (const std::exception&) {
    }
    FDestroying = true;
    FList->OnDrawItem = nullptr;
    FHeader->OnSectionResize = nullptr;
}

void TUCLListBox::RefreshList()
{
    FList->viewport()->update();
}

void TUCLListBox::SetDelimiter(char Value)
{
    if (Value == FDelimiter)
        return;
    FDelimiter = Value;
    RefreshList();
}

void TUCLListBox::SetGridLines(TUCLLBGridLines Value)
{
    if (Value == FGridLines)
        return;
    FGridLines = Value;
    RefreshList();
}

void TUCLListBox::SetStyle(TListBoxStyle Value)
{
    FStyle = Value;
    FList->SetMeasureItemEvent(Value == TListBoxStyle::lbOwnerDrawVariable || Value == TListBoxStyle::lbVirtualOwnerDraw);
    RefreshList();
}

void TUCLListBox::SetSelectedFontStyle(Byte Value)
{
    if (Value == FSelectedFontStyle)
        return;
    FSelectedFontStyle = Value;
    FList->SelectedFontStyle = Value;
    RefreshList();
}

void TUCLListBox::SetColumnOptions(TUCLLabelOptions Value)
{
    if (Value == FColumnOptions)
        return;
    FColumnOptions = Value;
    RefreshList();
}

void TUCLListBox::SetGridStyle(int Index, Qt::PenStyle Value)
{
    if (Index < 0 || Index > 1 || GridStyle(Index) == Value)
        return;
    (Index == 0 ? FGridHorzStyle : FGridVertStyle) = Value;
    RefreshList();
}

bool TUCLListBox::GetBooleanOption(int Index) const
{
    switch (Index) {
    case 0: return isEnabled();
    case 1: return FExtendedSelect;
    case 2: return FHeaderVisible;
    case 3: return FList->selectionMode() != QAbstractItemView::SingleSelection;
    case 4: return FList->Sorted();
    case 5: return FAllowResize;
    case 6: return FShowHint;
    case 7: return FParentShowHint;
    case 8: return FList->focusPolicy() != Qt::NoFocus;
    case 9: return FList->ItemAutoHeight();
    case 12: return FHeader->HotTrack;
    case 13: return FHeader->Flat;
    case 14: return FAlternateColors;
    case 15: return FList->BeveledFocus;
    case 16: return FVirtualAutoWidth;
    default: return false;   // 21 AutoScroll always reads false
    }
}

void TUCLListBox::SetBooleanOption(int Index, bool Value)
{
    switch (Index) {
    case 0:
        FList->setEnabled(Value);
        FHeader->setEnabled(Value);
        setEnabled(Value);
        break;
    case 1:
    case 3: {
        if (Index == 1)
            FExtendedSelect = Value;
        const bool multi = Index == 3 ? Value : GetBooleanOption(3);
        FList->setSelectionMode(!multi              ? QAbstractItemView::SingleSelection
                                : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                                  : QAbstractItemView::MultiSelection);
        break;
    }
    case 2:
        FHeaderVisible = Value;
        FHeader->setVisible(Value);
        AlignControls();
        break;
    case 4: FList->SetSorted(Value); break;
    case 5:
        FAllowResize = Value;
        FHeader->setEnabled(Value);
        break;
    case 6: FShowHint = Value; break;   // hints are the widgets' tool tips
    case 7: FParentShowHint = Value; break;
    case 8: FList->setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); break;
    case 9: FList->SetItemAutoHeight(Value); break;
    case 12: FHeader->HotTrack = Value; break;
    case 13: FHeader->Flat = Value; break;
    case 14:
        if (Value == FAlternateColors)
            return;
        FAlternateColors = Value;
        if (isVisible() && !FLoading)
            RefreshList();
        break;
    case 15: FList->BeveledFocus = Value; RefreshList(); break;
    case 16:
        if (Value == FVirtualAutoWidth)
            return;
        FVirtualAutoWidth = Value;
        if (Value) {
            UpdateVirtualWidth();
            AlignControls();
            RefreshList();
        } else {
            SetVirtualWidth(0);
        }
        break;
    default: break;
    }
}

TColor TUCLListBox::GetColorOption(int Index) const
{
    switch (Index) {
    case 0: return FList->Color;
    case 1: return FList->SelectedColor;
    case 2: return FGridHorzColor;
    case 3: return FGridVertColor;
    case 4: return FList->SelectedFontColor;
    case 5: return FAltLineColor;
    case 6: return FAltFontColor;
    case 7: return FList->BevelFocusShadowColor;
    case 8: return FList->BevelFocusLightColor;
    default: return clWhite;
    }
}

void TUCLListBox::SetColorOption(int Index, TColor Value)
{
    if (Index < 0 || Index > 8 || GetColorOption(Index) == Value)
        return;
    switch (Index) {
    case 0: FList->SetColor(Value); break;
    case 1: FList->SelectedColor = Value; break;
    case 2: FGridHorzColor = Value; break;
    case 3: FGridVertColor = Value; break;
    case 4: FList->SelectedFontColor = Value; break;
    case 5: FAltLineColor = Value; break;
    case 6: FAltFontColor = Value; break;
    case 7: FList->BevelFocusShadowColor = Value; break;
    case 8: FList->BevelFocusLightColor = Value; break;
    }
    RefreshList();
}

int TUCLListBox::GetIntegerInfo(int Index) const
{
    switch (Index) {
    case 0: return FHeaderHeight;
    case 1: return FList->ItemIndex();
    case 2: {
        const QModelIndex top = FList->indexAt(QPoint(1, 1));
        return top.isValid() ? top.row() : 0;
    }
    case 3: {
        int count = 0;
        for (int k = 0; k < FList->ItemCount(); ++k)
            count += FList->Selected(k) ? 1 : 0;
        return count;
    }
    case 4: return FList->ItemHeight();
    case 5: return FHeader->SectionCount();
    default: return 0;
    }
}

void TUCLListBox::SetIntegerInfo(int Index, int Value)
{
    switch (Index) {
    case 0:
        if (Value == FHeaderHeight || Value < 0)
            return;
        FHeaderHeight = Value;
        AlignControls();
        break;
    case 1: FList->SetItemIndex(Value); break;
    case 2:
        if (QListWidgetItem* item = FList->item(Value))
            FList->scrollToItem(item, QAbstractItemView::PositionAtTop);
        break;
    case 4: FList->SetItemHeight(Value); break;
    default: break;
    }
}

void TUCLListBox::SetFocus()
{
    FList->setFocus();
}

bool TUCLListBox::Focused() const
{
    return hasFocus() || FList->hasFocus();
}

void TUCLListBox::SetListFont(const QFont& Value)
{
    FList->setFont(Value);
}

void TUCLListBox::SetTransparent(bool Value)
{
    TUCLCustomScrollBox::SetTransparent(Value);
    FList->SetTransparent(Transparent());
}

// --- virtual width and layout ---

int TUCLListBox::TotalColumnWidth() const
{
    int total = 0;
    for (int k = 0; k < FHeader->SectionCount(); ++k)
        total += FHeader->SectionWidth(k);
    return total;
}

void TUCLListBox::UpdateVirtualWidth()
{
    if (!FVirtualAutoWidth)
        return;
    const int w = TotalColumnWidth();
    if (ClientWidth() < w)
        FVirtualWidth = w;
    else
        SetVirtualWidth(0);
}

void TUCLListBox::SetVirtualWidth(int Value)
{
    if (Value == FVirtualWidth || Value < 0)
        return;
    FVirtualWidth = Value;
    if (FVirtualAutoWidth)
        UpdateVirtualWidth();
    if (FVirtualWidth != 0) {
        SetHorzRange(FVirtualWidth);
        SetHorzPosition(0);
        FList->move(0, FList->y());
        FHeader->move(0, FHeader->y());
        FList->resize(FVirtualWidth, FList->height());
    } else {
        RefreshList();
    }
    AlignControls();
}

void TUCLListBox::AlignControls()
{
    if (FLoading || FDestroying)
        return;
    SetHorzRange(FVirtualWidth > 0 ? FVirtualWidth : 0);
    const int top = FHeaderVisible ? FHeaderHeight : 0;
    if (FVirtualWidth <= 0) {
        FHeader->setGeometry(0, 0, ClientWidth(), FHeaderHeight);
        FList->setGeometry(0, top, ClientWidth(), std::max(ClientHeight() - top, 0));
    } else {
        FHeader->setGeometry(FHeader->x(), 0, FVirtualWidth, FHeaderHeight);
        FList->setGeometry(FList->x(), top, FVirtualWidth, std::max(ClientHeight() - top, 0));
    }
}

void TUCLListBox::ClientResized()
{
    // Before the constructor made the parts there is nothing to align.
    if (FHeader && FList)
        AlignControls();
}

void TUCLListBox::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomScrollBox::resizeEvent(Event);
    if (FLoading || FDestroying)
        return;
    AlignControls();
    RefreshList();
}

void TUCLListBox::HeaderSectionResized(TUCLHeaderControl* Header, int Section)
{
    UpdateVirtualWidth();
    AlignControls();
    RefreshList();
    if (OnHeaderSized)
        OnHeaderSized(this, Section, FHeader->SectionWidth(Section));
    if (OnHeaderSectionResize)
        OnHeaderSectionResize(Header, Section);
}

// --- drawing ---

Cardinal TUCLListBox::DrawTextFlags() const
{
    Cardinal flags = DT_NOPREFIX;
    if (FColumnOptions & loPathEllipsis)
        flags |= DT_PATH_ELLIPSIS;
    if (FColumnOptions & loEndEllipsis)
        flags |= DT_END_ELLIPSIS;
    if (FColumnOptions & loEditControl)
        flags |= DT_EDITCONTROL;
    if (layoutDirection() == Qt::RightToLeft)
        flags |= DT_RTLREADING;
    return flags;
}

void TUCLListBox::DrawListItem(TUCLCustomListBox* Control, int Index, QPainter& Canvas, const TRect& Rect, Byte State)
{
    if (FLoading || FDestroying)
        return;
    if (FStyle != TListBoxStyle::lbStandard && OnDrawItem) {
        OnDrawItem(Control, Index, Canvas, Rect, State);
        return;
    }
    // The row's background and font.
    TColor back;
    TColor fontColor;
    QFont font = FList->font();
    auto applyStyle = [&font](Byte style) {
        font.setBold(style & 0x01);
        font.setItalic(style & 0x02);
        font.setUnderline(style & 0x04);
        font.setStrikeOut(style & 0x08);
    };
    if (State & odSelected) {
        back = FList->SelectedColor;
        fontColor = FList->SelectedFontColor;
        applyStyle(FSelectedFontStyle);
    } else {
        if (FAlternateColors && Index != -1 && Index % 2 == 1) {
            back = FAltLineColor;
            fontColor = FAltFontColor;
        } else {
            back = FList->Color;
            fontColor = QColorToColor(FList->palette().color(QPalette::Active, QPalette::Text));
        }
        if (State & odDisabled)
            fontColor = clInactiveCaption;
    }
    if (OnGetLineSettings)
        OnGetLineSettings(this, Index, State, back, font, fontColor);
    if (!Transparent())
        FillRect(Canvas, Rect, back);
    Canvas.setBrush(Qt::NoBrush);
    Canvas.setFont(font);
    Canvas.setPen(ColorToQColor(fontColor));
    if (OnPrepareDrawItem)
        OnPrepareDrawItem(Control, Index, Canvas, Rect, State);

    const Cardinal flags = DrawTextFlags();
    const QString text = FList->ItemText(Index);
    if (text.trimmed().isEmpty())
        return;
    const int sections = FHeader->SectionCount();
    if (sections == 0) {
        TRect r = Rect;
        r.Left += 2;
        DrawText(Canvas, text, r, flags);
    } else {
        const std::vector<AnsiString> pieces = SplitToStrings(QStringToAnsi(text), FDelimiter);
        const int listClient = FList->viewport()->width();
        int x = Rect.Left;
        for (int k = 0; k < sections && k < int(pieces.size()); ++k) {
            int right = x + FHeader->SectionWidth(k) - 1;
            if (right > listClient - 1)
                right = listClient - 1;
            TRect r = ::Rect(x + 1, Rect.Top, right, Rect.Bottom);
            DrawText(Canvas, AnsiToQString(pieces[k]), r, flags | AlignmentFlags(FHeader->SectionAlignment(k)));
            x = right + 1;
        }
        if (FGridLines == TUCLLBGridLines::glVertical || FGridLines == TUCLLBGridLines::glBoth) {
            Canvas.setPen(QPen(ColorToQColor(FGridVertColor), 1, FGridVertStyle));
            int gx = Rect.Left;
            const int controlWidth = ClientWidth();
            const int bottom = FList->viewport()->height();
            for (int k = 0; k < sections; ++k) {
                gx += FHeader->SectionWidth(k);
                if (std::abs(gx - controlWidth) >= 2)
                    Canvas.drawLine(gx - 1, 0, gx - 1, bottom);
            }
        }
    }
    if (FGridLines == TUCLLBGridLines::glHorizontal || FGridLines == TUCLLBGridLines::glBoth) {
        Canvas.setPen(QPen(ColorToQColor(FGridHorzColor), 1, FGridHorzStyle));
        Canvas.drawLine(Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom - 1);
    }
}

// --- settings storage ---

void TUCLListBox::SetIniLink(TUCLIniCtrl* Value)
{
    FIniLink = Value;
}

TUCLIniCtrl* TUCLListBox::ActiveIniCtrl() const
{
    if (IniUse == TUCLIniUse::ioUseLink)
        return FIniLink;
    if (IniUse == TUCLIniUse::ioUseGlobal)
        return &LibraryApplication().IniControl();
    return nullptr;
}

void TUCLListBox::IniReadData()
{
    TUCLIniCtrl* ini = ActiveIniCtrl();
    if (ini) {
        const AnsiString widths = ini->ReadString(Section, IniKey, "");
        if (!widths.empty())
            ApplyColumnWidths(widths);
    }
    if (OnIniReadData)
        OnIniReadData(this, ini, Section);
}

void TUCLListBox::IniWriteData()
{
    TUCLIniCtrl* ini = ActiveIniCtrl();
    if (ini) {
        const AnsiString widths = GetColumnWidths();
        if (!widths.empty())
            ini->WriteString(Section, IniKey, widths);
        else
            ini->DeleteKey(Section, IniKey);
    }
    if (OnIniWriteData)
        OnIniWriteData(this, ini, Section);
}

void TUCLListBox::ApplyColumnWidths(const AnsiString& Text)
{
    const std::vector<AnsiString> pieces = SplitToStrings(Text, ',');
    std::vector<int> widths;
    for (const AnsiString& piece : pieces) {
        int width = 0;
        if (!ParseDecimal(piece, width)) {
            const std::string_view format = SInvalidInteger;
            const std::size_t at = format.find("%s");
            throw EConvertError(AnsiString(format.substr(0, at)) + piece + AnsiString(format.substr(at + 2)));
        }
        widths.push_back(std::clamp(width, 0, MaxSectionWidth));
    }
    if (widths.size() > std::size_t(MaxIniSections))
        widths.resize(MaxIniSections);
    for (std::size_t k = 0; k < widths.size(); ++k) {
        const int index = int(k);
        if (FHeader->SectionCount() < index + 1)
            FHeader->AddSection(QStringLiteral("S. %1").arg(index + 1));
        FHeader->SetSectionWidth(index, widths[k]);
    }
    UpdateVirtualWidth();
    AlignControls();
    RefreshList();
}

AnsiString TUCLListBox::GetColumnWidths() const
{
    AnsiString out;
    for (int k = 0; k < FHeader->SectionCount(); ++k) {
        if (k > 0)
            out += ',';
        out += std::to_string(FHeader->SectionWidth(k));
    }
    return out;
}

void TUCLListBox::BeginLoading()
{
    FLoading = true;
    // The form's sections replace the default one.
    FHeader->ClearSections();
}

void TUCLListBox::Loaded()
{
    FLoading = false;
    // A damaged width list in the settings is passed over: the columns keep
    // the form's widths, and closing writes correct ones back.
    try {
        IniReadData();
    } catch (const EConvertError&) {
    }
    UpdateVirtualWidth();
    AlignControls();
}
