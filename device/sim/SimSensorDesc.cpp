#include "device/sim/SimSensorDesc.h"

#include <QJsonArray>
#include <cmath>

#include "device/sim/SimCameraDesc.h"

namespace {

constexpr int kMaxConfiguredDefects = 100000; // entries of "pixels" and "clusters" together
constexpr double kMaxColumnRms = 16384.0;

// Reads the sensor keys of one camera entry, naming the camera in every complaint.
class Reader {
public:
    Reader(const SimCameraDesc& camera, QString* error) : m_camera(camera), m_error(error) {}

    bool fail(const QString& what) {
        *m_error = QStringLiteral("camera \"%1\": %2").arg(m_camera.model, what);
        return false;
    }

    // A whole number in [min, max]; absent keys keep *value.
    bool whole(const QJsonObject& o, const char* key, const QString& path, int64_t min, int64_t max,
               int64_t* value) {
        if (!o.contains(QLatin1String(key)))
            return true;
        const QJsonValue v = o.value(QLatin1String(key));
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < double(min) || d > double(max))
            return fail(QStringLiteral("%1.%2 must be a whole number from %3 to %4")
                            .arg(path, QLatin1String(key))
                            .arg(min)
                            .arg(max));
        *value = int64_t(d);
        return true;
    }

    bool defect(const QJsonValue& entry, const QString& path, bool cluster, SimDefectEntry* out) {
        if (!entry.isObject())
            return fail(path + QStringLiteral(" must be an object"));
        const QJsonObject o = entry.toObject();
        if (!o.contains(QLatin1String("x")) || !o.contains(QLatin1String("y")))
            return fail(path + QStringLiteral(" needs \"x\" and \"y\""));
        const int w = m_camera.sensorWidth, h = m_camera.sensorHeight;
        int64_t x = 0, y = 0, length = 1, value = 65535;
        if (!whole(o, "x", path, 0, w - 1, &x) || !whole(o, "y", path, 0, h - 1, &y))
            return false;
        const QString kind = o.value(QLatin1String("kind")).toString(QStringLiteral("hot"));
        if (kind != QLatin1String("hot") && kind != QLatin1String("dead"))
            return fail(path + QStringLiteral(".kind must be \"hot\" or \"dead\""));
        value = kind == QLatin1String("hot") ? 65535 : 0;
        if (!whole(o, "value", path, 0, 65535, &value))
            return false;
        bool vertical = false;
        if (cluster) {
            const QString dir = o.value(QLatin1String("direction")).toString();
            if (dir != QLatin1String("horizontal") && dir != QLatin1String("vertical"))
                return fail(path + QStringLiteral(".direction must be \"horizontal\" or \"vertical\""));
            vertical = dir == QLatin1String("vertical");
            if (!o.contains(QLatin1String("length")))
                return fail(path + QStringLiteral(" needs a \"length\""));
            if (!whole(o, "length", path, 1, vertical ? h - y : w - x, &length))
                return false;
        }
        out->x = int(x), out->y = int(y), out->length = int(length), out->vertical = vertical;
        out->value = uint16_t(value);
        return true;
    }

    bool defects(const QJsonValue& v, SimSensorDesc* s) {
        if (!v.isObject())
            return fail(QStringLiteral("defects must be an object"));
        const QJsonObject o = v.toObject();
        const QString path = QStringLiteral("defects");
        int64_t seed = s->defectSeed, hot = 0, dead = 0;
        const int most = SimSensorDesc::maxRandomDefects(m_camera.sensorWidth, m_camera.sensorHeight);
        if (!whole(o, "seed", path, 0, 0xFFFFFFFFll, &seed) || !whole(o, "hot", path, 0, most, &hot) ||
            !whole(o, "dead", path, 0, most, &dead))
            return false;
        if (hot + dead > most)
            return fail(QStringLiteral("defects: %1 seeded defects do not fit on the %2 x %3 sensor "
                                       "(at most %4)")
                            .arg(hot + dead)
                            .arg(m_camera.sensorWidth)
                            .arg(m_camera.sensorHeight)
                            .arg(most));
        s->defectSeed = uint32_t(seed), s->randomHot = int(hot), s->randomDead = int(dead);
        for (const char* key : {"pixels", "clusters"}) {
            if (!o.contains(QLatin1String(key)))
                continue;
            const QJsonValue list = o.value(QLatin1String(key));
            if (!list.isArray())
                return fail(QStringLiteral("defects.%1 must be a list").arg(QLatin1String(key)));
            const QJsonArray a = list.toArray();
            if (s->defects.size() + a.size() > kMaxConfiguredDefects)
                return fail(QStringLiteral("more than %1 configured defects").arg(kMaxConfiguredDefects));
            const bool cluster = key[0] == 'c';
            for (int i = 0; i < a.size(); ++i) {
                SimDefectEntry parsed;
                if (!defect(a.at(i), QStringLiteral("defects.%1[%2]").arg(QLatin1String(key)).arg(i), cluster,
                            &parsed))
                    return false;
                s->defects << parsed;
            }
        }
        return true;
    }

    bool columnNoise(const QJsonValue& v, SimSensorDesc* s) {
        if (!v.isObject())
            return fail(QStringLiteral("columnNoise must be an object"));
        const QJsonObject o = v.toObject();
        const QJsonValue rms = o.value(QLatin1String("rms"));
        if (!rms.isDouble() || !(rms.toDouble() >= 0.0 && rms.toDouble() <= kMaxColumnRms))
            return fail(QStringLiteral("columnNoise.rms must be a number from 0 to %1").arg(kMaxColumnRms));
        int64_t seed = s->columnNoiseSeed;
        if (!whole(o, "seed", QStringLiteral("columnNoise"), 0, 0xFFFFFFFFll, &seed))
            return false;
        s->columnNoiseRms = rms.toDouble();
        s->columnNoiseSeed = uint32_t(seed);
        return true;
    }

private:
    const SimCameraDesc& m_camera;
    QString* m_error;
};

} // namespace

int SimSensorDesc::maxRandomDefects(int sensorWidth, int sensorHeight) {
    return int(std::min<int64_t>(100000, int64_t(sensorWidth) * sensorHeight / 100));
}

bool SimSensorDesc::fromJson(const QJsonObject& camera, SimCameraDesc* desc, QString* error) {
    Reader reader(*desc, error);
    SimSensorDesc s;
    if (camera.contains(QLatin1String("defects")) &&
        !reader.defects(camera.value(QLatin1String("defects")), &s))
        return false;
    if (camera.contains(QLatin1String("columnNoise")) &&
        !reader.columnNoise(camera.value(QLatin1String("columnNoise")), &s))
        return false;
    if (camera.contains(QLatin1String("pixelShift"))) {
        const QJsonValue v = camera.value(QLatin1String("pixelShift"));
        if (!v.isBool())
            return reader.fail(QStringLiteral("pixelShift must be true or false"));
        s.pixelShift = v.toBool();
    }
    const QJsonValue tables = camera.value(QLatin1String("tableFeatures"));
    if (!tables.isUndefined() && tables != QLatin1String("standard") && tables != QLatin1String("alternate"))
        return reader.fail(QStringLiteral("tableFeatures must be \"standard\" or \"alternate\""));
    desc->alternateTableFeatures = tables == QLatin1String("alternate");
    desc->sensor = s;
    return true;
}
