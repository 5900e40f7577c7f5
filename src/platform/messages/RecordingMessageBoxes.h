#pragma once

#include "platform/messages/MessageBoxes.h"

#include <QList>

#include <optional>

// Message boxes for tests: every message is recorded instead of shown, and
// answered at once with the answer a test asked for (Ok, or Yes for a
// question, unless told otherwise). Nothing ever blocks.
class RecordingMessageBoxes final : public MessageBoxes
{
public:
    Answer show(const Message &message) override
    {
        shown.append(message);
        if (m_next) {
            const Answer answer = *m_next;
            m_next.reset();
            return answer;
        }
        return message.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    // The answer to the next message only.
    void setNextAnswer(Answer answer) { m_next = answer; }

    QList<Message> shown;

private:
    std::optional<Answer> m_next;
};
