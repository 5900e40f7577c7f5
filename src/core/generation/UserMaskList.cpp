#include "core/generation/UserMaskList.h"

#include "core/common/PrivateFiles.h"
#include "core/common/ProgramFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace ProgramFolder {

bool ensureUserMaskList()
{
    const QFileInfo own(path(File::MaskList));
    const QFileInfo starter(path(File::StarterMasks));
    if (own.absoluteFilePath() == starter.absoluteFilePath() || own.exists() || own.isSymLink())
        return own.isFile();

    QFile source(starter.absoluteFilePath());
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;

    if (!PrivateFiles::makeFolder(own.absolutePath()))
        return false;
    QTemporaryFile copy(own.absolutePath() + QStringLiteral("/.mask.kmf.XXXXXX"));
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return false;
    // Renaming never replaces an existing file: when another copy of the
    // program got there first, its list stays and this copy is dropped. A
    // renamed temporary file would still be removed with its object.
    if (copy.rename(own.absoluteFilePath()))
        copy.setAutoRemove(false);
    return QFileInfo(own.absoluteFilePath()).isFile();
}

} // namespace ProgramFolder
