#include "shell/BoardMouse.h"

#include "engine/Feedback.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "engine/Publics.h"
#include "engine/Segment.h"
#include "panel/framework/HintBox.h"
#include "platform/VirtualKeys.h"
#include "shell/MainForm.h"

#include <algorithm>

TBoardMouse::TBoardMouse(TForm1& form) : PinHintBox(new THintBox(&form)), form_(form)
{
    PinHintBox->setObjectName("PinHintBox");
}

TBauteilPin* TBoardMouse::HoveredPin() const
{
    const TPlatine* board = form_.CurrentBoard;
    if (!HoveredWire || !board || std::find(board->Objects.begin(), board->Objects.end(), HoveredWire) == board->Objects.end())
        return nullptr;
    return HoveredWire->Driver;
}

void TBoardMouse::InstallOn(TPlatineView& view)
{
    view.ScrollBoxMouse.Down = [this](TMouseButton button, Byte shift, TPoint p) { ScrollBoxMouseDown(button, shift, p); };
    view.ScrollBoxMouse.Move = [this](Byte shift, TPoint p) { ScrollBoxMouseMove(shift, p); };
    view.ScrollBoxMouse.Up = [this](TMouseButton button, Byte shift, TPoint p) { ScrollBoxMouseUp(button, shift, p); };
}

void TBoardMouse::ScrollBoxMouseDown(TMouseButton button, Byte, TPoint p)
{
    TPlatine* board = form_.CurrentBoard;
    if (!board)
        return;
    const TPoint control{p.X + board->ScrollX, p.Y + board->ScrollY};
    if (button == TMouseButton::mbLeft) {
        if (board->Crosshair)
            board->Crosshair->Hide();
        board->Selector = std::make_unique<TSelector>(*board);
        board->Selector->Start(board->DeviceToBoard(control));
    } else if (button == TMouseButton::mbRight) {
        // The clicked point comes to the centre.
        board->ZoomOut(control);
        board->Repaint();
    }
}

void TBoardMouse::ScrollBoxMouseMove(Byte shift, TPoint p)
{
    TPlatine* board = form_.CurrentBoard;
    if (!board)
        return;
    const TPoint control{p.X + board->ScrollX, p.Y + board->ScrollY};
    if (board->Selector) {
        board->Selector->Square = shift & ShiftBit;
        board->Selector->Centred = shift & CtrlBit;
        board->Selector->MoveTo(board->DeviceToBoard(control));
        return;
    }
    HoveredWire = board->DrivenWireAt(control.X, control.Y);
    if (HoveredWire)
        PinHintBox->move(CursorInWindow() + QPoint(22, -6));
}

void TBoardMouse::ScrollBoxMouseUp(TMouseButton button, Byte, TPoint p)
{
    TPlatine* board = form_.CurrentBoard;
    if (board && button == TMouseButton::mbLeft)
        board->ZoomToRect(TPoint{p.X + board->ScrollX, p.Y + board->ScrollY});
}

QPoint TBoardMouse::CursorInWindow() const
{
    const TPlatine* board = form_.CurrentBoard;
    if (!board || !board->View)
        return {};
    const TPoint screen = board->View->CursorScreenPos();
    return form_.mapFromGlobal(QPoint(screen.X, screen.Y));
}

void TBoardMouse::ShowComponentHint(const char* text)
{
    if (!text || !*text) {
        // Boards ask for this after every change: nothing to do when hidden.
        if (PinHintBox->isHidden())
            return;
        PinHintBox->hide();
    } else {
        const QPoint cursor = CursorInWindow();
        if (PinHintBox->Text != text) {
            PinHintBox->hide();
            PinHintBox->ShowText(text);
        }
        const int left = std::min(cursor.x(), form_.width() - 10 - PinHintBox->width());
        PinHintBox->move(left, cursor.y() - PinHintBox->height() - 5);
        PinHintBox->show();
        PinHintBox->raise();
    }
    form_.update();
}

void TBoardMouse::ShowHoveredPin()
{
    const TBauteilPin* pin = HoveredPin();
    if (!pin) {
        if (PinHintBox->isVisible())
            PinHintBox->hide();
        return;
    }
    PinHintBox->ShowText(pin->Name + " = " + (pin->IsTextPin() ? pin->GetText() : ValueToStr(pin->Value)));
    if (!PinHintBox->isVisible()) {
        PinHintBox->show();
        PinHintBox->raise();
    }
}
