#include "sim_picture_helpers.h"

#include <gtest/gtest.h>

#include "acquisition/VQtPsCricleBuffer.h"
#include "device/sim/SimDeviceSet.h"

double DecodedFrame::mean() const {
    double sum = 0;
    for (uint32_t v : samples)
        sum += v;
    return samples.empty() ? 0.0 : sum / double(samples.size());
}

std::unique_ptr<SimCamera> makeCamera(const QByteArray& cameraJson) {
    SimDeviceSet set;
    QString error;
    const bool ok = SimDeviceSet::fromJson("{\"cameras\": [" + cameraJson + "]}", &set, &error);
    EXPECT_TRUE(ok) << error.toStdString();
    if (!ok || set.cameras.isEmpty())
        return std::make_unique<SimCamera>(SimCameraDesc());
    return std::make_unique<SimCamera>(set.cameras.first());
}

void setFeature(SimCamera& camera, const char* name, const QString& value) {
    EXPECT_EQ(camera.fromString(QString::fromLatin1(name), value), OXA_STATUS_SUCCESS)
        << name << " = " << value.toStdString();
}

DecodedFrame renderFrame(const SimCamera& camera, uint64_t frame) {
    SimFrameFormat f = camera.frameFormat();
    std::vector<uint8_t> raw(size_t(f.frameBytes()) + 16);
    const size_t bytes = camera.renderFrame(frame, raw.data(), raw.size(), &f);
    EXPECT_GT(bytes, 0u);
    VQtImageParam param;
    param.imageType = f.imageType, param.packedType = f.packedType, param.bitDepth = f.bitDepth;
    param.bayerPattern = f.bayerPattern, param.width = f.width, param.height = f.height;
    param.deriveLayout();
    VQtPsCricleBuffer buffer;
    EXPECT_TRUE(buffer.flush(raw.size(), false));
    buffer.setImageParam(param);
    EXPECT_TRUE(buffer.write(raw.data(), bytes, true));
    DecodedFrame out;
    out.width = int(f.width), out.height = int(f.height), out.channels = int(param.channels);
    out.depth = f.bitDepth;
    const size_t samples = size_t(f.width) * f.height * param.channels;
    std::vector<uint8_t> unpacked(samples * param.storageBits / 8);
    EXPECT_TRUE(buffer.read(unpacked.data(), unpacked.size(), 0));
    out.samples.resize(samples);
    for (size_t i = 0; i < samples; ++i)
        out.samples[i] =
            param.storageBits == 8 ? unpacked[i] : uint32_t(unpacked[2 * i] | (unpacked[2 * i + 1] << 8));
    return out;
}
