#include "score_bar.h"

#include "fonts.h"

#include <QPainter>
#include <QTest>

namespace {

// A bar widget as the board lays it out: the rest of a 1024-wide row.
constexpr QSize RowRest(861, 50);

// Columns of a rendered bar that hold dark lettering.
QList<int> letteredColumns(ScoreBar &bar)
{
    const QImage image = bar.grab().toImage();
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y).lightness() < 60) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

} // namespace

class TestScoreBar : public QObject
{
    Q_OBJECT

private slots:
    void tinyStepsAddUpInsteadOfTruncating();
    void negativeLengthKeepsThePreviousOne();
    void fractionShowsInTheLastPixelColumn();
    void numberCaptionIsPlainDecimal();
    void theNumberStandsInTheBarOrBesideTheFigure_data();
    void theNumberStandsInTheBarOrBesideTheFigure();
    void theNumberDrawsAsPlainTextWould_data();
    void theNumberDrawsAsPlainTextWould();
};

void TestScoreBar::tinyStepsAddUpInsteadOfTruncating()
{
    // 10 points over 150 ticks at 1.44 px a point: 0.096 px a tick.
    ScoreBar bar;
    bar.resize(RowRest);
    bar.setBarWidth(144.0f);
    for (int i = 0; i < 150; ++i)
        QVERIFY(bar.setBarWidth(float(double(bar.barWidth()) + 10.0 / 150.0 * 1.44)));
    QVERIFY(qAbs(bar.barWidth() - 158.4f) < 0.01f);
    QCOMPARE(bar.size(), RowRest); // the layout's size, whatever the length
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
    bar.resize(RowRest);
    bar.setFillColour(QColor(255, 255, 255));
    bar.setCaption(QString());
    bar.setBarWidth(10.5f);
    const QImage image = bar.grab().toImage();
    QCOMPARE(image.pixelColor(5, 25), QColor(255, 255, 255));
    // Half white over the window green (57, 181, 74), then the green.
    const QColor edge = image.pixelColor(10, 25);
    QVERIFY(qAbs(edge.red() - 156) <= 1);
    QVERIFY(qAbs(edge.blue() - 165) <= 1);
    QCOMPARE(image.pixelColor(11, 25), QColor(57, 181, 74));
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

void TestScoreBar::theNumberStandsInTheBarOrBesideTheFigure_data()
{
    QTest::addColumn<float>("length");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<bool>("inBar");
    QTest::newRow("a long bar") << 200.0f << qint64(20) << true;
    QTest::newRow("just wide enough") << 120.0f << qint64(250) << true;
    QTest::newRow("too short for its number") << 20.0f << qint64(20) << false;
    QTest::newRow("no bar: zero") << 0.0f << qint64(0) << false;
    QTest::newRow("no bar: negative") << 0.0f << qint64(-20) << false;
}

void TestScoreBar::theNumberStandsInTheBarOrBesideTheFigure()
{
    QFETCH(float, length);
    QFETCH(qint64, number);
    QFETCH(bool, inBar);
    ScoreBar bar;
    bar.resize(RowRest);
    bar.setFillColour(QColor(255, 255, 255));
    bar.setCaptionNumber(number);
    bar.setBarWidth(length);
    // In the bar it ends before the tip; beside the figure it starts after it.
    QCOMPARE(bar.captionRect().right() <= qreal(bar.barWidth()), inBar);

    const QRectF place = bar.captionRect();
    if (inBar) {
        QVERIFY(place.left() >= 0.0 && place.right() <= length);
    } else {
        // Right of the running figure at the tip, with a gap.
        QCOMPARE(place.left(), double(length) + 140.0 + ScoreBar::NumberGap);
    }
    // Every number is drawn where its place says, and nowhere else.
    const QList<int> lettered = letteredColumns(bar);
    QVERIFY(!lettered.isEmpty());
    QVERIFY(lettered.first() >= int(place.left()) - 3);
    QVERIFY(lettered.last() <= int(place.right()) + 3);
}

void TestScoreBar::theNumberDrawsAsPlainTextWould_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<float>("length");
    QTest::addColumn<QString>("number");
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const QByteArray at = QByteArray::number(ratio) + "x: ";
        QTest::newRow(at + "beside an empty bar") << ratio << 0.0f << QStringLiteral("-20");
        QTest::newRow(at + "beside a short bar") << ratio << 10.5f << QStringLiteral("45");
        QTest::newRow(at + "in a bar") << ratio << 333.7f << QStringLiteral("615");
        QTest::newRow(at + "ten digits") << ratio << 801.25f << QStringLiteral("2147483647");
    }
}

// The number is shaped once and drawn from that at every frame; it must
// look exactly as drawing the text there would.
void TestScoreBar::theNumberDrawsAsPlainTextWould()
{
    QFETCH(qreal, ratio);
    QFETCH(float, length);
    QFETCH(QString, number);
    ScoreBar bar;
    bar.resize(RowRest);
    bar.setBarWidth(length);
    const auto render = [&] {
        QImage image(RowRest * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        bar.render(&image);
        return image;
    };
    bar.setCaption(number);
    const QImage drawn = render();
    const QRectF place = bar.captionRect();
    bar.setCaption(QString());
    QImage expected = render();
    QPainter painter(&expected);
    painter.setFont(hyGothicFont(43));
    painter.drawText(place.adjusted(-1.0, 0.0, 1.0, 0.0),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, number);
    painter.end();
    QCOMPARE(drawn, expected);
}

QTEST_MAIN(TestScoreBar)
#include "tst_score_bar.moc"
