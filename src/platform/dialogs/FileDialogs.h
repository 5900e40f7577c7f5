#pragma once

#include <QString>
#include <QStringList>

// The desktop's open-file, save-file and choose-folder dialogs. The window's
// CommonDialog asks through this interface, so that tests can answer the
// dialogs without a person.
class FileDialogs
{
public:
    enum class Kind { Open, Save };

    struct Request
    {
        Kind kind = Kind::Save;
        QString title;
        QString folder;          // the folder the dialog starts in
        QStringList nameFilters; // "Text Files (*.txt)", ...; the first one is selected
        QString defaultSuffix;   // added to a typed name without an extension
        bool multipleFiles = false;
        bool confirmOverwrite = true;
    };

    virtual ~FileDialogs() = default;

    // Shows the dialog modally; returns the chosen files as full paths, or
    // nothing when it was cancelled.
    virtual QStringList chooseFiles(const Request &request) = 0;
    // Returns the chosen folder's full path, or the empty text on cancel.
    virtual QString chooseFolder(const QString &title) = 0;
};

// QFileDialog.
class QtFileDialogs final : public FileDialogs
{
public:
    QStringList chooseFiles(const Request &request) override;
    QString chooseFolder(const QString &title) override;
};
