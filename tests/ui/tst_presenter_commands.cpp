// The commands' own rules, which every button and key shares: the blank
// board and the start that has nothing to add.
#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "saved_games_folder.h"
#include "scripted_dialogs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPresenterCommands : public QObject
{
    Q_OBJECT

private slots:
    void theBlankBoardLastsUntilToggledOrAStartOrAWinner_data();
    void theBlankBoardLastsUntilToggledOrAStartOrAWinner();
    void aStartWithNothingToAddSaysSoAndStartsNothing_data();
    void aStartWithNothingToAddSaysSoAndStartsNothing();
};

namespace {

struct Game
{
    QTemporaryDir dir;
    SavedGamesFolder folder{dir.path()};
    ScriptedDialogs dialogs;
    GameEngine engine;
    PresenterCommands commands{engine, folder, dialogs};

    Game() { setUpGame(engine, numberedTeams({10, 20})); }
};

} // namespace

void TestPresenterCommands::theBlankBoardLastsUntilToggledOrAStartOrAWinner_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("blank");
    QTest::newRow("blanked") << QStringList{u"blank"_qs} << true;
    QTest::newRow("blanked and back") << QStringList{u"blank"_qs, u"blank"_qs} << false;
    QTest::newRow("a start ends it") << QStringList{u"points"_qs, u"blank"_qs, u"start"_qs} << false;
    QTest::newRow("a start with nothing to add ends it too") << QStringList{u"blank"_qs, u"start"_qs} << false;
    QTest::newRow("the winner ends it") << QStringList{u"blank"_qs, u"winner"_qs} << false;
    QTest::newRow("points typed keep it") << QStringList{u"blank"_qs, u"points"_qs} << true;
    QTest::newRow("undo keeps it") << QStringList{u"raise"_qs, u"blank"_qs, u"undo"_qs} << true;
}

void TestPresenterCommands::theBlankBoardLastsUntilToggledOrAStartOrAWinner()
{
    QFETCH(QStringList, commands);
    QFETCH(bool, blank);
    Game game;
    QSignalSpy changed(&game.commands, &PresenterCommands::boardBlankChanged);
    for (const QString &command : commands) {
        if (command == u"blank")
            game.commands.toggleBlankBoard();
        else if (command == u"start")
            game.commands.startRace();
        else if (command == u"winner")
            game.commands.showWinner();
        else if (command == u"points")
            game.engine.enterPoints(0, u"30"_qs);
        else if (command == u"raise")
            game.commands.raiseMaxScore();
        else if (command == u"undo")
            game.commands.undo();
    }
    QCOMPARE(game.commands.isBoardBlank(), blank);
    QVERIFY(changed.isEmpty() || changed.last().at(0).toBool() == blank);
}

void TestPresenterCommands::aStartWithNothingToAddSaysSoAndStartsNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("starts");
    QTest::newRow("nothing typed") << QString() << false;
    QTest::newRow("points typed") << u"30"_qs << true;
}

void TestPresenterCommands::aStartWithNothingToAddSaysSoAndStartsNothing()
{
    // An empty start once ran a 7.5 s race that locked every command.
    QFETCH(QString, typed);
    QFETCH(bool, starts);
    Game game;
    if (!typed.isEmpty())
        game.engine.enterPoints(1, typed);
    QSignalSpy notices(&game.commands, &PresenterCommands::noticeGiven);
    game.commands.startRace();
    QCOMPARE(game.engine.isRacing(), starts);
    QCOMPARE(notices.count(), starts ? 0 : 1);
    if (!starts)
        QCOMPARE(notices.first().at(0).toString(), u"더할 점수가 없습니다"_qs);
    game.engine.stopAnimations();
}

QTEST_GUILESS_MAIN(TestPresenterCommands)
#include "tst_presenter_commands.moc"
