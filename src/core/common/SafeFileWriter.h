#pragma once

#include "core/common/LocatedFile.h"
#include "core/common/Outcome.h"

#include <QByteArray>
#include <QString>

#include <climits>
#include <csignal>

// Writes a whole file so that a failure never costs the earlier one.
//
// A new file, or one that exists as a regular file (a symbolic link is
// followed, in a shared folder only as LocatedFile allows), is written to a
// temporary file beside it. Every write is
// checked, the temporary file is flushed to the disk (fsync), and only then
// does it replace the target. On any failure (a full disk, a quota, a size
// limit, an I/O error) the earlier file stays byte for byte, no temporary
// file is left, and error() holds the system's text for the cause.
//
// A target that exists and is not a regular file (a device, a FIFO) is
// written in place, never replaced; a folder is refused, and so is what
// LocatedFile refuses in a shared folder (another user's FIFO or link).
//
// QSaveFile would do the replacing, but it opens by name and follows a
// link by itself; here every step goes through the descriptors LocatedFile
// found (openat, renameat), so nothing swapped in by then is written.
class SafeFileWriter
{
public:
    enum class Access {
        Default,   // a new file is the owner's alone (0600); an existing file keeps its mode
        OwnerOnly, // the file is the owner's alone, also when it existed (files holding passwords)
    };

    SafeFileWriter(const QString &path, Access access);
    // Without a successful commit() the temporary file goes, and the target stays.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    bool open();
    // Writes the whole block; false once anything has failed.
    bool write(const char *bytes, qsizetype length);
    // Flushes to the disk and puts the new file in place.
    bool commit();
    // Gives up: the temporary file goes, the target stays as it was.
    void cancel();

    QString error() const { return m_error; }

    // For a signal handler about to end the process: removes the unfinished
    // temporary file, calling nothing but unlinkat (async-signal-safe).
    void discardBeforeExit() const noexcept;

    // The whole of open(), write() and commit() for bytes in memory.
    static Outcome write(const QString &path, const QByteArray &bytes, Access access);

    // Writes the whole block to a descriptor, again after a short write or an
    // interruption. Returns 0, or the errno of the failure.
    static int writeAll(int fd, const char *bytes, qsizetype length);

private:
    bool fail(int errorNumber);
    bool fail(const QString &reason);
    bool createTemporaryFile(mode_t mode);

    QString m_path;
    Access m_access;
    LocatedFile m_target;
    int m_fd = -1;          // where write() goes
    bool m_inPlace = false; // m_fd is the target's own (a device or FIFO)
    // The temporary file's name in the target's folder; a fixed array, so
    // that a signal handler can read it while it is set.
    char m_temporaryName[NAME_MAX + 1] = {};
    volatile std::sig_atomic_t m_temporaryExists = 0;
    QString m_error;
};
