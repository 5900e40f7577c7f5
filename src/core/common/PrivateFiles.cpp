#include "core/common/PrivateFiles.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace PrivateFiles {

bool makeFolder(const QString &path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    const QString parent = folder.absolutePath();
    if (parent == folder.absoluteFilePath() || !makeFolder(parent))
        return false;
    QDir().mkdir(folder.absoluteFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QFileInfo(path).isDir(); // also when another process made it meanwhile
}

void createFile(const QString &path)
{
    if (QFileInfo::exists(path) || !makeFolder(QFileInfo(path).absolutePath()))
        return;
    // O_EXCL: a file that appeared meanwhile is left alone.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

} // namespace PrivateFiles
