#include <QCoreApplication>

#include <cstdio>

#include "cli/VioncCommands.h"

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}
} // namespace

int vioncFail(const QString& text, int code) {
    std::fprintf(stderr, "vionc: %s\n", text.toLocal8Bit().constData());
    return code;
}

void vioncPrint(const QString& line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
}

bool vioncParseInt(const QString& text, long long low, long long high, long long* value) {
    bool ok = false;
    const long long v = text.toLongLong(&ok, 0);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

bool vioncTakeValue(QStringList& args, const QString& name, QString* value, QString* error) {
    const int i = args.indexOf(name);
    if (i < 0)
        return false;
    if (i + 1 >= args.size()) {
        *error = tr("Option %1 needs a value").arg(name);
        args.removeAt(i);
        return false;
    }
    *value = args.at(i + 1);
    args.removeAt(i + 1);
    args.removeAt(i);
    return true;
}

bool vioncTakeFlag(QStringList& args, const QString& name) {
    return args.removeAll(name) > 0;
}

bool vioncTakeRawOptions(QStringList& args, VioncRawOptions& raw, QString* error) {
    static const QStringList types = {"mono", "bayer", "rgb", "rgba", "bgr", "bgra", "yuyv", "uyvy"};
    static const QStringList packings = {"none", "pairs", "msb", "lsb", "jpeg"};
    QString v;
    long long n = 0;
    VQtImageParam& p = raw.param;
    p.imageType = VQT_FRAME_MONO;
    struct Numeric {
        const char* name;
        long long low, high;
        uint32_t* field;
    } numeric[] = {{"--width", 1, 1 << 20, &p.width},
                   {"--height", 1, 1 << 20, &p.height},
                   {"--depth", 8, 16, &p.bitDepth},
                   {"--bayer", 0, 4, &p.bayerPattern}};
    for (const Numeric& o : numeric) {
        if (!vioncTakeValue(args, QLatin1String(o.name), &v, error)) {
            if (!error->isEmpty())
                return false;
            continue;
        }
        if (!vioncParseInt(v, o.low, o.high, &n)) {
            *error = tr("Option %1: %2 is not a number from %3 to %4").arg(o.name, v).arg(o.low).arg(o.high);
            return false;
        }
        *o.field = uint32_t(n);
        raw.given = true;
    }
    if (vioncTakeValue(args, "--offset", &v, error)) {
        if (!vioncParseInt(v, 0, (1ll << 50), &n)) {
            *error = tr("Option --offset: %1 is not a byte count").arg(v);
            return false;
        }
        raw.offset = uint64_t(n);
    }
    if (vioncTakeValue(args, "--type", &v, error)) {
        const int t = types.indexOf(v.toLower());
        if (t < 0) {
            *error = tr("Option --type: %1 is not one of %2").arg(v, types.join(", "));
            return false;
        }
        p.imageType = uint32_t(t);
        raw.given = true;
    }
    if (vioncTakeValue(args, "--packed", &v, error)) {
        const int t = packings.indexOf(v.toLower());
        if (t < 0) {
            *error = tr("Option --packed: %1 is not one of %2").arg(v, packings.join(", "));
            return false;
        }
        p.packedType = uint32_t(t);
        raw.given = true;
    }
    if (!error->isEmpty())
        return false;
    p.deriveLayout();
    return true;
}
