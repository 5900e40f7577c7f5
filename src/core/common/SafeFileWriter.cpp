#include "core/common/SafeFileWriter.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_inPlace = false;
    discardBeforeExit();
    m_temporaryExists = 0;
}

void SafeFileWriter::discardBeforeExit() const noexcept
{
    if (m_temporaryExists)
        ::unlinkat(m_target.folder(), m_temporaryName, 0);
}

bool SafeFileWriter::open()
{
    m_target = LocatedFile::find(m_path);
    if (!m_target.ok())
        return fail(m_target.error());
    const struct stat &existing = m_target.status();
    if (m_target.exists() && S_ISDIR(existing.st_mode))
        return fail(EISDIR);
    if (m_target.exists() && !S_ISREG(existing.st_mode)) {
        // A device or FIFO: replacing it would destroy it, so write into it.
        m_fd = m_target.open(O_WRONLY | O_NOCTTY);
        if (m_fd < 0)
            return fail(errno);
        m_inPlace = true;
        return true;
    }
    // A new file is the owner's alone whatever the umask; an existing one
    // keeps its mode unless it is to be made so.
    return createTemporaryFile(m_target.exists() && m_access == Access::Default ? existing.st_mode & 0777 : 0600);
}

bool SafeFileWriter::createTemporaryFile(mode_t mode)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const QByteArray base = m_target.name().left(NAME_MAX - 7) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = base;
        for (int k = 0; k < 6; ++k)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
        // O_EXCL: never a name someone else made, nor a link planted there.
        const int fd =
            ::openat(m_target.folder(), name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fail(errno);
        std::memcpy(m_temporaryName, name.constData(), size_t(name.size()) + 1);
        m_temporaryExists = 1;
        m_fd = fd;
        return ::fchmod(fd, mode) == 0 || fail(errno);
    }
    return fail(EEXIST);
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
    if (m_inPlace) {
        m_inPlace = false;
        return ::close(std::exchange(m_fd, -1)) == 0 || fail(errno);
    }
    // On the disk before it replaces the earlier file: a crash or a late
    // write error (a full disk found at write-back) must not leave a hole.
    if (::fsync(m_fd) != 0)
        return fail(errno);
    if (::close(std::exchange(m_fd, -1)) != 0)
        return fail(errno);
    if (::renameat(m_target.folder(), m_temporaryName, m_target.folder(), m_target.name().constData()) != 0)
        return fail(errno);
    m_temporaryExists = 0;
    return true;
}

Outcome SafeFileWriter::write(const QString &path, const QByteArray &bytes, Access access)
{
    SafeFileWriter file(path, access);
    if (file.open() && file.write(bytes.constData(), bytes.size()) && file.commit())
        return {};
    return Outcome::failure(file.error());
}
