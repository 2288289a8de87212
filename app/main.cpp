#include "artwork_resources.h"
#include "fonts.h"
#include "monitor_platform.h"
#include "program.h"
#include "qt_dialogs.h"
#include "qt_start_sound.h"
#include "recovery_store.h"
#include "saved_games_folder.h"
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
    // The Windows program brings its stand-in Korean faces; on Linux the
    // system's packages provide them and the folder does not exist.
    addFontsFrom(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));

    QtDialogs dialogs;
    QtStartSound sound;
    Program program(SavedGamesFolder::standard(), dialogs, sound, defaultMonitorPlatform());
    program.setRecoveryFolder(RecoveryStore::standardFolder());
    QObject::connect(&program, &Program::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    return app.exec();
}
