// The private runtime folder taken when no desktop session provides one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/runtime_dir.h"

namespace {

// Each case runs with XDG_RUNTIME_DIR unset and the temporary folder moved into a scratch one.
class RuntimeDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        savedTmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(scratch.path()));
        expected = scratch.path() + "/qorgrid-runtime-" + QString::number(getuid());
    }
    void TearDown() override
    {
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        savedTmp.isNull() ? void(qunsetenv("TMPDIR")) : void(qputenv("TMPDIR", savedTmp));
    }
    static mode_t modeOf(const QString &path)
    {
        struct stat st {};
        return lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
    }

    QTemporaryDir scratch;
    QByteArray savedRuntime, savedTmp;
    QString expected;
};

} // namespace

TEST_F(RuntimeDir, MakesAPrivateFolderAndKeepsAGivenOne)
{
    EXPECT_EQ(qor::platform::EnsurePrivateRuntimeDir(), expected);
    EXPECT_EQ(qEnvironmentVariable("XDG_RUNTIME_DIR"), expected);
    EXPECT_EQ(modeOf(expected), 0700u);
    // Set now: a second call changes nothing.
    EXPECT_EQ(qor::platform::EnsurePrivateRuntimeDir(), expected);
}

TEST_F(RuntimeDir, TightensItsOwnFolderAndRefusesAPlantedLink)
{
    ASSERT_TRUE(QDir().mkpath(expected));
    ASSERT_EQ(chmod(QFile::encodeName(expected).constData(), 0755), 0);
    EXPECT_EQ(qor::platform::EnsurePrivateRuntimeDir(), expected);
    EXPECT_EQ(modeOf(expected), 0700u);

    qunsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(QDir(expected).removeRecursively());
    const QString elsewhere = scratch.path() + "/elsewhere";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, expected));
    const QString used = qor::platform::EnsurePrivateRuntimeDir();
    EXPECT_TRUE(used.startsWith(expected + "-")) << used.toStdString();
    EXPECT_TRUE(QFileInfo(used).isDir() && !QFileInfo(used).isSymLink());
    EXPECT_EQ(modeOf(used), 0700u);
}
