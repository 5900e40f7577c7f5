#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The version document the maker publishes as pgencheck.xml (described in
// docs/version-document.md):
//
//   <pgencheck>
//     <version>1.2.0</version>
//     <download>https://...</download>
//     <date>2025-03-14</date>
//     <note>...</note>
//   </pgencheck>
struct VersionAnnouncement
{
    QString version;  // normalised: decimal parts without leading zeros
    QString download; // the other three are optional and may be empty
    QString date;
    QString note;
};

// Reads a version document. Gives nothing unless the text is well-formed XML
// whose root is <pgencheck> and holds a <version> of numeric parts ("1.2.0").
// A document with a DTD is refused: no entity of any kind is ever expanded
// or loaded.
std::optional<VersionAnnouncement> parseVersionDocument(const QByteArray &document);
