#pragma once

// Physical memory figures from /proc/meminfo, read directly (no program is started). Cheap
// enough to ask once per offered frame: one small read and a scan of the first lines.

#include <cstddef>
#include <cstdint>

class VQtMemoryInfo {
public:
    struct Figures {
        uint64_t totalKiB = 0;
        uint64_t availableKiB = 0; // MemAvailable, or MemFree + Buffers + Cached on old kernels
        bool valid = false;        // MemTotal and an available figure were found
    };

    static Figures read();
    // The figures of a /proc/meminfo text.
    static Figures parse(const char* text, size_t length);

    // Memory in use (not available to new allocations) in percent of physical memory; 0 when the
    // figures cannot be read, so a missing /proc never stops a recording.
    static int usePercent();
    static int usePercent(const Figures& figures);
    // Physical memory in bytes; 0 when unknown.
    static uint64_t totalBytes();
};
