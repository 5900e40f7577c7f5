#include "core/generation/WordList.h"

#include "core/common/ProgramFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

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
        if (c.isSpace())
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
    return {nullptr, QString(), problem};
}

} // namespace

QString WordList::Read::message() const
{
    return u"The word list %1 can't be used: %2."_s.arg(path, problem);
}

QString WordList::pathOf(const QString &wordsSetting)
{
    return wordsSetting.isEmpty() ? ProgramFolder::path(ProgramFolder::File::WordList) : wordsSetting;
}

WordList::Read WordList::parse(const QByteArray &bytes, bool capitalise)
{
    if (bytes.size() > kMaxBytes)
        return failure(u"it is larger than 16 MiB"_s);
    const qsizetype lines = bytes.count('\n') + (bytes.endsWith('\n') ? 0 : 1);
    if (lines > kMaxLines)
        return failure(u"it has more than 1,000,000 lines"_s);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return failure(u"it is not UTF-8 text"_s);
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
        return failure(u"it holds fewer than 2 different words"_s);
    list->m_text.shrink_to_fit();
    return {std::move(list), QString(), QString()};
}

WordList::Read WordList::read(const QString &path, bool capitalise)
{
    // Only a plain file: opening a pipe or a device could wait for ever.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return {nullptr, path, u"it is not a file"_s};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, path, u"it can't be read (%1)"_s.arg(file.errorString())};
    if (file.size() > kMaxBytes)
        return {nullptr, path, u"it is larger than 16 MiB"_s};
    const QByteArray bytes = file.read(kMaxBytes + 1);

    // The last list taken apart, by its bytes: the same bytes give the same
    // list, whatever the file's name or time.
    static QMutex guard;
    static QByteArray lastBytes;
    static bool lastCapitalise = false;
    static std::shared_ptr<const WordList> last;
    const QMutexLocker lock(&guard);
    if (!last || bytes != lastBytes || capitalise != lastCapitalise) {
        Read parsed = parse(bytes, capitalise);
        if (!parsed.words)
            return {nullptr, path, parsed.problem};
        last = std::move(parsed.words);
        lastBytes = bytes;
        lastCapitalise = capitalise;
    }
    return {last, path, QString()};
}
