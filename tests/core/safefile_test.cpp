#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/VQtSafeFile.h"
#include "core/VQtSafeImageFile.h"
#include "core/VQtThreadGuard.h"
#include "tests/common/file_size_limit.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writePlain(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

int modeOf(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

class SafeFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    // Everything in the folder: a failed or finished write leaves no temporary file behind.
    QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    QTemporaryDir m_dir;
};

TEST_F(SafeFile, ReplacesWholeFilesAndKeepsTheirPermissions) {
    writePlain(path("a.bin"), "old contents");
    ASSERT_EQ(::chmod(QFile::encodeName(path("a.bin")).constData(), 0640), 0);
    QString error;
    ASSERT_TRUE(VQtSafeFile::writeFile(path("a.bin"), QByteArray("new"), &error)) << error.toStdString();
    EXPECT_EQ(readAll(path("a.bin")), QByteArray("new"));
    EXPECT_EQ(modeOf(path("a.bin")), 0640);
    // Explicit permissions are set on the file whatever the umask says.
    ASSERT_TRUE(VQtSafeFile::writeFile(path("b.bin"), QByteArray("x"), &error, VQtSafeFile::Durable,
                                       VQtSafeFile::FollowLinks, 0666));
    EXPECT_EQ(modeOf(path("b.bin")), 0666);
    EXPECT_EQ(entries(), (QStringList{"a.bin", "b.bin"}));
}

// A stream: many small writes gathered, a large one straight through, a header written last.
TEST_F(SafeFile, StreamsWithSeekCommitAndAbort) {
    writePlain(path("s.bin"), "previous");
    {
        VQtSafeFile file(path("s.bin"));
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write(QByteArray(4, '-')));
        for (int i = 0; i < 1000; ++i)
            ASSERT_TRUE(file.write(QByteArray::number(i % 10)));
        const QByteArray big(200 * 1024, 'z');
        ASSERT_TRUE(file.write(big));
        ASSERT_TRUE(file.seek(0));
        ASSERT_TRUE(file.write(QByteArray("HEAD")));
        EXPECT_EQ(readAll(path("s.bin")), QByteArray("previous")) << "replaced before commit";
        ASSERT_TRUE(file.commit());
    }
    const QByteArray bytes = readAll(path("s.bin"));
    ASSERT_EQ(bytes.size(), 4 + 1000 + 200 * 1024);
    EXPECT_TRUE(bytes.startsWith("HEAD0123"));
    EXPECT_EQ(bytes.at(bytes.size() - 1), 'z');

    {
        VQtSafeFile aborted(path("s.bin"));
        ASSERT_TRUE(aborted.open());
        ASSERT_TRUE(aborted.write(QByteArray("never")));
        aborted.abort();
        VQtSafeFile dropped(path("s.bin"));
        ASSERT_TRUE(dropped.open());
        ASSERT_TRUE(dropped.write(QByteArray("never either")));
    } // destroyed without commit
    EXPECT_EQ(readAll(path("s.bin")).size(), 4 + 1000 + 200 * 1024);
    EXPECT_EQ(entries(), QStringList{"s.bin"});
}

TEST_F(SafeFile, RefusesWhatCannotBeReplacedAndSaysWhy) {
    QString error;
    EXPECT_FALSE(VQtSafeFile::writeFile(path("missing/x.png"), QByteArray("x"), &error));
    EXPECT_TRUE(error.contains(path("missing/x.png"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("No such file or directory"))) << error.toStdString();

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.png")));
    EXPECT_FALSE(VQtSafeFile::writeFile(path("folder.png"), QByteArray("x"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("folder"))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(path("folder.png")).isDir());

    VQtSafeFile unopened(path("never.bin"));
    EXPECT_FALSE(unopened.write(QByteArray("x")));
    EXPECT_FALSE(unopened.commit());
    EXPECT_FALSE(QFile::exists(path("never.bin")));

    // Permission bits do not stop the superuser; the rest of the test holds for anyone.
    if (::geteuid() != 0) {
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("ro")));
        writePlain(path("ro/kept.bin"), "kept");
        ASSERT_EQ(::chmod(QFile::encodeName(path("ro")).constData(), 0555), 0);
        EXPECT_FALSE(VQtSafeFile::writeFile(path("ro/kept.bin"), QByteArray("lost"), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("Permission denied"))) << error.toStdString();
        EXPECT_EQ(readAll(path("ro/kept.bin")), QByteArray("kept"));
        ::chmod(QFile::encodeName(path("ro")).constData(), 0755);
    }
    for (const QString& name : entries())
        EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
}

// Runs `check` without privileges: permission bits do not stop the superuser, so a superuser's
// run does it in a child process as "nobody", with the test folder handed over to that user.
bool unprivileged(const QString& folder, const std::function<bool()>& check) {
    if (::geteuid() != 0)
        return check();
    const uid_t nobody = 65534;
    for (const QString& entry : QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot))
        if (::chown(QFile::encodeName(QDir(folder).filePath(entry)).constData(), nobody, nobody) != 0)
            return false;
    if (::chown(QFile::encodeName(folder).constData(), nobody, nobody) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgid(nobody) == 0 && ::setuid(nobody) == 0 && check() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// A file made read-only is not replaced, although its folder would allow the rename.
TEST_F(SafeFile, ReadOnlyFileIsKept) {
    writePlain(path("kept.ini"), "kept");
    ASSERT_EQ(::chmod(QFile::encodeName(path("kept.ini")).constData(), 0444), 0);
    EXPECT_TRUE(unprivileged(m_dir.path(), [this] {
        QString error;
        return !VQtSafeFile::writeFile(path("kept.ini"), QByteArray("lost"), &error) &&
               error.contains(path("kept.ini")) && error.contains(QStringLiteral("Permission denied")) &&
               VQtSafeFile::writeFile(path("new.ini"), QByteArray("new"), &error);
    }));
    EXPECT_EQ(readAll(path("kept.ini")), QByteArray("kept"));
    EXPECT_EQ(readAll(path("new.ini")), QByteArray("new"));
}

// A full disk shows up as a short write; the old file stays whole and no temporary file stays.
TEST_F(SafeFile, FullDiskLeavesTheOldFile) {
    const QByteArray old(1000, 'o');
    writePlain(path("full.bin"), old);
    QString error;
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(VQtSafeFile::writeFile(path("full.bin"), QByteArray(100000, 'n'), &error));
        // Small writes are gathered: the failure surfaces at commit.
        VQtSafeFile stream(path("full.bin"));
        ASSERT_TRUE(stream.open());
        bool written = true;
        for (int i = 0; i < 100 && written; ++i)
            written = stream.write(QByteArray(100, 's'));
        EXPECT_FALSE(written && stream.commit());
    }
    EXPECT_TRUE(error.contains(path("full.bin"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("File too large"))) << error.toStdString();
    EXPECT_EQ(readAll(path("full.bin")), old);
    EXPECT_EQ(entries(), QStringList{"full.bin"});
}

// A planted link is refused (shared folders) or replaced at its target (a user's own link);
// either way nothing is written or chmod-ed through it.
TEST_F(SafeFile, SymbolicLinksRefusedOrFollowedNeverWrittenThrough) {
    writePlain(path("victim"), "secret");
    ASSERT_EQ(::chmod(QFile::encodeName(path("victim")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("victim"), path("planted.ini")));
    QString error;
    EXPECT_FALSE(VQtSafeFile::writeFile(path("planted.ini"), QByteArray("x"), &error, VQtSafeFile::Durable,
                                        VQtSafeFile::RefuseLinks, 0666));
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link"))) << error.toStdString();
    EXPECT_FALSE(VQtSafeFile::setPermissionsNoFollow(path("planted.ini"), 0666, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link"))) << error.toStdString();
    EXPECT_EQ(readAll(path("victim")), QByteArray("secret"));
    EXPECT_EQ(modeOf(path("victim")), 0600);
    EXPECT_TRUE(QFileInfo(path("planted.ini")).isSymLink());

    ASSERT_TRUE(VQtSafeFile::writeFile(path("planted.ini"), QByteArray("followed"), &error));
    EXPECT_TRUE(QFileInfo(path("planted.ini")).isSymLink());
    EXPECT_EQ(readAll(path("victim")), QByteArray("followed"));
    EXPECT_EQ(modeOf(path("victim")), 0600);

    writePlain(path("plain.ini"), "p");
    ASSERT_TRUE(VQtSafeFile::setPermissionsNoFollow(path("plain.ini"), 0666, &error));
    EXPECT_EQ(modeOf(path("plain.ini")), 0666);
}

// Qt pictures (the screenshots) take the same road: encoded by extension, or the old file kept.
TEST_F(SafeFile, PicturesByExtensionOrTheOldFileKept) {
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QString error;
    ASSERT_TRUE(saveImageSafely(picture, path("shot.png"), &error)) << error.toStdString();
    EXPECT_TRUE(readAll(path("shot.png")).startsWith("\x89PNG"));
    const QByteArray old = readAll(path("shot.png"));
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(saveImageSafely(picture, path("shot.png"), &error));
    }
    EXPECT_TRUE(error.contains(path("shot.png"))) << error.toStdString();
    EXPECT_FALSE(saveImageSafely(QImage(), path("shot.png"), &error));
    EXPECT_FALSE(saveImageSafely(picture, path("shot.nosuchformat"), &error));
    EXPECT_TRUE(error.contains(path("shot.nosuchformat"))) << error.toStdString();
    EXPECT_EQ(readAll(path("shot.png")), old);
    EXPECT_EQ(entries(), QStringList{"shot.png"});
}

TEST(ThreadGuard, AnyExceptionBecomesOneLine) {
    QString message;
    EXPECT_TRUE(VQtThreadGuard::run(
        QStringLiteral("Work"), [] {}, &message));
    EXPECT_TRUE(message.isEmpty());
    EXPECT_FALSE(VQtThreadGuard::run(
        QStringLiteral("Rendering"), [] { throw std::runtime_error("first line\n  second line"); },
        &message));
    EXPECT_EQ(message, QStringLiteral("Rendering failed: first line second line"));
    EXPECT_FALSE(VQtThreadGuard::run(
        QStringLiteral("Saving"), [] { throw std::bad_alloc(); }, &message));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Saving failed: "))) << message.toStdString();
    EXPECT_FALSE(VQtThreadGuard::run(
        QStringLiteral("Odd"), [] { throw 42; }, &message));
    EXPECT_EQ(message, QStringLiteral("Odd failed: unknown error"));
}

} // namespace
