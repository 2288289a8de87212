#include "frm_logo.h"
#include "game_state.h"
#include "monitor_platform.h"
#include "score_file.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct TeamLine
{
    QString name;
    qint32 score;
};

// A saved game written the way the board writes one.
void writeGame(const QString &path, qint32 maxScore, const QList<TeamLine> &teams)
{
    Module1 game;
    game.Max_Score = maxScore;
    game.Team_Count = static_cast<qint32>(teams.size());
    for (int i = 0; i < teams.size(); ++i) {
        game.Team_Name.set(i, teams[i].name);
        game.Team_Score.set(i, teams[i].score);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(scoreFileBytes(game));
}

// Types text the way a keyboard with an input method does: QTest::keyClicks
// only knows Latin-1.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

class TestFrmLogo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aFreshWindowShowsTheDefaultTeamsAndHidesItsExtras();
    void theWindowIsAFixedDialog();
    void tabVisitsTheButtonsTheTeamsAndTheMonitorChoice();
    void startUpResetsTheGameAndListsTheSavedGames();
    void oneMonitorChoosesTheBasicSettingAndKeepsTheRecordedGeometry();
    void thePresenterCanChangeTheMonitorChoice();

    void clickingATeamTogglesItAndOpensTheRenameBoxOverIt();
    void enterCommitsTheTypedCaptionAsTypedAndKeepsTheCheckState();
    void onlyEnterClosesTheRenameBox();
    void anAmpersandInACaptionIsKeptLiterally();

    void startPacksTheCheckedTeamsInBoxOrder();
    void startWithoutTeamsSaysSoAndKeepsTheWindowOpen();
    void aCheckedTeamWithABlankCaptionTakesNoSlot();
    void aTypedCaptionWithAParenthesisCountsAsASavedTeam();

    void savedGameModeFollowsTheButtonTable();
    void fetchAndDeleteStayDisabledUntilAnEntryIsClicked();
    void enteringSavedGameModeAgainKeepsTheSelection();
    void closeInTeamModeAsksToEndTheProgram();

    void savedGamesAreListedWithoutTheirLastExtensionInAnyCase();
    void loadingShowsTheSavedTeamsGrayedAndEmptiesTheOthers();
    void loadingAddressesTheListedFileWhateverItsCaseAndSpaces();
    void aSavedGameKeepsItsSlotsAndScoresAtStart();
    void aSavedGameWithItsFirstTeamUncheckedMovesTheOthersUp();
    void aClickOnAGrayedTeamUnchecksItAndTheNextChecksIt();
    void aGameThatCannotBeReadLeavesTheTeamsAlone();

    void deletingAsksFirstAndReadsTheListAgain();
    void aDeletionThatFailsSaysSo();

private:
    QCheckBox *team(int k) const { return m_window->findChild<QCheckBox *>(QStringLiteral("Team_%1").arg(k)); }
    QPushButton *cmd(int i) const { return m_window->findChild<QPushButton *>(QStringLiteral("Cmd_%1").arg(i)); }
    QLineEdit *renameBox() const { return m_window->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    QListWidget *list() const { return m_window->findChild<QListWidget *>(QStringLiteral("List1")); }
    QComboBox *combo() const { return m_window->findChild<QComboBox *>(QStringLiteral("Combo1")); }
    QString folder() const { return m_dir->path() + u'/'; }

    void clickTeam(int k) { QTest::mouseClick(team(k), Qt::LeftButton, {}, QPoint(7, 9)); }
    void clickEntry(int row)
    {
        QListWidget *entries = list();
        const QRect rect = entries->visualItemRect(entries->item(row));
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void reopen()
    {
        m_window = std::make_unique<FRMlogo>(m_state, m_dialogs, defaultMonitorPlatform());
        m_window->Form_Load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    Module1 m_state;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<FRMlogo> m_window;
};

void TestFrmLogo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_state = Module1{};
    m_state.Saved_Games_Folder = folder();
    m_dialogs = ScriptedDialogs{};
    reopen();
}

void TestFrmLogo::cleanup()
{
    m_window.reset();
    QCOMPARE(m_dialogs.inputPrompts, QStringList()); // the setup window never asks for text
}

void TestFrmLogo::aFreshWindowShowsTheDefaultTeamsAndHidesItsExtras()
{
    const QStringList defaults = {u"믿음"_qs, u"소망"_qs, u"사랑"_qs, u"은혜"_qs,
                                  u"말씀"_qs, u"온유"_qs, u"지혜"_qs, u"진리"_qs};
    int lastTop = -1;
    for (int k = 0; k < 8; ++k) {
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

    // Before its load handling the monitor choice is empty.
    FRMlogo unloaded(m_state, m_dialogs, defaultMonitorPlatform());
    QCOMPARE(unloaded.findChild<QComboBox *>(QStringLiteral("Combo1"))->currentText(), QString());
}

void TestFrmLogo::theWindowIsAFixedDialog()
{
    QCOMPARE(m_window->windowTitle(), u"Zanto 점수판"_qs);
    QCOMPARE(m_window->size(), QSize(396, 292));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

void TestFrmLogo::tabVisitsTheButtonsTheTeamsAndTheMonitorChoice()
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

void TestFrmLogo::startUpResetsTheGameAndListsTheSavedGames()
{
    writeGame(folder() + u"월요일.scr"_qs, 600, {{u"진리"_qs, 10}});
    m_state.Max_Score = 900;
    m_state.Game_Name = u"지난 게임"_qs;
    reopen();
    QCOMPARE(m_state.Max_Score, 500);
    QCOMPARE(m_state.Game_Name, QString());
    QCOMPARE(m_state.Save_Path, folder());
    QCOMPARE(list()->count(), 1);
    QCOMPARE(list()->item(0)->text(), u"월요일"_qs);
}

void TestFrmLogo::oneMonitorChoosesTheBasicSettingAndKeepsTheRecordedGeometry()
{
    m_state.Mon_Index = 1;
    m_state.Mon_Left = 7;
    m_state.Mon_Top = 8;
    m_state.Mon_Width = 9;
    m_state.Mon_Height = 10;
    m_state.Use_Monitor = true;
    reopen();
    QCOMPARE(m_state.Mon_Count, 1);
    QCOMPARE(combo()->currentText(), u"기본모니터"_qs);
    QVERIFY(!m_state.Use_Monitor);
    QCOMPARE(m_state.Mon_Index, qint16(1));
    QCOMPARE(m_state.Mon_Left, 7);
    QCOMPARE(m_state.Mon_Top, 8);
    QCOMPARE(m_state.Mon_Width, 9);
    QCOMPARE(m_state.Mon_Height, 10);
    QVERIFY(m_state.Mon_List);
    QCOMPARE(m_window->monitorHandles().size(), 1);
}

void TestFrmLogo::thePresenterCanChangeTheMonitorChoice()
{
    combo()->setFocus();
    QTest::keyClick(combo(), Qt::Key_Down);
    QCOMPARE(combo()->currentIndex(), 1);
    QVERIFY(m_state.Use_Monitor);
    QTest::keyClick(combo(), Qt::Key_Up);
    QVERIFY(!m_state.Use_Monitor);

    // Code that selects an item runs the choice's handling at once.
    m_window->selectMonitorChoice(1);
    QVERIFY(m_state.Use_Monitor);
}

void TestFrmLogo::clickingATeamTogglesItAndOpensTheRenameBoxOverIt()
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

void TestFrmLogo::enterCommitsTheTypedCaptionAsTypedAndKeepsTheCheckState()
{
    clickTeam(2);
    QVERIFY(renameBox()->hasFocus());
    typeText(renameBox(), u" 새벽팀 "_qs); // replaces the selected caption
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QCOMPARE(m_window->teamCaption(2), u" 새벽팀 "_qs);
    QCOMPARE(team(2)->text(), u" 새벽팀 "_qs);
    QVERIFY(renameBox()->isHidden());
    QCOMPARE(team(2)->checkState(), Qt::Checked);

    clickTeam(3);
    renameBox()->clear();
    QTest::keyClick(renameBox(), Qt::Key_Enter);
    QCOMPARE(m_window->teamCaption(3), QString());
}

void TestFrmLogo::onlyEnterClosesTheRenameBox()
{
    clickTeam(1);
    QTest::keyClick(renameBox(), Qt::Key_Escape);
    QTest::keyClick(renameBox(), Qt::Key_Tab);
    QVERIFY(renameBox()->isVisible());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->teamCaption(1), u"소망"_qs);
}

void TestFrmLogo::anAmpersandInACaptionIsKeptLiterally()
{
    clickTeam(0);
    QTest::keyClicks(renameBox(), u"A&B"_qs);
    QTest::keyClick(renameBox(), Qt::Key_Return);
    QCOMPARE(m_window->teamCaption(0), u"A&B"_qs);
    QCOMPARE(team(0)->text(), u"A&&B"_qs);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_state.Team_Name.value(0), u"A&B"_qs);
}

void TestFrmLogo::startPacksTheCheckedTeamsInBoxOrder()
{
    for (int i = 0; i < 5; ++i) {
        m_state.Team_Score.set(i, 100 + i);
        m_state.Add_Score.set(i, 10 + i);
    }
    QSignalSpy closing(m_window.get(), &FRMlogo::boardCloseRequested);
    QSignalSpy starting(m_window.get(), &FRMlogo::gameStartRequested);
    clickTeam(6);
    clickTeam(1);
    clickTeam(4);
    QTest::mouseClick(cmd(0), Qt::LeftButton);

    QCOMPARE(m_state.Team_Count, 3);
    const QStringList names = {u"소망"_qs, u"말씀"_qs, u"지혜"_qs};
    for (int s = 0; s < 3; ++s) {
        QCOMPARE(m_state.Team_Name.value(s), names[s]);
        QCOMPARE(m_state.Team_Score.value(s), 0);
        QCOMPARE(m_state.Add_Score.value(s), 0);
    }
    QCOMPARE(m_state.Team_Score.value(3), 103); // beyond the game: untouched
    QCOMPARE(closing.count(), 1);
    QCOMPARE(starting.count(), 1);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestFrmLogo::startWithoutTeamsSaysSoAndKeepsTheWindowOpen()
{
    m_state.Team_Count = 4;
    QSignalSpy closing(m_window.get(), &FRMlogo::boardCloseRequested);
    QSignalSpy starting(m_window.get(), &FRMlogo::gameStartRequested);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList{u"팀을 선택하여 주십시요"_qs});
    QCOMPARE(m_state.Team_Count, 0);
    QCOMPARE(closing.count(), 1); // a shown board closes all the same
    QCOMPARE(starting.count(), 0);
    QVERIFY(m_window->isVisible());
}

void TestFrmLogo::aCheckedTeamWithABlankCaptionTakesNoSlot()
{
    m_state.Team_Name.set(0, u"지난번 팀"_qs);
    clickTeam(0);
    renameBox()->setText(u"   "_qs);
    QTest::keyClick(renameBox(), Qt::Key_Return);
    clickTeam(1);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_state.Team_Count, 1);
    QCOMPARE(m_state.Team_Name.value(0), u"소망"_qs);
}

void TestFrmLogo::aTypedCaptionWithAParenthesisCountsAsASavedTeam()
{
    m_state.Team_Score.set(3, 42);
    clickTeam(3);
    renameBox()->setText(u"A팀(1)"_qs);
    QTest::keyClick(renameBox(), Qt::Key_Return);
    clickTeam(5);
    renameBox()->setText(u"(없음)"_qs);
    QTest::keyClick(renameBox(), Qt::Key_Return);
    m_state.Team_Score.set(5, 7);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Team_Name.value(0), u"A팀"_qs);
    QCOMPARE(m_state.Team_Score.value(0), 42);
    QCOMPARE(m_state.Team_Name.value(1), QString()); // begins with "(": no name, still a team
    QCOMPARE(m_state.Team_Score.value(1), 7);
}

void TestFrmLogo::savedGameModeFollowsTheButtonTable()
{
    writeGame(folder() + u"게임.scr"_qs, 500, {{u"진리"_qs, 1}});
    m_window->Set_List();

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

    m_window->Load_Score_Data();
    QVERIFY(m_window->inSavedGameMode());
}

void TestFrmLogo::fetchAndDeleteStayDisabledUntilAnEntryIsClicked()
{
    m_window->Load_Score_Data();
    QCOMPARE(list()->count(), 0);
    QVERIFY(!cmd(0)->isEnabled());
    QVERIFY(!cmd(3)->isEnabled());
    // Even when pressed from code, they do nothing without an entry.
    m_window->Cmd_Click(0);
    m_window->Cmd_Click(3);
    QVERIFY(m_window->inSavedGameMode());
    QCOMPARE(m_dialogs.questions, QStringList());
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestFrmLogo::enteringSavedGameModeAgainKeepsTheSelection()
{
    writeGame(folder() + u"a.scr"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(folder() + u"b.scr"_qs, 500, {{u"지혜"_qs, 2}});
    m_window->Set_List();
    m_window->Load_Score_Data();
    clickEntry(1);
    QTest::mouseClick(cmd(2), Qt::LeftButton);

    // A game saved meanwhile shows up only in the next setup window.
    writeGame(folder() + u"c.scr"_qs, 500, {{u"사랑"_qs, 3}});
    m_window->Load_Score_Data();
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->currentRow(), 1);
    QVERIFY(!cmd(0)->isEnabled());
    QVERIFY(cmd(3)->isEnabled());
}

void TestFrmLogo::closeInTeamModeAsksToEndTheProgram()
{
    QSignalSpy ending(m_window.get(), &FRMlogo::endRequested);
    m_window->Load_Score_Data();
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 돌아가기
    QCOMPARE(ending.count(), 0);
    QTest::mouseClick(cmd(2), Qt::LeftButton); // 닫기
    QCOMPARE(ending.count(), 1);
}

void TestFrmLogo::savedGamesAreListedWithoutTheirLastExtensionInAnyCase()
{
    writeGame(folder() + u"a.scr.scr"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(folder() + u"GAME.SCR"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(folder() + u"메모.txt"_qs, 500, {{u"진리"_qs, 1}});
    QVERIFY(QDir(folder()).mkdir(u"폴더.scr"_qs));
    m_window->Set_List();
    QStringList shown;
    for (int i = 0; i < list()->count(); ++i)
        shown.append(list()->item(i)->text());
    shown.sort();
    QCOMPARE(shown, (QStringList{u"GAME"_qs, u"a.scr"_qs}));
}

void TestFrmLogo::loadingShowsTheSavedTeamsGrayedAndEmptiesTheOthers()
{
    writeGame(folder() + u"저녁.scr"_qs, 700,
              {{u"진리"_qs, 120}, {u"지혜"_qs, 80}, {u"믿음"_qs, 5}});
    m_window->Set_List();
    clickTeam(5); // checked before the load, stays checked
    m_window->Load_Score_Data();
    clickEntry(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);

    QVERIFY(!m_window->inSavedGameMode());
    QVERIFY(renameBox()->isHidden());
    const QStringList captions = {u"진리(120점)"_qs, u"지혜(80점)"_qs, u"믿음(5점)"_qs};
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(m_window->teamCaption(k), captions.value(k));
        if (k < 3)
            QCOMPARE(team(k)->checkState(), Qt::PartiallyChecked);
    }
    QCOMPARE(team(5)->checkState(), Qt::Checked);
    QCOMPARE(team(6)->checkState(), Qt::Unchecked);
    QCOMPARE(m_state.Game_Name, u"저녁"_qs);
    QCOMPARE(m_state.Max_Score, 700);
    QCOMPARE(m_state.Team_Count, 3);
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestFrmLogo::loadingAddressesTheListedFileWhateverItsCaseAndSpaces()
{
    writeGame(folder() + u" 앞공백.SCR"_qs, 500, {{u"소망"_qs, 33}});
    m_window->Set_List();
    m_window->Load_Score_Data();
    QCOMPARE(list()->item(0)->text(), u" 앞공백"_qs);
    clickEntry(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList());
    QCOMPARE(m_window->teamCaption(0), u"소망(33점)"_qs);
    QCOMPARE(m_state.Game_File, folder() + u" 앞공백.SCR"_qs);
}

void TestFrmLogo::aSavedGameKeepsItsSlotsAndScoresAtStart()
{
    writeGame(folder() + u"g.scr"_qs, 500, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}, {u"믿음"_qs, 5}});
    m_window->Set_List();
    m_window->Load_Score_Data();
    clickEntry(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    m_state.Standings_Changed = true;
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_state.Team_Count, 3);
    QCOMPARE(m_state.Team_Name.value(0), u"진리"_qs);
    QCOMPARE(m_state.Team_Score.value(0), 120);
    QCOMPARE(m_state.Team_Name.value(2), u"믿음"_qs);
    QCOMPARE(m_state.Team_Score.value(2), 5);
    QVERIFY(!m_state.hasUnsavedStandings());
}

void TestFrmLogo::aSavedGameWithItsFirstTeamUncheckedMovesTheOthersUp()
{
    writeGame(folder() + u"g.scr"_qs, 500, {{u"진리"_qs, 120}, {u"지혜"_qs, 80}, {u"믿음"_qs, 5}});
    m_window->Set_List();
    m_window->Load_Score_Data();
    clickEntry(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    clickTeam(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_state.Team_Count, 2);
    QCOMPARE(m_state.Team_Name.value(0), u"지혜"_qs);
    QCOMPARE(m_state.Team_Score.value(0), 80);
    QCOMPARE(m_state.Team_Name.value(1), u"믿음"_qs);
    QCOMPARE(m_state.Team_Score.value(1), 5);
}

void TestFrmLogo::aClickOnAGrayedTeamUnchecksItAndTheNextChecksIt()
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

void TestFrmLogo::aGameThatCannotBeReadLeavesTheTeamsAlone()
{
    QFile broken(folder() + u"깨짐.scr"_qs);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("no header here\r\n");
    broken.close();
    m_window->Set_List();
    clickTeam(1);
    m_window->Load_Score_Data();
    clickEntry(0);
    QTest::mouseClick(cmd(0), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(!m_window->inSavedGameMode());
    QCOMPARE(m_window->teamCaption(0), u"믿음"_qs);
    QCOMPARE(team(1)->checkState(), Qt::Checked);
    QCOMPARE(m_state.Game_Name, QString());
}

void TestFrmLogo::deletingAsksFirstAndReadsTheListAgain()
{
    writeGame(folder() + u"a.scr"_qs, 500, {{u"진리"_qs, 1}});
    writeGame(folder() + u"b.scr"_qs, 500, {{u"지혜"_qs, 2}});
    m_window->Set_List();
    m_window->Load_Score_Data();
    clickEntry(1);

    m_dialogs.askAnswers = {false};
    QTest::mouseClick(cmd(3), Qt::LeftButton);
    QCOMPARE(m_dialogs.questions, QStringList{u"선택한 게임을 삭제할까요?\nb"_qs});
    QVERIFY(QFile::exists(folder() + u"b.scr"_qs));
    QCOMPARE(list()->count(), 2);

    m_dialogs.askAnswers = {true};
    QTest::mouseClick(cmd(3), Qt::LeftButton);
    QVERIFY(!QFile::exists(folder() + u"b.scr"_qs));
    QVERIFY(QFile::exists(folder() + u"a.scr"_qs));
    QCOMPARE(list()->count(), 1);
    QVERIFY(list()->selectedItems().isEmpty());
    QVERIFY(!cmd(0)->isEnabled());
    QVERIFY(!cmd(3)->isEnabled());
    QVERIFY(m_window->inSavedGameMode());
    QCOMPARE(m_dialogs.messages, QStringList());
}

void TestFrmLogo::aDeletionThatFailsSaysSo()
{
    writeGame(folder() + u"a.scr"_qs, 500, {{u"진리"_qs, 1}});
    m_window->Set_List();
    m_window->Load_Score_Data();
    clickEntry(0);
    QVERIFY(QFile::remove(folder() + u"a.scr"_qs)); // gone behind the list's back
    m_dialogs.askAnswers = {true};
    QTest::mouseClick(cmd(3), Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList{u"삭제하지 못했습니다\na"_qs});
    QCOMPARE(list()->count(), 0);
}

QTEST_MAIN(TestFrmLogo)
#include "tst_frm_logo.moc"
