#include "ui/controls/UCLComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// The virtual key code of a key, as far as the search rule needs it.
int VirtualKey(const QKeyEvent* event)
{
    const int key = event->key();
    if (key >= 0x20 && key <= 0x7E)
        return (key >= 'a' && key <= 'z') ? key - 32 : key;
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
            return 112 + key - Qt::Key_F1;
        return event->text().isEmpty() ? 0 : 0xBA;   // other characters: an OEM key
    }
}

bool IsNavigationKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down ||
           key == Qt::Key_Left || key == Qt::Key_Right;
}

class TComboDelegate : public QStyledItemDelegate {
public:
    explicit TComboDelegate(TUCLCustomComboBox* combo) : QStyledItemDelegate(combo), FCombo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        FCombo->DrawItem(*painter, index.row(), option.rect, option.state & QStyle::State_Selected);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(option.rect.width(), FCombo->MeasuredHeight(index.row()));
    }

private:
    TUCLCustomComboBox* FCombo;
};

}   // namespace

TUCLCustomComboBox::TUCLCustomComboBox(QWidget* Parent) : QComboBox(Parent)
{
    setItemDelegate(new TComboDelegate(this));
    setInsertPolicy(QComboBox::NoInsert);
    ApplyStyle();
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    connect(this, qOverload<int>(&QComboBox::activated), this, &TUCLCustomComboBox::ChooseItem);
}

TUCLCustomComboBox::~TUCLCustomComboBox() = default;

int TUCLCustomComboBox::ItemObject(int Index) const
{
    return itemData(Index).toInt();
}

int TUCLCustomComboBox::AddItem(const QString& Text, int Object)
{
    int index = count();
    if (FSorted) {
        index = 0;
        while (index < count() && itemText(index).compare(Text, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    InsertItem(index, Text, Object);
    return index;
}

void TUCLCustomComboBox::InsertItem(int Index, const QString& Text, int Object)
{
    // Adding items chooses none and keeps the typed text.
    const bool keepText = isEditable();
    const QString text = keepText ? currentText() : QString();
    const bool noneChosen = currentIndex() < 0;
    insertItem(Index, Text, Object);
    if (noneChosen)
        setCurrentIndex(-1);
    if (keepText)
        setEditText(text);
}

void TUCLCustomComboBox::SetItemIndex(int Index)
{
    setCurrentIndex(Index >= 0 && Index < count() ? Index : -1);
}

void TUCLCustomComboBox::SetText(const QString& Value)
{
    if (isEditable())
        setEditText(Value);
    else
        setCurrentIndex(findText(Value, Qt::MatchFixedString));
}

void TUCLCustomComboBox::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    if (FSorted) {
        const QString text = currentText();
        model()->sort(0, Qt::AscendingOrder);
        if (isEditable())
            setEditText(text);
    }
}

void TUCLCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    ApplyStyle();
}

void TUCLCustomComboBox::ApplyStyle()
{
    const bool editable = FStyle == TComboBoxStyle::csDropDown || FStyle == TComboBoxStyle::csSimple;
    setEditable(editable);
    if (QLineEdit* edit = lineEdit()) {
        setCompleter(nullptr);
        edit->installEventFilter(this);
        // A member function: Qt refuses unique connections to lambdas, and the style may be set again.
        connect(edit, &QLineEdit::textEdited, this, &TUCLCustomComboBox::Change, Qt::UniqueConnection);
    }
}

void TUCLCustomComboBox::SetItemHeight(int Value)
{
    if (Value < 1)
        return;
    FItemHeight = Value;
    view()->doItemsLayout();
}

void TUCLCustomComboBox::SetColor(TColor Value)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ColorToQColor(Value));
    pal.setColor(QPalette::Button, ColorToQColor(Value));
    pal.setColor(QPalette::Window, ColorToQColor(Value));
    setPalette(pal);
}

void TUCLCustomComboBox::SetFontColor(TColor Value)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ColorToQColor(Value));
    pal.setColor(QPalette::ButtonText, ColorToQColor(Value));
    pal.setColor(QPalette::WindowText, ColorToQColor(Value));
    setPalette(pal);
}

void TUCLCustomComboBox::SetSearch(bool Value)
{
    FSearch = Value;
    if (FSearch && !FSorted)
        SetSorted(true);
}

void TUCLCustomComboBox::SetMRUList(bool Value)
{
    if (Value == FMRUList)
        return;
    FMRUList = Value;
    if (FMRUList) {
        SetStyle(TComboBoxStyle::csOwnerDrawFixed);
        return;
    }
    for (; FRecentCount > 0; --FRecentCount)
        removeItem(0);
}

void TUCLCustomComboBox::SetMRUMax(int Value)
{
    FMRUMax = Value;
    while (FRecentCount > std::max(FMRUMax, 0)) {
        removeItem(FRecentCount - 1);   // the oldest entry ends the block
        --FRecentCount;
    }
}

void TUCLCustomComboBox::SetDropDownWidth(int Value)
{
    FDropDownWidth = Value;
}

void TUCLCustomComboBox::showPopup()
{
    if (FDropDownWidth > 0)
        view()->setMinimumWidth(FDropDownWidth);
    QComboBox::showPopup();
}

bool TUCLCustomComboBox::DroppedDown() const
{
    return view()->isVisible();
}

// --- search ---

void TUCLCustomComboBox::StopSearchTimer()
{
    if (!FSearchTimer)
        FSearchTimer = std::make_unique<TUCLTimer>(Interval, [this](TPersistent*) { SearchTimer(); }, false,
                                                   UseGlobalTimer);
    FSearchTimer->SetEnabled(false);
}

void TUCLCustomComboBox::SearchTimer()
{
    if (!FSorted || !lineEdit())
        return;
    const QString text = lineEdit()->text();
    for (int k = 0; k < count(); ++k) {
        if (!itemText(k).startsWith(text, Qt::CaseSensitive))
            continue;
        const int caret = lineEdit()->cursorPosition();
        setCurrentIndex(k);
        const int length = int(lineEdit()->text().length());
        lineEdit()->setSelection(length, caret - length);   // the completed tail, caret at its start
        break;
    }
    // The timer may be the caller: it stays, stopped, for the next key.
    if (FSearchTimer)
        FSearchTimer->SetEnabled(false);
}

void TUCLCustomComboBox::keyPressEvent(QKeyEvent* event)
{
    FKeyNavigation = IsNavigationKey(event->key());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QComboBox::keyPressEvent(event);
    if (enter && FFocusControl) {
        HandOverFocus(false);
        EndHot();
    }
    StopSearchTimer();
    if (!FSearch)
        return;
    const int key = VirtualKey(event);
    if (key == 8 || key == 46) {
        FSearchTimer->SetInterval(Word(Interval + 1000));
        FSearchTimer->SetEnabled(true);
    } else if (key > 31) {
        FSearchTimer->SetInterval(Interval);
        FSearchTimer->SetEnabled(true);
    }
}

void TUCLCustomComboBox::mousePressEvent(QMouseEvent* event)
{
    FKeyNavigation = false;
    QComboBox::mousePressEvent(event);
}

void TUCLCustomComboBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QComboBox::mouseDoubleClickEvent(event);
    if (OnDblClick)
        OnDblClick(this);
}

void TUCLCustomComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    EndHot();
}

void TUCLCustomComboBox::EndHot()
{
    if (FSearch && FSearchTimer) {
        FSearchTimer->SetEnabled(false);
        FSearchTimer.reset();
    }
    update();
}

bool TUCLCustomComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit()) {
        if (event->type() == QEvent::FocusIn)
            FEditFocused = true;
        else if (event->type() == QEvent::FocusOut)
            FEditFocused = false;
        else if (event->type() == QEvent::MouseButtonPress && OnEditClick)
            OnEditClick(this);
    } else if (event->type() == QEvent::KeyPress) {   // keys in the dropped-down list
        FKeyNavigation = IsNavigationKey(static_cast<QKeyEvent*>(event)->key());
    } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        FKeyNavigation = false;
    }
    return QComboBox::eventFilter(watched, event);
}

// --- choosing ---

void TUCLCustomComboBox::ChooseItem(int Index)
{
    if (Index != currentIndex())
        setCurrentIndex(Index);
    DoSelect();
    if (FMRUList && Index >= 0) {
        const QString text = currentText();
        int k = 0;
        while (k < FRecentCount - 1 && itemText(k) != text)
            ++k;
        if (FRecentCount != 0 && itemText(k) == text) {
            setCurrentIndex(k);
        } else {
            const QVariant object = itemData(currentIndex());
            if (FRecentCount >= FMRUMax && FMRUMax > 0)
                removeItem(FMRUMax - 1);
            else
                ++FRecentCount;
            insertItem(0, text, object);
            setCurrentIndex(0);
        }
    }
    if (!DroppedDown() && !FKeyNavigation && FFocusControl)
        HandOverFocus(true);
    EndHot();
    Change();
}

void TUCLCustomComboBox::HandOverFocus(bool Posted)
{
    QWidget* target = FFocusControl;
    if (target->window() == window()) {
        target->setFocus();
        return;
    }
    FEditFocused = false;
    // Another window: its activation and the focus follow through the event loop.
    QMetaObject::invokeMethod(
        target,
        [target, Posted] {
            if (Posted)
                target->activateWindow();
            target->setFocus();
        },
        Qt::QueuedConnection);
}

void TUCLCustomComboBox::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

void TUCLCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

// --- items in the list ---

void TUCLCustomComboBox::MeasureItem(int, int& Height)
{
    Height = FItemHeight + (FMRUList ? 4 : 0);
}

int TUCLCustomComboBox::MeasuredHeight(int Index)
{
    int height = FItemHeight;
    MeasureItem(Index, height);
    return height;
}

void TUCLCustomComboBox::DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Canvas, Rect, Selected);
    } else {
        Canvas.fillRect(Rect, ColorToQColor(Selected ? clHighlight : clWindow));
        Canvas.setPen(Selected ? ColorToQColor(clHighlightText) : palette().color(QPalette::Text));
        Canvas.drawText(Rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                        itemText(Index));
    }
    // A double line under the last recent entry separates the block from the rest.
    if (FMRUList && Index == FRecentCount - 1) {
        Canvas.setPen(QPen(Qt::black, 0));
        Canvas.drawLine(Rect.left(), Rect.bottom() - 2, Rect.right(), Rect.bottom() - 2);
        Canvas.drawLine(Rect.left(), Rect.bottom(), Rect.right(), Rect.bottom());
    }
}
