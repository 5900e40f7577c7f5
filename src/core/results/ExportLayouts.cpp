#include "core/results/ExportLayouts.h"

#include <QString>

namespace ExportLayouts {

QByteArray csvValue(QStringView value)
{
    const bool needsQuotes =
        value.contains(u',') || value.contains(u'"') || value.contains(u'\r') || value.contains(u'\n');
    if (!needsQuotes)
        return value.toUtf8();
    QString quoted = value.toString();
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

void CsvWriter::add(QStringView value, QByteArray &out)
{
    if (m_written > 0)
        out += (m_written % 6 == 0) ? QByteArrayView("\r\n") : QByteArrayView(",");
    out += csvValue(value);
    ++m_written;
}

void appendTextLine(QStringView value, QByteArray &out)
{
    out += value.toUtf8();
    out += "\r\n";
}

QByteArray text(const ItemList &rows)
{
    QByteArray out;
    const int count = rows.GetItemCount();
    out.reserve(qsizetype(count) * 16);
    for (int r = 0; r < count; ++r)
        appendTextLine(rows.ItemText(r, 0), out);
    return out;
}

QByteArray csv(const ItemList &rows)
{
    QByteArray out;
    const int count = rows.GetItemCount();
    out.reserve(qsizetype(count) * 16 + 2);
    CsvWriter writer;
    for (int r = 0; r < count; ++r)
        writer.add(rows.ItemText(r, 0), out);
    writer.finish(out);
    return out;
}

} // namespace ExportLayouts
