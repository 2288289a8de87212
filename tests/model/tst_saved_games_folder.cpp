#include "saved_games_folder.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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
}

void TestSavedGamesFolder::aNameIsUsableUnlessItHidesTheFileOrHoldsAForbiddenCharacter()
{
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(SavedGamesFolder::isUsableName(name), usable);
}

QTEST_GUILESS_MAIN(TestSavedGamesFolder)
#include "tst_saved_games_folder.moc"
