// The library's own scroll bar: a track with a draggable thumb between two
// arrow buttons, paging while the mouse is held in the track, and a settings
// object that controls publish and apply to the bars they create.
//
// Scroll codes passed to OnScroll: 0 a line step that raised Position, 1 one
// that lowered it, 2 a page step up, 3 a page step down, 4 the dragged thumb
// released, 5 every move while dragging, 6 Position at Min, 7 at Max, 8
// before every other code sent through Notify. (0 to 3 run opposite to the
// usual line and page naming; the memo relies on this numbering.)
#pragma once

#include "ui/controls/UCLParentPanel.h"
#include "ui/controls/UCLSpinButton.h"

#include <functional>
#include <memory>

enum class TUCLScrollBarKind : Byte { skVertical, skHorizontal };
enum class TUCLThumbMode : Byte { tmFixed, tmAuto };
enum class TUCLBackStyle : Byte { bsDefault, bsUser };

using TScrollEvent = std::function<void(TPersistent* Sender, Integer ScrollCode, Integer& ScrollPos)>;

class TUCLScrollBar;

class TUCLScrollBarThumb : public TUCLCustomPanelFill {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLScrollBarThumb, TUCLCustomPanelFill)
public:
    explicit TUCLScrollBarThumb(TUCLScrollBar* Bar);

    bool Pressed() const { return FPressed; }
    bool SupportsXPTheme() const override { return true; }

protected:
    void Paint(QPainter& Painter) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;

private:
    TUCLScrollBar* FBar;
    bool FPressed = false;
};

class TUCLScrollBar : public TUCLCustomBevelPanel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLScrollBar, TUCLCustomBevelPanel)
public:
    explicit TUCLScrollBar(QWidget* Parent = nullptr);
    ~TUCLScrollBar() override;

    TScrollEvent OnScroll;

    TUCLScrollBarKind Kind() const { return FKind; }
    void SetKind(TUCLScrollBarKind Value);
    Integer Min() const { return FMin; }
    Integer Max() const { return FMax; }
    Integer Position() const { return FPosition; }
    Integer ButtonWidth() const { return FButtonWidth; }
    Integer ThumbLength() const { return FThumbLength; }
    Integer BarWidth() const { return FBarWidth; }
    // 0 Max, 1 Min, 2 Position, 3 ButtonWidth, 4 ThumbLength (tmFixed
    // only), 5 BarWidth (0 or less: the system's scroll-bar size). Never
    // fires OnScroll.
    void SetByIndex(int Index, Integer Value);
    void SetMin(Integer Value) { SetByIndex(1, Value); }
    void SetMax(Integer Value) { SetByIndex(0, Value); }
    void SetPosition(Integer Value) { SetByIndex(2, Value); }
    Integer SmallChange = 1;
    Integer LargeChange = 10;
    TUCLThumbMode ThumbMode() const { return FThumbMode; }
    void SetThumbMode(TUCLThumbMode Value);
    bool ThumbFlat = false;   // taken at the next arrangement
    TColor ThumbColor() const { return FThumbColor; }
    void SetThumbColor(TColor Value);
    TUCLBevel& ThumbBevel() { return FThumbBevel; }
    void SetThumbBevel(const TUCLBevel& Value);
    TUCLFillObject& Back() { return FBack; }
    void SetBack(const TUCLFillObject& Value) { FBack.Assign(Value); }
    TUCLBackStyle BackStyle() const { return FBackStyle; }
    void SetBackStyle(TUCLBackStyle Value);
    bool AllowMousePos = true;
    bool HideFocus = false;
    bool UseGlobalTimer = false;
    bool Focusable() const { return FFocusable; }
    void SetFocusable(bool Value);

    void LineUp();
    void LineDown();
    // OnScroll with code 8, then with Code.
    void Notify(Integer Code);
    // Places buttons and thumb.
    void Arrange();

    TUCLScrollBarThumb& Thumb() { return *FThumb; }
    TUCLSpinButton& StartButton() { return *FStartButton; }
    TUCLSpinButton& EndButton() { return *FEndButton; }
    Integer TrackLength() const { return FTrackLength; }
    TRect TrackRect() const { return FTrackRect; }
    bool Dragging() const { return FDragging; }
    // Exists while the left button pages in the track.
    TUCLTimer* PageTimer() const { return FPageTimer.get(); }
    const QImage& TrackPattern() const { return FTrackPattern; }

    TUCLFillObject* CurrentFillObject() const override { return const_cast<TUCLFillObject*>(&FBack); }
    void GetChange(TPersistent* Sender) override;

    // The thumb's mouse, in the bar's coordinates.
    void ThumbPressed(QPoint P);
    void DragTo(QPoint P, bool LeftHeld);
    void ThumbReleased();

protected:
    void Paint(QPainter& Painter) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void MouseExit() override;

private:
    void PageAt(QPoint P);
    void NotifyEnds();
    void UpdateTrackRect();

    TUCLScrollBarKind FKind = TUCLScrollBarKind::skHorizontal;
    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FButtonWidth = 16;
    Integer FThumbLength = 16;
    Integer FBarWidth = 16;
    TUCLThumbMode FThumbMode = TUCLThumbMode::tmFixed;
    TColor FThumbColor;
    TUCLBevel FThumbBevel;
    TUCLFillObject FBack;
    TUCLBackStyle FBackStyle = TUCLBackStyle::bsDefault;
    bool FFocusable = true;
    std::unique_ptr<TUCLTimer> FPageTimer;
    QPoint FLastMouse;
    TUCLScrollBarThumb* FThumb;
    TUCLSpinButton* FStartButton;
    TUCLSpinButton* FEndButton;
    TRect FTrackRect;
    QImage FTrackPattern;
    bool FDragging = false;
    Integer FTrackLength = 100;
    QPoint FLastDrag;
};

// Scroll-bar settings that a control publishes and applies to its bars.
class TUCLScrollBarObject : public TUCLObject {
    ZK_CLASS(TUCLScrollBarObject, TUCLObject)
public:
    TUCLScrollBarObject();
    ~TUCLScrollBarObject() override;

    TUCLFillObject& Back() { return FBack; }
    TUCLBevel& Bevel() { return FBevel; }
    // Index 0 Color, 1 ThumbColor.
    TColor Color(int Index) const { return FColors[Index]; }
    void SetColor(int Index, TColor Value);
    // Index 0 ButtonWidth, 1 SmallChange, 2 LargeChange.
    Integer Size(int Index) const { return FSizes[Index]; }
    void SetSize(int Index, Integer Value);
    // Index 0 Transparent, 1 Ctl3D, 2 ParentCtl3D.
    bool Flag(int Index) const { return FFlags[Index]; }
    void SetFlag(int Index, bool Value);
    bool AllowMousePos() const { return FAllowMousePos; }
    void SetAllowMousePos(bool Value);
    TUCLBackStyle BackStyle() const { return FBackStyle; }
    void SetBackStyle(TUCLBackStyle Value);
    Integer BarWidth() const { return FBarWidth; }
    void SetBarWidth(Integer Value);
    Integer Cursor = 0;   // stored only

    void ApplyTo(TUCLScrollBar& Bar) const;
    void Assign(const TUCLObject& Source) override;

private:
    TUCLFillObject FBack;
    TUCLBevel FBevel;
    TColor FColors[2];
    Integer FSizes[3] = {16, 1, 10};
    bool FFlags[3] = {false, true, true};
    bool FAllowMousePos = true;
    TUCLBackStyle FBackStyle = TUCLBackStyle::bsDefault;
    Integer FBarWidth = 16;
};

// The system's scroll-bar thickness.
Integer SystemScrollBarSize();
