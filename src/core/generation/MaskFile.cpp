#include "core/generation/MaskFile.h"

#include "core/generation/ItemList.h"

namespace MaskFile {

namespace {

bool needsQuotes(const QString &mask)
{
    for (const QChar c : mask) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

} // namespace

QByteArray text(const QStringList &masks)
{
    QByteArray out;
    for (const QString &mask : masks) {
        if (needsQuotes(mask)) {
            QString quoted = mask;
            quoted.replace(u'"', QStringLiteral("\"\""));
            out += '"';
            out += quoted.toUtf8();
            out += '"';
        } else {
            out += mask.toUtf8();
        }
        out += "\r\n";
    }
    return out;
}

QStringList masksOf(const ItemList &list)
{
    QStringList masks;
    const int count = list.GetItemCount();
    masks.reserve(count);
    for (int row = 0; row < count; ++row)
        masks.append(list.ItemText(row, 0));
    return masks;
}

SafeFileWriter::Result save(const QString &path, const QStringList &masks)
{
    return SafeFileWriter::write(path, text(masks), SafeFileWriter::Access::Default);
}

} // namespace MaskFile
