#include "bar_scale.h"
#include "board_layout.h"
#include "game_engine.h"

#include <QTest>

#include <cmath>

// The board's arithmetic with plain numbers: the rows for a window height,
// the scale and bar lengths for a width, the figure's frames and the
// highlight's colours.
class TestBoardLayout : public QObject
{
    Q_OBJECT

private slots:
    void rowGapSharesTheFreeHeightEvenly_data();
    void rowGapSharesTheFreeHeightEvenly();
    void rowTopsFollowTheGap_data();
    void rowTopsFollowTheGap();
    void scaleLeavesOutTheMarginAndNeedsAMaximum_data();
    void scaleLeavesOutTheMarginAndNeedsAMaximum();
    void barLengthIsSinglePrecisionAndNeverNegative_data();
    void barLengthIsSinglePrecisionAndNeverNegative();
    void frameAndColourWrapAround();
    void theBoardGrowsWithTheSmallerSideOfItsWindow_data();
    void theBoardGrowsWithTheSmallerSideOfItsWindow();
};

void TestBoardLayout::rowGapSharesTheFreeHeightEvenly_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("teams");
    QTest::addColumn<std::optional<qint32>>("gap");
    QTest::newRow("8 teams at 766") << 766 << 8 << std::optional<qint32>(4);   // 35 / 9 = 3.89
    QTest::newRow("4 teams at 766") << 766 << 4 << std::optional<qint32>(47);  // 235 / 5
    QTest::newRow("1 team at 766, tie to even") << 766 << 1 << std::optional<qint32>(192); // 192.5
    QTest::newRow("1 team at 768, tie to even") << 768 << 1 << std::optional<qint32>(194); // 193.5
    QTest::newRow("no teams") << 766 << 0 << std::optional<qint32>(435);       // H - 331
    QTest::newRow("8 teams at 1080") << 1080 << 8 << std::optional<qint32>(39); // 349 / 9 = 38.8
    QTest::newRow("too small: negative") << 400 << 8 << std::optional<qint32>(-37); // -331 / 9 = -36.8
    // A team count of -1 divides by zero.
    QTest::newRow("-1 teams: none") << 766 << -1 << std::optional<qint32>();
}

void TestBoardLayout::rowGapSharesTheFreeHeightEvenly()
{
    QFETCH(int, height);
    QFETCH(int, teams);
    QFETCH(std::optional<qint32>, gap);
    QCOMPARE(BoardLayout::rowGap(height, teams), gap);
}

void TestBoardLayout::rowTopsFollowTheGap_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<QList<int>>("tops");
    QTest::newRow("gap 4") << 4 << QList<int>{264, 318, 372, 426, 480, 534, 588, 642};
    QTest::newRow("gap 47") << 47 << QList<int>{307, 404, 501, 598};
    QTest::newRow("gap 192") << 192 << QList<int>{452};
}

void TestBoardLayout::rowTopsFollowTheGap()
{
    QFETCH(int, gap);
    QFETCH(QList<int>, tops);
    for (int i = 0; i < tops.size(); ++i)
        QCOMPARE(BoardLayout::rowTop(i, gap), qint64(tops[i]));
}

void TestBoardLayout::scaleLeavesOutTheMarginAndNeedsAMaximum_data()
{
    QTest::addColumn<int>("maxScore");
    QTest::addColumn<std::optional<double>>("scale");
    QTest::newRow("500") << 500 << std::optional<double>(1.44);
    QTest::newRow("600") << 600 << std::optional<double>(720.0 / 600.0);
    QTest::newRow("0: none") << 0 << std::optional<double>();
}

void TestBoardLayout::scaleLeavesOutTheMarginAndNeedsAMaximum()
{
    QFETCH(int, maxScore);
    QFETCH(std::optional<double>, scale);
    QCOMPARE(scoreScale(1024, maxScore), scale);
}

void TestBoardLayout::barLengthIsSinglePrecisionAndNeverNegative_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("score");
    QTest::addColumn<std::optional<float>>("length");
    QTest::newRow("100 points") << 1.44 << 100 << std::optional<float>(144.0f);
    QTest::newRow("333 points") << 1.44 << 333 << std::optional<float>(479.52f);
    QTest::newRow("0 points") << 1.44 << 0 << std::optional<float>(0.0f);
    QTest::newRow("the maximum") << 1.44 << 500 << std::optional<float>(720.0f);
    QTest::newRow("beyond the maximum") << 1.44 << 700 << std::optional<float>(1008.0f);
    // Below zero a bar has no length; only a scale that is no number gives none.
    QTest::newRow("negative score: no bar") << 1.44 << -1 << std::optional<float>(0.0f);
    QTest::newRow("negative scale: no bar") << -0.5 << 10 << std::optional<float>(0.0f);
    QTest::newRow("no scale") << std::nan("") << 10 << std::optional<float>();
}

void TestBoardLayout::barLengthIsSinglePrecisionAndNeverNegative()
{
    QFETCH(double, scale);
    QFETCH(int, score);
    QFETCH(std::optional<float>, length);
    QCOMPARE(barLength(scale, score), length);
}

void TestBoardLayout::frameAndColourWrapAround()
{
    QCOMPARE(GameEngine::nextFrame(0), qint16(1));
    QCOMPARE(GameEngine::nextFrame(5), qint16(0));
    QCOMPARE(GameEngine::nextColour(6), qint16(7));
    QCOMPARE(GameEngine::nextColour(7), qint16(0));
}

QTEST_GUILESS_MAIN(TestBoardLayout)
#include "tst_board_layout.moc"

void TestBoardLayout::theBoardGrowsWithTheSmallerSideOfItsWindow_data()
{
    // Sizes round up: nothing is drawn smaller than its share.
    QTest::addColumn<QSize>("window");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("banner");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("leaveLeft");    // 74 design pixels from the right
    QTest::addColumn<qint32>("gap");       // one team
    QTest::addColumn<qint64>("firstRow");
    // Up to the design size nothing grows.
    QTest::newRow("design") << QSize(1024, 766) << 1.0 << 260 << 50 << 304 << 950 << 192 << qint64(452);
    QTest::newRow("smaller") << QSize(700, 300) << 1.0 << 260 << 50 << 304 << 626 << -40 << qint64(220);
    QTest::newRow("wider only") << QSize(1920, 766) << 1.0 << 260 << 50 << 304 << 1846 << 192 << qint64(452);
    QTest::newRow("taller only") << QSize(1024, 1400) << 1.0 << 260 << 50 << 304 << 950 << 510 << qint64(770);
    QTest::newRow("1366 x 768") << QSize(1366, 768) << 768 / 766.0 << 261 << 51 << 305 << 1291 << 192 << qint64(453);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << 1080 / 766.0 << 367 << 71 << 429 << 1815 << 270 << qint64(637);
    QTest::newRow("3840 x 2160") << QSize(3840, 2160) << 2160 / 766.0 << 734 << 141 << 858 << 3631 << 542 << qint64(1276);
    QTest::newRow("twice, width and height") << QSize(2048, 1532) << 2.0 << 520 << 100 << 608 << 1900 << 385 << qint64(905);
}

void TestBoardLayout::theBoardGrowsWithTheSmallerSideOfItsWindow()
{
    QFETCH(QSize, window);
    QFETCH(double, factor);
    QFETCH(int, banner);
    QFETCH(int, row);
    QFETCH(int, margin);
    QFETCH(int, leaveLeft);
    QFETCH(qint32, gap);
    QFETCH(qint64, firstRow);
    const auto scale = BoardLayout::BoardScale::forClientSize(window.width(), window.height());
    QCOMPARE(scale.factor(), factor);
    QCOMPARE(scale.px(BoardLayout::BannerHeight), banner);
    QCOMPARE(scale.px(BoardLayout::RowHeight), row);
    QCOMPARE(scale.px(TrackMargin), margin);
    QCOMPARE(scale.fromRight(950, window.width()), leaveLeft);
    QCOMPARE(BoardLayout::rowGap(window.height(), 1, scale), std::optional<qint32>(gap));
    QCOMPARE(BoardLayout::rowTop(0, gap, scale), firstRow);
}
