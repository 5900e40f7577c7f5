#pragma once

#include <QString>

class MainWindow;
class QComboBox;

// The interface language: the language box LCombo and the texts of the
// window, which come from the chosen language file.
namespace Language {

// Fills the language box with one row per language file, names in proper
// case, without ".lng" unless keepExtension.
void FillLanguageList(QComboBox &languages, bool keepExtension);

// Sets every language-dependent text of the window from the file of the
// language stored in Language: captions, panel titles, tool captions (each
// also stored under its tool code, which the menu commands are recognised
// by), the list header, the About lead-ins and the strength meter's words.
// A missing file or key gives the empty text, applied like any other.
void ApplyLanguage(MainWindow &window);

// iButton: stores the language box's text as Language, whatever it is,
// applies it, and closes the Interface Options panel.
void ApplyChosenLanguage(MainWindow &window);

// The text of the About panel's platform line on this system.
QString platformText();

} // namespace Language
