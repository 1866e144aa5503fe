
#include "core/VQtThreadMark.h"

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace VQtThreadMark {

void ended(const void* worker) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<void*>(worker));
#else
    (void)worker;
#endif
}

void seen(const void* worker) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<void*>(worker));
#else
    (void)worker;
#endif
}

} // namespace VQtThreadMark
