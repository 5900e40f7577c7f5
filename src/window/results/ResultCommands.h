#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class CommonDialog;
class MessageBoxes;
class ResultListView;

// What the user does with the generated passwords: copy one or all, clear
// the list, save it as a text or CSV file. Each command reads the rows from
// the list at the moment it runs.
class ResultCommands
{
public:
    ResultCommands(ResultListView &list, CommonDialog &dialog, MessageBoxes &messages);

    // Told the text each copy command has just put on the clipboard.
    using CopiedCallback = std::function<void(const QString &text)>;
    void setCopiedCallback(CopiedCallback copied) { m_copied = std::move(copied); }

    // The selected row onto the clipboard; without a selected row the
    // clipboard keeps what it held.
    void CopySelectedResult();
    // Every row, each followed by CR LF, onto the clipboard.
    void CopyAllResults();
    // Removes the rows, asking first when Confirm is 1.
    void ClearResults();
    void SaveResultsAsText();
    void SaveResultsAsCsv();

    // The clipboard text of Copy All and the bytes of the two files.
    QString allRowsText() const;
    QByteArray textFile() const;
    QByteArray csvFile() const;

private:
    // Shows the save dialog; returns the chosen path or the empty text.
    QString askSavePath(const QString &nameFilter, const QString &title, const QString &defaultSuffix);
    void save(const QString &path, const QByteArray &bytes);

    ResultListView &m_list;
    CommonDialog &m_dialog;
    MessageBoxes &m_messages;
    CopiedCallback m_copied;
};
