#include "device/VQtDeviceReport.h"

#include "device/OxaApi.h"
#include "device/VQtManagerDeviceInfo.h"

namespace {

QString row(int depth, const QString& name, int index, const QString& address, const QString& code) {
    QString line = QString(depth * 2, QLatin1Char(' ')) + name;
    line = line.leftJustified(48) + QStringLiteral(" %1").arg(index, 4);
    if (!address.isEmpty())
        line += QStringLiteral("  ") + address.leftJustified(15);
    if (!code.isEmpty())
        line += QStringLiteral("  conflict ") + code;
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

QString subnetPrefix(const QString& address) {
    const QStringList parts = address.split(QLatin1Char('.'));
    return parts.size() < 3 ? QString() : parts.mid(0, 3).join(QLatin1Char('.')) + QLatin1Char('.');
}

// Value of a feature as text, "------" when it cannot be read.
QString valueOf(OXA_DEV_HANDLE dev, const QByteArray& name, uint32_t type, uint32_t access) {
    if (type == OXAFEATURE_VAL_TYPE_COMMAND || type == OXAFEATURE_VAL_TYPE_CATEGORY)
        return QString();
    if (access == OXA_ACCESS_NA || access == OXA_ACCESS_NI || access == OXA_ACCESS_WO)
        return QStringLiteral("------");
    char text[256] = {0};
    uint32_t size = sizeof(text);
    if (OxaDevToString(dev, name.constData(), text, &size) != OXA_STATUS_SUCCESS)
        return QStringLiteral("------");
    return QString::fromUtf8(text);
}

} // namespace

int VQtDeviceReport::conflictCode(const VQtAcqDeviceInfo& entry, int position) {
    const QList<VQtRemoteDeviceInfo*>& cameras = entry.getRemoteDeviceList();
    const QString ip = cameras.at(position)->getIp();
    const QString nic = entry.getNicIp();
    if (!ip.contains(subnetPrefix(nic)))
        return 1;
    if (ip == nic)
        return 2;
    for (int k = 0; k < cameras.size(); ++k)
        if (k != position && cameras.at(k)->getIp() == ip)
            return 3;
    return 0;
}

QStringList VQtDeviceReport::probeTree(const VQtManagerDeviceInfo& registry) {
    QStringList lines;
    for (const VQtDeviceInfo* group : registry.getDeviceList()) {
        lines << row(0, group->getName(), group->getType(), QString(), QString());
        for (const VQtAcqDeviceInfo* entry : group->getAcqDeviceList()) {
            lines << row(1, entry->getName(), entry->getIndex(), entry->getNicIp(), QString());
            const QList<VQtRemoteDeviceInfo*>& cameras = entry->getRemoteDeviceList();
            for (int k = 0; k < cameras.size(); ++k) {
                const VQtRemoteDeviceInfo* c = cameras.at(k);
                const bool gige = entry->getType() == VQT_DEVICE_GIGEVISION;
                const int code = gige ? conflictCode(*entry, k) : 0;
                lines << row(2, c->getName(), c->getIndex(), gige ? c->getIp() : QString(),
                             code ? QString::number(code) : QString());
            }
        }
    }
    const QStringList& errors = registry.getProbeErrorList();
    if (!errors.isEmpty()) {
        lines << QStringLiteral("Probe errors:");
        for (const QString& e : errors)
            lines << QStringLiteral("  ") + e;
    }
    return lines;
}

QString VQtDeviceReport::typeName(uint32_t type) {
    static const char* const names[] = {"Undefined", "Integer(RO)", "Integer", "Float",   "Float",
                                        "Boolean",   "Enumeration", "String",  "Command", "Category"};
    return type < 10 ? QString::fromLatin1(names[type]) : QStringLiteral("Undefined");
}

QString VQtDeviceReport::accessName(uint32_t access) {
    static const char* const names[] = {"Undefined", "RW", "RO", "WO", "NI", "NA"};
    return access < 6 ? QString::fromLatin1(names[access]) : QStringLiteral("Undefined");
}

uint32_t VQtDeviceReport::featureTable(uint32_t index, QStringList* lines) {
    OXA_DEV_HANDLE dev = nullptr;
    if (const OXASTATUS st = OxaDevOpen(index, OXA_DEV_ACCESS_EXCLUSIVE, &dev))
        return st;
    uint32_t count = 0;
    OXASTATUS st = OxaDevGetFeatureCount(dev, &count);
    for (uint32_t i = 0; st == OXA_STATUS_SUCCESS && i < count; ++i) {
        char name[128] = {0};
        uint32_t size = sizeof(name);
        if (OxaDevGetFeatureName(dev, i, name, &size) != OXA_STATUS_SUCCESS)
            continue;
        OXA_FEATURE_HANDLE f = nullptr;
        if (OxaDevAllocFeature(dev, name, &f) != OXA_STATUS_SUCCESS)
            continue;
        uint32_t type = 0, access = 0;
        OxaFeatureGetType(f, &type);
        OxaFeatureGetAccessMode(f, &access);
        OxaDevFreeFeature(f);
        lines->append(QStringLiteral("%1 %2 %3 %4")
                          .arg(QString::fromUtf8(name).leftJustified(32))
                          .arg(typeName(type).leftJustified(12))
                          .arg(accessName(access).leftJustified(3))
                          .arg(valueOf(dev, QByteArray(name), type, access)));
    }
    OxaDevClose(dev);
    return st;
}
