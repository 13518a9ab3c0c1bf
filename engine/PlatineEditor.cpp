// The board editor's mouse handling: the five editing modes, hit tests,
// selection by click and by rubber rectangle, the start of a drag, pin
// inversion by a click where the pin meets the body, wires drawn as chains of
// horizontal and vertical pieces, text labels, cursors and hints.
#include "engine/Platine.h"

#include "engine/Globals.h"
#include "engine/Segment.h"
#include "platform/ClassRegistry.h"
#include "platform/Messages.h"
#include "platform/MouseCursor.h"
#include "platform/ScreenCursors.h"
#include "platform/VirtualKeys.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr const char* TextLabelClass = "TText";
// Device pixels a pressed mouse may move before a press and release count as
// a drag rather than a click.
constexpr Integer DragThreshold = 5;

} // namespace

bool TPlatine::IsHit(const TBauteil* object, Integer x, Integer y, const TCanvas& hitCanvas) const
{
    return object->HitTest(TPoint{x - ScrollX, y - ScrollY}, hitCanvas);
}

void TPlatine::MouseDown(TMouseButton button, Byte shift, Integer x, Integer y)
{
    if (SuppressMouseDown) {
        SuppressMouseDown = false;
        return;
    }
    if (button == TMouseButton::mbRight) {
        if (Selector) {
            Selector->Finish();
            Selector.reset();
        }
        if (Mode == TBoardMode::Select)
            SelectClick(x, y, shift, button);
        else if (Mode == TBoardMode::Text)
            Mode = TBoardMode::Select;
    }
    const TPoint b = DeviceToBoard(TPoint{x, y});
    if (button == TMouseButton::mbLeft) {
        if (Mode == TBoardMode::Select && IsOverPinEnd(b)) {
            Mode = TBoardMode::Wire;
            if (OnModeChange)
                OnModeChange();
        }
        if (Mode == TBoardMode::Select)
            if (TSegment* stub = StubAtPinBody(b))
                if (TBauteilPin* pin = stub->StubPin()) {
                    TakeSnapshot();
                    pin->Inverted = !pin->Inverted;
                    PinLinksChanged();
                    ProjectModified = true;
                    Repaint();
                }
        switch (Mode) {
        case TBoardMode::Zoom:
            Selector = std::make_unique<TSelector>(*this);
            Selector->Start(b);
            break;
        case TBoardMode::Select: SelectClick(x, y, shift, button); break;
        case TBoardMode::Wire:
            TakeSnapshot();
            WireClick(x, y, button);
            WirePress = Tracking ? std::optional<TPoint>(TPoint{x, y}) : std::nullopt;
            break;
        case TBoardMode::Text: PlaceTextLabel(b); break;
        default: break;
        }
    } else if (button == TMouseButton::mbRight) {
        switch (Mode) {
        case TBoardMode::Zoom:
            ZoomOut(TPoint{x, y});
            Repaint();
            break;
        case TBoardMode::Select:
            if (OnPopupRequest)
                OnPopupRequest();
            break;
        case TBoardMode::Wire: WireClick(x, y, button); break;
        case TBoardMode::Placing: EndDrag(x, y, shift, button); break;
        default: break;
        }
    }
}

void TPlatine::PlaceTextLabel(TPoint b)
{
    // Text labels come from their own unit; without it there is nothing to place.
    if (!GetClass(TextLabelClass))
        return;
    TakeSnapshot();
    TBauteil* label = CreateBauteil(TextLabelClass);
    const TPoint at = SnapToGrid(b);
    label->X = at.X;
    label->Y = at.Y;
    InsertObject(label);
    SelectAll(false);
    SelectObject(label, true);
    InvalidateObject(label);
    label->EditProperties();
    Mode = TBoardMode::Select;
    ProjectModified = true;
    if (OnModeChange)
        OnModeChange();
}

void TPlatine::SelectClick(Integer x, Integer y, Byte shift, TMouseButton button)
{
    const TPoint b = DeviceToBoard(TPoint{x, y});
    TCanvas hitCanvas;
    PrepareCanvas(hitCanvas);
    bool hit = false;
    // Every object under the mouse in turn: of several unselected ones the
    // latest in the list ends up as the only one selected.
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TBauteil* object = Objects[i];
        if (!IsHit(object, x, y, hitCanvas))
            continue;
        hit = true;
        if (shift & ShiftBit) {
            SelectObject(object, !object->IsSelected());
            continue;
        }
        if (!object->IsSelected()) {
            SelectAll(false);
            SelectObject(object, true);
        }
        if (button == TMouseButton::mbLeft) {
            TrackPoint = {x, y};
            Tracking = true;
            CollectRubberBands();
            RubberBandsActive = !RubberBands.empty();
            ConfineCursor();
        }
    }
    if (button == TMouseButton::mbLeft && !hit) {
        if (!(shift & ShiftBit))
            SelectAll(false);
        Selector = std::make_unique<TSelector>(*this);
        Selector->Start(b);
    }
}

void TPlatine::ConfineCursor()
{
    if (View)
        ClipCursor(View->ScrollBoxScreenRect());
    CursorConfined = true;
}

void TPlatine::ReleaseCursor()
{
    ClipCursor(std::nullopt);
    CursorConfined = false;
}

void TPlatine::MouseMove(Byte shift, Integer x, Integer y)
{
    const TPoint b = DeviceToBoard(TPoint{x, y});
    UpdateCursor(x, y);
    if (Selector) {
        Selector->Square = shift & ShiftBit;
        Selector->Centred = shift & CtrlBit;
        Selector->MoveTo(b);
    }
    if (Tracking) {
        if (Mode == TBoardMode::Select || Mode == TBoardMode::Placing) {
            DragMove(x, y, shift);
        } else if (Mode == TBoardMode::Wire && Templine) {
            WireEnd = SnapToGrid(AxisPoint(TrackPoint, b));
            if (!Templine->Shown || Templine->StartPoint != TrackPoint || Templine->EndPoint != WireEnd) {
                Templine->Hide();
                Templine->StartPoint = TrackPoint;
                Templine->EndPoint = WireEnd;
                Templine->Show();
            }
        }
    }
    if (Mode == TBoardMode::Select)
        ShowHintAt(x, y);
    else if (Mode == TBoardMode::Wire)
        MoveCrosshair(x, y);
    CheckAutoScroll();
}

void TPlatine::UpdateCursor(Integer x, Integer y)
{
    if (!View)
        return;
    const TPoint b = DeviceToBoard(TPoint{x, y});
    if (Mode == TBoardMode::Select) {
        Integer cursor = 0;
        if (IsOverPinEnd(b))
            cursor = crPinEnd;
        if (StubAtPinBody(b))
            cursor = crInversion;
        View->SetBoardCursor(cursor);
    } else if (Mode == TBoardMode::Wire) {
        View->SetBoardCursor(crNone);
    }
}

void TPlatine::MoveCrosshair(Integer x, Integer y)
{
    if (!Crosshair)
        Crosshair = std::make_unique<TFadenKreuz>(*this);
    const TPoint p = SnapToGrid(DeviceToBoard(TPoint{x, y}));
    if (p != Crosshair->Position) {
        Crosshair->Position = p;
        Crosshair->Refresh();
    }
}

TPoint TPlatine::AxisPoint(TPoint s, TPoint p)
{
    if (std::abs(p.Y - s.Y) >= std::abs(p.X - s.X))
        return {s.X, p.Y};
    return {p.X, s.Y};
}

void TPlatine::WireClick(Integer x, Integer y, TMouseButton button)
{
    const TPoint b = DeviceToBoard(TPoint{x, y});
    const bool left = button == TMouseButton::mbLeft;
    if (Tracking) {
        if (left) {
            // The piece ends here; the next one starts where it ended.
            if (Crosshair)
                Crosshair->Hide();
            if (Templine)
                Templine->Hide();
            ConfineCursor();
            const TPoint c = SnapToGrid(AxisPoint(TrackPoint, b));
            AddWireAndNormalise(TrackPoint, c);
            TrackPoint = c;
            if (Templine)
                Templine->StartPoint = c;
            if (Crosshair)
                Crosshair->Show();
        } else {
            // The wire ends; the board stays in wire mode.
            if (Templine)
                Templine->Hide();
            Templine.reset();
            Tracking = false;
            ReleaseCursor();
            if (Crosshair)
                Crosshair->Hide();
            ProjectModified = true;
        }
        return;
    }
    if (left) {
        if (Templine)
            Templine->Hide();
        Templine = std::make_unique<TTempline>(*this);
        Templine->Width = 5;
        SelectAll(false);
        Tracking = true;
        ConfineCursor();
        TrackPoint = SnapToGrid(b);
        Templine->StartPoint = TrackPoint;
        Templine->EndPoint = TrackPoint;
    } else {
        if (Crosshair)
            Crosshair->Hide();
        Mode = TBoardMode::Select;
        ProjectModified = true;
        if (OnModeChange)
            OnModeChange();
    }
}

void TPlatine::MouseUp(TMouseButton button, Byte shift, Integer x, Integer y)
{
    // A press, drag and release in wiring mode draws one piece from the press
    // to the release and ends the wire: nothing stays stuck to the pointer.
    if (button == TMouseButton::mbLeft && Mode == TBoardMode::Wire && WirePress) {
        const TPoint press = *WirePress;
        WirePress.reset();
        if (Tracking && (std::abs(x - press.X) > DragThreshold || std::abs(y - press.Y) > DragThreshold)) {
            WireClick(x, y, TMouseButton::mbLeft);
            WireClick(x, y, TMouseButton::mbRight);
        }
    }
    if (button == TMouseButton::mbLeft && Mode == TBoardMode::Zoom)
        ZoomToRect(TPoint{x, y});
    if (button == TMouseButton::mbLeft && (Mode == TBoardMode::Select || Mode == TBoardMode::Placing)) {
        if (Selector) {
            Selector->Finish();
            TRect r = Selector->Rect;
            NormaliseRect(r);
            // Touching is enough: a rectangle over part of a wire takes the wire.
            for (std::size_t i = 0; i < Objects.size(); ++i) {
                TBauteil* object = Objects[i];
                if (Intersects(object->GetBounds(), r) || ((shift & ShiftBit) && object->IsSelected()))
                    SelectObject(object, true);
            }
            Selector.reset();
        }
        if (Tracking)
            EndDrag(x, y, shift, button);
    }
    if (OnAktTools)
        OnAktTools();
}

void TPlatine::DblClick()
{
    if (Mode == TBoardMode::Select && CanEditSelection()) {
        // The mouse-down that belongs to the double click starts nothing.
        SuppressMouseDown = true;
        EditSelection();
    }
}

void TPlatine::ShowHintAt(Integer x, Integer y)
{
    AnsiString text;
    bool found = false;
    if (ShowComponentHints) {
        TCanvas hitCanvas;
        PrepareCanvas(hitCanvas);
        for (std::size_t i = 0; i < Objects.size() && !found; ++i)
            if (IsHit(Objects[i], x, y, hitCanvas)) {
                text = Objects[i]->GetHintText();
                found = true;
            }
    }
    SendMessage(MainWindowHandle, WM_BOARDHINT, 0, found ? reinterpret_cast<LPARAM>(text.c_str()) : 0);
}

void TPlatine::HideHint()
{
    if (MainWindowHandle)
        SendMessage(MainWindowHandle, WM_BOARDHINT, 0, 0);
}

TSegment* TPlatine::DrivenWireAt(Integer x, Integer y) const
{
    TCanvas hitCanvas;
    PrepareCanvas(hitCanvas);
    TSegment* found = nullptr;
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object); wire && wire->Driver && IsHit(wire, x, y, hitCanvas))
            found = wire;
    return found;
}

bool TPlatine::IsOverPinEnd(TPoint b) const
{
    TPoint end;
    for (auto it = Objects.rbegin(); it != Objects.rend(); ++it)
        if ((*it)->HitEndPoint(b, end))
            return true;
    return false;
}

TSegment* TPlatine::StubAtPinBody(TPoint b) const
{
    for (TBauteil* object : Objects)
        if (object->HitPinEnd(b))
            return dynamic_cast<TSegment*>(object);
    return nullptr;
}

TBauteil* TPlatine::SingleSelected() const
{
    if (SelectedCount() != 1)
        return nullptr;
    for (TBauteil* object : Objects)
        if (object->IsSelected() && !dynamic_cast<const TSegment*>(object))
            return object;
    return nullptr;
}

void TPlatine::NormaliseRect(TRect& r)
{
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
}
