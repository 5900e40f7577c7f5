#pragma once

#include <QString>

// Answers "where is file X" for every file the program reads or writes
// beside itself.
//
// Portable layout: the executable's folder holds Language/ (the build tree
// and a copied program folder work this way); every file lies there.
// Installed layout: read-only data comes from <prefix>/share/tessaro and the
// user's own files (mask.kmf, lastgenerated.txt) from the per-user data
// folder, ~/.local/share/Brasmoor/Tessaro.
namespace ProgramFolder {

enum class File {
    MaskList,      // mask.kmf
    LastGenerated, // lastgenerated.txt
    HelpIndex,     // help/index.htm
    UpdateIcon,    // icons/update.ico
    CloseIcon,     // icons/close.ico
    StarterMasks,  // the shipped mask.kmf the user's list starts from
    WordList,      // words/wordlist_en_eff.txt, the shipped English word list
    SiteRules,     // password-rules/password-rules.json, known websites' password rules
};

QString path(File file);

// The path of a file the program writes (mask.kmf, lastgenerated.txt), after
// creating its folder when it is missing, as on a first run in a new home.
QString pathForWriting(File file);

// The full path of the running executable, found without a QCoreApplication.
QString executablePath();

// The folder that holds the executable.
QString executableFolder();

// The one folder the program's modules are loaded from: the real
// executable's own folder in a portable copy or the build tree, the
// installed module folder (<libdir>/tessaro/modules) otherwise. Tests do not
// move it.
QString moduleFolder();

// The folder the read-only data lies in (languages, help, icons).
QString dataFolder();

// The folder of the user's own files; pathForWriting() creates it on demand.
QString userFolder();

// The language folder, whether it is spelt "Language" or "language"; empty
// when neither exists.
QString languageFolder();

// The file of the named language: a file in the language folder whose name
// is the language name plus ".lng", matched without regard to case. When no
// such file exists the path still names where it would be.
QString languageFile(const QString &languageName);

// Tests point the program folder somewhere else; an empty text restores the
// executable's own folder.
void setFolderForTesting(const QString &folder);

} // namespace ProgramFolder
