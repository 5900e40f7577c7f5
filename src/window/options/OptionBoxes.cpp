#include "window/options/OptionBoxes.h"

#include "core/settings/SettingsTable.h"
#include "window/generation/WordListChoice.h"
#include "window/MainWindow.h"
#include "window/options/ClickSound.h"
#include "window/options/ControlLooks.h"
#include "window/options/Topmost.h"

#include <QCheckBox>

#include <array>

using namespace Qt::StringLiterals;

namespace OptionBoxes {

namespace {

namespace Name = Settings::Name;

// clang-format off
constexpr std::array kOptions{
    Option{&Form::Slm, Name::SaveM,      Effect::None},
    Option{&Form::ACu, Name::AUChk,      Effect::None},
    Option{&Form::slg, Name::SaveN,      Effect::None},
    Option{&Form::ccl, Name::Confirm,    Effect::None},
    Option{&Form::ASg, Name::LastGen,    Effect::None},
    Option{&Form::ccb, Name::Clear,      Effect::None},
    Option{&Form::cca, Name::ClearAfter, Effect::None},
    Option{&Form::Kot, Name::OnTop,      Effect::Topmost},
    Option{&Form::soo, Name::Sound,      Effect::Sound},
    Option{&Form::Xs,  Name::Style,      Effect::Style},
    Option{&Form::wcp, Name::WordCap,    Effect::Generation},
    Option{&Form::nla, Name::NoLookAlike, Effect::Generation},
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

void applyEffect(MainWindow &window, Effect effect, int state)
{
    if (state != 0 && state != 1)
        return;
    switch (effect) {
    case Effect::None:
        break;
    case Effect::Topmost:
        state == 1 ? SetTopmost(window) : ClearTopmost(window);
        break;
    case Effect::Sound:
        window.clickSound().ApplySound(window.form(), state);
        break;
    case Effect::Style:
        window.looks().ApplyStyle(window.form(), state);
        break;
    case Effect::Generation:
        window.refreshStrength();
        WordListChoice::ShowWordCount(window.form());
        break;
    }
}

void boxClicked(MainWindow &window, const Option &option)
{
    const int state = stateOf(*(window.form().*option.box));
    if (state != 0 && state != 1)
        return;
    Settings::write(option.setting, state == 1 ? u"1"_s : u"0"_s);
    applyEffect(window, option.effect, state);
}

void connectBoxes(MainWindow &window)
{
    for (const Option &option : kOptions) {
        // clicked comes from the user only, never from setChecked.
        QObject::connect(window.form().*option.box, &QCheckBox::clicked, &window,
                         [&window, &option] { boxClicked(window, option); });
    }
}

} // namespace OptionBoxes
