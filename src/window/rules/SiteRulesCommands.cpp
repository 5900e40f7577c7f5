#include "window/rules/SiteRulesCommands.h"

#include "core/generation/PasswordGenerator.h"
#include "core/localisation/LanguageTexts.h"
#include "core/rules/RulesMaker.h"
#include "core/rules/RulesStrength.h"
#include "core/rules/SiteRules.h"
#include "core/settings/SettingsTable.h"
#include "platform/messages/MessageBoxes.h"
#include "window/form/Form.h"
#include "window/form/StrengthMeter.h"
#include "window/generation/GenerateCommand.h"
#include "window/generation/WindowBatch.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace SiteRulesPanel {

namespace {

namespace Name = Settings::Name;

// Properties the panel's controls carry between its handlers.
constexpr char kDigits[] = "countDigits";    // rcLabel: the count shown, in decimal digits
constexpr char kLocale[] = "numberLocale";   // rcLabel: the language's locale, for its digit groups
constexpr char kPending[] = "pendingLength"; // rlSpin: a restored length not applied yet
constexpr char kPrepared[] = "prepared";     // rFrame: the panel has been opened

// A count of many digits in groups of three, as the language writes numbers.
QString grouped(const QString &digits, const QString &locale)
{
    const QString separator = QLocale(locale.isEmpty() ? u"en"_s : locale).groupSeparator();
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += separator;
        text += digits.at(i);
    }
    return text;
}

void showProblem(const Form &form, const QString &problem)
{
    form.rmLabel->setText(problem);
    form.rmLabel->setVisible(!problem.isEmpty());
}

void showNoStrength(const Form &form)
{
    form.rsMeter->showBits(0);
    form.rcLabel->setProperty(kDigits, QString());
    ShowCount(form);
}

} // namespace

PasswordRules::Read readRules(const QString &text)
{
    // A property's colon; an address's "://" is no property.
    const bool isRules = text.contains(u':') && !text.contains(u"://"_s);
    return isRules ? PasswordRules::read(text) : SiteRules::rulesFor(text.trimmed());
}

void ShowRules(const Form &form)
{
    const QString text = form.ruEdit->text();
    if (text.trimmed().isEmpty()) {
        form.rlSpin->setEnabled(false);
        showProblem(form, QString());
        showNoStrength(form);
        return;
    }
    const PasswordRules::Read read = readRules(text);
    if (!read.outcome) {
        form.rlSpin->setEnabled(false);
        showProblem(form, read.outcome.reason());
        showNoStrength(form);
        return;
    }
    const PasswordRules &rules = read.rules;
    {
        QSpinBox &length = *form.rlSpin;
        const QSignalBlocker quiet(length);
        // A length chosen for rules with the same bounds stays, while a typo
        // in them is mended; other rules start at their default length.
        const bool sameBounds =
            length.isEnabled() && length.minimum() == rules.shortest() && length.maximum() == rules.longest();
        const QVariant pending = length.property(kPending);
        const int chosen = pending.isValid() ? pending.toInt() : sameBounds ? length.value() : rules.defaultLength();
        length.setRange(rules.shortest(), rules.longest());
        length.setValue(chosen);
        length.setProperty(kPending, QVariant());
        length.setEnabled(true);
    }
    ShowStrength(form);
}

void ShowStrength(const Form &form)
{
    const PasswordRules::Read read = readRules(form.ruEdit->text());
    if (!read.outcome || !form.rlSpin->isEnabled())
        return;
    const int length = form.rlSpin->value();
    const RulesStrength strength = measure(read.rules, length);
    showProblem(form, strength.problem);
    form.rsMeter->showBits(strength.bits);
    form.rcLabel->setProperty(kDigits, strength.count);
    ShowCount(form);
}

void useLanguage(const Form &form, const QString &countCaption, const QString &locale)
{
    form.rcLabel->setProperty("caption", countCaption);
    form.rcLabel->setProperty(kLocale, locale);
    ShowCount(form);
}

void ShowCount(const Form &form)
{
    const QString digits = form.rcLabel->property(kDigits).toString();
    const QString caption = form.rcLabel->property("caption").toString();
    form.rcLabel->setText(digits.isEmpty() ? QString()
                                           : caption.arg(grouped(digits, form.rcLabel->property(kLocale).toString())));
    form.rcLabel->setVisible(!digits.isEmpty());
}

bool suggestionsShown(const Form &form)
{
    // The suggestions pass their Enter on to the box while they still show.
    const QCompleter *sites = form.ruEdit->completer();
    return sites && sites->popup()->isVisible();
}

bool closeSuggestions(const Form &form)
{
    if (!suggestionsShown(form))
        return false;
    form.ruEdit->completer()->popup()->hide();
    return true;
}

void Prepare(const Form &form)
{
    if (form.rFrame->property(kPrepared).toBool())
        return;
    form.rFrame->setProperty(kPrepared, true);
    auto *sites = new QCompleter(SiteRules::siteNames(), form.ruEdit);
    sites->setCaseSensitivity(Qt::CaseInsensitive);
    sites->setFilterMode(Qt::MatchContains);
    sites->setMaxVisibleItems(10);
    form.ruEdit->setCompleter(sites);
    ShowRules(form);
}

void RestoreLastRules(const Form &form)
{
    const QSignalBlocker quiet(form.ruEdit);
    form.ruEdit->setText(Settings::read(Name::Rules));
    bool isNumber = false;
    const int length = Settings::read(Name::RulesLen).toInt(&isNumber);
    form.rlSpin->setProperty(kPending, isNumber ? QVariant(length) : QVariant());
}

void twinCountBoxes(QLineEdit &one, QLineEdit &other)
{
    other.setText(one.text());
    for (auto [from, to] : {std::pair{&one, &other}, std::pair{&other, &one}}) {
        QObject::connect(from, &QLineEdit::textChanged, to, [to](const QString &text) {
            if (to->text() != text)
                to->setText(text);
        });
    }
}

void RunRulesGenerateCommand(const Form &form, WindowBatch &batch, MessageBoxes &messages,
                             const std::function<void()> &showList)
{
    const QString text = form.ruEdit->text();
    const PasswordRules::Read read = text.trimmed().isEmpty()
                                         ? PasswordRules::Read{{}, Outcome::failure(Localisation::text("Message20"_L1))}
                                         : readRules(text);
    const int length = form.rlSpin->value();
    // The rules' length check comes first in RulesMaker's verdict.
    const Outcome usable = read.outcome ? RulesMaker(read.rules, length).usable() : read.outcome;
    if (!usable) {
        messages.showError(usable.reason());
        form.ruEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    const std::optional<qint32> count = CheckCount(*form.rnEdit, messages);
    if (!count)
        return;

    const QString numberText = form.rnEdit->text();
    showList();
    batch.start(
        *count,
        [count = *count, rules = read.rules, length](ResultList &rows, BatchControl *control) {
            return GenerateFromRules(rows, count, rules, length, control);
        },
        [&messages, text, length, numberText](const GenerationOutcome &outcome) {
            if (!ReportOutcome(outcome, messages))
                return;
            Remember(Name::SaveM, Name::Rules, text);
            Remember(Name::SaveM, Name::RulesLen, QString::number(length));
            Remember(Name::SaveN, Name::Generate, numberText);
        });
}

} // namespace SiteRulesPanel
