#include "core/inplace_spin_editor_p.h"

namespace qor {

// For now the plain edit: buttons and stepping follow.
TInplaceSpinEditor::TInplaceSpinEditor(QWidget *parent) : TInplaceEditor(parent) {}

} // namespace qor
