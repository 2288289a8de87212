#include "qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

QtDialogs::QtDialogs(QWidget *parent)
    : m_parent(parent)
{
}

QWidget *QtDialogs::dialogParent() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

void QtDialogs::message(const QString &text)
{
    QMessageBox::information(dialogParent(), appTitle(), text, QMessageBox::Ok);
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &title,
                                        const QString &defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(dialogParent(), title, prompt,
                                                 QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool QtDialogs::ask(const QString &question)
{
    return QMessageBox::question(dialogParent(), appTitle(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}
