// The correction-table transfer against simulated cameras that store and apply the tables: a
// look-up table written, read back and seen in the picture; the alternate feature names;
// defect lists added, read and removed, with the camera refusing some; flat-field tables;
// the questions on failed entries; and the feature names chosen per camera.
#include <QPoint>
#include <gtest/gtest.h>
#include <vector>

#include "device/sim/SimCamera.h"
#include "display/VQtCurveMath.h"
#include "service_helpers.h"
#include "tools/VQtPreProcessThread.h"
#include "tools/VQtWorkerJoin.h"

namespace {

const char kCameras[] = R"json({"cameras": [
  {"interface": "PCIe", "model": "VP-T", "width": 64, "height": 48, "sensorWidth": 64,
   "sensorHeight": 48, "pixelFormats": ["Mono8", "Mono12"], "pixelFormat": "Mono12"},
  {"interface": "PCIe", "model": "VP-A", "width": 64, "height": 48, "sensorWidth": 64,
   "sensorHeight": 48, "tableFeatures": "alternate"}]})json";

class PreProcess : public ::testing::Test {
protected:
    void SetUp() override { useSimDevices(kCameras); }
    void TearDown() override {
        thread.reset();
        dev.reset();
        OxaManTerminate();
    }
    void open(const char* model) {
        dev = openCamera(model, VQT_DEVICE_PCIEVISION);
        thread.reset(new VQtPreProcessThread(dev.get()));
        QObject::connect(
            thread.get(), &VQtPreProcessThread::signalMessagebox, thread.get(),
            [this](const QString& text) {
                questions << text;
                thread->setContinueMessage(answers.isEmpty() ? false : answers.takeFirst());
            },
            Qt::DirectConnection);
        QObject::connect(
            thread.get(), &VQtPreProcessThread::signalAddRemoveSuccess, thread.get(),
            [this](bool ok, const QPoint& p) { reported << qMakePair(ok, p); }, Qt::DirectConnection);
        QObject::connect(
            thread.get(), &VQtPreProcessThread::signalThreadExit, thread.get(),
            [this](bool ok) { result = ok; }, Qt::DirectConnection);
    }
    bool run(int kind, VQT_PREPROCESS_TYPE op, const QVector<QPoint>& entries = {}) {
        result = false;
        thread->addVector(entries);
        thread->startThread(kind, op);
        EXPECT_TRUE(VQtWorkerJoin::join(thread.get(), 60000));
        return result;
    }
    std::unique_ptr<VQtDevice> dev;
    std::unique_ptr<VQtPreProcessThread> thread;
    QStringList questions;
    QList<bool> answers;
    QList<QPair<bool, QPoint>> reported;
    bool result = false;
};

} // namespace

TEST_F(PreProcess, LookUpTableRoundTripIsAppliedToThePicture) {
    open("VP-T");
    const QVector<QPoint> gamma = VQtCurveMath::createGamma(4096, 0.45);
    ASSERT_TRUE(run(VQT_TABLE_LUT, VQT_PREPROCESS_WRITE, gamma));
    EXPECT_TRUE(questions.isEmpty());
    ASSERT_TRUE(run(VQT_TABLE_LUT, VQT_PREPROCESS_READ));
    EXPECT_EQ(thread->getVector(), gamma); // count from the index maximum: no count feature
    EXPECT_TRUE(thread->getFeatureList().contains(QStringLiteral("LUTValue")));

    // A 12-bit ramp through the table: every pixel shows the table's value of its column.
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("TestPattern"), QStringLiteral("GreyHorizontalRamp")));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("LUTEnable"), true));
    std::shared_ptr<SimCamera> camera = simCamera(dev.get());
    SimFrameFormat f = camera->frameFormat();
    ASSERT_EQ(f.packedType, 0u);
    ASSERT_EQ(f.bitDepth, 12u);
    std::vector<uint16_t> frame(size_t(f.width) * f.height);
    ASSERT_GT(camera->renderFrame(0, reinterpret_cast<uint8_t*>(frame.data()), frame.size() * 2, &f), 0u);
    for (int x = 0; x < int(f.width); ++x)
        EXPECT_EQ(frame[size_t(5) * f.width + x], gamma[x].y()) << x;
}

TEST_F(PreProcess, AlternateNamesCommitWithTheWriteCommand) {
    open("VP-A");
    EXPECT_EQ(thread->names().name(VQtPreProcessNames::LutCount), QStringLiteral("LUTTotal"));
    EXPECT_EQ(thread->names().name(VQtPreProcessNames::LutWriteIndex), QStringLiteral("LUTWriteIndex"));
    EXPECT_EQ(thread->names().name(VQtPreProcessNames::LutIndex), QStringLiteral("LUTReadIndex"));
    EXPECT_EQ(thread->names().name(VQtPreProcessNames::FfcEnable), QStringLiteral("FF_Enable"));
    EXPECT_EQ(g_preEnable.ffc, QStringLiteral("FF_Enable"));
    QVector<QPoint> inverse;
    for (int i = 0; i < 4096; ++i)
        inverse << QPoint(i, 4095 - i);
    ASSERT_TRUE(run(VQT_TABLE_LUT, VQT_PREPROCESS_WRITE, inverse));
    ASSERT_TRUE(run(VQT_TABLE_LUT, VQT_PREPROCESS_READ));
    EXPECT_EQ(thread->getVector(), inverse);

    QVector<QPoint> ffc;
    for (int i = 0; i < 64; ++i)
        ffc << QPoint(i, 1024 + i);
    ASSERT_TRUE(run(VQT_TABLE_FFC, VQT_PREPROCESS_WRITE, ffc));
    ASSERT_TRUE(run(VQT_TABLE_FFC, VQT_PREPROCESS_READ));
    EXPECT_EQ(thread->getVector(), ffc);
    VQtTableLimits limits;
    ASSERT_TRUE(thread->tableLimits(VQT_TABLE_FFC, &limits));
    EXPECT_EQ(limits.count, 64);
    ASSERT_TRUE(thread->tableLimits(VQT_TABLE_LUT, &limits));
    EXPECT_EQ(limits.count, 4096);
    EXPECT_EQ(limits.valueMax, 4095);
}

TEST_F(PreProcess, DefectListsAddReadAndRemove) {
    open("VP-T");
    const QVector<QPoint> defects{{1, 2}, {10, 20}, {63, 47}};
    ASSERT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_WRITE, defects));
    ASSERT_EQ(reported.size(), 3);
    EXPECT_TRUE(reported[0].first && reported[2].second == QPoint(63, 47));
    ASSERT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_READ));
    EXPECT_EQ(thread->getVector(), defects);

    // Removal walks backwards and reports each.
    reported.clear();
    ASSERT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_REMOVE, {{1, 2}, {63, 47}}));
    ASSERT_EQ(reported.size(), 2);
    EXPECT_EQ(reported[0].second, QPoint(63, 47));
    ASSERT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_READ));
    EXPECT_EQ(thread->getVector(), QVector<QPoint>{QPoint(10, 20)});
}

TEST_F(PreProcess, RefusedDefectsAskUnlessThereIsOnlyOne) {
    open("VP-T");
    // One defect outside the sensor: no question, no report, the run fails.
    EXPECT_FALSE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_WRITE, {{100, 2}}));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(reported.isEmpty());

    // Among several: asked; going on reports the failure and moves to the next.
    answers = {true};
    EXPECT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_WRITE, {{1, 1}, {100, 2}, {3, 3}}));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("Add row=2 column= 100 failure,Whether or not to continue?"));
    ASSERT_EQ(reported.size(), 3);
    EXPECT_FALSE(reported[1].first);
    EXPECT_TRUE(reported[2].first);

    // Declining stops there.
    questions.clear();
    reported.clear();
    answers = {false};
    EXPECT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_WRITE, {{5, 5}, {100, 2}, {6, 6}}));
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(reported.size(), 1);
    ASSERT_TRUE(run(VQT_TABLE_DEFECT, VQT_PREPROCESS_READ));
    EXPECT_EQ(thread->getVector(), (QVector<QPoint>{{1, 1}, {3, 3}, {5, 5}}));
    // Where a defect stands in the list is told for cameras on boards and GigE Vision only.
    EXPECT_EQ(thread->getDefectPixelIndex(QPoint(3, 3)), -1);
}

TEST_F(PreProcess, RefusedTableEntriesAreRetriedOrStopped) {
    open("VP-T");
    // The flat-field value feature takes 0 .. 2^31-1: a negative value fails at the camera.
    answers = {true, false};
    EXPECT_TRUE(run(VQT_TABLE_FFC, VQT_PREPROCESS_WRITE, {{0, 2000}, {1, -5}, {2, 3000}}));
    ASSERT_EQ(questions.size(), 2); // retried once, then declined
    EXPECT_EQ(
        questions[0],
        QStringLiteral("Set Flat Field Index=1 and Flat Field Value=-5 failure,Whether or not to continue?"));
    ASSERT_TRUE(run(VQT_TABLE_FFC, VQT_PREPROCESS_READ));
    const QVector<QPoint> read = thread->getVector();
    ASSERT_EQ(read.size(), 64);
    EXPECT_EQ(read[0].y(), 2000);
    EXPECT_EQ(read[2].y(), 1024); // never written
}
