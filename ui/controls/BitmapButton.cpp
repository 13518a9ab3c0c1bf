#include "ui/controls/BitmapButton.h"

#include "platform/AnsiText.h"
#include "platform/GdiDraw.h"
#include "platform/HtmlHelp.h"
#include "ui/controls/Frame3D.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <map>

namespace {

// ---- The control's pictures -------------------------------------------------

// The background of every picture: the bottom-left pixel, which marks the
// transparent colour.
constexpr QRgb PictureKey = 0xFFFF00FF;
constexpr int GlyphSize = 16;

enum class TPicture { Check, Cross, Help, No, Exit, Retry, Ignore, All, Silly };

QImage DrawPicture(TPicture picture)
{
    QImage image(GlyphSize, GlyphSize, QImage::Format_RGB32);
    image.fill(PictureKey);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto pen = [&p](QRgb color, int width) { p.setPen(QPen(QColor::fromRgb(color), width, Qt::SolidLine, Qt::RoundCap)); };
    switch (picture) {
    case TPicture::Check:
        pen(0xFF008000, 3);
        p.drawPolyline(QPolygon({QPoint(3, 8), QPoint(6, 12), QPoint(13, 3)}));
        break;
    case TPicture::All:
        pen(0xFF008000, 2);
        p.drawPolyline(QPolygon({QPoint(1, 8), QPoint(4, 12), QPoint(9, 3)}));
        p.drawPolyline(QPolygon({QPoint(6, 8), QPoint(9, 12), QPoint(14, 3)}));
        break;
    case TPicture::Cross:
        pen(0xFFC00000, 3);
        p.drawLine(4, 4, 11, 11);
        p.drawLine(11, 4, 4, 11);
        break;
    case TPicture::Help: {
        pen(0xFF0000C0, 2);
        p.drawArc(QRect(4, 1, 8, 7), 180 * 16, -270 * 16);
        p.drawLine(8, 8, 8, 10);
        p.drawPoint(8, 13);
        break;
    }
    case TPicture::No:
        pen(0xFFC00000, 2);
        p.drawEllipse(QRect(2, 2, 11, 11));
        p.drawLine(4, 11, 11, 4);
        break;
    case TPicture::Exit:
        pen(0xFF404040, 1);
        p.drawRect(QRect(2, 2, 7, 11));
        pen(0xFF008000, 2);
        p.drawLine(6, 8, 13, 8);
        p.drawPolyline(QPolygon({QPoint(11, 5), QPoint(14, 8), QPoint(11, 11)}));
        break;
    case TPicture::Retry:
        pen(0xFF0000C0, 2);
        p.drawArc(QRect(3, 3, 10, 10), 90 * 16, 270 * 16);
        p.drawPolyline(QPolygon({QPoint(8, 1), QPoint(10, 3), QPoint(8, 5)}));
        break;
    case TPicture::Ignore:
        pen(0xFFC08000, 3);
        p.drawLine(8, 2, 8, 9);
        p.drawPoint(8, 13);
        break;
    case TPicture::Silly:
        pen(0xFF806000, 1);
        p.setBrush(QColor::fromRgb(0xFFFFE000));
        p.drawEllipse(QRect(1, 1, 13, 13));
        p.drawPoint(5, 5);
        p.drawPoint(10, 5);
        p.drawArc(QRect(4, 5, 8, 6), 200 * 16, 140 * 16);
        break;
    }
    return image;
}

// The normal-state pictures are the hot ones in grey.
QImage Greyed(QImage image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (c != PictureKey) {
                const int g = qGray(c);
                image.setPixel(x, y, qRgb(g, g, g));
            }
        }
    return image;
}

const QImage& Picture(TPicture picture, bool hot)
{
    static std::map<std::pair<TPicture, bool>, QImage> cache;
    auto& image = cache[{picture, hot}];
    if (image.isNull())
        image = hot ? DrawPicture(picture) : Greyed(DrawPicture(picture));
    return image;
}

// The pop-up mark: a small arrow pointing down.
const QImage& MarkPicture()
{
    static const QImage image = [] {
        QImage mark(7, 4, QImage::Format_RGB32);
        mark.fill(PictureKey);
        for (int row = 0; row < 4; ++row)
            for (int x = row; x < 7 - row; ++x)
                mark.setPixel(x, row, qRgb(0, 0, 0));
        return mark;
    }();
    return image;
}

struct TKindInfo {
    const char* Caption;
    TPicture Picture;
    Integer ModalResult;   // 0: none
};

TKindInfo KindInfo(TZVQCustomButton::TKind kind)
{
    using B = TZVQCustomButton;
    switch (kind) {
    case B::skOK: return {"OK", TPicture::Check, 1};
    case B::skCancel: return {"Cancel", TPicture::Cross, 2};
    case B::skHelp: return {"&Help", TPicture::Help, 0};
    case B::skYes: return {"&Yes", TPicture::Check, 6};
    case B::skNo: return {"&No", TPicture::No, 7};
    case B::skClose: return {"&Close", TPicture::Exit, 0};
    case B::skAbort: return {"Abort", TPicture::Cross, 3};
    case B::skRetry: return {"&Retry", TPicture::Retry, 4};
    case B::skIgnore: return {"&Ignore", TPicture::Ignore, 5};
    case B::skAll: return {"&All", TPicture::All, 8};
    case B::skSilly: return {"&Silly", TPicture::Silly, 0};
    case B::skCustom: break;
    }
    return {"", TPicture::Check, 0};
}

// ---- Drawing helpers --------------------------------------------------------

// The picture with its transparent colour (the bottom-left pixel) cleared.
QImage Masked(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, 0);
    return image;
}

// The opaque pixels of a masked picture in one colour.
QImage Silhouette(const QImage& masked, TColor color)
{
    QImage s = masked;
    const QRgb c = ColorToQColor(color).rgb();
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (qAlpha(s.pixel(x, y)) != 0)
                s.setPixel(x, y, c);
    return s;
}

void DrawEmbossed(QPainter& p, QPoint at, const QImage& masked)
{
    p.drawImage(at + QPoint(1, 1), Silhouette(masked, clBtnHighlight));
    p.drawImage(at, Silhouette(masked, clBtnShadow));
}

void DrawFocusRect(QPainter& p, const TRect& r)
{
    for (int x = r.Left; x < r.Right; x += 2) {
        p.fillRect(x, r.Top, 1, 1, Qt::black);
        p.fillRect(x, r.Bottom - 1, 1, 1, Qt::black);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        p.fillRect(r.Left, y, 1, 1, Qt::black);
        p.fillRect(r.Right - 1, y, 1, 1, Qt::black);
    }
}

QChar Accelerator(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            if (caption[i + 1] != '&')
                return caption[i + 1].toUpper();
            ++i;
        }
    return {};
}

}   // namespace

// ---- Placement --------------------------------------------------------------

Integer GlyphCountForSize(QSize size, Integer current)
{
    const int w = size.width(), h = size.height();
    if (h <= 0 || w < h || w < 2 * h)
        return 1;
    if (w % h == 0)
        return w / h > 4 ? 1 : w / h;
    return current;
}

TZVQPlacement PlaceGlyphAndCaption(const TZVQPlacementInput& in)
{
    using B = TZVQCustomButton;
    TZVQPlacement out;
    const QRect& c = in.Content;
    const int cw = c.width(), ch = c.height();
    const int w = in.GlyphSize.width(), h = in.GlyphSize.height();
    const int tw = in.TextSize.width(), th = in.TextSize.height();
    const int p = in.Press, s = in.Spacing, l = in.SpacingLayout;
    const bool glyph = !in.GlyphSize.isEmpty();
    const bool caption = !in.TextSize.isEmpty();

    if (glyph && !caption) {
        out.Glyph = QRect(c.left() + (cw - w) / 2 + p - (in.PopupMenuMark ? 5 : 0), c.top() + (ch - h) / 2 + p, w, h);
    } else if (caption && !glyph) {
        out.Caption = QRect(c.left() + (cw - tw) / 2 + p, c.top() + (ch - th) / 2 + p, tw, th);
    } else if (glyph && caption) {
        QPoint g, r;
        switch (in.Layout) {
        case B::blGlyphLeft:
            g = {c.left() + (cw - w - tw) / 2 - l + p, c.top() + (ch - h) / 2 + p};
            r = {g.x() + w + s, g.y() + (h - th) / 2};
            break;
        case B::blGlyphRight:
            g = {c.left() + (cw - w + tw) / 2 + l + p, c.top() + (ch - h) / 2 + p};
            r = {g.x() - tw - s, g.y() + (h - th) / 2};
            break;
        case B::blGlyphBottom:
            g = {c.left() + (cw - w) / 2 + p, c.top() + (ch - h) / 2 + th / 2 + l + p};
            r = {g.x() + w / 2 - tw / 2, g.y() - s - th / 2 - 8};
            break;
        case B::blGlyphTop:
            g = {c.left() + (cw - w) / 2 + p, c.top() + (ch - h) / 2 - th / 2 - l + p};
            r = {g.x() + w / 2 - tw / 2, g.y() + h + s};
            break;
        }
        out.Glyph = QRect(g, in.GlyphSize);
        out.Caption = QRect(r, in.TextSize);
    }
    const bool markLayout = !caption || in.Layout == B::blGlyphTop || in.Layout == B::blGlyphBottom;
    if (glyph && in.PopupMenuMark && markLayout)
        out.Mark = QRect(out.Glyph.left() + w + in.PopupMenuMarkGap,
                         out.Glyph.top() + (h - in.MarkSize.height()) / 2, in.MarkSize.width(), in.MarkSize.height());
    return out;
}

// ---- The button -------------------------------------------------------------

TZVQCustomButton::TZVQCustomButton(QWidget* parent)
    : QWidget(parent), FRepeatStartTimer(new QTimer(this)), FRepeatTimer(new QTimer(this)),
      FAccelerator(new QShortcut(this))
{
    connect(FAccelerator, &QShortcut::activated, this, [this] {
        if (isEnabled() && isVisible())
            Click();
    });
    resize(75, 25);
    setAttribute(Qt::WA_Hover);
    FRepeatStartTimer->setInterval(50);
    FRepeatTimer->setInterval(50);
    connect(FRepeatStartTimer, &QTimer::timeout, this, &TZVQCustomButton::RepeatStartTimerTick);
    connect(FRepeatTimer, &QTimer::timeout, this, &TZVQCustomButton::RepeatTimerTick);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

TZVQCustomButton::~TZVQCustomButton() = default;

bool TZVQCustomButton::HasFocusRect() const
{
    return FStyle == stDefault || FStyle == stRaised || FStyle == stFrameLowered || FStyle == stFrameRaised;
}

bool TZVQCustomButton::HasFaceBackground() const
{
    return FStyle == stDefault || FStyle == stFrameLowered || FStyle == stFrameRaised;
}

void TZVQCustomButton::DefaultEdgeColors(TColor& leftTop, TColor& rightBottom) const
{
    leftTop = FStyle == stFrameLowered ? clBtnShadow : clBtnHighlight;
    rightBottom = FStyle == stDefault ? clBlack : FStyle == stFrameLowered ? clBtnHighlight : clBtnShadow;
}

Integer TZVQCustomButton::FrameWidth(bool hot) const
{
    switch (FStyle) {
    case stFlat:
    case stFlatDot: return hot ? 1 : 0;
    case stNone: return 0;
    case stRaisedDot: return 2;
    default: return 1;
    }
}

void TZVQCustomButton::SetButtonKind(TKind value)
{
    FKind = value;
    if (value == skCustom)
        return;
    const TKindInfo info = KindInfo(value);
    FGlyph = Picture(info.Picture, false);
    FGlyphHot = Picture(info.Picture, true);
    FNumGlyphs = FNumGlyphsHot = 1;
    Cancel = value == skCancel || value == skNo;
    SetDefault(value == skOK || value == skYes);
    SetCaption(info.Caption);
}

void TZVQCustomButton::SetButtonStyle(TStyle value)
{
    FStyle = value;
    if (FColorMarginStyle == cmDefault || FStyle == stNone)
        DefaultEdgeColors(FColorLeftTop, FColorRightBottom);
    if (HasFaceBackground())
        FColor = clBtnFace;
    update();
}

void TZVQCustomButton::SetColorMarginLeftTop(TColor value)
{
    TColor lt, rb;
    DefaultEdgeColors(lt, rb);
    FColorLeftTop = value;
    if (value != lt && FStyle != stNone)
        FColorMarginStyle = cmCustom;
    update();
}

void TZVQCustomButton::SetColorMarginRightBottom(TColor value)
{
    TColor lt, rb;
    DefaultEdgeColors(lt, rb);
    FColorRightBottom = value;
    if (value != rb && FStyle != stNone)
        FColorMarginStyle = cmCustom;
    update();
}

void TZVQCustomButton::SetColorMarginStyle(TColorMarginDefault value)
{
    FColorMarginStyle = value;
    if (value == cmDefault)
        DefaultEdgeColors(FColorLeftTop, FColorRightBottom);
    update();
}

void TZVQCustomButton::SetGlyph(const QImage& value)
{
    FGlyph = value;
    FNumGlyphs = GlyphCountForSize(value.size(), FNumGlyphs);
    FKind = skCustom;
    update();
}

void TZVQCustomButton::SetGlyphHot(const QImage& value)
{
    FGlyphHot = value;
    FNumGlyphsHot = GlyphCountForSize(value.size(), FNumGlyphsHot);
    FKind = skCustom;
    update();
}

void TZVQCustomButton::SetNumGlyphs(Integer value)
{
    FNumGlyphs = std::clamp(value, 1, 4);
    update();
}

void TZVQCustomButton::SetNumGlyphsHot(Integer value)
{
    FNumGlyphsHot = std::clamp(value, 1, 4);
    update();
}

void TZVQCustomButton::SetLayout(TLayout value)
{
    FLayout = value;
    update();
}

void TZVQCustomButton::SetSpacing(Integer value)
{
    FSpacing = std::clamp(value, 1, 5);
    update();
}

void TZVQCustomButton::SetSpacingLayout(Integer value)
{
    FSpacingLayout = std::clamp(value, -5, 5);
    update();
}

void TZVQCustomButton::SetPopupMenu(QMenu* value)
{
    FPopupMenu = value;   // a QPointer: forgotten when the menu is freed
    update();
}

void TZVQCustomButton::SetPopupMenuMark(bool value)
{
    FPopupMenuMark = value;
    update();
}

void TZVQCustomButton::SetPopupMenuMarkGap(Integer value)
{
    FPopupMenuMarkGap = std::clamp(value, 1, 5);
    update();
}

void TZVQCustomButton::SetShowFocused(bool value)
{
    FShowFocused = value;
    update();
}

void TZVQCustomButton::SetDefault(bool value)
{
    FDefault = value;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == window() && !qobject_cast<TZVQCustomButton*>(focus))
        SetDefaultStyle(value);
}

void TZVQCustomButton::SetColor(TColor value)
{
    FColor = HasFaceBackground() ? clBtnFace : value;
    update();
}

void TZVQCustomButton::SetCaption(const AnsiString& value)
{
    FCaption = value;
    FAccelerator->setKey(QKeySequence::mnemonic(AnsiToQString(value)));
    update();
}

void TZVQCustomButton::SetHint(const AnsiString& value)
{
    FHint = value;
    UpdateToolTip();
}

void TZVQCustomButton::SetHintSecondLine(const AnsiString& value)
{
    FHintSecondLine = value;
    UpdateToolTip();
}

void TZVQCustomButton::UpdateToolTip()
{
    AnsiString tip = FHint;
    if (!FHint.empty() && !FHintSecondLine.empty())
        tip += "\r" + FHintSecondLine;
    setToolTip(AnsiToQString(tip));
}

void TZVQCustomButton::SetDefaultStyle(bool active)
{
    if (FActive != active) {
        FActive = active;
        update();
    }
}

void TZVQCustomButton::Click()
{
    if (OnClick)
        OnClick(this);
    const TKindInfo info = KindInfo(FKind);
    if (info.ModalResult != 0) {
        if (auto* form = qobject_cast<QDialog*>(window()))
            form->done(info.ModalResult);
    } else if (FKind == skClose) {
        window()->close();
    } else if (FKind == skHelp) {
        for (QWidget* w = this; w; w = w->parentWidget())
            if (const int context = w->property("HelpContext").toInt(); context != 0) {
                ShowHelpTopic(context);
                break;
            }
    }
    if (FPopupMenu && isEnabled())
        ShowPopup();
}

void TZVQCustomButton::ShowPopup()
{
    QPoint at;
    switch (PositionPopup) {
    case puDown: at = mapToGlobal(QPoint(-1, height())); break;
    case puLeft: at = mapToGlobal(QPoint(-1, 0)) - QPoint(FPopupMenu->sizeHint().width(), 0); break;
    case puRight: at = mapToGlobal(QPoint(width() + 1, 0)); break;
    }
    FPopupMenu->exec(at);
    FPressed = false;
    StopRepeat();
    update();
}

void TZVQCustomButton::StopRepeat()
{
    FRepeatStartTimer->stop();
    FRepeatTimer->stop();
}

void TZVQCustomButton::RepeatStartTimerTick()
{
    FRepeatStartTimer->stop();
    FRepeatTimer->start(RepeatInterval);
}

void TZVQCustomButton::RepeatTimerTick()
{
    if (RepeatAction && OnClick)
        OnClick(this);
}

void TZVQCustomButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MouseEnter();
}

void TZVQCustomButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeave();
}

// While a button is held the mouse stays captured: crossing the edge counts
// as leaving and entering all the same.
void TZVQCustomButton::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && !FMouseInside)
        MouseEnter();
    else if (!inside && FMouseInside)
        MouseLeave();
}

void TZVQCustomButton::MouseEnter()
{
    FMouseInside = true;
    if (!isEnabled())
        return;
    if (OnMouseOver)
        OnMouseOver(this);
    FHot = true;
    FPressed = false;
    FMouseOutside = false;
    if (FPopupMenu && HasFocusRect())
        setFocus();
    if (CursorHandCustom)
        setCursor(Qt::PointingHandCursor);
    if (FStyle == stFlat && FColorMarginStyle == cmDefault)
        DefaultEdgeColors(FColorLeftTop, FColorRightBottom);
    update();
}

void TZVQCustomButton::MouseLeave()
{
    FMouseInside = false;
    if (!isEnabled())
        return;
    if (OnMouseOut)
        OnMouseOut(this);
    FHot = false;
    FPressed = false;
    unsetCursor();
    StopRepeat();
    FMouseOutside = true;
    update();
}

void TZVQCustomButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return QWidget::mousePressEvent(event);
    if (RepeatAction)
        FRepeatStartTimer->start(RepeatStartInterval);
    FPressed = true;
    FMouseOutside = false;
    update();
    if (FPopupMenu)
        ShowPopup();
    event->accept();   // a button keeps its clicks from the controls below it
}

void TZVQCustomButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled() || FMouseOutside) {
        FPressed = false;
        event->accept();
        return;
    }
    StopRepeat();
    const bool wasPressed = FPressed;
    FPressed = false;
    FHot = true;
    update();
    if (HasFocusRect())
        setFocus();
    event->accept();
    if (wasPressed)
        Click();
}

void TZVQCustomButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click counts as a click of its own.
    mousePressEvent(event);
}

bool TZVQCustomButton::DialogKey(QKeyEvent* event)
{
    if (!isEnabled() || !isVisible())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (mods == Qt::NoModifier && ((enter && FActive) || (key == Qt::Key_Space && FActive && hasFocus())
                                   || (key == Qt::Key_Escape && Cancel))) {
        Click();
        return true;
    }
    // With Alt the accelerator is a shortcut (SetCaption); a plain letter
    // counts when no control took it.
    const QChar accel = Accelerator(AnsiToQString(FCaption));
    if (!accel.isNull() && mods == Qt::NoModifier && event->text().size() == 1 && event->text()[0].toUpper() == accel) {
        Click();
        return true;
    }
    return false;
}

void TZVQCustomButton::keyPressEvent(QKeyEvent* event)
{
    if (DialogKey(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

// Keys that reach the form without a control taking them are the form's
// dialog keys: Enter for the default button, Esc for the cancel button and
// the accelerators of the captions.
bool TZVQCustomButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FFilteredWindow && event->type() == QEvent::KeyPress
        && DialogKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TZVQCustomButton::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FFilteredWindow != window()) {
        if (FFilteredWindow)
            FFilteredWindow->removeEventFilter(this);
        FFilteredWindow = window();
        if (FFilteredWindow != this)
            FFilteredWindow->installEventFilter(this);
    }
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != window())
        SetDefaultStyle(FDefault);
}

void TZVQCustomButton::FocusChanged(QWidget* now)
{
    if (!now || now->window() != window())
        return;
    if (qobject_cast<TZVQCustomButton*>(now))
        SetDefaultStyle(now == this);
    else
        SetDefaultStyle(FDefault);
}

void TZVQCustomButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TZVQCustomButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (FShowFocused)
        update();
}

void TZVQCustomButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
}

void TZVQCustomButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    TRect r = Rect(0, 0, width(), height());
    FillRect(p, r, HasFaceBackground() ? clBtnFace : FColor);

    TColor leftTop = FColorLeftTop, rightBottom = FColorRightBottom;
    if (FPressed)
        std::swap(leftTop, rightBottom);
    const bool dotted = FStyle == stFlatDot || FStyle == stRaisedDot;
    Frame3D(p, r, leftTop, rightBottom, FrameWidth(FHot || FPressed), dotted);
    if (FStyle == stFrameRaised)
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    if (HasFaceBackground()) {
        TRect inner = r;
        DrawEdge(p, inner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        FillRect(p, inner, clBtnFace);
    }

    // The glyph image of the state: the hot glyph while hot, the second image
    // of a two-image glyph while disabled.
    const bool useHot = FHot && !FGlyphHot.isNull();
    const QImage& strip = useHot ? FGlyphHot : FGlyph;
    const int count = useHot ? FNumGlyphsHot : FNumGlyphs;
    QImage image;
    if (!strip.isNull()) {
        const int w = strip.width() / std::max(count, 1);
        const int index = !isEnabled() && count == 2 ? 1 : 0;
        image = Masked(strip.copy(index * w, 0, w, strip.height()));
    }
    const QString caption = AnsiToQString(FCaption);
    TRect textRect = CalcTextRect(font(), caption, Rect(0, 0, 0, 0), DT_SINGLELINE | DT_EXPANDTABS);
    TZVQPlacementInput in;
    in.Content = QRect(r.Left, r.Top, r.Width(), r.Height());
    in.GlyphSize = image.size();
    in.TextSize = caption.isEmpty() ? QSize() : QSize(textRect.Width(), textRect.Height());
    in.MarkSize = MarkPicture().size();
    in.Layout = FLayout;
    in.Spacing = FSpacing;
    in.SpacingLayout = FSpacingLayout;
    in.Press = FPressed ? 1 : 0;
    in.PopupMenuMark = FPopupMenuMark;
    in.PopupMenuMarkGap = FPopupMenuMarkGap;
    const TZVQPlacement place = PlaceGlyphAndCaption(in);

    if (!image.isNull()) {
        if (!isEnabled() && count != 2)
            DrawEmbossed(p, place.Glyph.topLeft(), image);
        else
            p.drawImage(place.Glyph.topLeft(), image);
    }
    if (!place.Mark.isEmpty()) {
        const QImage mark = Masked(MarkPicture());
        if (isEnabled())
            p.drawImage(place.Mark.topLeft(), mark);
        else
            DrawEmbossed(p, place.Mark.topLeft(), mark);
    }
    if (HasFocusRect() && FShowFocused && hasFocus())
        DrawFocusRect(p, Rect(3, 3, width() - 3, height() - 3));
    if (!caption.isEmpty()) {
        p.setFont(font());
        const QRect& c = place.Caption;
        auto drawCaption = [&](int dx, int dy, TColor color) {
            TRect tr = Rect(c.left() + dx, c.top() + dy, c.right() + 1 + dx, c.bottom() + 1 + dy);
            p.setPen(ColorToQColor(color));
            DrawText(p, caption, tr, DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
        };
        if (!isEnabled()) {
            drawCaption(1, 1, clBtnHighlight);
            drawCaption(0, 0, clBtnShadow);
        } else {
            drawCaption(0, 0, FHot && HotTrack ? HotTrackColor : clBtnText);
        }
    }
}
