#include "ui/controls/UCLParentPanel.h"

#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLGlyph.h"
#include "ui/controls/UCLGraph.h"
#include "ui/controls/UCLImageList.h"

#include <QEvent>
#include <QPainter>

TUCLCustomParentPanel::TUCLCustomParentPanel(QWidget* Parent) : TUCLCustomBevelPanel(Parent)
{
}

TUCLCustomParentPanel::~TUCLCustomParentPanel() = default;

bool TUCLCustomParentPanel::SuppliesBackground() const
{
    if (!CurrentTransparent())
        return FBackground != nullptr;
    return TUCLCustomBevelPanel::SuppliesBackground();
}

bool TUCLCustomParentPanel::DrawsParentBackground() const
{
    return FBackground != nullptr || TUCLCustomBevelPanel::SuppliesBackground();
}

bool TUCLCustomParentPanel::PaintBackgroundTo(QPainter& Painter, const TRect& R) const
{
    if (FLoading || !FBackground)
        return false;
    const QRect r(R.Left, R.Top, R.Width(), R.Height());
    Painter.drawImage(r, *FBackground, r);
    return true;
}

void TUCLCustomParentPanel::PaintBackground(QPainter& Painter)
{
    if (DrawsParentBackground() && PaintBackgroundTo(Painter, Rect(0, 0, width(), height())))
        return;
    TUCLCustomBevelPanel::PaintBackground(Painter);
}

void TUCLCustomParentPanel::resizeEvent(QResizeEvent* Event)
{
    if (!FLoading)
        UpdateBackgroundBitmap(false);
    TUCLCustomBevelPanel::resizeEvent(Event);
}

void TUCLCustomParentPanel::Loaded()
{
    FLoading = false;
    UpdateBackgroundBitmap(true);
}

TUCLCustomPanelFill::TUCLCustomPanelFill(QWidget* Parent) : TUCLCustomParentPanel(Parent), FFontColor(clBtnText)
{
    FFontFX.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
    FFillObject.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
    FBackFX.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
}

TUCLCustomPanelFill::~TUCLCustomPanelFill()
{
    FFontFX.OnChange = nullptr;
    FFillObject.OnChange = nullptr;
    FBackFX.OnChange = nullptr;
}

void TUCLCustomPanelFill::SetCaptionAlignment(TUCLAlignment Value)
{
    if (FCaptionAlignment == Value)
        return;
    FCaptionAlignment = Value;
    update();
}

void TUCLCustomPanelFill::SetCaption(const AnsiString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    GetChange(nullptr);
}

void TUCLCustomPanelFill::SetFontColor(TColor Value)
{
    if (FFontColor == Value)
        return;
    FFontColor = Value;
    update();
}

void TUCLCustomPanelFill::UpdateBackgroundBitmap(bool Force)
{
    if (Loading())
        return;
    TUCLFillObject* fill = CurrentFillObject();
    if (!fill || fill->IsEmpty() || CurrentTransparent()) {
        if (FBackground) {
            FBackground.reset();
            RefreshBackground();
        }
        return;
    }
    const bool created = !FBackground;
    if (created)
        FBackground = std::make_unique<QImage>();
    if (!Force && !created && fill->Style() != TUCLFillStyle::sfGradient && FBackground->size() == size())
        return;
    *FBackground = QImage(size(), QImage::Format_RGB888);
    FBackground->fill(ColorToQColor(CurrentColor()));
    {
        QPainter p(FBackground.get());
        fill->FillRect(p, Rect(0, 0, width(), height()), CurrentColor());
    }
    FBackFX.ApplyTo(*FBackground);
}

void TUCLCustomPanelFill::GetChange(TPersistent* Sender)
{
    if (IsUpdating())
        return;
    if (Sender == &FFontFX) {
        // A rotated caption needs an outline font.
        if (FFontFX.Angle() != 0 && !IsTrueTypeFont(font())) {
            QFont f = font();
            f.setFamily(QStringLiteral("Arial"));
            setFont(f);
        }
        update();
        RefreshBackground();
        return;
    }
    if (Loading())
        return;
    UpdateBackgroundBitmap(true);
    if (Sender == &Bevel()) {
        TUCLCustomParentPanel::GetChange(Sender);
        UpdateTransparentChildren(this);
        return;
    }
    update();
    if (Sender == &FFillObject || Sender == &FBackFX)
        UpdateTransparentChildren(this);
}

void TUCLCustomPanelFill::DrawCaption(QPainter& Painter, TRect R, TUCLAlignment Alignment)
{
    if (FCaption.empty())
        return;
    static constexpr Cardinal formats[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    const Cardinal format = DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | formats[int(Alignment)];
    const QString text = AnsiToQString(FCaption);
    if (FFontFX.Angle() != 0 && Alignment != agTopLeft)
        R = PlaceCaption(Alignment, text, &FFontFX, R, font(), false, false, format);
    Painter.save();
    Painter.setBrush(Qt::NoBrush);
    Painter.setFont(CurrentFont());
    Painter.setPen(ColorToQColor(FFontColor));
    PaintCaption3D(Painter, text, &FFontFX, R, format, isEnabled() ? pcEnabled : 0);
    Painter.restore();
}

void TUCLCustomPanelFill::Paint(QPainter& Painter)
{
    if (Loading())
        return;
    PaintBackground(Painter);
    TRect r = Rect(0, 0, width(), height());
    if (!Flat() || HasFocus())
        r = Bevel().PaintBevel(Painter, r, CurrentTransparent());
    DrawCaption(Painter, r, FCaptionAlignment);
}

void TUCLCustomPanelFill::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomParentPanel::resizeEvent(Event);
    if (FFillObject.Style() == TUCLFillStyle::sfGradient)
        UpdateTransparentChildren(this);
}

void TUCLCustomPanelFill::changeEvent(QEvent* Event)
{
    TUCLCustomParentPanel::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        GetChange(nullptr);
    else if (Event->type() == QEvent::FontChange)
        GetChange(&FFontFX);
}

void TUCLCustomPanelFill::ImageListChanged()
{
    auto* list = dynamic_cast<TUCLCustomImageList*>(ImageList());
    QImage image;
    if (list && list->IsValid(ListIndex(), ImageIndex()))
        list->GetBitmap(ListIndex(), ImageIndex(), &image);
    FFillObject.SetListBitmap(image);
    GetChange(&FFillObject);
}
