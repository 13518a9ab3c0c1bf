#include "engine/ComponentRow.h"

const char* FrontElementClassOf(std::string_view componentClass)
{
    const TClassInfo* info = GetClass(componentClass);
    const TComponentRow* row = info ? FindRow(*info) : nullptr;
    return row ? row->ElementClass : "";
}
