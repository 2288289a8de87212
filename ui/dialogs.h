#pragma once

#include <QString>

#include <optional>

// The title every message box and input box of the program carries.
inline QString appTitle() { return QStringLiteral("Zanto 점수판"); }

// The user dialogs of both windows. The program shows real message boxes;
// tests answer them from a script so that nothing waits on a modal dialog.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // An OK-only message box with the program's title.
    virtual void message(const QString &text) = 0;

    // An input box; no value when the presenter cancels.
    virtual std::optional<QString> input(const QString &prompt, const QString &title,
                                         const QString &defaultText) = 0;

    enum class DefaultAnswer { No, Yes };

    // A yes/no question with the program's title; true for yes. Enter
    // gives the default answer.
    virtual bool ask(const QString &question, DefaultAnswer defaultAnswer = DefaultAnswer::No) = 0;
};
