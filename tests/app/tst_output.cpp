#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "app/VQtMessageWidget.h"
#include "app/VQtOutputModel.h"
#include "app/VQtOutputWidget.h"

class TestOutput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<Qt::Orientation>(); }
    void levelTexts_data();
    void levelTexts();
    void modelStaysConsistentForViews();
    void rowCapAndClear();
    void linesAppearOnlyWithTheRefresh();
    void followTailAndScrolledUpView();
    void selectionKeptAcrossRefresh();
    void languageRelabelsShownLines();
    void panelForwardsAndCloses();
};

static QString text(const QAbstractItemModel* m, int row, int column, int role = Qt::DisplayRole) {
    return m->data(m->index(row, column), role).toString();
}

void TestOutput::levelTexts_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    QTest::addColumn<bool>("hasIcon");
    QTest::newRow("information") << 0 << "Information" << QStringLiteral("信息") << true;
    QTest::newRow("warning") << 1 << "Warning" << QStringLiteral("警告") << true;
    QTest::newRow("error") << 2 << "Error" << QStringLiteral("错误") << true;
    QTest::newRow("three") << 3 << ""
                           << "" << false;
    QTest::newRow("negative") << -1 << ""
                              << "" << false;
    QTest::newRow("huge") << 1000000 << ""
                          << "" << false;
}

void TestOutput::levelTexts() {
    QFETCH(int, level);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    QFETCH(bool, hasIcon);
    VQtOutputWidget view;
    view.addInfo(QStringLiteral("line"), static_cast<VQT_OUTPUT_STATUS>(level));
    view.slotRefresh();
    const QAbstractItemModel* m = view.model();
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(text(m, 0, 0), english);
    QCOMPARE(text(m, 0, 2), QStringLiteral("line"));
    QCOMPARE(m->data(m->index(0, 0), Qt::DecorationRole).isValid(), hasIcon);
    QVERIFY(!m->data(m->index(0, 1), Qt::DecorationRole).isValid());
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"))
                .match(text(m, 0, 1))
                .hasMatch());
    view.retranslateUi(true);
    QCOMPARE(text(m, 0, 0), chinese);
}

void TestOutput::modelStaysConsistentForViews() {
    VQtOutputModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 50; ++i)
        model.addOutputMessage({i % 4, QStringLiteral("t"), QString::number(i)});
    QCOMPARE(model.rowCount(), 0); // not published yet
    model.refresh();
    QCOMPARE(model.rowCount(), 50);
    QCOMPARE(model.columnCount(), 3);
    QVERIFY(!model.index(50, 0).isValid());
    QVERIFY(!model.index(0, 3).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    model.setChinese(true);
    model.setChinese(false);
    model.clearMessages();
    QCOMPARE(model.rowCount(), 0);
    model.addOutputMessage({0, QStringLiteral("t"), QStringLiteral("again")});
    model.refresh();
    QCOMPARE(text(&model, 0, 2), QStringLiteral("again"));
}

void TestOutput::rowCapAndClear() {
    VQtOutputWidget view;
    VQtOutputModel* model = view.outputModel();
    const VQtOutputMessage filler{0, QStringLiteral("t"), QStringLiteral("fill")};
    for (int i = 0; i < VQtOutputModel::MaxRows - 1; ++i)
        QVERIFY(model->addOutputMessage(filler));
    view.addInfo(QStringLiteral("last kept"), VQT_OUTPUT_WARNING);
    view.slotRefresh();
    QCOMPARE(model->rowCount(), 100000);
    QCOMPARE(text(model, 99999, 2), QStringLiteral("last kept"));

    view.addInfo(QStringLiteral("dropped"), VQT_OUTPUT_ERROR);
    QVERIFY(!view.isDirty());
    QVERIFY(!model->addOutputMessage(filler));
    view.slotRefresh();
    QCOMPARE(model->rowCount(), 100000);
    QCOMPARE(text(model, 99999, 2), QStringLiteral("last kept"));

    // The context menu's entry empties the table; the next line is the first row.
    view.clearAction()->trigger();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->storedCount(), 0);
    view.addInfo(QStringLiteral("first"), VQT_OUTPUT_INFO);
    view.slotRefresh();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(text(model, 0, 2), QStringLiteral("first"));
}

void TestOutput::linesAppearOnlyWithTheRefresh() {
    VQtOutputWidget view;
    QSignalSpy resets(view.model(), &QAbstractItemModel::modelReset);
    for (int i = 0; i < 500; ++i)
        view.addInfo(QString::number(i), VQT_OUTPUT_INFO);
    QCOMPARE(view.model()->rowCount(), 0);
    QVERIFY(view.isDirty());
    // The 200 ms timer publishes them all at once.
    QTRY_COMPARE_WITH_TIMEOUT(view.model()->rowCount(), 500, 3000);
    QCOMPARE(resets.count(), 1);
    QVERIFY(!view.isDirty());
    // Nothing new: no further reset.
    QTest::qWait(3 * VQtOutputWidget::RefreshPeriodMs);
    QCOMPARE(resets.count(), 1);
}

void TestOutput::followTailAndScrolledUpView() {
    VQtOutputWidget view;
    view.resize(500, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QScrollBar* bar = view.verticalScrollBar();
    for (int i = 0; i < 200; ++i)
        view.addInfo(QString::number(i), VQT_OUTPUT_INFO);
    view.slotRefresh();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(view.isFollowingTail());

    // The user scrolls up: new lines leave the view where it is.
    bar->setValue(10);
    QVERIFY(!view.isFollowingTail());
    for (int i = 0; i < 50; ++i)
        view.addInfo(QStringLiteral("more"), VQT_OUTPUT_INFO);
    view.slotRefresh();
    QCOMPARE(view.model()->rowCount(), 250);
    QCOMPARE(bar->value(), 10);
    QVERIFY(!view.isFollowingTail());

    // Back at the bottom: following resumes.
    bar->setValue(bar->maximum());
    QVERIFY(view.isFollowingTail());
    const int oldMax = bar->maximum();
    for (int i = 0; i < 50; ++i)
        view.addInfo(QStringLiteral("tail"), VQT_OUTPUT_INFO);
    view.slotRefresh();
    QVERIFY(bar->maximum() > oldMax);
    QCOMPARE(bar->value(), bar->maximum());
}

void TestOutput::selectionKeptAcrossRefresh() {
    VQtOutputWidget view;
    view.resize(500, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 5; ++i)
        view.addInfo(QString::number(i), VQT_OUTPUT_INFO);
    view.slotRefresh();
    const QRect rowRect = view.visualRect(view.model()->index(2, 2));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rowRect.center());
    QCOMPARE(view.selectedRow(), 2);
    view.addInfo(QStringLiteral("next"), VQT_OUTPUT_INFO);
    view.slotRefresh();
    const QModelIndexList rows = view.selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().row(), 2);
}

void TestOutput::languageRelabelsShownLines() {
    VQtOutputWidget view;
    view.addInfo(QStringLiteral("a"), VQT_OUTPUT_ERROR);
    view.slotRefresh();
    QAbstractItemModel* m = view.model();
    QSignalSpy headers(m, &QAbstractItemModel::headerDataChanged);
    QSignalSpy cells(m, &QAbstractItemModel::dataChanged);
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Message"));
    QCOMPARE(view.clearAction()->text(), QStringLiteral("Clear"));

    view.retranslateUi(true);
    QCOMPARE(headers.count(), 1);
    QCOMPARE(cells.count(), 1);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("级别"));
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("时间"));
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("消息"));
    QCOMPARE(text(m, 0, 0), QStringLiteral("错误"));
    QCOMPARE(view.clearAction()->text(), QStringLiteral("清除"));

    view.retranslateUi(false);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Level"));
    QCOMPARE(text(m, 0, 0), QStringLiteral("Error"));
    QCOMPARE(text(m, 0, 2), QStringLiteral("a"));
}

void TestOutput::panelForwardsAndCloses() {
    QWidget host;
    auto* panel = new VQtMessageWidget(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    auto* output = host.findChild<VQtOutputWidget*>(QStringLiteral("widgetOutput"));
    QVERIFY(output);
    panel->addInfo(QStringLiteral("w"), 1);
    panel->addInfo(QStringLiteral("odd"), 9);
    output->slotRefresh();
    QCOMPARE(output->model()->rowCount(), 2);
    QCOMPARE(text(output->model(), 0, 0), QStringLiteral("Warning"));
    QCOMPARE(text(output->model(), 1, 0), QString());

    panel->retranslateUi(true);
    QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("labelTitle"))->text(), QStringLiteral("输出信息"));
    panel->retranslateUi(false);
    QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("labelTitle"))->text(),
             QStringLiteral("Output Message"));

    panel->clear();
    QCOMPARE(output->model()->rowCount(), 0);

    QSignalSpy closed(panel, &VQtMessageWidget::signalPanelClosed);
    auto* close = panel->findChild<QPushButton*>(QStringLiteral("pushButtonClose"));
    QVERIFY(close);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(closed.count(), 1);
}

// The application is kept until the process ends: destroying it makes the offscreen platform
// leave its screen objects behind, which the leak checker reports.
int main(int argc, char** argv) {
    auto* app = new QApplication(argc, argv);
    Q_UNUSED(app);
    TestOutput test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_output.moc"
