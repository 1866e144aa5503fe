#include "device/dispatch/VQtBuiltInBackends.h"

#include "device/dispatch/VQtBackendRegistry.h"
#include "device/sim/SimBoardBackend.h"
#include "device/sim/SimCameraBackend.h"

// Listing order: the simulated devices first, then real transports.
void vqtRegisterBuiltInBackends() {
    VQtBackendRegistry::addCameraBackend(std::make_shared<SimCameraBackend>());
    VQtBackendRegistry::addBoardBackend(std::make_shared<SimBoardBackend>());
}
