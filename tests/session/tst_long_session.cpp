// A scripted presenter runs a long quiz evening: teams are chosen and
// renamed, points typed (junk too) and committed, the winner shown, games
// saved, loaded and deleted, the board sent back to setup and started again,
// in a random but reproducible order. The animation timers never fire on
// their own here; their ticks are called directly. After every action the
// invariants of the game state and the saved-game folder are checked.

#include "conversions.h"
#include "frm_logo.h"
#include "game_state.h"
#include "main_form.h"
#include "monitor_platform.h"
#include "program.h"
#include "score_file.h"
#include "scripted_dialogs.h"
#include "start_sound.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

namespace {

class SilentSound final : public StartSound
{
public:
    void play() override { ++plays; }
    int plays = 0;
};

using Folder = QMap<QString, QByteArray>;

Folder snapshot(const QString &path)
{
    Folder files;
    const QFileInfoList entries = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        QFile file(entry.absoluteFilePath());
        files.insert(entry.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
    }
    return files;
}

// The files that differ between two listings: added, removed or changed.
struct FolderChange
{
    QStringList added, removed, changed;
    bool none() const { return added.isEmpty() && removed.isEmpty() && changed.isEmpty(); }
};

FolderChange compare(const Folder &before, const Folder &after)
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

// Types text the way a Korean keyboard delivers it: plain keys for ASCII,
// the input method's committed text for everything else.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(widget, &commit);
        }
    }
}

quint32 testSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZANTO_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
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
    QString actOnBoard(MainForm *board);
    QString actOnSetup(FRMlogo *setup);
    void startRun();
    void rebaseline();
    void checkInvariants(const QString &action, const Folder &before, const Folder &after,
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
    QString folder() const { return m_dir->path() + u'/'; }

    std::unique_ptr<QTemporaryDir> m_dir;
    Module1 m_state;
    ScriptedDialogs m_dialogs;
    SilentSound m_sound;
    std::unique_ptr<Program> m_program;
    QRandomGenerator m_random;
    QStringList m_log;
    QString m_failure;
    bool m_ended = false;

    // What the game state must hold: the scores and pending points as the
    // last start or load left them, plus every point entered and committed.
    std::array<qint32, Module1::Slot_Count> m_score{};
    std::array<qint32, Module1::Slot_Count> m_pending{};
    std::array<QString, Module1::Slot_Count> m_names{};
    qint32 m_teamCount = 0;
    qint64 m_entered = 0;
    int m_rounds = 0;
    int m_saves = 0;
    int m_loads = 0;
    int m_deletes = 0;
    int m_runs = 0;
};

void TestLongSession::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Damaged and oversized games beside the ones the evening saves.
    const auto write = [this](const QString &name, const QByteArray &bytes) {
        QFile file(folder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
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
    m_state = Module1{};
    m_state.Saved_Games_Folder = folder();
    m_program = std::make_unique<Program>(m_state, m_dialogs, m_sound, defaultMonitorPlatform());
    connect(m_program.get(), &Program::ended, this, [this] { m_ended = true; });
    m_ended = false;
    m_program->start();
    ++m_runs;
    rebaseline();
}

void TestLongSession::rebaseline()
{
    for (int i = 0; i < Module1::Slot_Count; ++i) {
        m_score[i] = m_state.Team_Score.value(i);
        m_pending[i] = m_state.Add_Score.value(i);
        m_names[i] = m_state.Team_Name.value(i);
    }
    m_teamCount = m_state.Team_Count;
}

QString TestLongSession::act()
{
    MainForm *board = m_program->board();
    FRMlogo *setup = m_program->setupWindow();
    if (board && (!setup || chance(70)))
        return actOnBoard(board);
    if (setup)
        return actOnSetup(setup);
    startRun();
    return QStringLiteral("new run");
}

QString TestLongSession::actOnBoard(MainForm *board)
{
    auto *timer1 = board->findChild<QTimer *>(QStringLiteral("Timer1"));
    auto *timer2 = board->findChild<QTimer *>(QStringLiteral("Timer2"));
    // Only this script moves the animation.
    timer1->setInterval(24 * 3600 * 1000);
    timer2->setInterval(24 * 3600 * 1000);
    auto *entry = board->findChild<QLineEdit *>(QStringLiteral("TCmd_Txt"));
    const int rows = std::clamp(m_state.Team_Count, 0, 8);

    const int roll = int(m_random.bounded(100));
    if (timer1->isActive() && roll < 30) {
        const int ticks = 1 + int(m_random.bounded(60));
        for (int t = 0; t < ticks && timer1->isActive(); ++t) {
            board->Timer1_Timer();
            if (!timer1->isActive()) {
                // A finished round commits what was pending and clears it.
                for (int j = 0; j < 8; ++j) {
                    m_score[j] += m_pending[j];
                    m_pending[j] = 0;
                    expect(m_state.Add_Score.value(j) == 0,
                           QStringLiteral("a finished round left pending points in slot %1").arg(j));
                }
                ++m_rounds;
            }
        }
        return QStringLiteral("%1 animation ticks").arg(ticks);
    }
    if (timer2->isActive() && roll < 40) {
        const int ticks = 1 + int(m_random.bounded(30));
        for (int t = 0; t < ticks && timer2->isActive(); ++t)
            board->Timer2_Timer();
        return QStringLiteral("%1 highlight ticks").arg(ticks);
    }
    if (entry->isVisible() && roll < 75) {
        const bool points = board->inputMode() == 0;
        const QString text = points ? pick(pointTexts) : pick(teamNames);
        type(entry, text);
        const QString typed = entry->text();
        const int team = board->selTeam();
        QTest::keyClick(entry, Qt::Key_Return);
        if (points) {
            if (const auto value = textToInteger(typed)) {
                m_pending[std::size_t(team)] += *value;
                m_entered += *value;
            }
        } else {
            m_names[std::size_t(team)] = typed;
        }
        return QStringLiteral("typed \"%1\" + Enter for team %2").arg(typed).arg(team);
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
    switch (m_random.bounded(10)) {
    case 0:
    case 1:
        click("Command1");
        return QStringLiteral("start");
    case 2:
        click("Command4");
        return QStringLiteral("winner");
    case 3:
        click(chance(50) ? "Command7" : "Command8");
        return QStringLiteral("maximum score up or down");
    case 4:
        board->resize(640 + int(m_random.bounded(1280)), 480 + int(m_random.bounded(720)));
        board->Form_Resize();
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
    default:
        m_dialogs.askAnswers = {chance(10)};
        click("Command5");
        return QStringLiteral("leave");
    }
}

QString TestLongSession::actOnSetup(FRMlogo *setup)
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
            const qint32 before = m_state.Team_Count;
            QTest::mouseClick(cmd(0), Qt::LeftButton);
            ++m_loads;
            // A game that loaded brings its own standings.
            if (m_dialogs.messages.isEmpty()
                || !m_dialogs.messages.last().startsWith(QStringLiteral("저장된 게임을 불러오지 못했습니다")))
                rebaseline();
            return QStringLiteral("fetch (teams %1 -> %2)").arg(before).arg(m_state.Team_Count);
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
        const int k = int(m_random.bounded(FRMlogo::Team_Boxes));
        QTest::mouseClick(setup->findChild<QCheckBox *>(QStringLiteral("Team_%1").arg(k)),
                          Qt::LeftButton, {}, QPoint(7, 9));
        return QStringLiteral("team box %1").arg(k);
    }
    if (roll < 50 && text->isVisible()) {
        type(text, pick(teamNames));
        QTest::keyClick(text, Qt::Key_Return);
        return QStringLiteral("renamed a team box");
    }
    if (roll < 80) {
        QTest::mouseClick(cmd(0), Qt::LeftButton);
        // Whether it starts or not, start packs the checked teams anew.
        rebaseline();
        if (m_program->board()) {
            expect(m_state.Team_Count >= 1 && m_state.Team_Count <= 8,
                   QStringLiteral("a game started with %1 teams").arg(m_state.Team_Count));
            return QStringLiteral("start with %1 teams").arg(m_state.Team_Count);
        }
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

void TestLongSession::checkInvariants(const QString &action, const Folder &before,
                                      const Folder &after, bool saved, bool deleted)
{
    const QString where = QStringLiteral("after \"%1\"").arg(action);
    QVERIFY2(m_state.Team_Count >= 0 && m_state.Team_Count <= 12, qPrintable(where));
    if (m_ended)
        return;
    for (int i = 0; i < Module1::Slot_Count; ++i) {
        QVERIFY2(m_state.Team_Score.value(i) == m_score[std::size_t(i)],
                 qPrintable(where + QStringLiteral(": committed score of slot %1 is %2, expected %3")
                                        .arg(i).arg(m_state.Team_Score.value(i)).arg(m_score[std::size_t(i)])));
        QVERIFY2(m_state.Add_Score.value(i) == m_pending[std::size_t(i)],
                 qPrintable(where + QStringLiteral(": pending points of slot %1").arg(i)));
        if (i < m_state.Team_Count)
            QVERIFY2(m_state.Team_Name.value(i) == m_names[std::size_t(i)],
                     qPrintable(where + QStringLiteral(": name of slot %1").arg(i)));
    }
    QVERIFY2(m_state.Team_Count == m_teamCount, qPrintable(where + QStringLiteral(": team count")));

    const FolderChange change = compare(before, after);
    if (saved) {
        QVERIFY2(change.removed.isEmpty() && change.added.size() + change.changed.size() <= 1,
                 qPrintable(where + QStringLiteral(": a save touches one game")));
        const bool done = !m_dialogs.messages.isEmpty()
                          && m_dialogs.messages.last() == QStringLiteral("점수 저장이 완료되었습니다");
        if (!done)
            QVERIFY2(change.none(), qPrintable(where + QStringLiteral(": a save that was not confirmed wrote")));
        if (done)
            QVERIFY2(!m_state.Standings_Changed, qPrintable(where + QStringLiteral(": saved standings still unsaved")));
        for (const QString &name : change.added + change.changed)
            QVERIFY2(after.value(name) == scoreFileBytes(m_state),
                     qPrintable(where + QStringLiteral(": the saved game holds the standings")));
    } else if (deleted) {
        QVERIFY2(change.added.isEmpty() && change.changed.isEmpty() && change.removed.size() <= 1,
                 qPrintable(where + QStringLiteral(": a delete removes one game")));
    } else {
        QVERIFY2(change.none(), qPrintable(where + QStringLiteral(": no saved game changed without a save")));
    }
}

void TestLongSession::aLongEveningOfRandomActionsKeepsEveryInvariant()
{
    const quint32 seed = testSeed();
    m_random.seed(seed);
    const int actions = actionCount();
    startRun();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->setupWindow()));

    for (int step = 0; step < actions; ++step) {
        const Folder before = snapshot(folder());
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
        checkInvariants(action, before, snapshot(folder()), m_saves != savesBefore,
                        m_deletes != deletesBefore);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(context));
        if (m_ended)
            startRun();
    }
    qInfo("seed %u: %d actions, %d runs, %d rounds committed, %lld points entered, "
          "%d saves, %d loads, %d deletes, %d start sounds",
          seed, actions, m_runs, m_rounds, m_entered, m_saves, m_loads, m_deletes, m_sound.plays);
    QVERIFY(m_rounds > 0 && m_saves > 0 && m_loads > 0);
}

QTEST_MAIN(TestLongSession)
#include "tst_long_session.moc"
