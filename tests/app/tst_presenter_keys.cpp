#include "counting_sound.h"
#include "entry_box.h"
#include "game_engine.h"
#include "help_window.h"
#include "monitor_platform.h"
#include "presenter_console.h"
#include "program.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"
#include "scripted_dialogs.h"
#include "setup_window.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

enum Window { Board, Console };

struct KeyPress
{
    int key;
    Qt::KeyboardModifiers modifiers;
};

} // namespace

Q_DECLARE_METATYPE(KeyPress)

// The presenter's keys on the real windows of a run: real key events go to
// whatever has the focus in the active window, as the keyboard's would.
class TestPresenterKeys : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void digitsOpenTheBoardsEntryBoxOverThatTeamWithZeroSelected_data();
    void digitsOpenTheBoardsEntryBoxOverThatTeamWithZeroSelected();
    void escapeCancelsTypedPoints_data();
    void escapeCancelsTypedPoints();
    void raceKeysStartTheRaceAndSpaceDoesNot_data();
    void raceKeysStartTheRaceAndSpaceDoesNot();
    void undoAndRedoKeysStepThroughTheGame_data();
    void undoAndRedoKeysStepThroughTheGame();
    void saveKeySavesUnderATypedName_data();
    void saveKeySavesUnderATypedName();
    void f11TogglesTheBoardsFullScreen_data();
    void f11TogglesTheBoardsFullScreen();
    void f2ShowsAndHidesTheConsoleOnOneScreen();
    void clickerAndCommandKeysGiveTheirCommands_data();
    void clickerAndCommandKeysGiveTheirCommands();
    void withTheConsoleShownTheBoardNeverKeepsTheKeyboard();
    void theConsoleOpensByItselfOnlyWhenTheBoardIsOnAnotherScreen();

private:
    GameEngine &engine() { return m_program->engine(); }
    ScoreboardWindow *board() const { return m_program->board(); }
    QLineEdit *entryBox() const { return board()->findChild<QLineEdit *>(QStringLiteral("TCmd_Txt")); }
    QLineEdit *consolePoints(int row) const
    {
        return m_program->console()->findChild<QLineEdit *>(QStringLiteral("ConsolePoints_%1").arg(row));
    }
    // The window made active, the console shown first when it is the one.
    QWidget *activate(int which)
    {
        if (which == Console && !m_program->console())
            m_program->commands().toggleConsole();
        QWidget *window = which == Board ? static_cast<QWidget *>(board()) : m_program->console();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the window did not become active");
        return window;
    }
    // A key as the keyboard gives it: to the focus widget of the active window.
    void press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    CountingSound m_sound;
    std::unique_ptr<Program> m_program;
};

void TestPresenterKeys::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = ScriptedDialogs{};
    m_program = std::make_unique<Program>(SavedGamesFolder(m_dir->path()), m_dialogs, m_sound,
                                          defaultMonitorPlatform());
    m_program->start();
    SetupWindow *setup = m_program->setupWindow();
    QVERIFY(QTest::qWaitForWindowExposed(setup));
    for (int k : {0, 1, 2}) {
        QTest::mouseClick(setup->findChild<QCheckBox *>(QStringLiteral("Team_%1").arg(k)),
                          Qt::LeftButton, {}, QPoint(7, 9));
    }
    QTest::mouseClick(setup->findChild<QPushButton *>(QStringLiteral("Cmd_0")), Qt::LeftButton);
    QVERIFY(board());
    QVERIFY(QTest::qWaitForWindowExposed(board()));
}

void TestPresenterKeys::cleanup()
{
    engine().stopAnimations();
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestPresenterKeys::digitsOpenTheBoardsEntryBoxOverThatTeamWithZeroSelected_data()
{
    QTest::addColumn<KeyPress>("key");
    QTest::addColumn<int>("team");

    QTest::newRow("1") << KeyPress{Qt::Key_1, {}} << 0;
    QTest::newRow("3") << KeyPress{Qt::Key_3, {}} << 2;
    QTest::newRow("keypad 2") << KeyPress{Qt::Key_2, Qt::KeypadModifier} << 1;
    QTest::newRow("4 beyond the teams") << KeyPress{Qt::Key_4, {}} << -1;
}

void TestPresenterKeys::digitsOpenTheBoardsEntryBoxOverThatTeamWithZeroSelected()
{
    QFETCH(KeyPress, key);
    QFETCH(int, team);
    activate(Board);
    press(key.key, key.modifiers);
    if (team < 0) {
        QVERIFY(!board()->entryBox()->isOpen());
        return;
    }
    QVERIFY(board()->entryBox()->isOpen());
    const auto *button = board()->findChild<QPushButton *>(QStringLiteral("TCmd_%1").arg(team));
    QCOMPARE(entryBox()->pos(), button->pos());
    QCOMPARE(entryBox()->text(), u"0"_qs);
    QCOMPARE(entryBox()->selectedText(), u"0"_qs);
    QCOMPARE(QApplication::focusWidget(), entryBox());
    // Typed digits replace the proposal; Enter adds them.
    QTest::keyClicks(entryBox(), u"35"_qs);
    press(Qt::Key_Return);
    QVERIFY(!board()->entryBox()->isOpen());
    QCOMPARE(engine().pendingPoints(team), 35);
}

void TestPresenterKeys::escapeCancelsTypedPoints_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("board") << int(Board);
    QTest::newRow("console") << int(Console);
}

void TestPresenterKeys::escapeCancelsTypedPoints()
{
    QFETCH(int, window);
    activate(window);
    press(Qt::Key_2);
    QTest::keyClicks(QApplication::focusWidget(), u"40"_qs);
    press(Qt::Key_Escape);
    QVERIFY(!board()->entryBox()->isOpen());
    if (window == Console)
        QCOMPARE(consolePoints(1)->text(), QString());
    // Nothing is left for the next command to apply: a start has nothing
    // to add.
    press(Qt::Key_F5);
    QVERIFY(!engine().isRacing());
    QCOMPARE(engine().pendingPoints(1), 0);
}

void TestPresenterKeys::raceKeysStartTheRaceAndSpaceDoesNot_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("starts");

    for (const auto &[name, window] : {std::pair{"board", Board}, std::pair{"console", Console}}) {
        QTest::addRow("%s, F5", name) << int(window) << int(Qt::Key_F5) << true;
        QTest::addRow("%s, Page Down", name) << int(window) << int(Qt::Key_PageDown) << true;
        QTest::addRow("%s, Space", name) << int(window) << int(Qt::Key_Space) << false;
    }
}

void TestPresenterKeys::raceKeysStartTheRaceAndSpaceDoesNot()
{
    QFETCH(int, window);
    QFETCH(int, key);
    QFETCH(bool, starts);
    engine().enterPoints(0, u"20"_qs);
    activate(window);
    press(key);
    QCOMPARE(engine().isRacing(), starts);
    QCOMPARE(m_sound.plays > 0, starts);
    m_sound.plays = 0;
}

void TestPresenterKeys::undoAndRedoKeysStepThroughTheGame_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<KeyPress>("redo");

    const KeyPress ctrlY{Qt::Key_Y, Qt::ControlModifier};
    const KeyPress ctrlShiftZ{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier};
    QTest::newRow("board, Ctrl+Y") << int(Board) << ctrlY;
    QTest::newRow("board, Ctrl+Shift+Z") << int(Board) << ctrlShiftZ;
    QTest::newRow("console, Ctrl+Y") << int(Console) << ctrlY;
    // In a console field the keys are the field's (its own test).
}

void TestPresenterKeys::undoAndRedoKeysStepThroughTheGame()
{
    QFETCH(int, window);
    QFETCH(KeyPress, redo);
    engine().raiseMaxScore();
    activate(window);
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(engine().maxScore(), 500);
    press(redo.key, redo.modifiers);
    QCOMPARE(engine().maxScore(), 600);
    QVERIFY(!engine().canRedo());
}

void TestPresenterKeys::saveKeySavesUnderATypedName_data()
{
    escapeCancelsTypedPoints_data();
}

void TestPresenterKeys::saveKeySavesUnderATypedName()
{
    QFETCH(int, window);
    activate(window);
    m_dialogs.inputAnswers = {u"저녁"_qs};
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_dialogs.inputPrompts, QStringList{u"저장할 화일명을 입력하세요|점수 저장하기"_qs});
    QCOMPARE(m_dialogs.messages, QStringList{u"점수 저장이 완료되었습니다"_qs});
    QVERIFY(m_program->savedGamesFolder().find(u"저녁"_qs));
}

void TestPresenterKeys::f11TogglesTheBoardsFullScreen_data()
{
    escapeCancelsTypedPoints_data();
}

void TestPresenterKeys::f11TogglesTheBoardsFullScreen()
{
    QFETCH(int, window);
    QVERIFY(!board()->isFullScreen());
    activate(window);
    press(Qt::Key_F11);
    QVERIFY(board()->isFullScreen());
    activate(window);
    press(Qt::Key_F11);
    QVERIFY(!board()->isFullScreen());
    QVERIFY(board()->isMaximized());
}

void TestPresenterKeys::f2ShowsAndHidesTheConsoleOnOneScreen()
{
    QCOMPARE(QGuiApplication::screens().size(), 1);
    QVERIFY(!m_program->console());
    activate(Board);
    press(Qt::Key_F2);
    PresenterConsole *console = m_program->console();
    QVERIFY(console);
    QVERIFY(QTest::qWaitForWindowActive(console));
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(console->geometry()));

    press(Qt::Key_F2);
    QVERIFY(!m_program->console());
    QVERIFY(board()->isVisible());
    activate(Board);
    press(Qt::Key_F2);
    QCOMPARE(m_program->console(), console); // the same console, as it was left
}

void TestPresenterKeys::clickerAndCommandKeysGiveTheirCommands_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<KeyPress>("key");
    QTest::addColumn<QString>("outcome");
    for (const auto &[name, window] : {std::pair{"board", Board}, std::pair{"console", Console}}) {
        QTest::addRow("%s, Page Up", name) << int(window) << KeyPress{Qt::Key_PageUp, {}} << u"winner"_qs;
        QTest::addRow("%s, w", name) << int(window) << KeyPress{Qt::Key_W, {}} << u"winner"_qs;
        QTest::addRow("%s, b", name) << int(window) << KeyPress{Qt::Key_B, {}} << u"blank"_qs;
        QTest::addRow("%s, .", name) << int(window) << KeyPress{Qt::Key_Period, {}} << u"blank"_qs;
        QTest::addRow("%s, +", name) << int(window) << KeyPress{Qt::Key_Plus, {}} << u"raised"_qs;
        QTest::addRow("%s, keypad +", name) << int(window) << KeyPress{Qt::Key_Plus, Qt::KeypadModifier}
                                            << u"raised"_qs;
        QTest::addRow("%s, -", name) << int(window) << KeyPress{Qt::Key_Minus, {}} << u"lowered"_qs;
        QTest::addRow("%s, Up", name) << int(window) << KeyPress{Qt::Key_Up, {}} << u"raised"_qs;
        QTest::addRow("%s, Down", name) << int(window) << KeyPress{Qt::Key_Down, {}} << u"lowered"_qs;
        QTest::addRow("%s, F1", name) << int(window) << KeyPress{Qt::Key_F1, {}} << u"help"_qs;
    }
}

void TestPresenterKeys::clickerAndCommandKeysGiveTheirCommands()
{
    QFETCH(int, window);
    QFETCH(KeyPress, key);
    QFETCH(QString, outcome);
    // From 500, where a step down stops: first one up.
    engine().raiseMaxScore();
    activate(window);
    press(key.key, key.modifiers);
    QCOMPARE(engine().isHighlighting(), outcome == u"winner");
    QCOMPARE(m_program->commands().isBoardBlank(), outcome == u"blank");
    QCOMPARE(m_program->helpWindow() != nullptr, outcome == u"help");
    QCOMPARE(engine().maxScore(), outcome == u"raised" ? 700 : outcome == u"lowered" ? 500 : 600);
    if (outcome == u"help") {
        const QString guide = m_program->helpWindow()->toPlainText();
        QVERIFY(guide.contains(u"Page Up"_qs));
        // The screenshots are the document's alone: no empty picture frames.
        QVERIFY(!guide.contains(QChar::ObjectReplacementCharacter));
    }
    engine().stopAnimations();
}

void TestPresenterKeys::withTheConsoleShownTheBoardNeverKeepsTheKeyboard()
{
    // F11 or a click on the board once left the keyboard there: "140" typed
    // next appeared in the board's entry box, in front of the hall.
    activate(Console);
    PresenterConsole *console = m_program->console();
    board()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(console));
    QTest::mouseClick(board()->findChild<QPushButton *>(QStringLiteral("TCmd_2")), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(console));
    QCOMPARE(QApplication::focusWidget(), consolePoints(2));
    QTest::keyClicks(QApplication::focusWidget(), u"140"_qs);
    QVERIFY(!board()->entryBox()->isOpen());
    press(Qt::Key_F11);
    QVERIFY(board()->isFullScreen());
    QVERIFY(QTest::qWaitForWindowActive(console));
    QCOMPARE(QApplication::focusWidget(), consolePoints(2));
    press(Qt::Key_Return);
    QCOMPARE(engine().pendingPoints(2), 140);
    QVERIFY(!board()->entryBox()->isOpen());
}

// Run on a one-screen layout and on a two-screen one (see CMakeLists.txt).
void TestPresenterKeys::theConsoleOpensByItselfOnlyWhenTheBoardIsOnAnotherScreen()
{
    QScreen *primary = QGuiApplication::primaryScreen();
    if (QGuiApplication::screens().size() < 2) {
        QCOMPARE(board()->screen(), primary);
        QVERIFY(!m_program->console());
        return;
    }
    QVERIFY(board()->screen() != primary);
    PresenterConsole *console = m_program->console();
    QVERIFY(console);
    QCOMPARE(console->screen(), primary);
    QVERIFY(primary->availableGeometry().contains(console->frameGeometry()));
    // The board fills the projector, and the keyboard stays on the laptop.
    QVERIFY(board()->isFullScreen());
    QVERIFY(QTest::qWaitForWindowActive(console));
    board()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(console));
    press(Qt::Key_F11);
    QVERIFY(!board()->isFullScreen());
    QVERIFY(board()->isMaximized());
    press(Qt::Key_F2);
    QVERIFY(!m_program->console());
}

QTEST_MAIN(TestPresenterKeys)
#include "tst_presenter_keys.moc"
