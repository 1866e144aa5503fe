// One row of a feature tree: a board parameter or camera feature with a copy of its value,
// limits, step and entries, and the editor widget its type calls for. The subclasses differ only
// in the editor they build and in how they show and read the value.
#ifndef VQTTREEWIDGETITEM_H
#define VQTTREEWIDGETITEM_H

#include <QPointer>
#include <QStringList>
#include <QTreeWidgetItem>
#include <QVariant>

class QWidget;
class VQtTreeWidget;

enum VQT_TREE_ITEM_TYPE : int {
    VQT_TREE_ITEM_LABEL = 0,
    VQT_TREE_ITEM_LINEEDIT = 1,
    VQT_TREE_ITEM_CHECKBOX = 2,
    VQT_TREE_ITEM_COMBOBOX = 3,
    VQT_TREE_ITEM_COMBOBOX_BUTTON = 4,
    VQT_TREE_ITEM_SPINBOX = 5,
    VQT_TREE_ITEM_DOUBLESPINBOX = 6,
    VQT_TREE_ITEM_IPADDRESS = 7,
    VQT_TREE_ITEM_MACADDRESS = 8,
    VQT_TREE_ITEM_PUSHBUTTON = 9
};
// The feature's visibility: rows above the user's level are hidden, Invisible ones always.
enum VQT_TREE_ITEM_LEVEL : int {
    VQT_LEVEL_BEGINNER = 1,
    VQT_LEVEL_EXPERT = 2,
    VQT_LEVEL_GURU = 3,
    VQT_LEVEL_INVISIBLE = 4
};
// The feature's access: read-write, read-only, write-only, not implemented, not available.
enum VQT_TREE_ITEM_MODE : int {
    VQT_MODE_UNDEFINED = 0,
    VQT_MODE_RW = 1,
    VQT_MODE_RO = 2,
    VQT_MODE_WO = 3,
    VQT_MODE_NI = 4,
    VQT_MODE_NA = 5
};

class VQtTreeWidgetItem : public QTreeWidgetItem {
public:
    static VQtTreeWidgetItem* create(VQT_TREE_ITEM_TYPE type, const QString& feature, const QString& display);
    ~VQtTreeWidgetItem() override = default;

    VQT_TREE_ITEM_TYPE getItemType() const { return m_itemType; }
    QString getFeatureName() const { return m_feature; }
    QString getDisplayName() const { return m_display; }
    void setDisplayName(const QString& display);
    QString getCategory() const { return m_category; }
    void setCategory(const QString& category) { m_category = category; }
    int getLevel() const { return m_level; }
    void setLevel(int level) { m_level = level; }
    int getMode() const { return m_mode; }
    void setMode(int mode);
    bool isCurEnable() const { return m_enabled; }
    void setCurEnable(bool enabled);

    QVariant getValue() const { return m_value; }
    void setCurValue(const QVariant& value);
    QVariant getMinValue() const { return m_min; }
    QVariant getMaxValue() const { return m_max; }
    QVariant getStepValue() const { return m_step; }
    void setMinValue(const QVariant& value) { m_min = value; }
    void setMaxValue(const QVariant& value) { m_max = value; }
    void setStepValue(const QVariant& value) { m_step = value; }
    void setCurDecimals(int decimals) { m_decimals = decimals; }
    int getCurDecimals() const { return m_decimals; }
    void addEnumList(const QStringList& entries) { m_entries << entries; }
    void clearEnumList() { m_entries.clear(); }
    QStringList getEnumList() const { return m_entries; }
    QString getValueFormIndex(int index) const { return m_entries.value(index); }
    // An entry text as the user reads it, in the tree's language.
    QString shownValue(const QString& entry) const;
    // Brings the value onto the minimum and step before it is written.
    virtual void autoAdjustValue() {}

    // Builds the editor for the value column (owned by the tree), once.
    QWidget* editor(VQtTreeWidget* tree);
    QWidget* getEditor() const { return m_editor; }
    // Shows value, limits, entries and access in the editor.
    void refreshEditor();
    // Whether the user can change the value now.
    bool isEditable() const;
    // A value the editor committed: stored, then reported by the tree.
    void commit(const QVariant& value);

protected:
    VQtTreeWidgetItem(VQT_TREE_ITEM_TYPE type, const QString& feature, const QString& display);
    virtual QWidget* createEditor(VQtTreeWidget* tree) = 0;
    virtual void showValue() = 0;

    VQtTreeWidget* m_tree = nullptr;
    QPointer<QWidget> m_editor;
    QVariant m_value, m_min, m_max, m_step;
    int m_decimals = 3;
    QStringList m_entries;

private:
    const VQT_TREE_ITEM_TYPE m_itemType;
    const QString m_feature;
    QString m_display;
    QString m_category;
    int m_level = VQT_LEVEL_BEGINNER;
    int m_mode = VQT_MODE_RW;
    bool m_enabled = true;
};

Q_DECLARE_METATYPE(VQtTreeWidgetItem*)

#endif // VQTTREEWIDGETITEM_H
