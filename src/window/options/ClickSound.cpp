#include "options/ClickSound.h"

#include "form/Form.h"

#include <QFile>
#include <QPushButton>
#include <QSoundEffect>
#include <QToolButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
constexpr char kProperty[] = "clickSound";
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
    if (!m_effect) {
        // Loading is asynchronous and a missing device only sets an error
        // status, so nothing here waits or reports.
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl(u"qrc:/sounds/click.wav"_s));
        m_effect->setVolume(0.35f);
    }
    m_effect->play();
}
