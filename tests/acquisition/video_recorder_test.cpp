// How a recording runs and ends: queue, pacing, memory guard, numbered files, size limits and
// failed writes. Every end leaves files that decode completely.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <thread>

#include "acquisition/VQtMemoryInfo.h"
#include "h264_helpers.h"
#include "video_helpers.h"

namespace {
constexpr int kW = 320, kH = 240;
constexpr unsigned long kDeadlineMs = 60000;

std::vector<uint8_t> greyFrame(int index) {
    return matBytes(sceneGrey(kW, kH, index));
}

// Pictures the decoder gets from a file, or -1 when it reports damage.
int decodedPictures(const QString& path) {
    const DecodedVideo v = decodeH264(path);
    if (!v.opened || v.errors > 0)
        return -1;
    EXPECT_EQ(summariseH264(readFileBytes(path)).pictures, int(v.luma.size())) << path.toStdString();
    return int(v.luma.size());
}

// Waits, with a deadline, until `done` holds.
template <typename F> bool waitUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDeadlineMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The process's file size limit for one test; SIGXFSZ ignored so that a write beyond it fails
// with EFBIG instead of ending the process.
class FileSizeLimit {
public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    bool set(uint64_t bytes) {
        struct rlimit rl = m_saved;
        rl.rlim_cur = rlim_t(bytes);
        return setrlimit(RLIMIT_FSIZE, &rl) == 0;
    }
    void lift() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    struct rlimit m_saved;
    void (*m_handler)(int);
};

} // namespace

TEST(VideoRecording, CloseEncodesEveryQueuedFrame) {
    QTemporaryDir dir;
    const QString path = dir.filePath("all.h264");
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    VideoListener listener(recorder);
    recorder.setRecordAll(true);
    ASSERT_TRUE(recorder.openX264(path, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
    EXPECT_TRUE(recorder.isSavingX264());
    // Queued as fast as a callback can, then closed at once: the close waits for all of them.
    const int n = 40;
    for (int i = 0; i < n; ++i)
        ASSERT_TRUE(recorder.addBuffer(greyFrame(i).data(), size_t(kW) * kH, 0));
    recorder.closeX264();
    EXPECT_FALSE(recorder.isSavingX264());
    EXPECT_EQ(listener.codesNow(), (std::vector<int>{VQT_VIDEO_STARTED, VQT_VIDEO_SAVED}));
    EXPECT_EQ(decodedPictures(path), n);
    EXPECT_EQ(listener.linesWith(QStringLiteral("holds 40 frames")), 1);
    // No temporary file stays behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"all.h264"});
    // A closed recorder takes no frame.
    EXPECT_FALSE(recorder.addBuffer(greyFrame(0).data(), size_t(kW) * kH, 0));
}

TEST(VideoRecording, StopWhileFramesArriveKeepsEveryTakenFrame) {
    QTemporaryDir dir;
    const QString path = dir.filePath("removed.h264");
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    recorder.setRecordAll(true);
    ASSERT_TRUE(recorder.openX264(path, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
    // A callback thread keeps delivering while the stream's stop closes the recording, as when
    // the device goes away.
    std::atomic<int> taken{0};
    std::atomic<bool> stop{false};
    const std::vector<uint8_t> frame = greyFrame(1);
    std::thread producer([&] {
        while (!stop)
            taken += recorder.addBuffer(frame.data(), frame.size(), 0) ? 1 : 0;
    });
    ASSERT_TRUE(waitUntil([&] { return taken >= 10; }));
    recorder.closeX264();
    stop = true;
    producer.join();
    EXPECT_EQ(decodedPictures(path), taken.load());
}

TEST(VideoRecording, PacingTakesFramesAtTheFrameRate) {
    QTemporaryDir dir;
    const QString path = dir.filePath("paced.h264");
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    VideoListener listener(recorder);
    // One frame a second: a burst takes its first frame only, and the log says why.
    ASSERT_TRUE(recorder.openX264(path, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 1.0));
    const std::vector<uint8_t> frame = greyFrame(0);
    int taken = 0;
    for (int i = 0; i < 20; ++i)
        taken += recorder.addBuffer(frame.data(), frame.size(), 0);
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(recorder.skippedFrames(), 19u);
    EXPECT_EQ(listener.linesWith(QStringLiteral("faster than 1 per second")), 1);
    recorder.closeX264();
    EXPECT_EQ(decodedPictures(path), 1);
    EXPECT_EQ(listener.linesWith(QStringLiteral("19 frames were left out")), 1);
}

TEST(VideoRecording, MemoryGuardClosesTheFileWholeAndHalvesTheRate) {
    QTemporaryDir dir;
    const QString path = dir.filePath("memory.h264");
    VQtVideoX264 recorder;
    VideoListener listener(recorder);
    std::atomic<int> memory{50};
    recorder.setMemoryProbe([&] { return memory.load(); });
    recorder.setRecordAll(true);
    ASSERT_TRUE(recorder.openX264(path, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 20.0));
    for (int i = 0; i < 15; ++i)
        ASSERT_TRUE(recorder.addBuffer(greyFrame(i).data(), size_t(kW) * kH, 0));
    // Above 90 percent the first offered frame is refused and the recording ends with 2, after
    // encoding what was queued.
    memory = 91;
    EXPECT_FALSE(recorder.addBuffer(greyFrame(0).data(), size_t(kW) * kH, 0));
    ASSERT_TRUE(recorder.wait(kDeadlineMs));
    EXPECT_EQ(listener.codesNow(), (std::vector<int>{VQT_VIDEO_STARTED, VQT_VIDEO_OUT_OF_MEMORY}));
    EXPECT_FALSE(recorder.isSavingX264());
    EXPECT_EQ(decodedPictures(path), 15);
    // The stream goes on in the next numbered file at half the frame rate.
    memory = 50;
    ASSERT_TRUE(recorder.addX264(VQT_VIDEO_OUT_OF_MEMORY));
    EXPECT_EQ(recorder.currentFile(), dir.filePath("memory_1.h264"));
    EXPECT_DOUBLE_EQ(recorder.frameRate(), 10.0);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(recorder.addBuffer(greyFrame(i).data(), size_t(kW) * kH, 0));
    recorder.closeX264();
    const DecodedVideo second = decodeH264(recorder.currentFile());
    EXPECT_EQ(second.luma.size(), 5u);
    EXPECT_DOUBLE_EQ(second.frameRate, 10.0);
    // Halving stops at one frame a second.
    recorder.setMemoryProbe([] { return 95; });
    ASSERT_TRUE(recorder.openX264(dir.filePath("slow.h264"), frameLayout(VQT_FRAME_MONO, kW, kH, 8), 1.5));
    EXPECT_FALSE(recorder.addBuffer(greyFrame(0).data(), size_t(kW) * kH, 0));
    ASSERT_TRUE(recorder.wait(kDeadlineMs));
    // Nothing was taken, so no empty file is left; the next one still starts.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("slow.h264")));
    recorder.setMemoryProbe([] { return 10; });
    ASSERT_TRUE(recorder.addX264(VQT_VIDEO_OUT_OF_MEMORY));
    EXPECT_DOUBLE_EQ(recorder.frameRate(), 1.0);
    recorder.closeX264();
}

TEST(VideoRecording, NumberedFilesSkipExistingOnes) {
    QTemporaryDir dir;
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    ASSERT_TRUE(recorder.openX264(dir.filePath("run.h264"), frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
    recorder.closeX264();
    QFile existing(dir.filePath("run_1.h264"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_EQ(recorder.getCurrentFileName(), dir.filePath("run_2.h264"));
    EXPECT_EQ(recorder.getCurrentFileName(), dir.filePath("run_3.h264"));
    // A name without the ending gets the number after the whole name.
    ASSERT_TRUE(recorder.openX264(dir.filePath("take"), frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
    recorder.closeX264();
    EXPECT_EQ(recorder.getCurrentFileName(), dir.filePath("take_1.h264"));
}

TEST(VideoRecording, FailuresToStartAreNamed) {
    QTemporaryDir dir;
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    VideoListener listener(recorder);
    const QString missing = dir.filePath("no/such/folder/a.h264");
    EXPECT_FALSE(recorder.openX264(missing, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
    VQtImageParam twoChannels = frameLayout(VQT_FRAME_MONO, kW, kH, 8);
    twoChannels.channels = 2;
    EXPECT_FALSE(recorder.openX264(dir.filePath("b.h264"), twoChannels, 30.0));
    EXPECT_FALSE(recorder.openX264(dir.filePath("c.h264"), frameLayout(VQT_FRAME_MONO, 0, kH, 8), 30.0));
    EXPECT_FALSE(recorder.isSavingX264());
    EXPECT_EQ(listener.linesWith(QStringLiteral("Failed to create video file")), 3);
    EXPECT_EQ(listener.linesWith(missing), 1);
    EXPECT_EQ(listener.linesWith(QStringLiteral("2 channels")), 1);
    EXPECT_TRUE(listener.codesNow().empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(VideoFiles, SizeLimitContinuesInNumberedFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath("limit.h264");
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    VideoListener listener(recorder);
    recorder.setRecordAll(true);
    // Noise: each frame costs tens of kilobytes, so a few fill a file.
    std::vector<std::vector<uint8_t>> frames;
    cv::RNG rng(7);
    for (int i = 0; i < 30; ++i) {
        cv::Mat noise(kH, kW, CV_8UC1);
        rng.fill(noise, cv::RNG::UNIFORM, 0, 256);
        frames.push_back(matBytes(noise));
    }
    const uint64_t limit = 400 * 1024;
    {
        FileSizeLimit fsize;
        ASSERT_TRUE(fsize.set(limit));
        ASSERT_TRUE(recorder.openX264(path, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
        // Each file ends before the limit; the frames still queued go on in the next one, which
        // the test starts as the stream does after code 3 (offering again what a file that was
        // ending refused).
        size_t offered = 0;
        uint32_t inEarlierFiles = 0;
        int files = 1;
        while (true) {
            while (offered < frames.size() &&
                   recorder.addBuffer(frames[offered].data(), frames[offered].size(), 0))
                ++offered;
            ASSERT_TRUE(waitUntil([&] {
                return recorder.status() == VQT_VIDEO_FILE_TOO_LARGE ||
                       (offered == frames.size() &&
                        inEarlierFiles + recorder.writtenFrames() == frames.size());
            }));
            if (recorder.status() != VQT_VIDEO_FILE_TOO_LARGE)
                break;
            ASSERT_TRUE(recorder.wait(kDeadlineMs));
            inEarlierFiles += recorder.writtenFrames();
            ASSERT_LT(files, 30);
            ASSERT_TRUE(recorder.addX264(VQT_VIDEO_FILE_TOO_LARGE));
            ++files;
        }
        recorder.closeX264();
        ASSERT_GE(files, 2);
    }
    int total = 0;
    QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QString file = dir.filePath(name);
        SCOPED_TRACE(name.toStdString());
        EXPECT_LE(uint64_t(QFileInfo(file).size()), limit);
        const int pictures = decodedPictures(file);
        EXPECT_GT(pictures, 0);
        total += pictures;
    }
    EXPECT_EQ(total, 30);
    EXPECT_TRUE(names.contains("limit.h264") && names.contains("limit_1.h264"));
    EXPECT_GE(listener.linesWith(QStringLiteral("largest file")), 1);
}

TEST(VideoFiles, FailedWriteKeepsWholeFramesAndEarlierFiles) {
    QTemporaryDir dir;
    const QString first = dir.filePath("disk.h264");
    VQtVideoX264 recorder;
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    VideoListener listener(recorder);
    recorder.setRecordAll(true);
    ASSERT_TRUE(recorder.openX264(first, frameLayout(VQT_FRAME_MONO, kW, kH, 8), 30.0));
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(recorder.addBuffer(greyFrame(i).data(), size_t(kW) * kH, 0));
    recorder.closeX264();
    const std::vector<uint8_t> firstBytes = readFileBytes(first);
    ASSERT_FALSE(firstBytes.empty());

    // The second file fills until the disk refuses (here: the file size limit, a limit the
    // recorder did not know when the file was opened).
    ASSERT_TRUE(recorder.addX264(VQT_VIDEO_SAVED));
    const QString second = recorder.currentFile();
    EXPECT_EQ(second, dir.filePath("disk_1.h264"));
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(recorder.addBuffer(greyFrame(i).data(), size_t(kW) * kH, 0));
    ASSERT_TRUE(waitUntil([&] { return recorder.writtenFrames() == 6; }));
    {
        FileSizeLimit fsize;
        ASSERT_TRUE(fsize.set(4096));
        ASSERT_TRUE(recorder.addBuffer(greyFrame(6).data(), size_t(kW) * kH, 0));
        ASSERT_TRUE(recorder.wait(kDeadlineMs));
    }
    EXPECT_EQ(recorder.status(), VQT_VIDEO_WRITE_FAILED);
    EXPECT_EQ(listener.codesNow().back(), VQT_VIDEO_WRITE_FAILED);
    EXPECT_EQ(listener.linesWith(second + ": File too large"), 1);
    // Every frame written before the failure is in the named file, which decodes cleanly; the
    // first file is untouched.
    EXPECT_EQ(decodedPictures(second), 6);
    EXPECT_EQ(readFileBytes(first), firstBytes);
    // With room again the recording continues in the next file.
    ASSERT_TRUE(recorder.addX264(VQT_VIDEO_WRITE_FAILED));
    EXPECT_EQ(recorder.currentFile(), dir.filePath("disk_2.h264"));
    recorder.closeX264();
    // That file took no frame before the close, so it was not made.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"disk.h264", "disk_1.h264"}));
}

TEST(VideoMemory, UsePercentFromMeminfo) {
    const char modern[] = "MemTotal:       1000 kB\nMemFree:         100 kB\nMemAvailable:    250 kB\n"
                          "Buffers:          50 kB\nCached:          100 kB\nSwapCached:        0 kB\n";
    EXPECT_EQ(VQtMemoryInfo::usePercent(VQtMemoryInfo::parse(modern, sizeof modern - 1)), 75);
    // Kernels without MemAvailable: free, buffers and page cache count as available.
    const char old[] = "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 100 kB\n";
    EXPECT_EQ(VQtMemoryInfo::usePercent(VQtMemoryInfo::parse(old, sizeof old - 1)), 75);
    const char broken[] = "MemTotal: kB\nMemAvailable: 5 kB\n";
    EXPECT_FALSE(VQtMemoryInfo::parse(broken, sizeof broken - 1).valid);
    EXPECT_EQ(VQtMemoryInfo::usePercent(VQtMemoryInfo::parse(broken, sizeof broken - 1)), 0);
    // This machine's figure is a percentage.
    const int now = VQtMemoryInfo::usePercent();
    EXPECT_GE(now, 0);
    EXPECT_LE(now, 100);
}
