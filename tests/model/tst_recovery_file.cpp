#include "game_limits.h"
#include "recovery_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimeZone>

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
    void onlyTheLatestStepsAreWritten();
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
        << RecoveredGame{{3, 500, {{u"\"따옴표\" \\ /"_qs, 1}, {u"(괄호)"_qs, 2}, {u"끝"_qs, 3}}},
                         SavedGame{u"\"x\""_qs, u"\"x\".scr"_qs}};
    QList<TeamStanding> eight;
    for (int i = 0; i < BoardRows; ++i)
        eight.append({i == 3 ? QString() : u"팀%1"_qs.arg(i), i});
    QTest::newRow("every row, one name empty") << RecoveredGame{{BoardRows, 500, eight}, std::nullopt};
    QTest::newRow("the longest name and game name")
        << RecoveredGame{{1, 1, {{QString(100, u'가'), 0}}},
                         SavedGame{QString(255, u'a'), QString(251, u'a') + u".scr"_qs}};
    GameHistory history;
    for (int i = 0; i < MaxRecoveredSteps; ++i)
        history.undoSteps.append({2, 500 + i, {{u"진리"_qs, i}, {u"Owls"_qs, -i}}});
    history.redoSteps.append({2, 900, {{u"진리"_qs, 9}, {u"Owls"_qs, 9}}});
    QTest::newRow("its last change and its history")
        << RecoveredGame{twoTeams().standings, std::nullopt,
                         QDateTime(QDate(2026, 12, 9), QTime(12, 40), Qt::UTC), history};
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
    // What the program never writes, it does not take either.
    QJsonArray nine;
    for (int i = 0; i <= BoardRows; ++i)
        nine.append(QJsonObject{{u"name"_qs, u"팀"_qs}, {u"score"_qs, i}});
    QTest::newRow("more teams than rows") << withField(u"teams"_qs, nine);
    QTest::newRow("no teams") << withField(u"teams"_qs, QJsonArray());
    QTest::newRow("a maximum of 0") << withField(u"maxScore"_qs, 0);
    QTest::newRow("a maximum below 0") << withField(u"maxScore"_qs, -500);
    const auto named = [](const QString &name) { return QJsonObject{{u"name"_qs, name}, {u"score"_qs, 5}}; };
    QTest::newRow("a name with a line break") << withTeam(named(u"A\n진리;9999"_qs));
    QTest::newRow("a name with a semicolon") << withTeam(named(u"A;B"_qs));
    QTest::newRow("a name with a control character") << withTeam(named(u"A\u0007"_qs));
    QTest::newRow("a name of 101 characters") << withTeam(named(QString(101, u'가')));
    QTest::newRow("a name the score file cannot carry") << withTeam(named(u"Café"_qs));
    QTest::newRow("a game name of 900,000 characters")
        << withField(u"savedGame"_qs, QJsonObject{{u"name"_qs, QString(900000, u'a')}, {u"fileName"_qs, u"x.scr"_qs}});
    QTest::newRow("a file name of 256 characters") << withSavedGame(QString(252, u'a') + u".scr"_qs);
    QTest::newRow("a date that is no date") << withField(u"changedAt"_qs, u"어제"_qs);
    QTest::newRow("a date as a number") << withField(u"changedAt"_qs, 5);
    QTest::newRow("steps that are no list") << withField(u"undo"_qs, 5);
    QTest::newRow("a step of no teams")
        << withField(u"undo"_qs, QJsonArray{QJsonObject{{u"maxScore"_qs, 500}, {u"teams"_qs, QJsonArray()}}});
    QTest::newRow("a step with a name the program refuses")
        << withField(u"redo"_qs, QJsonArray{QJsonObject{{u"maxScore"_qs, 500}, {u"teams"_qs, QJsonArray{named(u"a;b"_qs)}}}});
    QJsonArray tooMany;
    for (int i = 0; i <= MaxRecoveredSteps; ++i)
        tooMany.append(QJsonObject{{u"maxScore"_qs, 500}, {u"teams"_qs, QJsonArray{named(u"a"_qs)}}});
    QTest::newRow("more steps than are written") << withField(u"undo"_qs, tooMany);
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

void TestRecoveryFile::onlyTheLatestStepsAreWritten()
{
    RecoveredGame game = twoTeams();
    for (int i = 0; i < MaxRecoveredSteps + 20; ++i)
        game.history.undoSteps.append({2, 500 + i, {{u"a"_qs, i}, {u"b"_qs, 0}}});
    const auto read = parseRecoveryFile(recoveryFileBytes(game));
    QVERIFY(read);
    QCOMPARE(read->history.undoSteps, game.history.undoSteps.mid(20));
}

QTEST_GUILESS_MAIN(TestRecoveryFile)
#include "tst_recovery_file.moc"
