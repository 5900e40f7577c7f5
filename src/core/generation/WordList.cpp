#include "core/generation/WordList.h"

#include "core/common/LocatedFile.h"
#include "core/common/ProgramFolder.h"
#include "core/localisation/LanguageTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Characters that would reach a terminal or a label as commands rather
// than as text: controls (escape sequences) and the bidirectional
// embeddings, overrides and isolates that reorder what follows them.
bool isCommand(QChar c)
{
    switch (c.direction()) {
    case QChar::DirLRE:
    case QChar::DirRLE:
    case QChar::DirLRO:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        return c.category() == QChar::Other_Control;
    }
}

// The word of one line, or an empty view for a line that gives none.
QStringView wordOfLine(QStringView line)
{
    line = line.trimmed();
    qsizetype digits = 0;
    while (digits < line.size() && line[digits].isDigit())
        ++digits;
    if (digits > 0 && digits < line.size() && line[digits].isSpace())
        line = line.sliced(digits).trimmed(); // dice form: the number, then the word
    for (QChar c : line) {
        if (c.isSpace() || isCommand(c))
            return {};
    }
    return line;
}

QString capitalised(QStringView word)
{
    const qsizetype first = word.front().isHighSurrogate() && word.size() > 1 ? 2 : 1;
    return word.first(first).toString().toUpper().append(word.sliced(first));
}

WordList::Read failure(const QString &problem)
{
    return {nullptr, Outcome::failure(problem)};
}

// The outcome of parse() with the file named, as read() gives it.
WordList::Read named(const QString &path, const WordList::Read &parsed)
{
    if (parsed.outcome.ok())
        return parsed;
    return failure(Localisation::text("Message13"_L1).arg(path, parsed.outcome.reason()));
}

} // namespace

QString WordList::pathOf(const QString &wordsSetting)
{
    const QString english = ProgramFolder::path(ProgramFolder::File::WordList);
    if (wordsSetting.isEmpty())
        return english;
    // A bare file name is one of the lists shipped beside the English one.
    if (!wordsSetting.contains(u'/'))
        return QFileInfo(english).dir().filePath(wordsSetting);
    return wordsSetting;
}

WordList::Read WordList::parse(const QByteArray &bytes, bool capitalise)
{
    if (bytes.size() > kMaxBytes)
        return failure(Localisation::text("Reason01"_L1));
    const qsizetype lines = bytes.count('\n') + (bytes.endsWith('\n') ? 0 : 1);
    if (lines > kMaxLines)
        return failure(Localisation::text("Reason02"_L1));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return failure(Localisation::text("Reason03"_L1));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    auto list = std::make_shared<WordList>();
    // The duplicate check holds views into the list's text, so it must never
    // move: room for every line, and for a first letter whose capital is
    // longer (one character can become three, each of two units).
    list->m_text.reserve(size_t(text.size() + (capitalise ? 5 * lines : 0)));
    QSet<QStringView> seen;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        QStringView word = wordOfLine(line);
        if (word.isEmpty())
            continue;
        QString upper;
        if (capitalise)
            word = upper = capitalised(word);
        const auto start = list->m_text.size();
        list->m_text.append(reinterpret_cast<const char16_t *>(word.utf16()), size_t(word.size()));
        const QStringView stored(list->m_text.data() + start, word.size());
        if (seen.contains(stored)) {
            list->m_text.resize(start);
            continue;
        }
        seen.insert(stored);
        list->m_starts.push_back(quint32(list->m_text.size()));
        list->m_maxLength = qMax(list->m_maxLength, word.size());
    }
    if (list->size() < kMinWords)
        return failure(Localisation::text("Reason04"_L1));
    list->m_text.shrink_to_fit();
    return {std::move(list), {}};
}

WordList::Read WordList::read(const QString &path, bool capitalise)
{
    const auto unreadable = [&path](const QString &cause) {
        return named(path, failure(Localisation::text("Reason05"_L1).arg(cause)));
    };
    const LocatedFile file = LocatedFile::find(path);
    if (file.refused())
        return named(path, failure(file.error()));
    if (!file.ok() || !file.exists())
        return unreadable(file.ok() ? QString::fromLocal8Bit(std::strerror(ENOENT)) : file.error());
    // Only a plain file: opening a device may act on it, and reading a
    // pipe could wait for ever.
    if (!S_ISREG(file.status().st_mode))
        return named(path, failure(Localisation::text("Reason06"_L1)));
    // Opened through the entry checked, and without waiting in any case.
    const int fd = file.open(O_RDONLY | O_NONBLOCK);
    struct stat opened;
    if (fd < 0 || ::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        const int cause = fd < 0 ? errno : EINVAL;
        if (fd >= 0)
            ::close(fd);
        return unreadable(QString::fromLocal8Bit(std::strerror(cause)));
    }

    // The last outcome, by the file's identity and times: the strength meter
    // asks at every key press, and an unchanged file, usable or not, is
    // neither read nor taken apart again.
    struct Identity
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        timespec changed{}, modified{};
        bool capitalise = false;
        bool operator==(const Identity &other) const
        {
            return device == other.device && inode == other.inode && size == other.size &&
                   changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec &&
                   modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
                   capitalise == other.capitalise;
        }
    };
    const Identity identity{opened.st_dev, opened.st_ino, opened.st_size, opened.st_ctim, opened.st_mtim, capitalise};
    static QMutex guard;
    static Identity lastIdentity;
    static Read last;
    const QMutexLocker lock(&guard);
    if (identity == lastIdentity) {
        ::close(fd);
        return named(path, last);
    }
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return unreadable(in.errorString());
    }
    if (opened.st_size > kMaxBytes) {
        last = failure(Localisation::text("Reason01"_L1));
    } else {
        const QByteArray bytes = in.read(kMaxBytes + 1);
        if (in.error() != QFileDevice::NoError)
            return unreadable(in.errorString());
        last = parse(bytes, capitalise);
    }
    // A file changed within the clock's last tick could change again with
    // the same times and size: it is kept only once its time lies behind.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    lastIdentity = now.tv_sec > opened.st_mtim.tv_sec + 1 ? identity : Identity{};
    return named(path, last);
}
