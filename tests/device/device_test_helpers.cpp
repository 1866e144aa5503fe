#include "device_test_helpers.h"

#include <QElapsedTimer>
#include <QThread>
#include <cstring>
#include <gtest/gtest.h>

#include "device/VionBoardApi.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

namespace {

// A new device set is new hardware: board indices mean the new list only once it is taken
// again, as the application's discovery does before it opens anything.
void listBoards() {
    int32_t boards = 0;
    VionGetBoardCount(&boards);
}

} // namespace

void useDeviceSet(const QByteArray& json, bool initialise) {
    SimDeviceSet set;
    QString error;
    ASSERT_TRUE(SimDeviceSet::fromJson(json, &set, &error)) << error.toStdString();
    SimLibrary::instance().setDeviceSet(set);
    listBoards();
    if (initialise) {
        ASSERT_EQ(OxaManInitialize(), OXA_STATUS_SUCCESS);
    }
}

void useDefaultSet() {
    SimLibrary::instance().setDeviceSet(SimDeviceSet::defaultSet());
    listBoards();
    ASSERT_EQ(OxaManInitialize(), OXA_STATUS_SUCCESS);
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(2);
    }
    return true;
}

int cameraIndex(const char* model) {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        if (OxaManGetDeviceInfo(i, &info) == OXA_STATUS_SUCCESS && std::strcmp(info.deviceName, model) == 0)
            return int(i);
    }
    return -1;
}
