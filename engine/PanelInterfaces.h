// What the board and its components use of the front panel: an element that a
// component owns and the design (element container) that holds elements. The
// front-panel framework derives its element and container classes from these;
// the engine never includes the panel's headers.
#pragma once

#include "platform/SysTypes.h"

class TStream;
class TWriter;
class TReader;
class TIOBauteil;
class IDesign;

class IFP_Element {
public:
    virtual ~IFP_Element() = default;

    // The name the board gives the element: designator and number ("LED3"),
    // or a macro panel's "Makro 1: Filter".
    virtual void SetElementName(const AnsiString& name) = 0;
    virtual AnsiString ElementName() const = 0;
    // The container the element lies in (nullptr for the root design).
    virtual IDesign* Design() const = 0;
    virtual TIOBauteil* LinkedComponent() const = 0;

    virtual Integer ZOrder() const = 0;
    virtual void SetZOrder(Integer zOrder) = 0;
    virtual Integer FrontplattenNR() const = 0;
    virtual void SetFrontplattenNR(Integer page) = 0;
    // The element's hint text and whether the operator may set it while the
    // circuit runs (the object tree reads both).
    virtual AnsiString Hint() const { return {}; }
    virtual bool AdjustableAtRunTime() const { return false; }
    virtual bool GetBisteTransparent() const = 0;
    virtual void SetBisteTransparent(bool transparent) = 0;

    virtual Integer Left() const = 0;
    virtual Integer Top() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetBounds(Integer left, Integer top, Integer width, Integer height) = 0;
};

class IDesign : public IFP_Element {
public:
    virtual Integer IndexOfElement(const IFP_Element* element) const = 0;   // -1 when absent
    virtual void SelectElement(Integer index) = 0;
    virtual bool IsSelected(const IFP_Element* element) const = 0;
    virtual void DeselectElement(IFP_Element* element) = 0;
    virtual void DeselectIndex(Integer index) = 0;   // -1: every element

    virtual void RenumberZOrder() = 0;
    virtual void SortByZOrder() = 0;
    virtual void RefreshTransparency(IFP_Element* requester) = 0;

    // The design block: decoration elements and the container's settings.
    virtual void WriteToStream(TStream& stream, TWriter& writer) = 0;
    virtual void ReadFromStream(TStream& stream, TReader& reader, Byte version) = 0;
};
