#include "ui/controls/UCLSpeedButton.h"

#include "platform/Colors.h"
#include "ui/controls/UCLGraph.h"

#include <QPainter>

TUCLCustomSpeedButton::TUCLCustomSpeedButton(QWidget* Parent) : TUCLBaseGraphicButton(Parent)
{
    SetCtlXP(true);
    resize(23, 22);
}

void TUCLCustomSpeedButton::SetButtonStyle(TUCLUserButtonStyle Value)
{
    if (FButtonStyle == Value)
        return;
    FButtonStyle = Value;
    GlyphObject().SetStyle(Value == ubsFlatUnColored || Value == ubsNavigator || Value == ubsExplorer ? 1 : 0);
    FTransparentFace = Value == ubsExplorer || Value == ubsExplorerColored || Value == ubsOfficeTransp;
    ContentChanged();
}

Integer TUCLCustomSpeedButton::BorderWidth() const
{
    switch (FButtonStyle) {
    case ubsWin31: return 3;
    case ubsWin40:
    case ubsClassic:
    case ubsClassicFlat:
    case ubsNavigator:
    case ubsIntegrated:
    case ubsWin40Ext: return 2;
    default: return 1;
    }
}

bool TUCLCustomSpeedButton::HotWhileDown() const
{
    return State() == bsDown && (FButtonStyle == ubsOffice || FButtonStyle == ubsOfficeTransp);
}

bool TUCLCustomSpeedButton::FaceChangesOnHot() const
{
    return (FButtonStyle >= ubsClassicFlat && FButtonStyle <= ubsExplorerColored) || FButtonStyle >= ubsOffice;
}

void TUCLCustomSpeedButton::Paint(QPainter& Painter)
{
    const Integer border = BorderWidth();
    const TRect client{0, 0, width(), height()};
    if (!FTransparentFace)
        FillSolid(Painter);

    const Byte state = State();
    const Cardinal flags = state == bsHot ? 0x0045 : 0x0005;
    if (SplitPartShown()) {
        const Integer arrowLeft = width() - DropDownComboWidth() + (border > 1 ? 1 : 0);
        // The flat families show the part that is not pressed as hot.
        const bool flat = ButtonStyleIsGroupA(FButtonStyle);
        const Byte mainState = state == bsDropped ? Byte(flat ? bsHot : bsUp) : state;
        const Byte arrowState = state == bsPushed ? Byte(flat ? bsHot : bsUp) : state;
        TRect main{0, 0, arrowLeft, height()};
        DrawButtonFace(Painter, mainState == bsHot, main, FButtonStyle, mainState, flags | 0x0080, Color());
        TRect arrow{arrowLeft, 0, width(), height()};
        DrawButtonFace(Painter, arrowState == bsHot, arrow, FButtonStyle, arrowState, flags | 0x0180, Color());
        if (FButtonStyle != ubsCombo)
            DrawDropArrow(Painter, arrowLeft + (DropDownComboWidth() - 3) / 2, (height() - 3) / 2, 3, clBlack, true,
                          isEnabled());
    } else {
        const bool hot = HotWhileDown() ? CursorInside() : state == bsHot;
        TRect face = client;
        DrawButtonFace(Painter, hot, face, FButtonStyle, state, flags, Color());
    }

    TRect content{border, border, width() - border, height() - border};
    if ((state == bsDown || state == bsPushed || state == bsDropped) && !(state == bsDropped && SplitPartShown()))
        content = TRect{content.Left + 1, content.Top + 1, content.Right + 1, content.Bottom + 1};
    if (SplitPartShown())
        content.Right = width() - DropDownComboWidth() - border;

    if (FButtonStyle == ubsCombo) {
        TUCLButtonLayout arrowOnly;
        arrowOnly.SetArrow(true);
        arrowOnly.SetArrowSize(4);
        arrowOnly.SetArrowIndent(0, 0);
        arrowOnly.SetOffset(0, -1);
        TUCLGlyphTextRects rects;
        PaintBitmapGlyphAndText(Painter, QString(), nullptr, content, nullptr, nullptr, arrowOnly, false, true,
                                isEnabled() ? goEnabled : 0, 0, rects);
        return;
    }
    DrawCaptionAndGlyph(Painter, content);
}
