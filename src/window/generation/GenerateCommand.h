#pragma once

class MessageBoxes;
class QComboBox;
class QLineEdit;
class WindowBatch;

// The Generate command: checks the mask and the number to generate, has the
// batch fill the result list, then (once it has) remembers or forgets the mask (SaveM) and the number
// (SaveN). A failed check shows its message and changes nothing else, except
// that a blank or zero number is reset to "1". A mask whose word list can't
// be used, or a batch that could not have its memory, is reported the same
// way, and the list keeps its rows.
void RunGenerateCommand(QComboBox &mCombo, QLineEdit &spinner, WindowBatch &batch, MessageBoxes &messages);
