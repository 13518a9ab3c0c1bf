#include "ui/controls/UCLSimpleLabel.h"

#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLGlyph.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

TUCLLinkOpener& Opener()
{
    static TUCLLinkOpener opener;
    return opener;
}

bool IsBlank(const AnsiString& S)
{
    return S.find_first_not_of(" \t") == AnsiString::npos;
}

}   // namespace

void SetLinkOpener(TUCLLinkOpener Opener_)
{
    Opener() = std::move(Opener_);
}

bool OpenJumpTarget(const AnsiString& Target)
{
    if (Opener())
        return Opener()(Target);
    return QDesktopServices::openUrl(QUrl::fromUserInput(AnsiToQString(Target)));
}

TUCLBaseLabel::TUCLBaseLabel(QWidget* Parent) : TUCLBaseGraphicControl(Parent), TwinkleColor(clNone), FFontColor(clWindowText)
{
}

TUCLBaseLabel::~TUCLBaseLabel() = default;

void TUCLBaseLabel::SetCaption(const AnsiString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    ContentChanged();
}

void TUCLBaseLabel::SetAlignment(TUCLAlignment Value)
{
    FAlignment = Value;
    ContentChanged();
}

void TUCLBaseLabel::SetOptions(TUCLLabelOptions Value)
{
    FOptions = Value;
    ContentChanged();
}

void TUCLBaseLabel::SetFontColor(TColor Value)
{
    FFontColor = Value;
    update();
}

void TUCLBaseLabel::SetOption(int Index, bool Value)
{
    switch (Index) {
    case 0:
        FAutoSize = Value;
        AdjustBounds();
        break;
    case 1:
        FMultiLine = Value;
        ContentChanged();
        break;
    case 2:
        FShowAccelChar = Value;
        update();
        break;
    case 3:
        FTwinkle = Value;
        if (Value) {
            FTimer = std::make_unique<TUCLTimer>(Word(std::clamp(TwinkleVisible, 1, 65535)),
                                                 [this](TPersistent*) { TwinkleTick(); }, isEnabled(), UseGlobalTimer);
        } else {
            FTimer.reset();
            FPhaseVisible = true;
            update();
        }
        break;
    default: break;
    }
}

void TUCLBaseLabel::TwinkleTick()
{
    FPhaseVisible = !FPhaseVisible;
    if (FTimer)
        FTimer->SetInterval(Word(std::clamp(FPhaseVisible ? TwinkleVisible : TwinkleInVisible, 1, 65535)));
    if (isVisible())
        update();
}

bool TUCLBaseLabel::IsEmpty() const
{
    return Transparent() && GetLabelText().empty();
}

void TUCLBaseLabel::ContentChanged()
{
    AdjustBounds();
    TUCLBaseGraphicControl::ContentChanged();
}

Cardinal TUCLBaseLabel::TextFlags() const
{
    static constexpr Cardinal alignments[] = {0,          DT_CENTER,  DT_RIGHT,
                                              DT_VCENTER, DT_VCENTER | DT_CENTER, DT_VCENTER | DT_RIGHT,
                                              DT_BOTTOM,  DT_BOTTOM | DT_CENTER,  DT_BOTTOM | DT_RIGHT};
    Cardinal flags = DT_WORDBREAK | DT_EXPANDTABS | alignments[int(FAlignment)];
    if (!FMultiLine)
        flags |= DT_SINGLELINE;
    if (FOptions & loPathEllipsis)
        flags |= DT_PATH_ELLIPSIS;
    if (FOptions & loEndEllipsis)
        flags |= DT_END_ELLIPSIS;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

void TUCLBaseLabel::Paint(QPainter& Painter)
{
    if (FPainting || IsEmpty())
        return;
    FPainting = true;
    const QString text = AnsiToQString(GetLabelText());
    TRect r = Rect(0, 0, width(), height());
    if (!Transparent())
        FillSolid(Painter);
    const Cardinal flags = TextFlags();
    if (FMultiLine && FAlignment > agTopRight)
        r = PlaceCaption(FAlignment, text, const_cast<TUCL3DCaption*>(CaptionFont()), r, font(), true,
                         FShowAccelChar, flags);
    Painter.setFont(font());
    Painter.setBrush(ColorToQColor(Color()));
    if (FPhaseVisible) {
        Painter.setPen(ColorToQColor(FFontColor));
        PaintCaption3D(Painter, text, CaptionFont(), r, flags, isEnabled() ? pcEnabled : 0);
    } else if (TwinkleColor != clNone) {
        Painter.setPen(ColorToQColor(TwinkleColor));
        PaintCaption3D(Painter, text, CaptionFont(), r, flags, isEnabled() ? pcEnabled : 0);
    }
    FPainting = false;
}

// The caption's accelerator moves the focus to FocusControl.
bool TUCLBaseLabel::event(QEvent* Event)
{
    if (Event->type() == QEvent::Shortcut && FShowAccelChar && FocusControl && isEnabled() &&
        FocusControl->focusPolicy() != Qt::NoFocus) {
        FocusControl->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (Event->type() == QEvent::EnabledChange && FTimer)
        FTimer->SetEnabled(isEnabled());
    return TUCLBaseGraphicControl::event(Event);
}

TUCLCustomSimpleLabel::TUCLCustomSimpleLabel(QWidget* Parent) : TUCLBaseLabel(Parent)
{
    FFont3D.OnChange = [this](TPersistent*) { ContentChanged(); };
}

TUCLCustomSimpleLabel::~TUCLCustomSimpleLabel()
{
    FFont3D.OnChange = nullptr;
}

void TUCLCustomSimpleLabel::SetUnderline(bool On)
{
    QFont f = font();
    f.setUnderline(On);
    setFont(f);
}

void TUCLCustomSimpleLabel::ResetJumpLook()
{
    FClicks = 0;
    SetFontColor(InActiveColor);
    if (JumpUnderline)
        SetUnderline(true);
}

void TUCLCustomSimpleLabel::SetJumpMode(TUCLJumpModes Value)
{
    FJumpMode = Value;
    if (Value == TUCLJumpModes::jmNone) {
        unsetCursor();
        SetFontColor(clBlack);
        if (JumpUnderline)
            SetUnderline(false);
    } else {
        ResetJumpLook();
        setCursor(Qt::PointingHandCursor);
    }
}

void TUCLCustomSimpleLabel::AdjustBounds()
{
    const QWidget* parent = parentWidget();
    if (!AutoSize() || (parent && parent->layout() && parent->layout()->indexOf(const_cast<TUCLCustomSimpleLabel*>(this)) >= 0))
        return;
    TRect r = Rect(0, 0, std::max(width(), 1), std::max(height(), 1));
    MeasureCaption3D(AnsiToQString(GetLabelText()), &FFont3D, r, font(), MultiLine(), ShowAccelChar(), 0,
                     TextFlags());
    resize(r.Right, r.Bottom);
}

void TUCLCustomSimpleLabel::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && FJumpMode != TUCLJumpModes::jmNone) {
        ++FClicks;
        SetFontColor(ActiveColor);
    }
    TUCLBaseLabel::mousePressEvent(Event);
}

void TUCLCustomSimpleLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    TUCLBaseLabel::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        Click();
}

void TUCLCustomSimpleLabel::Click()
{
    switch (FJumpMode) {
    case TUCLJumpModes::jmInternet: {
        AnsiString target = IsBlank(Jump) ? Caption() : Jump;
        if (IsBlank(Jump) && Caption().find('@') != AnsiString::npos)
            target = "mailto:" + Caption();
        // A target nothing opens leaves the label switched off, silently.
        if (!OpenJumpTarget(target)) {
            SetJumpMode(TUCLJumpModes::jmNone);
            setEnabled(false);
        }
        break;
    }
    case TUCLJumpModes::jmApplication: OpenJumpTarget(IsBlank(Jump) ? Caption() : Jump); break;
    default:
        if (OnClick)
            OnClick(this);
        break;
    }
}
