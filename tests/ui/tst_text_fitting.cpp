// How a team's name is fitted into a button: whole on one line, else on two
// lines, shrunk to the floor and narrowed, and only then cut with "…".
#include "fonts.h"
#include "text_fitting.h"

#include <QFontMetricsF>
#include <QTest>

class TestTextFitting : public QObject
{
    Q_OBJECT

private slots:
    void namesTakeTwoLinesThenShrinkThenAreCut_data();
    void namesTakeTwoLinesThenShrinkThenAreCut();
};

void TestTextFitting::namesTakeTwoLinesThenShrinkThenAreCut_data()
{
    // The board's team button at the design size, inside its bevel.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QStringList>("lines"); // as shown; empty: cut
    QTest::addColumn<bool>("fullSize");
    const QSize button(151, 42);
    QTest::newRow("2 letters") << QStringLiteral("믿음") << button << QStringList{QStringLiteral("믿음")}
                               << true;
    QTest::newRow("4 letters") << QStringLiteral("소망가족") << button << QStringList{QStringLiteral("소망가족")}
                               << true;
    // One line a little smaller beats two lines much smaller.
    QTest::newRow("7 letters") << QStringLiteral("청년부 다윗팀") << button
                               << QStringList{QStringLiteral("청년부 다윗팀")} << false;
    QTest::newRow("a little too long") << QStringLiteral("청년부 다윗팀!") << button
                                       << QStringList{QStringLiteral("청년부 다윗팀!")} << false;
    QTest::newRow("12 letters, at the space") << QStringLiteral("중고등부 요셉과 형제들") << button
                                              << QStringList{QStringLiteral("중고등부"), QStringLiteral("요셉과 형제들")}
                                              << false;
    QTest::newRow("25 letters") << QStringLiteral("은혜와 평강의 할렐루야 찬양대 소프라노 연합팀") << button
                                << QStringList{QStringLiteral("은혜와 평강의 할렐루야"),
                                               QStringLiteral("찬양대 소프라노 연합팀")}
                                << false;
    QTest::newRow("no space: between letters") << QStringLiteral("가나다라마바사아자차카타") << button
                                               << QStringList{QStringLiteral("가나다라마바"),
                                                              QStringLiteral("사아자차카타")}
                                               << false;
    QTest::newRow("100 letters: cut") << QString(100, u'팀') << button << QStringList{} << false;
    QTest::newRow("too low for two lines: one cut") << QStringLiteral("주일학교 꿈나무 어린이 찬양단")
                                                    << QSize(151, 20) << QStringList{} << false;
}

void TestTextFitting::namesTakeTwoLinesThenShrinkThenAreCut()
{
    QFETCH(QString, name);
    QFETCH(QSize, box);
    QFETCH(QStringList, lines);
    QFETCH(bool, fullSize);
    const QFont font = hyGothicFont(27);
    const FittedText fitted = TextFitting::fitInTwoLines(name, font, box);
    const QStringList shown = fitted.text.split(u'\n');
    if (lines.isEmpty()) {
        QVERIFY(fitted.text.endsWith(u'…'));
        QVERIFY(name.startsWith(shown.first().chopped(shown.size() == 1 ? 1 : 0)));
    } else {
        QCOMPARE(shown, lines);
    }
    QCOMPARE(fitted.font.pixelSize() == 27, fullSize);
    // Never below the floor, every line in the width, the lines in the height.
    QVERIFY(fitted.font.pixelSize() >= int(27 * TextFitting::MinimumScale));
    QVERIFY(fitted.font.stretch() >= TextFitting::MinimumStretch || fitted.font.stretch() == 0);
    const QFontMetricsF metrics(fitted.font);
    for (const QString &line : shown)
        QVERIFY2(metrics.horizontalAdvance(line) <= box.width(), qPrintable(line));
    if (shown.size() == 2)
        QVERIFY(2 * metrics.height() + metrics.leading() <= box.height());
}

QTEST_MAIN(TestTextFitting)
#include "tst_text_fitting.moc"
