#include "ui/controls/UCLSpinEdit.h"

#include <QFocusEvent>
#include <QWheelEvent>

#include <cmath>

namespace {

Integer TruncToInteger(double v)
{
    if (std::isnan(v))
        return 0;
    return Integer(std::trunc(std::clamp(v, double(std::numeric_limits<Integer>::min()),
                                         double(std::numeric_limits<Integer>::max()))));
}

} // namespace

TUCLCustomExtSpinEdit::TUCLCustomExtSpinEdit(QWidget* Parent)
    : TUCLCustomMaskEdit(Parent), FSpinButton(new TUCLSpinButton(this))
{
    FSpinButton->SetCtlXP(CtlXP());
    FSpinButton->SetColor(clBtnFace);
    FSpinButton->SetButtons(sbUp | sbDown);
    FSpinButton->OnUpClick = [this](TPersistent*) { SpinUp(); };
    FSpinButton->OnDownClick = [this](TPersistent*) { SpinDown(); };
    FSpinButton->setCursor(Qt::ArrowCursor);
    SetRangeBound(1, 0);
    SetRangeBound(2, 100);
    BeginUpdate();
    SetValue(0.0);
    EndUpdate(false);
    UpdateTextRects();
}

TUCLCustomExtSpinEdit::~TUCLCustomExtSpinEdit()
{
    FSpinButton->OnUpClick = nullptr;
    FSpinButton->OnDownClick = nullptr;
}

void TUCLCustomExtSpinEdit::SetSpinBtnWidth(Integer Index, Integer Value)
{
    if (Index != 0 || FSpinBtnWidth == Value)
        return;
    FSpinBtnWidth = Value;
    UpdateTextRects();
    GetChange(nullptr);
}

TColor TUCLCustomExtSpinEdit::SpinBtnColor(Integer Index) const
{
    return Index == 0 ? FSpinButton->Color() : FSpinButton->HotColor();
}

void TUCLCustomExtSpinEdit::SetSpinBtnColor(Integer Index, TColor Value)
{
    if (Index == 0)
        FSpinButton->SetColor(Value);
    else
        FSpinButton->SetHotColor(Value);
}

QString TUCLCustomExtSpinEdit::FormatValue(double Value) const
{
    return QString::number(TruncToInteger(Value)) + GetSuffix();
}

void TUCLCustomExtSpinEdit::SetFloatValue(double Value)
{
    if (Value > FMaxValue)
        Value = FMaxValue;
    if (Value < FMinValue)
        Value = FMinValue;
    FValue = Value;
    SetText(FormatValue(FValue));
}

void TUCLCustomExtSpinEdit::IncValue(double Delta)
{
    if (ReadOnly())
        return;
    const Integer start = SelStart();
    const Int64 n = GetAsInteger();
    const Int64 m = TruncToInteger(FMaxValue);
    const Int64 d = Int64(std::nearbyint(Delta));
    SetValue(double(n + d >= m ? m : n + d));
    if (start <= TextLength() + 1)
        SetIntegerOption(5, start);
}

void TUCLCustomExtSpinEdit::DecValue(double Delta)
{
    if (ReadOnly())
        return;
    const Integer start = SelStart();
    const Int64 n = GetAsInteger();
    const Int64 m = TruncToInteger(FMinValue);
    const Int64 d = Int64(std::nearbyint(Delta));
    SetValue(double(double(n) - Delta <= double(m) ? m : n - d));
    if (start <= TextLength() + 1)
        SetIntegerOption(5, start);
}

void TUCLCustomExtSpinEdit::SpinUp()
{
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
    IncValue(Step);
    if (OnSpinBtnUpClick)
        OnSpinBtnUpClick(this);
}

void TUCLCustomExtSpinEdit::SpinDown()
{
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
    DecValue(Step);
    if (OnSpinBtnDownClick)
        OnSpinBtnDownClick(this);
}

void TUCLCustomExtSpinEdit::ThemeChanged()
{
    if (FSpinButton)
        FSpinButton->SetCtlXP(CtlXP());
    TUCLCustomMaskEdit::ThemeChanged();
}

void TUCLCustomExtSpinEdit::AdjustTextRect(TRect& TextArea)
{
    TUCLCustomMaskEdit::AdjustTextRect(TextArea);
    const Integer w = FSpinBtnWidth == -1 ? TextArea.Height() : FSpinBtnWidth;
    TextArea.Right -= w;
    FSpinButton->setGeometry(TextArea.Right + 1, TextArea.Top, w, TextArea.Height());
}

void TUCLCustomExtSpinEdit::EditKeyDown(Word& Key, TUCLEditMode Shift)
{
    switch (Key) {
    case VK_PRIOR: IncValue(PageSize); break;
    case VK_NEXT: DecValue(PageSize); break;
    case VK_UP: IncValue(Step); break;
    case VK_DOWN: DecValue(Step); break;
    default: TUCLCustomMaskEdit::EditKeyDown(Key, Shift); break;
    }
}

void TUCLCustomExtSpinEdit::wheelEvent(QWheelEvent* Event)
{
    const int delta = Event->angleDelta().y();
    if (delta == 0) {
        TUCLCustomMaskEdit::wheelEvent(Event);
        return;
    }
    if (delta > 0)
        IncValue(Step);
    else
        DecValue(Step);
    Event->accept();
}

void TUCLCustomExtSpinEdit::focusOutEvent(QFocusEvent* Event)
{
    TUCLCustomMaskEdit::focusOutEvent(Event);
    if (Event->reason() != Qt::PopupFocusReason)
        SetFloatValue(GetAsInteger());
}

void TUCLCustomExtSpinEdit::mouseMoveEvent(QMouseEvent* Event)
{
    TUCLCustomMaskEdit::mouseMoveEvent(Event);
    FSpinButton->ResetHover();
}

void TUCLCustomExtSpinEdit::MouseExit()
{
    TUCLCustomMaskEdit::MouseExit();
    FSpinButton->ResetHover();
}

TUCLCustomSpinEdit::TUCLCustomSpinEdit(QWidget* Parent) : TUCLCustomExtSpinEdit(Parent)
{
    BeginUpdate();
    SetAutoSize(true);
    SetBooleanOption(4, true);
    EndUpdate(false);
    UpdateTextRects();
}

Integer TUCLCustomSpinEdit::GetValue(Integer Index)
{
    switch (Index) {
    case 0: return TruncToInteger(Step);
    case 1: return TruncToInteger(PageSize);
    case 2: return TruncToInteger(FMinValue);
    case 3: return TruncToInteger(FMaxValue);
    case 4: return GetAsInteger();
    default: return 0;
    }
}

void TUCLCustomSpinEdit::SetValue(Integer Index, Integer Value)
{
    switch (Index) {
    case 0: Step = Value; break;
    case 1: PageSize = Value; break;
    case 2: SetRangeBound(1, Value); break;
    case 3: SetRangeBound(2, Value); break;
    case 4: SetFloatValue(Value); break;
    default: break;
    }
}
