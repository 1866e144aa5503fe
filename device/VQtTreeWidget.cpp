#include "device/VQtTreeWidget.h"

#include <QEvent>
#include <QHeaderView>

#include "device/VQtAcqFeature.h"
#include "device/VQtFeatureText.h"
#include "device/VQtRemoteFeature.h"

namespace {
// A long feature name is cut rather than pushing the editors out of sight.
constexpr int kMaxNameWidth = 190;
} // namespace

VQtTreeWidget::VQtTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    qRegisterMetaType<VQtTreeWidgetItem*>();
    setColumnCount(2);
    setHeaderLabels({tr("Feature"), tr("Value")});
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    setColumnWidth(0, 200);
    setAlternatingRowColors(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current && current->parent())
            emit signalCurrentItemChanged(static_cast<VQtTreeWidgetItem*>(current));
    });
}

QTreeWidgetItem* VQtTreeWidget::createTopItem(const QString& category) {
    auto* item = new QTreeWidgetItem(QStringList{featureText(category)});
    // The device's own name of the category, whatever the language shown.
    item->setData(0, Qt::UserRole, category);
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setFirstColumnSpanned(true);
    return item;
}

void VQtTreeWidget::addTopItem(QTreeWidgetItem* item) {
    addTopLevelItem(item);
    item->setFirstColumnSpanned(true);
    item->setExpanded(true);
}

VQtTreeWidgetItem* VQtTreeWidget::createSubItem(VQT_TREE_ITEM_TYPE type, const QString& feature,
                                                const QString& display) {
    return VQtTreeWidgetItem::create(type, feature, display);
}

void VQtTreeWidget::addSubItem(QTreeWidgetItem* parent, VQtTreeWidgetItem* item) {
    parent->addChild(item);
    setItemWidget(item, 1, item->editor(this));
    item->setText(0, featureText(item->getDisplayName()));
    m_byName.insert(item->getFeatureName(), item);
}

VQtTreeWidgetItem* VQtTreeWidget::getSubItemFromName(const QString& feature) const {
    return m_byName.value(feature);
}

VQtTreeWidgetItem* VQtTreeWidget::getSubItemFromDisplayName(const QString& display) const {
    for (VQtTreeWidgetItem* item : m_byName)
        if (item->getDisplayName() == display)
            return item;
    return nullptr;
}

void VQtTreeWidget::clearAllItem() {
    m_byName.clear();
    m_byFeature.clear();
    m_toolTipOf.clear();
    m_acqRows.clear();
    clear();
}

QTreeWidgetItem* VQtTreeWidget::topItemFor(const QString& category) {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->data(0, Qt::UserRole).toString() == category)
            return topLevelItem(i);
    QTreeWidgetItem* top = createTopItem(category);
    addTopItem(top);
    return top;
}

bool VQtTreeWidget::isShown(const VQtTreeWidgetItem* item) const {
    return item->getMode() != VQT_MODE_NI && item->getLevel() != VQT_LEVEL_INVISIBLE &&
           item->getLevel() <= m_level && item->getFeatureName().contains(m_search, Qt::CaseInsensitive);
}

void VQtTreeWidget::setUserLevel(int level, const QString& searchText) {
    m_level = level;
    m_search = searchText;
    updateTreeItem();
}

void VQtTreeWidget::updateTreeItem() {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topLevelItem(i);
        bool any = false;
        for (int j = 0; j < top->childCount(); ++j) {
            auto* row = static_cast<VQtTreeWidgetItem*>(top->child(j));
            const bool shown = isShown(row);
            row->setHidden(!shown);
            any = any || shown;
        }
        top->setHidden(!any);
    }
}

void VQtTreeWidget::setToolTipsShown(bool on) {
    m_toolTips = on;
    for (auto it = m_byFeature.cbegin(); it != m_byFeature.cend(); ++it) {
        const QString tip = on ? m_toolTipOf.value(it.key()) : QString();
        it.value()->setToolTip(0, tip);
        it.value()->setToolTip(1, tip);
    }
}

void VQtTreeWidget::setLanguage(int language) {
    m_language = language;
    updateItemText();
}

void VQtTreeWidget::updateItemText() {
    setHeaderLabels({tr("Feature"), tr("Value")});
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setText(0, featureText(topLevelItem(i)->data(0, Qt::UserRole).toString()));
    for (VQtTreeWidgetItem* item : m_byName) {
        item->setText(0, featureText(item->getDisplayName()));
        item->refreshEditor();
    }
}

QString VQtTreeWidget::featureText(const QString& english) const {
    return m_language == 0 ? VQtFeatureText::instance().featureName(english) : english;
}

QString VQtTreeWidget::valueText(const QString& english) const {
    return m_language == 0 ? VQtFeatureText::instance().valueText(english) : english;
}

bool VQtTreeWidget::eventFilter(QObject* watched, QEvent* event) {
    // A wheel over an editor scrolls the tree instead of changing a device value by accident;
    // entering an editor makes its row current.
    if (event->type() == QEvent::Wheel && !static_cast<QWidget*>(watched)->hasFocus()) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Enter) {
        for (VQtTreeWidgetItem* item : m_byName)
            if (item->getEditor() == watched) {
                if (event->type() == QEvent::FocusIn)
                    setCurrentItem(item);
                emit signalEnterItem(item);
                break;
            }
    }
    return QTreeWidget::eventFilter(watched, event);
}

// --- board parameters ------------------------------------------------------------------------

VQT_TREE_ITEM_TYPE VQtTreeWidget::itemTypeOf(const VQtAcqFeature* f) {
    switch (f->getType()) {
    case VQT_FEATURE_INT:
        return VQT_TREE_ITEM_SPINBOX;
    case VQT_FEATURE_BOOL:
        return VQT_TREE_ITEM_CHECKBOX;
    case VQT_FEATURE_ENUM:
        return VQT_TREE_ITEM_COMBOBOX;
    case VQT_FEATURE_DIALOG:
        return VQT_TREE_ITEM_COMBOBOX_BUTTON;
    case VQT_FEATURE_COMMAND:
        return VQT_TREE_ITEM_PUSHBUTTON;
    case VQT_FEATURE_TEXT:
        return VQT_TREE_ITEM_LINEEDIT;
    default:
        return VQT_TREE_ITEM_LABEL;
    }
}

void VQtTreeWidget::loadAcqFeatures(const QList<std::shared_ptr<VQtAcqFeature>>& features) {
    setUpdatesEnabled(false);
    for (const auto& f : features) {
        // 64-bit board values (nanosecond delays) have no editor row.
        if (f->getType() == VQT_FEATURE_INT64)
            continue;
        VQtTreeWidgetItem* item = createSubItem(itemTypeOf(f.get()), f->getFeature(), f->getDisplay());
        item->setCategory(f->getCategory());
        item->setLevel(qBound(1, int(f->getVisibility()), 4));
        addSubItem(topItemFor(f->getCategory()), item);
        m_byFeature.insert(f.get(), item);
        m_toolTipOf.insert(f.get(), f->getToolTip());
        m_acqRows.insert(item);
        updateAcqItem(f.get());
    }
    setToolTipsShown(m_toolTips);
    updateTreeItem();
    resizeColumnToContents(0);
    setColumnWidth(0, qMin(columnWidth(0), kMaxNameWidth));
    setUpdatesEnabled(true);
}

void VQtTreeWidget::updateAcqItem(VQtAcqFeature* f) {
    VQtTreeWidgetItem* item = m_byFeature.value(f);
    if (!item)
        return;
    item->setMinValue(qlonglong(f->getMin()));
    item->setMaxValue(qlonglong(f->getMax()));
    item->setStepValue(qlonglong(f->getStep()));
    item->clearEnumList();
    item->addEnumList(f->getEnumList());
    item->setCurEnable(f->isEnable());
    item->setMode(int(f->getAccessMode()));
    item->setCurValue(f->isEnumeration()                 ? QVariant(f->getText())
                      : f->getType() == VQT_FEATURE_BOOL ? QVariant(f->getValue() != 0)
                                                         : QVariant(qlonglong(f->getValue())));
    if (f->getType() == VQT_FEATURE_TEXT)
        item->setCurValue(f->getText());
}

// --- camera features -------------------------------------------------------------------------

VQT_TREE_ITEM_TYPE VQtTreeWidget::itemTypeOf(const VQtRemoteFeature* f) {
    switch (f->getType()) {
    case OXAFEATURE_VAL_TYPE_INT64_RO:
    case OXAFEATURE_VAL_TYPE_INT64:
        if (f->getRepresentation() == 6)
            return VQT_TREE_ITEM_IPADDRESS;
        if (f->getRepresentation() == 7)
            return VQT_TREE_ITEM_MACADDRESS;
        return VQT_TREE_ITEM_SPINBOX;
    case OXAFEATURE_VAL_TYPE_FLOAT:
    case OXAFEATURE_VAL_TYPE_DOUBLE:
        return VQT_TREE_ITEM_DOUBLESPINBOX;
    case OXAFEATURE_VAL_TYPE_BOOL:
        return VQT_TREE_ITEM_CHECKBOX;
    case OXAFEATURE_VAL_TYPE_ENUM:
        return VQT_TREE_ITEM_COMBOBOX;
    case OXAFEATURE_VAL_TYPE_STRING:
        return VQT_TREE_ITEM_LINEEDIT;
    case OXAFEATURE_VAL_TYPE_COMMAND:
        return VQT_TREE_ITEM_PUSHBUTTON;
    default:
        return VQT_TREE_ITEM_LABEL;
    }
}

void VQtTreeWidget::loadRemoteFeatures(const QList<std::shared_ptr<VQtRemoteFeature>>& features) {
    setUpdatesEnabled(false);
    for (const auto& f : features) {
        if (f->getType() == OXAFEATURE_VAL_TYPE_UNDEFINED || f->getType() == OXAFEATURE_VAL_TYPE_CATEGORY ||
            f->getCategory() == QLatin1String("Root"))
            continue;
        VQtTreeWidgetItem* item =
            createSubItem(itemTypeOf(f.get()), f->getFeature(),
                          f->getDisplay().isEmpty() ? f->getFeature() : f->getDisplay());
        item->setCategory(f->getCategory());
        item->setLevel(qBound(1, int(f->getVisibility()), 4));
        addSubItem(topItemFor(f->getCategory()), item);
        m_byFeature.insert(f.get(), item);
        m_toolTipOf.insert(f.get(), f->getToolTip());
        updateRemoteItem(f.get());
    }
    setToolTipsShown(m_toolTips);
    updateTreeItem();
    resizeColumnToContents(0);
    setColumnWidth(0, qMin(columnWidth(0), kMaxNameWidth));
    setUpdatesEnabled(true);
}

void VQtTreeWidget::updateRemoteItem(VQtRemoteFeature* f) {
    VQtTreeWidgetItem* item = m_byFeature.value(f);
    if (!item)
        return;
    const bool wasShown = isShown(item);
    item->setMinValue(f->isMin() ? f->getMin() : QVariant());
    item->setMaxValue(f->isMax() ? f->getMax() : QVariant());
    item->setStepValue(f->isStep() ? f->getStep() : QVariant());
    item->setCurDecimals(int(f->getPrecision()));
    item->clearEnumList();
    item->addEnumList(f->getEnumList());
    const int mode = int(f->getAccessMode());
    item->setCurEnable(mode == VQT_MODE_RW || mode == VQT_MODE_WO);
    item->setMode(mode);
    item->setCurValue(f->getValue());
    // The access may have changed (a selector, acquisition running): filter this row again.
    if (wasShown != isShown(item))
        updateTreeItem();
}
