#pragma once
// How deep an evaluation may recurse is bounded by the stack it runs on, not by a fixed count:
// the guard compares the current frame with the lowest address the thread may use.
#include <cstdint>

#include "platform/qor_global.h"

namespace qor::exp {

// What is kept free below the deepest evaluation frame: enough for a hook, a built-in and the
// platform code they call.
constexpr uintptr_t StackReserve = 192 * 1024;

// The lowest address the evaluation may reach on the calling thread: the stack's end plus the
// reserve. When the platform does not tell, a budget of 1 MiB below the caller's frame.
QOR_AUTOTEST_EXPORT uintptr_t StackFloor();

inline uintptr_t FrameAddress()
{
#if defined(__GNUC__) || defined(__clang__)
    return uintptr_t(__builtin_frame_address(0)); // the real frame, also under sanitizers
#else
    volatile char probe = 0;
    return uintptr_t(&probe);
#endif
}

} // namespace qor::exp
