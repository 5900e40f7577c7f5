#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file atomically: the bytes go to a temporary file beside
// the target, which replaces the target only when everything was written.
// A failed write leaves the earlier file whole.
namespace SafeFileWriter {

enum class Access {
    Default,   // permissions as the user's umask gives them
    OwnerOnly, // readable and writable by the owner alone (files holding passwords)
};

struct Result
{
    bool ok = false;
    QString error; // a sentence naming the reason when !ok
};

Result write(const QString &path, const QByteArray &bytes, Access access);

} // namespace SafeFileWriter
