#include "ui/controls/UCLGraphicControl.h"

TUCLGraphicControl::TUCLGraphicControl(QWidget* Parent) : TUCLBaseGraphicControl(Parent)
{
    FBevel.OnChange = [this](TPersistent*) { ContentChanged(); };
}

TUCLGraphicControl::~TUCLGraphicControl()
{
    FBevel.OnChange = nullptr;
}

void TUCLGraphicControl::SetBevel(const TUCLBevel& Value)
{
    FBevel.Assign(Value);
}

void TUCLGraphicControl::Paint(QPainter& Painter)
{
    if (!IsEmpty() || FBevel.BevelExtent() != 0)
        FBevel.PaintBevel(Painter, TRect{0, 0, width(), height()}, Transparent());
    else
        TUCLBaseGraphicControl::Paint(Painter);
}
