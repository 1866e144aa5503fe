#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>

#include <opencv2/imgcodecs.hpp>

#include <cstring>
#include <vector>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtImageSaver.h"
#include "acquisition/VQtImageThread.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "tests/common/file_size_limit.h"

namespace {

VQtImageParam mono(uint32_t bits, uint32_t w, uint32_t h) {
    VQtImageParam p;
    p.bitDepth = bits;
    p.width = w;
    p.height = h;
    p.deriveLayout();
    return p;
}

void fill(VQtPsCricleBuffer& b, const VQtImageParam& p, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(b.flush(bytes.size(), false));
    b.setImageParam(p);
    ASSERT_TRUE(b.write(bytes.data(), bytes.size(), false));
}

std::vector<uint8_t> noise(size_t n, uint32_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        v[i] = uint8_t(seed >> 24);
    }
    return v;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SafeSave : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList hiddenLeftovers() const {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Hidden)
            .filter(QRegExp(QStringLiteral("^\\.")));
    }
    QTemporaryDir m_dir;
    VQtImageSaveParam m_save;
    VQtPictureOptions m_plain{0, 0, 0, false};
};

// For every format the program writes: a save that fails part-way (the disk fills up) reports
// the path and the reason, and the file it would have replaced keeps every byte.
TEST_F(SafeSave, FailedSaveKeepsTheOldFileInEveryFormat) {
    VQtPsCricleBuffer small, large;
    fill(small, mono(8, 16, 16), noise(256, 1));
    // Noise does not compress: every format needs far more than the limit below.
    fill(large, mono(8, 512, 512), noise(512 * 512, 2));
    m_save.Shift = -1;
    m_save.JpegQuality = 100;
    for (const char* name : {"f.bmp", "f.jpg", "f.png", "f.tif", "f.iim", "f.raw"}) {
        QString error;
        ASSERT_TRUE(vqtSaveImage(path(name), &small, m_save, m_plain, 0, &error)) << error.toStdString();
        const QByteArray before = readAll(path(name));
        ASSERT_FALSE(before.isEmpty()) << name;
        {
            FileSizeLimit limit(64 * 1024);
            ASSERT_TRUE(limit.active());
            EXPECT_FALSE(vqtSaveImage(path(name), &large, m_save, m_plain, 0, &error)) << name;
        }
        EXPECT_TRUE(error.contains(path(name))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("File too large"))) << error.toStdString();
        EXPECT_EQ(readAll(path(name)), before) << name;
    }
    // A conversion that does not apply writes nothing either.
    m_save.SwitchType = 9;
    QString error;
    const QByteArray before = readAll(path("f.png"));
    EXPECT_FALSE(vqtSaveImage(path("f.png"), &large, m_save, m_plain, 0, &error));
    EXPECT_EQ(readAll(path("f.png")), before);
    EXPECT_EQ(hiddenLeftovers(), QStringList());
}

TEST_F(SafeSave, UnknownSuffixAndFolderTargetsAreRefused) {
    VQtPsCricleBuffer b;
    fill(b, mono(8, 4, 4), noise(16, 3));
    QString error;
    EXPECT_FALSE(vqtSaveImage(path("noextension"), &b, m_save, m_plain, 0, &error));
    EXPECT_TRUE(error.contains(path("noextension"))) << error.toStdString();
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("dir.png")));
    EXPECT_FALSE(vqtSaveImage(path("dir.png"), &b, m_save, m_plain, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder"))) << error.toStdString();
    EXPECT_FALSE(vqtSaveImage(path("nodir/x.bmp"), &b, m_save, m_plain, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("No such file or directory"))) << error.toStdString();
}

// One saver for a run of frames: same-sized frames reuse its pictures, and a short frame after
// a full one shows black where its data ends, not the frame before.
TEST_F(SafeSave, ReusedSaverKeepsNothingOfTheFrameBefore) {
    VQtImageSaver saver;
    QString error;
    for (uint32_t packing : {uint32_t(VQT_PACKED_NONE), uint32_t(VQT_PACKED_PAIRS)}) {
        VQtImageParam p = mono(12, 8, 4);
        p.packedType = packing;
        const size_t fullBytes = packing == VQT_PACKED_PAIRS ? 48 : 64;
        VQtPsCricleBuffer full, shortFrame;
        fill(full, p, std::vector<uint8_t>(fullBytes, 0xFF));
        fill(shortFrame, p, std::vector<uint8_t>(fullBytes / 4, 0xFF));
        for (int shift : {4, -1}) {
            m_save.Shift = shift;
            ASSERT_TRUE(saver.save(path("a.png"), &full, m_save, m_plain, 0, &error)) << error.toStdString();
            ASSERT_TRUE(saver.save(path("b.png"), &shortFrame, m_save, m_plain, 0, &error));
            const cv::Mat a = cv::imread(path("a.png").toStdString(), cv::IMREAD_UNCHANGED);
            const cv::Mat b = cv::imread(path("b.png").toStdString(), cv::IMREAD_UNCHANGED);
            ASSERT_EQ(b.size(), cv::Size(8, 4));
            const double top = shift == 4 ? 255 : (packing == VQT_PACKED_PAIRS ? 0xFFF : 0xFFFF);
            EXPECT_EQ(cv::norm(a, cv::NORM_INF), top) << packing << " " << shift;
            EXPECT_EQ(cv::norm(b.row(0), cv::NORM_INF), top) << packing << " " << shift;
            EXPECT_EQ(cv::norm(b.rowRange(1, 4), cv::NORM_INF), 0) << packing << " " << shift;
        }
    }
}

// What the image thread reports: the success names the file, a failure is never a success.
struct Reports {
    QMutex mutex;
    std::vector<std::pair<int, QString>> statuses;
    std::vector<std::pair<QString, int>> messages;
    explicit Reports(VQtImageThread& t) {
        QObject::connect(&t, &VQtImageThread::signalSaveImageStatus, [this](int s, const QString& files) {
            QMutexLocker l(&mutex);
            statuses.emplace_back(s, files);
        });
        QObject::connect(&t, &VQtImageThread::signalOutputInfo, [this](const QString& text, int level) {
            QMutexLocker l(&mutex);
            messages.emplace_back(text, level);
        });
    }
};

int saveOnce(VQtImageThread& t, const QString& target, const VQtImageSaveParam& save) {
    const std::vector<uint8_t> frame = noise(64, 5);
    t.setImageParam(mono(8, 8, 8), save);
    t.saveImage(target);
    for (int i = 0; i < (save.sequenceMode ? save.ImageCount : 1); ++i)
        t.addBuffer(frame.data(), frame.size(), 0);
    return t.join(10000) ? 0 : -1;
}

TEST_F(SafeSave, ThreadReportsFailuresAndNamesWhatItSaved) {
    VQtImageThread t;
    Reports r(t);
    VQtImageSaveParam save;
    ASSERT_EQ(saveOnce(t, path("one.png"), save), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("taken.png")));
    ASSERT_EQ(saveOnce(t, path("taken.png"), save), 0);
    save.sequenceMode = true;
    save.ImageCount = 3;
    save.BeginNumber = 5;
    save.ImageType = 2;
    ASSERT_EQ(saveOnce(t, path("seq"), save), 0);
    // One file of a sequence cannot be written: the others are, and the run is a failure.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("bad-0006.png")));
    ASSERT_EQ(saveOnce(t, path("bad"), save), 0);

    QMutexLocker l(&r.mutex);
    ASSERT_EQ(r.statuses.size(), 4u);
    EXPECT_EQ(r.statuses[0], std::make_pair(1, path("one.png")));
    EXPECT_EQ(r.statuses[1].first, -1);
    EXPECT_EQ(r.statuses[2].first, 1);
    EXPECT_TRUE(r.statuses[2].second.contains(QStringLiteral("seq-0005.png")))
        << r.statuses[2].second.toStdString();
    EXPECT_TRUE(r.statuses[2].second.contains(QStringLiteral("seq-0007.png")));
    EXPECT_EQ(r.statuses[3].first, -1);
    EXPECT_TRUE(QFile::exists(path("bad-0005.png")));
    EXPECT_TRUE(QFile::exists(path("bad-0007.png")));
    ASSERT_EQ(r.messages.size(), 2u);
    for (const auto& [text, level] : r.messages) {
        EXPECT_EQ(level, 2);
        EXPECT_TRUE(text.contains(QStringLiteral("folder"))) << text.toStdString();
    }
    EXPECT_TRUE(r.messages[0].first.contains(path("taken.png")));
    EXPECT_TRUE(r.messages[1].first.contains(path("bad-0006.png")));
}

} // namespace
