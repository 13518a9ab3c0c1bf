#include "components/analog/BT_Jump_Target.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Jump.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "platform/Canvas.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTJumpTarget>("TBTJumpTarget"),
     .TypeName = {"", "", ""},
     .Designator = "JMPT",
     .HelpContext = 18532,
     .HasDialog = true,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 1, .Names = "$"}},
};

} // namespace

TBTJumpTarget::TBTJumpTarget(const TComponentRow& row) : TAnalogBT(row)
{
    Caption = "?";
}

TBTJumpTarget::~TBTJumpTarget() = default;

AnsiString TBTJumpTarget::GetTypeName() const
{
    return Translate("Sprung") + " (" + Translate("Ziel") + ")";
}

void TBTJumpTarget::ResetForStart()
{
    Source = nullptr;
    if (!Board)
        return;
    Board->ListJumps();
    for (TBTJump* jump : Board->JumpList)
        if (jump->GetCaption() == GetCaption())
            Source = jump;
}

void TBTJumpTarget::Calculate()
{
    if (Source)
        SetOutputString(0, Source->JumpText);
}

void TBTJumpTarget::Draw(TCanvas& canvas)
{
    // The output pin without its "$" label: the arrow says what it carries.
    for (const TBauteilPin& pin : Outputs) {
        TBauteilPin unnamed = pin;
        unnamed.Name = "";
        DrawPin(canvas, unnamed, false);
    }
    TBTJump::DrawArrow(*this, canvas);
}

TRect TBTJumpTarget::GetBounds() const
{
    TRect r = TAnalogBT::GetBounds();
    r.Top += 20;
    r.Bottom -= 20;
    return r;
}

Integer TBTJumpTarget::EditProperties()
{
    TSettingsSheet sheet(*this, GetTypeName());
    TPropScrollbox::TStrings captions;
    Integer entry = -1;
    if (Board) {
        Board->ListJumps();
        for (const TBTJump* jump : Board->JumpList) {
            if (entry < 0 && jump->GetCaption() == GetCaption())
                entry = static_cast<Integer>(captions.size());
            captions.push_back(jump->GetCaption());
        }
    }
    sheet.Props().AddCombo(Translate("Sprung"), entry, captions, 100);
    const Integer result = sheet.Dialog().ShowModal();
    if (result == 1)
        SetCaption(entry >= 0 && entry < static_cast<Integer>(captions.size()) ? captions[entry] : AnsiString("?"));
    return result;
}

TRowList JumpTargetRows()
{
    return RowList(Rows);
}
