#include "qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Answers the next modal dialog as soon as it is open, so no test waits on
// a person. Gives up (rejecting) after a second.
void answerNextDialog(std::function<void(QDialog *)> answer, int attempts = 100)
{
    QTimer::singleShot(10, [answer, attempts] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            answer(dialog);
            return;
        }
        if (attempts > 0)
            answerNextDialog(answer, attempts - 1);
    });
}

QAbstractButton *buttonWithText(QDialog *dialog, const QString &text)
{
    for (auto *button : dialog->findChildren<QAbstractButton *>()) {
        if (button->text().remove(u'&') == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void questionAnswersYesOnlyForYes();
    void messageCarriesTheProgramTitle();
    void inputGivesTheTypedTextOrNothingOnCancel();
};

void TestQtDialogs::questionAnswersYesOnlyForYes()
{
    QtDialogs dialogs;
    answerNextDialog([](QDialog *d) { buttonWithText(d, QStringLiteral("예"))->click(); });
    QVERIFY(dialogs.ask(QStringLiteral("종료할까요?")));
    answerNextDialog([](QDialog *d) { buttonWithText(d, QStringLiteral("아니요"))->click(); });
    QVERIFY(!dialogs.ask(QStringLiteral("종료할까요?")));
    answerNextDialog([](QDialog *d) { d->reject(); }); // Escape or the title bar
    QVERIFY(!dialogs.ask(QStringLiteral("종료할까요?")));
}

void TestQtDialogs::messageCarriesTheProgramTitle()
{
    QtDialogs dialogs;
    QString title;
    QString text;
    answerNextDialog([&](QDialog *d) {
        title = d->windowTitle();
        text = static_cast<QMessageBox *>(d)->text();
        buttonWithText(d, QStringLiteral("확인"))->click();
    });
    dialogs.message(QStringLiteral("점수 저장이 완료되었습니다"));
    QCOMPARE(title, QStringLiteral("Zanto 점수판"));
    QCOMPARE(text, QStringLiteral("점수 저장이 완료되었습니다"));
}

void TestQtDialogs::inputGivesTheTypedTextOrNothingOnCancel()
{
    QtDialogs dialogs;
    QString title;
    answerNextDialog([&](QDialog *d) {
        title = d->windowTitle();
        d->findChild<QLineEdit *>()->setText(QStringLiteral(" 결승 "));
        buttonWithText(d, QStringLiteral("확인"))->click();
    });
    QCOMPARE(dialogs.input(QStringLiteral("저장할 화일명을 입력하세요"), QStringLiteral("점수 저장하기"),
                           QString()),
             std::optional<QString>(QStringLiteral(" 결승 ")));
    QCOMPARE(title, QStringLiteral("점수 저장하기"));
    answerNextDialog([](QDialog *d) { buttonWithText(d, QStringLiteral("취소"))->click(); });
    QCOMPARE(dialogs.input(QStringLiteral("p"), QStringLiteral("t"), QString()), std::nullopt);
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
