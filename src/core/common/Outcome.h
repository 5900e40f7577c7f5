#pragma once

#include <QString>

#include <utility>

// What an action that can fail gives back: it worked, or the reason it did
// not, in words fit to show the user. File writes, the clipboard hand-over,
// word lists, argument parsing and generation all answer with it.
class [[nodiscard]] Outcome
{
public:
    Outcome() = default; // it worked

    static Outcome failure(QString reason)
    {
        Outcome failed;
        failed.m_failed = true;
        failed.m_reason = std::move(reason);
        return failed;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &reason() const { return m_reason; }

private:
    QString m_reason;
    bool m_failed = false;
};
