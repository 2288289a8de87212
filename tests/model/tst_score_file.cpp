// The score file: the bytes a save writes, and what reading a file puts into
// the game.
#include "code_page.h"
#include "crash_safe_write.h"
#include "game_engine.h"
#include "game_loading.h"
#include "game_setup.h"
#include "saved_games_folder.h"
#include "score_file.h"
#include "team_name.h"
#include "test_files.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using TestFiles::cp949;

namespace {

// What the code page and the random games of the fixed seed come to, the
// same on every system.
constexpr int codePageCharacters = 17365;
const QByteArray codePageSha256 = "a3af45c6b91fc8f0b419fd8a41746afab569f65b47f84e0ea0d613119ea7da02";
const QByteArray sameFilesSha256 = "e1c0184d76b210e47acc3f8fb7c6bc5d8e3826c6cf431ab41d2a7e6813d145ac";

const QByteArray twoTeamExample = "2;500;50\r\n" + cp949(QStringLiteral("진리;120\r\n지혜;80\r\n"));

} // namespace

class TestScoreFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void standingsAreWrittenAsAHeaderAndOneLinePerTeam_data();
    void standingsAreWrittenAsAHeaderAndOneLinePerTeam();
    void theTwoTeamExampleIsCodePage949ByteForByte();
    void namesRoundTripWithSpacesHangulAndLatin();

    void loadingFillsTheGameAndClearsThePendingPoints();
    void theHeaderGivesTheTeamCountAndTheMaximum_data();
    void theHeaderGivesTheTeamCountAndTheMaximum();
    void aTeamLineGivesANameAScoreTextAndAFlooredScore_data();
    void aTeamLineGivesANameAScoreTextAndAFlooredScore();
    void invalidBytesBecomeReplacementCharacters();
    void lineEndsOtherThanCrLfAreAccepted();
    void aShortFileLoadsTheTeamsItHas();
    void aFileThatCannotBeReadChangesNothing_data();
    void aFileThatCannotBeReadChangesNothing();
    void teamsBeyondTheSlotsAreReadAndSkippedAndTold();
    void linesTheGameCannotKeepMakeAPartialLoad_data();
    void linesTheGameCannotKeepMakeAPartialLoad();
    void theWriterRefusesNamesTheFileCannotCarry_data();
    void theWriterRefusesNamesTheFileCannotCarry();
    void whateverTheWriterWritesReadsBackAsTheSameStandings();
    void everySystemHasTheSameCodePage();
    void aHugeAnnouncedCountStopsAtTheEndOfTheFile();
    void aNameNoTeamCanHaveIsFittedToOneItCan_data();
    void aNameNoTeamCanHaveIsFittedToOneItCan();

private:
    // Writes the bytes as the saved game "g" and loads it into m_engine.
    LoadResult load(const QByteArray &bytes);

    std::optional<QTemporaryDir> m_dir;
    SavedGamesFolder m_folder;
    std::optional<GameEngine> m_engine;
};

void TestScoreFile::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_folder = SavedGamesFolder(m_dir->path());
    m_engine.emplace();
    m_engine->prepareNewGame();
}

LoadResult TestScoreFile::load(const QByteArray &bytes)
{
    const SavedGame game = SavedGame::named(QStringLiteral("g"));
    if (!TestFiles::writeAll(m_folder.filePath(game), bytes))
        qFatal("cannot write the saved game");
    return loadSavedGame(*m_engine, m_folder, game);
}

void TestScoreFile::standingsAreWrittenAsAHeaderAndOneLinePerTeam_data()
{
    QTest::addColumn<Standings>("standings");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two teams") << Standings{2, 500, {{QStringLiteral("진리"), 120}, {QStringLiteral("지혜"), 80}}}
                               << twoTeamExample;
    QTest::newRow("no teams") << Standings{0, 500, {}} << QByteArray("0;500;50\r\n");
    QTest::newRow("a count below zero") << Standings{-3, 500, {}} << QByteArray("-3;500;50\r\n");
    QTest::newRow("negative score, no digit grouping")
        << Standings{1, 1234567, {{QStringLiteral("Team B"), -40}}} << QByteArray("1;1234567;50\r\nTeam B;-40\r\n");
    // Written as it is; reading it back takes the name up to the semicolon.
    QTest::newRow("a semicolon in a name") << Standings{1, 500, {{QStringLiteral("A;B"), 30}}}
                                           << QByteArray("1;500;50\r\nA;B;30\r\n");
}

void TestScoreFile::standingsAreWrittenAsAHeaderAndOneLinePerTeam()
{
    QFETCH(Standings, standings);
    QFETCH(QByteArray, bytes);
    QCOMPARE(scoreFileBytes(standings), bytes);
}

void TestScoreFile::theTwoTeamExampleIsCodePage949ByteForByte()
{
    QCOMPARE(twoTeamExample.toHex(), QByteArray("323b3530303b35300d0a"
                                                "c1f8b8ae3b3132300d0a"
                                                "c1f6c7fd3b38300d0a"));
}

void TestScoreFile::namesRoundTripWithSpacesHangulAndLatin()
{
    const Standings standings{4, 500, {{QStringLiteral(" 믿음 팀 "), 10}, {QStringLiteral("Team B"), -40},
                                       {QStringLiteral("사랑"), 0}, {QStringLiteral("x-7"), 7}}};
    QVERIFY(!unwritableTeamName(standings));
    const SavedGame game = SavedGame::named(QStringLiteral("trip"));
    QVERIFY(writeCrashSafe(m_folder.filePath(game), scoreFileBytes(standings)));

    GameEngine loaded;
    const LoadResult result = loadSavedGame(loaded, m_folder, game);
    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(loaded.standings(), standings);
    QCOMPARE(result.teams.at(1).scoreText, QStringLiteral("-40"));
}

void TestScoreFile::loadingFillsTheGameAndClearsThePendingPoints()
{
    setUpGame(*m_engine, numberedTeams({0}));
    m_engine->enterPoints(0, QStringLiteral("9"));
    m_engine->renameTeam(0, QStringLiteral("지난 팀"));

    const LoadResult result = load("2;700;50\r\n" + cp949(QStringLiteral("진리;120\r\n지혜;80\r\n")));

    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(m_engine->standings(),
             (Standings{2, 700, {{QStringLiteral("진리"), 120}, {QStringLiteral("지혜"), 80}}}));
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(SavedGame::named(QStringLiteral("g"))));
    // Points typed on the board before belonged to the teams it showed.
    QCOMPARE(m_engine->pendingPoints(0), 0);
    QVERIFY(!m_engine->changedSinceSave());
    QCOMPARE(result.teams.size(), 2);
    QCOMPARE(result.teams.at(0).scoreText, QStringLiteral("120"));
    QCOMPARE(result.teams.at(1).name, QStringLiteral("지혜"));
}

void TestScoreFile::theHeaderGivesTheTeamCountAndTheMaximum_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<qint32>("teamCount");
    QTest::addColumn<qint32>("maxScore");
    QTest::newRow("three fields") << QByteArray("1;700;50") << 1 << 700;
    QTest::newRow("fields after the second are ignored") << QByteArray("1;700;junk;more") << 1 << 700;
    QTest::newRow("two fields") << QByteArray("1;700") << 1 << 700;
    // Without a usable maximum the game has a new game's, not the one the
    // board showed before (800 here).
    QTest::newRow("one field") << QByteArray("1") << 1 << 500;
    QTest::newRow("maximum not a number") << QByteArray("1;lots;50") << 1 << 500;
    QTest::newRow("fractions round half to even") << QByteArray("2.5;500.5;50") << 2 << 500;
    QTest::newRow("spaces around the numbers") << QByteArray(" 3 ; 900 ;50") << 3 << 900;
}

void TestScoreFile::theHeaderGivesTheTeamCountAndTheMaximum()
{
    QFETCH(QByteArray, header);
    QFETCH(qint32, teamCount);
    QFETCH(qint32, maxScore);
    setUpGame(*m_engine, {{QStringLiteral("a"), 0}, {QStringLiteral("b"), 0}, {QStringLiteral("earlier"), 1}},
              800);

    const LoadResult result = load(header + "\r\na;1\r\nb;2\r\nc;3\r\n");
    QCOMPARE(result.status, LoadResult::Loaded);
    QCOMPARE(m_engine->announcedTeamCount(), teamCount);
    QCOMPARE(m_engine->maxScore(), maxScore);
    QCOMPARE(result.teams.size(), teamCount);
    // Lines after the announced count are not read.
    QCOMPARE(m_engine->teamName(2), teamCount > 2 ? QStringLiteral("c") : QStringLiteral("earlier"));
}

void TestScoreFile::aTeamLineGivesANameAScoreTextAndAFlooredScore_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<qint32>("score");
    QTest::addColumn<bool>("whole");
    QTest::newRow("whole") << cp949(QStringLiteral("진리;120")) << QStringLiteral("진리") << QStringLiteral("120") << 120 << true;
    QTest::newRow("fraction floors") << cp949(QStringLiteral("지혜;80.6")) << QStringLiteral("지혜")
                                     << QStringLiteral("80.6") << 80 << true;
    QTest::newRow("negative fraction floors") << QByteArray("b;-3.5") << QStringLiteral("b") << QStringLiteral("-3.5") << -4 << true;
    QTest::newRow("spaces kept in the name") << cp949(QStringLiteral(" 믿음 팀 ;5")) << QStringLiteral(" 믿음 팀 ")
                                             << QStringLiteral("5") << 5 << true;
    // An earlier game's score in the slot must not survive into this one,
    // and a score that cannot be read is a part of the game not loaded.
    QTest::newRow("no semicolon") << cp949(QStringLiteral("지혜")) << QStringLiteral("지혜") << QString() << 0 << false;
    QTest::newRow("empty score") << QByteArray("a;") << QStringLiteral("a") << QString() << 0 << false;
    QTest::newRow("score not a number") << QByteArray("b;many") << QStringLiteral("b") << QStringLiteral("many") << 0 << false;
    QTest::newRow("semicolon in the name") << QByteArray("A;B;30") << QStringLiteral("A") << QStringLiteral("B") << 0 << false;
}

void TestScoreFile::aTeamLineGivesANameAScoreTextAndAFlooredScore()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, name);
    QFETCH(QString, scoreText);
    QFETCH(qint32, score);
    QFETCH(bool, whole);
    setUpGame(*m_engine, {{QStringLiteral("earlier"), 99}});

    const LoadResult result = load("1;500;50\r\n" + line + "\r\n");
    QCOMPARE(result.status, whole ? LoadResult::Loaded : LoadResult::Partial);
    QCOMPARE(m_engine->teamName(0), name);
    QCOMPARE(m_engine->score(0), score);
    QCOMPARE(result.teams.value(0).name, name);
    QCOMPARE(result.teams.value(0).scoreText, scoreText);
}

void TestScoreFile::invalidBytesBecomeReplacementCharacters()
{
    // 0xB0 opens a two-byte character that a space cannot close.
    QCOMPARE(load(QByteArray("1;500;50\r\nA\xb0 B;5\r\n")).status, LoadResult::Loaded);
    const QString name = m_engine->teamName(0);
    QVERIFY(name.startsWith(u'A'));
    QVERIFY(name.endsWith(u'B'));
    QVERIFY(name.contains(QChar(QChar::ReplacementCharacter)));
    QCOMPARE(m_engine->score(0), 5);
}

void TestScoreFile::lineEndsOtherThanCrLfAreAccepted()
{
    QCOMPARE(load("2;500;50\na;1\rb;2").status, LoadResult::Loaded);
    QCOMPARE(m_engine->standings().teams, (QList<TeamStanding>{{"a", 1}, {"b", 2}}));
}

void TestScoreFile::aShortFileLoadsTheTeamsItHas()
{
    setUpGame(*m_engine, {{QStringLiteral("a"), 0}, {QStringLiteral("b"), 0}, {QStringLiteral("old"), 3}});
    const LoadResult result = load("4;500;50\r\na;1\r\nb;2\r\n");
    QCOMPARE(result.status, LoadResult::Partial);
    QCOMPARE(m_engine->announcedTeamCount(), 2);
    QCOMPARE(result.teams.size(), 2);
    QCOMPARE(m_engine->teamName(2), QStringLiteral("old")); // no copy of the last team
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(SavedGame::named(QStringLiteral("g"))));
}

void TestScoreFile::aFileThatCannotBeReadChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("count not a number") << QByteArray("two;500;50\r\na;1\r\n") << true;
    QTest::newRow("negative count") << QByteArray("-2;500;50\r\n") << true;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01", 4) << true;
    QTest::newRow("overlong header") << QByteArray(MaxScoreFileLine + 1, '7') << true;
    QTest::newRow("overlong team line") << "1;500;50\r\n" + QByteArray(MaxScoreFileLine + 10, 'a') << true;
    // A gigabyte of short lines once froze the window for most of a minute.
    QByteArray huge = "2147483647;500;50\r\n";
    huge += QByteArray(MaxSavedGameSize, '\n');
    QTest::newRow("larger than a saved game can be") << huge << true;
}

void TestScoreFile::aFileThatCannotBeReadChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    setUpGame(*m_engine, {{QStringLiteral("믿음"), 5}});
    const SavedGame before = SavedGame::named(QStringLiteral("before"));
    m_engine->setSavedGame(before);
    m_engine->renameTeam(0, QStringLiteral("믿음 팀"));
    const Standings standings = m_engine->standings();

    const SavedGame game = SavedGame::named(QStringLiteral("bad"));
    if (exists)
        QVERIFY(TestFiles::writeAll(m_folder.filePath(game), bytes));
    const LoadResult result = loadSavedGame(*m_engine, m_folder, game);

    QCOMPARE(result.status, LoadResult::Failed);
    QVERIFY(result.teams.isEmpty());
    QCOMPARE(m_engine->standings(), standings);
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(before));
    QVERIFY(m_engine->changedSinceSave());
}

void TestScoreFile::teamsBeyondTheSlotsAreReadAndSkippedAndTold()
{
    QByteArray bytes = "12;500;50\r\n";
    for (int i = 0; i < 12; ++i)
        bytes += "t" + QByteArray::number(i) + ";" + QByteArray::number(i * 10) + "\r\n";
    const LoadResult result = load(bytes);
    QCOMPARE(result.status, LoadResult::Partial); // the next save keeps only eight
    QCOMPARE(m_engine->announcedTeamCount(), 12);
    QCOMPARE(result.teams.size(), TeamSlots);
    QCOMPARE(m_engine->teamName(10), QStringLiteral("t10"));
    QCOMPARE(m_engine->score(10), 100);
    QCOMPARE(m_engine->standings().teams.size(), TeamSlots);
}

void TestScoreFile::aHugeAnnouncedCountStopsAtTheEndOfTheFile()
{
    QByteArray bytes("2000000000;500;50\r\na;1\r\n");
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const auto content = parseScoreFile(buffer);
    QVERIFY(content);
    QCOMPARE(content->announcedTeamCount, 2000000000);
    QCOMPARE(content->teamLinesRead, 1);
    QVERIFY(!content->complete());
}

void TestScoreFile::linesTheGameCannotKeepMakeAPartialLoad_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<TeamStanding>>("teams");
    QByteArray nine = "9;500;50\r\n";
    for (int i = 0; i < 9; ++i)
        nine += "t" + QByteArray::number(i) + ";1\r\n";
    QList<TeamStanding> nineTeams;
    for (int i = 0; i < 9; ++i)
        nineTeams.append({u't' + QString::number(i), 1});
    // All are kept, but the setup window has rows for eight.
    QTest::newRow("nine teams") << nine << nineTeams;
    QTest::newRow("a score just past the 32-bit range")
        << QByteArray("2;500;50\r\na;2147483648\r\nb;5\r\n") << QList<TeamStanding>{{"a", 0}, {"b", 5}};
    QTest::newRow("a score in exponent form") << QByteArray("1;500;50\r\na;1e10\r\n") << QList<TeamStanding>{{"a", 0}};
    // Each CR CR LF once read as a blank team, and the last team was lost.
    QTest::newRow("CR CR LF line ends") << QByteArray("2;500;50\r\r\na;1\r\r\nb;2\r\r\n")
                                        << QList<TeamStanding>{{"a", 1}, {"b", 2}};
}

void TestScoreFile::linesTheGameCannotKeepMakeAPartialLoad()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<TeamStanding>, teams);
    QCOMPARE(load(bytes).status, LoadResult::Partial);
    QCOMPARE(m_engine->standings().teams, teams);
}

void TestScoreFile::theWriterRefusesNamesTheFileCannotCarry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("reason"); // -1: written
    // "가" is two bytes in the code page; with ";0" the line is 2n + 2 bytes.
    const qsizetype longest = (MaxScoreFileLine - 2) / 2;
    QTest::newRow("plain") << QStringLiteral("믿음 팀") << -1;
    QTest::newRow("line feed") << QStringLiteral("A\nFAKE;9999") << int(UnwritableTeamName::BreaksLine);
    QTest::newRow("carriage return") << QStringLiteral("A\rB") << int(UnwritableTeamName::BreaksLine);
    QTest::newRow("semicolon") << QStringLiteral("A;B") << int(UnwritableTeamName::BreaksLine);
    QTest::newRow("not in the code page") << QStringLiteral("Café") << int(UnwritableTeamName::Unencodable);
    // Found by the fuzzer: the codec took a lone surrogate and wrote "?".
    QTest::newRow("a lone surrogate") << QString(QChar(0xd930)) + u'a' << int(UnwritableTeamName::Unencodable);
    QTest::newRow("the longest line the reader takes") << QString(longest, u'가') << -1;
    QTest::newRow("one byte more") << QString(longest, u'가') + u'a' << int(UnwritableTeamName::TooLong);
}

void TestScoreFile::theWriterRefusesNamesTheFileCannotCarry()
{
    QFETCH(QString, name);
    QFETCH(int, reason);
    const Standings standings{2, 500, {{QStringLiteral("지혜"), 3}, {name, 0}}};
    const auto refused = unwritableTeamName(standings);
    QCOMPARE(refused ? int(refused->reason) : -1, reason);
    if (refused) {
        QCOMPARE(refused->name, name);
        return;
    }
    QByteArray bytes = scoreFileBytes(standings);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const auto content = parseScoreFile(buffer);
    QVERIFY(content && content->complete());
    QCOMPARE(content->teams.at(1).name, name);
}

void TestScoreFile::whateverTheWriterWritesReadsBackAsTheSameStandings()
{
    // Every character the code page holds, but the two that end a line and
    // the field separator.
    QList<char16_t> repertoire;
    for (char32_t c = 0x20; c < 0x10000; ++c) {
        const QString one{QChar(char16_t(c))};
        if (c != u';' && !QChar(char16_t(c)).isSurrogate() && CodePage949::canEncode(one))
            repertoire.append(char16_t(c));
    }
    QVERIFY(repertoire.size() > 17000); // Hangul, Hanja, symbols and ASCII

    const quint32 fixedSeed = 20261209;
    const quint32 seed = TestFiles::testSeed(fixedSeed);
    const TestFiles::SeedReport report(seed);
    QRandomGenerator random(seed);
    QCryptographicHash allFiles(QCryptographicHash::Sha256);
    for (int round = 0; round < 300; ++round) {
        Standings standings;
        standings.maxScore = random.bounded(-1000, 100000);
        const int teams = random.bounded(TeamSlots + 1);
        standings.announcedTeamCount = teams;
        for (int t = 0; t < teams; ++t) {
            QString name;
            for (int length = random.bounded(TeamName::MaxLength + 1); length > 0; --length)
                name += QChar(repertoire.at(random.bounded(repertoire.size())));
            standings.teams.append({name, qint32(random.generate())});
        }
        QVERIFY(!unwritableTeamName(standings));
        QByteArray bytes = scoreFileBytes(standings);
        allFiles.addData(bytes);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const auto content = parseScoreFile(buffer);
        QVERIFY(content && content->complete());
        QCOMPARE(content->announcedTeamCount, standings.announcedTeamCount);
        QCOMPARE(content->maxScore, std::optional<qint32>(standings.maxScore));
        QCOMPARE(content->teams.size(), standings.teams.size());
        for (int t = 0; t < teams; ++t) {
            QCOMPARE(content->teams.at(t).name, standings.teams.at(t).name);
            QCOMPARE(content->teams.at(t).score, standings.teams.at(t).score);
        }
    }
    // The same games are the same bytes on Linux and on Windows.
    if (seed == fixedSeed)
        QCOMPARE(allFiles.result().toHex(), sameFilesSha256);
}

void TestScoreFile::everySystemHasTheSameCodePage()
{
    // Core5Compat's codec on Linux and Windows' own table must agree on
    // every character, or a game saved on one system would not read back
    // the same on the other: the whole table, character and bytes, hashed.
    // ZANTO_CODE_PAGE_TABLE names a file to write the table to, to compare
    // two systems line by line.
    QFile dump(qEnvironmentVariable("ZANTO_CODE_PAGE_TABLE"));
    const bool dumping = !dump.fileName().isEmpty() && dump.open(QIODevice::WriteOnly);
    QCryptographicHash table(QCryptographicHash::Sha256);
    int characters = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const QString one{QChar(char16_t(c))};
        if (!CodePage949::canEncode(one))
            continue;
        ++characters;
        const QByteArray bytes = CodePage949::encode(one);
        const QByteArray entry = QByteArray::number(uint(c), 16) + '=' + bytes.toHex() + ';';
        table.addData(entry);
        if (dumping)
            dump.write(entry + '\n');
        QCOMPARE(CodePage949::decode(bytes), one);
    }
    qInfo("%d characters, %s", characters, table.result().toHex().constData());
    QCOMPARE(characters, codePageCharacters);
    QCOMPARE(table.result().toHex(), codePageSha256);
}

void TestScoreFile::aNameNoTeamCanHaveIsFittedToOneItCan_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fitted");
    QTest::newRow("a usable name stays") << u" 믿음 (A) "_qs << u" 믿음 (A) "_qs;
    QTest::newRow("too long") << QString(150, u'가') << QString(100, u'가');
    QTest::newRow("a tab") << u"A\tB"_qs << u"AB"_qs;
    QTest::newRow("a semicolon") << u"A;B"_qs << u"AB"_qs;
    QTest::newRow("a replacement character") << u"A\uFFFD B"_qs << u"A B"_qs;
    QTest::newRow("a character outside the code page") << u"Café"_qs << u"Caf"_qs;
    QTest::newRow("long, with a tab first") << u"\t"_qs + QString(120, u'a') << QString(100, u'a');
}

void TestScoreFile::aNameNoTeamCanHaveIsFittedToOneItCan()
{
    QFETCH(QString, name);
    QFETCH(QString, fitted);
    QCOMPARE(TeamName::fitted(name), fitted);
    QVERIFY(TeamName::isUsable(TeamName::fitted(name)));
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_score_file.moc"
