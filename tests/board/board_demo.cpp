// A hand-run look at the board: eight demonstration teams in the middle of a
// round. Not a test; run it under a display and look.
//   board_demo [ticks] [screenshot.png|-] [normal|entry]
#include "game_state.h"
#include "main_form.h"
#include "qt_dialogs.h"
#include "start_sound.h"

#include <QApplication>
#include <QTimer>

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
    const int ticks = args.size() > 1 ? args[1].toInt() : 75;
    const QString shot = args.size() > 2 && args[2] != u'-' ? args[2] : QString();
    const bool normal = args.size() > 3 && args[3] == QLatin1String("normal");

    Module1 state;
    state.Max_Score = 500;
    const QStringList names{QStringLiteral("믿음"), QStringLiteral("소망"), QStringLiteral("사랑"),
                            QStringLiteral("진리"), QStringLiteral("지혜"), QStringLiteral("은혜"),
                            QStringLiteral("평화"), QStringLiteral("기쁨")};
    const int scores[] = {120, 80, 240, 35, 310, 0, 175, 60};
    const int pending[] = {30, 50, 10, 100, -20, 40, 0, 70};
    state.Team_Count = 8;
    for (int i = 0; i < 8; ++i) {
        state.Team_Name.set(i, names[i]);
        state.Team_Score.set(i, scores[i]);
        state.Add_Score.set(i, pending[i]);
    }

    QtDialogs dialogs;
    SilentSound sound;
    MainForm board(state, dialogs, sound);
    if (normal) {
        board.setWindowState(Qt::WindowNoState);
        board.resize(1024, 766);
        board.move(0, 0);
    }
    board.show();
    board.Set_Init();

    QTimer::singleShot(800, &board, [&] {
        board.Display_Score();
        board.Command1_Click();
        // Freeze the round where it is, for a still picture.
        if (auto *timer1 = board.findChild<QTimer *>(QStringLiteral("Timer1")))
            timer1->stop();
        for (int i = 0; i < ticks; ++i)
            board.Timer1_Timer();
        if (args.contains(QLatin1String("entry")))
            board.TCmd_MouseUp(2, Qt::LeftButton);
        if (!shot.isEmpty()) {
            QTimer::singleShot(300, &board, [&] {
                board.grab().save(shot);
                QCoreApplication::exit(0);
            });
        }
    });
    return app.exec();
}
