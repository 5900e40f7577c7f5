#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The desktop's open-file and save-file dialogs. The window's CommonDialog
// asks through this interface, so that tests can answer the dialogs without
// a person.
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
        bool confirmOverwrite = true;
        // The size to open at, kept within the screen; an invalid size: one
        // that shows the side panel and the columns of the list whole.
        QSize size;
    };

    virtual ~FileDialogs() = default;

    // Shows the dialog modally; returns the chosen file's full path, or the
    // empty text when it was cancelled.
    virtual QString chooseFile(const Request &request) = 0;
    // The size the last dialog had when it closed; invalid before the first.
    virtual QSize lastSize() const = 0;
};

// QFileDialog.
class QtFileDialogs final : public FileDialogs
{
public:
    QString chooseFile(const Request &request) override;
    QSize lastSize() const override { return m_lastSize; }

private:
    QSize m_lastSize;
};
