#include "window/options/OptionBoxes.h"

#include "core/settings/SettingsTable.h"
#include "window/form/Form.h"

#include <QCheckBox>

#include <array>

using namespace Qt::StringLiterals;

namespace OptionBoxes {

namespace {

namespace Name = Settings::Name;

// The two generation boxes have no start-up effect: start-up shows the
// strength and the word count once, when every field is set.
// clang-format off
constexpr std::array kOptions{
    Option{&Form::Slm, Name::SaveM,       Effect::None,       Effect::None},
    Option{&Form::ACu, Name::AUChk,       Effect::None,       Effect::UpdateCheck},
    Option{&Form::slg, Name::SaveN,       Effect::None,       Effect::None},
    Option{&Form::ccl, Name::Confirm,     Effect::None,       Effect::None},
    Option{&Form::ASg, Name::LastGen,     Effect::None,       Effect::None},
    Option{&Form::ccb, Name::Clear,       Effect::None,       Effect::None},
    Option{&Form::cca, Name::ClearAfter,  Effect::None,       Effect::None},
    Option{&Form::Kot, Name::OnTop,       Effect::Topmost,    Effect::Topmost},
    Option{&Form::soo, Name::Sound,       Effect::Sound,      Effect::Sound},
    Option{&Form::Xs,  Name::Style,       Effect::Style,      Effect::Style},
    Option{&Form::wcp, Name::WordCap,     Effect::Generation, Effect::None},
    Option{&Form::nla, Name::NoLookAlike, Effect::Generation, Effect::None},
};
// clang-format on

// A check box's state as a number: 0 unticked, 1 ticked, 2 partly ticked.
int stateOf(const QCheckBox &box)
{
    switch (box.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

} // namespace

std::span<const Option> options()
{
    return kOptions;
}

void restoreBoxes(const Form &form, const EffectRunner &perform)
{
    for (const Option &option : kOptions) {
        QCheckBox &box = *(form.*option.box);
        bool isNumber = false;
        const int state = Settings::readOrDefault(option.setting).trimmed().toInt(&isNumber);
        if (!isNumber || (state != 0 && state != 1))
            continue;
        box.setChecked(state == 1);
        perform(option.startupEffect, state);
    }
}

void boxClicked(const Form &form, const Option &option, const EffectRunner &perform)
{
    const int state = stateOf(*(form.*option.box));
    if (state != 0 && state != 1)
        return;
    Settings::write(option.setting, state == 1 ? u"1"_s : u"0"_s);
    perform(option.effect, state);
}

void connectBoxes(const Form &form, QObject &context, const EffectRunner &perform)
{
    for (const Option &option : kOptions) {
        // clicked comes from the user only, never from setChecked.
        QObject::connect(form.*option.box, &QCheckBox::clicked, &context,
                         [&form, &option, perform] { boxClicked(form, option, perform); });
    }
}

} // namespace OptionBoxes
