#include "board_geometry.h"

#include <QTest>

class TestBoardGeometry : public QObject
{
    Q_OBJECT

private slots:
    void rowGapSharesTheFreeHeightEvenly_data();
    void rowGapSharesTheFreeHeightEvenly();
    void rowTopsFollowTheGap_data();
    void rowTopsFollowTheGap();
    void rowGapOfMinusOneTeamCannotBeComputed();
    void scaleLeavesOutTheMarginAndNeedsAMaximum();
    void barLengthIsSinglePrecision_data();
    void barLengthIsSinglePrecision();
    void negativeLengthIsRefused();
    void frameAndColourWrapAround();
    void slotColoursAreTheTeamColours();
};

void TestBoardGeometry::rowGapSharesTheFreeHeightEvenly_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("teams");
    QTest::addColumn<int>("gap");
    QTest::newRow("8 teams at 766") << 766 << 8 << 4;   // 35 / 9 = 3.89
    QTest::newRow("4 teams at 766") << 766 << 4 << 47;  // 235 / 5
    QTest::newRow("1 team at 766, tie to even") << 766 << 1 << 192; // 192.5
    QTest::newRow("1 team at 768, tie to even") << 768 << 1 << 194; // 193.5
    QTest::newRow("no teams") << 766 << 0 << 435;       // H - 331
    QTest::newRow("8 teams at 1080") << 1080 << 8 << 39; // 349 / 9 = 38.8
    QTest::newRow("too small: negative") << 400 << 8 << -37; // -331 / 9 = -36.8
}

void TestBoardGeometry::rowGapSharesTheFreeHeightEvenly()
{
    QFETCH(int, height);
    QFETCH(int, teams);
    QFETCH(int, gap);
    QCOMPARE(board::rowGap(height, teams), std::optional<qint32>(gap));
}

void TestBoardGeometry::rowTopsFollowTheGap_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<QList<int>>("tops");
    QTest::newRow("gap 4") << 4 << QList<int>{264, 318, 372, 426, 480, 534, 588, 642};
    QTest::newRow("gap 47") << 47 << QList<int>{307, 404, 501, 598};
    QTest::newRow("gap 192") << 192 << QList<int>{452};
}

void TestBoardGeometry::rowTopsFollowTheGap()
{
    QFETCH(int, gap);
    QFETCH(QList<int>, tops);
    for (int i = 0; i < tops.size(); ++i)
        QCOMPARE(board::rowTop(i, gap), qint64(tops[i]));
}

void TestBoardGeometry::rowGapOfMinusOneTeamCannotBeComputed()
{
    QCOMPARE(board::rowGap(766, -1), std::nullopt);
}

void TestBoardGeometry::scaleLeavesOutTheMarginAndNeedsAMaximum()
{
    QCOMPARE(board::scoreScale(1024, 500), std::optional<double>(1.44));
    QCOMPARE(board::scoreScale(1024, 0), std::nullopt);
    QCOMPARE(board::scoreScale(1024, 600), std::optional<double>(720.0 / 600.0));
}

void TestBoardGeometry::barLengthIsSinglePrecision_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<float>("length");
    QTest::newRow("100 points") << 100 << 144.0f;
    QTest::newRow("333 points") << 333 << 479.52f;
    QTest::newRow("0 points") << 0 << 0.0f;
    QTest::newRow("the maximum") << 500 << 720.0f;
    QTest::newRow("beyond the maximum") << 700 << 1008.0f;
}

void TestBoardGeometry::barLengthIsSinglePrecision()
{
    QFETCH(int, score);
    QFETCH(float, length);
    const auto computed = board::barLength(1.44, score);
    QVERIFY(computed);
    QCOMPARE(*computed, length);
}

void TestBoardGeometry::negativeLengthIsRefused()
{
    QCOMPARE(board::barLength(1.44, -1), std::nullopt);
    QCOMPARE(board::barLength(-0.5, 10), std::nullopt);
}

void TestBoardGeometry::frameAndColourWrapAround()
{
    QCOMPARE(board::nextFrame(0), qint16(1));
    QCOMPARE(board::nextFrame(5), qint16(0));
    QCOMPARE(board::nextColour(6), qint16(7));
    QCOMPARE(board::nextColour(7), qint16(0));
}

void TestBoardGeometry::slotColoursAreTheTeamColours()
{
    QCOMPARE(board::slotColour(0), QColor(255, 192, 128));
    QCOMPARE(board::slotColour(3), QColor(128, 128, 255));
    QCOMPARE(board::slotColour(7), QColor(224, 224, 224));
}

QTEST_GUILESS_MAIN(TestBoardGeometry)
#include "tst_board_geometry.moc"
