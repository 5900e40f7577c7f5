#pragma once

#include <QString>

// Qt's own words (the standard buttons Yes, No, OK, Cancel and the file
// dialog) in the language of the chosen language file, from the
// translations Qt ships (qtbase_<locale>.qm).
namespace QtTranslation {

// Loads Qt's translation for a language file's locale ("de", "pt_BR") in
// place of the one loaded before. English ("en", "en_GB") or no locale
// unloads it and loads nothing: Qt's own texts are English. A locale Qt has
// no translation for leaves Qt's words in English.
void use(const QString &locale);

} // namespace QtTranslation
