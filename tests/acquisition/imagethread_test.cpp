#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <mutex>
#include <opencv2/imgcodecs.hpp>
#include <vector>

#include "acquisition/VQtImageFile.h"
#include "acquisition/VQtImageThread.h"
#include "acquisition/VQtPsCricleBuffer.h"

namespace {

// Records what the thread reports; signals arrive directly on the thread that emits them.
struct Recorder {
    std::mutex mutex;
    std::vector<int> statuses;
    std::vector<std::pair<QString, int>> messages;
    explicit Recorder(VQtImageThread& t) {
        QObject::connect(&t, &VQtImageThread::signalSaveImageStatus, [this](int s) {
            std::lock_guard<std::mutex> l(mutex);
            statuses.push_back(s);
        });
        QObject::connect(&t, &VQtImageThread::signalOutputInfo, [this](const QString& text, int level) {
            std::lock_guard<std::mutex> l(mutex);
            messages.emplace_back(text, level);
        });
    }
};

VQtImageParam monoParam(int w, int h, int bits) {
    VQtImageParam p;
    p.width = w;
    p.height = h;
    p.bitDepth = bits;
    p.storageBits = bits > 8 ? 16 : 8;
    p.channels = 1;
    return p;
}

VQtImageSaveParam sequence(int begin, int count, int type) {
    VQtImageSaveParam s;
    s.sequenceMode = true;
    s.BeginNumber = begin;
    s.ImageCount = count;
    s.ImageType = type;
    return s;
}

// Runs a save of `frames` frames and waits (with a deadline) for the thread to end.
int runSave(VQtImageThread& t, const QString& path, const std::vector<uint8_t>& frame, int frames) {
    Recorder rec(t);
    t.saveImage(path);
    for (int i = 0; i < frames; ++i)
        t.addBuffer(frame.data(), frame.size(), 0);
    EXPECT_TRUE(t.join(10000));
    QObject::disconnect(&t, nullptr, nullptr, nullptr);
    std::lock_guard<std::mutex> l(rec.mutex);
    return rec.statuses.empty() ? 0 : rec.statuses.front();
}

} // namespace

TEST(ImageThreadSequence, NumberedNamesFromBeginNumber) {
    QTemporaryDir dir;
    VQtImageThread t;
    const std::vector<uint8_t> frame(16 * 8, 7);
    t.setImageParam(monoParam(16, 8, 8), sequence(5, 3, 4));
    EXPECT_EQ(runSave(t, dir.path() + "/P", frame, 3), 1);
    for (const char* name : {"P-0005.raw", "P-0006.raw", "P-0007.raw"}) {
        QFileInfo fi(dir.filePath(name));
        EXPECT_TRUE(fi.exists()) << name;
        EXPECT_EQ(fi.size(), 16 * 8);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(t.frameFileName(0), dir.path() + "/P-0005.raw");
    t.setImageParam(monoParam(16, 8, 8), sequence(0, 1, 2));
    t.saveImage(dir.path() + "/Q");
    t.stop();
    EXPECT_EQ(t.frameFileName(12), dir.path() + "/Q-0012.png");
}

TEST(ImageThreadSequence, FramesBeyondTheCountAreNotQueued) {
    QTemporaryDir dir;
    VQtImageThread t;
    const std::vector<uint8_t> frame(64, 1);
    t.setImageParam(monoParam(8, 8, 8), sequence(0, 2, 4));
    EXPECT_EQ(runSave(t, dir.path() + "/S", frame, 5), 1);
    EXPECT_EQ(t.addedCount(), 2u);
    EXPECT_EQ(t.processedCount(), 2u);
    EXPECT_FALSE(t.isSaving());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(ImageThreadSingle, IgnoresImageCountAndUsesThePathAsGiven) {
    QTemporaryDir dir;
    VQtImageThread t;
    VQtImageSaveParam s = sequence(3, 20, 4);
    s.sequenceMode = false;
    const std::vector<uint8_t> frame(8 * 4, 9);
    t.setImageParam(monoParam(8, 4, 8), s);
    EXPECT_EQ(runSave(t, dir.path() + "/one.raw", frame, 1), 1);
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/one.raw"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(t.getRemainImageCount(), 0);
}

TEST(ImageThreadStop, StopDuringSequenceReportsFailureAndDropsQueue) {
    QTemporaryDir dir;
    VQtImageThread t;
    const std::vector<uint8_t> frame(32, 2);
    Recorder rec(t);
    t.setImageParam(monoParam(8, 4, 8), sequence(0, 5, 4));
    t.saveImage(dir.path() + "/X");
    t.addBuffer(frame.data(), frame.size(), 0);
    t.addBuffer(frame.data(), frame.size(), 0);
    EXPECT_TRUE(t.isAddSaving());
    t.stop();
    ASSERT_EQ(rec.statuses.size(), 1u);
    EXPECT_EQ(rec.statuses[0], -1);
    EXPECT_EQ(t.queueLength(), 0);
    EXPECT_FALSE(t.isSaving());
    EXPECT_LE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    // Frames arriving after the stop are ignored.
    t.addBuffer(frame.data(), frame.size(), 0);
    EXPECT_EQ(t.queueLength(), 0);
}

TEST(ImageThreadMemory, GuardReplacesNewestFrameAndCountsIt) {
    VQtImageThread t;
    int memory = 50;
    t.setMemoryProbe([&] { return memory; });
    t.setImageParam(monoParam(4, 1, 8), sequence(0, 1, 4));
    t.startStatistics(4);
    const uint8_t a[4] = {1, 1, 1, 1}, b[4] = {2, 2, 2, 2}, c[4] = {3, 3, 3, 3};
    t.addBuffer(a, 4, 0);
    memory = 95;
    t.addBuffer(b, 4, 0);
    t.addBuffer(c, 4, 0);
    EXPECT_EQ(t.queueLength(), 1);
    EXPECT_EQ(t.addedCount(), 3u);
    VQtPsCricleBuffer* front = t.getFrontPsBuffer();
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->getBuffer()[0], 3);
    delete front;
    EXPECT_EQ(t.getRemainImageCount(), 3);
    EXPECT_EQ(t.getFrontPsBuffer(), nullptr);
    // With an empty queue the guard still lets one frame in.
    t.addBuffer(a, 4, 0);
    EXPECT_EQ(t.queueLength(), 1);
    t.stop();
}

TEST(ImageThreadMemory, MeasuredUseIsAPercentage) {
    const int m = VQtImageThread::memoryUsePercent();
    EXPECT_GT(m, 0);
    EXPECT_LE(m, 100);
}

TEST(ImageThreadMemory, BuffersAreRecycledAcrossRuns) {
    QTemporaryDir dir;
    VQtImageThread t;
    const std::vector<uint8_t> frame(4096, 4);
    t.setImageParam(monoParam(64, 32, 16), sequence(0, 3, 4));
    EXPECT_EQ(runSave(t, dir.path() + "/R", frame, 3), 1);
    const int pooled = t.pooledBuffers();
    EXPECT_GE(pooled, 1);
    t.setImageParam(monoParam(64, 32, 16), sequence(10, 3, 4));
    EXPECT_EQ(runSave(t, dir.path() + "/R", frame, 3), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6);
    QFile f(dir.path() + "/R-0012.raw");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(4096, 4));
}

TEST(ImageThreadConversion, ShiftAndStretchInSavedPictures) {
    QTemporaryDir dir;
    VQtImageThread t;
    std::vector<uint16_t> samples(4 * 2, 0xABC);
    std::vector<uint8_t> frame(reinterpret_cast<uint8_t*>(samples.data()),
                               reinterpret_cast<uint8_t*>(samples.data()) + samples.size() * 2);
    VQtImageSaveParam s;
    s.Shift = 4;
    t.setImageParam(monoParam(4, 2, 12), s);
    EXPECT_EQ(runSave(t, dir.path() + "/shift.png", frame, 1), 1);
    cv::Mat eight = cv::imread((dir.path() + "/shift.png").toStdString(), cv::IMREAD_UNCHANGED);
    ASSERT_FALSE(eight.empty());
    EXPECT_EQ(eight.depth(), CV_8U);
    EXPECT_EQ(eight.at<uchar>(1, 3), 0xAB);

    s.StretchImage = true;
    t.setImageParam(monoParam(4, 2, 12), s);
    EXPECT_EQ(runSave(t, dir.path() + "/stretch.png", frame, 1), 1);
    cv::Mat sixteen = cv::imread((dir.path() + "/stretch.png").toStdString(), cv::IMREAD_UNCHANGED);
    ASSERT_FALSE(sixteen.empty());
    EXPECT_EQ(sixteen.depth(), CV_16U);
    EXPECT_EQ(sixteen.at<uint16_t>(0, 0), 0xABC0);
}

TEST(ImageThreadOpen, BadFilesFailWithMessage) {
    QTemporaryDir dir;
    VQtImageThread t;
    Recorder rec(t);
    VQtPsCricleBuffer buffer;
    EXPECT_FALSE(t.openImage(dir.path() + "/missing.png", &buffer));
    QFile junk(dir.path() + "/junk.png");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    EXPECT_FALSE(t.openImage(junk.fileName(), &buffer));
    QFile empty(dir.path() + "/empty.bmp");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_FALSE(t.openImage(empty.fileName(), &buffer));
    QFile shortIim(dir.path() + "/short.IIM");
    ASSERT_TRUE(shortIim.open(QIODevice::WriteOnly));
    shortIim.write("abc");
    shortIim.close();
    EXPECT_FALSE(t.openImage(shortIim.fileName(), &buffer));
    // A raw file that is not there, or a folder, is refused before anyone is asked about it.
    bool asked = false;
    t.setRawParamProvider([&asked](const QString&, VQtImageParam&, uint64_t&) { return asked = true; });
    EXPECT_FALSE(t.openImage(dir.path() + "/x.raw", &buffer));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.raw"));
    EXPECT_FALSE(t.openImage(dir.path() + "/folder.raw", &buffer));
    EXPECT_FALSE(asked);
    // One error line per file, naming it and the reason.
    const QStringList names = {"missing.png", "junk.png", "empty.bmp", "short.IIM", "x.raw", "folder.raw"};
    ASSERT_EQ(rec.messages.size(), size_t(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        const QString& text = rec.messages[size_t(i)].first;
        EXPECT_EQ(rec.messages[size_t(i)].second, 2);
        EXPECT_TRUE(text.startsWith(QStringLiteral("Failed to load image: "))) << text.toStdString();
        EXPECT_TRUE(text.contains(dir.path() + "/" + names[i])) << text.toStdString();
    }
    EXPECT_TRUE(rec.messages.back().first.contains(QStringLiteral("folder")));
    EXPECT_FALSE(rec.messages.back().first.contains(QStringLiteral("allocate")));
}

// A short ".iim" opens (the missing tail shows black) and the log says how much is missing.
TEST(ImageThreadOpen, ShortIimTellsTheMissingBytes) {
    QTemporaryDir dir;
    VQtImageParam p = monoParam(8, 4, 8);
    uint8_t header[44];
    VQtImageHeader::fromParam(p).toBytes(header);
    QFile f(dir.path() + "/short.iim");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(header), 44);
    f.write(QByteArray(20, 1));
    f.close();
    VQtImageThread t;
    Recorder rec(t);
    VQtPsCricleBuffer buffer;
    ASSERT_TRUE(t.openImage(f.fileName(), &buffer));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].second, 1);
    EXPECT_TRUE(rec.messages[0].first.contains(f.fileName()));
    EXPECT_TRUE(rec.messages[0].first.contains(QStringLiteral("12 bytes fewer")))
        << rec.messages[0].first.toStdString();
}

TEST(ImageThreadOpen, PictureAndRawRoundTrip) {
    QTemporaryDir dir;
    cv::Mat picture(3, 5, CV_8UC3, cv::Scalar(1, 2, 3));
    const QString png = dir.path() + "/c.png";
    ASSERT_TRUE(cv::imwrite(png.toStdString(), picture));
    VQtImageThread t;
    VQtPsCricleBuffer buffer;
    ASSERT_TRUE(t.openImage(png, &buffer));
    EXPECT_EQ(t.getImageParam().width, 5u);
    EXPECT_EQ(t.getImageParam().channels, 3u);
    EXPECT_EQ(buffer.getBufferSize(), 45u);

    QFile raw(dir.path() + "/m.raw");
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(QByteArray(10, 'x') + QByteArray(12, 'y'));
    raw.close();
    t.setRawParamProvider([](const QString&, VQtImageParam& p, uint64_t& start) {
        p.width = 4;
        p.height = 3;
        start = 10;
        return true;
    });
    ASSERT_TRUE(t.openImage(raw.fileName(), &buffer));
    EXPECT_EQ(t.getImageParam().height, 3u);
    EXPECT_EQ(buffer.getBuffer()[0], uint8_t('y'));
}
