#include "acquisition/VQtFrameLayout.h"

#include <QFile>

#include <atomic>

#include "acquisition/VQtImageParam.h"

namespace {

std::atomic<uint64_t> g_testMemory{0};

QString mebibytes(uint64_t bytes) {
    return QString::number(double(bytes) / double(1 << 20), 'f', 0);
}

} // namespace

bool VQtFrameLayout::isShowable(uint32_t storageBits, uint32_t channels) {
    return (storageBits == 8 || storageBits == 16) && (channels == 1 || channels == 3 || channels == 4);
}

QString VQtFrameLayout::layoutProblem(uint32_t storageBits, uint32_t channels) {
    if (storageBits != 8 && storageBits != 16)
        return tr("%1-bit samples (only 8 or 16 bits can be shown)").arg(storageBits);
    if (!isShowable(storageBits, channels))
        return tr("%1 channels (only 1, 3 or 4 can be shown)").arg(channels);
    return QString();
}

QString VQtFrameLayout::memoryProblem(uint64_t width, uint64_t height, uint64_t bytes) {
    const uint64_t available = availableMemory();
    if (bytes <= available)
        return QString();
    return tr("a %1 x %2 frame needs %3 MiB, more than the %4 MiB of memory available")
        .arg(width)
        .arg(height)
        .arg(mebibytes(bytes), mebibytes(available));
}

QString VQtFrameLayout::problem(const VQtImageParam& param) {
    const QString layout = layoutProblem(param.storageBits, param.channels);
    if (!layout.isEmpty())
        return layout;
    // Computed in 64 bits from 32-bit fields: cannot overflow.
    return memoryProblem(param.width, param.height, param.unpackedBytes());
}

uint64_t VQtFrameLayout::availableMemory() {
    if (const uint64_t fixed = g_testMemory.load())
        return fixed;
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly))
        return UINT64_MAX;
    uint64_t available = 0, swap = 0;
    bool found = false;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts[0] == "MemAvailable:") {
            available = parts[1].toULongLong() * 1024;
            found = true;
        } else if (parts[0] == "SwapFree:") {
            swap = parts[1].toULongLong() * 1024;
        }
    }
    return found ? available + swap : UINT64_MAX;
}

void VQtFrameLayout::setAvailableMemoryForTest(uint64_t bytes) {
    g_testMemory.store(bytes);
}
