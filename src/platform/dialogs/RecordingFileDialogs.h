#pragma once

#include "platform/dialogs/FileDialogs.h"

#include <QList>

// File dialogs for tests: every request is recorded and answered at once
// with the file a test queued; with nothing queued the dialog counts as
// cancelled.
class RecordingFileDialogs final : public FileDialogs
{
public:
    QString chooseFile(const Request &request) override
    {
        requests.append(request);
        return m_files.isEmpty() ? QString() : m_files.takeFirst();
    }

    QSize lastSize() const override { return closedAt; }

    void answerNextWith(const QString &file) { m_files.append(file); }

    QList<Request> requests;
    QSize closedAt; // what lastSize() reports

private:
    QStringList m_files;
};
