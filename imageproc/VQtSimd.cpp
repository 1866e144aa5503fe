#include "imageproc/VQtSimd.h"

#include <atomic>

namespace {

std::atomic<bool> g_vectorKernels{true};

bool processorHasAvx2() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has;
#else
    return false;
#endif
}

} // namespace

bool vqtUseAvx2() {
    return processorHasAvx2() && g_vectorKernels.load(std::memory_order_relaxed);
}

bool vqtSetVectorKernels(bool enabled) {
    g_vectorKernels = enabled;
    return vqtUseAvx2();
}
