#include "dialogs.h"
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zanto-scoreboard"));
    QApplication::setApplicationVersion(QStringLiteral(ZANTO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kr.zanto.scoreboard"));

    QIcon icon;
    for (const char *file : {":/assets/icon16.png", ":/assets/icon32.png",
                             ":/assets/icon48.png", ":/assets/icon256.png"})
        icon.addFile(QString::fromLatin1(file));
    QApplication::setWindowIcon(icon);

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
