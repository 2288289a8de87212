#include "score_bar.h"

#include <QTest>

class TestScoreBar : public QObject
{
    Q_OBJECT

private slots:
    void tinyStepsAddUpInsteadOfTruncating();
    void widgetCoversTheFractionalLength();
    void negativeLengthKeepsThePreviousOne();
    void fractionShowsInTheLastPixelColumn();
    void numberCaptionIsPlainDecimal();
    void captionThatDoesNotFitIsLeftOut();
};

void TestScoreBar::tinyStepsAddUpInsteadOfTruncating()
{
    // 10 points over 150 ticks at 1.44 px a point: 0.096 px a tick.
    ScoreBar bar;
    bar.setBarWidth(144.0f);
    for (int i = 0; i < 150; ++i)
        QVERIFY(bar.setBarWidth(float(double(bar.barWidth()) + 10.0 / 150.0 * 1.44)));
    QVERIFY(qAbs(bar.barWidth() - 158.4f) < 0.01f);
    QCOMPARE(bar.width(), 159);
}

void TestScoreBar::widgetCoversTheFractionalLength()
{
    ScoreBar bar;
    bar.resize(95, 50);
    bar.setBarWidth(479.52f);
    QCOMPARE(bar.width(), 480);
    QCOMPARE(bar.height(), 50);
    bar.setBarWidth(0.0f);
    QCOMPARE(bar.width(), 0);
}

void TestScoreBar::negativeLengthKeepsThePreviousOne()
{
    ScoreBar bar;
    bar.setBarWidth(12.5f);
    QVERIFY(!bar.setBarWidth(-0.1f));
    QVERIFY(!bar.setBarWidth(std::numeric_limits<float>::quiet_NaN()));
    QCOMPARE(bar.barWidth(), 12.5f);
}

void TestScoreBar::fractionShowsInTheLastPixelColumn()
{
    ScoreBar bar;
    bar.resize(10, 50);
    bar.setFillColour(QColor(255, 255, 255));
    bar.setCaption(QString());
    bar.setBarWidth(10.5f);
    const QImage image = bar.grab().toImage();
    QCOMPARE(image.pixelColor(5, 25), QColor(255, 255, 255));
    // Half white over the window green (57, 181, 74).
    const QColor edge = image.pixelColor(10, 25);
    QVERIFY(qAbs(edge.red() - 156) <= 1);
    QVERIFY(qAbs(edge.blue() - 165) <= 1);
}

void TestScoreBar::numberCaptionIsPlainDecimal()
{
    ScoreBar bar;
    bar.setCaptionNumber(-1);
    QCOMPARE(bar.caption(), QStringLiteral("-1"));
    bar.setCaption(QStringLiteral("100"));
    bar.setCaptionNumber(-1);
    QCOMPARE(bar.caption(), QStringLiteral("-1"));
}

void TestScoreBar::captionThatDoesNotFitIsLeftOut()
{
    ScoreBar bar;
    bar.resize(10, 50);
    bar.setFillColour(QColor(255, 255, 255));
    bar.setCaptionNumber(20);
    bar.setBarWidth(20.0f);
    const QImage shortBar = bar.grab().toImage();
    for (int x = 0; x < 20; ++x)
        QCOMPARE(shortBar.pixelColor(x, 25), QColor(255, 255, 255));
    // Long enough, the number shows at the tip.
    bar.setBarWidth(200.0f);
    const QImage longBar = bar.grab().toImage();
    int dark = 0;
    for (int x = 100; x < 200; ++x)
        dark += longBar.pixelColor(x, 25).lightness() < 100 ? 1 : 0;
    QVERIFY(dark > 0);
    for (int x = 0; x < 60; ++x)
        QCOMPARE(longBar.pixelColor(x, 25), QColor(255, 255, 255));
}

QTEST_MAIN(TestScoreBar)
#include "tst_score_bar.moc"
