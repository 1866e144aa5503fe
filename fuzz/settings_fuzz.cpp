// Settings files of any content through the program's own loader. Whatever the file says,
// every value that reaches the record lies within its limits, every warning is one line,
// and what a save writes loads back without a warning and unchanged.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#include "core/VQtSystemConfigKeys.h"
#include "core/VQtSystemParam.h"

// A serialised value of impossible size makes the settings library throw std::bad_alloc, which
// the loader catches: let the allocator return null as the system's does, instead of aborting.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
extern "C" const char* __tsan_default_options() {
    return "allocator_may_return_null=1";
}

// The platform's font and plugin libraries keep their allocations until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libfreetype.so\nleak:libqoffscreen.so\nleak:QFactoryLoader\n";
}

namespace {

void fail(const QString& what) {
    std::fprintf(stderr, "settings: %s\n", qPrintable(what));
    std::abort();
}

// The viewer loads its settings with its application object in place; serialised picture values
// ("@Variant(...)" holding a pixmap) need it.
void makeApplication() {
    static int argc = 1;
    static char name[] = "settings_fuzz";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv); // kept for the life of the process
    }
}

// The loader reads the settings from the temporary folder: point that at a private one, so a
// fuzzing run never touches the user's own settings.
const QString& privateFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/settings-fuzz-XXXXXX"));
    static const bool moved = [] { return qputenv("TMPDIR", QFile::encodeName(dir.path())); }();
    static const QString path = dir.path();
    if (!dir.isValid() || !moved)
        fail(QStringLiteral("no private temporary folder"));
    return path;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    static qint64 stamp = 0;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + path);
    // The settings library caches files by time stamp and size: make every input a new file.
    f.setFileTime(QDateTime::fromMSecsSinceEpoch(++stamp * 1000), QFileDevice::FileModificationTime);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray saved(const VQtSystemParam& prm, const QString& path) {
    QFile::remove(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        writeSystemConfig(settings, prm);
    }
    return readFile(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    makeApplication();
    const QString dir = privateFolder();
    writeFile(dir + QStringLiteral("/VionC.ini"), QByteArray(reinterpret_cast<const char*>(data), int(size)));

    g_sysPrm = VQtSystemParam();
    loadSystemConfig();
    if (g_strConfig != dir + QStringLiteral("/VionC.ini"))
        fail(QStringLiteral("settings read from ") + g_strConfig);
    const QString outside = systemConfigOutOfRange(g_sysPrm);
    if (!outside.isEmpty())
        fail(QStringLiteral("\"%1\" loaded outside its limits").arg(outside));
    for (const QString& line : takeSystemConfigMessages())
        if (line.isEmpty() || line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            fail(QStringLiteral("warning not on one line: ") + line);

    // A save followed by a load gives the same file again, with nothing to warn about.
    const QString first = dir + QStringLiteral("/first.ini"), second = dir + QStringLiteral("/second.ini");
    const QByteArray written = saved(g_sysPrm, first);
    VQtSystemParam reloaded;
    QVector<VQtConfigIssue> issues;
    {
        QSettings settings(first, QSettings::IniFormat);
        readSystemConfig(settings, reloaded, &issues);
    }
    if (!issues.isEmpty())
        fail(QStringLiteral("a saved file warns on load: ") + issues.first().text());
    if (saved(reloaded, second) != written)
        fail(QStringLiteral("a saved file changes when loaded and saved again"));
    g_sysPrm = VQtSystemParam();
    return 0;
}
