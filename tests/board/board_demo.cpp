// A hand-run look at the board: eight demonstration teams in the middle of a
// round. Not a test; run it under a display and look.
//   board_demo [ticks] [screenshot.png|-] [normal|entry]
#include "counting_sound.h"
#include "game_engine.h"
#include "game_setup.h"
#include "presenter_commands.h"
#include "qt_dialogs.h"
#include "saved_games_folder.h"
#include "scoreboard_window.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int ticks = args.size() > 1 ? args[1].toInt() : 75;
    const QString shot = args.size() > 2 && args[2] != u'-' ? args[2] : QString();
    const bool normal = args.size() > 3 && args[3] == QLatin1String("normal");

    GameEngine engine;
    setUpGame(engine, {{QStringLiteral("믿음"), 120}, {QStringLiteral("소망"), 80},
                       {QStringLiteral("사랑"), 240}, {QStringLiteral("진리"), 35},
                       {QStringLiteral("지혜"), 310}, {QStringLiteral("은혜"), 0},
                       {QStringLiteral("평화"), 175}, {QStringLiteral("기쁨"), 60}});
    const int pending[] = {30, 50, 10, 100, -20, 40, 0, 70};
    for (int i = 0; i < 8; ++i)
        engine.enterPoints(i, QString::number(pending[i]));

    // Saving from the demo writes nowhere that matters.
    QTemporaryDir games;
    const SavedGamesFolder folder(games.path());
    QtDialogs dialogs;
    CountingSound sound;
    PresenterCommands commands(engine, folder, dialogs);
    ScoreboardWindow board(commands, sound);
    if (normal) {
        board.resize(1024, 766);
        board.move(0, 0);
        board.show();
    } else {
        board.showMaximized();
    }
    board.showGame();

    QTimer::singleShot(800, &board, [&] {
        commands.startRace();
        // Freeze the round where it is, for a still picture.
        engine.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        for (int i = 0; i < ticks; ++i)
            engine.raceTick();
        if (args.contains(QLatin1String("entry")))
            board.openEntryBox(2, Qt::LeftButton);
        if (!shot.isEmpty()) {
            QTimer::singleShot(300, &board, [&] {
                board.grab().save(shot);
                QCoreApplication::exit(0);
            });
        }
    });
    return app.exec();
}
