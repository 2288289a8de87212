#include "scoreboard_window.h"

#include "counting_sound.h"
#include "entry_box.h"
#include "figure_box.h"
#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "saved_games_folder.h"
#include "score_bar.h"
#include "score_file.h"
#include "scripted_dialogs.h"
#include "typing.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <limits>
#include <memory>

namespace {

// The team colours by slot as the audience must see them; the winner's
// highlight runs through them in this order.
const QColor teamColours[] = {{255, 192, 128}, {128, 255, 128}, {128, 255, 255}, {128, 128, 255},
                              {255, 255, 128}, {255, 128, 255}, {255, 128, 128}, {224, 224, 224}};

// A board at a given size with the teams of a game, drawn as a start shows
// it; its commands are given as the console and the keys give them.
struct Board
{
    QTemporaryDir games;
    SavedGamesFolder folder{games.path()};
    GameEngine engine;
    ScriptedDialogs dialogs;
    CountingSound sound;
    PresenterCommands commands{engine, folder, dialogs};
    std::unique_ptr<ScoreboardWindow> form;

    explicit Board(const QList<int> &scores, QSize size = QSize(1024, 766))
    {
        setUpGame(engine, numberedTeams(scores));
        form = std::make_unique<ScoreboardWindow>(commands, sound);
        form->resize(size);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
        form->showGame();
    }

    template <typename T = QWidget>
    T *child(const QString &name) const { return form->findChild<T *>(name); }
    QPushButton *team(int i) const { return child<QPushButton>(QStringLiteral("TCmd_%1").arg(i)); }
    ScoreBar *bar(int i) const { return child<ScoreBar>(QStringLiteral("TeamLabel_%1").arg(i)); }
    FigureBox *figure(int i) const { return child<FigureBox>(QStringLiteral("T_Pic_%1").arg(i)); }
    // Where a figure stands on the board (it is a child of its bar).
    QPoint figurePlace(int i) const { return figure(i)->mapTo(form.get(), QPoint()); }
    // Where a figure stands as the board keeps it, in single precision.
    float figureLeft(int i) const { return float(bar(i)->x()) + figure(i)->figureLeft(); }
    QLineEdit *entry() const { return child<QLineEdit>(QStringLiteral("TCmd_Txt")); }
    QLineEdit *maxBox() const { return child<QLineEdit>(QStringLiteral("Text1")); }
    QPushButton *button(const char *name) const { return child<QPushButton>(QLatin1String(name)); }
    QTimer *timer(int n) const { return engine.findChild<QTimer *>(QStringLiteral("Timer%1").arg(n)); }
    float width(int i) const { return bar(i)->barWidth(); }

    void enter(int slot, const QString &text, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(team(slot), button);
        entry()->clear();
        typeText(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
    }

    void ticks(int count)
    {
        for (int t = 0; t < count; ++t)
            engine.raceTick();
    }

    // Ticks the race until it stops itself; the number of ticks it took.
    int finishRace()
    {
        int ticks = 0;
        for (; engine.isRacing() && ticks < 1000; ++ticks)
            engine.raceTick();
        return ticks;
    }
    int runRound()
    {
        commands.startRace();
        return finishRace();
    }
};

} // namespace

class TestScoreboardWindow : public QObject
{
    Q_OBJECT

private slots:
    // Window and controls
    void aNewBoardOpensMaximizedWithOnlyBannerAndCommandBar();
    void controlsStackAsDesigned();
    void maximumScoreBoxIsLeftOutOfTheTabCycle();
    void theBoardShowsItsColours_data();
    void theBoardShowsItsColours();

    // Layout
    void rowsShareTheHeightEvenlyAndOnlyTeamsInPlayShow_data();
    void rowsShareTheHeightEvenlyAndOnlyTeamsInPlayShow();
    void designSizePlacesTheCommandBarGroup();
    void wideningMovesTheRightHandGroupOnly();
    void aLargerWindowDrawsEveryDesignSizeLarger_data();
    void aLargerWindowDrawsEveryDesignSizeLarger();
    void backAtTheDesignSizeTheBoardIsAsBefore();
    void aGrownFigureFillsItsWholeBox_data();
    void aGrownFigureFillsItsWholeBox();

    // Score display
    void barLengthsFollowTheScale();
    void theMaximumBoxOnlyShowsAndFitsTenDigits();
    void theBoardShowsWhatItsNextSaveWrites();
    void moreTeamsThanRowsLayOutEightRows();
    void aNegativeScoreDrawsNoBarAndMaximumZeroKeepsTheScale();

    // Score entry
    void leftClickCollectsPointsWithoutShowingThem();
    void enterAppliesThePointsRoundedHalfToEven_data();
    void enterAppliesThePointsRoundedHalfToEven();
    void reachingTheMaximumRaisesItWhenTheRaceStarts();
    void rightClickRenamesAtOnce();
    void pointsThatCannotBeTakenKeepTheBoxOpen_data();
    void pointsThatCannotBeTakenKeepTheBoxOpen();
    void escapeClosesTheEntryBoxWithoutApplying();
    void aClickElsewhereAppliesTheBoxFirst_data();
    void aClickElsewhereAppliesTheBoxFirst();
    void aRenameTheFileCannotCarryKeepsTheBoxOpen();
    void longNamesShrinkThenAreCutAtTheirEnd_data();
    void longNamesShrinkThenAreCutAtTheirEnd();

    // Race and highlight
    void wholeRoundCountsUpAndCommitsOnTheLastTick();
    void barsGrowByFractionsOfAPixel();
    void negativePointsCountDownWithFloor();
    void resizingMidRoundKeepsTheBarsGrowing();
    void resizingBetweenRoundsRedrawsTheBarsForTheNewWidth();
    void theFocusStaysOffTheStartButton();
    void highlightRunsThroughTheTeamColours();
    void aSecondStartOrTheWinnerDuringARaceDoNothing();
    void startDuringTheHighlightEndsItFirst();
    void timersTickForReal();
    void framesBetweenTicksFollowOnlyAVisibleRace();
    void framesStandAtThirdsOfTheWayToTheNextTick();

    // Commands
    void startPreparesEverySlotAndPlaysTheSound();
    void maximumButtonsMoveItByAHundredButNotBelowFiveHundred_data();
    void maximumButtonsMoveItByAHundredButNotBelowFiveHundred();
    void theWinnerButtonHighlightsEveryLeadersBar();
    void theBlankBoardShowsTheBannerAloneUntilAStart();
    void withTheConsoleShownATeamPickedHereOpensThere();
    void escapeLeavesFullScreenAndClosesNothing();
    void saveWritesTheStandingsOnlyUnderATypedName();
    void loadButtonAsksForTheSetupWindow();
    void anotherGameThrowsAwayWhatTheEntryBoxHolds();
    void leaveAsksOnlyWhileStandingsAreUnsaved();
    void titleBarCloseAsksWhileStandingsAreUnsaved();
};

// --- Window and controls -----------------------------------------------------

void TestScoreboardWindow::aNewBoardOpensMaximizedWithOnlyBannerAndCommandBar()
{
    Board b({});
    QCOMPARE(b.form->objectName(), QStringLiteral("main"));
    QCOMPARE(b.form->windowTitle(), QStringLiteral("Zanto 점수판"));
    QVERIFY(b.child(QStringLiteral("Image1"))->isVisible());
    QVERIFY(b.child(QStringLiteral("Picture2"))->isVisible());
    QVERIFY(!b.entry()->isVisible());
    for (int i = 0; i < 8; ++i) {
        QVERIFY(!b.team(i)->isVisible());
        QCOMPARE(b.team(i)->text(), QStringLiteral("믿음"));
        QVERIFY(!b.bar(i)->isVisible());
        QCOMPARE(b.bar(i)->caption(), QStringLiteral("100"));
        QVERIFY(!b.figure(i)->isVisible());
    }
    QVERIFY(!b.timer(1)->isActive());
    QVERIFY(!b.timer(2)->isActive());
    QCOMPARE(b.timer(1)->interval(), 50);
    QCOMPARE(b.timer(2)->timerType(), Qt::PreciseTimer);
}

void TestScoreboardWindow::controlsStackAsDesigned()
{
    Board b({10, 20});
    const QObjectList children = b.form->children();
    const auto depth = [&](const QString &name) {
        return children.indexOf(b.form->findChild<QObject *>(name, Qt::FindDirectChildrenOnly));
    };
    // Later children paint in front.
    QVERIFY(depth(QStringLiteral("TCmd_Txt")) > depth(QStringLiteral("TCmd_0")));
    QVERIFY(depth(QStringLiteral("TCmd_Txt")) > depth(QStringLiteral("TCmd_7")));
    QCOMPARE(b.figure(0)->parent(), b.bar(0));
    QVERIFY(depth(QStringLiteral("Image1")) > depth(QStringLiteral("TeamLabel_0")));
    QVERIFY(depth(QStringLiteral("Picture2")) > depth(QStringLiteral("TeamLabel_7")));

    // In a window too small for its rows, the running figures stand in
    // front of everything, banner and command bar included: row 0's figure
    // was hidden under the command bar at 700 x 300.
    b.form->resize(700, 300);
    const QObjectList small = b.form->children();
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(b.figure(i)->parent(), b.form.get());
        QVERIFY(b.figure(i)->isVisible());
        for (const QObject *control : small) {
            if (control->isWidgetType() && !control->objectName().startsWith(QStringLiteral("T_Pic_")))
                QVERIFY(small.indexOf(b.figure(i)) > small.indexOf(control));
        }
        QCOMPARE(b.figureLeft(i), float(b.bar(i)->x()) + b.width(i));
        QCOMPARE(b.figurePlace(i), QPoint(b.bar(i)->x() + qRound(b.width(i)), b.bar(i)->y()));
    }
    // Back in a large enough window, each stands in its bar again.
    b.form->resize(1024, 766);
    QCOMPARE(b.figure(0)->parent(), b.bar(0));
    QCOMPARE(b.figurePlace(0), QPoint(163 + qRound(b.width(0)), b.bar(0)->y()));
}

void TestScoreboardWindow::maximumScoreBoxIsLeftOutOfTheTabCycle()
{
    Board b({10});
    QVERIFY(!(b.maxBox()->focusPolicy() & Qt::TabFocus));
    QCOMPARE(b.maxBox()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(b.entry()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // The chain from the start button reaches the team buttons.
    QWidget *w = b.button("Command1");
    QList<QString> names;
    for (int i = 0; i < 12; ++i) {
        w = w->nextInFocusChain();
        if (w->focusPolicy() & Qt::TabFocus)
            names.append(w->objectName());
    }
    QVERIFY(names.indexOf(QStringLiteral("Command2")) < names.indexOf(QStringLiteral("TCmd_0")));
    QVERIFY(names.indexOf(QStringLiteral("TCmd_0")) < names.indexOf(QStringLiteral("Command7")));
    QVERIFY(!names.contains(QStringLiteral("Text1")));
}

void TestScoreboardWindow::theBoardShowsItsColours_data()
{
    // A pixel of each control where nothing is drawn over its own colour.
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    for (int i = 0; i < 8; ++i) {
        QTest::addRow("bar %d", i) << QStringLiteral("TeamLabel_%1").arg(i) << QPoint(5, 25)
                                   << teamColours[i];
        QTest::addRow("team button %d", i) << QStringLiteral("TCmd_%1").arg(i) << QPoint(6, 25)
                                           << teamColours[i];
    }
    QTest::newRow("window green") << QStringLiteral("main") << QPoint(900, 300) << QColor(57, 181, 74);
    QTest::newRow("command bar black") << QStringLiteral("Picture2") << QPoint(600, 60) << QColor(0, 0, 0);
    QTest::newRow("maximum box yellow") << QStringLiteral("Text1") << QPoint(5, 17) << QColor(255, 255, 0);
}

void TestScoreboardWindow::theBoardShowsItsColours()
{
    QFETCH(QString, control);
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    Board b({100, 100, 100, 100, 100, 100, 100, 100});
    QWidget *widget = control == b.form->objectName() ? b.form.get() : b.child(control);
    QVERIFY(widget);
    QCOMPARE(widget->grab().toImage().pixelColor(pixel), colour);
}

// --- Layout ------------------------------------------------------------------

void TestScoreboardWindow::rowsShareTheHeightEvenlyAndOnlyTeamsInPlayShow_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QList<int>>("tops");
    QTest::newRow("8 teams") << 8 << 4 << QList<int>{264, 318, 372, 426, 480, 534, 588, 642};
    QTest::newRow("4 teams") << 4 << 47 << QList<int>{307, 404, 501, 598};
    QTest::newRow("1 team, tie to even") << 1 << 192 << QList<int>{452};
}

void TestScoreboardWindow::rowsShareTheHeightEvenlyAndOnlyTeamsInPlayShow()
{
    QFETCH(int, teams);
    QFETCH(int, gap);
    QFETCH(QList<int>, tops);
    Board b(QList<int>(teams, 100));
    QCOMPARE(b.form->size(), QSize(1024, 766));
    QCOMPARE(b.form->rowGap(), gap);
    for (int i = 0; i < teams; ++i) {
        QCOMPARE(b.team(i)->geometry(), QRect(4, tops[i], 159, 50));
        QCOMPARE(b.team(i)->text(), QStringLiteral("팀%1").arg(i + 1));
        QCOMPARE(b.bar(i)->pos(), QPoint(163, tops[i]));
        QCOMPARE(b.figurePlace(i).y(), tops[i]);
        QCOMPARE(b.figure(i)->shownFrame(), 0);
        QVERIFY(b.team(i)->isVisible());
        QVERIFY(b.figure(i)->isVisible());
        QVERIFY(b.bar(i)->isVisible());
    }
    for (int i = teams; i < 8; ++i) {
        QVERIFY(!b.team(i)->isVisible());
        QVERIFY(!b.bar(i)->isVisible());
        QVERIFY(!b.figure(i)->isVisible());
    }
}

void TestScoreboardWindow::designSizePlacesTheCommandBarGroup()
{
    Board b({1, 2, 3, 4, 5, 6, 7, 8});
    QCOMPARE(b.child(QStringLiteral("Picture2"))->geometry(), QRect(0, 695, 1024, 71));
    QCOMPARE(b.button("Command5")->pos(), QPoint(950, 4));
    QCOMPARE(b.maxBox()->pos(), QPoint(654, 4));
    QCOMPARE(b.child(QStringLiteral("Label1"))->pos(), QPoint(654, 40));
    QCOMPARE(b.button("Command7")->pos(), QPoint(844, 4));
    QCOMPARE(b.button("Command8")->pos(), QPoint(844, 22));
    QCOMPARE(b.child(QStringLiteral("Image1"))->geometry(), QRect(0, 0, 1024, 260));
}

void TestScoreboardWindow::wideningMovesTheRightHandGroupOnly()
{
    Board b({100});
    b.form->resize(1920, 766);
    QCOMPARE(b.child(QStringLiteral("Image1"))->geometry(), QRect(0, 0, 1920, 260));
    QCOMPARE(b.child(QStringLiteral("Picture2"))->geometry(), QRect(0, 695, 1920, 71));
    QCOMPARE(b.button("Command5")->x(), 1846);
    QCOMPARE(b.maxBox()->x(), 1550);
    QCOMPARE(b.button("Command7")->x(), 1740);
    QCOMPARE(b.button("Command1")->pos(), QPoint(34, 6));
    QCOMPARE(b.button("Command4")->pos(), QPoint(426, 6));
}

void TestScoreboardWindow::aLargerWindowDrawsEveryDesignSizeLarger_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("commandBar");
    QTest::addColumn<QRect>("maxBox");
    QTest::addColumn<QPoint>("leave");
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QRect>("team");
    QTest::addColumn<QSize>("figure");
    QTest::addColumn<int>("namePixels");
    QTest::addColumn<float>("barLength"); // 100 of 500 points
    QTest::newRow("design") << QSize(1024, 766) << QRect(0, 695, 1024, 71) << QRect(654, 4, 189, 35)
                            << QPoint(950, 4) << QRect(34, 6, 101, 37) << QRect(4, 452, 159, 50)
                            << QSize(140, 50) << 27 << 144.0f;
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QRect(0, 979, 1920, 101)
                                 << QRect(1398, 6, 267, 50) << QPoint(1815, 6) << QRect(48, 9, 143, 53)
                                 << QRect(6, 637, 225, 71) << QSize(198, 71) << 39 << 298.2f;
    QTest::newRow("3840 x 2160") << QSize(3840, 2160) << QRect(0, 1959, 3840, 201)
                                 << QRect(2796, 12, 533, 99) << QPoint(3631, 12) << QRect(96, 17, 285, 105)
                                 << QRect(12, 1276, 449, 141) << QSize(395, 141) << 77 << 596.4f;
}

void TestScoreboardWindow::aLargerWindowDrawsEveryDesignSizeLarger()
{
    QFETCH(QSize, window);
    QFETCH(QRect, commandBar);
    QFETCH(QRect, maxBox);
    QFETCH(QPoint, leave);
    QFETCH(QRect, start);
    QFETCH(QRect, team);
    QFETCH(QSize, figure);
    QFETCH(int, namePixels);
    QFETCH(float, barLength);
    Board b({100}, window);
    QCOMPARE(b.child(QStringLiteral("Picture2"))->geometry(), commandBar);
    QCOMPARE(b.maxBox()->geometry(), maxBox);
    QCOMPARE(b.button("Command5")->pos(), leave);
    QCOMPARE(b.button("Command1")->geometry(), start);
    QCOMPARE(b.team(0)->geometry(), team);
    QCOMPARE(b.team(0)->font().pixelSize(), namePixels);
    QCOMPARE(b.bar(0)->height(), team.height());
    QCOMPARE(b.figure(0)->size(), figure);
    QCOMPARE(b.width(0), barLength);
    QCOMPARE(b.figurePlace(0), QPoint(team.right() + 1 + qRound(barLength), team.y()));
    QCOMPARE(b.child(QStringLiteral("Image1"))->height(), b.form->scale().px(260));
}

void TestScoreboardWindow::backAtTheDesignSizeTheBoardIsAsBefore()
{
    Board b({120, 80, 240}, QSize(1024, 766));
    const QImage before = b.form->grab().toImage();
    b.form->resize(1920, 1080);
    QVERIFY(b.form->grab().toImage() != before);
    b.form->resize(1024, 766);
    QCOMPARE(b.form->grab().toImage(), before);
}

void TestScoreboardWindow::aGrownFigureFillsItsWholeBox_data()
{
    QTest::addColumn<QSize>("window");
    // A box rounded up to 141 x 51 once showed its slot colour along two
    // edges around a frame drawn 140 x 50.
    QTest::newRow("1366 x 768") << QSize(1366, 768);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080);
}

void TestScoreboardWindow::aGrownFigureFillsItsWholeBox()
{
    QFETCH(QSize, window);
    Board b({100}, window);
    const QImage box = b.figure(0)->grab().toImage();
    QCOMPARE(box.size(), b.figure(0)->size());
    for (int x = 0; x < box.width(); ++x)
        QCOMPARE(QColor(box.pixel(x, box.height() - 1)), QColor(57, 181, 74));
    for (int y = 0; y < box.height(); ++y)
        QCOMPARE(QColor(box.pixel(box.width() - 1, y)), QColor(57, 181, 74));
}

// --- Score display -----------------------------------------------------------

void TestScoreboardWindow::barLengthsFollowTheScale()
{
    Board b({100, 333, 0});
    QCOMPARE(b.form->barTrack().scale(), 1.44);
    QCOMPARE(b.width(0), 144.0f);
    QCOMPARE(b.figureLeft(0), 163.0f + 144.0f);
    QCOMPARE(b.figurePlace(0).x(), 307);
    QCOMPARE(b.width(1), 479.52f);
    QCOMPARE(b.figureLeft(1), 163.0f + 479.52f);
    QCOMPARE(b.width(2), 0.0f);
    QCOMPARE(b.figureLeft(2), 163.0f);
    QVERIFY(b.bar(2)->isVisible());
}

void TestScoreboardWindow::aNegativeScoreDrawsNoBarAndMaximumZeroKeepsTheScale()
{
    Board b({100, 50});
    // Only totals all below it leave a maximum of 0: one at or above it
    // would raise it.
    setUpGame(b.engine, numberedTeams({-20, -1}), 0);
    QCOMPARE(b.engine.maxScore(), 0);
    QCOMPARE(b.form->barTrack().scale(), 1.44);
    QCOMPARE(b.width(0), 0.0f);
    QCOMPARE(b.figureLeft(0), 163.0f);
    QCOMPARE(b.width(1), 0.0f);
}

void TestScoreboardWindow::theMaximumBoxOnlyShowsAndFitsTenDigits()
{
    Board b({10});
    QVERIFY(b.maxBox()->isReadOnly());
    QCOMPARE(b.maxBox()->focusPolicy(), Qt::NoFocus);
    setUpGame(b.engine, numberedTeams({10}), 2147483600);
    QCOMPARE(b.maxBox()->text(), QStringLiteral("2147483600"));
    const QRect inside = b.maxBox()->contentsRect();
    QVERIFY(QFontMetrics(b.maxBox()->font()).horizontalAdvance(b.maxBox()->text()) <= inside.width());
}

void TestScoreboardWindow::theBoardShowsWhatItsNextSaveWrites()
{
    // A game loaded or a step undone while the board is open: names,
    // numbers and bars follow at once.
    Board b({100, 50});
    ScoreFileContent loaded;
    loaded.announcedTeamCount = loaded.teamLinesRead = 3;
    loaded.maxScore = 900;
    loaded.teams = {{QStringLiteral("진리"), QStringLiteral("300"), 300},
                    {QStringLiteral("지혜"), QStringLiteral("0"), 0},
                    {QStringLiteral("사랑"), QStringLiteral("-5"), -5}};
    b.engine.loadGame(loaded, SavedGame::named(QStringLiteral("결승")));
    QCOMPARE(b.team(0)->text(), QStringLiteral("진리"));
    QVERIFY(b.team(2)->isVisible());
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("300"));
    QCOMPARE(b.width(0), float((1024 - 304) / 900.0 * 300));
    QCOMPARE(b.maxBox()->text(), QStringLiteral("900"));
    QCOMPARE(b.form->windowTitle(), QStringLiteral("Zanto 점수판 - 결승"));
}

void TestScoreboardWindow::moreTeamsThanRowsLayOutEightRows()
{
    Board b({1, 2, 3, 4, 5, 6, 7, 8});
    const int gap = b.form->rowGap();
    ScoreFileContent many;
    many.announcedTeamCount = many.teamLinesRead = 100;
    for (const TeamStanding &team : numberedTeams({1, 2, 3, 4, 5, 6, 7, 8}))
        many.teams.append({team.name, QString::number(team.score), team.score});
    b.engine.loadGame(many, SavedGame::named(QStringLiteral("많은 팀")));
    QCOMPARE(b.engine.rowsShown(), 8);
    QCOMPARE(b.form->rowGap(), gap);
    QVERIFY(b.team(7)->y() + b.team(7)->height() < b.child(QStringLiteral("Picture2"))->y());
}

// --- Score entry -------------------------------------------------------------

void TestScoreboardWindow::leftClickCollectsPointsWithoutShowingThem()
{
    Board b({100, 200, 300});
    QTest::mouseClick(b.team(1), Qt::LeftButton);
    QVERIFY(b.entry()->isVisible());
    QCOMPARE(b.entry()->pos(), b.team(1)->pos());
    QCOMPARE(b.entry()->text(), QStringLiteral("0"));
    QVERIFY(b.entry()->hasFocus() || !QApplication::focusWindow());
    QCOMPARE(b.form->entryBox()->team(), 1);
    QCOMPARE(b.form->entryBox()->kind(), EntryBox::Kind::Points);
    // The proposal is selected, so typing replaces it.
    QTest::keyClicks(b.entry(), QStringLiteral("30"));
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QVERIFY(!b.entry()->isVisible());
    QCOMPARE(b.engine.pendingPoints(1), 30);
    b.enter(1, QStringLiteral("-5"));
    QCOMPARE(b.engine.pendingPoints(1), 25);
    QCOMPARE(b.engine.score(1), 200);
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("200"));
    QCOMPARE(b.width(1), 288.0f);
}

void TestScoreboardWindow::enterAppliesThePointsRoundedHalfToEven_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pending");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << QStringLiteral("7") << 7;
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << QStringLiteral("7") << 7;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << QStringLiteral("7") << 7;
    QTest::newRow("2.5 with spaces") << int(Qt::Key_Return) << 0 << QStringLiteral(" 2.5 ") << 2;
    QTest::newRow("3.5") << int(Qt::Key_Return) << 0 << QStringLiteral("3.5") << 4;
}

void TestScoreboardWindow::enterAppliesThePointsRoundedHalfToEven()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, typed);
    QFETCH(int, pending);
    Board b({0});
    QTest::mouseClick(b.team(0), Qt::LeftButton);
    QTest::keyClicks(b.entry(), typed);
    QTest::keyClick(b.entry(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(b.engine.pendingPoints(0), pending);
    QVERIFY(!b.entry()->isVisible());
}

void TestScoreboardWindow::reachingTheMaximumRaisesItWhenTheRaceStarts()
{
    // A big entry once raised the maximum and shrank every bar at once, in
    // front of the hall, before the race.
    Board b({450, 300});
    const float before = b.width(0);
    b.enter(0, QStringLiteral("49"));
    b.enter(0, QStringLiteral("1"));
    QCOMPARE(b.engine.maxScore(), 500);
    QCOMPARE(b.maxBox()->text(), QStringLiteral("500"));
    QCOMPARE(b.width(0), before);
    b.commands.startRace();
    QCOMPARE(b.maxBox()->text(), QStringLiteral("600"));
    QCOMPARE(b.form->barTrack().scale(), 1.2);
    QCOMPARE(b.width(0), 540.0f);
    QCOMPARE(b.width(1), 360.0f);
    b.finishRace();
    QCOMPARE(b.engine.maxScore(), 600);
}

void TestScoreboardWindow::rightClickRenamesAtOnce()
{
    Board b({10, 20});
    QTest::mouseClick(b.team(1), Qt::RightButton);
    QCOMPARE(b.entry()->text(), QStringLiteral("팀2"));
    QCOMPARE(b.form->entryBox()->kind(), EntryBox::Kind::TeamName);
    b.entry()->clear();
    typeText(b.entry(), QStringLiteral(" 지혜 "));
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QCOMPARE(b.engine.teamName(1), QStringLiteral(" 지혜 "));
    QCOMPARE(b.team(1)->text(), QStringLiteral(" 지혜 "));
    QVERIFY(b.engine.changedSinceSave());
    QCOMPARE(b.engine.pendingPoints(1), 0);

    b.enter(0, QString(), Qt::MiddleButton);
    QCOMPARE(b.engine.teamName(0), QString());
    QCOMPARE(b.team(0)->text(), QString());
}

void TestScoreboardWindow::pointsThatCannotBeTakenKeepTheBoxOpen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pending");
    QTest::addColumn<QString>("correction");
    const QString top = QStringLiteral("32767");
    QTest::newRow("letters") << QStringLiteral("abc") << 12 << top;
    QTest::newRow("empty") << QString() << 12 << top;
    QTest::newRow("above the range") << QStringLiteral("32768") << 12 << top;
    QTest::newRow("below the range") << QStringLiteral("-32769") << 12 << top;
    QTest::newRow("rounds out of the range") << QStringLiteral("32767.5") << 12 << top;
    QTest::newRow("pending sum overflows") << QStringLiteral("6")
                                           << std::numeric_limits<qint32>::max() - 5 << QStringLiteral("5");
}

void TestScoreboardWindow::pointsThatCannotBeTakenKeepTheBoxOpen()
{
    QFETCH(QString, text);
    QFETCH(int, pending);
    QFETCH(QString, correction);
    Board b({100});
    // A maximum no total reaches, so that the points raise nothing.
    setUpGame(b.engine, numberedTeams({100}), std::numeric_limits<qint32>::max());
    addPendingPoints(b.engine, 0, pending);
    QSignalSpy rejected(b.form.get(), &ScoreboardWindow::entryRejected);
    b.enter(0, text);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(b.engine.pendingPoints(0), pending);
    QVERIFY(b.entry()->isVisible());
    QCOMPARE(b.entry()->text(), text);
    QCOMPARE(b.entry()->selectedText(), text);
    // Corrected, it goes through.
    b.entry()->setText(correction);
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QCOMPARE(b.engine.pendingPoints(0), pending + correction.toInt());
    QVERIFY(!b.entry()->isVisible());
}

void TestScoreboardWindow::escapeClosesTheEntryBoxWithoutApplying()
{
    Board b({0});
    QTest::mouseClick(b.team(0), Qt::LeftButton);
    QTest::keyClicks(b.entry(), QStringLiteral("7"));
    QTest::keyClick(b.entry(), Qt::Key_Escape);
    QVERIFY(!b.entry()->isVisible());
    QCOMPARE(b.engine.pendingPoints(0), 0);
}

void TestScoreboardWindow::aClickElsewhereAppliesTheBoxFirst_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::newRow("points it can take") << QStringLiteral("30") << true;
    QTest::newRow("points it cannot take") << QStringLiteral("abc") << false;
}

void TestScoreboardWindow::aClickElsewhereAppliesTheBoxFirst()
{
    // A box left open over a team's name once stayed there through the race,
    // its points lost.
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    Board b({100, 50});
    QTest::mouseClick(b.team(0), Qt::LeftButton);
    QTest::keyClicks(b.entry(), typed);
    QTest::mouseClick(b.button("Command1"), Qt::LeftButton);
    QCOMPARE(b.engine.isRacing(), taken); // the command waits for a correction
    QCOMPARE(b.entry()->isVisible(), !taken);
    QCOMPARE(b.engine.racingPoints(0), taken ? 30 : 0);
    b.engine.stopAnimations(); // the round's points are pending again

    // A click on the board itself, or on another team, applies it too.
    QTest::mouseClick(b.bar(1), Qt::LeftButton);
    QCOMPARE(b.entry()->isVisible(), !taken);
    b.entry()->setText(QStringLiteral("5"));
    QTest::mouseClick(b.team(1), Qt::LeftButton);
    QCOMPARE(b.engine.pendingPoints(0), taken ? 30 : 5);
    QCOMPARE(b.form->entryBox()->team(), 1);
}

void TestScoreboardWindow::aRenameTheFileCannotCarryKeepsTheBoxOpen()
{
    Board b({10});
    QSignalSpy rejected(b.form.get(), &ScoreboardWindow::entryRejected);
    QTest::mouseClick(b.team(0), Qt::RightButton);
    QCOMPARE(b.entry()->maxLength(), 100);
    b.entry()->setText(QStringLiteral("A\nFAKE;9999")); // pasted
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(b.entry()->isVisible());
    QCOMPARE(b.engine.teamName(0), QStringLiteral("팀1"));
}

void TestScoreboardWindow::longNamesShrinkThenAreCutAtTheirEnd_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("cut");
    const QString church = QStringLiteral("은혜와 평강의 할렐루야 찬양대 소프라노 연합팀");
    QTest::newRow("2 characters") << QStringLiteral("진리") << QSize(1024, 766) << 1 << false;
    QTest::newRow("25 characters") << church << QSize(1024, 766) << 2 << false;
    QTest::newRow("25 characters at 1080p") << church << QSize(1920, 1080) << 2 << false;
    QTest::newRow("100 characters") << QString(100, u'팀') << QSize(1024, 766) << 2 << true;
    QTest::newRow("an ampersand shows") << QStringLiteral("R&D") << QSize(1024, 766) << 1 << false;
}

void TestScoreboardWindow::longNamesShrinkThenAreCutAtTheirEnd()
{
    QFETCH(QString, name);
    QFETCH(QSize, window);
    QFETCH(int, lines);
    QFETCH(bool, cut);
    Board b({10}, window);
    b.engine.renameTeam(0, name);
    QPushButton *button = b.team(0);
    const QString shown = QString(button->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    QCOMPARE(shown.count(u'\n') + 1, lines);
    QCOMPARE(shown.endsWith(u'…'), cut);
    if (!cut)
        QCOMPARE(QString(shown).replace(u'\n', u' '), name);
    for (const QString &line : shown.split(u'\n'))
        QVERIFY(QFontMetrics(button->font()).horizontalAdvance(line) <= button->width() - 6);
    QCOMPARE(b.engine.teamName(0), name); // the team keeps its whole name
}

// --- Race and highlight ------------------------------------------------------

void TestScoreboardWindow::wholeRoundCountsUpAndCommitsOnTheLastTick()
{
    Board b({100, 200, 0});
    addPendingPoints(b.engine, 0, 30);
    addPendingPoints(b.engine, 1, 150);
    b.commands.startRace();
    QVERIFY(b.timer(1)->isActive());

    b.engine.raceTick();
    QCOMPARE(b.engine.tickCount(), qint16(1));
    QCOMPARE(b.engine.frame(), qint16(1));
    QCOMPARE(b.figure(0)->shownFrame(), 0);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("100")); // 100.2
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("201"));
    b.engine.raceTick();
    QCOMPARE(b.figure(0)->shownFrame(), 1);

    b.ticks(75 - 2);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("115"));
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("275"));
    QVERIFY(qAbs(b.width(1) - 288.0f - 108.0f) < 0.01f);
    QCOMPARE(b.figureLeft(1), 163.0f + b.width(1));
    QCOMPARE(b.engine.score(0), 100);

    b.ticks(150 - 75);
    QVERIFY(b.timer(1)->isActive());
    QCOMPARE(b.engine.tickCount(), qint16(150));
    QCOMPARE(b.engine.score(1), 200);
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("350")); // one point a tick adds up exactly

    b.engine.raceTick(); // the 151st tick commits
    QVERIFY(!b.timer(1)->isActive());
    QCOMPARE(b.engine.tickCount(), qint16(0));
    QCOMPARE(b.engine.score(0), 130);
    QCOMPARE(b.engine.score(1), 350);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("130"));
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("350"));
    QCOMPARE(b.width(1), 504.0f);
    QCOMPARE(b.figureLeft(1), 667.0f);
    for (int j = 0; j < 8; ++j) {
        QCOMPARE(b.figure(j)->shownFrame(), 0);
        QCOMPARE(b.engine.pendingPoints(j), 0);
    }
    QVERIFY(b.engine.changedSinceSave());
}

void TestScoreboardWindow::barsGrowByFractionsOfAPixel()
{
    // 10 points over 150 ticks at 1.44 px a point: 0.096 px a tick.
    Board b({100});
    addPendingPoints(b.engine, 0, 10);
    b.commands.startRace();
    b.engine.raceTick();
    QCOMPARE(b.width(0), float(144.0 + 10.0 / 150.0 * 1.44));
    b.ticks(149);
    QVERIFY(qAbs(b.width(0) - 158.4f) < 0.01f);
    QVERIFY(qAbs(b.figurePlace(0).x() - 321) <= 1);
}

void TestScoreboardWindow::negativePointsCountDownWithFloor()
{
    Board b({0, 100});
    addPendingPoints(b.engine, 0, -60); // -0.4 a tick
    addPendingPoints(b.engine, 1, -100);
    b.commands.startRace();
    b.engine.raceTick();
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("-1"));
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("99"));
    QCOMPARE(b.width(0), 0.0f); // a bar takes no negative length
    QVERIFY(b.width(1) < 144.0f);
    b.ticks(150);
    QCOMPARE(b.engine.score(0), -60);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("-60"));
    QCOMPARE(b.engine.score(1), 0);
    QCOMPARE(b.width(1), 0.0f);
}

void TestScoreboardWindow::resizingMidRoundKeepsTheBarsGrowing()
{
    // A board the presenter moves or that is maximized late must neither snap
    // a running round back to the committed lengths nor start its bars again.
    Board b({100, 200});
    addPendingPoints(b.engine, 0, 150);
    addPendingPoints(b.engine, 1, 150);
    b.commands.startRace();
    b.ticks(40);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("140"));
    const float grown[] = {b.width(0), b.width(1)};
    QVERIFY(grown[0] > 144.0f + 50.0f);

    b.form->resize(1100, 766);
    QVERIFY(b.engine.isRacing());
    QCOMPARE(b.engine.tickCount(), qint16(40));
    QCOMPARE(b.width(0), grown[0]);
    QCOMPARE(b.width(1), grown[1]);
    QCOMPARE(b.figureLeft(0), 163.0f + grown[0]);
    // The layout writes the committed scores; the next tick counts on.
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("100"));
    QCOMPARE(b.figure(0)->shownFrame(), 0);
    b.engine.raceTick();
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("141"));
    QCOMPARE(b.width(0), float(double(grown[0]) + 1.44));
    QCOMPARE(b.width(1), float(double(grown[1]) + 1.44));
}

void TestScoreboardWindow::resizingBetweenRoundsRedrawsTheBarsForTheNewWidth()
{
    // The window manager maximizes a new board after showGame has drawn it.
    Board b({100, 250});
    QCOMPARE(b.width(0), 144.0f); // (1024 - 304) / 500 per point
    b.form->resize(1920, 766);
    QCOMPARE(b.width(0), 323.2f); // (1920 - 304) / 500 per point
    QCOMPARE(b.width(1), 808.0f);
    QCOMPARE(b.figureLeft(1), float(b.bar(1)->x()) + 808.0f);
}

void TestScoreboardWindow::theFocusStaysOffTheStartButton()
{
    // A stray Space must not start a round: no button holds the focus unasked.
    Board b({100});
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    QPushButton *start = b.button("Command1");
    QVERIFY(!start->hasFocus());

    b.enter(0, QStringLiteral("30"));
    QVERIFY(!b.entry()->isVisible());
    QVERIFY(!start->hasFocus());
    QTest::keyClick(b.form.get(), Qt::Key_Space);
    QVERIFY(!b.timer(1)->isActive());
}

void TestScoreboardWindow::highlightRunsThroughTheTeamColours()
{
    Board b({10, 40, 20});
    b.commands.showWinner();
    QCOMPARE(b.engine.highlightedTeam(), 1);
    QVERIFY(b.timer(2)->isActive());
    QList<QColor> settled;
    QColor before = b.bar(1)->fillColour();
    for (int n = 1; n <= GameEngine::HighlightTicks; ++n) {
        b.engine.highlightTick();
        QCOMPARE(b.figure(1)->shownFrame(), (n - 1) % 6);
        // Each colour fades in over three ticks and holds for seven: the
        // bar settles on a new colour under three times a second.
        const int held = (n - 1) % GameEngine::ColourHoldTicks;
        const QColor now = b.bar(1)->fillColour();
        if (held >= 2 && (settled.isEmpty() || settled.last() != now))
            settled.append(now);
        // No tick jumps more than a third of the way between two colours.
        const auto step = [](int from, int to) { return std::abs(to - from); };
        QVERIFY(step(before.red(), now.red()) <= 128 / 3 + 1);
        QVERIFY(step(before.green(), now.green()) <= 128 / 3 + 1);
        QVERIFY(step(before.blue(), now.blue()) <= 128 / 3 + 1);
        before = now;
    }
    // The team colours in their order, then the team's own, faded into.
    QList<QColor> expected(std::begin(teamColours), std::end(teamColours));
    expected.append(teamColours[1]);
    QCOMPARE(settled, expected);
    QVERIFY(b.timer(2)->isActive());
    b.engine.highlightTick(); // the end: the bar already shows its own colour
    QVERIFY(!b.timer(2)->isActive());
    QCOMPARE(b.bar(1)->fillColour(), teamColours[1]);
    QCOMPARE(b.figure(1)->shownFrame(), 0);
    QCOMPARE(b.engine.tickCount(), qint16(0));
    QCOMPARE(b.bar(0)->fillColour(), teamColours[0]);
}

void TestScoreboardWindow::aSecondStartOrTheWinnerDuringARaceDoNothing()
{
    // Both share the race's tick counter: once they made the numbers run
    // past the real totals and the race take twelve seconds.
    Board b({100, 240});
    addPendingPoints(b.engine, 0, 30);
    b.commands.startRace();
    b.ticks(50);
    const float midWidth = b.width(0);
    b.commands.startRace();
    b.commands.showWinner();
    QVERIFY(!b.timer(2)->isActive());
    QCOMPARE(b.engine.raceValue(0), 110.0);
    QCOMPARE(b.width(0), midWidth);
    QCOMPARE(b.sound.plays, 1);
    qint64 highest = 0;
    int ticks = 0;
    while (b.timer(1)->isActive() && ticks < 1000) {
        b.engine.raceTick();
        highest = std::max(highest, b.bar(0)->caption().toLongLong());
        ++ticks;
    }
    QCOMPARE(ticks, 101);
    QCOMPARE(highest, 130);
    QCOMPARE(b.engine.score(0), 130);
    QCOMPARE(b.width(0), 187.2f);
}

void TestScoreboardWindow::startDuringTheHighlightEndsItFirst()
{
    Board b({10, 40});
    b.commands.showWinner();
    for (int n = 0; n < 17; ++n)
        b.engine.highlightTick();
    QCOMPARE(b.bar(1)->fillColour(), teamColours[2]);
    addPendingPoints(b.engine, 0, 5);
    b.commands.startRace();
    QVERIFY(!b.timer(2)->isActive());
    QCOMPARE(b.bar(1)->fillColour(), teamColours[1]);
    QCOMPARE(b.finishRace(), 151);
}

void TestScoreboardWindow::framesStandAtThirdsOfTheWayToTheNextTick()
{
    // Two frames after each tick, at a third and two thirds, then nothing
    // until the next tick: no drawing moves a bar further than a third of
    // its tick's way, however late a frame comes.
    Board b({100});
    auto *frames = b.form->findChild<QTimer *>(QStringLiteral("raceFrames"));
    addPendingPoints(b.engine, 0, 300);
    b.commands.startRace();
    b.timer(1)->start(3600 * 1000); // the ticks come from the test alone
    for (int t = 0; t < 2; ++t) {
        b.engine.raceTick();
        const float tick = b.form->barTrack().length(0);
        const float next = b.form->barTrack().lengthAhead(b.engine, 0, 1.0);
        QCOMPARE(b.width(0), tick);
        QTRY_VERIFY(!frames->isActive());
        QCOMPARE(b.width(0), b.form->barTrack().lengthAhead(b.engine, 0, 2.0 / 3.0));
        QVERIFY(b.width(0) > tick && b.width(0) < next);
    }
}

void TestScoreboardWindow::framesBetweenTicksFollowOnlyAVisibleRace()
{
    // In real time: frames between the ticks stand between the tick's
    // length and the next one's (two points a tick, 1.44 px a point).
    Board b({100});
    auto *frames = b.form->findChild<QTimer *>(QStringLiteral("raceFrames"));
    addPendingPoints(b.engine, 0, 300);
    b.commands.startRace();
    QVERIFY(frames->isActive());
    QTRY_VERIFY(b.width(0) > b.form->barTrack().length(0));
    QVERIFY(b.width(0) <= b.form->barTrack().length(0) + float(2 * 1.44) + 0.01f);
    // Nobody sees a hidden board: it draws no frames, the race goes on.
    b.form->hide();
    QTRY_VERIFY(!frames->isActive());
    QVERIFY(b.engine.isRacing());
    b.form->show();
    QTRY_VERIFY(frames->isActive());
    b.engine.stopAnimations();
    QTRY_VERIFY(!frames->isActive());
}

void TestScoreboardWindow::timersTickForReal()
{
    Board b({10});
    addPendingPoints(b.engine, 0, 30);
    b.commands.startRace();
    QTRY_VERIFY_WITH_TIMEOUT(b.engine.tickCount() >= 2, 2000);
    b.timer(1)->stop();
}

// --- Commands ----------------------------------------------------------------

void TestScoreboardWindow::startPreparesEverySlotAndPlaysTheSound()
{
    Board b({100, 50});
    // The sound got ready when the game was shown, not at the click.
    QVERIFY(b.sound.prepares > 0);
    addPendingPoints(b.engine, 1, 15);
    b.commands.startRace();
    QCOMPARE(b.sound.plays, 1);
    QCOMPARE(b.engine.raceStep(1), 0.1);
    QCOMPARE(b.engine.raceStep(0), 0.0);
    // A round without points changes nothing on the bars.
    b.engine.enterPoints(1, QStringLiteral("-15"));
    b.commands.startRace();
    QCOMPARE(b.runRound(), 151);
    QCOMPARE(b.engine.score(0), 100);
    QCOMPARE(b.width(0), 144.0f);
}

void TestScoreboardWindow::maximumButtonsMoveItByAHundredButNotBelowFiveHundred_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<float>("barOf300"); // redrawn at the new scale
    const QString down = QStringLiteral("Command8");
    const QString up = QStringLiteral("Command7");
    constexpr int largest = std::numeric_limits<qint32>::max();
    QTest::newRow("down from 550") << down << 550 << 450 << 480.0f;
    QTest::newRow("down from 501") << down << 501 << 401 << 538.653f;
    QTest::newRow("down stops at 500") << down << 500 << 500 << 432.0f;
    QTest::newRow("down below 500 does nothing") << down << 450 << 450 << 480.0f;
    QTest::newRow("up from 500") << up << 500 << 600 << 360.0f; // five sixths of 432
    QTest::newRow("up stops at the largest") << up << largest << largest << 0.0f;
}

void TestScoreboardWindow::maximumButtonsMoveItByAHundredButNotBelowFiveHundred()
{
    QFETCH(QString, button);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(float, barOf300);
    Board b({300});
    setUpGame(b.engine, numberedTeams({300}), before);
    b.form->showGame();
    QTest::mouseClick(b.child<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(b.engine.maxScore(), after);
    QCOMPARE(b.maxBox()->text(), QString::number(after));
    QVERIFY2(qAbs(b.width(0) - barOf300) < 0.001f, qPrintable(QString::number(b.width(0))));
}

void TestScoreboardWindow::theWinnerButtonHighlightsEveryLeadersBar()
{
    Board b({400, 10, 20, 400});
    addPendingPoints(b.engine, 1, 1000); // pending points do not count
    QTest::mouseClick(b.button("Command4"), Qt::LeftButton);
    for (int n = 0; n < 17; ++n)
        b.engine.highlightTick();
    // Both leaders flash alike; the others keep their colours.
    QCOMPARE(b.bar(0)->fillColour(), teamColours[2]);
    QCOMPARE(b.bar(3)->fillColour(), teamColours[2]);
    QCOMPARE(b.bar(1)->fillColour(), teamColours[1]);
    QCOMPARE(b.bar(2)->fillColour(), teamColours[2]);
    QCOMPARE(b.figure(0)->shownFrame(), b.figure(3)->shownFrame());
    QCOMPARE(b.figure(1)->shownFrame(), 0);
    while (b.engine.isHighlighting())
        b.engine.highlightTick();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(b.bar(i)->fillColour(), teamColours[i]);
}

void TestScoreboardWindow::theBlankBoardShowsTheBannerAloneUntilAStart()
{
    Board b({100, 200});
    QWidget *cover = b.child(QStringLiteral("BlankBoard"));
    QVERIFY(!cover->isVisible());
    b.commands.toggleBlankBoard();
    QVERIFY(cover->isVisible());
    QVERIFY(b.child(QStringLiteral("Image1"))->isVisible());
    // Every row and the command bar lie under it.
    const QRect covered = cover->geometry();
    QCOMPARE(covered.top(), b.child(QStringLiteral("Image1"))->geometry().bottom() + 1);
    for (QWidget *hidden : {static_cast<QWidget *>(b.team(1)), static_cast<QWidget *>(b.bar(1)),
                            b.child(QStringLiteral("Picture2"))})
        QVERIFY(covered.contains(hidden->geometry()));
    // A new size, with a banner grown with the board, keeps it over everything.
    b.form->resize(1280, 900);
    const int bannerEnd = b.child(QStringLiteral("Image1"))->geometry().bottom() + 1;
    QVERIFY(bannerEnd > covered.top());
    QCOMPARE(cover->geometry(), QRect(0, bannerEnd, 1280, 900 - bannerEnd));
    addPendingPoints(b.engine, 0, 30);
    QTest::keyClick(b.form.get(), Qt::Key_PageDown);
    QVERIFY(!cover->isVisible());
    QVERIFY(b.engine.isRacing());
    b.finishRace();
}

void TestScoreboardWindow::withTheConsoleShownATeamPickedHereOpensThere()
{
    // With the console shown, "140" typed after a click on the board once
    // appeared in the board's entry box, in front of the hall.
    Board b({100, 200, 300});
    b.commands.setConsoleShown(true);
    QSignalSpy picked(&b.commands, &PresenterCommands::consoleEntryRequested);
    QTest::mouseClick(b.team(1), Qt::LeftButton);
    QTest::mouseClick(b.team(2), Qt::RightButton);
    QTest::keyClick(b.form.get(), Qt::Key_1);
    QVERIFY(!b.entry()->isVisible());
    QCOMPARE(picked.count(), 3);
    QCOMPARE(picked.at(0), (QList<QVariant>{1, false}));
    QCOMPARE(picked.at(1), (QList<QVariant>{2, true}));
    QCOMPARE(picked.at(2), (QList<QVariant>{0, false}));
    // And the board hands the keyboard back whenever it is made active.
    QSignalSpy back(&b.commands, &PresenterCommands::keyboardToConsoleRequested);
    b.form->toggleFullScreen();
    QVERIFY(back.count() >= 1);
    b.commands.setConsoleShown(false);
    QTest::mouseClick(b.team(1), Qt::LeftButton);
    QVERIFY(b.entry()->isVisible());
}

void TestScoreboardWindow::escapeLeavesFullScreenAndClosesNothing()
{
    Board b({100});
    b.form->showFullScreen();
    QVERIFY(b.form->isFullScreen());
    QTest::keyClick(b.form.get(), Qt::Key_Escape);
    QVERIFY(!b.form->isFullScreen());
    QVERIFY(b.form->isVisible());
    QTest::keyClick(b.form.get(), Qt::Key_Escape);
    QVERIFY(b.form->isVisible());
    QVERIFY(b.dialogs.questions.isEmpty());
}

void TestScoreboardWindow::saveWritesTheStandingsOnlyUnderATypedName()
{
    Board b({120, 80});
    b.engine.renameTeam(1, QStringLiteral("지혜"));
    b.dialogs.inputAnswers = {std::nullopt, QStringLiteral("   "), QStringLiteral("결승")};
    b.commands.saveStandings();
    b.commands.saveStandings();
    QVERIFY(b.dialogs.messages.isEmpty());
    QVERIFY(QDir(b.folder.path()).isEmpty());
    QVERIFY(b.engine.changedSinceSave());

    QTest::mouseClick(b.button("Command3"), Qt::LeftButton);
    QCOMPARE(b.dialogs.inputPrompts,
             QStringList(3, QStringLiteral("저장할 화일명을 입력하세요|점수 저장하기")));
    QCOMPARE(b.dialogs.messages, QStringList{QStringLiteral("점수 저장이 완료되었습니다")});
    QCOMPARE(QDir(b.folder.path()).entryList(QDir::Files).size(), 1);
    QVERIFY(!b.engine.changedSinceSave());
}

void TestScoreboardWindow::loadButtonAsksForTheSetupWindow()
{
    Board b({10});
    QSignalSpy load(&b.commands, &PresenterCommands::setupRequested);
    QTest::mouseClick(b.button("Command2"), Qt::LeftButton);
    QCOMPARE(load.count(), 1);
    QVERIFY(b.form->isVisible());
}

void TestScoreboardWindow::anotherGameThrowsAwayWhatTheEntryBoxHolds()
{
    Board b({100, 200});
    QTest::mouseClick(b.team(1), Qt::LeftButton);
    QTest::keyClicks(b.entry(), QStringLiteral("30"));
    b.engine.startGame({{QStringLiteral("X"), 1000}, {QStringLiteral("Y"), 2000}});
    QVERIFY(!b.entry()->isVisible());
    // The next command finds nothing typed to apply to the new game.
    QVERIFY(b.commands.settleEntries());
    QCOMPARE(b.engine.pendingPoints(1), 0);
}

void TestScoreboardWindow::leaveAsksOnlyWhileStandingsAreUnsaved()
{
    Board b({10});
    QSignalSpy end(&b.commands, &PresenterCommands::endRequested);
    QTest::mouseClick(b.button("Command5"), Qt::LeftButton);
    QCOMPARE(end.count(), 1);
    QVERIFY(b.dialogs.questions.isEmpty());

    b.enter(0, QStringLiteral("5")); // pending points
    b.dialogs.askAnswers = {false, true};
    b.commands.leave();
    QCOMPARE(end.count(), 1);
    b.commands.leave();
    QCOMPARE(end.count(), 2);
    QCOMPARE(b.dialogs.questions,
             QStringList(2, QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?")));
    // Agreed once, the program's own closing does not ask again.
    b.form->close();
    QCOMPARE(b.dialogs.questions.size(), 2);
}

void TestScoreboardWindow::titleBarCloseAsksWhileStandingsAreUnsaved()
{
    Board b({10});
    b.runRound();
    b.engine.renameTeam(0, QStringLiteral("지혜"));
    b.dialogs.askAnswers = {false, true};
    QVERIFY(!b.form->close());
    QVERIFY(b.form->isVisible());
    QVERIFY(b.form->close());
    QVERIFY(!b.form->isVisible());
    QCOMPARE(b.dialogs.questions.size(), 2);

    Board saved({10});
    QVERIFY(saved.form->close());
    QVERIFY(saved.dialogs.questions.isEmpty());
}

QTEST_MAIN(TestScoreboardWindow)
#include "tst_scoreboard_window.moc"
