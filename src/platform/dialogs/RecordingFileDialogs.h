#pragma once

#include "platform/dialogs/FileDialogs.h"

#include <QList>

// File dialogs for tests: every request is recorded and answered at once
// with the files (or folder) a test queued; with nothing queued the dialog
// counts as cancelled.
class RecordingFileDialogs final : public FileDialogs
{
public:
    QStringList chooseFiles(const Request &request) override
    {
        requests.append(request);
        return m_files.isEmpty() ? QStringList() : m_files.takeFirst();
    }
    QString chooseFolder(const QString &title) override
    {
        folderTitles.append(title);
        return m_folders.isEmpty() ? QString() : m_folders.takeFirst();
    }

    QSize lastSize() const override { return closedAt; }

    void answerNextWith(const QStringList &files) { m_files.append(files); }
    void answerNextWith(const QString &file) { m_files.append(QStringList{file}); }
    void answerNextFolderWith(const QString &folder) { m_folders.append(folder); }

    QList<Request> requests;
    QStringList folderTitles;
    QSize closedAt; // what lastSize() reports

private:
    QList<QStringList> m_files;
    QStringList m_folders;
};
