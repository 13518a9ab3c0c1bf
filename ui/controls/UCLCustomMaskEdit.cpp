#include "ui/controls/UCLCustomMaskEdit.h"

#include <QFocusEvent>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr QChar Minus(u'-');

bool AllDigits(const QString& S)
{
    return std::all_of(S.begin(), S.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

TUCLCustomMaskEdit::TUCLCustomMaskEdit(QWidget* Parent) : TUCLCustomEdit(Parent)
{
}

QString TUCLCustomMaskEdit::GetTextWithoutSuffix() const
{
    return FSuffix.isEmpty() ? FText : FText.left(std::max(NumberLength(), 0));
}

void TUCLCustomMaskEdit::SetTextWithSuffix(const QString& S)
{
    SetText(S + FSuffix);
}

void TUCLCustomMaskEdit::SetSuffixText(const QString& S)
{
    const QString number = GetTextWithoutSuffix();
    FSuffix = S;
    SetText(number + S);
}

void TUCLCustomMaskEdit::SetRangeBound(Integer Which, double Value)
{
    if (Which == 1 && Value != FMinValue) {
        FMinValue = Value;
        if (Value > FMaxValue)
            FMaxValue = Value;
    } else if (Which == 2 && Value != FMaxValue) {
        FMaxValue = Value;
        if (Value < FMinValue)
            FMinValue = Value;
    }
}

Integer TUCLCustomMaskEdit::GetAsInteger()
{
    const QString t = GetTextWithoutSuffix();
    if (t.isEmpty())
        return 0;
    // A signed decimal number after leading blanks, as the 64-bit conversion
    // takes it.
    const QByteArray bytes = t.toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    while (first != last && *first == ' ')
        ++first;
    if (first != last && *first == '+')
        ++first;
    long long value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) {
        DoValidationError();
        return 0;
    }
    return Integer(std::clamp<long long>(value, std::numeric_limits<Integer>::min(),
                                         std::numeric_limits<Integer>::max()));
}

void TUCLCustomMaskEdit::SetValue(double X)
{
    const double limit = 9.2e18;   // inside the 64-bit range
    const long long n = std::isnan(X) ? 0 : static_cast<long long>(std::trunc(std::clamp(X, -limit, limit)));
    SetTextWithSuffix(QString::number(n));
}

void TUCLCustomMaskEdit::DoValidationError()
{
    if (OnValidationError)
        OnValidationError(this);
}

bool TUCLCustomMaskEdit::SelectionBeforeSuffix() const
{
    return FSuffix.isEmpty() || SelStart() + SelLength() <= NumberLength() + 1;
}

void TUCLCustomMaskEdit::ToggleSign()
{
    if (ReadOnly())
        return;
    if (SelLength() == 0) {
        const Integer p = CaretPos();
        const qsizetype minus = FText.indexOf(Minus);
        if (minus >= 0) {
            SetText(QString(FText).remove(minus, 1));
            SetIntegerOption(5, p - 1);
        } else {
            SetText(Minus + FText);
            SetIntegerOption(5, p + 1);
        }
    } else {
        ReplaceSelection(QString(Minus));
        SetIntegerOption(5, 2);
        SetIntegerOption(1, 2);
        SetIntegerOption(2, 1);
    }
}

void TUCLCustomMaskEdit::KeyPress(QChar Key)
{
    if (!FSuffix.isEmpty() && NumberLength() + 1 < CaretPos())
        return;
    if (Key == Minus) {
        ToggleSign();
        return;
    }
    if (Key >= u'0' && Key <= u'9' && (FText.isEmpty() || CharAt(CaretPos()) != Minus)) {
        TUCLCustomEdit::KeyPress(Key);
        return;
    }
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TUCLCustomMaskEdit::EditKeyDown(Word& Key, TUCLEditMode Shift)
{
    if (Key == VK_UP || Key == VK_DOWN)
        return;
    if (!FSuffix.isEmpty() && (Key == VK_BACK || Key == VK_DELETE)) {
        // Deleting stops before the suffix; with nothing left before it
        // (the caret inside or after the suffix) nothing is deleted.
        const Integer number = NumberLength();
        const Integer end = SelStart() + SelLength();
        if (Key == VK_BACK ? number < end : end >= number) {
            const Integer length = number - SelStart() + 1;
            if (length < 0 || (Key == VK_DELETE && length == 0))
                return;
            SetIntegerOption(2, length);
        }
    }
    TUCLCustomEdit::EditKeyDown(Key, Shift);
}

void TUCLCustomMaskEdit::BeforeInsert(Integer Position, QString& S)
{
    if (S.isEmpty())
        return;
    const bool signedText = S.startsWith(Minus);
    const QString digits = signedText ? S.mid(1) : S;
    // One optionally signed run of digits: a minus only at the front of a
    // text without one, and nothing before an existing minus.
    const bool textSigned = FText.startsWith(Minus);
    if (!AllDigits(digits) || (signedText && (textSigned || Position != 1)) || (textSigned && Position == 1))
        S.clear();
}

void TUCLCustomMaskEdit::CutToClipboard()
{
    if (SelectionBeforeSuffix())
        TUCLCustomEdit::CutToClipboard();
}

void TUCLCustomMaskEdit::PasteFromClipboard()
{
    if (SelectionBeforeSuffix())
        TUCLCustomEdit::PasteFromClipboard();
}

void TUCLCustomMaskEdit::focusOutEvent(QFocusEvent* Event)
{
    TUCLCustomEdit::focusOutEvent(Event);
    if (Event->reason() != Qt::PopupFocusReason && GetTextWithoutSuffix() == QString(Minus))
        SetText(QString());
}
