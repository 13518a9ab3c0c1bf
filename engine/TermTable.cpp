#include "engine/TermTable.h"

namespace {
const TTerm Terms[] = {
    {{"Fest", "Fixed", "Fixe"}},
};
}

std::span<const TTerm> TermTable() { return Terms; }
