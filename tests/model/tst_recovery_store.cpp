#include "recovery_store.h"
#include "test_files.h"

#include <QElapsedTimer>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

RecoveredGame gameOf(const QString &team)
{
    return {{1, 500, {{team, 10}}}, std::nullopt};
}

} // namespace

class TestRecoveryStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void aSlotKeepsItsGameUntilItIsRemoved();
    void twoCopiesAtOnceNeverTouchEachOthersFile();
    void aFreeSlotWithAGameLeftInItIsTakenFirst();
    void withoutASlotNothingIsKept();
    void aGameSetAsideKeepsItsDateAndTheLastFewStayAWeek();
    void whatIsNoPlainFileIsNeverWaitedFor_data();
    void whatIsNoPlainFileIsNeverWaitedFor();
    void aFolderInTheFilesPlaceHoldsNoSlot();
    void anEmptySlotIsNeverOneAGameWasLeftIn();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecoveryStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecoveryStore::aSlotKeepsItsGameUntilItIsRemoved()
{
    const QString folder = m_dir->filePath(u"not yet made"_qs);
    {
        RecoveryStore store(folder);
        QVERIFY(store.claimSlot());
        QVERIFY(!store.read());
        QVERIFY(store.write(gameOf(u"진리"_qs)));
        QVERIFY(store.write(gameOf(u"소망"_qs)));
        QCOMPARE(store.read(), gameOf(u"소망"_qs));
    }
    // The store is gone, as after a crash: its game is there for the next.
    RecoveryStore next(folder);
    QVERIFY(next.claimSlot());
    QCOMPARE(next.read(), gameOf(u"소망"_qs));
    QVERIFY(next.remove());
    QVERIFY(!next.read());
    QVERIFY(next.remove()); // nothing left is no failure
    // Only the slot's lock remains while it is held.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(next.filePath()).fileName() + u".lock"_qs});
}

void TestRecoveryStore::twoCopiesAtOnceNeverTouchEachOthersFile()
{
    RecoveryStore first(m_dir->path());
    QVERIFY(first.claimSlot());
    QVERIFY(first.write(gameOf(u"first"_qs)));
    // A copy that has run all evening still holds its slot.
    QFile lock(first.filePath() + u".lock"_qs);
#ifdef Q_OS_WIN
    // Windows keeps a held lock file shut to every other opener, so nothing
    // can make it look old.
    QVERIFY(!lock.open(QIODevice::ReadWrite));
#else
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600), QFileDevice::FileModificationTime));
    lock.close();
#endif

    RecoveryStore second(m_dir->path());
    QVERIFY(second.claimSlot());
    QVERIFY(second.slot() != first.slot());
    QVERIFY(!second.read());
    QVERIFY(second.write(gameOf(u"second"_qs)));
    QVERIFY(second.remove());
    QCOMPARE(first.read(), gameOf(u"first"_qs));
}

void TestRecoveryStore::aFreeSlotWithAGameLeftInItIsTakenFirst()
{
    int leftIn = -1;
    {
        RecoveryStore empty(m_dir->path());
        RecoveryStore crashed(m_dir->path());
        QVERIFY(empty.claimSlot() && crashed.claimSlot());
        QVERIFY(crashed.write(gameOf(u"left"_qs)));
        leftIn = crashed.slot();
        QVERIFY(leftIn > empty.slot());
    }
    RecoveryStore next(m_dir->path());
    QVERIFY(next.claimSlot());
    QCOMPARE(next.slot(), leftIn);
    QCOMPARE(next.read(), gameOf(u"left"_qs));
}

void TestRecoveryStore::withoutASlotNothingIsKept()
{
    std::vector<std::unique_ptr<RecoveryStore>> copies;
    for (int i = 0; i < RecoveryStore::Slots; ++i) {
        copies.push_back(std::make_unique<RecoveryStore>(m_dir->path()));
        QVERIFY(copies.back()->claimSlot());
        QVERIFY(copies.back()->write(gameOf(u"copy %1"_qs.arg(i))));
    }
    const TestFiles::Snapshot before = TestFiles::snapshot(m_dir->path());

    QVERIFY(TestFiles::writeAll(m_dir->filePath(u"a file"_qs), "x"));
    for (const QString &folder : {m_dir->path(), m_dir->filePath(u"a file"_qs), QString()}) {
        RecoveryStore store(folder);
        QVERIFY(!store.claimSlot());
        QVERIFY(!store.hasSlot());
        QVERIFY(store.filePath().isEmpty());
        QVERIFY(!store.read());
        QVERIFY(!store.write(gameOf(u"lost"_qs)));
        QVERIFY(store.remove());
    }
    QVERIFY(QFile::remove(m_dir->filePath(u"a file"_qs)));
    QCOMPARE(TestFiles::snapshot(m_dir->path()), before);
}


void TestRecoveryStore::aGameSetAsideKeepsItsDateAndTheLastFewStayAWeek()
{
    RecoveryStore store(m_dir->path());
    QVERIFY(store.claimSlot());
    const QDateTime now(QDate(2026, 12, 9), QTime(21, 40));
    // Older ones: eight days, then within the week.
    for (int day : {8, 6, 5, 4, 3, 2, 1}) {
        QVERIFY(store.write(gameOf(u"%1일 전"_qs.arg(day))));
        QVERIFY(!store.setAside(RecoveryStore::SetAside::Discarded, now.addDays(-day)).isEmpty());
    }
    QVERIFY(store.write(gameOf(u"오늘"_qs)));
    const QString aside = store.setAside(RecoveryStore::SetAside::Discarded, now);
    QCOMPARE(QFileInfo(aside).fileName(), u"discarded-20261209-214000-%1.json"_qs.arg(store.slot() + 1));
    QVERIFY(!store.hasFile());
    QCOMPARE(parseRecoveryFile(TestFiles::readAll(aside)), gameOf(u"오늘"_qs));
    const QStringList kept = QDir(m_dir->path()).entryList({u"discarded-*"_qs}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), RecoveryStore::KeptDiscardedGames);
    QVERIFY(kept.first().startsWith(u"discarded-20261205"_qs)); // four days old

    // An unreadable one is set aside too, and never goes.
    QVERIFY(TestFiles::writeAll(store.filePath(), "{ cut"));
    const QString unreadable = store.setAside(RecoveryStore::SetAside::Unreadable, now.addDays(-30));
    QVERIFY(QFileInfo(unreadable).fileName().startsWith(u"unreadable-20261109-"_qs));
    QVERIFY(store.write(gameOf(u"x"_qs)));
    store.setAside(RecoveryStore::SetAside::Discarded, now);
    QVERIFY(QFile::exists(unreadable));
}

void TestRecoveryStore::whatIsNoPlainFileIsNeverWaitedFor_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a pipe") << u"fifo"_qs;
    QTest::newRow("a link to a device") << u"device"_qs;
    QTest::newRow("a link to nowhere") << u"dangling"_qs;
}

void TestRecoveryStore::whatIsNoPlainFileIsNeverWaitedFor()
{
#ifndef Q_OS_UNIX
    QSKIP("pipes and device links where a file should be are a Unix matter");
#else
    QFETCH(QString, kind);
    const QString path = m_dir->filePath(u"recovery-1.json"_qs);
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(kind == u"device" ? u"/dev/zero"_qs : m_dir->filePath(u"nowhere"_qs), path));
    RecoveryStore store(m_dir->path());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(store.claimSlot());
    QCOMPARE(store.slot(), 0); // a game may be left there
    QVERIFY(store.hasFile());
    QVERIFY(!store.read()); // it once waited for a writer, or read /dev/zero until memory ran out
    QVERIFY(clock.elapsed() < 5000);
    const QString aside = store.setAside(RecoveryStore::SetAside::Unreadable);
    QVERIFY(!aside.isEmpty());
    QVERIFY(QFileInfo(aside).isSymLink() || QFileInfo(aside).exists());
    QVERIFY(store.write(gameOf(u"진리"_qs)));
    QCOMPARE(store.read(), gameOf(u"진리"_qs));
#endif
}

void TestRecoveryStore::aFolderInTheFilesPlaceHoldsNoSlot()
{
    QVERIFY(QDir(m_dir->path()).mkdir(u"recovery-1.json"_qs));
    RecoveryStore store(m_dir->path());
    QVERIFY(store.claimSlot());
    QCOMPARE(store.slot(), 1);
    QVERIFY(store.write(gameOf(u"진리"_qs)));
}

void TestRecoveryStore::anEmptySlotIsNeverOneAGameWasLeftIn()
{
    {
        RecoveryStore left(m_dir->path());
        QVERIFY(left.claimSlot());
        QVERIFY(left.write(gameOf(u"남은 게임"_qs)));
    }
    RecoveryStore store(m_dir->path());
    QVERIFY(store.claimEmptySlot());
    QCOMPARE(store.slot(), 1);
    QVERIFY(!store.hasFile());
}

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recovery_store.moc"
