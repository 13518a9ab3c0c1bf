// The component and device classes the program creates by name, in the
// program's fixed registration order. The main window registers them at
// start-up and the library-file generator does the same, so both see one list.
#pragma once

#include <span>

struct TClassInfo;

// Each entry returns its class's metaclass; the order is the registration order.
std::span<const TClassInfo& (*const)()> ComponentClassTable();

// The four base classes every board object stream needs, registered first.
void RegisterBaseClasses();
// Registers the table's classes (and so their ancestors) in order.
void RegisterComponentClasses();
