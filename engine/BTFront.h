// The base of the components that own a front-panel element: their body
// colours, and a hint that quotes the element's own hint. The element itself
// is reached only through the interfaces of engine/PanelInterfaces.h.
#pragma once

#include "engine/GrundBT.h"

class TBTFront : public TGrundBT {
    ZK_ROW_BASE_CLASS(TBTFront, TGrundBT, Row ? &Row->Class : nullptr)

public:
    TBTFront();
    explicit TBTFront(const TComponentRow& row);
    // The component's hint, then the element's hint in double quotes when
    // an element is linked and has one.
    AnsiString GetHintText() override;
};
