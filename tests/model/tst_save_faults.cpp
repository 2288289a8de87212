#include "game_state.h"
#include "score_file.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString savedMessage = QStringLiteral("점수 저장이 완료되었습니다");

QString failedMessage(const QString &path)
{
    return QStringLiteral("점수를 저장하지 못했습니다\n") + QDir::toNativeSeparators(path);
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every entry of a folder with its bytes: what a fault must leave as it was.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        QFile file(entry.absoluteFilePath());
        files.insert(entry.fileName(),
                     entry.isDir() ? QByteArray("<folder>")
                                   : (file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>"));
    }
    return files;
}

constexpr uid_t nobody = 65534;

struct HelperSave
{
    int outcome = -1;
    QStringList messages;
};

// The save command run by a presenter without root's privileges, where
// file permissions apply (this test itself runs as root in CI).
HelperSave saveWithoutPrivileges(const QString &folder, const QString &name)
{
    QStringList args{QStringLiteral("save"), folder, name};
    if (::getuid() == 0)
        args.prepend(QStringLiteral("--as-nobody"));
    QProcess helper;
    helper.start(QStringLiteral(SAVE_HELPER), args);
    HelperSave result;
    if (!helper.waitForFinished(20000) || helper.exitCode() != 0) {
        qWarning() << "save helper:" << helper.readAllStandardError();
        return result;
    }
    QStringList lines = QString::fromUtf8(helper.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.outcome = lines.isEmpty() ? -1 : lines.takeFirst().toInt();
    for (QString &line : lines)
        result.messages.append(line.replace(QStringLiteral("\\n"), QStringLiteral("\n")));
    return result;
}

} // namespace

class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aMissingFolderIsCreated();
    void aFileWhereTheFolderShouldBeIsKeptAndTheSaveFails();
    void aReadOnlyFolderKeepsItsGamesAndTheSaveFails();
    void aReadOnlyGameIsNotOverwritten();
    void aFullDiskKeepsTheOldGameAndLeavesNoTemporaryFile();
    void aNameTooLongForTheFileSystemFailsAndWritesNothing();

private:
    void setTeams();
    void verifyFailedSave(SaveOutcome outcome, const QString &path);

    QTemporaryDir m_dir;
    Module1 m_state;
    ScriptedDialogs m_dialogs;
    QString m_mounted;
};

void TestSaveFaults::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir.path()));
    // The unprivileged saver has to reach the folders below.
    QVERIFY(QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                    | QFileDevice::ExeOther | QFileDevice::ReadGroup
                                                    | QFileDevice::ExeGroup));
    m_state = Module1();
    m_state.Max_Score = 500;
    m_state.Saved_Games_Folder = m_dir.path() + u'/';
    m_state.Save_Path = m_state.Saved_Games_Folder;
    setTeams();
    m_dialogs = ScriptedDialogs();
}

void TestSaveFaults::cleanup()
{
    if (!m_mounted.isEmpty()) {
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
        m_mounted.clear();
    }
}

void TestSaveFaults::setTeams()
{
    m_state.Team_Count = 2;
    m_state.Team_Name.set(0, QStringLiteral("진리"));
    m_state.Team_Score.set(0, 120);
    m_state.Team_Name.set(1, QStringLiteral("지혜"));
    m_state.Team_Score.set(1, 80);
    m_state.Standings_Changed = true;
}

// A failed save says so with the path, and the game still counts as unsaved.
void TestSaveFaults::verifyFailedSave(SaveOutcome outcome, const QString &path)
{
    QCOMPARE(outcome, SaveOutcome::Failed);
    QCOMPARE(m_dialogs.messages, QStringList{failedMessage(path)});
    QVERIFY(m_state.Standings_Changed);
    QVERIFY(m_state.hasUnsavedStandings());
}

void TestSaveFaults::aMissingFolderIsCreated()
{
    m_state.Saved_Games_Folder = m_dir.path() + QStringLiteral("/문서/Zanto 점수판/");
    m_dialogs.inputAnswers = {QStringLiteral("첫 게임")};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(m_dialogs.messages, QStringList{savedMessage});
    QCOMPARE(snapshot(m_state.Saved_Games_Folder).keys(), QStringList{QStringLiteral("첫 게임.scr")});
    QVERIFY(!m_state.Standings_Changed);
}

void TestSaveFaults::aFileWhereTheFolderShouldBeIsKeptAndTheSaveFails()
{
    const QString blocker = m_dir.path() + QStringLiteral("/Zanto 점수판");
    writeAll(blocker, "the presenter's notes");
    m_state.Saved_Games_Folder = blocker + u'/';
    m_dialogs.inputAnswers = {QStringLiteral("game")};

    const auto before = snapshot(m_dir.path());
    verifyFailedSave(saveScoreFile(m_state, m_dialogs), m_state.Saved_Games_Folder + "game.scr");
    QCOMPARE(snapshot(m_dir.path()), before);
}

void TestSaveFaults::aReadOnlyFolderKeepsItsGamesAndTheSaveFails()
{
    const QString folder = m_dir.path() + QStringLiteral("/locked/");
    QVERIFY(QDir().mkpath(folder));
    writeAll(folder + "final.scr", "1;500;50\r\nx;1\r\n");
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(folder + "final.scr", QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                            | QFileDevice::ReadOther | QFileDevice::WriteOther));
    const auto before = snapshot(folder);

    const HelperSave fresh = saveWithoutPrivileges(folder, QStringLiteral("new"));
    QCOMPARE(fresh.outcome, int(SaveOutcome::Failed));
    QCOMPARE(fresh.messages, QStringList{failedMessage(folder + "new.scr")});
    // Writable itself, the game still cannot be replaced in a locked folder.
    const HelperSave over = saveWithoutPrivileges(folder, QStringLiteral("final"));
    QCOMPARE(over.outcome, int(SaveOutcome::Failed));
    QCOMPARE(over.messages, QStringList{failedMessage(folder + "final.scr")});
    QCOMPARE(snapshot(folder), before);
}

void TestSaveFaults::aReadOnlyGameIsNotOverwritten()
{
    const QString folder = m_dir.path() + QStringLiteral("/games/");
    QVERIFY(QDir().mkpath(folder));
    writeAll(folder + "final.scr", "1;500;50\r\nx;1\r\n");
    if (::getuid() == 0) {
        QCOMPARE(::chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
        QCOMPARE(::chown(QFile::encodeName(folder + "final.scr").constData(), nobody, nobody), 0);
    }
    QVERIFY(QFile::setPermissions(folder + "final.scr", QFileDevice::ReadOwner | QFileDevice::ReadUser
                                                            | QFileDevice::ReadOther));
    const auto before = snapshot(folder);

    const HelperSave over = saveWithoutPrivileges(folder, QStringLiteral("final"));
    QCOMPARE(over.outcome, int(SaveOutcome::Failed));
    QCOMPARE(over.messages, QStringList{failedMessage(folder + "final.scr")});
    QCOMPARE(snapshot(folder), before);

    // The folder itself takes new games.
    const HelperSave fresh = saveWithoutPrivileges(folder, QStringLiteral("new"));
    QCOMPARE(fresh.outcome, int(SaveOutcome::Saved));
    QCOMPARE(fresh.messages, QStringList{savedMessage});
}

void TestSaveFaults::aFullDiskKeepsTheOldGameAndLeavesNoTemporaryFile()
{
    if (::getuid() != 0)
        QSKIP("a full disk is a small tmpfs, which only root can mount: skipped");
    const QString folder = m_dir.path() + QStringLiteral("/small");
    QVERIFY(QDir().mkpath(folder));
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs (%1): skipped")
                             .arg(QString::fromLocal8Bit(strerror(errno)))));
    m_mounted = folder;
    m_state.Saved_Games_Folder = folder + u'/';

    const QByteArray old = "2;500;50\r\nold;1\r\nolder;2\r\n";
    writeAll(folder + "/final.scr", old);
    {
        // Fill what is left, one block at a time, until the disk refuses.
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    const auto before = snapshot(folder);

    m_dialogs.inputAnswers = {QStringLiteral("final")};
    m_dialogs.askAnswers = {true};
    verifyFailedSave(saveScoreFile(m_state, m_dialogs), folder + "/final.scr");
    QCOMPARE(snapshot(folder), before);

    // Once there is room again the same save goes through.
    QVERIFY(QFile::remove(folder + "/filler"));
    m_dialogs = ScriptedDialogs();
    m_dialogs.inputAnswers = {QStringLiteral("final")};
    m_dialogs.askAnswers = {true};
    QCOMPARE(saveScoreFile(m_state, m_dialogs), SaveOutcome::Saved);
    QCOMPARE(snapshot(folder).keys(), QStringList{QStringLiteral("final.scr")});
    QCOMPARE(snapshot(folder).value(QStringLiteral("final.scr")), scoreFileBytes(m_state));
}

void TestSaveFaults::aNameTooLongForTheFileSystemFailsAndWritesNothing()
{
    writeAll(m_state.Saved_Games_Folder + "other.scr", "0;500;50\r\n");
    const auto before = snapshot(m_state.Saved_Games_Folder);
    // 100 Hangul syllables take 300 bytes, more than a file name may hold.
    const QString name = QString(100, QChar(0xACB0));
    m_dialogs.inputAnswers = {name};
    verifyFailedSave(saveScoreFile(m_state, m_dialogs), m_state.Saved_Games_Folder + name + ".scr");
    QCOMPARE(snapshot(m_state.Saved_Games_Folder), before);
}

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
