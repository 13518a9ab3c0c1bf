// Repaints of elements that the simulation step changes, gathered and done
// together at the display's pace: a step that switches an LED only notes
// it, so a fast loop running millions of steps a second paints the panel a
// few dozen times a second instead of at every pass of the message loop.
#pragma once

#include <QWidget>

// The pace of the gathered repaints.
inline constexpr int DisplayIntervalMs = 40;

// Asks for a repaint of the widget at the next display tick. pending is the
// widget's own flag (a member, so it dies with the widget): set while the
// repaint waits, so asking again costs one test.
void RequestDisplayRepaint(QWidget* widget, bool& pending);
// Every waiting repaint now (tests, and before a picture of the panel is taken).
void FlushDisplayRepaints();
