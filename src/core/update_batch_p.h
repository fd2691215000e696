#pragma once
// The nesting counter of BeginUpdate/EndUpdate and what must be redone when it drops to zero.
#include "platform/qor_global.h"

namespace qor {

class QOR_AUTOTEST_EXPORT UpdateBatch {
public:
    int Count() const { return m_count; }
    bool Locked() const { return m_count > 0; }
    void Begin() { ++m_count; }
    // Ends one level. True when the batch is over (the count is 0 afterwards); an unmatched
    // end leaves the count at 0 rather than going negative, and also counts as over.
    bool End()
    {
        if (m_count < 1) {
            m_count = 0;
            return true;
        }
        return --m_count == 0;
    }
    void Reset() { m_count = 0; }

    // Row heights changed inside the batch: bottoms and extent are recomputed at its end.
    void MarkHeightsChanged() { m_heightsChanged = true; }
    bool TakeHeightsChanged()
    {
        bool changed = m_heightsChanged;
        m_heightsChanged = false;
        return changed;
    }

private:
    int m_count = 0;
    bool m_heightsChanged = false;
};

} // namespace qor
