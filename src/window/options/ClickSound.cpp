#include "window/options/ClickSound.h"

#include "core/common/ProgramModule.h"

#include "window/form/Form.h"
#include "window/sounds/ClickPlayer.h"

#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

constexpr char kProperty[] = "clickSound";

// Null when the player module cannot be loaded: the buttons stay silent.
std::unique_ptr<ClickPlayer> loadPlayer()
{
    using Create = ClickPlayer *(*)();
    const ProgramModule::Entry entry = ProgramModule::resolve(u"tessaro_click_sound"_s, "tessaroCreateClickPlayer");
    if (const auto create = reinterpret_cast<Create>(entry.function))
        return std::unique_ptr<ClickPlayer>(create());
    qWarning("The buttons stay silent: %s", qUtf8Printable(entry.error));
    return nullptr;
}

} // namespace

// The sound lies in this static library's resources, which the linker keeps
// only when something names them.
static void loadSoundResource()
{
    Q_INIT_RESOURCE(sounds);
}

ClickSound::ClickSound(QObject *parent) : QObject(parent)
{
    loadSoundResource();
}

ClickSound::~ClickSound() = default;

QList<QAbstractButton *> ClickSound::buttons(const Form &form)
{
    return {form.aButton, form.cButton, form.fButton, form.gButton,   form.oButton,  form.SButton,
            form.nButton, form.mButton, form.iButton, form.addButton, form.sudButton};
}

void ClickSound::connectButtons(const Form &form)
{
    for (QAbstractButton *button : buttons(form))
        connect(button, &QAbstractButton::pressed, this, [this, button] { clicked(*button); });
}

void ClickSound::ApplySound(const Form &form, int sound)
{
    if (sound != 0 && sound != 1)
        return;
    for (QAbstractButton *button : buttons(form))
        button->setProperty(kProperty, sound == 1 ? kPlays : kSilent);
}

void ClickSound::clicked(const QAbstractButton &button)
{
    if (button.property(kProperty).toInt() != kPlays)
        return;
    ++m_playCount;
    if (!m_playerLoaded) {
        m_playerLoaded = true;
        m_player = loadPlayer();
    }
    if (m_player)
        m_player->play();
}
