#include "core/update/VersionCheckMessage.h"

#include "core/localisation/LanguageTexts.h"

using namespace Qt::StringLiterals;

std::optional<QString> versionCheckMessage(int code)
{
    switch (code) {
    case -1:
        return Localisation::text("Message07"_L1);
    case -2:
        return Localisation::text("Message08"_L1);
    case -3:
        return Localisation::text("Message09"_L1);
    case -4:
        return Localisation::text("Message10"_L1);
    default:
        return std::nullopt;
    }
}

QString versionCheckMessageTitle()
{
    return u"Tessaro"_s;
}
