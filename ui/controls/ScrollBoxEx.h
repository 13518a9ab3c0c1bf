// The scroll box under the board, the library palette, the front panel and
// the property sheet: it reports every scroll step to its owner, lets the
// owner decide whether it wants the special keys (arrows, tab, return, escape)
// and passes keys on as Windows virtual-key codes.
#pragma once

#include "platform/SysTypes.h"

#include <QScrollArea>

#include <functional>

// Scroll codes of the scroll messages.
inline constexpr Word SB_LINEUP = 0;
inline constexpr Word SB_LINEDOWN = 1;
inline constexpr Word SB_PAGEUP = 2;
inline constexpr Word SB_PAGEDOWN = 3;
inline constexpr Word SB_THUMBPOSITION = 4;
inline constexpr Word SB_THUMBTRACK = 5;
inline constexpr Word SB_TOP = 6;
inline constexpr Word SB_BOTTOM = 7;
inline constexpr Word SB_ENDSCROLL = 8;

class TScrollBoxEx : public QScrollArea {
    Q_OBJECT
public:
    using TScrollNotifyEvent = std::function<void(TScrollBoxEx* Sender, Word Code, bool Horz)>;
    using TWantSpecialKeyEvent = std::function<void(TScrollBoxEx* Sender, Word CharCode, bool& Wanted)>;
    using TKeyEvent = std::function<void(TScrollBoxEx* Sender, Word& Key, Byte Shift)>;
    using TKeyPressEvent = std::function<void(TScrollBoxEx* Sender, char& Key)>;

    explicit TScrollBoxEx(QWidget* parent = nullptr);

    // Fired after the scroll bar moved, with the scroll code and the bar.
    TScrollNotifyEvent OnScroll;
    // Asked for arrows, tab, return and escape; unanswered, the box does not
    // want them (they move the focus or go to the parent).
    TWantSpecialKeyEvent OnWantSpecialKey;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // While set (the default) the content follows the thumb as it is dragged;
    // otherwise it moves when the thumb is let go.
    bool SmoothScrolling() const { return smoothScrolling_; }
    void SetSmoothScrolling(bool value);

    // The scrolled area that children are placed on.
    QWidget* Content() const { return widget(); }
    // The scroll range: the content grows or shrinks to the extent of its
    // visible children.
    void UpdateRange();
    Integer VertRange() const;

    bool WantsSpecialKey(Word charCode);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ScrollAction(QScrollBar* bar, int action, bool horz);
    void ThumbMoved(QScrollBar* bar, int position, bool horz);
    void ThumbReleased(QScrollBar* bar, bool horz);
    bool smoothScrolling_ = true;
};
