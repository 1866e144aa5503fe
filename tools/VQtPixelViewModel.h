#pragma once

#include <QAbstractTableModel>
#include <QHash>
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
    // Takes the computing image's size and resets the table, or only repaints its cells when the
    // size is unchanged (user-interface thread); when the image is being refreshed, this waits
    // for the next call (resetPending()).
    void updateView();
    bool resetPending() const { return m_resetPending; }
    // Text of pixel (row, column) of the computing image; empty outside it. Waits for the
    // computing image's lock.
    QString pixelText(int row, int column) const;
    // Cells formatted so far: the table must format only what is on screen.
    quint64 formattedCells() const { return m_formatted; }

signals:
    // A cell could not be read because the computing image was being refreshed: paint again
    // shortly (the view shows the cell's last text meanwhile).
    void signalBusy() const;

private:
    // Formats into the text buffer; false when the lock was not free and `wait` is false.
    bool format(int row, int column, bool wait, QString* text) const;

    int m_rows = 0;
    int m_columns = 0;
    mutable char* m_text = nullptr; // 64 bytes
    bool m_decimal = true;
    bool m_resetPending = false;
    mutable std::atomic<quint64> m_formatted{0};
    // Last texts of the cells shown, for the moments the image is locked by its refresh.
    mutable QHash<qint64, QString> m_lastTexts;
};
