// Run once per screen layout (layouts/*.json): the expected monitor is the
// screen named "projector", whatever side of the primary screen it lies on.
#include "board_monitor.h"
#include "game_engine.h"
#include "monitor_list.h"
#include "monitor_platform.h"
#include "saved_games_folder.h"
#include "scripted_dialogs.h"
#include "setup_window.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <memory>

class TestMonitorChoice : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void theBoardGoesToTheProjectorWhereverItLies();
    void thePresenterCanKeepTheBoardOnThePrimaryScreen();
    void eachNewSetupWindowChoosesAgain();

private:
    static QScreen *projector();
    static QComboBox *combo(SetupWindow &window) { return window.findChild<QComboBox *>(QStringLiteral("Combo1")); }
    QRect recorded() const { return {m_boardMonitor.left, m_boardMonitor.top, m_boardMonitor.width, m_boardMonitor.height}; }
    // A setup window after its start-up.
    std::unique_ptr<SetupWindow> startedWindow()
    {
        auto window = std::make_unique<SetupWindow>(m_engine, m_folder, m_boardMonitor, m_dialogs,
                                                    defaultMonitorPlatform());
        window->startUp();
        return window;
    }

    GameEngine m_engine;
    const SavedGamesFolder m_folder; // none: only the monitors matter here
    BoardMonitor m_boardMonitor;
    ScriptedDialogs m_dialogs;
};

QScreen *TestMonitorChoice::projector()
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == u"projector")
            return screen;
    }
    return nullptr;
}

void TestMonitorChoice::init()
{
    m_boardMonitor = BoardMonitor{};
}

void TestMonitorChoice::theBoardGoesToTheProjectorWhereverItLies()
{
    const auto window = startedWindow();

    QScreen *screen = projector();
    if (!screen) {
        // The one-screen layout.
        QCOMPARE(m_boardMonitor.monitorCount, 1);
        QCOMPARE(combo(*window)->currentText(), u"기본모니터"_qs);
        QVERIFY(!m_boardMonitor.useMonitor);
        QCOMPARE(m_boardMonitor.width, 0);
        return;
    }
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const QRect expected = screen->geometry().translated(-primary.topLeft());
    QCOMPARE(m_boardMonitor.monitorCount, 2);
    QCOMPARE(combo(*window)->currentText(), u"듀얼모니터"_qs);
    QVERIFY(m_boardMonitor.useMonitor);
    QCOMPARE(recorded(), expected);
    // The list the window detected names that very monitor as the secondary one.
    const MonitorRecord *chosen =
        window->monitorList()->monitors().at(window->monitorList()->secondaryMonitorIndex());
    QVERIFY(chosen);
    QCOMPARE(QRect(chosen->left, chosen->top, chosen->width, chosen->height), expected);
}

void TestMonitorChoice::thePresenterCanKeepTheBoardOnThePrimaryScreen()
{
    const auto window = startedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QRect before = recorded();

    QComboBox *choice = combo(*window);
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Home);
    QCOMPARE(choice->currentIndex(), 0);
    QVERIFY(!m_boardMonitor.useMonitor);
    QTest::keyClick(choice, Qt::Key_End);
    QCOMPARE(choice->currentIndex(), 1);
    QVERIFY(m_boardMonitor.useMonitor); // also with one monitor: the board is then centred
    // The choice only switches the placement on and off.
    QCOMPARE(recorded(), before);
}

void TestMonitorChoice::eachNewSetupWindowChoosesAgain()
{
    startedWindow()->selectMonitorChoice(0);
    QVERIFY(!m_boardMonitor.useMonitor);
    const auto second = startedWindow();
    QCOMPARE(m_boardMonitor.useMonitor, projector() != nullptr);
    QCOMPARE(second->monitorList()->monitors().count(), m_boardMonitor.monitorCount);
}

QTEST_MAIN(TestMonitorChoice)
#include "tst_monitor_choice.moc"
