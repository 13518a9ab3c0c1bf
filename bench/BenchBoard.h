// What the benchmark boards share.
#pragma once

#include "engine/Platine.h"

#include <vector>

// Frees every object of the board at once: removing objects one by one scans
// the list each time, which a board of thousands would feel.
inline void DropObjects(TPlatine& board)
{
    std::vector<TBauteil*> objects;
    objects.swap(board.Objects);
    for (TBauteil* object : objects)
        delete object;
}
