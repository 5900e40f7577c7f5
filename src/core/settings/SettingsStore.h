#pragma once

#include <QAnyStringView>
#include <QList>
#include <QString>

#include <memory>

class QSettings;

// The per-user settings store. Every setting is a string value under a key
// path such as "Software\Brasmoor\Tessaro". On Windows the path is the
// registry key of that name; elsewhere Qt's native per-user settings for
// that organisation and application stand in for it.
//
// No handle stays open between calls: each call opens the store, reads or
// writes, syncs and closes it, so a write is on disk when the call returns
// and two running copies see each other's last write.

// Whose settings a call reads or writes: this program keeps only the current
// user's.
enum class RegistryRoot { CurrentUser };

// Returns the named string value, or defaultValue when the key or value is
// missing or the value is not a string. A stored NUL ends the text.
QString GetRegValue(RegistryRoot root, QAnyStringView keyPath, QAnyStringView name, const QString &defaultValue);

// Reads several values under one key path with one open of the store, each
// as GetRegValue reads it: for a caller that needs many values at once.
class RegValueReader
{
public:
    RegValueReader(RegistryRoot root, QAnyStringView keyPath);
    ~RegValueReader();
    RegValueReader(const RegValueReader &) = delete;
    RegValueReader &operator=(const RegValueReader &) = delete;
    QString value(QAnyStringView name, const QString &defaultValue) const;

private:
    std::unique_ptr<QSettings> m_settings; // null when the key path names no store
};

// Writes the named value as a string, creating whatever is missing. Failures
// are silent: the old value, if any, stays.
void SetRegValue(RegistryRoot root, QAnyStringView keyPath, QAnyStringView name, const QString &text);

// One named value of a batch, for SetRegValues.
struct RegValue
{
    QString name;
    QString text;
};

// Which values of a batch SetRegValues writes.
enum class RegWrite {
    Changed,    // every value that does not already hold its text
    WhereEmpty, // only values that read as empty: missing, not a string, or empty
};

// Writes several values under one key path with one open and one sync, so
// a batch rewrites the store once instead of once per value; when no value
// changes, the store is not written at all. Returns false when the store
// could not be read or written (the reason is not known here).
bool SetRegValues(RegistryRoot root, QAnyStringView keyPath, const QList<RegValue> &values, RegWrite which);

// Why the store of a key path cannot be written: the file it lives in and
// the reason; the reason is empty when nothing stands in the way. Only
// looks, unless a write has just failed (writeFailed): then a trial file
// beside the store tells a full disk or a quota.
struct RegStoreProblem
{
    QString file;
    QString reason;
};
RegStoreProblem FindRegStoreProblem(RegistryRoot root, QAnyStringView keyPath, bool writeFailed);
