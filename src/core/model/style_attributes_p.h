#pragma once
// What sets some column-backed attributes apart, for the setters of cells and columns.
#include <string_view>
#include "core/model/style_attributes.h"

namespace qor {

// Attributes whose change must close an in-place editor open on the cell first.
constexpr bool closesEditor(std::string_view name)
{
    return name == "CellType" || name == "ReadOnly" || name == "FixCell" || name == "DirectInput" ||
           name == "ValueType" || name == "Mask" || name == "MaxLength" || name == "PasswordChar";
}

// Attributes whose default for a cell without a record comes from the grid, not the column:
// a cell bound to a Boolean or date field takes the editor kind that field calls for.
constexpr bool gridDefaulted(std::string_view name) { return name == "CellType"; }

} // namespace qor
