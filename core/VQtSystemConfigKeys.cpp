#include "core/VQtSystemConfigKeys.h"

#include <variant>
#include <vector>

#include "core/VQtSystemParam.h"

namespace {

using FieldPtr = std::variant<int*, bool*, unsigned int*, QString*>;

struct ConfigKey {
    QString key;
    FieldPtr field;
};

// The file's layout in one place, so load and save cannot drift apart.
std::vector<ConfigKey> configTable(VQtSystemParam& p) {
    const QString ui = QStringLiteral("UI/");
    std::vector<ConfigKey> t;
    t.reserve(73);
    t.push_back({QStringLiteral("Lanuage"), &p.Lanuage});
    t.push_back({ui + QStringLiteral("TotalView"), &p.ui.TotalView});
    t.push_back({ui + QStringLiteral("HorView"), &p.ui.HorView});
    for (int n = 0; n < VQtUIParam::StatusCount; ++n)
        t.push_back({ui + QStringLiteral("ShowStatus%1").arg(n), &p.ui.ShowStatus[n]});
    t.push_back({ui + QStringLiteral("LastImageFolder"), &p.ui.LastImageFolder});

    VQtGeneralParam& g = p.general;
    t.push_back({QStringLiteral("PollingTime"), &g.PollingTime});
    t.push_back({QStringLiteral("FeatureToolTips"), &g.FeatureToolTips});
    t.push_back({QStringLiteral("UserLevel"), &g.UserLevel});
    t.push_back({QStringLiteral("PixelSize"), &g.PixelSize});
    t.push_back({QStringLiteral("MeasureUint"), &g.MeasureUint});
    t.push_back({QStringLiteral("BayerInterMethod"), &g.BayerInterMethod});
    t.push_back({QStringLiteral("ResizeInterMethod"), &g.ResizeInterMethod});
    t.push_back({QStringLiteral("ExtractFrame"), &g.ExtractFrame});
    t.push_back({QStringLiteral("ExtractFrameTime"), &g.ExtractFrameTime});
    t.push_back({QStringLiteral("ProfileCoordinate"), &g.ProfileCoordinate});
    t.push_back({QStringLiteral("ProfileShape"), &g.ProfileShape});
    t.push_back({QStringLiteral("ShowUncompleteFrame"), &g.ShowUncompleteFrame});
    t.push_back({QStringLiteral("RGBConversion"), &g.RGBConversion});
    t.push_back({QStringLiteral("DenoiseThreshold"), &p.process.DenoiseThreshold});
    t.push_back({QStringLiteral("SharpenImg"), &p.process.SharpenImg});

    VQtAcqParam& a = p.acq;
    t.push_back({QStringLiteral("BoardBufferCount"), &a.BoardBufferCount});
    t.push_back({QStringLiteral("CxpControlPacketMaxSize"), &a.CxpControlPacketMaxSize});
    t.push_back({QStringLiteral("CxpStreamPacketMaxSize"), &a.CxpStreamPacketMaxSize});
    t.push_back({QStringLiteral("CxpRwRegisterMaxTime"), &a.CxpRwRegisterMaxTime});
    t.push_back({QStringLiteral("BoardAutoBufferCount"), &a.BoardAutoBufferCount});
    t.push_back({QStringLiteral("CrcHappenStopStream"), &a.CrcHappenStopStream});
    t.push_back({QStringLiteral("SupportCxp12"), &a.SupportCxp12});
    t.push_back({QStringLiteral("SupportCxpCommTag"), &a.SupportCxpCommTag});

    VQtRemoteParam& r = p.remote;
    t.push_back({QStringLiteral("StreamInfinite"), &r.StreamInfinite});
    t.push_back({QStringLiteral("StreamAutoBufferCount"), &r.StreamAutoBufferCount});
    t.push_back({QStringLiteral("StreamSelfAdaption"), &r.StreamSelfAdaption});
    // The closing parenthesis belongs to the key: files in the field carry it.
    t.push_back({QStringLiteral("StreamTimeOut)"), &r.StreamTimeOut});
    t.push_back({QStringLiteral("StreamBufferCount"), &r.StreamBufferCount});
    t.push_back({QStringLiteral("AcqHeartbeatTimeOut"), &r.AcqHeartbeatTimeOut});
    t.push_back({QStringLiteral("RemoteHeartbeatTimeOut"), &r.RemoteHeartbeatTimeOut});
    t.push_back({QStringLiteral("StreamPacketResendMaxCount"), &r.StreamPacketResendMaxCount});
    t.push_back({QStringLiteral("StreamPacketResendTimeout"), &r.StreamPacketResendTimeout});
    t.push_back({QStringLiteral("StreamPacketInterTimeout"), &r.StreamPacketInterTimeout});
    t.push_back({QStringLiteral("StreamBlockMaxResendPacketCount"), &r.StreamBlockMaxResendPacketCount});
    t.push_back({QStringLiteral("StreamBlockMaxWaitPacketCount"), &r.StreamBlockMaxWaitPacketCount});
    t.push_back({QStringLiteral("StreamResendWindowSize"), &r.StreamResendWindowSize});
    t.push_back({QStringLiteral("StreamDectionImageSaveCount"), &r.StreamDectionImageSaveCount});
    t.push_back({QStringLiteral("StreamDectionImageSaveRate"), &r.StreamDectionImageSaveRate});
    t.push_back({QStringLiteral("StreamDectionImageSavePath"), &r.StreamDectionImageSavePath});

    VQtImageSaveParam& s = p.save;
    t.push_back({QStringLiteral("TifCompress"), &s.TifCompress});
    t.push_back({QStringLiteral("TifDpiX"), &s.TifDpiX});
    t.push_back({QStringLiteral("TifDpiY"), &s.TifDpiY});
    t.push_back({QStringLiteral("JpegQuality"), &s.JpegQuality});
    t.push_back({QStringLiteral("VideoFrameRate"), &s.VideoFrameRate});
    t.push_back({QStringLiteral("StretchImage"), &s.StretchImage});
    t.push_back({QStringLiteral("Shift"), &s.Shift});
    t.push_back({QStringLiteral("SwitchType"), &s.SwitchType});
    t.push_back({QStringLiteral("ImageType"), &s.ImageType});
    t.push_back({QStringLiteral("strSequencePath"), &s.strSequencePath});
    t.push_back({QStringLiteral("strPrefix"), &s.strPrefix});
    t.push_back({QStringLiteral("BeginNumber"), &s.BeginNumber});
    t.push_back({QStringLiteral("ImageCount"), &s.ImageCount});

    t.push_back({QStringLiteral("PixelDisSynthesize"), &p.displacement.PixelDisSynthesize});
    t.push_back({QStringLiteral("OpenFromXml"), &p.debug.OpenFromXml});
    t.push_back({QStringLiteral("DevXmlFile"), &p.debug.DevXmlFile});
    return t;
}

// Only the literal text "true" switches a setting on; anything else typed by hand is off.
bool toBool(const QVariant& v) {
    if (v.type() == QVariant::Bool)
        return v.toBool();
    return v.toString().trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

struct Reader {
    const QSettings& settings;
    const QString& key;
    QVariant get(const QVariant& fallback) const { return settings.value(key, fallback); }
    void operator()(int* f) const { *f = get(*f).toInt(); }
    void operator()(unsigned int* f) const { *f = get(*f).toUInt(); }
    void operator()(bool* f) const { *f = toBool(get(*f)); }
    void operator()(QString* f) const { *f = get(*f).toString(); }
};

struct Writer {
    QSettings& settings;
    const QString& key;
    void operator()(int* f) const { settings.setValue(key, *f); }
    void operator()(unsigned int* f) const { settings.setValue(key, *f); }
    void operator()(bool* f) const { settings.setValue(key, *f); }
    void operator()(QString* f) const { settings.setValue(key, *f); }
};

} // namespace

QStringList systemConfigKeys() {
    VQtSystemParam scratch;
    QStringList keys;
    for (const ConfigKey& k : configTable(scratch))
        keys << k.key;
    return keys;
}

void readSystemConfig(QSettings& settings, VQtSystemParam& prm) {
    for (const ConfigKey& k : configTable(prm))
        std::visit(Reader{settings, k.key}, k.field);
}

void writeSystemConfig(QSettings& settings, const VQtSystemParam& prm) {
    VQtSystemParam copy = prm;
    for (const ConfigKey& k : configTable(copy))
        std::visit(Writer{settings, k.key}, k.field);
}
