#include "device/sim/SimFrameRenderer.h"

#include <algorithm>

#include "device/sim/SimColumnNoise.h"
#include "device/sim/SimCorrectionTables.h"
#include "device/sim/SimDefectMap.h"
#include "device/sim/SimFrameEncoder.h"
#include "device/sim/SimRowSource.h"
#include "device/sim/SimScene.h"

struct SimFrameRenderer::Plan {
    std::shared_ptr<const SimScene> scene;
    std::shared_ptr<const SimDefectMap> stuck;        // null: no stuck pixels
    std::shared_ptr<const SimDefectMap> listed;       // null: defect correction off or list empty
    std::shared_ptr<const std::vector<uint16_t>> lut; // null: look-up table off
    std::vector<int32_t> offsets;                     // per frame column; empty: no column offsets
    std::vector<uint16_t> gains;                      // per frame column; empty: flat field off
};

namespace {

inline uint16_t clip16(int v) {
    return uint16_t(v < 0 ? 0 : (v > 65535 ? 65535 : v));
}

// One frame's rows through the steps the renderer's header lists.
class PictureRows : public SimRowSource {
public:
    PictureRows(const SimPictureState& state, const SimFrameRenderer::Plan& plan, uint64_t frame)
        : SimRowSource(frame, state.format), m_st(state), m_plan(plan),
          m_channels(layout() == SimRowLayout::Rgb ? 3 : 1) {
        const SimFrameFormat& f = state.format;
        const bool eightBit = f.imageType == 6 || f.imageType == 7 || f.packedType == 4;
        m_depth = eightBit ? 8 : std::min<uint32_t>(16, std::max<uint32_t>(8, f.bitDepth));
    }

    void fillRow(int y, uint16_t* out) const override {
        if (m_st.pattern != SimTestPattern::Off) {
            SimTestPattern::row(m_st.pattern, frame(), y, width(), m_depth, layout(), format().bayerPattern,
                                out);
        } else {
            if (m_st.burstLength > 1)
                shiftedSceneRow(y, out);
            else if (layout() == SimRowLayout::Mosaic)
                m_plan.scene->mosaicRow(frame(), y, format().bayerPattern, out);
            else
                m_plan.scene->row(frame(), y, layout() == SimRowLayout::Rgb, out);
            applyFactors(y, out);
        }
        const int sensorRow = m_st.lineScan ? m_st.offsetY : y + m_st.offsetY;
        if (!m_plan.offsets.empty()) {
            if (m_channels == 1)
                perColumn<1>(out, m_plan.offsets.data(), addOffset);
            else
                perColumn<3>(out, m_plan.offsets.data(), addOffset);
        }
        if (m_plan.stuck)
            applyStuck(sensorRow, out);
        if (m_plan.listed)
            correctListed(sensorRow, out);
        const size_t n = size_t(width()) * m_channels;
        if (!m_plan.gains.empty()) {
            if (m_channels == 1)
                perColumn<1>(out, m_plan.gains.data(), applyGain);
            else
                perColumn<3>(out, m_plan.gains.data(), applyGain);
        }
        if (m_plan.lut) {
            const uint16_t* lut = m_plan.lut->data();
            for (size_t i = 0; i < n; ++i)
                out[i] = lut[out[i]];
        }
    }

private:
    // Pixel shift: this burst position's samples of the larger scene, as it stood at the
    // burst's first frame.
    void shiftedSceneRow(int y, uint16_t* out) const {
        const int k = int(frame() % uint64_t(m_st.burstLength));
        int s = 1, dx = 0, dy = 0;
        SimFrameRenderer::shiftOf(m_st.burstLength, m_st.colour, k, &s, &dx, &dy);
        const SimScene& scene = *m_plan.scene;
        const int sw = scene.width(), w = width();
        const bool rgb = layout() != SimRowLayout::Luma;
        thread_local std::vector<uint16_t> big;
        big.resize(size_t(sw) * 3);
        scene.row(frame() - uint64_t(k), s * y + dy, rgb, big.data());
        const uint16_t* b = big.data();
        for (int x = 0; x < w; ++x) {
            const int X = (s * x + dx) % sw;
            if (layout() == SimRowLayout::Luma)
                out[x] = b[X];
            else if (layout() == SimRowLayout::Mosaic)
                out[x] = b[X * 3 + SimScene::bayerChannel(format().bayerPattern, x, y)];
            else
                out[x * 3] = b[X * 3], out[x * 3 + 1] = b[X * 3 + 1], out[x * 3 + 2] = b[X * 3 + 2];
        }
    }

    void applyFactors(int y, uint16_t* out) const {
        const float* f = m_st.factor;
        const int black = m_st.blackLevel;
        const int w = width();
        const auto scale = [black](uint16_t v, float k) { return clip16(int(float(v) * k) + black); };
        switch (layout()) {
        case SimRowLayout::Luma:
            if (f[3] == 1.0f && black == 0)
                return;
            for (int x = 0; x < w; ++x)
                out[x] = scale(out[x], f[3]);
            return;
        case SimRowLayout::Rgb:
            if (f[0] == 1.0f && f[1] == 1.0f && f[2] == 1.0f && black == 0)
                return;
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    out[x * 3 + c] = scale(out[x * 3 + c], f[c]);
            return;
        case SimRowLayout::Mosaic: {
            const uint32_t p = format().bayerPattern;
            const float even = f[SimScene::bayerChannel(p, 0, y)], odd = f[SimScene::bayerChannel(p, 1, y)];
            if (even == 1.0f && odd == 1.0f && black == 0)
                return;
            int x = 0;
            for (; x + 1 < w; x += 2)
                out[x] = scale(out[x], even), out[x + 1] = scale(out[x + 1], odd);
            if (x < w)
                out[x] = scale(out[x], even);
            return;
        }
        }
    }

    static uint16_t addOffset(uint16_t v, int32_t offset) { return clip16(int(v) + offset); }
    static uint16_t applyGain(uint16_t v, uint16_t gain) {
        const uint32_t g = (uint32_t(v) * gain) >> 10; // 1024 = 1.0
        return uint16_t(g > 65535u ? 65535u : g);
    }
    // One value per column applied to each of a pixel's samples; the channel count is a
    // constant so that the loop vectorises.
    template <int Channels, typename T, typename Op>
    void perColumn(uint16_t* out, const T* column, Op op) const {
        const int w = width();
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < Channels; ++c)
                out[x * Channels + c] = op(out[x * Channels + c], column[x]);
    }

    void applyStuck(int sensorRow, uint16_t* out) const {
        const SimDefect* e = m_plan.stuck->rowEnd(sensorRow);
        for (const SimDefect* d = m_plan.stuck->rowBegin(sensorRow); d && d != e; ++d) {
            const int x = d->x - m_st.offsetX;
            if (x >= 0 && x < width())
                std::fill(out + x * m_channels, out + (x + 1) * m_channels, d->value);
        }
    }

    // A listed pixel takes the mean of the nearest unlisted pixels of its colour to its left
    // and right (looking at most four steps each way); without either it stays as it is.
    void correctListed(int sensorRow, uint16_t* out) const {
        const SimDefectMap& listed = *m_plan.listed;
        const int step = layout() == SimRowLayout::Mosaic ? 2 : 1;
        const int w = width(), ox = m_st.offsetX;
        const SimDefect* e = listed.rowEnd(sensorRow);
        for (const SimDefect* d = listed.rowBegin(sensorRow); d && d != e; ++d) {
            const int x = d->x - ox;
            if (x < 0 || x >= w)
                continue;
            int near[2] = {-1, -1};
            for (int side = 0; side < 2; ++side)
                for (int k = 1; k <= 4; ++k) {
                    const int n = side == 0 ? x - k * step : x + k * step;
                    if (n < 0 || n >= w)
                        break;
                    if (!listed.contains(n + ox, sensorRow)) {
                        near[side] = n;
                        break;
                    }
                }
            const int found = (near[0] >= 0) + (near[1] >= 0);
            if (found == 0)
                continue;
            for (int c = 0; c < m_channels; ++c) {
                int sum = 0;
                for (int n : near)
                    if (n >= 0)
                        sum += out[n * m_channels + c];
                out[x * m_channels + c] = uint16_t(sum / found);
            }
        }
    }

    const SimPictureState& m_st;
    const SimFrameRenderer::Plan& m_plan;
    const int m_channels;
    uint32_t m_depth = 8;
};

} // namespace

SimFrameRenderer::SimFrameRenderer() = default;
SimFrameRenderer::~SimFrameRenderer() = default;

void SimFrameRenderer::shiftOf(int burstLength, bool colour, int k, int* scale, int* dx, int* dy) {
    if (burstLength == 16) {
        *scale = 2, *dx = 3 - k % 4, *dy = 3 - (k / 4) % 4;
    } else {
        *scale = colour ? 1 : 2, *dx = 1 - k % 2, *dy = 1 - (k / 2) % 2;
    }
}

std::shared_ptr<const SimFrameRenderer::Plan> SimFrameRenderer::prepare(const SimPictureState& st) {
    auto plan = std::make_shared<Plan>();
    const int w = int(st.format.width), h = int(st.format.height);
    int scale = 1, dx = 0, dy = 0;
    if (st.burstLength > 1)
        shiftOf(st.burstLength, st.colour, 0, &scale, &dx, &dy);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (st.pattern == SimTestPattern::Off &&
        (!m_scene || m_scene->width() != w * scale || m_scene->height() != h * scale ||
         m_scene->isColour() != st.colour))
        m_scene = std::make_shared<SimScene>(w * scale, h * scale, st.colour);
    plan->scene = m_scene;

    if (m_sensorRevision != st.sensorRevision) {
        m_sensorRevision = st.sensorRevision;
        auto stuck = std::make_shared<SimDefectMap>(
            SimDefectMap::sensorDefects(st.sensor, st.sensorWidth, st.sensorHeight), st.sensorHeight);
        m_stuck = stuck->isEmpty() ? nullptr : stuck;
        m_columnOffsets = std::make_shared<std::vector<int32_t>>(
            SimColumnNoise::offsets(st.sensor.columnNoiseRms, st.sensor.columnNoiseSeed, st.sensorWidth));
    }
    plan->stuck = m_stuck;
    if (!m_columnOffsets->empty()) {
        plan->offsets.assign(size_t(w), 0);
        for (int x = 0; x < w; ++x)
            if (size_t(x + st.offsetX) < m_columnOffsets->size())
                plan->offsets[size_t(x)] = (*m_columnOffsets)[size_t(x + st.offsetX)];
    }

    const uint64_t rev = st.tablesRevision;
    if (m_tablesRevision != rev) {
        m_tablesRevision = rev;
        m_lut.reset(), m_listed.reset(), m_ffcGains.reset();
    }
    if (!st.lut.empty()) {
        if (!m_lut || m_lutTable != st.lutTable) {
            const std::vector<uint16_t>& table = st.lut;
            auto lut = std::make_shared<std::vector<uint16_t>>(65536);
            for (uint32_t v = 0; v < 65536; ++v) {
                const uint32_t out = (v >> 4) < table.size() ? table[v >> 4] : 0;
                (*lut)[v] = uint16_t((out << 4) | (out >> 8));
            }
            m_lut = lut;
            m_lutTable = st.lutTable;
        }
        plan->lut = m_lut;
    }
    if (!st.defectList.empty()) {
        if (!m_listed) {
            QVector<SimDefect> list;
            for (const QPoint& p : st.defectList)
                list << SimDefect{p.x(), p.y(), 0};
            m_listed = std::make_shared<SimDefectMap>(list, st.sensorHeight);
        }
        plan->listed = m_listed;
    }
    if (!st.flatField.empty()) {
        if (!m_ffcGains) {
            const std::vector<int32_t>& ffc = st.flatField;
            auto gains = std::make_shared<std::vector<uint16_t>>(ffc.size());
            for (size_t i = 0; i < ffc.size(); ++i)
                (*gains)[i] = uint16_t(std::min<int32_t>(ffc[i], 65535));
            m_ffcGains = gains;
        }
        plan->gains.assign(size_t(w), uint16_t(SimCorrectionTables::kFfcUnity));
        for (int x = 0; x < w; ++x)
            if (size_t(x + st.offsetX) < m_ffcGains->size())
                plan->gains[size_t(x)] = (*m_ffcGains)[size_t(x + st.offsetX)];
    }
    return plan;
}

size_t SimFrameRenderer::render(const SimPictureState& st, uint64_t frame, uint8_t* dst, size_t capacity) {
    if (st.format.width == 0 || st.format.height == 0)
        return 0;
    // A test pattern needs no scene: none is made for it.
    const std::shared_ptr<const Plan> plan = prepare(st);
    return SimFrameEncoder::encode(PictureRows(st, *plan, frame), dst, capacity);
}
