// A CoaXPress or SFP frame grabber with the camera on its links. The board generation, its
// variant, firmware version and firmware type decide which optional parameters exist and
// whether timings are set in nanoseconds (increment 8) or microseconds.
#ifndef VQTDEVICECXP_H
#define VQTDEVICECXP_H

#include "device/VQtDevice.h"

class VQtDeviceCXP : public VQtDevice {
    Q_OBJECT

public:
    explicit VQtDeviceCXP(VQT_DEVICE_VAR_TYPE type = VQT_DEVICE_COAXPRESS);
    ~VQtDeviceCXP() override;

    bool open(int boardIndex, int cameraIndex, void* context = nullptr) override;
    bool isChannel8() const override { return m_channel8; }
    bool getLinkStatus(QString* text, bool* warning) override;
    bool startAcq(int32_t frameCount) override;
    void stop() override;
    void loadAllFeature() override;
    uint32_t getCapabilities() const override;
    void updateAdaptiveFeature() override;
    void adaptiveFeature(uint32_t id) override;

    // 0, 1 or 2 from the top byte of the generation word (0x80-0x8F 1, 0xC0-0xCF 2).
    int generation() const { return m_generation; }
    int variant() const { return m_variant; }
    bool isChannel4() const { return m_channel4; }
    bool isNanosecondTiming() const { return m_nanoseconds; }
    static int generationOf(uint32_t word);
    static bool nanosecondTiming(int generation, uint32_t version, int firmwareType);

private:
    void nameFirmwareType();
    void ruleTrigger();
    void ruleTriggerUsage();
    void ruleIntegrationTiming();
    void ruleIntegrationMethod();
    void ruleScanType();
    void ruleJpeg();
    void rulePacked();
    void ruleGeneralInput(int input);
    void ruleMultiplyFactor();
    void ruleCxpTrigger();
    void ruleHeight();
    void rulePowerChannel();

    int m_generation = 0;
    int m_variant = 0;
    uint32_t m_version = 0;
    int m_firmwareType = 0;
    bool m_channel8 = false;
    bool m_channel4 = false;
    bool m_nanoseconds = false;
};

#endif // VQTDEVICECXP_H
