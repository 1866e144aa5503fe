// The output log on disk: lines reach the file in order, the file is renamed away at its size
// limit keeping a fixed number of older files, and a folder that cannot be written costs one
// warning and nothing else.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/MainWindow.h"
#include "app/VQtLogFile.h"
#include "app/VQtMessageWidget.h"
#include "app/VQtOutputModel.h"
#include "app/VQtOutputWidget.h"
#include "core/VQtSystemParam.h"

namespace {
QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

class TestLogFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void linesAreAppendedWithTimeAndLevel() {
        QTemporaryDir dir;
        {
            VQtLogFile log(dir.path());
            log.append(0, QStringLiteral("first"));
            log.append(2, QStringLiteral("图像保存失败"));
            QVERIFY(log.flush(5000));
            const QStringList lines = readLines(log.filePath());
            QCOMPARE(lines.size(), 2);
            QVERIFY(lines[0].endsWith(QStringLiteral(" Information first")));
            QVERIFY(lines[1].endsWith(QStringLiteral(" Error 图像保存失败")));
        }
        // A new run appends to what the last one wrote.
        VQtLogFile again(dir.path());
        again.append(1, QStringLiteral("second run"));
        QVERIFY(again.flush(5000));
        const QStringList lines = readLines(again.filePath());
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[2].endsWith(QStringLiteral(" Warning second run")));
    }

    // Files never pass the limit; the oldest file is deleted; every line kept is in order.
    void filesRotateAtTheirLimit_data() {
        QTest::addColumn<int>("fileCount");
        QTest::addColumn<int>("lines");
        QTest::newRow("three files") << 3 << 200;
        QTest::newRow("one file") << 1 << 200;
    }

    void filesRotateAtTheirLimit() {
        QFETCH(int, fileCount);
        QFETCH(int, lines);
        const qint64 limit = 1024;
        QTemporaryDir dir;
        VQtLogFile log(dir.path(), limit, fileCount);
        for (int i = 0; i < lines; ++i)
            log.append(0, QStringLiteral("line %1 ").arg(i, 4, 10, QLatin1Char('0')) +
                              QString(20, QLatin1Char('x')));
        QVERIFY(log.flush(5000));

        QStringList files = {log.filePath()};
        for (int n = 1; n < fileCount; ++n)
            files.prepend(log.rotatedPath(n)); // oldest first
        QVERIFY(!QFile::exists(log.rotatedPath(fileCount)));
        QStringList kept;
        for (const QString& f : files) {
            QVERIFY2(QFileInfo(f).size() <= limit, qPrintable(f));
            kept += readLines(f);
        }
        QVERIFY(!kept.isEmpty());
        QVERIFY(kept.last().contains(QStringLiteral("line %1 ").arg(lines - 1, 4, 10, QLatin1Char('0'))));
        // Consecutive numbers up to the newest line: nothing lost inside the kept window.
        const int first = kept.first().section(QLatin1Char(' '), 4, 4).toInt();
        for (int i = 0; i < kept.size(); ++i)
            QVERIFY2(kept[i].contains(QStringLiteral("line %1 ").arg(first + i, 4, 10, QLatin1Char('0'))),
                     qPrintable(kept[i]));
        QVERIFY(kept.size() < lines); // the oldest lines went with the deleted file
    }

    // A path below a plain file can never be a folder, even for root.
    void unwritableFolderWarnsOnce() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        VQtLogFile log(blocker.fileName() + QStringLiteral("/log"));
        QSignalSpy spy(&log, &VQtLogFile::signalOutputInfo);
        log.append(0, QStringLiteral("a"));
        QVERIFY(spy.wait(5000));
        for (int i = 0; i < 50; ++i)
            log.append(0, QStringLiteral("more"));
        QVERIFY(log.flush(5000));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).toInt(), 1);
        QVERIFY(spy.at(0).at(0).toString().contains(QStringLiteral("not-a-folder")));
        QVERIFY(!log.isWritable());
    }

    // The window's log lines go to the file of the Help > Show Log folder, the window's own
    // table unchanged; a language change clears the window but not the file.
    void mainWindowWritesItsLogToTheLogFolder() {
        QFile::remove(QDir::tempPath().remove(QStringLiteral("Temp")) + QStringLiteral("/VionC.ini"));
        g_sysPrm = VQtSystemParam();
        MainWindow window;
        window.languageChanged(1);
        VQtLogFile* log = window.getLogFile();
        QCOMPARE(log->folder(), MainWindow::logFolder());
        const QString marker = QStringLiteral("log check %1").arg(QDateTime::currentMSecsSinceEpoch());
        window.addOutputInfo(marker, 1);
        window.languageChanged(0);
        QCOMPARE(window.getMessageWidget()->outputWidget()->outputModel()->storedCount(), 0);
        QVERIFY(log->flush(5000));
        const QStringList lines = readLines(log->filePath());
        QVERIFY(!lines.isEmpty());
        QVERIFY(lines.last().endsWith(QStringLiteral(" Warning ") + marker));
        window.languageChanged(1);
    }
};

QTEST_MAIN(TestLogFile)
#include "tst_logfile.moc"
