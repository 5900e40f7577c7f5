#pragma once

#include "core/generation/ItemList.h"

#include <QByteArray>
#include <QStringView>

// The layouts of the exported files, UTF-8 with CR LF line ends.
//
// Text: one line per row, every line ended by CR LF, nothing else.
// CSV: six values to a line, separated by commas, the file ended by one
// CR LF. A value holding a comma, a double quote, a CR or an LF is written in
// double quotes with inner quotes doubled; every other value as it stands.
namespace ExportLayouts {

// Builds a CSV file value by value, so that a stream can write it in blocks.
class CsvWriter
{
public:
    void add(QStringView value, QByteArray &out);
    // The final line end; call once after the last value.
    void finish(QByteArray &out) const { out += "\r\n"; }

private:
    qint64 m_written = 0;
};

void appendTextLine(QStringView value, QByteArray &out);
QByteArray csvValue(QStringView value);

QByteArray text(const ItemList &rows);
QByteArray csv(const ItemList &rows);

} // namespace ExportLayouts
