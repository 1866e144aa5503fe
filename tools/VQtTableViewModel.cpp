#include "tools/VQtTableViewModel.h"

#include <algorithm>
#include <tuple>

VQtTableViewModel::VQtTableViewModel(Kind kind, QObject* parent) : QAbstractItemModel(parent), m_kind(kind) {}

void VQtTableViewModel::setPoints(const QVector<QPoint>& points) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(points.size());
    for (const QPoint& p : points)
        m_rows << VQtDefectPixelStatus{p.x(), p.y(), 0};
    endResetModel();
}

QVector<QPoint> VQtTableViewModel::points() const {
    QVector<QPoint> out;
    out.reserve(m_rows.size());
    for (const VQtDefectPixelStatus& r : m_rows)
        out << QPoint(r.column, r.row);
    return out;
}

void VQtTableViewModel::addRow(const VQtDefectPixelStatus& row) {
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size());
    m_rows << row;
    endInsertRows();
}

bool VQtTableViewModel::removePoint(const QPoint& point) {
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].column == point.x() && m_rows[i].row == point.y()) {
            beginRemoveRows(QModelIndex(), i, i);
            m_rows.remove(i);
            endRemoveRows();
            return true;
        }
    }
    return false;
}

void VQtTableViewModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void VQtTableViewModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QModelIndex VQtTableViewModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= m_rows.size() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex VQtTableViewModel::parent(const QModelIndex&) const {
    return QModelIndex();
}

int VQtTableViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int VQtTableViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (m_kind == Defect ? 4 : 3);
}

QVariant VQtTableViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const VQtDefectPixelStatus& r = m_rows[index.row()];
    switch (index.column()) {
    case 0:
        return QString::number(index.row() + 1);
    case 1:
        return QString::number(r.column);
    case 2:
        return QString::number(r.row);
    case 3:
        return r.status == 0 ? QString() : (r.status == 1 ? tr("Success") : tr("Failure"));
    default:
        return QVariant();
    }
}

QVariant VQtTableViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractItemModel::headerData(section, orientation, role);
    if (m_kind == Defect) {
        switch (section) {
        case 0:
            return tr("ID");
        case 1:
            return tr("Column");
        case 2:
            return tr("Row");
        case 3:
            return tr("Status");
        default:
            return QVariant();
        }
    }
    switch (section) {
    case 0:
        return tr("ID");
    case 1:
        return tr("Index");
    case 2:
        return tr("Data");
    default:
        return QVariant();
    }
}

Qt::ItemFlags VQtTableViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

void VQtTableViewModel::sort(int column, Qt::SortOrder order) {
    auto key = [column](const VQtDefectPixelStatus& r) {
        if (column == 2)
            return std::make_tuple(r.row, r.column, r.status);
        if (column == 3)
            return std::make_tuple(r.status, r.column, r.row);
        return std::make_tuple(r.column, r.row, r.status);
    };
    if (column == 0)
        return; // row numbers follow the order
    beginResetModel();
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [&](const VQtDefectPixelStatus& a, const VQtDefectPixelStatus& b) {
                         return order == Qt::AscendingOrder ? key(a) < key(b) : key(b) < key(a);
                     });
    endResetModel();
}
