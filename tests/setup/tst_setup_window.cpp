#include "board_monitor.h"
#include "game_engine.h"
#include "game_setup.h"
#include "monitor_list.h"
#include "monitor_platform.h"
#include "saved_game_file.h"
#include "saved_games_folder.h"
#include "scripted_dialogs.h"
#include "setup_window.h"
#include "team_name.h"
#include "typing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Teams = QList<TeamStanding>;

class TestSetupWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // First: a picture read with format detection before it would already
    // have loaded the plug-ins.
    void paintingTheWindowLoadsNoImagePlugin();
    void aFreshWindowShowsTheDefaultTeamsAndHidesItsExtras();
    void theWindowIsAFixedDialog();
    void tabVisitsTheButtonsTheTeamsAndTheMonitorChoice();
    void startUpLeavesTheOpenGameAloneAndListsTheSavedGames();
    void oneMonitorChoosesTheBasicSettingAndKeepsTheRecordedGeometry();
    void thePresenterCanChangeTheMonitorChoice();

    void clickingATeamTogglesItAndOpensTheRenameBoxOverIt();
    void enterCommitsTheTypedCaptionAsTypedAndKeepsTheCheckState();
    void onlyEnterClosesTheRenameBox_data();
    void onlyEnterClosesTheRenameBox();
    void anAmpersandInACaptionIsKeptLiterally();
    void aNameTheFileCannotCarryKeepsTheRenameBoxOpen();
    void longCaptionsAreCutAtTheEndKeepingTheirScore_data();
    void longCaptionsAreCutAtTheEndKeepingTheirScore();
    void enterPressesTheFocusedButton();
    void theWindowOpensCentredOnThePrimaryScreen();

    void startPacksTheCheckedTeamsInBoxOrder();
    void startWithoutTeamsSaysSoAndKeepsTheWindowOpen();
    void aCheckedCaptionTakesASlotByWhatItHolds_data();
    void aCheckedCaptionTakesASlotByWhatItHolds();

    void savedGameModeFollowsTheButtonTable();
    void fetchAndDeleteStayDisabledUntilAnEntryIsClicked();
    void enteringSavedGameModeAgainKeepsTheSelection();
    void closeInTeamModeAsksToEndTheProgram();

    void savedGamesAreListedWithoutTheirLastExtensionInAnyCase();
    void loadingShowsTheSavedTeamsGrayedAndEmptiesTheOthers();
    void loadingAddressesTheListedFileWhateverItsCaseAndSpaces();
    void aSavedGameStartsWithItsCheckedTeamsMovedUp_data();
    void aSavedGameStartsWithItsCheckedTeamsMovedUp();
    void aClickOnAGrayedTeamUnchecksItAndTheNextChecksIt();
    void aLoadedTeamsLongestNameKeepsItsScoreThroughTheRenameBox_data();
    void aLoadedTeamsLongestNameKeepsItsScoreThroughTheRenameBox();
    void aGameThatCannotBeReadLeavesTheTeamsAlone();
    void replacingUnsavedStandingsAsksFirst_data();
    void replacingUnsavedStandingsAsksFirst();
    void aFetchedGameLeavesTheOpenGameAloneUntilItsStart();
    void aTeamsNameAndScoreAreDataNotReadBackFromItsCaption_data();
    void aTeamsNameAndScoreAreDataNotReadBackFromItsCaption();

    void deletingAsksFirstAndReadsTheListAgain();
    void aDeletionThatFailsSaysSo();

private:
    QCheckBox *team(int k) const { return m_window->findChild<QCheckBox *>(QStringLiteral("Team_%1").arg(k)); }
    QPushButton *cmd(int i) const { return m_window->findChild<QPushButton *>(QStringLiteral("Cmd_%1").arg(i)); }
    QLineEdit *renameBox() const { return m_window->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    QListWidget *list() const { return m_window->findChild<QListWidget *>(QStringLiteral("List1")); }
    QComboBox *combo() const { return m_window->findChild<QComboBox *>(QStringLiteral("Combo1")); }

    void clickTeam(int k) { QTest::mouseClick(team(k), Qt::LeftButton, {}, QPoint(7, 9)); }
    void clickEntry(int row)
    {
        QListWidget *entries = list();
        const QRect rect = entries->visualItemRect(entries->item(row));
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void rename(int k, const QString &caption)
    {
        clickTeam(k);
        renameBox()->setText(caption);
        QTest::keyClick(renameBox(), Qt::Key_Return);
    }
    void writeGame(const QString &fileName, qint32 maxScore, const Teams &teams)
    {
        QVERIFY(writeSavedGame(m_folder, fileName, maxScore, teams));
    }
    // The folder read again and shown in saved-game mode.
    void listSavedGames()
    {
        m_window->refreshSavedGames();
        m_window->showSavedGames();
    }
    // The saved games listed, then the first one fetched into the boxes.
    void fetchFirstGame()
    {
        listSavedGames();
        clickEntry(0);
        QTest::mouseClick(cmd(0), Qt::LeftButton);
    }
    void reopen()
    {
        m_window = std::make_unique<SetupWindow>(*m_engine, m_folder, m_boardMonitor, m_dialogs,
                                                 defaultMonitorPlatform());
        m_window->startUp();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<GameEngine> m_engine;
    SavedGamesFolder m_folder;
    BoardMonitor m_boardMonitor;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<SetupWindow> m_window;
};

void TestSetupWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_engine = std::make_unique<GameEngine>();
    m_folder = SavedGamesFolder(m_dir->path());
    m_boardMonitor = BoardMonitor{};
    m_dialogs = ScriptedDialogs{};
    reopen();
}

void TestSetupWindow::cleanup()
{
    m_window.reset();
    QCOMPARE(m_dialogs.inputPrompts, QStringList()); // the setup window never asks for text
}

void TestSetupWindow::paintingTheWindowLoadsNoImagePlugin()
{
#ifndef Q_OS_LINUX
    QSKIP("reads the process's mappings from /proc");
#endif
    m_window->setTeamState(0, Qt::Checked);
    m_window->setTeamState(1, Qt::PartiallyChecked);
    m_window->repaint();
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("/imageformats/"));
}

void TestSetupWindow::aFreshWindowShowsTheDefaultTeamsAndHidesItsExtras()
{
    const QStringList defaults = {u"믿음"_qs, u"소망"_qs, u"사랑"_qs, u"은혜"_qs,
                                  u"말씀"_qs, u"온유"_qs, u"지혜"_qs, u"진리"_qs};
    int lastTop = -1;
    for (int k = 0; k < SetupWindow::TeamBoxes; ++k) {
        QCOMPARE(team(k)->text(), defaults[k]);
        QCOMPARE(team(k)->checkState(), Qt::Unchecked);
        QVERIFY(team(k)->y() > lastTop); // 믿음 at the top
        lastTop = team(k)->y();
    }
    QVERIFY(renameBox()->isHidden());
    QVERIFY(list()->isHidden());
    QVERIFY(cmd(3)->isHidden());
    QVERIFY(!cmd(3)->isEnabled());
    QCOMPARE(cmd(0)->text(), u"시작"_qs);
    QCOMPARE(cmd(1)->text(), u"불러오기"_qs);
    QCOMPARE(cmd(2)->text(), u"닫기"_qs);
    QCOMPARE(combo()->count(), 2);
    QCOMPARE(combo()->itemText(0), u"기본모니터"_qs);
    QCOMPARE(combo()->itemText(1), u"듀얼모니터"_qs);

    // Before its start-up the monitor choice is empty.
    SetupWindow unstarted(*m_engine, m_folder, m_boardMonitor, m_dialogs, defaultMonitorPlatform());
    QCOMPARE(unstarted.findChild<QComboBox *>(QStringLiteral("Combo1"))->currentText(), QString());
}

void TestSetupWindow::theWindowIsAFixedDialog()
{
    QCOMPARE(m_window->windowTitle(), u"Zanto 점수판"_qs);
    QCOMPARE(m_window->size(), QSize(396, 292));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

void TestSetupWindow::tabVisitsTheButtonsTheTeamsAndTheMonitorChoice()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    cmd(0)->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // The hidden rename box, list and "삭제" are passed over.
    QCOMPARE(visited, (QStringList{u"Cmd_1"_qs, u"Cmd_2"_qs, u"Team_0"_qs, u"Team_1"_qs,
                                   u"Team_2"_qs, u"Team_3"_qs, u"Team_4"_qs, u"Team_5"_qs,
                                   u"Team_6"_qs, u"Team_7"_qs, u"Combo1"_qs, u"Cmd_0"_qs}));
}

void TestSetupWindow::startUpLeavesTheOpenGameAloneAndListsTheSavedGames()
{
    writeGame(u"월요일.scr"_qs, 600, {{u"진리"_qs, 10}});
    setUpGame(*m_engine, {}, 900);
    m_engine->setSavedGame(SavedGame::named(u"지난 게임"_qs));
    reopen();
    // Opened from the board and closed again, the window changed nothing.
    QCOMPARE(m_engine->maxScore(), 900);
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(SavedGame::named(u"지난 게임"_qs)));
    // A game it starts is a new game.
    clickTeam(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->maxScore(), 500);
    QVERIFY(!m_engine->savedGame());
    reopen();
    QCOMPARE(list()->count(), 1);
    QCOMPARE(list()->item(0)->text(), u"월요일"_qs);
    QCOMPARE(m_window->savedGames(), (QList<SavedGame>{{u"월요일"_qs, u"월요일.scr"_qs}}));
}

void TestSetupWindow::oneMonitorChoosesTheBasicSettingAndKeepsTheRecordedGeometry()
{
    m_boardMonitor = {true, 0, 7, 8, 9, 10};
    reopen();
    QCOMPARE(m_boardMonitor.monitorCount, 1);
    QCOMPARE(combo()->currentText(), u"기본모니터"_qs);
    QVERIFY(!m_boardMonitor.useMonitor);
    QCOMPARE(QRect(m_boardMonitor.left, m_boardMonitor.top, m_boardMonitor.width, m_boardMonitor.height),
             QRect(7, 8, 9, 10));
    // The start-up detected the monitors into a list of the window's own.
    QVERIFY(m_window->monitorList());
    QCOMPARE(m_window->monitorList()->monitors().count(), 1);
}

void TestSetupWindow::thePresenterCanChangeTheMonitorChoice()
{
    combo()->setFocus();
    QTest::keyClick(combo(), Qt::Key_Down);
    QCOMPARE(combo()->currentIndex(), 1);
    QVERIFY(m_boardMonitor.useMonitor);
    QTest::keyClick(combo(), Qt::Key_Up);
    QVERIFY(!m_boardMonitor.useMonitor);

    // Code that selects an item runs the choice's handling at once.
    m_window->selectMonitorChoice(1);
    QVERIFY(m_boardMonitor.useMonitor);
}

void TestSetupWindow::clickingATeamTogglesItAndOpensTheRenameBoxOverIt()
{
    clickTeam(4);
    QCOMPARE(team(4)->checkState(), Qt::Checked);
    QVERIFY(renameBox()->isVisible());
    QCOMPARE(renameBox()->y(), team(4)->y());
    QCOMPARE(renameBox()->text(), u"말씀"_qs);

    // The second click undoes the toggle and opens the box again.
    renameBox()->hide();
    clickTeam(4);
    QCOMPARE(team(4)->checkState(), Qt::Unchecked);
    QVERIFY(renameBox()->isVisible());

    // A click on another team moves the box there with that team's caption.
    clickTeam(7);
    QCOMPARE(renameBox()->y(), team(7)->y());
    QCOMPARE(renameBox()->text(), u"진리"_qs);
}

void TestSetupWindow::enterCommitsTheTypedCaptionAsTypedAndKeepsTheCheckState()
{
    clickTeam(2);
    QVERIFY(renameBox()->hasFocus());
    typeText(renameBox(), u" 새벽팀 "_qs); // replaces the selected caption
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QCOMPARE(m_window->teamCaption(2), u" 새벽팀 "_qs);
    QCOMPARE(team(2)->text(), u" 새벽팀 "_qs);
    QVERIFY(renameBox()->isHidden());
    QCOMPARE(team(2)->checkState(), Qt::Checked);
}

void TestSetupWindow::onlyEnterClosesTheRenameBox_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Return") << Qt::Key_Return << true;
    QTest::newRow("keypad Enter") << Qt::Key_Enter << true;
    QTest::newRow("Escape") << Qt::Key_Escape << false;
    QTest::newRow("Tab") << Qt::Key_Tab << false;
}

void TestSetupWindow::onlyEnterClosesTheRenameBox()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, closes);
    clickTeam(3);
    renameBox()->clear();
    QTest::keyClick(renameBox(), key);
    QCOMPARE(renameBox()->isHidden(), closes);
    QVERIFY(m_window->isVisible());
    // An empty text gives an empty caption.
    QCOMPARE(m_window->teamCaption(3), closes ? QString() : u"은혜"_qs);
}

void TestSetupWindow::anAmpersandInACaptionIsKeptLiterally()
{
    clickTeam(0);
    QTest::keyClicks(renameBox(), u"A&B"_qs);
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QCOMPARE(m_window->teamCaption(0), u"A&B"_qs);
    QCOMPARE(team(0)->text(), u"A&&B"_qs);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->teamName(0), u"A&B"_qs);
}

void TestSetupWindow::startPacksTheCheckedTeamsInBoxOrder()
{
    // Slots an earlier game left with scores and pending points.
    setUpGame(*m_engine, {{QString(), 100}, {QString(), 101}, {QString(), 102}, {QString(), 103}, {QString(), 104}});
    for (int i = 0; i < 5; ++i)
        addPendingPoints(*m_engine, i, 10 + i);
    m_engine->startGame({});
    QSignalSpy closing(m_window.get(), &SetupWindow::boardCloseRequested);
    QSignalSpy starting(m_window.get(), &SetupWindow::gameStartRequested);
    clickTeam(6);
    clickTeam(1);
    clickTeam(4);
    QTest::mouseClick(cmd(0), Qt::LeftButton);

    QCOMPARE(m_engine->announcedTeamCount(), 3);
    const QStringList names = {u"소망"_qs, u"말씀"_qs, u"지혜"_qs};
    for (int s = 0; s < 3; ++s) {
        QCOMPARE(m_engine->teamName(s), names[s]);
        QCOMPARE(m_engine->score(s), 0);
        QCOMPARE(m_engine->pendingPoints(s), 0);
    }
    // Beyond the game: untouched.
    QCOMPARE(m_engine->score(3), 103);
    QCOMPARE(m_engine->pendingPoints(3), 13);
    QCOMPARE(closing.count(), 1);
    QCOMPARE(starting.count(), 1);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestSetupWindow::startWithoutTeamsSaysSoAndKeepsTheWindowOpen()
{
    setUpGame(*m_engine, numberedTeams({0, 0, 0, 0}));
    QSignalSpy closing(m_window.get(), &SetupWindow::boardCloseRequested);
    QSignalSpy starting(m_window.get(), &SetupWindow::gameStartRequested);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList{u"팀을 선택하여 주십시요"_qs});
    QCOMPARE(m_engine->announcedTeamCount(), 0);
    QCOMPARE(closing.count(), 1); // a shown board closes all the same
    QCOMPARE(starting.count(), 0);
    QVERIFY(m_window->isVisible());
}

void TestSetupWindow::aCheckedCaptionTakesASlotByWhatItHolds_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Teams>("teams");
    // Box 2 holds the caption; box 5 keeps "온유". Slot 2 holds 42 points and
    // slot 5 holds 7, as a load would have left them.
    QTest::newRow("a plain name plays from zero")
        << u" 새벽 "_qs << Teams{{u" 새벽 "_qs, 0}, {u"온유"_qs, 0}};
    QTest::newRow("a blank caption takes no slot")
        << u"   "_qs << Teams{{u"온유"_qs, 0}};
    QTest::newRow("an empty caption takes no slot") << QString() << Teams{{u"온유"_qs, 0}};
    // Typed names are names: a "(" in one once made it a saved team with
    // the score an earlier game left in its slot.
    QTest::newRow("a parenthesis is part of a new team's name")
        << u"A팀(1)"_qs << Teams{{u"A팀(1)"_qs, 0}, {u"온유"_qs, 0}};
    QTest::newRow("a leading parenthesis too")
        << u"(없음)"_qs << Teams{{u"(없음)"_qs, 0}, {u"온유"_qs, 0}};
    QTest::newRow("a caption that looks saved") << u"New (1점)"_qs << Teams{{u"New (1점)"_qs, 0}, {u"온유"_qs, 0}};
}

void TestSetupWindow::aCheckedCaptionTakesASlotByWhatItHolds()
{
    QFETCH(QString, caption);
    QFETCH(Teams, teams);
    setUpGame(*m_engine, {{u"지난번 팀"_qs, 0}, {}, {QString(), 42}, {}, {}, {QString(), 7}});
    rename(2, caption);
    clickTeam(5);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->standings().teams, teams);
    QCOMPARE(m_engine->announcedTeamCount(), qint32(teams.size()));
}

void TestSetupWindow::savedGameModeFollowsTheButtonTable()
{
    writeGame(u"게임.scr"_qs, 500, {{u"진리"_qs, 1}});
    m_window->refreshSavedGames();

    QTest::mouseClick(cmd(1), Qt::LeftButton);
    QVERIFY(m_window->inSavedGameMode());
    QVERIFY(list()->isVisible());
    QCOMPARE(cmd(0)->text(), u"가져오기"_qs);
    QVERIFY(!cmd(0)->isEnabled());
    QCOMPARE(cmd(1)->text(), u"불러오기"_qs);
    QCOMPARE(cmd(2)->text(), u"돌아가기"_qs);
    QVERIFY(cmd(3)->isVisible());
    QCOMPARE(cmd(3)->text(), u"삭제"_qs);
    QVERIFY(!cmd(3)->isEnabled());

    clickEntry(0);
    QVERIFY(cmd(0)->isEnabled());
    QVERIFY(cmd(3)->isEnabled());

    // Pressed again it disables "가져오기" until the next click.
    QTest::mouseClick(cmd(1), Qt::LeftButton);
    QVERIFY(m_window->inSavedGameMode());
    QVERIFY(!cmd(0)->isEnabled());

    QTest::mouseClick(cmd(2), Qt::LeftButton);
    QVERIFY(!m_window->inSavedGameMode());
    QVERIFY(list()->isHidden());
    QCOMPARE(cmd(0)->text(), u"시작"_qs);
    QVERIFY(cmd(0)->isEnabled());
    QCOMPARE(cmd(2)->text(), u"닫기"_qs);
    QVERIFY(cmd(3)->isHidden());

    m_window->showSavedGames();
    QVERIFY(m_window->inSavedGameMode());
}

void TestSetupWindow::fetchAndDeleteStayDisabledUntilAnEntryIsClicked()
{
    m_window->showSavedGames();
    QCOMPARE(list()->count(), 0);
    QVERIFY(!cmd(0)->isEnabled());
    QVERIFY(!cmd(3)->isEnabled());
    // Even when pressed from code, they do nothing without an entry.
    m_window->startOrFetch();
    m_window->deleteSelectedGame();
    QVERIFY(m_window->inSavedGameMode());
    QCOMPARE(m_dialogs.questions, QStringList());
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestSetupWindow::enteringSavedGameModeAgainKeepsTheSelection()
{
    writeGame(u"a.scr"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(u"b.scr"_qs, 500, {{u"지혜"_qs, 2}});
    listSavedGames();
    clickEntry(1);
    QTest::mouseClick(cmd(2), Qt::LeftButton);

    // A game saved meanwhile shows up only in the next setup window.
    writeGame(u"c.scr"_qs, 500, {{u"사랑"_qs, 3}});
    m_window->showSavedGames();
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->currentRow(), 1);
    QVERIFY(!cmd(0)->isEnabled());
    QVERIFY(cmd(3)->isEnabled());
}

void TestSetupWindow::closeInTeamModeAsksToEndTheProgram()
{
    QSignalSpy ending(m_window.get(), &SetupWindow::endRequested);
    m_window->showSavedGames();
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 돌아가기
    QCOMPARE(ending.count(), 0);
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 닫기
    QCOMPARE(ending.count(), 1);
}

void TestSetupWindow::savedGamesAreListedWithoutTheirLastExtensionInAnyCase()
{
    writeGame(u"a.scr.scr"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(u"GAME.SCR"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(u"메모.txt"_qs, 500, {{u"진리"_qs, 1}});
    QVERIFY(QDir(m_folder.path()).mkdir(u"폴더.scr"_qs));
    m_window->refreshSavedGames();
    QStringList shown;
    for (int i = 0; i < list()->count(); ++i)
        shown.append(list()->item(i)->text());
    shown.sort();
    QCOMPARE(shown, (QStringList{u"GAME"_qs, u"a.scr"_qs}));
}

void TestSetupWindow::loadingShowsTheSavedTeamsGrayedAndEmptiesTheOthers()
{
    writeGame(u"저녁.scr"_qs, 700, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}, {u"믿음"_qs, 5}});
    clickTeam(5); // checked before the load, stays checked
    fetchFirstGame();

    QVERIFY(!m_window->inSavedGameMode());
    QVERIFY(renameBox()->isHidden());
    const QStringList captions = {u"진리(120점)"_qs, u"지혜(80점)"_qs, u"믿음(5점)"_qs};
    for (int k = 0; k < SetupWindow::TeamBoxes; ++k) {
        QCOMPARE(m_window->teamCaption(k), captions.value(k));
        if (k < 3)
            QCOMPARE(team(k)->checkState(), Qt::PartiallyChecked);
    }
    QCOMPARE(team(5)->checkState(), Qt::Checked);
    QCOMPARE(team(6)->checkState(), Qt::Unchecked);
    QCOMPARE(m_dialogs.messages, QStringList());
    // The game comes with its start.
    QVERIFY(!m_engine->savedGame());
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QVERIFY(m_engine->savedGame());
    QCOMPARE(m_engine->savedGame()->name, u"저녁"_qs);
    QCOMPARE(m_engine->maxScore(), 700);
    QCOMPARE(m_engine->announcedTeamCount(), 3);
}

void TestSetupWindow::loadingAddressesTheListedFileWhateverItsCaseAndSpaces()
{
    writeGame(u" 앞공백.SCR"_qs, 500, {{u"소망"_qs, 33}});
    listSavedGames();
    QCOMPARE(list()->item(0)->text(), u" 앞공백"_qs);
    clickEntry(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList());
    QCOMPARE(m_window->teamCaption(0), u"소망(33점)"_qs);
    // Later saves go to that very file.
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->savedGame().value_or(SavedGame{}), (SavedGame{u" 앞공백"_qs, u" 앞공백.SCR"_qs}));
}

void TestSetupWindow::aSavedGameStartsWithItsCheckedTeamsMovedUp_data()
{
    QTest::addColumn<int>("unchecked");
    QTest::addColumn<Teams>("teams");
    QTest::newRow("all kept") << -1 << Teams{{u"진리"_qs, 120}, {u"지혜"_qs, 80}, {u"믿음"_qs, 5}};
    QTest::newRow("first unchecked") << 0 << Teams{{u"지혜"_qs, 80}, {u"믿음"_qs, 5}};
    QTest::newRow("middle unchecked") << 1 << Teams{{u"진리"_qs, 120}, {u"믿음"_qs, 5}};
}

void TestSetupWindow::aSavedGameStartsWithItsCheckedTeamsMovedUp()
{
    QFETCH(int, unchecked);
    QFETCH(Teams, teams);
    writeGame(u"g.scr"_qs, 500, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}, {u"믿음"_qs, 5}});
    fetchFirstGame();
    if (unchecked >= 0)
        clickTeam(unchecked);
    m_engine->renameTeam(0, u"지난 이름"_qs); // standings not saved
    m_dialogs.askAnswers = {true};
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.questions, QStringList{u"저장하지 않은 점수가 있습니다. 계속할까요?"_qs});
    QCOMPARE(m_engine->announcedTeamCount(), qint32(teams.size()));
    QCOMPARE(m_engine->standings().teams, teams);
    for (int s = 0; s < teams.size(); ++s)
        QCOMPARE(m_engine->pendingPoints(s), 0);
    QVERIFY(!m_engine->hasUnsavedStandings()); // nothing to lose at a start
}

void TestSetupWindow::aClickOnAGrayedTeamUnchecksItAndTheNextChecksIt()
{
    m_window->setTeamState(2, Qt::PartiallyChecked);
    QVERIFY(renameBox()->isVisible()); // the state change ran the team's click handling
    QCOMPARE(renameBox()->y(), team(2)->y());
    clickTeam(2);
    QCOMPARE(team(2)->checkState(), Qt::Unchecked);
    clickTeam(2);
    QCOMPARE(team(2)->checkState(), Qt::Checked);
    clickTeam(2);
    QCOMPARE(team(2)->checkState(), Qt::Unchecked);
}

void TestSetupWindow::aLoadedTeamsLongestNameKeepsItsScoreThroughTheRenameBox_data()
{
    // The rename box once cut "name(120점)" at 100 characters, and Enter
    // made the team a new one with 0 points.
    const QString longest(TeamName::MaxLength, QChar(0xAC00));
    const QString other(TeamName::MaxLength, QChar(0xAC01));
    QTest::addColumn<QString>("typed"); // null: Enter on the caption as it opened
    QTest::addColumn<bool>("taken");
    QTest::addColumn<Teams>("teams");
    QTest::newRow("Enter on the loaded caption") << QString() << true << Teams{{longest, 120}};
    QTest::newRow("another name of 100 characters")
        << other + u"(120점)"_qs << true << Teams{{other, 120}};
    QTest::newRow("a name of 101 characters")
        << other + u"가(120점)"_qs << false << Teams{{longest, 120}};
}

void TestSetupWindow::aLoadedTeamsLongestNameKeepsItsScoreThroughTheRenameBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(Teams, teams);
    const QString caption = QString(TeamName::MaxLength, QChar(0xAC00)) + u"(120점)"_qs;
    writeGame(u"긴 이름.scr"_qs, 500, {{QString(TeamName::MaxLength, QChar(0xAC00)), 120}});
    fetchFirstGame();
    clickTeam(0);
    clickTeam(0); // grayed, then unchecked, then checked
    QCOMPARE(renameBox()->text(), caption);
    if (!typed.isNull())
        renameBox()->setText(typed); // pasted
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QCOMPARE(renameBox()->isVisible(), !taken);
    QCOMPARE(m_window->teamCaption(0), taken && !typed.isNull() ? typed : caption);
    renameBox()->hide();
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->standings().teams, teams);
}

void TestSetupWindow::aGameThatCannotBeReadLeavesTheTeamsAlone()
{
    QVERIFY(TestFiles::writeAll(m_folder.filePath({QString(), u"깨짐.scr"_qs}), "no header here\r\n"));
    clickTeam(1);
    fetchFirstGame();
    QCOMPARE(m_dialogs.messages, QStringList{u"저장된 게임을 불러오지 못했습니다\n깨짐"_qs});
    QVERIFY(!m_window->inSavedGameMode());
    QCOMPARE(m_window->teamCaption(0), u"믿음"_qs);
    QCOMPARE(team(1)->checkState(), Qt::Checked);
    QVERIFY(!m_engine->savedGame());
}

void TestSetupWindow::deletingAsksFirstAndReadsTheListAgain()
{
    writeGame(u"a.scr"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(u"b.scr"_qs, 500, {{u"지혜"_qs, 2}});
    listSavedGames();
    clickEntry(1);
    const QString a = m_folder.filePath(SavedGame::named(u"a"_qs));
    const QString b = m_folder.filePath(SavedGame::named(u"b"_qs));

    m_dialogs.askAnswers = {false};
    QTest::mouseClick(cmd(3), Qt::LeftButton);
    QCOMPARE(m_dialogs.questions, QStringList{u"선택한 게임을 삭제할까요?\nb"_qs});
    QVERIFY(QFile::exists(b));
    QCOMPARE(list()->count(), 2);

    m_dialogs.askAnswers = {true};
    QTest::mouseClick(cmd(3), Qt::LeftButton);
    QVERIFY(!QFile::exists(b));
    QVERIFY(QFile::exists(a));
    QCOMPARE(list()->count(), 1);
    QVERIFY(list()->selectedItems().isEmpty());
    QVERIFY(!cmd(0)->isEnabled());
    QVERIFY(!cmd(3)->isEnabled());
    QVERIFY(m_window->inSavedGameMode());
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestSetupWindow::aDeletionThatFailsSaysSo()
{
    writeGame(u"a.scr"_qs, 500, {{u"진리"_qs, 1}});
    listSavedGames();
    clickEntry(0);
    QVERIFY(QFile::remove(m_folder.filePath(SavedGame::named(u"a"_qs)))); // gone behind the list's back
    m_dialogs.askAnswers = {true};
    QTest::mouseClick(cmd(3), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList{u"삭제하지 못했습니다\na"_qs});
    QCOMPARE(list()->count(), 0);
}


void TestSetupWindow::aNameTheFileCannotCarryKeepsTheRenameBoxOpen()
{
    clickTeam(0);
    QCOMPARE(renameBox()->maxLength(), 100);
    renameBox()->setText(u"A\nFAKE;9999"_qs); // pasted
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QVERIFY(renameBox()->isVisible());
    QCOMPARE(m_window->teamCaption(0), u"믿음"_qs);
    renameBox()->setText(u"Café"_qs); // no place in code page 949
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QVERIFY(renameBox()->isVisible());
    renameBox()->setText(u"새벽"_qs);
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QCOMPARE(m_window->teamCaption(0), u"새벽"_qs);
}

void TestSetupWindow::longCaptionsAreCutAtTheEndKeepingTheirScore_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("kept");
    QTest::newRow("short") << u"진리(120점)"_qs << u"진리(120점)"_qs;
    QTest::newRow("a long new team") << u"The Quiz Masters of Seoul and Busan"_qs << QString();
    QTest::newRow("a long loaded team") << u"가장 길고 긴 이름을 가진 우리 팀(1234567점)"_qs << u"(1234567점)"_qs;
}

void TestSetupWindow::longCaptionsAreCutAtTheEndKeepingTheirScore()
{
    QFETCH(QString, caption);
    QFETCH(QString, kept);
    const qsizetype open = caption.lastIndexOf(u'(');
    SetupTeam held{caption, std::nullopt, QString()};
    if (caption.endsWith(u"점)"_qs))
        held = {caption.left(open), 1, caption.mid(open + 1).chopped(2)};
    m_window->setTeam(0, held);
    QCOMPARE(m_window->teamCaption(0), caption);
    const QString shown = team(0)->text();
    if (kept == caption) {
        QCOMPARE(shown, caption);
        return;
    }
    QVERIFY(shown.endsWith(kept));
    QVERIFY(shown.chopped(kept.size()).endsWith(u'…'));
    QVERIFY(QFontMetrics(team(0)->font()).horizontalAdvance(shown) <= team(0)->width() - 20);
    QCOMPARE(team(0)->toolTip(), caption);
}

void TestSetupWindow::enterPressesTheFocusedButton()
{
    QSignalSpy end(m_window.get(), &SetupWindow::endRequested);
    cmd(1)->setFocus();
    QTest::keyClick(cmd(1), Qt::Key_Return);
    QVERIFY(m_window->inSavedGameMode());
    cmd(2)->setFocus();
    QTest::keyClick(cmd(2), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!m_window->inSavedGameMode());
    QCOMPARE(end.count(), 0);
}

void TestSetupWindow::theWindowOpensCentredOnThePrimaryScreen()
{
    // Also when it comes back from a board on the projector.
    m_window->hide();
    m_window->move(5000, 5000);
    m_window->show();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(m_window->frameGeometry().center().x() - area.center().x()) <= 1);
    QVERIFY(qAbs(m_window->frameGeometry().center().y() - area.center().y()) <= 1);
}

void TestSetupWindow::replacingUnsavedStandingsAsksFirst_data()
{
    QTest::addColumn<bool>("fetch");
    QTest::addColumn<bool>("agree");
    QTest::newRow("fetch, no") << true << false;
    QTest::newRow("fetch, yes") << true << true;
    QTest::newRow("start, no") << false << false;
    QTest::newRow("start, yes") << false << true;
}

void TestSetupWindow::replacingUnsavedStandingsAsksFirst()
{
    QFETCH(bool, fetch);
    QFETCH(bool, agree);
    writeGame(u"g.scr"_qs, 700, {{u"진리"_qs, 120}});
    m_engine->startGame({{u"지난 팀"_qs, 40}});
    m_engine->enterPoints(0, u"30"_qs); // the open game's round in flight
    QSignalSpy boardClosed(m_window.get(), &SetupWindow::boardCloseRequested);
    m_dialogs.askAnswers = {agree};
    if (fetch) {
        fetchFirstGame(); // asks nothing: the open game stays as it is
        QCOMPARE(m_dialogs.questions, QStringList());
    } else {
        clickTeam(1);
    }
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.questions, QStringList{u"저장하지 않은 점수가 있습니다. 계속할까요?"_qs});
    QCOMPARE(m_dialogs.questionDefaults, QList<Dialogs::DefaultAnswer>{Dialogs::DefaultAnswer::No});
    if (!agree) {
        QCOMPARE(m_engine->teamName(0), u"지난 팀"_qs);
        QCOMPARE(m_engine->pendingPoints(0), 30);
        QCOMPARE(boardClosed.count(), 0);
        return;
    }
    QCOMPARE(m_engine->teamName(0), fetch ? u"진리"_qs : u"소망"_qs);
    QCOMPARE(boardClosed.count(), 1);
}

void TestSetupWindow::aFetchedGameLeavesTheOpenGameAloneUntilItsStart()
{
    writeGame(u"결승.scr"_qs, 900, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}});
    setUpGame(*m_engine, numberedTeams({10, 20, 30}), 600);
    m_engine->setSavedGame(SavedGame::named(u"지금 게임"_qs));
    const Standings before = m_engine->standings();
    QSignalSpy standings(m_engine.get(), &GameEngine::standingsChanged);
    QSignalSpy maximum(m_engine.get(), &GameEngine::maxScoreChanged);
    QSignalSpy savedGame(m_engine.get(), &GameEngine::savedGameChanged);
    QSignalSpy replaced(m_engine.get(), &GameEngine::gameReplaced);
    QSignalSpy boardClosed(m_window.get(), &SetupWindow::boardCloseRequested);

    fetchFirstGame();
    QCOMPARE(m_window->teamCaption(0), u"진리(120점)"_qs);
    // The board draws from the engine: nothing reached it.
    QCOMPARE(m_engine->standings(), before);
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(SavedGame::named(u"지금 게임"_qs)));
    QCOMPARE(standings.count() + maximum.count() + savedGame.count() + replaced.count(), 0);
    QCOMPARE(boardClosed.count(), 0);

    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->standings(), (Standings{2, 900, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}}}));
    QCOMPARE(m_engine->savedGame(), std::optional<SavedGame>(SavedGame::named(u"결승"_qs)));
    QCOMPARE(replaced.count(), 1);
}

void TestSetupWindow::aTeamsNameAndScoreAreDataNotReadBackFromItsCaption_data()
{
    QTest::addColumn<Teams>("saved"); // none: the default teams, renamed
    QTest::addColumn<QString>("typed"); // for box 0; null: not renamed
    QTest::addColumn<Teams>("started");
    const Teams none;
    QTest::newRow("a renamed default team with a parenthesis starts at 0")
        << none << u"New (1)"_qs << Teams{{u"New (1)"_qs, 0}};
    QTest::newRow("saved names with parentheses come back whole")
        << Teams{{u"Kim (A)"_qs, 10}, {u"팀(2)"_qs, 20}} << QString()
        << Teams{{u"Kim (A)"_qs, 10}, {u"팀(2)"_qs, 20}};
    // A name written elsewhere that no team can have: the nearest one it
    // can, which a save and a recovery keep whole.
    QTest::newRow("a saved name of 150 characters")
        << Teams{{QString(150, u'가'), 7}} << QString() << Teams{{QString(100, u'가'), 7}};
    QTest::newRow("a saved name that looks like a caption")
        << Teams{{u"A(5점)"_qs, 7}} << QString() << Teams{{u"A(5점)"_qs, 7}};
    QTest::newRow("a saved team renamed, keeping its score's part")
        << Teams{{u"Kim (A)"_qs, 10}} << u"Kim (B)(10점)"_qs << Teams{{u"Kim (B)"_qs, 10}};
    QTest::newRow("a saved team renamed without it is a new team")
        << Teams{{u"Kim (A)"_qs, 10}} << u"Kim (B)"_qs << Teams{{u"Kim (B)"_qs, 0}};
}

void TestSetupWindow::aTeamsNameAndScoreAreDataNotReadBackFromItsCaption()
{
    QFETCH(Teams, saved);
    QFETCH(QString, typed);
    QFETCH(Teams, started);
    // The slot an earlier round left 250 points in.
    setUpGame(*m_engine, {{u"지난번"_qs, 250}});
    if (saved.isEmpty()) {
        clickTeam(0);
    } else {
        writeGame(u"g.scr"_qs, 500, saved);
        fetchFirstGame();
    }
    if (!typed.isNull()) {
        clickTeam(0);
        clickTeam(0); // back to checked
        renameBox()->setText(typed);
        QTest::keyClick(renameBox(), Qt::Key_Return);
        QVERIFY(renameBox()->isHidden());
    }
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_engine->standings().teams, started);
}

QTEST_MAIN(TestSetupWindow)
#include "tst_setup_window.moc"
