// The feature tree's row kinds, one per editor: label, line edit, check box, drop-down list
// (with or without a dialog button), integer and floating spin boxes, IPv4 and MAC address
// fields and the command button.
#ifndef VQTTREEWIDGETITEMS_H
#define VQTTREEWIDGETITEMS_H

#include "device/VQtTreeWidgetItem.h"

#define VQT_TREE_ITEM_CLASS(Name, Type)                                                                      \
    class Name : public VQtTreeWidgetItem {                                                                  \
    public:                                                                                                  \
        Name(const QString& feature, const QString& display) : VQtTreeWidgetItem(Type, feature, display) {}  \
                                                                                                             \
    protected:                                                                                               \
        QWidget* createEditor(VQtTreeWidget* tree) override;                                                 \
        void showValue() override;                                                                           \
    };

VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemLabel, VQT_TREE_ITEM_LABEL)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemLineEdit, VQT_TREE_ITEM_LINEEDIT)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemCheckBox, VQT_TREE_ITEM_CHECKBOX)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemComboBox, VQT_TREE_ITEM_COMBOBOX)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemComboBoxButton, VQT_TREE_ITEM_COMBOBOX_BUTTON)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemIpAddress, VQT_TREE_ITEM_IPADDRESS)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemMacAddress, VQT_TREE_ITEM_MACADDRESS)
VQT_TREE_ITEM_CLASS(VQtTreeWidgetItemPushButton, VQT_TREE_ITEM_PUSHBUTTON)
#undef VQT_TREE_ITEM_CLASS

class VQtTreeWidgetItemSpinBox : public VQtTreeWidgetItem {
public:
    VQtTreeWidgetItemSpinBox(const QString& feature, const QString& display)
        : VQtTreeWidgetItem(VQT_TREE_ITEM_SPINBOX, feature, display) {}
    void autoAdjustValue() override;

protected:
    QWidget* createEditor(VQtTreeWidget* tree) override;
    void showValue() override;
};

class VQtTreeWidgetItemDoubleSpinBox : public VQtTreeWidgetItem {
public:
    VQtTreeWidgetItemDoubleSpinBox(const QString& feature, const QString& display)
        : VQtTreeWidgetItem(VQT_TREE_ITEM_DOUBLESPINBOX, feature, display) {}
    void autoAdjustValue() override;

protected:
    QWidget* createEditor(VQtTreeWidget* tree) override;
    void showValue() override;
};

// Dotted IPv4 text of a 32-bit address and back (-1 for text that is no address).
QString vqtIpText(qint64 value);
qint64 vqtIpValue(const QString& text);
// "AA:BB:CC:DD:EE:FF" of a 48-bit MAC address and back (-1 for text that is no address).
QString vqtMacText(qint64 value);
qint64 vqtMacValue(const QString& text);

#endif // VQTTREEWIDGETITEMS_H
