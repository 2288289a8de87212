// Writing a saved game: a write killed at any moment leaves the old or the
// new game whole, and a write that cannot succeed fails and leaves the folder
// exactly as it was. What the save command then tells the presenter is tested
// with the command (tests/ui/tst_save_command.cpp).
#include "crash_safe_write.h"
#include "save_helper_content.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#endif

using TestFiles::snapshot;

namespace {

QByteArray newGame()
{
    return saveLoopContent(0);
}

// Writes newGame() as a presenter without root's privileges, where file
// permissions apply: CI runs the tests as root, so the write runs in the
// helper as "nobody" there. No value when the helper itself failed.
std::optional<bool> writeWithoutPrivileges(const QString &path)
{
#ifdef Q_OS_UNIX
    if (::getuid() == 0) {
        QProcess helper;
        helper.start(QStringLiteral(SAVE_HELPER), {QStringLiteral("--as-nobody"), QStringLiteral("write"), path});
        if (!helper.waitForFinished(20000) || helper.exitStatus() != QProcess::NormalExit
            || helper.exitCode() > 1) {
            qWarning() << "save helper:" << helper.readAllStandardError();
            return std::nullopt;
        }
        return helper.exitCode() == 0;
    }
#endif
    return writeCrashSafe(path, newGame());
}

} // namespace

class TestCrashSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aWriteKilledAtAnyMomentLeavesTheOldOrTheNewGameWhole();
    void aMissingFolderIsCreated();
    void aFileWhereTheFolderShouldBeIsKeptAndTheWriteFails();
    void aReadOnlyFolderKeepsItsGamesAndTheWriteFails();
    void aReadOnlyGameIsNotOverwritten();
    void aFullDiskKeepsTheOldGameAndLeavesNoTemporaryFile();
    void aNameTooLongForTheFileSystemFailsAndWritesNothing();
    void aNameNearTheFileSystemsLimitIsWritten_data();
    void aNameNearTheFileSystemsLimitIsWritten();
    void aLinkInPlaceOfTheGameIsReplacedItselfAndWhatItPointsToIsKept_data();
    void aLinkInPlaceOfTheGameIsReplacedItselfAndWhatItPointsToIsKept();
    void onlyTemporariesOfEndedWritersAreSwept();

private:
    QString m_dir;
    std::optional<QTemporaryDir> m_temporary;
    QString m_mounted;
};

void TestCrashSafeWrite::init()
{
    m_temporary.emplace();
    QVERIFY(m_temporary->isValid());
    m_dir = m_temporary->path();
    // The unprivileged writer has to reach the folders below.
    QVERIFY(QFile::setPermissions(m_dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                             | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                             | QFileDevice::ExeOther | QFileDevice::ReadGroup
                                             | QFileDevice::ExeGroup));
}

void TestCrashSafeWrite::cleanup()
{
#ifdef Q_OS_LINUX
    if (!m_mounted.isEmpty()) {
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
        m_mounted.clear();
    }
#endif
    // A folder left locked would outlive its temporary parent.
    QFile::setPermissions(m_dir + QStringLiteral("/locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_temporary.reset();
}

void TestCrashSafeWrite::aWriteKilledAtAnyMomentLeavesTheOldOrTheNewGameWhole()
{
    const QString game = QStringLiteral("결승 game.scr");
    // A killed writer's temporary: ".zanto-<process>-<number>.tmp".
    const QRegularExpression temporary(QStringLiteral("^\\.zanto-\\d+-\\d+\\.tmp$"));
    const QString path = m_dir + u'/' + game;
    const QByteArray contents[2] = {saveLoopContent(0), saveLoopContent(1)};
    QVERIFY(contents[0].size() > 20000 && contents[1].size() > 10000);

    const quint32 seed = TestFiles::testSeed(4090);
    const TestFiles::SeedReport report(seed);
    QRandomGenerator random(seed);
    const QString context = QStringLiteral("seed %1 (set ZANTO_SEED to repeat)").arg(seed);
    const int kills = 150;
    int sawOld = 0;
    int sawNew = 0;
    int leftTemporary = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(SAVE_HELPER), {QStringLiteral("loop"), path});
        QVERIFY2(writer.waitForStarted(), qPrintable(context));
        QVERIFY2(writer.waitForReadyRead(10000), qPrintable(context + u' ' + writer.readAllStandardError()));
        // Somewhere inside one of the next few writes. QProcess::kill is
        // SIGKILL or TerminateProcess: the writer gets no chance to tidy up.
        QThread::usleep(random.bounded(20000));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
#ifndef Q_OS_WIN
        // Windows tells a terminated process from one that exited only by
        // the exit code TerminateProcess was given, which Wine does not keep.
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
#endif

        const QByteArray now = TestFiles::readAll(path);
        const QString where = context + QStringLiteral(", kill %1 of %2").arg(kill + 1).arg(kills);
        QVERIFY2(now == contents[0] || now == contents[1],
                 qPrintable(where + QStringLiteral(": the game holds %1 bytes").arg(now.size())));
        ++(now == contents[0] ? sawOld : sawNew);
        // A kill inside a write may leave that write's temporary file, and
        // only that one: the writers killed before are gone, so each new
        // writer swept theirs.
        QStringList left = snapshot(m_dir).keys();
        if (left.removeIf([&](const QString &name) { return temporary.match(name).hasMatch(); }) == 1)
            ++leftTemporary;
        QVERIFY2(left == QStringList{game},
                 qPrintable(where + QStringLiteral(": the folder holds ") + snapshot(m_dir).keys().join(u", ")));
    }
    qInfo("%d kills: %d left the first game, %d the second, %d a temporary file; %s", kills,
          sawOld, sawNew, leftTemporary, qPrintable(context));
    QVERIFY2(sawOld > 0 && sawNew > 0, "the kills fell at different points of the loop");

    // The next write clears what the last kill left.
    QVERIFY(writeCrashSafe(path, contents[0]));
    QCOMPARE(snapshot(m_dir), (TestFiles::Snapshot{{game, contents[0]}}));
}

void TestCrashSafeWrite::aMissingFolderIsCreated()
{
    const QString folder = m_dir + QStringLiteral("/문서/Zanto 점수판");
    QVERIFY(writeCrashSafe(folder + QStringLiteral("/첫 게임.scr"), newGame()));
    QCOMPARE(snapshot(folder), (TestFiles::Snapshot{{QStringLiteral("첫 게임.scr"), newGame()}}));
}

void TestCrashSafeWrite::aFileWhereTheFolderShouldBeIsKeptAndTheWriteFails()
{
    const QString blocker = m_dir + QStringLiteral("/Zanto 점수판");
    QVERIFY(TestFiles::writeAll(blocker, "the presenter's notes"));
    const auto before = snapshot(m_dir);
    QVERIFY(!writeCrashSafe(blocker + QStringLiteral("/game.scr"), newGame()));
    QCOMPARE(snapshot(m_dir), before);
}

void TestCrashSafeWrite::aReadOnlyFolderKeepsItsGamesAndTheWriteFails()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows ignores a folder's read-only attribute when files are created in it");
#else
    const QString folder = m_dir + QStringLiteral("/locked/");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(TestFiles::writeAll(folder + "final.scr", "1;500;50\r\nx;1\r\n"));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(folder + "final.scr", QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                            | QFileDevice::ReadOther | QFileDevice::WriteOther));
    const auto before = snapshot(folder);

    QCOMPARE(writeWithoutPrivileges(folder + "new.scr"), std::optional<bool>(false));
    // Writable itself, the game still cannot be replaced in a locked folder.
    QCOMPARE(writeWithoutPrivileges(folder + "final.scr"), std::optional<bool>(false));
    QCOMPARE(snapshot(folder), before);
#endif
}

void TestCrashSafeWrite::aReadOnlyGameIsNotOverwritten()
{
    const QString folder = m_dir + QStringLiteral("/games/");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(TestFiles::writeAll(folder + "final.scr", "1;500;50\r\nx;1\r\n"));
#ifdef Q_OS_UNIX
    if (::getuid() == 0) {
        constexpr uid_t nobody = 65534;
        QCOMPARE(::chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
        QCOMPARE(::chown(QFile::encodeName(folder + "final.scr").constData(), nobody, nobody), 0);
    }
#endif
    QVERIFY(QFile::setPermissions(folder + "final.scr", QFileDevice::ReadOwner | QFileDevice::ReadUser
                                                            | QFileDevice::ReadOther));
    const auto before = snapshot(folder);

    QCOMPARE(writeWithoutPrivileges(folder + "final.scr"), std::optional<bool>(false));
    QCOMPARE(snapshot(folder), before);

    // The folder itself takes new games.
    QCOMPARE(writeWithoutPrivileges(folder + "new.scr"), std::optional<bool>(true));
    QCOMPARE(TestFiles::readAll(folder + "new.scr"), newGame());
}

void TestCrashSafeWrite::aFullDiskKeepsTheOldGameAndLeavesNoTemporaryFile()
{
#ifndef Q_OS_LINUX
    QSKIP("a full disk is a small tmpfs, which only Linux mounts this way");
#else
    if (::getuid() != 0)
        QSKIP("a full disk is a small tmpfs, which only root can mount: skipped");
    const QString folder = m_dir + QStringLiteral("/small");
    QVERIFY(QDir().mkpath(folder));
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs (%1): skipped")
                             .arg(QString::fromLocal8Bit(std::strerror(errno)))));
    m_mounted = folder;

    QVERIFY(TestFiles::writeAll(folder + "/final.scr", "2;500;50\r\nold;1\r\nolder;2\r\n"));
    {
        // Fill what is left, one block at a time, until the disk refuses.
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    const auto before = snapshot(folder);
    QVERIFY(!writeCrashSafe(folder + "/final.scr", newGame()));
    QCOMPARE(snapshot(folder), before);

    // Once there is room again the same write goes through.
    QVERIFY(QFile::remove(folder + "/filler"));
    QVERIFY(writeCrashSafe(folder + "/final.scr", newGame()));
    QCOMPARE(snapshot(folder), (TestFiles::Snapshot{{QStringLiteral("final.scr"), newGame()}}));
#endif
}

void TestCrashSafeWrite::aNameTooLongForTheFileSystemFailsAndWritesNothing()
{
    QVERIFY(TestFiles::writeAll(m_dir + "/other.scr", "0;500;50\r\n"));
    const auto before = snapshot(m_dir);
    // 300 Hangul syllables: more than a file name may hold, counted in UTF-8
    // bytes (900) or in UTF-16 units (300).
    QVERIFY(!writeCrashSafe(m_dir + u'/' + QString(300, QChar(0xACB0)) + ".scr", newGame()));
    QCOMPARE(snapshot(m_dir), before);
}

void TestCrashSafeWrite::aNameNearTheFileSystemsLimitIsWritten_data()
{
    // The game's name: Hangul syllables of three UTF-8 bytes each, then ASCII.
    QTest::addColumn<int>("syllables");
    QTest::addColumn<int>("letters");
    QTest::newRow("240 bytes") << 80 << 0;
    QTest::newRow("249 bytes") << 83 << 0;
    QTest::newRow("251 bytes, 255 with .scr") << 83 << 2;
}

void TestCrashSafeWrite::aNameNearTheFileSystemsLimitIsWritten()
{
    QFETCH(int, syllables);
    QFETCH(int, letters);
    const QString fileName = QString(syllables, QChar(0xACB0)) + QString(letters, u'a') + QStringLiteral(".scr");
#ifndef Q_OS_WIN
    // Windows names files in UTF-16, where these names are far from the limit.
    QCOMPARE(QFile::encodeName(fileName).size(), syllables * 3 + letters + 4);
#endif
    QVERIFY(writeCrashSafe(m_dir + u'/' + fileName, newGame()));
    // Written again over itself, as a loaded game is.
    QVERIFY(writeCrashSafe(m_dir + u'/' + fileName, saveLoopContent(1)));
    QCOMPARE(snapshot(m_dir), (TestFiles::Snapshot{{fileName, saveLoopContent(1)}}));
}

void TestCrashSafeWrite::aLinkInPlaceOfTheGameIsReplacedItselfAndWhatItPointsToIsKept_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<QString>("target"); // below the temporary folder unless absolute
    QTest::addColumn<bool>("isDevice");
    QTest::newRow("a file outside the folder") << QStringLiteral("elsewhere/notes.txt") << false;
    QTest::newRow("a game beside it") << QStringLiteral("games/other.scr") << false;
    QTest::newRow("a device") << QStringLiteral("/dev/null") << true;
    QTest::newRow("nowhere") << QStringLiteral("elsewhere/missing") << false;
#endif
}

void TestCrashSafeWrite::aLinkInPlaceOfTheGameIsReplacedItselfAndWhatItPointsToIsKept()
{
#ifndef Q_OS_UNIX
    QSKIP("symbolic links need privileges on Windows");
#else
    QFETCH(QString, target);
    QFETCH(bool, isDevice);
    const QString games = m_dir + QStringLiteral("/games");
    QVERIFY(QDir().mkpath(games) && QDir().mkpath(m_dir + QStringLiteral("/elsewhere")));
    const QString targetPath = target.startsWith(u'/') ? target : m_dir + u'/' + target;
    if (!isDevice && !target.endsWith(u"missing"))
        QVERIFY(TestFiles::writeAll(targetPath, "the presenter's notes"));
    QVERIFY(QFile::link(targetPath, games + QStringLiteral("/final.scr")));
    const auto elsewhere = snapshot(m_dir + QStringLiteral("/elsewhere"));

    QVERIFY(writeCrashSafe(games + QStringLiteral("/final.scr"), newGame()));
    const QFileInfo written(games + QStringLiteral("/final.scr"));
    QVERIFY(!written.isSymLink());
    QCOMPARE(TestFiles::readAll(written.filePath()), newGame());
    QCOMPARE(snapshot(m_dir + QStringLiteral("/elsewhere")), elsewhere);
    if (target == u"games/other.scr")
        QCOMPARE(TestFiles::readAll(targetPath), QByteArray("the presenter's notes"));
#endif
}

void TestCrashSafeWrite::onlyTemporariesOfEndedWritersAreSwept()
{
#ifndef Q_OS_UNIX
    QSKIP("the writers here are identified by POSIX process numbers");
#else
    // A copy still writing (this process's parent stands in for it), one
    // killed long ago, and files that only look alike.
    const QString running = QStringLiteral(".zanto-%1-1.tmp").arg(::getppid());
    QProcess ended;
    ended.start(QStringLiteral(SAVE_HELPER), {});
    QVERIFY(ended.waitForStarted(10000));
    const qint64 endedWriter = ended.processId();
    QVERIFY(ended.waitForFinished(10000));
    const QString abandoned = QStringLiteral(".zanto-%1-7.tmp").arg(endedWriter);
    const QStringList kept = {running, QStringLiteral(".zanto-notes.tmp"), QStringLiteral("zanto-1-1.tmp")};
    for (const QString &name : kept + QStringList{abandoned})
        QVERIFY(TestFiles::writeAll(m_dir + u'/' + name, "partial"));
    // The ended helper's number is free now, unless the system gave it out again.
    const bool reused = ::kill(pid_t(endedWriter), 0) == 0;

    QVERIFY(writeCrashSafe(m_dir + QStringLiteral("/final.scr"), newGame()));
    QStringList expected = kept + QStringList{QStringLiteral("final.scr")};
    if (reused)
        expected.append(abandoned);
    expected.sort();
    QCOMPARE(snapshot(m_dir).keys(), expected);
#endif
}

QTEST_GUILESS_MAIN(TestCrashSafeWrite)
#include "tst_crash_safe_write.moc"
