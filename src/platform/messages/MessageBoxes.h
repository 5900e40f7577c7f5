#pragma once

#include <QString>

// Modal message boxes. The window asks through this interface, so that tests
// can read every message and answer it without a person.
class MessageBoxes
{
public:
    enum class Icon { Critical, Exclamation, Information, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    struct Message
    {
        QString text; // lines joined by LF
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::Critical;
    };

    virtual ~MessageBoxes() = default;

    // Shows the message modally and returns the button that closed it.
    virtual Answer show(const Message &message) = 0;

    // The one form of every error the window reports: the text under the
    // title errorTitle() ("Error" in English), with the critical icon and an
    // OK button.
    void showError(const QString &text) { show({text, errorTitle(), Buttons::Ok, Icon::Critical}); }

    // The error title in the window's language, set when a language is applied.
    static QString errorTitle() { return errorTitleText(); }
    static void setErrorTitle(const QString &title) { errorTitleText() = title; }

private:
    static QString &errorTitleText()
    {
        static QString title = QStringLiteral("Error");
        return title;
    }
};

// The desktop's message boxes (QMessageBox), owned by the active window.
class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(const Message &message) override;
};
