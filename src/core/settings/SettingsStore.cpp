#include "core/settings/SettingsStore.h"

#include "core/common/PrivateFiles.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <memory>
#include <optional>

namespace {

struct KeyLocation
{
    QString organization;
    QString application; // empty: the organisation-wide settings
    QString group;       // key levels below the application, '/'-separated
};

// "Software\Org\App\Sub" -> organisation Org, application App, group Sub.
std::optional<KeyLocation> locate(RegistryRoot, QAnyStringView keyPath)
{
    KeyLocation where;
    QStringList parts = keyPath.toString().split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        return std::nullopt;
    where.organization = parts.takeFirst();
    if (!parts.isEmpty())
        where.application = parts.takeFirst();
    where.group = parts.join(QLatin1Char('/'));
    return where;
}

std::unique_ptr<QSettings> open(const KeyLocation &where)
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, where.organization,
                                                where.application);
    // Only this user's own store counts; system-wide files must not leak in.
    settings->setFallbacksEnabled(false);
    if (!where.group.isEmpty())
        settings->beginGroup(where.group);
    return settings;
}

QString systemReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Writes and syncs a trial file in the folder, which fails as the store's
// write did on a full disk or beyond a quota.
QString trialWrite(const QString &folder)
{
    QTemporaryFile trial(folder + QLatin1String("/.settings-trial-XXXXXX"));
    if (!trial.open())
        return trial.errorString();
    const QByteArray block(64 * 1024, '\0');
    if (trial.write(block) != block.size() || !trial.flush())
        return trial.errorString();
    if (::fsync(trial.handle()) != 0)
        return systemReason(errno);
    return QStringLiteral("The system did not say why.");
}

} // namespace

RegValueReader::RegValueReader(RegistryRoot root, QAnyStringView keyPath)
{
    if (const auto where = locate(root, keyPath))
        m_settings = open(*where);
}

RegValueReader::~RegValueReader() = default;

QString RegValueReader::value(QAnyStringView name, const QString &defaultValue) const
{
    if (!m_settings)
        return defaultValue;
    const QVariant value = m_settings->value(name.toString());
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString GetRegValue(RegistryRoot root, QAnyStringView keyPath, QAnyStringView name, const QString &defaultValue)
{
    return RegValueReader(root, keyPath).value(name, defaultValue);
}

void SetRegValue(RegistryRoot root, QAnyStringView keyPath, QAnyStringView name, const QString &text)
{
    const auto where = locate(root, keyPath);
    if (!where)
        return;
    const auto settings = open(*where);
    // QSettings would create the file and its folder as the umask says.
    PrivateFiles::createFile(settings->fileName());
    settings->setValue(name.toString(), text);
    settings->sync();
}

bool SetRegValues(RegistryRoot root, QAnyStringView keyPath, const QList<RegValue> &values, RegWrite which)
{
    const auto where = locate(root, keyPath);
    if (!where)
        return false;
    const auto settings = open(*where);
    bool changed = false;
    for (const RegValue &value : values) {
        const QVariant stored = settings->value(value.name);
        const bool isText = stored.typeId() == QMetaType::QString;
        const QString text = isText ? stored.toString() : QString();
        // As GetRegValue reads it: a text that starts with a NUL is empty.
        const bool readsEmpty = text.isEmpty() || text.front() == QChar(u'\0');
        if ((isText && text == value.text) || (which == RegWrite::WhereEmpty && !readsEmpty))
            continue;
        if (!changed)
            PrivateFiles::createFile(settings->fileName()); // as SetRegValue does
        changed = true;
        settings->setValue(value.name, value.text);
    }
    settings->sync(); // writes the file only when a value was set
    // A format error in what was read does not stop the write.
    return settings->status() != QSettings::AccessError;
}

RegStoreProblem FindRegStoreProblem(RegistryRoot root, QAnyStringView keyPath, bool writeFailed)
{
    const auto where = locate(root, keyPath);
    if (!where)
        return {};
    RegStoreProblem problem{open(*where)->fileName(), {}};
    const QFileInfo file(problem.file);
    const QString folder = file.absolutePath();
    if (file.isDir())
        problem.reason = QStringLiteral("It is a folder, not a file.");
    else if (file.exists() && !file.isFile())
        problem.reason = QStringLiteral("It is not an ordinary file.");
    else if (file.exists() && ::access(QFile::encodeName(problem.file).constData(), W_OK) != 0)
        problem.reason = systemReason(errno);
    else if (QFileInfo(folder).isDir() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        problem.reason = systemReason(errno);
    else if (writeFailed)
        problem.reason = trialWrite(folder);
    return problem;
}
