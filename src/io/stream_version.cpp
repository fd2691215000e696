#include "io/stream_version.h"

#include <atomic>

namespace qor {

namespace {
std::atomic<int> g_version{CurrentStreamFormatVersion};
}

int GetCurrentStreamVersion() { return g_version.load(std::memory_order_relaxed); }
void SetCurrentStreamVersion(int Version) { g_version.store(Version, std::memory_order_relaxed); }

} // namespace qor
