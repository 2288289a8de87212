// A scripted presenter runs a long quiz evening: teams are chosen and
// renamed, points typed (junk too) and committed, steps undone and redone,
// the winner shown, games saved, loaded and deleted, the board sent back to
// setup and started again, in a random but reproducible order. The animation timers never fire on
// their own here; their ticks are called directly. After every action the
// invariants of the game engine and the saved-game folder are checked.

#include "conversions.h"
#include "counting_sound.h"
#include "entry_box.h"
#include "game_engine.h"
#include "game_limits.h"
#include "monitor_platform.h"
#include "program.h"
#include "saved_games_folder.h"
#include "score_file.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"
#include "setup_window.h"
#include "team_name.h"
#include "test_files.h"
#include "typing.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace {

using TestFiles::Snapshot;

// The files that differ between two listings: added, removed or changed.
struct FolderChange
{
    QStringList added, removed, changed;
    bool none() const { return added.isEmpty() && removed.isEmpty() && changed.isEmpty(); }
};

FolderChange compare(const Snapshot &before, const Snapshot &after)
{
    FolderChange change;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (!before.contains(it.key()))
            change.added.append(it.key());
        else if (before.value(it.key()) != it.value())
            change.changed.append(it.key());
    }
    for (auto it = before.begin(); it != before.end(); ++it)
        if (!after.contains(it.key()))
            change.removed.append(it.key());
    return change;
}

int actionCount()
{
    bool ok = false;
    const int count = qEnvironmentVariable("ZANTO_SESSION_ACTIONS").toInt(&ok);
    return ok && count > 0 ? count : 3000;
}

const QStringList pointTexts = {
    QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("100"),
    QStringLiteral("-30"), QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("2.5"),
    QStringLiteral("3.5"), QStringLiteral(" 15 "), QStringLiteral(""), QStringLiteral("abc"),
    QStringLiteral("12점"), QStringLiteral("99999"), QStringLiteral("1e3"), QStringLiteral("--5"),
    QStringLiteral("30000"), QStringLiteral("-32768"),
};
const QStringList teamNames = {
    QStringLiteral("믿음"), QStringLiteral("소망 팀"), QStringLiteral("Team 3"), QStringLiteral("A;B"),
    QStringLiteral(""), QStringLiteral("   "), QStringLiteral("팀(1)"), QStringLiteral("&사랑"),
    QStringLiteral("팀😀"), QString(70, QChar(0xAC00)), QStringLiteral("x\ty"),
};
const QStringList saveNames = {
    QStringLiteral("결승"), QStringLiteral("game"), QStringLiteral("Game"), QStringLiteral(" 공백 "),
    QStringLiteral("a/b"), QStringLiteral(""), QStringLiteral("why?"), QStringLiteral(".."),
    QString(100, QChar(0xACB0)), QStringLiteral("2학년 3반"),
};

} // namespace

class TestLongSession : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aLongEveningOfRandomActionsKeepsEveryInvariant();

private:
    // The presenter's moves; each returns a short description for the log.
    QString act();
    bool replaceTheGame(SetupWindow *setup);
    QString actOnBoard(ScoreboardWindow *board);
    QString actOnSetup(SetupWindow *setup);
    void startRun();
    void rebaseline();
    // The committed standings as the engine's undo keeps them.
    struct Committed
    {
        std::array<qint32, TeamSlots> scores{};
        std::array<QString, TeamSlots> names{};
        qint32 announcedTeamCount = 0;
    };
    Committed committed() const { return {m_score, m_names, m_teamCount}; }
    // An undo step: committed standings, or one points entry.
    struct Step
    {
        std::optional<Committed> standings;
        int slot = -1;
        qint32 points = 0;
    };
    void restore(const Committed &step);
    // A change the engine keeps an undo step for.
    void rememberStep();
    void rememberEntry(int slot, qint32 points);
    void startRound();
    void finishRound();
    QString stepBackOrForth(bool back);
    void checkInvariants(const QString &action, const Snapshot &before, const Snapshot &after,
                         bool saved, bool deleted);

    // Records the first broken rule seen inside an action.
    void expect(bool condition, const QString &what)
    {
        if (!condition && m_failure.isEmpty())
            m_failure = what;
    }

    template <typename T>
    T pick(const QList<T> &list) { return list.at(m_random.bounded(int(list.size()))); }
    bool chance(int percent) { return int(m_random.bounded(100)) < percent; }
    QString folder() const { return m_dir->path(); }
    GameEngine &engine() { return m_program->engine(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    CountingSound m_sound;
    std::unique_ptr<Program> m_program;
    QRandomGenerator m_random;
    QStringList m_log;
    QString m_failure;
    bool m_ended = false;

    // What the engine must hold: the scores and pending points as the last
    // start or load left them, plus every point entered and committed.
    std::array<qint32, TeamSlots> m_score{};
    std::array<qint32, TeamSlots> m_pending{};
    // The points a running race commits; what is typed meanwhile waits.
    std::array<qint32, TeamSlots> m_racing{};
    std::array<QString, TeamSlots> m_names{};
    qint32 m_teamCount = 0;
    QList<Step> m_undoSteps;
    QList<Step> m_redoSteps;
    Committed m_raceBefore;
    qsizetype m_raceStepIndex = 0;
    // The teams as last saved, started or loaded.
    QList<TeamStanding> m_savedTeams;
    qint32 m_savedTeamCount = 0;
    qint64 m_entered = 0;
    int m_rounds = 0;
    int m_saves = 0;
    int m_loads = 0;
    int m_deletes = 0;
    int m_steps = 0;
    int m_runs = 0;
};

void TestLongSession::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Damaged and oversized games beside the ones the evening saves.
    const auto write = [this](const QString &name, const QByteArray &bytes) {
        QVERIFY(TestFiles::writeAll(m_dir->filePath(name), bytes));
    };
    QByteArray many = "12;900;50\r\n";
    for (int i = 0; i < 12; ++i)
        many += "t" + QByteArray::number(i) + ";" + QByteArray::number(i * 11) + "\r\n";
    write(QStringLiteral("many.scr"), many);
    write(QStringLiteral("short.SCR"), "5;700;50\r\na;1\r\nb;2\r\n");
    write(QStringLiteral("broken.scr"), "two;500;50\r\na;1\r\n");
    write(QStringLiteral("junk.scr"), QByteArray("\x00\xff\xb0;\r\n\x80", 7));
}

void TestLongSession::cleanup()
{
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestLongSession::startRun()
{
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_program = std::make_unique<Program>(SavedGamesFolder(folder()), m_dialogs, m_sound,
                                          defaultMonitorPlatform());
    connect(m_program.get(), &Program::ended, this, [this] { m_ended = true; });
    m_ended = false;
    // Only this script moves the animation.
    for (const char *timer : {"Timer1", "Timer2"})
        engine().findChild<QTimer *>(QLatin1String(timer))->setInterval(24 * 3600 * 1000);
    m_program->start();
    ++m_runs;
    rebaseline();
}

void TestLongSession::rebaseline()
{
    for (int i = 0; i < TeamSlots; ++i) {
        m_score[i] = engine().score(i);
        m_pending[i] = engine().pendingPoints(i);
        m_racing[i] = engine().racingPoints(i);
        m_names[i] = engine().teamName(i);
    }
    m_teamCount = engine().announcedTeamCount();
    // A start or a load begins the game's history and its saved standings.
    m_undoSteps.clear();
    m_redoSteps.clear();
    m_savedTeams = engine().standings().teams;
    m_savedTeamCount = m_teamCount;
}

void TestLongSession::rememberStep()
{
    m_undoSteps.append(Step{committed()});
    m_redoSteps.clear();
}

void TestLongSession::rememberEntry(int slot, qint32 points)
{
    m_undoSteps.append(Step{std::nullopt, slot, points});
    m_redoSteps.clear();
}

// The race takes the pending points; the entries become part of its round.
void TestLongSession::startRound()
{
    m_raceBefore = committed();
    for (int j = 0; j < BoardRows; ++j) {
        m_racing[j] = m_pending[j];
        m_pending[j] = 0;
    }
    m_undoSteps.removeIf([](const Step &step) { return !step.standings; });
    m_raceStepIndex = m_undoSteps.size();
}

// A finished round commits what it started with, below the entries typed
// while it ran.
void TestLongSession::finishRound()
{
    m_undoSteps.insert(std::min(m_raceStepIndex, m_undoSteps.size()), Step{m_raceBefore});
    m_redoSteps.clear();
    for (int j = 0; j < BoardRows; ++j) {
        m_score[j] += m_racing[j];
        m_racing[j] = 0;
    }
}

void TestLongSession::restore(const Committed &step)
{
    m_score = step.scores;
    m_names = step.names;
    m_teamCount = step.announcedTeamCount;
}

QString TestLongSession::stepBackOrForth(bool back)
{
    QList<Step> &from = back ? m_undoSteps : m_redoSteps;
    QList<Step> &to = back ? m_redoSteps : m_undoSteps;
    // A race keeps its standings; the command waits for nothing else here.
    if (!engine().isRacing() && !from.isEmpty()) {
        const Step step = from.takeLast();
        if (step.standings) {
            to.append(Step{committed()});
            restore(*step.standings);
        } else {
            m_pending[std::size_t(step.slot)] -= step.points;
            to.append(Step{std::nullopt, step.slot, -step.points});
        }
        ++m_steps;
    }
    if (back)
        m_program->commands().undo();
    else
        m_program->commands().redo();
    return back ? QStringLiteral("undo") : QStringLiteral("redo");
}

QString TestLongSession::act()
{
    ScoreboardWindow *board = m_program->board();
    SetupWindow *setup = m_program->setupWindow();
    if (board && (!setup || chance(70)))
        return actOnBoard(board);
    if (setup)
        return actOnSetup(setup);
    startRun();
    return QStringLiteral("new run");
}

QString TestLongSession::actOnBoard(ScoreboardWindow *board)
{
    GameEngine &game = engine();
    auto *entry = board->findChild<QLineEdit *>(QStringLiteral("TCmd_Txt"));
    const int rows = game.rowsShown();

    const int roll = int(m_random.bounded(100));
    if (game.isRacing() && roll < 30) {
        const int ticks = 1 + int(m_random.bounded(60));
        for (int t = 0; t < ticks && game.isRacing(); ++t) {
            game.raceTick();
            if (!game.isRacing()) {
                finishRound();
                for (int j = 0; j < BoardRows; ++j) {
                    expect(game.racingPoints(j) == 0,
                           QStringLiteral("a finished round left racing points in slot %1").arg(j));
                }
                ++m_rounds;
            }
        }
        return QStringLiteral("%1 animation ticks").arg(ticks);
    }
    if (game.isHighlighting() && roll < 40) {
        const int ticks = 1 + int(m_random.bounded(30));
        for (int t = 0; t < ticks && game.isHighlighting(); ++t)
            game.highlightTick();
        return QStringLiteral("%1 highlight ticks").arg(ticks);
    }
    if (entry->isVisible() && roll < 75) {
        const bool points = board->entryBox()->kind() == EntryBox::Kind::Points;
        const QString text = points ? pick(pointTexts) : pick(teamNames);
        typeText(entry, text);
        const QString typed = entry->text();
        const int team = board->entryBox()->team();
        QTest::keyClick(entry, Qt::Key_Return);
        if (points) {
            if (const auto value = textToInteger(typed)) {
                m_pending[std::size_t(team)] += *value;
                m_entered += *value;
                if (*value != 0)
                    rememberEntry(team, qint32(*value));
            }
        } else if (TeamName::isUsable(typed)) {
            if (m_names[std::size_t(team)] != typed)
                rememberStep();
            m_names[std::size_t(team)] = typed;
        }
        return QStringLiteral("typed \"%1\" + Enter for team %2").arg(typed).arg(team);
    }
    // A box left open with text it cannot take would hold every command
    // back; the presenter closes it.
    if (entry->isVisible()) {
        QTest::keyClick(entry, Qt::Key_Escape);
        expect(!entry->isVisible(), QStringLiteral("Escape closes the entry box"));
        return QStringLiteral("Escape in the entry box");
    }
    if (rows > 0 && roll < 75) {
        const int team = int(m_random.bounded(rows));
        const bool left = chance(75);
        QTest::mouseClick(board->findChild<QPushButton *>(QStringLiteral("TCmd_%1").arg(team)),
                          left ? Qt::LeftButton : Qt::RightButton);
        return QStringLiteral("%1 click on team %2").arg(left ? "left" : "right").arg(team);
    }

    const auto click = [board](const char *name) {
        QTest::mouseClick(board->findChild<QPushButton *>(QString::fromLatin1(name)), Qt::LeftButton);
    };
    switch (m_random.bounded(12)) {
    case 0:
    case 1: {
        const bool wasRacing = game.isRacing();
        click("Command1");
        if (!wasRacing && game.isRacing())
            startRound();
        return QStringLiteral("start");
    }
    case 2:
        click("Command4");
        return QStringLiteral("winner");
    case 3: {
        // A maximum that moves is a step of its own.
        const qint32 before = game.maxScore();
        click(chance(50) ? "Command7" : "Command8");
        if (game.maxScore() != before)
            rememberStep();
        return QStringLiteral("maximum score up or down");
    }
    case 4:
        board->resize(640 + int(m_random.bounded(1280)), 480 + int(m_random.bounded(720)));
        board->layOutRows();
        return QStringLiteral("resize to %1x%2").arg(board->width()).arg(board->height());
    case 5:
    case 6: {
        const QString name = pick(saveNames);
        m_dialogs.inputAnswers = {name};
        m_dialogs.askAnswers = {chance(60)};
        click("Command3");
        ++m_saves;
        return QStringLiteral("save (typed name \"%1\")").arg(name);
    }
    case 7:
    case 8:
        click("Command2");
        return QStringLiteral("load (back to setup)");
    case 9:
    case 10:
        return stepBackOrForth(chance(60));
    default:
        m_dialogs.askAnswers = {chance(10)};
        click("Command5");
        return QStringLiteral("leave");
    }
}

QString TestLongSession::actOnSetup(SetupWindow *setup)
{
    const auto cmd = [setup](int i) {
        return setup->findChild<QPushButton *>(QStringLiteral("Cmd_%1").arg(i));
    };
    auto *list = setup->findChild<QListWidget *>(QStringLiteral("List1"));
    if (setup->inSavedGameMode()) {
        const int roll = int(m_random.bounded(100));
        if (roll < 40 && list->count() > 0) {
            const int row = int(m_random.bounded(list->count()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
            return QStringLiteral("select saved game %1").arg(list->item(row)->text());
        }
        if (roll < 65 && cmd(0)->isEnabled()) {
            // A fetch only fills the team boxes: the game and its board stay
            // as they are until 시작, which asks first if needs be.
            const Standings before = engine().standings();
            const qsizetype questions = m_dialogs.questions.size();
            QTest::mouseClick(cmd(0), Qt::LeftButton);
            ++m_loads;
            expect(m_dialogs.questions.size() == questions, QStringLiteral("a fetch asked something"));
            expect(engine().standings() == before, QStringLiteral("a fetch changed the game on the board"));
            return QStringLiteral("fetch");
        }
        if (roll < 80 && cmd(3)->isEnabled()) {
            m_dialogs.askAnswers = {chance(60)};
            QTest::mouseClick(cmd(3), Qt::LeftButton);
            ++m_deletes;
            return QStringLiteral("delete");
        }
        QTest::mouseClick(cmd(2), Qt::LeftButton);
        return QStringLiteral("back to teams");
    }

    const int roll = int(m_random.bounded(100));
    auto *text = setup->findChild<QLineEdit *>(QStringLiteral("Text1"));
    if (roll < 35) {
        const int k = int(m_random.bounded(SetupWindow::TeamBoxes));
        QTest::mouseClick(setup->findChild<QCheckBox *>(QStringLiteral("Team_%1").arg(k)),
                          Qt::LeftButton, {}, QPoint(7, 9));
        return QStringLiteral("team box %1").arg(k);
    }
    if (roll < 50 && text->isVisible()) {
        typeText(text, pick(teamNames));
        QTest::keyClick(text, Qt::Key_Return);
        return QStringLiteral("renamed a team box");
    }
    if (roll < 80) {
        if (!replaceTheGame(setup))
            return QStringLiteral("start declined");
        // Whether it starts or not, start packs the checked teams anew.
        rebaseline();
        const qint32 teams = engine().announcedTeamCount();
        if (m_program->board()) {
            expect(teams >= 1 && teams <= SetupWindow::TeamBoxes,
                   QStringLiteral("a game started with %1 teams").arg(teams));
            for (int s = 0; s < teams; ++s)
                expect(engine().pendingPoints(s) == 0,
                       QStringLiteral("a game started with pending points in slot %1").arg(s));
            return QStringLiteral("start with %1 teams").arg(teams);
        }
        expect(teams == 0, QStringLiteral("a refused start left %1 teams in play").arg(teams));
        return QStringLiteral("start refused");
    }
    if (roll < 95) {
        QTest::mouseClick(cmd(1), Qt::LeftButton);
        return QStringLiteral("saved-game list");
    }
    m_dialogs.askAnswers = {chance(30)};
    QTest::mouseClick(cmd(2), Qt::LeftButton);
    return QStringLiteral("close");
}

// Presses "시작", which first asks while the standings are unsaved; false
// when the presenter kept the game, which then changes in nothing.
bool TestLongSession::replaceTheGame(SetupWindow *setup)
{
    const bool asks = engine().hasUnsavedStandings();
    const bool agree = chance(70);
    const qsizetype questions = m_dialogs.questions.size();
    if (asks)
        m_dialogs.askAnswers = {agree};
    QTest::mouseClick(setup->findChild<QPushButton *>(QStringLiteral("Cmd_0")), Qt::LeftButton);
    const bool asked = m_dialogs.questions.size() > questions
                       && m_dialogs.questions.last() == QStringLiteral("저장하지 않은 점수가 있습니다. 계속할까요?");
    expect(asked == asks, QStringLiteral("replacing unsaved standings asks first, and only then"));
    return !asks || agree;
}

void TestLongSession::checkInvariants(const QString &action, const Snapshot &before,
                                      const Snapshot &after, bool saved, bool deleted)
{
    const GameEngine &game = engine();
    const QString where = QStringLiteral("after \"%1\"").arg(action);
    QVERIFY2(game.announcedTeamCount() >= 0 && game.announcedTeamCount() <= 12, qPrintable(where));
    if (m_ended)
        return;
    for (int i = 0; i < TeamSlots; ++i) {
        QVERIFY2(game.score(i) == m_score[std::size_t(i)],
                 qPrintable(where + QStringLiteral(": committed score of slot %1 is %2, expected %3")
                                        .arg(i).arg(game.score(i)).arg(m_score[std::size_t(i)])));
        QVERIFY2(game.pendingPoints(i) == m_pending[std::size_t(i)],
                 qPrintable(where + QStringLiteral(": pending points of slot %1").arg(i)));
        QVERIFY2(game.racingPoints(i) == m_racing[std::size_t(i)],
                 qPrintable(where + QStringLiteral(": racing points of slot %1").arg(i)));
        if (i < game.announcedTeamCount())
            QVERIFY2(game.teamName(i) == m_names[std::size_t(i)],
                     qPrintable(where + QStringLiteral(": name of slot %1").arg(i)));
    }
    QVERIFY2(game.announcedTeamCount() == m_teamCount, qPrintable(where + QStringLiteral(": team count")));

    const FolderChange change = compare(before, after);
    if (saved) {
        QVERIFY2(change.removed.isEmpty() && change.added.size() + change.changed.size() <= 1,
                 qPrintable(where + QStringLiteral(": a save touches one game")));
        const bool done = !m_dialogs.messages.isEmpty()
                          && m_dialogs.messages.last() == QStringLiteral("점수 저장이 완료되었습니다");
        if (!done)
            QVERIFY2(change.none(), qPrintable(where + QStringLiteral(": a save that was not confirmed wrote")));
        if (done) {
            QVERIFY2(!game.changedSinceSave(), qPrintable(where + QStringLiteral(": saved standings still unsaved")));
            m_savedTeams = game.standings().teams;
            m_savedTeamCount = game.announcedTeamCount();
        }
        for (const QString &name : change.added + change.changed)
            QVERIFY2(after.value(name) == scoreFileBytes(game.standings()),
                     qPrintable(where + QStringLiteral(": the saved game holds the standings")));
    } else if (deleted) {
        QVERIFY2(change.added.isEmpty() && change.changed.isEmpty() && change.removed.size() <= 1,
                 qPrintable(where + QStringLiteral(": a delete removes one game")));
    } else {
        QVERIFY2(change.none(), qPrintable(where + QStringLiteral(": no saved game changed without a save")));
    }
    // Standings that count as saved are the ones last saved, started or
    // loaded; an undo past a save once lost the night's standings.
    if (!game.changedSinceSave())
        QVERIFY2(game.announcedTeamCount() == m_savedTeamCount && game.standings().teams == m_savedTeams,
                 qPrintable(where + QStringLiteral(": standings not saved count as saved")));
}

void TestLongSession::aLongEveningOfRandomActionsKeepsEveryInvariant()
{
    const quint32 seed = TestFiles::testSeed(20251020);
    const TestFiles::SeedReport report(seed);
    m_random.seed(seed);
    const int actions = actionCount();
    startRun();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->setupWindow()));

    for (int step = 0; step < actions; ++step) {
        const Snapshot before = TestFiles::snapshot(folder());
        m_dialogs.messages.clear();
        const int savesBefore = m_saves;
        const int deletesBefore = m_deletes;
        const QString action = act();
        m_log.append(action);
        if (m_log.size() > 12)
            m_log.removeFirst();
        // Unused answers must not answer a later dialog.
        m_dialogs.inputAnswers.clear();
        m_dialogs.askAnswers.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        const QString context = QStringLiteral("seed %1 (set ZANTO_SEED to repeat), step %2; last actions: %3")
                                    .arg(seed).arg(step).arg(m_log.join(QStringLiteral(" | ")));
        if (!m_failure.isEmpty())
            QFAIL(qPrintable(m_failure + QStringLiteral("; ") + context));
        checkInvariants(action, before, TestFiles::snapshot(folder()), m_saves != savesBefore,
                        m_deletes != deletesBefore);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(context));
        if (m_ended)
            startRun();
    }
    qInfo("seed %u: %d actions, %d runs, %d rounds committed, %lld points entered, "
          "%d steps undone or redone, %d saves, %d loads, %d deletes, %d start sounds",
          seed, actions, m_runs, m_rounds, m_entered, m_steps, m_saves, m_loads, m_deletes,
          m_sound.plays);
    QVERIFY(m_rounds > 0 && m_saves > 0 && m_loads > 0 && m_steps > 0);
}

QTEST_MAIN(TestLongSession)
#include "tst_long_session.moc"
