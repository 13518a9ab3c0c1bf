// The small multi-line hint panel shown near the cursor: pin values and
// component hints on the board, element hints on the front panel. The owner
// places and shows it; the box only sizes and paints itself for its text.
#pragma once

#include "platform/SysTypes.h"

#include <QWidget>

class THintBox : public QWidget {
public:
    explicit THintBox(QWidget* parent = nullptr);

    // The text shown; lines are separated by carriage returns.
    AnsiString Text;
    // Takes a new text: one carriage return at its end is dropped, the box
    // is sized to the lines and repainted. The same text again does nothing.
    void ShowText(const AnsiString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<AnsiString> Lines() const;
};
