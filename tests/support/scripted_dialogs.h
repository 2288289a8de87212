#pragma once

#include "dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// Answers the program's dialogs from a script and records what was shown.
// A dialog that finds no scripted answer is recorded and answered with
// Cancel / No, so a test never waits on a modal dialog.
class ScriptedDialogs final : public Dialogs
{
public:
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<bool> askAnswers;

    QStringList messages;
    QStringList inputPrompts;
    QStringList questions;
    QList<DefaultAnswer> questionDefaults;

    void message(const QString &text) override { messages.append(text); }

    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &) override
    {
        inputPrompts.append(prompt + u'|' + title);
        if (inputAnswers.empty())
            return std::nullopt;
        auto answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }

    bool ask(const QString &question, DefaultAnswer defaultAnswer = DefaultAnswer::No) override
    {
        questions.append(question);
        questionDefaults.append(defaultAnswer);
        if (askAnswers.empty())
            return false;
        const bool answer = askAnswers.front();
        askAnswers.pop_front();
        return answer;
    }
};
