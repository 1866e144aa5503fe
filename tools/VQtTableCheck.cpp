#include "tools/VQtTableCheck.h"

#include <vector>

QString VQtTableCheck::check(const VQtTableLimits& l, const QVector<QPoint>& entries,
                             const QVector<int>& lines, bool whole) {
    auto where = [&](int i) {
        return i < lines.size() ? tr("line %1").arg(lines[i]) : tr("entry %1").arg(i + 1);
    };
    if (l.kind == VQT_TABLE_DEFECT) {
        if (l.maxEntries >= 0 && entries.size() > l.maxEntries)
            return tr("%1 defect pixels, the camera's list holds %2").arg(entries.size()).arg(l.maxEntries);
        for (int i = 0; i < entries.size(); ++i) {
            const QPoint& p = entries[i];
            if (p.x() < l.columnMin || p.x() > l.columnMax)
                return tr("%1: column %2 is outside %3 ~ %4")
                    .arg(where(i))
                    .arg(p.x())
                    .arg(l.columnMin)
                    .arg(l.columnMax);
            if (p.y() < l.rowMin || p.y() > l.rowMax)
                return tr("%1: row %2 is outside %3 ~ %4")
                    .arg(where(i))
                    .arg(p.y())
                    .arg(l.rowMin)
                    .arg(l.rowMax);
        }
        return QString();
    }
    if (whole && entries.size() != l.count)
        return tr("%1 entries, the camera's table has %2").arg(entries.size()).arg(l.count);
    std::vector<bool> seen(size_t(l.count), false);
    for (int i = 0; i < entries.size(); ++i) {
        const QPoint& p = entries[i];
        if (p.x() < 0 || p.x() >= l.count)
            return tr("%1: index %2 is outside 0 ~ %3").arg(where(i)).arg(p.x()).arg(l.count - 1);
        if (whole && seen[size_t(p.x())])
            return tr("%1: index %2 appears a second time").arg(where(i)).arg(p.x());
        seen[size_t(p.x())] = true;
        if (p.y() < l.valueMin || p.y() > l.valueMax)
            return tr("%1: value %2 is outside %3 ~ %4")
                .arg(where(i))
                .arg(p.y())
                .arg(l.valueMin)
                .arg(l.valueMax);
    }
    return QString();
}
