#include "service_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstring>
#include <gtest/gtest.h>

#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

void useSimDevices(const QByteArray& json) {
    SimDeviceSet set = SimDeviceSet::defaultSet();
    QString error;
    if (!json.isEmpty()) {
        ASSERT_TRUE(SimDeviceSet::fromJson(json, &set, &error)) << error.toStdString();
    }
    SimLibrary::instance().setDeviceSet(set);
    ASSERT_EQ(OxaManInitialize(), OXA_STATUS_SUCCESS);
}

namespace {
int listedIndex(const char* model) {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        if (OxaManGetDeviceInfo(i, &info) == OXA_STATUS_SUCCESS && std::strcmp(info.deviceName, model) == 0)
            return int(i);
    }
    return -1;
}
} // namespace

std::unique_ptr<VQtDevice> openCamera(const char* model, VQT_DEVICE_VAR_TYPE type, int board) {
    std::unique_ptr<VQtDevice> dev(VQtDevice::createDevice(type));
    const int index = listedIndex(model);
    EXPECT_GE(index, 0) << model;
    EXPECT_TRUE(dev && dev->open(board, index)) << model;
    return dev;
}

std::shared_ptr<SimCamera> simCamera(const VQtDevice* device) {
    return SimLibrary::instance().device(device->getRemoteHandle());
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
