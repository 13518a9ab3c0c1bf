#include "ui/controls/UCLLEDLabel.h"

#include "platform/Colors.h"

#include <QEvent>
#include <QPainter>

#include <string>

TUCLLEDCustomLabel::TUCLLEDCustomLabel(QWidget* Parent) : TUCLGraphicControl(Parent)
{
    FLED.OnChange = [this](TPersistent*) { ContentChanged(); };
    SetTransparent(false);
    SetColor(clBlack);
}

TUCLLEDCustomLabel::~TUCLLEDCustomLabel()
{
    FLED.OnChange = nullptr;
}

void TUCLLEDCustomLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    ContentChanged();
}

void TUCLLEDCustomLabel::SetDigits(Byte Value)
{
    if (Value == 0 || FDigits == Value)
        return;
    FDigits = Value;
    ContentChanged();
}

void TUCLLEDCustomLabel::SetStyle(TUCLLEDStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    ContentChanged();
}

void TUCLLEDCustomLabel::SetCaption(const AnsiString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    ContentChanged();
}

// Only the integer style shows the value: it repaints at once.
void TUCLLEDCustomLabel::SetValue(Integer Value)
{
    if (FValue == Value)
        return;
    FValue = Value;
    if (FStyle == TUCLLEDStyle::lsInteger)
        ContentChanged();
}

AnsiString TUCLLEDCustomLabel::GetDisplayText() const
{
    return FStyle == TUCLLEDStyle::lsInteger ? FormatValue(FValue) : FCaption;
}

AnsiString TUCLLEDCustomLabel::FormatValue(Integer Number) const
{
    AnsiString text = std::to_string(Number);
    if (text.size() > FDigits)
        return AnsiString(FDigits, '-');
    return AnsiString(FDigits - text.size(), '0') + text;
}

void TUCLLEDCustomLabel::AdjustSize()
{
    const TRect r = FLED.MeasureText(GetDisplayText(), GetBevelWidth());
    resize(r.Width(), r.Height());
}

void TUCLLEDCustomLabel::ContentChanged()
{
    if (FAutoSize && !FLoading)
        AdjustSize();
    TUCLGraphicControl::ContentChanged();
}

void TUCLLEDCustomLabel::Loaded()
{
    FLoading = false;
    if (FAutoSize)
        AdjustSize();
    update();
}

void TUCLLEDCustomLabel::Paint(QPainter& Painter)
{
    if (FLoading)
        return;
    const AnsiString text = GetDisplayText();
    const TRect inner = Bevel().PaintBevel(Painter, TRect{0, 0, width(), height()}, Transparent());
    if (inner.IsEmpty())
        return;
    QImage bitmap(inner.Width(), inner.Height(), QImage::Format_RGB32);
    const QColor color = ColorToQColor(Color());
    bitmap.fill(color);
    if (FLED.BackgroundColor() != Color()) {
        FLED.BeginUpdate();
        FLED.SetColor(2, Color());
        FLED.EndUpdate(false);
    }
    {
        QPainter p(&bitmap);
        FLED.DrawText(&p, Rect(0, 0, inner.Width(), inner.Height()), true, isEnabled(), text);
    }
    if (Transparent()) {
        QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = color.rgb();
        for (int y = 0; y < masked.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
            for (int x = 0; x < masked.width(); ++x)
                if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    line[x] = 0;
        }
        Painter.drawImage(inner.Left, inner.Top, masked);
    } else {
        Painter.drawImage(inner.Left, inner.Top, bitmap);
    }
}

void TUCLLEDCustomLabel::changeEvent(QEvent* Event)
{
    TUCLGraphicControl::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        update();
}
