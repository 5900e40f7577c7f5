#pragma once

#include "core/generation/RandomSource.h"

#include <QString>
#include <QtGlobal>

// What the batch engine makes passwords with: a mask (PasswordBuilder) or any
// other way of drawing one password at a time from fresh uniform draws.
// build() is called on several threads at once, so it must not change the
// maker.
class PasswordMaker
{
public:
    virtual ~PasswordMaker() = default;

    // The most UTF-16 units one password can take.
    virtual qsizetype maxLength() const = 0;
    // How far one password advances the batch counter (the incrementing
    // numbers it writes); the engine starts attempt k at k times this.
    virtual qint64 countersPerPassword() const { return 0; }
    // Writes one password to out (which holds at least maxLength() units)
    // and returns its length.
    virtual qsizetype build(char16_t *out, RandomSource &random, qint64 &counter) const = 0;

    QString build(RandomSource &random, qint64 &counter) const
    {
        QString password(maxLength(), Qt::Uninitialized);
        const qsizetype length = build(reinterpret_cast<char16_t *>(password.data()), random, counter);
        password.truncate(length);
        return password;
    }
};
