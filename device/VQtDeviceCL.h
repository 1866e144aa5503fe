// A Camera Link frame grabber with the camera on its serial link.
#ifndef VQTDEVICECL_H
#define VQTDEVICECL_H

#include "device/VQtDevice.h"

class VQtDeviceCL : public VQtDevice {
    Q_OBJECT

public:
    VQtDeviceCL();
    ~VQtDeviceCL() override;

    bool open(int boardIndex, int cameraIndex, void* context = nullptr) override;
    bool getLinkStatus(QString* text, bool* warning) override;
    bool startAcq(int32_t frameCount) override;
    void stop() override;
    void loadAllFeature() override;
    uint32_t getCapabilities() const override;
    void updateAdaptiveFeature() override;
    void adaptiveFeature(uint32_t id) override;

    // Firmware with the extended features: every model except 5 below firmware 5.19
    // (5.18.255 counts as extended).
    bool isExtended() const { return m_extended; }
    static bool extendedFirmware(uint32_t versionWord);
    // Taps of a tap geometry name ("Geometry_1X2_1Y" 2, "Geometry_2XE_2YE" 4), 0 when unknown.
    static int tapCount(const QString& geometry);

protected:
    bool adaptTapGeometry(const QString& geometry) override;

private:
    void fillTapEntries();
    void ruleImageWidth();
    void ruleWidthStep();
    void ruleScanType();
    void ruleImageType();
    void ruleJpeg();
    void ruleLightCount();
    void ruleTapNumber();
    void ruleTapArrangement();
    void ruleTrigger();
    void ruleBoardSync();
    void ruleGeneralInput(int input);
    void ruleShaftEncoderInput();
    void ruleTriggerUsage();
    void ruleIntegrationMethod();
    void ruleSoftwareTiming(bool widthChanged);
    void ruleValidDirection();

    uint32_t m_version = 0;
    bool m_extended = true;
};

#endif // VQTDEVICECL_H
