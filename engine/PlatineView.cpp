#include "engine/PlatineView.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/AnsiText.h"
#include "platform/MouseCursor.h"
#include "platform/ScreenCursors.h"
#include "platform/VirtualKeys.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <exception>
#include <optional>

namespace {

// The background of the scroll box where the board does not reach.
constexpr TColor ScrollBoxColour = 0xF6FFFF;

QCursor CursorShape(Integer cursor)
{
    return ScreenCursor(cursor);
}

std::optional<TMouseButton> ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return std::nullopt;
    }
}

} // namespace

template <class F>
void TPlatineView::Guarded(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        // The messages are UTF-8, the box takes the program's 8-bit text.
        ShowMessage(QStringToAnsi(QString::fromUtf8(e.what())));
    } catch (...) {
        ShowMessage("?");
    }
}

TPlatineView::TPlatineView(TPlatine& board, QWidget* parent) : QAbstractScrollArea(parent), board_(&board)
{
    setObjectName("PlatineScrollbox");
    board.View = this;
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    autoScrollTimer_.setObjectName("AutoScrollTimer");
    autoScrollTimer_.setInterval(20);
    connect(&autoScrollTimer_, &QTimer::timeout, this, [this] {
        if (board_)
            Guarded([&] { board_->AutoScrollTick(); });
    });
    autoScrollTimer_.start();
    board.SetZoom(board.Zoom);
    BoardChanged();
}

TPlatineView::~TPlatineView()
{
    if (board_ && board_->View == this)
        board_->View = nullptr;
}

// ---- IBoardView

void TPlatineView::InvalidateDeviceRect(const TRect& rect)
{
    viewport()->update(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

void TPlatineView::RepaintBoard()
{
    viewport()->update();
}

void TPlatineView::SetBoardCursor(Integer cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    viewport()->setCursor(CursorShape(cursor));
}

void TPlatineView::CentreMousePointer()
{
    const QPoint centre = viewport()->mapToGlobal(viewport()->rect().center());
    SetCursorPos(TPoint{centre.x(), centre.y()});
}

void TPlatineView::CopySelectionPicture()
{
    if (board_)
        board_->CopyAsMetafile();
}

TPoint TPlatineView::ScrollBoxSize() const
{
    return {width(), height()};
}

TRect TPlatineView::ScrollBoxScreenRect() const
{
    const QPoint origin = viewport()->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y(), origin.x() + viewport()->width(), origin.y() + viewport()->height()};
}

TPoint TPlatineView::CursorScreenPos() const
{
    const QPoint p = haveGlobalPos_ ? lastGlobalPos_ : QCursor::pos();
    return {p.x(), p.y()};
}

void TPlatineView::BoardResized()
{
    UpdateRanges();
    viewport()->update();
}

void TPlatineView::BoardChanged()
{
    if (!board_)
        return;
    UpdateRanges();
    {
        const TFlagScope adjusting(adjusting_, true);
        horizontalScrollBar()->setValue(board_->ScrollX);
        verticalScrollBar()->setValue(board_->ScrollY);
    }
    TakeScrollPositions();
    viewport()->update();
}

void TPlatineView::BoardDestroyed()
{
    board_ = nullptr;
    autoScrollTimer_.stop();
    viewport()->update();
}

// ---- Scrolling

void TPlatineView::UpdateRanges()
{
    if (!board_)
        return;
    // The board keeps the offsets it wants until it asks for them.
    const TFlagScope adjusting(adjusting_, true);
    const QSize box = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, board_->Width - box.width()));
    horizontalScrollBar()->setPageStep(box.width());
    verticalScrollBar()->setRange(0, std::max(0, board_->Height - box.height()));
    verticalScrollBar()->setPageStep(box.height());
}

void TPlatineView::TakeScrollPositions()
{
    board_->ScrollX = horizontalScrollBar()->value();
    board_->ScrollY = verticalScrollBar()->value();
    board_->Left = -board_->ScrollX;
    board_->Top = -board_->ScrollY;
}

void TPlatineView::scrollContentsBy(int, int)
{
    if (!board_ || adjusting_)
        return;
    TakeScrollPositions();
    if (board_->Crosshair)
        board_->Crosshair->Hide();
    viewport()->update();
}

void TPlatineView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!board_)
        return;
    UpdateRanges();
    TakeScrollPositions();
}

// ---- Painting

void TPlatineView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), ColorToQColor(ScrollBoxColour));
    if (!board_)
        return;
    // The canvas reads the clip to skip objects outside the painted area.
    painter.setClipRegion(event->region());
    TCanvas canvas(painter);
    Guarded([&] { board_->Paint(canvas); });
}

// ---- Mouse

bool TPlatineView::viewportEvent(QEvent* event)
{
    // The crosshair goes when the mouse leaves the board; a pointer that left
    // without a button held scrolls nothing.
    if (event->type() == QEvent::Leave && board_) {
        board_->HideHint();
        if (board_->Crosshair)
            board_->Crosshair->Hide();
        board_->AutoScrollDir = 0;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

TPoint TPlatineView::ControlPoint(const QMouseEvent& event)
{
    lastGlobalPos_ = event.globalPosition().toPoint();
    haveGlobalPos_ = true;
    const QPoint p = event.position().toPoint();
    return {p.x() + board_->ScrollX, p.y() + board_->ScrollY};
}

bool TPlatineView::ScrollBoxPoint(TPoint p) const
{
    return locked_ || p.X >= board_->Width || p.Y >= board_->Height;
}

void TPlatineView::mousePressEvent(QMouseEvent* event)
{
    const auto button = ButtonOf(event->button());
    if (!board_ || !button)
        return;
    const TPoint p = ControlPoint(*event);
    const Byte shift = ShiftStateOfEvent(*event);
    if (scrollBoxGrab_ || ScrollBoxPoint(p)) {
        scrollBoxGrab_ = true;
        if (ScrollBoxMouse.Down)
            Guarded([&] { ScrollBoxMouse.Down(*button, shift, TPoint{p.X - board_->ScrollX, p.Y - board_->ScrollY}); });
        return;
    }
    Guarded([&] { board_->MouseDown(*button, shift, p.X, p.Y); });
}

void TPlatineView::mouseReleaseEvent(QMouseEvent* event)
{
    const auto button = ButtonOf(event->button());
    if (!board_ || !button)
        return;
    const TPoint p = ControlPoint(*event);
    const Byte shift = ShiftStateOfEvent(*event);
    if (scrollBoxGrab_) {
        // The press went to the scroll box: so does everything up to the last release.
        scrollBoxGrab_ = event->buttons() != Qt::NoButton;
        if (ScrollBoxMouse.Up)
            Guarded([&] { ScrollBoxMouse.Up(*button, shift, TPoint{p.X - board_->ScrollX, p.Y - board_->ScrollY}); });
        return;
    }
    Guarded([&] { board_->MouseUp(*button, shift, p.X, p.Y); });
}

void TPlatineView::mouseMoveEvent(QMouseEvent* event)
{
    if (!board_)
        return;
    const TPoint p = ControlPoint(*event);
    const Byte shift = ShiftStateOfEvent(*event);
    const bool boardHasPress = event->buttons() != Qt::NoButton && !scrollBoxGrab_;
    if (scrollBoxGrab_ || (!boardHasPress && ScrollBoxPoint(p))) {
        if (ScrollBoxMouse.Move)
            Guarded([&] { ScrollBoxMouse.Move(shift, TPoint{p.X - board_->ScrollX, p.Y - board_->ScrollY}); });
        return;
    }
    Guarded([&] { board_->MouseMove(shift, p.X, p.Y); });
}

void TPlatineView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: the double click first, then the
    // press, which the board ignores when the double click opened a dialog.
    if (board_ && event->button() == Qt::LeftButton && !scrollBoxGrab_ && !ScrollBoxPoint(ControlPoint(*event)))
        Guarded([&] { board_->DblClick(); });
    mousePressEvent(event);
}

void TPlatineView::wheelEvent(QWheelEvent* event)
{
    event->accept();
    // Only the zoom and select modes zoom by wheel.
    if (!board_ || board_->Mode > TBoardMode::Select || event->angleDelta().y() == 0)
        return;
    lastGlobalPos_ = event->globalPosition().toPoint();
    haveGlobalPos_ = true;
    Guarded([&] { board_->WheelZoom(event->angleDelta().y() > 0); });
}
