#include "app/VQtOutputModel.h"

#include <QCoreApplication>

namespace {

// Both languages are kept here so that the table switches with the UI language at once.
const char* const kLevelEn[] = {QT_TRANSLATE_NOOP("VQtOutputModel", "Information"),
                                QT_TRANSLATE_NOOP("VQtOutputModel", "Warning"),
                                QT_TRANSLATE_NOOP("VQtOutputModel", "Error")};
const char* const kLevelCn[] = {"信息", "警告", "错误"};
const char* const kHeaderEn[] = {QT_TRANSLATE_NOOP("VQtOutputModel", "Level"),
                                 QT_TRANSLATE_NOOP("VQtOutputModel", "Time"),
                                 QT_TRANSLATE_NOOP("VQtOutputModel", "Message")};
const char* const kHeaderCn[] = {"级别", "时间", "消息"};
const char* const kIcons[] = {":/Image/Information", ":/Image/Warning", ":/Image/Error"};
constexpr int kColumns = 3;

bool knownLevel(int level) {
    return level >= VQT_OUTPUT_INFO && level <= VQT_OUTPUT_ERROR;
}

} // namespace

VQtOutputModel::VQtOutputModel(QObject* parent) : QAbstractItemModel(parent), m_messages(MaxRows) {}

VQtOutputModel::~VQtOutputModel() = default;

QModelIndex VQtOutputModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= m_nShownRows || column < 0 || column >= kColumns)
        return {};
    return createIndex(row, column);
}

QModelIndex VQtOutputModel::parent(const QModelIndex&) const {
    return {};
}

int VQtOutputModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nShownRows;
}

int VQtOutputModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant VQtOutputModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_nShownRows || index.column() >= kColumns)
        return {};
    const VQtOutputMessage& m = m_messages[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0:
            return levelText(m.level, m_bChinese);
        case 1:
            return m.time;
        default:
            return m.message;
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0 && knownLevel(m.level)) {
        if (!m_iconsLoaded) {
            // A missing picture gives a null icon: the row is still shown, without one.
            for (int i = 0; i < 3; ++i)
                m_icons[i] = QIcon(QString::fromLatin1(kIcons[i]));
            m_iconsLoaded = true;
        }
        return m_icons[m.level];
    }
    return {};
}

QVariant VQtOutputModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return m_bChinese ? QString::fromUtf8(kHeaderCn[section])
                      : QCoreApplication::translate("VQtOutputModel", kHeaderEn[section]);
}

Qt::ItemFlags VQtOutputModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool VQtOutputModel::addOutputMessage(const VQtOutputMessage& message) {
    if (m_nRows >= MaxRows)
        return false;
    m_messages[static_cast<size_t>(m_nRows)] = message;
    ++m_nRows;
    return true;
}

void VQtOutputModel::refresh() {
    beginResetModel();
    m_nShownRows = m_nRows;
    endResetModel();
}

void VQtOutputModel::clearMessages() {
    beginResetModel();
    // The slots themselves stay reserved; only their texts are released.
    for (int i = 0; i < m_nRows; ++i)
        m_messages[static_cast<size_t>(i)] = VQtOutputMessage();
    m_nRows = 0;
    m_nShownRows = 0;
    endResetModel();
}

void VQtOutputModel::setChinese(bool chinese) {
    if (chinese == m_bChinese)
        return;
    m_bChinese = chinese;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    if (m_nShownRows > 0)
        emit dataChanged(index(0, 0), index(m_nShownRows - 1, 0), {Qt::DisplayRole});
}

QString VQtOutputModel::levelText(int level, bool chinese) {
    if (!knownLevel(level))
        return {};
    return chinese ? QString::fromUtf8(kLevelCn[level])
                   : QCoreApplication::translate("VQtOutputModel", kLevelEn[level]);
}

QString VQtOutputModel::levelIconPath(int level) {
    return knownLevel(level) ? QString::fromLatin1(kIcons[level]) : QString();
}
