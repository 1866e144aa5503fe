// A GigE Vision frame grabber with the camera on one of its links.
#ifndef VQTDEVICEGVB_H
#define VQTDEVICEGVB_H

#include "device/VQtDevice.h"

class VQtDeviceGVB : public VQtDevice {
    Q_OBJECT

public:
    VQtDeviceGVB();
    ~VQtDeviceGVB() override;

    bool open(int boardIndex, int cameraIndex, void* context = nullptr) override;
    bool getLinkStatus(QString* text, bool* warning) override;
    // Au boards receive packed pixels: packed whenever the camera sends a "...Packed" format
    // deeper than 8 bits. The answer is also written to the board.
    bool isGigEVisionPacked() override;
    bool isGigEVisonAu() const override { return m_au; }
    bool startAcq(int32_t frameCount) override;
    void stop() override;
    void loadAllFeature() override;
    void updateAdaptiveFeature() override;
    void adaptiveFeature(uint32_t id) override;

protected:
    bool adaptAcqWidth(int64_t width) override;

private:
    void ruleLightCount();
    void ruleImageType();
    void ruleRoi();
    void rulePacked();

    bool m_au = false;
};

#endif // VQTDEVICEGVB_H
