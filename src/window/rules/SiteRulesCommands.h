#pragma once

#include "core/rules/PasswordRules.h"

#include <functional>

class MessageBoxes;
class QLineEdit;
class QString;
class WindowBatch;
struct Form;

// The Site Rules panel (rFrame): a website's password rules, typed, pasted
// or found by the site's name in the shipped list, the length of the
// passwords within the rules' bounds, the rules' exact strength at that
// length, and Generate, which fills the result list through the window's
// batch with the count box's number.
namespace SiteRulesPanel {

// The rules a text stands for: rules in the rules language when it holds a
// property ("name: value"), else a site name or address looked up in the
// shipped list.
PasswordRules::Read readRules(const QString &text);

// The rules box changed: reads the rules again, bounds the length box by
// them at their default length, and shows their strength, or on the message
// line why they can't be used.
void ShowRules(const Form &form);

// The length box changed: the strength at the new length, or why no
// password of it meets the rules.
void ShowStrength(const Form &form);

// The count line again, in the language's number format.
void ShowCount(const Form &form);
// A language applied: the count line's caption ("%1 passwords ...") and the
// locale whose digit groups it shows.
void useLanguage(const Form &form, const QString &countCaption, const QString &locale);

// Opening the panel: the site names are suggested from the first opening
// on (reading the list is no part of the window's start), and the rules
// restored at start-up are read then too.
void Prepare(const Form &form);

// Whether the site suggestions show: Enter there picks one (or closes
// them), and generates only once the rules picked can be seen.
bool suggestionsShown(const Form &form);
// Escape: closes the site suggestions when they show (true), else nothing.
bool closeSuggestions(const Form &form);

// The last rules and length (Rules, RulesLen), put in their boxes at
// start-up without reading them yet.
void RestoreLastRules(const Form &form);

// Keeps the panel's count box and the main panel's showing the same number.
void twinCountBoxes(QLineEdit &one, QLineEdit &other);

// Generate: checks the rules, the length and the count, calls showList
// (which brings the result list into view) and has the batch fill the list.
// Once it has, the rules, the length and the count are remembered or
// forgotten as SaveM and SaveN say. A failed check shows its message and
// leaves the panel open.
void RunRulesGenerateCommand(const Form &form, WindowBatch &batch, MessageBoxes &messages,
                             const std::function<void()> &showList);

} // namespace SiteRulesPanel
