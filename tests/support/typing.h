#pragma once

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>
#include <QWidget>

// Types text the way a Korean keyboard delivers it: plain keys for ASCII,
// the input method's committed text for everything else.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(widget, &commit);
        }
    }
}
