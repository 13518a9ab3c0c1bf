// What the indicator components of this layer ask of their elements. The
// elements live in the layer above (panel/elements) and implement these, so
// a component reaches its element by a cast of its PanelElement, once, when
// the element is linked.
#pragma once

#include "platform/SysTypes.h"

// The panel LED (single, two-colour and RGB).
class ILedElement {
public:
    virtual ~ILedElement() = default;

    virtual bool GetEingeschaltet() const = 0;
    // Repaints only on a change.
    virtual void SetEingeschaltet(bool on) = 0;
    virtual Byte GetDuoLEDStatus() const = 0;
    // 0 off, 1..3 the colours; above 3 is off. Always repaints.
    virtual void SetDuoLEDStatus(Byte status) = 0;
    virtual TColor GetRGBFarbe() const = 0;
    // Repaints only on a change.
    virtual void SetRGBFarbe(TColor colour) = 0;
    // The colour the LED is drawn in now (the components' symbols use it).
    virtual TColor GetLedColor() const = 0;

    // The mouse on the operated LED: over it, left or right button held.
    virtual bool MouseOver() const = 0;
    virtual bool LeftPressed() const = 0;
    virtual bool RightPressed() const = 0;
    virtual void ClearMouseFlags() = 0;
    // The LED lies on a page that is not shown.
    virtual bool OnHiddenPage() const = 0;
};

// The plastic lamp.
class ILampElement {
public:
    virtual ~ILampElement() = default;
    // The applied voltage; an unchanged voltage costs one comparison.
    virtual void SetIstSpannung(Extended volts) = 0;
    // The colour the lamp shows now.
    virtual TColor GetLampColor() const = 0;
};
