// A camera without a board (GigE Vision on a host network card, USB3 Vision, PCIe): the
// camera half alone, acquiring through a stream of the camera library.
#ifndef VQTDEVICEREMOTE_H
#define VQTDEVICEREMOTE_H

#include "device/VQtDevice.h"

class VQtDeviceRemote : public VQtDevice {
    Q_OBJECT

public:
    explicit VQtDeviceRemote(VQT_DEVICE_VAR_TYPE type);
    ~VQtDeviceRemote() override;

    // Starts the stream with refreshing suspended: features the camera reports changed while
    // it starts (access locked while streaming) are read again afterwards.
    bool startRemote(int64_t frameCount, OXA_STREAM_HANDLE stream) override;
    void stop() override;
};

#endif // VQTDEVICEREMOTE_H
