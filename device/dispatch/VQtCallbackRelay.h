// Callbacks registered through the library surfaces reach the application with public
// handles: the backend calls a relay, which tags the handle it was given and calls the
// application's function. A relay lives until its registration is undone or its device,
// stream or board is gone; a registration that replaces another keeps the old relay alive,
// because a callback of the old one may still be running on another thread.
#ifndef VQTCALLBACKRELAY_H
#define VQTCALLBACKRELAY_H

#include <cstdint>

#include "device/OxaApi.h"
#include "device/VionBoardApi.h"

struct VQtCallbackRelay {
    unsigned slot = 0;
    OXA_EVENT_CALLBACK cameraFunc = nullptr;
    VION_CALLBACK boardFunc = nullptr;
    void* context = nullptr;

    // Passed to the backend with the relay as context.
    static void onCameraEvent(OXA_EVENT_INFO_HANDLE info, void* relay);
    static void onBoardEvent(VION_HANDLE board, uint32_t event, void* relay);

    // owner: the local device, stream or board handle; event: an event id or a hash of its name.
    static VQtCallbackRelay* add(unsigned slot, uint64_t owner, uint64_t event);
    // The registration failed: the relay was never handed out.
    static void discard(VQtCallbackRelay* relay);
    // The registration was undone, the owner is gone, or the whole backend was terminated.
    static void release(unsigned slot, uint64_t owner, uint64_t event);
    static void releaseOwner(unsigned slot, uint64_t owner);
    static void releaseSlot(unsigned slot);
};

#endif // VQTCALLBACKRELAY_H
