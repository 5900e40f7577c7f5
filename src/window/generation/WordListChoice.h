#pragma once

#include <QString>

#include <array>

class CommonDialog;
class MessageBoxes;
struct Form;

// The word list controls of the Mask Options panel (sFrame): the file name
// wlEdit (empty for the shipped English list), its button wlButton and the
// count wcLabel. The file name is stored as Words by the panel's save.
namespace WordListChoice {

// The shipped German list, by its name in the Words setting.
inline constexpr char kGermanList[] = "wordlist_de.txt";

// wlButton's menu (made after the first painting): the shipped English list, the
// shipped German list and another file (the button's own click), so named.
void NameShippedLists(const Form &form, const std::array<QString, 3> &names);

// wlButton: picks a list file through the window's file dialog. A list that can be
// used goes into wlEdit and its count is shown; one that can't is reported
// (title "Error") and wlEdit keeps what it held.
void ChooseWordList(const Form &form, CommonDialog &dialog, MessageBoxes &messages);

// wcLabel: the caption (its "caption" property, "%1 words") with the number
// of words in the list wlEdit names, or why that list can't be used. While
// the window is hidden the count waits for its next painting.
void ShowWordCount(const Form &form);

// The save's check: true when wlEdit is empty or names a list that can be
// used; otherwise reports it, gives wlEdit the focus and returns false.
bool CheckWordList(const Form &form, MessageBoxes &messages);

} // namespace WordListChoice
