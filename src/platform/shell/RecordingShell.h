#pragma once

#include "shell/Shell.h"

#include <QList>

// A shell for tests: records the addresses instead of opening them.
class RecordingShell final : public Shell
{
public:
    void openUrl(const QUrl &url) override { opened.append(url); }

    QList<QUrl> opened;
};
