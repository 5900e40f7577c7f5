#include "core/rules/SiteRules.h"

#include "core/common/ProgramFolder.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace SiteRules {

namespace {

struct Entry
{
    QString rules;
    bool exactDomainOnly = false;
};

struct SiteList
{
    QHash<QString, Entry> entries;
    Outcome outcome;
};

SiteList readList(const QString &path)
{
    SiteList read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.outcome =
            Outcome::failure(u"The list of sites' rules, %1, can't be read: %2."_s.arg(path, file.errorString()));
        return read;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject()) {
        read.outcome =
            Outcome::failure(u"The list of sites' rules, %1, is damaged: %2."_s.arg(path, error.errorString()));
        return read;
    }
    const QJsonObject sites = document.object();
    for (auto site = sites.begin(); site != sites.end(); ++site) {
        const QJsonObject entry = site.value().toObject();
        read.entries.insert(site.key().toLower(), {entry.value("password-rules"_L1).toString(),
                                                   entry.value("exact-domain-match-only"_L1).toBool()});
    }
    return read;
}

// The list is read once, on first need (again when tests move the program's folder).
std::shared_ptr<const SiteList> siteList()
{
    static QMutex mutex;
    static QString readFrom;
    static std::shared_ptr<const SiteList> list;
    const QString path = ProgramFolder::path(ProgramFolder::File::SiteRules);
    const QMutexLocker locker(&mutex);
    if (!list || path != readFrom) {
        list = std::make_shared<const SiteList>(readList(path));
        readFrom = path;
    }
    return list;
}

// "https://user@Accounts.Example.com:8443/login" -> "accounts.example.com".
QString hostOf(QStringView site)
{
    const QString text = site.trimmed().toString();
    const QUrl url = QUrl::fromUserInput(text);
    QString host = url.isValid() && !url.host().isEmpty() ? url.host() : text;
    host = host.toLower();
    while (host.endsWith(u'.'))
        host.chop(1);
    return host;
}

} // namespace

PasswordRules::Read rulesFor(QStringView site)
{
    const std::shared_ptr<const SiteList> list = siteList();
    if (!list->outcome)
        return {PasswordRules{}, list->outcome};
    const QString host = hostOf(site);
    // The site's own entry, else its parent domains' that are not for
    // themselves alone.
    for (QString name = host; !name.isEmpty(); name = name.section(u'.', 1)) {
        const auto entry = list->entries.constFind(name);
        if (entry != list->entries.cend() && (name == host || !entry->exactDomainOnly))
            return PasswordRules::read(entry->rules);
    }
    return {PasswordRules{}, Outcome::failure(u"No rules are known for \"%1\"."_s.arg(site.trimmed()))};
}

QStringList siteNames()
{
    QStringList names = siteList()->entries.keys();
    names.sort();
    return names;
}

} // namespace SiteRules
