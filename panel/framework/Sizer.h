// The frame around a selected element while the panel is edited: the element
// sits inside it 6 pixels in from every side; the frame draws eight handles,
// moves the whole selection in grid steps through its container, resizes a
// single selected element along a dotted outline (keeping the element's
// aspect ratio and resizability), opens the element's settings on a double
// click and asks the container to change the selection on clicks through it.
#pragma once

#include "platform/SysTypes.h"

#include <QRect>
#include <QWidget>

#include <array>
#include <functional>

class TDesign;
class TFP_Element;

class TSizer : public QWidget {
public:
    using TEvent = std::function<void(TSizer* sender)>;

    explicit TSizer(TDesign* owner);

    std::array<QRect, 9> Handles;   // 1..8 in frame coordinates (inclusive corners)
    QPoint MoveStart;
    TEvent OnChange;
    TEvent OnSetMoving;
    TEvent OnResetMoving;
    TEvent MachTransparent;
    QRect LastOutline;             // frame coordinates, as (left, top, right, bottom)
    bool OutlineShown = false;
    QPoint ResizeStart;
    bool DoubleClicked = false;
    bool SnapToGridLines = false;
    bool Moving = false;
    bool OverHandle = false;
    Integer ActiveHandle = 0;
    TFP_Element* ElementEntry = nullptr;   // nullptr once the frame is let go
    QPoint Offset;

    bool GetSizeable() const { return sizeable_; }
    void SetSizeable(bool sizeable);

    // The frame's colour (the container's background).
    void SetBackground(TColor color);
    void CalcHandles();
    // The usable handle under a frame point, 0 for none.
    Integer HandleAt(QPoint point) const;
    // Whether the element allows the handle.
    bool HandleAllowed(Integer handle) const;
    // The outline (left, top, right, bottom in frame coordinates, one pixel
    // outside the element) for the mouse at point.
    QRect ComputeOutline(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TDesign* owner_;
    bool sizeable_ = true;
    TColor background_;

    QPoint Snapped(QPoint point, Qt::KeyboardModifiers modifiers) const;
    void StartMove(QPoint point);
    void DrawOutline(const QRect& outline);
    void EraseOutline();
};
