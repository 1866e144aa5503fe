// Two-level feature editor: one top row per category, under it a row per board parameter or
// camera feature with the editor its type calls for. Rows are filtered by the user level and a
// search text; the tree fills itself from the open device's features and refreshes a row when
// the control worker reports that feature again.
#ifndef VQTTREEWIDGET_H
#define VQTTREEWIDGET_H

#include <QHash>
#include <QSet>
#include <QTreeWidget>

#include "device/VQtTreeWidgetItem.h"

class VQtAcqFeature;
class VQtRemoteFeature;

class VQtTreeWidget : public QTreeWidget {
    Q_OBJECT

public:
    explicit VQtTreeWidget(QWidget* parent = nullptr);

    QTreeWidgetItem* createTopItem(const QString& category);
    void addTopItem(QTreeWidgetItem* item);
    VQtTreeWidgetItem* createSubItem(VQT_TREE_ITEM_TYPE type, const QString& feature, const QString& display);
    void addSubItem(QTreeWidgetItem* parent, VQtTreeWidgetItem* item);
    VQtTreeWidgetItem* getSubItemFromName(const QString& feature) const;
    VQtTreeWidgetItem* getSubItemFromDisplayName(const QString& display) const;
    void clearAllItem();

    // Level 1 Beginner, 2 Expert, 3 Guru; the search text matches feature names in any case.
    void setUserLevel(int level, const QString& searchText);
    int getUserLevel() const { return m_level; }
    void setToolTipsShown(bool on);
    // 0 Chinese, anything else English: names, categories and entries follow at once.
    void setLanguage(int language);
    int getLanguage() const { return m_language; }
    void updateItemText();
    // A feature name, category or entry text in the tree's language.
    QString featureText(const QString& english) const;
    QString valueText(const QString& english) const;
    // Whether a row is shown under the current level and search text.
    bool isShown(const VQtTreeWidgetItem* item) const;

    // Filling from the open device and refreshing one row.
    void loadAcqFeatures(const QList<std::shared_ptr<VQtAcqFeature>>& features);
    void loadRemoteFeatures(const QList<std::shared_ptr<VQtRemoteFeature>>& features);
    void updateAcqItem(VQtAcqFeature* feature);
    void updateRemoteItem(VQtRemoteFeature* feature);
    static VQT_TREE_ITEM_TYPE itemTypeOf(const VQtAcqFeature* feature);
    static VQT_TREE_ITEM_TYPE itemTypeOf(const VQtRemoteFeature* feature);
    // Whether a row shows a board parameter (else a camera feature).
    bool isAcqItem(const VQtTreeWidgetItem* item) const { return m_acqRows.contains(item); }

signals:
    void signalItemValueChanged(VQtTreeWidgetItem* item);
    void signalCurrentItemChanged(VQtTreeWidgetItem* item);
    void signalCurrentItemBtnClicked(VQtTreeWidgetItem* item);
    void signalEnterItem(VQtTreeWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateTreeItem();
    QTreeWidgetItem* topItemFor(const QString& category);

    int m_level = VQT_LEVEL_BEGINNER;
    QString m_search;
    bool m_toolTips = true;
    int m_language = 1;
    QHash<QString, VQtTreeWidgetItem*> m_byName;
    // Rows by the feature object they show: a report about a feature of a device closed since
    // finds no row.
    QHash<const void*, VQtTreeWidgetItem*> m_byFeature;
    QHash<const void*, QString> m_toolTipOf;
    QSet<const VQtTreeWidgetItem*> m_acqRows;
};

#endif // VQTTREEWIDGET_H
