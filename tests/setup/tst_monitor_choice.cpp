// Run once per screen layout (layouts/*.json): the expected monitor is the
// screen named "projector", whatever side of the primary screen it lies on.
#include "cls_monitors.h"
#include "clsmonitor.h"
#include "frm_logo.h"
#include "game_state.h"
#include "monitor_platform.h"
#include "scripted_dialogs.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

class TestMonitorChoice : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void theBoardGoesToTheProjectorWhereverItLies();
    void thePresenterCanKeepTheBoardOnThePrimaryScreen();
    void eachNewSetupWindowChoosesAgain();

private:
    QScreen *projector() const;
    QComboBox *combo(FRMlogo &window) const { return window.findChild<QComboBox *>(QStringLiteral("Combo1")); }

    QTemporaryDir m_dir;
    Module1 m_state;
    ScriptedDialogs m_dialogs;
};

QScreen *TestMonitorChoice::projector() const
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == u"projector")
            return screen;
    }
    return nullptr;
}

void TestMonitorChoice::init()
{
    m_state = Module1{};
    m_state.Saved_Games_Folder = m_dir.path() + u'/';
}

void TestMonitorChoice::theBoardGoesToTheProjectorWhereverItLies()
{
    FRMlogo window(m_state, m_dialogs, defaultMonitorPlatform());
    window.Form_Load();

    QScreen *screen = projector();
    if (!screen) {
        // The one-screen layout.
        QCOMPARE(m_state.Mon_Count, 1);
        QCOMPARE(combo(window)->currentText(), u"기본모니터"_qs);
        QVERIFY(!m_state.Use_Monitor);
        QCOMPARE(m_state.Mon_Width, 0);
        return;
    }
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const QRect expected = screen->geometry().translated(-primary.topLeft());
    QCOMPARE(m_state.Mon_Count, 2);
    QCOMPARE(combo(window)->currentText(), u"듀얼모니터"_qs);
    QVERIFY(m_state.Use_Monitor);
    QCOMPARE(m_state.Mon_Left, expected.left());
    QCOMPARE(m_state.Mon_Top, expected.top());
    QCOMPARE(m_state.Mon_Width, expected.width());
    QCOMPARE(m_state.Mon_Height, expected.height());
    // Mon_Index names that very monitor's place in the list.
    const auto chosen = m_state.Mon_List->Monitors().at(m_state.Mon_Index);
    QVERIFY(chosen);
    QCOMPARE(chosen->Left, expected.left());
    QCOMPARE(chosen->Top, expected.top());
}

void TestMonitorChoice::thePresenterCanKeepTheBoardOnThePrimaryScreen()
{
    FRMlogo window(m_state, m_dialogs, defaultMonitorPlatform());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const qint32 left = m_state.Mon_Left;
    const qint32 width = m_state.Mon_Width;

    QComboBox *choice = combo(window);
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Home);
    QCOMPARE(choice->currentIndex(), 0);
    QVERIFY(!m_state.Use_Monitor);
    QTest::keyClick(choice, Qt::Key_End);
    QCOMPARE(choice->currentIndex(), 1);
    QVERIFY(m_state.Use_Monitor); // also with one monitor: the board is then centred
    QCOMPARE(m_state.Mon_Left, left);
    QCOMPARE(m_state.Mon_Width, width);
}

void TestMonitorChoice::eachNewSetupWindowChoosesAgain()
{
    {
        FRMlogo first(m_state, m_dialogs, defaultMonitorPlatform());
        first.Form_Load();
        first.selectMonitorChoice(0);
        QVERIFY(!m_state.Use_Monitor);
    }
    FRMlogo second(m_state, m_dialogs, defaultMonitorPlatform());
    second.Form_Load();
    QCOMPARE(m_state.Use_Monitor, projector() != nullptr);
    QCOMPARE(second.monitorHandles().size(), m_state.Mon_Count);
}

QTEST_MAIN(TestMonitorChoice)
#include "tst_monitor_choice.moc"
