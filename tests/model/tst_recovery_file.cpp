#include "game_limits.h"
#include "recovery_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(RecoveredGame)

namespace {

RecoveredGame twoTeams()
{
    return {{2, 700, {{u"진리"_qs, 120}, {u"Owls"_qs, -5}}}, SavedGame{u"주일 저녁"_qs, u"주일 저녁.SCR"_qs}};
}

// A whole file of two teams with one field set to something else.
QByteArray withField(const QString &key, const QJsonValue &value)
{
    QJsonObject root = QJsonDocument::fromJson(recoveryFileBytes(twoTeams())).object();
    root.insert(key, value);
    return QJsonDocument(root).toJson();
}

QByteArray withTeam(const QJsonValue &team)
{
    return withField(u"teams"_qs, QJsonArray{QJsonObject{{u"name"_qs, u"진리"_qs}, {u"score"_qs, 1}}, team});
}

QByteArray withSavedGame(const QString &fileName)
{
    return withField(u"savedGame"_qs, QJsonObject{{u"name"_qs, u"x"_qs}, {u"fileName"_qs, fileName}});
}

} // namespace

class TestRecoveryFile : public QObject
{
    Q_OBJECT

private slots:
    void aGameComesBackAsItWasWritten_data();
    void aGameComesBackAsItWasWritten();
    void anythingButAWholeRecoveryFileIsIgnored_data();
    void anythingButAWholeRecoveryFileIsIgnored();
};

void TestRecoveryFile::aGameComesBackAsItWasWritten_data()
{
    QTest::addColumn<RecoveredGame>("game");
    QTest::newRow("a loaded game") << twoTeams();
    QTest::newRow("a new game, no saved game yet") << RecoveredGame{{1, 500, {{u"A팀"_qs, 0}}}, std::nullopt};
    QTest::newRow("scores at the ends of the range")
        << RecoveredGame{{2, std::numeric_limits<qint32>::max(),
                          {{u"min"_qs, std::numeric_limits<qint32>::min()},
                           {u"max"_qs, std::numeric_limits<qint32>::max()}}},
                         std::nullopt};
    QTest::newRow("names JSON must escape")
        << RecoveredGame{{3, 500, {{u"\"따옴표\" \\ /"_qs, 1}, {u"\t탭"_qs, 2}, {u"끝"_qs, 3}}},
                         SavedGame{u"\"x\""_qs, u"\"x\".scr"_qs}};
    QList<TeamStanding> eleven;
    for (int i = 0; i < TeamSlots; ++i)
        eleven.append({i == 3 ? QString() : u"팀%1"_qs.arg(i), i});
    QTest::newRow("every slot, one name empty") << RecoveredGame{{TeamSlots, 500, eleven}, std::nullopt};
}

void TestRecoveryFile::aGameComesBackAsItWasWritten()
{
    QFETCH(RecoveredGame, game);
    const QByteArray bytes = recoveryFileBytes(game);
    QCOMPARE(parseRecoveryFile(bytes), game);
    // Readable as it is: the names are there in UTF-8, not escaped.
    QVERIFY(bytes.contains(game.standings.teams.constLast().name.toUtf8()));
}

void TestRecoveryFile::anythingButAWholeRecoveryFileIsIgnored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray whole = recoveryFileBytes(twoTeams());
    QVERIFY(parseRecoveryFile(whole));

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short") << whole.left(whole.size() / 2);
    QTest::newRow("trailing junk") << whole + "}";
    QTest::newRow("not JSON") << QByteArray("3;500;50\r\n진리;120\r\n");
    QTest::newRow("a JSON array") << QByteArray("[1, 2]");
    QTest::newRow("another program's JSON") << QByteArray(R"({"teams": [], "maxScore": 500})");
    QTest::newRow("another format") << withField(u"format"_qs, u"zanto-scoreboard settings"_qs);
    QTest::newRow("a later version") << withField(u"version"_qs, 2);
    QTest::newRow("version as text") << withField(u"version"_qs, u"1"_qs);
    QTest::newRow("no maximum") << withField(u"maxScore"_qs, QJsonValue());
    QTest::newRow("fractional maximum") << withField(u"maxScore"_qs, 500.5);
    QTest::newRow("maximum beyond 32 bits") << withField(u"maxScore"_qs, 3e9);
    QTest::newRow("teams not a list") << withField(u"teams"_qs, u"진리"_qs);
    QJsonArray twelve;
    for (int i = 0; i <= TeamSlots; ++i)
        twelve.append(QJsonObject{{u"name"_qs, u"팀"_qs}, {u"score"_qs, i}});
    QTest::newRow("more teams than slots") << withField(u"teams"_qs, twelve);
    QTest::newRow("a team that is no object") << withTeam(5);
    QTest::newRow("a score as text") << withTeam(QJsonObject{{u"name"_qs, u"b"_qs}, {u"score"_qs, u"5"_qs}});
    QTest::newRow("a name as number") << withTeam(QJsonObject{{u"name"_qs, 5}, {u"score"_qs, 5}});
    QTest::newRow("a team without score") << withTeam(QJsonObject{{u"name"_qs, u"b"_qs}});
    QTest::newRow("a saved game that is no object") << withField(u"savedGame"_qs, u"x.scr"_qs);
    QTest::newRow("a saved game without file") << withField(u"savedGame"_qs, QJsonObject{{u"name"_qs, u"x"_qs}});
    // The next save would write outside the saved-games folder.
    QTest::newRow("file in the parent folder") << withSavedGame(u"../x.scr"_qs);
    QTest::newRow("file at an absolute path") << withSavedGame(u"/home/x.scr"_qs);
    QTest::newRow("file behind a backslash") << withSavedGame(u"..\\x.scr"_qs);
    QTest::newRow("hidden file") << withSavedGame(u".x.scr"_qs);
    QTest::newRow("not a score file") << withSavedGame(u"x.txt"_qs);
    QTest::newRow("control character in the file") << withSavedGame(u"x\n.scr"_qs);
    QByteArray badUtf8 = whole;
    badUtf8.replace(QByteArrayLiteral("Owls"), QByteArrayLiteral("Ow\xff\xfe"));
    QTest::newRow("invalid UTF-8") << badUtf8;
    QTest::newRow("larger than a recovery file can be")
        << whole.left(whole.size() - 2) + QByteArray(MaxRecoveryFileSize, ' ') + "}\n";
}

void TestRecoveryFile::anythingButAWholeRecoveryFileIsIgnored()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!parseRecoveryFile(bytes));
}

QTEST_GUILESS_MAIN(TestRecoveryFile)
#include "tst_recovery_file.moc"
