#pragma once

#include <QList>
#include <QObject>

#include <memory>

class ClickPlayer;
class QAbstractButton;
struct Form;

// The click sound of the window's push buttons. ApplySound switches the
// listed buttons between playing it and staying silent (the button's
// "clickSound" property: 2 plays, 0 is silent). The sound is a short WAV
// played by a ClickPlayer, loaded with its module on the first click that
// needs it; with no module, audio device or back end the click is silent.
class ClickSound final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPlays = 2;
    static constexpr int kSilent = 0;

    explicit ClickSound(QObject *parent = nullptr);
    ~ClickSound() override;

    // The eleven buttons, in the order they are switched.
    static QList<QAbstractButton *> buttons(const Form &form);

    // Connects every listed button's click to the sound.
    void connectButtons(const Form &form);

    // 1: the listed buttons play the sound, 0: they are silent; any other
    // number does nothing.
    void ApplySound(const Form &form, int sound);

    // How many clicks asked for the sound (whether or not a device played it).
    int playCount() const { return m_playCount; }

private:
    void clicked(const QAbstractButton &button);

    std::unique_ptr<ClickPlayer> m_player;
    bool m_playerLoaded = false; // tried once: a missing module is not looked for again
    int m_playCount = 0;
};
