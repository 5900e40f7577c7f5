#include "core/common/SafeFileWriter.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SafeFileWriter::SafeFileWriter(const QString &path, Access access) : m_path(path), m_access(access) {}

SafeFileWriter::~SafeFileWriter()
{
    cancel();
}

bool SafeFileWriter::fail(int errorNumber)
{
    return fail(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

bool SafeFileWriter::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    cancel();
    return false;
}

void SafeFileWriter::cancel()
{
    if (m_inPlace >= 0)
        ::close(m_inPlace);
    m_inPlace = -1;
    if (m_replacement.isOpen()) {
        // A commit after cancelWriting() removes the temporary file at once.
        m_replacement.cancelWriting();
        m_replacement.commit();
    }
    m_fd = -1;
}

bool SafeFileWriter::open()
{
    const QByteArray target = QFile::encodeName(m_path);
    struct stat existing;
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return fail(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or FIFO: replacing it would destroy it, so write into it.
        m_inPlace = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (m_inPlace < 0)
            return fail(errno);
        m_fd = m_inPlace;
        return true;
    }

    m_replacement.setFileName(m_path);
    if (!m_replacement.open(QIODevice::WriteOnly))
        return fail(m_replacement.errorString());
    // QSaveFile gives a new file the umask's mode and an existing one its
    // own; make it owner-only where that is asked for.
    if ((!exists || m_access == Access::OwnerOnly) &&
        !m_replacement.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return fail(m_replacement.errorString());
    m_fd = m_replacement.handle();
    return true;
}

bool SafeFileWriter::write(const char *bytes, qsizetype length)
{
    if (m_fd < 0)
        return false;
    // Straight to the descriptor: QFileDevice's buffer would hold back a
    // failure (and its errno) until a flush whose result QSaveFile ignores.
    const int failure = writeAll(m_fd, bytes, length);
    return failure == 0 || fail(failure);
}

int SafeFileWriter::writeAll(int fd, const char *bytes, qsizetype length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, bytes, size_t(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        length -= written;
    }
    return 0;
}

bool SafeFileWriter::commit()
{
    if (m_fd < 0)
        return false;
    if (m_inPlace >= 0) {
        const int fd = m_inPlace;
        m_inPlace = m_fd = -1;
        return ::close(fd) == 0 || fail(errno);
    }
    // On the disk before it replaces the earlier file: a crash or a late
    // write error (a full disk found at write-back) must not leave a hole.
    if (::fsync(m_fd) != 0)
        return fail(errno);
    m_fd = -1;
    if (!m_replacement.commit())
        return fail(m_replacement.errorString());
    return true;
}

SafeFileWriter::Result SafeFileWriter::write(const QString &path, const QByteArray &bytes, Access access)
{
    SafeFileWriter file(path, access);
    if (file.open() && file.write(bytes.constData(), bytes.size()) && file.commit())
        return {true, {}};
    return {false, file.error()};
}
