#include "device/VQtTreeWidgetItem.h"

#include <QWidget>

#include "device/VQtTreeWidget.h"
#include "device/VQtTreeWidgetItems.h"

VQtTreeWidgetItem::VQtTreeWidgetItem(VQT_TREE_ITEM_TYPE type, const QString& feature, const QString& display)
    : m_itemType(type), m_feature(feature), m_display(display) {
    setText(0, display);
}

VQtTreeWidgetItem* VQtTreeWidgetItem::create(VQT_TREE_ITEM_TYPE type, const QString& feature,
                                             const QString& display) {
    switch (type) {
    case VQT_TREE_ITEM_LINEEDIT:
        return new VQtTreeWidgetItemLineEdit(feature, display);
    case VQT_TREE_ITEM_CHECKBOX:
        return new VQtTreeWidgetItemCheckBox(feature, display);
    case VQT_TREE_ITEM_COMBOBOX:
        return new VQtTreeWidgetItemComboBox(feature, display);
    case VQT_TREE_ITEM_COMBOBOX_BUTTON:
        return new VQtTreeWidgetItemComboBoxButton(feature, display);
    case VQT_TREE_ITEM_SPINBOX:
        return new VQtTreeWidgetItemSpinBox(feature, display);
    case VQT_TREE_ITEM_DOUBLESPINBOX:
        return new VQtTreeWidgetItemDoubleSpinBox(feature, display);
    case VQT_TREE_ITEM_IPADDRESS:
        return new VQtTreeWidgetItemIpAddress(feature, display);
    case VQT_TREE_ITEM_MACADDRESS:
        return new VQtTreeWidgetItemMacAddress(feature, display);
    case VQT_TREE_ITEM_PUSHBUTTON:
        return new VQtTreeWidgetItemPushButton(feature, display);
    case VQT_TREE_ITEM_LABEL:
    default:
        return new VQtTreeWidgetItemLabel(feature, display);
    }
}

void VQtTreeWidgetItem::setDisplayName(const QString& display) {
    m_display = display;
    setText(0, m_tree ? m_tree->featureText(display) : display);
}

QString VQtTreeWidgetItem::shownValue(const QString& entry) const {
    return m_tree ? m_tree->valueText(entry) : entry;
}

void VQtTreeWidgetItem::setMode(int mode) {
    m_mode = mode;
    refreshEditor();
}

void VQtTreeWidgetItem::setCurEnable(bool enabled) {
    m_enabled = enabled;
    refreshEditor();
}

void VQtTreeWidgetItem::setCurValue(const QVariant& value) {
    m_value = value;
    refreshEditor();
}

bool VQtTreeWidgetItem::isEditable() const {
    return m_enabled && (m_mode == VQT_MODE_RW || m_mode == VQT_MODE_WO);
}

QWidget* VQtTreeWidgetItem::editor(VQtTreeWidget* tree) {
    if (!m_editor) {
        m_tree = tree;
        m_editor = createEditor(tree);
        m_editor->installEventFilter(tree);
        refreshEditor();
    }
    return m_editor;
}

void VQtTreeWidgetItem::refreshEditor() {
    if (!m_editor)
        return;
    const QSignalBlocker block(m_editor);
    m_editor->setEnabled(isEditable());
    // Greyed name: the user sees at once which rows cannot be changed now.
    setForeground(0, isEditable() ? QBrush() : QBrush(Qt::gray));
    showValue();
}

void VQtTreeWidgetItem::commit(const QVariant& value) {
    m_value = value;
    if (m_tree)
        emit m_tree->signalItemValueChanged(this);
}
