// Device type codes of the registry: interface groups, board kinds and probe requests.
#ifndef VQTDEVICETYPE_H
#define VQTDEVICETYPE_H

#include <cstdint>

enum VQT_DEVICE_VAR_TYPE : int32_t {
    VQT_DEVICE_ALL = 0,              // probe request only
    VQT_DEVICE_CAMERALINK = 1,       // Camera Link frame grabber
    VQT_DEVICE_COAXPRESS = 2,        // CoaXPress frame grabber
    VQT_DEVICE_GIGEVISION_BOARD = 3, // GigE Vision frame grabber
    VQT_DEVICE_SFP = 4,              // SFP frame grabber
    VQT_DEVICE_GIGEVISION = 5,       // GigE Vision camera on a host network card
    VQT_DEVICE_USB3VISION = 6,
    VQT_DEVICE_PCIEVISION = 7,
    VQT_DEVICE_IRRADIATION_GIGEVISION = 8 // recognised, never listed
};

#endif // VQTDEVICETYPE_H
