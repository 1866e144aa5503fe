#include "core/VQtSystemConfigKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <climits>
#include <optional>
#include <variant>
#include <vector>

#include "core/VQtSystemParam.h"

namespace {

using FieldPtr = std::variant<int*, bool*, unsigned int*, QString*>;

struct ConfigKey {
    QString key;
    FieldPtr field;
    VQtConfigRange range; // empty for flags and texts
};

constexpr qint64 kIntMax = INT_MAX;

// The file's layout and limits in one place, so load, save and the Preferences dialog cannot
// drift apart. The limits are those the dialogs offer; keys no dialog edits take the limits
// of the code that uses them.
std::vector<ConfigKey> configTable(VQtSystemParam& p) {
    std::vector<ConfigKey> t;
    t.reserve(73);
    auto num = [&t](const QString& key, auto* field, qint64 minimum, qint64 maximum) {
        t.push_back({key, field, {minimum, maximum}});
    };
    auto other = [&t](const QString& key, auto* field) { t.push_back({key, field, {}}); };

    num("Lanuage", &p.Lanuage, 0, 1); // the Language menu: 0 Chinese, 1 English
    // View layouts 1x1 to 3x3: the number of views and the number of columns.
    num("UI/TotalView", &p.ui.TotalView, 1, 9);
    num("UI/HorView", &p.ui.HorView, 1, 3);
    for (int n = 0; n < VQtUIParam::StatusCount; ++n)
        other(QStringLiteral("UI/ShowStatus%1").arg(n), &p.ui.ShowStatus[n]);
    other("UI/LastImageFolder", &p.ui.LastImageFolder);

    VQtGeneralParam& g = p.general;
    other("PollingTime", &g.PollingTime);
    other("FeatureToolTips", &g.FeatureToolTips);
    num("UserLevel", &g.UserLevel, 0, 2); // Beginner, Expert, Guru
    num("PixelSize", &g.PixelSize, 1, 65535);
    num("MeasureUint", &g.MeasureUint, 0, 2);           // um, mm, cm
    num("BayerInterMethod", &g.BayerInterMethod, 0, 2); // Linear, Bicubic, Dfpd
    // OpenCV's interpolation codes nearest, linear, cubic and area: the four the viewer offers.
    num("ResizeInterMethod", &g.ResizeInterMethod, 0, 3);
    other("ExtractFrame", &g.ExtractFrame);
    num("ExtractFrameTime", &g.ExtractFrameTime, 0, 1000);
    other("ProfileCoordinate", &g.ProfileCoordinate);
    num("ProfileShape", &g.ProfileShape, 0, 1); // Bar, Line
    other("ShowUncompleteFrame", &g.ShowUncompleteFrame);
    other("RGBConversion", &g.RGBConversion);
    // The ranges of the Image Process panel's spin boxes; 0 switches a filter off.
    num("DenoiseThreshold", &p.process.DenoiseThreshold, 0, 1000);
    num("SharpenImg", &p.process.SharpenImg, 0, 100);

    VQtAcqParam& a = p.acq;
    num("BoardBufferCount", &a.BoardBufferCount, 1, 32);
    num("CxpControlPacketMaxSize", &a.CxpControlPacketMaxSize, 0, kIntMax);
    num("CxpStreamPacketMaxSize", &a.CxpStreamPacketMaxSize, 2048, 16384);
    num("CxpRwRegisterMaxTime", &a.CxpRwRegisterMaxTime, 1, 10);
    other("BoardAutoBufferCount", &a.BoardAutoBufferCount);
    other("CrcHappenStopStream", &a.CrcHappenStopStream);
    other("SupportCxp12", &a.SupportCxp12);
    other("SupportCxpCommTag", &a.SupportCxpCommTag);

    VQtRemoteParam& r = p.remote;
    other("StreamInfinite", &r.StreamInfinite);
    other("StreamAutoBufferCount", &r.StreamAutoBufferCount);
    other("StreamSelfAdaption", &r.StreamSelfAdaption);
    // The closing parenthesis belongs to the key: files in the field carry it.
    num("StreamTimeOut)", &r.StreamTimeOut, 1, kIntMax);
    num("StreamBufferCount", &r.StreamBufferCount, 1, 16);
    num("AcqHeartbeatTimeOut", &r.AcqHeartbeatTimeOut, 500, kIntMax);
    num("RemoteHeartbeatTimeOut", &r.RemoteHeartbeatTimeOut, 1000, kIntMax);
    num("StreamPacketResendMaxCount", &r.StreamPacketResendMaxCount, 0, kIntMax);
    num("StreamPacketResendTimeout", &r.StreamPacketResendTimeout, 1, kIntMax);
    num("StreamPacketInterTimeout", &r.StreamPacketInterTimeout, 1, kIntMax);
    num("StreamBlockMaxResendPacketCount", &r.StreamBlockMaxResendPacketCount, 0, kIntMax);
    num("StreamBlockMaxWaitPacketCount", &r.StreamBlockMaxWaitPacketCount, 0, kIntMax);
    num("StreamResendWindowSize", &r.StreamResendWindowSize, 1, kIntMax);
    num("StreamDectionImageSaveCount", &r.StreamDectionImageSaveCount, 1, kIntMax);
    // 0, the default, saves no detection images.
    num("StreamDectionImageSaveRate", &r.StreamDectionImageSaveRate, 0, 100);
    other("StreamDectionImageSavePath", &r.StreamDectionImageSavePath);

    VQtImageSaveParam& s = p.save;
    other("TifCompress", &s.TifCompress);
    num("TifDpiX", &s.TifDpiX, 96, 1000);
    num("TifDpiY", &s.TifDpiY, 96, 1000);
    num("JpegQuality", &s.JpegQuality, 1, 100);
    num("VideoFrameRate", &s.VideoFrameRate, 1, 65535);
    other("StretchImage", &s.StretchImage);
    num("Shift", &s.Shift, -1, 15);         // -1 keeps the samples
    num("SwitchType", &s.SwitchType, 0, 8); // none, four Bayer phases, four 2 x 2 positions
    num("ImageType", &s.ImageType, 0, 5);   // bmp, jpg, png, tif, raw, iim
    other("strSequencePath", &s.strSequencePath);
    other("strPrefix", &s.strPrefix);
    num("BeginNumber", &s.BeginNumber, 0, kIntMax);
    num("ImageCount", &s.ImageCount, 1, kIntMax);

    other("PixelDisSynthesize", &p.displacement.PixelDisSynthesize);
    other("OpenFromXml", &p.debug.OpenFromXml);
    other("DevXmlFile", &p.debug.DevXmlFile);
    return t;
}

// The value as it appears in the file, on one short line, for a warning.
QString shown(const QVariant& v) {
    QString text =
        v.userType() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
    for (QChar& c : text)
        if (!c.isPrint())
            c = QLatin1Char(' ');
    text = text.simplified();
    constexpr int kLongest = 40;
    if (text.size() > kLongest)
        text = text.left(kLongest - 3) + QStringLiteral("...");
    return text;
}

enum class Parsed { Number, NotANumber, TooLarge };

// A whole number in decimal, with an optional sign and surrounding spaces. Digits beyond
// 64 bits are still a number, just one no limit accepts.
Parsed parseNumber(const QVariant& v, qint64* out) {
    switch (v.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        *out = v.toLongLong();
        return Parsed::Number;
    case QMetaType::QString:
        break;
    default:
        return Parsed::NotANumber;
    }
    const QString text = v.toString().trimmed();
    bool ok = false;
    *out = text.toLongLong(&ok, 10);
    if (ok)
        return Parsed::Number;
    int i = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (i == text.size())
        return Parsed::NotANumber;
    for (; i < text.size(); ++i)
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return Parsed::NotANumber;
    return Parsed::TooLarge;
}

// True and false as the file writes them, in any letter case; nothing else.
std::optional<bool> parseBool(const QVariant& v) {
    if (v.userType() == QMetaType::Bool)
        return v.toBool();
    if (v.userType() != QMetaType::QString)
        return std::nullopt;
    const QString text = v.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

struct Reader {
    const ConfigKey& entry;
    const FieldPtr& fallback;
    const QVariant& value;
    QVector<VQtConfigIssue>* issues;

    void report(VQtConfigIssue::Reason reason, const QString& def) const {
        if (issues)
            issues->push_back({reason, entry.key, shown(value), def, entry.range});
    }
    template <typename T> void number(T* field) const {
        const T def = *std::get<T*>(fallback);
        qint64 n = 0;
        const Parsed parsed = parseNumber(value, &n);
        if (parsed == Parsed::Number && entry.range.contains(n)) {
            *field = static_cast<T>(n);
            return;
        }
        *field = def;
        report(parsed == Parsed::NotANumber ? VQtConfigIssue::NotANumber : VQtConfigIssue::OutOfRange,
               QString::number(def));
    }
    void operator()(int* f) const { number(f); }
    void operator()(unsigned int* f) const { number(f); }
    void operator()(bool* f) const {
        const std::optional<bool> b = parseBool(value);
        *f = b ? *b : *std::get<bool*>(fallback);
        if (!b)
            report(VQtConfigIssue::NotABool, *f ? QStringLiteral("true") : QStringLiteral("false"));
    }
    void operator()(QString* f) const {
        // An unquoted comma makes the settings library split a text into a list.
        *f = value.userType() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                        : value.toString();
    }
};

struct Writer {
    QSettings& settings;
    const QString& key;
    void operator()(int* f) const { settings.setValue(key, *f); }
    void operator()(unsigned int* f) const { settings.setValue(key, *f); }
    void operator()(bool* f) const { settings.setValue(key, *f); }
    void operator()(QString* f) const { settings.setValue(key, *f); }
};

qint64 numberIn(const FieldPtr& field) {
    if (const int* const* i = std::get_if<int*>(&field))
        return **i;
    if (const unsigned* const* u = std::get_if<unsigned int*>(&field))
        return **u;
    return 0;
}

// A sequence numbers its files from BeginNumber on: the last number must stay within int.
void checkSequenceNumbers(VQtImageSaveParam& save, const VQtImageSaveParam& defaults,
                          QVector<VQtConfigIssue>* issues) {
    if (qint64(save.BeginNumber) + save.ImageCount <= kIntMax)
        return;
    if (issues)
        issues->push_back({VQtConfigIssue::OutOfRange, QStringLiteral("BeginNumber"),
                           QString::number(save.BeginNumber), QString::number(defaults.BeginNumber),
                           VQtConfigRange{0, kIntMax - save.ImageCount}});
    save.BeginNumber = defaults.BeginNumber;
}

} // namespace

QString VQtConfigIssue::text() const {
    switch (reason) {
    case NotANumber:
        return QCoreApplication::translate(
                   "VQtSystemParam",
                   "Settings: \"%1\" = \"%2\" is not a whole number; the default %3 is used.")
            .arg(key, value, fallback);
    case OutOfRange:
        return QCoreApplication::translate(
                   "VQtSystemParam", "Settings: \"%1\" = %2 is outside %3 to %4; the default %5 is used.")
            .arg(key, value, QString::number(range.minimum), QString::number(range.maximum), fallback);
    case NotABool:
        return QCoreApplication::translate(
                   "VQtSystemParam",
                   "Settings: \"%1\" = \"%2\" is neither true nor false; the default %3 is used.")
            .arg(key, value, fallback);
    case FileIsFolder:
        return QCoreApplication::translate("VQtSystemParam",
                                           "The settings file %1 is a folder: the defaults are used and "
                                           "changes to the settings will not be kept.")
            .arg(key);
    case FileUnreadable:
        return QCoreApplication::translate("VQtSystemParam",
                                           "The settings file %1 cannot be read: the defaults are used.")
            .arg(key);
    case FileMalformed:
        return QCoreApplication::translate("VQtSystemParam",
                                           "The settings file %1 is not a valid settings file: the values "
                                           "that could be read are used.")
            .arg(key);
    case FileUndecodable:
        return QCoreApplication::translate("VQtSystemParam",
                                           "The settings file %1 holds a value that cannot be decoded: the "
                                           "defaults are used.")
            .arg(key);
    case FolderReadOnly:
    case FileReadOnly:
        return QCoreApplication::translate("VQtSystemParam",
                                           "The settings file %1 cannot be written (%2): changes to the "
                                           "settings will not be kept.")
            .arg(key, reason == FolderReadOnly
                          ? QCoreApplication::translate("VQtSystemParam", "its folder is read-only")
                          : QCoreApplication::translate("VQtSystemParam", "the file is read-only"));
    }
    return QString();
}

QStringList systemConfigKeys() {
    VQtSystemParam scratch;
    QStringList keys;
    for (const ConfigKey& k : configTable(scratch))
        keys << k.key;
    return keys;
}

VQtConfigRange systemConfigRange(const QString& key) {
    static const QHash<QString, VQtConfigRange> ranges = [] {
        VQtSystemParam scratch;
        QHash<QString, VQtConfigRange> h;
        for (const ConfigKey& k : configTable(scratch))
            h.insert(k.key, k.range);
        return h;
    }();
    return ranges.value(key);
}

void readSystemConfig(QSettings& settings, VQtSystemParam& prm, QVector<VQtConfigIssue>* issues) {
    VQtSystemParam defaults;
    const VQtSystemParam before = prm;
    const std::vector<ConfigKey> table = configTable(prm);
    const std::vector<ConfigKey> fallbacks = configTable(defaults);
    QVector<VQtConfigIssue> found;
    try {
        for (size_t i = 0; i < table.size(); ++i) {
            const QVariant value = settings.value(table[i].key);
            if (value.isValid())
                std::visit(Reader{table[i], fallbacks[i].field, value, &found}, table[i].field);
        }
    } catch (const std::exception&) {
        // The settings library decodes serialised values ("@Variant(...)"), which this program
        // never writes; one claiming an impossible size makes it throw. Use nothing of such a file.
        prm = before;
        found = {{VQtConfigIssue::FileUndecodable, QDir::toNativeSeparators(settings.fileName()), QString(),
                  QString(), {}}};
    }
    checkSequenceNumbers(prm.save, defaults.save, &found);
    if (issues)
        *issues += found;
}

void writeSystemConfig(QSettings& settings, const VQtSystemParam& prm) {
    VQtSystemParam copy = prm;
    for (const ConfigKey& k : configTable(copy))
        std::visit(Writer{settings, k.key}, k.field);
}

void checkSystemConfigFile(const QString& path, const QSettings& settings, QVector<VQtConfigIssue>* issues) {
    const QFileInfo info(path);
    auto add = [issues, &path](VQtConfigIssue::Reason reason) {
        issues->push_back({reason, QDir::toNativeSeparators(path), QString(), QString(), {}});
    };
    if (info.isDir()) {
        add(VQtConfigIssue::FileIsFolder);
        return;
    }
    if (settings.status() == QSettings::AccessError)
        add(VQtConfigIssue::FileUnreadable);
    else if (settings.status() == QSettings::FormatError)
        add(VQtConfigIssue::FileMalformed);
    // A save writes a new file beside the old one and renames it over: both must be possible.
    if (!QFileInfo(info.absolutePath()).isWritable())
        add(VQtConfigIssue::FolderReadOnly);
    else if (info.exists() && !info.isWritable())
        add(VQtConfigIssue::FileReadOnly);
}

QString systemConfigOutOfRange(const VQtSystemParam& prm) {
    VQtSystemParam copy = prm;
    for (const ConfigKey& k : configTable(copy)) {
        if (!k.range.isEmpty() && !k.range.contains(numberIn(k.field)))
            return k.key;
    }
    if (qint64(prm.save.BeginNumber) + prm.save.ImageCount > kIntMax)
        return QStringLiteral("BeginNumber");
    return QString();
}
