// The standard component: the common symbol of nearly every component (a body
// with a two-colour fill, pin stubs with labels, inversion circles, designator
// and number, and on request pin levels and live-state marks). A component's
// own Draw calls this one first and then draws into the body.
#pragma once

#include "engine/Bauteil.h"

struct TBrush;

// False only while a black-and-white print-out of the board is drawn.
extern bool GradientBodies;

class TGrundBT : public TIOBauteil {
    ZK_ROW_BASE_CLASS(TGrundBT, TIOBauteil, Row ? &Row->Class : nullptr)

public:
    using TIOBauteil::TIOBauteil;
    TGrundBT() = default;

    TColor BodyColor1 = 0xFAFAFA;   // left edge of the body
    TColor BodyColor2 = 0xE0E0E0;   // right edge

    virtual void DrawPin(TCanvas& canvas, const TBauteilPin& pin, bool isInput);
    virtual void DrawInversionBubble(TCanvas& canvas, Integer index, bool isInput);
    // Palette entry 3 with a front-panel element, else entry 2.
    virtual TBrush CreateBodyBrush() const;
    virtual void DrawPinLevel(TCanvas& canvas, const TBauteilPin& pin, bool high, bool isInput);
    virtual void DrawLiveState(TCanvas& canvas);
    virtual void DrawPinStateMark(TCanvas& canvas, const TBauteilPin& pin, bool high, bool isInput);

    void Draw(TCanvas& canvas) override;
    void DrawPinLevels(TCanvas& canvas);
    void DrawClockWedge(TCanvas& canvas, Integer inputIndex);
    // The label above a stub; a leading "/" is drawn as an overline, a
    // leading "|" as an edge arrow.
    void DrawPinLabel(TCanvas& canvas, Integer x, Integer y, const AnsiString& name);

    // The level stub and the state mark of a pin of any component (macros
    // draw theirs with the same geometry).
    static void DrawLevelLine(const TIOBauteil& owner, TCanvas& canvas, const TBauteilPin& pin, bool high,
                              bool isInput);
    static void DrawStateMark(const TIOBauteil& owner, TCanvas& canvas, const TBauteilPin& pin, bool high,
                              bool isInput);

protected:
    // Inputs lie on the left and outputs on the right unless mirrored.
    bool OnLeftSide(bool isInput) const { return isInput != Mirrored; }
    // The level an input shows: low while stopped, else its driver's level
    // (high when unconnected).
    bool InputShowsHigh(const TBauteilPin& pin) const;
};
