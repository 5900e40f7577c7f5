#include "window/results/ResultCommands.h"

#include "core/common/ProgramFolder.h"
#include "core/common/SafeFileWriter.h"
#include "core/localisation/LanguageTexts.h"
#include "core/results/ExportLayouts.h"
#include "core/settings/SettingsTable.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/messages/MessageBoxes.h"
#include "window/results/CommonDialog.h"
#include "window/results/ResultListView.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QString kLineEnd = u"\r\n"_s;

// The folder the save dialogs start in: the folder of the user's own files
// (the program's folder in a portable copy), or home while it does not exist.
QString saveFolder()
{
    const QString folder = ProgramFolder::userFolder();
    return QDir(folder).exists() ? folder : QDir::homePath();
}

} // namespace

ResultCommands::ResultCommands(ResultListView &list, CommonDialog &dialog, MessageBoxes &messages)
    : m_list(list), m_dialog(dialog), m_messages(messages)
{}

void ResultCommands::CopySelectedResult()
{
    const int row = m_list.selectedRow();
    if (row < 0)
        return;
    const QString text = m_list.ItemText(row, 0);
    Clipboard::CopyToClipboard(text);
    if (m_copied)
        m_copied(text);
}

QString ResultCommands::allRowsText() const
{
    const int count = m_list.GetItemCount();
    qsizetype size = 0;
    for (int r = 0; r < count; ++r)
        size += m_list.rowView(r).size() + kLineEnd.size();
    QString text;
    text.reserve(size);
    for (int r = 0; r < count; ++r) {
        text += m_list.rowView(r);
        text += kLineEnd;
    }
    return text;
}

void ResultCommands::CopyAllResults()
{
    const QString text = allRowsText();
    Clipboard::CopyToClipboard(text);
    if (m_copied)
        m_copied(text);
}

void ResultCommands::ClearResults()
{
    if (m_list.GetItemCount() == 0)
        return;
    bool isNumber = false;
    const int confirm = Settings::read(Settings::Name::Confirm).trimmed().toInt(&isNumber);
    if (!isNumber)
        return;
    if (confirm == 0) {
        m_list.clearItems();
    } else if (confirm == 1) {
        const MessageBoxes::Answer answer =
            m_messages.show({Localisation::text("Message05"_L1), Localisation::text("Title02"_L1),
                             MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Exclamation});
        if (answer == MessageBoxes::Answer::Yes)
            m_list.clearItems();
    }
}

QByteArray ResultCommands::textFile() const
{
    const int count = m_list.GetItemCount();
    QByteArray out;
    out.reserve(qsizetype(count) * 16);
    for (int r = 0; r < count; ++r)
        ExportLayouts::appendTextLine(m_list.rowView(r), out);
    return out;
}

QByteArray ResultCommands::csvFile() const
{
    const int count = m_list.GetItemCount();
    QByteArray out;
    out.reserve(qsizetype(count) * 16 + 2);
    ExportLayouts::CsvWriter writer;
    for (int r = 0; r < count; ++r)
        writer.add(m_list.rowView(r), out);
    writer.finish(out);
    return out;
}

QString ResultCommands::askSavePath(const QString &nameFilter, const QString &title, const QString &defaultSuffix)
{
    FileDialogs::Request request;
    request.kind = FileDialogs::Kind::Save;
    request.title = title;
    request.folder = saveFolder();
    request.nameFilters = {nameFilter};
    request.defaultSuffix = defaultSuffix;
    return m_dialog.chooseFile(request);
}

void ResultCommands::save(const QString &path, const QByteArray &bytes)
{
    const Outcome written = SafeFileWriter::write(path, bytes, SafeFileWriter::Access::OwnerOnly);
    if (!written.ok())
        m_messages.showError(Localisation::text("Message06"_L1).arg(path, written.reason()));
}

void ResultCommands::SaveResultsAsText()
{
    if (m_list.GetItemCount() == 0)
        return;
    const QString path = askSavePath(Localisation::text("Dialog02"_L1), Localisation::text("Dialog01"_L1), u"txt"_s);
    if (!path.isEmpty())
        save(path, textFile());
}

void ResultCommands::SaveResultsAsCsv()
{
    if (m_list.GetItemCount() == 0)
        return;
    const QString path = askSavePath(Localisation::text("Dialog04"_L1), Localisation::text("Dialog03"_L1), u"csv"_s);
    if (!path.isEmpty())
        save(path, csvFile());
}
