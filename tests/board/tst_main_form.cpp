#include "main_form.h"

#include "figure_box.h"
#include "game_state.h"
#include "scripted_dialogs.h"
#include "score_bar.h"
#include "start_sound.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

class CountingSound final : public StartSound
{
public:
    int plays = 0;
    void play() override { ++plays; }
};

// A board at a given size with the teams of a round.
struct Board
{
    Module1 state;
    ScriptedDialogs dialogs;
    CountingSound sound;
    std::unique_ptr<MainForm> form;

    explicit Board(const QList<int> &scores, QSize size = QSize(1024, 766))
    {
        state.Max_Score = 500;
        state.Team_Count = qint32(scores.size());
        for (int i = 0; i < scores.size(); ++i) {
            state.Team_Name.set(i, QStringLiteral("팀%1").arg(i + 1));
            state.Team_Score.set(i, scores[i]);
        }
        form = std::make_unique<MainForm>(state, dialogs, sound);
        form->setWindowState(Qt::WindowNoState);
        form->resize(size);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
        form->Set_Init();
    }

    template <typename T>
    T *child(const QString &name) const { return form->findChild<T *>(name); }
    QPushButton *team(int i) const { return child<QPushButton>(QStringLiteral("TCmd_%1").arg(i)); }
    ScoreBar *bar(int i) const { return child<ScoreBar>(QStringLiteral("TeamLabel_%1").arg(i)); }
    FigureBox *figure(int i) const { return child<FigureBox>(QStringLiteral("T_Pic_%1").arg(i)); }
    QLineEdit *entry() const { return child<QLineEdit>(QStringLiteral("TCmd_Txt")); }
    QLineEdit *maxBox() const { return child<QLineEdit>(QStringLiteral("Text1")); }
    QTimer *timer(int n) const { return child<QTimer>(QStringLiteral("Timer%1").arg(n)); }

    void enter(int slot, const QString &text, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(team(slot), button);
        entry()->clear();
        QTest::keyClicks(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
    }

    // Ticks Timer1 until it stops itself; the number of ticks it took.
    int runRound()
    {
        form->Command1_Click();
        int ticks = 0;
        while (timer(1)->isActive() && ticks < 1000) {
            form->Timer1_Timer();
            ++ticks;
        }
        return ticks;
    }
};

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    // Window and controls
    void freshWindowShowsOnlyBannerAndCommandBar();
    void windowOpensMaximizedWithItsTitle();
    void controlsStackAsDesigned();
    void maximumScoreBoxIsLeftOutOfTheTabCycle();

    // Layout
    void rowsShareTheHeightEvenly_data();
    void rowsShareTheHeightEvenly();
    void designSizePlacesTheCommandBarGroup();
    void wideningMovesTheRightHandGroupOnly();
    void slotsBeyondTheTeamCountStayHidden();

    // Score display
    void barLengthsFollowTheScale();
    void negativeScoreKeepsThePreviousBarAndMaximumZeroThePreviousScale();

    // Score entry
    void leftClickCollectsPointsWithoutShowingThem();
    void enterKeysOfAllKindsApply_data();
    void enterKeysOfAllKindsApply();
    void reachingTheMaximumRaisesIt();
    void rightClickRenamesAtOnce();
    void pointsThatAreNoWholeNumberKeepTheBoxOpen_data();
    void pointsThatAreNoWholeNumberKeepTheBoxOpen();
    void fractionalPointsRoundHalfToEven();
    void pendingOverflowKeepsTheBoxOpen();

    // Animation and highlight
    void wholeRoundCountsUpAndCommitsOnTheLastTick();
    void barsGrowByFractionsOfAPixel();
    void negativePointsCountDownWithFloor();
    void resizingDuringTheRoundShowsCommittedScores();
    void resizingBetweenRoundsRedrawsTheBarsForTheNewWidth();
    void theFocusStaysOffTheStartButton();
    void highlightRunsThroughTheTeamColours();
    void bothTimersShareTheirCounters();
    void startWhileRunningCommitsOnce();
    void timersTickForReal();

    // Commands
    void startPreparesEverySlotAndPlaysTheSound();
    void maximumDownStopsAtFiveHundred_data();
    void maximumDownStopsAtFiveHundred();
    void maximumUpShortensTheBars();
    void winnerTiesGoToTheLowestSlot_data();
    void winnerTiesGoToTheLowestSlot();
    void saveAsksForANameAndCancelSaysNothing();
    void saveWritesTheStandings();
    void loadButtonAsksForTheSetupWindow();
    void leaveEndsAtOnceWhenNothingIsUnsaved();
    void leaveAsksWhileStandingsAreUnsaved();
    void titleBarCloseAsksWhileStandingsAreUnsaved();
};

// --- Window and controls -----------------------------------------------------

void TestMainForm::freshWindowShowsOnlyBannerAndCommandBar()
{
    Board b({});
    QVERIFY(b.child<QWidget>(QStringLiteral("Image1"))->isVisible());
    QVERIFY(b.child<QWidget>(QStringLiteral("Picture2"))->isVisible());
    QVERIFY(!b.child<QWidget>(QStringLiteral("Picture3"))->isVisible());
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

void TestMainForm::windowOpensMaximizedWithItsTitle()
{
    Module1 state;
    ScriptedDialogs dialogs;
    CountingSound sound;
    MainForm form(state, dialogs, sound);
    QCOMPARE(form.objectName(), QStringLiteral("main"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Zanto 점수판"));
    QVERIFY(form.windowState() & Qt::WindowMaximized);
}

void TestMainForm::controlsStackAsDesigned()
{
    Board b({10, 20});
    const QObjectList children = b.form->children();
    const auto depth = [&](const QString &name) {
        return children.indexOf(b.form->findChild<QObject *>(name, Qt::FindDirectChildrenOnly));
    };
    // Later children paint in front.
    QVERIFY(depth(QStringLiteral("TCmd_Txt")) > depth(QStringLiteral("TCmd_0")));
    QVERIFY(depth(QStringLiteral("TCmd_Txt")) > depth(QStringLiteral("TCmd_7")));
    QVERIFY(depth(QStringLiteral("T_Pic_0")) > depth(QStringLiteral("TeamLabel_0")));
    QVERIFY(depth(QStringLiteral("Image1")) > depth(QStringLiteral("TeamLabel_0")));
    QVERIFY(depth(QStringLiteral("Picture2")) > depth(QStringLiteral("TeamLabel_7")));
}

void TestMainForm::maximumScoreBoxIsLeftOutOfTheTabCycle()
{
    Board b({10});
    QVERIFY(!(b.maxBox()->focusPolicy() & Qt::TabFocus));
    QCOMPARE(b.maxBox()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(b.entry()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // The chain from the start button reaches the team buttons.
    auto *start = b.child<QWidget>(QStringLiteral("Command1"));
    QWidget *w = start;
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

// --- Layout ------------------------------------------------------------------

void TestMainForm::rowsShareTheHeightEvenly_data()
{
    QTest::addColumn<int>("teams");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QList<int>>("tops");
    QTest::newRow("8 teams") << 8 << 4 << QList<int>{264, 318, 372, 426, 480, 534, 588, 642};
    QTest::newRow("4 teams") << 4 << 47 << QList<int>{307, 404, 501, 598};
    QTest::newRow("1 team, tie to even") << 1 << 192 << QList<int>{452};
}

void TestMainForm::rowsShareTheHeightEvenly()
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
        QCOMPARE(b.figure(i)->y(), tops[i]);
        QCOMPARE(b.figure(i)->shownFrame(), 0);
        QVERIFY(b.team(i)->isVisible());
        QVERIFY(b.figure(i)->isVisible());
        QVERIFY(b.bar(i)->isVisible());
    }
}

void TestMainForm::designSizePlacesTheCommandBarGroup()
{
    Board b({1, 2, 3, 4, 5, 6, 7, 8});
    QCOMPARE(b.child<QWidget>(QStringLiteral("Picture2"))->geometry(), QRect(0, 695, 1024, 71));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command5"))->pos(), QPoint(950, 4));
    QCOMPARE(b.maxBox()->pos(), QPoint(654, 4));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Label1"))->pos(), QPoint(654, 40));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command7"))->pos(), QPoint(844, 4));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command8"))->pos(), QPoint(844, 22));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Image1"))->geometry(), QRect(0, 0, 1024, 260));
}

void TestMainForm::wideningMovesTheRightHandGroupOnly()
{
    Board b({100});
    b.form->resize(1920, 1080);
    QCOMPARE(b.child<QWidget>(QStringLiteral("Image1"))->geometry(), QRect(0, 0, 1920, 260));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Picture2"))->geometry(), QRect(0, 1009, 1920, 71));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command5"))->x(), 1846);
    QCOMPARE(b.maxBox()->x(), 1550);
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command7"))->x(), 1740);
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command1"))->pos(), QPoint(34, 6));
    QCOMPARE(b.child<QWidget>(QStringLiteral("Command4"))->pos(), QPoint(426, 6));
}

void TestMainForm::slotsBeyondTheTeamCountStayHidden()
{
    Board b({5, 6, 7});
    for (int i = 3; i < 8; ++i) {
        QVERIFY(!b.team(i)->isVisible());
        QVERIFY(!b.bar(i)->isVisible());
        QVERIFY(!b.figure(i)->isVisible());
    }
}

// --- Score display -----------------------------------------------------------

void TestMainForm::barLengthsFollowTheScale()
{
    Board b({100, 333, 0});
    QCOMPARE(b.form->scoreScale(), 1.44);
    QCOMPARE(b.form->barWidth(0), 144.0f);
    QCOMPARE(b.form->figureLeft(0), 163.0f + 144.0f);
    QCOMPARE(b.figure(0)->x(), 307);
    QCOMPARE(b.form->barWidth(1), 479.52f);
    QCOMPARE(b.form->figureLeft(1), 163.0f + 479.52f);
    QCOMPARE(b.form->barWidth(2), 0.0f);
    QCOMPARE(b.form->figureLeft(2), 163.0f);
    QVERIFY(b.bar(2)->isVisible());
}

void TestMainForm::negativeScoreKeepsThePreviousBarAndMaximumZeroThePreviousScale()
{
    Board b({100, 50});
    b.state.Team_Score.set(0, -20);
    b.state.Max_Score = 0;
    b.form->Display_Score();
    QCOMPARE(b.form->scoreScale(), 1.44);
    QCOMPARE(b.form->barWidth(0), 144.0f);
    QCOMPARE(b.form->figureLeft(0), 307.0f);
    QCOMPARE(b.form->barWidth(1), 72.0f);
}

// --- Score entry -------------------------------------------------------------

void TestMainForm::leftClickCollectsPointsWithoutShowingThem()
{
    Board b({100, 200, 300});
    QTest::mouseClick(b.team(1), Qt::LeftButton);
    QVERIFY(b.entry()->isVisible());
    QCOMPARE(b.entry()->pos(), b.team(1)->pos());
    QCOMPARE(b.entry()->text(), QStringLiteral("0"));
    QVERIFY(b.entry()->hasFocus() || !QApplication::focusWindow());
    QCOMPARE(b.form->selTeam(), qint16(1));
    QCOMPARE(b.form->inputMode(), qint16(0));
    // The proposal is selected, so typing replaces it.
    QTest::keyClicks(b.entry(), QStringLiteral("30"));
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QVERIFY(!b.entry()->isVisible());
    QCOMPARE(b.state.Add_Score.value(1), 30);
    b.enter(1, QStringLiteral("-5"));
    QCOMPARE(b.state.Add_Score.value(1), 25);
    QCOMPARE(b.state.Team_Score.value(1), 200);
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("200"));
    QCOMPARE(b.form->barWidth(1), 288.0f);
}

void TestMainForm::enterKeysOfAllKindsApply_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestMainForm::enterKeysOfAllKindsApply()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Board b({0});
    QTest::mouseClick(b.team(0), Qt::LeftButton);
    QTest::keyClicks(b.entry(), QStringLiteral("7"));
    QTest::keyClick(b.entry(), Qt::Key_Escape); // no cancel key: the box stays
    QVERIFY(b.entry()->isVisible());
    QTest::keyClick(b.entry(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(b.state.Add_Score.value(0), 7);
    QVERIFY(!b.entry()->isVisible());
}

void TestMainForm::reachingTheMaximumRaisesIt()
{
    Board b({450, 300});
    b.enter(0, QStringLiteral("49"));
    QCOMPARE(b.state.Max_Score, 500);
    b.enter(0, QStringLiteral("1"));
    QCOMPARE(b.state.Max_Score, 600);
    QCOMPARE(b.maxBox()->text(), QStringLiteral("600"));
    QCOMPARE(b.form->scoreScale(), 1.2);
    QCOMPARE(b.form->barWidth(0), 540.0f);
    QCOMPARE(b.form->barWidth(1), 360.0f);
    // Points taken away never lower it.
    b.enter(0, QStringLiteral("-300"));
    QCOMPARE(b.state.Max_Score, 600);
}

void TestMainForm::rightClickRenamesAtOnce()
{
    Board b({10, 20});
    QTest::mouseClick(b.team(1), Qt::RightButton);
    QCOMPARE(b.entry()->text(), QStringLiteral("팀2"));
    QCOMPARE(b.form->inputMode(), qint16(1));
    b.entry()->clear();
    b.entry()->insert(QStringLiteral(" 지혜 ")); // QTest types ASCII only
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QCOMPARE(b.state.Team_Name.value(1), QStringLiteral(" 지혜 "));
    QCOMPARE(b.team(1)->text(), QStringLiteral(" 지혜 "));
    QVERIFY(b.state.Standings_Changed);
    QCOMPARE(b.state.Add_Score.value(1), 0);

    b.enter(0, QString(), Qt::MiddleButton);
    QCOMPARE(b.state.Team_Name.value(0), QString());
    QCOMPARE(b.team(0)->text(), QString());
}

void TestMainForm::pointsThatAreNoWholeNumberKeepTheBoxOpen_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
    QTest::newRow("above the range") << QStringLiteral("32768");
    QTest::newRow("below the range") << QStringLiteral("-32769");
    QTest::newRow("rounds out of the range") << QStringLiteral("32767.5");
}

void TestMainForm::pointsThatAreNoWholeNumberKeepTheBoxOpen()
{
    QFETCH(QString, text);
    Board b({100});
    b.state.Add_Score.set(0, 12);
    QSignalSpy rejected(b.form.get(), &MainForm::entryRejected);
    b.enter(0, text);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(b.state.Add_Score.value(0), 12);
    QVERIFY(b.entry()->isVisible());
    QCOMPARE(b.entry()->text(), text);
    QCOMPARE(b.entry()->selectedText(), text);
    // Corrected, it goes through.
    b.entry()->setText(QStringLiteral("32767"));
    QTest::keyClick(b.entry(), Qt::Key_Return);
    QCOMPARE(b.state.Add_Score.value(0), 12 + 32767);
    QVERIFY(!b.entry()->isVisible());
}

void TestMainForm::fractionalPointsRoundHalfToEven()
{
    Board b({0});
    b.enter(0, QStringLiteral(" 2.5 "));
    QCOMPARE(b.state.Add_Score.value(0), 2);
    b.enter(0, QStringLiteral("3.5"));
    QCOMPARE(b.state.Add_Score.value(0), 6);
}

void TestMainForm::pendingOverflowKeepsTheBoxOpen()
{
    Board b({0});
    b.state.Add_Score.set(0, std::numeric_limits<qint32>::max() - 5);
    QSignalSpy rejected(b.form.get(), &MainForm::entryRejected);
    b.enter(0, QStringLiteral("6"));
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(b.state.Add_Score.value(0), std::numeric_limits<qint32>::max() - 5);
    QVERIFY(b.entry()->isVisible());
}

// --- Animation and highlight -------------------------------------------------

void TestMainForm::wholeRoundCountsUpAndCommitsOnTheLastTick()
{
    Board b({100, 200, 0});
    b.state.Add_Score.set(0, 30);
    b.state.Add_Score.set(1, 150);
    b.form->Command1_Click();
    QVERIFY(b.timer(1)->isActive());

    b.form->Timer1_Timer();
    QCOMPARE(b.form->tickCount(), qint16(1));
    QCOMPARE(b.form->picFrame(), qint16(1));
    QCOMPARE(b.figure(0)->shownFrame(), 0);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("100")); // 100.2
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("201"));
    b.form->Timer1_Timer();
    QCOMPARE(b.figure(0)->shownFrame(), 1);

    for (int t = 3; t <= 75; ++t)
        b.form->Timer1_Timer();
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("115"));
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("275"));
    QVERIFY(qAbs(b.form->barWidth(1) - 288.0f - 108.0f) < 0.01f);
    QCOMPARE(b.form->figureLeft(1), 163.0f + b.form->barWidth(1));
    QCOMPARE(b.state.Team_Score.value(0), 100);

    for (int t = 76; t <= 150; ++t)
        b.form->Timer1_Timer();
    QVERIFY(b.timer(1)->isActive());
    QCOMPARE(b.form->tickCount(), qint16(150));
    QCOMPARE(b.state.Team_Score.value(1), 200);
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("350")); // one point a tick adds up exactly

    b.form->Timer1_Timer(); // the 151st tick commits
    QVERIFY(!b.timer(1)->isActive());
    QCOMPARE(b.form->tickCount(), qint16(0));
    QCOMPARE(b.state.Team_Score.value(0), 130);
    QCOMPARE(b.state.Team_Score.value(1), 350);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("130"));
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("350"));
    QCOMPARE(b.form->barWidth(1), 504.0f);
    QCOMPARE(b.form->figureLeft(1), 667.0f);
    for (int j = 0; j < 8; ++j) {
        QCOMPARE(b.figure(j)->shownFrame(), 0);
        QCOMPARE(b.state.Add_Score.value(j), 0);
    }
    QVERIFY(b.state.Standings_Changed);
}

void TestMainForm::barsGrowByFractionsOfAPixel()
{
    // 10 points over 150 ticks at 1.44 px a point: 0.096 px a tick.
    Board b({100});
    b.state.Add_Score.set(0, 10);
    b.form->Command1_Click();
    b.form->Timer1_Timer();
    QCOMPARE(b.form->barWidth(0), float(144.0 + 10.0 / 150.0 * 1.44));
    for (int t = 2; t <= 150; ++t)
        b.form->Timer1_Timer();
    QVERIFY(qAbs(b.form->barWidth(0) - 158.4f) < 0.01f);
    QCOMPARE(b.bar(0)->width(), 159);
    QVERIFY(qAbs(b.figure(0)->x() - 321) <= 1);
}

void TestMainForm::negativePointsCountDownWithFloor()
{
    Board b({0, 100});
    b.state.Add_Score.set(0, -60);  // -0.4 a tick
    b.state.Add_Score.set(1, -100);
    b.form->Command1_Click();
    b.form->Timer1_Timer();
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("-1"));
    QCOMPARE(b.bar(1)->caption(), QStringLiteral("99"));
    QCOMPARE(b.form->barWidth(0), 0.0f); // a bar takes no negative length
    QVERIFY(b.form->barWidth(1) < 144.0f);
    for (int t = 2; t <= 151; ++t)
        b.form->Timer1_Timer();
    QCOMPARE(b.state.Team_Score.value(0), -60);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("-60"));
    QCOMPARE(b.state.Team_Score.value(1), 0);
    QCOMPARE(b.form->barWidth(1), 0.0f);
}

void TestMainForm::resizingDuringTheRoundShowsCommittedScores()
{
    Board b({100});
    b.state.Add_Score.set(0, 150);
    b.form->Command1_Click();
    for (int t = 0; t < 40; ++t)
        b.form->Timer1_Timer();
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("140"));
    b.form->resize(1100, 800);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("100"));
    QCOMPARE(b.figure(0)->shownFrame(), 0);
    b.form->Timer1_Timer();
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("141"));
}

void TestMainForm::resizingBetweenRoundsRedrawsTheBarsForTheNewWidth()
{
    // The window manager maximizes a new board after Set_Init has drawn it.
    Board b({100, 250});
    QCOMPARE(b.bar(0)->barWidth(), 144.0f); // (1024 - 304) / 500 per point
    b.form->resize(1920, 1080);
    QCOMPARE(b.bar(0)->barWidth(), 323.2f); // (1920 - 304) / 500 per point
    QCOMPARE(b.bar(1)->barWidth(), 808.0f);
    QCOMPARE(b.figure(1)->figureLeft(), float(b.bar(1)->x()) + 808.0f);
}

void TestMainForm::theFocusStaysOffTheStartButton()
{
    // A stray Space must not start a round: no button holds the focus unasked.
    Board b({100});
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    QPushButton *start = b.child<QPushButton>(QStringLiteral("Command1"));
    QVERIFY(!start->hasFocus());

    b.enter(0, QStringLiteral("30"));
    QVERIFY(!b.entry()->isVisible());
    QVERIFY(!start->hasFocus());
    QTest::keyClick(b.form.get(), Qt::Key_Space);
    QVERIFY(!b.timer(1)->isActive());
}

void TestMainForm::highlightRunsThroughTheTeamColours()
{
    Board b({10, 40, 20});
    b.form->Command4_Click();
    QCOMPARE(b.form->topTeam(), qint16(1));
    QVERIFY(b.timer(2)->isActive());
    for (int n = 1; n <= 50; ++n) {
        b.form->Timer2_Timer();
        QCOMPARE(b.bar(1)->fillColour(), board::slotColour((n - 1) % 8));
        QCOMPARE(b.figure(1)->shownFrame(), (n - 1) % 6);
    }
    QVERIFY(b.timer(2)->isActive());
    b.form->Timer2_Timer(); // the 51st: colour 2, then the team's own
    QVERIFY(!b.timer(2)->isActive());
    QCOMPARE(b.bar(1)->fillColour(), board::slotColour(1));
    QCOMPARE(b.figure(1)->shownFrame(), 0);
    QCOMPARE(b.form->tickCount(), qint16(0));
    QCOMPARE(b.bar(0)->fillColour(), board::slotColour(0));
}

void TestMainForm::bothTimersShareTheirCounters()
{
    Board b({100, 300});
    b.state.Add_Score.set(0, 150);
    b.form->Command1_Click();
    for (int t = 0; t < 10; ++t)
        b.form->Timer1_Timer();
    QCOMPARE(b.form->tickCount(), qint16(10));
    b.form->Command4_Click();
    QCOMPARE(b.form->tickCount(), qint16(0));
    QCOMPARE(b.form->picFrame(), qint16(0));
    b.form->Timer1_Timer();
    b.form->Timer2_Timer();
    QCOMPARE(b.form->tickCount(), qint16(2));
    QCOMPARE(b.form->picFrame(), qint16(2));
    QCOMPARE(b.figure(1)->shownFrame(), 1); // drawn from the shared frame

    int timer1Ticks = 11;
    while (b.timer(2)->isActive()) {
        b.form->Timer1_Timer();
        ++timer1Ticks;
        if (b.timer(2)->isActive())
            b.form->Timer2_Timer();
    }
    // Timer2 ended at 50 shared ticks and put the counter back to 0.
    QCOMPARE(b.form->tickCount(), qint16(0));
    QVERIFY(b.timer(1)->isActive());
    while (b.timer(1)->isActive()) {
        b.form->Timer1_Timer();
        ++timer1Ticks;
    }
    // 10 before the highlight, 1 + 25 beside it, then a whole growing phase.
    QCOMPARE(timer1Ticks, 10 + 1 + 25 + 151);
    QCOMPARE(b.state.Team_Score.value(0), 250);
    QCOMPARE(b.bar(0)->caption(), QStringLiteral("250"));
    QCOMPARE(b.form->barWidth(0), 360.0f);
}

void TestMainForm::startWhileRunningCommitsOnce()
{
    Board b({100});
    b.state.Add_Score.set(0, 30);
    b.form->Command1_Click();
    for (int t = 0; t < 50; ++t)
        b.form->Timer1_Timer();
    const float midWidth = b.form->barWidth(0);
    b.form->Command1_Click();
    QCOMPARE(b.form->barValue(0), 100.0);
    QCOMPARE(b.form->barWidth(0), midWidth);
    int ticks = 0;
    while (b.timer(1)->isActive()) {
        b.form->Timer1_Timer();
        ++ticks;
    }
    QCOMPARE(ticks, 101);
    QCOMPARE(b.state.Team_Score.value(0), 130);
    QCOMPARE(b.form->barWidth(0), 187.2f);
}

void TestMainForm::timersTickForReal()
{
    Board b({10});
    b.form->Command1_Click();
    QTRY_VERIFY_WITH_TIMEOUT(b.form->tickCount() >= 2, 2000);
    b.timer(1)->stop();
}

// --- Commands ----------------------------------------------------------------

void TestMainForm::startPreparesEverySlotAndPlaysTheSound()
{
    Board b({100, 50});
    b.state.Team_Score.set(8, 77);
    b.state.Add_Score.set(8, 300);
    b.state.Add_Score.set(1, 15);
    b.form->Command1_Click();
    QCOMPARE(b.sound.plays, 1);
    QCOMPARE(b.form->barValue(8), 77.0);
    QCOMPARE(b.form->barStep(8), 2.0);
    QCOMPARE(b.form->barStep(1), 0.1);
    QCOMPARE(b.form->barStep(0), 0.0);
    // A round without points changes nothing on the bars.
    b.state.Add_Score.set(1, 0);
    b.form->Command1_Click();
    const int ticks = b.runRound();
    QCOMPARE(ticks, 151);
    QCOMPARE(b.state.Team_Score.value(0), 100);
    QCOMPARE(b.form->barWidth(0), 144.0f);
}

void TestMainForm::maximumDownStopsAtFiveHundred_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("550") << 550 << 450;
    QTest::newRow("501") << 501 << 401;
    QTest::newRow("500") << 500 << 500;
    QTest::newRow("450") << 450 << 450;
}

void TestMainForm::maximumDownStopsAtFiveHundred()
{
    QFETCH(int, before);
    QFETCH(int, after);
    Board b({100});
    b.state.Max_Score = before;
    b.form->Set_Init();
    QTest::mouseClick(b.child<QPushButton>(QStringLiteral("Command8")), Qt::LeftButton);
    QCOMPARE(b.state.Max_Score, after);
    QCOMPARE(b.maxBox()->text(), QString::number(after));
}

void TestMainForm::maximumUpShortensTheBars()
{
    Board b({300});
    QTest::mouseClick(b.child<QPushButton>(QStringLiteral("Command7")), Qt::LeftButton);
    QCOMPARE(b.state.Max_Score, 600);
    QCOMPARE(b.maxBox()->text(), QStringLiteral("600"));
    QCOMPARE(b.form->barWidth(0), 360.0f); // five sixths of 432
    b.state.Max_Score = std::numeric_limits<qint32>::max();
    b.form->Command7_Click();
    QCOMPARE(b.state.Max_Score, std::numeric_limits<qint32>::max());
}

void TestMainForm::winnerTiesGoToTheLowestSlot_data()
{
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<int>("top");
    QTest::newRow("30 50 50") << QList<int>{30, 50, 50} << 1;
    QTest::newRow("all equal") << QList<int>{7, 7, 7} << 0;
    QTest::newRow("last leads") << QList<int>{1, 2, 3, 4} << 3;
    QTest::newRow("negative") << QList<int>{-5, -2, -9} << 1;
    QTest::newRow("no teams") << QList<int>{} << 0;
}

void TestMainForm::winnerTiesGoToTheLowestSlot()
{
    QFETCH(QList<int>, scores);
    QFETCH(int, top);
    Board b(scores);
    b.state.Add_Score.set(0, 1000); // pending points do not count
    QTest::mouseClick(b.child<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
    QCOMPARE(b.form->topTeam(), qint16(top));
    QVERIFY(b.timer(2)->isActive());
    b.timer(2)->stop();
}

void TestMainForm::saveAsksForANameAndCancelSaysNothing()
{
    QTemporaryDir dir;
    Board b({10});
    b.state.Saved_Games_Folder = dir.path() + u'/';
    b.dialogs.inputAnswers = {std::nullopt, QStringLiteral("   ")};
    b.form->Command3_Click();
    b.form->Command3_Click();
    QCOMPARE(b.dialogs.inputPrompts,
             QStringList(2, QStringLiteral("저장할 화일명을 입력하세요|점수 저장하기")));
    QVERIFY(b.dialogs.messages.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestMainForm::saveWritesTheStandings()
{
    QTemporaryDir dir;
    Board b({120, 80});
    b.state.Saved_Games_Folder = dir.path() + u'/';
    b.state.Standings_Changed = true;
    b.dialogs.inputAnswers = {QStringLiteral("결승")};
    QTest::mouseClick(b.child<QPushButton>(QStringLiteral("Command3")), Qt::LeftButton);
    QCOMPARE(b.dialogs.messages, QStringList{QStringLiteral("점수 저장이 완료되었습니다")});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    QVERIFY(!b.state.Standings_Changed);
}

void TestMainForm::loadButtonAsksForTheSetupWindow()
{
    Board b({10});
    QSignalSpy load(b.form.get(), &MainForm::loadRequested);
    QTest::mouseClick(b.child<QPushButton>(QStringLiteral("Command2")), Qt::LeftButton);
    QCOMPARE(load.count(), 1);
    QVERIFY(b.form->isVisible());
}

void TestMainForm::leaveEndsAtOnceWhenNothingIsUnsaved()
{
    Board b({10});
    QSignalSpy end(b.form.get(), &MainForm::endRequested);
    QTest::mouseClick(b.child<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    QCOMPARE(end.count(), 1);
    QVERIFY(b.dialogs.questions.isEmpty());
}

void TestMainForm::leaveAsksWhileStandingsAreUnsaved()
{
    Board b({10});
    b.enter(0, QStringLiteral("5")); // pending points
    QSignalSpy end(b.form.get(), &MainForm::endRequested);
    b.dialogs.askAnswers = {false, true};
    b.form->Command5_Click();
    QCOMPARE(end.count(), 0);
    b.form->Command5_Click();
    QCOMPARE(end.count(), 1);
    QCOMPARE(b.dialogs.questions,
             QStringList(2, QStringLiteral("저장하지 않은 점수가 있습니다. 종료할까요?")));
    // Agreed once, the program's own closing does not ask again.
    b.form->close();
    QCOMPARE(b.dialogs.questions.size(), 2);
}

void TestMainForm::titleBarCloseAsksWhileStandingsAreUnsaved()
{
    Board b({10});
    b.runRound();
    b.state.Add_Score.set(0, 0);
    b.state.Standings_Changed = true; // e.g. after a rename
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

QTEST_MAIN(TestMainForm)
#include "tst_main_form.moc"
