#pragma once

// The player of the click sound. It lives in the module tessaro_click_sound,
// the one part of the program that links Qt Multimedia, so that the audio
// libraries are loaded on the first click that plays, not at start-up.
class ClickPlayer
{
public:
    virtual ~ClickPlayer() = default;
    // Plays the program's click (the resource :/sounds/click.wav) without
    // waiting; without an audio device nothing is heard.
    virtual void play() = 0;
};

// The module's entry point, looked up by this name.
extern "C" ClickPlayer *tessaroCreateClickPlayer();
