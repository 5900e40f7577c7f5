#pragma once

// Generation settings and a mask taken from fuzz input: classes of any
// characters, symbols of one character or of none or several, any mode.

#include "core/generation/GenerationSettings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

namespace FuzzSupport {

inline QString takeText(FuzzedDataProvider &input, size_t maxBytes)
{
    const std::string bytes = input.ConsumeRandomLengthString(maxBytes);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

inline GenerationSettings takeSettings(FuzzedDataProvider &input, QString *modeText)
{
    GenerationSettings settings;
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        *modeText = QStringLiteral("0");
        break;
    case 1:
        *modeText = QStringLiteral("1");
        break;
    default:
        *modeText = takeText(input, 4);
    }
    settings.mode = GenerationSettings::modeFromText(*modeText);
    for (QString *text : {&settings.upperClass, &settings.lowerClass, &settings.digitClass, &settings.specialClass})
        *text = takeText(input, 48);
    for (QString *text : {&settings.upperSymbol, &settings.lowerSymbol, &settings.digitSymbol, &settings.specialSymbol,
                          &settings.counterSymbol})
        *text = takeText(input, 5);
    return settings;
}

} // namespace FuzzSupport
