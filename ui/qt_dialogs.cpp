#include "qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// Button captions in Korean whatever translations the system has.
const QString Ok_Text = QStringLiteral("확인");
const QString Cancel_Text = QStringLiteral("취소");
const QString Yes_Text = QStringLiteral("예");
const QString No_Text = QStringLiteral("아니요");

} // namespace

QWidget *QtDialogs::dialogParent()
{
    return QApplication::activeWindow();
}

void QtDialogs::message(const QString &text)
{
    QMessageBox box(QMessageBox::Information, appTitle(), text, QMessageBox::Ok, dialogParent());
    box.button(QMessageBox::Ok)->setText(Ok_Text);
    box.exec();
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &title,
                                        const QString &defaultText)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setTextEchoMode(QLineEdit::Normal);
    dialog.setOkButtonText(Ok_Text);
    dialog.setCancelButtonText(Cancel_Text);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool QtDialogs::ask(const QString &question, DefaultAnswer defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, appTitle(), question,
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.button(QMessageBox::Yes)->setText(Yes_Text);
    box.button(QMessageBox::No)->setText(No_Text);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
