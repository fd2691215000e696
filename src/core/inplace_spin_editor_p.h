#pragma once
// The spin editor: the single-line edit with up and down buttons stepping by the cell's
// increment.
#include "core/inplace_editor_p.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TInplaceSpinEditor : public TInplaceEditor {
    Q_OBJECT

public:
    explicit TInplaceSpinEditor(QWidget *parent = nullptr);
};

} // namespace qor
