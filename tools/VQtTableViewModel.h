// Flat table of the pre-processing window: the defect pixel list ("ID", "Column", "Row",
// "Status") or the flat-field coefficients ("ID", "Index", "Data"). IDs count rows from 1.
#ifndef VQTTABLEVIEWMODEL_H
#define VQTTABLEVIEWMODEL_H

#include <QAbstractItemModel>
#include <QPoint>
#include <QVector>

struct VQtDefectPixelStatus {
    int column = 0;
    int row = 0;
    int status = 0; // 0 none, 1 success, 2 failure
};

class VQtTableViewModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Kind { Defect = 0, FlatField = 1 };

    explicit VQtTableViewModel(Kind kind, QObject* parent = nullptr);

    Kind kind() const { return m_kind; }
    // Rows as (column, row) or (index, value) pairs; the status of new defect rows is none.
    void setPoints(const QVector<QPoint>& points);
    QVector<QPoint> points() const;
    void addRow(const VQtDefectPixelStatus& row);
    // Removes the first row holding that pair; false when none does.
    bool removePoint(const QPoint& point);
    void clear();
    const QVector<VQtDefectPixelStatus>& rows() const { return m_rows; }
    // Tells the views the header language changed.
    void retranslate();

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    Kind m_kind;
    QVector<VQtDefectPixelStatus> m_rows; // flat field: column = index, row = value
};

#endif // VQTTABLEVIEWMODEL_H
