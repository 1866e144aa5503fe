// The sensor keys of a camera entry in a device description (defects, column offsets, pixel
// shift) on arbitrary bytes; whatever is accepted is then rendered onto a small sensor.

#include <QJsonDocument>
#include <QJsonObject>

#include <vector>

#include "device/sim/SimCamera.h"
#include "device/sim/SimCameraDesc.h"
#include "device/sim/SimSensorDesc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    if (!doc.isObject())
        return 0;
    SimCameraDesc desc;
    desc.interfaceType = QStringLiteral("PCIe");
    desc.sensorWidth = desc.width = 64;
    desc.sensorHeight = desc.height = 48;
    QString error;
    if (!SimSensorDesc::fromJson(doc.object(), &desc, &error))
        return 0;
    SimCamera camera(desc);
    camera.fromString(QStringLiteral("TestPattern"), QStringLiteral("Flat"));
    std::vector<uint8_t> frame(size_t(camera.frameFormat().frameBytes()));
    camera.renderFrame(0, frame.data(), frame.size());
    camera.fromString(QStringLiteral("TestPattern"), QStringLiteral("Off"));
    camera.fromString(QStringLiteral("PixelShiftMode"), QStringLiteral("Shift4x4"));
    camera.renderFrame(3, frame.data(), frame.size());
    return 0;
}
