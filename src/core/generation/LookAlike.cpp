#include "core/generation/LookAlike.h"

#include <QList>

namespace LookAlike {

QString characters()
{
    return QStringLiteral("0Oo1lIi|!2Z5S8B'`\u00B4\u2018\u2019\"\u00A8\u201C\u201D\u02DC~\u00B8,.\u00B7-\u2013\u2014");
}

bool isLookAlike(char32_t point)
{
    static const QList<uint> all = characters().toUcs4();
    return all.contains(uint(point));
}

CharacterClass without(const CharacterClass &drawFrom)
{
    QString kept;
    for (quint32 i = 0; i < drawFrom.size(); ++i) {
        const char32_t point = drawFrom.at(i);
        if (!isLookAlike(point))
            kept.append(QString::fromUcs4(&point, 1));
    }
    return kept.isEmpty() ? drawFrom : CharacterClass(kept);
}

} // namespace LookAlike
