#include "core/common/ProgramModule.h"

#include "core/common/ModuleFile.h"
#include "core/common/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace ProgramModule {

Entry resolve(const QString &module, const char *entryPoint)
{
    const QString folder = ProgramFolder::moduleFolder();
    const QString file = QDir(folder).filePath(module + u".so"_s);
    const QString real = QFileInfo(file).canonicalFilePath();
    if (folder.isEmpty() || real.isEmpty())
        return {nullptr, u"the module %1 is not in %2"_s.arg(module, folder)};
    // A module runs as whoever starts the program, so only one that no
    // one else can change is loaded; and only a whole one, as a cut-off
    // file is mapped with pages past its end.
    if (const QString problem = ModuleFile::ownershipProblem(real); !problem.isEmpty())
        return {nullptr, u"the module %1 is not loaded: %2"_s.arg(file, problem)};
    if (const QString problem = ModuleFile::contentProblem(real, entryPoint); !problem.isEmpty())
        return {nullptr, u"%1 is not a usable module: %2"_s.arg(file, problem)};
    QLibrary library(real);
    if (const QFunctionPointer function = library.resolve(entryPoint))
        return {function, {}};
    return {nullptr, library.errorString()};
}

} // namespace ProgramModule
