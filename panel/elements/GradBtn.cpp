#include "panel/elements/GradBtn.h"

#include "platform/Colors.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <cmath>
#include <cstring>
#include <utility>

TGradBtn::TGradBtn(QWidget* owner)
    : QWidget(owner),
      disabledColor_(clGrayText),
      btnHilite_(clBtnHighlight),
      btnShadow_(clBtnShadow),
      txtHilite_(clBtnHighlight),
      txtShadow_(clBtnShadow) {
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);   // reached by Tab
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

TGradBtn::~TGradBtn() = default;

TColor TGradBtn::ColorStep(TColor begin, TColor end, Integer i, Integer n) {
    if (n == 0) return begin & 0xFFFFFF;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::int64_t b = (begin >> shift) & 0xFF;
        const std::int64_t e = (end >> shift) & 0xFF;
        const std::int64_t c = b + (std::int64_t(i) * (e - b)) / n;
        result |= TColor(c & 0xFF) << shift;
    }
    return result;
}

QString TGradBtn::StripAccelerator(const QString& caption) {
    QString out;
    const int n = caption.size();
    for (int k = 0; k < n; ++k) {
        if (k < n - 1 && caption[k] == QLatin1Char('&') && caption[k + 1] != QLatin1Char('&')) continue;
        out += caption[k];
    }
    return out;
}

void TGradBtn::Changed() { update(); }

#define ZK_GRAD_SETTER(Name, member)            \
    void TGradBtn::Name(decltype(member) value) { \
        if (member == value) return;            \
        member = value;                         \
        Changed();                              \
    }
ZK_GRAD_SETTER(SetDisabledColor, disabledColor_)
ZK_GRAD_SETTER(SetBtnHiliteClr, btnHilite_)
ZK_GRAD_SETTER(SetBtnShadowClr, btnShadow_)
ZK_GRAD_SETTER(SetTxtHiliteClr, txtHilite_)
ZK_GRAD_SETTER(SetTxtShadowClr, txtShadow_)
ZK_GRAD_SETTER(SetBeginColor, beginColor_)
ZK_GRAD_SETTER(SetEndColor, endColor_)
ZK_GRAD_SETTER(SetGradientStyle, gradientStyle_)
ZK_GRAD_SETTER(SetTextStyle, textStyle_)
ZK_GRAD_SETTER(SetTextShadeType, shadeType_)
ZK_GRAD_SETTER(SetJustification, justification_)
ZK_GRAD_SETTER(SetFontColor, fontColor_)
#undef ZK_GRAD_SETTER

void TGradBtn::SetBtnFrameSize(Integer size) {
    if (size == frameSize_) return;
    if (size > width() / 2 - 5 || size > height() / 2 - 5) return;
    frameSize_ = size;
    Changed();
}

void TGradBtn::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    UpdateShortcut();
    Changed();
}

void TGradBtn::UpdateShortcut() {
    if (shortcutId_ != 0) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic);
}

void TGradBtn::ExchangeColors() { std::swap(beginColor_, endColor_); }

void TGradBtn::FillGradient(QImage& work) const {
    const int W = work.width(), H = work.height();
    QPainter p(&work);
    p.setPen(Qt::NoPen);
    auto brush = [&](Integer i, Integer n) { return ColorToQColor(ColorStep(beginColor_, endColor_, i, n)); };
    switch (gradientStyle_) {
    case gsHorizontal:
        for (int i = 0; i <= 255; ++i) {
            const int x0 = i * W / 256, x1 = (i + 1) * W / 256;
            if (x1 > x0) p.fillRect(QRect(x0, 0, x1 - x0, H), brush(i, 255));
        }
        break;
    case gsVertical:
        for (int i = 0; i <= 255; ++i) {
            const int y0 = i * H / 256, y1 = (i + 1) * H / 256;
            if (y1 > y0) p.fillRect(QRect(0, y0, W, y1 - y0), brush(i, 255));
        }
        break;
    case gsElliptic: {
        p.setRenderHint(QPainter::Antialiasing, false);
        const int x0 = -(W / 3), x1 = W + W / 3, y0 = -(H / 3), y1 = H + H / 3;
        for (int i = 0; i <= 50; ++i) {
            const int sx = (x1 - x0) * i / 100, sy = (y1 - y0) * i / 100;
            const QRect r(QPoint(x0 + sx, y0 + sy), QPoint(x1 - sx - 1, y1 - sy - 1));
            if (r.width() <= 0 || r.height() <= 0) continue;
            p.setBrush(brush(i, 50));
            p.drawEllipse(r);
        }
        break;
    }
    case gsRectangle: {
        double l = 0, t = 0, r = W + 2, b = H + 2;
        const double dx = (W / 2.0) / 255.0, dy = (H / 2.0) / 255.0;
        for (int i = 0; i <= 255; ++i) {
            l += dx; r -= dx; t += dy; b -= dy;
            // Drawn without a pen: the right and bottom edges stay outside.
            const int il = int(l), it = int(t), ir = int(r) - 1, ib = int(b) - 1;
            if (ir > il && ib > it) p.fillRect(QRect(il, it, ir - il, ib - it), brush(i, 255));
        }
        break;
    }
    case gsVertCenter: {
        const int h = H / 2;
        for (int i = 0; i <= h; ++i) {
            const QColor c = brush(i, h);
            p.fillRect(QRect(0, i, W, 1), c);
            p.fillRect(QRect(0, H - 1 - i, W, 1), c);
        }
        break;
    }
    case gsHorizCenter: {
        const int w = W / 2;
        for (int i = 0; i <= w; ++i) {
            const QColor c = brush(i, w);
            p.fillRect(QRect(i, 0, 1, H), c);
            p.fillRect(QRect(W - 1 - i, 0, 1, H), c);
        }
        break;
    }
    }
}

void TGradBtn::DrawCaption(QPainter& p, Integer a) const {
    const int W = width(), H = height();
    const QFontMetrics fm(font());
    const QString stripped = StripAccelerator(caption_);
    const int th = fm.height();
    const int tw = fm.horizontalAdvance(stripped);
    const int y = a + (H - th) / 2;
    int x = a + (W - tw) / 2;
    if (justification_ == jLeft) x = a + 2;
    else if (justification_ == jRight) x = a + W - tw - 2;
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;
    auto pass = [&](TColor colour, int px, int py) {
        p.setPen(ColorToQColor(colour));
        p.drawText(QRect(px, py, tw + 2, th), flags, caption_);
    };
    const bool enabled = isEnabled();
    const TTextStyle style = enabled ? textStyle_ : tsInset;
    switch (style) {
    case tsNormal: break;
    case tsRaised:
        pass(txtHilite_, x - 1, y - 1);
        if (shadeType_ == stHeavy) pass(txtShadow_, x + 1, y + 1);
        break;
    case tsInset:
        if (shadeType_ == stHeavy) pass(txtShadow_, x - 1, y - 1);
        pass(txtHilite_, x + 1, y + 1);
        break;
    }
    pass(enabled ? fontColor_ : disabledColor_, x, y);
}

QImage TGradBtn::RenderFace() const {
    const int W = width(), H = height();
    QImage work(W, H, QImage::Format_RGB32);
    work.fill(Qt::black);
    FillGradient(work);
    QPainter p(&work);
    p.setFont(font());
    // The bevel: one ring per step from the edge inwards; the lit and shaded
    // edges swap while the button is pressed.
    const QColor topLeft = ColorToQColor(frameSunken_ ? btnShadow_ : btnHilite_);
    const QColor bottomRight = ColorToQColor(frameSunken_ ? btnHilite_ : btnShadow_);
    for (int k = 0; k < frameSize_; ++k) {
        const int l = k, t = k, r = W - 1 - k, b = H - 1 - k;
        if (r < l || b < t) break;
        p.fillRect(QRect(l, t, 1, b - t), topLeft);        // left column, rows t..b-1
        p.fillRect(QRect(l, t, r - l, 1), topLeft);        // top row, columns l..r-1
        p.fillRect(QRect(r, t, 1, b - t + 1), bottomRight);
        p.fillRect(QRect(l, b, r - l + 1, 1), bottomRight);
    }
    DrawCaption(p, frameSunken_ ? 0 : -1);
    if (showFocus_ && hasFocus()) {
        QPen dotted(ColorToQColor(fontColor_));
        dotted.setStyle(Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(QPoint(2, 2), QPoint(W - 3, H - 3)));
    }
    return work;
}

void TGradBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, RenderFace());
    // The element focus mark while the element holding this button has the focus.
    if (parentWidget() && parentWidget()->hasFocus()) {
        p.setPen(QColor(255, 0, 0));
        p.setBrush(QColor(255, 0, 0));
        const QPoint mark[3] = {QPoint(3, 0), QPoint(5, 5), QPoint(0, 3)};
        p.drawPolygon(mark, 3);
    }
}

void TGradBtn::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(event);
    if (BisteKnopf) return;
    if (frameSunken_ && event->button() == Qt::LeftButton) {
        frameSunken_ = false;
        if (swapColors_) ExchangeColors();
        update();
    }
}

void TGradBtn::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(event);
    if (BisteKnopf) return;
    const bool wasPressed = !frameSunken_;
    if (wasPressed) {
        if (swapColors_) ExchangeColors();
        frameSunken_ = true;
        update();
    }
    // A click is a left release over the button that follows a press of it.
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
}

void TGradBtn::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDblClick) OnDblClick(event);
    // A double click is a second press too.
    mousePressEvent(event);
}

void TGradBtn::Click() {
    if (BisteKnopf) return;
    if (!frameSunken_) {
        if (swapColors_) ExchangeColors();
        frameSunken_ = true;
        update();
    }
    repaint();
    if (OnClick) OnClick();
}

void TGradBtn::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TGradBtn::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == shortcutId_ && isEnabled()) {
            Click();
            return true;
        }
    }
    return QWidget::event(event);
}

void TGradBtn::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (OnMouseEnter) OnMouseEnter();
}

void TGradBtn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (OnMouseLeave) OnMouseLeave();
}

void TGradBtn::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TGradBtn::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TGradBtn::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
}

void TGradBtn::SetDown(bool value) {
    if (value != down_) ExchangeColors();
    down_ = value;
    if (value) {
        if (swapColors_) ExchangeColors();
        update();
    } else if (!frameSunken_) {
        if (swapColors_) ExchangeColors();
        frameSunken_ = true;
        update();
    }
    frameSunken_ = value;
}

// ---- Picture turns

void RotateBitmap90Left(QImage& picture) {
    if (picture.isNull()) return;
    const int W = picture.width(), H = picture.height();
    QImage turned(H, W, picture.format());
    turned.setColorTable(picture.colorTable());
    turned.setDotsPerMeterX(picture.dotsPerMeterY());
    turned.setDotsPerMeterY(picture.dotsPerMeterX());
    const int depth = picture.depth();
    if (depth < 8) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) turned.setPixel(y, W - 1 - x, uint(picture.pixelIndex(x, y)));
    } else {
        const int bytes = depth / 8;
        for (int y = 0; y < H; ++y) {
            const uchar* src = picture.constScanLine(y);
            for (int x = 0; x < W; ++x) std::memcpy(turned.scanLine(W - 1 - x) + y * bytes, src + x * bytes, bytes);
        }
    }
    picture = std::move(turned);
}

void RotateBitmap180(QImage& picture) {
    if (picture.isNull()) return;
    QImage turned = picture.convertToFormat(QImage::Format_ARGB32);
    picture = turned.mirrored(true, true);
}

void RotateBitmap90Right(QImage& picture) {
    RotateBitmap90Left(picture);
    RotateBitmap180(picture);
}
