#include "tools/VQtPixelViewModel.h"

#include <cstdio>
#include <cstring>

#include "imageproc/VQtIplImage.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtImageView.h"

namespace {
constexpr size_t kTextBytes = 64;
} // namespace

VQtPixelViewModel::VQtPixelViewModel(QObject* parent) : VQtPixelViewModel(0, 0, parent) {}

VQtPixelViewModel::VQtPixelViewModel(int rows, int columns, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows), m_columns(columns), m_text(new char[kTextBytes]) {}

VQtPixelViewModel::~VQtPixelViewModel() {
    delete[] m_text;
}

QModelIndex VQtPixelViewModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return QModelIndex();
    return createIndex(row, column);
}

int VQtPixelViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int VQtPixelViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

bool VQtPixelViewModel::hasChildren(const QModelIndex& parent) const {
    return parent.isValid() ? false : m_rows > 0 && m_columns > 0;
}

QVariant VQtPixelViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    return orientation == Qt::Horizontal ? tr("Column %1").arg(section + 1) : tr("Row %1").arg(section + 1);
}

Qt::ItemFlags VQtPixelViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
}

QVariant VQtPixelViewModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows || index.column() >= m_columns)
        return QVariant();
    return pixelText(index.row(), index.column());
}

QString VQtPixelViewModel::pixelText(int row, int column) const {
    std::memset(m_text, 0, kTextBytes);
    {
        QReadLocker l(&m_imgComputingLock);
        const VQtImageView img = VQtImageView::of(m_imgComputing);
        if (img.empty() || row < 0 || column < 0 || row >= img.height || column >= img.width)
            return QString();
        unsigned v[4] = {0, 0, 0, 0};
        const int n = img.step;
        if ((img.depth != 8 && img.depth != 16) || (n != 1 && n != 3 && n != 4))
            return QString();
        for (int c = 0; c < n; ++c)
            v[c] = img.sample(column, row, c);
        ++m_formatted;
        const bool dec = m_decimal;
        if (n == 1)
            std::snprintf(m_text, kTextBytes, dec ? "%u" : "%x", v[0]);
        else if (n == 3)
            std::snprintf(m_text, kTextBytes, dec ? "%u %u %u" : "%x %x %x", v[2], v[1], v[0]);
        else
            std::snprintf(m_text, kTextBytes, dec ? "%u %u %u %u" : "%x %x %x %x", v[2], v[1], v[0], v[3]);
    }
    return QString::fromLatin1(m_text);
}

void VQtPixelViewModel::setDecimal(bool decimal) {
    beginResetModel();
    m_decimal = decimal;
    endResetModel();
}

void VQtPixelViewModel::updateView() {
    int rows = 0, columns = 0;
    {
        QReadLocker l(&m_imgComputingLock);
        if (!cvVQtImageIsNull(m_imgComputing)) {
            rows = m_imgComputing->height;
            columns = m_imgComputing->width;
        }
    }
    beginResetModel();
    m_rows = rows;
    m_columns = columns;
    endResetModel();
}
