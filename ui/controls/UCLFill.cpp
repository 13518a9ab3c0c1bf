#include "ui/controls/UCLFill.h"

#include "platform/Colors.h"
#include "ui/controls/UCLImageList.h"

#include <QPainter>

TUCLFill::TUCLFill(QWidget* Parent) : TUCLGraphicControl(Parent)
{
    SetColor(clWindow);
    FCaption.OnChange = [this](TPersistent*) { ContentChanged(); };
    FFillObject.OnChange = [this](TPersistent*) { FillChanged(); };
}

TUCLFill::~TUCLFill()
{
    FCaption.OnChange = nullptr;
    FFillObject.OnChange = nullptr;
}

bool TUCLFill::IsEmpty() const
{
    return FFillObject.IsEmpty() && GetBevelWidth() == 0 && FCaption.Caption().empty();
}

void TUCLFill::FillChanged()
{
    SetTransparent(FFillObject.IsTransparent());
    ContentChanged();
}

TUCLPalette TUCLFill::GetPalette() const
{
    return Transparent() ? TUCLPalette() : FFillObject.GetPalette();
}

void TUCLFill::Paint(QPainter& Painter)
{
    if (IsEmpty()) {
        TUCLGraphicControl::Paint(Painter);
        return;
    }
    // A drawing error must not reach the event loop.
    try {
        const TRect inner = Bevel().PaintBevel(Painter, TRect{0, 0, width(), height()}, Transparent());
        // The painter works in the control's own coordinates: no offset.
        FFillObject.FillClipped(Painter, inner, 0, Color());
        FCaption.Draw(Painter, FCaption.Caption(), 0, QColorToColor(Painter.brush().color()),
                      (isEnabled() ? pcEnabled : 0) | pcClip, inner);
    } catch (...) {
    }
}

void TUCLFill::ImageListChanged()
{
    auto* list = dynamic_cast<TUCLCustomImageList*>(ImageList());
    if (list && list->IsValid(ListIndex(), ImageIndex())) {
        QImage image;
        list->GetBitmap(ListIndex(), ImageIndex(), &image);
        FFillObject.SetListBitmap(image);
    } else {
        FFillObject.SetListBitmap(QImage());
    }
    TUCLGraphicControl::ImageListChanged();
}
