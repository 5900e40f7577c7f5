#include "core/generation/MaskFile.h"

#include "core/generation/ItemList.h"
#include "core/generation/ListFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

using namespace Qt::StringLiterals;

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

Outcome save(const QString &path, const QStringList &masks)
{
    return SafeFileWriter::write(path, text(masks), SafeFileWriter::Access::Default);
}

Changed change(const QString &path, Change change, const QString &mask, const QStringList &shown)
{
    Changed changed;
    const QFileInfo file(path);
    // Another window holds the lock only while it reads and writes the list.
    QLockFile lock(file.dir().filePath(u'.' + file.fileName() + u".lock"_s));
    lock.setStaleLockTime(10'000);
    if (!lock.tryLock(5'000) && lock.error() == QLockFile::LockFailedError) {
        changed.masks = shown;
        changed.result = Outcome::failure(u"Another copy of Tessaro is changing the list; try again."_s);
        return changed;
    }
    // Without a lock for another reason (a folder that cannot be written),
    // writing the list gives the reason.
    const bool exists = file.exists() || file.isSymLink();
    const std::optional<QStringList> read = exists ? ReadListFile(path) : std::optional(shown);
    changed.masks = read.value_or(shown);
    const qsizetype at = changed.masks.indexOf(mask);
    changed.listed = at >= 0;
    if (change == Change::Add && !changed.listed)
        changed.masks.append(mask);
    else if (change == Change::Remove && changed.listed)
        changed.masks.removeAll(mask);
    if (!read) {
        changed.result = Outcome::failure(u"It could not be read, so it was left as it is."_s);
        return changed;
    }
    const bool unchanged = change == Change::Add ? changed.listed : !changed.listed;
    changed.result = unchanged ? Outcome() : save(path, changed.masks);
    return changed;
}

} // namespace MaskFile
