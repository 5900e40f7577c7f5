#include "core/update/SiteAddress.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

#ifndef TESSARO_SITE_URL
#error "TESSARO_SITE_URL must be defined by the build"
#endif

namespace SiteAddress {

QUrl siteUrl()
{
    QString text = qEnvironmentVariable("TESSARO_SITE_URL").trimmed();
    if (text.isEmpty())
        text = QStringLiteral(TESSARO_SITE_URL);
    if (!text.endsWith(u'/'))
        text += u'/';
    return QUrl(text, QUrl::StrictMode);
}

QUrl versionDocumentUrl()
{
    const QUrl site = siteUrl();
    return site.isValid() ? site.resolved(QUrl(u"pgencheck.xml"_s)) : QUrl();
}

bool isFetchable(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty())
        return false;
    if (url.scheme() == "https"_L1)
        return true;
    const bool local = url.host() == "127.0.0.1"_L1 || url.host() == "localhost"_L1;
    return url.scheme() == "http"_L1 && local && url.port() != -1;
}

} // namespace SiteAddress
