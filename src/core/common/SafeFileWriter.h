#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Writes a whole file so that a failure never costs the earlier one.
//
// A new file, or one that exists as a regular file (a symbolic link is
// followed), is written to a temporary file beside it. Every write is
// checked, the temporary file is flushed to the disk (fsync), and only then
// does it replace the target. On any failure (a full disk, a quota, a size
// limit, an I/O error) the earlier file stays byte for byte, no temporary
// file is left, and error() holds the system's text for the cause.
//
// A target that exists and is not a regular file (a device, a FIFO) is
// written in place, never replaced; a folder is refused.
class SafeFileWriter
{
public:
    enum class Access {
        Default,   // a new file is the owner's alone (0600); an existing file keeps its mode
        OwnerOnly, // the file is the owner's alone, also when it existed (files holding passwords)
    };

    struct Result
    {
        bool ok = false;
        QString error; // the reason when !ok
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

    // The whole of open(), write() and commit() for bytes in memory.
    static Result write(const QString &path, const QByteArray &bytes, Access access);

    // Writes the whole block to a descriptor, again after a short write or an
    // interruption. Returns 0, or the errno of the failure.
    static int writeAll(int fd, const char *bytes, qsizetype length);

private:
    bool fail(int errorNumber);
    bool fail(const QString &reason);

    QString m_path;
    Access m_access;
    QSaveFile m_replacement; // used unless the target is written in place
    int m_inPlace = -1;      // the target's own descriptor, for a device or FIFO
    int m_fd = -1;           // where write() goes
    QString m_error;
};
