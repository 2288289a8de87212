#include "artwork_resources.h"
#include "game_state.h"
#include "monitor_platform.h"
#include "program.h"
#include "qt_dialogs.h"
#include "qt_start_sound.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
#ifdef Q_OS_LINUX
    // On Wayland a program cannot place its own windows, so the board could
    // not go to the chosen monitor; prefer X11 (XWayland) unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zanto-scoreboard"));
    QApplication::setApplicationVersion(QStringLiteral(ZANTO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kr.zanto.scoreboard"));
    QApplication::setWindowIcon(Artwork::windowIcon());

    Module1 state;
    state.Saved_Games_Folder = defaultSavedGamesFolder();
    QtDialogs dialogs;
    QtStartSound sound;
    Program program(state, dialogs, sound, defaultMonitorPlatform());
    QObject::connect(&program, &Program::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    return app.exec();
}
