// A board: the object list of one circuit (the root board of the project or
// the hidden inner board of a macro), its part of the object stream, pin
// stubs, numbering and names, selection, clipboard copy and paste, and the
// normalisation that keeps wires joined end to end. A board works without a
// window; when a view shows it, repaint requests go to the view.
#pragma once

#include "engine/Bauteil.h"
#include "platform/Canvas.h"

#include <functional>
#include <vector>

class TSegment;
class TMakro;
class TBTPin;
class IFP_Element;
class TMemoryStream;

// What the board needs of the widget that shows it.
class IBoardView {
public:
    virtual ~IBoardView() = default;
    // Schedule a repaint of a rectangle in the view's pixels, without erasing.
    virtual void InvalidateDeviceRect(const TRect& rect) = 0;
    virtual void RepaintBoard() = 0;
    virtual Integer BoardCursor() const = 0;
    virtual void SetBoardCursor(Integer cursor) = 0;
    // Put the mouse pointer in the middle of the board's parent window.
    virtual void CentreMousePointer() = 0;
    // The selection as a picture on the system clipboard.
    virtual void CopySelectionPicture() = 0;
};

// The shell's progress window, reached through the hooks it installs.
struct TProgressHooks {
    std::function<void(const AnsiString& title, bool show)> Start;
    std::function<void(const AnsiString& title)> SetTitle;
    std::function<void(Integer percent)> SetPosition;
    std::function<void()> Close;
};
extern TProgressHooks BoardProgress;

inline constexpr Byte InMemoryVersion = 255;   // records copied inside the program
inline constexpr Byte PlacingMode = 3;
inline constexpr Integer PlacingCursor = 4;

class TPlatine {
public:
    TPlatine();
    virtual ~TPlatine();
    TPlatine(const TPlatine&) = delete;
    TPlatine& operator=(const TPlatine&) = delete;

    // ---- Object list and stream
    // Every object on the board, owned; drawing order and calculation order.
    std::vector<TBauteil*> Objects;
    TMemoryStream* ClipboardStream = nullptr;   // shared, owned by the main window
    bool WritingLibrary = false;
    AnsiString BoardName = "MAIN";
    const TPalette* BoardPalette = nullptr;
    TMakro* OwnerMacro = nullptr;               // inner boards: the macro
    TPlatine* ParentBoard = nullptr;            // inner boards: the board holding the macro
    bool Running = false;

    Integer PrintOriginX = 0;
    Integer PrintOriginY = 0;
    Integer PreviewOffsetX = 0;
    Integer PreviewOffsetY = 0;
    Integer PrintSize = 120;
    double PrintScale = 0.5;
    AnsiString PrintHeadline;
    bool PrintBlackWhiteOption = true;
    bool PrintCentred = true;
    bool PrintBackground = false;
    Integer PrinterIndex = -1;
    Integer PrintOrientation = 0;
    std::vector<AnsiString> PrintTextLines;

    std::function<void(TPlatine* board, TIOBauteil* component, TStream& stream, TReader& reader, Byte version)>
        OnNeuesBauteil;
    std::function<void(TPlatine* board, TIOBauteil* component, TStream& stream, TWriter& writer)> OnWriteFPDaten;
    std::function<void(TPlatine* board, TIOBauteil* component)> OnEntferneBauteil;
    std::function<void()> OnAktTools;
    // A macro record is being read: create the inner board and the panel
    // design when needed, read the inner board part and the design block,
    // and give the macro its pins.
    std::function<void(TMakro* macro, TStream& stream, TPlatine* board, TReader& reader, Byte version)>
        OnNeuesMakro;

    TPlatine* RootBoard();
    void WriteObjects(TStream& stream, TWriter& writer, bool selectionOnly);
    void ReadObjects(TStream& stream, TReader& reader, Byte version);
    void CopySelection();
    virtual void PasteFromStream(TStream& stream, Byte version);
    bool ClipboardFilled() const;
    // Appends an object made outside a stream the way the reader takes one in
    // (board, palette, stubs, number, names, hooks), without the read event.
    void InsertObject(TBauteil* object);
    void CreatePinStubs(TIOBauteil* component);
    void RemovePinStubs(TIOBauteil* component);
    void OnPinsChangedHandler(TIOBauteil* component);
    void SendToBack();
    void SelectAll(bool selected);
    bool AnySelected() const;
    bool OneComponentSelected() const;
    bool SelectedIsMacro() const;
    bool CanEditSelection() const;
    void EditSelection();
    void MirrorSelected();
    void InvalidateObject(const TBauteil* object);
    void SetBoardName(const AnsiString& name);
    void CreateDdeServerItems();
    void RenumberClass(const TClassInfo& cls);
    // Takes the object out of the list and destroys it; a component's
    // removal event fires first and its stubs go with it.
    void RemoveObject(TBauteil* object);
    // Clears every link in this board and its inner boards that points into
    // pins[0 .. count-1] (input sources, wired groups, wire and macro drivers).
    void ForgetPins(const TBauteilPin* pins, std::size_t count);

    // ---- Editing state used here (the editor builds on it)
    Byte Mode = 1;
    Byte PreviousMode = 1;
    Integer SavedCursor = 0;
    bool Tracking = false;
    TPoint TrackPoint;
    virtual void TakeSnapshot() {}
    void SelectObject(TBauteil* object, bool selected);
    void SelectPanelElement(IFP_Element* element, bool selected);
    Integer SelectedCount() const;
    TRect GetObjectsRect(bool selectedOnly) const;   // 0,0,0,0 when no object qualifies

    // ---- View: mapping and repaint requests
    double Zoom = 5.0;
    Integer ScrollX = 0;
    Integer ScrollY = 0;
    Integer Left = 0;          // the board control's place in its scroll box (-ScrollX, -ScrollY)
    Integer Top = 0;
    bool UpdateLocked = false;
    IBoardView* View = nullptr;
    TMapping BoardMapping() const;
    void PrepareCanvas(TCanvas& canvas) const;
    TPoint BoardToDeviceDelta(TPoint p) const;
    void Repaint();

    // ---- Wires
    std::vector<TSegment*> WorkList;   // not owned: the pieces one normalisation considers
    TSegment* LastWire = nullptr;
    TSegment* AddWire(TPoint p1, TPoint p2);
    void AddWireAndNormalise(TPoint p1, TPoint p2);
    void DetachWires();
    void NormaliseSelectedWires();
    void NormaliseAllWires();

    // ---- Macros (on an inner board)
    TPlatine* CreateInnerBoard(TMakro* macro);
    Integer MacroPinCount() const;
    AnsiString MacroPinName(Integer k) const;
    TBTPin* FindMacroPin(Integer k) const;
    void MacroPinEdited(TBTPin* pin);
    void ReadMacroRecord(TMakro* macro, TStream& stream, TReader& reader, Byte version);
    void WriteMacroRecord(TMakro* macro, TStream& stream, TWriter& writer);

private:
    void InstallHooks(TBauteil* object);
    void AdoptComponent(TIOBauteil* component);
    void DetachObject(TBauteil* object);
    void ReadPrintSettings(TReader& reader);
    void WritePrintSettings(TWriter& writer) const;
    TBauteil* CreateObject(const AnsiString& className);
    template <class F>
    void ForEachSelectedSegment(F&& f);

    void QueueWire(TSegment* wire);
    void QueueTouching(TSegment* wire);
    static bool TouchesWire(const TSegment* a, const TSegment* b);
    Integer CountEnds(TPoint p) const;
    bool CanMerge(const TSegment* a, const TSegment* b) const;
    void MergeWires(TSegment* a, TSegment* b);
    void MergeCollinear();
    void SplitWireAt(TSegment* wire, TPoint p);
    void SplitAtJunctions();
    void UpdateDots();
    void MarkConnectedPins();
    void UnmarkConnectedPins();
    void ClearWorkList() { WorkList.clear(); }

    bool destroying_ = false;
};
