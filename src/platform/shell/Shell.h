#pragma once

#include <QUrl>

// Hands addresses to the desktop: web pages and local documents open in the
// user's default browser or viewer.
class Shell
{
public:
    virtual ~Shell() = default;
    // Starts the opener without waiting for it; reports nothing.
    virtual void openUrl(const QUrl &url) = 0;
};

// QDesktopServices.
class QtShell final : public Shell
{
public:
    void openUrl(const QUrl &url) override;
};
