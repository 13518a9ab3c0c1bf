#include "ui/controls/UCLControl.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLApplication.h"
#include "ui/controls/UCLBevel.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLFaceController.h"
#include "ui/controls/UCLFillObject.h"

#include <QEnterEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>

namespace {

TRect ClientRect(const QWidget* w)
{
    return Rect(0, 0, w->width(), w->height());
}

template <typename F>
void ForEachLibraryChild(QWidget* parent, F f)
{
    for (QObject* child : parent->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            f(w);
}

void SetupImageLink(TUCLChangeLink& link, QPointer<TUCLBaseController>& field, TUCLBaseController* value)
{
    if (field)
        field->RemoveLink(&link);
    field = value;
    if (value)
        value->AddLink(&link);
}

}   // namespace

bool HasParentBackground(const QWidget* Control)
{
    const auto* self = dynamic_cast<const IUCLBackground*>(Control);
    const QWidget* parent = Control ? Control->parentWidget() : nullptr;
    if (!self || !parent)
        return false;
    if (parent->isWindow()) {
        // A form-level background object: a non-widget child of the window.
        for (const QObject* child : parent->children())
            if (!child->isWidgetType())
                if (const auto* background = dynamic_cast<const IUCLBackground*>(child))
                    return background->SuppliesBackground();
        return false;
    }
    const auto* parentBackground = dynamic_cast<const IUCLBackground*>(parent);
    return parentBackground && self->GetTransparent() && parentBackground->SuppliesBackground();
}

void UpdateTransparentChildren(QWidget* Control)
{
    ForEachLibraryChild(Control, [](QWidget* w) {
        if (auto* background = dynamic_cast<IUCLBackground*>(w))
            background->RefreshBackground();
    });
}

TUCLSizingHit SizingHitTest(const TRect& Inner, TPoint P)
{
    using H = TUCLSizingHit;
    const bool left = P.X < Inner.Left, right = P.X >= Inner.Right;
    if (P.Y >= Inner.Bottom)
        return left ? H::BottomLeft : right ? H::BottomRight : H::Bottom;
    if (P.Y < Inner.Top)
        return left ? H::TopLeft : right ? H::TopRight : H::Top;
    return left ? H::Left : right ? H::Right : H::None;
}

// ---------------------------------------------------------------------------

TUCLCustomControl::TUCLCustomControl(QWidget* Parent) : QWidget(Parent), FColor(clBtnFace)
{
    resize(100, 40);
    setFocusPolicy(Qt::ClickFocus);   // not a tab stop
    setMouseTracking(true);
    FImageChangeLink.OnChange = [this](TPersistent*) { ImageListChanged(); };
}

TUCLCustomControl::~TUCLCustomControl()
{
    SetFaceController(nullptr);
    FImageChangeLink.OnChange = nullptr;
    if (FImageList)
        FImageList->RemoveLink(&FImageChangeLink);
}

void TUCLCustomControl::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    update();
}

void TUCLCustomControl::SetCtl3D(bool Value)
{
    if (Value == FCtl3D)
        return;
    FCtl3D = Value;
    GetChange(nullptr);
}

void TUCLCustomControl::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    FlatChanged();
    update();
}

void TUCLCustomControl::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    update();
}

void TUCLCustomControl::SetCtlXP(bool Value)
{
    FCtlXP = Value;
    ThemeChanged();
}

void TUCLCustomControl::SetImageList(TUCLBaseController* Value)
{
    SetupImageLink(FImageChangeLink, FImageList, Value);
    ImageListChanged();
}

void TUCLCustomControl::SetImageIndex(Integer Value)
{
    if (Value == FImageIndex || Value < 0)
        return;
    FImageIndex = Value;
    if (FImageList)
        ImageListChanged();
}

void TUCLCustomControl::SetListIndex(Integer Value)
{
    if (Value == FListIndex || Value < 0)
        return;
    FListIndex = Value;
    if (FImageList)
        ImageListChanged();
}

void TUCLCustomControl::SetSizeGrip(bool Value)
{
    FSizeGrip = Value;
    GetChange(nullptr);
}

void TUCLCustomControl::EndUpdate(bool Repaint)
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0 && Repaint)
        GetChange(nullptr);
}

TUCLFaceController* TUCLCustomControl::FaceController() const
{
    return static_cast<TUCLFaceController*>(FFaceController.data());
}

void TUCLCustomControl::SetFaceController(TUCLFaceController* Value)
{
    if (Value == FaceController())
        return;
    if (TUCLFaceController* old = FaceController())
        old->UnregisterControl(this);
    FFaceController = Value;
    if (Value)
        Value->RegisterControl(this);
    update();
}

TUCLObject* TUCLCustomControl::FaceSetting(const TClassInfo& Class) const
{
    const TUCLFaceController* controller = FaceController();
    return controller ? controller->FindSetting(this, Class) : nullptr;
}

QFont TUCLCustomControl::CurrentFont() const
{
    if (const auto* f = dynamic_cast<const TUCLFontObject*>(FaceSetting(TUCLFontObject::StaticClass())))
        return f->Font;
    return font();
}

TUCL3DCaption* TUCLCustomControl::CurrentFont3D() const
{
    return dynamic_cast<TUCL3DCaption*>(FaceSetting(TUCL3DCaption::StaticClass()));
}

bool TUCLCustomControl::CurrentTransparent() const
{
    if (const auto* s = dynamic_cast<const TUCLCtlSettings*>(FaceSetting(TUCLCtlSettings::StaticClass())))
        return s->Transparent();
    return StateTransparent();
}

TColor TUCLCustomControl::CurrentColor() const
{
    if (const auto* c = dynamic_cast<const TUCLColorObject*>(FaceSetting(TUCLColorObject::StaticClass())))
        return c->Color();
    return StateColor();
}

TUCLFillObject* TUCLCustomControl::CurrentFillObject() const
{
    return dynamic_cast<TUCLFillObject*>(FaceSetting(TUCLFillObject::StaticClass()));
}

bool TUCLCustomControl::CurrentThemed() const
{
    if (const auto* s = dynamic_cast<const TUCLCtlSettings*>(FaceSetting(TUCLCtlSettings::StaticClass())))
        return s->CtlXP();
    return StateThemed();
}

TUCLBevel* TUCLCustomControl::CurrentBevel() const
{
    return dynamic_cast<TUCLBevel*>(FaceSetting(TUCLBevel::StaticClass()));
}

bool TUCLCustomControl::UseThemes() const
{
    return SupportsXPTheme() && LibraryApplication().GetUseXPThemes() && CurrentThemed();
}

void TUCLCustomControl::ThemeChanged()
{
    update();
    ForEachLibraryChild(this, [](QWidget* w) {
        if (auto* c = dynamic_cast<TUCLCustomControl*>(w))
            c->ThemeChanged();
        else if (auto* g = dynamic_cast<TUCLControl*>(w))
            g->ThemeChanged();
    });
}

void TUCLCustomControl::RefreshBackground()
{
    update();
    UpdateTransparentChildren(this);
}

void TUCLCustomControl::GetChange(TPersistent*)
{
    if (!IsUpdating())
        update();
}

TRect TUCLCustomControl::GetMoveRect() const
{
    return ClientRect(this);
}

TRect TUCLCustomControl::GetSizeGripRect() const
{
    return ClientRect(this);
}

void TUCLCustomControl::Paint(QPainter& Painter)
{
    PaintBackground(Painter);
    if (FFlat)
        ShowsHotBorder() ? DrawHotBorder(Painter) : DrawFlatBorder(Painter);
}

void TUCLCustomControl::PaintBackground(QPainter& Painter)
{
    if (DrawsParentBackground())
        return;
    FillRect(Painter, ClientRect(this), CurrentColor());
}

void TUCLCustomControl::FillBackground(QPainter& Painter, const TRect& R)
{
    if (!DrawsParentBackground())
        FillRect(Painter, R, FColor);
}

void TUCLCustomControl::DrawFlatBorder(QPainter& Painter)
{
    TRect r = ClientRect(this);
    FrameRect(Painter, r, clBtnFace);
    if (CurrentCtl3D()) {
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        FrameRect(Painter, r, clBtnFace);
    }
}

void TUCLCustomControl::DrawHotBorder(QPainter& Painter)
{
    const int w = width(), h = height();
    if (!FCtl3D) {
        FrameRect(Painter, Rect(0, 0, w, h), clWindowFrame);
        return;
    }
    FrameRect(Painter, Rect(1, 1, w, h), clWindowFrame);
    FrameRect(Painter, Rect(0, 0, w - 1, h - 1), clBtnFace);
    TRect r = Rect(0, 0, w, h);
    DrawEdge(Painter, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

void TUCLCustomControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    FMouseAbove = true;
    if (FFlat || FFaceController)
        update();
}

void TUCLCustomControl::MouseExit()
{
    FMouseAbove = false;
    if (FFlat || FFaceController)
        update();
    if (OnMouseExit)
        OnMouseExit(this);
}

void TUCLCustomControl::DoEnter()
{
    FHasFocus = true;
    if (FFlat || FFaceController)
        update();
}

void TUCLCustomControl::DoExit()
{
    FHasFocus = false;
    if (FFlat || FFaceController)
        update();
}

void TUCLCustomControl::DoMoved()
{
    if (OnMove)
        OnMove(this);
}

void TUCLCustomControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void TUCLCustomControl::enterEvent(QEnterEvent* Event)
{
    QWidget::enterEvent(Event);
    MouseEnter();
}

void TUCLCustomControl::leaveEvent(QEvent* Event)
{
    QWidget::leaveEvent(Event);
    MouseExit();
}

void TUCLCustomControl::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    DoEnter();
    // Queued, so that it comes after every other focus handler.
    QMetaObject::invokeMethod(this, [this] {
        if (OnAfterEnter)
            OnAfterEnter(this);
    }, Qt::QueuedConnection);
}

void TUCLCustomControl::focusOutEvent(QFocusEvent* Event)
{
    DoExit();
    QWidget::focusOutEvent(Event);
    QMetaObject::invokeMethod(this, [this] {
        if (OnAfterExit)
            OnAfterExit(this);
    }, Qt::QueuedConnection);
}

bool TUCLCustomControl::ManagedByLayout() const
{
    const QWidget* parent = parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<TUCLCustomControl*>(this)) >= 0;
}

TUCLSizingHit TUCLCustomControl::SizingHit(TPoint P) const
{
    if (!AllowSizing || ControlLocked)
        return TUCLSizingHit::None;
    if (FSizeGrip) {
        const TRect grip = GetSizeGripRect();
        return P.X >= grip.Left && P.Y >= grip.Top ? TUCLSizingHit::BottomRight : TUCLSizingHit::None;
    }
    constexpr Integer border = 4;
    return SizingHitTest(Rect(border, border, width() - border, height() - border), P);
}

void TUCLCustomControl::mousePressEvent(QMouseEvent* Event)
{
    const QPoint pos = Event->position().toPoint();
    const TPoint p = Point(pos.x(), pos.y());
    if (Event->button() == Qt::LeftButton && !ControlLocked) {
        FSizingHit = SizingHit(p);
        if (FSizingHit != TUCLSizingHit::None)
            FDrag = TDrag::Sizing;
        else if (AllowMoving && !ManagedByLayout() && GetMoveRect().Contains(p))
            FDrag = TDrag::Moving;
        if (FDrag != TDrag::None) {
            FDragStart = Event->globalPosition().toPoint();
            FDragGeometry = geometry();
            FMoved = false;
            if (BringToFront)
                raise();
            Event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(Event);
}

void TUCLCustomControl::mouseMoveEvent(QMouseEvent* Event)
{
    if (FDrag == TDrag::None) {
        using H = TUCLSizingHit;
        const QPoint pos = Event->position().toPoint();
        switch (SizingHit(Point(pos.x(), pos.y()))) {
        case H::Left:
        case H::Right: setCursor(Qt::SizeHorCursor); break;
        case H::Top:
        case H::Bottom: setCursor(Qt::SizeVerCursor); break;
        case H::TopLeft:
        case H::BottomRight: setCursor(Qt::SizeFDiagCursor); break;
        case H::TopRight:
        case H::BottomLeft: setCursor(Qt::SizeBDiagCursor); break;
        case H::None: unsetCursor(); break;
        }
        QWidget::mouseMoveEvent(Event);
        return;
    }
    const QPoint delta = Event->globalPosition().toPoint() - FDragStart;
    if (FDrag == TDrag::Moving) {
        move(FDragGeometry.topLeft() + delta);
        if (!FMoved && pos() != FDragGeometry.topLeft()) {
            FMoved = true;   // one OnMove per press
            DoMoved();
        }
        return;
    }
    using H = TUCLSizingHit;
    QRect g = FDragGeometry;
    const H hit = FSizingHit;
    if (hit == H::Left || hit == H::TopLeft || hit == H::BottomLeft)
        g.setLeft(std::min(g.left() + delta.x(), g.right()));
    if (hit == H::Right || hit == H::TopRight || hit == H::BottomRight)
        g.setRight(std::max(g.right() + delta.x(), g.left() - 1));
    if (hit == H::Top || hit == H::TopLeft || hit == H::TopRight)
        g.setTop(std::min(g.top() + delta.y(), g.bottom()));
    if (hit == H::Bottom || hit == H::BottomLeft || hit == H::BottomRight)
        g.setBottom(std::max(g.bottom() + delta.y(), g.top() - 1));
    setGeometry(g);
}

void TUCLCustomControl::mouseReleaseEvent(QMouseEvent* Event)
{
    if (FDrag != TDrag::None && Event->button() == Qt::LeftButton) {
        FDrag = TDrag::None;
        return;
    }
    QWidget::mouseReleaseEvent(Event);
}

void TUCLCustomControl::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange || Event->type() == QEvent::FontChange)
        update();
}

// ---------------------------------------------------------------------------

TUCLControl::TUCLControl(QWidget* Parent) : QWidget(Parent), FColor(clBtnFace)
{
    setFocusPolicy(Qt::NoFocus);
}

void TUCLControl::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    ContentChanged();
}

void TUCLControl::SetCtlXP(bool Value)
{
    if (Value == FCtlXP)
        return;
    FCtlXP = Value;
    ThemeChanged();
}

void TUCLControl::SetBounds(Integer Left, Integer Top, Integer Width, Integer Height)
{
    const QRect old = geometry();
    setGeometry(Left, Top, Width, Height);
    const Byte changed = (old.topLeft() != geometry().topLeft() ? 2 : 0) | (old.size() != geometry().size() ? 1 : 0);
    if (changed)
        DoBoundsChanged(changed);
}

void TUCLControl::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        ContentChanged();
}

void TUCLControl::ThemeChanged()
{
    if (SupportsXPTheme())
        update();
}

void TUCLControl::ContentChanged()
{
    if (!IsUpdating())
        update();
}

void TUCLControl::FillSolid(QPainter& Painter)
{
    FillRect(Painter, ClientRect(this), FColor);
}

void TUCLControl::MouseEnter()
{
    if (isEnabled() && OnMouseEnter)
        OnMouseEnter(this);
}

void TUCLControl::MouseExit()
{
    if (isEnabled() && OnMouseExit)
        OnMouseExit(this);
}

void TUCLControl::DoBoundsChanged(Byte Changed)
{
    if (OnBoundsChanged)
        OnBoundsChanged(Changed);
}

void TUCLControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void TUCLControl::enterEvent(QEnterEvent* Event)
{
    QWidget::enterEvent(Event);
    MouseEnter();
}

void TUCLControl::leaveEvent(QEvent* Event)
{
    QWidget::leaveEvent(Event);
    MouseExit();
}

// ---------------------------------------------------------------------------

TUCLBaseControl::TUCLBaseControl(QWidget* Parent) : TUCLControl(Parent)
{
    FImageChangeLink.OnChange = [this](TPersistent*) { ImageListChanged(); };
}

TUCLBaseControl::~TUCLBaseControl()
{
    FImageChangeLink.OnChange = nullptr;
    if (FImageList)
        FImageList->RemoveLink(&FImageChangeLink);
}

void TUCLBaseControl::SetImageList(TUCLBaseController* Value)
{
    SetupImageLink(FImageChangeLink, FImageList, Value);
    ImageListChanged();
}

void TUCLBaseControl::SetImageIndex(Integer Value)
{
    if (Value == FImageIndex || Value < 0)
        return;
    FImageIndex = Value;
    if (FImageList)
        ImageListChanged();
}

void TUCLBaseControl::SetListIndex(Integer Value)
{
    if (Value == FListIndex || Value < 0)
        return;
    FListIndex = Value;
    if (FImageList)
        ImageListChanged();
}

void TUCLBaseControl::RefreshBackground()
{
    if (isVisible() && DrawsParentBackground())
        ContentChanged();
}

// ---------------------------------------------------------------------------

TUCLBaseGraphicControl::TUCLBaseGraphicControl(QWidget* Parent) : TUCLBaseControl(Parent)
{
    resize(30, 30);
}

void TUCLBaseGraphicControl::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    if (isVisible())
        ContentChanged();
}
