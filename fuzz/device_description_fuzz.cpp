// The simulated device description on arbitrary bytes; a description that is accepted is then
// built into its cameras and boards, the way the library starts with it.
#include <QByteArray>

#include "device/sim/SimBoard.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimDeviceSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SimDeviceSet set;
    QString error;
    if (!SimDeviceSet::fromJson(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)), &set,
                                &error))
        return 0;
    for (const SimCameraDesc& d : set.cameras) {
        SimCamera camera(d);
        const SimFrameFormat f = camera.frameFormat();
        (void)f.frameBytes();
    }
    for (int i = 0; i < set.boards.size() && i < 4; ++i) {
        SimBoard board(set.boards[i], i);
        (void)board.frameFormat().frameBytes();
    }
    return 0;
}
