// The system caret: one per program, owned by one window at a time, hidden
// until shown, blinking with a program-wide blink time. A widget that owns the
// caret calls PaintCaret at the end of its paint event; the caret draws
// itself inverted (XOR) over what the widget painted, and the blink only asks
// the widget to repaint the caret's rectangle.
#pragma once

#include "platform/SysTypes.h"

#include <QImage>

class QPainter;
class QWidget;

// Creates the caret for Owner (replacing any existing caret, of any window):
// Width x Height solid, or the Bitmap at its own size when it is not null.
// The new caret is hidden and stands at (0, 0).
void CreateCaret(QWidget* Owner, const QImage& Bitmap, Integer Width, Integer Height);
// Destroys the caret when Owner holds it; false otherwise.
bool DestroyCaret(QWidget* Owner);
// Hiding is cumulative: ShowCaret undoes one HideCaret. A new caret starts
// hidden once. Both do nothing when Owner does not hold the caret.
bool ShowCaret(QWidget* Owner);
bool HideCaret(QWidget* Owner);
// Moves the caret of the calling program; the caret becomes visible at once
// (a new blink phase starts).
void SetCaretPos(Integer X, Integer Y);
TPoint GetCaretPos();

// Half a blink cycle in milliseconds, program-wide (Qt's cursor flash time is
// the whole cycle, so Qt's own text widgets follow the same setting).
Word GetCaretBlinkTime();
void SetCaretBlinkTime(Word Milliseconds);

// What a test or a paint event needs to know about the caret.
QWidget* CaretOwner();
bool CaretVisible();   // shown (hide count 0), whatever the blink phase
TRect CaretRect();     // in the owner's coordinates
// Draws the caret inverted when Owner holds it, it is shown and the blink
// phase is on.
void PaintCaret(QPainter& Painter, QWidget* Owner);
