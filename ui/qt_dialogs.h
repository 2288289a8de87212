#pragma once

#include "dialogs.h"

class QWidget;

// The program's real dialogs: OK-only message boxes and yes/no questions
// with the program's title, and the input box, each over the active window.
class QtDialogs final : public Dialogs
{
public:
    void message(const QString &text) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    bool ask(const QString &question, DefaultAnswer defaultAnswer = DefaultAnswer::No) override;

private:
    static QWidget *dialogParent();
};
