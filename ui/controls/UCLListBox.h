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
