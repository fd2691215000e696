#pragma once
// Colour rules of cell painting: the selection tint and the lightening it is built on.
#include "platform/colors.h"
#include "platform/qor_global.h"

namespace qor {

// Per channel: halfway from C1 to C2, then 60 % of the way towards 225, optionally darkened;
// rounded half to even and clamped. System colours are resolved first.
QOR_EXPORT TColor LightenColor(TColor Color1, TColor Color2, bool Darken);

// The state the selection tint depends on.
struct TSelectionTint {
    bool hasSelectionRect = false;   // more than the current cell is selected
    bool focused = false;            // the grid or one of its editors has the input focus
    TColor focusColor = clHighlight;
};

// An unselected cell keeps its colour; a selected one is tinted by the focus state.
QOR_EXPORT TColor SelectionBrushColor(TColor Color, bool Selected, const TSelectionTint &tint);

} // namespace qor
