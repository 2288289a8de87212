#include "counting_sound.h"
#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "presenter_console.h"
#include "save_command.h"
#include "saved_games_folder.h"
#include "score_file.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "typing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// What the presenter does, with the team it concerns and the text typed
// (or the answer to the question the step may ask).
enum class Act { Points, Typed, Rename, Cancel, Race, Winner, Undo, Redo, Raise, Lower, Save, Leave };

struct Step
{
    Act act;
    int team = 0;
    QString text;
};

// Where the steps are given: straight to the engine and the save command
// (the reference), or through either window's own controls.
enum class Path { Engine, Board, Console };

// Everything a step can change that the presenter or the audience notices.
struct Outcome
{
    Standings standings;
    QList<qint32> pending;
    int highlightedTeam = -1;
    QStringList prompts;
    QStringList messages;
    QStringList questions;
    int ends = 0;
    TestFiles::Snapshot files;
};

Step points(int team, const QString &typed) { return {Act::Points, team, typed}; }
Step typed(int team, const QString &typed) { return {Act::Typed, team, typed}; }
Step rename(int team, const QString &name) { return {Act::Rename, team, name}; }
Step save(const QString &answer = QString()) { return {Act::Save, 0, answer}; }
Step leave(bool answer) { return {Act::Leave, answer ? 1 : 0, {}}; }
const Step cancel{Act::Cancel};
const Step race{Act::Race};
const Step winner{Act::Winner};
const Step undo{Act::Undo};
const Step redo{Act::Redo};
const Step raiseMaximum{Act::Raise};
const Step lowerMaximum{Act::Lower};

} // namespace

Q_DECLARE_METATYPE(Step)

// The board and the console give the same commands: each script runs once
// straight on the engine, once through the board's controls and once
// through the console's, and all three must end alike.
class TestConsoleAndBoard : public QObject
{
    Q_OBJECT

private slots:
    void bothWindowsReachTheSameResults_data();
    void bothWindowsReachTheSameResults();

private:
    Outcome run(Path path, const QList<Step> &script);
    void compare(const Outcome &outcome, const Outcome &reference);
};

void TestConsoleAndBoard::bothWindowsReachTheSameResults_data()
{
    QTest::addColumn<QList<Step>>("script");

    QTest::newRow("points for two teams, then the race") << QList<Step>{points(0, u"30"_qs), points(2, u"-10"_qs), race};
    QTest::newRow("refused points, corrected") << QList<Step>{points(1, u"열"_qs), cancel, points(1, u"7.5"_qs), race};
    QTest::newRow("points reaching the maximum") << QList<Step>{points(0, u"600"_qs), race};
    QTest::newRow("typed points count before the race") << QList<Step>{typed(1, u"15"_qs), race};
    QTest::newRow("rename, refused rename") << QList<Step>{rename(1, u"은혜"_qs), rename(2, u"가;나"_qs), cancel, race};
    QTest::newRow("winner after a round") << QList<Step>{points(2, u"90"_qs), race, winner};
    QTest::newRow("undo and redo") << QList<Step>{points(0, u"20"_qs), race, rename(0, u"사랑"_qs), undo, undo, redo};
    QTest::newRow("maximum up and down") << QList<Step>{raiseMaximum, raiseMaximum, lowerMaximum};
    QTest::newRow("maximum at its lowest") << QList<Step>{lowerMaximum};
    QTest::newRow("maximum kept above a total") << QList<Step>{points(0, u"590"_qs), race, lowerMaximum, raiseMaximum, raiseMaximum, lowerMaximum};
    QTest::newRow("save under a typed name, then to it") << QList<Step>{points(0, u"30"_qs), race, save(u"저녁"_qs), points(1, u"5"_qs), race, save()};
    QTest::newRow("save under a name refused") << QList<Step>{save(u".숨김"_qs)};
    QTest::newRow("save cancelled") << QList<Step>{points(0, u"30"_qs), race, save()};
    QTest::newRow("leave unsaved, declined then agreed") << QList<Step>{points(0, u"10"_qs), race, leave(false), leave(true)};
    QTest::newRow("leave with nothing unsaved") << QList<Step>{leave(false)};
}

void TestConsoleAndBoard::bothWindowsReachTheSameResults()
{
    QFETCH(QList<Step>, script);

    const Outcome reference = run(Path::Engine, script);
    for (const Path path : {Path::Board, Path::Console}) {
        compare(run(path, script), reference);
        if (QTest::currentTestFailed())
            QFAIL(path == Path::Board ? "through the board" : "through the console");
    }
}

void TestConsoleAndBoard::compare(const Outcome &outcome, const Outcome &reference)
{
    // What a save would write: names, scores, the team count and the maximum.
    QCOMPARE(scoreFileBytes(outcome.standings), scoreFileBytes(reference.standings));
    QCOMPARE(outcome.pending, reference.pending);
    QCOMPARE(outcome.highlightedTeam, reference.highlightedTeam);
    QCOMPARE(outcome.prompts, reference.prompts);
    QCOMPARE(outcome.messages, reference.messages);
    QCOMPARE(outcome.questions, reference.questions);
    QCOMPARE(outcome.ends, reference.ends);
    QCOMPARE(outcome.files, reference.files);
}

Outcome TestConsoleAndBoard::run(Path path, const QList<Step> &script)
{
    QTemporaryDir dir;
    const SavedGamesFolder folder(dir.path());
    ScriptedDialogs dialogs;
    CountingSound sound;
    GameEngine engine;
    setUpGame(engine, numberedTeams({10, 20, 30}));
    PresenterCommands commands(engine, folder, dialogs);
    QSignalSpy ends(&commands, &PresenterCommands::endRequested);
    // Both windows exist whichever is used, as in the program: each
    // settles its own typed text before any command. The board takes
    // entries only while the console is hidden (F2), as on one screen.
    ScoreboardWindow board(commands, sound);
    PresenterConsole console(commands);
    board.showMaximized();
    board.showGame();
    if (path != Path::Board)
        console.show();
    QWidget *window = path == Path::Console ? static_cast<QWidget *>(&console) : &board;
    window->activateWindow();
    if (path != Path::Engine && !QTest::qWaitForWindowActive(window))
        qWarning("the window did not become active");

    const auto find = [&](const QString &name) {
        QWidget *found = window->findChild<QWidget *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    };
    const auto click = [&](const char *boardName, const char *consoleName) {
        QTest::mouseClick(find(QLatin1String(path == Path::Board ? boardName : consoleName)),
                          Qt::LeftButton);
    };
    // The points (or name) field for a team, holding `text` typed over what it proposes.
    const auto type = [&](int team, const QString &text, bool name) {
        QLineEdit *field = nullptr;
        if (path == Path::Board) {
            QTest::mouseClick(find(QStringLiteral("TCmd_%1").arg(team)),
                              name ? Qt::RightButton : Qt::LeftButton);
            field = static_cast<QLineEdit *>(find(u"TCmd_Txt"_qs));
        } else if (name) {
            QTest::mouseClick(find(QStringLiteral("ConsoleName_%1").arg(team)), Qt::LeftButton);
            field = static_cast<QLineEdit *>(find(QStringLiteral("ConsoleNameEdit_%1").arg(team)));
        } else {
            field = static_cast<QLineEdit *>(find(QStringLiteral("ConsolePoints_%1").arg(team)));
            field->setFocus();
        }
        field->selectAll();
        typeText(field, text);
        return field;
    };

    for (const Step &step : script) {
        if (step.act == Act::Save && !step.text.isNull())
            dialogs.inputAnswers.push_back(step.text);
        if (step.act == Act::Leave)
            dialogs.askAnswers.push_back(step.team == 1);

        if (path == Path::Engine) {
            switch (step.act) {
            case Act::Points:
            case Act::Typed:
                engine.enterPoints(step.team, step.text);
                break;
            case Act::Rename:
                engine.renameTeam(step.team, step.text);
                break;
            case Act::Cancel:
                break;
            case Act::Race:
                engine.startRace();
                break;
            case Act::Winner:
                engine.showWinner();
                break;
            case Act::Undo:
                engine.undo();
                break;
            case Act::Redo:
                engine.redo();
                break;
            case Act::Raise:
                engine.raiseMaxScore();
                break;
            case Act::Lower:
                engine.lowerMaxScore();
                break;
            case Act::Save:
                saveStandings(engine, folder, dialogs);
                break;
            case Act::Leave:
                if (confirmLeaving(engine, dialogs))
                    emit commands.endRequested();
                break;
            }
        } else {
            switch (step.act) {
            case Act::Points:
            case Act::Rename:
                QTest::keyClick(type(step.team, step.text, step.act == Act::Rename), Qt::Key_Return);
                break;
            case Act::Typed:
                type(step.team, step.text, false);
                break;
            case Act::Cancel:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            case Act::Race:
                click("Command1", "ConsoleStart");
                break;
            case Act::Winner:
                click("Command4", "ConsoleWinner");
                break;
            // The board has no buttons for these: its keys give them.
            case Act::Undo:
                if (path == Path::Board)
                    QTest::keyClick(&board, Qt::Key_Z, Qt::ControlModifier);
                else
                    click(nullptr, "ConsoleUndo");
                break;
            case Act::Redo:
                if (path == Path::Board)
                    QTest::keyClick(&board, Qt::Key_Y, Qt::ControlModifier);
                else
                    click(nullptr, "ConsoleRedo");
                break;
            case Act::Raise:
                click("Command7", "ConsoleRaiseMax");
                break;
            case Act::Lower:
                click("Command8", "ConsoleLowerMax");
                break;
            case Act::Save:
                click("Command3", "ConsoleSave");
                break;
            case Act::Leave:
                click("Command5", "ConsoleLeave");
                break;
            }
        }
        // A race runs to its end, tick by tick.
        while (engine.isRacing())
            engine.raceTick();
    }

    Outcome outcome;
    outcome.standings = engine.standings();
    for (int row = 0; row < BoardRows; ++row)
        outcome.pending.append(engine.pendingPoints(row));
    outcome.highlightedTeam = engine.isHighlighting() ? engine.highlightedTeam() : -1;
    outcome.prompts = dialogs.inputPrompts;
    outcome.messages = dialogs.messages;
    outcome.questions = dialogs.questions;
    outcome.ends = int(ends.count());
    outcome.files = TestFiles::snapshot(dir.path());
    engine.stopAnimations();
    return outcome;
}

QTEST_MAIN(TestConsoleAndBoard)
#include "tst_console_and_board.moc"
