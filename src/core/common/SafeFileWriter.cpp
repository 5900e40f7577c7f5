#include "common/SafeFileWriter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SafeFileWriter {

Result write(const QString &path, const QByteArray &bytes, Access access)
{
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("It is a folder.")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (access == Access::OwnerOnly)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace SafeFileWriter
