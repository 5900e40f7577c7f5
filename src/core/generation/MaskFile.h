#pragma once

#include "core/common/SafeFileWriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ItemList;

// The user's mask list, mask.kmf: one mask per line in the list-file format
// (see ListFiles.h). A mask that holds a comma, a double quote or a line end
// is written in double quotes with every inner quote doubled, so that the
// list-file reader gives it back as one mask; every other mask is written
// as it is, so older files and older programs read the same list.
namespace MaskFile {

// The file's bytes for these masks: UTF-8, each line ended by CR LF.
QByteArray text(const QStringList &masks);

// The masks of a list or combo box, in order.
QStringList masksOf(const ItemList &list);

// Writes the masks to the file, replacing it atomically; on failure the
// earlier file stays whole and the result names the reason.
SafeFileWriter::Result save(const QString &path, const QStringList &masks);

} // namespace MaskFile
