#include "ui/controls/UCLCustomScrollBox.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLApplication.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// Watches a scroll bar for the release that ends a scroll.
class TScrollEndFilter : public QObject {
public:
    TScrollEndFilter(QObject* parent, std::function<void()> ended) : QObject(parent), FEnded(std::move(ended)) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            FEnded();
        return false;
    }

private:
    std::function<void()> FEnded;
};

TUCLScrollCode CodeOfAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return TUCLScrollCode::SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return TUCLScrollCode::SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return TUCLScrollCode::SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return TUCLScrollCode::SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return TUCLScrollCode::SB_TOP;
    case QAbstractSlider::SliderToMaximum: return TUCLScrollCode::SB_BOTTOM;
    default: return TUCLScrollCode::SB_THUMBTRACK;
    }
}

constexpr int LineStep = 8;   // pixels of one arrow click

}   // namespace

TUCLScrollBoxBevel::TUCLScrollBoxBevel()
{
    NativeBorder = true;
    SetMode(TUCLBevelMode::bmWindows);
}

TUCLCustomScrollBox::TUCLCustomScrollBox(QWidget* Parent)
    : TUCLCustomControl(Parent), FClient(new QWidget(this)), FHorz(new QScrollBar(Qt::Horizontal, this)),
      FVert(new QScrollBar(Qt::Vertical, this))
{
    FClient->setObjectName(QStringLiteral("client"));
    FBevel.OnChange = [this](TPersistent* sender) { BevelChanged(sender); };
    for (QScrollBar* bar : {FHorz, FVert}) {
        const bool horizontal = bar == FHorz;
        bar->hide();
        bar->setSingleStep(LineStep);
        bar->installEventFilter(new TScrollEndFilter(bar, [this, horizontal] { Scroll(horizontal, TUCLScrollCode::SB_ENDSCROLL); }));
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, horizontal](int action) { ScrollBarAction(horizontal, action); });
        connect(bar, &QAbstractSlider::valueChanged, this,
                [this, horizontal](int value) { ScrollBarMoved(horizontal, value); });
    }
    resize(185, 41);
    UpdateLayout();
}

TUCLCustomScrollBox::~TUCLCustomScrollBox()
{
    FBevel.OnChange = nullptr;
}

void TUCLCustomScrollBox::SetBevel(const TUCLBevel& Value)
{
    FBevel.Assign(Value);
    BevelChanged(&FBevel);
}

void TUCLCustomScrollBox::SetTransparent(bool Value)
{
    if (Value == Transparent())
        return;
    TUCLCustomControl::SetTransparent(Value);
    RepaintBackground();
}

void TUCLCustomScrollBox::SetCtlXP(bool Value)
{
    if (Value == CtlXP())
        return;
    TUCLCustomControl::SetCtlXP(Value);
}

bool TUCLCustomScrollBox::UseThemes() const
{
    return FBevel.Mode() == TUCLBevelMode::bmWindows && SupportsXPTheme() && LibraryApplication().GetUseXPThemes() &&
           CtlXP();
}

bool TUCLCustomScrollBox::UsesParentThemeBackground() const
{
    return LibraryApplication().GetUseXPThemes() && Transparent() && CtlXP() && !HasParentBackground(this);
}

void TUCLCustomScrollBox::ThemeChanged()
{
    UpdateLayout();
    TUCLCustomControl::ThemeChanged();
}

TRect TUCLCustomScrollBox::FrameMargins() const
{
    if (UseThemes() && Ctl3D())
        return Rect(1, 1, 1, 1);
    if (FBevel.Mode() == TUCLBevelMode::bmWindows) {
        // The window's own border: a sunken client edge, or a plain line.
        const int border = Ctl3D() ? 2 : 1;
        const int ext = FBevel.Ext();
        return Rect(border + ext, border + ext, border + FBevel.ExtRightBottom(), border + FBevel.ExtRightBottom());
    }
    return Rect(FBevel.Ext(), FBevel.Ext(), FBevel.ExtRightBottom(), FBevel.ExtRightBottom());
}

TRect TUCLCustomScrollBox::ClientRect() const
{
    const QRect g = FClient->geometry();
    return Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

int TUCLCustomScrollBox::ClientWidth() const
{
    return FClient->width();
}

int TUCLCustomScrollBox::ClientHeight() const
{
    return FClient->height();
}

void TUCLCustomScrollBox::SetHorzRange(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FHorzRange)
        return;
    FHorzRange = Value;
    UpdateLayout();
}

void TUCLCustomScrollBox::SetVertRange(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FVertRange)
        return;
    FVertRange = Value;
    UpdateLayout();
}

int TUCLCustomScrollBox::HorzPosition() const
{
    return FHorz->value();
}

void TUCLCustomScrollBox::SetHorzPosition(int Value)
{
    FHorz->setValue(Value);
}

int TUCLCustomScrollBox::VertPosition() const
{
    return FVert->value();
}

void TUCLCustomScrollBox::SetVertPosition(int Value)
{
    FVert->setValue(Value);
}

void TUCLCustomScrollBox::SetVertScrollBarVisible(bool Value)
{
    if (Value == FVertScrollBarVisible)
        return;
    FVertScrollBarVisible = Value;
    UpdateLayout();
}

void TUCLCustomScrollBox::UpdateLayout()
{
    if (FLayingOut)
        return;
    FLayingOut = true;
    const TRect m = FrameMargins();
    const int innerW = std::max(width() - m.Left - m.Right, 0);
    const int innerH = std::max(height() - m.Top - m.Bottom, 0);
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // Each bar takes room from the other axis; two passes settle that.
    bool horz = false, vert = false;
    for (int pass = 0; pass < 2; ++pass) {
        horz = FHorzRange > innerW - (vert ? extent : 0);
        vert = FVertScrollBarVisible && FVertRange > innerH - (horz ? extent : 0);
    }
    const int clientW = std::max(innerW - (vert ? extent : 0), 0);
    const int clientH = std::max(innerH - (horz ? extent : 0), 0);
    const QSize oldClient = FClient->size();
    FClient->setGeometry(m.Left, m.Top, clientW, clientH);
    FHorz->setGeometry(m.Left, m.Top + clientH, clientW, extent);
    FVert->setGeometry(m.Left + clientW, m.Top, extent, clientH);
    FHorz->setRange(0, horz ? FHorzRange - clientW : 0);
    FHorz->setPageStep(std::max(clientW, 1));
    FVert->setRange(0, vert ? FVertRange - clientH : 0);
    FVert->setPageStep(std::max(clientH, 1));
    FHorz->setVisible(horz);
    FVert->setVisible(vert);
    FLayingOut = false;
    update();
    if (FClient->size() != oldClient)
        ClientResized();
}

void TUCLCustomScrollBox::Scroll(bool Horizontal, TUCLScrollCode Code, int Position)
{
    QScrollBar* bar = Horizontal ? FHorz : FVert;
    const int old = bar->value();
    switch (Code) {
    case TUCLScrollCode::SB_LINEUP: bar->setValue(old - bar->singleStep()); break;
    case TUCLScrollCode::SB_LINEDOWN: bar->setValue(old + bar->singleStep()); break;
    case TUCLScrollCode::SB_PAGEUP: bar->setValue(old - bar->pageStep()); break;
    case TUCLScrollCode::SB_PAGEDOWN: bar->setValue(old + bar->pageStep()); break;
    case TUCLScrollCode::SB_THUMBPOSITION:
    case TUCLScrollCode::SB_THUMBTRACK: bar->setValue(Position); break;
    case TUCLScrollCode::SB_TOP: bar->setValue(bar->minimum()); break;
    case TUCLScrollCode::SB_BOTTOM: bar->setValue(bar->maximum()); break;
    case TUCLScrollCode::SB_ENDSCROLL: break;
    }
    if (DrawsParentBackground()) {
        bool repaint = false;
        if (ScrollRepaintCounting) {
            ++FScrollRepaintCounter;
            repaint = FScrollRepaintCounter >= ScrollRepaintThreshold || (!Horizontal && Code == TUCLScrollCode::SB_ENDSCROLL);
        } else {
            repaint = Code == TUCLScrollCode::SB_ENDSCROLL;
        }
        if (repaint)
            RepaintBackground();
    }
    if (bar->value() != old && OnScroll)
        OnScroll(this);
}

void TUCLCustomScrollBox::ScrollBarAction(bool Horizontal, int Action)
{
    // The bar has placed its slider; take the value now and handle the
    // request like one sent from outside (the bar's own setValue after
    // this changes nothing more).
    QScrollBar* bar = Horizontal ? FHorz : FVert;
    const TUCLScrollCode code = CodeOfAction(Action);
    const int target = bar->sliderPosition();
    Scroll(Horizontal, code == TUCLScrollCode::SB_THUMBTRACK ? TUCLScrollCode::SB_THUMBTRACK : TUCLScrollCode::SB_THUMBPOSITION, target);
}

void TUCLCustomScrollBox::ScrollBarMoved(bool Horizontal, int Value)
{
    const int dx = Horizontal ? FHorzOffset - Value : 0;
    const int dy = Horizontal ? 0 : FVertOffset - Value;
    (Horizontal ? FHorzOffset : FVertOffset) = Value;
    if (dx || dy)
        ScrollContents(dx, dy);
}

void TUCLCustomScrollBox::ScrollContents(int DX, int DY)
{
    for (QObject* child : FClient->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            w->move(w->x() + DX, w->y() + DY);
    FClient->update();
}

void TUCLCustomScrollBox::RepaintBackground()
{
    FScrollRepaintCounter = 0;
    update();
    FClient->update();
    UpdateTransparentChildren(FClient);
}

void TUCLCustomScrollBox::BevelChanged(TPersistent* Changed)
{
    if (Changed == &FBevel) {
        FBevel.NativeBorder = true;
        UpdateLayout();
    }
    update();
}

void TUCLCustomScrollBox::GetChange(TPersistent* Sender)
{
    UpdateLayout();
    TUCLCustomControl::GetChange(Sender);
}

void TUCLCustomScrollBox::Paint(QPainter& Painter)
{
    const TRect client = ClientRect();
    if (!DrawsParentBackground())
        FillRect(Painter, Rect(client.Left, client.Top, client.Right + (FVert->isVisible() ? FVert->width() : 0),
                               client.Bottom + (FHorz->isVisible() ? FHorz->height() : 0)),
                 Color());
    PaintFrame(Painter);
}

void TUCLCustomScrollBox::PaintFrame(QPainter& Painter)
{
    if (UseThemes()) {
        PaintThemedFrame(Painter);
        return;
    }
    TRect r = Rect(0, 0, width(), height());
    if (FBevel.Mode() == TUCLBevelMode::bmWindows) {
        if (Ctl3D())
            DrawEdge(Painter, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        else {
            FrameRect(Painter, r, clWindowFrame);
            r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        }
    }
    Painter.setBrush(ColorToQColor(Color()));
    FBevel.PaintBevel(Painter, r, false);
}

void TUCLCustomScrollBox::PaintThemedFrame(QPainter& Painter)
{
    Painter.save();
    const QRegion band = QRegion(rect()) - QRegion(1, 1, width() - 2, height() - 2);
    Painter.setClipRegion(band);
    FillRect(Painter, Rect(0, 0, width(), height()), Color());
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = rect();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (isAncestorOf(QWidget::focusWidget()) || hasFocus())
        option.state |= QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &Painter, this);
    Painter.restore();
}

void TUCLCustomScrollBox::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomControl::resizeEvent(Event);
    UpdateLayout();
    if (FullRepaint)
        FClient->update();
}

void TUCLCustomScrollBox::moveEvent(QMoveEvent* Event)
{
    TUCLCustomControl::moveEvent(Event);
    if (DrawsParentBackground())
        RepaintBackground();
}

void TUCLCustomScrollBox::changeEvent(QEvent* Event)
{
    TUCLCustomControl::changeEvent(Event);
    if (Event->type() == QEvent::StyleChange)
        UpdateLayout();
}
