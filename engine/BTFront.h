// The base of the components that own a front-panel element: their body
// colours, and a hint that quotes the element's own hint. The element itself
// is reached only through the interfaces of engine/PanelInterfaces.h.
#pragma once

#include "engine/GrundBT.h"

#include <span>
#include <string_view>

class TBTFront : public TGrundBT {
    ZK_ROW_BASE_CLASS(TBTFront, TGrundBT, Row ? &Row->Class : nullptr)

public:
    TBTFront();
    explicit TBTFront(const TComponentRow& row);
    // The component's hint, then the element's hint in double quotes when
    // an element is linked and has one.
    AnsiString GetHintText() override;
};

// Every component class that owns an element, with the element class its
// constructor names (the registry finds element classes regardless of
// letter case). A class the program does not have is listed here but
// not registered. No other component class names an element.
struct TFrontClass {
    const char* Component;
    const char* Element;
};
std::span<const TFrontClass> FrontClasses();
// The element class of a component class ("" for one that owns none).
const char* FrontElementClassOf(std::string_view componentClass);
