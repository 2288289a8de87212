// A copy of the program's game with its autosave, run as a child so that a
// test can kill it at any moment and recover what it left.
//
//   zanto_recovery_helper evening <folder>
//       plays the scripted evening of recovery_evening.h with an autosave
//       into <folder>; prints each step's number once its game is written.
//   zanto_recovery_helper hold <folder> <team>
//       claims a slot, writes a one-team game named <team> and prints the
//       slot's file; then holds the slot until it is killed or its input ends.

#include "autosave.h"
#include "game_engine.h"
#include "recovery_evening.h"
#include "recovery_store.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int evening(const QString &folder)
{
    RecoveryStore store(folder);
    if (!store.claimSlot()) {
        std::fprintf(stderr, "no slot\n");
        return 1;
    }
    GameEngine engine;
    Autosave autosave(engine, store);
    autosave.start();
    for (int step = 0;; ++step) {
        playEveningStep(engine, step);
        autosave.writePending();
        std::printf("%d\n", step);
        std::fflush(stdout);
    }
}

int hold(const QString &folder, const QString &team)
{
    RecoveryStore store(folder);
    if (!store.claimSlot() || !store.write({{1, 500, {{team, 7}}}, std::nullopt})) {
        std::fprintf(stderr, "no slot\n");
        return 1;
    }
    std::printf("%s\n", store.filePath().toUtf8().constData());
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args.at(0) == u"evening")
        return evening(args.at(1));
    if (args.size() == 3 && args.at(0) == u"hold")
        return hold(args.at(1), args.at(2));
    std::fprintf(stderr, "usage: zanto_recovery_helper evening <folder> | hold <folder> <team>\n");
    return 2;
}
