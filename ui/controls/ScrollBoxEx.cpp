#include "ui/controls/ScrollBoxEx.h"

#include "platform/AnsiText.h"
#include "platform/VirtualKeys.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace {

bool IsSpecialKey(Word vk)
{
    switch (vk) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

Word ScrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    default: return SB_ENDSCROLL;
    }
}

}   // namespace

TScrollBoxEx::TScrollBoxEx(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    auto* content = new QWidget;
    content->setObjectName("Content");
    content->resize(0, 0);
    setWidget(content);
    const struct {
        QScrollBar* Bar;
        bool Horz;
    } bars[] = {{horizontalScrollBar(), true}, {verticalScrollBar(), false}};
    for (const auto& entry : bars) {
        QScrollBar* bar = entry.Bar;
        const bool horz = entry.Horz;
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar, horz](int action) { ScrollAction(bar, action, horz); });
        connect(bar, &QScrollBar::sliderMoved, this, [this, bar, horz](int position) { ThumbMoved(bar, position, horz); });
        connect(bar, &QScrollBar::sliderReleased, this, [this, bar, horz] { ThumbReleased(bar, horz); });
    }
}

void TScrollBoxEx::SetSmoothScrolling(bool value)
{
    smoothScrolling_ = value;
    horizontalScrollBar()->setTracking(value);
    verticalScrollBar()->setTracking(value);
}

// The bar has its new slider position but has not moved the content yet:
// move it first, so the owner sees where the scroll ended. Thumb moves are
// reported by ThumbMoved.
void TScrollBoxEx::ScrollAction(QScrollBar* bar, int action, bool horz)
{
    if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction)
        return;
    bar->setValue(bar->sliderPosition());
    if (OnScroll)
        OnScroll(this, ScrollCode(action), horz);
}

void TScrollBoxEx::ThumbMoved(QScrollBar* bar, int position, bool horz)
{
    if (smoothScrolling_)
        bar->setValue(position);
    if (OnScroll)
        OnScroll(this, SB_THUMBTRACK, horz);
}

void TScrollBoxEx::ThumbReleased(QScrollBar* bar, bool horz)
{
    bar->setValue(bar->sliderPosition());
    if (OnScroll) {
        OnScroll(this, SB_THUMBPOSITION, horz);
        OnScroll(this, SB_ENDSCROLL, horz);
    }
}

void TScrollBoxEx::UpdateRange()
{
    QRect extent;
    for (QObject* child : Content()->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisibleTo(Content()))
            extent |= w->geometry();
    Content()->resize(std::max(extent.right() + 1, 0), std::max(extent.bottom() + 1, 0));
}

Integer TScrollBoxEx::VertRange() const
{
    return Content()->height();
}

bool TScrollBoxEx::WantsSpecialKey(Word charCode)
{
    bool wanted = false;
    if (OnWantSpecialKey)
        OnWantSpecialKey(this, charCode, wanted);
    return wanted;
}

bool TScrollBoxEx::event(QEvent* e)
{
    // Tab normally moves the focus before the key handlers see it.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && WantsSpecialKey(VK_TAB)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QScrollArea::event(e);
}

void TScrollBoxEx::keyPressEvent(QKeyEvent* event)
{
    Word vk = VirtualKeyOfEvent(*event);
    if (IsSpecialKey(vk) && vk != VK_TAB && !WantsSpecialKey(vk)) {
        event->ignore();
        return;
    }
    if (OnKeyDown && vk != 0)
        OnKeyDown(this, vk, ShiftStateOfEvent(*event));
    const AnsiString text = QStringToAnsi(event->text());
    if (OnKeyPress && text.size() == 1) {
        char c = text[0];
        OnKeyPress(this, c);
    }
    event->accept();
}

void TScrollBoxEx::keyReleaseEvent(QKeyEvent* event)
{
    Word vk = VirtualKeyOfEvent(*event);
    if (OnKeyUp && vk != 0)
        OnKeyUp(this, vk, ShiftStateOfEvent(*event));
    event->accept();
}
