#include "autosave.h"
#include "game_engine.h"
#include "game_setup.h"
#include "recovery_store.h"
#include "score_file.h"

#include <QBuffer>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

using Change = void (*)(GameEngine &);

void commitRound(GameEngine &engine)
{
    engine.enterPoints(0, u"30"_qs);
    engine.startRace();
    while (engine.isRacing())
        engine.raceTick();
}

const QDateTime changeTime(QDate(2026, 12, 9), QTime(21, 40), Qt::UTC);

RecoveredGame gameOn(const GameEngine &engine)
{
    return {engine.standings(), engine.savedGame(), changeTime, engine.history()};
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestAutosave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startingWritesTheGameAsItIs();
    void everyChangeIsWrittenOnceWhenItIsWhole_data();
    void everyChangeIsWrittenOnceWhenItIsWhole();
    void pointsOfTheRoundInFlightAreNotKept();
    void aGameWithoutTeamsLeavesNoFile();
    void finishingRemovesTheFileAndWritesNoMore();
    void aFailedWriteIsFailingUntilTheNextChangeIsWritten_data();
    void aFailedWriteIsFailingUntilTheNextChangeIsWritten();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecoveryStore> m_store;
    std::unique_ptr<GameEngine> m_engine;
    std::unique_ptr<Autosave> m_autosave;
};

void TestAutosave::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<RecoveryStore>(m_dir->path());
    QVERIFY(m_store->claimSlot());
    m_engine = std::make_unique<GameEngine>();
    setUpGame(*m_engine, numberedTeams({100, 50, 0}));
    m_autosave = std::make_unique<Autosave>(*m_engine, *m_store);
    m_autosave->setClock([] { return changeTime; });
    m_autosave->start();
}

void TestAutosave::cleanup()
{
    m_autosave.reset();
    m_engine.reset();
    m_store.reset();
}

void TestAutosave::startingWritesTheGameAsItIs()
{
    QVERIFY(!m_autosave->isWritePending());
    QCOMPARE(m_store->read(), gameOn(*m_engine));
}

void TestAutosave::everyChangeIsWrittenOnceWhenItIsWhole_data()
{
    // What comes before the change, written already, and the change.
    QTest::addColumn<Change>("before");
    QTest::addColumn<Change>("change");
    const Change nothing = [](GameEngine &) {};
    QTest::newRow("a committed round") << nothing << Change(commitRound);
    QTest::newRow("a rename") << nothing << Change([](GameEngine &e) { e.renameTeam(1, u"Owls"_qs); });
    QTest::newRow("a raised maximum") << nothing << Change([](GameEngine &e) { e.raiseMaxScore(); });
    QTest::newRow("a lowered maximum") << Change([](GameEngine &e) { setUpGame(e, numberedTeams({100}), 900); })
                                       << Change([](GameEngine &e) { e.lowerMaxScore(); });
    // Typed points change no standings; the race they start raises the maximum.
    QTest::newRow("a start that raises the maximum")
        << Change([](GameEngine &e) { e.enterPoints(0, u"450"_qs); })
        << Change([](GameEngine &e) { e.startRace(); });
    QTest::newRow("an undo") << Change(commitRound) << Change([](GameEngine &e) { e.undo(); });
    QTest::newRow("a redo") << Change([](GameEngine &e) { commitRound(e); e.undo(); })
                            << Change([](GameEngine &e) { e.redo(); });
    QTest::newRow("a start") << nothing << Change([](GameEngine &e) { e.startGame(numberedTeams({0, 0})); });
    QTest::newRow("a save that names the game")
        << nothing << Change([](GameEngine &e) { e.setSavedGame(SavedGame::named(u"주일"_qs)); });
    // The load sets the maximum before the teams.
    QTest::newRow("a load") << nothing << Change([](GameEngine &e) {
        QBuffer file;
        file.setData(scoreFileBytes({2, 900, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}}}));
        file.open(QIODevice::ReadOnly);
        e.loadGame(*parseScoreFile(file), SavedGame::named(u"지난주"_qs));
    });
}

void TestAutosave::everyChangeIsWrittenOnceWhenItIsWhole()
{
    QFETCH(Change, before);
    QFETCH(Change, change);
    before(*m_engine);
    m_autosave->writePending();
    const RecoveredGame old = gameOn(*m_engine);
    QCOMPARE(m_store->read(), old);

    QSignalSpy written(m_autosave.get(), &Autosave::written);
    change(*m_engine);
    QVERIFY(gameOn(*m_engine) != old);
    // Nothing is written half way through an operation.
    QCOMPARE(m_store->read(), old);
    QVERIFY(m_autosave->isWritePending());

    QVERIFY(written.wait());
    QCOMPARE(written.count(), 1);
    QCOMPARE(m_store->read(), gameOn(*m_engine));
}

void TestAutosave::pointsOfTheRoundInFlightAreNotKept()
{
    m_engine->enterPoints(2, u"40"_qs);
    m_engine->startRace();
    m_engine->raceTick();
    // Written in the middle of the race, the file holds the standings
    // before it.
    m_autosave->writePending();
    QCOMPARE(m_store->read()->standings.teams.at(2), (TeamStanding{u"팀3"_qs, 0}));
}

void TestAutosave::aGameWithoutTeamsLeavesNoFile()
{
    m_engine->startGame({});
    m_autosave->writePending();
    QVERIFY(!QFile::exists(m_store->filePath()));
    m_engine->startGame(numberedTeams({0, 0}));
    m_autosave->writePending();
    QCOMPARE(m_store->read()->standings.teams.size(), 2);
}

void TestAutosave::finishingRemovesTheFileAndWritesNoMore()
{
    m_engine->renameTeam(0, u"Owls"_qs);
    m_autosave->finish();
    QVERIFY(!QFile::exists(m_store->filePath()));
    commitRound(*m_engine);
    QVERIFY(!m_autosave->isWritePending());
    QTest::qWait(20);
    QVERIFY(!QFile::exists(m_store->filePath()));
}

void TestAutosave::aFailedWriteIsFailingUntilTheNextChangeIsWritten_data()
{
    QTest::addColumn<bool>("slotHeld");
    // A folder in the file's place fails the write as a full disk does.
    QTest::newRow("the write fails") << true;
    // Every slot held (a ninth copy): none to write to, until one is free.
    QTest::newRow("no slot to write to") << false;
}

void TestAutosave::aFailedWriteIsFailingUntilTheNextChangeIsWritten()
{
    QFETCH(bool, slotHeld);
    QVERIFY(!m_autosave->isFailing());
    m_autosave.reset();
    const QString held = m_store->filePath();
    std::vector<std::unique_ptr<RecoveryStore>> others;
    if (!slotHeld) {
        QVERIFY(m_store->remove());
        m_store = std::make_unique<RecoveryStore>(m_dir->path());
        for (int i = 0; i < RecoveryStore::Slots; ++i) {
            others.push_back(std::make_unique<RecoveryStore>(m_dir->path()));
            QVERIFY(others.back()->claimSlot());
        }
        QVERIFY(!m_store->claimSlot());
    }
    m_autosave = std::make_unique<Autosave>(*m_engine, *m_store);
    m_autosave->setClock([] { return changeTime; });
    QSignalSpy failing(m_autosave.get(), &Autosave::failingChanged);
    if (slotHeld) {
        QVERIFY(QFile::remove(held));
        QVERIFY(QDir().mkdir(held));
    }
    m_autosave->start();
    QVERIFY(m_autosave->isFailing());
    QCOMPARE(failing.count(), 1);
    // It keeps trying at each change.
    m_engine->renameTeam(0, u"Owls"_qs);
    m_autosave->writePending();
    QVERIFY(m_autosave->isFailing());
    QCOMPARE(failing.count(), 1);

    if (slotHeld)
        QVERIFY(QDir().rmdir(held));
    else
        others.back().reset();
    m_engine->renameTeam(0, u"Larks"_qs);
    m_autosave->writePending();
    QVERIFY(!m_autosave->isFailing());
    QCOMPARE(failing.count(), 2);
    QCOMPARE(m_store->read(), gameOn(*m_engine));
}

QTEST_GUILESS_MAIN(TestAutosave)
#include "tst_autosave.moc"
