#include "core/common/LocatedFile.h"

#include <QFile>
#include <QList>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <pwd.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

// Sticky, and writable by others: anyone may add a name, only its owner
// (or the folder's) may remove it.
bool isShared(const struct stat &folder)
{
    return (folder.st_mode & S_ISVTX) && (folder.st_mode & (S_IWGRP | S_IWOTH));
}

QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return u"symbolic link"_s;
    if (S_ISFIFO(mode))
        return u"FIFO"_s;
    if (S_ISSOCK(mode))
        return u"socket"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"device"_s;
    return u"file"_s;
}

QString userName(uid_t uid)
{
    struct passwd entry;
    struct passwd *found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

// The names of a path in order; a trailing slash asks for a folder.
QList<QByteArray> namesOf(const QByteArray &path)
{
    QList<QByteArray> names = path.split('/');
    names.removeAll(QByteArray());
    if (path.endsWith('/'))
        names.append("."_ba);
    return names;
}

} // namespace

LocatedFile::LocatedFile(LocatedFile &&other) noexcept
{
    *this = std::move(other);
}

LocatedFile &LocatedFile::operator=(LocatedFile &&other) noexcept
{
    if (this != &other) {
        close();
        m_folder = std::exchange(other.m_folder, -1);
        m_entry = std::exchange(other.m_entry, -1);
        m_name = std::move(other.m_name);
        m_status = other.m_status;
        m_errorNumber = other.m_errorNumber;
        m_refusal = std::move(other.m_refusal);
    }
    return *this;
}

LocatedFile::~LocatedFile()
{
    close();
}

void LocatedFile::close()
{
    for (int *fd : {&m_folder, &m_entry}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

bool LocatedFile::fail(int errorNumber)
{
    m_errorNumber = errorNumber;
    close();
    return false;
}

QString LocatedFile::error() const
{
    return m_refusal.isEmpty() ? QString::fromLocal8Bit(std::strerror(m_errorNumber)) : m_refusal;
}

LocatedFile LocatedFile::find(const QString &path)
{
    LocatedFile found;
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.isEmpty()) {
        found.fail(ENOENT);
        return found;
    }
    QList<QByteArray> names = namesOf(encoded);
    const auto startAt = [&found](const char *folder) {
        found.close();
        found.m_folder = ::open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
        return found.m_folder >= 0 || found.fail(errno);
    };
    if (!startAt(encoded.startsWith('/') ? "/" : "."))
        return found;
    int links = 0;
    while (!names.isEmpty()) {
        const QByteArray name = names.takeFirst();
        const bool last = names.isEmpty();
        struct stat folder;
        if (::fstat(found.m_folder, &folder) != 0) {
            found.fail(errno);
            return found;
        }
        const int entry = ::openat(found.m_folder, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (entry < 0) {
            if (errno == ENOENT && last)
                found.m_name = name; // a new file, in a folder that exists
            else
                found.fail(errno);
            return found;
        }
        found.m_entry = entry;
        if (::fstat(entry, &found.m_status) != 0) {
            found.fail(errno);
            return found;
        }
        const struct stat &status = found.m_status;
        if (isShared(folder) && !S_ISDIR(status.st_mode) && status.st_uid != ::geteuid() &&
            status.st_uid != folder.st_uid) {
            const QString what = u"%1 owned by another user (%2) in a folder others can write to"_s.arg(
                kindOf(status.st_mode), userName(status.st_uid));
            const QString entryName = QFile::decodeName(name);
            found.m_refusal = !last       ? u"the way to it runs through %1, a %2"_s.arg(entryName, what)
                              : links > 0 ? u"it leads to %1, a %2"_s.arg(entryName, what)
                                          : u"it is a "_s + what;
            found.close();
            return found;
        }
        if (S_ISLNK(status.st_mode)) {
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(entry, "", target, sizeof target);
            if (length < 0 || length == sizeof target || ++links > kMaxLinks) {
                found.fail(length < 0 ? errno : length == sizeof target ? ENAMETOOLONG : ELOOP);
                return found;
            }
            ::close(std::exchange(found.m_entry, -1));
            const QByteArray link(target, length);
            // /dev/stdout, /dev/fd/N, /proc/self/fd/N: a pipe or socket there
            // is no path ("pipe:[N]"), only the kernel can follow to it.
            struct statfs system;
            if (::fstatfs(found.m_folder, &system) == 0 && system.f_type == PROC_SUPER_MAGIC) {
                const int object = ::openat(found.m_folder, name.constData(), O_PATH | O_CLOEXEC);
                struct stat objectStatus;
                if (object >= 0 && ::fstat(object, &objectStatus) == 0 && !S_ISREG(objectStatus.st_mode) &&
                    !S_ISDIR(objectStatus.st_mode)) {
                    found.m_entry = object;
                    found.m_status = objectStatus;
                    found.m_name = name;
                    if (!last)
                        found.fail(ENOTDIR);
                    return found;
                }
                if (object >= 0)
                    ::close(object);
            }
            if (link.startsWith('/') && !startAt("/"))
                return found;
            names = namesOf(link) + names;
            continue;
        }
        if (last) {
            found.m_name = name;
            return found;
        }
        if (!S_ISDIR(status.st_mode)) {
            found.fail(ENOTDIR);
            return found;
        }
        ::close(found.m_folder);
        found.m_folder = std::exchange(found.m_entry, -1); // an O_PATH descriptor serves as a folder
    }
    return found;
}

int LocatedFile::open(int flags) const
{
    if (m_entry < 0) {
        errno = ENOENT;
        return -1;
    }
    // The entry's own descriptor, not its name: whatever is at the name by
    // now, this opens what was checked.
    char self[32];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", m_entry);
    return ::open(self, flags | O_CLOEXEC);
}
