#include "ui/controls/UCLCaption.h"

#include "platform/Colors.h"
#include "platform/AnsiText.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLGlyph.h"
#include "ui/controls/UCLGraph.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using T = TUCLThreeDStyle;

template <typename V>
bool Store(V& field, V value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

bool IsShadowStyle(T style)
{
    return style == T::tdSunkenShadow || style == T::tdRaisedShadow || style == T::tdPColorSunken ||
           style == T::tdPColorRaised;
}

Integer EffectDepth(const TUCL3DCaption& c)
{
    const Integer l = c.LightDepth(), s = c.ShadowDepth();
    switch (c.Style()) {
    case T::tdNone: return 0;
    case T::tdSunken:
    case T::tdRaised: return l;
    case T::tdShadow:
    case T::tdOutline:
    case T::tdExtrude:
    case T::tdExtrudeEnh: return s;
    default: return l + s;   // the four shadow styles
    }
}

// Half the effect depth minus 1, not below 0: how far the rotated text's
// origin is pulled back so the effect stays inside the box.
Integer RotationInset(const TUCL3DCaption& c)
{
    const Integer l = c.LightDepth(), s = c.ShadowDepth();
    Integer half = 0;
    switch (c.Style()) {
    case T::tdSunken:
    case T::tdRaised: half = l / 2; break;
    case T::tdShadow:
    case T::tdExtrude:
    case T::tdExtrudeEnh: half = s / 2; break;
    default:
        if (!IsShadowStyle(c.Style()))
            return 0;
        half = (l + s) / 2;
        break;
    }
    return std::max(half - 1, 0);
}

Integer RoundHalfEven(double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

QFont WithTracing(QFont font, Integer tracing)
{
    if (tracing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, tracing);
    return font;
}

}   // namespace

TUCL3DCaption::TUCL3DCaption() : FColors{clBtnHighlight, clBtnShadow}
{
}

void TUCL3DCaption::SetDisabledStyle(TUCLDisabledStyle Value)
{
    if (Store(FDisabledStyle, Value))
        Changed();
}

void TUCL3DCaption::SetDepth(int Index, Byte Value)
{
    if (Index >= 0 && Index < 2 && Store(FDepths[Index], Value))
        Changed();
}

void TUCL3DCaption::SetColor(int Index, TColor Value)
{
    if (Index >= 0 && Index < 2 && Store(FColors[Index], Value))
        Changed();
}

void TUCL3DCaption::SetOrientation(TUCLThreeDOrientation Value)
{
    if (Store(FOrientation, Value))
        Changed();
}

void TUCL3DCaption::SetStyle(TUCLThreeDStyle Value)
{
    if (Store(FStyle, Value))
        Changed();
}

void TUCL3DCaption::SetTracing(Integer Value)
{
    if (Store(FTracing, Value))
        Changed();
}

void TUCL3DCaption::Assign(const TUCLObject& Source)
{
    const auto* c = dynamic_cast<const TUCL3DCaption*>(&Source);
    if (!c || c == this) {
        TUCLObject::Assign(Source);
        return;
    }
    FDisabledStyle = c->FDisabledStyle;
    std::copy(std::begin(c->FDepths), std::end(c->FDepths), FDepths);
    std::copy(std::begin(c->FColors), std::end(c->FColors), FColors);
    FOrientation = c->FOrientation;
    FStyle = c->FStyle;
    FTracing = c->FTracing;
    Changed();
}

AnsiString TUCL3DCaption::SummaryText() const
{
    static const char* const words[] = {"Disabled", "sunken", "raised", "sunken shadow", "raised shadow", "PColor sunken",
                                        "", "shadow", "outline", "extrude", "extrude enh"};
    return AnsiString("{") + words[static_cast<int>(FStyle)] + "}";
}

void TUCLFxCaption::SetAngle(Integer Value)
{
    Value = std::clamp<Integer>(Value, 0, 360);
    if (Value == 360)
        Value = 0;
    if (Store(FAngle, Value))
        Changed();
}

void TUCLFxCaption::SetPos(int Index, Word Value)
{
    if (Index >= 0 && Index < 2 && Store(FPos[Index], Value))
        Changed();
}

void TUCLFxCaption::SetPosition(Word X, Word Y)
{
    BeginUpdate();
    SetPos(0, X);
    SetPos(1, Y);
    EndUpdate(false);
}

void TUCLFxCaption::Assign(const TUCLObject& Source)
{
    if (const auto* fx = dynamic_cast<const TUCLFxCaption*>(&Source); fx && fx != this) {
        BeginUpdate();
        TUCL3DCaption::Assign(Source);
        FAngle = fx->FAngle;
        FPos[0] = fx->FPos[0];
        FPos[1] = fx->FPos[1];
        EndUpdate(true);
        return;
    }
    TUCL3DCaption::Assign(Source);
}

AnsiString TUCLFxCaption::SummaryText() const
{
    AnsiString text = TUCL3DCaption::SummaryText();
    if (FAngle == 0)
        return text;
    text = Style() == T::tdNone ? AnsiString("{") : text.substr(0, text.size() - 1) + ",";
    return text + " rot: " + std::to_string(FAngle) + "\xB0}";
}

TColor BlendColor(TColor C1, TColor C2, Integer Step, Integer Steps)
{
    const TColor a = ColorToRGB(C1), b = ColorToRGB(C2);
    if (Steps == 0)
        return a;
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c1 = (a >> shift) & 0xFF, c2 = (b >> shift) & 0xFF;
        const auto channel = static_cast<int>(std::trunc(double(Step) * (c2 - c1) / Steps + c1));
        result |= std::clamp(channel, 0, 255) << shift;
    }
    return result;
}

void AddEffectExtent(TRect& R, const TUCL3DCaption& Caption)
{
    const Integer extent = EffectDepth(Caption);
    R.Right += extent;
    R.Bottom += extent;
}

void RotatedBounds(TRect& R, Integer Angle)
{
    if (Angle == 0)
        return;
    const Integer hw = R.Width() / 2, hh = R.Height() / 2;
    const Integer cx = R.Left + hw, cy = R.Top + hh;
    const double a = Angle * std::numbers::pi / 180;
    const double c = std::cos(a), s = std::sin(a);
    const Integer p = RoundHalfEven(c * hw - s * hh), q = RoundHalfEven(c * hw + s * hh);
    const Integer u = RoundHalfEven(s * hw - c * hh), v = RoundHalfEven(s * hw + c * hh);
    const Integer xs[] = {cx - p, cx - q, cx + q, cx + p};
    const Integer ys[] = {cy + u, cy + v, cy - v, cy - u};
    const auto [left, right] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [top, bottom] = std::minmax_element(std::begin(ys), std::end(ys));
    R = Rect(0, 0, *right - *left, *bottom - *top);
}

void PaintCaption3D(QPainter& Painter, const QString& Text, const TUCL3DCaption* Caption, const TRect& R,
                    Cardinal Format, Cardinal Flags, const TRect* ClipRect)
{
    if (Text.isEmpty() || R.IsEmpty())
        return;
    Painter.save();
    if (Flags & pcClip) {
        const TRect clip = ClipRect ? *ClipRect : R;
        Painter.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()), Qt::IntersectClip);
    }
    if (!Caption) {
        TRect r = R;
        DrawText(Painter, Text, r, Format);
        Painter.restore();
        return;
    }

    const auto* fx = dynamic_cast<const TUCLFxCaption*>(Caption);
    const bool rotated = fx && fx->Angle() != 0;
    T style = Caption->Style();
    QColor textColor;
    if ((Flags & pcEnabled) || Caption->DisabledStyle() == TUCLDisabledStyle::dsNone) {
        textColor = style == T::tdPColorSunken || style == T::tdPColorRaised ? Painter.brush().color()
                                                                               : Painter.pen().color();
    } else {
        textColor = ColorToQColor(clGrayText);
        if (Caption->DisabledStyle() == TUCLDisabledStyle::ds3d ||
            (Caption->DisabledStyle() == TUCLDisabledStyle::dsAuto && (Flags & pcSunkenWhenDisabled)))
            style = T::tdSunken;
    }
    const QColor light = ColorToQColor(Caption->LightColor());
    const QColor shadow = ColorToQColor(Caption->ShadowColor());
    Painter.setFont(WithTracing(Painter.font(), Caption->Tracing()));

    TRect w = fx ? Rect(fx->PosX() + R.Left, fx->PosY() + R.Top, R.Right, R.Bottom) : R;
    const Integer l = Caption->LightDepth(), s = Caption->ShadowDepth();

    QPainterPath* path = nullptr;   // set while the layers go into the outline
    auto layer = [&](Integer dx, Integer dy, const QColor& color) {
        w.Left += dx;
        w.Right += dx;
        w.Top += dy;
        w.Bottom += dy;
        Painter.setPen(color);
        const QFontMetrics metrics(Painter.font());
        if (rotated) {
            QTransform turn;
            turn.translate(w.Left, w.Top);
            turn.rotate(-fx->Angle());
            if (path) {
                QPainterPath text;
                text.addText(0, metrics.ascent(), Painter.font(), Text);
                path->addPath(turn.map(text));
            } else {
                Painter.save();
                Painter.setTransform(turn, true);
                Painter.drawText(0, metrics.ascent(), Text);
                Painter.restore();
            }
        } else if (path) {
            const QRect at = metrics.boundingRect(QRect(w.Left, w.Top, w.Width(), w.Height()),
                                                  Qt::TextSingleLine |
                                                      (Format & DT_CENTER ? Qt::AlignHCenter
                                                                          : Format & DT_RIGHT ? Qt::AlignRight : Qt::AlignLeft) |
                                                      (Format & DT_SINGLELINE && Format & DT_VCENTER   ? Qt::AlignVCenter
                                                       : Format & DT_SINGLELINE && Format & DT_BOTTOM ? Qt::AlignBottom
                                                                                                       : Qt::AlignTop),
                                                  Text);
            path->addText(at.left(), at.top() + metrics.ascent(), Painter.font(), Text);
        } else {
            TRect r = w;
            DrawText(Painter, Text, r, Format);
        }
    };

    switch (style) {
    case T::tdNone: layer(0, 0, textColor); break;
    case T::tdSunken:
        w.Right -= l;
        layer(l, l, light);
        layer(-l, -l, textColor);
        break;
    case T::tdRaised:
        w.Right -= l;
        layer(0, 0, light);
        layer(l, l, textColor);
        break;
    case T::tdSunkenShadow:
    case T::tdPColorSunken:
        w.Right -= l + s;
        layer(0, 0, shadow);
        layer(l + s, l + s, light);
        layer(-l, -l, textColor);
        break;
    case T::tdRaisedShadow:
    case T::tdPColorRaised:
        w.Right -= l + s;
        layer(l + s, l + s, shadow);
        layer(-(l + s), -(l + s), light);
        layer(l, l, textColor);
        break;
    case T::tdShadow:
        w.Right -= s;
        layer(s, s, shadow);
        layer(-s, -s, textColor);
        break;
    case T::tdOutline: {
        QPainterPath outline;
        path = &outline;
        layer(s / 2, s / 2, textColor);
        path = nullptr;
        Painter.strokePath(outline, QPen(textColor, s));
        break;
    }
    case T::tdExtrude:
    case T::tdExtrudeEnh: {
        using O = TUCLThreeDOrientation;
        Integer startX = 0, startY = 0, stepX = 1, stepY = 1;
        switch (Caption->Orientation()) {
        case O::toBottomLeft: startY = s + 1; stepY = -1; break;
        case O::toBottomRight: startX = startY = s + 1; stepX = stepY = -1; break;
        case O::toTopLeft: break;
        case O::toTopRight: startX = s + 1; stepX = -1; break;
        }
        w.Left += startX;
        w.Right += startX;
        w.Top += startY;
        w.Bottom += startY;
        for (Integer i = 0; i < s; ++i) {
            const QColor color = style == T::tdExtrude
                                     ? shadow
                                     : ColorToQColor(BlendColor(Caption->ShadowColor(), Caption->LightColor(), s - i - 1, s));
            layer(stepX, stepY, color);
        }
        layer(0, 0, textColor);
        break;
    }
    }
    Painter.restore();
}

void MeasureCaption3D(const QString& Text, TUCL3DCaption* Caption, TRect& R, const QFont& Font, bool MultiLine,
                      bool ShowPrefix, Integer Margin, Cardinal Format)
{
    const QFont font = WithTracing(Font, Caption ? Caption->Tracing() : 0);
    auto* fx = dynamic_cast<TUCLFxCaption*>(Caption);
    if (fx && fx->Angle() != 0) {
        const QFontMetrics metrics(font);
        const Integer width = metrics.horizontalAdvance(Text), height = metrics.height();
        R = Rect(0, 0, width, height);
        AddEffectExtent(R, *fx);
        RotatedBounds(R, fx->Angle());
        const Integer inset = RotationInset(*fx);
        const double a = fx->Angle() * std::numbers::pi / 180;
        const Integer cx = R.Width() / 2, cy = R.Height() / 2;
        const Integer x = RoundHalfEven(cx - (width / 2) * std::cos(a) - (height / 2) * std::sin(a)) - inset;
        const Integer y = RoundHalfEven((width / 2) * std::sin(a) + cy - (height / 2) * std::cos(a)) - inset;
        // A position left of or above the box would wrap around as a Word.
        fx->SetPos(0, static_cast<Word>(std::max(x, 0)));
        fx->SetPos(1, static_cast<Word>(std::max(y, 0)));
    } else {
        if (fx)
            fx->SetPosition(0, 0);
        Format |= DT_CALCRECT | DT_EXPANDTABS;
        if (MultiLine)
            Format |= DT_WORDBREAK;
        const QString text = Text.isEmpty() || (ShowPrefix && Text == "&") ? QStringLiteral(" ") : Text;
        if (!ShowPrefix)
            Format |= DT_NOPREFIX;
        R = CalcTextRect(font, text, R, Format);
        if (Caption)
            AddEffectExtent(R, *Caption);
    }
    R.Right += 2 * (Margin + 1);
    R.Bottom += 2 * (Margin + 1);
}

TUCLCaption::TUCLCaption() : FFont(QStringLiteral("Arial")), FFontColor(clWindowText)
{
    FFont.setPixelSize(11);
    FFontFX.OnChange = [this](TPersistent*) { FontChanged(false); };
}

TUCLCaption::~TUCLCaption()
{
    FFontFX.OnChange = nullptr;
}

void TUCLCaption::SetAlignment(TUCLAlignment Value)
{
    if (Store(FAlignment, Value))
        Changed();
}

void TUCLCaption::SetCaption(const AnsiString& Value)
{
    if (Store(FCaption, Value))
        Changed();
}

void TUCLCaption::SetMultiLine(bool Value)
{
    if (Store(FMultiLine, Value))
        Changed();
}

void TUCLCaption::SetFont(const QFont& Value)
{
    FFont = Value;
    FontChanged(true);
}

void TUCLCaption::SetFontColor(TColor Value)
{
    if (Store(FFontColor, Value))
        FontChanged(true);
}

void TUCLCaption::FontChanged(bool FromFont)
{
    if (FFontFX.Angle() != 0 && !IsTrueTypeFont(FFont)) {
        if (FromFont) {
            FFontFX.BeginUpdate();
            FFontFX.SetAngle(0);
            FFontFX.EndUpdate(false);
        } else {
            FFont.setFamily(QStringLiteral("Arial"));
        }
    }
    SubObjectChanged(this);
}

void TUCLCaption::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLCaption, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FFont = src->FFont;
    FFontColor = src->FFontColor;
    FFontFX.Assign(src->FFontFX);
    FAlignment = src->FAlignment;
    FCaption = src->FCaption;
    FMultiLine = src->FMultiLine;
    EndUpdate(true);
}

void TUCLCaption::Draw(QPainter& Canvas, const AnsiString& Text, Cardinal Offset, TColor Background, Cardinal Flags,
                       const TRect& R) const
{
    TRect clip = R;
    if ((Flags & pcClip) && Offset != 0) {
        const Integer dx = Integer(std::int16_t(Offset & 0xFFFF)), dy = Integer(std::int16_t(Offset >> 16));
        clip = Rect(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy);
    }
    static constexpr Cardinal formats[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    Cardinal format = formats[int(FAlignment)] | DT_WORDBREAK | DT_EXPANDTABS;
    if (!(Flags & pcShowPrefix))
        format |= DT_NOPREFIX;
    TRect r = R;
    const QString text = AnsiToQString(Text);
    auto* fx = const_cast<TUCLFxCaption*>(&FFontFX);
    if (FFontFX.Angle() > 0) {
        format |= DT_SINGLELINE;
        if (FAlignment != agTopLeft)
            r = PlaceCaption(FAlignment, text, fx, R, FFont, FMultiLine, Flags & pcShowPrefix, format);
    } else if (!FMultiLine) {
        format |= DT_SINGLELINE;
    } else if (FAlignment >= agCenterLeft) {
        r = PlaceCaption(FAlignment, text, fx, R, FFont, FMultiLine, Flags & pcShowPrefix, format);
    }
    Canvas.save();
    Canvas.setBrush(ColorToQColor(Background));
    Canvas.setFont(FFont);
    Canvas.setPen(ColorToQColor(FFontColor));
    PaintCaption3D(Canvas, text, &FFontFX, r, format, Flags & (pcEnabled | pcClip), (Flags & pcClip) ? &clip : nullptr);
    Canvas.restore();
}
