#include "device/VQtTreeWidgetItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QToolButton>
#include <cmath>
#include <limits>

#include "device/VQtForceIpAdder.h"
#include "device/VQtTreeWidget.h"

namespace {
// Value a feature shows when it cannot be read now.
const QString kUnavailable = QStringLiteral("------");

bool unavailable(const VQtTreeWidgetItem* item) {
    return item->getMode() == VQT_MODE_NA || item->getMode() == VQT_MODE_NI ||
           item->getValue().toString() == kUnavailable;
}

int toInt(const QVariant& v, int fallback) {
    bool ok = false;
    const qlonglong x = v.toLongLong(&ok);
    if (!ok)
        return fallback;
    return int(qBound<qlonglong>(std::numeric_limits<int>::min(), x, std::numeric_limits<int>::max()));
}
} // namespace

// --- addresses -------------------------------------------------------------------------------

QString vqtIpText(qint64 value) {
    const quint32 v = quint32(value);
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 255).arg((v >> 8) & 255).arg(v & 255);
}

qint64 vqtIpValue(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)$"));
    if (!re.match(text.trimmed()).hasMatch())
        return -1;
    qint64 v = 0;
    for (const QString& part : text.trimmed().split(QLatin1Char('.')))
        v = (v << 8) | part.toInt();
    return v;
}

QString vqtMacText(qint64 value) {
    QStringList parts;
    for (int shift = 40; shift >= 0; shift -= 8)
        parts << QStringLiteral("%1").arg((value >> shift) & 255, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

qint64 vqtMacValue(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^([0-9A-Fa-f]{2}[:-]){5}[0-9A-Fa-f]{2}$"));
    if (!re.match(text.trimmed()).hasMatch())
        return -1;
    QString hex = text.trimmed();
    hex.remove(QLatin1Char(':')).remove(QLatin1Char('-'));
    return hex.toLongLong(nullptr, 16);
}

// --- label, line edit, check box --------------------------------------------------------------

QWidget* VQtTreeWidgetItemLabel::createEditor(VQtTreeWidget*) {
    return new QLabel;
}

void VQtTreeWidgetItemLabel::showValue() {
    static_cast<QLabel*>(m_editor.data())->setText(m_value.toString());
}

QWidget* VQtTreeWidgetItemLineEdit::createEditor(VQtTreeWidget*) {
    auto* edit = new QLineEdit;
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [this, edit] {
        if (edit->isModified() && edit->text() != m_value.toString()) {
            edit->setModified(false);
            commit(edit->text());
        }
    });
    return edit;
}

void VQtTreeWidgetItemLineEdit::showValue() {
    auto* edit = static_cast<QLineEdit*>(m_editor.data());
    edit->setText(m_value.toString());
    edit->setModified(false);
}

QWidget* VQtTreeWidgetItemCheckBox::createEditor(VQtTreeWidget*) {
    auto* box = new QCheckBox;
    QObject::connect(box, &QCheckBox::clicked, box, [this](bool on) { commit(on); });
    return box;
}

void VQtTreeWidgetItemCheckBox::showValue() {
    auto* box = static_cast<QCheckBox*>(m_editor.data());
    box->setChecked(m_value.toBool());
    box->setText(unavailable(this) ? kUnavailable : QString());
}

// --- drop-down lists ---------------------------------------------------------------------------

namespace {
QComboBox* makeCombo(VQtTreeWidgetItem* item) {
    auto* combo = new QComboBox;
    combo->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), combo, [item, combo](int index) {
        // The entry shows the user's language; the device gets its own text.
        const QString text = combo->itemData(index).toString();
        if (text != item->getValue().toString())
            item->commit(text);
    });
    return combo;
}

void fillCombo(QComboBox* combo, const VQtTreeWidgetItem* item) {
    const QStringList& entries = item->getEnumList();
    const QString current = item->getValue().toString();
    QStringList held;
    for (int i = 0; i < combo->count(); ++i)
        held << combo->itemData(i).toString();
    if (held != entries) {
        combo->clear();
        for (const QString& entry : entries)
            combo->addItem(entry, entry);
    }
    // The language may have changed since the entries were added.
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, item->shownValue(combo->itemData(i).toString()));
    const int index = combo->findData(current);
    if (index < 0 && !current.isEmpty()) {
        // A value the entry list lacks (unavailable, or set behind the tree's back) stays visible.
        combo->addItem(item->shownValue(current), current);
        combo->setCurrentIndex(combo->count() - 1);
    } else {
        combo->setCurrentIndex(index);
    }
}
} // namespace

QWidget* VQtTreeWidgetItemComboBox::createEditor(VQtTreeWidget*) {
    return makeCombo(this);
}

void VQtTreeWidgetItemComboBox::showValue() {
    fillCombo(static_cast<QComboBox*>(m_editor.data()), this);
}

QWidget* VQtTreeWidgetItemComboBoxButton::createEditor(VQtTreeWidget* tree) {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(makeCombo(this), 1);
    auto* button = new QToolButton;
    button->setText(QStringLiteral("..."));
    layout->addWidget(button);
    QObject::connect(button, &QToolButton::clicked, tree,
                     [this, tree] { emit tree->signalCurrentItemBtnClicked(this); });
    return box;
}

void VQtTreeWidgetItemComboBoxButton::showValue() {
    fillCombo(m_editor->findChild<QComboBox*>(), this);
}

// --- numbers -------------------------------------------------------------------------------------

QWidget* VQtTreeWidgetItemSpinBox::createEditor(VQtTreeWidget*) {
    auto* spin = new QSpinBox;
    // Only a finished entry (Enter, leaving the field, a step button) is written to the device.
    spin->setKeyboardTracking(false);
    spin->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), spin, [this](int v) {
        if (qlonglong(v) != m_value.toLongLong())
            commit(qlonglong(v));
    });
    return spin;
}

void VQtTreeWidgetItemSpinBox::showValue() {
    auto* spin = static_cast<QSpinBox*>(m_editor.data());
    spin->setRange(toInt(m_min, std::numeric_limits<int>::min()),
                   toInt(m_max, std::numeric_limits<int>::max()));
    spin->setSingleStep(qMax(1, toInt(m_step, 1)));
    spin->setValue(toInt(m_value, 0));
    spin->setSpecialValueText(unavailable(this) ? kUnavailable : QString());
}

void VQtTreeWidgetItemSpinBox::autoAdjustValue() {
    const qlonglong step = m_step.toLongLong();
    if (step == 0)
        return;
    const qlonglong min = m_min.toLongLong();
    m_value = min + ((m_value.toLongLong() - min) / step) * step;
}

QWidget* VQtTreeWidgetItemDoubleSpinBox::createEditor(VQtTreeWidget*) {
    auto* spin = new QDoubleSpinBox;
    spin->setKeyboardTracking(false);
    spin->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(spin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), spin,
                     [this, spin](double v) {
                         // Equal as far as the field shows it: nothing to write.
                         if (std::abs(v - m_value.toDouble()) >= std::pow(10.0, -spin->decimals()) / 2)
                             commit(v);
                     });
    return spin;
}

void VQtTreeWidgetItemDoubleSpinBox::showValue() {
    auto* spin = static_cast<QDoubleSpinBox*>(m_editor.data());
    spin->setDecimals(qBound(0, m_decimals, 9));
    spin->setRange(m_min.isValid() ? m_min.toDouble() : -1e12, m_max.isValid() ? m_max.toDouble() : 1e12);
    const double step = m_step.toDouble();
    spin->setSingleStep(step > 0 ? step : 1.0);
    spin->setValue(m_value.toDouble());
}

void VQtTreeWidgetItemDoubleSpinBox::autoAdjustValue() {
    const double step = m_step.toDouble();
    if (step < 0.000001)
        return;
    const double min = m_min.toDouble();
    const double entered = m_value.toDouble();
    double v = min + std::floor((entered - min) / step + 0.000001) * step;
    if (entered - v > step / 2)
        v += step;
    m_value = v;
}

// --- addresses and commands ----------------------------------------------------------------------

namespace {
QLineEdit* makeAddressEdit(VQtTreeWidgetItem* item, const QString& pattern, qint64 (*parse)(const QString&)) {
    auto* edit = new QLineEdit;
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [item, edit, parse] {
        const qint64 v = parse(edit->text());
        if (edit->isModified() && v >= 0 && v != item->getValue().toLongLong()) {
            edit->setModified(false);
            item->commit(v);
        }
    });
    return edit;
}
} // namespace

QWidget* VQtTreeWidgetItemIpAddress::createEditor(VQtTreeWidget*) {
    auto* adder = new VQtForceIpAdder;
    QObject::connect(adder, &VQtForceIpAdder::editingFinished, adder, [this, adder] {
        // Only a whole address that differs from the camera's is written.
        const qint64 v = vqtIpValue(adder->text());
        if (v >= 0 && v != getValue().toLongLong())
            commit(v);
    });
    return adder;
}

void VQtTreeWidgetItemIpAddress::showValue() {
    auto* adder = static_cast<VQtForceIpAdder*>(m_editor.data());
    // An unreadable address shows as empty parts, each marked like the other unreadable rows.
    const bool none = unavailable(this);
    adder->setText(none ? QString() : vqtIpText(m_value.toLongLong()));
    for (int i = 0; i < 4; ++i)
        adder->part(i)->setPlaceholderText(none ? QStringLiteral("--") : QString());
}

QWidget* VQtTreeWidgetItemMacAddress::createEditor(VQtTreeWidget*) {
    return makeAddressEdit(this, QStringLiteral("([0-9A-Fa-f]{2}[:-]){0,5}[0-9A-Fa-f]{0,2}"), &vqtMacValue);
}

void VQtTreeWidgetItemMacAddress::showValue() {
    static_cast<QLineEdit*>(m_editor.data())
        ->setText(unavailable(this) ? kUnavailable : vqtMacText(m_value.toLongLong()));
}

QWidget* VQtTreeWidgetItemPushButton::createEditor(VQtTreeWidget*) {
    auto* button = new QPushButton;
    QObject::connect(button, &QPushButton::clicked, button, [this] { commit(1); });
    return button;
}

void VQtTreeWidgetItemPushButton::showValue() {
    //: 执行
    static_cast<QPushButton*>(m_editor.data())
        ->setText(QCoreApplication::translate("VQtTreeWidget", "Execute"));
}
