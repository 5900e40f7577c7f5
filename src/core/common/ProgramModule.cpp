#include "core/common/ProgramModule.h"

#include "core/common/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace ProgramModule {

Entry resolve(const QString &module, const char *entryPoint)
{
    // The executable's own folder: ProgramFolder's test folder is for data only.
    const QDir programs(QFileInfo(ProgramFolder::executablePath()).absolutePath());
    const QStringList folders{programs.path(), QDir::cleanPath(programs.filePath(QStringLiteral(TESSARO_MODULE_DIR)))};
    QString problem;
    for (const QString &folder : folders) {
        QLibrary library(folder + u'/' + module);
        if (const QFunctionPointer function = library.resolve(entryPoint))
            return {function, {}};
        // A module that is there but does not load says more than the folders searched.
        if (problem.isEmpty() && QFileInfo::exists(library.fileName() + u".so"_s))
            problem = library.errorString();
    }
    if (problem.isEmpty())
        problem = u"the module %1 is neither in %2 nor in %3"_s.arg(module, folders[0], folders[1]);
    return {nullptr, problem};
}

} // namespace ProgramModule
