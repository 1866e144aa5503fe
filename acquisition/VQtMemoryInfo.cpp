#include "acquisition/VQtMemoryInfo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Value in KiB of the line "key: value kB" starting at `line`, when the key matches.
bool field(const char* line, const char* end, const char* key, uint64_t* value) {
    const size_t n = std::strlen(key);
    if (size_t(end - line) <= n || std::memcmp(line, key, n) != 0 || line[n] != ':')
        return false;
    const char* p = line + n + 1;
    while (p < end && *p == ' ')
        ++p;
    uint64_t v = 0;
    bool digits = false;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + uint64_t(*p - '0');
        digits = true;
    }
    if (digits)
        *value = v;
    return digits;
}
} // namespace

VQtMemoryInfo::Figures VQtMemoryInfo::parse(const char* text, size_t length) {
    Figures f;
    uint64_t total = 0, available = 0, free = 0, buffers = 0, cached = 0;
    bool hasTotal = false, hasAvailable = false, hasFree = false;
    const char* end = text + length;
    for (const char* line = text; line < end;) {
        const char* eol = static_cast<const char*>(std::memchr(line, '\n', size_t(end - line)));
        if (!eol)
            eol = end;
        hasTotal |= field(line, eol, "MemTotal", &total);
        hasAvailable |= field(line, eol, "MemAvailable", &available);
        hasFree |= field(line, eol, "MemFree", &free);
        field(line, eol, "Buffers", &buffers);
        field(line, eol, "Cached", &cached);
        line = eol + 1;
    }
    if (!hasTotal || total == 0 || (!hasAvailable && !hasFree))
        return f;
    f.totalKiB = total;
    f.availableKiB = hasAvailable ? available : free + buffers + cached;
    if (f.availableKiB > total)
        f.availableKiB = total;
    f.valid = true;
    return f;
}

VQtMemoryInfo::Figures VQtMemoryInfo::read() {
    // The figures used here sit in the first few lines; 4 KiB holds the whole file on any
    // current kernel.
    char text[4096];
    const int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    size_t length = 0;
    while (length < sizeof text) {
        const ssize_t n = ::read(fd, text + length, sizeof text - length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        length += size_t(n);
    }
    ::close(fd);
    return parse(text, length);
}

int VQtMemoryInfo::usePercent(const Figures& f) {
    if (!f.valid)
        return 0;
    // In floating point: a damaged figure must not overflow into a small percentage.
    return int(double(f.totalKiB - f.availableKiB) * 100.0 / double(f.totalKiB));
}

int VQtMemoryInfo::usePercent() {
    return usePercent(read());
}

uint64_t VQtMemoryInfo::totalBytes() {
    const Figures f = read();
    return f.valid ? f.totalKiB * 1024 : 0;
}
