// The reader of the version document on arbitrary bytes.

#include "core/update/VersionDocument.h"
#include "FuzzSupport.h"

#include <QRegularExpression>
#include <QXmlStreamWriter>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::isolateHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray document(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<VersionAnnouncement> read = parseVersionDocument(document);
    if (!read)
        return 0;

    // Only a version of decimal parts, without leading zeros, is accepted.
    static const QRegularExpression version(QStringLiteral("^(0|[1-9][0-9]*)(\\.(0|[1-9][0-9]*))*$"));
    FUZZ_CHECK(version.match(read->version).hasMatch());

    // What was read, written out again, reads back the same.
    QByteArray rewritten;
    QXmlStreamWriter xml(&rewritten);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("pgencheck"));
    xml.writeTextElement(QStringLiteral("version"), read->version);
    xml.writeTextElement(QStringLiteral("download"), read->download);
    xml.writeTextElement(QStringLiteral("date"), read->date);
    xml.writeTextElement(QStringLiteral("note"), read->note);
    xml.writeEndElement();
    xml.writeEndDocument();
    const std::optional<VersionAnnouncement> again = parseVersionDocument(rewritten);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->version == read->version && again->download == read->download && again->date == read->date &&
               again->note == read->note);
    return 0;
}
