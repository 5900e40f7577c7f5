#pragma once

class MessageBoxes;
class QComboBox;

// The user's favourite masks: the rows of the mask box mCombo, kept in
// mask.kmf. The box's edit text is the mask the commands act on.
namespace MaskList {

// The box may be out of date: another window may have changed mask.kmf
// since. Both commands change the file as it stands (MaskFile::change) and
// show the resulting list in the box, keeping the text typed in it; when
// the file cannot be written the user is told which file and why.

// addButton: adds the box's text when it has at least 4 characters and is
// not listed yet (compared exactly). A listed mask is refused with a
// message; a shorter one is ignored without a word.
void AddMask(QComboBox &masks, MessageBoxes &messages);

// sudButton: asks whether to remove the box's text; on Yes removes the
// listed mask equal to it. The text stays in the box, ready to be added
// again; when no listed mask equals it, nothing is removed.
void RemoveMask(QComboBox &masks, MessageBoxes &messages);

// Loads mask.kmf into the box; a missing file leaves it as it is.
void LoadMasks(QComboBox &masks);

} // namespace MaskList
