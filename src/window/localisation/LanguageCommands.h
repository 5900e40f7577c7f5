#pragma once

#include <QString>

class MessageBoxes;
class QComboBox;
class ToolBand;
struct Form;

// The interface language: the language box LCombo and the texts of the
// window, which come from the chosen language file.
namespace Language {

// Fills the language box with one row per language file, names in proper
// case, without ".lng" unless keepExtension.
void FillLanguageList(QComboBox &languages, bool keepExtension);

// Sets every language-dependent text of the window from the file of the
// language stored in Language: captions, panel titles, tool captions (each
// also stored under its tool code, which the menu commands check), the list
// header, the About lead-ins and texts, the strength meter's words, the menu
// bar's titles, the tooltips and placeholders, and Qt's own words (standard
// buttons, file dialog) for the file's Locale. A text the
// file lacks or leaves empty, or every text of a missing file, is English;
// a caption too long for its place is shown elided (FittedCaption).
void ApplyLanguage(const Form &form, const ToolBand &tools);

// iButton: stores the language box's text as Language and applies it; true
// then, and the window closes the Interface Options panel. A name without a
// language file is neither stored nor applied: a message says so, false.
bool ApplyChosenLanguage(const Form &form, const ToolBand &tools, MessageBoxes &messages);

// The About panel's maker line and credits in the stored language.
void ShowAboutTexts(const Form &form);

// The text of the About panel's platform line on this system.
QString platformText();

} // namespace Language
