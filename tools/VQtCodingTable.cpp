#include "tools/VQtCodingTable.h"

#include <QFileInfo>

namespace {
bool field(const QByteArray& text, uint32_t* value) {
    const QByteArray t = text.trimmed();
    if (t.isEmpty() || t.size() > 5)
        return false;
    for (char c : t)
        if (c < '0' || c > '9')
            return false;
    const uint32_t v = t.toUInt();
    if (v > 0xFFFF)
        return false;
    *value = v;
    return true;
}
} // namespace

VQtCodingTable::Content VQtCodingTable::parse(const QByteArray& bytes) {
    Content c;
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line
    for (int i = 0; i < kLines; ++i) {
        const int lineNo = i + 2; // the first line is a heading
        if (lineNo - 1 >= lines.size()) {
            c.badLine = lineNo;
            c.reason = tr("line %1 is missing").arg(lineNo);
            return c;
        }
        const QByteArray& line = lines[lineNo - 1];
        if (line.size() > kLineLimit) {
            c.badLine = lineNo;
            c.reason = tr("line %1 is longer than %2 characters").arg(lineNo).arg(kLineLimit);
            return c;
        }
        const QList<QByteArray> fields = line.split(',');
        uint32_t a = 0, b = 0;
        if (fields.size() != 2 || !field(fields[0], &a) || !field(fields[1], &b)) {
            c.badLine = lineNo;
            c.reason = tr("line %1 is not two numbers 0 ~ 65535 separated by a comma").arg(lineNo);
            return c;
        }
        c.words << ((b << 16) + a);
    }
    c.ok = true;
    return c;
}

QString VQtCodingTable::findFile(int table) {
    const QString literal = QStringLiteral(".\\SeperateCoding\\%1.csv").arg(table);
    if (QFileInfo(literal).isFile())
        return literal;
    const QString folder = QStringLiteral("SeperateCoding/%1.csv").arg(table);
    return QFileInfo(folder).isFile() ? folder : QString();
}
