// The front-panel element that holds other elements: the root panel of the
// window and each macro's nested panel. It keeps its elements in one stacking
// order, shows only those of the active page, edits them with the mouse
// (selection frames, rubber band, pop-up menu, alignment, grid) or lets them
// work, stores its decorations and its own look in the design block, and
// passes run-time state, names, hotkeys and reset on to its children.
#pragma once

#include "panel/framework/FP_Element.h"

#include <QMenu>
#include <QPointer>

#include <functional>
#include <memory>

class TSizer;
class QTabBar;

// The window the container asks to show or hide its hint box: a widget above
// the container that implements this (the front-panel window).
class IPanelHintWindow {
public:
    virtual ~IPanelHintWindow() = default;
    // nullptr or an empty text hides the box.
    virtual void ShowHintText(const AnsiString* text) = 0;
};

class TDesign : public TFP_Element, public IDesign {
    ZK_CLASS(TDesign, TFP_Element)
public:
    TDesign();
    ~TDesign() override;

    bool isEditing = true;
    bool Shown = true;   // the published isVisible (QWidget has its own isVisible)
    Integer AktiveFrontplatte = 0;
    bool MovedDuringDrag = false;
    std::vector<TFP_Element*> Elements;   // owned; first = bottom
    std::vector<TSizer*> Selection;      // in the order the elements were selected
    QMenu* PopupMenu;
    bool IsRootPanel = false;
    QTabBar* PageTabs = nullptr;
    // "Properties..." with nothing selected (the window's panel dialog).
    std::function<void()> OnProperties;
    // Fired after the page tabs changed through the pop-up menu.
    std::function<void()> OnPageTabsChanged;
    // Where elements of other pages are parked; the root container makes its
    // own when the window gives it none.
    QWidget* HiddenPanel = nullptr;
    // The rubber band being dragged (container coordinates) and whether it shows.
    QRect RubberRect;
    bool RubberShown = false;

    // ---- IDesign
    TFP_Element* AddElement(const AnsiString& className) override;
    void RemoveElement(IFP_Element* element) override;
    Integer IndexOfElement(const IFP_Element* element) const override;
    void SelectElement(Integer index) override;
    bool IsSelected(const IFP_Element* element) const override;
    void DeselectElement(IFP_Element* element) override;
    void DeselectIndex(Integer index) override;
    void RenumberZOrder() override;
    void SortByZOrder() override;
    void RefreshTransparency(IFP_Element* requester) override;
    void WriteToStream(TStream& stream, TWriter& writer) override;
    void ReadFromStream(TStream& stream, TReader& reader, Byte version) override;
    void ReadElement(IFP_Element* element, TStream& stream, TReader& reader, Byte version) override;
    void WriteElement(IFP_Element* element, TStream& stream, TWriter& writer) override;
    void SetNewElementPage(Integer page) override { newElementPage_ = page; }
    void BringSelectionToFront() override;
    bool HasOnlySubPanels() const override;
    void SetisVisible(bool visible) override;
    // The same by the element class's pointer, compared as an address only:
    // an element already freed is simply not found. (Its pointer converted
    // to the interface, a virtual base, would read the freed object.)
    Integer IndexOfElement(const TFP_Element* element) const;
    void RemoveElement(TFP_Element* element);
    bool IsSelected(const TFP_Element* element) const;
    void DeselectElement(TFP_Element* element);

    // ---- Element overrides
    void Paint(TCanvas& canvas) override;
    void ResetToDefault() override;
    void ClearContents() override;
    void SetFrontplattenNR(Integer page) override;
    void SaveState(TCustomIniFile& file, const AnsiString& prefix) override;
    bool LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly) override;
    bool MatchFullName(const AnsiString& prefix, const AnsiString& section) override;
    void HotkeyDown(Word key, Byte shift) override;
    void HotkeyUp(Word key, Byte shift) override;
    bool GetPublish() const override;

    // ---- The container's own operations
    static bool IsDecoration(const TFP_Element* element);
    void RemoveDecorations();
    void SetisEditing(bool editing);
    void SendSelectionToBack();
    // The union of every element's rectangle; clears the selection first.
    TRect GetContentBounds();
    void SetAktiveFrontplatte(Integer page);
    void MoveSelectionToPanel(Integer page);
    AnsiString GetPanelCaption() const;
    // 0 left, 1 right, 2 top, 3 bottom, 4 horizontal centre, 5 vertical centre.
    void AlignSelection(Integer kind);
    // The element list index at a point in container coordinates, -1 for none.
    Integer HitTest(QPoint point) const;
    // A frame's drag: moves every selected frame by the frame's offset.
    void MoveSelection(TSizer* sizer);
    void StartMoving(TSizer* sizer);
    void EndMoving(TSizer* sizer);
    // Moves the selection by one step as the window's cursor keys do.
    void MoveSelectionBy(Integer dx, Integer dy);
    // The frame's requests: select the unselected element above the point
    // instead (true when it did); drop the element from the selection.
    bool SizerHitRequest(TFP_Element* element, QPoint containerPoint);
    void SizerDeselectRequest(TFP_Element* element);
    // The mouse over the container (also what a frame passes on).
    void ContainerMouseMove(QPoint point, Qt::MouseButtons buttons);
    // The resize outline a frame shows, in container coordinates (empty: none).
    void ShowOutline(const QRect& outline);
    // The parking panel of the page switching (nullptr for nested containers).
    QWidget* ParkingPanel();
    // The pop-up menu's commands.
    void PopupProperties();
    void PopupPanelLook();
    void PopupWebSettings();
    void DuplicateSelection();
    void DeleteSelection();
    void AddDecoration(const char* className);
    // Fills and enables the pop-up menu for the current selection.
    void PrepareMenu();
    TFP_Element* SelectedElement(std::size_t i) const;
    // Asks the window above for the hint box.
    void RequestHint(const AnsiString* text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class TOverlay;
    TOverlay* overlay_;
    std::unique_ptr<QWidget> ownHiddenPanel_;
    Integer newElementPage_ = 0;
    QPoint rubberStart_;
    bool rubberDragging_ = false;
    // The frame of the element a press selected: the drag that follows the
    // press moves the selection through it.
    QPointer<QWidget> pressedFrame_;
    std::vector<QAction*> menuItems_;

    void BuildMenu();
    void UpdateSizeable();
    TSizer* SizerOf(const IFP_Element* element) const;
    TFP_Element* ElementOf(const IFP_Element* element) const;
    bool IsTopContainer() const;
    void AddPageTab();
    void PlaceOnPages();
};

// The name without folder and extension, in upper case (the project title).
AnsiString FileTitleUpper(const AnsiString& fileName);
