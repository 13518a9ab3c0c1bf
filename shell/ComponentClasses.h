// The component and device classes the program creates by name, in the
// program's fixed registration order. The main window registers them at
// start-up and the library-file generator does the same, so both see one list.
#pragma once

#include <vector>

struct TClassInfo;

// Every component class record in the registration order: the families'
// rows and the classes of their own, placed by the order list.
std::vector<const TClassInfo*> ComponentClassTable();

// The four base classes every board object stream needs, registered first.
void RegisterBaseClasses();
// Registers the table's classes (and so their ancestors) in order.
void RegisterComponentClasses();
