// The static nonlinear blocks of control-loop models: backlash (play), dead
// zone and limiter. Their parameters are input pins; only the backlash keeps
// a memory, the position of its play band, from run to run.
#pragma once

#include "components/analog/AnalogBT.h"

// The input drags a band of width HYS along; Y is the band's centre and is
// written only when the band moves.
class TBT_Spiel : public TAnalogBT {
public:
    explicit TBT_Spiel(const TComponentRow& row);
    Extended HighLimit = 0.0L;
    Extended LowLimit = 0.0L;
    Extended Output = 0.0L;

    void Draw(TCanvas& canvas) override;
    // The band stays from run to run, unless a value that is not a finite
    // number got into it: such a band never moves again, so it starts over.
    void ResetForStart() override;
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// Y := 0 inside [XL, XH), else the distance beyond the nearer edge.
class TBT_Totzone : public TAnalogBT {
public:
    explicit TBT_Totzone(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    void Calculate() override;
};

// A := IN limited to [LiL, LiH] while EN is high, with a flag for each side.
class TBTLimiter : public TAnalogBT {
public:
    explicit TBTLimiter(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
};

// The rows of TBT_Spiel, TBT_Totzone and TBTLimiter.
TRowList SpielRows();
