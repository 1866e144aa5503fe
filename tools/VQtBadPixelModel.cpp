#include "tools/VQtBadPixelModel.h"

#include <QPoint>
#include <algorithm>

VQtBadPixelModel::VQtBadPixelModel(int showType, QObject* parent)
    : QAbstractTableModel(parent), m_type(showType) {}

void VQtBadPixelModel::setRows(const QVector<VQtBadPixelInfor>& rows, int channels) {
    beginResetModel();
    m_rows = rows;
    m_channels = channels;
    endResetModel();
}

void VQtBadPixelModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int VQtBadPixelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int VQtBadPixelModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_type == Single ? 4 : 5;
}

QPoint VQtBadPixelModel::pixelAt(int row) const {
    if (row < 0 || row >= m_rows.size())
        return QPoint(-1, -1);
    const VQtBadPixelInfor& e = m_rows[row];
    return QPoint(e.first, e.second);
}

QString VQtBadPixelModel::valueText(const VQtBadPixelInfor& e) const {
    if (m_channels == 1)
        return QString::number(e.values[0]);
    QString text = QStringLiteral("%1,%2,%3").arg(e.values[0]).arg(e.values[1]).arg(e.values[2]);
    if (m_channels == 4)
        text += QStringLiteral(",%1").arg(e.values[3]);
    return text;
}

qint64 VQtBadPixelModel::sortKey(const VQtBadPixelInfor& e, int column) const {
    switch (column) {
    case 1:
        return m_type == Horizontal ? e.second : e.first;
    case 2:
        return m_type == Horizontal ? e.first : e.second;
    case 3:
        if (m_type == Single)
            return (qint64(e.values[0]) << 48) | (qint64(e.values[1]) << 32) | (qint64(e.values[2]) << 16) |
                   e.values[3];
        return (m_type == Horizontal ? e.first : e.second) + e.count - 1;
    case 4:
        return e.count;
    default:
        return -1; // ID: the order found
    }
}

QString VQtBadPixelModel::cellText(int row, int column) const {
    const VQtBadPixelInfor& e = m_rows[row];
    if (column == 0)
        return QString::number(row + 1);
    if (m_type == Single && column == 3)
        return valueText(e);
    return QString::number(sortKey(e, column));
}

QVariant VQtBadPixelModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= columnCount())
        return QVariant();
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QVariant();
}

QVariant VQtBadPixelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[3][5] = {
        {QT_TR_NOOP("ID"), QT_TR_NOOP("Col"), QT_TR_NOOP("Row"), QT_TR_NOOP("Value"), nullptr},
        {QT_TR_NOOP("ID"), QT_TR_NOOP("Row"), QT_TR_NOOP("Col(Start)"), QT_TR_NOOP("Col(End)"),
         QT_TR_NOOP("Size")},
        {QT_TR_NOOP("ID"), QT_TR_NOOP("Col"), QT_TR_NOOP("Row(Start)"), QT_TR_NOOP("Row(End)"),
         QT_TR_NOOP("Size")}};
    if (section < 0 || section >= columnCount() || !names[m_type][section])
        return QVariant();
    return tr(names[m_type][section]);
}

void VQtBadPixelModel::sort(int column, Qt::SortOrder order) {
    if (column <= 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged();
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const VQtBadPixelInfor& a, const VQtBadPixelInfor& b) {
        const qint64 ka = sortKey(a, column), kb = sortKey(b, column);
        return order == Qt::AscendingOrder ? ka < kb : ka > kb;
    });
    emit layoutChanged();
}
