#pragma once

class MessageBoxes;
class QComboBox;

// The user's favourite masks: the rows of the mask box mCombo, kept in
// mask.kmf. The box's edit text is the mask the commands act on.
namespace MaskList {

// addButton: appends the mask when it has at least 4 characters and is not
// listed yet (compared exactly), then rewrites mask.kmf. A listed mask is
// refused with a message; a shorter one is ignored without a word.
void AddMask(QComboBox &masks, MessageBoxes &messages);

// sudButton: asks whether to remove the mask; on Yes removes the listed
// mask whose text equals it and rewrites mask.kmf. When no listed mask
// equals the text, nothing is removed and the file is left alone.
void RemoveMask(QComboBox &masks, MessageBoxes &messages);

// Loads mask.kmf into the box; a missing file leaves it as it is.
void LoadMasks(QComboBox &masks);

// Writes every row of the box to mask.kmf. When the file cannot be written
// the user is told which file and why; the box keeps its rows.
bool SaveMasks(QComboBox &masks, MessageBoxes &messages);

} // namespace MaskList
