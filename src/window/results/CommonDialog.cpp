#include "window/results/CommonDialog.h"

#include "core/settings/SettingsTable.h"
#include "platform/dialogs/FileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr QChar kNul(u'\0');

QString nuls(qsizetype count)
{
    return QString(count, kNul);
}

QString withoutNuls(QString text)
{
    return text.remove(kNul);
}

QString withoutTrailingNuls(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == kNul)
        --end;
    return text.left(end);
}

// The text in a buffer of the given size: cut to leave room for the
// ending NUL, then padded with NULs.
QString inBuffer(const QString &text, qsizetype size)
{
    QString buffer = text.left(size - 1);
    buffer += nuls(size - buffer.size());
    return buffer;
}

// The file dialog's size as stored ("640x480"); invalid when none is.
QSize storedDialogSize()
{
    const QStringList parts = Settings::read(Settings::Name::DialogSize).split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    const QSize size(parts.value(0).toInt(&wide), parts.value(1).toInt(&high));
    return parts.size() == 2 && wide && high && !size.isEmpty() ? size : QSize();
}

// Kept for the next dialog, whatever the answer was.
void storeDialogSize(const QSize &size)
{
    const QString text = QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
    if (size.isValid() && text != Settings::read(Settings::Name::DialogSize))
        Settings::write(Settings::Name::DialogSize, text);
}

} // namespace

CommonDialog::CommonDialog(FileDialogs &dialogs)
    : m_dialogs(dialogs), m_fileBuffer(nuls(kFileBufferSize)), m_titleBuffer(nuls(kTitleBufferSize))
{}

QVariant CommonDialog::Filename()
{
    const QString text = withoutTrailingNuls(m_fileBuffer);
    if (text.isEmpty())
        return {};
    if (!m_allowMultiSelect)
        return text;
    m_fileBuffer = text;
    if (text.contains(kNul))
        return text.split(kNul);
    return text;
}

void CommonDialog::setFilename(const QString &name)
{
    m_fileBuffer = name + kNul;
}

QString CommonDialog::Filter() const
{
    QString text = withoutTrailingNuls(m_filter);
    return text.replace(kNul, QLatin1Char('|'));
}

void CommonDialog::setFilter(const QString &filter)
{
    m_filter = filter;
    m_filter.replace(QLatin1Char('|'), kNul);
    m_filter += nuls(2);
}

void CommonDialog::setFileTitle(const QString &)
{
    m_titleBuffer = nuls(kTitleBufferSize);
}

QString CommonDialog::DialogTitle() const
{
    return withoutNuls(m_dialogTitle);
}

QString CommonDialog::InitDir() const
{
    return withoutNuls(m_initDir);
}

void CommonDialog::setInitDir(const QString &folder)
{
    m_initDir = folder + nuls(2);
}

void CommonDialog::setDefaultExt(const QString &extension)
{
    m_defaultExt = extension;
    m_defaultExt.remove(QLatin1Char('.'));
}

void CommonDialog::ShowOpen()
{
    show(false);
}

void CommonDialog::ShowSave()
{
    show(true);
}

QStringList CommonDialog::qtNameFilters() const
{
    // "Text Files (*.txt)|*.txt" -> "Text Files (*.txt)": Qt reads the
    // patterns from the parentheses of the description.
    const QStringList parts = withoutTrailingNuls(m_filter).split(kNul);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString inParentheses = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters.append(description.contains(inParentheses) ? description
                                                           : description + QLatin1Char(' ') + inParentheses);
    }
    return filters;
}

void CommonDialog::show(bool save)
{
    m_fileBuffer = nuls(kFileBufferSize);
    m_filterIndex = 1;

    FileDialogs::Request request;
    request.kind = save ? FileDialogs::Kind::Save : FileDialogs::Kind::Open;
    request.title = DialogTitle();
    request.folder = InitDir();
    request.nameFilters = qtNameFilters();
    request.defaultSuffix = m_defaultExt;
    request.multipleFiles = m_flags & kAllowMultiSelect;
    request.confirmOverwrite = m_flags & kOverwritePrompt;
    request.size = storedDialogSize();

    const QStringList chosen = m_dialogs.chooseFiles(request);
    storeDialogSize(m_dialogs.lastSize());
    if (chosen.isEmpty())
        return;
    QString answer;
    if (chosen.size() == 1) {
        answer = QDir::toNativeSeparators(chosen.first());
    } else {
        // Several files: the folder, then each name, separated by NULs.
        answer = QDir::toNativeSeparators(QFileInfo(chosen.first()).absolutePath());
        for (const QString &file : chosen)
            answer += kNul + QFileInfo(file).fileName();
    }
    m_fileBuffer = inBuffer(answer, kFileBufferSize);
    m_titleBuffer = inBuffer(QFileInfo(chosen.first()).fileName(), kTitleBufferSize);
}

QString CommonDialog::GetFolderName(const QString &title)
{
    const QString folder = m_dialogs.chooseFolder(title);
    if (folder.isEmpty())
        return {};
    const QString buffer = inBuffer(QDir::toNativeSeparators(folder), kFolderBufferSize);
    return buffer.left(buffer.indexOf(kNul));
}
