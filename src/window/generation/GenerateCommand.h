#pragma once

#include <QLatin1String>
#include <QtGlobal>

#include <optional>

class MessageBoxes;
class QString;
struct GenerationOutcome;
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

// The number to generate in the count box, checked as Generate checks it:
// a blank or zero number is reported and reset to "1", any other that is not
// a whole number from 1 to 2,147,483,647 reported; nothing then.
std::optional<qint32> CheckCount(QLineEdit &spinner, MessageBoxes &messages);

// Reports why a batch made nothing, or why lastgenerated.txt could not be
// written. False when nothing was made (or the batch was stopped).
bool ReportOutcome(const GenerationOutcome &outcome, MessageBoxes &messages);

// The option's "1" stores the text under setting, "0" forgets it, anything
// else leaves it (SaveM, SaveN).
void Remember(QLatin1String option, QLatin1String setting, const QString &text);
