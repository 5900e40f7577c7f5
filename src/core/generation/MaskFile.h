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
Outcome save(const QString &path, const QStringList &masks);

enum class Change { Add, Remove };

struct Changed
{
    QStringList masks;   // the list after the change
    bool listed = false; // the mask was listed before the change
    Outcome result;      // ok when the file holds masks
};

// Adds the mask at the end of the list, unless it is listed, or removes
// every mask equal to it. Several windows may share the file, so the list
// changed is the file as it stands, read again under a lock held until the
// new list is written: a mask another window added since stays, and one it
// removed stays removed. Only when there is no file yet is the list the
// window shows (shown) the one changed. A file that cannot be read is not
// written; nor is one the change leaves as it was.
Changed change(const QString &path, Change change, const QString &mask, const QStringList &shown);

} // namespace MaskFile
