// A writing process for the reliability tests, run as a child so that a test
// can kill it at any moment or run it without root's privileges.
//
//   zanto_save_helper loop <file>
//       writes the two contents of saveLoopContent() to <file> in turn, for
//       ever; prints "ready" once the first write is complete.
//   zanto_save_helper [--as-nobody] write <file>
//       writes saveLoopContent(0) to <file> once; exits with 0 when it was
//       written, 1 when it was not.

#include "crash_safe_write.h"
#include "save_helper_content.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int usageError = 2;

int loop(const QString &path)
{
    const QByteArray contents[2] = {saveLoopContent(0), saveLoopContent(1)};
    for (unsigned long n = 0;; ++n) {
        if (!writeCrashSafe(path, contents[n % 2])) {
            std::fprintf(stderr, "write %lu failed\n", n);
            return 1;
        }
        if (n == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
#ifdef Q_OS_UNIX
    if (args.value(0) == u"--as-nobody") {
        // The nobody user of Debian; dropped before anything touches a file.
        constexpr uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0) {
            std::perror("dropping privileges");
            return usageError;
        }
        args.removeFirst();
    }
#endif
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    // argv is in the ANSI code page there, which has no Hangul; the game's
    // name comes whole from the wide command line.
    args = QCoreApplication::arguments().mid(1);
#endif
    if (args.size() == 2 && args.at(0) == u"loop")
        return loop(args.at(1));
    if (args.size() == 2 && args.at(0) == u"write")
        return writeCrashSafe(args.at(1), saveLoopContent(0)) ? 0 : 1;
    std::fprintf(stderr, "usage: zanto_save_helper loop <file> | [--as-nobody] write <file>\n");
    return usageError;
}
