#include "core/update/VersionDocument.h"

#include <QVersionNumber>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// A version is one to eight decimal parts joined by dots, nothing else.
std::optional<QString> normalisedVersion(const QString &text)
{
    const QString trimmed = text.trimmed();
    static constexpr int MaxParts = 8;
    static constexpr int MaxDigits = 9; // keeps every part within an int
    const QStringList parts = trimmed.split(u'.');
    if (parts.size() > MaxParts)
        return std::nullopt;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > MaxDigits)
            return std::nullopt;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
    }
    return QVersionNumber::fromString(trimmed).toString();
}

// The field a child element of <pgencheck> fills; unknown elements are
// skipped, so later documents may add some.
QString *fieldFor(VersionAnnouncement &announcement, QStringView element)
{
    if (element == "version"_L1)
        return &announcement.version;
    if (element == "download"_L1)
        return &announcement.download;
    if (element == "date"_L1)
        return &announcement.date;
    if (element == "note"_L1)
        return &announcement.note;
    return nullptr;
}

} // namespace

std::optional<VersionAnnouncement> parseVersionDocument(const QByteArray &document)
{
    QXmlStreamReader xml(document);
    VersionAnnouncement announcement;
    bool hasVersion = false;
    int depth = 0;
    QString *field = nullptr;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return std::nullopt;
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == 1 && xml.name() != "pgencheck"_L1)
                return std::nullopt;
            if (depth == 2) {
                field = fieldFor(announcement, xml.name());
                if (field == &announcement.version)
                    hasVersion = true;
                if (field)
                    field->clear();
            }
            break;
        case QXmlStreamReader::Characters:
            if (field && depth == 2)
                field->append(xml.text());
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 2)
                field = nullptr;
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError() || !hasVersion)
        return std::nullopt;

    const std::optional<QString> version = normalisedVersion(announcement.version);
    if (!version)
        return std::nullopt;
    announcement.version = *version;
    announcement.download = announcement.download.trimmed();
    announcement.date = announcement.date.trimmed();
    announcement.note = announcement.note.simplified();
    return announcement;
}
