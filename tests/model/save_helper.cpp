// A saving process for the reliability tests, run as a child so that a test
// can kill it at any moment or run it without root's privileges.
//
//   zanto_save_helper loop <file>
//       saves the two contents of saveLoopContent() to <file> in turn, for
//       ever; prints "ready" once the first save is complete.
//   zanto_save_helper [--as-nobody] save <folder> <name>
//       runs the board's save command for a two-team game into <folder>,
//       answering the name prompt with <name> and any question with yes;
//       prints the outcome, then each message shown, one per line.

#include "game_state.h"
#include "save_helper_content.h"
#include "score_file.h"
#include "scripted_dialogs.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

namespace {

int loop(const QString &path)
{
    const QByteArray contents[2] = {saveLoopContent(0), saveLoopContent(1)};
    for (unsigned long n = 0;; ++n) {
        if (!writeScoreFile(path, contents[n % 2])) {
            std::fprintf(stderr, "save %lu failed\n", n);
            return 1;
        }
        if (n == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

int save(const QString &folder, const QString &name)
{
    Module1 state;
    state.Saved_Games_Folder = folder;
    state.Save_Path = folder;
    state.Team_Count = 2;
    state.Max_Score = 500;
    state.Team_Name.set(0, QStringLiteral("진리"));
    state.Team_Score.set(0, 120);
    state.Team_Name.set(1, QStringLiteral("지혜"));
    state.Team_Score.set(1, 80);
    state.Standings_Changed = true;

    ScriptedDialogs dialogs;
    dialogs.inputAnswers = {name};
    dialogs.askAnswers = {true};
    const SaveOutcome outcome = saveScoreFile(state, dialogs);

    std::printf("%d\n", int(outcome));
    for (QString message : std::as_const(dialogs.messages))
        std::printf("%s\n", message.replace(u'\n', QStringLiteral("\\n")).toUtf8().constData());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.value(0) == u"--as-nobody") {
        // The nobody user of Debian; dropped before anything touches a file.
        constexpr uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0) {
            std::perror("dropping privileges");
            return 2;
        }
        args.removeFirst();
    }
    QCoreApplication app(argc, argv);
    if (args.size() == 2 && args.at(0) == u"loop")
        return loop(args.at(1));
    if (args.size() == 3 && args.at(0) == u"save")
        return save(args.at(1), args.at(2));
    std::fprintf(stderr, "usage: zanto_save_helper loop <file> | [--as-nobody] save <folder> <name>\n");
    return 2;
}
