// Net numbering of a prepared circuit. Two wires share a net exactly when
// they are joined end point on end point, directly or through other wires,
// or through a macro pin (the net outside macro pin k and the net of the
// macro pin component numbered k inside are one). Numbers run 1..N over the
// root board and every inner board, handed out in order of first appearance:
// the root board's wires in object order, then board by board depth-first in
// macro order.
#pragma once

#include "platform/SysTypes.h"

#include <vector>

class TPlatine;
class TSegment;
class TMakro;

class TNetNumbering {
public:
    // Numbers every wire in the WireList of the root board and, through
    // their MacroList, of the inner boards; returns the number of nets.
    // Runs in time linear in the number of wires.
    Integer Number(TPlatine& root);

private:
    void CollectBoard(TPlatine& board);
    void JoinEndPoints(std::size_t first, std::size_t last);
    void JoinMacroPins(TMakro& macro);
    // The wire's index in wires_, or -1 when it is none of the collected ones.
    std::ptrdiff_t IndexOf(const TSegment* wire) const;
    std::size_t Find(std::size_t i);
    void Join(std::size_t a, std::size_t b);

    std::vector<TSegment*> wires_;      // every board's wires, in numbering order
    std::vector<std::size_t> parent_;   // disjoint-set forest over wires_
    std::vector<TPlatine*> boards_;     // pre-order
};
