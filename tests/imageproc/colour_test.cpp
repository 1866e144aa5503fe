#include "imageproc/VQtColorCalibration.h"
#include "imageproc/VQtColorCorrection.h"
#include "imageproc/VQtColorMatrix.h"
#include "imageproc/VQtIplImage.h"
#include "imageproc/VQtSimd.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

double srgb(double x) {
    return x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1.0 / 2.4) - 0.055;
}

// The matrix arithmetic done in exact wide integers: sums divided by 1024 with
// truncation toward zero, clamped to a byte; bytes 2, 1, 0 hold R, G, B.
std::vector<uint8_t> referenceMatrix(const std::vector<uint8_t>& bgr, const int* m, bool gamma) {
    std::vector<uint8_t> out(bgr.size());
    auto mix = [](long long a, long long b, long long c) {
        const long long q = (a + b + c) / 1024;
        return static_cast<uint8_t>(q < 0 ? 0 : (q > 255 ? 255 : q));
    };
    for (size_t p = 0; p + 2 < bgr.size(); p += 3) {
        const long long b = bgr[p], g = bgr[p + 1], r = bgr[p + 2];
        uint8_t nr = mix(1LL * m[0] * r, 1LL * m[1] * g, 1LL * m[2] * b);
        uint8_t ng = mix(1LL * m[3] * r, 1LL * m[4] * g, 1LL * m[5] * b);
        uint8_t nb = mix(1LL * m[6] * r, 1LL * m[7] * g, 1LL * m[8] * b);
        if (gamma) {
            nr = static_cast<uint8_t>(std::floor(255 * srgb(nr / 255.0) + 0.02));
            ng = static_cast<uint8_t>(std::floor(255 * srgb(ng / 255.0) + 0.02));
            nb = static_cast<uint8_t>(std::floor(255 * srgb(nb / 255.0) + 0.02));
        }
        out[p] = nb;
        out[p + 1] = ng;
        out[p + 2] = nr;
    }
    return out;
}

std::vector<uint8_t> randomPixels(int pixels, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(3 * size_t(pixels));
    for (auto& x : v)
        x = static_cast<uint8_t>(rng());
    return v;
}

constexpr int kIdentity[9] = {1024, 0, 0, 0, 1024, 0, 0, 0, 1024};

bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

// ---------------------------------------------------------------- gamma table

TEST(ColourGamma, TableFollowsTheSrgbCurveWithItsKnownEntries) {
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(g_vqtGammaTable[i], static_cast<int>(std::floor(255 * srgb(i / 255.0) + 0.02))) << i;
    const int start[] = {0, 12, 21, 28, 33, 38, 42, 46};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(g_vqtGammaTable[i], start[i]);
    EXPECT_EQ(g_vqtGammaTable[64], 137);
    EXPECT_EQ(g_vqtGammaTable[128], 187);
    EXPECT_EQ(g_vqtGammaTable[252], 253);
    EXPECT_EQ(g_vqtGammaTable[253], 254);
    EXPECT_EQ(g_vqtGammaTable[254], 254);
    EXPECT_EQ(g_vqtGammaTable[255], 255);
}

// ---------------------------------------------------------------- colour matrix

TEST(ColourMatrix, IdentityKeepsPixelsAndGammaMapsOneAndHalf) {
    auto px = randomPixels(53, 1);
    std::vector<uint8_t> out(px.size());
    vqtColorMatrixRow8(px.data(), out.data(), 53, kIdentity);
    EXPECT_EQ(out, px);
    const std::vector<uint8_t> in = {1, 1, 1, 128, 128, 128};
    std::vector<uint8_t> g(6);
    vqtColorAndGammaRow8(in.data(), g.data(), 2, kIdentity);
    EXPECT_EQ(g, (std::vector<uint8_t>{12, 12, 12, 187, 187, 187}));
}

TEST(ColourMatrix, TruncatesAndSaturatesPerOutputChannel) {
    // R' = 1.5 R (saturates bright pixels), G' = 0.7 G truncated, B' = B - R (negative -> 0).
    const int m[9] = {1536, 0, 0, 0, 717, 0, -1024, 0, 1024};
    const std::vector<uint8_t> in = {/*B,G,R*/ 10, 3, 200, 200, 255, 100, 0, 1, 1};
    std::vector<uint8_t> out(in.size());
    vqtColorMatrixRow8(in.data(), out.data(), 3, m);
    // pixel 0: R 300 -> 255, G 3*717/1024 = 2.1 -> 2, B 10 - 200 < 0 -> 0
    // pixel 1: R 150, G 255*717/1024 = 178.5 -> 178, B 200 - 100 = 100
    // pixel 2: R 1.5 -> 1, G 0.7 -> 0, B -1 -> 0
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 2, 255, 100, 178, 150, 0, 0, 1}));
}

class ColourMatrixPaths : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { vqtSetVectorKernels(GetParam()); }
    void TearDown() override { vqtSetVectorKernels(true); }
};
INSTANTIATE_TEST_SUITE_P(VectorAndPortable, ColourMatrixPaths, ::testing::Bool());

// Row lengths around the 32-pixel steps of the vector rows; coefficients of everyday
// size, at the edges of 16 bits (where the vector rows hand over to the portable
// loop) and huge ones that need 64-bit sums.
TEST_P(ColourMatrixPaths, RandomMatricesMatchWideIntegerReference) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> usual(-3000, 3000);
    std::uniform_int_distribution<int> huge(-2000000000, 2000000000);
    const int edges[][9] = {{32767, -32768, 32767, -32768, 32767, 32767, -32768, -32768, 32767},
                            {32768, 0, 0, 0, 1024, 0, 0, 0, 1024},
                            {1024, 0, 0, 0, -32769, 0, 0, 0, 1024}};
    for (int trial = 0; trial < 45; ++trial) {
        int m[9];
        for (int i = 0; i < 9; ++i)
            m[i] = trial < 30 ? usual(rng) : trial < 33 ? edges[trial - 30][i] : huge(rng);
        for (int pixels : {1, 7, 8, 9, 31, 32, 33, 63, 65, 640}) {
            const auto px = randomPixels(pixels, trial * 100 + pixels);
            std::vector<uint8_t> out(px.size());
            vqtColorMatrixRow8(px.data(), out.data(), pixels, m);
            ASSERT_EQ(out, referenceMatrix(px, m, false)) << trial << " " << pixels;
            vqtColorAndGammaRow8(px.data(), out.data(), pixels, m);
            ASSERT_EQ(out, referenceMatrix(px, m, true)) << trial << " " << pixels;
            auto inPlace = px;
            vqtColorAndGammaRow8(inPlace.data(), inPlace.data(), pixels, m);
            ASSERT_EQ(inPlace, out) << trial << " " << pixels;
        }
    }
}

TEST_P(ColourMatrixPaths, GammaRowsMapEveryByteThroughTheTable) {
    std::vector<uint8_t> bytes(1000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7 + i / 256);
    for (int length : {1, 31, 32, 33, 256, 1000}) {
        std::vector<uint8_t> out(length, 0);
        vqtGammaRow8(bytes.data(), out.data(), length);
        auto inPlace = std::vector<uint8_t>(bytes.begin(), bytes.begin() + length);
        vqtGammaRow8(inPlace.data(), inPlace.data(), length);
        for (int i = 0; i < length; ++i) {
            ASSERT_EQ(out[i], g_vqtGammaTable[bytes[i]]) << length << " " << i;
            ASSERT_EQ(inPlace[i], out[i]) << length << " " << i;
        }
    }
}

// ---------------------------------------------------------------- calibration file

class ColourCalibration : public ::testing::Test {
protected:
    QTemporaryDir dir{QDir::tempPath() + "/colorcal-XXXXXX"};
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    int matrix[9] = {7, 7, 7, 7, 7, 7, 7, 7, 7};
};

TEST_F(ColourCalibration, NineValuesLoadWithOrWithoutSpaces) {
    ASSERT_TRUE(writeFile(path("a"), "1024,0,0,0,1024,0,0,0,1024"));
    QString message;
    EXPECT_EQ(VQtColorCalibration::load(path("a"), matrix, &message), VQtColorCalibration::Loaded);
    EXPECT_TRUE(std::equal(matrix, matrix + 9, kIdentity));
    EXPECT_TRUE(message.contains(path("a")));
    ASSERT_TRUE(writeFile(path("b"), "1100, -50 , -50,0, 1024,0 ,  0, 0 ,1024\r\n"));
    EXPECT_EQ(VQtColorCalibration::load(path("b"), matrix), VQtColorCalibration::Loaded);
    const int expected[9] = {1100, -50, -50, 0, 1024, 0, 0, 0, 1024};
    EXPECT_TRUE(std::equal(matrix, matrix + 9, expected));
}

TEST_F(ColourCalibration, WrongCountsDisableAndKeepTheMatrix) {
    const char* bad[] = {"1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9,", "", " "};
    for (const char* text : bad) {
        ASSERT_TRUE(writeFile(path("c"), text));
        QString message;
        EXPECT_EQ(VQtColorCalibration::load(path("c"), matrix, &message), VQtColorCalibration::Malformed)
            << text;
        EXPECT_FALSE(message.isEmpty());
        EXPECT_TRUE(std::all_of(matrix, matrix + 9, [](int v) { return v == 7; })) << text;
    }
}

// A part read as 0 would turn a whole colour channel black in every corrected picture: such a
// file is refused, and the message says which value and why.
TEST_F(ColourCalibration, NonNumbersAreRefusedWithTheirPosition) {
    const struct {
        QByteArray text;
        const char* reason;
    } bad[] = {
        {"1024,x,0,0,1024,0,0,0,1024", "value 2 (\"x\") is not a whole number"},
        {"1024,0,0,0,1024,0x10,0,0,1024", "value 6 (\"0x10\") is not a whole number"},
        {"1024,0,0,0,1024,0,0,,1024", "value 8 (\"\") is not a whole number"},
        {"1024,0,0,0,1024,0,0,0,1.5", "value 9 (\"1.5\") is not a whole number"},
        {"1024,0,0,0,1024,0,0,0,2147483648", "value 9 (2147483648) is out of range"},
        {"1024,0,0,0,1024,0,0,0,l024\r\n", "value 9 (\"l024\") is not a whole number"},
    };
    for (const auto& b : bad) {
        ASSERT_TRUE(writeFile(path("d"), b.text));
        QString message;
        EXPECT_EQ(VQtColorCalibration::load(path("d"), matrix, &message), VQtColorCalibration::Malformed)
            << b.text.constData();
        EXPECT_TRUE(message.contains(QString::fromUtf8(b.reason))) << qPrintable(message);
        EXPECT_TRUE(message.contains(path("d")));
        EXPECT_FALSE(message.contains('\n'));
        EXPECT_TRUE(std::all_of(matrix, matrix + 9, [](int v) { return v == 7; })) << b.text.constData();
    }
}

TEST_F(ColourCalibration, ZeroByteEndsTheTextAndExtremesLoad) {
    ASSERT_TRUE(writeFile(path("e"), QByteArray("1,2,3,4,5,6,7,8,9\0,10,11", 25)));
    EXPECT_EQ(VQtColorCalibration::load(path("e"), matrix), VQtColorCalibration::Loaded);
    EXPECT_EQ(matrix[8], 9);
    ASSERT_TRUE(writeFile(path("f"), "-2147483648,2147483647,+3,0,0,0,0,0,0\n"));
    EXPECT_EQ(VQtColorCalibration::load(path("f"), matrix), VQtColorCalibration::Loaded);
    EXPECT_EQ(matrix[0], INT_MIN);
    EXPECT_EQ(matrix[1], INT_MAX);
    EXPECT_EQ(matrix[2], 3);
}

TEST_F(ColourCalibration, MissingOrUnreadableFileGivesAClearMessage) {
    QString message;
    EXPECT_EQ(VQtColorCalibration::load(path("none"), matrix, &message), VQtColorCalibration::Missing);
    EXPECT_TRUE(message.contains(path("none")));
    EXPECT_EQ(VQtColorCalibration::load(QString(), matrix, &message), VQtColorCalibration::Missing);
    EXPECT_TRUE(message.isEmpty()); // no installation names a file: nothing to report
    // A folder of that name exists but cannot be read as a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_EQ(VQtColorCalibration::load(path("folder"), matrix, &message), VQtColorCalibration::Unreadable);
    EXPECT_TRUE(message.contains(path("folder")));
    EXPECT_TRUE(std::all_of(matrix, matrix + 9, [](int v) { return v == 7; }));
}

TEST_F(ColourCalibration, InstallationRecordNamesTheFile) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(VQtColorCalibration::defaultFileName().isEmpty());
    {
        QSettings registry("HKEY_LOCAL_MACHINE\\SOFTWARE\\NEXO\\VionLibrary", QSettings::NativeFormat);
        registry.setValue("Directory", dir.path());
    }
    // Neither spelling exists yet: the recorded name is reported as it stands.
    EXPECT_EQ(VQtColorCalibration::defaultFileName(), dir.path() + "\\bin\\colorcal");
    ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
    ASSERT_TRUE(writeFile(dir.path() + "/bin/colorcal", "1024,0,0,0,1024,0,0,0,1024"));
    EXPECT_EQ(VQtColorCalibration::defaultFileName(), dir.path() + "/bin/colorcal");
    ASSERT_TRUE(writeFile(dir.path() + "\\bin\\colorcal", "1,2,3"));
    EXPECT_EQ(VQtColorCalibration::defaultFileName(), dir.path() + "\\bin\\colorcal");
    QDir::setCurrent(before);
}

// ---------------------------------------------------------------- the stage on image records

namespace {

cv::Mat filledRecord(VQtIplImage& image, int width, int height, int depth, int channels, unsigned seed) {
    image.createImage(cvSize(width, height), depth, channels);
    cv::Mat m = image.mat();
    cv::theRNG().state = seed;
    cv::randu(m, cv::Scalar::all(0), cv::Scalar::all(depth == 8 ? 256 : 65536));
    return m;
}

} // namespace

TEST(ColourStage, MatrixAndGammaCoverWholeRowsOfRecords) {
    VQtIplImage image;
    const cv::Mat pixels = filledRecord(image, 37, 5, 8, 3, 1);
    const cv::Mat before = pixels.clone();
    const int m[9] = {1200, -100, -76, -50, 1100, -26, 0, -300, 1324};
    cvVQtCalcColor8Bit(&image, &image, m);
    cvVQtCalcGamma(&image, &image);
    for (int r = 0; r < 5; ++r) {
        const std::vector<uint8_t> row(before.ptr<uint8_t>(r), before.ptr<uint8_t>(r) + 3 * 37);
        const std::vector<uint8_t> got(pixels.ptr<uint8_t>(r), pixels.ptr<uint8_t>(r) + 3 * 37);
        EXPECT_EQ(got, referenceMatrix(row, m, true)) << "row " << r;
    }
}

TEST(ColourStage, SixteenBitSingleChannelAndMismatchedRecordsAreNotCorrected) {
    VQtIplImage wide, grey, small, bgr;
    const cv::Mat w = filledRecord(wide, 8, 4, 16, 3, 2).clone();
    const cv::Mat g = filledRecord(grey, 8, 4, 8, 1, 3).clone();
    filledRecord(small, 7, 4, 8, 3, 4);
    const cv::Mat b = filledRecord(bgr, 8, 4, 8, 3, 5).clone();
    cvVQtCalcColor8Bit(&wide, &wide, kIdentity);
    cvVQtCalcColor8Bit(&grey, &grey, kIdentity);
    cvVQtCalcColor8Bit(&bgr, &small, kIdentity);
    cvVQtCalcGamma(&wide, &wide);
    cvVQtCalcGamma(&bgr, &small);
    cvVQtCalcColor8Bit(&bgr, &bgr, nullptr);
    cvVQtCalcColor8Bit(nullptr, &bgr, kIdentity);
    EXPECT_EQ(cv::norm(wide.mat(), w, cv::NORM_INF), 0);
    EXPECT_EQ(cv::norm(grey.mat(), g, cv::NORM_INF), 0);
    EXPECT_EQ(cv::norm(bgr.mat(), b, cv::NORM_INF), 0);
}

// Whether the calibration loaded is decided once per process: each case runs
// in a child process of its own, started in a folder it prepares.
class ColourStageRun : public ::testing::Test {
protected:
    static int runStage(const QByteArray& calibration) {
        QTemporaryDir dir(QDir::tempPath() + "/colourstage-XXXXXX");
        if (!dir.isValid() || !QDir::setCurrent(dir.path()))
            return 10;
        if (!calibration.isNull()) {
            QSettings registry("HKEY_LOCAL_MACHINE\\SOFTWARE\\NEXO\\VionLibrary", QSettings::NativeFormat);
            registry.setValue("Directory", dir.path());
            registry.sync();
            if (!QDir(dir.path()).mkpath("bin") || !writeFile(dir.path() + "/bin/colorcal", calibration))
                return 11;
        }
        VQtIplImage image;
        image.createImage(cvSize(4, 2), 8, 3);
        cv::Mat m = image.mat();
        m.setTo(cv::Scalar(1, 128, 255));
        cvVQtCalcColorAndGamma(&image, &image);
        const cv::Vec3b p = m.at<cv::Vec3b>(1, 3);
        if (!isRunColorAndGamma())
            // A refused file says why; without an installation there is nothing to say.
            return p == cv::Vec3b(1, 128, 255) &&
                           vqtColorCalibrationMessage().isEmpty() == calibration.isNull()
                       ? 0
                       : 1;
        return p == cv::Vec3b(12, 187, 255) ? 2 : 3;
    }
};

TEST_F(ColourStageRun, WithoutCalibrationFramesPassUnchanged) {
    EXPECT_EXIT(std::exit(runStage(QByteArray())), ::testing::ExitedWithCode(0), "");
}

TEST_F(ColourStageRun, IdentityCalibrationAppliesOnlyTheGamma) {
    EXPECT_EXIT(std::exit(runStage("1024, 0, 0, 0, 1024, 0, 0, 0, 1024")), ::testing::ExitedWithCode(2), "");
}

TEST_F(ColourStageRun, NonNumberDisablesTheStageInsteadOfBlackFrames) {
    EXPECT_EXIT(std::exit(runStage("1024, 0, 0, 0, 1024, 0, 0, 0, l024")), ::testing::ExitedWithCode(0), "");
}

TEST_F(ColourStageRun, TenValuesDisableTheStage) {
    EXPECT_EXIT(std::exit(runStage("1024,0,0,0,1024,0,0,0,1024,0")), ::testing::ExitedWithCode(0), "");
}
