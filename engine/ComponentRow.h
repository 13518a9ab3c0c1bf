// A component class as a row: what tells one registered component class from
// another (its class record, type names, designator, help context, pins and
// their count rules, the front-panel element it owns). A family is one C++
// class for the behaviour and one row per registered name; the family's
// constructor takes the row.
#pragma once

#include "platform/ClassRegistry.h"
#include "platform/SysTypes.h"

#include <cstddef>
#include <string_view>
#include <vector>
#include <type_traits>

class TPersistent;

// The pins of one side.
struct TPinSide {
    Integer Count = 0;          // after construction
    // The counts a record may bring; a record outside them is damaged (the
    // stream error). Max 0: only Count.
    Integer Min = 0;
    Integer Max = 0;
    // The first pins' names, separated by commas ("$" begins a text pin's
    // name). Pins beyond the list are unnamed; nullptr leaves every pin its
    // default name (E0, E1 ... and A0, A1 ...). Names that follow from the
    // count or the settings are given by the family's InputsCreated and
    // OutputsCreated.
    const char* Names = nullptr;

    bool Allows(Integer n) const { return Max == 0 ? n == Count : n >= Min && n <= Max; }
};

struct TComponentRow {
    TClassInfo Class;                   // first: the row is found from its class record
    const char* TypeName[3] = {};       // German, English, French (CP1252)
    const char* Designator = "";
    Integer HelpContext = 1000;
    bool HasDialog = false;             // a settings sheet opens on double click
    TPinSide Inputs = {};
    TPinSide Outputs = {};
    const char* ElementClass = "";      // the front-panel element the component owns
};

// A family's row with the family's own fields after the common ones:
//   struct TGateRow { TComponentRow Component; TGateTest Test; ... };
// FamilyRow<TGateRow>(row) gives it back from the common row.
template <class R>
const R& FamilyRow(const TComponentRow& row)
{
    static_assert(std::is_standard_layout_v<R> && offsetof(R, Component) == 0);
    return *reinterpret_cast<const R*>(&row);
}

// The row a class record stands first in; only for records with IsRow.
inline const TComponentRow& RowOf(const TClassInfo& info)
{
    static_assert(std::is_standard_layout_v<TComponentRow> && offsetof(TComponentRow, Class) == 0);
    return *reinterpret_cast<const TComponentRow*>(&info);
}

// The class record of a row whose objects are made by Family(row); the
// record stands below the family's nearest registered class.
template <class Family>
TClassInfo RowClass(const char* name)
{
    return {name, &Family::StaticClass(), [](const TClassInfo& info) -> TPersistent* { return new Family(RowOf(info)); },
            true};
}

// A family's rows as the registration table takes them.
using TRowList = std::vector<const TComponentRow*>;
template <class R, std::size_t N>
TRowList RowList(const R (&rows)[N])
{
    TRowList list;
    for (const R& row : rows) {
        if constexpr (std::is_same_v<R, TComponentRow>)
            list.push_back(&row);
        else
            list.push_back(&row.Component);
    }
    return list;
}

// Registers the rows' classes (and their ancestors) in the list's order.
inline void RegisterRows(const TRowList& rows)
{
    for (const TComponentRow* row : rows)
        RegisterClass(row->Class);
}

// The row of a class record; nullptr for a class that is no row.
inline const TComponentRow* FindRow(const TClassInfo& info)
{
    return info.IsRow ? &RowOf(info) : nullptr;
}
// The front-panel element class of a registered component class; "" for
// one that owns none or is not registered.
const char* FrontElementClassOf(std::string_view componentClass);
