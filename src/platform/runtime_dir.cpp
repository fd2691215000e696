#include "platform/runtime_dir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace qor::platform {

namespace {

bool ownedPrivateFolder(const QByteArray &path)
{
    struct stat st {};
    if (lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;  // lstat: a symlink planted by someone else is not ours
    return (st.st_mode & 0777) == 0700 || chmod(path.constData(), 0700) == 0;
}

} // namespace

QString EnsurePrivateRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QByteArray base = QFile::encodeName(QDir::tempPath());
    QByteArray path = base + "/qorgrid-runtime-" + QByteArray::number(uint(getuid()));
    const bool made = mkdir(path.constData(), 0700) == 0 && chmod(path.constData(), 0700) == 0;  // past the umask
    if (!made && !(errno == EEXIST && ownedPrivateFolder(path))) {
        QByteArray pattern = path + "-XXXXXX";  // taken by someone else: a fresh one of ours
        if (!mkdtemp(pattern.data()))
            return {};
        path = pattern;
    }
    qputenv("XDG_RUNTIME_DIR", path);
    return QFile::decodeName(path);
}

} // namespace qor::platform
