// The panel side of a project's boards, the one place where a component and
// its front-panel element are paired and parted: every component read onto a
// board (from a file, the library, a paste) gets its element in the design
// being filled, with the element's record read from the same stream; a macro
// gets its nested panel, and its inner board is read into that panel; a
// removed component takes its element and a macro its panel along. A macro's
// outer pins follow the macro pin components on its inner board.
#pragma once

#include "platform/SysTypes.h"

#include <functional>

class IDesign;
class IFrontplatte;
class TIOBauteil;
class TMakro;
class TPlatine;
class TReader;
class TStream;

class TPanelLinks {
public:
    // The panel whose shown page takes new elements, and the design that
    // receives the elements of components read.
    IFrontplatte* Panel = nullptr;
    IDesign* Design = nullptr;
    // The window's share: a macro's name edited, a macro removed (its tab
    // goes), and whether the board being edited deletes a macro pin (only
    // that changes the pin count; a board being freed leaves its macro as it was).
    std::function<void(TMakro* macro)> MacroEdited;
    std::function<void()> MacroRemoved;
    std::function<bool()> DeletingMacroPin;

    // Installs the board's read, remove and write handlers (inner boards of
    // macros read onto it get them too).
    void Attach(TPlatine& board);
    // A macro read from the stream: its nested panel (unless it has one), its
    // inner board and the panel's design block.
    void ReadMacro(TMakro& macro, TStream& stream, TPlatine& board, TReader& reader, Byte version);

private:
    void ComponentRead(TPlatine& board, TIOBauteil& component, TStream& stream, TReader& reader, Byte version);
    void ComponentRemoved(TPlatine& board, TIOBauteil& component);
};

// Shows a macro's panel only when it holds elements of its own, from the
// board up through its outer boards.
void UpdateMacroPanelVisibility(TPlatine* board);
