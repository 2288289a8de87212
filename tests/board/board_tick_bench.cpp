// Measures one Timer1 tick with its painting on a large board (not run by
// ctest):  QT_QPA_PLATFORM=offscreen board_tick_bench [width height]
#include "game_state.h"
#include "main_form.h"
#include "scripted_dialogs.h"
#include "start_sound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class SilentSound final : public StartSound
{
public:
    void play() override {}
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int width = args.size() > 2 ? args[1].toInt() : 3840;
    const int height = args.size() > 2 ? args[2].toInt() : 2160;

    Module1 state;
    state.Max_Score = 500;
    state.Team_Count = 8;
    for (int i = 0; i < 8; ++i) {
        state.Team_Name.set(i, QStringLiteral("팀%1").arg(i + 1));
        state.Team_Score.set(i, 40 * i + 20);
        state.Add_Score.set(i, 10 * i + 10);
    }
    ScriptedDialogs dialogs;
    SilentSound sound;
    MainForm board(state, dialogs, sound);
    board.setWindowState(Qt::WindowNoState);
    board.resize(width, height);
    board.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    board.Set_Init();
    QApplication::processEvents();

    board.Command1_Click();
    if (auto *timer1 = board.findChild<QTimer *>(QStringLiteral("Timer1")))
        timer1->stop();
    std::vector<qint64> samples;
    QElapsedTimer clock;
    for (int t = 0; t < 150; ++t) {
        clock.start();
        board.Timer1_Timer();
        // The tick's repaint happens when the window's update request runs.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCoreApplication::sendPostedEvents();
        samples.push_back(clock.nsecsElapsed());
    }
    const auto slowest = std::max_element(samples.begin(), samples.end()) - samples.begin();
    std::printf("slowest tick: %d\n", int(slowest) + 1);
    std::sort(samples.begin(), samples.end());
    std::printf("%dx%d: Timer1 tick with painting, median %.3f ms, 90%% %.3f ms, max %.3f ms\n",
                width, height, samples[samples.size() / 2] / 1e6,
                samples[samples.size() * 9 / 10] / 1e6, samples.back() / 1e6);
    return 0;
}
