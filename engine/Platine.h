// A board: the object list of one circuit (the root board of the project or
// the hidden inner board of a macro), its part of the object stream, pin
// stubs, numbering and names, selection, clipboard copy and paste, and the
// normalisation that keeps wires joined end to end; and, for its view, zoom,
// painting and the mouse editing. A board works without a window; when a
// view shows it, repaint and scroll requests go to the view.
#pragma once

#include "engine/Bauteil.h"
#include "engine/Feedback.h"
#include "platform/Canvas.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class TSegment;
class TWireIndex;
class TMakro;
class TBTJump;
class TBTPin;
class IFP_Element;
class TMemoryStream;
class IDdeConversation;

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
    // The scroll box around the board: its outer size, and its client area
    // in screen pixels.
    virtual TPoint ScrollBoxSize() const = 0;
    virtual TRect ScrollBoxScreenRect() const = 0;
    // The mouse pointer at the latest mouse event, in screen pixels.
    virtual TPoint CursorScreenPos() const = 0;
    // The board's size changed (zoom): new scroll ranges, same offsets.
    virtual void BoardResized() = 0;
    // The board changed its zoom or wants other scroll offsets: the scroll
    // box scrolls to ScrollX, ScrollY as far as it can and the board takes
    // back the offsets it got.
    virtual void BoardChanged() = 0;
    virtual void BoardDestroyed() = 0;
    // False while the view cannot be seen; the live displays skip it then.
    virtual bool BoardVisible() const { return true; }
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The board's message to the main window with the hint text of the object
// under the mouse (a zero-terminated text in lParam, 0 to hide the hint).
inline constexpr Cardinal WM_BOARDHINT = 0x0400 + 15;
// A component's message to the main window to repaint it on the shown board
// (the object in lParam), sent when its selection changes.
inline constexpr Cardinal WM_BOARDREPAINTOBJECT = 0x0400 + 1;

inline constexpr Byte InMemoryVersion = 255;   // records copied inside the program
// The board editor's mouse mode: zoom, select and move, wire, place (a
// pasted or picked object hangs at the cursor), text.
enum class TBoardMode : Byte { Zoom, Select, Wire, Placing, Text };

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
    // Every component of these classes numbered 1.. in list order, in one pass.
    void RenumberClasses(const std::unordered_set<const TClassInfo*>& classes);
    // Takes the object out of the list and destroys it; a component's
    // removal event fires first and its stubs go with it.
    void RemoveObject(TBauteil* object);
    // Clears every link in this board and its inner boards that points into
    // pins[0 .. count-1] (input sources, wired groups, wire and macro drivers).
    // Inside a TForgetBatch of the root board, once at the batch's end for
    // all pins given meanwhile.
    void ForgetPins(const TBauteilPin* pins, std::size_t count);
    struct TForgetBatch {
        explicit TForgetBatch(TPlatine& root);
        ~TForgetBatch();
        TForgetBatch(const TForgetBatch&) = delete;
        TForgetBatch& operator=(const TForgetBatch&) = delete;
        TPlatine& Root;
    };

    // ---- Editing state used here (the editor builds on it)
    TBoardMode Mode = TBoardMode::Select;
    TBoardMode PreviousMode = TBoardMode::Select;
    Integer SavedCursor = 0;
    bool Tracking = false;
    TPoint TrackPoint;
    // Wiring: the control point of the left press that started or continued
    // the wire, so that a release elsewhere (a drag) ends the piece there.
    std::optional<TPoint> WirePress;
    // The undo hook: every edit asks for a snapshot first. The board keeps no
    // edit history, so nothing is recorded and Undo and Redo change nothing.
    virtual void TakeSnapshot() {}
    void Undo() {}
    void Redo() {}
    void SelectObject(TBauteil* object, bool selected);
    void SelectPanelElement(IFP_Element* element, bool selected);
    Integer SelectedCount() const;
    TRect GetObjectsRect(bool selectedOnly) const;   // 0,0,0,0 when no object qualifies

    // ---- Editor: mouse modes, selection and wire drawing
    // TrackPoint: select and place modes the mouse position (board-control pixels) of
    // the last drag step; wire mode the start of the wire piece, in board units.
    TPoint WireEnd;
    std::unique_ptr<TSelector> Selector;
    std::unique_ptr<TTempline> Templine;
    std::unique_ptr<TFadenKreuz> Crosshair;
    bool SuppressMouseDown = false;
    std::uintptr_t MainWindowHandle = 0;   // receives WM_BOARDHINT
    std::function<void()> OnModeChange;
    std::function<void()> OnPopupRequest;
    // Shift is the shift-state byte (0x01 Shift, 0x02 Alt, 0x04 Ctrl); X, Y
    // are pixels relative to the board control.
    void MouseDown(TMouseButton button, Byte shift, Integer x, Integer y);
    void MouseUp(TMouseButton button, Byte shift, Integer x, Integer y);
    void MouseMove(Byte shift, Integer x, Integer y);
    void DblClick();
    void SelectClick(Integer x, Integer y, Byte shift, TMouseButton button);
    void WireClick(Integer x, Integer y, TMouseButton button);
    void ConfineCursor();
    void ReleaseCursor();
    // The axis-parallel point for a piece from s towards p (a tie is vertical).
    static TPoint AxisPoint(TPoint s, TPoint p);
    void UpdateCursor(Integer x, Integer y);
    void MoveCrosshair(Integer x, Integer y);
    bool IsOverPinEnd(TPoint boardPoint) const;
    TSegment* StubAtPinBody(TPoint boardPoint) const;
    void ShowHintAt(Integer x, Integer y);
    // Hides the main window's hint box: the mouse left the board, or what the
    // box described changed (objects added or removed, zoom, scrolling).
    void HideHint();
    // The last wire under the control point that an output drives, or nullptr.
    TSegment* DrivenWireAt(Integer x, Integer y) const;
    // The selected non-wire object when it is the only one, else nullptr.
    TBauteil* SingleSelected() const;
    static void NormaliseRect(TRect& r);

    // ---- Moving, deleting and tidying up the selection
    bool Moved = false;
    bool FirstMove = true;
    std::vector<TGummibandPoint> RubberBands;
    bool PlacedFromLibrary = false;
    bool DeletingMacroPin = false;
    void DragMove(Integer x, Integer y, Byte shift);
    void EndDrag(Integer x, Integer y, Byte shift, TMouseButton button);
    void CollectRubberBands();
    // Shows or hides the red previews (the paint draws them while the drag's
    // rubber bands are active).
    void DrawRubberBands(bool show);
    void FreeRubberBands() { RubberBands.clear(); }
    void DeleteSelected();
    void BringToFront();
    void DeleteZeroLengthWires();
    // Selects one more wire piece with a free end; false when there is none.
    bool SelectLooseWire();
    // As SelectLooseWire until it finds none, in one pass; answers how many.
    Integer SelectAllLooseWires();

    // ---- View: mapping and repaint requests
    // 254 board units (one inch) are round(Zoom * 16) pixels.
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

    // ---- View: size, zoom, painting and scrolling
    Integer Grid = 20;
    Integer BoardWidth = 20000;
    Integer BoardHeight = 20000;
    Integer Width = 6299;      // the board control in pixels: BoardWidth * round(Zoom * 16) div 254
    Integer Height = 6299;
    Byte AutoScrollDir = 0;    // 0 none, 1 up, 2 down, 3 left, 4 right
    bool CursorConfined = false;
    bool GridVisible = false;  // read on the root board only
    bool PrintMode = false;    // handed to every object while it is drawn
    // After the board changed its zoom or its scroll offsets.
    std::function<void()> OnChange;
    void SetZoom(double zoom);
    void ZoomIn(TPoint controlPoint);
    void ZoomOut(TPoint controlPoint);
    void ZoomToRect(TPoint controlPoint);
    void ZoomToFit();
    void ZoomToObjects(bool selectedOnly);
    void WheelZoom(bool up);
    TPoint DeviceToBoard(TPoint controlPoint) const;
    TPoint BoardToParent(TPoint boardPoint) const;
    TPoint SnapToGrid(TPoint boardPoint) const;
    void CheckAutoScroll();
    void AutoScrollTick();
    // Background, grid, objects and the editing feedback.
    void Paint(TCanvas& canvas);
    virtual void DrawObjects(TCanvas& canvas);
    void DrawGrid(TCanvas& canvas);
    // Marks an area in board units for repainting.
    void InvalidateBoardRect(const TRect& r);
    // The selected objects, drawn unselected, on the system clipboard as a
    // picture (SVG and PNG).
    void CopyAsMetafile();

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

    // ---- Jumps (Jump.cpp): this board's own jumps in object order, as the
    // last ListJumps found them.
    std::vector<TBTJump*> JumpList;
    void ListJumps();

    // ---- Simulation (PlatineSimulation.cpp). The run lists are rebuilt at
    // each start and keep their contents after a stop.
    std::vector<TIOBauteil*> CalcList;   // every component in object order, macros and macro pins included
    std::vector<TBauteil*> TickList;     // every object with NeedsTimerTick
    std::vector<TMakro*> MacroList;      // the recursive passes descend through these
    std::vector<TSegment*> WireList;     // every wire and pin stub
    Integer StepCounter = 0;             // root board: steps since the last rate display
    bool ShowLineStates = false;         // root board: the two display switches
    bool ShowComponentStates = false;
    // The start, on the root board: run lists, nets, input links, DDE
    // clients, wired groups, reset. On an error the board steps nothing.
    void PrepareSimulation();
    // Every component's stop hook, devices detached, DDE conversations freed.
    void StopSimulation();
    void Step();
    void Tick();
    void RecolourWires();
    void RefreshLiveStates();
    void SetShowLineStates(bool show);
    void SetShowComponentStates(bool show);
    void SaveComponentStates(TCustomIniFile& ini);
    void LoadComponentStates(TCustomIniFile& ini, Integer flag);
    // Every component from this board down in object order, each macro
    // replaced at its place by those of its inner board, macro pins left out.
    void CollectComponents(std::vector<TIOBauteil*>& list) const;
    void DdeConversationClosed(IDdeConversation* conversation);

private:
    using TClassCounts = std::unordered_map<const TClassInfo*, Integer>;
    // Components per class on the board.
    TClassCounts CountClasses() const;
    // The number, and the names of its panel element or macro panel.
    void NumberComponent(TIOBauteil* component, Integer number);
    // What SetBoardName and CreateDdeServerItems do for this one object.
    void NameObject(TBauteil* object);
    void InstallHooks(TBauteil* object);
    void AdoptComponent(TIOBauteil* component);
    void DetachObject(TBauteil* object);
    void ReadPrintSettings(TReader& reader);
    void WritePrintSettings(TWriter& writer) const;
    // One display switch set on every object, here and on the macros' inner
    // boards; the object's pending refresh for it is dropped.
    void SetDisplaySwitch(bool TBauteil::*displaySwitch, bool TBauteil::*dirty, bool show);
    TBauteil* CreateObject(const AnsiString& className);
    template <class F>
    void ForEachSelectedSegment(F&& f);

    void QueueWire(TSegment* wire);
    void UnqueueWire(const TBauteil* object);
    // Queues the unselected pieces (indexed, in list order) that touch wire.
    void QueueTouching(const TWireIndex& unselected, const std::vector<TSegment*>& wires, TSegment* wire);
    std::vector<TSegment*> UnselectedWires() const;
    Integer CountEnds(TPoint p) const;
    bool CanMerge(const TSegment* a, const TSegment* b) const;
    void MergeWires(TSegment* a, TSegment* b);
    void MergeCollinear();
    void SplitWireAt(TSegment* wire, TPoint p);
    void SplitAtJunctions();
    void UpdateDots();
    void MarkConnectedPins();
    void UnmarkConnectedPins();
    void ClearWorkList();
    Integer SelectLooseWires(Integer most);

    void CentreOn(TPoint boardPoint);
    void Changed();
    TPoint ScrollBoxSize() const;
    bool IsHit(const TBauteil* object, Integer x, Integer y, const TCanvas& hitCanvas) const;
    void PlaceTextLabel(TPoint boardPoint);
    void PaintFeedback(TCanvas& canvas);
    static bool Intersects(const TRect& a, const TRect& b);

    void BuildRunLists(TPlatine& root);
    void ResetNets();
    void PrepareCircuit(const std::vector<TBauteilPin*>& drivers);
    void ResolveDrivers(const std::vector<TBauteilPin*>& drivers);
    void ConnectDdeClients();
    void ClearWiredGroups();
    void ResetAllForStart();
    void ClearRunLists();
    // This board's run lists and step program, without its macros' boards.
    void EmptyRunLists();
    void AbortPreparation();
    void StopBoard(std::exception_ptr& failure);
    void RefreshAfterStep();
    bool BoardVisible() const;

    // The compiled step, held by the root board for the whole tree: the run
    // lists of every board in the order the boards step (a board's own list,
    // then its macros' inner boards, each followed by its display refresh),
    // with every plain logic component of a run of them turned into a cell of
    // one flat array; the other components keep their Calculate. One program
    // keeps the cells of all boards in one array walked front to back, so the
    // lines of the pins ahead can be fetched while the cells before them run.
    // Built at the end of preparation, used while no pin list, link or
    // inversion changed since.
    struct TGateCell {
        const Byte* In0;         // level bytes the inputs read (a constant for an open input)
        const Byte* In1;
        TBauteilPin* Out;
        Byte Table;              // bit (in0 | in1 << 1): the output level, inversions folded in
    };
    struct TStepItem {
        TIOBauteil* Component;   // its Calculate, else
        TPlatine* Board;         // an inner board's display refresh, else the cells [First, Last)
        std::uint32_t First;
        std::uint32_t Last;
    };
    std::vector<TGateCell> gateCells_;
    // Per cell: its output level, written beside the pin's; a cell whose
    // input is another cell's output of the same board reads it here, so a
    // large netlist's reads stay within a small array instead of one cache
    // line per pin. Only the cells write a cell's output while the program runs.
    std::vector<Byte> cellLevels_;
    std::vector<TIOBauteil*> cellComponents_;   // per cell: its component
    std::vector<TStepItem> stepProgram_;
    std::uint64_t programGeneration_ = 0;
    bool programBuilt_ = false;
    static bool MakeGateCell(TIOBauteil& component, TGateCell& cell);
    void BuildStepProgram();
    // Appends board's run list and its inner boards' to this (root) board's
    // program; cells [first, last) of each board are noted in boardCells.
    void AppendStepProgram(const TPlatine& board, std::vector<std::pair<std::size_t, std::size_t>>& boardCells);
    void RunStepProgram();
    void RunGateCells(std::size_t first, std::size_t last);

    using TPinRange = std::pair<const TBauteilPin*, const TBauteilPin*>;   // [first, second)
    void ForgetPinRanges(const std::vector<TPinRange>& ranges);
    // A bulk removal: the objects in `removed` are erased from the list and
    // deleted in one pass, and the classes in `renumber` numbered again.
    void FlushRemovals(std::unordered_set<TBauteil*>& removed, std::vector<TBauteil*>& doomed,
                       std::unordered_set<const TClassInfo*>& renumber);

    bool destroying_ = false;
    std::unordered_set<TBauteil*> queued_;   // the pieces in WorkList
    // Ends per point over WorkList, counted again after any change.
    mutable std::unordered_map<std::uint64_t, Integer> endCounts_;
    mutable bool endsCounted_ = false;
    Integer forgetBatch_ = 0;
    std::vector<TPinRange> pendingForget_;
};
