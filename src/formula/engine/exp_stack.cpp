#include "formula/engine/exp_stack.h"

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <pthread.h>
#endif

namespace qor::exp {

namespace {

// The lowest address of the calling thread's stack, 0 when unknown.
uintptr_t QueryStackEnd()
{
#if defined(Q_OS_WIN)
    ULONG_PTR low = 0, high = 0;
    GetCurrentThreadStackLimits(&low, &high);
    return uintptr_t(low);
#elif defined(Q_OS_MACOS)
    const pthread_t self = pthread_self();
    return uintptr_t(pthread_get_stackaddr_np(self)) - uintptr_t(pthread_get_stacksize_np(self));
#elif defined(Q_OS_UNIX)
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return 0;
    void *addr = nullptr;
    size_t size = 0;
    const bool ok = pthread_attr_getstack(&attr, &addr, &size) == 0;
    pthread_attr_destroy(&attr);
    // The guard page sits inside the reported range on some systems; the reserve covers it.
    return ok ? uintptr_t(addr) : 0;
#else
    return 0;
#endif
}

} // namespace

uintptr_t StackFloor()
{
    thread_local const uintptr_t end = QueryStackEnd(); // asked once per thread: it is slow
    const uintptr_t here = FrameAddress();
    if (end == 0 || end >= here)
        return here > (uintptr_t(1) << 20) ? here - (uintptr_t(1) << 20) : 0;
    return here - end > StackReserve ? end + StackReserve : here;
}

} // namespace qor::exp
