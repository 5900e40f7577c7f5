#pragma once

#include <QString>
#include <QStringView>

// A manual page's source as plain text for a terminal, 78 columns wide:
// --help prints tessaro-cli(1) itself, so the two never tell different
// stories. Reads the few man(7) macros the page uses (sections, tagged and
// indented paragraphs, fonts, no-fill blocks) and the escapes it writes.
QString manualAsText(QStringView source);
