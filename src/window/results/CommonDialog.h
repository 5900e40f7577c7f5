#pragma once

#include <QString>
#include <QVariant>

class FileDialogs;

// The window's one file-dialog object: callers set a few text properties,
// show a dialog and read the chosen path back.
//
// It keeps the request the way the dialogs of the program always did: a
// filter list in its NUL-separated form, a file buffer of 2048 characters
// and a title buffer of 256, the flags "Explorer style, several files may be
// chosen, ask before replacing a file", and a default extension. The dialogs
// themselves come from FileDialogs.
class CommonDialog
{
public:
    static constexpr qsizetype kFileBufferSize = 2048;
    static constexpr qsizetype kTitleBufferSize = 256;
    static constexpr qsizetype kFolderBufferSize = 260;
    static constexpr quint32 kExplorer = 0x00080000;
    static constexpr quint32 kAllowMultiSelect = 0x00000200;
    static constexpr quint32 kOverwritePrompt = 0x00000002;

    explicit CommonDialog(FileDialogs &dialogs);

    // The chosen file: an invalid QVariant when there is none, a QString, or
    // with AllowMultiSelect and several files a QStringList (the folder,
    // then each name).
    QVariant Filename();
    void setFilename(const QString &name);

    // Pairs of description and pattern, all parts separated by '|':
    // "Text Files (*.txt)|*.txt".
    QString Filter() const;
    void setFilter(const QString &filter);

    // The title buffer as held, trailing NULs included.
    QString FileTitle() const { return m_titleBuffer; }
    // Empties the title buffer; the text is not kept.
    void setFileTitle(const QString &);

    QString DialogTitle() const;
    void setDialogTitle(const QString &title) { m_dialogTitle = title; }

    QString InitDir() const;
    void setInitDir(const QString &folder);

    QString DefaultExt() const { return m_defaultExt; }
    // Full stops are dropped, so ".csv" is stored as "csv".
    void setDefaultExt(const QString &extension);

    bool AllowMultiSelect() const { return m_allowMultiSelect; }
    void setAllowMultiSelect(bool allow) { m_allowMultiSelect = allow; }

    void ShowOpen();
    void ShowSave();
    // The chosen folder's path, or the empty text on cancel.
    QString GetFolderName(const QString &title);

    quint32 flags() const { return m_flags; }
    int filterIndex() const { return m_filterIndex; }

private:
    void show(bool save);
    QStringList qtNameFilters() const;

    FileDialogs &m_dialogs;
    QString m_filter;  // parts ended by NUL, the list by an empty part
    QString m_initDir; // the folder and two NULs
    QString m_dialogTitle;
    QString m_defaultExt = QStringLiteral("txt");
    QString m_fileBuffer; // the answer, padded with NULs
    QString m_titleBuffer;
    quint32 m_flags = kExplorer | kAllowMultiSelect | kOverwritePrompt;
    int m_filterIndex = 0;
    bool m_allowMultiSelect = false;
};
