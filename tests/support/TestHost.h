// The main window's side of the board events, reduced to what a test needs:
// panel elements for components that name an element class, the has-element
// flag and element record in the stream, macro inner boards with their panel
// designs, and macro pins that follow the macro pin components inside.
#pragma once

#include "support/PanelDoubles.h"

class TPlatine;
class TIOBauteil;
class TMakro;

class TTestHost {
public:
    // Installs the handlers on the board (the host follows into inner boards).
    void Attach(TPlatine& board);

    TFakeDesign RootDesign;
    TFakeDesign* CurrentDesign = &RootDesign;
    Integer ActivePage = 0;
    std::vector<TIOBauteil*> Removed;   // components announced as removed, in order

    // The macro's pins after its inner board changed.
    static void UpdateMacroPins(TMakro& macro);
};
