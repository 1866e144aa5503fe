// The feature tree without a device: value adjustment before a write, the level and search
// filter, editors that commit only real changes and respect read-only access, and the address
// texts of the IP and MAC editors.
#include "device/VQtForceIpAdder.h"
#include "device/VQtTreeWidget.h"
#include "device/VQtTreeWidgetItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

class TstFeatureTree : public QObject {
    Q_OBJECT

private:
    // Rows: name, level, access mode, under categories "A" (first three) and "B".
    static void fill(VQtTreeWidget& tree) {
        struct Row {
            const char* name;
            int level;
            int mode;
        };
        const Row rows[] = {{"ExposureTime", 1, VQT_MODE_RW},      {"ExposureAuto", 2, VQT_MODE_RW},
                            {"SensorTemperature", 3, VQT_MODE_RO}, {"TestPattern", 3, VQT_MODE_RW},
                            {"HiddenRegister", 4, VQT_MODE_RW},    {"Unimplemented", 1, VQT_MODE_NI}};
        QTreeWidgetItem* a = tree.createTopItem(QStringLiteral("A"));
        QTreeWidgetItem* b = tree.createTopItem(QStringLiteral("B"));
        tree.addTopItem(a);
        tree.addTopItem(b);
        int i = 0;
        for (const Row& r : rows) {
            VQtTreeWidgetItem* item =
                tree.createSubItem(VQT_TREE_ITEM_SPINBOX, QLatin1String(r.name), QLatin1String(r.name));
            item->setLevel(r.level);
            item->setMode(r.mode);
            tree.addSubItem(i++ < 3 ? a : b, item);
        }
    }
    static QStringList shownNames(const VQtTreeWidget& tree) {
        QStringList names;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            for (int j = 0; j < tree.topLevelItem(i)->childCount(); ++j)
                if (!tree.topLevelItem(i)->isHidden() && !tree.topLevelItem(i)->child(j)->isHidden())
                    names << tree.topLevelItem(i)->child(j)->text(0);
        return names;
    }

private slots:
    void integerAdjustedOntoStep_data() {
        QTest::addColumn<qlonglong>("value");
        QTest::addColumn<qlonglong>("min");
        QTest::addColumn<qlonglong>("step");
        QTest::addColumn<qlonglong>("expected");
        QTest::newRow("toward the minimum") << 1001LL << 16LL << 8LL << 1000LL;
        QTest::newRow("on the step") << 1000LL << 16LL << 8LL << 1000LL;
        QTest::newRow("odd minimum") << 20LL << 1LL << 4LL << 17LL;
        QTest::newRow("no step leaves it") << 1001LL << 16LL << 0LL << 1001LL;
    }
    void integerAdjustedOntoStep() {
        QFETCH(qlonglong, value);
        QFETCH(qlonglong, min);
        QFETCH(qlonglong, step);
        QFETCH(qlonglong, expected);
        std::unique_ptr<VQtTreeWidgetItem> item(
            VQtTreeWidgetItem::create(VQT_TREE_ITEM_SPINBOX, "Width", "Width"));
        item->setMinValue(min);
        item->setStepValue(step);
        item->setCurValue(value);
        item->autoAdjustValue();
        QCOMPARE(item->getValue().toLongLong(), expected);
    }

    void floatAdjustedOntoStep_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("expected");
        QTest::newRow("rounds up past half a step") << 10.26 << 0.0 << 0.1 << 10.3;
        QTest::newRow("rounds down below half") << 10.24 << 0.0 << 0.1 << 10.2;
        QTest::newRow("exact stays") << 10.2 << 0.0 << 0.1 << 10.2;
        QTest::newRow("offset minimum") << 7.0 << 0.5 << 2.0 << 6.5;
        QTest::newRow("tiny step ignored") << 1.2345 << 0.0 << 1e-9 << 1.2345;
    }
    void floatAdjustedOntoStep() {
        QFETCH(double, value);
        QFETCH(double, min);
        QFETCH(double, step);
        QFETCH(double, expected);
        std::unique_ptr<VQtTreeWidgetItem> item(
            VQtTreeWidgetItem::create(VQT_TREE_ITEM_DOUBLESPINBOX, "ExposureTime", "Exposure Time"));
        item->setMinValue(min);
        item->setStepValue(step);
        item->setCurValue(value);
        item->autoAdjustValue();
        QVERIFY2(qAbs(item->getValue().toDouble() - expected) < 1e-9,
                 qPrintable(item->getValue().toString()));
    }

    void levelAndSearchFilter_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("beginner") << 1 << QString() << QStringList{"ExposureTime"};
        QTest::newRow("expert") << 2 << QString() << QStringList{"ExposureTime", "ExposureAuto"};
        QTest::newRow("guru, never invisible or unimplemented")
            << 3 << QString()
            << QStringList{"ExposureTime", "ExposureAuto", "SensorTemperature", "TestPattern"};
        QTest::newRow("lower-case search")
            << 3 << QStringLiteral("exposure") << QStringList{"ExposureTime", "ExposureAuto"};
        QTest::newRow("search empties a category")
            << 3 << QStringLiteral("PATTERN") << QStringList{"TestPattern"};
        QTest::newRow("nothing matches") << 3 << QStringLiteral("gain") << QStringList{};
    }
    void levelAndSearchFilter() {
        QFETCH(int, level);
        QFETCH(QString, search);
        QFETCH(QStringList, shown);
        VQtTreeWidget tree;
        fill(tree);
        tree.setUserLevel(level, search);
        QCOMPARE(shownNames(tree), shown);
        // A category is hidden exactly when none of its rows is shown.
        for (int i = 0; i < tree.topLevelItemCount(); ++i) {
            QTreeWidgetItem* top = tree.topLevelItem(i);
            bool any = false;
            for (int j = 0; j < top->childCount(); ++j)
                any = any || !top->child(j)->isHidden();
            QCOMPARE(top->isHidden(), !any);
        }
    }

    void editorsCommitChangesOnly() {
        VQtTreeWidget tree;
        QTreeWidgetItem* top = tree.createTopItem(QStringLiteral("Format"));
        tree.addTopItem(top);
        auto* width = tree.createSubItem(VQT_TREE_ITEM_SPINBOX, "Width", "Width");
        width->setMinValue(16);
        width->setMaxValue(4096);
        width->setStepValue(16);
        width->setCurValue(640);
        auto* format = tree.createSubItem(VQT_TREE_ITEM_COMBOBOX, "PixelFormat", "Pixel Format");
        format->addEnumList({"Mono8", "Mono12"});
        format->setCurValue(QStringLiteral("Mono8"));
        auto* reverse = tree.createSubItem(VQT_TREE_ITEM_CHECKBOX, "ReverseX", "Reverse X");
        auto* temperature = tree.createSubItem(VQT_TREE_ITEM_SPINBOX, "DeviceTemperature", "Temperature");
        temperature->setMode(VQT_MODE_RO);
        for (auto* item : {width, format, reverse, temperature})
            tree.addSubItem(top, item);
        QSignalSpy spy(&tree, &VQtTreeWidget::signalItemValueChanged);

        auto* spin = qobject_cast<QSpinBox*>(width->getEditor());
        QVERIFY(spin);
        QCOMPARE(spin->singleStep(), 16);
        QCOMPARE(spin->maximum(), 4096);
        spin->stepBy(1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<VQtTreeWidgetItem*>(), width);
        QCOMPARE(width->getValue().toLongLong(), 656LL);
        // A refresh from the device moves the editor without reporting an edit.
        width->setCurValue(512);
        QCOMPARE(spin->value(), 512);
        QCOMPARE(spy.count(), 1);

        auto* combo = qobject_cast<QComboBox*>(format->getEditor());
        QVERIFY(combo);
        QCOMPARE(combo->count(), 2);
        emit combo->activated(0); // the value it already has
        QCOMPARE(spy.count(), 1);
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(format->getValue().toString(), QStringLiteral("Mono12"));

        qobject_cast<QCheckBox*>(reverse->getEditor())->click();
        QCOMPARE(spy.count(), 3);
        QCOMPARE(reverse->getValue().toBool(), true);

        QVERIFY(!temperature->getEditor()->isEnabled());
        temperature->setMode(VQT_MODE_RW);
        QVERIFY(temperature->getEditor()->isEnabled());
        QVERIFY(tree.getSubItemFromName("PixelFormat") == format);
        QVERIFY(tree.getSubItemFromDisplayName("Reverse X") == reverse);
        tree.clearAllItem();
        QVERIFY(!tree.getSubItemFromName("PixelFormat"));
    }

    void addressTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("ip");
        QTest::newRow("camera") << "192.168.5.21" << ((192LL << 24) | (168 << 16) | (5 << 8) | 21);
        QTest::newRow("zero") << "0.0.0.0" << 0LL;
        QTest::newRow("broadcast") << "255.255.255.255" << 0xFFFFFFFFLL;
        QTest::newRow("part too large") << "192.168.5.256" << -1LL;
        QTest::newRow("three parts") << "192.168.5" << -1LL;
        QTest::newRow("letters") << "a.b.c.d" << -1LL;
    }
    void addressTexts() {
        QFETCH(QString, text);
        QFETCH(qlonglong, ip);
        QCOMPARE(vqtIpValue(text), ip);
        if (ip >= 0)
            QCOMPARE(vqtIpText(ip), text);
    }

    void macTexts() {
        QCOMPARE(vqtMacText(0x001C5A100121LL), QStringLiteral("00:1C:5A:10:01:21"));
        QCOMPARE(vqtMacValue(QStringLiteral("00:1c:5a:10:01:21")), 0x001C5A100121LL);
        QCOMPARE(vqtMacValue(QStringLiteral("00-1C-5A-10-01-21")), 0x001C5A100121LL);
        QCOMPARE(vqtMacValue(QStringLiteral("00:1C:5A:10:01")), -1LL);
    }

    void addressEditorsCommitValidEntriesOnly() {
        VQtTreeWidget tree;
        QTreeWidgetItem* top = tree.createTopItem(QStringLiteral("Transport"));
        tree.addTopItem(top);
        auto* ip = tree.createSubItem(VQT_TREE_ITEM_IPADDRESS, "GevPersistentIPAddress", "Persistent IP");
        ip->setCurValue((192LL << 24) | (168 << 16) | (5 << 8) | 21);
        tree.addSubItem(top, ip);
        auto* edit = qobject_cast<VQtForceIpAdder*>(ip->getEditor());
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("192.168.5.21"));
        QSignalSpy spy(&tree, &VQtTreeWidget::signalItemValueChanged);
        // An incomplete address, then the same one again: nothing is written.
        edit->part(3)->clear();
        emit edit->editingFinished();
        edit->setText(QStringLiteral("192.168.5.21"));
        emit edit->editingFinished();
        QCOMPARE(spy.count(), 0);
        edit->part(3)->setText(QStringLiteral("30"));
        emit edit->part(3)->returnPressed();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(ip->getValue().toLongLong(), (192LL << 24) | (168 << 16) | (5 << 8) | 30);
        // Unreadable: empty parts marked like the other unreadable rows.
        ip->setCurValue(QStringLiteral("------"));
        QCOMPARE(edit->text(), QStringLiteral("..."));
        QCOMPARE(edit->part(0)->placeholderText(), QStringLiteral("--"));
    }
};

QTEST_MAIN(TstFeatureTree)
#include "tst_featuretree.moc"
