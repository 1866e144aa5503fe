// A simulated board's configuration file (VionLoadConfigurationFromFile) on arbitrary bytes:
// every parameter line is written through the board's checks, then the frame layout the
// parameters describe is worked out.
#include <QByteArray>
#include <memory>

#include "device/sim/SimBoard.h"
#include "device/sim/SimDeviceSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The CoaXPress board of the default set.
    static const SimBoardDesc desc = SimDeviceSet::defaultSet().boards.value(1);
    static SimBoard board(desc, 1);
    static std::shared_ptr<SimBoardSession> session;
    if (!session && board.open(nullptr, 1, &session) != 0)
        return 0;
    board.loadConfigurationData(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    (void)board.frameFormat().frameBytes();
    return 0;
}
