// Up to four arrow buttons (up, down, left, right) in one window-less
// control: each tracks the mouse, calls its handler once when pressed and
// again while held (after repeat interval + 200 ms, then every repeat
// interval). The spin edits use an up and down pair split along the diagonal
// (or stacked), the scroll bar single buttons in the arrow style.
#pragma once

#include "ui/controls/UCLGraphicControl.h"
#include "ui/controls/UCLTimerPool.h"

#include <QRegion>

#include <memory>

enum TUCLSpinButtonKind : Byte { sbUp = 0x01, sbDown = 0x02, sbLeft = 0x04, sbRight = 0x08 };
using TUCLSpinButtons = Byte;

enum TUCLSpinButtonState : Byte { sbsNormal = 0, sbsHot = 1, sbsPressed = 2, sbsDisabled = 3 };

// 0: the spin edits' look; 1: the scroll bar's arrow buttons.
enum TUCLSpinStyle : Byte { ssSpin = 0, ssArrow = 1 };

class TUCLSpinButton : public TUCLGraphicControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLSpinButton, TUCLGraphicControl)
public:
    explicit TUCLSpinButton(QWidget* Parent = nullptr);
    ~TUCLSpinButton() override;

    // Called with the spin button as sender.
    TNotifyEvent OnUpClick, OnDownClick, OnLeftClick, OnRightClick;

    TUCLSpinStyle Style = ssSpin;
    TUCLBorderStyle FrameStyle = TUCLBorderStyle::lsSingleRaised;
    Word RepeatInterval = 100;

    bool Diagonal() const { return FDiagonal; }
    void SetDiagonal(bool Value);
    TUCLSpinButtons Buttons() const { return FButtons; }
    void SetButtons(TUCLSpinButtons Value);
    TColor HotColor() const { return FHotColor; }
    void SetHotColor(TColor Value);

    TUCLSpinButtonState ButtonState(TUCLSpinButtonKind Button) const { return FStates[Index(Button)]; }
    // The area of a shown button in the control's coordinates; empty for the
    // others and for combinations other than one button or an up-down pair.
    QRegion ButtonRegion(TUCLSpinButtonKind Button) const;
    // Exactly up and down, one above the other (spin style, not diagonal).
    bool IsStacked() const;

    // Every enabled button back to normal (the mouse left the owner).
    void ResetHover();
    // Exists from the first press on.
    TUCLTimer* RepeatTimer() const { return FRepeatTimer.get(); }

protected:
    void Paint(QPainter& Painter) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    static int Index(TUCLSpinButtonKind Button);
    TNotifyEvent& Handler(TUCLSpinButtonKind Button);
    // The state for a point (and whether the left button is held); whether
    // it changed.
    bool UpdateButtonState(TUCLSpinButtonKind Button, bool LeftHeld, QPoint P);
    bool UpdateAllStates(bool LeftHeld, QPoint P);
    void StartRepeatTimer();
    void RepeatTimerTick();
    QImage Face(TUCLSpinButtonKind Button, TUCLSpinButtonState State) const;
    QImage StackedFace(TUCLSpinButtonKind Button, TUCLSpinButtonState State) const;

    bool FDiagonal = true;
    TUCLSpinButtons FButtons = sbUp;
    TColor FHotColor = 0x808000;
    TUCLSpinButtonState FStates[4] = {sbsNormal, sbsNormal, sbsNormal, sbsNormal};
    bool FCaptured = false;
    std::unique_ptr<TUCLTimer> FRepeatTimer;
};

// The library's small arrow (size 3): rows of 1, 3 and 5 pixels centred one
// pixel right of X pointing up, or 5, 3 and 1 starting at X pointing down. A
// greyed arrow is drawn in clHighlightText one pixel down and right, then in
// clGrayText.
void DrawSpinArrow(QPainter& Painter, Integer X, Integer Y, bool Up, TColor Color, bool Greyed);
