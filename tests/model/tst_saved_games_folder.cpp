#include "saved_games_folder.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QByteArray emptyGame = "0;500;50\r\n";

QStringList entriesOf(const QList<SavedGame> &games)
{
    QStringList entries;
    for (const SavedGame &game : games)
        entries.append(game.name + u'=' + game.fileName);
    return entries;
}

} // namespace

class TestSavedGamesFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void savedGamesAreListedByNameWithoutTheirExtensionInAnyCase();
    void aFolderThatIsMissingOrNotSetListsNothing();
    void findingANamePrefersTheExactLetterCase();
    void removingTakesOnlyAGameFileOfTheFolder_data();
    void removingTakesOnlyAGameFileOfTheFolder();
    void aNameIsUsableUnlessItHidesTheFileOrHoldsAForbiddenCharacter_data();
    void aNameIsUsableUnlessItHidesTheFileOrHoldsAForbiddenCharacter();
    void onlyWhatLeadsToAPlainFileIsListed();
    void aWriteProtectedGameIsNotRemoved_data();
    void aWriteProtectedGameIsNotRemoved();
    void theStandardFolderIsNeverBelowTheWorkingFolderOrTheRoot_data();
    void theStandardFolderIsNeverBelowTheWorkingFolderOrTheRoot();

private:
    QString pathOf(const QString &fileName) const { return m_dir->filePath(fileName); }

    std::optional<QTemporaryDir> m_dir;
};

void TestSavedGamesFolder::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
}

void TestSavedGamesFolder::savedGamesAreListedByNameWithoutTheirExtensionInAnyCase()
{
    QStringList files{"game.scr", "a.scr.scr", "LOUD.SCR", " space.scr", "Mixed.sCr", "notes.txt", "scr", ".scr"};
#ifdef Q_OS_UNIX
    files.append(".hidden.scr"); // a leading dot hides a file only here
#endif
    for (const QString &file : std::as_const(files))
        QVERIFY(TestFiles::writeAll(pathOf(file), emptyGame));
    QVERIFY(QDir().mkpath(pathOf("folder.scr")));

    QCOMPARE(entriesOf(SavedGamesFolder(m_dir->path()).list()),
             (QStringList{" space= space.scr", "a.scr=a.scr.scr", "game=game.scr", "LOUD=LOUD.SCR",
                          "Mixed=Mixed.sCr"}));
}

void TestSavedGamesFolder::aFolderThatIsMissingOrNotSetListsNothing()
{
    QVERIFY(TestFiles::writeAll(pathOf("game.scr"), emptyGame));
    QVERIFY(SavedGamesFolder(pathOf("missing")).list().isEmpty());
    // Not even the games of the current folder.
    const QString current = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const bool nothingListed = SavedGamesFolder().list().isEmpty();
    QDir::setCurrent(current);
    QVERIFY(nothingListed);
    QVERIFY(!SavedGamesFolder().isSet());
}

void TestSavedGamesFolder::findingANamePrefersTheExactLetterCase()
{
    const SavedGamesFolder folder(m_dir->path());
    QVERIFY(TestFiles::writeAll(pathOf("Final.scr"), emptyGame));
    QVERIFY(TestFiles::writeAll(pathOf("other.SCR"), emptyGame));
    const SavedGame final{"Final", "Final.scr"};
    QCOMPARE(folder.find("Final"), std::optional<SavedGame>(final));
    // On Windows the same file, elsewhere a game the presenter cannot tell apart.
    QCOMPARE(folder.find("FINAL"), std::optional<SavedGame>(final));
    QCOMPARE(folder.find("other"), std::optional<SavedGame>({"other", "other.SCR"}));
    QVERIFY(!folder.find("Fin"));
    QVERIFY(!folder.find("Final.scr"));

    if (QFile::exists(pathOf("FINAL.SCR")))
        QSKIP("this file system does not tell names apart by letter case");
    QVERIFY(TestFiles::writeAll(pathOf("final.scr"), emptyGame));
    QCOMPARE(folder.find("final"), std::optional<SavedGame>({"final", "final.scr"}));
    QCOMPARE(folder.find("Final"), std::optional<SavedGame>(final));
}

void TestSavedGamesFolder::removingTakesOnlyAGameFileOfTheFolder_data()
{
    QTest::addColumn<SavedGame>("game");
    QTest::addColumn<bool>("removed");
    QTest::newRow("a listed game") << SavedGame{"game", "game.scr"} << true;
    QTest::newRow("the extension in another case") << SavedGame{"LOUD", "LOUD.SCR"} << true;
    QTest::newRow("a game that is not there") << SavedGame::named("gone") << false;
    QTest::newRow("a folder named like a game") << SavedGame::named("round") << false;
    QTest::newRow("a file outside, through ..") << SavedGame{"up", "../outside.scr"} << false;
    QTest::newRow("a file in a folder below") << SavedGame{"inner", "round.scr/inner.scr"} << false;
    QTest::newRow("no file name") << SavedGame{"game", QString()} << false;
}

void TestSavedGamesFolder::removingTakesOnlyAGameFileOfTheFolder()
{
    QFETCH(SavedGame, game);
    QFETCH(bool, removed);
    const QString games = pathOf("games");
    QVERIFY(QDir().mkpath(games + "/round.scr"));
    for (const QString &file : {pathOf("outside.scr"), games + "/game.scr", games + "/LOUD.SCR",
                                games + "/round.scr/inner.scr"})
        QVERIFY(TestFiles::writeAll(file, emptyGame));
    const SavedGamesFolder folder(games);
    const TestFiles::Snapshot outside = TestFiles::snapshot(m_dir->path());
    const TestFiles::Snapshot inner = TestFiles::snapshot(games + "/round.scr");
    const QStringList before = entriesOf(folder.list());

    QCOMPARE(folder.remove(game), removed);
    QStringList after = before;
    if (removed)
        after.removeOne(game.name + u'=' + game.fileName);
    QCOMPARE(entriesOf(folder.list()), after);
    QCOMPARE(TestFiles::snapshot(m_dir->path()), outside);
    QCOMPARE(TestFiles::snapshot(games + "/round.scr"), inner);
    QVERIFY(!folder.remove(game)); // nothing left to remove
}

void TestSavedGamesFolder::aNameIsUsableUnlessItHidesTheFileOrHoldsAForbiddenCharacter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    for (const char *name : {"결승", " 결승 ", "Team B", "a.b", "x-7", "2024 봄"})
        QTest::newRow(name) << QString::fromUtf8(name) << true;
    for (const char *name : {"a\\b", "a/b", "c:", "x*", "why?", "say\"", "<", ">", "a|b", ".", "..", ".secret"})
        QTest::newRow(name) << QString::fromUtf8(name) << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("tab") << QStringLiteral("a\tb") << false;
    QTest::newRow("newline") << QStringLiteral("a\nb") << false;
    QTest::newRow("delete") << QStringLiteral("a\x7f") << false;
    // With ".scr", at most the 255 bytes of a file name (Hangul: three each).
    QTest::newRow("251 ASCII letters") << QString(251, u'a') << true;
    QTest::newRow("252 ASCII letters") << QString(252, u'a') << false;
    QTest::newRow("83 syllables and 2 letters, 251 bytes") << QString(83, QChar(0xACB0)) + QStringLiteral("aa") << true;
    QTest::newRow("84 syllables, 252 bytes") << QString(84, QChar(0xACB0)) << false;
}

void TestSavedGamesFolder::aNameIsUsableUnlessItHidesTheFileOrHoldsAForbiddenCharacter()
{
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(SavedGamesFolder::isUsableName(name), usable);
}

void TestSavedGamesFolder::onlyWhatLeadsToAPlainFileIsListed()
{
#ifndef Q_OS_UNIX
    QSKIP("devices, pipes and symbolic links are made only on POSIX systems");
#else
    QVERIFY(TestFiles::writeAll(pathOf("game.scr"), emptyGame));
    QVERIFY(QFile::link(pathOf("game.scr"), pathOf("alias.scr")));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), pathOf("device.scr")));
    QCOMPARE(::mkfifo(QFile::encodeName(pathOf("pipe.scr")).constData(), 0600), 0);
    QVERIFY(QFile::link(pathOf("pipe.scr"), pathOf("to pipe.scr")));
    QVERIFY(QFile::link(pathOf("gone"), pathOf("nowhere.scr")));
    QCOMPARE(entriesOf(SavedGamesFolder(m_dir->path()).list()), (QStringList{"alias=alias.scr", "game=game.scr"}));
#endif
}

void TestSavedGamesFolder::aWriteProtectedGameIsNotRemoved_data()
{
    QTest::addColumn<QFileDevice::Permissions>("permissions");
    QTest::addColumn<bool>("removed");
    const auto read = QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QTest::newRow("read-only") << QFileDevice::Permissions(read) << false;
#ifdef Q_OS_UNIX
    // Windows has one read-only attribute for everyone.
    QTest::newRow("writable by others only")
        << QFileDevice::Permissions(read | QFileDevice::WriteGroup | QFileDevice::WriteOther) << false;
#endif
    QTest::newRow("writable") << QFileDevice::Permissions(read | QFileDevice::WriteOwner | QFileDevice::WriteUser)
                              << true;
}

void TestSavedGamesFolder::aWriteProtectedGameIsNotRemoved()
{
    QFETCH(QFileDevice::Permissions, permissions);
    QFETCH(bool, removed);
    QVERIFY(TestFiles::writeAll(pathOf("final.scr"), emptyGame));
    QVERIFY(QFile::setPermissions(pathOf("final.scr"), permissions));
    const SavedGamesFolder folder(m_dir->path());
    // Root may unlink any file; the file's own protection still holds.
    QCOMPARE(folder.remove(SavedGame::named("final")), removed);
    QCOMPARE(QFileInfo::exists(pathOf("final.scr")), !removed);
}

void TestSavedGamesFolder::theStandardFolderIsNeverBelowTheWorkingFolderOrTheRoot_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<std::optional<QByteArray>>("home");
    QTest::addColumn<QByteArray>("documentsEntry"); // in the user's folder settings; empty: none
    QTest::addColumn<bool>("fromHome"); // "Documents" in HOME, else in the user database's home
    QTest::newRow("HOME unset") << std::optional<QByteArray>() << QByteArray() << false;
    QTest::newRow("HOME empty") << std::optional<QByteArray>("") << QByteArray() << false;
    QTest::newRow("HOME relative") << std::optional<QByteArray>("games") << QByteArray() << false;
    QTest::newRow("HOME the root") << std::optional<QByteArray>("/") << QByteArray() << false;
    QTest::newRow("a relative documents entry")
        << std::optional<QByteArray>("<home>") << QByteArray("XDG_DOCUMENTS_DIR=\"docs\"\n") << true;
    QTest::newRow("the documents entry the root")
        << std::optional<QByteArray>("<home>") << QByteArray("XDG_DOCUMENTS_DIR=\"/\"\n") << true;
#endif
}

void TestSavedGamesFolder::theStandardFolderIsNeverBelowTheWorkingFolderOrTheRoot()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows names the documents folder without HOME");
#else
    QFETCH(std::optional<QByteArray>, home);
    QFETCH(QByteArray, documentsEntry);
    QFETCH(bool, fromHome);
    const QByteArray savedHome = qgetenv("HOME");
    const bool hadHome = qEnvironmentVariableIsSet("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QString homeFolder = pathOf("home");
    QVERIFY(QDir().mkpath(homeFolder + "/config"));
    QVERIFY(TestFiles::writeAll(homeFolder + "/config/user-dirs.dirs", documentsEntry));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(homeFolder + "/config"));
    if (!home)
        qunsetenv("HOME");
    else
        qputenv("HOME", *home == "<home>" ? QFile::encodeName(homeFolder) : *home);

    const SavedGamesFolder folder = SavedGamesFolder::standard();

    hadHome ? qputenv("HOME", savedHome) : qunsetenv("HOME");
    hadConfig ? qputenv("XDG_CONFIG_HOME", savedConfig) : qunsetenv("XDG_CONFIG_HOME");
    const passwd *user = ::getpwuid(::getuid());
    QVERIFY(user && user->pw_dir);
    const QString base = fromHome ? homeFolder : QFile::decodeName(user->pw_dir);
    if (!fromHome && QDir(base).isRoot()) {
        QVERIFY(!folder.isSet()); // no home anywhere: saving says so
        return;
    }
    QCOMPARE(folder.path(), QDir::cleanPath(base) + QStringLiteral("/Documents/Zanto 점수판"));
#endif
}

QTEST_GUILESS_MAIN(TestSavedGamesFolder)
#include "tst_saved_games_folder.moc"
