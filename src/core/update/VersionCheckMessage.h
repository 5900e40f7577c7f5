#pragma once

#include <QString>

#include <optional>

// The message the window shows for an error of the version check, or nothing
// for a code it does not know, in the stored language; shown in a
// box titled versionCheckMessageTitle() with the stop icon and one OK button.
std::optional<QString> versionCheckMessage(int code);

QString versionCheckMessageTitle();
