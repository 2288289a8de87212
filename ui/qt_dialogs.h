#pragma once

#include "dialogs.h"

class QWidget;

// The program's real dialogs: OK-only message boxes and yes/no questions
// with the program's title, and the input box.
class QtDialogs final : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr);

    void message(const QString &text) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    bool ask(const QString &question, DefaultAnswer defaultAnswer = DefaultAnswer::No) override;

    // Dialogs open over this window (none: over the active window).
    void setParentWidget(QWidget *parent) { m_parent = parent; }

private:
    QWidget *dialogParent() const;

    QWidget *m_parent = nullptr;
};
