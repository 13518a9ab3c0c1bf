// Windowed panels: the container panel, the bevel panel (the base of the
// library's edits, memo and scroll bar) and the simple panel forms use.
#pragma once

#include "ui/controls/UCLBevel.h"
#include "ui/controls/UCLControl.h"

class TUCLCustomPanel : public TUCLCustomControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomPanel, TUCLCustomControl)
public:
    explicit TUCLCustomPanel(QWidget* Parent = nullptr);

    bool Locked = false;   // stored with forms, no effect

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
};

// Owns a bevel, draws it, and lays its children out inside it: the bevel's
// client rectangle is the panel's contentsRect(), so a Qt layout on the panel
// places them there. In bmWindows the bevel takes no room itself; the panel
// then has a window border of its own (a 2-pixel sunken client edge
// with Ctl3D, else a 1-pixel frame), which Flat replaces by its cold and hot
// borders.
class TUCLCustomBevelPanel : public TUCLCustomPanel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomBevelPanel, TUCLCustomPanel)
public:
    explicit TUCLCustomBevelPanel(QWidget* Parent = nullptr);

    TUCLBevel& Bevel() { return FBevel; }
    const TUCLBevel& Bevel() const { return FBevel; }
    // Assigns the given bevel's settings into the owned one.
    void SetBevel(const TUCLBevel& Value) { FBevel.Assign(Value); }
    // Kept for forms; a bevel change always just re-lays out and repaints.
    bool NoHandleUpdate = false;

    TUCLBevel* CurrentBevel() const override
    {
        TUCLBevel* face = TUCLCustomControl::CurrentBevel();
        return face ? face : const_cast<TUCLBevel*>(&FBevel);
    }
    // The client rectangle inside the window border and the bevel.
    TRect BevelClientRect() const;
    TRect GetSizeGripRect() const override;
    void GetChange(TPersistent* Sender) override;

protected:
    // Pixels of the window border around the client area.
    Integer WindowBorderWidth() const;
    // Room kept free at the bottom for the size grip.
    virtual Integer GripReserve() const { return 0; }
    void UpdateClientArea();

    void Paint(QPainter& Painter) override;
    void DrawFlatBorder(QPainter& Painter) override;
    void DrawHotBorder(QPainter& Painter) override;
    bool ShowsHotBorder() const override { return HasFocus() || MouseAbove(); }

private:
    TUCLBevel FBevel;
};

class TUCLSimplePanel : public TUCLCustomBevelPanel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLSimplePanel, TUCLCustomBevelPanel)
public:
    explicit TUCLSimplePanel(QWidget* Parent = nullptr) : TUCLCustomBevelPanel(Parent) {}

    bool SupportsXPTheme() const override { return true; }

protected:
    // Aligned children stay 16 pixels above the bottom while the grip shows.
    Integer GripReserve() const override { return SizeGrip() ? 16 : 0; }
};
