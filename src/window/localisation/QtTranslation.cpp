#include "window/localisation/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

using namespace Qt::StringLiterals;

namespace QtTranslation {

namespace {

struct Loaded
{
    std::unique_ptr<QTranslator> translator;
    QString locale;
};

Loaded &current()
{
    static Loaded loaded;
    return loaded;
}

bool isEnglish(const QString &locale)
{
    return locale.isEmpty() || locale.compare(u"en"_s, Qt::CaseInsensitive) == 0 ||
           locale.startsWith(u"en_"_s, Qt::CaseInsensitive) || locale.startsWith(u"en-"_s, Qt::CaseInsensitive);
}

void unload()
{
    Loaded &loaded = current();
    if (loaded.translator)
        QCoreApplication::removeTranslator(loaded.translator.get());
    loaded.translator.reset();
    loaded.locale.clear();
}

} // namespace

void use(const QString &locale)
{
    Loaded &loaded = current();
    if (isEnglish(locale)) {
        unload();
        return;
    }
    if (loaded.translator && loaded.locale == locale)
        return;
    // QTranslator::load tries "qtbase_de_AT", then "qtbase_de" for "de_AT".
    auto translator = std::make_unique<QTranslator>();
    const bool found = translator->load(u"qtbase_"_s + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    unload();
    if (!found)
        return;
    QCoreApplication::installTranslator(translator.get());
    loaded.translator = std::move(translator);
    loaded.locale = locale;
}

} // namespace QtTranslation
