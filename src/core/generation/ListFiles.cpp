#include "core/generation/ListFiles.h"

#include "core/common/TextEncoding.h"
#include "core/results/ExportLayouts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

Outcome SaveListToFile(const QString &path, const ItemList &list, SafeFileWriter::Access access)
{
    return SafeFileWriter::write(path, ExportLayouts::text(list), access);
}

QStringList parseListFileText(QStringView text)
{
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n) {
        QString field;
        if (text[p] == u'"') {
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        field += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += text[p++];
            }
            // Whatever follows the closing quote up to the delimiter is dropped.
            while (p < n && text[p] != u',' && !isLineEnd(text[p]))
                ++p;
        } else {
            const qsizetype begin = p;
            while (p < n && text[p] != u',' && !isLineEnd(text[p]))
                ++p;
            field = text.sliced(begin, p - begin).toString();
        }
        fields.append(field);
        if (p < n && text[p] == u',') {
            ++p;
            if (p == n)
                fields.append(QString()); // "a," at the very end: the empty last field
            continue;
        }
        if (p < n && text[p] == u'\r')
            ++p;
        if (p < n && text[p] == u'\n')
            ++p;
    }
    return fields;
}

std::optional<QStringList> ReadListFile(const QString &path)
{
    if (!FileExists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return parseListFileText(TextEncoding::decodeFileText(bytes));
}

void LoadFileToList(const QString &path, ItemList &list)
{
    const std::optional<QStringList> read = ReadListFile(path);
    if (!read)
        return;
    const QStringList &fields = *read;
    list.clearItems();
    int item = 0;
    for (const QString &field : fields) {
        list.appendItem();
        list.setItemText(item++, field);
    }
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && !info.fileName().startsWith(u'.');
}
