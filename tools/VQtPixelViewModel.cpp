#include "tools/VQtPixelViewModel.h"

#include <cstdio>
#include <cstring>

#include "imageproc/VQtIplImage.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtImageView.h"

namespace {
constexpr size_t kTextBytes = 64;
// More than a full screen of cells.
constexpr int kMaxLastTexts = 16384;
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
    // The user-interface thread never waits for a refresh of the computing image: a busy
    // image shows the cell's last text until the next paint.
    const qint64 key = (qint64(index.row()) << 32) | index.column();
    QString text;
    if (!format(index.row(), index.column(), false, &text)) {
        emit signalBusy();
        return m_lastTexts.value(key);
    }
    if (m_lastTexts.size() > kMaxLastTexts)
        m_lastTexts.clear();
    m_lastTexts.insert(key, text);
    return text;
}

QString VQtPixelViewModel::pixelText(int row, int column) const {
    QString text;
    format(row, column, true, &text);
    return text;
}

bool VQtPixelViewModel::format(int row, int column, bool wait, QString* text) const {
    text->clear();
    if (wait)
        m_imgComputingLock.lock_shared();
    else if (!m_imgComputingLock.try_lock_shared())
        return false;
    std::memset(m_text, 0, kTextBytes);
    const VQtImageView img = VQtImageView::of(m_imgComputing);
    const int n = img.step;
    if (img.empty() || row < 0 || column < 0 || row >= img.height || column >= img.width ||
        (img.depth != 8 && img.depth != 16) || (n != 1 && n != 3 && n != 4)) {
        m_imgComputingLock.unlock_shared();
        return true;
    }
    unsigned v[4] = {0, 0, 0, 0};
    for (int c = 0; c < n; ++c)
        v[c] = img.sample(column, row, c);
    m_imgComputingLock.unlock_shared();
    ++m_formatted;
    const bool dec = m_decimal;
    if (n == 1)
        std::snprintf(m_text, kTextBytes, dec ? "%u" : "%x", v[0]);
    else if (n == 3)
        std::snprintf(m_text, kTextBytes, dec ? "%u %u %u" : "%x %x %x", v[2], v[1], v[0]);
    else
        std::snprintf(m_text, kTextBytes, dec ? "%u %u %u %u" : "%x %x %x %x", v[2], v[1], v[0], v[3]);
    *text = QString::fromLatin1(m_text);
    return true;
}

void VQtPixelViewModel::setDecimal(bool decimal) {
    beginResetModel();
    m_decimal = decimal;
    m_lastTexts.clear();
    endResetModel();
}

void VQtPixelViewModel::updateView() {
    int rows = 0, columns = 0;
    if (!m_imgComputingLock.try_lock_shared()) {
        m_resetPending = true;
        emit signalBusy();
        return;
    }
    m_resetPending = false;
    if (!cvVQtImageIsNull(m_imgComputing)) {
        rows = m_imgComputing->height;
        columns = m_imgComputing->width;
    }
    m_imgComputingLock.unlock_shared();
    if (rows == m_rows && columns == m_columns) {
        // Same size: the cells change, the headers stay. A reset would make the view rebuild
        // every header section, which takes long on a 48-MP image.
        if (rows > 0 && columns > 0)
            emit dataChanged(index(0, 0), index(rows - 1, columns - 1), {Qt::DisplayRole});
        return;
    }
    beginResetModel();
    m_rows = rows;
    m_columns = columns;
    endResetModel();
}
