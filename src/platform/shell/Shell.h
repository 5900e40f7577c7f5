#pragma once

#include <QUrl>

// Hands addresses to the desktop: web pages and local documents open in the
// user's default browser or viewer.
class Shell
{
public:
    virtual ~Shell() = default;
    // Starts the opener without waiting for it. False when there is no
    // opener to start (no browser, no desktop service), true otherwise.
    virtual bool openUrl(const QUrl &url) = 0;
};

// QDesktopServices.
class QtShell final : public Shell
{
public:
    bool openUrl(const QUrl &url) override;
};
