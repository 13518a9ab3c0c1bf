// The widget that shows a board: a scroll area whose viewport stands for the
// scroll box around the board control. The board control itself is virtual:
// it is Width x Height pixels large and lies at (-ScrollX, -ScrollY) in the
// viewport, so that the board's mapping (viewport origin Left, Top) gives
// viewport pixels directly. Mouse events reach the board in control pixels,
// painting runs the board's paint, and the board's requests (repaint an area,
// scroll to its offsets, cursor shapes) come back through IBoardView.
#pragma once

#include "engine/Platine.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <functional>

// The mouse over the scroll box itself: where the board control does not
// reach, and everywhere while the board is locked for a run. Points are in
// the scroll box's client pixels, without the scroll offsets.
struct TScrollBoxMouse {
    std::function<void(TMouseButton button, Byte shift, TPoint boxPoint)> Down;
    std::function<void(Byte shift, TPoint boxPoint)> Move;
    std::function<void(TMouseButton button, Byte shift, TPoint boxPoint)> Up;
};

class TPlatineView : public QAbstractScrollArea, public IBoardView {
public:
    explicit TPlatineView(TPlatine& board, QWidget* parent = nullptr);
    ~TPlatineView() override;

    // nullptr once the board is gone.
    TPlatine* Board() const { return board_; }
    QTimer& AutoScrollTimer() { return autoScrollTimer_; }
    TScrollBoxMouse ScrollBoxMouse;
    // While the simulation runs the board takes no mouse input of its own;
    // the scroll box gets all of it.
    void SetLocked(bool locked) { locked_ = locked; }
    bool Locked() const { return locked_; }

    // IBoardView
    void InvalidateDeviceRect(const TRect& rect) override;
    void RepaintBoard() override;
    Integer BoardCursor() const override { return cursor_; }
    void SetBoardCursor(Integer cursor) override;
    void CentreMousePointer() override;
    void CopySelectionPicture() override;
    TPoint ScrollBoxSize() const override;
    TRect ScrollBoxScreenRect() const override;
    TPoint CursorScreenPos() const override;
    void BoardResized() override;
    void BoardChanged() override;
    void BoardDestroyed() override;
    // Live displays skip a board nobody sees.
    bool BoardVisible() const override { return isVisible(); }

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateRanges();
    void TakeScrollPositions();
    // Mouse position in board-control pixels; remembers the pointer.
    TPoint ControlPoint(const QMouseEvent& event);
    // Whether a mouse event at this control point belongs to the scroll box.
    bool ScrollBoxPoint(TPoint controlPoint) const;
    // Runs an editor call; an error ends in the error box, never in Qt's loop.
    template <class F>
    void Guarded(F&& f);

    TPlatine* board_;
    bool adjusting_ = false;   // set while the view itself moves the scroll bars
    Integer cursor_ = 0;
    bool locked_ = false;
    bool scrollBoxGrab_ = false;   // a button went down on the scroll box
    QPoint lastGlobalPos_;
    bool haveGlobalPos_ = false;
    QTimer autoScrollTimer_;
};
