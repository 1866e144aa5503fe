#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

#include "tools/VQtBadPixelInfor.h"

// One result table of the bad-pixel window: single pixels ("ID", "Col", "Row", "Value"),
// horizontal clusters ("ID", "Row", "Col(Start)", "Col(End)", "Size") or vertical clusters
// ("ID", "Col", "Row(Start)", "Row(End)", "Size").
class VQtBadPixelModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum ShowType { Single = 0, Horizontal = 1, Vertical = 2 };

    explicit VQtBadPixelModel(int showType, QObject* parent = nullptr);

    void setRows(const QVector<VQtBadPixelInfor>& rows, int channels);
    void clear();
    const QVector<VQtBadPixelInfor>& rows() const { return m_rows; }
    int showType() const { return m_type; }
    // The image pixel an entry points at (its first pixel).
    QPoint pixelAt(int row) const;
    // The text of one cell as the table shows it.
    QString cellText(int row, int column) const;
    // The pixel values of an entry: "%d" mono, "%d,%d,%d" colour, "%d,%d,%d,%d" with clear.
    QString valueText(const VQtBadPixelInfor& entry) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // Numeric key of a cell for sorting.
    qint64 sortKey(const VQtBadPixelInfor& e, int column) const;

    int m_type;
    int m_channels = 1;
    QVector<VQtBadPixelInfor> m_rows;
};
