// The library's multi-line edit: the edit engine's text holds lines ended by
// CR LF, laid out by the memo into display rows (wrapped at word delimiters
// with WordWrap), drawn row by row with optional ruled lines and a margin
// strip, scrolled by rows vertically and by pixels horizontally through two
// library scroll bars. TUCLMemoStrings is the line view the program uses
// (the front panel's text terminal appends through it).
//
// Rows: one rule breaks rows for drawing, counting, locating and stepping.
// A row ends after an LF, after the last character, or (wrapping) after the
// character with which its width reaches the available width, then moves
// back to the nearest word delimiter; a row ending just before an LF takes
// the LF too.
#pragma once

#include "ui/controls/UCLBaseEdit.h"
#include "ui/controls/UCLFillObject.h"
#include "ui/controls/UCLSBar.h"

#include <array>

class TUCLCustomMemo;

enum class TUCLMarginAlignment : Byte { maLeft, maRight };

class TUCLMarginObject : public TUCLObject {
    ZK_CLASS(TUCLMarginObject, TUCLObject)
public:
    TUCLMarginObject();
    ~TUCLMarginObject() override;

    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    TUCLMarginAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TUCLMarginAlignment Value);
    TUCLFillObject& FillObject() { return FFillObject; }
    void SetFillObject(const TUCLFillObject& Value) { FFillObject.Assign(Value); }
    void Assign(const TUCLObject& Source) override;

private:
    Integer FWidth = 0;
    TUCLMarginAlignment FAlignment = TUCLMarginAlignment::maLeft;
    TUCLFillObject FFillObject;
};

// The memo's text as lines; created by the memo and freed with it.
class TUCLMemoStrings : public TUCLObject {
    ZK_ABSTRACT_CLASS(TUCLMemoStrings, TUCLObject)
public:
    explicit TUCLMemoStrings(TUCLCustomMemo& Memo) : FMemo(Memo) {}

    // Line Index without its line break; empty beyond the last line.
    AnsiString Get(Integer Index) const;
    // Replaces line Index; a missing line is appended to the text.
    void Put(Integer Index, const AnsiString& Text);
    // Display rows (a wrapped line counts once per row); 1 for an empty memo.
    Integer GetCount() const;
    void Insert(Integer Index, const AnsiString& Text);
    // A new last line; the count afterwards.
    Integer Add(const AnsiString& Text);
    // Line Index with the line break that ends it.
    void Delete(Integer Index);
    void Clear();
    AnsiString GetTextStr() const;
    void SetTextStr(const AnsiString& Text);
    void Assign(const TUCLObject& Source) override;

private:
    // Where line Index starts (after the Index-th LF); 0 when it does not exist.
    Integer LineStart(Integer Index) const;
    TUCLCustomMemo& FMemo;
};

// The edit messages the memo answers.
inline constexpr Cardinal EM_GETMARGINS = 0x00D4;
inline constexpr Cardinal EM_SCROLL = 0x00B5;
inline constexpr Cardinal EM_LINESCROLL = 0x00B6;
inline constexpr Cardinal EM_SCROLLCARET = 0x00B7;
inline constexpr Cardinal EM_GETLINECOUNT = 0x00BA;
inline constexpr Cardinal EM_LINEINDEX = 0x00BB;
inline constexpr Cardinal EM_LINELENGTH = 0x00C1;
inline constexpr Cardinal EM_GETLINE = 0x00C4;
inline constexpr Cardinal EM_FMTLINES = 0x00C8;
inline constexpr Cardinal EM_LINEFROMCHAR = 0x00C9;
inline constexpr Cardinal EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr Cardinal EM_POSFROMCHAR = 0x00D6;

enum class TUCLMemoScrollBarKind : Byte { skHorizontal, skVertical, skBoth, skAuto, skNone };

using TUCLOnMarginRowPaint =
    std::function<void(TPersistent* Sender, QPainter& Canvas, const TRect& R, Integer FirstChar, Integer Length)>;

class TUCLCustomMemo : public TUCLBaseEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomMemo, TUCLBaseEdit)
public:
    static constexpr int RowTableSize = 150;

    explicit TUCLCustomMemo(QWidget* Parent = nullptr);
    ~TUCLCustomMemo() override;

    TNotifyEvent OnRowCountChanged;
    TNotifyEvent OnCurrentRowChanged;
    TUCLOnMarginRowPaint OnMarginRowPaint;

    TUCLMemoStrings& Lines() { return FLines; }
    // The given lines' text becomes the text, viewed from its start.
    void SetLines(const TUCLMemoStrings& Value);
    bool WordWrap() const { return FWordWrap; }
    bool WantTabs() const { return FWantTabs; }
    bool WantReturns() const { return FWantReturns; }
    bool Lined() const { return FLined; }
    // 0 WordWrap, 1 WantTabs, 2 WantReturns (stored only), 3 Lined.
    void SetMemoOption(Integer Index, bool Value);
    TUCLMemoScrollBarKind ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TUCLMemoScrollBarKind Value);
    TUCLScrollBar* HorzBar() const { return FHorzBar; }
    TUCLScrollBar* VertBar() const { return FVertBar; }
    // Index 0 HorizScrollBar, 1 VertScrollBar.
    TUCLScrollBarObject& ScrollBarObject(int Index) { return Index == 0 ? FHorizScrollBar : FVertScrollBar; }
    void SetScrollBarObject(int Index, const TUCLScrollBarObject& Value);
    TUCLMarginObject& Margin() { return FMargin; }
    void SetMargin(const TUCLMarginObject& Value) { FMargin.Assign(Value); }
    const TRect& MarginRect() const { return FMarginRect; }
    TColor LineColor() const { return FLineColor; }
    Integer LineWidth() const { return FLineWidth; }
    // The ruled lines' pen.
    void SetLineStyle(TColor Color, Integer Width);
    Integer TabChars() const { return FTabChars; }
    void SetTabChars(Integer Value);   // 1 to 128; others are ignored
    bool AskForLoop = true;

    // The scroll state: 0 total rows, 1 top row number, 2 horizontal range,
    // 3 horizontal offset, 4 current row.
    void SetScrollInfo(int Index, Integer Value);
    Integer TotalRows() const { return FTotalRows; }
    Integer TopRow() const { return FTopRow; }
    Integer HorzRange() const { return FHorzRange; }
    Integer HorzOffset() const { return FScrollOffset; }
    Integer CurrentRow() const { return FCurrentRow; }
    Integer FirstVisible() const { return FFirstVisible; }
    Integer DisplayedRows() const { return FDisplayedRows; }
    Integer RowEntry(int Index) const { return FRowStarts[Index]; }
    Integer LineHeight() const { return FLineHeight; }
    // Rows that fit the text rectangle.
    Integer VisibleRows() const;

    void MeasureFont();
    // The width of S by the character table, tabs to the next tab stop.
    Integer TextWidth(const QString& S) const;
    // Rows of Text minus one (0 while the font is unmeasured or the text
    // rectangle has no width); lines ending CR LF widen the horizontal range.
    Integer CountRows(const QString& Text);
    Integer TextHeight(const QString& S) const override;

    // Row navigation by the row rule, positions 1-based.
    Integer NextRowStart(Integer Position) const;
    Integer PrevRowStart(Integer Position) const;
    // The start of Position's row and its number from 1.
    Integer RowStartOf(Integer Position, Integer& Number) const;
    Integer RowOfChar(Integer Position) const;
    // Where row Index (from 0) starts.
    Integer RowStart(Integer Index) const;
    // Position's row in the view's row table (at most 149).
    Integer RowOfPosition(Integer Position) const;
    Integer CaretColumn() const;
    Integer CaretRowLength() const;

    void ScrollRowsUp(Integer N);
    void ScrollRowsDown(Integer N);
    // The view starts at row Row (counted from 1); the new top row number.
    Integer ScrollToRow(Integer Row);
    void ScrollToCaret();
    void VertScroll(TPersistent* Sender, Integer Code, Integer& Pos);
    void HorzScroll(TPersistent* Sender, Integer Code, Integer& Pos);

    // The edit messages, with rows and characters counted from 0 as the
    // system's edit control counts them. EM_GETLINE copies the row's
    // characters (without its line break) into Line; EM_POSFROMCHAR also
    // stores the point in Point when given.
    Integer EditMessage(Cardinal Msg, Integer WParam, Integer LParam, AnsiString* Line = nullptr,
                        TPoint* Point = nullptr);
    bool FormatLines = false;   // EM_FMTLINES: stored only

    // Lays out the visible rows (the row table) and repaints.
    void RepaintText(Integer Position) override;

protected:
    friend class TUCLMemoStrings;

    Integer PosFromPoint(Integer X, Integer Y) override;
    void UpdateCaret() override;
    void TextAssigned() override;
    void TextChangedAt(Integer At) override;
    void CaretMoved() override;
    void AfterDelete(Integer Position, const QString& Deleted) override;
    void BeforeInsert(Integer Position, QString& S) override;
    void AdjustTextRect(TRect& TextArea) override;
    void TextRectsChanged() override;
    void AlignmentChanged() override;
    void EditKeyDown(Word& Key, TUCLEditMode Shift) override;
    void PaintText(QPainter& Painter) override;
    void GetChange(TPersistent* Sender) override;
    void ThemeChanged() override;

    bool event(QEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    // Horizontal scrolling applies only to unwrapped left-aligned text.
    bool Wraps() const { return FWordWrap || Alignment() != taLeftJustify; }
    Integer CharWidth(QChar C) const;
    Integer TabWidth() const { return FTabWidth; }
    // The last position of the row starting at Start within Text (1-based,
    // Text being the whole text unless given), by the row rule.
    Integer RowEnd(const QString& Text, Integer Start, Integer Available, bool* Wrapped = nullptr) const;
    QString RowText(Integer Start, Integer End) const { return FText.mid(Start - 1, End - Start); }
    void LayoutRows();
    void CountAll();
    void UpdateVertScrollBar();
    void UpdateHorzBarVisibility();
    void LayoutScrollBars();
    TUCLScrollBar* CreateBar(TUCLScrollBarKind Kind);
    Integer RowX(Integer RowWidth) const;
    void DrawRow(QPainter& Painter, Integer Start, Integer End, Integer Y);
    void PaintMargin(QPainter& Painter);
    void ScrollFlagged(const std::function<void()>& Action);
    // The caret to the same column of the row starting at RowStart.
    void CaretToColumn(Integer RowStart, Integer Column, Integer Trim);

    TUCLMemoStrings FLines;
    Integer FTotalRows = 0;
    Integer FRowsOutside = 0;
    Integer FCurrentRow = 0;
    Integer FHorzRange = 0;
    Integer FTopRow = 1;
    Integer FFirstVisible = 1;
    Integer FDisplayedRows = 0;
    bool FWordWrap = true;
    bool FWantTabs = false;
    bool FWantReturns = true;
    bool FLined = false;
    TUCLMarginObject FMargin;
    TRect FMarginRect;
    TColor FLineColor;
    Integer FLineWidth = 1;
    Integer FTabChars = 8;
    std::array<Integer, 256> FCharWidths{};
    Integer FTabWidth = 8;
    Integer FLineHeight = -1;
    std::array<Integer, RowTableSize> FRowStarts{};
    TUCLMemoScrollBarKind FScrollBars = TUCLMemoScrollBarKind::skNone;
    TUCLScrollBar* FHorzBar = nullptr;
    TUCLScrollBar* FVertBar = nullptr;
    TUCLScrollBarObject FHorizScrollBar;
    TUCLScrollBarObject FVertScrollBar;
    bool FScrolling = false;
    bool FDestroying = false;
};
