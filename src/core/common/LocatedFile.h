#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// The file a path names, found one folder and one symbolic link at a time,
// so that nothing others can write to decides where a read or a write goes.
//
// In a shared folder (sticky, and writable by its group or by everyone:
// /tmp, /var/tmp, /dev/shm) anyone may plant the name another user is about
// to open. There a symbolic link is followed only when it belongs to the
// user or to the folder's owner, and an existing entry that belongs to
// neither is refused: the kernel's protected_symlinks, protected_fifos and
// protected_regular rules, applied whether or not they are switched on.
// Every decision is taken on a descriptor opened without following links
// (openat with O_NOFOLLOW, then fstat), and the entry found is opened through
// that descriptor, so nothing can be swapped in between a check and the open.
// Outside shared folders links are followed as the kernel would.
class LocatedFile
{
public:
    // Follows path to its last name, which need not exist.
    static LocatedFile find(const QString &path);

    LocatedFile() = default;
    LocatedFile(LocatedFile &&other) noexcept;
    LocatedFile &operator=(LocatedFile &&other) noexcept;
    LocatedFile(const LocatedFile &) = delete;
    LocatedFile &operator=(const LocatedFile &) = delete;
    ~LocatedFile();

    bool ok() const { return m_folder >= 0 && m_errorNumber == 0 && m_refusal.isEmpty(); }
    // Why the path can't be used: the system's error (errorNumber()), or a
    // refusal in words ("it is a FIFO owned by another user (nobody) in a
    // folder others can write to").
    QString error() const;
    int errorNumber() const { return m_errorNumber; }
    bool refused() const { return !m_refusal.isEmpty(); }

    bool exists() const { return m_entry >= 0; }
    // The existing entry's status (never a symbolic link).
    const struct stat &status() const { return m_status; }
    // The folder that holds the last name, and that name in it.
    int folder() const { return m_folder; }
    const QByteArray &name() const { return m_name; }

    // Opens the very entry found (O_CLOEXEC added); -1 with errno set.
    int open(int flags) const;

private:
    bool fail(int errorNumber);
    void close();

    int m_folder = -1;
    int m_entry = -1; // O_PATH
    QByteArray m_name;
    struct stat m_status = {};
    int m_errorNumber = 0;
    QString m_refusal;
};
