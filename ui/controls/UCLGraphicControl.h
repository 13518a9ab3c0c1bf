// The library's window-less control with a bevel of its own: the base of the
// LED label, the fill control and the spin button.
#pragma once

#include "ui/controls/UCLBevel.h"
#include "ui/controls/UCLControl.h"

class TUCLGraphicControl : public TUCLBaseGraphicControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLGraphicControl, TUCLBaseGraphicControl)
public:
    explicit TUCLGraphicControl(QWidget* Parent = nullptr);
    ~TUCLGraphicControl() override;

    TUCLBevel& Bevel() { return FBevel; }
    const TUCLBevel& Bevel() const { return FBevel; }
    // Copies the settings into the owned bevel.
    void SetBevel(const TUCLBevel& Value);
    Integer GetBevelWidth() const { return FBevel.BevelExtent(); }

protected:
    void Paint(QPainter& Painter) override;

private:
    TUCLBevel FBevel;
};
