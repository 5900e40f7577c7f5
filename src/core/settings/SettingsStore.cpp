#include "core/settings/SettingsStore.h"

#include "core/common/PrivateFiles.h"

#include <QSettings>
#include <QStringList>

#include <memory>
#include <optional>

namespace {

struct KeyLocation
{
    QSettings::Scope scope;
    QString organization;
    QString application; // empty: the organisation-wide settings
    QString group;       // key levels below the application, '/'-separated
};

// "Software\Org\App\Sub" -> organisation Org, application App, group Sub.
std::optional<KeyLocation> locate(RegistryRoot root, QAnyStringView keyPath)
{
    KeyLocation where;
    switch (root) {
    case RegistryRoot::CurrentUser:
        where.scope = QSettings::UserScope;
        break;
    case RegistryRoot::LocalMachine:
        where.scope = QSettings::SystemScope;
        break;
    default:
        return std::nullopt;
    }

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
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, where.scope, where.organization, where.application);
    // Only this user's own store counts; system-wide files must not leak in.
    settings->setFallbacksEnabled(false);
    if (!where.group.isEmpty())
        settings->beginGroup(where.group);
    return settings;
}

// A stored value as a text: the default when it is not a string, cut at a NUL.
QString textOf(const QVariant &value, const QString &defaultValue)
{
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return defaultValue;
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

} // namespace

QString GetRegValue(RegistryRoot root, QAnyStringView keyPath, QAnyStringView name, const QString &defaultValue)
{
    return GetRegValues(root, keyPath, {name.toString()}, defaultValue).front();
}

QStringList GetRegValues(RegistryRoot root, QAnyStringView keyPath, const QStringList &names,
                         const QString &defaultValue)
{
    QStringList texts;
    const auto where = locate(root, keyPath);
    const auto settings = where ? open(*where) : nullptr;
    for (const QString &name : names)
        texts.append(settings ? textOf(settings->value(name), defaultValue) : defaultValue);
    return texts;
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

void SetRegValues(RegistryRoot root, QAnyStringView keyPath, const QList<RegValue> &values, RegWrite which)
{
    const auto where = locate(root, keyPath);
    if (!where)
        return;
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
}
