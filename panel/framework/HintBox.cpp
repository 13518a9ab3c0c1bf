#include "panel/framework/HintBox.h"

#include "panel/framework/FP_Element.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <QPainter>
#include <algorithm>

namespace {

void SetHintFont(TCanvas& canvas)
{
    canvas.Font.Name = ArialFamily;
    canvas.Font.Height = 12;
    canvas.Font.Color = clBlack;
}

} // namespace

THintBox::THintBox(QWidget* parent) : QWidget(parent)
{
    setObjectName("HintBox");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
    hide();
}

std::vector<AnsiString> THintBox::Lines() const
{
    std::vector<AnsiString> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = Text.find('\r', start);
        lines.push_back(Text.substr(start, end - start));
        if (end == AnsiString::npos)
            return lines;
        start = end + 1;
    }
}

void THintBox::ShowText(const AnsiString& text)
{
    AnsiString shown = text;
    if (!shown.empty() && shown.back() == '\r')
        shown.pop_back();
    if (shown == Text)
        return;
    Text = shown;
    TCanvas measure;
    SetHintFont(measure);
    const std::vector<AnsiString> lines = Lines();
    Integer widest = 0;
    for (const AnsiString& line : lines)
        widest = std::max(widest, measure.TextWidth(line));
    const Integer lineHeight = measure.TextHeight(shown);
    resize(widest + 7, 5 + lineHeight * static_cast<Integer>(lines.size()));
    repaint();
}

void THintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(painter);
    const Integer w = width();
    const Integer h = height();
    // The box (0, 0)-(w - 1, h - 1) with its grey outline, in whole pixels so
    // that it stays sharp at any scale.
    const QColor grey = ColorToQColor(0x808080);
    painter.fillRect(QRect(0, 0, w - 1, h - 1), ColorToQColor(clInfoBk));
    PixelLine(painter, 0, 0, w - 1, 0, grey);
    PixelLine(painter, 0, h - 2, w - 1, h - 2, grey);
    PixelLine(painter, 0, 0, 0, h - 1, grey);
    PixelLine(painter, w - 2, 0, w - 2, h - 1, grey);
    // The shadow along the bottom and the right.
    const QColor black = ColorToQColor(clBlack);
    PixelLine(painter, 2, h - 1, w - 1, h - 1, black);
    PixelLine(painter, w - 1, h - 1, w - 1, 2, black);
    canvas.Brush.Style = TBrushStyle::bsClear;
    SetHintFont(canvas);
    // An empty line takes a text line's height too.
    const Integer lineHeight = canvas.TextHeight(Text);
    Integer y = 2;
    for (const AnsiString& line : Lines()) {
        canvas.TextOut(3, y, line);
        y += lineHeight;
    }
}
