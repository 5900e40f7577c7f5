#include "core/common/ProgramFolder.h"

#include "core/common/PrivateFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

namespace {

QString &testFolder()
{
    static QString folder;
    return folder;
}

QString existingSubfolder(const QString &base, const QString &name)
{
    const QDir dir(base);
    if (dir.exists(name) && QFileInfo(dir.filePath(name)).isDir())
        return dir.filePath(name);
    const QString lower = name.toLower();
    if (dir.exists(lower) && QFileInfo(dir.filePath(lower)).isDir())
        return dir.filePath(lower);
    return {};
}

bool isPortable()
{
    return !testFolder().isEmpty() || !existingSubfolder(executableFolder(), QStringLiteral("Language")).isEmpty();
}

QString relativePath(File file)
{
    switch (file) {
    case File::MaskList:
    case File::StarterMasks:
        return QStringLiteral("mask.kmf");
    case File::LastGenerated:
        return QStringLiteral("lastgenerated.txt");
    case File::HelpIndex:
        return QStringLiteral("help/index.htm");
    case File::UpdateIcon:
        return QStringLiteral("icons/update.ico");
    case File::CloseIcon:
        return QStringLiteral("icons/close.ico");
    case File::WordList:
        return QStringLiteral("words/wordlist_en_eff.txt");
    case File::SiteRules:
        return QStringLiteral("password-rules/password-rules.json");
    }
    return {};
}

} // namespace

QString executablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
#if defined(Q_OS_LINUX)
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
#else
    return {};
#endif
}

QString executableFolder()
{
    if (!testFolder().isEmpty())
        return testFolder();
    return QFileInfo(executablePath()).absolutePath();
}

QString moduleFolder()
{
    const QString real = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (real.isEmpty())
        return {};
    const QString folder = QFileInfo(real).absolutePath();
    if (!existingSubfolder(folder, QStringLiteral("Language")).isEmpty())
        return folder;
    return QDir::cleanPath(QDir(folder).filePath(QStringLiteral(TESSARO_MODULE_DIR)));
}

QString dataFolder()
{
    if (isPortable())
        return executableFolder();
    return QDir(executableFolder()).absoluteFilePath(QStringLiteral("../share/tessaro"));
}

QString userFolder()
{
    if (isPortable())
        return executableFolder();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brasmoor/Tessaro");
}

QString path(File file)
{
    const bool usersOwn = file == File::MaskList || file == File::LastGenerated;
    return QDir(usersOwn ? userFolder() : dataFolder()).filePath(relativePath(file));
}

QString pathForWriting(File file)
{
    const QString target = path(file);
    PrivateFiles::makeFolder(QFileInfo(target).absolutePath());
    return target;
}

QString languageFolder()
{
    return existingSubfolder(dataFolder(), QStringLiteral("Language"));
}

QString languageFile(const QString &languageName)
{
    const QString wanted = languageName + QStringLiteral(".lng");
    QString folder = languageFolder();
    if (folder.isEmpty())
        return QDir(dataFolder()).filePath(QStringLiteral("Language/") + wanted);
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(wanted)).isFile())
        return dir.filePath(wanted);
    const QStringList candidates = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &candidate : candidates) {
        if (candidate.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    }
    return dir.filePath(wanted);
}

void setFolderForTesting(const QString &folder)
{
    testFolder() = folder;
}

} // namespace ProgramFolder
