#pragma once

class MessageBoxes;
struct Form;

// The save buttons and the mode choice of the Generation Options (gFrame)
// and Mask Options (sFrame) panels. The generator reads the stored values
// at every batch, so a saved change applies to the next Generate.
namespace GenerationPanels {

// nButton: with custom generation chosen, checks the four class fields in
// order and stores them (AlphaU, AlphaL, Numeric, Special); with default
// generation nothing is checked or stored. Returns true when the panel may
// close; false after an empty field was reported and given the focus.
bool SaveClasses(const Form &form, MessageBoxes &messages);

// mButton: checks the five symbol fields in order, that the word symbol is
// none of them, then the word list, and stores them (uMask, lMask, nMask,
// sMask, iMask, then wMask and Words, which may be empty). Returns false
// after an empty field, a word symbol taken by another symbol or a word list
// that can't be used was reported and given the focus.
bool SaveSymbols(const Form &form, MessageBoxes &messages);

// cOption clicked: enables the class fields and their labels when the box
// is set; stores GenOpt "1" in any case.
void ChooseCustomGeneration(const Form &form);

// dOption clicked: disables the class fields and their labels when the box
// is set; stores GenOpt "0" in any case.
void ChooseDefaultGeneration(const Form &form);

// The four class fields and their labels, enabled or not.
void enableClassFields(const Form &form, bool enabled);

} // namespace GenerationPanels
