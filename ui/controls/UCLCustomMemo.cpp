#include "ui/controls/UCLCustomMemo.h"

#include "platform/AnsiText.h"
#include "platform/Caret.h"
#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "platform/VirtualKeys.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr QChar CR(13);
constexpr QChar LF(10);

}   // namespace

// ---------------------------------------------------------------- margin

TUCLMarginObject::TUCLMarginObject()
{
    FFillObject.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
}

TUCLMarginObject::~TUCLMarginObject()
{
    FFillObject.OnChange = nullptr;
}

void TUCLMarginObject::SetWidth(Integer Value)
{
    if (FWidth == Value)
        return;
    FWidth = Value;
    Changed();
}

void TUCLMarginObject::SetAlignment(TUCLMarginAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Changed();
}

void TUCLMarginObject::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLMarginObject, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FWidth = src->FWidth;
    FAlignment = src->FAlignment;
    FFillObject.Assign(src->FFillObject);
    EndUpdate(true);
}

// ---------------------------------------------------------------- lines

Integer TUCLMemoStrings::LineStart(Integer Index) const
{
    if (Index < 0)
        return 0;
    const QString& text = FMemo.FText;
    Integer p = 1;
    for (Integer i = 0; i < Index; ++i) {
        const qsizetype lf = text.indexOf(LF, p - 1);
        if (lf < 0)
            return 0;
        p = Integer(lf) + 2;
    }
    return p;
}

AnsiString TUCLMemoStrings::Get(Integer Index) const
{
    const Integer start = LineStart(Index);
    const QString& text = FMemo.FText;
    if (start == 0 || text.isEmpty() || start > text.size() + 1)
        return {};
    qsizetype end = text.indexOf(LF, start - 1);
    if (end < 0)
        end = text.size();
    else if (end > 0 && text[end - 1] == CR)
        --end;
    return QStringToAnsi(text.mid(start - 1, end - (start - 1)));
}

void TUCLMemoStrings::Put(Integer Index, const AnsiString& Text)
{
    const QString s = AnsiToQString(Text);
    const QString& text = FMemo.FText;
    if (text.isEmpty()) {
        FMemo.SetText(s);
        return;
    }
    const Integer start = LineStart(Index);
    if (start == 0) {
        FMemo.ReplaceRange(Integer(text.size()) + 1, 0, s);
        return;
    }
    qsizetype end = text.indexOf(LF, start - 1);
    if (end < 0)
        end = text.size();
    else if (end > 0 && text[end - 1] == CR)
        --end;
    FMemo.ReplaceRange(start, Integer(end) - (start - 1), s);
}

Integer TUCLMemoStrings::GetCount() const
{
    return FMemo.FTotalRows + 1;
}

void TUCLMemoStrings::Insert(Integer Index, const AnsiString& Text)
{
    const QString s = AnsiToQString(Text);
    const QString& text = FMemo.FText;
    Integer at = Integer(text.size()) + 1;
    if (Index == 0) {
        at = 1;
    } else {
        const Integer start = LineStart(Index);
        if (start != 0)
            at = start - 1;   // the Index-th LF; the engine moves onto its CR
    }
    FMemo.SetIntegerOption(1, at);
    FMemo.SetIntegerOption(2, 0);
    FMemo.SetIntegerOption(1, at);
    if (text.isEmpty())
        FMemo.ReplaceSelection(s);
    else if (Index == 0)
        FMemo.ReplaceSelection(s + QStringLiteral("\r\n"));
    else
        FMemo.ReplaceSelection(QStringLiteral("\r\n") + s);
}

Integer TUCLMemoStrings::Add(const AnsiString& Text)
{
    Insert(GetCount(), Text);
    return GetCount();
}

void TUCLMemoStrings::Delete(Integer Index)
{
    const Integer start = LineStart(Index);
    const QString& text = FMemo.FText;
    if (start == 0 || start > text.size())
        return;
    const qsizetype lf = text.indexOf(LF, start - 1);
    // The selection ends on the CR; the engine takes the LF with it.
    const Integer length = lf < 0 ? Integer(text.size()) - start + 1 : Integer(lf) - start + 1;
    // The caret stays where it was in the text (a terminal's view stays at
    // its end while the oldest line goes).
    const Integer before = Integer(text.size());
    const Integer caret = FMemo.CaretPos();
    FMemo.SetIntegerOption(1, start);
    FMemo.SetIntegerOption(2, length);
    FMemo.SetIntegerOption(1, start);
    FMemo.ReplaceSelection(QString());
    const Integer removed = before - Integer(text.size());
    if (caret >= start + removed)
        FMemo.SetIntegerOption(5, caret - removed);
}

void TUCLMemoStrings::Clear()
{
    FMemo.Clear();
}

AnsiString TUCLMemoStrings::GetTextStr() const
{
    return QStringToAnsi(FMemo.GetText());
}

void TUCLMemoStrings::SetTextStr(const AnsiString& Text)
{
    FMemo.SetText(AnsiToQString(Text));
}

void TUCLMemoStrings::Assign(const TUCLObject& Source)
{
    const auto* src = dynamic_cast<const TUCLMemoStrings*>(&Source);
    if (!src) {
        TUCLObject::Assign(Source);
        return;
    }
    if (src != this)
        SetTextStr(src->GetTextStr());
}

// ---------------------------------------------------------------- memo

TUCLCustomMemo::TUCLCustomMemo(QWidget* Parent) : TUCLBaseEdit(Parent), FLines(*this), FLineColor(clBlack)
{
    FWordDelimiters = QStringLiteral("\t\n\r !,.;=?");
    FMargin.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
    FHorizScrollBar.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
    FVertScrollBar.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
    resize(185, 89);
    MeasureFont();
}

TUCLCustomMemo::~TUCLCustomMemo()
{
    FDestroying = true;
    FMargin.OnChange = nullptr;
    FHorizScrollBar.OnChange = nullptr;
    FVertScrollBar.OnChange = nullptr;
    SetScrollBars(TUCLMemoScrollBarKind::skNone);
}

// The font is measured at once (not at the first drawing), so that a memo
// that was never shown still counts its rows.
void TUCLCustomMemo::MeasureFont()
{
    const QFontMetrics metrics(TextFont());
    FLineHeight = -1;
    Integer tallest = 0;
    for (int c = 0; c < 256; ++c) {
        FCharWidths[c] = c < 32 ? 0 : metrics.horizontalAdvance(QChar(c));
        if (c >= 32)
            tallest = std::max(tallest, Integer(metrics.height()));
    }
    // The system's tab stops: eight average characters.
    FTabWidth = std::max(1, 8 * metrics.averageCharWidth());
    FLineHeight = tallest + 2;
    UpdateCaretHeight();
}

Integer TUCLCustomMemo::CharWidth(QChar C) const
{
    const char16_t u = C.unicode();
    if (u < 256)
        return FCharWidths[u];
    return QFontMetrics(TextFont()).horizontalAdvance(C);
}

Integer TUCLCustomMemo::TextWidth(const QString& S) const
{
    Integer w = 0;
    for (QChar c : S)
        w = c == QChar(9) ? w + FTabWidth - w % FTabWidth : w + CharWidth(c);
    return w;
}

Integer TUCLCustomMemo::TextHeight(const QString&) const
{
    return std::max(FLineHeight, 1) + (FLined ? FLineWidth : 0);
}

Integer TUCLCustomMemo::VisibleRows() const
{
    return std::max(TextRect().Height() / TextHeight(QString()), 0);
}

void TUCLCustomMemo::SetTabChars(Integer Value)
{
    if (Value < 1 || Value > 128 || Value == FTabChars)
        return;
    FTabChars = Value;
    MeasureFont();
    CountAll();
    RepaintText(-1);
}

void TUCLCustomMemo::SetLineStyle(TColor Color, Integer Width)
{
    FLineColor = Color;
    FLineWidth = std::max(Width, 1);
    RepaintText(-1);
}

Integer TUCLCustomMemo::RowEnd(const QString& Text, Integer Start, Integer Available, bool* Wrapped) const
{
    const Integer length = Integer(Text.size());
    const bool wraps = Wraps();
    Integer w = 0;
    Integer p = Start;
    bool byWidth = false;
    for (; p <= length; ++p) {
        const QChar c = Text[p - 1];
        w = c == QChar(9) ? w + FTabWidth - w % FTabWidth : w + CharWidth(c);
        if (c == LF)
            break;
        if (wraps && w >= Available) {
            byWidth = true;
            break;
        }
    }
    Integer end = std::min(p, length);
    if (byWidth) {
        for (Integer q = end; q > Start; --q)
            if (IsDelimiter(Text[q - 1])) {
                end = q;
                break;
            }
    }
    if (end < length && Text[end] == LF)
        ++end;
    if (Wrapped)
        *Wrapped = byWidth && end < length;
    return end;
}

Integer TUCLCustomMemo::CountRows(const QString& Text)
{
    const Integer available = TextRect().Width();
    if (FLineHeight < 0 || available <= 0)
        return 0;
    const Integer length = Integer(Text.size());
    Integer rows = 0;
    Integer lineStart = 1;
    for (Integer p = 1; p <= length;) {
        const Integer end = RowEnd(Text, p, available);
        if (Text[end - 1] == LF) {
            ++rows;
            if (end >= 2 && Text[end - 2] == CR)
                SetScrollInfo(2, std::max(FHorzRange, TextWidth(Text.mid(lineStart - 1, end - 1 - lineStart)) - available));
            lineStart = end + 1;
        } else if (end < length) {
            ++rows;
        }
        p = end + 1;
    }
    return rows;
}

void TUCLCustomMemo::CountAll()
{
    // Lone LFs become CR LF, and the text keeps that.
    for (qsizetype i = 0; i < FText.size(); ++i)
        if (FText[i] == LF && (i == 0 || FText[i - 1] != CR))
            FText.insert(i++, CR);
    SetScrollInfo(2, 0);
    SetScrollInfo(0, CountRows(FText));
}

void TUCLCustomMemo::TextAssigned()
{
    CountAll();
    TUCLBaseEdit::TextAssigned();
}

void TUCLCustomMemo::AfterDelete(Integer Position, const QString& Deleted)
{
    Integer start = Position;
    while (start > 1 && FText[start - 2] != LF)
        --start;
    Integer end = Position + Integer(Deleted.size());
    while (end <= FText.size() && FText[end - 1] != CR)
        ++end;
    FRowsOutside = FTotalRows - CountRows(FText.mid(start - 1, end - start));
}

void TUCLCustomMemo::BeforeInsert(Integer Position, QString& S)
{
    Integer start = Position;
    while (start > 1 && FText[start - 2] != LF)
        --start;
    Integer end = Position;
    while (end <= FText.size() && FText[end - 1] != CR)
        ++end;
    const QString range = FText.mid(start - 1, Position - start) + S + FText.mid(Position - 1, end - Position);
    SetScrollInfo(0, CountRows(range) + FRowsOutside);
}

void TUCLCustomMemo::TextChangedAt(Integer At)
{
    if (FFirstVisible > FText.size())
        FFirstVisible = 1;
    TUCLBaseEdit::TextChangedAt(At);
    ScrollToCaret();
}

void TUCLCustomMemo::CaretMoved()
{
    ScrollToCaret();
    TUCLBaseEdit::CaretMoved();
}

// ---------------------------------------------------------------- scroll state

void TUCLCustomMemo::SetScrollInfo(int Index, Integer Value)
{
    switch (Index) {
    case 0:
        if (FTotalRows == Value)
            return;
        FTotalRows = Value;
        if (OnRowCountChanged)
            OnRowCountChanged(this);
        UpdateVertScrollBar();
        break;
    case 1:
        Value = std::max(Value, 1);
        if (FTopRow == Value)
            return;
        FTopRow = Value;
        if (FVertBar)
            FVertBar->SetPosition(Value);
        break;
    case 2:
        if (FHorzRange == Value)
            return;
        FHorzRange = Value;
        if (FHorzBar) {
            FHorzBar->BeginUpdate();
            FHorzBar->SetMax(std::max(Value, 0));
            FHorzBar->SetPosition(0);
            FHorzBar->EndUpdate(true);
            FHorzBar->Arrange();
            UpdateHorzBarVisibility();
        }
        break;
    case 3:
        if (FScrollOffset == Value)
            return;
        FScrollOffset = Value;
        if (FHorzBar)
            FHorzBar->SetPosition(Value);
        break;
    case 4:
        if (FCurrentRow == Value)
            return;
        FCurrentRow = Value;
        if (OnCurrentRowChanged)
            OnCurrentRowChanged(this);
        break;
    default: break;
    }
}

// The bar shows while the view does not start at the first row or text
// follows the last row shown.
void TUCLCustomMemo::UpdateVertScrollBar()
{
    if (!FVertBar || FLineHeight < 0)
        return;
    FVertBar->SetMax(std::max(FTotalRows - VisibleRows() + 2, 0));
    if (FScrollBars == TUCLMemoScrollBarKind::skAuto && FDisplayedRows > 0) {
        const bool textFollows = FRowStarts[FDisplayedRows - 1] <= FText.size();
        const bool show = FTopRow != 1 || textFollows;
        if (FVertBar->isVisibleTo(this) != show) {
            FVertBar->setVisible(show);
            UpdateTextRects();
            LayoutScrollBars();
        }
    }
    FVertBar->SetPosition(FTopRow);
}

void TUCLCustomMemo::UpdateHorzBarVisibility()
{
    if (!FHorzBar)
        return;
    FHorzBar->setEnabled(!Wraps());
    if (FScrollBars == TUCLMemoScrollBarKind::skAuto) {
        const bool show = !Wraps() && FHorzRange > 0;
        if (FHorzBar->isVisibleTo(this) != show) {
            FHorzBar->setVisible(show);
            UpdateTextRects();
            LayoutScrollBars();
        }
    }
}

TUCLScrollBar* TUCLCustomMemo::CreateBar(TUCLScrollBarKind Kind)
{
    auto* bar = new TUCLScrollBar(this);
    bar->SetFocusable(false);
    bar->SetKind(Kind);
    bar->SetMin(0);
    bar->SetMax(0);
    bar->SetCtlXP(CtlXP());
    bar->SetThumbMode(TUCLThumbMode::tmAuto);
    bar->Bevel().SetStandardStyle(TUCLBorderStyle::lsNone);
    const bool vertical = Kind == TUCLScrollBarKind::skVertical;
    if (vertical) {
        bar->resize(16, bar->height());
        bar->OnScroll = [this](TPersistent* Sender, Integer Code, Integer& Pos) { VertScroll(Sender, Code, Pos); };
        FVertScrollBar.ApplyTo(*bar);
    } else {
        bar->resize(bar->width(), 16);
        bar->OnScroll = [this](TPersistent* Sender, Integer Code, Integer& Pos) { HorzScroll(Sender, Code, Pos); };
        FHorizScrollBar.ApplyTo(*bar);
        bar->SetMax(std::max(FHorzRange, 0));
    }
    bar->show();
    return bar;
}

void TUCLCustomMemo::SetScrollBars(TUCLMemoScrollBarKind Value)
{
    if (FScrollBars == Value)
        return;
    FScrollBars = Value;
    using K = TUCLMemoScrollBarKind;
    auto drop = [](TUCLScrollBar*& bar) {
        delete bar;
        bar = nullptr;
    };
    auto make = [this](TUCLScrollBar*& bar, TUCLScrollBarKind kind) {
        if (!bar)
            bar = CreateBar(kind);
        bar->show();
    };
    switch (Value) {
    case K::skHorizontal:
        drop(FVertBar);
        make(FHorzBar, TUCLScrollBarKind::skHorizontal);
        break;
    case K::skVertical:
        drop(FHorzBar);
        make(FVertBar, TUCLScrollBarKind::skVertical);
        break;
    case K::skBoth:
        make(FHorzBar, TUCLScrollBarKind::skHorizontal);
        make(FVertBar, TUCLScrollBarKind::skVertical);
        break;
    case K::skAuto:
        make(FVertBar, TUCLScrollBarKind::skVertical);
        make(FHorzBar, TUCLScrollBarKind::skHorizontal);
        FVertBar->hide();
        FHorzBar->hide();
        break;
    case K::skNone:
        drop(FHorzBar);
        drop(FVertBar);
        break;
    }
    if (FDestroying)
        return;
    UpdateTextRects();
    LayoutScrollBars();
    if (Value == K::skAuto) {
        LayoutRows();
        UpdateVertScrollBar();
        UpdateHorzBarVisibility();
    }
    update();
}

void TUCLCustomMemo::SetScrollBarObject(int Index, const TUCLScrollBarObject& Value)
{
    ScrollBarObject(Index).Assign(Value);
}

void TUCLCustomMemo::LayoutScrollBars()
{
    const TRect c = ClientRectangle();
    const bool hShown = FHorzBar && FHorzBar->isVisibleTo(this);
    const bool vShown = FVertBar && FVertBar->isVisibleTo(this);
    if (FVertBar) {
        const Integer w = FVertBar->width();
        const Integer h = c.Height() - (hShown ? FHorzBar->height() : 0);
        FVertBar->setGeometry(c.Right - w, c.Top, w, std::max(h, 0));
    }
    if (FHorzBar) {
        const Integer h = FHorzBar->height();
        const Integer w = c.Width() - (vShown ? FVertBar->width() : 0);
        FHorzBar->setGeometry(c.Left, c.Bottom - h, std::max(w, 0), h);
    }
}

void TUCLCustomMemo::AdjustTextRect(TRect& TextArea)
{
    if (FHorzBar && FHorzBar->isVisibleTo(this))
        TextArea.Bottom -= FHorzBar->height();
    if (FVertBar && FVertBar->isVisibleTo(this))
        TextArea.Right -= FVertBar->width();
    const Integer w = FMargin.Width();
    if (w > 0) {
        if (FMargin.Alignment() == TUCLMarginAlignment::maRight) {
            FMarginRect = Rect(TextArea.Right - w + 2, TextArea.Top - 2, TextArea.Right + 2, TextArea.Bottom + 2);
            TextArea.Right -= w;
        } else {
            FMarginRect = Rect(TextArea.Left - 2, TextArea.Top - 2, TextArea.Left + w - 2, TextArea.Bottom + 2);
            TextArea.Left += w;
        }
    } else {
        FMarginRect = TRect{};
    }
}

void TUCLCustomMemo::TextRectsChanged()
{
    FHorzRange = 0;
    CountAll();
    LayoutRows();
    UpdateVertScrollBar();
}

void TUCLCustomMemo::AlignmentChanged()
{
    SetScrollInfo(3, 0);
    UpdateTextRects();
    UpdateHorzBarVisibility();
}

void TUCLCustomMemo::resizeEvent(QResizeEvent* Event)
{
    TUCLBaseEdit::resizeEvent(Event);
    LayoutScrollBars();
}

void TUCLCustomMemo::SetMemoOption(Integer Index, bool Value)
{
    switch (Index) {
    case 0:
        if (FWordWrap == Value)
            return;
        FWordWrap = Value;
        FScrollOffset = 0;
        FHorzRange = 0;
        CountAll();
        RepaintText(-1);
        UpdateHorzBarVisibility();
        UpdateCaret();
        break;
    case 1: FWantTabs = Value; break;
    case 2: FWantReturns = Value; break;
    case 3:
        if (FLined == Value)
            return;
        FLined = Value;
        UpdateCaretHeight();
        RepaintText(-1);
        break;
    default: break;
    }
}

void TUCLCustomMemo::SetLines(const TUCLMemoStrings& Value)
{
    FFirstVisible = 1;
    SetIntegerOption(2, 0);
    SetIntegerOption(5, 1);
    FTopRow = 1;
    FHorzRange = 0;
    FScrollOffset = 0;
    FLines.Assign(Value);
    CountAll();
}

void TUCLCustomMemo::GetChange(TPersistent* Sender)
{
    TUCLBaseEdit::GetChange(Sender);
    if (Sender == &FHorizScrollBar && FHorzBar)
        FHorizScrollBar.ApplyTo(*FHorzBar);
    else if (Sender == &FVertScrollBar && FVertBar)
        FVertScrollBar.ApplyTo(*FVertBar);
    else if (Sender == &FMargin)
        UpdateTextRects();
}

void TUCLCustomMemo::ThemeChanged()
{
    for (TUCLScrollBar* bar : {FHorzBar, FVertBar})
        if (bar)
            bar->SetCtlXP(CtlXP());
    TUCLBaseEdit::ThemeChanged();
}

void TUCLCustomMemo::changeEvent(QEvent* Event)
{
    TUCLBaseEdit::changeEvent(Event);
    if (Event->type() == QEvent::FontChange) {
        MeasureFont();
        CountAll();
        RepaintText(-1);
    }
}

// ---------------------------------------------------------------- rows

Integer TUCLCustomMemo::NextRowStart(Integer Position) const
{
    if (Position > FText.size())
        return Position + 1;
    return RowEnd(FText, std::max(Position, 1), TextRect().Width()) + 1;
}

Integer TUCLCustomMemo::RowStartOf(Integer Position, Integer& Number) const
{
    const Integer length = Integer(FText.size());
    Integer start = 1;
    Number = 1;
    while (start <= length) {
        const Integer next = NextRowStart(start);
        if (Position < next)
            break;
        if (next > length) {
            if (FText[length - 1] == LF) {
                start = next;
                ++Number;
            }
            break;
        }
        start = next;
        ++Number;
    }
    return start;
}

Integer TUCLCustomMemo::PrevRowStart(Integer Position) const
{
    if (Position <= 1)
        return 1;
    Integer lineStart = Position - 1;
    while (lineStart > 1 && FText[lineStart - 2] != LF)
        --lineStart;
    Integer start = lineStart;
    for (;;) {
        const Integer next = NextRowStart(start);
        if (next >= Position)
            return start;
        start = next;
    }
}

Integer TUCLCustomMemo::RowOfChar(Integer Position) const
{
    Integer number = 1;
    RowStartOf(Position, number);
    return number - 1;
}

Integer TUCLCustomMemo::RowStart(Integer Index) const
{
    Integer start = 1;
    for (Integer i = 0; i < Index && start <= FText.size(); ++i)
        start = NextRowStart(start);
    return start;
}

Integer TUCLCustomMemo::RowOfPosition(Integer Position) const
{
    Integer row = 0;
    for (Integer k = 1; k < FDisplayedRows && k < RowTableSize; ++k) {
        if (Position < FRowStarts[k])
            break;
        row = k;
    }
    const Integer length = Integer(FText.size());
    if (Position > length && length > 0 && FText[length - 1] == LF && FDisplayedRows >= 2)
        row = std::max<Integer>(0, FDisplayedRows - 2);
    return std::min(row, RowTableSize - 1);
}

Integer TUCLCustomMemo::CaretColumn() const
{
    Integer number = 0;
    return CaretPos() - RowStartOf(CaretPos(), number) + 1;
}

Integer TUCLCustomMemo::CaretRowLength() const
{
    Integer number = 0;
    const Integer start = RowStartOf(CaretPos(), number);
    return std::min(NextRowStart(start), Integer(FText.size()) + 1) - start;
}

// ---------------------------------------------------------------- layout and drawing

// The row table: entry 0 the first visible position, entry k the start of
// visible row k + 1; past the end of the text the last entries lie beyond it,
// so that a position after the end maps to the last row.
void TUCLCustomMemo::LayoutRows()
{
    FRowStarts.fill(0);
    FDisplayedRows = 0;
    const TRect& t = TextRect();
    if (t.IsEmpty() || FLineHeight < 0)
        return;
    const Integer length = Integer(FText.size());
    if (length == 0) {
        FRowStarts[0] = 1;
        FRowStarts[1] = 3;
        FDisplayedRows = 2;
        return;
    }
    if (FFirstVisible < 1)
        FFirstVisible = 1;
    const Integer rowHeight = TextHeight(QString());
    const Integer available = t.Width() + FScrollOffset;
    FRowStarts[0] = FFirstVisible;
    Integer k = 0;
    Integer p = FFirstVisible;
    for (Integer y = t.Top; y + rowHeight <= t.Bottom && p <= length && k + 2 < RowTableSize; y += rowHeight) {
        const Integer end = RowEnd(FText, p, available);
        FRowStarts[++k] = end + 1;
        p = end + 1;
        if (end >= length) {
            if (FText[length - 1] == LF && y + 2 * rowHeight <= t.Bottom) {
                FRowStarts[++k] = length + 1;   // the empty row after a final line break
            }
            FRowStarts[k] += 2;
            FRowStarts[k + 1] = FRowStarts[k] + 2;
            ++k;
            break;
        }
    }
    FDisplayedRows = k + 1;
}

void TUCLCustomMemo::RepaintText(Integer)
{
    LayoutRows();
    update();
}

Integer TUCLCustomMemo::RowX(Integer RowWidth) const
{
    const TRect& t = TextRect();
    const Integer origin = t.Left - FScrollOffset;
    switch (Alignment()) {
    case taRightJustify: return t.Right - RowWidth;
    case taCenter: return origin + (t.Right - origin - RowWidth) / 2;
    default: return origin;
    }
}

void TUCLCustomMemo::DrawRow(QPainter& Painter, Integer Start, Integer End, Integer Y)
{
    const TRect& t = TextRect();
    const QString row = RowText(Start, End);
    const Integer rowHeight = TextHeight(QString());
    const Integer bottom = std::min(Y + rowHeight - (FLined ? FLineWidth : 0), t.Bottom);
    const Integer x0 = RowX(TextWidth(row));
    EraseTextBackground(Painter, Rect(t.Left - FScrollOffset, Y, t.Right, bottom));

    // The selected part of this row.
    Integer selFrom = 0, selTo = 0;
    const bool selecting = SelLength() > 0 && !SelectionHidden();
    if (selecting) {
        selFrom = std::max(SelStart(), Start);
        selTo = std::min(SelStart() + SelLength(), End);
        if (selFrom < selTo || (row.isEmpty() && SelStart() <= Start && Start < SelStart() + SelLength())) {
            const Integer l = x0 + TextWidth(FText.mid(Start - 1, selFrom - Start));
            const Integer r = selFrom < selTo ? x0 + TextWidth(FText.mid(Start - 1, selTo - Start)) : l + 3;
            FillRect(Painter, Rect(l, Y, r, bottom), HighlightBack);
        } else {
            selFrom = selTo = 0;
        }
    }
    Painter.save();
    Painter.setClipRect(QRect(t.Left, t.Top, t.Width(), t.Height()), Qt::IntersectClip);
    Painter.setFont(TextFont());
    const Cardinal flags = isEnabled() ? pcEnabled : 0;
    const Cardinal format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    // Runs between tabs at the table's positions, so text and caret agree.
    Integer x = x0;
    QString run;
    Integer runX = x;
    Integer pos = Start;
    auto flush = [&] {
        if (run.isEmpty())
            return;
        const bool selected = pos - run.size() >= selFrom && pos <= selTo && selFrom < selTo;
        Painter.setPen(ColorToQColor(selected ? HighlightText : FontColor()));
        PaintCaption3D(Painter, run, &Font3D(), Rect(runX, Y, runX + 10000, bottom), format, flags);
        run.clear();
    };
    for (QChar c : row) {
        // A run ends where the selection starts or ends.
        if (pos == selFrom || pos == selTo)
            flush();
        if (run.isEmpty())
            runX = x;
        if (c == QChar(9)) {
            flush();
            x += FTabWidth - (x - x0) % FTabWidth;
        } else if (c.unicode() >= 32) {
            run += c;
            x += CharWidth(c);
        }
        ++pos;
    }
    flush();
    Painter.restore();
    if (OnMarginRowPaint && FMargin.Width() > 0)
        OnMarginRowPaint(this, Painter, Rect(FMarginRect.Left + 2, Y, FMarginRect.Right - 1, bottom), Start,
                         End - Start);
}

void TUCLCustomMemo::PaintMargin(QPainter& Painter)
{
    if (FMargin.Width() == 0)
        return;
    const TRect& m = FMarginRect;
    if (FMargin.FillObject().Style() != TUCLFillStyle::sfNone)
        FMargin.FillObject().FillRect(Painter, m, CurrentColor());
    else
        EraseTextBackground(Painter, m);
    const bool right = FMargin.Alignment() == TUCLMarginAlignment::maRight;
    const Integer light = right ? m.Left + 1 : m.Right - 2, dark = right ? m.Left : m.Right - 1;
    Painter.fillRect(QRect(light, m.Top, 1, m.Height()), Qt::white);
    Painter.fillRect(QRect(dark, m.Top, 1, m.Height()), QColor(0x80, 0x80, 0x80));
}

void TUCLCustomMemo::PaintText(QPainter& Painter)
{
    PaintMargin(Painter);
    const TRect& t = TextRect();
    if (t.IsEmpty() || FLineHeight < 0)
        return;
    LayoutRows();
    const Integer rowHeight = TextHeight(QString());
    EraseTextBackground(Painter, t);
    if (FLined) {
        const QPen pen(ColorToQColor(FLineColor), FLineWidth);
        Painter.save();
        Painter.setPen(pen);
        for (Integer a = t.Top + rowHeight; a < t.Bottom; a += FLineWidth / 2 + rowHeight) {
            a -= FLineWidth / 2;
            Painter.drawLine(1, a - 1, t.Right - 1, a - 1);
        }
        Painter.restore();
    }
    const Integer length = Integer(FText.size());
    for (Integer k = 0; k + 1 < FDisplayedRows; ++k) {
        const Integer start = FRowStarts[k];
        if (start > length)
            break;
        const Integer end = std::min(FRowStarts[k + 1], length + 1);
        DrawRow(Painter, start, end, t.Top + k * rowHeight);
    }
}

// ---------------------------------------------------------------- caret and scrolling

void TUCLCustomMemo::UpdateCaret()
{
    const TRect& t = TextRect();
    if (t.Right <= 0 || FLineHeight < 0)
        return;
    if (FDisplayedRows == 0)
        LayoutRows();
    const Integer caret = CaretPos();
    const Integer index = RowOfPosition(caret);
    const bool inView = FDisplayedRows > 0 && caret >= FFirstVisible;
    if (inView)
        SetScrollInfo(4, FTopRow + index);
    const Integer start = FDisplayedRows > 0 ? FRowStarts[index] : 1;
    const Integer end = FDisplayedRows > index + 1 ? std::min(FRowStarts[index + 1], Integer(FText.size()) + 1)
                                                   : Integer(FText.size()) + 1;
    const Integer rowWidth = TextWidth(RowText(start, end));
    const Integer rowX = Alignment() == taLeftJustify ? t.Left
                         : Alignment() == taRightJustify ? t.Right - rowWidth
                                                          : t.Left + (t.Width() - rowWidth) / 2;
    Integer x = rowX + TextWidth(FText.mid(start - 1, std::max(caret - start, 0))) - FScrollOffset;
    if (!FScrolling && !Wraps()) {
        if (x > t.Right - 2) {
            // The text up to the next delimiter after the caret ends at the edge.
            Integer next = caret;
            while (next <= FText.size() && !IsDelimiter(FText[next - 1]))
                ++next;
            const Integer target = rowX + TextWidth(FText.mid(start - 1, next - start));
            SetScrollInfo(3, FScrollOffset + std::max(target - FScrollOffset - (t.Right - 2), x - (t.Right - 2)));
            x = rowX + TextWidth(FText.mid(start - 1, caret - start)) - FScrollOffset;
            RepaintText(-1);
        } else if (x < t.Left && FScrollOffset != 0) {
            SetScrollInfo(3, std::max(0, FScrollOffset - (t.Left - x)));
            x = rowX + TextWidth(FText.mid(start - 1, caret - start)) - FScrollOffset;
            RepaintText(-1);
        }
    }
    SetCaretPixelPos(x, t.Top + index * TextHeight(QString()));
    if (FScrolling && (x < t.Left || x > t.Right || !inView))
        Caret().HideCaret();
    else if (hasFocus())
        Caret().ShowCaret();
}

void TUCLCustomMemo::ScrollFlagged(const std::function<void()>& Action)
{
    FScrolling = true;
    Action();
    UpdateCaret();
    FScrolling = false;
}

void TUCLCustomMemo::ScrollRowsUp(Integer N)
{
    if (FFirstVisible <= 1)
        return;
    Integer p = FFirstVisible;
    Integer top = FTopRow;
    for (Integer i = 0; i < N && p > 1; ++i) {
        p = PrevRowStart(p);
        --top;
    }
    FFirstVisible = p;
    SetScrollInfo(1, top);
    RepaintText(-1);
    UpdateVertScrollBar();
}

void TUCLCustomMemo::ScrollRowsDown(Integer N)
{
    if (FDisplayedRows == 0)
        LayoutRows();
    const Integer length = Integer(FText.size());
    const bool endsWithBreak = length > 0 && FText[length - 1] == LF;
    // Nothing when the end is in view already.
    if (FDisplayedRows > 0 && FRowStarts[FDisplayedRows - 1] > length + 1)
        return;
    Integer p = FFirstVisible;
    Integer top = FTopRow;
    for (Integer i = 0; i < N; ++i) {
        const Integer next = NextRowStart(p);
        if (next > length + (endsWithBreak ? 1 : 0))
            break;
        p = next;
        ++top;
    }
    FFirstVisible = p;
    SetScrollInfo(1, top);
    RepaintText(-1);
    UpdateVertScrollBar();
}

Integer TUCLCustomMemo::ScrollToRow(Integer Row)
{
    if (FText.size() < Row)
        return 0;
    Integer p = 1;
    Integer steps = 1;
    for (Integer i = 1; i < Row; ++i) {
        const Integer next = NextRowStart(p);
        if (next > FText.size())
            break;
        p = next;
        ++steps;
    }
    FFirstVisible = p;
    return steps;
}

void TUCLCustomMemo::VertScroll(TPersistent*, Integer Code, Integer& Pos)
{
    ScrollFlagged([&] {
        switch (Code) {
        case 0: ScrollRowsDown(1); break;
        case 1: ScrollRowsUp(1); break;
        case 2: ScrollRowsDown(std::max(VisibleRows() - 1, 1)); break;
        case 3: ScrollRowsUp(std::max(VisibleRows() - 1, 1)); break;
        case 4:
            SetScrollInfo(1, std::max(ScrollToRow(Pos), 1));
            RepaintText(-1);
            break;
        default: break;
        }
    });
}

void TUCLCustomMemo::HorzScroll(TPersistent*, Integer Code, Integer&)
{
    if (Wraps() || !FHorzBar || FHorzBar->Position() == FScrollOffset)
        return;
    ScrollFlagged([&] {
        if (Code >= 0 && Code <= 4)
            SetScrollInfo(3, FHorzBar->Position());
        RepaintText(-1);
    });
}

void TUCLCustomMemo::ScrollToCaret()
{
    if (FLineHeight < 0 || TextRect().IsEmpty())
        return;
    if (CaretPos() < 1)
        SetIntegerOption(5, 1);
    LayoutRows();
    const Integer caret = CaretPos();
    const Integer length = Integer(FText.size());
    Integer number = 1;
    if (caret < FFirstVisible) {
        FFirstVisible = RowStartOf(caret, number);
        SetScrollInfo(1, number);
        RepaintText(-1);
        if (caret < FFirstVisible)
            ScrollRowsUp(1);
    } else if (FDisplayedRows > 0 && FRowStarts[FDisplayedRows - 1] <= length + 1 &&
               caret >= FRowStarts[FDisplayedRows - 1]) {
        FFirstVisible = RowStartOf(caret, number);
        SetScrollInfo(1, std::min(number, FTotalRows + 1));
        RepaintText(-1);
        if (caret > length || NextRowStart(FFirstVisible) > length)
            ScrollRowsUp(VisibleRows() - 1);
    }
    UpdateVertScrollBar();
}

Integer TUCLCustomMemo::PosFromPoint(Integer X, Integer Y)
{
    const TRect& t = TextRect();
    if (FDisplayedRows == 0)
        LayoutRows();
    const Integer length = Integer(FText.size());
    const Integer rowHeight = TextHeight(QString());
    if (Y < t.Top) {
        ScrollRowsUp(1);
        return FFirstVisible;
    }
    if (Y >= t.Bottom - 3) {
        const Integer last = FDisplayedRows >= 1 ? std::min(FRowStarts[FDisplayedRows - 1], length + 1) : 1;
        ScrollRowsDown(1);
        return last;
    }
    Integer row = (Y - t.Top) / rowHeight + 1;
    row = std::clamp(std::min(row, FTotalRows + 1), 1, std::max(FDisplayedRows - 1, 1));
    const Integer start = FRowStarts[row - 1];
    const Integer end = std::min(FRowStarts[row], length + 1);
    const QString text = RowText(start, end);
    const Integer w = TextWidth(text);
    const Integer x0 = Alignment() == taRightJustify ? t.Right - w + 1
                       : Alignment() == taCenter     ? t.Left + (t.Width() - w + 1) / 2
                                                     : t.Left;
    Integer index = 0;
    Integer left = x0;
    for (; index < text.size(); ++index) {
        const QChar c = text[index];
        if (c == CR || c == LF)
            break;
        const Integer cw = c == QChar(9) ? FTabWidth - (left - x0) % FTabWidth : CharWidth(c);
        if (left + cw / 2 >= X + FScrollOffset)
            break;
        left += cw;
    }
    return std::min(start + index, length + 1);
}

void TUCLCustomMemo::CaretToColumn(Integer RowStart, Integer Column, Integer Trim)
{
    const Integer next = std::min(NextRowStart(RowStart), Integer(FText.size()) + 1);
    const bool lastRow = next > FText.size();
    const Integer rowLength = next - RowStart;
    const Integer limit = std::max(lastRow ? rowLength : rowLength - Trim, 0);
    SetIntegerOption(5, RowStart + std::min(Column, limit));
}

void TUCLCustomMemo::EditKeyDown(Word& Key, TUCLEditMode Shift)
{
    ScrollToCaret();
    UpdateCaret();
    const TUCLEditMode mode = EditMode();
    const bool ctrl = mode & emControl;
    const Integer length = Integer(FText.size());
    Integer number = 0;
    switch (Key) {
    case VK_TAB:
        if (FWantTabs && !ReadOnly())
            ReplaceSelection(QStringLiteral("\t"));
        return;
    case VK_RETURN:
        if (TabOnEnter && !ctrl)
            break;
        if (!ReadOnly()) {
            ReplaceSelection(QStringLiteral("\r\n"));
            ScrollToCaret();
        }
        return;
    case VK_PRIOR:
    case VK_NEXT: {
        const Integer start = RowStartOf(CaretPos(), number);
        const Integer column = CaretPos() - start;
        const Integer n = std::max(VisibleRows() - 1, 1);
        Integer target = start;
        for (Integer i = 0; i < n; ++i)
            target = Key == VK_PRIOR ? PrevRowStart(target) : std::min(NextRowStart(target), length + 1);
        if (Key == VK_NEXT && target > length) {
            SetIntegerOption(5, length + 1);
        } else {
            CaretToColumn(target, column, 1);
        }
        Key = 0;
        return;
    }
    case VK_END:
        if (ctrl) {
            SetIntegerOption(5, length + 1);
            Key = 0;
            return;
        }
        break;
    case VK_UP:
    case VK_DOWN: {
        const Integer start = RowStartOf(CaretPos(), number);
        const Integer column = CaretPos() - start;
        if (Key == VK_UP) {
            if (start <= 1)
                return;
            CaretToColumn(PrevRowStart(start), column, 2);
        } else {
            const Integer next = NextRowStart(start);
            if (next > length + ((length > 0 && FText[length - 1] == LF) ? 1 : 0))
                SetIntegerOption(5, length + 1);
            else
                CaretToColumn(next, column, 2);
        }
        return;
    }
    default: break;
    }
    TUCLBaseEdit::EditKeyDown(Key, Shift);
}

// With WantTabs the Tab key types a tab instead of moving the focus.
bool TUCLCustomMemo::event(QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress && FWantTabs) {
        auto* key = static_cast<QKeyEvent*>(Event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return TUCLBaseEdit::event(Event);
}

// One notch scrolls one row, whatever the delta's size.
void TUCLCustomMemo::wheelEvent(QWheelEvent* Event)
{
    const int delta = Event->angleDelta().y();
    ScrollFlagged([&] {
        if (delta < 1)
            ScrollRowsDown(1);
        else
            ScrollRowsUp(1);
    });
    Event->accept();
}

// ---------------------------------------------------------------- edit messages

Integer TUCLCustomMemo::EditMessage(Cardinal Msg, Integer WParam, Integer LParam, AnsiString* Line, TPoint* Point)
{
    Integer number = 0;
    switch (Msg) {
    case EM_SCROLL:
        ScrollFlagged([&] {
            switch (WParam) {
            case 0: ScrollRowsUp(1); break;
            case 1: ScrollRowsDown(1); break;
            case 2: ScrollRowsUp(5); break;
            case 3: ScrollRowsDown(5); break;
            default: break;
            }
        });
        return 0;
    case EM_LINESCROLL: {
        if (LParam < 1)
            ScrollRowsUp(-LParam);
        else
            ScrollRowsDown(LParam);
        const Integer steps = std::min(std::abs(WParam), std::max(CaretRowLength() - 1, 0));
        for (Integer i = 0; i < steps; ++i) {
            if (WParam <= 0 && CaretColumn() > 1)
                SetIntegerOption(5, CaretPos() - 1);
            else if (WParam > 0 && TextWidth(FText.mid(RowStartOf(CaretPos(), number) - 1, CaretColumn() - 1)) <
                                       std::max(FHorzRange, TextRect().Width()))
                SetIntegerOption(5, CaretPos() + 1);
        }
        return 1;
    }
    case EM_SCROLLCARET: ScrollToCaret(); return 0;
    case EM_GETLINECOUNT: return FTotalRows + 1;
    case EM_GETFIRSTVISIBLELINE: return FTopRow - 1;
    case EM_LINEINDEX: return (WParam == -1 ? RowStartOf(CaretPos(), number) : RowStart(WParam)) - 1;
    case EM_LINEFROMCHAR: return WParam == -1 ? RowOfChar(SelStart()) : RowOfChar(WParam + 1);
    case EM_LINELENGTH: return WParam == -1 ? 0 : CaretRowLength();
    case EM_GETLINE: {
        if (!Line)
            return 0;
        const Integer start = RowStart(WParam);
        Integer end = std::min(NextRowStart(start), Integer(FText.size()) + 1);
        while (end > start && (FText[end - 2] == LF || FText[end - 2] == CR))
            --end;
        *Line = QStringToAnsi(RowText(start, end));
        return Integer(Line->size());
    }
    case EM_POSFROMCHAR: {
        const Integer position = WParam + 1;
        if (position < 1 || position > FText.size())
            return -1;
        const Integer start = RowStartOf(position, number);
        const Integer x = TextRect().Left + TextWidth(FText.mid(start - 1, position - start)) - FScrollOffset;
        const Integer y = TextRect().Top + TextHeight(QString()) * (number - FTopRow);
        if (Point)
            *Point = TPoint{x, y};
        return Integer((Cardinal(Word(y)) << 16) | Word(x));
    }
    case EM_GETMARGINS: return 0;
    case EM_FMTLINES: FormatLines = WParam != 0; return WParam;
    default: return 0;
    }
}
