#include "tools/VQtServiceTiming.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace VQtServiceTiming {

namespace {
std::atomic<double> g_scale{1.0};
}

void setScale(double s) {
    g_scale = std::max(0.0, s);
}

double scale() {
    return g_scale.load();
}

int ms(int statedMs) {
    if (statedMs <= 0)
        return 0;
    const double s = g_scale.load();
    if (s == 0.0)
        return 0;
    return std::max(1, int(std::lround(statedMs * s)));
}

bool sleep(int ms, const std::atomic<bool>* running) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (running && !running->load())
            return false;
        QThread::msleep(std::min<qint64>(5, ms - timer.elapsed()));
    }
    return !running || running->load();
}

} // namespace VQtServiceTiming
