#include "cli/ManualText.h"

#include <QList>
#include <QStringList>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kWidth = 78;
constexpr int kSectionIndent = 4;
constexpr int kParagraphIndent = 4;  // a tagged paragraph's text, past its tag
constexpr int kNestedIndent = 8;     // the same within .RS: room for short tags
constexpr QChar kUnpaddable(0x00A0); // "\ ": a space that joins two words

const std::pair<QStringView, QStringView> kNamedCharacters[] = {
    {u"ha", u"^"}, {u"aa", u"´"}, {u"oq", u"‘"}, {u"cq", u"’"}, {u"ad", u"¨"}, {u"lq", u"“"},
    {u"rq", u"”"}, {u"ac", u"¸"}, {u"pc", u"·"}, {u"en", u"–"}, {u"em", u"—"}, {u"ga", u"`"},
};

QString namedCharacter(QStringView name)
{
    if (name.startsWith(u'u') && name.size() > 1) { // [u02DC]
        const char32_t code = name.sliced(1).toUInt(nullptr, 16);
        return QString::fromUcs4(&code, 1);
    }
    for (const auto &[known, text] : kNamedCharacters) {
        if (name == known)
            return text.toString();
    }
    return {};
}

// The line with its escapes replaced; a font change leaves nothing.
QString unescaped(QStringView line)
{
    QString text;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != u'\\' || i + 1 == line.size()) {
            text += line[i];
            continue;
        }
        const QChar next = line[++i];
        if (next == u'-')
            text += u'-';
        else if (next == u'e')
            text += u'\\';
        else if (next == u' ')
            text += kUnpaddable;
        else if (next == u'"')
            break; // a comment
        else if (next == u'f')
            ++i;
        else if (next == u'(') {
            text += namedCharacter(line.sliced(i + 1, 2));
            i += 2;
        } else if (next == u'[') {
            const qsizetype end = line.indexOf(u']', i);
            text += namedCharacter(line.sliced(i + 1, end - i - 1));
            i = end;
        } // \% and \& mark places and print nothing
    }
    return text;
}

// A macro's arguments: split at blanks, a quoted one kept whole.
QStringList arguments(const QString &text)
{
    QStringList parts;
    QString part;
    bool quoted = false;
    bool started = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
            started = true;
        } else if (c == u' ' && !quoted) {
            if (started)
                parts.append(std::exchange(part, QString()));
            started = false;
        } else {
            part += c;
            started = true;
        }
    }
    if (started)
        parts.append(part);
    return parts;
}

class Renderer
{
public:
    void line(QStringView source);
    QString text()
    {
        flush();
        return m_lines.join(u'\n').replace(kUnpaddable, u' ') + u'\n';
    }

private:
    void macro(const QString &name, const QStringList &args);
    void add(const QString &text);
    void flush();
    void put(const QString &line)
    {
        m_lines.append(line);
        m_afterHeading = false;
    }
    void blankLine()
    {
        flush();
        if (!m_lines.isEmpty() && !m_lines.last().isEmpty() && !m_afterHeading)
            m_lines.append(QString());
    }
    int margin() const { return m_margins.isEmpty() ? kSectionIndent : m_margins.last(); }

    QStringList m_lines;
    QList<int> m_margins; // .RS
    QString m_paragraph;
    QString m_tag;
    int m_indent = 0;
    bool m_tagNext = false;
    bool m_noFill = false;
    bool m_afterHeading = false; // nothing yet below the last .SH
};

void Renderer::line(QStringView source)
{
    if (!source.startsWith(u'.')) {
        add(unescaped(source));
        return;
    }
    const qsizetype blank = source.indexOf(u' ');
    const QString name = source.sliced(1, (blank < 0 ? source.size() : blank) - 1).toString();
    macro(name, blank < 0 ? QStringList() : arguments(unescaped(source.sliced(blank + 1))));
}

void Renderer::macro(const QString &name, const QStringList &args)
{
    if (name == u"SH") {
        blankLine();
        m_lines.append(args.join(u' '));
        m_margins.clear();
        m_indent = kSectionIndent;
        m_afterHeading = true;
    } else if (name == u"PP" || name == u"LP") {
        blankLine();
        m_indent = margin();
    } else if (name == u"TP" || name == u"IP") {
        blankLine();
        m_tagNext = name == u"TP";
        m_indent = margin() + (m_margins.isEmpty() ? kParagraphIndent : kNestedIndent);
    } else if (name == u"RS") {
        flush();
        m_margins.append(m_indent);
    } else if (name == u"RE") {
        flush();
        if (!m_margins.isEmpty())
            m_margins.removeLast();
        m_indent = margin() + kParagraphIndent;
    } else if (name == u"br") {
        flush();
    } else if (name == u"nf" || name == u"fi") {
        flush();
        m_noFill = name == u"nf";
    } else if (name == u"B" || name == u"I") {
        add(args.join(u' '));
    } else if (name.size() == 2 && QStringView(u"BIR").contains(name[0]) && QStringView(u"BIR").contains(name[1])) {
        add(args.join(QString())); // .BR, .IR, ...: the fonts alternate, the words join
    }                              // .TH and comments print nothing
}

void Renderer::add(const QString &text)
{
    if (m_tagNext) {
        m_tag = text;
        m_tagNext = false;
    } else if (m_noFill) {
        put(QString(m_indent, u' ') + text);
    } else if (!text.isEmpty()) {
        m_paragraph += (m_paragraph.isEmpty() ? QString() : u" "_s) + text;
    }
}

void Renderer::flush()
{
    const int tagIndent = margin();
    QString line;
    if (!m_tag.isEmpty()) {
        line = QString(tagIndent, u' ') + m_tag;
        // A tag narrower than the gap shares its line with the text.
        if (line.size() < m_indent && !m_paragraph.isEmpty())
            line = line.leftJustified(m_indent);
        else
            put(std::exchange(line, QString()));
    }
    bool afterTag = !line.isEmpty();
    for (const QString &word : m_paragraph.split(u' ', Qt::SkipEmptyParts)) {
        if (!afterTag && !line.isEmpty() && line.size() + 1 + word.size() > kWidth) {
            put(line);
            line.clear();
        }
        if (line.isEmpty())
            line = QString(m_indent, u' ') + word;
        else
            line += (afterTag ? QString() : u" "_s) + word;
        afterTag = false;
    }
    if (!line.isEmpty())
        put(line);
    m_paragraph.clear();
    m_tag.clear();
}

} // namespace

QString manualAsText(QStringView source)
{
    Renderer renderer;
    for (const QStringView line : source.split(u'\n'))
        renderer.line(line);
    return renderer.text();
}
