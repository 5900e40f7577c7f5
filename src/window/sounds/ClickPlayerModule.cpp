#include "window/sounds/ClickPlayer.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

class SoundEffectPlayer final : public ClickPlayer
{
public:
    SoundEffectPlayer()
    {
        // Loading is asynchronous and a missing device only sets an error
        // status, so nothing here waits or reports.
        m_effect.setSource(QUrl(QStringLiteral("qrc:/sounds/click.wav")));
        m_effect.setVolume(0.35f);
    }
    void play() override { m_effect.play(); }

private:
    QSoundEffect m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT ClickPlayer *tessaroCreateClickPlayer()
{
    return new SoundEffectPlayer;
}
