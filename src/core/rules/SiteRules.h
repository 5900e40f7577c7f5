#pragma once

#include "core/rules/PasswordRules.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The shipped rules of known websites (password-rules/password-rules.json
// beside the program's other data): a site's entry holds its rules in the
// rules language, and applies to its subdomains too unless it says
// exact-domain-match-only.
namespace SiteRules {

// The rules for a site name or address ("accounts.example.com",
// "https://www.example.com/login"): its own entry, else the nearest parent
// domain's. A failure says when the site is unknown or the list can't be read.
PasswordRules::Read rulesFor(QStringView site);

// Every site the list names, sorted (the panel's suggestions).
QStringList siteNames();

} // namespace SiteRules
