#pragma once

#include <QAbstractTableModel>
#include <atomic>

// Every pixel of the computing image as a table: one row per image row, one column per image
// column. Nothing is stored per pixel: a cell is formatted when the view asks for it.
class VQtPixelViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VQtPixelViewModel(QObject* parent = nullptr);
    VQtPixelViewModel(int rows, int columns, QObject* parent = nullptr);
    ~VQtPixelViewModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // true: decimal; false: lower-case hexadecimal without prefix.
    void setDecimal(bool decimal);
    bool isDecimal() const { return m_decimal; }
    // Takes the computing image's size and resets the table (user-interface thread).
    void updateView();
    // Text of pixel (row, column) of the computing image; empty outside it.
    QString pixelText(int row, int column) const;
    // Cells formatted so far: the table must format only what is on screen.
    quint64 formattedCells() const { return m_formatted; }

private:
    int m_rows = 0;
    int m_columns = 0;
    mutable char* m_text = nullptr; // 64 bytes
    bool m_decimal = true;
    mutable std::atomic<quint64> m_formatted{0};
};
