#include "window/generate/GenerateCommand.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/PasswordGenerator.h"
#include "core/settings/SettingsTable.h"
#include "platform/messages/MessageBoxes.h"
#include "window/generate/WindowBatch.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

void showTwoLineError(MessageBoxes &messages, const QString &first, const QString &second)
{
    messages.showError(first + u"\r\n"_s + second);
}

// The count of a number text that has passed the blank and zero checks: any
// whole number a signed 32-bit count holds ("00" and "-5" make nothing).
// Letters, fractions and larger numbers are refused rather than guessed at.
std::optional<qint32> countOf(const QString &numberText)
{
    bool isNumber = false;
    const qint32 count = numberText.trimmed().toInt(&isNumber, 10);
    if (!isNumber)
        return std::nullopt;
    return count;
}

// "1" stores the current text, "0" forgets it, anything else leaves it.
void remember(QLatin1String option, QLatin1String setting, const QString &text)
{
    const QString flag = Settings::read(option);
    if (flag == u"0")
        Settings::write(setting, QString());
    else if (flag == u"1")
        Settings::write(setting, text);
}

} // namespace

void RunGenerateCommand(QComboBox &mCombo, QLineEdit &spinner, WindowBatch &batch, MessageBoxes &messages)
{
    const QString mask = mCombo.currentText();
    const QString numberText = spinner.text();

    if (mask.size() < 4) {
        showTwoLineError(messages, u"You need at least 4 characters "_s, u"before you can generate a password."_s);
        return;
    }
    if (numberText.isEmpty()) {
        showTwoLineError(messages, u"The number to generate can't be blank, "_s, u"enter a number 1 or above."_s);
        spinner.setText(u"1"_s);
        return;
    }
    if (numberText == u"0") {
        showTwoLineError(messages, u"The number to generate can't be zero, "_s, u"enter a number 1 or above."_s);
        spinner.setText(u"1"_s);
        return;
    }
    const std::optional<qint32> count = countOf(numberText);
    if (!count) {
        showTwoLineError(messages, u"The number to generate must be a whole number "_s, u"from 1 to 2,147,483,647."_s);
        return;
    }

    batch.start(*count, mask, [&messages, mask, numberText, count = *count](const GenerationOutcome &outcome) {
        if (!outcome.wordList.ok()) {
            messages.showError(outcome.wordList.reason());
            return;
        }
        if (!outcome.memory.ok()) {
            showTwoLineError(messages, u"There is not enough memory to generate %1 passwords: "_s.arg(count),
                             u"the batch "_s + outcome.memory.reason() + u". Enter a smaller number."_s);
            return;
        }
        if (outcome.stopped)
            return;
        if (!outcome.lastGenerated.ok()) {
            const QString path = ProgramFolder::path(ProgramFolder::File::LastGenerated);
            showTwoLineError(messages, u"Could not save the file "_s + QDir::toNativeSeparators(path),
                             outcome.lastGenerated.reason());
        }
        remember(Settings::Name::SaveM, Settings::Name::String, mask);
        remember(Settings::Name::SaveN, Settings::Name::Generate, numberText);
    });
}
