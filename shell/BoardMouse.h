// The mouse around the shown board and the box next to the cursor: a rubber
// rectangle to zoom into, a right click to zoom out, and the value of the wire
// under the mouse. The scroll box gets the mouse where the board control does
// not reach and, while the simulation runs, everywhere. The same box shows
// the component hints the board sends.
#pragma once

#include "platform/Messages.h"
#include "platform/SysTypes.h"

#include <QPoint>

class TBauteilPin;
class THintBox;
class TForm1;
class TPlatineView;
class TSegment;
enum class TMouseButton;

class TBoardMouse {
public:
    explicit TBoardMouse(TForm1& form);

    THintBox* PinHintBox;        // a child of the window, hidden until needed
    TSegment* HoveredWire = nullptr;
    // The driving pin of the wire under the mouse, or nullptr. The wire is
    // looked up on the shown board, so a wire deleted or a board closed since
    // the last mouse move leaves nothing to read.
    TBauteilPin* HoveredPin() const;

    void InstallOn(TPlatineView& view);
    void ScrollBoxMouseDown(TMouseButton button, Byte shift, TPoint boxPoint);
    void ScrollBoxMouseMove(Byte shift, TPoint boxPoint);
    void ScrollBoxMouseUp(TMouseButton button, Byte shift, TPoint boxPoint);
    // The board's hint message: the text at the cursor; none or empty hides the box.
    void ShowComponentHint(const char* text);
    // The run's 50 ms tick: the hovered pin's name and value, or no box.
    void ShowHoveredPin();

private:
    // The cursor at the latest mouse event over the shown board, in the window's pixels.
    QPoint CursorInWindow() const;
    TForm1& form_;
};
