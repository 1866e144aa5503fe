// Chinese names of features and entries: the unit rule, the tables beside the library
// overriding the built-in ones, refused tables falling back with one line naming them, and a
// tree that shows Chinese while the device still gets its own entry texts.
#include "device/VQtFeatureText.h"
#include "device/VQtTreeWidget.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TstFeatureText : public QObject {
    Q_OBJECT

private:
    // A bin folder holding Language/<name> with these bytes.
    static QString binWith(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
        const QString bin = dir.path() + QStringLiteral("/bin");
        QDir().mkpath(bin + QStringLiteral("/Language"));
        QFile file(bin + QStringLiteral("/Language/") + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return bin;
    }

private slots:
    void unitIsKeptOutsideTheName_data() {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("plain") << "Gain"
                               << "增益";
        QTest::newRow("spaced") << "Exposure Time"
                                << "曝光时间";
        QTest::newRow("microseconds") << "Strobe Delay(us)"
                                      << "闪光灯延时(us)";
        QTest::newRow("nanoseconds") << "Integration Width1(ns)"
                                     << "积分宽度1(ns)";
        QTest::newRow("milliseconds") << "Time Out(ms)"
                                      << "超时(ms)";
        QTest::newRow("blank before unit") << "Strobe Delay (us)"
                                           << "闪光灯延时(us)";
        // Only the three time units are split off; other brackets belong to the name.
        QTest::newRow("not a unit") << "Image Height(2nd)"
                                    << "图像高度(第二)";
        QTest::newRow("unknown stays") << "VendorSecret(us)"
                                       << "VendorSecret(us)";
    }
    void unitIsKeptOutsideTheName() {
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        VQtFeatureText texts;
        texts.load(QString());
        QCOMPARE(texts.featureName(english), chinese);
        QVERIFY(texts.takeMessages().isEmpty());
    }

    void libraryTablesOverrideBuiltIn() {
        QTemporaryDir dir;
        const QString bin = binWith(dir, QStringLiteral("Feature.ini"),
                                    QByteArray("[General]\nGain=模拟增益\nStrobe Delay=闪光延迟\n"));
        binWith(dir, QStringLiteral("Value.ini"), QByteArray("[General]\nContinuous=持续\n"));
        VQtFeatureText texts;
        texts.load(bin);
        QVERIFY(texts.takeMessages().isEmpty());
        QCOMPARE(texts.featureName(QStringLiteral("Gain")), QStringLiteral("模拟增益"));
        QCOMPARE(texts.featureName(QStringLiteral("Strobe Delay(us)")), QStringLiteral("闪光延迟(us)"));
        QCOMPARE(texts.valueText(QStringLiteral("Continuous")), QStringLiteral("持续"));
        // The library's table replaces the built-in one entirely: what it lacks stays English.
        QCOMPARE(texts.featureName(QStringLiteral("Width")), QStringLiteral("Width"));
    }

    void refusedTableFallsBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not name=text") << QByteArray("[General]\nGain\n[broken\n") << "name=text";
        QTest::newRow("not UTF-8") << QByteArray("[General]\nGain=\xd4\xf6\xd2\xe6\xff\n") << "UTF-8";
        QTest::newRow("empty") << QByteArray("; nothing here\n") << "names nothing";
        QTest::newRow("missing") << QByteArray() << "does not exist";
    }
    void refusedTableFallsBack() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString bin = dir.path() + QStringLiteral("/bin");
        if (!bytes.isEmpty())
            bin = binWith(dir, QStringLiteral("Feature.ini"), bytes);
        binWith(dir, QStringLiteral("Value.ini"), QByteArray("[General]\nOn=开\n"));
        VQtFeatureText texts;
        texts.load(bin);
        const QStringList lines = texts.takeMessages();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].contains(QStringLiteral("Feature.ini")) && lines[0].contains(reason),
                 qPrintable(lines[0]));
        QCOMPARE(texts.featureName(QStringLiteral("Gain")), QStringLiteral("增益"));
        QCOMPARE(texts.valueText(QStringLiteral("On")), QStringLiteral("开"));
        QVERIFY(texts.takeMessages().isEmpty());
    }

    void binFolderComesFromLibrarySettings() {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + QStringLiteral("/bin"));
        // The record is a file in the working directory: the test's own, not the build folder.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        {
            QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\NEXO\\VionLibrary"),
                               QSettings::NativeFormat);
            registry.setValue(QStringLiteral("Directory"), dir.path());
        }
        const QString bin = VQtFeatureText::libraryBinDir();
        QDir::setCurrent(before);
        QCOMPARE(bin, dir.path() + QStringLiteral("/bin"));
    }

    // In Chinese the row, its category and its entries read Chinese; the device is still sent
    // its own entry text, and English returns on the switch back.
    void treeFollowsLanguage() {
        VQtTreeWidget tree;
        QTreeWidgetItem* top = tree.createTopItem(QStringLiteral("AcquisitionControl"));
        tree.addTopItem(top);
        VQtTreeWidgetItem* mode = tree.createSubItem(VQT_TREE_ITEM_COMBOBOX, QStringLiteral("TriggerMode"),
                                                     QStringLiteral("TriggerMode"));
        tree.addSubItem(top, mode);
        mode->addEnumList({QStringLiteral("Off"), QStringLiteral("On")});
        mode->setCurValue(QStringLiteral("Off"));
        auto* combo = qobject_cast<QComboBox*>(mode->getEditor());
        QVERIFY(combo);
        QCOMPARE(mode->text(0), QStringLiteral("TriggerMode"));
        QCOMPARE(combo->currentText(), QStringLiteral("Off"));

        tree.setLanguage(0);
        QCOMPARE(top->text(0), QStringLiteral("采集控制"));
        QCOMPARE(mode->text(0), QStringLiteral("触发模式"));
        QCOMPARE(combo->currentText(), QStringLiteral("关闭"));
        QCOMPARE(combo->itemText(1), QStringLiteral("开启"));
        QCOMPARE(tree.getSubItemFromName(QStringLiteral("TriggerMode")), mode);

        QSignalSpy changed(&tree, &VQtTreeWidget::signalItemValueChanged);
        emit combo->activated(1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(mode->getValue().toString(), QStringLiteral("On"));

        tree.setLanguage(1);
        QCOMPARE(top->text(0), QStringLiteral("AcquisitionControl"));
        QCOMPARE(mode->text(0), QStringLiteral("TriggerMode"));
        QCOMPARE(combo->itemText(1), QStringLiteral("On"));
    }
};

QTEST_MAIN(TstFeatureText)
#include "tst_featuretext.moc"
