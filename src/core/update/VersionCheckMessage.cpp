#include "core/update/VersionCheckMessage.h"

using namespace Qt::StringLiterals;

std::optional<QString> versionCheckMessage(int code)
{
    switch (code) {
    case -1:
        return u"File not found."_s;
    case -2:
        return u"Could not connect to web site."_s;
    case -3:
        return u"Could not create MSXML2 or MSXML parser for xml file."_s;
    case -4:
        return u"XML downloaded could not be parsed by XML parser."_s;
    default:
        return std::nullopt;
    }
}

QString versionCheckMessageTitle()
{
    return u"Tessaro"_s;
}
