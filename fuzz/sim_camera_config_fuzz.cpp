// A simulated camera's configuration file (OxaDevLoadConfigurationFromFile) on arbitrary
// bytes: every line that names a feature is written through the camera's checks.
#include <QByteArray>
#include <memory>

#include "device/sim/SimCamera.h"
#include "device/sim/SimDeviceSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A colour GigE camera of the default set: the largest feature set.
    static const SimCameraDesc desc = SimDeviceSet::defaultSet().cameras.value(7);
    auto camera = std::make_unique<SimCamera>(desc);
    camera->loadConfigurationData(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    (void)camera->frameFormat().frameBytes();
    return 0;
}
