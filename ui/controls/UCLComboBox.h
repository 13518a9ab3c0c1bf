// The library's combo box: a delayed prefix search that completes the typed
// text to the first matching item, a block of recently chosen entries at the
// top of the list, a control that takes the focus after a choice, and an
// adjustable width of the dropped-down list.
#pragma once

#include "ui/controls/UCLBase.h"
#include "ui/controls/UCLTimerPool.h"

#include "platform/Colors.h"

#include <QComboBox>
#include <QPointer>

#include <functional>
#include <memory>

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TUCLCustomComboBox : public QComboBox, public TPersistent {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomComboBox, TPersistent)
public:
    explicit TUCLCustomComboBox(QWidget* Parent = nullptr);
    ~TUCLCustomComboBox() override;

    using TDrawItemEvent = std::function<void(TUCLCustomComboBox* Sender, int Index, QPainter& Canvas,
                                              const QRect& Rect, bool Selected)>;

    bool Flat = false;
    TNotifyEvent OnSelect;
    TNotifyEvent OnChange;
    TNotifyEvent OnEditClick;
    TNotifyEvent OnDblClick;
    TDrawItemEvent OnDrawItem;
    bool UseGlobalTimer = false;
    Word Interval = 1500;   // search delay in ms

    // Items.
    int ItemCount() const { return count(); }
    QString ItemText(int Index) const { return itemText(Index); }
    int ItemObject(int Index) const;
    int AddItem(const QString& Text, int Object = 0);   // sorted lists insert in order
    void InsertItem(int Index, const QString& Text, int Object = 0);
    void DeleteItem(int Index) { removeItem(Index); }
    void ClearItems() { clear(); }
    int ItemIndex() const { return currentIndex(); }
    // An index outside the items leaves nothing chosen (-1).
    void SetItemIndex(int Index);
    QString Text() const { return currentText(); }
    void SetText(const QString& Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TComboBoxStyle Style() const { return FStyle; }
    virtual void SetStyle(TComboBoxStyle Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    void SetColor(TColor Value);
    void SetFontColor(TColor Value);

    bool Search() const { return FSearch; }
    void SetSearch(bool Value);   // switching on also sorts
    bool MRUList() const { return FMRUList; }
    void SetMRUList(bool Value);
    int MRUMax() const { return FMRUMax; }
    void SetMRUMax(int Value);
    int RecentCount() const { return FRecentCount; }
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* Value) { FFocusControl = Value; }

    // The search timer (nullptr until a key creates it) and its handler.
    TUCLTimer* SearchTimerObject() const { return FSearchTimer.get(); }
    void SearchTimer();

    // A list entry was chosen: OnSelect, recent entries, focus hand-over.
    void ChooseItem(int Index);
    virtual void DoSelect();
    virtual void Change();   // OnChange
    virtual void DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected);
    virtual void MeasureItem(int Index, int& Height);
    int MeasuredHeight(int Index);
    bool DroppedDown() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showPopup() override;
    void EndHot();
    void HandOverFocus(bool Posted);

private:
    void StopSearchTimer();
    void ApplyStyle();

    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    bool FSorted = false;
    bool FSearch = false;
    bool FMRUList = false;
    int FMRUMax = 5;
    int FRecentCount = 0;
    int FDropDownWidth = 0;
    int FItemHeight = 16;
    bool FKeyNavigation = false;
    bool FEditFocused = false;
    QPointer<QWidget> FFocusControl;
    std::unique_ptr<TUCLTimer> FSearchTimer;
};

// Publishes the combo box's settings; adds nothing.
class TUCLComboBox : public TUCLCustomComboBox {
    Q_OBJECT
public:
    using TUCLCustomComboBox::TUCLCustomComboBox;
};
