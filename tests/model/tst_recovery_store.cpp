#include "recovery_store.h"
#include "test_files.h"

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

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recovery_store.moc"
