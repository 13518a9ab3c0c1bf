// The fill control: a window-less control that fills its area inside its
// bevel with a fill object and draws a caption over it.
#pragma once

#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLFillObject.h"
#include "ui/controls/UCLGraphicControl.h"

class TUCLFill : public TUCLGraphicControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLFill, TUCLGraphicControl)
public:
    explicit TUCLFill(QWidget* Parent = nullptr);
    ~TUCLFill() override;

    TUCLCaption& Caption() { return FCaption; }
    void SetCaption(const TUCLCaption& Value) { FCaption.Assign(Value); }
    TUCLFillObject& FillObject() { return FFillObject; }
    void SetFillObject(const TUCLFillObject& Value) { FFillObject.Assign(Value); }

    // No fill, no bevel and no caption.
    bool IsEmpty() const override;
    // A change of the fill object decides the transparency.
    void FillChanged();
    TUCLPalette GetPalette() const;

protected:
    void Paint(QPainter& Painter) override;
    void ImageListChanged() override;

private:
    TUCLCaption FCaption;
    TUCLFillObject FFillObject;
};
