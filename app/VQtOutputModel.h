#ifndef VQTOUTPUTMODEL_H
#define VQTOUTPUTMODEL_H

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <vector>

// Severity of a log line. A fixed underlying type keeps any int a valid value: levels from
// unknown senders are stored and simply shown without text or icon.
enum VQT_OUTPUT_STATUS : int { VQT_OUTPUT_INFO = 0, VQT_OUTPUT_WARNING = 1, VQT_OUTPUT_ERROR = 2 };

struct VQtOutputMessage {
    int level = VQT_OUTPUT_INFO;
    QString time;
    QString message;
};

// Flat three-column store of log lines (level, time, message). Appending only fills a slot of
// storage reserved once; views see new rows when refresh() publishes them, so a flood of
// messages costs at most one reset per refresh.
class VQtOutputModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int MaxRows = 100000;

    explicit VQtOutputModel(QObject* parent = nullptr);
    ~VQtOutputModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Stores one line; false (and nothing stored) once MaxRows lines are held.
    bool addOutputMessage(const VQtOutputMessage& message);
    // Lines stored, shown or not yet.
    int storedCount() const { return m_nRows; }
    bool isFull() const { return m_nRows >= MaxRows; }
    // Makes every stored line visible to the views (one model reset).
    void refresh();
    // Forgets every line.
    void clearMessages();

    void setChinese(bool chinese);
    bool isChinese() const { return m_bChinese; }

    // Level name in the chosen language; empty for unknown levels.
    static QString levelText(int level, bool chinese);
    // Resource name of a level's icon; empty for unknown levels.
    static QString levelIconPath(int level);

private:
    std::vector<VQtOutputMessage> m_messages;
    int m_nRows = 0;      // lines stored
    int m_nShownRows = 0; // lines published to the views
    bool m_bChinese = false;
    mutable QIcon m_icons[3];
    mutable bool m_iconsLoaded = false;
};

#endif // VQTOUTPUTMODEL_H
