#pragma once

#include <QString>
#include <QStringList>

class PasswordBuilder;
struct PasswordRules;

// Whether every password a mask gives meets a site's rules, reasoned from
// what each position of the mask can hold, without drawing:
// - a required group is always met when some position can only hold
//   characters of that group;
// - a run longer than max-consecutive can happen when that many positions
//   and one more, side by side, can hold one same character;
// - lengths and allowed characters likewise, position by position.
// Words and the incrementing number vary in length and text, so a mask that
// holds them is not checked.
struct MaskCheck
{
    bool checked = true;
    QString notChecked; // why not, when !checked
    QStringList breaks; // each rule a password of the mask can break
};

MaskCheck checkMask(const PasswordRules &rules, const PasswordBuilder &builder);
