#pragma once

#include "platform/shell/Shell.h"

#include <QList>

// A shell for tests: records the addresses instead of opening them, and
// answers as a desktop with a browser (or, with opens false, without one).
class RecordingShell final : public Shell
{
public:
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return opens;
    }

    QList<QUrl> opened;
    bool opens = true;
};
