// Transient editing feedback over a board: the dotted rubber rectangle of a
// selection or zoom (TSelector), the line that follows the mouse while a wire
// piece is drawn (TTempline), the crosshair through the snapped cursor in wire
// mode (TFadenKreuz), and the connection points that follow a dragged
// selection (TGummibandPoint). Each figure is state in board units: showing
// and erasing it set and clear that state and mark its area for repainting,
// and the board's paint draws what is shown, the first three in XOR so they
// stay visible on any background.
#pragma once

#include "platform/SysTypes.h"

class TCanvas;
class TPlatine;

class TSelector {
public:
    explicit TSelector(TPlatine& board) : board_(board) {}

    bool Active = false;
    TRect LastRect{-1, -1, -1, -1};   // the rectangle on screen; Left = -1: none
    TPoint Anchor;
    TRect Rect;                       // the current rectangle, corners not ordered
    bool Square = false;
    bool Centred = false;

    void Start(TPoint p);
    void MoveTo(TPoint p);
    void Finish();
    void Paint(TCanvas& canvas) const;
    // What is drawn for a rectangle: one unit more on the left and top, two
    // more on the right and bottom.
    static TRect Figure(const TRect& r) { return {r.Left - 1, r.Top - 1, r.Right + 2, r.Bottom + 2}; }

private:
    void Invalidate(const TRect& r) const;
    TPlatine& board_;
};

class TTempline {
public:
    explicit TTempline(TPlatine& board) : board_(board) {}

    // Change the ends only while the line is hidden.
    TPoint StartPoint;
    TPoint EndPoint;
    bool Shown = false;
    Integer Width = 2;

    void Show();
    void Hide();
    void Paint(TCanvas& canvas) const;

private:
    void Invalidate() const;
    TPlatine& board_;
};

class TFadenKreuz {
public:
    explicit TFadenKreuz(TPlatine& board) : board_(board) {}

    TPoint DrawnAt;
    bool Shown = false;
    TPoint Position;   // where the next Show puts it

    void Show();
    void Hide();
    void Refresh()
    {
        Hide();
        Show();
    }
    void Paint(TCanvas& canvas) const;

private:
    void Invalidate(TPoint p) const;
    TPlatine& board_;
};

// A wire end that a drag leaves behind: FixedEnd stays on the unmoved wire,
// MovingEnd follows the selection. While the two differ in one axis only, the
// straight piece between them keeps the wire attached.
class TGummibandPoint {
public:
    explicit TGummibandPoint(TPoint p) : FixedEnd(p), MovingEnd(p) {}

    TPoint FixedEnd;
    TPoint MovingEnd;

    void MoveBy(TPoint offset)
    {
        MovingEnd.X += offset.X;
        MovingEnd.Y += offset.Y;
    }
    bool IsAxisParallel() const
    {
        return FixedEnd != MovingEnd && (FixedEnd.X == MovingEnd.X || FixedEnd.Y == MovingEnd.Y);
    }
    // The band's area in board units, with room for its pen.
    TRect Area() const;
};
