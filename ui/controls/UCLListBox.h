// The library's list box: always owner-drawn, with its own selection colours,
// text margin, grid lines, bevelled focus mark, long-item options (ellipsis,
// horizontal scroll bar, hint with the full text), automatic item heights and
// an in-place editor (Insert, Ctrl+Insert, F2, Delete; Enter stores, Esc
// drops). Items are texts with an integer object each.
#pragma once

#include "ui/controls/UCLBase.h"

#include "platform/Colors.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>

#include <functional>

class QLabel;

enum TUCLListBoxEditOption : Byte {
    lboAllowDelete = 0x01, lboAllowEdit = 0x02, lboAllowInsert = 0x04, lboNo3DFrame = 0x08, lboSelectText = 0x10,
};
using TUCLListBoxEditOptions = Byte;

enum class TUCLListBoxLargeTextOptions { lbltNone, lbltEndEllipsis, lbltPathEllipsis, lbltHorzScrollBar, lbltShowHint };

// Owner-draw item state.
enum TOwnerDrawState : Byte { odSelected = 0x01, odFocused = 0x02, odDisabled = 0x04 };

class TUCLCustomListBox;

// The in-place editor: created by the list and freed when it closes.
class TUCLCustomListBoxEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TUCLCustomListBoxEdit(TUCLCustomListBox* List);
    int Tag = 0;   // edit index + 255 for an inserted item

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TUCLCustomListBox* FList;
};

class TUCLCustomListBox : public QListWidget, public TPersistent {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomListBox, TPersistent)
public:
    explicit TUCLCustomListBox(QWidget* Parent = nullptr);
    ~TUCLCustomListBox() override;

    using TDrawItemEvent = std::function<void(TUCLCustomListBox* Sender, int Index, QPainter& Canvas,
                                              const TRect& Rect, Byte State)>;
    using TMeasureItemEvent = std::function<void(TUCLCustomListBox* Sender, int Index, int& Height)>;

    // Settings (plain fields repaint on the next paint; setters below where a
    // write has more to do).
    bool Flat = false;
    bool HideFocus = false;
    bool HorzGridLine = false;
    TColor DisabledColor = clWindow;
    TColor SelectedColor = clHighlight;
    TColor SelectedFontColor = clHighlightText;
    TColor HorzGridColor = clSilver;
    Qt::PenStyle HorzGridStyle = Qt::SolidLine;
    bool HideSelection = false;
    bool CtlXP = true;
    bool BeveledFocus = false;
    TColor BevelFocusLightColor = clWhite;
    TColor BevelFocusShadowColor = clGray;
    Byte SelectedFontStyle = 0;   // TFontStyle bits
    TColor Color = clWindow;
    TUCLListBoxEditOptions EditOptions = 0;

    TNotifyEvent OnSelect;
    std::function<void(TUCLCustomListBox* Sender, int Index, bool& Cancel)> OnEditShow;
    std::function<void(TUCLCustomListBox* Sender, int Index, int& Height)> OnEditMeasure;
    std::function<void(TUCLCustomListBox* Sender, int Index)> OnEditChange;
    TNotifyEvent OnEditHide;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    // Items.
    int ItemCount() const { return count(); }
    QString ItemText(int Index) const;
    int ItemObject(int Index) const;
    int AddItem(const QString& Text, int Object = 0);   // sorted lists insert in order
    void InsertItem(int Index, const QString& Text, int Object = 0);
    void SetItemText(int Index, const QString& Text);
    void DeleteItem(int Index);
    void ClearItems();
    int IndexOf(const QString& Text) const;   // ignoring case; -1 when absent
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int Index);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void SetMultiSelect(bool Value);
    void SetColor(TColor Value);
    // A transparent list leaves its rows' background to what lies below it.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    Byte Margin() const { return FMargin; }
    void SetMargin(Byte Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    TUCLListBoxLargeTextOptions LargeTextOptions() const { return FLargeTextOptions; }
    void SetLargeTextOptions(TUCLListBoxLargeTextOptions Value);
    bool VerticalScrollBar() const { return FVerticalScrollBar; }
    void SetVerticalScrollBar(bool Value);
    bool ItemAutoHeight() const { return FItemAutoHeight; }
    void SetItemAutoHeight(bool Value);
    bool MeasureItemEvent() const { return FMeasureItemEvent; }
    void SetMeasureItemEvent(bool Value);
    bool VariableHeights() const { return FItemAutoHeight || FMeasureItemEvent; }
    int WidestItem() const { return FWidest; }

    // Virtual operations of the list.
    virtual int ItemTextWidth(int Index);
    virtual bool CanEditItems() const { return true; }
    virtual TRect GetItemRect(int Index) const;
    virtual QString GetItemText(int Index) const;
    virtual void DoSelect();
    virtual void EditItem(bool Insert, int Index);
    virtual void HideEditor();
    virtual void DrawItem(QPainter& Canvas, int Index, const TRect& Rect, Byte State);
    virtual void MeasureItem(int Index, int& Height);

    void DeleteSelected();
    void RecalcWidestItem();
    TUCLCustomListBoxEdit* Editor() const { return FEditor; }
    int EditIndex() const { return FEditIndex; }
    // The long-item hint window (nullptr before its first use).
    QLabel* HintWindow() const { return FHint; }
    void ShowItemHint(QPoint Pos);
    void HideItemHint();

    // Called by the editor.
    void EditorKeyDown(QKeyEvent* Event);

    // Draws one item as the owner-draw message does.
    void PaintItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected, bool Focused);
    int MeasuredHeight(int Index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Text laid out for drawing and measuring, with the flags of the options.
    int TextFlags() const;
    QString ShownText(const QString& Text, int Width) const;
    void RefreshItemSizes();

private:
    void WidthAdded(int Index);
    void WidthRemoved(int Index, int Width);
    int SortedPosition(const QString& Text) const;

    bool FSorted = false;
    bool FTransparent = false;
    bool FMultiLine = false;
    bool FVerticalScrollBar = true;
    bool FItemAutoHeight = false;
    bool FMeasureItemEvent = false;
    bool FSelecting = false;   // programmatic selection: no OnSelect
    TUCLListBoxLargeTextOptions FLargeTextOptions = TUCLListBoxLargeTextOptions::lbltNone;
    int FItemHeight = 16;
    Byte FMargin = 1;
    int FWidest = 0;
    int FEditIndex = -1;
    QPointer<TUCLCustomListBoxEdit> FEditor;
    QLabel* FHint = nullptr;
    int FHintIndex = -1;
};

// Publishes the list box's settings; adds nothing.
class TUCLExtListBox : public TUCLCustomListBox {
    Q_OBJECT
public:
    using TUCLCustomListBox::TUCLCustomListBox;
};

// --- the list box with header ---------------------------------------------

#include "ui/controls/UCLBaseEdit.h"   // TAlignment
#include "ui/controls/UCLCustomScrollBox.h"
#include "ui/controls/UCLIniCtrl.h"
#include "ui/controls/UCLSimpleLabel.h"   // the column text options

#include <QHeaderView>

class QStandardItemModel;
class TUCLListBox;

// A non-integer text where a number was expected.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
inline constexpr const char* SInvalidInteger = "'%s' ist kein g\xFCltiger Integerwert";

enum class TUCLLBGridLines : Byte { glNone, glHorizontal, glVertical, glBoth };
enum class TUCLIniUse : Byte { ioUseLink, ioUseGlobal, ioNone };
enum class TListBoxStyle : Byte { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

// The header above the list: sections with caption, width and alignment.
class TUCLHeaderControl : public QHeaderView {
    Q_OBJECT
public:
    explicit TUCLHeaderControl(QWidget* Parent = nullptr);

    int SectionCount() const;
    // Appends a section; returns its index.
    int AddSection(const QString& Text, int Width = 50, TAlignment Alignment = taLeftJustify);
    void ClearSections();
    QString SectionText(int Index) const;
    void SetSectionText(int Index, const QString& Text);
    int SectionWidth(int Index) const { return sectionSize(Index); }
    // Sets a width without reporting a user resize.
    void SetSectionWidth(int Index, int Width);
    TAlignment SectionAlignment(int Index) const;
    void SetSectionAlignment(int Index, TAlignment Value);
    bool HotTrack = false;   // kept for forms; the style decides hover looks
    bool Flat = false;       // flat sections rather than buttons

    // The user resized a section (not while a width is set by code).
    std::function<void(TUCLHeaderControl* Header, int Section)> OnSectionResize;

private:
    QStandardItemModel* FModel;
    bool FSettingWidth = false;
};

// The inner list: reports every mouse move to its owner.
class TUCLMyListBox : public TUCLExtListBox {
    Q_OBJECT
public:
    explicit TUCLMyListBox(TUCLListBox* Owner);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TUCLListBox* FOwner;
};

class TUCLListBox : public TUCLCustomScrollBox {
    Q_OBJECT
    ZK_CLASS(TUCLListBox, TUCLCustomScrollBox)
public:
    explicit TUCLListBox(QWidget* Parent = nullptr);
    ~TUCLListBox() override;

    using TSectionEvent = std::function<void(TPersistent* Sender, int Section, int Width)>;
    using TSectionNotifyEvent = std::function<void(TUCLHeaderControl* Header, int Section)>;
    using TDrawItemEvent = TUCLCustomListBox::TDrawItemEvent;
    using TIniEvent = std::function<void(TPersistent* Sender, TUCLIniCtrl* IniCtrl, const AnsiString& Section)>;
    // The last word on a row's background, font and font colour.
    using TGetLineSettingsEvent =
        std::function<void(TUCLListBox* Sender, int Index, Byte State, TColor& Back, QFont& Font, TColor& FontColor)>;
    using TCompareItemEvent =
        std::function<void(TPersistent* Sender, const AnsiString& S1, const AnsiString& S2, signed char& Result)>;

    TUCLHeaderControl* Header() const { return FHeader; }
    TUCLMyListBox* List() const { return FList; }

    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char Value);
    TUCLLBGridLines GridLines() const { return FGridLines; }
    void SetGridLines(TUCLLBGridLines Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    Byte SelectedFontStyle() const { return FSelectedFontStyle; }
    void SetSelectedFontStyle(Byte Value);
    TUCLLabelOptions ColumnOptions() const { return FColumnOptions; }
    void SetColumnOptions(TUCLLabelOptions Value);
    Qt::PenStyle GridStyle(int Index) const { return Index == 0 ? FGridHorzStyle : FGridVertStyle; }
    // Index 0 GridHorzStyle, 1 GridVertStyle.
    void SetGridStyle(int Index, Qt::PenStyle Value);

    // Indexed Boolean options: 0 Enabled, 1 ExtendedSelect, 2 HeaderVisible,
    // 3 MultiSelect, 4 Sorted, 5 AllowResize, 6 ShowHint, 7 ParentShowHint,
    // 8 TabStop, 9 ItemAutoHeight, 12 HeaderHotTrack, 13 HeaderFlat,
    // 14 AlternateColors, 15 BeveledFocus, 16 VirtualAutoWidth, 21 AutoScroll
    // (always false). Other indexes read false and are ignored.
    bool GetBooleanOption(int Index) const;
    void SetBooleanOption(int Index, bool Value);
    // Indexed colours: 0 Color (the list's), 1 SelectedColor, 2 GridHorzColor,
    // 3 GridVertColor, 4 SelectedFontColor, 5 AltLineColor, 6 AltFontColor,
    // 7 BevelFocusShadowColor, 8 BevelFocusLightColor; others read white.
    TColor GetColorOption(int Index) const;
    void SetColorOption(int Index, TColor Value);
    // 0 HeaderHeight, 1 ItemIndex, 2 TopIndex, 3 SelCount, 4 ItemHeight,
    // 5 number of sections; others read 0. Writable: 0, 1, 2, 4.
    int GetIntegerInfo(int Index) const;
    void SetIntegerInfo(int Index, int Value);
    int SelCount() const { return GetIntegerInfo(3); }
    bool AlternateColors() const { return FAlternateColors; }

    TUCLMyListBox* GetItems() const { return FList; }
    bool GetSelected(int Index) const { return FList->Selected(Index); }
    TUCLHeaderControl* GetHeaderSections() const { return FHeader; }
    void Clear() { FList->ClearItems(); }
    void SetFocus();
    bool Focused() const;
    QFont HeaderFont() const { return FHeader->font(); }
    void SetHeaderFont(const QFont& Value) { FHeader->setFont(Value); }
    void SetListFont(const QFont& Value);
    void SetOnSelect(TNotifyEvent Handler) { FList->OnSelect = std::move(Handler); }

    int VirtualWidth() const { return FVirtualWidth; }
    void SetVirtualWidth(int Value);
    void UpdateVirtualWidth();
    int TotalColumnWidth() const;

    // Column widths in the settings component.
    TUCLIniCtrl* IniLink() const { return FIniLink; }
    void SetIniLink(TUCLIniCtrl* Value);
    TUCLIniUse IniUse = TUCLIniUse::ioNone;
    AnsiString Section = "Common";
    AnsiString IniKey = "ListBoxData";
    virtual void IniReadData();
    virtual void IniWriteData();
    // "50,60,70": section i gets the i-th width; missing sections are added
    // as "S. 2", "S. 3" ... A piece that is no integer raises EConvertError
    // before any width changes.
    void ApplyColumnWidths(const AnsiString& Text);
    AnsiString GetColumnWidths() const;

    // After the settings were set up (the end of reading a form): widths from
    // the settings component, virtual width, layout.
    bool Loading() const { return FLoading; }
    void BeginLoading();
    virtual void Loaded();

    virtual void ListMouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {}
    // Draws one row; the inner list's owner-draw handler.
    void DrawListItem(TUCLCustomListBox* Control, int Index, QPainter& Canvas, const TRect& Rect, Byte State);
    Cardinal DrawTextFlags() const;

    TSectionEvent OnHeaderSized;
    TSectionNotifyEvent OnHeaderSectionResize;
    TDrawItemEvent OnDrawItem;
    TDrawItemEvent OnPrepareDrawItem;
    TCompareItemEvent OnSSCompareItem;   // kept for forms; never raised
    TIniEvent OnIniReadData, OnIniWriteData;
    TGetLineSettingsEvent OnGetLineSettings;

    void SetTransparent(bool Value) override;

protected:
    virtual void AlignControls();
    void ClientResized() override;
    void HeaderSectionResized(TUCLHeaderControl* Header, int Section);
    void resizeEvent(QResizeEvent* Event) override;

private:
    TUCLIniCtrl* ActiveIniCtrl() const;
    void RefreshList();

    TUCLHeaderControl* FHeader = nullptr;
    TUCLMyListBox* FList = nullptr;
    char FDelimiter = ';';
    TUCLLBGridLines FGridLines = TUCLLBGridLines::glNone;
    TListBoxStyle FStyle = TListBoxStyle::lbStandard;
    TColor FAltLineColor;
    TColor FAltFontColor;
    TColor FGridHorzColor;
    TColor FGridVertColor;
    Byte FSelectedFontStyle = 0;
    TUCLLabelOptions FColumnOptions = 0;
    Qt::PenStyle FGridHorzStyle = Qt::SolidLine;
    Qt::PenStyle FGridVertStyle = Qt::SolidLine;
    bool FAlternateColors = false;
    bool FVirtualAutoWidth = false;
    bool FExtendedSelect = true;
    bool FHeaderVisible = true;
    bool FAllowResize = true;
    bool FShowHint = false;
    bool FParentShowHint = true;
    int FVirtualWidth = 0;
    int FHeaderHeight = 17;
    QPointer<TUCLIniCtrl> FIniLink;
    bool FLoading = false;
    bool FDestroying = false;
};
