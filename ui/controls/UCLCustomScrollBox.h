// The library's scrolling container: a bevel (or a themed edit frame) drawn
// around the client area, horizontal and vertical scroll bars inside the
// frame, and the parent's background shown through when transparent.
//
// The frame is what a window's non-client area was: it takes room from the
// widget's rectangle (FrameMargins), is painted by the box's own paint event
// and repainted with update() when the bevel, the colour or the size change.
// Child controls live on the client widget (Client()) and move with the
// scroll position. With themes on (the application object's switch), the
// themed edit frame is the current Qt style's line-edit frame.
#pragma once

#include "ui/controls/UCLBevel.h"
#include "ui/controls/UCLControl.h"

class QScrollBar;

// A bevel that starts as the control's own window border.
class TUCLScrollBoxBevel : public TUCLBevel {
    ZK_CLASS(TUCLScrollBoxBevel, TUCLBevel)
public:
    TUCLScrollBoxBevel();
};

// Scroll bar request codes, as the scroll messages carry them (scoped: the
// dialogs' scroll box names the same codes as constants).
enum class TUCLScrollCode : Byte {
    SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8,
};

class TUCLCustomScrollBox : public TUCLCustomControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomScrollBox, TUCLCustomControl)
public:
    explicit TUCLCustomScrollBox(QWidget* Parent = nullptr);
    ~TUCLCustomScrollBox() override;

    TUCLScrollBoxBevel& Bevel() { return FBevel; }
    const TUCLScrollBoxBevel& Bevel() const { return FBevel; }
    // Assigns the given settings into the owned bevel.
    void SetBevel(const TUCLBevel& Value);
    void SetTransparent(bool Value) override;
    void SetCtlXP(bool Value) override;

    bool FullRepaint = false;   // a resize also repaints the client area
    bool SaveResources() const { return FSaveResources; }
    // Kept for forms: child widgets here hold no window handles to release.
    void SetSaveResources(bool Value) { FSaveResources = Value; }
    // Repaints of a transparent box while scrolling: with counting, every
    // ScrollRepaintThreshold-th scroll request; without, when scrolling ends.
    bool ScrollRepaintCounting = true;
    Byte ScrollRepaintThreshold = 1;
    TNotifyEvent OnScroll;

    // The widget the child controls live on: the client rectangle inside the
    // frame and the scroll bars.
    QWidget* Client() const { return FClient; }
    // Pixels the frame takes at the left, top, right and bottom.
    TRect FrameMargins() const;
    // The client rectangle in the box's coordinates.
    TRect ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;

    // Scrolled extents (0: no scrolling on that axis) and positions.
    int HorzRange() const { return FHorzRange; }
    void SetHorzRange(int Value);
    int VertRange() const { return FVertRange; }
    void SetVertRange(int Value);
    int HorzPosition() const;
    void SetHorzPosition(int Value);
    int VertPosition() const;
    void SetVertPosition(int Value);
    // A vertical scroll bar is shown only while allowed and needed.
    bool VertScrollBarVisible() const { return FVertScrollBarVisible; }
    void SetVertScrollBarVisible(bool Value);
    QScrollBar* HorzScrollBar() const { return FHorz; }
    QScrollBar* VertScrollBar() const { return FVert; }
    // A scroll request, as a scroll bar sends it.
    void Scroll(bool Horizontal, TUCLScrollCode Code, int Position = 0);

    bool SupportsXPTheme() const override { return true; }
    virtual bool AllowParentThemeBackground() const { return true; }
    // The themed frame is used: windows-mode bevel, themes on, CtlXP.
    bool UseThemes() const;
    virtual bool UsesParentThemeBackground() const;
    void ThemeChanged() override;
    // The bevel (own one: new frame room) or something else changed.
    virtual void BevelChanged(TPersistent* Changed);
    void GetChange(TPersistent* Sender) override;
    // The parent's background, shown by a transparent box.
    bool SuppliesBackground() const override { return HasParentBackground(this); }
    bool DrawsParentBackground() const override { return Transparent() && SuppliesBackground(); }

protected:
    // Lays out the frame, scroll bars and client widget.
    virtual void UpdateLayout();
    // The client widget got a new size (the frame or a scroll bar changed).
    virtual void ClientResized() {}
    // The frame in the non-client band; the client background unless
    // transparent over a background.
    void Paint(QPainter& Painter) override;
    virtual void PaintFrame(QPainter& Painter);
    void PaintThemedFrame(QPainter& Painter);
    // Repaints the background the transparent box shows and tells the
    // children that it changed.
    void RepaintBackground();
    // The children moved by (dx, dy) with the scroll position.
    virtual void ScrollContents(int DX, int DY);
    void resizeEvent(QResizeEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    void ScrollBarAction(bool Horizontal, int Action);
    void ScrollBarMoved(bool Horizontal, int Value);

    TUCLScrollBoxBevel FBevel;
    QWidget* FClient;
    QScrollBar* FHorz;
    QScrollBar* FVert;
    int FHorzRange = 0;
    int FVertRange = 0;
    int FHorzOffset = 0;   // positions the children are moved to
    int FVertOffset = 0;
    bool FVertScrollBarVisible = true;
    bool FSaveResources = false;
    Byte FScrollRepaintCounter = 0;
    bool FLayingOut = false;
};
