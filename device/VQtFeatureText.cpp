#include "device/VQtFeatureText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTextCodec>

namespace {
// The tables hold a few hundred short lines; anything far larger is not such a table.
constexpr qint64 kMaxTableBytes = 1024 * 1024;

const char* const kUnits[] = {"(ns)", "(us)", "(ms)"};

QString trText(const char* text) {
    return QCoreApplication::translate("VQtFeatureText", text);
}

QString refusal(const QString& path, const QString& reason) {
    //: 名称翻译文件“%1”未使用：%2。改用内置的名称。
    return trText(
               QT_TRANSLATE_NOOP(
                   "VQtFeatureText",
                   "The name translation file \"%1\" is not used: %2. The built-in names are used instead."))
        .arg(path, reason);
}
} // namespace

VQtFeatureText& VQtFeatureText::instance() {
    static VQtFeatureText* texts = [] {
        auto* t = new VQtFeatureText;
        t->load(libraryBinDir());
        return t;
    }();
    return *texts;
}

QString VQtFeatureText::libraryBinDir() {
    // On Linux Qt keeps this "registry" path as an INI file relative to the working directory.
    QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\NEXO\\VionLibrary"),
                       QSettings::NativeFormat);
    const QString directory = registry.value(QStringLiteral("Directory"), QString()).toString();
    if (directory.isEmpty())
        return QString();
    // A Linux installation records a Linux directory; a copied Windows one keeps backslashes.
    const QString unixBin = directory + QStringLiteral("/bin");
    return QFileInfo(unixBin).isDir() ? unixBin : directory + QStringLiteral("\\bin");
}

QString VQtFeatureText::splitUnit(const QString& name, QString* unit) {
    for (const char* u : kUnits)
        if (name.endsWith(QLatin1String(u))) {
            *unit = QLatin1String(u);
            return name.left(name.size() - 4).trimmed();
        }
    unit->clear();
    return name;
}

void VQtFeatureText::load(const QString& binDir) {
    m_features = loadTable(binDir, QStringLiteral("Feature.ini"), QStringLiteral(":/Language/Feature"));
    m_values = loadTable(binDir, QStringLiteral("Value.ini"), QStringLiteral(":/Language/Value"));
}

QStringList VQtFeatureText::takeMessages() {
    QStringList out;
    out.swap(m_messages);
    return out;
}

QHash<QString, QString> VQtFeatureText::loadTable(const QString& binDir, const QString& fileName,
                                                  const QString& resource) {
    QHash<QString, QString> table;
    if (!binDir.isEmpty()) {
        const QChar sep = binDir.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
        const QString path = binDir + sep + QStringLiteral("Language") + sep + fileName;
        QString reason;
        if (readTable(path, &table, &reason))
            return table;
        m_messages << refusal(QDir::toNativeSeparators(path), reason);
        table.clear();
    }
    QString reason;
    if (!readTable(resource, &table, &reason))
        m_messages << refusal(resource, reason);
    return table;
}

bool VQtFeatureText::readTable(const QString& path, QHash<QString, QString>* table, QString* reason) {
    QFile file(path);
    if (!file.exists()) {
        //: 文件不存在
        *reason = trText(QT_TRANSLATE_NOOP("VQtFeatureText", "the file does not exist"));
        return false;
    }
    if (file.size() > kMaxTableBytes) {
        //: 文件过大
        *reason = trText(QT_TRANSLATE_NOOP("VQtFeatureText", "the file is too large"));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0) {
        //: 不是UTF-8文本
        *reason = trText(QT_TRANSLATE_NOOP("VQtFeatureText", "it is not UTF-8 text"));
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    const QStringList keys = settings.allKeys();
    if (settings.status() != QSettings::NoError) {
        //: 不是“名称=译文”格式的行
        *reason = trText(QT_TRANSLATE_NOOP("VQtFeatureText", "it has lines that are not \"name=text\""));
        return false;
    }
    for (const QString& key : keys) {
        const QString text = settings.value(key).toString().trimmed();
        if (!text.isEmpty())
            table->insert(key, text);
    }
    if (table->isEmpty()) {
        //: 没有任何名称
        *reason = trText(QT_TRANSLATE_NOOP("VQtFeatureText", "it names nothing"));
        return false;
    }
    return true;
}

QString VQtFeatureText::featureName(const QString& english) const {
    QString unit;
    const QString base = splitUnit(english, &unit);
    const auto it = m_features.constFind(base);
    return it == m_features.cend() ? english : *it + unit;
}

QString VQtFeatureText::valueText(const QString& english) const {
    return m_values.value(english, english);
}
