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
    void aGameThatComesInThrowsAwayWhatWasTypedForTheOldOne();
    void ctrlZInAFieldUndoesTheTypingOnly_data();
    void ctrlZInAFieldUndoesTheTypingOnly();
    void hidingTheConsoleSettlesItsFields_data();
    void hidingTheConsoleSettlesItsFields();
    void aWarningShowsAboveTheTeamsUntilItIsCleared();
    void keysAFieldTypesGiveNoCommandThere_data();
    void keysAFieldTypesGiveNoCommandThere();
    void leavingAPointsFieldAppliesItOrRefusesIt_data();
    void leavingAPointsFieldAppliesItOrRefusesIt();
    void deleteAndTheCrossClearATeamsPendingPoints_data();
    void deleteAndTheCrossClearATeamsPendingPoints();
    void quickButtonsAddTheirPoints();
    void aTieNamesEveryWinnerAndAnEmptyStartSaysSo();
    void aTeamPickedOnTheBoardOpensHere();

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
    QTest::addColumn<QString>("atStart");

    QTest::newRow("whole number") << u"30"_qs << true << 30 << QString();
    // The board's maximum stays until the race; the console tells the
    // presenter what it will be.
    QTest::newRow("reaching the maximum") << u"495"_qs << true << 495 << u"출발 때 → 615"_qs;
    QTest::newRow("no number") << u"열"_qs << false << 0 << QString();
    QTest::newRow("nothing") << QString() << false << 0 << QString();
}

void TestPresenterConsole::pointsFieldAppliesOnEnterAndEmpties()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(int, pending);
    QFETCH(QString, atStart);
    QSignalSpy rejected(&console(), &PresenterConsole::entryRejected);

    QLineEdit *field = points(1);
    typeInto(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(m_engine->pendingPoints(1), pending);
    QCOMPARE(m_engine->maxScore(), 500);
    QCOMPARE(text(u"ConsoleMaxAtStart"_qs), atStart);
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

void TestPresenterConsole::aGameThatComesInThrowsAwayWhatWasTypedForTheOldOne()
{
    // Typed for the game on the board and never applied: the next command
    // once applied both to the game that came in ("X" became 믿음, Y 2030).
    // Every way a game comes in tells the views alike (the engine's test).
    QTest::mouseClick(nameButton(0), Qt::LeftButton);
    typeText(nameEditor(0), u"믿음"_qs);
    // Typed with the console active, emptied while another window is: the
    // next digit picks a row, and types into no field.
    console().setFocus();
    typeInto(points(1), u"30"_qs);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_engine->startGame({{u"X"_qs, 1000}, {u"Y"_qs, 2000}});
    QVERIFY(nameEditor(0)->isHidden());
    QCOMPARE(points(1)->text(), QString());
    QVERIFY(console().focusWidget() != points(1));
    QVERIFY(m_commands->settleEntries());
    QCOMPARE(m_engine->standings().teams, (QList<TeamStanding>{{u"X"_qs, 1000}, {u"Y"_qs, 2000}}));
    QCOMPARE(m_engine->pendingPoints(1), 0);
}

void TestPresenterConsole::ctrlZInAFieldUndoesTheTypingOnly_data()
{
    QTest::addColumn<bool>("nameField");
    QTest::newRow("points") << false;
    QTest::newRow("name") << true;
}

void TestPresenterConsole::ctrlZInAFieldUndoesTheTypingOnly()
{
    QFETCH(bool, nameField);
    m_engine->enterPoints(0, u"40"_qs);
    m_engine->startRace();
    runRace();
    QCOMPARE(m_engine->score(0), 50);
    QLineEdit *field = points(1);
    if (nameField) {
        QTest::mouseClick(nameButton(1), Qt::LeftButton);
        field = nameEditor(1);
        QTest::keyClick(field, Qt::Key_End);
    } else {
        field->setFocus();
    }
    QTest::keyClicks(field, u"30"_qs);
    // It once applied the 30 and took the round back as well.
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_engine->score(0), 50);
    QVERIFY(m_engine->canUndo());
    QCOMPARE(m_engine->pendingPoints(1), 0);
    QCOMPARE(field->text(), nameField ? u"팀2"_qs : QString());
    // Redo brings the typing back, in the field alone.
    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(field->text(), nameField ? u"팀230"_qs : u"30"_qs);
    QVERIFY(!m_engine->canRedo());
    // Outside a field, Ctrl+Z is the game's.
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(&console(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_engine->score(0), 10);
}

void TestPresenterConsole::hidingTheConsoleSettlesItsFields_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint32>("pending");
    QTest::addColumn<bool>("told");
    QTest::newRow("points that can be taken are applied") << u"25"_qs << 25 << false;
    QTest::newRow("text that cannot is thrown away, and said so") << u"abc"_qs << 0 << true;
}

void TestPresenterConsole::hidingTheConsoleSettlesItsFields()
{
    QFETCH(QString, typed);
    QFETCH(qint32, pending);
    QFETCH(bool, told);
    typeInto(points(1), typed);
    console().hide();
    QCOMPARE(points(1)->text(), QString());
    QCOMPARE(m_engine->pendingPoints(1), pending);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(m_dialogs.messages.size(), told ? 1 : 0);
    // It names the field, never the text, which the hall might see.
    if (told)
        QCOMPARE(m_dialogs.messages.first(), u"진행자 창을 숨기면서 적용할 수 없는 입력을 지웠습니다\n팀2 점수"_qs);
    // Nothing is left that a command could wait on: every command runs.
    QVERIFY(m_commands->settleEntries());
    m_engine->enterPoints(2, u"10"_qs);
    m_commands->startRace();
    QVERIFY(m_engine->isRacing());
}

void TestPresenterConsole::aWarningShowsAboveTheTeamsUntilItIsCleared()
{
    QLabel *warning = control<QLabel>(u"ConsoleWarning"_qs);
    QVERIFY(warning->isHidden());
    console().setWarning(u"자동 저장을 하지 못했습니다"_qs);
    QVERIFY(warning->isVisible());
    QCOMPARE(warning->text(), u"자동 저장을 하지 못했습니다"_qs);
    console().setWarning(QString());
    QVERIFY(warning->isHidden());
}

void TestPresenterConsole::keysAFieldTypesGiveNoCommandThere_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::newRow("a digit in a name") << u"name"_qs << int(Qt::Key_3) << u"팀13"_qs;
    QTest::newRow("b in a name") << u"name"_qs << int(Qt::Key_B) << u"팀1b"_qs;
    QTest::newRow("w in a name") << u"name"_qs << int(Qt::Key_W) << u"팀1w"_qs;
    QTest::newRow("a full stop in a name") << u"name"_qs << int(Qt::Key_Period) << u"팀1."_qs;
    QTest::newRow("minus in points") << u"points"_qs << int(Qt::Key_Minus) << u"0-"_qs;
    QTest::newRow("plus in points") << u"points"_qs << int(Qt::Key_Plus) << u"0+"_qs;
    QTest::newRow("Up in points") << u"points"_qs << int(Qt::Key_Up) << u"0"_qs;
    QTest::newRow("Down in a name") << u"name"_qs << int(Qt::Key_Down) << u"팀1"_qs;
}

void TestPresenterConsole::keysAFieldTypesGiveNoCommandThere()
{
    // Digits typed into a name once jumped to a row's points instead.
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QLineEdit *edited = nullptr;
    if (field == u"name") {
        console().editName(0);
        edited = nameEditor(0);
    } else {
        console().focusPointsEntry(0);
        edited = points(0);
    }
    edited->deselect();
    edited->end(false);
    m_engine->raiseMaxScore();
    QTest::keyClick(edited, Qt::Key(key));
    QCOMPARE(edited->text(), typed);
    QCOMPARE(QApplication::focusWidget(), edited);
    QCOMPARE(m_engine->maxScore(), 600);
    QVERIFY(!m_commands->isBoardBlank());
    QVERIFY(!m_engine->isHighlighting());
}

void TestPresenterConsole::leavingAPointsFieldAppliesItOrRefusesIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<int>("pending");
    QTest::newRow("Tab") << u"30"_qs << false << 30;
    QTest::newRow("a click on another field") << u"-5"_qs << true << -5;
    QTest::newRow("Tab over a refused number") << u"3x"_qs << false << 0;
    QTest::newRow("a click away from a refused number") << u"열"_qs << true << 0;
}

void TestPresenterConsole::leavingAPointsFieldAppliesItOrRefusesIt()
{
    // A number once stayed typed and uncounted after Tab or a click away.
    QFETCH(QString, typed);
    QFETCH(bool, byMouse);
    QFETCH(int, pending);
    QSignalSpy rejected(&console(), &PresenterConsole::entryRejected);
    typeInto(points(1), typed);
    if (byMouse)
        QTest::mouseClick(points(2), Qt::LeftButton);
    else
        QTest::keyClick(points(1), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(m_engine->pendingPoints(1), pending);
    const bool taken = pending != 0;
    QCOMPARE(rejected.count(), taken ? 0 : 1);
    QCOMPARE(points(1)->text(), taken ? QString() : typed);
    // A refused number has the focus back, selected for its correction.
    if (!taken)
        QCOMPARE(QApplication::focusWidget(), points(1));
}

void TestPresenterConsole::deleteAndTheCrossClearATeamsPendingPoints_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Delete in the team's field") << true;
    QTest::newRow("the cross beside its points") << false;
}

void TestPresenterConsole::deleteAndTheCrossClearATeamsPendingPoints()
{
    QFETCH(bool, byKey);
    m_engine->enterPoints(1, u"40"_qs);
    m_engine->enterPoints(1, u"15"_qs);
    m_engine->enterPoints(2, u"7"_qs);
    QVERIFY(control<QPushButton>(u"ConsoleClear_1"_qs)->isEnabled());
    QVERIFY(!control<QPushButton>(u"ConsoleClear_0"_qs)->isEnabled());
    if (byKey) {
        QTest::keyClick(&console(), Qt::Key_2);
        QTest::keyClick(points(1), Qt::Key_Delete);
    } else {
        QTest::mouseClick(control<QPushButton>(u"ConsoleClear_1"_qs), Qt::LeftButton);
    }
    QCOMPARE(m_engine->pendingPoints(1), 0);
    QCOMPARE(m_engine->pendingPoints(2), 7);
    QCOMPARE(points(1)->text(), QString());
    QCOMPARE(text(u"ConsolePending_1"_qs), u"0"_qs);
    // One undo brings the cleared points back.
    QTest::keyClick(&console(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_engine->pendingPoints(1), 55);
}

void TestPresenterConsole::quickButtonsAddTheirPoints()
{
    const QList<std::pair<QString, int>> buttons{
        {u"ConsoleAdd10_2"_qs, 10}, {u"ConsoleAdd50_2"_qs, 50}, {u"ConsoleAdd100_2"_qs, 100}, {u"ConsoleTake10_2"_qs, -10}};
    int pending = 0;
    for (const auto &[name, points] : buttons) {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
        pending += points;
        QCOMPARE(m_engine->pendingPoints(2), pending);
    }
    // The keyboard stays where it was.
    QCOMPARE(QApplication::focusWidget(), &console());
}

void TestPresenterConsole::aTieNamesEveryWinnerAndAnEmptyStartSaysSo()
{
    QTest::mouseClick(button("ConsoleStart"), Qt::LeftButton);
    QVERIFY(!m_engine->isRacing());
    QCOMPARE(text(u"ConsoleStatus"_qs), u"더할 점수가 없습니다"_qs);
    m_engine->enterPoints(0, u"20"_qs);
    QTest::mouseClick(button("ConsoleStart"), Qt::LeftButton);
    runRace();
    QTest::mouseClick(button("ConsoleWinner"), Qt::LeftButton);
    m_engine->highlightTick();
    QCOMPARE(text(u"ConsoleStatus"_qs), u"승리팀: 팀1, 팀3"_qs);
    m_engine->stopAnimations();
}

void TestPresenterConsole::aTeamPickedOnTheBoardOpensHere()
{
    QVERIFY(m_commands->isConsoleShown());
    m_commands->requestConsoleEntry(2, false);
    QCOMPARE(QApplication::focusWidget(), points(2));
    QCOMPARE(points(2)->selectedText(), u"0"_qs);
    m_commands->requestConsoleEntry(1, true);
    QCOMPARE(QApplication::focusWidget(), nameEditor(1));
    m_console->hide();
    QVERIFY(!m_commands->isConsoleShown());
}

QTEST_MAIN(TestPresenterConsole)
#include "tst_presenter_console.moc"
