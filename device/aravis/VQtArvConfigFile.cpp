#include "device/aravis/VQtArvConfigFile.h"

#include <QList>

namespace {

const char kHeader[] = "# VionC camera settings 1";

QByteArray escape(const QByteArray& v) {
    QByteArray out;
    out.reserve(v.size());
    for (const char c : v) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

bool unescape(const QByteArray& v, QByteArray* out) {
    out->clear();
    for (int i = 0; i < v.size(); ++i) {
        if (v.at(i) != '\\') {
            *out += v.at(i);
            continue;
        }
        if (++i >= v.size())
            return false;
        const char c = v.at(i);
        if (c == '\\')
            *out += '\\';
        else if (c == 'n')
            *out += '\n';
        else if (c == 'r')
            *out += '\r';
        else
            return false;
    }
    return true;
}

// "Key=Value" with the expected key; the value unescaped.
bool keyed(const QByteArray& line, const char* key, QByteArray* value) {
    const QByteArray prefix = QByteArray(key) + '=';
    return line.startsWith(prefix) && unescape(line.mid(prefix.size()), value);
}

} // namespace

QByteArray VQtArvConfigFile::format(const VQtArvConfig& c) {
    QByteArray out = kHeader;
    out += "\nVendor=" + escape(c.vendor) + "\nModel=" + escape(c.model) +
           "\nCount=" + QByteArray::number(c.values.size()) + '\n';
    for (const auto& v : c.values)
        out += v.first + '=' + escape(v.second) + '\n';
    out += "End\n";
    return out;
}

VQtArvConfigFile::Result VQtArvConfigFile::parse(const QByteArray& data, VQtArvConfig* c, QString* why) {
    *c = VQtArvConfig();
    if (data.size() > kMaxBytes) {
        *why = QStringLiteral("larger than %1 bytes").arg(kMaxBytes);
        return Malformed;
    }
    QList<QByteArray> lines = data.split('\n');
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    if (lines.isEmpty() || lines.first() != kHeader) {
        *why = QStringLiteral("not a camera settings file of this program");
        return Foreign;
    }
    QByteArray countText;
    if (lines.size() < 4 || !keyed(lines.at(1), "Vendor", &c->vendor) ||
        !keyed(lines.at(2), "Model", &c->model) || !keyed(lines.at(3), "Count", &countText)) {
        *why = QStringLiteral("the camera's vendor, model or setting count is missing");
        return lines.size() < 4 ? Truncated : Malformed;
    }
    bool ok = false;
    const int count = countText.toInt(&ok);
    if (!ok || count < 0 || count > lines.size()) {
        if (ok && count > lines.size()) {
            *why = QStringLiteral("truncated: %1 settings announced, the file ends before").arg(count);
            return Truncated;
        }
        *why = QStringLiteral("setting count \"%1\" is not a number").arg(QString::fromLatin1(countText));
        return Malformed;
    }
    int line = 4;
    for (int i = 0; i < count; ++i, ++line) {
        const bool atEnd = line >= lines.size() || (line == lines.size() - 1 && lines.at(line).isEmpty());
        if (atEnd || lines.at(line) == "End") {
            *why = QStringLiteral("truncated: %1 of %2 settings").arg(i).arg(count);
            return Truncated;
        }
        const QByteArray& l = lines.at(line);
        const int eq = l.indexOf('=');
        QByteArray value;
        if (eq <= 0 || !unescape(l.mid(eq + 1), &value)) {
            *why = QStringLiteral("line %1 is not \"Name=Value\"").arg(line + 1);
            return Malformed;
        }
        c->values << qMakePair(l.left(eq), value);
    }
    if (line >= lines.size() || lines.at(line) != "End") {
        *why = QStringLiteral("truncated: the closing line is missing");
        return Truncated;
    }
    for (int i = line + 1; i < lines.size(); ++i)
        if (!lines.at(i).isEmpty()) {
            *why = QStringLiteral("line %1 follows the closing line").arg(i + 1);
            return Malformed;
        }
    return Ok;
}
