#include "tools/VQtCsvFile.h"

#include <QFile>

#include "core/VQtSafeFile.h"

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// A signed decimal 32-bit integer, surrounding blanks allowed.
bool number(const QByteArray& field, int* value) {
    const QByteArray t = field.trimmed();
    if (t.isEmpty())
        return false;
    for (int i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (!((c >= '0' && c <= '9') || (i == 0 && (c == '-' || c == '+') && t.size() > 1)))
            return false;
    }
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok)
        return false;
    *value = v;
    return true;
}

QList<QByteArray> splitLines(const QByteArray& bytes) {
    QByteArray text = bytes;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> lines = text.split('\n');
    // A file ending in a line end has nothing after it.
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

VQtCsvFile::Content VQtCsvFile::parse(const QByteArray& bytes) {
    Content c;
    const QList<QByteArray> lines = splitLines(bytes);
    if (lines.size() < 1 || !lines[0].contains("comment line")) {
        c.reason = tr("line 1 does not read \"comment line\"");
        return c;
    }
    if (lines.size() < 2 || !lines[1].contains("input,output")) {
        c.reason = tr("line 2 does not read \"input,output\"");
        return c;
    }
    c.valid = true;
    for (int i = 2; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QList<QByteArray> fields = lines[i].split(',');
        QString why;
        int x = 0, y = 0;
        if (fields.size() != 2)
            why = tr("%1 fields where 2 are expected").arg(fields.size());
        else if (!number(fields[0], &x))
            why = tr("\"%1\" is not a whole number").arg(QString::fromLatin1(fields[0].trimmed().left(32)));
        else if (!number(fields[1], &y))
            why = tr("\"%1\" is not a whole number").arg(QString::fromLatin1(fields[1].trimmed().left(32)));
        else if (c.entries.size() >= kMaxEntries)
            why = tr("more than %1 entries").arg(kMaxEntries);
        if (!why.isEmpty()) {
            c.stopLine = lineNo;
            c.reason = why;
            break;
        }
        c.entries << QPoint(x, y);
        c.lines << lineNo;
    }
    return c;
}

bool VQtCsvFile::read(const QString& path, Content* content, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("Cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        *error = tr("%1 is larger than any correction table").arg(path);
        return false;
    }
    *content = parse(file.readAll());
    if (!content->valid) {
        *error = tr("%1: %2").arg(path, content->reason);
        return false;
    }
    return true;
}

QByteArray VQtCsvFile::format(const QVector<QPoint>& entries) {
    QByteArray out("comment line\r\ninput,output\r\n");
    out.reserve(out.size() + entries.size() * 12);
    for (const QPoint& p : entries) {
        out += QByteArray::number(p.x());
        out += ',';
        out += QByteArray::number(p.y());
        out += "\r\n";
    }
    return out;
}

bool VQtCsvFile::write(const QString& path, const QVector<QPoint>& entries, QString* error) {
    return VQtSafeFile::writeFile(path, format(entries), error);
}

QString VQtCsvFile::stopText(const Content& content) {
    if (content.stopLine <= 0)
        return QString();
    return tr("line %1: %2").arg(content.stopLine).arg(content.reason);
}
