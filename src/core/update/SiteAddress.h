#pragma once

#include <QString>
#include <QUrl>

// Where the maker's web site lies. The address is a build setting (the CMake
// cache variable TESSARO_SITE_URL); the environment variable of the same name
// overrides it, which is how the tests point the program at a local server.
namespace SiteAddress {

// The root address of the maker's site, always ending in "/". The About link
// and the new-version notice open it.
QUrl siteUrl();

// The version document: "pgencheck.xml" at the site's root.
QUrl versionDocumentUrl();

// Whether the version check may fetch this address: any https address, and
// for tests plain http to 127.0.0.1 or localhost with an explicit port.
bool isFetchable(const QUrl &url);

} // namespace SiteAddress
