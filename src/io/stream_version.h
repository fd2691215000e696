#pragma once
// The version of the grid stream being read. Cell, column and print-settings readers consult
// it to know how old the record in front of them is; a reader that changes it restores the
// previous value when it finishes, also when it fails, so nested reads see the right one.
#include "platform/qor_global.h"

namespace qor {

// The version every writer produces.
constexpr int CurrentStreamFormatVersion = 14;

QOR_EXPORT int GetCurrentStreamVersion();
QOR_EXPORT void SetCurrentStreamVersion(int Version);

class QOR_EXPORT StreamVersionScope {
public:
    explicit StreamVersionScope(int Version) : m_saved(GetCurrentStreamVersion()) { SetCurrentStreamVersion(Version); }
    ~StreamVersionScope() { SetCurrentStreamVersion(m_saved); }
    StreamVersionScope(const StreamVersionScope &) = delete;
    StreamVersionScope &operator=(const StreamVersionScope &) = delete;

private:
    int m_saved;
};

} // namespace qor
