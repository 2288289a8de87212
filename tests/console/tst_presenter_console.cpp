#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "presenter_console.h"
#include "saved_games_folder.h"
#include "scripted_dialogs.h"
#include "typing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestPresenterConsole : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensTitledWithOneRowPerTeamOnTheBoard();
    void rowsAppearAndGoWithTheTeamsInPlay();
    void rowsFollowScoresPendingPointsAndTheMaximum();
    void longNamesAreFittedWhereShownAndWholeWhereEdited();
    void pointsFieldAppliesOnEnterAndEmpties_data();
    void pointsFieldAppliesOnEnterAndEmpties();
    void escapeClearsThePointsField();
    void nameFieldRenamesOnEnter_data();
    void nameFieldRenamesOnEnter();
    void typedPointsAreAppliedBeforeACommand();
    void typedTextThatCannotBeTakenHoldsTheCommandBack();
    void undoAndRedoAreEnabledOnlyWithAStepToTake();
    void startAndWinnerAreInertDuringARaceAndTheStatusSaysWhatTheBoardShows();
    void digitKeysPutTheFocusOnThatRowsPointsField_data();
    void digitKeysPutTheFocusOnThatRowsPointsField();
    void spacePressesNoButtonAndEnterPressesTheFocusedOne();

private:
    PresenterConsole &console() { return *m_console; }
    template<typename T>
    T *control(const QString &name) const
    {
        auto *found = m_console->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit *points(int row) const { return control<QLineEdit>(QStringLiteral("ConsolePoints_%1").arg(row)); }
    QLineEdit *nameEditor(int row) const { return control<QLineEdit>(QStringLiteral("ConsoleNameEdit_%1").arg(row)); }
    QPushButton *nameButton(int row) const { return control<QPushButton>(QStringLiteral("ConsoleName_%1").arg(row)); }
    QString text(const QString &label) const { return control<QLabel>(label)->text(); }
    QPushButton *button(const char *name) const { return control<QPushButton>(QLatin1String(name)); }
    int visibleRows() const
    {
        int rows = 0;
        while (rows < BoardRows && !points(rows)->isHidden())
            ++rows;
        return rows;
    }
    void typeInto(QLineEdit *field, const QString &typed)
    {
        field->setFocus();
        field->selectAll();
        typeText(field, typed);
    }
    void runRace()
    {
        for (int tick = 0; tick <= GameEngine::RaceTicks; ++tick)
            m_engine->raceTick();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<GameEngine> m_engine;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<SavedGamesFolder> m_folder;
    std::unique_ptr<PresenterCommands> m_commands;
    std::unique_ptr<PresenterConsole> m_console;
};

void TestPresenterConsole::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = std::make_unique<SavedGamesFolder>(m_dir->path());
    m_dialogs = ScriptedDialogs{};
    m_engine = std::make_unique<GameEngine>();
    setUpGame(*m_engine, numberedTeams({10, 20, 30}));
    m_commands = std::make_unique<PresenterCommands>(*m_engine, *m_folder, m_dialogs);
    m_console = std::make_unique<PresenterConsole>(*m_commands);
    m_console->show();
    QVERIFY(QTest::qWaitForWindowActive(m_console.get()));
}

void TestPresenterConsole::cleanup()
{
    m_console.reset();
    m_commands.reset();
    m_engine.reset();
}

void TestPresenterConsole::opensTitledWithOneRowPerTeamOnTheBoard()
{
    QCOMPARE(console().windowTitle(), u"Zanto 점수판 - 진행자"_qs);
    QCOMPARE(console().objectName(), u"console"_qs);
    QCOMPARE(visibleRows(), 3);
    QCOMPARE(nameButton(1)->text(), u"팀2"_qs);
    QCOMPARE(text(u"ConsoleScore_2"_qs), u"30"_qs);
    QCOMPARE(text(u"ConsoleMaxScore"_qs), u"500"_qs);
    // The console opens on the keyboard, not on a button Enter would press.
    QCOMPARE(QApplication::focusWidget(), &console());
}

void TestPresenterConsole::rowsAppearAndGoWithTheTeamsInPlay()
{
    points(2)->setText(u"15"_qs);
    ScoreFileContent content;
    content.announcedTeamCount = 9; // more teams than the board has rows
    content.maxScore = 900;
    for (int i = 0; i < 9; ++i)
        content.teams.append({QStringLiteral("불러온%1").arg(i), QString::number(i * 10), i * 10});
    content.teamLinesRead = 9;
    m_engine->loadGame(content, SavedGame::named(u"주일 저녁"_qs));
    QCOMPARE(visibleRows(), BoardRows);
    QCOMPARE(nameButton(7)->text(), u"불러온7"_qs);
    QCOMPARE(text(u"ConsoleScore_7"_qs), u"70"_qs);
    QCOMPARE(text(u"ConsoleMaxScore"_qs), u"900"_qs);
    QCOMPARE(text(u"ConsoleGame"_qs), u"게임: 주일 저녁"_qs);

    setUpGame(*m_engine, numberedTeams({0, 0}));
    QCOMPARE(visibleRows(), 2);
    QVERIFY(nameButton(2)->isHidden());
    // Points typed for a team that left play are dropped, not given to the
    // team that takes its row next.
    setUpGame(*m_engine, numberedTeams({0, 0, 0}));
    QCOMPARE(points(2)->text(), QString());
}

void TestPresenterConsole::rowsFollowScoresPendingPointsAndTheMaximum()
{
    m_engine->enterPoints(0, u"30"_qs);
    m_engine->enterPoints(1, u"-5"_qs);
    QCOMPARE(text(u"ConsolePending_0"_qs), u"+30"_qs);
    QCOMPARE(text(u"ConsolePending_1"_qs), u"-5"_qs);
    QCOMPARE(text(u"ConsolePending_2"_qs), u"0"_qs);
    m_engine->raiseMaxScore();
    QCOMPARE(text(u"ConsoleMaxScore"_qs), u"600"_qs);

    QVERIFY(m_engine->startRace());
    runRace();
    QCOMPARE(text(u"ConsoleScore_0"_qs), u"40"_qs);
    QCOMPARE(text(u"ConsoleScore_1"_qs), u"15"_qs);
    QCOMPARE(text(u"ConsolePending_0"_qs), u"0"_qs);
    m_engine->renameTeam(2, u"사랑"_qs);
    QCOMPARE(nameButton(2)->text(), u"사랑"_qs);
}

void TestPresenterConsole::longNamesAreFittedWhereShownAndWholeWhereEdited()
{
    // Two lines, as on the board, then shrunk, then cut.
    const QString church = u"은혜와 평강의 할렐루야 찬양대 소프라노 연합팀"_qs;
    QVERIFY(m_engine->renameTeam(1, church));
    QCOMPARE(nameButton(1)->text(), u"은혜와 평강의 할렐루야\n찬양대 소프라노 연합팀"_qs);
    const QString longName = u"아주 아주 긴 이름의 청년부 연합 찬양팀과 그 친구들 & 이웃, 그리고 또 다른 이웃들과 함께 하는 모임과 "
                             u"그 모임의 또 다른 친구들의 연합 찬양팀"_qs;
    QVERIFY(m_engine->renameTeam(0, longName));
    QPushButton *shown = nameButton(0);
    QVERIFY(shown->text().endsWith(u'…'));
    QVERIFY(shown->font().pixelSize() < nameButton(2)->font().pixelSize());
    QCOMPARE(shown->toolTip(), longName);

    QTest::mouseClick(shown, Qt::LeftButton);
    QVERIFY(shown->isHidden());
    QCOMPARE(nameEditor(0)->text(), longName);
    QCOMPARE(nameEditor(0)->selectedText(), longName);
    QVERIFY(nameEditor(0)->hasFocus());
}

void TestPresenterConsole::pointsFieldAppliesOnEnterAndEmpties_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("pending");
    QTest::addColumn<int>("maxScore");

    QTest::newRow("whole number") << u"30"_qs << true << 30 << 500;
    QTest::newRow("reaching the maximum raises it") << u"495"_qs << true << 495 << 615;
    QTest::newRow("no number") << u"열"_qs << false << 0 << 500;
    QTest::newRow("nothing") << QString() << false << 0 << 500;
}

void TestPresenterConsole::pointsFieldAppliesOnEnterAndEmpties()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(int, pending);
    QFETCH(int, maxScore);
    QSignalSpy rejected(&console(), &PresenterConsole::entryRejected);

    QLineEdit *field = points(1);
    typeInto(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(m_engine->pendingPoints(1), pending);
    QCOMPARE(m_engine->maxScore(), maxScore);
    QCOMPARE(rejected.count(), taken ? 0 : 1);
    QCOMPARE(field->text(), taken ? QString() : typed);
    // Refused text stays selected for the correction; taken text leaves the
    // field, so that the next digit picks a row again.
    QCOMPARE(field->hasFocus(), !taken);
    QCOMPARE(field->selectedText(), taken ? QString() : typed);
}

void TestPresenterConsole::escapeClearsThePointsField()
{
    typeInto(points(0), u"25"_qs);
    QTest::keyClick(points(0), Qt::Key_Escape);
    QCOMPARE(points(0)->text(), QString());
    QCOMPARE(m_engine->pendingPoints(0), 0);
    QVERIFY(m_commands->settleEntries());
    QCOMPARE(m_engine->pendingPoints(0), 0);
}

void TestPresenterConsole::nameFieldRenamesOnEnter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");

    QTest::newRow("Hangul") << u"새 이름"_qs << u"새 이름"_qs;
    QTest::newRow("semicolon refused") << u"가;나"_qs << u"팀2"_qs;
    QTest::newRow("cut at a hundred characters") << QString(120, u'가') << QString(100, u'가');
}

void TestPresenterConsole::nameFieldRenamesOnEnter()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QSignalSpy rejected(&console(), &PresenterConsole::entryRejected);

    QTest::mouseClick(nameButton(1), Qt::LeftButton);
    typeText(nameEditor(1), typed);
    QTest::keyClick(nameEditor(1), Qt::Key_Return);
    QCOMPARE(m_engine->teamName(1), name);
    const bool refused = name == u"팀2";
    QCOMPARE(rejected.count(), refused ? 1 : 0);
    QCOMPARE(nameEditor(1)->isHidden(), !refused);
    if (refused) {
        QVERIFY(nameEditor(1)->hasFocus());
        QCOMPARE(nameEditor(1)->selectedText(), typed);
        QTest::keyClick(nameEditor(1), Qt::Key_Escape);
        QVERIFY(nameEditor(1)->isHidden());
    }
    QCOMPARE(nameButton(1)->isHidden(), nameEditor(1)->isVisible());
}

void TestPresenterConsole::typedPointsAreAppliedBeforeACommand()
{
    typeInto(points(0), u"25"_qs);
    typeInto(points(2), u"-5"_qs);
    QTest::mouseClick(nameButton(1), Qt::LeftButton);
    typeText(nameEditor(1), u"은혜"_qs);
    QTest::mouseClick(button("ConsoleStart"), Qt::LeftButton);
    QVERIFY(m_engine->isRacing());
    QCOMPARE(m_engine->raceStep(0), 25.0 / GameEngine::RaceTicks);
    QCOMPARE(m_engine->raceStep(2), -5.0 / GameEngine::RaceTicks);
    QCOMPARE(m_engine->teamName(1), u"은혜"_qs);
    QCOMPARE(points(0)->text(), QString());
}

void TestPresenterConsole::typedTextThatCannotBeTakenHoldsTheCommandBack()
{
    QSignalSpy rejected(&console(), &PresenterConsole::entryRejected);
    typeInto(points(0), u"10"_qs);
    typeInto(points(1), u"많이"_qs);
    console().setFocus();
    QTest::mouseClick(button("ConsoleSave"), Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(m_dialogs.inputPrompts, QStringList()); // the save waits
    QCOMPARE(m_engine->pendingPoints(0), 10);        // the rows above were applied
    QVERIFY(points(1)->hasFocus());
    QCOMPARE(points(1)->selectedText(), u"많이"_qs);

    typeText(points(1), u"5"_qs);
    QTest::mouseClick(button("ConsoleSave"), Qt::LeftButton);
    QCOMPARE(m_engine->pendingPoints(1), 5);
    QCOMPARE(m_dialogs.inputPrompts, QStringList{u"저장할 화일명을 입력하세요|점수 저장하기"_qs});
}

void TestPresenterConsole::undoAndRedoAreEnabledOnlyWithAStepToTake()
{
    QVERIFY(!button("ConsoleUndo")->isEnabled());
    QVERIFY(!button("ConsoleRedo")->isEnabled());
    QTest::mouseClick(button("ConsoleRaiseMax"), Qt::LeftButton);
    QVERIFY(button("ConsoleUndo")->isEnabled());
    QTest::mouseClick(button("ConsoleUndo"), Qt::LeftButton);
    QCOMPARE(m_engine->maxScore(), 500);
    QVERIFY(!button("ConsoleUndo")->isEnabled());
    QVERIFY(button("ConsoleRedo")->isEnabled());
    QTest::mouseClick(button("ConsoleRedo"), Qt::LeftButton);
    QCOMPARE(m_engine->maxScore(), 600);
    QVERIFY(!button("ConsoleRedo")->isEnabled());
}

void TestPresenterConsole::startAndWinnerAreInertDuringARaceAndTheStatusSaysWhatTheBoardShows()
{
    m_engine->enterPoints(0, u"50"_qs);
    QTest::mouseClick(button("ConsoleStart"), Qt::LeftButton);
    QVERIFY(m_engine->isRacing());
    QCOMPARE(text(u"ConsoleStatus"_qs), u"경주 중…"_qs);
    for (const char *name : {"ConsoleStart", "ConsoleWinner", "ConsoleUndo"})
        QVERIFY2(!button(name)->isEnabled(), name);
    for (int tick = 0; tick < GameEngine::RaceTicks / 2; ++tick)
        m_engine->raceTick();
    QTest::mouseClick(button("ConsoleWinner"), Qt::LeftButton);
    QVERIFY(!m_engine->isHighlighting());

    runRace();
    QCOMPARE(text(u"ConsoleStatus"_qs), QString());
    QVERIFY(button("ConsoleStart")->isEnabled());
    QVERIFY(button("ConsoleUndo")->isEnabled()); // the round is a step
    QTest::mouseClick(button("ConsoleWinner"), Qt::LeftButton);
    QVERIFY(m_engine->isHighlighting());
    QCOMPARE(m_engine->highlightedTeam(), 0);
    m_engine->highlightTick();
    QCOMPARE(text(u"ConsoleStatus"_qs), u"승리팀: 팀1"_qs);
    while (m_engine->isHighlighting())
        m_engine->highlightTick();
    QCOMPARE(text(u"ConsoleStatus"_qs), QString());
}

void TestPresenterConsole::digitKeysPutTheFocusOnThatRowsPointsField_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("row");

    QTest::newRow("1") << int(Qt::Key_1) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("3") << int(Qt::Key_3) << Qt::KeyboardModifiers() << 2;
    QTest::newRow("keypad 2") << int(Qt::Key_2) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
    QTest::newRow("4 beyond the teams") << int(Qt::Key_4) << Qt::KeyboardModifiers() << -1;
}

void TestPresenterConsole::digitKeysPutTheFocusOnThatRowsPointsField()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, row);

    QTest::keyClick(&console(), Qt::Key(key), modifiers);
    if (row < 0) {
        QCOMPARE(QApplication::focusWidget(), &console());
        return;
    }
    QCOMPARE(QApplication::focusWidget(), points(row));
    QCOMPARE(points(row)->text(), u"0"_qs);
    QCOMPARE(points(row)->selectedText(), u"0"_qs);
    // The presenter types over the proposal, the digits going into the
    // field rather than picking rows, and Enter applies it.
    QTest::keyClicks(points(row), u"45"_qs);
    QTest::keyClick(points(row), Qt::Key_Return);
    QCOMPARE(m_engine->pendingPoints(row), 45);
}

void TestPresenterConsole::spacePressesNoButtonAndEnterPressesTheFocusedOne()
{
    m_engine->enterPoints(0, u"50"_qs);
    button("ConsoleStart")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button("ConsoleStart"), Qt::Key_Space);
    QVERIFY(!m_engine->isRacing());
    QTest::keyClick(button("ConsoleStart"), Qt::Key_Return);
    QVERIFY(m_engine->isRacing());
}

QTEST_MAIN(TestPresenterConsole)
#include "tst_presenter_console.moc"
