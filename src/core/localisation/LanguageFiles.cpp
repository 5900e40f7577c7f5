#include "core/localisation/LanguageFiles.h"

#include "core/common/ProgramFolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace Localisation {

namespace {

constexpr qsizetype kExtensionLength = 4; // ".lng"

} // namespace

QString properCase(const QString &text)
{
    QString result = text;
    bool startOfWord = true;
    for (QChar &c : result) {
        c = startOfWord ? c.toUpper() : c.toLower();
        startOfWord = c == u' ';
    }
    return result;
}

QStringList languageNames(bool keepExtension)
{
    const QString folder = ProgramFolder::languageFolder();
    if (folder.isEmpty())
        return {};

    // Name filters match without regard to case unless QDir::CaseSensitive
    // is given; QDir::Hidden keeps a file named just ".lng".
    const QStringList files =
        QDir(folder).entryList({u"*.lng"_s}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    names.reserve(files.size());
    for (const QString &file : files) {
        QString name = file;
        name.remove(QChar(u'\0'));
        name = properCase(name.trimmed());
        if (name.isEmpty())
            continue;
        names.append(keepExtension ? name : name.chopped(qMin(kExtensionLength, name.size())));
    }
    return names;
}

} // namespace Localisation
