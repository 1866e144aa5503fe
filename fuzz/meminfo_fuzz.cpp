// The /proc/meminfo reader: any text gives either no figures or a percentage from 0 to 100.

#include <cstdlib>

#include "acquisition/VQtMemoryInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const VQtMemoryInfo::Figures f = VQtMemoryInfo::parse(reinterpret_cast<const char*>(data), size);
    const int percent = VQtMemoryInfo::usePercent(f);
    if (percent < 0 || percent > 100 || (f.valid && f.availableKiB > f.totalKiB))
        std::abort();
    return 0;
}
