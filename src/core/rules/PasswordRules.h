#pragma once

#include "core/common/Outcome.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// A website's password rules, read from the rules language browsers and
// password managers share: properties separated by ";", each a name, ":"
// and a value.
//
//   minlength: N; maxlength: N       the password's length
//   max-consecutive: N               no character more than N times in a row
//   required: CLASS, CLASS, ...      one character from the union of the
//                                    classes (each required is a group of its own)
//   allowed: CLASS, ...              characters that may appear as well
//
// A class is upper (A-Z), lower (a-z), digit (0-9), special
// (-~!@#$%^&*_+=`|(){}[:;"'<>,.? ] and the space), ascii-printable (the space
// to ~), unicode, or custom characters in brackets: "-" only right after "[",
// "]" only right before the closing "]", anything not printable ASCII left out.
// Names are read whatever their case, blanks around them are ignored, and so
// are properties of other names. Every character a required group names may
// appear; with neither required nor allowed, every printable ASCII character may.
//
// unicode admits any character; passwords are still drawn and counted from
// printable ASCII (drawnFromAscii), characters every site that admits
// unicode accepts.
struct PasswordRules
{
    // Each required group's characters: sorted, distinct, and none a
    // superset of another (such a group is met whenever the smaller one is).
    QStringList required;
    // Every character a password may hold: sorted and distinct.
    QString allowed;
    std::optional<int> minLength;
    std::optional<int> maxLength;
    std::optional<int> maxConsecutive;
    // unicode was named: allowed holds printable ASCII in its stead.
    bool drawnFromAscii = false;

    struct Read;
    // The rules in text, or why they can't be used (a clear message that
    // names the problem; the rules are then empty).
    static Read read(QStringView text);

    // The length box's bounds: minlength (at least 1) to maxlength, or to
    // kLongestWithoutMax when there is none.
    int shortest() const;
    int longest() const;
    // The longest length allowed up to 20, never below shortest().
    int defaultLength() const;
    // Whether passwords of this length can meet every rule, or why not.
    Outcome checkLength(int length) const;
    static constexpr int kLongestWithoutMax = 128;
    static constexpr int kLongestEver = 1024;
    // Counting visits every combination of the required groups.
    static constexpr int kMostGroups = 16;
};

struct PasswordRules::Read
{
    PasswordRules rules;
    Outcome outcome;
};
