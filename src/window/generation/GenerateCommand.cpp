#include "window/generation/GenerateCommand.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/PasswordGenerator.h"
#include "core/localisation/LanguageTexts.h"
#include "core/settings/SettingsTable.h"
#include "platform/messages/MessageBoxes.h"
#include "window/generation/WindowBatch.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

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

} // namespace

void Remember(QLatin1String option, QLatin1String setting, const QString &text)
{
    const QString flag = Settings::read(option);
    if (flag == u"0")
        Settings::write(setting, QString());
    else if (flag == u"1")
        Settings::write(setting, text);
}

std::optional<qint32> CheckCount(QLineEdit &spinner, MessageBoxes &messages)
{
    const QString numberText = spinner.text();
    if (numberText.isEmpty()) {
        messages.showError(Localisation::text("Message02"_L1));
        spinner.setText(u"1"_s);
        return std::nullopt;
    }
    if (numberText == u"0") {
        messages.showError(Localisation::text("Message03"_L1));
        spinner.setText(u"1"_s);
        return std::nullopt;
    }
    const std::optional<qint32> count = countOf(numberText);
    if (!count)
        messages.showError(Localisation::text("Message04"_L1));
    return count;
}

bool ReportOutcome(const GenerationOutcome &outcome, MessageBoxes &messages)
{
    for (const Outcome *refusal : {&outcome.wordList, &outcome.rules, &outcome.memory}) {
        if (!refusal->ok()) {
            messages.showError(refusal->reason());
            return false;
        }
    }
    if (outcome.stopped)
        return false;
    if (!outcome.lastGenerated.ok()) {
        const QString path = ProgramFolder::path(ProgramFolder::File::LastGenerated);
        messages.showError(
            Localisation::text("Message06"_L1).arg(QDir::toNativeSeparators(path), outcome.lastGenerated.reason()));
    }
    return true;
}

void RunGenerateCommand(QComboBox &mCombo, QLineEdit &spinner, WindowBatch &batch, MessageBoxes &messages)
{
    const QString mask = mCombo.currentText();
    const QString numberText = spinner.text();

    if (mask.size() < 4) {
        messages.showError(Localisation::text("Message01"_L1));
        return;
    }
    const std::optional<qint32> count = CheckCount(spinner, messages);
    if (!count)
        return;

    batch.start(*count, mask, [&messages, mask, numberText](const GenerationOutcome &outcome) {
        if (!ReportOutcome(outcome, messages))
            return;
        Remember(Settings::Name::SaveM, Settings::Name::String, mask);
        Remember(Settings::Name::SaveN, Settings::Name::Generate, numberText);
    });
}
